// The real program started as a process, as the operator starts it, with its
// data directory in home and the given Qt platform ("offscreen", "xcb").
#pragma once

#include <QProcess>
#include <QProcessEnvironment>
#include <QString>
#include <QTemporaryDir>

namespace velantra {

// True when the program has started.
inline bool startProgram(QProcess& program, const QTemporaryDir& home, const QString& platform)
{
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("XDG_DATA_HOME"), home.filePath(QStringLiteral("data")));
    env.insert(QStringLiteral("HOME"), home.path());
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), platform);
    program.setProcessEnvironment(env);
    program.start(QStringLiteral(VELANTRA_PROGRAM), {});
    return program.waitForStarted(5000);
}

}  // namespace velantra
