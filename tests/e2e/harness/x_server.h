#pragma once
// An X server of the test's own: Xvfb started on a display number it picks itself, so
// tests that run side by side never share a screen, and stopped with the object.

#include <QString>

#include <sys/types.h>

class TXServer {
public:
    TXServer() = default;
    ~TXServer();
    TXServer(const TXServer&) = delete;
    TXServer& operator=(const TXServer&) = delete;

    // Starts Xvfb with one 1600 x 1200 screen of 24 bits at 96 dots per inch, reachable
    // only through its local socket. False with the reason when it cannot start; Missing()
    // then tells whether Xvfb is not installed at all.
    bool Start(QString* Error);
    // ":N" once started.
    QString Display() const { return FDisplay; }
    bool Missing() const { return FMissing; }
    void Stop();

private:
    pid_t FPid = 0;
    QString FDisplay;
    bool FMissing = false;
};
