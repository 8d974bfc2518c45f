// libFuzzer target: a web remote page's message, read and, when taken,
// carried out on a desk. A refusal says why in a short text whatever came
// in; a taken action reads back the same from its own JSON, keeps every
// control in its range and changes only what it names.
#include "desk/desk_controls.h"
#include "desk/player.h"
#include "engine/engine.h"
#include "engine/sequencer.h"
#include "remote/remote_protocol.h"
#include "remote/remote_state.h"
#include "tests/fuzz/fuzz_check.h"

#include <QCoreApplication>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLoggingCategory>

#include <cstddef>
#include <cstdint>
#include <memory>
#include <set>

using namespace velantra;
using namespace velantra::remote;
using velantra::fuzz::check;

namespace {

struct Desk {
    std::unique_ptr<Engine> engine = std::make_unique<Engine>();
    Player player{*engine};
    DeskControls controls{*engine, player};
};

// The action as a page would send it.
QByteArray asJson(const Action& a)
{
    static const char* const names[] = {"pin", "play",    "stop",  "step",  "scene", "tempo",  "blackout",
                                        "on",  "picture", "flash", "fader", "page",  "chaser", "queue"};
    QJsonObject o{{QStringLiteral("do"), QLatin1String(names[static_cast<int>(a.kind)])}};
    switch (a.kind) {
    case ActionKind::Pin:
        o.insert(QStringLiteral("pin"), a.text);
        break;
    case ActionKind::Step:
        o.insert(QStringLiteral("by"), a.value);
        break;
    case ActionKind::Scene:
        o.insert(QStringLiteral("scene"), a.value);
        break;
    case ActionKind::Tempo:
        o.insert(QStringLiteral("value"), a.value);
        break;
    case ActionKind::Picture:
    case ActionKind::Chaser:
        o.insert(QStringLiteral("n"), a.index);
        o.insert(QStringLiteral("on"), a.value != 0);
        break;
    case ActionKind::Flash:
        o.insert(QStringLiteral("n"), a.index);
        o.insert(QStringLiteral("down"), a.value != 0);
        break;
    case ActionKind::Fader:
        o.insert(QStringLiteral("row"), a.index);
        o.insert(QStringLiteral("value"), a.value);
        break;
    case ActionKind::Page:
        o.insert(QStringLiteral("offset"), a.value);
        break;
    case ActionKind::Queue:
        o.insert(QStringLiteral("slot"), a.index);
        break;
    default:
        break;
    }
    return QJsonDocument(o).toJson(QJsonDocument::Compact);
}

// What the page's state may show changed after the action.
std::set<QString> mayChange(ActionKind kind)
{
    switch (kind) {
    case ActionKind::Pin:
        return {};
    case ActionKind::Play:
    case ActionKind::Stop:
        return {QStringLiteral("playing")};
    case ActionKind::Step:
    case ActionKind::Scene:
        return {QStringLiteral("scene"), QStringLiteral("faders")};
    case ActionKind::Tempo:
        return {QStringLiteral("tempo")};
    case ActionKind::BlackOut:
        return {QStringLiteral("blackout"), QStringLiteral("playing")};
    case ActionKind::BackToScene:
        return {QStringLiteral("blackout"), QStringLiteral("macro")};
    case ActionKind::Picture:
    case ActionKind::Flash:
        return {QStringLiteral("pictures")};
    case ActionKind::Fader:
        return {QStringLiteral("faders")};
    case ActionKind::Page:
        return {QStringLiteral("offset"), QStringLiteral("faders"), QStringLiteral("outputs")};
    case ActionKind::Chaser:
        return {QStringLiteral("chasers")};
    case ActionKind::Queue:
        return {QStringLiteral("queue")};
    }
    return {};
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static int argc = 1;
    static char name[] = "fuzz_remote_message";
    static char* argv[] = {name, nullptr};
    static QCoreApplication app(argc, argv);
    static const bool quiet = [] {
        QLoggingCategory::setFilterRules(QStringLiteral("*.info=false"));
        return true;
    }();
    (void)quiet;
    static Desk desk;
    desk.engine->ClearAll();
    desk.engine->memory.set(CellLastScene, 3);
    if (desk.controls.playing()) {
        desk.player.stop();
    }

    const QByteArrayView message(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    const Parsed parsed = parseMessage(message);
    if (const auto* refusal = std::get_if<Refusal>(&parsed)) {
        check(!refusal->reason.isEmpty() && refusal->reason.size() <= 160, "a refusal says why, briefly");
        return 0;
    }
    check(size <= static_cast<std::size_t>(MaxMessageBytes), "a long message is refused");
    const Action& action = std::get<Action>(parsed);
    const Parsed again = parseMessage(asJson(action));
    check(std::holds_alternative<Action>(again) && std::get<Action>(again) == action,
          "a taken action reads back the same from its own JSON");

    const QJsonObject before = deskState(desk.controls);
    applyAction(action, desk.controls);
    const QJsonObject after = deskState(desk.controls);
    const std::set<QString> allowed = mayChange(action.kind);
    for (const QString& key : changedMembers(before, after).keys()) {
        check(allowed.count(key) == 1, "an action changes only what it names");
    }
    const DeskControls& c = desk.controls;
    check(c.tempo() >= TempoMin && c.tempo() <= TempoMax, "tempo in range");
    check(c.pageOffset() >= 0 && c.pageOffset() <= FaderOffsetMax, "page in range");
    check(c.scene() >= 0 && c.scene() <= c.lastScene(), "scene in the show");
    for (int row = 1; row <= FaderCount; ++row) {
        check(c.faderValue(row) >= 0 && c.faderValue(row) <= 255, "fader level in range");
    }
    return 0;
}
