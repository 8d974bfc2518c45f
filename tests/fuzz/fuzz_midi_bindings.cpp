// Fuzzes the MIDI bindings file's reader, with its writer as the counterpart.
//
// - Any bytes: the reader either refuses them with a message and leaves the
//   bindings it was given untouched, or reads bindings in which every
//   controller has a name and every control and target is bound once.
// - What it reads, written and read again, is the same bindings, and written
//   again the same text.
#include "midi/bindings_file.h"
#include "tests/fuzz/fuzz_check.h"

#include <cstddef>
#include <cstdint>
#include <set>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    using namespace velantra::midi;
    using velantra::fuzz::check;
    const QByteArray text(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    Bindings sentinel;
    sentinel.controllers["sentinel"].bind({Kind::Note, 1, 2}, {TargetKind::Play, 0});
    Bindings read = sentinel;
    const auto result = parseBindings(text, read);
    if (!result.ok) {
        check(!result.message.isEmpty(), "a refusal without a message");
        check(read == sentinel, "a refused file changed the bindings");
        return 0;
    }
    for (const auto& [name, set] : read.controllers) {
        check(!name.empty(), "a controller without a name");
        std::set<Target> targets;
        for (const auto& [source, target] : set.bySource()) {
            check(targets.insert(target).second, "a target bound twice");
        }
    }
    const QByteArray written = writeBindings(read);
    Bindings again;
    check(parseBindings(written, again).ok, "written bindings are refused");
    // Controllers without bindings are not written; all else comes back.
    Bindings expected = read;
    std::erase_if(expected.controllers, [](const auto& entry) { return entry.second.empty(); });
    check(again == expected, "written bindings came back changed");
    check(writeBindings(again) == written, "the bindings have a second spelling");
    return 0;
}
