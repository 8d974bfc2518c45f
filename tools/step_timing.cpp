// When the scene steps arrive at a receiver: the window (on an Xvfb of the
// tool's own, play pressed through xdotool) or velantra-player plays a show of
// three scenes at tempo 10 (a step every 100 ms) and sends it as sACN to the
// loopback; the tool notes the time each packet whose first level differs from
// the one before arrives, and prints the intervals between those steps. With
// --load, two spinning processes at the lowest priority keep both cores busy.
//
//   velantra_step_timing [--window | --player] [--seconds S] [--load]
#include "tests/testing/xvfb.h"
#include "tools/busy_show.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QHostAddress>
#include <QProcess>
#include <QTemporaryDir>
#include <QThread>
#include <QUdpSocket>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace {

using namespace velantra;

constexpr quint16 SacnPort = 5568;
constexpr int SacnSlot1 = 126;     // the first level of an E1.31 data packet
constexpr int SacnSequence = 111;  // its sequence number: one a frame

struct Options {
    bool window = true;
    int seconds = 60;
    bool load = false;
};

int fail(const std::string& why)
{
    std::fprintf(stderr, "step_timing: %s\n", why.c_str());
    return 1;
}

struct Step {
    double at;           // arrival, ms
    std::uint8_t frame;  // the packet's sequence number
};

// The packets whose first level changed, for ms; frameGaps (if given) gets
// the time between any two packets that follow each other.
std::vector<Step> stepArrivals(QUdpSocket& socket, int ms, std::vector<double>* frameGaps = nullptr)
{
    std::vector<Step> arrivals;
    std::optional<double> previous;
    std::optional<char> last;
    QElapsedTimer clock;
    clock.start();
    while (clock.elapsed() < ms) {
        socket.waitForReadyRead(50);
        while (socket.hasPendingDatagrams()) {
            QByteArray packet(static_cast<qsizetype>(socket.pendingDatagramSize()), '\0');
            socket.readDatagram(packet.data(), packet.size());
            const double at = static_cast<double>(clock.nsecsElapsed()) / 1e6;
            if (packet.size() <= SacnSlot1) {
                continue;
            }
            if (previous && frameGaps != nullptr) {
                frameGaps->push_back(at - *previous);
            }
            previous = at;
            if (last && *last != packet[SacnSlot1]) {
                arrivals.push_back({at, static_cast<std::uint8_t>(packet[SacnSequence])});
            }
            last = packet[SacnSlot1];
        }
    }
    return arrivals;
}

bool pressPlay(const QString& display, qint64 pid)
{
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("DISPLAY"), display);
    QProcess search;
    search.setProcessEnvironment(env);
    search.start(QStringLiteral("xdotool"),
                 {QStringLiteral("search"), QStringLiteral("--sync"), QStringLiteral("--onlyvisible"),
                  QStringLiteral("--pid"), QString::number(pid)});
    if (!search.waitForFinished(20000) || search.exitCode() != 0) {
        return false;
    }
    const QString window = QString::fromLatin1(search.readAllStandardOutput()).split(QLatin1Char('\n')).value(0);
    QProcess key;
    key.setProcessEnvironment(env);
    key.start(QStringLiteral("xdotool"), {QStringLiteral("windowfocus"), QStringLiteral("--sync"), window,
                                          QStringLiteral("key"), QStringLiteral("minus")});
    return key.waitForFinished(10000) && key.exitCode() == 0;
}

std::optional<Options> parse(const QStringList& arguments)
{
    Options options;
    for (qsizetype i = 1; i < arguments.size(); ++i) {
        const QString& arg = arguments[i];
        if (arg == QLatin1String("--window")) {
            options.window = true;
        } else if (arg == QLatin1String("--player")) {
            options.window = false;
        } else if (arg == QLatin1String("--load")) {
            options.load = true;
        } else if (arg == QLatin1String("--seconds") && i + 1 < arguments.size()) {
            bool ok = false;
            options.seconds = arguments[++i].toInt(&ok);
            if (!ok || options.seconds < 1 || options.seconds > 3600) {
                return std::nullopt;
            }
        } else {
            return std::nullopt;
        }
    }
    return options;
}

}  // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const std::optional<Options> options = parse(QCoreApplication::arguments());
    if (!options) {
        std::fputs("usage: velantra_step_timing [--window | --player] [--seconds S] [--load]\n", stderr);
        return 2;
    }
    QTemporaryDir home;
    if (!writeBusyShow(home.path(), true)) {
        return fail("cannot write the show or the settings");
    }
    QUdpSocket socket;
    if (!socket.bind(QHostAddress::LocalHost, SacnPort, QUdpSocket::ShareAddress | QUdpSocket::ReuseAddressHint)) {
        return fail("cannot listen to sACN on 127.0.0.1:5568: " + socket.errorString().toStdString());
    }
    QProcess server;
    QString display;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("XDG_DATA_HOME"), home.filePath(QStringLiteral("data")));
    env.insert(QStringLiteral("HOME"), home.path());
    if (options->window) {
        display = startXvfb(server);
        if (display.isEmpty()) {
            return fail("Xvfb could not be started (tools/deps.sh installs xvfb)");
        }
        env.insert(QStringLiteral("DISPLAY"), display);
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
    }
    std::vector<std::unique_ptr<QProcess>> spinners;
    if (options->load) {
        for (int i = 0; i < 2; ++i) {
            auto spinner = std::make_unique<QProcess>();
            spinner->start(QStringLiteral("nice"), {QStringLiteral("-n"), QStringLiteral("19"), QStringLiteral("sh"),
                                                    QStringLiteral("-c"), QStringLiteral("while :; do :; done")});
            spinners.push_back(std::move(spinner));
        }
    }
    QProcess program;
    program.setProcessEnvironment(env);
    program.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    program.setStandardOutputFile(QProcess::nullDevice());
    program.start(QString::fromUtf8(options->window ? VELANTRA_PROGRAM : VELANTRA_PLAYER), {});
    int result = 0;
    if (!program.waitForStarted(5000)) {
        result = fail("the program did not start");
    } else if (options->window && !pressPlay(display, program.processId())) {
        result = fail("xdotool could not send the play key");
    }
    std::vector<Step> arrivals;
    std::vector<double> frameGaps;
    if (result == 0) {
        stepArrivals(socket, 2000);  // the first steps after start
        arrivals = stepArrivals(socket, options->seconds * 1000, &frameGaps);
    }
    program.terminate();
    if (!program.waitForFinished(10000)) {
        program.kill();
        program.waitForFinished(5000);
    }
    for (auto& spinner : spinners) {
        spinner->kill();
        spinner->waitForFinished(5000);
    }
    if (options->window) {
        stopXvfb(server);
    }
    if (result != 0) {
        return result;
    }
    // Intervals in ms at the receiver, and in frames of the sender (whole
    // ticks whatever the network and the receiver add).
    std::vector<double> intervals;
    std::map<int, int> frames;
    for (std::size_t i = 1; i < arrivals.size(); ++i) {
        intervals.push_back(arrivals[i].at - arrivals[i - 1].at);
        ++frames[static_cast<std::uint8_t>(arrivals[i].frame - arrivals[i - 1].frame)];
    }
    if (intervals.size() < 10) {
        return fail("the show did not play (" + std::to_string(arrivals.size()) + " steps)");
    }
    const auto outside =
        std::count_if(intervals.begin(), intervals.end(), [](double ms) { return ms < 95.0 || ms > 105.0; });
    std::sort(intervals.begin(), intervals.end());
    const auto at = [&intervals](double q) {
        return intervals[std::min(intervals.size() - 1,
                                  static_cast<std::size_t>(q * static_cast<double>(intervals.size())))];
    };
    std::printf("%s, tempo 10 (100 ms), %d s%s: %zu steps; interval ms min %.1f p1 %.1f median %.1f p99 %.1f max "
                "%.1f; outside 95-105 ms: %td\n",
                options->window ? "window" : "velantra-player", options->seconds,
                options->load ? ", both cores loaded" : "", intervals.size(), intervals.front(), at(0.01), at(0.5),
                at(0.99), intervals.back(), outside);
    std::sort(frameGaps.begin(), frameGaps.end());
    std::printf("  frames: %zu, time between two at the receiver ms p99 %.1f max %.1f\n", frameGaps.size() + 1,
                frameGaps[std::min(frameGaps.size() - 1, frameGaps.size() * 99 / 100)], frameGaps.back());
    std::printf("  steps apart, in frames sent:");
    for (const auto& [count, steps] : frames) {
        std::printf(" %d frames x %d", count, steps);
    }
    std::printf("\n");
    return 0;
}
