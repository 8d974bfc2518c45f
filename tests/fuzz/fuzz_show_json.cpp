// Fuzzes importing a show from JSON. The input is the document. Whatever it
// holds, the import never crashes; a refused document has a message; an
// accepted one exports to JSON that imports to the same 81,920 bytes, and
// that export is the same text again.
#include "engine/show_memory.h"
#include "showtool/show_json.h"
#include "tests/fuzz/fuzz_check.h"

#include <QByteArray>

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    using namespace velantra::showtool;
    const QByteArray json(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    const ImportResult result = importShowJson(json);
    if (!result.image) {
        velantra::fuzz::check(!result.error.isEmpty(), "a refused document has no message");
        return 0;
    }
    velantra::fuzz::check(result.image->size() == static_cast<std::size_t>(velantra::ShowFileSize),
                          "an imported show is not 81,920 bytes");
    const QByteArray exported = exportShowJson(*result.image);
    const ImportResult again = importShowJson(exported);
    velantra::fuzz::check(again.image.has_value(), "the export of an imported show does not import");
    velantra::fuzz::check(*again.image == *result.image, "export and import changed the show's bytes");
    velantra::fuzz::check(exportShowJson(*again.image) == exported, "a second export differs from the first");
    return 0;
}
