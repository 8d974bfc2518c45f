// A lowered file-size limit for tests: writes past it fail the way a full
// disk makes them fail.
#pragma once

#include <csignal>
#include <sys/resource.h>

namespace velantra {

// Lowers the size limit for files this process writes (RLIMIT_FSIZE): a write
// past it fails with EFBIG, the way a disk that fills up fails it. SIGXFSZ,
// which would end the process, is ignored meanwhile.
class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t bytes)
    {
        previousHandler_ = std::signal(SIGXFSZ, SIG_IGN);
        active_ = getrlimit(RLIMIT_FSIZE, &saved_) == 0;
        rlimit lowered = saved_;
        lowered.rlim_cur = bytes;
        active_ = active_ && setrlimit(RLIMIT_FSIZE, &lowered) == 0;
    }
    ~FileSizeLimit()
    {
        if (active_) {
            setrlimit(RLIMIT_FSIZE, &saved_);
        }
        std::signal(SIGXFSZ, previousHandler_);
    }
    FileSizeLimit(const FileSizeLimit&) = delete;
    FileSizeLimit& operator=(const FileSizeLimit&) = delete;

    bool active() const { return active_; }

private:
    rlimit saved_{};
    bool active_ = false;
    void (*previousHandler_)(int) = nullptr;
};

}  // namespace velantra
