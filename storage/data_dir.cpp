#include "storage/data_dir.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

namespace velantra {

QString dataDirectory()
{
#if defined(Q_OS_WIN)
    return QStringLiteral("C:/KORVEX/VELANTRA/");
#else
    return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) + QStringLiteral("/korvex/velantra/");
#endif
}

bool ensureDataDirectory()
{
    return QDir().mkpath(dataDirectory());
}

int removeStaleSaveLeftovers()
{
    const QDir dir(dataDirectory());
    const QDateTime oldest = QDateTime::currentDateTimeUtc().addSecs(-60);
    int removed = 0;
    for (const QFileInfo& file : dir.entryInfoList({QStringLiteral("Vela43.*.??????")}, QDir::Files | QDir::Hidden)) {
        if (file.lastModified().toUTC() < oldest && QFile::remove(file.absoluteFilePath())) {
            ++removed;
        }
    }
    return removed;
}

QString dataFile(const QString& name)
{
    return dataDirectory() + name;
}

QString settingsFile()
{
    return dataFile(QStringLiteral("Vela43.ini"));
}

QString autosaveFile()
{
    return dataFile(QStringLiteral("Vela43.vlt"));
}

QString colourFile()
{
    return dataFile(QStringLiteral("Vela43.col"));
}

QString defaultPatchFile()
{
    return dataFile(QStringLiteral("Vela43.vdx"));
}

QString midiBindingsFile()
{
    return dataFile(QStringLiteral("Vela43.midi"));
}

QString universesFile()
{
    return dataFile(QStringLiteral("Vela43.universes"));
}

QString journalFile()
{
    return dataFile(QStringLiteral("Vela43.vlj"));
}

QString recoveryDirectory()
{
    return dataDirectory() + QStringLiteral("recovery/");
}

}  // namespace velantra
