// velantra_power_cut: no edit is lost when the program is killed.
//
// Each round starts the desk as the window starts it (settings, the last
// show, the edit journal) in a child process that edits the show from a
// script: levels, names and the tempo, an autosave now and then, a save, a
// new show. After a random delay (from a printed seed) the child is killed
// with SIGKILL, and a fresh process starts the desk again and answers "Yes"
// to the recovery. Its show must equal, byte for byte, the show after j
// edits of the script, for a j no smaller than the edits made up to one
// second before the kill (the script is replayed here to know those shows).
// A show that equals none of them is a torn or misplaced record applied.
//
// With --journal-fs full or readonly the data directory is a small tmpfs
// (root, in a private mount namespace: tools/power_cut.sh), filled at a
// random moment or read-only from the start: the editor goes on, says so
// once, and the recovered show holds at least the edits made up to one
// second before the file system failed.
//
// usage: velantra_power_cut [--rounds K] [--seed S] [--journal-fs normal|full|readonly] [--dir DIR]
#include "desk/desk_core.h"
#include "engine/engine.h"
#include "journal/recovery.h"
#include "storage/data_dir.h"
#include "storage/settings_file.h"
#include "storage/show_file.h"
#include "tools/parse_number.h"

#include <QCoreApplication>
#include <QDir>
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

#include <atomic>
#include <cinttypes>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <memory>
#include <random>
#include <string>
#include <string_view>

extern char** environ;

namespace {

using namespace velantra;

constexpr int MaxEdits = 20000;
constexpr std::int64_t OneSecondNs = 1'000'000'000;

// What the editor has done, in a file both processes map.
struct Progress {
    std::atomic<int> ready{0};
    std::atomic<int> done{0};       // edits fully applied
    std::atomic<int> notices{0};    // "the journal is not written" said
    std::int64_t madeAt[MaxEdits];  // CLOCK_MONOTONIC of each edit, ns
};

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

// Edit i of the script on engine (the desk's or this tool's copy). What the
// desk does besides (saves, a new show) is told by the result.
enum class Also { Nothing, AutoSave, Save, NewShow };
Also applyEdit(Engine& engine, std::uint64_t seed, int i)
{
    std::mt19937_64 random(seed * 1'000'003 + static_cast<std::uint64_t>(i));
    const int kind = static_cast<int>(random() % 1000);
    if (kind < 800) {
        engine.DataWrite(static_cast<std::uint8_t>(1 + random() % 40), static_cast<std::uint8_t>(random() % 256),
                         static_cast<int>(random() % 256));
    } else if (kind < 950) {
        const int at = NameBase + static_cast<int>(random() % 4096);
        engine.memory.set(at, static_cast<std::uint8_t>('A' + random() % 26));
    } else {
        engine.memory.set(CellTempo, static_cast<std::uint8_t>(1 + random() % 200));
    }
    if (i % 97 == 96) {
        return Also::AutoSave;
    }
    if (i % 331 == 330) {
        return Also::Save;
    }
    return i % 1201 == 1200 ? Also::NewShow : Also::Nothing;
}

QByteArray imageOf(const ShowMemory& memory)
{
    QByteArray image(ShowFileSize, Qt::Uninitialized);
    memory.copyOut(0, ShowFileSize, reinterpret_cast<std::uint8_t*>(image.data()));
    return image;
}

// The child at work: the desk started as the window starts it, then edits
// every 2 ms until it is killed.
int runEditor(int argc, char** argv, const std::string& progressPath, std::uint64_t seed)
{
    prctl(PR_SET_PDEATHSIG, SIGKILL);
    QCoreApplication app(argc, argv);
    Progress* progress = mapProgress(progressPath, false);
    if (progress == nullptr) {
        return 1;
    }
    DeskCore core(nullptr, DeskCore::OutputClock::ByHand);
    QObject::connect(&core, &DeskCore::status, [progress](const QString& text) {
        if (text.contains(QStringLiteral("Журнал правок не записывается"))) {
            progress->notices.fetch_add(1);
        }
    });
    core.startOutput();
    core.readSettings();
    core.openAtStart({});
    core.startJournal();
    QTimer edits;
    int i = 0;
    QObject::connect(&edits, &QTimer::timeout, [&] {
        if (i >= MaxEdits) {
            return;
        }
        switch (applyEdit(core.engine(), seed, i)) {
        case Also::AutoSave:
            core.autoSave();
            break;
        case Also::Save:
            core.saveShow();
            break;
        case Also::NewShow:
            core.newShow();
            break;
        case Also::Nothing:
            break;
        }
        progress->madeAt[i] = nowNs();
        progress->done.store(++i);
    });
    edits.start(2);
    progress->ready.store(1);
    return app.exec();
}

// A fresh start after the kill: "Yes" to the recovery, the show written to out.
int runRecovery(int argc, char** argv, const QString& out)
{
    QCoreApplication app(argc, argv);
    DeskCore core(nullptr, DeskCore::OutputClock::ByHand);
    core.startOutput();
    core.readSettings();
    core.openAtStart({});
    core.startJournal();
    if (core.journalLeft().state == JournalRecovery::State::Offered) {
        core.recover(core.journalLeft());
    }
    QFile file(out);
    const QByteArray image = imageOf(core.engine().memory);
    const bool ok = file.open(QIODevice::WriteOnly) && file.write(image) == image.size();
    return ok ? 0 : 1;
}

pid_t spawnSelf(const std::vector<std::string>& args)
{
    std::vector<char*> argv;
    static std::string self = "/proc/self/exe";
    argv.push_back(self.data());
    for (const std::string& a : args) {
        argv.push_back(const_cast<char*>(a.c_str()));
    }
    argv.push_back(nullptr);
    pid_t pid = -1;
    return posix_spawn(&pid, "/proc/self/exe", nullptr, nullptr, argv.data(), environ) == 0 ? pid : -1;
}

int waitFor(pid_t pid)
{
    int status = 0;
    while (waitpid(pid, &status, 0) < 0) {
    }
    return status;
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
    if (!filler.open(QIODevice::WriteOnly)) {
        return;
    }
    const QByteArray block(4096, 'x');
    while (filler.write(block) == block.size() && filler.flush()) {
    }
    filler.write(QByteArray(1, 'x'));
    filler.flush();
}

}  // namespace

int main(int argc, char** argv)
{
    const std::string_view mode = argc > 1 ? argv[1] : "";
    if (mode == "--edit" && argc == 4) {
        std::uint64_t seed = 0;
        return parseNumber<std::uint64_t>(argv[3], 0, UINT64_MAX, seed) ? runEditor(1, argv, argv[2], seed) : 2;
    }
    if (mode == "--recover" && argc == 3) {
        return runRecovery(1, argv, QString::fromLocal8Bit(argv[2]));
    }

    int rounds = 1000;
    std::uint64_t seed = std::random_device{}() ^ static_cast<std::uint64_t>(time(nullptr));
    std::string fs = "normal";
    QString dir;
    for (int i = 1; i < argc; i += 2) {
        const std::string_view arg = argv[i];
        const bool has = i + 1 < argc;
        bool ok = has;
        if (has && arg == "--rounds") {
            ok = parseNumber(argv[i + 1], 1, 1'000'000, rounds);
        } else if (has && arg == "--seed") {
            ok = parseNumber<std::uint64_t>(argv[i + 1], 0, UINT64_MAX, seed);
        } else if (has && arg == "--journal-fs") {
            fs = argv[i + 1];
            ok = fs == "normal" || fs == "full" || fs == "readonly";
        } else if (has && arg == "--dir") {
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
    std::printf("seed: %" PRIu64 ", journal file system: %s\n", seed, fs.c_str());
    std::fflush(stdout);
    const QString home = QDir(dir).absolutePath();
    const QString data = home + QStringLiteral("/data");
    const QString appDir = data + QStringLiteral("/korvex/velantra");
    QDir().mkpath(appDir);
    qputenv("XDG_DATA_HOME", data.toLocal8Bit());
    qputenv("HOME", home.toLocal8Bit());
    qputenv("QT_QPA_PLATFORM", "offscreen");
    qputenv("QT_LOGGING_RULES", "*=false");  // the children's logs: what they say is counted, not read
    if (fs != "normal" && mount("tmpfs", appDir.toLocal8Bit().constData(), "tmpfs", 0, "size=4m") != 0) {
        std::perror("velantra_power_cut: mount tmpfs (needs root in a private mount namespace)");
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

    std::mt19937_64 random(seed);
    int failures = 0;
    int offered = 0;
    int saidOnce = 0;
    std::int64_t longestLossNs = 0;
    const std::int64_t started = nowNs();
    for (int round = 1; round <= rounds; ++round) {
        // A fresh data directory and show for every round.
        for (const char* name : {"Vela43.vlj", "Vela43.vlt", "filler"}) {
            QFile::remove(appDir + QLatin1Char('/') + QLatin1String(name));
        }
        QDir(appDir + QStringLiteral("/recovery")).removeRecursively();
        Settings settings;
        settings.path = showPath;
        if (!writeShowFile(showPath, initial->memory).ok || !writeSettings(settingsFile(), settings).ok) {
            std::fprintf(stderr, "velantra_power_cut: cannot write the show or the settings\n");
            return 1;
        }
        progress->ready.store(0);
        progress->done.store(0);
        progress->notices.store(0);

        // Read-only from the start: a file system cannot be made read-only
        // under a file open for writing, and the journal keeps its file open.
        std::int64_t fsAt = 0;
        if (fs == "readonly") {
            if (mount(nullptr, appDir.toLocal8Bit().constData(), nullptr, MS_REMOUNT | MS_RDONLY, nullptr) != 0) {
                std::perror("velantra_power_cut: remount read-only");
                return 1;
            }
            fsAt = nowNs();
        }
        const std::uint64_t script = random();
        const pid_t editor = spawnSelf({"--edit", progressPath, std::to_string(script)});
        while (progress->ready.load() == 0) {
            usleep(1000);
        }
        const std::int64_t ready = nowNs();
        const std::int64_t delay = std::uniform_int_distribution<std::int64_t>(50, 2200)(random) * 1'000'000;
        int doneAtFs = 0;
        if (fs == "full") {
            fsAt = ready + delay / 3;
            sleepUntil(fsAt);
            fill(appDir);
            doneAtFs = progress->done.load();
        }
        sleepUntil(ready + delay);
        kill(editor, SIGKILL);
        const std::int64_t killedAt = nowNs();
        waitFor(editor);
        const int done = progress->done.load();
        if (fs != "normal") {
            if (fs == "full") {
                QFile::remove(appDir + QStringLiteral("/filler"));
            } else if (mount(nullptr, appDir.toLocal8Bit().constData(), nullptr, MS_REMOUNT, nullptr) != 0) {
                std::perror("velantra_power_cut: remount read-write");
                return 1;
            }
        }

        // Every edit made up to one second before the kill (or before the
        // file system failed) must be in the recovered show.
        const std::int64_t mustHave = (fsAt != 0 ? fsAt : killedAt) - OneSecondNs;
        int jmin = 0;
        while (jmin < done && progress->madeAt[jmin] <= mustHave) {
            ++jmin;
        }
        QFile::remove(recovered);
        const int status = waitFor(spawnSelf({"--recover", recovered.toStdString()}));
        QFile out(recovered);
        QByteArray image;
        if (out.open(QIODevice::ReadOnly)) {
            image = out.readAll();
        }
        if (!WIFEXITED(status) || WEXITSTATUS(status) != 0 || image.size() != ShowFileSize) {
            ++failures;
            std::fprintf(stderr, "round %d: the recovery did not start or write its show\n", round);
            continue;
        }

        auto mirror = std::make_unique<Engine>();
        mirror->memory.copyIn(0, ShowFileSize, reinterpret_cast<const std::uint8_t*>(imageOf(initial->memory).data()));
        int match = -1;
        for (int j = 0; j <= done; ++j) {
            if (j >= jmin && imageOf(mirror->memory) == image) {
                match = j;
                break;
            }
            if (j < done) {
                const Also also = applyEdit(*mirror, script, j);
                if (also == Also::Save) {
                    mirror->memory.writeHeader();
                } else if (also == Also::NewShow) {
                    mirror->ClearAll();
                }
            }
        }
        if (match < 0) {
            ++failures;
            std::fprintf(stderr,
                         "round %d (script %" PRIu64 "): the recovered show is none of the shows after %d..%d edits\n",
                         round, script, jmin, done);
        } else {
            offered += match > 0 ? 1 : 0;
            if (match < done) {
                longestLossNs = std::max(longestLossNs, killedAt - progress->madeAt[match]);
            }
        }
        if (fs != "normal") {
            // Said once, as soon as a write has failed (one is due within a second).
            const int notices = progress->notices.load();
            if (notices > 1 || (notices == 0 && killedAt - fsAt > 1'200'000'000)) {
                ++failures;
                std::fprintf(stderr, "round %d: the journal's failure was said %d times\n", round, notices);
            }
            saidOnce += notices == 1 ? 1 : 0;
            if (done == doneAtFs && killedAt - fsAt > 200'000'000) {
                ++failures;
                std::fprintf(stderr, "round %d: the editor stopped when the journal failed\n", round);
            }
        }
        if (round % 100 == 0) {
            std::printf("%d rounds, %d failures\n", round, failures);
            std::fflush(stdout);
        }
    }
    std::printf("%d rounds in %.1f s, %d recovered with edits, %d failures; the oldest edit lost was made "
                "%.0f ms before the kill",
                rounds, static_cast<double>(nowNs() - started) / 1e9, offered, failures,
                static_cast<double>(longestLossNs) / 1e6);
    if (fs != "normal") {
        std::printf("; the failure said once in %d rounds", saidOnce);
    }
    std::printf("\n");
    if (fs != "normal") {
        umount(appDir.toLocal8Bit().constData());
    }
    return failures == 0 ? 0 : 1;
}
