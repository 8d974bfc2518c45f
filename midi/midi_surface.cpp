#include "midi/midi_surface.h"

#include <algorithm>
#include <cstdlib>

namespace velantra::midi {

namespace {

// A key is down for a note on, and for a controller or wheel past its middle.
bool isDown(const Message& m)
{
    return m.kind == Kind::Note ? m.value > 0 : m.value > maxValue(m.kind) / 2;
}

}  // namespace

int toProgram(std::uint16_t physical, Kind kind, Range range)
{
    const long span = range.max - range.min;
    const long top = maxValue(kind);
    return range.min + static_cast<int>((physical * span + top / 2) / top);
}

std::uint16_t toPhysical(int value, Kind kind, Range range)
{
    const long span = range.max - range.min;
    const long top = maxValue(kind);
    if (span <= 0) {
        return 0;
    }
    const long clamped = std::clamp<long>(value - range.min, 0, span);
    return static_cast<std::uint16_t>((clamped * top + span / 2) / span);
}

Surface::Surface(Bindings& bindings, TargetAccess& access)
    : bindings_(bindings)
    , access_(access)
{}

Surface::Outcome Surface::receive(const std::string& controller, const Message& message)
{
    return receive(controller, message, message.value, message.value);
}

Surface::Outcome Surface::receive(const std::string& controller, const Message& message, std::uint16_t low,
                                  std::uint16_t high)
{
    const Source source = Source::of(message);
    if (learning_) {
        if (message.kind == Kind::Note && message.value == 0) {
            return Outcome::Unbound;  // the release of a key pressed before learning
        }
        BindingSet& set = bindings_.controllers[controller];
        set.bind(source, *learning_);
        // Where the control stands, and what it shows.
        const auto shown = isContinuous(learning_->kind) ? std::optional<int>(message.value) : std::nullopt;
        states_[{controller, source}] = State{message.value, shown, false};
        learning_.reset();
        return Outcome::Learned;
    }
    const auto set = bindings_.controllers.find(controller);
    if (set == bindings_.controllers.end()) {
        return Outcome::Unbound;
    }
    const auto target = set->second.targetOf(source);
    if (!target) {
        return Outcome::Unbound;
    }
    return move(controller, states_[{controller, source}], *target, message, low, high);
}

Surface::Outcome Surface::move(const std::string& controller, State& state, const Target& target,
                               const Message& message, std::uint16_t low, std::uint16_t high)
{
    if (!isContinuous(target.kind)) {
        const bool down = isDown(message);
        if (isHeld(target.kind)) {
            if (down) {
                held_.insert({controller, target});
            } else {
                held_.erase({controller, target});
            }
        }
        if (isHeld(target.kind) || down) {
            access_.press(target, down);
        }
        return Outcome::Acted;
    }
    const Range range = access_.range(target);
    const std::uint16_t at = message.value;
    state.shown = at;  // the surface moved: it shows where it stands, whatever was sent before
    if (bindings_.pickUp && !state.caught) {
        const int program = toPhysical(access_.value(target), message.kind, range);
        // Close enough: a step of the coarser of the two scales.
        const int near = std::max(1, (maxValue(message.kind) + range.max - range.min) / (range.max - range.min + 1));
        const bool crossed =
            (state.last && ((*state.last <= program && at >= program) || (*state.last >= program && at <= program))) ||
            (low <= program && program <= high);
        state.caught = crossed || std::abs(at - program) <= near;
    }
    state.last = at;
    if (bindings_.pickUp && !state.caught) {
        return Outcome::HeldBack;
    }
    state.caught = true;
    access_.set(target, toProgram(at, message.kind, range));
    return Outcome::Acted;
}

std::vector<const std::pair<const std::string, BindingSet>*> Surface::feedbackSets() const
{
    std::vector<const std::pair<const std::string, BindingSet>*> out;
    const auto named = [this](const std::string& name) {
        const auto it = bindings_.controllers.find(name);
        return it == bindings_.controllers.end() ? nullptr : &*it;
    };
    if (const auto* same = named(controllerName(bindings_.output))) {
        out.push_back(same);
    } else if (const auto* input = named(bindings_.input)) {
        out.push_back(input);
    } else {
        for (const auto& entry : bindings_.controllers) {
            out.push_back(&entry);
        }
    }
    return out;
}

std::optional<Message> Surface::feedbackFor(const std::string& controller, const Source& source, const Target& target)
{
    State& state = states_[{controller, source}];
    const int value = access_.value(target);
    if (!isContinuous(target.kind)) {
        if (state.shown == value) {
            return std::nullopt;
        }
        state.shown = value;
        return Message{source.kind, source.channel, source.number,
                       value != 0 ? maxValue(source.kind) : std::uint16_t{0}};
    }
    const Range range = access_.range(target);
    const std::uint16_t physical = toPhysical(value, source.kind, range);
    // The control shows the program's value (the operator's own move, one
    // that rounds to the same value, or what was sent last): nothing to send,
    // and a fader that follows stays caught.
    if (state.shown && (*state.shown == physical ||
                        toProgram(static_cast<std::uint16_t>(*state.shown), source.kind, range) == value)) {
        return std::nullopt;
    }
    state.caught = false;
    state.shown = physical;
    return Message{source.kind, source.channel, source.number, physical};
}

std::vector<Message> Surface::feedback(const Target& target)
{
    std::vector<Message> out;
    for (const auto* entry : feedbackSets()) {
        if (const auto source = entry->second.sourceOf(target)) {
            if (const auto m = feedbackFor(entry->first, *source, target)) {
                out.push_back(*m);
            }
        }
    }
    return out;
}

std::vector<Message> Surface::allFeedback()
{
    std::vector<Message> out;
    for (const auto* entry : feedbackSets()) {
        for (const auto& [source, target] : entry->second.bySource()) {
            states_[{entry->first, source}].shown.reset();  // what it shows now is not known
            if (const auto m = feedbackFor(entry->first, source, target)) {
                out.push_back(*m);
            }
        }
    }
    return out;
}

std::vector<Target> Surface::release(const std::string& controller)
{
    for (auto it = states_.begin(); it != states_.end();) {
        it = it->first.first == controller ? states_.erase(it) : std::next(it);
    }
    std::vector<Target> gone;
    for (auto it = held_.begin(); it != held_.end();) {
        if (it->first == controller) {
            gone.push_back(it->second);
            it = held_.erase(it);
        } else {
            ++it;
        }
    }
    std::vector<Target> released;
    for (const Target& target : gone) {
        const bool stillHeld =
            std::any_of(held_.begin(), held_.end(), [&](const auto& held) { return held.second == target; });
        if (!stillHeld) {
            access_.press(target, false);
            released.push_back(target);
        }
    }
    return released;
}

}  // namespace velantra::midi
