// Chooses, once at start, which driver the link talks to.
#pragma once

#include "link/d2xx.h"

#include <memory>

namespace velantra {

// GUI thread, at start. The vendor's D2XX library when it is installed and
// complete; otherwise FTDI devices bound to the kernel's serial driver
// (/dev/ttyUSB*) listed first, then those libftdi1 reaches over USB.
std::unique_ptr<D2xxProvider> makeSystemProvider();

}  // namespace velantra
