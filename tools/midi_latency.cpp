// How long a MIDI message takes to reach the lights, and what a flooding
// controller costs: starts a JACK server of its own (dummy driver), runs the
// real main window offscreen with its MIDI control on JACK and the output
// tick writing to a fake interface, and plays a controller on a virtual port:
//
// 1. latency: N Control Changes of a fader bound to channel 1 (pick-up off),
//    each at a random moment of the 50 ms tick; from the message sent to the
//    first frame given to the outputs that holds the new level. Prints the
//    median, p99 and the largest.
// 2. flood: S seconds of 1,000 messages a second on that fader, from a
//    controller in a process of its own (this program with --flood), against
//    S seconds of the same window without messages: the window's process's
//    CPU time as a percentage of one core, both.
//
// usage: velantra_midi_latency [N [S]]   (default 1000 messages, 20 s)
#include "app/base.h"
#include "engine/frame_output.h"
#include "midi/midi_control.h"
#include "shell/dialogs.h"
#include "tests/testing/fake_d2xx.h"

#include <RtMidi.h>

#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QThread>
#include <QTimer>

#include <sys/resource.h>
#include <sys/wait.h>

#include <spawn.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <random>
#include <string>
#include <string_view>
#include <thread>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

double cpuSeconds()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    const auto seconds = [](const timeval& t) { return double(t.tv_sec) + double(t.tv_usec) / 1e6; };
    return seconds(usage.ru_utime) + seconds(usage.ru_stime);
}

// Watches channel 1 of every frame: the time the level wanted first appears.
class Watch : public velantra::FrameOutput {
public:
    void expect(int level)
    {
        seen_.store(Clock::time_point::min().time_since_epoch().count());
        level_.store(level);
    }
    // Output thread. Never blocks.
    void write(velantra::FrameView frame) override
    {
        if (level_.load() == frame[1] && seen_.load() == Clock::time_point::min().time_since_epoch().count()) {
            seen_.store(Clock::now().time_since_epoch().count());
        }
    }
    bool seen() const { return seen_.load() != Clock::time_point::min().time_since_epoch().count(); }
    Clock::time_point when() const { return Clock::time_point(Clock::duration(seen_.load())); }

private:
    std::atomic<int> level_{-1};
    std::atomic<Clock::rep> seen_{Clock::time_point::min().time_since_epoch().count()};
};

double percentile(std::vector<double> v, double p)
{
    std::sort(v.begin(), v.end());
    return v[std::min(v.size() - 1, static_cast<std::size_t>(p * static_cast<double>(v.size())))];
}

// The flooding controller: a port of its own, 1,000 Control Changes a second
// for seconds, after a start-up pause that lets the window find the port.
int flood(int seconds)
{
    try {
        RtMidiOut out(RtMidi::UNIX_JACK, "Flood");
        out.openVirtualPort("flood out");
        std::this_thread::sleep_for(std::chrono::seconds(3));
        auto next = Clock::now();
        const auto end = next + std::chrono::seconds(seconds);
        for (int i = 0; next < end; ++i) {
            std::vector<unsigned char> message{0xB0, 1, static_cast<unsigned char>(i % 128)};
            out.sendMessage(&message);
            next += std::chrono::milliseconds(1);
            std::this_thread::sleep_until(next);
        }
    } catch (const RtMidiError& e) {
        std::fprintf(stderr, "flood: %s\n", e.getMessage().c_str());
        return 1;
    }
    return 0;
}

}  // namespace

extern char** environ;

int main(int argc, char** argv)
{
    using namespace velantra;
    if (argc == 3 && std::string_view(argv[1]) == "--flood") {
        return flood(std::atoi(argv[2]));
    }
    const int count = argc > 1 ? std::atoi(argv[1]) : 1000;
    const int seconds = argc > 2 ? std::atoi(argv[2]) : 20;
    if (count <= 0 || seconds <= 0) {
        std::fprintf(stderr, "usage: velantra_midi_latency [MESSAGES [SECONDS]]\n");
        return 2;
    }
    QTemporaryDir home;
    qputenv("XDG_DATA_HOME", home.filePath(QStringLiteral("data")).toLocal8Bit());
    const QByteArray server = "velantra-latency-" + QByteArray::number(QCoreApplication::applicationPid());
    qputenv("JACK_DEFAULT_SERVER", server);
    qputenv("JACK_NO_START_SERVER", "1");
    qputenv("VELANTRA_MIDI_API", "jack");
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QApplication app(argc, argv);

    QProcess jackd;
    jackd.start(QStringLiteral("jackd"),
                {QStringLiteral("--no-realtime"), QStringLiteral("-n"), QString::fromLatin1(server),
                 QStringLiteral("-d"), QStringLiteral("dummy"), QStringLiteral("-r"), QStringLiteral("48000"),
                 QStringLiteral("-p"), QStringLiteral("256")});
    if (!jackd.waitForStarted(5000)) {
        std::fprintf(stderr, "velantra_midi_latency: jackd does not start (package jackd2)\n");
        return 1;
    }
    QProcess wait;
    wait.start(QStringLiteral("jack_wait"),
               {QStringLiteral("--wait"), QStringLiteral("--timeout"), QStringLiteral("10")});
    if (!wait.waitForFinished(15000) || wait.exitCode() != 0) {
        std::fprintf(stderr, "velantra_midi_latency: the JACK server did not come up\n");
        return 1;
    }
    std::unique_ptr<RtMidiOut> pad;
    try {
        pad = std::make_unique<RtMidiOut>(RtMidi::UNIX_JACK, "Pad");
        pad->openVirtualPort("pad out");
    } catch (const RtMidiError& e) {
        std::fprintf(stderr, "velantra_midi_latency: %s\n", e.getMessage().c_str());
        return 1;
    }

    QDir().mkpath(home.filePath(QStringLiteral("data/korvex/velantra")));
    QFile bindings(home.filePath(QStringLiteral("data/korvex/velantra/Vela43.midi")));
    if (!bindings.open(QIODevice::WriteOnly) ||
        bindings.write("# Velantra MIDI bindings\ninput = *\npick-up = off\n[Pad:pad out]\ncc 1 1 = fader 1\n"
                       "[Flood:flood out]\ncc 1 1 = fader 1\n") <= 0) {
        return 1;
    }
    bindings.close();

    auto device = std::make_unique<FakeD2xx>();
    device->attach();
    device->setRecordLimit(0);
    auto window = std::make_unique<TBaseForm>(std::move(device));
    TBaseForm& form = *window;
    setDialogAnswerer([](QDialog&) { return 0; });
    form.show();
    Watch watch;
    form.outputCycle().addOutput(&watch);

    std::vector<double> latencies;
    double idleCpu = 0;
    double floodCpu = 0;
    std::atomic<bool> failed{false};
    std::thread player([&] {
        std::mt19937 random(7);
        std::uniform_int_distribution<int> phase(0, 50);
        std::this_thread::sleep_for(std::chrono::seconds(3));  // the window up, its port open
        int value = 0;
        for (int i = 0; i < count && !failed; ++i) {
            value = (value + 1 + static_cast<int>(random() % 120)) % 128;
            const int level = (value * 255 + 63) / 127;
            watch.expect(level);
            std::this_thread::sleep_for(std::chrono::milliseconds(phase(random)));
            std::vector<unsigned char> message{0xB0, 1, static_cast<unsigned char>(value)};
            const auto sent = Clock::now();
            pad->sendMessage(&message);
            const auto deadline = sent + std::chrono::seconds(2);
            while (!watch.seen() && Clock::now() < deadline) {
                std::this_thread::sleep_for(std::chrono::microseconds(200));
            }
            if (!watch.seen()) {
                std::fprintf(stderr, "message %d (value %d) never reached the frame\n", i, value);
                failed = true;
                break;
            }
            latencies.push_back(std::chrono::duration<double, std::milli>(watch.when() - sent).count());
        }
        // Idle, then the flood, each for the same span.
        double t0 = cpuSeconds();
        std::this_thread::sleep_for(std::chrono::seconds(seconds));
        idleCpu = cpuSeconds() - t0;
        const std::string span = std::to_string(seconds);
        char floodArg[] = "--flood";
        char* const args[] = {argv[0], floodArg, const_cast<char*>(span.c_str()), nullptr};
        pid_t child = 0;
        if (posix_spawn(&child, argv[0], nullptr, nullptr, args, environ) != 0) {
            std::fprintf(stderr, "cannot start the flooding controller\n");
            failed = true;
        } else {
            std::this_thread::sleep_for(std::chrono::seconds(3));  // its port found, its flood begun
            t0 = cpuSeconds();
            std::this_thread::sleep_for(std::chrono::seconds(seconds));
            floodCpu = cpuSeconds() - t0;
            int status = 0;
            waitpid(child, &status, 0);
            failed = failed || !WIFEXITED(status) || WEXITSTATUS(status) != 0;
        }
        QMetaObject::invokeMethod(&app, &QCoreApplication::quit, Qt::QueuedConnection);
    });
    app.exec();
    player.join();
    const auto dropped = static_cast<unsigned long long>(form.midiControl().ports().dropped());
    form.close();
    window.reset();  // its JACK clients close while the server is there
    jackd.terminate();
    jackd.waitForFinished(3000);
    if (failed || latencies.empty()) {
        return 1;
    }
    std::printf("MIDI message to DMX frame over %zu messages: median %.1f ms, p99 %.1f ms, max %.1f ms\n",
                latencies.size(), percentile(latencies, 0.5), percentile(latencies, 0.99),
                *std::max_element(latencies.begin(), latencies.end()));
    std::printf("CPU over %d s: idle %.2f %%, 1,000 messages a second %.2f %% of one core (inbox dropped %llu)\n",
                seconds, 100.0 * idleCpu / seconds, 100.0 * floodCpu / seconds, dropped);
    return 0;
}
