// Entry point of every real-window test executable: an X server of its own, Qt's xcb
// platform on it, the platform's start-up as the program's, then the tests.

#include "x_server.h"

#include "platform/ui/forms.h"

#include <QApplication>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cstdio>

namespace {
// Exit code that CTest takes as a skipped test.
constexpr int Skip_Code = 77;
}

// The toolkit's session-bus link keeps a buffer to the end of the process.
extern "C" const char* __lsan_default_suppressions() { return "leak:libdbus-1.so\n"; }

int main(int argc, char** argv)
{
    ::testing::InitGoogleTest(&argc, argv);
    TXServer server;
    // Listing the tests needs no screen.
    const bool listing = GTEST_FLAG_GET(list_tests);
    if (listing) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    } else {
        QString error;
        if (!server.Start(&error)) {
            std::fprintf(stderr, "e2e: %s\n", qPrintable(error));
            return server.Missing() ? Skip_Code : 1;
        }
        qputenv("DISPLAY", server.Display().toLocal8Bit());
        qputenv("QT_QPA_PLATFORM", "xcb");
    }
    // One pixel on screen is one pixel of the program, whatever the desktop's settings.
    qputenv("QT_ENABLE_HIGHDPI_SCALING", "0");
    qunsetenv("QT_SCALE_FACTOR");
    qunsetenv("QT_IM_MODULE");
    QTemporaryDir runtime;
    qputenv("XDG_RUNTIME_DIR", runtime.path().toLocal8Bit());
    QApplication app(argc, argv);
    InitPlatformApplication();
    return RUN_ALL_TESTS();
}
