// velantra_crash_save: the show file survives a save that is killed at any moment.
//
// Each round forks a saver that writes show files in a tight loop to one
// path with the program's own show writer, alternating between two distinct
// shows, and SIGKILLs it after a random delay (uniform in 0..--max-delay-ms,
// from a printed seed). The file is then loaded with the program's own show
// reader into a fresh show memory: it must be byte-for-byte the show of the
// last save that finished, or, when the kill landed inside a save, that one or
// the show being saved. Temporary files left by killed saves are counted;
// they must be no bigger than a show file, appear only when a save was cut
// off, and never make a later save fail. Any failure makes the exit status 1.
//
// usage: velantra_crash_save [--rounds K] [--max-delay-ms N] [--seed S] [--dir DIR]
#include "engine/show_memory.h"
#include "storage/show_file.h"
#include "tools/parse_number.h"

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSet>
#include <QString>
#include <QTemporaryDir>

#include <signal.h>
#include <sys/mman.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <atomic>
#include <charconv>
#include <cinttypes>
#include <cstdint>
#include <cstdio>
#include <memory>
#include <random>
#include <string_view>
#include <system_error>

namespace {

using namespace velantra;

struct Options {
    int rounds = 500;
    int maxDelayMs = 20;
    std::uint64_t seed = 0;
    bool seedGiven = false;
    QString dir;  // empty: a temporary directory, removed afterwards
};

void printUsage(std::FILE* to)
{
    std::fprintf(to, "usage: velantra_crash_save [--rounds K] [--max-delay-ms N] [--seed S] [--dir DIR]\n"
                     "  --rounds K        saves to kill (default 500)\n"
                     "  --max-delay-ms N  each kill comes 0..N ms after the saver starts (default 20)\n"
                     "  --seed S          seed of the delays (default: from the clock; printed)\n"
                     "  --dir DIR         directory of the show file (default: a temporary one)\n");
}

bool parseOptions(int argc, char** argv, Options& o)
{
    for (int i = 1; i + 1 < argc; i += 2) {
        const std::string_view arg = argv[i];
        const std::string_view value = argv[i + 1];
        bool ok = false;
        if (arg == "--rounds") {
            ok = parseNumber(value, 1, 1'000'000, o.rounds);
        } else if (arg == "--max-delay-ms") {
            ok = parseNumber(value, 0, 60'000, o.maxDelayMs);
        } else if (arg == "--seed") {
            ok = parseNumber<std::uint64_t>(value, 0, UINT64_MAX, o.seed);
            o.seedGiven = ok;
        } else if (arg == "--dir") {
            o.dir = QString::fromLocal8Bit(argv[i + 1]);
            ok = !o.dir.isEmpty();
        }
        if (!ok) {
            return false;
        }
    }
    return argc % 2 == 1;
}

// What the saver has done, in memory it shares with this process.
struct SaverProgress {
    std::atomic<std::uint64_t> started{0};
    std::atomic<std::uint64_t> finished{0};
    std::atomic<std::uint64_t> failed{0};
};
static_assert(std::atomic<std::uint64_t>::is_always_lock_free);

// A show with a recognisable pattern in every cell of the file.
std::unique_ptr<ShowMemory> makeShow(int multiplier, int offset)
{
    auto show = std::make_unique<ShowMemory>();
    for (int i = 0; i < ShowFileSize; ++i) {
        show->set(static_cast<std::size_t>(i), static_cast<std::uint8_t>((i * multiplier + offset) % 251));
    }
    show->writeHeader();
    return show;
}

QByteArray fileImage(const ShowMemory& show)
{
    QByteArray image(ShowFileSize, Qt::Uninitialized);
    show.copyOut(0, ShowFileSize, reinterpret_cast<std::uint8_t*>(image.data()));
    return image;
}

// The saver: writes `first` and `second` in turn until it is killed.
[[noreturn]] void runSaver(const QString& path, const ShowMemory& first, const ShowMemory& second,
                           SaverProgress& progress)
{
    prctl(PR_SET_PDEATHSIG, SIGKILL);
    for (std::uint64_t n = 0;; ++n) {
        progress.started.fetch_add(1);
        if (!writeShowFile(path, n % 2 == 0 ? first : second).ok) {
            progress.failed.fetch_add(1);
        }
        progress.finished.fetch_add(1);
    }
}

void sleepMicroseconds(std::int64_t us)
{
    timespec ts{};
    ts.tv_sec = static_cast<time_t>(us / 1'000'000);
    ts.tv_nsec = static_cast<long>(us % 1'000'000) * 1000;
    while (nanosleep(&ts, &ts) != 0) {
    }
}

}  // namespace

int main(int argc, char** argv)
{
    Options options;
    if (!parseOptions(argc, argv, options)) {
        printUsage(stderr);
        return 2;
    }
    if (!options.seedGiven) {
        options.seed = std::random_device{}() ^ static_cast<std::uint64_t>(time(nullptr));
    }
    std::printf("seed: %" PRIu64 "\n", options.seed);
    std::fflush(stdout);

    std::unique_ptr<QTemporaryDir> temporary;
    if (options.dir.isEmpty()) {
        temporary = std::make_unique<QTemporaryDir>();
        if (!temporary->isValid()) {
            std::fprintf(stderr, "velantra_crash_save: cannot make a temporary directory\n");
            return 1;
        }
        options.dir = temporary->path();
    } else if (!QDir().mkpath(options.dir)) {
        std::fprintf(stderr, "velantra_crash_save: cannot create %s\n", qPrintable(options.dir));
        return 1;
    }
    const QDir dir(options.dir);
    const QString path = dir.filePath(QStringLiteral("Gala.vlt"));

    const std::array<std::unique_ptr<ShowMemory>, 2> shows = {makeShow(7, 3), makeShow(13, 101)};
    const std::array<QByteArray, 2> images = {fileImage(*shows[0]), fileImage(*shows[1])};
    if (images[0] == images[1]) {
        std::fprintf(stderr, "velantra_crash_save: the two shows are the same\n");
        return 1;
    }

    void* shared = mmap(nullptr, sizeof(SaverProgress), PROT_READ | PROT_WRITE, MAP_SHARED | MAP_ANONYMOUS, -1, 0);
    if (shared == MAP_FAILED) {
        std::perror("velantra_crash_save: mmap");
        return 1;
    }
    auto* progress = new (shared) SaverProgress;

    int failures = 0;
    const auto fail = [&failures](int round, const char* what) {
        ++failures;
        std::fprintf(stderr, "velantra_crash_save: round %d: %s\n", round, what);
    };

    // The file holds show `current` before every round.
    int current = 0;
    if (!writeShowFile(path, *shows[0]).ok) {
        std::fprintf(stderr, "velantra_crash_save: cannot write %s\n", qPrintable(path));
        return 1;
    }

    std::mt19937_64 random(options.seed);
    std::uniform_int_distribution<std::int64_t> delay(0, std::int64_t{options.maxDelayMs} * 1000);
    std::uint64_t savesFinished = 0;
    int killsInSave = 0;
    int killsBetweenSaves = 0;
    int killsBeforeFirstSave = 0;
    int roundsWithNewLeftover = 0;
    QSet<QString> leftovers;
    qint64 largestLeftover = 0;

    for (int round = 1; round <= options.rounds; ++round) {
        progress->started.store(0);
        progress->finished.store(0);
        progress->failed.store(0);
        const int other = 1 - current;
        const std::int64_t wait = delay(random);
        const pid_t pid = fork();
        if (pid < 0) {
            std::perror("velantra_crash_save: fork");
            return 1;
        }
        if (pid == 0) {
            runSaver(path, *shows[static_cast<std::size_t>(other)], *shows[static_cast<std::size_t>(current)],
                     *progress);
        }
        sleepMicroseconds(wait);
        kill(pid, SIGKILL);
        int status = 0;
        while (waitpid(pid, &status, 0) < 0) {
        }
        if (!WIFSIGNALED(status) || WTERMSIG(status) != SIGKILL) {
            fail(round, "the saver ended before it was killed");
        }

        const std::uint64_t started = progress->started.load();
        const std::uint64_t finished = progress->finished.load();
        savesFinished += finished;
        if (progress->failed.load() > 0) {
            fail(round, "a save failed");
        }
        const bool inSave = started != finished;
        if (started == 0) {
            ++killsBeforeFirstSave;
        } else if (inSave) {
            ++killsInSave;
        } else {
            ++killsBetweenSaves;
        }
        // Save n (from 0) writes `other` when n is even, `current` when odd.
        const auto showOfSave = [&](std::uint64_t n) { return n % 2 == 0 ? other : current; };
        const int lastFinished = finished == 0 ? current : showOfSave(finished - 1);

        auto loaded = std::make_unique<ShowMemory>();
        const FileResult read = readShowFile(path, *loaded);
        const QByteArray image = fileImage(*loaded);
        if (!read.ok) {
            fail(round, "the show file does not load");
        } else if (QFileInfo(path).size() != ShowFileSize) {
            fail(round, "the show file has the wrong size");
        } else if (image == images[static_cast<std::size_t>(lastFinished)]) {
            current = lastFinished;
        } else if (inSave && image == images[static_cast<std::size_t>(showOfSave(finished))]) {
            current = showOfSave(finished);  // renamed into place just before the kill
        } else {
            fail(round, "the show file is neither of the two shows it may be");
            // Put a known show back so that the next round is judged on its own.
            if (!writeShowFile(path, *shows[0]).ok) {
                return 1;
            }
            current = 0;
        }

        bool newLeftover = false;
        const QFileInfoList entries = dir.entryInfoList(QDir::Files | QDir::Hidden | QDir::NoDotAndDotDot);
        for (const QFileInfo& entry : entries) {
            if (entry.fileName() == QFileInfo(path).fileName()) {
                continue;
            }
            largestLeftover = std::max(largestLeftover, entry.size());
            if (entry.size() > ShowFileSize) {
                fail(round, "a temporary file is bigger than a show file");
            }
            if (!leftovers.contains(entry.fileName())) {
                leftovers.insert(entry.fileName());
                newLeftover = true;
            }
        }
        if (newLeftover) {
            ++roundsWithNewLeftover;
            if (!inSave) {
                fail(round, "a temporary file was left by a save that finished");
            }
        }
    }

    // One more save beside every leftover, and the file reads back as that show.
    const int last = 1 - current;
    auto loaded = std::make_unique<ShowMemory>();
    if (!writeShowFile(path, *shows[static_cast<std::size_t>(last)]).ok || !readShowFile(path, *loaded).ok ||
        fileImage(*loaded) != images[static_cast<std::size_t>(last)]) {
        fail(options.rounds + 1, "a save after the rounds did not replace the file");
    }

    qint64 leftoverBytes = 0;
    for (const QString& name : leftovers) {
        leftoverBytes += QFileInfo(dir.filePath(name)).size();
    }
    std::printf("rounds: %d\n", options.rounds);
    std::printf("max_delay_ms: %d\n", options.maxDelayMs);
    std::printf("saves_finished: %" PRIu64 "\n", savesFinished);
    std::printf("kills_in_save: %d\n", killsInSave);
    std::printf("kills_between_saves: %d\n", killsBetweenSaves);
    std::printf("kills_before_first_save: %d\n", killsBeforeFirstSave);
    std::printf("rounds_leaving_temp_file: %d\n", roundsWithNewLeftover);
    std::printf("leftover_temp_files: %lld\n", static_cast<long long>(leftovers.size()));
    std::printf("leftover_temp_bytes: %lld\n", static_cast<long long>(leftoverBytes));
    std::printf("largest_leftover_bytes: %lld\n", static_cast<long long>(largestLeftover));
    std::printf("failures: %d\n", failures);
    std::printf("result: %s\n", failures == 0 ? "pass" : "FAIL");
    munmap(shared, sizeof(SaverProgress));
    return failures == 0 ? 0 : 1;
}
