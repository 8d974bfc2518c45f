// Opening and saving show files: the byte image, refused files, failed saves
// that must not harm the previous file, and the operator's error texts.
#include "storage/show_file.h"

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QScopeGuard>
#include <QTemporaryDir>

#include "tests/file_size_limit.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <csignal>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include <grp.h>
#include <pwd.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace velantra {
namespace {

// Byte i of test image number seed: neighbouring bytes, blocks and images all differ.
std::uint8_t patternByte(int i, int seed)
{
    return static_cast<std::uint8_t>(i * 7 + i / 128 + seed * 31);
}

QByteArray patternBytes(int size, int seed)
{
    QByteArray bytes(size, '\0');
    for (int i = 0; i < size; ++i) {
        bytes[i] = static_cast<char>(patternByte(i, seed));
    }
    return bytes;
}

void fillMemory(ShowMemory& memory, int seed)
{
    for (int i = 0; i < ShowMemorySize; ++i) {
        memory.set(static_cast<std::size_t>(i), patternByte(i, seed));
    }
}

std::vector<std::uint8_t> allCells(const ShowMemory& memory)
{
    std::vector<std::uint8_t> cells(ShowMemorySize);
    memory.copyOut(0, ShowMemorySize, cells.data());
    return cells;
}

void writeRaw(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly)) << path.toStdString();
    ASSERT_EQ(file.write(bytes), bytes.size());
}

QByteArray readRaw(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// Everything in a directory, hidden entries included (a temporary file left
// behind would show up here), separated by blanks.
std::string listing(const QString& dir)
{
    const QDir::Filters all = QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot;
    return QDir(dir).entryList(all, QDir::Name).join(QLatin1Char(' ')).toStdString();
}

class ShowFileTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(dir.isValid()); }
    QString path(const QString& name) const { return dir.filePath(name); }

    QTemporaryDir dir;
    std::unique_ptr<ShowMemory> memory = std::make_unique<ShowMemory>();
};

TEST_F(ShowFileTest, SaveWritesCells0To81919ByteForByte)
{
    fillMemory(*memory, 3);
    const FileResult result = writeShowFile(path("gala.vlt"), *memory);
    ASSERT_TRUE(result.ok) << result.message.toStdString();
    EXPECT_TRUE(result.message.isEmpty());

    const QByteArray written = readRaw(path("gala.vlt"));
    ASSERT_EQ(written.size(), 81920);
    const QByteArray expected = patternBytes(81920, 3);
    for (int i = 0; i < 81920; ++i) {
        ASSERT_EQ(written[i], expected[i]) << "byte " << i;
    }
    EXPECT_EQ(listing(dir.path()), "gala.vlt") << "no temporary file left";
}

TEST_F(ShowFileTest, SaveThenOpenGivesBackTheShowAndLeavesTheSpareCell)
{
    fillMemory(*memory, 4);
    ASSERT_TRUE(writeShowFile(path("gala.vlt"), *memory).ok);

    auto loaded = std::make_unique<ShowMemory>();
    loaded->set(ShowMemoryTop, 0x5A);
    const FileResult result = readShowFile(path("gala.vlt"), *loaded);
    ASSERT_TRUE(result.ok) << result.message.toStdString();
    EXPECT_TRUE(result.message.isEmpty());
    for (int i = 0; i < ShowFileSize; ++i) {
        ASSERT_EQ(loaded->get(static_cast<std::size_t>(i)), patternByte(i, 4)) << "cell " << i;
    }
    EXPECT_EQ(loaded->get(ShowMemoryTop), 0x5A);
}

TEST_F(ShowFileTest, OpenIgnoresBytesAfterTheImage)
{
    writeRaw(path("long.vlt"), patternBytes(81920, 6) + QByteArray(5000, '\xEE'));
    memory->set(ShowMemoryTop, 0x11);

    const FileResult result = readShowFile(path("long.vlt"), *memory);
    ASSERT_TRUE(result.ok) << result.message.toStdString();
    for (int i = 0; i < ShowFileSize; ++i) {
        ASSERT_EQ(memory->get(static_cast<std::size_t>(i)), patternByte(i, 6)) << "cell " << i;
    }
    EXPECT_EQ(memory->get(ShowMemoryTop), 0x11);
}

TEST_F(ShowFileTest, ForeignHeaderLoadsAsItIsAndIsSavedAsItIs)
{
    QByteArray header("Another desk's show, saved 1998");
    header.append(QByteArray(HeaderSize - header.size(), '\x7F'));
    writeRaw(path("foreign.vlt"), header + patternBytes(ShowFileSize - HeaderSize, 7));

    ASSERT_TRUE(readShowFile(path("foreign.vlt"), *memory).ok);
    for (int i = 0; i < HeaderSize; ++i) {
        ASSERT_EQ(memory->get(static_cast<std::size_t>(i)), static_cast<std::uint8_t>(header[i])) << "cell " << i;
    }

    ASSERT_TRUE(writeShowFile(path("copy.vlt"), *memory).ok);
    EXPECT_EQ(readRaw(path("copy.vlt")), readRaw(path("foreign.vlt")));
}

TEST_F(ShowFileTest, SaveOverALongerFileLeavesExactlyTheImage)
{
    writeRaw(path("gala.vlt"), QByteArray(100000, '\xEE'));
    fillMemory(*memory, 8);
    ASSERT_TRUE(writeShowFile(path("gala.vlt"), *memory).ok);
    EXPECT_EQ(readRaw(path("gala.vlt")), patternBytes(81920, 8));
}

// An open that is refused: the message, and not one cell changed.
struct RefusedOpen {
    const char* name;
    std::function<void(const QString& target)> prepare;  // makes what the open finds at target
    const char* message;
};

void PrintTo(const RefusedOpen& open, std::ostream* out)
{
    *out << open.name;
}

class RefusedOpenTest : public ShowFileTest, public ::testing::WithParamInterface<RefusedOpen> {};

TEST_P(RefusedOpenTest, ReportsTheRuntimeTextAndChangesNoCell)
{
    const QString target = path("show.vlt");
    GetParam().prepare(target);
    fillMemory(*memory, 9);
    const std::vector<std::uint8_t> before = allCells(*memory);

    const FileResult result = readShowFile(target, *memory);
    EXPECT_FALSE(result.ok);
    EXPECT_EQ(result.message.toStdString(), GetParam().message);
    EXPECT_TRUE(allCells(*memory) == before) << "a refused open changed the show";
}

void fileOfSize(const QString& target, int size)
{
    writeRaw(target, QByteArray(size, '\xEE'));
}

INSTANTIATE_TEST_SUITE_P(
    ShowFile, RefusedOpenTest,
    ::testing::Values(
        RefusedOpen{"Missing", [](const QString&) {}, "File not found"},
        RefusedOpen{"Directory", [](const QString& target) { ASSERT_TRUE(QDir().mkdir(target)); },
                    "File access denied"},
        RefusedOpen{"Empty", [](const QString& target) { fileOfSize(target, 0); }, "Read beyond end of file"},
        RefusedOpen{"OneHeaderBlock", [](const QString& target) { fileOfSize(target, 128); },
                    "Read beyond end of file"},
        RefusedOpen{"OneByteShort", [](const QString& target) { fileOfSize(target, 81919); },
                    "Read beyond end of file"},
        // Not regular files: a pipe without a writer would block the open, a
        // device would read as a show of zeros. Both count as missing.
        RefusedOpen{"NamedPipe",
                    [](const QString& target) { ASSERT_EQ(::mkfifo(QFile::encodeName(target).constData(), 0600), 0); },
                    "File not found"},
        RefusedOpen{"LinkToADevice", [](const QString& target) { ASSERT_TRUE(QFile::link("/dev/zero", target)); },
                    "File not found"}),
    [](const ::testing::TestParamInfo<RefusedOpen>& param) { return std::string(param.param.name); });

// A save that cannot happen: the message, and the directory exactly as before.
struct RefusedSave {
    const char* name;
    std::function<QString(const QTemporaryDir& dir)> prepare;  // returns the path to save to
    const char* message;
};

void PrintTo(const RefusedSave& save, std::ostream* out)
{
    *out << save.name;
}

class RefusedSaveTest : public ShowFileTest, public ::testing::WithParamInterface<RefusedSave> {};

TEST_P(RefusedSaveTest, ReportsTheRuntimeTextAndCreatesNothing)
{
    const QString target = GetParam().prepare(dir);
    const std::string before = listing(dir.path());
    fillMemory(*memory, 10);

    const FileResult result = writeShowFile(target, *memory);
    EXPECT_FALSE(result.ok);
    EXPECT_EQ(result.message.toStdString(), GetParam().message);
    EXPECT_EQ(listing(dir.path()), before);
}

INSTANTIATE_TEST_SUITE_P(
    ShowFile, RefusedSaveTest,
    ::testing::Values(RefusedSave{"MissingDirectory",
                                  [](const QTemporaryDir& d) { return d.filePath("no such directory/show.vlt"); },
                                  "File not found"},
                      RefusedSave{"TargetIsADirectory",
                                  [](const QTemporaryDir& d) {
                                      QDir().mkdir(d.filePath("show.vlt"));
                                      return d.filePath("show.vlt");
                                  },
                                  "File access denied"},
                      RefusedSave{"TargetIsANamedPipe",
                                  [](const QTemporaryDir& d) {
                                      ::mkfifo(QFile::encodeName(d.filePath("show.vlt")).constData(), 0600);
                                      return d.filePath("show.vlt");
                                  },
                                  "File access denied"}),
    [](const ::testing::TestParamInfo<RefusedSave>& param) { return std::string(param.param.name); });

TEST_F(ShowFileTest, DiskFullDuringSaveKeepsThePreviousFile)
{
    const QByteArray previous = patternBytes(81920, 1);
    writeRaw(path("gala.vlt"), previous);
    fillMemory(*memory, 2);

    FileResult result;
    {
        const FileSizeLimit limit(4096);
        ASSERT_TRUE(limit.active());
        result = writeShowFile(path("gala.vlt"), *memory);
    }
    EXPECT_FALSE(result.ok);
    EXPECT_EQ(result.message.toStdString(), "Disk full");
    EXPECT_EQ(readRaw(path("gala.vlt")), previous);
    EXPECT_EQ(listing(dir.path()), "gala.vlt") << "no temporary file left";
}

// What a child process reports back about its save. The outcome is its exit code.
struct ChildSave {
    enum class Outcome { Saved, Refused, NoUnprivilegedUser, CannotReachFiles, PermissionsIgnored, Lost };
    Outcome outcome = Outcome::Lost;
    std::string message;
};

// Saves in a child process that directory permissions apply to: a root process
// (which may write anywhere) becomes the user "nobody" first.
ChildSave saveAsUnprivilegedUser(const QString& target, const QString& directory, const ShowMemory& memory)
{
    int channel[2];
    if (pipe(channel) != 0) {
        return {ChildSave::Outcome::NoUnprivilegedUser, "no pipe"};
    }
    const pid_t child = fork();
    if (child < 0) {
        return {ChildSave::Outcome::NoUnprivilegedUser, "no child process"};
    }
    if (child == 0) {
        const auto leave = [](ChildSave::Outcome outcome) { _exit(static_cast<int>(outcome)); };
        close(channel[0]);
        if (geteuid() == 0) {
            const passwd* nobody = getpwnam("nobody");
            if (nobody == nullptr || setgroups(0, nullptr) != 0 || setgid(nobody->pw_gid) != 0 ||
                setuid(nobody->pw_uid) != 0) {
                leave(ChildSave::Outcome::NoUnprivilegedUser);
            }
        }
        QFile existing(target);
        if (!existing.open(QIODevice::ReadOnly)) {
            leave(ChildSave::Outcome::CannotReachFiles);
        }
        QFile probe(QDir(directory).filePath("probe"));
        if (probe.open(QIODevice::WriteOnly)) {
            probe.remove();
            leave(ChildSave::Outcome::PermissionsIgnored);
        }
        const FileResult result = writeShowFile(target, memory);
        const QByteArray message = result.message.toUtf8();
        if (write(channel[1], message.constData(), static_cast<std::size_t>(message.size())) != message.size()) {
            leave(ChildSave::Outcome::Lost);
        }
        leave(result.ok ? ChildSave::Outcome::Saved : ChildSave::Outcome::Refused);
    }
    close(channel[1]);
    ChildSave report;
    char buffer[256];
    ssize_t got = 0;
    while ((got = read(channel[0], buffer, sizeof buffer)) > 0) {
        report.message.append(buffer, static_cast<std::size_t>(got));
    }
    close(channel[0]);
    int status = 0;
    if (waitpid(child, &status, 0) == child && WIFEXITED(status)) {
        report.outcome = static_cast<ChildSave::Outcome>(WEXITSTATUS(status));
    }
    return report;
}

TEST_F(ShowFileTest, SaveIntoAReadOnlyDirectoryKeepsThePreviousFile)
{
    // QTemporaryDir makes its directory private to its owner; "nobody" must be
    // able to see the show directory to be refused by its permissions alone.
    ASSERT_TRUE(QFile::setPermissions(dir.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner |
                                                      QFile::ReadOther | QFile::ExeOther | QFile::ReadGroup |
                                                      QFile::ExeGroup));
    const QString shows = path("shows");
    ASSERT_TRUE(QDir().mkdir(shows));
    const QString target = QDir(shows).filePath("gala.vlt");
    const QByteArray previous = patternBytes(81920, 1);
    writeRaw(target, previous);
    // The file itself may be written by anyone (0666): only the directory refuses.
    ASSERT_TRUE(QFile::setPermissions(target, QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup |
                                                  QFile::WriteGroup | QFile::ReadOther | QFile::WriteOther));
    const QFile::Permissions readOnlyDirectory =
        QFile::ReadOwner | QFile::ExeOwner | QFile::ReadGroup | QFile::ExeGroup | QFile::ReadOther | QFile::ExeOther;
    ASSERT_TRUE(QFile::setPermissions(shows, readOnlyDirectory));  // 0555
    const auto restore = qScopeGuard([&] { QFile::setPermissions(shows, readOnlyDirectory | QFile::WriteOwner); });
    fillMemory(*memory, 2);

    const ChildSave save = saveAsUnprivilegedUser(target, shows, *memory);
    switch (save.outcome) {
    case ChildSave::Outcome::NoUnprivilegedUser:
        GTEST_SKIP() << "the save cannot run without root's rights here, and root ignores directory permissions"
                     << (save.message.empty() ? "" : " (" + save.message + ")");
    case ChildSave::Outcome::CannotReachFiles:
        GTEST_SKIP() << "the user \"nobody\" cannot reach the temporary directory " << dir.path().toStdString();
    case ChildSave::Outcome::PermissionsIgnored:
        GTEST_SKIP() << "this file system lets the user write into a 0555 directory";
    case ChildSave::Outcome::Saved:
        FAIL() << "the save into a read-only directory succeeded";
    case ChildSave::Outcome::Lost:
        FAIL() << "the child process that saved ended without a report";
    case ChildSave::Outcome::Refused:
        break;
    }
    EXPECT_EQ(save.message, "File access denied");
    EXPECT_EQ(readRaw(target), previous);
    EXPECT_EQ(listing(shows), "gala.vlt");
}

// The texts the operator sees for system errors (errno) and, when the system
// gave none, for Qt's file errors.
struct ErrorText {
    int savedErrno;
    QFileDevice::FileError qtError;
    const char* message;
};

void PrintTo(const ErrorText& text, std::ostream* out)
{
    *out << "errno " << text.savedErrno << ", Qt error " << static_cast<int>(text.qtError);
}

class ErrorTextTest : public ::testing::TestWithParam<ErrorText> {};

TEST_P(ErrorTextTest, FailureCarriesTheRuntimeText)
{
    const FileResult result = fileFailure(GetParam().savedErrno, GetParam().qtError);
    EXPECT_FALSE(result.ok);
    EXPECT_EQ(result.message.toStdString(), GetParam().message);
}

INSTANTIATE_TEST_SUITE_P(FileErrors, ErrorTextTest,
                         ::testing::Values(ErrorText{ENOENT, QFileDevice::OpenError, "File not found"},
                                           ErrorText{ENOTDIR, QFileDevice::OpenError, "File not found"},
                                           ErrorText{EACCES, QFileDevice::OpenError, "File access denied"},
                                           ErrorText{EROFS, QFileDevice::OpenError, "File access denied"},
                                           ErrorText{ENOSPC, QFileDevice::WriteError, "Disk full"},
                                           // EIO is 5 like the runtime's "access denied", but is neither.
                                           ErrorText{EIO, QFileDevice::ReadError, "I/O error 5"},
                                           ErrorText{EMFILE, QFileDevice::OpenError, "I/O error 24"},
                                           ErrorText{0, QFileDevice::ReadError, "Read beyond end of file"},
                                           ErrorText{0, QFileDevice::WriteError, "Disk full"},
                                           ErrorText{0, QFileDevice::OpenError, "File access denied"},
                                           ErrorText{0, QFileDevice::RenameError, "I/O error 10"}));

}  // namespace
}  // namespace velantra
