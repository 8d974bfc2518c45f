// Main of the tests that need a real X server: faults that live in the window
// system (the caption it shows, key events as the keyboard sends them). It
// starts its own Xvfb on a free display, runs the tests against it with Qt's
// xcb platform and stops the server at the end. Without Xvfb every test is
// skipped with a message that says so.
#include "tests/x11_session.h"

#include <QApplication>
#include <QProcess>

#include <gtest/gtest.h>

#include <cstdio>
#include <memory>

namespace {

// Starts Xvfb and returns its display name, or an empty string.
QString startServer(QProcess& server)
{
    const QString program = QStringLiteral("Xvfb");
    // -displayfd picks a free display and writes its number to the descriptor.
    server.setProcessChannelMode(QProcess::SeparateChannels);
    server.start(program, {QStringLiteral("-displayfd"), QStringLiteral("1"), QStringLiteral("-screen"),
                           QStringLiteral("0"), QStringLiteral("1280x1024x24"), QStringLiteral("-nolisten"),
                           QStringLiteral("tcp"), QStringLiteral("-ac")});
    if (!server.waitForStarted(5000)) {
        return {};
    }
    QByteArray number;
    while (!number.contains('\n') && server.waitForReadyRead(10000)) {
        number += server.readAllStandardOutput();
    }
    number = number.trimmed();
    return number.isEmpty() ? QString() : QStringLiteral(":") + QString::fromLatin1(number);
}

}  // namespace

int main(int argc, char** argv)
{
    ::testing::InitGoogleTest(&argc, argv);
    // Listing the tests (CTest's discovery) needs no server.
    if (::testing::GTEST_FLAG(list_tests)) {
        return RUN_ALL_TESTS();
    }
    QProcess server;
    const QString display = startServer(server);
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
    server.terminate();
    if (!server.waitForFinished(5000)) {
        server.kill();
        server.waitForFinished(5000);
    }
    return result;
}
