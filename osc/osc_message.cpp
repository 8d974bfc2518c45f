#include "osc/osc_message.h"

#include "desk/conveyor_list.h"
#include "engine/automat.h"
#include "engine/controls.h"
#include "engine/sequencer.h"
#include "engine/shared_values.h"

#include <cmath>
#include <cstring>

namespace velantra::osc {

namespace {

constexpr std::string_view Root = "/velantra/";
constexpr int PictureCount = 16;
constexpr int SceneCount = 256;
constexpr int PortMax = 65535;

// A value read from an argument, or why it cannot be.
struct Got {
    Refusal refusal = Refusal::None;
    int value = 0;
};

Decision refuse(Refusal why)
{
    return {why, {}};
}

Decision act(ActionKind kind, int index = 0, int value = 0)
{
    return {Refusal::None, {kind, index, value}};
}

Decision from(const Got& got, ActionKind kind, int index = 0)
{
    return got.refusal == Refusal::None ? act(kind, index, got.value) : refuse(got.refusal);
}

// 1..max written as 1 to 3 decimal digits, else 0.
int indexOf(std::string_view digits, int max)
{
    if (digits.empty() || digits.size() > 3) {
        return 0;
    }
    int n = 0;
    for (const char c : digits) {
        if (c < '0' || c > '9') {
            return 0;
        }
        n = n * 10 + (c - '0');
    }
    return n >= 1 && n <= max ? n : 0;
}

// A switch: i 0 or 1, f 0..1 (on from 0.5), T or F.
Got switchOf(const Arg& a)
{
    switch (a.type) {
    case Arg::Type::Int:
        if (a.number == 0 || a.number == 1) {
            return {Refusal::None, static_cast<int>(a.number)};
        }
        return {Refusal::OutOfRange};
    case Arg::Type::Float:
        if (a.number >= 0 && a.number <= 1) {  // false for NaN
            return {Refusal::None, a.number >= 0.5 ? 1 : 0};
        }
        return {Refusal::OutOfRange};
    case Arg::Type::True:
        return {Refusal::None, 1};
    case Arg::Type::False:
        return {Refusal::None, 0};
    case Arg::Type::Other:
        break;
    }
    return {Refusal::BadArguments};
}

// A value of lo..hi: an integer as itself, a float 0..1 as a fraction of the
// range, T the top and F the bottom.
Got levelOf(const Arg& a, int lo, int hi)
{
    switch (a.type) {
    case Arg::Type::Int:
        if (a.number >= lo && a.number <= hi) {
            return {Refusal::None, static_cast<int>(a.number)};
        }
        return {Refusal::OutOfRange};
    case Arg::Type::Float:
        if (a.number >= 0 && a.number <= 1) {
            return {Refusal::None, lo + static_cast<int>(std::lround(a.number * (hi - lo)))};
        }
        return {Refusal::OutOfRange};
    case Arg::Type::True:
        return {Refusal::None, hi};
    case Arg::Type::False:
        return {Refusal::None, lo};
    case Arg::Type::Other:
        break;
    }
    return {Refusal::BadArguments};
}

// A whole number lo..hi, as an integer or a float (rounded): surfaces that
// send only floats count scenes and ports in them too.
Got wholeOf(const Arg& a, int lo, int hi)
{
    if (a.type != Arg::Type::Int && a.type != Arg::Type::Float) {
        return {Refusal::BadArguments};
    }
    const double rounded = std::round(a.number);
    if (rounded >= lo && rounded <= hi) {
        return {Refusal::None, static_cast<int>(rounded)};
    }
    return {Refusal::OutOfRange};
}

// A button: no argument or on acts, off (the release) does nothing.
Decision press(std::span<const Arg> args, ActionKind kind, int index = 0, int value = 0)
{
    if (args.empty()) {
        return act(kind, index, value);
    }
    const Got got = switchOf(args[0]);
    if (got.refusal != Refusal::None) {
        return refuse(got.refusal);
    }
    return got.value != 0 ? act(kind, index, value) : act(ActionKind::Nothing);
}

// A switch: no argument toggles, else on or off.
Decision toggle(std::span<const Arg> args, ActionKind kind, int index = 0)
{
    return args.empty() ? act(kind, index, Toggle) : from(switchOf(args[0]), kind, index);
}

Decision step(std::span<const Arg> args)
{
    if (args.empty()) {
        return act(ActionKind::Step, 0, 1);
    }
    const Arg& a = args[0];
    switch (a.type) {
    case Arg::Type::Int:
        if (a.number < -1 || a.number > 1) {
            return refuse(Refusal::OutOfRange);
        }
        break;
    case Arg::Type::Float:
        if (!(a.number >= -1 && a.number <= 1)) {
            return refuse(Refusal::OutOfRange);
        }
        break;
    case Arg::Type::True:
        return act(ActionKind::Step, 0, 1);
    case Arg::Type::False:
        return act(ActionKind::Nothing);
    case Arg::Type::Other:
        return refuse(Refusal::BadArguments);
    }
    if (a.number >= 0.5) {
        return act(ActionKind::Step, 0, 1);
    }
    return a.number <= -0.5 ? act(ActionKind::Step, 0, -1) : act(ActionKind::Nothing);
}

// /velantra/feedback, /velantra/subscribe and /velantra/unsubscribe: 1 (or
// no argument, or T) the sender's own port, 2..65535 another port of its host.
Decision feedback(std::string_view word, std::span<const Arg> args)
{
    const ActionKind kind = word == "unsubscribe" ? ActionKind::Unsubscribe : ActionKind::Feedback;
    Got got{Refusal::None, 1};
    if (!args.empty()) {
        const Arg& a = args[0];
        got = a.type == Arg::Type::True || a.type == Arg::Type::False ? switchOf(a) : wholeOf(a, 0, PortMax);
    }
    if (got.refusal != Refusal::None) {
        return refuse(got.refusal);
    }
    if (got.value != 0) {
        return act(kind, 0, got.value);
    }
    // 0: /velantra/feedback 0 ends the feedback; the other two take it as a release.
    return word == "feedback" ? act(ActionKind::Unsubscribe, 0, 1) : act(ActionKind::Nothing);
}

// Addresses of one word: /velantra/play ...
Decision single(std::string_view word, std::span<const Arg> args)
{
    const auto needsValue = [&](auto read) { return args.empty() ? refuse(Refusal::BadArguments) : read(args[0]); };
    if (word == "play") {
        return press(args, ActionKind::Play);
    }
    if (word == "stop") {
        return press(args, ActionKind::Stop);
    }
    if (word == "step") {
        return step(args);
    }
    if (word == "scene") {
        return needsValue([](const Arg& a) { return from(wholeOf(a, 1, SceneCount), ActionKind::Scene); });
    }
    if (word == "tempo") {
        return needsValue([](const Arg& a) { return from(levelOf(a, TempoMin, TempoMax), ActionKind::Tempo); });
    }
    if (word == "page") {
        return needsValue([](const Arg& a) { return from(levelOf(a, 0, FaderOffsetMax), ActionKind::Page); });
    }
    if (word == "blackout") {
        return toggle(args, ActionKind::BlackOut);
    }
    if (word == "feedback" || word == "subscribe" || word == "unsubscribe") {
        return feedback(word, args);
    }
    return refuse(Refusal::UnknownAddress);
}

// Addresses of a control and its number: /velantra/fader/N ...
Decision numbered(std::string_view word, std::string_view number, std::string_view tail, std::span<const Arg> args)
{
    const auto index = [&](int max) { return indexOf(number, max); };
    if (word == "chaser" && tail == "speed") {
        const int n = index(AutomatCount);
        if (n == 0) {
            return refuse(Refusal::BadIndex);
        }
        if (args.empty()) {
            return refuse(Refusal::BadArguments);
        }
        return from(levelOf(args[0], AutomatTempoMin, AutomatTempoMax), ActionKind::ChaserSpeed, n);
    }
    if (!tail.empty()) {
        return refuse(Refusal::UnknownAddress);
    }
    if (word == "fader") {
        const int n = index(FaderCount);
        if (n == 0) {
            return refuse(Refusal::BadIndex);
        }
        return args.empty() ? refuse(Refusal::BadArguments) : from(levelOf(args[0], 0, 255), ActionKind::Fader, n);
    }
    if (word == "picture") {
        const int n = index(PictureCount);
        return n == 0 ? refuse(Refusal::BadIndex) : toggle(args, ActionKind::Picture, n);
    }
    if (word == "chaser") {
        const int n = index(AutomatCount);
        return n == 0 ? refuse(Refusal::BadIndex) : toggle(args, ActionKind::ChaserRun, n);
    }
    if (word == "conveyor" || word == "queue") {
        const int n = index(ConveyorSlots);
        return n == 0 ? refuse(Refusal::BadIndex) : press(args, ActionKind::ConveyorSlot, n);
    }
    return refuse(Refusal::UnknownAddress);
}

template <typename T> T read(const void* raw)
{
    T value{};
    std::memcpy(&value, raw, sizeof value);
    return value;
}

}  // namespace

Decision decide(std::string_view address, std::span<const Arg> args)
{
    if (!address.starts_with(Root) || address.ends_with('/')) {
        return refuse(Refusal::UnknownAddress);
    }
    std::string_view rest = address.substr(Root.size());
    const auto next = [&rest] {
        const auto slash = rest.find('/');
        const std::string_view part = rest.substr(0, slash);
        rest = slash == std::string_view::npos ? std::string_view() : rest.substr(slash + 1);
        return part;
    };
    const bool hasNumber = rest.find('/') != std::string_view::npos;
    const std::string_view word = next();
    const std::string_view number = hasNumber ? next() : std::string_view();
    const std::string_view tail = rest;
    if (tail.find('/') != std::string_view::npos) {
        return refuse(Refusal::UnknownAddress);
    }
    // Every address takes at most one argument; the address is judged first,
    // so that a misspelt address is said as such.
    const bool tooMany = args.size() > 1;
    const Decision d = hasNumber ? numbered(word, number, tail, args.first(0)) : single(word, args.first(0));
    if (d.refusal == Refusal::UnknownAddress || d.refusal == Refusal::BadIndex) {
        return d;
    }
    if (tooMany) {
        return refuse(Refusal::BadArguments);
    }
    return hasNumber ? numbered(word, number, tail, args) : single(word, args);
}

std::vector<Arg> argsOf(const char* types, lo_arg** argv, int argc)
{
    std::vector<Arg> args;
    if (argc <= 0 || types == nullptr || argv == nullptr) {
        return args;
    }
    const auto count = static_cast<std::size_t>(argc);
    const std::size_t typed = strnlen(types, count);
    args.reserve(count);
    for (std::size_t i = 0; i < count; ++i) {
        const char type = i < typed ? types[i] : '\0';
        // liblo's values are 4-byte aligned inside the message: read them as bytes.
        const void* raw = argv[i];
        switch (type) {
        case 'i':
            args.push_back(Arg::integer(read<std::int32_t>(raw)));
            break;
        case 'h':
            args.push_back(Arg::integer(read<std::int64_t>(raw)));
            break;
        case 'f':
            args.push_back(Arg::real(read<float>(raw)));
            break;
        case 'd':
            args.push_back(Arg::real(read<double>(raw)));
            break;
        case 'T':
            args.push_back(Arg::yes());
            break;
        case 'F':
            args.push_back(Arg::no());
            break;
        default:
            args.push_back(Arg::other());
            break;
        }
    }
    return args;
}

}  // namespace velantra::osc
