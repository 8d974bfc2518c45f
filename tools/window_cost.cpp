// What the window costs under a real X server: the real program started as a
// process on an Xvfb of the tool's own (Qt's xcb platform), with the fake
// interface from the test build, a show of three scenes x 255 changing
// channels at tempo 10 and the fader page shown. Each run measures
//   - exec to the first DMX frame (the fake interface's first write; with
//     --no-interface or --sacn, the first sACN packet on the loopback),
//   - exec to the main window mapped (MapNotify on the root window),
//   - processor time with the show stopped and the window idle,
//   - processor time with the show playing (the play key, sent through XTEST),
//   - resident memory after start;
// and one last run plays for --memory-minutes and reports resident memory at
// its end. Prints minimum, median and maximum over the runs.
//
//   velantra_window_cost [--runs N] [--seconds S] [--memory-minutes M]
//                        [--no-interface] [--sacn] [--program PATH]
#include "tests/testing/xvfb.h"
#include "tools/busy_show.h"
#include "tools/proc_usage.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
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
    bool sacn = false;  // frames also as sACN to the loopback (always without the interface)
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

// The frames the program sends, seen from outside: the fake interface's
// frame file, or sACN packets on the loopback.
class Frames {
public:
    Frames(bool sacn, const QString& file)
        : file_(file)
    {
        if (sacn) {
            socket_ = std::make_unique<QUdpSocket>();
            if (!socket_->bind(QHostAddress::LocalHost, SacnPort,
                               QUdpSocket::ShareAddress | QUdpSocket::ReuseAddressHint)) {
                error_ = "cannot listen to sACN on 127.0.0.1:5568: " + socket_->errorString().toStdString();
            }
        }
    }
    const std::string& error() const { return error_; }

    // Waits up to ms for a frame; the frame's fingerprint, or nothing.
    std::optional<QByteArray> next(int ms)
    {
        if (socket_) {
            socket_->waitForReadyRead(ms);
            std::optional<QByteArray> last;
            while (socket_->hasPendingDatagrams()) {
                QByteArray packet(static_cast<qsizetype>(socket_->pendingDatagramSize()), '\0');
                socket_->readDatagram(packet.data(), packet.size());
                if (packet.size() > SacnSlot1) {
                    last = packet.mid(SacnSlot1);
                }
            }
            return last;
        }
        QThread::msleep(static_cast<unsigned long>(ms));
        QFile frame(file_);
        if (!frame.open(QIODevice::ReadOnly) || frame.size() == 0) {
            return std::nullopt;
        }
        return frame.readAll();
    }

    // Keeps watching for ms; how many different frames were seen.
    std::size_t watch(int ms)
    {
        std::set<QByteArray> seen;
        QElapsedTimer clock;
        clock.start();
        while (clock.elapsed() < ms) {
            if (std::optional<QByteArray> frame = next(static_cast<int>(std::min<qint64>(100, ms - clock.elapsed())))) {
                seen.insert(*frame);
            }
        }
        return seen.size();
    }

private:
    QString file_;
    std::unique_ptr<QUdpSocket> socket_;
    std::string error_;
};

double cpuPercent(qint64 pid, Frames& frames, int seconds, std::size_t* distinct = nullptr)
{
    const double from = processCpuSeconds(pid);
    const std::size_t seen = frames.watch(seconds * 1000);
    const double to = processCpuSeconds(pid);
    if (distinct != nullptr) {
        *distinct = seen;
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
    Run(const Options& options, const QString& display)
        : options_(options)
        , display_(display)
    {}

    // One start of the program; adds its figures. False with a message on stderr when it failed.
    bool measure(Figures& figures, int memoryMinutes, double* endRss)
    {
        QTemporaryDir home;
        const bool sacn = options_.sacn || !options_.interface;
        if (!writeBusyShow(home.path(), sacn)) {
            return fail("cannot write the show or the settings");
        }
        const QString frameFile = home.filePath(QStringLiteral("frames"));
        Frames frames(sacn, frameFile);
        if (!frames.error().empty()) {
            return fail(frames.error());
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
            env.insert(QStringLiteral("FAKE_FTD2XX_FRAMES"), frameFile);
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
            if (frames.next(1) && !firstFrame) {
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
        frames.watch(2000);  // start-up done
        const double rss = processResidentMb(pid);
        const double idle = cpuPercent(pid, frames, options_.seconds);
        if (!pressPlay(display_, *window)) {
            stop();
            return fail("xdotool could not send the play key");
        }
        std::size_t distinct = 0;
        const double playing = cpuPercent(pid, frames, options_.seconds, &distinct);
        if (distinct < 3) {
            stop();
            return fail("the show did not play (" + std::to_string(distinct) + " different frames)");
        }
        if (memoryMinutes > 0) {
            frames.watch(memoryMinutes * 60000);
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
        } else if (arg == "--sacn") {
            options.sacn = true;
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
                   "[--sacn] [--program PATH]\n",
                   stderr);
        return 2;
    }
    QProcess server;
    const QString display = startXvfb(server);
    if (display.isEmpty()) {
        std::fputs("window_cost: Xvfb could not be started (tools/deps.sh installs xvfb)\n", stderr);
        return 1;
    }
    std::printf("The program under Xvfb %s (xcb): 3 scenes x 255 changing channels, fader page, %s%s; %d runs, CPU "
                "over %d s each\n%s\n",
                qPrintable(display), options->interface ? "fake interface" : "no interface",
                options->sacn || !options->interface ? ", sACN to the loopback" : "", options->runs, options->seconds,
                qPrintable(options->program));
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
