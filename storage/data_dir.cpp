#include "storage/data_dir.h"

#include <QDir>
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

QString dataFile(const QString& name)
{
    return dataDirectory() + name;
}

}  // namespace velantra
