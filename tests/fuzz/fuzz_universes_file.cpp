// Fuzzes opening the further universes' file. The input is the file. A
// refused file leaves every universe as it was and says why; an accepted one
// is a document the writer would write: written again and read back, it
// gives the same universes, and every slot holds a channel 0..255 of a
// universe 2..4 listed in it (the others empty).
#include "engine/further_patch.h"
#include "storage/universes_file.h"
#include "tests/fuzz/scratch_file.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <array>
#include <cstdint>

namespace velantra {
namespace {

using Slots = std::array<std::uint8_t, FurtherUniverseCount * UniverseSlotCount>;

Slots slotsOf(const FurtherPatch& patch)
{
    Slots out{};
    for (int u = 0; u < FurtherUniverseCount; ++u) {
        for (int slot = 1; slot <= UniverseSlotCount; ++slot) {
            out[static_cast<std::size_t>(u * UniverseSlotCount + slot - 1)] = patch.source(u, slot);
        }
    }
    return out;
}

// Before each read: every universe holds a pattern of its own.
void fillPattern(FurtherPatch& patch)
{
    for (int u = 0; u < FurtherUniverseCount; ++u) {
        for (int slot = 1; slot <= UniverseSlotCount; ++slot) {
            patch.setSource(u, slot, static_cast<std::uint8_t>((slot * 7 + u * 31) % 256));
        }
    }
}

struct State {
    State()
        : file("universes")
        , copy("universes-again")
    {
        fillPattern(patch);
        pattern = slotsOf(patch);
    }
    fuzz::ScratchFile file;
    fuzz::ScratchFile copy;
    FurtherPatch patch;
    FurtherPatch again;
    Slots pattern{};
};

State& state()
{
    static State s;
    return s;
}

}  // namespace
}  // namespace velantra

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    using namespace velantra;
    State& s = state();
    s.file.write(data, size);
    const FileResult read = readUniversesFile(s.file.path(), s.patch);
    if (!read.ok) {
        fuzz::check(!read.message.isEmpty(), "a refused universes file has no message");
        fuzz::check(slotsOf(s.patch) == s.pattern, "a refused universes file changed the universes");
        return 0;
    }
    // Accepted: only a JSON object can be.
    const QJsonDocument document =
        QJsonDocument::fromJson(QByteArray(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size)));
    fuzz::check(document.isObject(), "a universes file that is no JSON object was accepted");
    std::array<bool, FurtherUniverseCount> listed{};
    for (const QJsonValue& entry : document.object().value(QStringLiteral("universes")).toArray()) {
        const int number = entry.toObject().value(QStringLiteral("universe")).toInt();
        fuzz::check(number >= 2 && number <= 1 + FurtherUniverseCount, "a universe outside 2..4 was accepted");
        listed[static_cast<std::size_t>(number - 2)] = true;
    }
    const Slots got = slotsOf(s.patch);
    for (int u = 0; u < FurtherUniverseCount; ++u) {
        if (!listed[static_cast<std::size_t>(u)]) {
            for (int slot = 0; slot < UniverseSlotCount; ++slot) {
                fuzz::check(got[static_cast<std::size_t>(u * UniverseSlotCount + slot)] == 0,
                            "a universe not in the file kept a slot");
            }
        }
    }
    fuzz::check(writeUniversesFile(s.copy.path(), s.patch).ok, "the universes read could not be written");
    fillPattern(s.again);
    fuzz::check(readUniversesFile(s.copy.path(), s.again).ok, "the universes written were refused");
    fuzz::check(slotsOf(s.again) == got, "the universes written and read back differ");
    fillPattern(s.patch);
    return 0;
}
