// Processor time and resident memory of velantra-player playing a show of
// three scenes x 255 changing channels at tempo 10 (a scene every 100 ms),
// with both automats, the fake interface and sACN to the loopback, in a
// private data directory.
//
//   velantra_player_usage [SECONDS]
#include "engine/engine.h"
#include "storage/settings_file.h"
#include "storage/show_file.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QThread>

#include <cstdio>
#include <memory>
#include <unistd.h>

namespace {

// Processor time (user + system) of process pid in seconds, from /proc.
double cpuSeconds(qint64 pid)
{
    QFile stat(QStringLiteral("/proc/%1/stat").arg(pid));
    if (!stat.open(QIODevice::ReadOnly)) {
        return -1;
    }
    const QByteArray line = stat.readAll();
    // Fields after the parenthesised name: state is field 3, utime 14, stime 15.
    const QList<QByteArray> fields = line.mid(line.lastIndexOf(')') + 2).split(' ');
    const double ticks = static_cast<double>(fields.value(11).toLongLong() + fields.value(12).toLongLong());
    return ticks / static_cast<double>(sysconf(_SC_CLK_TCK));
}

// Resident memory of process pid in MB.
double residentMb(qint64 pid)
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

}  // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const int seconds = argc > 1 ? std::max(5, std::atoi(argv[1])) : 60;
    QTemporaryDir home;
    const QString data = home.filePath(QStringLiteral("data/korvex/velantra"));
    QDir().mkpath(data);

    auto engine = std::make_unique<velantra::Engine>();
    engine->ClearAll();
    engine->memory.set(velantra::CellLastScene, 2);
    engine->memory.set(velantra::CellTempo, 10);
    for (int c = 1; c <= velantra::LastChannel; ++c) {
        engine->memory.set(velantra::RateBase + c, 255);
        for (int s = 0; s < 3; ++s) {
            engine->DataWrite(static_cast<std::uint8_t>(s), static_cast<std::uint8_t>(c),
                              static_cast<std::uint8_t>((c * 7 + s * 85) % 256));
        }
    }
    const QString show = home.filePath(QStringLiteral("Busy.vlt"));
    velantra::Settings settings;
    settings.path = show;
    settings.sacn.enabled = QStringLiteral("1");
    settings.sacn.destination = QStringLiteral("127.0.0.1");
    if (!velantra::writeShowFile(show, engine->memory).ok ||
        !velantra::writeSettings(data + QStringLiteral("/Vela43.ini"), settings).ok) {
        std::fputs("player_usage: cannot write the show or the settings\n", stderr);
        return 1;
    }

    QProcess player;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("XDG_DATA_HOME"), home.filePath(QStringLiteral("data")));
    env.insert(QStringLiteral("HOME"), home.path());
    env.insert(QStringLiteral("LD_LIBRARY_PATH"), QStringLiteral(FAKE_FTD2XX_DIR));
    player.setProcessEnvironment(env);
    player.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    player.start(QStringLiteral(VELANTRA_PLAYER),
                 {QStringLiteral("--tempo"), QStringLiteral("10"), QStringLiteral("--automats")});
    if (!player.waitForStarted(5000)) {
        std::fputs("player_usage: velantra-player did not start\n", stderr);
        return 1;
    }
    const qint64 pid = player.processId();
    QThread::sleep(2);  // start-up done
    const double startCpu = cpuSeconds(pid);
    const double startRss = residentMb(pid);
    QThread::sleep(static_cast<unsigned long>(seconds));
    const double endCpu = cpuSeconds(pid);
    const double endRss = residentMb(pid);
    player.terminate();
    player.waitForFinished(5000);
    if (startCpu < 0 || endCpu < 0) {
        std::fputs("player_usage: velantra-player ended early\n", stderr);
        return 1;
    }
    std::printf("velantra-player at tempo 10 with both automats, %d s: CPU %.2f %% of one core; "
                "resident memory %.1f MB after start, %.1f MB at the end\n",
                seconds, 100.0 * (endCpu - startCpu) / seconds, startRss, endRss);
    return 0;
}
