#pragma once
// A one-shot HTTP server on 127.0.0.1 running on its own thread, so that the program's
// blocking request on the UI thread can be answered. In silent mode it accepts the
// connection and never answers.

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <atomic>
#include <string>
#include <thread>

class TLoopbackHttpStub {
public:
    // body empty and silent true: hold the connection without a reply.
    explicit TLoopbackHttpStub(std::string body, bool silent = false) : FBody(std::move(body)), FSilent(silent)
    {
        FListen = ::socket(AF_INET, SOCK_STREAM, 0);
        int one = 1;
        ::setsockopt(FListen, SOL_SOCKET, SO_REUSEADDR, &one, sizeof one);
        sockaddr_in a{};
        a.sin_family = AF_INET;
        a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        a.sin_port = 0;
        ::bind(FListen, reinterpret_cast<sockaddr*>(&a), sizeof a);
        ::listen(FListen, 4);
        socklen_t len = sizeof a;
        ::getsockname(FListen, reinterpret_cast<sockaddr*>(&a), &len);
        FPort = ntohs(a.sin_port);
        FThread = std::thread([this] { Serve(); });
    }
    ~TLoopbackHttpStub()
    {
        FStop = true;
        ::shutdown(FListen, SHUT_RDWR);
        ::close(FListen);
        if (FThread.joinable())
            FThread.join();
    }
    int Port() const { return FPort; }
    // The request as received (first connection).
    std::string Request() const { return FRequest; }

private:
    void Serve()
    {
        const int c = ::accept(FListen, nullptr, nullptr);
        if (c < 0)
            return;
        char buf[2048];
        std::string req;
        while (req.find("\r\n\r\n") == std::string::npos) {
            const ssize_t n = ::recv(c, buf, sizeof buf, 0);
            if (n <= 0)
                break;
            req.append(buf, size_t(n));
        }
        FRequest = req;
        if (!FSilent) {
            const std::string reply = "HTTP/1.0 200 OK\r\nContent-Type: text/html\r\n\r\n" + FBody;
            ::send(c, reply.data(), reply.size(), 0);
        } else {
            while (!FStop)
                std::this_thread::sleep_for(std::chrono::milliseconds(20));
        }
        ::close(c);
    }

    std::string FBody;
    bool FSilent;
    int FListen = -1;
    int FPort = 0;
    std::atomic<bool> FStop{false};
    std::string FRequest;
    std::thread FThread;
};
