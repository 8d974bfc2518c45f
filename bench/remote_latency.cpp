// How long a fader moved on the web remote takes to reach the lights: the
// desk core with its real output thread (a tick every 50 ms) on a fake
// interface, the web remote on the loopback, and a WebSocket client in this
// process that has given the PIN. Each action is a fader move sent at a
// random moment of the tick; the time runs from just before the message is
// handed to the client's socket to the first frame the tick gives the
// outputs that carries the new level (an output of this tool watches every
// frame). The client runs on the GUI thread with the server, as a second
// program on the same computer would share its processor. Prints the
// median, p99 and the largest.
//
// usage: velantra_remote_latency [N]   (default 300 actions)
#include "desk/desk_controls.h"
#include "desk/desk_core.h"
#include "engine/frame_output.h"
#include "remote/remote_server.h"
#include "tests/testing/fake_d2xx.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTcpServer>
#include <QTemporaryDir>
#include <QWebSocket>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <random>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

// Watches slot 1 of every frame: the time the level wanted first appears.
class Watch : public velantra::FrameOutput {
public:
    void expect(int level)
    {
        seen_.store(0);
        level_.store(level);
    }
    // Output thread. Never blocks.
    void write(velantra::FrameView frame) override
    {
        if (frame[1] == level_.load() && seen_.load() == 0) {
            seen_.store(Clock::now().time_since_epoch().count());
        }
    }
    bool seen() const { return seen_.load() != 0; }
    Clock::time_point when() const { return Clock::time_point(Clock::duration(seen_.load())); }

private:
    std::atomic<int> level_{-1};
    std::atomic<Clock::rep> seen_{0};
};

// Runs the event loop until done() or ms have passed.
bool pumpUntil(const std::function<bool()>& done, int ms)
{
    QElapsedTimer timer;
    timer.start();
    while (!done()) {
        if (timer.elapsed() > ms) {
            return false;
        }
        QCoreApplication::processEvents(QEventLoop::AllEvents, 1);
    }
    return true;
}

double percentile(std::vector<double> sorted, double p)
{
    const auto i = static_cast<std::size_t>(std::lround(p * static_cast<double>(sorted.size() - 1)));
    return sorted[std::min(i, sorted.size() - 1)];
}

}  // namespace

int main(int argc, char** argv)
{
    using namespace velantra;
    const int count = argc > 1 ? std::atoi(argv[1]) : 300;
    if (count < 1) {
        std::fprintf(stderr, "usage: velantra_remote_latency [N]\n");
        return 2;
    }
    QTemporaryDir home;
    qputenv("XDG_DATA_HOME", home.path().toUtf8());
    QCoreApplication app(argc, argv);

    DeskCore core(std::make_unique<FakeD2xx>(), DeskCore::OutputClock::Thread);
    Watch watch;
    core.cycle().addOutput(&watch);
    core.startOutput();

    QTcpServer probe;
    probe.listen(QHostAddress::LocalHost, 0);
    const QString port = QString::number(probe.serverPort());
    probe.close();
    remote::RemoteServer server(core.controls());
    server.apply({QStringLiteral("1"), port, QStringLiteral("127.0.0.1"), QStringLiteral("246810")});
    if (!server.status().listening) {
        std::fprintf(stderr, "web remote: %s\n", qPrintable(server.status().error));
        return 1;
    }

    QWebSocket client(QStringLiteral("http://127.0.0.1:%1").arg(port));
    bool unlocked = false;
    QObject::connect(&client, &QWebSocket::textMessageReceived, &client, [&](const QString& text) {
        const QJsonObject m = QJsonDocument::fromJson(text.toUtf8()).object();
        unlocked =
            unlocked || (m.value(QLatin1String("t")) == QLatin1String("pin") && m.value(QLatin1String("ok")).toBool());
    });
    client.open(QUrl(QStringLiteral("ws://127.0.0.1:%1/ws").arg(port)));
    if (!pumpUntil([&] { return client.state() == QAbstractSocket::ConnectedState; }, 5000)) {
        std::fprintf(stderr, "the client did not connect\n");
        return 1;
    }
    client.sendTextMessage(QStringLiteral(R"({"do":"pin","pin":"246810"})"));
    if (!pumpUntil([&] { return unlocked; }, 5000)) {
        std::fprintf(stderr, "the PIN was not taken\n");
        return 1;
    }

    std::mt19937 random(12345);
    std::uniform_int_distribution<int> phase(0, 49);
    std::vector<double> latencies;
    latencies.reserve(static_cast<std::size_t>(count));
    for (int i = 0; i < count; ++i) {
        const int level = 1 + i % 254;  // never the level before
        pumpUntil([] { return false; }, phase(random));
        watch.expect(level);
        const Clock::time_point sent = Clock::now();
        client.sendTextMessage(QStringLiteral(R"({"do":"fader","row":1,"value":%1})").arg(level));
        client.flush();
        if (!pumpUntil([&] { return watch.seen(); }, 2000)) {
            std::fprintf(stderr, "action %d (level %d) never reached the frame\n", i, level);
            return 1;
        }
        latencies.push_back(std::chrono::duration<double, std::milli>(watch.when() - sent).count());
        pumpUntil([] { return false; }, 60);  // at most some 10 actions a second, as a hand moves a fader
    }
    core.stopOutput();

    std::sort(latencies.begin(), latencies.end());
    std::printf("Web remote fader move to the first DMX frame carrying it, %zu actions\n"
                "(WebSocket client on the loopback in this process, each action at a random moment of the\n"
                "50 ms output tick; from the message handed to the socket to the tick giving the outputs the\n"
                "frame): median %.1f ms, p99 %.1f ms, max %.1f ms\n",
                latencies.size(), percentile(latencies, 0.5), percentile(latencies, 0.99), latencies.back());
    return 0;
}
