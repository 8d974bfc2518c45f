#include "link/usb_signature.h"

#include <algorithm>
#include <vector>

#if defined(__linux__)
#include <array>
#include <cerrno>
#include <dirent.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace velantra {

std::optional<std::string> sysfsLinksSignature(const char* directory)
{
#if defined(__linux__)
    DIR* dir = ::opendir(directory);
    if (dir == nullptr) {
        return errno == ENOENT ? std::optional<std::string>(std::string()) : std::nullopt;
    }
    std::vector<std::string> entries;
    while (const dirent* entry = ::readdir(dir)) {
        if (entry->d_name[0] == '.') {
            continue;
        }
        const std::string path = std::string(directory) + '/' + entry->d_name;
        std::array<char, 512> target{};
        const ssize_t length = ::readlink(path.c_str(), target.data(), target.size() - 1);
        struct stat status {};
        ::lstat(path.c_str(), &status);
        entries.push_back(std::string(entry->d_name) + '>' +
                          std::string(target.data(), static_cast<std::size_t>(std::max<ssize_t>(length, 0))) + '@' +
                          std::to_string(status.st_ctim.tv_sec) + '.' + std::to_string(status.st_ctim.tv_nsec));
    }
    ::closedir(dir);
    std::sort(entries.begin(), entries.end());
    std::string signature;
    for (const std::string& entry : entries) {
        signature += entry + '\n';
    }
    return signature;
#else
    (void)directory;
    return std::nullopt;
#endif
}

std::optional<std::string> usbSerialSignature()
{
    // Every port of a USB serial driver is a link here; the directory is
    // missing until the first such driver is loaded.
    return sysfsLinksSignature("/sys/bus/usb-serial/devices");
}

std::optional<std::string> usbDeviceSignature()
{
    const std::optional<std::string> devices = sysfsLinksSignature("/sys/bus/usb/devices");
    const std::optional<std::string> serial = usbSerialSignature();
    if (!devices || !serial) {
        return std::nullopt;
    }
    return *devices + '|' + *serial;
}

}  // namespace velantra
