// What the tests under a real X server share: the display their main started,
// and the X tools they drive it with (xdotool for real key events through the
// XTEST extension, xprop to read window properties).
#pragma once

#include <QByteArray>
#include <QProcess>
#include <QString>
#include <QStringList>

#include <gtest/gtest.h>

namespace velantra::x11 {

// ":N" of the Xvfb the test main started; empty without one.
inline QString display;
// Why there is no server, when there is none.
inline QString unavailable;

// Runs an X tool on the display; its standard output, or an empty string when it failed.
inline QByteArray run(const QString& program, const QStringList& arguments)
{
    QProcess tool;
    tool.start(program, arguments);
    if (!tool.waitForFinished(10000) || tool.exitStatus() != QProcess::NormalExit || tool.exitCode() != 0) {
        return {};
    }
    return tool.readAllStandardOutput();
}

}  // namespace velantra::x11

// Skips the test, saying why, when there is no X server.
#define VELANTRA_REQUIRE_X11()                                                                                         \
    do {                                                                                                               \
        if (::velantra::x11::display.isEmpty()) {                                                                      \
            GTEST_SKIP() << ::velantra::x11::unavailable.toStdString();                                                \
        }                                                                                                              \
    } while (false)
