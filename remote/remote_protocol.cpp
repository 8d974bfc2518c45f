#include "remote/remote_protocol.h"

#include "desk/conveyor_list.h"
#include "desk/desk_controls.h"
#include "engine/automat_state.h"
#include "engine/controls.h"
#include "engine/sequencer.h"
#include "engine/shared_values.h"

#include <QJsonDocument>
#include <QJsonObject>
#include <QJsonParseError>

#include <array>
#include <cmath>

namespace velantra::remote {

namespace {

constexpr int PictureCount = 16;
constexpr int SceneCount = 256;  // the last scene is a byte

// Where a field's value goes in the action.
enum class Into : std::uint8_t { None, Index, Value, Text };
enum class Type : std::uint8_t { Int, Bool, Pin };

struct Field {
    const char* key = nullptr;
    Type type = Type::Int;
    Into into = Into::None;
    int min = 0;
    int max = 0;
};

struct Spec {
    const char* name;
    ActionKind kind;
    std::array<Field, 2> fields;
};

constexpr std::array<Spec, 14> Specs{{
    {"pin", ActionKind::Pin, {{{"pin", Type::Pin, Into::Text}}}},
    {"play", ActionKind::Play, {}},
    {"stop", ActionKind::Stop, {}},
    {"step", ActionKind::Step, {{{"by", Type::Int, Into::Value, -1, 1}}}},
    {"scene", ActionKind::Scene, {{{"scene", Type::Int, Into::Value, 1, SceneCount}}}},
    {"tempo", ActionKind::Tempo, {{{"value", Type::Int, Into::Value, TempoMin, TempoMax}}}},
    {"blackout", ActionKind::BlackOut, {}},
    {"on", ActionKind::BackToScene, {}},
    {"picture",
     ActionKind::Picture,
     {{{"n", Type::Int, Into::Index, 1, PictureCount}, {"on", Type::Bool, Into::Value}}}},
    {"flash", ActionKind::Flash, {{{"n", Type::Int, Into::Index, 1, PictureCount}, {"down", Type::Bool, Into::Value}}}},
    {"fader",
     ActionKind::Fader,
     {{{"row", Type::Int, Into::Index, 1, FaderCount}, {"value", Type::Int, Into::Value, 0, 255}}}},
    {"page", ActionKind::Page, {{{"offset", Type::Int, Into::Value, 0, FaderOffsetMax}}}},
    {"chaser", ActionKind::Chaser, {{{"n", Type::Int, Into::Index, 1, AutomatCount}, {"on", Type::Bool, Into::Value}}}},
    {"queue", ActionKind::Queue, {{{"slot", Type::Int, Into::Index, 1, ConveyorSlots}}}},
}};

Refusal refuse(const QString& reason)
{
    return Refusal{reason};
}

// A field's value, or the refusal that says what is wrong with it.
std::variant<int, QString, Refusal> readField(const Field& field, const QJsonValue& value)
{
    const QString key = QLatin1String(field.key);
    switch (field.type) {
    case Type::Bool:
        if (!value.isBool()) {
            return refuse(QStringLiteral("\"%1\" must be true or false").arg(key));
        }
        return value.toBool() ? 1 : 0;
    case Type::Pin: {
        const QString text = value.toString();
        bool digits = value.isString() && text.size() == PinDigits;
        for (const QChar c : text) {
            digits = digits && c >= QLatin1Char('0') && c <= QLatin1Char('9');
        }
        if (!digits) {
            return refuse(QStringLiteral("\"%1\" must be %2 digits").arg(key).arg(PinDigits));
        }
        return text;
    }
    case Type::Int:
        break;
    }
    const double number = value.toDouble(std::nan(""));
    if (!value.isDouble() || !std::isfinite(number) || number != std::floor(number) || number < field.min ||
        number > field.max) {
        return refuse(QStringLiteral("\"%1\" must be a whole number %2..%3").arg(key).arg(field.min).arg(field.max));
    }
    return static_cast<int>(number);
}

}  // namespace

Parsed parseMessage(QByteArrayView text)
{
    if (text.size() > MaxMessageBytes) {
        return refuse(QStringLiteral("message longer than %1 bytes").arg(MaxMessageBytes));
    }
    QJsonParseError error{};
    const QJsonDocument document = QJsonDocument::fromJson(text.toByteArray(), &error);
    if (error.error != QJsonParseError::NoError) {
        return refuse(QStringLiteral("not JSON: %1 at %2").arg(error.errorString()).arg(error.offset));
    }
    if (!document.isObject()) {
        return refuse(QStringLiteral("not a JSON object"));
    }
    const QJsonObject object = document.object();
    const QJsonValue name = object.value(QLatin1String("do"));
    if (!name.isString()) {
        return refuse(QStringLiteral("no \"do\": say what to do"));
    }
    const Spec* spec = nullptr;
    for (const Spec& s : Specs) {
        if (name.toString() == QLatin1String(s.name)) {
            spec = &s;
        }
    }
    if (spec == nullptr) {
        return refuse(QStringLiteral("unknown action \"%1\"").arg(name.toString().left(32)));
    }

    Action action;
    action.kind = spec->kind;
    for (const Field& field : spec->fields) {
        if (field.key == nullptr) {
            continue;
        }
        const QJsonValue value = object.value(QLatin1String(field.key));
        if (value.isUndefined()) {
            return refuse(
                QStringLiteral("\"%1\" needs \"%2\"").arg(QLatin1String(spec->name), QLatin1String(field.key)));
        }
        auto read = readField(field, value);
        if (const auto* refusal = std::get_if<Refusal>(&read)) {
            return *refusal;
        }
        if (const auto* pin = std::get_if<QString>(&read)) {
            action.text = *pin;
        } else {
            (field.into == Into::Index ? action.index : action.value) = std::get<int>(read);
        }
    }
    for (auto it = object.begin(); it != object.end(); ++it) {
        bool known = it.key() == QLatin1String("do");
        for (const Field& field : spec->fields) {
            known = known || (field.key != nullptr && it.key() == QLatin1String(field.key));
        }
        if (!known) {
            return refuse(
                QStringLiteral("unknown key \"%1\" for \"%2\"").arg(it.key().left(32), QLatin1String(spec->name)));
        }
    }
    if (action.kind == ActionKind::Step && action.value == 0) {
        return refuse(QStringLiteral("\"by\" must be -1 or 1"));
    }
    return action;
}

void applyAction(const Action& action, DeskControls& desk)
{
    switch (action.kind) {
    case ActionKind::Pin:
        break;
    case ActionKind::Play:
        desk.play();
        break;
    case ActionKind::Stop:
        desk.stop();
        break;
    case ActionKind::Step:
        desk.stepScene(action.value);
        break;
    case ActionKind::Scene:
        desk.goToScene(action.value - 1);
        break;
    case ActionKind::Tempo:
        desk.setTempo(action.value);
        break;
    case ActionKind::BlackOut:
        desk.setBlackOut(true);
        break;
    case ActionKind::BackToScene:
        desk.backToScene();
        break;
    case ActionKind::Picture:
    case ActionKind::Flash:
        desk.setPicture(action.index, action.value != 0);
        break;
    case ActionKind::Fader:
        desk.moveFader(action.index, action.value);
        break;
    case ActionKind::Page:
        desk.setPageOffset(action.value);
        break;
    case ActionKind::Chaser:
        desk.setAutomatAlone(action.index, action.value != 0);
        break;
    case ActionKind::Queue:
        desk.chooseConveyorSlot(action.index);
        break;
    }
}

}  // namespace velantra::remote
