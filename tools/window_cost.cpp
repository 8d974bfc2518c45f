// What the window costs under a real X server: the real program started as a
// process on an Xvfb of the tool's own (Qt's xcb platform), with the fake
// interface from the test build and sACN to the loopback, a show of three
// scenes x 255 changing channels at tempo 10 and the fader page shown. Each
// run measures
//   - exec to the first DMX frame (the first sACN packet on the loopback),
//   - exec to the main window mapped (MapNotify on the root window),
//   - processor time with the show stopped and the window idle,
//   - processor time with the show playing (the play key, sent through XTEST),
//   - resident memory after start;
// and one last run plays for --memory-minutes and reports resident memory at
// its end. Prints minimum, median and maximum over the runs.
//
//   velantra_window_cost [--runs N] [--seconds S] [--memory-minutes M] [--no-interface]
//                        [--program PATH]
#include "tests/testing/xvfb.h"
#include "tools/busy_show.h"
#include "tools/proc_usage.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QHostAddress>
#include <QProcess>
#include <QTemporaryDir>
#include <QThread>
#include <QUdpSocket>

#include <xcb/xcb.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <optional>
#include <set>
#include <vector>

namespace {

using namespace velantra;

constexpr quint16 SacnPort = 5568;
constexpr int SacnSlot1 = 126;  // the first level of an E1.31 data packet

struct Options {
    int runs = 3;
    int seconds = 20;
    int memoryMinutes = 5;
    bool interface = true;
    QString program = QStringLiteral(VELANTRA_PROGRAM);
};

struct Figures {
    std::vector<double> firstFrameMs, mappedMs, idleCpu, playingCpu, startRss;
};

// The X connection that watches top-level windows being mapped.
class MapWatch {
public:
    explicit MapWatch(const QString& display)
        : connection_(xcb_connect(display.toLatin1().constData(), nullptr))
    {
        if (xcb_connection_has_error(connection_) != 0) {
            return;
        }
        root_ = xcb_setup_roots_iterator(xcb_get_setup(connection_)).data->root;
        const std::uint32_t mask = XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY;
        xcb_change_window_attributes(connection_, root_, XCB_CW_EVENT_MASK, &mask);
        const char name[] = "_NET_WM_PID";
        std::unique_ptr<xcb_intern_atom_reply_t, decltype(&std::free)> atom(
            xcb_intern_atom_reply(connection_, xcb_intern_atom(connection_, 0, sizeof name - 1, name), nullptr),
            &std::free);
        pidAtom_ = atom ? atom->atom : xcb_atom_t{XCB_ATOM_NONE};
        xcb_flush(connection_);
    }
    ~MapWatch() { xcb_disconnect(connection_); }
    MapWatch(const MapWatch&) = delete;
    MapWatch& operator=(const MapWatch&) = delete;

    bool ok() const { return xcb_connection_has_error(connection_) == 0 && pidAtom_ != XCB_ATOM_NONE; }

    // The window of process pid mapped since the last call, if any.
    std::optional<xcb_window_t> mapped(qint64 pid)
    {
        std::optional<xcb_window_t> found;
        while (xcb_generic_event_t* event = xcb_poll_for_event(connection_)) {
            if ((event->response_type & 0x7F) == XCB_MAP_NOTIFY) {
                const auto* map = reinterpret_cast<xcb_map_notify_event_t*>(event);
                if (!found && map->override_redirect == 0 && pidOf(map->window) == pid) {
                    found = map->window;
                }
            }
            std::free(event);
        }
        return found;
    }

private:
    qint64 pidOf(xcb_window_t window)
    {
        std::unique_ptr<xcb_get_property_reply_t, decltype(&std::free)> reply(
            xcb_get_property_reply(
                connection_, xcb_get_property(connection_, 0, window, pidAtom_, XCB_ATOM_CARDINAL, 0, 1), nullptr),
            &std::free);
        if (!reply || xcb_get_property_value_length(reply.get()) != 4) {
            return -1;
        }
        std::uint32_t pid = 0;
        std::memcpy(&pid, xcb_get_property_value(reply.get()), sizeof pid);
        return pid;
    }

    xcb_connection_t* connection_;
    xcb_window_t root_ = XCB_WINDOW_NONE;
    xcb_atom_t pidAtom_ = XCB_ATOM_NONE;
};

// Reads every waiting sACN packet; the level of channel 1 in each.
std::vector<int> drain(QUdpSocket& socket)
{
    std::vector<int> levels;
    while (socket.hasPendingDatagrams()) {
        QByteArray packet(static_cast<qsizetype>(socket.pendingDatagramSize()), '\0');
        socket.readDatagram(packet.data(), packet.size());
        if (packet.size() > SacnSlot1) {
            levels.push_back(static_cast<unsigned char>(packet[SacnSlot1]));
        }
    }
    return levels;
}

// Sleeps for ms while keeping the socket read; the distinct channel-1 levels seen.
std::set<int> wait(QUdpSocket& socket, int ms)
{
    std::set<int> seen;
    QElapsedTimer clock;
    clock.start();
    while (clock.elapsed() < ms) {
        socket.waitForReadyRead(static_cast<int>(std::min<qint64>(100, std::max<qint64>(1, ms - clock.elapsed()))));
        for (const int level : drain(socket)) {
            seen.insert(level);
        }
    }
    return seen;
}

double cpuPercent(qint64 pid, QUdpSocket& socket, int seconds, std::set<int>* levels = nullptr)
{
    const double from = processCpuSeconds(pid);
    const std::set<int> seen = wait(socket, seconds * 1000);
    const double to = processCpuSeconds(pid);
    if (levels != nullptr) {
        *levels = seen;
    }
    return from < 0 || to < 0 ? -1 : 100.0 * (to - from) / seconds;
}

bool pressPlay(const QString& display, xcb_window_t window)
{
    QProcess xdotool;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("DISPLAY"), display);
    xdotool.setProcessEnvironment(env);
    xdotool.start(QStringLiteral("xdotool"), {QStringLiteral("windowfocus"), QStringLiteral("--sync"),
                                              QString::number(window), QStringLiteral("key"), QStringLiteral("minus")});
    return xdotool.waitForFinished(10000) && xdotool.exitCode() == 0;
}

class Run {
public:
    Run(const Options& options, const QString& display) : options_(options), display_(display) {}

    // One start of the program; adds its figures. False with a message on stderr when it failed.
    bool measure(Figures& figures, int memoryMinutes, double* endRss)
    {
        QTemporaryDir home;
        if (!writeBusyShow(home.path())) {
            return fail("cannot write the show or the settings");
        }
        QUdpSocket sacn;
        if (!sacn.bind(QHostAddress::LocalHost, SacnPort, QUdpSocket::ShareAddress | QUdpSocket::ReuseAddressHint)) {
            return fail("cannot listen to sACN on 127.0.0.1:5568: " + sacn.errorString().toStdString());
        }
        MapWatch watch(display_);
        if (!watch.ok()) {
            return fail("cannot watch the X server " + display_.toStdString());
        }

        QProcess program;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("XDG_DATA_HOME"), home.filePath(QStringLiteral("data")));
        env.insert(QStringLiteral("HOME"), home.path());
        env.insert(QStringLiteral("DISPLAY"), display_);
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
        if (options_.interface) {
            env.insert(QStringLiteral("LD_LIBRARY_PATH"), QStringLiteral(FAKE_FTD2XX_DIR));
        }
        program.setProcessEnvironment(env);
        program.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        QElapsedTimer clock;
        clock.start();
        program.start(options_.program, {});
        if (!program.waitForStarted(5000)) {
            return fail("the program did not start");
        }
        const qint64 pid = program.processId();
        std::optional<double> firstFrame, mapped;
        std::optional<xcb_window_t> window;
        while ((!firstFrame || !mapped) && clock.elapsed() < 20000 && program.state() == QProcess::Running) {
            sacn.waitForReadyRead(1);
            if (!firstFrame && !drain(sacn).empty()) {
                firstFrame = static_cast<double>(clock.nsecsElapsed()) / 1e6;
            }
            if (!mapped) {
                if ((window = watch.mapped(pid))) {
                    mapped = static_cast<double>(clock.nsecsElapsed()) / 1e6;
                }
            }
        }
        const auto stop = [&program] {
            program.terminate();
            if (!program.waitForFinished(10000)) {
                program.kill();
                program.waitForFinished(5000);
            }
        };
        if (!firstFrame || !mapped) {
            stop();
            return fail(!firstFrame ? "no DMX frame within 20 s" : "no window mapped within 20 s");
        }
        wait(sacn, 2000);  // start-up done
        const double rss = processResidentMb(pid);
        const double idle = cpuPercent(pid, sacn, options_.seconds);
        if (!pressPlay(display_, *window)) {
            stop();
            return fail("xdotool could not send the play key");
        }
        std::set<int> levels;
        const double playing = cpuPercent(pid, sacn, options_.seconds, &levels);
        if (levels.size() < 3) {
            stop();
            return fail("the show did not play (channel 1 took " + std::to_string(levels.size()) + " levels)");
        }
        if (memoryMinutes > 0) {
            wait(sacn, memoryMinutes * 60000);
            *endRss = processResidentMb(pid);
        }
        stop();
        if (rss < 0 || idle < 0 || playing < 0) {
            return fail("the program ended during the run");
        }
        figures.firstFrameMs.push_back(*firstFrame);
        figures.mappedMs.push_back(*mapped);
        figures.idleCpu.push_back(idle);
        figures.playingCpu.push_back(playing);
        figures.startRss.push_back(rss);
        return true;
    }

private:
    static bool fail(const std::string& why)
    {
        std::fprintf(stderr, "window_cost: %s\n", why.c_str());
        return false;
    }

    const Options& options_;
    QString display_;
};

void printRow(const char* figure, std::vector<double> values, const char* format)
{
    std::sort(values.begin(), values.end());
    const double median = values.size() % 2 == 1 ? values[values.size() / 2]
                                                  : (values[values.size() / 2 - 1] + values[values.size() / 2]) / 2;
    std::printf("%-46s", figure);
    for (const double v : {values.front(), median, values.back()}) {
        std::printf(format, v);
    }
    std::printf("\n");
}

std::optional<Options> parse(int argc, char** argv)
{
    Options options;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        const auto number = [&](int& into, int least) {
            if (i + 1 >= argc) {
                return false;
            }
            char* end = nullptr;
            const long value = std::strtol(argv[++i], &end, 10);
            if (*end != '\0' || value < least || value > 10000) {
                return false;
            }
            into = static_cast<int>(value);
            return true;
        };
        bool ok = true;
        if (arg == "--runs") {
            ok = number(options.runs, 1);
        } else if (arg == "--seconds") {
            ok = number(options.seconds, 1);
        } else if (arg == "--memory-minutes") {
            ok = number(options.memoryMinutes, 0);
        } else if (arg == "--program" && i + 1 < argc) {
            options.program = QString::fromLocal8Bit(argv[++i]);
        } else if (arg == "--no-interface") {
            options.interface = false;
        } else {
            ok = false;
        }
        if (!ok) {
            return std::nullopt;
        }
    }
    return options;
}

}  // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const std::optional<Options> options = parse(argc, argv);
    if (!options) {
        std::fputs("usage: velantra_window_cost [--runs N] [--seconds S] [--memory-minutes M] [--no-interface] "
                   "[--program PATH]\n",
                   stderr);
        return 2;
    }
    QProcess server;
    const QString display = startXvfb(server);
    if (display.isEmpty()) {
        std::fputs("window_cost: Xvfb could not be started (tools/deps.sh installs xvfb)\n", stderr);
        return 1;
    }
    std::printf("The program under Xvfb %s (xcb): 3 scenes x 255 changing channels, fader page, %s, sACN to the "
                "loopback; %d runs, CPU over %d s each\n%s\n",
                qPrintable(display), options->interface ? "fake interface" : "no interface", options->runs,
                options->seconds, qPrintable(options->program));
    std::fflush(stdout);
    Figures figures;
    Run run(*options, display);
    double endRss = -1;
    bool ok = true;
    for (int i = 0; i < options->runs && ok; ++i) {
        ok = run.measure(figures, i + 1 == options->runs ? options->memoryMinutes : 0, &endRss);
    }
    stopXvfb(server);
    if (!ok) {
        return 1;
    }
    std::printf("%-46s%10s%10s%10s\n", "figure", "min", "median", "max");
    printRow("exec to first DMX frame, ms", figures.firstFrameMs, "%10.0f");
    printRow("exec to main window mapped, ms", figures.mappedMs, "%10.0f");
    printRow("CPU, show stopped, window idle, % of a core", figures.idleCpu, "%10.2f");
    printRow("CPU, show playing at tempo 10, % of a core", figures.playingCpu, "%10.2f");
    printRow("resident memory after start, MB", figures.startRss, "%10.1f");
    if (options->memoryMinutes > 0) {
        std::printf("%-46s%10.1f   (last run, after %d min playing)\n", "resident memory at the end, MB", endRss,
                    options->memoryMinutes);
    }
    return 0;
}
