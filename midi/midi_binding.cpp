#include "midi/midi_binding.h"

#include <array>
#include <charconv>

namespace velantra::midi {

namespace {

struct KindWord {
    TargetKind kind;
    const char* word;
    int count;
    bool continuous;
    bool held;
};

constexpr std::array<KindWord, 12> KindWords{{
    {TargetKind::Fader, "fader", 27, true, false},
    {TargetKind::PageBar, "page", 1, true, false},
    {TargetKind::LevelAll, "level-all", 1, true, false},
    {TargetKind::Tempo, "tempo", 1, true, false},
    {TargetKind::Play, "play", 1, false, false},
    {TargetKind::Stop, "stop", 1, false, false},
    {TargetKind::BlackOut, "blackout", 1, false, false},
    {TargetKind::Macro, "macro", 1, false, false},
    {TargetKind::Picture, "picture", 16, false, true},
    {TargetKind::ConveyorSlot, "conveyor", 20, false, false},
    {TargetKind::AutomatOn, "automat", 2, false, false},
    {TargetKind::AutomatSpeed, "automat-speed", 2, true, false},
}};

const KindWord& wordOf(TargetKind kind)
{
    return KindWords[static_cast<std::size_t>(kind)];
}

// Whitespace-separated words of text.
std::vector<std::string_view> words(std::string_view text)
{
    std::vector<std::string_view> out;
    std::size_t i = 0;
    while (i < text.size()) {
        while (i < text.size() && (text[i] == ' ' || text[i] == '\t')) {
            ++i;
        }
        const std::size_t start = i;
        while (i < text.size() && text[i] != ' ' && text[i] != '\t') {
            ++i;
        }
        if (i > start) {
            out.push_back(text.substr(start, i - start));
        }
    }
    return out;
}

std::optional<int> number(std::string_view word, int low, int high)
{
    int n = 0;
    const auto [end, error] = std::from_chars(word.data(), word.data() + word.size(), n);
    if (error != std::errc{} || end != word.data() + word.size() || n < low || n > high) {
        return std::nullopt;
    }
    return n;
}

}  // namespace

bool isContinuous(TargetKind kind)
{
    return wordOf(kind).continuous;
}

bool isHeld(TargetKind kind)
{
    return wordOf(kind).held;
}

int targetCount(TargetKind kind)
{
    return wordOf(kind).count;
}

std::vector<Target> allTargets()
{
    std::vector<Target> out;
    for (const KindWord& k : KindWords) {
        if (k.count == 1) {
            out.push_back({k.kind, 0});
        } else {
            for (int i = 1; i <= k.count; ++i) {
                out.push_back({k.kind, static_cast<std::uint8_t>(i)});
            }
        }
    }
    return out;
}

std::string targetText(const Target& target)
{
    const KindWord& k = wordOf(target.kind);
    return k.count == 1 ? std::string(k.word) : std::string(k.word) + ' ' + std::to_string(target.index);
}

std::optional<Target> parseTarget(std::string_view text)
{
    const auto w = words(text);
    if (w.empty() || w.size() > 2) {
        return std::nullopt;
    }
    for (const KindWord& k : KindWords) {
        if (w[0] != k.word) {
            continue;
        }
        if (k.count == 1) {
            return w.size() == 1 ? std::optional<Target>(Target{k.kind, 0}) : std::nullopt;
        }
        const auto index = w.size() == 2 ? number(w[1], 1, k.count) : std::nullopt;
        return index ? std::optional<Target>(Target{k.kind, static_cast<std::uint8_t>(*index)}) : std::nullopt;
    }
    return std::nullopt;
}

std::string sourceText(const Source& source)
{
    const std::string channel = std::to_string(source.channel + 1);
    switch (source.kind) {
    case Kind::ControlChange:
        return "cc " + channel + ' ' + std::to_string(source.number);
    case Kind::Note:
        return "note " + channel + ' ' + std::to_string(source.number);
    case Kind::PitchBend:
        return "bend " + channel;
    }
    return {};
}

std::optional<Source> parseSource(std::string_view text)
{
    const auto w = words(text);
    if (w.size() < 2) {
        return std::nullopt;
    }
    const auto channel = number(w[1], 1, 16);
    if (!channel) {
        return std::nullopt;
    }
    const auto ch = static_cast<std::uint8_t>(*channel - 1);
    if (w[0] == "bend") {
        return w.size() == 2 ? std::optional<Source>(Source{Kind::PitchBend, ch, 0}) : std::nullopt;
    }
    const auto n = w.size() == 3 ? number(w[2], 0, 127) : std::nullopt;
    if (!n) {
        return std::nullopt;
    }
    if (w[0] == "cc") {
        return Source{Kind::ControlChange, ch, static_cast<std::uint8_t>(*n)};
    }
    if (w[0] == "note") {
        return Source{Kind::Note, ch, static_cast<std::uint8_t>(*n)};
    }
    return std::nullopt;
}

void BindingSet::bind(const Source& source, const Target& target)
{
    unbind(target);
    bySource_[source] = target;
}

void BindingSet::unbind(const Target& target)
{
    for (auto it = bySource_.begin(); it != bySource_.end();) {
        it = it->second == target ? bySource_.erase(it) : std::next(it);
    }
}

std::optional<Target> BindingSet::targetOf(const Source& source) const
{
    const auto it = bySource_.find(source);
    return it == bySource_.end() ? std::nullopt : std::optional<Target>(it->second);
}

std::optional<Source> BindingSet::sourceOf(const Target& target) const
{
    for (const auto& [source, t] : bySource_) {
        if (t == target) {
            return source;
        }
    }
    return std::nullopt;
}

std::string controllerName(std::string_view portName)
{
    // "nanoKONTROL2:nanoKONTROL2 MIDI 1 24:0" -> "nanoKONTROL2:nanoKONTROL2 MIDI 1"
    const std::size_t space = portName.rfind(' ');
    if (space != std::string_view::npos) {
        const std::string_view tail = portName.substr(space + 1);
        const std::size_t colon = tail.find(':');
        const auto digits = [](std::string_view s) {
            return !s.empty() && s.find_first_not_of("0123456789") == std::string_view::npos;
        };
        if (colon != std::string_view::npos && digits(tail.substr(0, colon)) && digits(tail.substr(colon + 1))) {
            portName = portName.substr(0, space);
        }
    }
    return std::string(portName);
}

}  // namespace velantra::midi
