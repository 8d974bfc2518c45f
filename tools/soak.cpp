// velantra_soak: the whole program left running, as on a long show night.
//
// The main window runs offscreen on a fake interface with a sample show
// playing at the fastest tempo, both automats running, the static pictures
// flashing from their check boxes and from the flash keys, the pages of the
// main page control turning, the interface pulled out and plugged in again
// every few seconds and the autosave firing every 15 s. At the end the window
// is closed with every question answered "no", and a report goes to stdout,
// one figure per line as "name: value".
//
// The run fails (exit status 1) when a replug is not recovered within two of
// the link's once-a-second polls, when frames stop while the interface is
// plugged in, when memory grows by more than the threshold after the first
// minute (the first quarter of a run shorter than four minutes; the resident
// size, or under AddressSanitizer the heap in use), when an autosave does not
// write the show, when a dialog pops up during the run, or when the window
// does not stop cleanly. Late ticks fail it only with --strict-timing.
//
// The network outputs run too: sACN and Art-Net through --network-interface
// (tools/soak.sh makes one end of a veth pair for it when run as root;
// without one, unicast on the loopback). With --network-outages the interface is
// taken down for 3 s every 13 s; the run fails when sending does not resume
// within 3 s of the interface coming back, or when no packet was sent.
//
// usage: velantra_soak [--minutes N | --seconds N] [--replug-seconds N]
//                      [--autosave-seconds N] [--max-growth-kib N] [--strict-timing]
//                      [--network-interface NAME] [--network-outages]
#include "app/base.h"
#include "engine/sequencer.h"
#include "engine/show_memory.h"
#include "engine/version.h"
#include "network/network_outputs.h"
#include "programming/pictures_tab.h"
#include "programming/sequencer_page.h"
#include "shell/dialogs.h"
#include "storage/data_dir.h"
#include "storage/show_file.h"
#include "tests/testing/fake_d2xx.h"
#include "tools/parse_number.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QDialog>
#include <QElapsedTimer>
#include <QFile>
#include <QKeyEvent>
#include <QMessageBox>
#include <QProcess>
#include <QScrollBar>
#include <QTabWidget>
#include <QTimer>
#include <QToolButton>

#include <malloc.h>

#include <algorithm>
#include <array>
#include <charconv>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>
#include <string_view>
#include <system_error>
#include <utility>
#include <vector>

#if defined(__SANITIZE_ADDRESS__)
#define VELANTRA_SOAK_ASAN 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define VELANTRA_SOAK_ASAN 1
#endif
#endif

#ifdef VELANTRA_SOAK_ASAN
// AddressSanitizer's count of the bytes the program has allocated and not
// freed; memory waiting in its quarantine is not counted.
extern "C" std::size_t __sanitizer_get_current_allocated_bytes();  // NOLINT(bugprone-reserved-identifier)
#endif

namespace {

using namespace velantra;

struct Options {
    int seconds = 120;
    int replugSeconds = 5;
    int autosaveSeconds = 15;
    // Growth allowed after the first minute. The program allocates its show,
    // frames and widgets at start-up; playing only makes short-lived strings
    // and palettes, and Qt's caches fill within the first minute, so a
    // steady run moves by a few hundred KiB at most. 2 MiB is far above that
    // noise and still catches a leak of about 500 bytes a tick in a 5-minute run.
    int maxGrowthKib = 2048;
    bool strictTiming = false;
    QString networkInterface;  // empty: unicast on the loopback
    bool networkOutages = false;
};

void printUsage(std::FILE* to)
{
    std::fprintf(to, "usage: velantra_soak [--minutes N | --seconds N] [--replug-seconds N] [--autosave-seconds N]\n"
                     "                     [--max-growth-kib N] [--strict-timing]\n"
                     "  --minutes N, --seconds N  how long to run (default 2 minutes, at least 20 s)\n"
                     "  --replug-seconds N        unplug and plug the interface every N s (default 5, 4..600)\n"
                     "  --autosave-seconds N      autosave period (default 15)\n"
                     "  --max-growth-kib N        memory growth allowed after the first minute (default 2048)\n"
                     "  --strict-timing           late ticks fail the run\n"
                     "  --network-interface NAME  the network outputs send through NAME (default: loopback unicast)\n"
                     "  --network-outages         take NAME down for 3 s every 13 s (root; a link of its own)\n");
}

bool parseOptions(int argc, char** argv, Options& o)
{
    for (int i = 1; i < argc; ++i) {
        const std::string_view arg = argv[i];
        const char* value = i + 1 < argc ? argv[i + 1] : "";
        int minutes = 0;
        if (arg == "--strict-timing") {
            o.strictTiming = true;
            continue;
        }
        if (arg == "--network-outages") {
            o.networkOutages = true;
            continue;
        }
        if (arg == "--network-interface" && i + 1 < argc) {
            o.networkInterface = QString::fromLocal8Bit(value);
            ++i;
            continue;
        }
        bool ok = false;
        if (arg == "--minutes") {
            ok = parseNumber(value, 1, 24 * 60, minutes);
            o.seconds = minutes * 60;
        } else if (arg == "--seconds") {
            ok = parseNumber(value, 20, 24 * 3600, o.seconds);
        } else if (arg == "--replug-seconds") {
            ok = parseNumber(value, 4, 600, o.replugSeconds);
        } else if (arg == "--autosave-seconds") {
            ok = parseNumber(value, 1, 3600, o.autosaveSeconds);
        } else if (arg == "--max-growth-kib") {
            ok = parseNumber(value, 0, 1 << 20, o.maxGrowthKib);
        }
        if (!ok) {
            return false;
        }
        ++i;
    }
    return true;
}

// Resident memory of this process in KiB (VmRSS), or -1.
long vmRssKib()
{
    // A /proc file has no size: read it whole rather than up to atEnd().
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly)) {
        return -1;
    }
    const QList<QByteArray> lines = status.readAll().split('\n');
    for (const QByteArray& line : lines) {
        if (line.startsWith("VmRSS:")) {
            bool ok = false;
            const long kib = line.mid(6).trimmed().split(' ').constFirst().toLong(&ok);
            return ok ? kib : -1;
        }
    }
    return -1;
}

// Bytes the program holds on the heap now.
long heapKib()
{
#ifdef VELANTRA_SOAK_ASAN
    return static_cast<long>(__sanitizer_get_current_allocated_bytes() / 1024);
#else
    const struct mallinfo2 info = mallinfo2();
    return static_cast<long>((info.uordblks + info.hblkhd) / 1024);
#endif
}

struct MemorySample {
    long rss = 0;
    long heap = 0;
};

MemorySample sampleMemory()
{
    return {vmRssKib(), heapKib()};
}

// Sixteen scenes over channels 1..48 with a moving head on 33/34, sixteen
// static pictures on channels 49..64, and the automats on 41..44 and 61..64.
void loadSoakShow(Engine& e)
{
    for (int s = 0; s < 16; ++s) {
        for (int c = 1; c <= 48; ++c) {
            e.DataWrite(static_cast<std::uint8_t>(s), static_cast<std::uint8_t>(c), (c * 37 + s * 61) % 256);
        }
    }
    e.memory.set(CellLastScene, 15);
    e.memory.set(CellScene, 0);
    for (int k = 0; k < PictureCount; ++k) {
        const int base = pictureAddress(k);
        for (int c = 48; c < 64; ++c) {
            const bool member = (c + k) % 3 != 0;
            e.memory.set(base + c, member ? 1 : 0);
            e.memory.set(base + 256 + c, static_cast<std::uint8_t>(member ? 255 - k * 8 : 0));
        }
    }
}

template <typename T> T* child(QObject& parent, const char* name)
{
    T* found = parent.findChild<T*>(QString::fromLatin1(name));
    if (found == nullptr) {
        std::fprintf(stderr, "velantra_soak: no %s in the main window\n", name);
        std::exit(1);
    }
    return found;
}

// Play at the fastest tempo with the automat glide, both automats running alone
// at their fastest with different programs.
void startShow(TBaseForm& form)
{
    form.sequencerPage()->tempoBar()->setValue(TempoMin);
    child<QAbstractButton>(form, "RadioGroupRateItem1")->click();
    const char* const channelBars[] = {"ScrollBarChannelAvtomat1", "ScrollBarChannelAvtomat2"};
    const char* const tempoBars[] = {"ScrollBarTempAvtomat1", "ScrollBarTempAvtomat2"};
    const char* const brightBars[] = {"ScrollBarBrightAvtomat1", "ScrollBarBrightAvtomat2"};
    const char* const runBoxes[] = {"CheckBoxAvtomat1", "CheckBoxAvtomat2"};
    const int firstChannel[] = {40, 60};
    for (int a = 0; a < 2; ++a) {
        child<QScrollBar>(form, channelBars[a])->setValue(firstChannel[a]);
        QScrollBar* tempo = child<QScrollBar>(form, tempoBars[a]);
        tempo->setValue(tempo->minimum());
        child<QScrollBar>(form, brightBars[a])->setValue(0);
        child<QCheckBox>(form, runBoxes[a])->setChecked(true);
    }
    child<QAbstractButton>(form, "SpeedButtonAvto2Mode3")->click();
    form.sequencerPage()->playButton()->click();
}

// One unplug and plug-in of the interface.
struct Replug {
    int unplugMs = 0;
    int afterPollMs = 0;  // how long after a poll it was pulled out
    int polls = 0;        // link polls from plug-in until frames reached the device again
    bool recovered = false;
    bool done = false;  // recovered, or given up on
};

constexpr std::uint8_t MarkScene = 200;  // beyond the show's last scene
constexpr int MaxPolls = 2;              // a replug must be recovered within this many polls

class Soak {
public:
    Soak(TBaseForm& form, FakeD2xx& device, const Options& options)
        : form_(form)
        , device_(device)
        , options_(options)
    {}

    void start();
    // Stops unplugging and flashing; the replug in progress, if any, goes on.
    void stopDisturbing();
    bool replugPending() const { return !replugs_.empty() && !replugs_.back().done; }
    // The replug in progress is given up on: it counts as not recovered.
    void giveUp();

    std::vector<Replug> replugs_;
    int autosaves_ = 0;
    int autosaveFailures_ = 0;
    int stalledSeconds_ = 0;
    int unexpectedDialogs_ = 0;
    int pictureToggles_ = 0;
    int flashKeys_ = 0;
    int pageTurns_ = 0;
    int networkOutages_ = 0;
    int networkRecovered_ = 0;

private:
    void networkOutage();
    std::uint64_t networkPackets() const;
    void arm();
    void polled();
    void unplug(int afterPollMs);
    void plugIn();
    void checkRecovery();
    void watchdog();
    void checkAutosave();
    void togglePicture();
    void flashKey();
    QTimer* every(int ms, void (Soak::*step)());

    TBaseForm& form_;
    FakeD2xx& device_;
    Options options_;
    std::vector<QTimer*> timers_;
    bool plugged_ = true;
    bool armed_ = false;      // unplug at the chosen moment after the next poll
    bool disturbing_ = true;  // false once the run is over
    int pollsSincePlugIn_ = 0;
    std::size_t writesAtPlugIn_ = 0;
    std::size_t writesAtLastCheck_ = 0;
    bool flowingAtLastCheck_ = false;
    int pictureStep_ = 0;
    int keyStep_ = 0;
    bool networkDown_ = false;
    bool networkWatching_ = false;  // waiting for packets after the interface came back
    std::uint64_t packetsAtUp_ = 0;
    QElapsedTimer sinceUp_;
};

QTimer* Soak::every(int ms, void (Soak::*step)())
{
    auto* timer = new QTimer(&form_);
    QObject::connect(timer, &QTimer::timeout, &form_, [this, step] { (this->*step)(); });
    timer->start(ms);
    timers_.push_back(timer);
    return timer;
}

void Soak::start()
{
    // Connected after the window's own handlers, so these run right after them.
    QObject::connect(child<QTimer>(form_, "TimerPolling"), &QTimer::timeout, &form_, [this] { polled(); });
    QTimer* autosave = child<QTimer>(form_, "TimerAvtoSave");
    autosave->setInterval(options_.autosaveSeconds * 1000);
    QObject::connect(autosave, &QTimer::timeout, &form_, [this] { checkAutosave(); });

    every(options_.replugSeconds * 1000, &Soak::arm);
    every(10, &Soak::checkRecovery);
    every(1000, &Soak::watchdog);
    every(300, &Soak::togglePicture);
    every(500, &Soak::flashKey);
    if (options_.networkOutages) {
        every(13000, &Soak::networkOutage);
    }
    QTabWidget* pages = form_.pageControlInput();
    auto* pageTimer = new QTimer(&form_);
    QObject::connect(pageTimer, &QTimer::timeout, &form_, [this, pages] {
        pages->setCurrentIndex((pages->currentIndex() + 1) % pages->count());
        ++pageTurns_;
    });
    pageTimer->start(7000);
    timers_.push_back(pageTimer);
}

void Soak::stopDisturbing()
{
    disturbing_ = false;
    for (QTimer* timer : timers_) {
        timer->stop();
    }
    // Recovery is still watched until the end.
    timers_.clear();
    every(10, &Soak::checkRecovery);
}

void Soak::arm()
{
    if (plugged_ && !replugPending()) {
        armed_ = true;
    }
}

// Recovery is measured in the link's polls, and whether a poll falls while
// the interface is out decides how the link finds out. So each replug starts
// at a chosen moment after a poll, and the moments and the lengths of the
// outages cycle with co-prime counts: a short outage sometimes spans a poll
// and sometimes not (the link then sees the dead handle only once it is back).
void Soak::polled()
{
    ++pollsSincePlugIn_;
    if (plugged_ && replugPending() && pollsSincePlugIn_ > MaxPolls + 1) {
        giveUp();
    }
    if (armed_) {
        armed_ = false;
        static constexpr std::array<int, 4> Moments = {100, 400, 700, 900};
        const int after = Moments[replugs_.size() % Moments.size()];
        QTimer::singleShot(after, &form_, [this, after] { unplug(after); });
    }
}

void Soak::unplug(int afterPollMs)
{
    if (!disturbing_ || !plugged_ || replugPending()) {
        return;
    }
    static constexpr std::array<int, 3> Lengths = {300, 1300, 2300};
    const int longest = options_.replugSeconds * 1000 - 2000;
    const int length = std::max(100, std::min(Lengths[replugs_.size() % Lengths.size()], longest));
    replugs_.push_back({length, afterPollMs, 0, false, false});
    device_.unplug();
    plugged_ = false;
    flowingAtLastCheck_ = false;
    QTimer::singleShot(length, &form_, [this] { plugIn(); });
}

void Soak::plugIn()
{
    writesAtPlugIn_ = device_.writeCount();
    pollsSincePlugIn_ = 0;
    device_.attach();
    plugged_ = true;
}

void Soak::checkRecovery()
{
    // Frames only reach a device opened after it came back, and only a poll
    // opens it: the polls counted when the first frame arrives are the
    // polls the recovery took.
    if (plugged_ && replugPending() && device_.writeCount() > writesAtPlugIn_) {
        replugs_.back().recovered = true;
        replugs_.back().done = true;
        replugs_.back().polls = pollsSincePlugIn_;
    }
}

void Soak::giveUp()
{
    if (replugPending()) {
        replugs_.back().done = true;
        replugs_.back().polls = pollsSincePlugIn_;
    }
}

std::uint64_t Soak::networkPackets() const
{
    return form_.networkOutputs().sacnOutput().counters().packets +
           form_.networkOutputs().artNetOutput().counters().packets;
}

// The interface goes away for 3 s and comes back; the watchdog checks that
// sending resumes by itself.
void Soak::networkOutage()
{
    const QString name = options_.networkInterface;
    if (QProcess::execute(QStringLiteral("ip"), {"link", "set", name, "down"}) != 0) {
        std::fprintf(stderr, "velantra_soak: could not take %s down\n", qPrintable(name));
        return;
    }
    ++networkOutages_;
    networkDown_ = true;
    QTimer::singleShot(3000, &form_, [this, name] {
        QProcess::execute(QStringLiteral("ip"), {"link", "set", name, "up"});
        networkDown_ = false;
        networkWatching_ = true;
        packetsAtUp_ = networkPackets();
        sinceUp_.start();
    });
}

void Soak::watchdog()
{
    if (networkWatching_) {
        if (networkPackets() > packetsAtUp_ + 10) {
            ++networkRecovered_;
            networkWatching_ = false;
        } else if (sinceUp_.elapsed() > 3000) {
            std::fprintf(stderr, "velantra_soak: the network outputs did not resume within 3 s\n");
            networkWatching_ = false;
        }
    }
    const std::size_t writes = device_.writeCount();
    const bool flowing = plugged_ && !replugPending();
    if (flowing && flowingAtLastCheck_ && writes == writesAtLastCheck_) {
        ++stalledSeconds_;
        std::fprintf(stderr, "velantra_soak: no frame reached the plugged-in interface for a second\n");
    }
    flowingAtLastCheck_ = flowing;
    writesAtLastCheck_ = writes;
}

void Soak::checkAutosave()
{
    // The file must hold exactly the show memory as it is now: nothing on
    // the GUI thread has run since the autosave wrote it. The tick writes
    // one cell of it, the current scene, when the sequencer steps on the
    // tick's clock: that cell may have moved on since.
    QFile file(autosaveFile());
    QByteArray expected(ShowFileSize, Qt::Uninitialized);
    form_.engine().memory.copyOut(0, ShowFileSize, reinterpret_cast<std::uint8_t*>(expected.data()));
    auto loaded = std::make_unique<ShowMemory>();
    const bool read = readShowFile(file.fileName(), *loaded).ok;
    QByteArray image(ShowFileSize, Qt::Uninitialized);
    loaded->copyOut(0, ShowFileSize, reinterpret_cast<std::uint8_t*>(image.data()));
    expected[CellScene] = image[CellScene];
    if (read && file.size() == ShowFileSize && image == expected) {
        ++autosaves_;
    } else {
        ++autosaveFailures_;
        std::fprintf(stderr, "velantra_soak: the autosave did not write the show to %s\n", qPrintable(file.fileName()));
    }
    // A mark in a scene the show never reaches, so that a file left by this
    // autosave cannot pass for the next one.
    form_.engine().memory.set(sceneAddress(MarkScene) + 1, static_cast<std::uint8_t>(autosaves_ + autosaveFailures_));
}

void Soak::togglePicture()
{
    // Turns on picture 0, 1, ... 15, then off again in the same order.
    form_.picturesTab()->picture(pictureStep_ % PictureCount)->toggle();
    ++pictureStep_;
    ++pictureToggles_;
}

void Soak::flashKey()
{
    static constexpr std::array<int, 16> Keys = {Qt::Key_1, Qt::Key_2, Qt::Key_3,     Qt::Key_4, Qt::Key_5, Qt::Key_6,
                                                 Qt::Key_7, Qt::Key_8, Qt::Key_Space, Qt::Key_Z, Qt::Key_X, Qt::Key_C,
                                                 Qt::Key_V, Qt::Key_B, Qt::Key_N,     Qt::Key_M};
    const int key = Keys[static_cast<std::size_t>(keyStep_++) % Keys.size()];
    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier);
    QApplication::sendEvent(&form_, &press);
    ++flashKeys_;
    QTimer::singleShot(150, &form_, [this, key] {
        QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier);
        QApplication::sendEvent(&form_, &release);
    });
}

void runFor(int ms)
{
    QElapsedTimer t;
    t.start();
    while (t.elapsed() < ms) {
        QApplication::processEvents(QEventLoop::AllEvents, 20);
    }
}

double toMs(std::chrono::microseconds d)
{
    return static_cast<double>(d.count()) / 1000.0;
}

}  // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Velantra %1").arg(QLatin1String(velantra::ProgramVersion)));
    Options options;
    if (!parseOptions(argc, argv, options)) {
        printUsage(stderr);
        return 2;
    }

    auto owned = std::make_unique<FakeD2xx>();
    FakeD2xx& device = *owned;
    device.attach();
    device.setRecordLimit(0);  // count the frames, keep none
    int dialogs = 0;
    setDialogAnswerer([&dialogs](QDialog& dialog) {
        ++dialogs;
        const auto* box = qobject_cast<QMessageBox*>(&dialog);
        std::fprintf(stderr, "velantra_soak: a dialog came up during the run: %s\n",
                     qPrintable(box ? box->text() : dialog.objectName()));
        return 0;
    });

    TBaseForm form(std::move(owned));
    // Both network outputs send every frame, through the chosen interface or
    // by unicast on the loopback.
    {
        SacnSettings sacn;
        sacn.enabled = QStringLiteral("1");
        ArtNetSettings artnet;
        artnet.enabled = QStringLiteral("1");
        artnet.portAddress = QStringLiteral("0:0:1");
        if (options.networkInterface.isEmpty()) {
            sacn.destination = QStringLiteral("127.0.0.1");
            artnet.destination = QStringLiteral("127.0.0.1");
        } else {
            sacn.interfaceName = options.networkInterface;
            artnet.interfaceName = options.networkInterface;
        }
        form.networkOutputs().applySacn(sacn);
        form.networkOutputs().applyArtNet(artnet);
    }
    form.resize(898, 651);
    form.show();
    QApplication::processEvents();
    loadSoakShow(form.engine());
    form.ReturnPageControlAll();
    // Every page once, so that what a page builds on its first showing is
    // there before memory is measured.
    QTabWidget* pages = form.pageControlInput();
    for (int i = pages->count() - 1; i >= 0; --i) {
        pages->setCurrentIndex(i);
        runFor(200);
    }
    startShow(form);
    const MemorySample atStart = sampleMemory();

    Soak soak(form, device, options);
    soak.start();
    QElapsedTimer wall;
    wall.start();
    const int checkpointMs = std::min(60'000, options.seconds * 1000 / 4);
    runFor(checkpointMs);
    const MemorySample atCheckpoint = sampleMemory();
    // The resident size once a minute after that, to show its course.
    std::vector<std::pair<int, MemorySample>> course;
    for (int at = checkpointMs + 60'000; at < options.seconds * 1000; at += 60'000) {
        runFor(at - static_cast<int>(wall.elapsed()));
        course.emplace_back(at / 1000, sampleMemory());
    }
    runFor(options.seconds * 1000 - static_cast<int>(wall.elapsed()));

    // Let the replug in progress finish: two polls, a tick and some slack.
    soak.stopDisturbing();
    QElapsedTimer grace;
    grace.start();
    while (soak.replugPending() && grace.elapsed() < 6000) {
        QApplication::processEvents(QEventLoop::AllEvents, 20);
    }
    soak.giveUp();
    const MemorySample atEnd = sampleMemory();
    const double seconds = static_cast<double>(wall.elapsed()) / 1000.0;
    OutputThread& thread = form.outputThread();
    const std::uint64_t ticks = thread.ticks();
    const std::uint64_t late = thread.lateTicks();
    const double longest = toMs(thread.longestPeriod());
    const Scheduling scheduling = thread.scheduling();
    const std::size_t frames = device.writeCount();
    const int runDialogs = dialogs;
    const SenderCounters sacnCounters = form.networkOutputs().sacnOutput().counters();
    const SenderCounters artnetCounters = form.networkOutputs().artNetOutput().counters();

    // Closing asks about saving the show: every question is answered "no".
    setDialogAnswerer([](QDialog&) { return 0; });
    form.close();
    QApplication::processEvents();
    const bool stoppedCleanly = !thread.running() && form.link().UsbOpen.load() == 0 && device.openHandles() == 0;

    int recoveredIn1 = 0;
    int recoveredIn2 = 0;
    int recoveredLater = 0;
    int notRecovered = 0;
    int maxPolls = 0;
    for (const Replug& r : soak.replugs_) {
        if (!r.recovered) {
            ++notRecovered;
        } else if (r.polls <= 1) {
            ++recoveredIn1;
        } else if (r.polls <= MaxPolls) {
            ++recoveredIn2;
        } else {
            ++recoveredLater;
        }
        maxPolls = std::max(maxPolls, r.polls);
    }
#ifdef VELANTRA_SOAK_ASAN
    // AddressSanitizer keeps freed memory in quarantine, which the resident
    // size counts: the heap still in use is what a leak would grow.
    const char* const measured = "heap";
    const long growth = atEnd.heap - atCheckpoint.heap;
#else
    const char* const measured = "vmrss";
    const long growth = atEnd.rss - atCheckpoint.rss;
#endif

    std::printf("duration_s: %.1f\n", seconds);
    std::printf("ticks: %llu\n", static_cast<unsigned long long>(ticks));
    std::printf("late_ticks: %llu\n", static_cast<unsigned long long>(late));
    std::printf("longest_tick_period_ms: %.3f\n", longest);
    std::printf("frames_written: %zu\n", frames);
    std::printf("frames_stalled_seconds: %d\n", soak.stalledSeconds_);
    std::printf("scheduling: %s\n", scheduling == Scheduling::RealTime ? "SCHED_FIFO" : "normal");
    for (std::size_t i = 0; i < soak.replugs_.size(); ++i) {
        const Replug& r = soak.replugs_[i];
        if (r.recovered) {
            std::printf("replug_%zu_polls: %d (out %d ms from %d ms after a poll)\n", i + 1, r.polls, r.unplugMs,
                        r.afterPollMs);
        } else {
            std::printf("replug_%zu_polls: not recovered (out %d ms from %d ms after a poll)\n", i + 1, r.unplugMs,
                        r.afterPollMs);
        }
    }
    std::printf("replugs: %zu\n", soak.replugs_.size());
    std::printf("replugs_recovered_in_1_poll: %d\n", recoveredIn1);
    std::printf("replugs_recovered_in_2_polls: %d\n", recoveredIn2);
    std::printf("replugs_recovered_later: %d\n", recoveredLater);
    std::printf("replugs_not_recovered: %d\n", notRecovered);
    std::printf("replug_max_polls: %d\n", maxPolls);
    std::printf("autosaves: %d\n", soak.autosaves_);
    std::printf("autosave_failures: %d\n", soak.autosaveFailures_);
    std::printf("picture_toggles: %d\n", soak.pictureToggles_);
    std::printf("flash_keys: %d\n", soak.flashKeys_);
    std::printf("page_turns: %d\n", soak.pageTurns_);
    std::printf("network_interface: %s\n",
                options.networkInterface.isEmpty() ? "loopback (unicast)" : qPrintable(options.networkInterface));
    std::printf("sacn_packets: %llu\n", static_cast<unsigned long long>(sacnCounters.packets));
    std::printf("sacn_refused_sends: %llu\n", static_cast<unsigned long long>(sacnCounters.failures));
    std::printf("artnet_packets: %llu\n", static_cast<unsigned long long>(artnetCounters.packets));
    std::printf("artnet_refused_sends: %llu\n", static_cast<unsigned long long>(artnetCounters.failures));
    std::printf("network_outages: %d\n", soak.networkOutages_);
    std::printf("network_outages_recovered: %d\n", soak.networkRecovered_);
    std::printf("dialogs_during_run: %d\n", runDialogs);
    std::printf("vmrss_start_kib: %ld\n", atStart.rss);
    std::printf("vmrss_checkpoint_kib: %ld (after %d s)\n", atCheckpoint.rss, checkpointMs / 1000);
    for (const auto& [at, sample] : course) {
        std::printf("vmrss_at_%ds_kib: %ld\n", at, sample.rss);
    }
    std::printf("vmrss_end_kib: %ld\n", atEnd.rss);
    std::printf("heap_start_kib: %ld\n", atStart.heap);
    std::printf("heap_checkpoint_kib: %ld\n", atCheckpoint.heap);
    for (const auto& [at, sample] : course) {
        std::printf("heap_at_%ds_kib: %ld\n", at, sample.heap);
    }
    std::printf("heap_end_kib: %ld\n", atEnd.heap);
    std::printf("memory_growth_kib: %ld (%s, limit %d)\n", growth, measured, options.maxGrowthKib);
    std::printf("stopped_cleanly: %s\n", stoppedCleanly ? "yes" : "no");

    std::vector<std::string> failures;
    if (notRecovered + recoveredLater > 0) {
        failures.emplace_back("a replug was not recovered within two polls");
    }
    if (frames == 0 || soak.stalledSeconds_ > 0) {
        failures.emplace_back("frames stopped");
    }
    if (atStart.rss < 0 || growth > options.maxGrowthKib) {
        failures.emplace_back("memory grew after the first minute");
    }
    if (soak.autosaveFailures_ > 0 || (options.seconds > options.autosaveSeconds + 5 && soak.autosaves_ == 0)) {
        failures.emplace_back("autosave did not write the show");
    }
    if (runDialogs > 0) {
        failures.emplace_back("a dialog came up during the run");
    }
    if (!stoppedCleanly) {
        failures.emplace_back("the window did not stop cleanly");
    }
    if (sacnCounters.packets == 0 || artnetCounters.packets == 0) {
        failures.emplace_back("a network output sent nothing");
    }
    if (soak.networkRecovered_ < soak.networkOutages_ - 1) {  // the last outage may end with the run
        failures.emplace_back("the network outputs did not resume after an outage");
    }
    if (options.strictTiming && late > 0) {
        failures.emplace_back("late ticks (--strict-timing)");
    }
    for (const std::string& f : failures) {
        std::printf("failure: %s\n", f.c_str());
    }
    std::printf("result: %s\n", failures.empty() ? "pass" : "FAIL");
    std::fflush(stdout);
    return failures.empty() ? 0 : 1;
}
