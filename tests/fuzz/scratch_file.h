// The file a reader's fuzz target writes each input to: one per process,
// created once and rewritten for every input.
#pragma once

#include "tests/fuzz/fuzz_check.h"

#include <QString>

#include <array>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include <fcntl.h>
#include <unistd.h>

namespace velantra::fuzz {

// A file in $VELANTRA_FUZZ_SCRATCH when set (tools/fuzz.sh gives each run a
// folder of its own, removed afterwards), otherwise in /dev/shm or /tmp;
// created once per process, rewritten for every input and removed at a normal
// exit (a crash leaves it behind).
class ScratchFile {
public:
    explicit ScratchFile(const char* name)
    {
        const char* given = std::getenv("VELANTRA_FUZZ_SCRATCH");
        const char* dir = given != nullptr && *given != '\0' ? given
                          : access("/dev/shm", W_OK) == 0    ? "/dev/shm"
                                                             : "/tmp";
        std::string pattern = std::string(dir) + "/velantra-" + name + "-XXXXXX";
        const int fd = mkstemp(pattern.data());
        check(fd >= 0, "cannot create the scratch file");
        close(fd);
        path_ = pattern;
        qpath_ = QString::fromStdString(path_);
    }
    ~ScratchFile() { unlink(path_.c_str()); }
    ScratchFile(const ScratchFile&) = delete;
    ScratchFile& operator=(const ScratchFile&) = delete;

    // Replaces the file's contents with bytes[0..size).
    void write(const std::uint8_t* bytes, std::size_t size) const
    {
        const int fd = open(path_.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
        check(fd >= 0, "cannot open the scratch file");
        std::size_t done = 0;
        while (done < size) {
            const ssize_t n = ::write(fd, bytes + done, size - done);
            check(n > 0, "cannot write the scratch file");
            done += static_cast<std::size_t>(n);
        }
        close(fd);
    }

    const QString& path() const { return qpath_; }
    // The directory that holds the file: a path a reader must refuse.
    QString directory() const { return qpath_.left(qpath_.lastIndexOf(QLatin1Char('/'))); }

private:
    std::string path_;
    QString qpath_;
};

// A path beside the scratch file that names nothing.
inline QString missingPath(const ScratchFile& file)
{
    return file.path() + QStringLiteral(".missing");
}

// Paths no reader can take as its file: one that names nothing and a directory.
inline std::array<QString, 2> unreadablePaths(const ScratchFile& file)
{
    return {missingPath(file), file.directory()};
}

}  // namespace velantra::fuzz
