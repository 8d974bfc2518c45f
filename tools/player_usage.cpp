// Processor time and resident memory of velantra-player playing a show of
// three scenes x 255 changing channels at tempo 10 (a scene every 100 ms),
// with both automats, the fake interface and sACN to the loopback, in a
// private data directory.
//
//   velantra_player_usage [SECONDS]
#include "tools/busy_show.h"
#include "tools/proc_usage.h"

#include <QCoreApplication>
#include <QProcess>
#include <QTemporaryDir>
#include <QThread>

#include <cstdio>

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const int seconds = argc > 1 ? std::max(5, std::atoi(argv[1])) : 60;
    QTemporaryDir home;
    if (!velantra::writeBusyShow(home.path())) {
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
    const double startCpu = velantra::processCpuSeconds(pid);
    const double startRss = velantra::processResidentMb(pid);
    QThread::sleep(static_cast<unsigned long>(seconds));
    const double endCpu = velantra::processCpuSeconds(pid);
    const double endRss = velantra::processResidentMb(pid);
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
