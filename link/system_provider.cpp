#include "link/system_provider.h"

#include "link/ftdi_provider.h"
#include "link/merged_provider.h"
#include "link/serial_port_provider.h"
#include "link/usb_signature.h"
#include "link/vendor_d2xx.h"

#include <vector>

namespace velantra {

std::unique_ptr<D2xxProvider> makeSystemProvider()
{
    if (auto vendor = VendorD2xx::load()) {
        return vendor;
    }
    std::vector<std::unique_ptr<D2xxProvider>> parts;
    parts.push_back(std::make_unique<SerialPortProvider>(SerialPortLister{}, &usbSerialSignature));
    parts.push_back(std::make_unique<FtdiProvider>(&usbDeviceSignature));
    return std::make_unique<MergedProvider>(std::move(parts));
}

}  // namespace velantra
