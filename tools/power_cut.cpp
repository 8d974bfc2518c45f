// velantra_power_cut: no edit is lost when the program is killed.
//
// Each round starts the desk as the window starts it (settings, the last
// show, the edit journal) in a child process that edits the show from a
// script: levels, names and the tempo, now and then an autosave, a save or a
// new show. After a random delay (from a printed seed) the child is killed
// with SIGKILL, and a fresh process starts the desk again and answers "Yes"
// to the recovery. Its show must equal, byte for byte, the show after j
// edits of the script, for a j no smaller than the edits made up to one
// second before the kill and no larger than the edits begun (the script is
// replayed here to know those shows). A show that equals none of them is a
// torn or misplaced record applied.
//
// With --journal-fs the data directory is a small file system of its own
// (root, in a private mount namespace: tools/power_cut.sh) that fails at a
// random moment: "full", a tmpfs filled to its last byte; "readonly", an ext4
// image on a loop device aborted as a disk error aborts it (a tmpfs cannot be
// made read-only under a file open for writing). The show file stays on the
// working disk. The editor must go on editing, say the failure exactly once,
// and the recovered show must hold every edit made up to one second before
// the failure.
//
// usage: velantra_power_cut [--rounds K] [--seed S] [--journal-fs normal|full|readonly] [--dir DIR]
#include "desk/desk_core.h"
#include "engine/engine.h"
#include "journal/edit_journal.h"
#include "journal/recovery.h"
#include "storage/data_dir.h"
#include "storage/settings_file.h"
#include "storage/show_file.h"
#include "tools/parse_number.h"

#include <QCoreApplication>
#include <QDir>
#include <QEvent>
#include <QFile>
#include <QTimer>

#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/mman.h>
#include <sys/mount.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cinttypes>
#include <cstdint>
#include <cstdio>
#include <functional>
#include <memory>
#include <new>
#include <numeric>
#include <random>
#include <string>
#include <string_view>
#include <vector>

extern char** environ;

namespace {

using namespace velantra;

constexpr int MaxEdits = 20000;
constexpr std::int64_t OneSecondNs = 1'000'000'000;
constexpr std::int64_t MsNs = 1'000'000;

// What the editor has done, and what the recovery found, in a file every
// process of the round maps.
struct Progress {
    std::atomic<int> ready{0};
    std::atomic<int> done{0};                // edits fully applied
    std::atomic<int> inSave{0};              // an autosave, a save or a new show under way
    std::atomic<std::int64_t> stepBegan{0};  // the journal's last look (and write, when due)
    std::atomic<std::int64_t> stepEnded{0};
    std::atomic<int> notices{0};  // "the journal is not written" said
    std::atomic<int> repeats{0};  // said again with no "written again" between
    std::atomic<int> state{-1};   // the recovery: JournalRecovery::State of the journal left
    std::atomic<int> tailCut{0};
    std::atomic<int> base{0};       // a Base
    std::int64_t madeAt[MaxEdits];  // CLOCK_MONOTONIC of each edit, ns
};
static_assert(std::atomic<std::int64_t>::is_always_lock_free);

enum Base { NewShowBase, ShowFileBase, AutosaveBase, CopyBase, BaseKinds };
const char* const stateNames[] = {"nothing to recover", "offered", "foreign", "refused"};  // JournalRecovery::State

std::int64_t nowNs()
{
    timespec ts{};
    clock_gettime(CLOCK_MONOTONIC, &ts);
    return std::int64_t{ts.tv_sec} * OneSecondNs + ts.tv_nsec;
}

Progress* mapProgress(const std::string& path, bool create)
{
    const int fd = open(path.c_str(), create ? O_RDWR | O_CREAT | O_TRUNC : O_RDWR, 0600);
    if (fd < 0 || (create && ftruncate(fd, sizeof(Progress)) != 0)) {
        return nullptr;
    }
    void* p = mmap(nullptr, sizeof(Progress), PROT_READ | PROT_WRITE, MAP_SHARED, fd, 0);
    close(fd);
    return p == MAP_FAILED ? nullptr : static_cast<Progress*>(p);
}

// Edit i of the script on engine (the desk's, or this tool's copy): the one
// function both use. What the desk does besides is told by the result.
enum class Also { Nothing, AutoSave, Save, NewShow };
Also applyEdit(Engine& engine, std::uint64_t seed, int i)
{
    std::mt19937_64 random(seed * 1'000'003 + static_cast<std::uint64_t>(i));
    const int kind = static_cast<int>(random() % 1000);
    if (kind < 800) {
        engine.DataWrite(static_cast<std::uint8_t>(1 + random() % 40), static_cast<std::uint8_t>(random() % 256),
                         static_cast<int>(random() % 256));
    } else if (kind < 950) {
        engine.memory.set(NameBase + static_cast<int>(random() % 4096), static_cast<std::uint8_t>('A' + random() % 26));
    } else {
        engine.memory.set(CellTempo, static_cast<std::uint8_t>(1 + random() % 200));
    }
    // About one edit in 125 is followed by an autosave, one in 330 by a
    // save, one in 1000 by a new show.
    const int also = static_cast<int>(random() % 1000);
    return also < 8 ? Also::AutoSave : also < 11 ? Also::Save : also < 12 ? Also::NewShow : Also::Nothing;
}

QByteArray imageOf(const ShowMemory& memory)
{
    QByteArray image(ShowFileSize, Qt::Uninitialized);
    memory.copyOut(0, ShowFileSize, reinterpret_cast<std::uint8_t*>(image.data()));
    return image;
}

// Marks when the journal's timer fires, before the journal looks and writes.
class StepWatch : public QObject {
public:
    explicit StepWatch(Progress* progress)
        : progress_(progress)
    {}
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() == QEvent::Timer) {
            progress_->stepBegan.store(nowNs());
        }
        return false;
    }

private:
    Progress* progress_;
};

// The desk started as the window starts it.
void startDesk(DeskCore& core)
{
    core.startOutput();
    core.readSettings();
    core.openAtStart({});
    core.startJournal();
}

// The child at work: edits every 2 ms until it is killed.
int runEditor(int argc, char** argv, Progress* progress, std::uint64_t seed)
{
    prctl(PR_SET_PDEATHSIG, SIGKILL);
    QCoreApplication app(argc, argv);
    DeskCore core(nullptr, DeskCore::OutputClock::ByHand);
    int i = 0;
    bool failing = false;
    QObject::connect(&core, &DeskCore::status, [progress, &failing](const QString& text) {
        if (text.contains(QStringLiteral("Журнал правок снова записывается"))) {
            failing = false;
        } else if (text.contains(QStringLiteral("Журнал правок не записывается"))) {
            // Said again while no "written again" came between: the same failure said twice.
            progress->repeats.fetch_add(failing ? 1 : 0);
            failing = true;
            progress->notices.fetch_add(1);
        }
    });
    startDesk(core);
    StepWatch watch(progress);
    core.journal()->timer()->installEventFilter(&watch);
    QObject::connect(core.journal()->timer(), &QTimer::timeout, [progress] { progress->stepEnded.store(nowNs()); });
    QTimer edits;
    QObject::connect(&edits, &QTimer::timeout, [&] {
        if (i >= MaxEdits) {
            return;
        }
        const Also also = applyEdit(core.engine(), seed, i);
        progress->inSave.store(also == Also::Nothing ? 0 : 1);
        if (also == Also::AutoSave) {
            core.autoSave();
        } else if (also == Also::Save) {
            core.saveShow();
        } else if (also == Also::NewShow) {
            core.newShow();
        }
        progress->inSave.store(0);
        progress->madeAt[i] = nowNs();
        progress->done.store(++i);
    });
    edits.start(2);
    progress->ready.store(1);
    return app.exec();
}

// A fresh start after the kill: "Yes" to the recovery, the show written to out.
int runRecovery(int argc, char** argv, Progress* progress, const QString& out)
{
    QCoreApplication app(argc, argv);
    DeskCore core(nullptr, DeskCore::OutputClock::ByHand);
    startDesk(core);
    const JournalRecovery& left = core.journalLeft();
    progress->state.store(static_cast<int>(left.state));
    progress->tailCut.store(left.tailCut ? 1 : 0);
    progress->base.store(left.basePath.isEmpty()                                            ? NewShowBase
                         : left.basePath == autosaveFile()                                  ? AutosaveBase
                         : left.basePath.startsWith(recoveryDirectory() + QLatin1Char('/')) ? CopyBase
                                                                                            : ShowFileBase);
    if (left.state == JournalRecovery::State::Offered) {
        core.recover(left);
    }
    QFile file(out);
    const QByteArray image = imageOf(core.engine().memory);
    return file.open(QIODevice::WriteOnly) && file.write(image) == image.size() ? 0 : 1;
}

pid_t spawn(const char* program, const std::vector<std::string>& args)
{
    std::vector<char*> argv{const_cast<char*>(program)};
    for (const std::string& a : args) {
        argv.push_back(const_cast<char*>(a.c_str()));
    }
    argv.push_back(nullptr);
    pid_t pid = -1;
    return posix_spawnp(&pid, program, nullptr, nullptr, argv.data(), environ) == 0 ? pid : -1;
}

int waitFor(pid_t pid)
{
    int status = 0;
    while (pid > 0 && waitpid(pid, &status, 0) < 0) {
    }
    return pid > 0 ? status : -1;
}

// A command (mount, mkfs) run to its end: true when it succeeded.
bool run(const std::vector<std::string>& command)
{
    const int status = waitFor(spawn(command[0].c_str(), {command.begin() + 1, command.end()}));
    return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

void sleepUntil(std::int64_t ns)
{
    timespec ts{static_cast<time_t>(ns / OneSecondNs), static_cast<long>(ns % OneSecondNs)};
    while (clock_nanosleep(CLOCK_MONOTONIC, TIMER_ABSTIME, &ts, nullptr) != 0) {
    }
}

// Fills the file system of dir up to its last byte.
void fill(const QString& dir)
{
    QFile filler(dir + QStringLiteral("/filler"));
    const QByteArray block(4096, 'x');
    if (filler.open(QIODevice::WriteOnly)) {
        while (filler.write(block) == block.size() && filler.flush()) {
        }
        filler.write(block.left(1));
        filler.flush();
    }
}

}  // namespace

int main(int argc, char** argv)
{
    const std::string_view mode = argc > 1 ? argv[1] : "";
    if ((mode == "--edit" && argc == 4) || (mode == "--recover" && argc == 4)) {
        Progress* progress = mapProgress(argv[2], false);
        std::uint64_t seed = 0;
        if (progress == nullptr) {
            return 1;
        }
        if (mode == "--recover") {
            return runRecovery(1, argv, progress, QString::fromLocal8Bit(argv[3]));
        }
        return parseNumber<std::uint64_t>(argv[3], 0, UINT64_MAX, seed) ? runEditor(1, argv, progress, seed) : 2;
    }

    int rounds = 1000;
    std::uint64_t seed = std::random_device{}() ^ static_cast<std::uint64_t>(time(nullptr));
    std::string fs = "normal";
    QString dir;
    for (int i = 1; i < argc; i += 2) {
        const std::string_view arg = argv[i];
        bool ok = i + 1 < argc;
        if (ok && arg == "--rounds") {
            ok = parseNumber(argv[i + 1], 1, 1'000'000, rounds);
        } else if (ok && arg == "--seed") {
            ok = parseNumber<std::uint64_t>(argv[i + 1], 0, UINT64_MAX, seed);
        } else if (ok && arg == "--journal-fs") {
            fs = argv[i + 1];
            ok = fs == "normal" || fs == "full" || fs == "readonly";
        } else if (ok && arg == "--dir") {
            dir = QString::fromLocal8Bit(argv[i + 1]);
        } else {
            ok = false;
        }
        if (!ok) {
            std::fprintf(stderr, "usage: velantra_power_cut [--rounds K] [--seed S] "
                                 "[--journal-fs normal|full|readonly] [--dir DIR]\n");
            return 2;
        }
    }
    if (dir.isEmpty() || !QDir().mkpath(dir)) {
        std::fprintf(stderr, "velantra_power_cut: name a directory with --dir\n");
        return 2;
    }
    std::printf("seed: %" PRIu64 "\njournal_fs: %s\n", seed, fs.c_str());
    std::fflush(stdout);
    const QString home = QDir(dir).absolutePath();
    const QString data = home + QStringLiteral("/data");
    const std::string appDir = (data + QStringLiteral("/korvex/velantra")).toStdString();
    QDir().mkpath(QString::fromStdString(appDir));
    qputenv("XDG_DATA_HOME", data.toLocal8Bit());
    qputenv("HOME", home.toLocal8Bit());
    qputenv("QT_LOGGING_RULES", "*=false");  // what the children say is counted, not read
    const std::string image = (home + QStringLiteral("/journal-fs.img")).toStdString();
    const std::vector<std::string> mountImage{"mount", "-o", "loop,errors=remount-ro", image, appDir};
    const bool mounted = fs == "full"       ? mount("tmpfs", appDir.c_str(), "tmpfs", 0, "size=4m") == 0
                         : fs == "readonly" ? run({"truncate", "-s", "16M", image}) &&
                                                  run({"mkfs.ext4", "-q", "-F", image}) && run(mountImage)
                                            : true;
    if (!mounted) {
        std::perror("velantra_power_cut: the journal's file system (needs root in a private mount namespace)");
        return 2;
    }
    const QString showPath = home + QStringLiteral("/Gala.vlt");
    const QString recovered = home + QStringLiteral("/recovered.vlt");
    const std::string progressPath = (home + QStringLiteral("/progress")).toStdString();
    Progress* progress = mapProgress(progressPath, true);
    if (progress == nullptr) {
        std::perror("velantra_power_cut: progress file");
        return 1;
    }

    auto initial = std::make_unique<Engine>();
    initial->ClearAll();
    for (int k = 1; k <= 40; ++k) {
        initial->DataWrite(static_cast<std::uint8_t>(k), 1, k);
    }
    initial->memory.set(CellLastScene, 39);
    const QByteArray initialImage = imageOf(initial->memory);

    std::mt19937_64 random(seed);
    int failures = 0;
    int byBase[BaseKinds] = {};
    std::int64_t edits = 0;
    int nothingLeft = 0, foreign = 0, tailsCut = 0, killsInStep = 0, killsInSave = 0, saidOnce = 0;
    std::int64_t longestLossNs = 0;
    const std::int64_t started = nowNs();
    for (int round = 1; round <= rounds; ++round) {
        const auto fail = [&](const std::string& what) {
            ++failures;
            std::fprintf(stderr, "round %d: %s\n", round, what.c_str());
        };
        // A fresh data directory and show for every round.
        QDir app(QString::fromStdString(appDir));
        for (const QString& name : app.entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden)) {
            QFile::remove(app.filePath(name)) || QDir(app.filePath(name)).removeRecursively();
        }
        Settings settings;
        settings.path = showPath;
        if (!writeShowFile(showPath, initial->memory).ok || !writeSettings(settingsFile(), settings).ok) {
            std::fprintf(stderr, "velantra_power_cut: cannot write the show or the settings\n");
            return 1;
        }
        new (progress) Progress();

        const std::uint64_t script = random();
        const pid_t editor = spawn("/proc/self/exe", {"--edit", progressPath, std::to_string(script)});
        const std::int64_t spawned = nowNs();
        while (progress->ready.load() == 0 && nowNs() - spawned < 20 * OneSecondNs) {
            usleep(1000);
        }
        if (progress->ready.load() == 0) {
            kill(editor, SIGKILL);
            waitFor(editor);
            fail("the editor did not start");
            continue;
        }
        const std::int64_t ready = nowNs();
        const std::int64_t delay = std::uniform_int_distribution<std::int64_t>(50, 2500)(random) * MsNs;
        std::int64_t failedAt = 0;  // the journal's file system
        int doneAtFailure = 0;
        if (fs != "normal") {
            failedAt = ready + delay / 4;
            sleepUntil(failedAt);
            if (fs == "full") {
                fill(QString::fromStdString(appDir));
            } else if (!run({"mount", "-o", "remount,abort", appDir})) {
                fail("the file system was not aborted");
            }
            doneAtFailure = progress->done.load();
        }
        // Every other kill is aimed into the journal's next look, where a write may be under way.
        const bool aimed = random() % 2 == 0;
        const std::int64_t aim = std::uniform_int_distribution<std::int64_t>(0, 3000)(random) * 1000;
        sleepUntil(ready + delay);
        for (const std::int64_t last = progress->stepBegan.load();
             aimed && progress->stepBegan.load() == last && nowNs() < ready + delay + 300 * MsNs;) {
            usleep(20);
        }
        sleepUntil(nowNs() + (aimed ? aim : 0));
        kill(editor, SIGKILL);
        const std::int64_t killedAt = nowNs();
        waitFor(editor);
        const int done = progress->done.load();
        edits += done;
        killsInStep += progress->stepBegan.load() > progress->stepEnded.load() ? 1 : 0;
        killsInSave += progress->inSave.load();
        if (fs == "full") {
            QFile::remove(QString::fromStdString(appDir) + QStringLiteral("/filler"));
        } else if (fs == "readonly" && (umount(appDir.c_str()) != 0 || !run(mountImage))) {
            std::perror("velantra_power_cut: the journal's file system not mounted again");
            return 1;
        }

        // Every edit made up to one second before the kill (or before the
        // file system failed) must be in the recovered show.
        const std::int64_t lostFrom = failedAt != 0 ? failedAt : killedAt;
        int jmin = 0;
        while (jmin < done && progress->madeAt[jmin] <= lostFrom - OneSecondNs) {
            ++jmin;
        }
        QFile::remove(recovered);
        const int status = waitFor(spawn("/proc/self/exe", {"--recover", progressPath, recovered.toStdString()}));
        QFile out(recovered);
        const QByteArray got = out.open(QIODevice::ReadOnly) ? out.readAll() : QByteArray();
        if (!WIFEXITED(status) || WEXITSTATUS(status) != 0 || got.size() != ShowFileSize) {
            fail("the recovery did not start or write its show");
            continue;
        }
        const auto state = static_cast<JournalRecovery::State>(progress->state.load());
        if (state == JournalRecovery::State::Refused) {
            fail("the journal left was refused as damaged");
        }
        byBase[progress->base.load()] += state == JournalRecovery::State::Offered ? 1 : 0;
        nothingLeft += state == JournalRecovery::State::Nothing ? 1 : 0;
        foreign += state == JournalRecovery::State::Foreign ? 1 : 0;
        tailsCut += progress->tailCut.load();

        // The shows after 0..done edits, and after the one in hand at the
        // kill (applied, and saved when it was a save's, though not counted).
        auto mirror = std::make_unique<Engine>();
        mirror->memory.copyIn(0, ShowFileSize, reinterpret_cast<const std::uint8_t*>(initialImage.constData()));
        int match = -1, nearest = 0, fewest = ShowFileSize + 1;
        for (int j = 0; j <= done + 1 && match < 0; ++j) {
            const QByteArray shown = imageOf(mirror->memory);
            const int differ = static_cast<int>(
                std::inner_product(got.begin(), got.end(), shown.begin(), 0, std::plus<>(), std::not_equal_to<>()));
            match = differ == 0 && j >= jmin ? j : -1;
            nearest = differ < fewest ? j : nearest;
            fewest = std::min(fewest, differ);
            const Also also = j <= done ? applyEdit(*mirror, script, j) : Also::Nothing;
            if (also == Also::Save) {  // what the desk does to the memory besides
                mirror->memory.writeHeader();
            } else if (also == Also::NewShow) {
                mirror->ClearAll();
            }
        }
        if (match < 0) {
            // The round's files kept beside the data directory.
            const QString kept = home + QStringLiteral("/round-%1").arg(round);
            run({"cp", "-a", appDir, kept.toStdString()});
            QFile::copy(recovered, kept + QStringLiteral("/recovered.vlt"));
            QFile::copy(showPath, kept + QStringLiteral("/Gala.vlt"));
            fail("(script " + std::to_string(script) + ") the recovered show is none of the shows after " +
                 std::to_string(jmin) + ".." + std::to_string(done + 1) + " edits; the nearest, after " +
                 std::to_string(nearest) + " edits, differs in " + std::to_string(fewest) + " bytes" +
                 "; the journal left was " + stateNames[progress->state.load()] +
                 (progress->tailCut.load() != 0 ? ", its torn tail cut" : "") + "; the files are in " +
                 kept.toStdString());
        } else if (match < done) {  // madeAt[match]: the first edit not recovered
            longestLossNs = std::max(longestLossNs, lostFrom - progress->madeAt[match]);
        }
        if (fs != "normal") {
            // Said once, as soon as a write failed (one is due within 0.75 s);
            // and the editor goes on.
            const int notices = progress->notices.load();
            saidOnce += notices > 0 && progress->repeats.load() == 0 ? 1 : 0;
            if (progress->repeats.load() > 0) {
                fail("the journal's failure was said " + std::to_string(progress->repeats.load() + 1) +
                     " times with no \"written again\" between (" + std::to_string(notices) + " in all)");
            }
            if (notices == 0 && killedAt - failedAt > 1200 * MsNs) {
                fail("the journal's failure was never said");
            }
            if (done == doneAtFailure && killedAt - failedAt > 200 * MsNs) {
                fail("the editor stopped when the file system failed, after " + std::to_string(done) + " edits");
            }
        }
        if (round % 100 == 0) {
            std::printf("progress: %d rounds, %d failures\n", round, failures);
            std::fflush(stdout);
        }
    }
    const double seconds = static_cast<double>(nowNs() - started) / 1e9;
    std::printf("rounds: %d\nseconds: %.1f\nseconds_per_round: %.2f\nedits: %" PRId64 "\n", rounds, seconds,
                seconds / rounds, edits);
    std::printf("recovered_on_show_file: %d\nrecovered_on_autosave: %d\nrecovered_on_new_show: %d\n"
                "recovered_on_recovery_copy: %d\n",
                byBase[ShowFileBase], byBase[AutosaveBase], byBase[NewShowBase], byBase[CopyBase]);
    std::printf("nothing_to_recover: %d\nforeign_journal: %d\ntorn_tail_cut: %d\n", nothingLeft, foreign, tailsCut);
    std::printf("kills_in_journal_step: %d\nkills_in_save: %d\n", killsInStep, killsInSave);
    std::printf("oldest_edit_lost_ms: %.0f (before the %s)\n", static_cast<double>(longestLossNs) / 1e6,
                fs == "normal" ? "kill" : "failure");
    if (fs != "normal") {
        std::printf("failure_said_once: %d\n", saidOnce);
        umount(appDir.c_str());
    }
    std::printf("failures: %d\nresult: %s\n", failures, failures == 0 ? "pass" : "FAIL");
    return failures == 0 ? 0 : 1;
}
