// Processor time and resident memory of another process, read from /proc.
#pragma once

#include <QByteArray>
#include <QFile>
#include <QList>
#include <QString>

#include <unistd.h>

namespace velantra {

// Processor time (user + system) of process pid in seconds; -1 when it is gone.
inline double processCpuSeconds(qint64 pid)
{
    QFile stat(QStringLiteral("/proc/%1/stat").arg(pid));
    if (!stat.open(QIODevice::ReadOnly)) {
        return -1;
    }
    const QByteArray line = stat.readAll();
    // Fields after the parenthesised name: state is field 3, utime 14, stime 15.
    const QList<QByteArray> fields = line.mid(line.lastIndexOf(')') + 2).split(' ');
    if (fields.size() < 13) {
        return -1;
    }
    const double ticks = static_cast<double>(fields.value(11).toLongLong() + fields.value(12).toLongLong());
    return ticks / static_cast<double>(sysconf(_SC_CLK_TCK));
}

// Resident memory of process pid in MB; -1 when it is gone.
inline double processResidentMb(qint64 pid)
{
    QFile status(QStringLiteral("/proc/%1/status").arg(pid));
    if (!status.open(QIODevice::ReadOnly)) {
        return -1;
    }
    for (const QByteArray& line : status.readAll().split('\n')) {
        if (line.startsWith("VmRSS:")) {
            return static_cast<double>(line.mid(6).trimmed().split(' ').value(0).toLongLong()) / 1024.0;
        }
    }
    return -1;
}

}  // namespace velantra
