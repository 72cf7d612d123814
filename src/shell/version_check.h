#pragma once
// Asking the maker's web site whether a newer version of the program is published.

#include <QString>

// Where the version page lives. The program uses the maker's site; tests point it at
// a local stub. The time-out bounds the whole request so a silent server cannot
// freeze the window.
struct TVersionServer {
    QString Host;
    int Port = 80;
    int TimeoutMs = 4000;
};
TVersionServer& Version_Server();

// "1.001" -> 1001, "VER. 1.002" -> 1002; -1 when the text holds no version.
int Conv_Version(const QString& Ver_str);

// True when a reply body of the version page announces a version newer than ours.
bool Reply_Is_Newer(const QString& reply);

// Sends the version request and tells whether a newer version exists. Any failure of
// the request (no connection, time-out, error status) counts as "no newer version".
bool Check_Version();

// The maker's pages.
QString Home_Page_Url();
QString Download_Page_Url();
// An HTML anchor to the download page with the given text, for link labels.
QString Download_Link_Html(const QString& text);
