// Cheap answers to "did a USB device or port come or go?": one directory read
// of the kernel's device tree, where a full listing walks every terminal
// (serial ports) or starts a USB library context (libftdi1). The poll asks
// once a second while no interface is open; the full listing is taken only
// when the answer changes.
#pragma once

#include <functional>
#include <optional>
#include <string>

namespace velantra {

// Something that changes whenever what it watches changes; nothing when it
// cannot be read (the caller then lists every time).
using DeviceSignature = std::function<std::optional<std::string>()>;

// GUI thread. Never blocks. The entries of a sysfs directory of links, each
// with its target and creation time, sorted; an empty text where the
// directory does not exist (yet). Nothing on systems without sysfs.
std::optional<std::string> sysfsLinksSignature(const char* directory);

// The kernel's USB serial ports (where ftdi_sio puts FTDI chips).
std::optional<std::string> usbSerialSignature();

// Every USB device, and which of them a serial driver holds.
std::optional<std::string> usbDeviceSignature();

}  // namespace velantra
