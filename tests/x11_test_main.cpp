// Main of the tests that need a real X server: faults that live in the window
// system (the caption it shows, key events as the keyboard sends them). It
// starts its own Xvfb on a free display, runs the tests against it with Qt's
// xcb platform and stops the server at the end. Without Xvfb every test is
// skipped with a message that says so.
#include "tests/testing/xvfb.h"
#include "tests/x11_session.h"

#include <QApplication>
#include <QProcess>

#include <gtest/gtest.h>

#include <cstdio>
#include <memory>

int main(int argc, char** argv)
{
    ::testing::InitGoogleTest(&argc, argv);
    // Listing the tests (CTest's discovery) needs no server.
    if (::testing::GTEST_FLAG(list_tests)) {
        return RUN_ALL_TESTS();
    }
    QProcess server;
    const QString display = velantra::startXvfb(server);
    if (display.isEmpty()) {
        velantra::x11::unavailable = QStringLiteral("no X server: Xvfb could not be started (install xvfb)");
        std::fprintf(stderr, "%s\n", qPrintable(velantra::x11::unavailable));
        qputenv("QT_QPA_PLATFORM", "offscreen");
    } else {
        qputenv("DISPLAY", display.toLatin1());
        qputenv("QT_QPA_PLATFORM", "xcb");
        velantra::x11::display = display;
    }
    int result = 0;
    {
        QApplication app(argc, argv);
        QApplication::setApplicationName(QStringLiteral("Velantra 4.3"));
        result = RUN_ALL_TESTS();
    }
    velantra::stopXvfb(server);
    return result;
}
