// OSC messages from the network, read as liblo reads a datagram and carried
// out on a desk: any bytes (unknown addresses, wrong types, huge numbers, cut
// packets) give an action within its control's range or a refusal that
// changes nothing, and never a crash.
#include "fuzz_check.h"

#include "desk/desk_controls.h"
#include "desk/player.h"
#include "engine/engine.h"
#include "engine/sequencer.h"
#include "osc/osc_desk.h"
#include "osc/osc_message.h"

#include <QCoreApplication>
#include <QLoggingCategory>

#include <lo/lo.h>

#include <cstdint>
#include <cstring>
#include <memory>
#include <string_view>
#include <vector>

using namespace velantra;
using namespace velantra::osc;

namespace {

struct Desk {
    std::unique_ptr<Engine> engine = std::make_unique<Engine>();
    Player player{*engine};
    DeskControls desk{*engine, player};
};

Desk* desk = nullptr;

void checkRange(const Action& a)
{
    const auto within = [](int v, int lo, int hi) { return v >= lo && v <= hi; };
    const auto switchValue = [](int v) { return v == 0 || v == 1 || v == Toggle; };
    bool ok = true;
    switch (a.kind) {
    case ActionKind::Nothing:
    case ActionKind::Play:
    case ActionKind::Stop:
        break;
    case ActionKind::Step:
        ok = a.value == 1 || a.value == -1;
        break;
    case ActionKind::Scene:
        ok = within(a.value, 1, 256);
        break;
    case ActionKind::Tempo:
        ok = within(a.value, TempoMin, TempoMax);
        break;
    case ActionKind::Fader:
        ok = within(a.index, 1, 27) && within(a.value, 0, 255);
        break;
    case ActionKind::Page:
        ok = within(a.value, 0, 228);
        break;
    case ActionKind::Picture:
        ok = within(a.index, 1, 16) && switchValue(a.value);
        break;
    case ActionKind::BlackOut:
        ok = switchValue(a.value);
        break;
    case ActionKind::ChaserRun:
        ok = within(a.index, 1, 2) && switchValue(a.value);
        break;
    case ActionKind::ChaserSpeed:
        ok = within(a.index, 1, 2) && within(a.value, 5, 50);
        break;
    case ActionKind::ConveyorSlot:
        ok = within(a.index, 1, 20);
        break;
    case ActionKind::Feedback:
    case ActionKind::Unsubscribe:
        ok = within(a.value, 1, 65535);
        break;
    }
    fuzz::check(ok, "an action outside its control's range");
}

void carryOut(std::string_view address, const std::vector<Arg>& args)
{
    const Decision d = decide(address, args);
    fuzz::check(d.accepted() || d.action == Action{}, "a refusal with an action");
    const std::vector<FeedbackValue> before = feedbackValues(desk->desk);
    if (!d.accepted()) {
        return;
    }
    checkRange(d.action);
    if (applyTo(desk->desk, d.action) != Refusal::None) {
        fuzz::check(feedbackValues(desk->desk) == before, "a refused action changed the desk");
    }
    for (const FeedbackValue& v : feedbackValues(desk->desk)) {
        fuzz::check(v.isFloat ? v.f >= 0 && v.f <= 1 : v.i >= 0 && v.i <= 256, "a feedback value out of range");
    }
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv)
{
    static QCoreApplication app(*argc, *argv);
    QLoggingCategory::setFilterRules(QStringLiteral("velantra.*=false"));
    desk = new Desk;  // lives as long as the process
    desk->player.stopTimers();
    desk->engine->memory.set(CellLastScene, 9);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    // The bytes as a whole address, with no arguments.
    carryOut(std::string_view(reinterpret_cast<const char*>(data), size), {});

    // The bytes as a datagram.
    std::vector<char> bytes(data, data + size);
    int result = 0;
    lo_message m = lo_message_deserialise(bytes.data(), bytes.size(), &result);
    if (m == nullptr) {
        fuzz::check(result != 0, "a broken packet read without an error");
        return 0;
    }
    const char* path = lo_get_path(bytes.data(), static_cast<ssize_t>(bytes.size()));
    fuzz::check(path != nullptr, "a message read without its address");
    const std::vector<Arg> args = argsOf(lo_message_get_types(m), lo_message_get_argv(m), lo_message_get_argc(m));
    fuzz::check(args.size() == static_cast<std::size_t>(lo_message_get_argc(m)), "arguments lost");
    carryOut(path, args);
    lo_message_free(m);
    return 0;
}
