#include "remote/qr_code.h"

#include <qrencode.h>

#include <memory>

namespace velantra::remote {

QrCode makeQrCode(std::string_view text)
{
    QrCode code;
    if (text.empty()) {
        return code;
    }
    const std::unique_ptr<QRcode, decltype(&QRcode_free)> encoded(
        QRcode_encodeData(static_cast<int>(text.size()), reinterpret_cast<const unsigned char*>(text.data()), 0,
                          QR_ECLEVEL_M),
        &QRcode_free);
    if (!encoded || encoded->width <= 0) {
        return code;
    }
    code.size = encoded->width;
    const auto modules = static_cast<std::size_t>(code.size) * static_cast<std::size_t>(code.size);
    code.dark.resize(modules);
    for (std::size_t i = 0; i < modules; ++i) {
        code.dark[i] = encoded->data[i] & 1U;  // bit 0: dark; the others say what the module is part of
    }
    return code;
}

}  // namespace velantra::remote
