// An Xvfb of one's own on a free display, for the tests and tools that need a
// real X server.
#pragma once

#include <QByteArray>
#include <QProcess>
#include <QString>
#include <QStringList>

namespace velantra {

// Starts Xvfb in server and returns its display name (":N"), or an empty
// string when it could not be started.
inline QString startXvfb(QProcess& server)
{
    // -displayfd picks a free display and writes its number to the descriptor.
    server.setProcessChannelMode(QProcess::SeparateChannels);
    server.start(QStringLiteral("Xvfb"), {QStringLiteral("-displayfd"), QStringLiteral("1"), QStringLiteral("-screen"),
                                          QStringLiteral("0"), QStringLiteral("1280x1024x24"),
                                          QStringLiteral("-nolisten"), QStringLiteral("tcp"), QStringLiteral("-ac")});
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

inline void stopXvfb(QProcess& server)
{
    server.terminate();
    if (!server.waitForFinished(5000)) {
        server.kill();
        server.waitForFinished(5000);
    }
}

}  // namespace velantra
