// The web remote's messages without a socket: what a page may send, what is
// refused and why, what each action does to the desk; the PIN and message
// limits with time stepped by hand; the state a page is told; the QR code.
#include "desk/desk_controls.h"
#include "desk/player.h"
#include "engine/engine.h"
#include "engine/scene_ops.h"
#include "remote/qr_code.h"
#include "remote/remote_limits.h"
#include "remote/remote_protocol.h"
#include "remote/remote_state.h"

#include <QJsonArray>

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <optional>

namespace velantra::remote {
namespace {

using K = ActionKind;

Action act(K kind, int index = 0, int value = 0, const QString& text = {})
{
    return Action{kind, index, value, text};
}

struct ParseCase {
    const char* message;
    std::optional<Action> action;  // none: refused
    const char* refusal;           // a part of the refusal's reason
};

TEST(RemoteProtocol, ReadsEachActionAndRefusesWhatIsMalformedOutOfRangeOrUnknown)
{
    const ParseCase cases[] = {
        {R"({"do":"pin","pin":"012345"})", act(K::Pin, 0, 0, QStringLiteral("012345")), ""},
        {R"({"do":"play"})", act(K::Play), ""},
        {R"({"do":"stop"})", act(K::Stop), ""},
        {R"({"do":"step","by":-1})", act(K::Step, 0, -1), ""},
        {R"({"do":"step","by":1})", act(K::Step, 0, 1), ""},
        {R"({"do":"scene","scene":256})", act(K::Scene, 0, 256), ""},
        {R"({"do":"tempo","value":10})", act(K::Tempo, 0, 10), ""},
        {R"({"do":"tempo","value":170.0})", act(K::Tempo, 0, 170), ""},
        {R"({"do":"blackout"})", act(K::BlackOut), ""},
        {R"({"do":"on"})", act(K::BackToScene), ""},
        {R"({"on":true,"n":16,"do":"picture"})", act(K::Picture, 16, 1), ""},
        {R"({"do":"flash","n":1,"down":false})", act(K::Flash, 1, 0), ""},
        {R"({"do":"fader","row":27,"value":255})", act(K::Fader, 27, 255), ""},
        {R"({"do":"page","offset":228})", act(K::Page, 0, 228), ""},
        {R"({"do":"chaser","n":2,"on":true})", act(K::Chaser, 2, 1), ""},
        {R"({"do":"queue","slot":20})", act(K::Queue, 20, 0), ""},

        {"", std::nullopt, "not JSON"},
        {"{\"do\":\"play\"", std::nullopt, "not JSON"},
        {"[1,2]", std::nullopt, "not a JSON object"},
        {"\"play\"", std::nullopt, "not JSON"},
        {R"({})", std::nullopt, "no \"do\""},
        {R"({"do":7})", std::nullopt, "no \"do\""},
        {R"({"do":"Play"})", std::nullopt, "unknown action \"Play\""},
        {R"({"do":"format"})", std::nullopt, "unknown action"},
        {R"({"do":"play","now":true})", std::nullopt, "unknown key \"now\""},
        {R"({"do":"fader","row":3})", std::nullopt, "needs \"value\""},
        {R"({"do":"fader","row":0,"value":1})", std::nullopt, "\"row\" must be a whole number 1..27"},
        {R"({"do":"fader","row":28,"value":1})", std::nullopt, "\"row\""},
        {R"({"do":"fader","row":1,"value":256})", std::nullopt, "\"value\" must be a whole number 0..255"},
        {R"({"do":"fader","row":1,"value":-1})", std::nullopt, "\"value\""},
        {R"({"do":"fader","row":1.5,"value":1})", std::nullopt, "\"row\""},
        {R"({"do":"fader","row":"1","value":1})", std::nullopt, "\"row\""},
        {R"({"do":"fader","row":1,"value":1e400})", std::nullopt, "illegal number"},
        {R"({"do":"fader","row":1,"value":4294967297})", std::nullopt, "\"value\""},
        {R"({"do":"fader","row":1,"value":-1e308})", std::nullopt, "\"value\""},
        {R"({"do":"fader","row":1,"value":null})", std::nullopt, "\"value\""},
        {R"({"do":"tempo","value":9})", std::nullopt, "10..170"},
        {R"({"do":"tempo","value":171})", std::nullopt, "10..170"},
        {R"({"do":"step","by":0})", std::nullopt, "-1 or 1"},
        {R"({"do":"step","by":2})", std::nullopt, "\"by\""},
        {R"({"do":"scene","scene":0})", std::nullopt, "1..256"},
        {R"({"do":"picture","n":17,"on":true})", std::nullopt, "1..16"},
        {R"({"do":"picture","n":1,"on":1})", std::nullopt, "true or false"},
        {R"({"do":"chaser","n":3,"on":true})", std::nullopt, "1..2"},
        {R"({"do":"queue","slot":21})", std::nullopt, "1..20"},
        {R"({"do":"page","offset":229})", std::nullopt, "0..228"},
        {R"({"do":"pin","pin":123456})", std::nullopt, "6 digits"},
        {R"({"do":"pin","pin":"12345"})", std::nullopt, "6 digits"},
        {R"({"do":"pin","pin":"12345a"})", std::nullopt, "6 digits"},
        {R"({"do":"pin","pin":"١٢٣٤٥٦"})", std::nullopt, "6 digits"},
    };
    for (const ParseCase& c : cases) {
        SCOPED_TRACE(c.message);
        const Parsed parsed = parseMessage(QByteArray(c.message));
        if (c.action) {
            ASSERT_TRUE(std::holds_alternative<Action>(parsed)) << std::get<Refusal>(parsed).reason.toStdString();
            EXPECT_EQ(std::get<Action>(parsed), *c.action);
        } else {
            ASSERT_TRUE(std::holds_alternative<Refusal>(parsed));
            EXPECT_TRUE(std::get<Refusal>(parsed).reason.contains(QString::fromUtf8(c.refusal)))
                << std::get<Refusal>(parsed).reason.toStdString();
        }
    }
}

TEST(RemoteProtocol, RefusesAMessageLongerThanTheLimitBeforeReadingIt)
{
    QByteArray message = R"({"do":"play","x":")";
    message += QByteArray(MaxMessageBytes, 'a') + "\"}";
    const Parsed parsed = parseMessage(message);
    ASSERT_TRUE(std::holds_alternative<Refusal>(parsed));
    EXPECT_TRUE(std::get<Refusal>(parsed).reason.contains(QLatin1String("longer than 4096")));
}

// Each action as the operator sends it, and what the desk then shows.
class RemoteActions : public ::testing::Test {
protected:
    RemoteActions()
    {
        engine->ClearAll();
        engine->memory.set(CellLastScene, 2);  // three scenes
    }
    void send(const char* message)
    {
        const Parsed parsed = parseMessage(QByteArray(message));
        ASSERT_TRUE(std::holds_alternative<Action>(parsed)) << message;
        applyAction(std::get<Action>(parsed), desk);
    }
    int level(int scene, int channel) const { return engine->memory.get(sceneAddress(scene) + channel); }

    std::unique_ptr<Engine> engine = std::make_unique<Engine>();
    Player player{*engine};
    DeskControls desk{*engine, player};
};

TEST_F(RemoteActions, MoveTheDeskAsTheWindowsKeysDo)
{
    const std::pair<const char*, std::function<bool()>> steps[] = {
        {R"({"do":"fader","row":3,"value":200})", [&] { return level(0, 3) == 200 && desk.faderValue(3) == 200; }},
        {R"({"do":"page","offset":27})", [&] { return desk.pageOffset() == 27; }},
        {R"({"do":"fader","row":1,"value":90})", [&] { return level(0, 28) == 90 && level(0, 1) == 0; }},
        {R"({"do":"tempo","value":50})", [&] { return desk.tempo() == 50; }},
        {R"({"do":"scene","scene":3})", [&] { return desk.scene() == 2; }},
        {R"({"do":"step","by":1})", [&] { return desk.scene() == 0; }},
        {R"({"do":"step","by":-1})", [&] { return desk.scene() == 2; }},
        {R"({"do":"play"})", [&] { return desk.playing(); }},
        {R"({"do":"fader","row":2,"value":70})", [&] { return level(2, 29) == 0 && desk.faderPosition(2) == 70; }},
        {R"({"do":"stop"})", [&] { return !desk.playing(); }},
        {R"({"do":"blackout"})", [&] { return desk.blackOut(); }},
        {R"({"do":"on"})", [&] { return !desk.blackOut(); }},
        {R"({"do":"picture","n":5,"on":true})", [&] { return desk.picture(5) && !desk.picture(4); }},
        {R"({"do":"flash","n":5,"down":false})", [&] { return !desk.picture(5); }},
        {R"({"do":"chaser","n":2,"on":true})", [&] { return desk.automatAlone(2) && !desk.automatAlone(1); }},
        {R"({"do":"queue","slot":4})", [&] { return desk.conveyorSlot() == 4; }},
        {R"({"do":"pin","pin":"000000"})", [&] { return desk.conveyorSlot() == 4 && !desk.playing(); }},
    };
    for (const auto& [message, shows] : steps) {
        SCOPED_TRACE(message);
        send(message);
        EXPECT_TRUE(shows());
    }
}

TEST_F(RemoteActions, TheStateTellsWhatThePageShowsAndOnlyWhatChanged)
{
    engine->DataWrite(0, 2, 140);
    engine->shownFrame.set(2, 130);
    desk.setPicture(16, true);
    desk.setAutomatAlone(1, true);
    player.conveyor().setFile(3, QStringLiteral("/shows/Gala night.vlt"));
    const QJsonObject first = deskState(desk);
    EXPECT_EQ(first.value(QLatin1String("scene")).toInt(), 1) << "the scene as the page shows it";
    EXPECT_EQ(first.value(QLatin1String("scenes")).toInt(), 3);
    EXPECT_EQ(first.value(QLatin1String("faders")).toArray().size(), 27);
    EXPECT_EQ(first.value(QLatin1String("faders")).toArray().at(1).toInt(), 140);
    EXPECT_EQ(first.value(QLatin1String("outputs")).toArray().at(1).toInt(), 130);
    EXPECT_EQ(first.value(QLatin1String("pictures")).toArray().at(15).toInt(), 1);
    EXPECT_TRUE(first.value(QLatin1String("chasers")).toArray().at(0).toBool());
    const QJsonObject queue = first.value(QLatin1String("queue")).toObject();
    EXPECT_EQ(queue.value(QLatin1String("shows")).toArray().at(2).toString(), QStringLiteral("Gala night"));
    EXPECT_TRUE(queue.value(QLatin1String("hand")).toBool());
    EXPECT_EQ(changedMembers({}, first), first);
    EXPECT_TRUE(changedMembers(first, first).isEmpty());

    desk.moveFader(2, 10);
    desk.setBlackOut(true);
    const QJsonObject changed = changedMembers(first, deskState(desk));
    EXPECT_EQ(changed.keys(), (QStringList{QStringLiteral("blackout"), QStringLiteral("faders")}));
}

TEST(RemoteLimits, FiveWrongPinsLockTheAddressForThirtySecondsAndARightOneForgetsIt)
{
    PinGuard guard;
    const QString phone = QStringLiteral("192.168.1.20");
    const QString other = QStringLiteral("192.168.1.21");
    for (qint64 i = 1; i < PinGuard::Tries; ++i) {
        EXPECT_FALSE(guard.wrong(phone, 1000 * i));
        EXPECT_EQ(guard.lockedFor(phone, 1000 * i), 0);
    }
    EXPECT_TRUE(guard.wrong(phone, 5000)) << "the fifth wrong PIN locks";
    EXPECT_EQ(guard.lockedFor(phone, 5000), 30'000);
    EXPECT_EQ(guard.lockedFor(phone, 34'999), 1);
    EXPECT_EQ(guard.lockedFor(other, 6000), 0) << "another address is not locked";
    EXPECT_EQ(guard.lockedFor(phone, 35'000), 0);
    EXPECT_FALSE(guard.wrong(phone, 35'000)) << "after the lock, a fresh set of tries";
    guard.right(phone);
    for (int i = 1; i < PinGuard::Tries; ++i) {
        EXPECT_FALSE(guard.wrong(phone, 40'000));
    }
    EXPECT_TRUE(guard.wrong(phone, 40'000)) << "a right PIN started the count again";
}

TEST(RemoteLimits, AtMostSoManyMessagesInASecond)
{
    RateWindow rate(3);
    EXPECT_TRUE(rate.take(100));
    EXPECT_TRUE(rate.take(500));
    EXPECT_TRUE(rate.take(1099));
    EXPECT_FALSE(rate.take(1099)) << "the fourth within a second";
    EXPECT_TRUE(rate.take(1100)) << "a new second";
}

TEST(RemoteQrCode, EncodesTheAddressAsAMatrixWithItsFinderPatterns)
{
    const QrCode code = makeQrCode("http://192.168.1.20:9090/");
    ASSERT_EQ(code.size, 25) << "25 bytes at level M fit version 2";
    ASSERT_EQ(code.dark.size(), 25U * 25U);
    // The three finder patterns: a dark ring, a light ring, a dark 3x3 core.
    for (const auto& [x0, y0] : {std::pair{0, 0}, {18, 0}, {0, 18}}) {
        for (int i = 0; i < 7; ++i) {
            EXPECT_TRUE(code.isDark(x0 + i, y0) && code.isDark(x0 + i, y0 + 6) && code.isDark(x0, y0 + i) &&
                        code.isDark(x0 + 6, y0 + i));
        }
        EXPECT_FALSE(code.isDark(x0 + 1, y0 + 1));
        EXPECT_TRUE(code.isDark(x0 + 3, y0 + 3));
    }
    EXPECT_FALSE(code.isDark(7, 7)) << "the separator is light";
    for (int x = 8; x < 17; ++x) {
        EXPECT_EQ(code.isDark(x, 6), x % 2 == 0) << "timing pattern at " << x;
    }
    EXPECT_EQ(makeQrCode("").size, 0);
    EXPECT_EQ(makeQrCode(std::string(4000, 'x')).size, 0) << "too long for any version";
}

}  // namespace
}  // namespace velantra::remote
