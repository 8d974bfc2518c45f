// OSC messages read as orders to the desk, without sockets: each address with
// the arguments surfaces send becomes its action, anything else a refusal;
// carried out, the desk's control moves, and a refusal leaves the desk as it was.
#include "osc/osc_desk.h"
#include "osc/osc_message.h"
#include "osc_desk_fixture.h"

#include <gtest/gtest.h>

#include <functional>
#include <vector>

namespace velantra::osc {
namespace {

using K = ActionKind;
using R = Refusal;
const Arg I1 = Arg::integer(1);
const Arg I0 = Arg::integer(0);

struct Case {
    const char* address;
    std::vector<Arg> args;
    Decision expected;
};

Decision did(K kind, int index = 0, int value = 0)
{
    return {R::None, {kind, index, value}};
}

Decision no(R why)
{
    return {why, {}};
}

class Reading : public ::testing::TestWithParam<Case> {};

TEST_P(Reading, TheAddressAndArgumentsGiveTheirActionOrRefusal)
{
    const Case& c = GetParam();
    EXPECT_EQ(decide(c.address, c.args), c.expected) << c.address;
}

INSTANTIATE_TEST_SUITE_P(
    Messages, Reading,
    ::testing::Values(
        // Buttons: no argument, 1, T or TouchOSC's 1.0 press; 0 / 0.0 / F is the release.
        Case{"/velantra/play", {}, did(K::Play)}, Case{"/velantra/play", {Arg::real(1.0)}, did(K::Play)},
        Case{"/velantra/play", {Arg::real(0.0)}, did(K::Nothing)}, Case{"/velantra/stop", {Arg::yes()}, did(K::Stop)},
        Case{"/velantra/stop", {Arg::no()}, did(K::Nothing)}, Case{"/velantra/step", {}, did(K::Step, 0, 1)},
        Case{"/velantra/step", {Arg::integer(-1)}, did(K::Step, 0, -1)},
        Case{"/velantra/step", {Arg::integer(2)}, no(R::OutOfRange)},
        Case{"/velantra/scene", {Arg::integer(3)}, did(K::Scene, 0, 3)},
        Case{"/velantra/scene", {Arg::real(4.0)}, did(K::Scene, 0, 4)},
        Case{"/velantra/scene", {I0}, no(R::OutOfRange)}, Case{"/velantra/scene", {}, no(R::BadArguments)},
        // Levels: an integer as itself, a float as a fraction of the range.
        Case{"/velantra/tempo", {Arg::real(0.0)}, did(K::Tempo, 0, 10)},
        Case{"/velantra/tempo", {Arg::real(1.0)}, did(K::Tempo, 0, 170)},
        Case{"/velantra/tempo", {Arg::integer(90)}, did(K::Tempo, 0, 90)},
        Case{"/velantra/tempo", {Arg::integer(9)}, no(R::OutOfRange)},
        Case{"/velantra/fader/1", {Arg::real(0.5)}, did(K::Fader, 1, 128)},
        Case{"/velantra/fader/27", {Arg::integer(255)}, did(K::Fader, 27, 255)},
        Case{"/velantra/fader/05", {Arg::integer(7)}, did(K::Fader, 5, 7)},
        Case{"/velantra/fader/5", {Arg::integer(256)}, no(R::OutOfRange)},
        Case{"/velantra/fader/5", {Arg::real(1.5)}, no(R::OutOfRange)},
        Case{"/velantra/fader/5", {Arg::real(std::nan(""))}, no(R::OutOfRange)},
        Case{"/velantra/fader/5", {Arg::integer(4'000'000'000'000)}, no(R::OutOfRange)},
        Case{"/velantra/fader/28", {I1}, no(R::BadIndex)}, Case{"/velantra/fader/0", {I1}, no(R::BadIndex)},
        Case{"/velantra/fader/x", {I1}, no(R::BadIndex)},
        Case{"/velantra/fader/5", {Arg::other()}, no(R::BadArguments)},
        Case{"/velantra/fader/5", {I1, I1}, no(R::BadArguments)},
        Case{"/velantra/fader/5/x", {I1}, no(R::UnknownAddress)},
        Case{"/velantra/page", {Arg::integer(27)}, did(K::Page, 0, 27)},
        Case{"/velantra/page", {Arg::real(1.0)}, did(K::Page, 0, 228)},
        // Switches: 1 on, 0 off, no argument toggles.
        Case{"/velantra/picture/16", {I1}, did(K::Picture, 16, 1)},
        Case{"/velantra/picture/3", {I0}, did(K::Picture, 3, 0)},
        Case{"/velantra/picture/3", {}, did(K::Picture, 3, Toggle)},
        Case{"/velantra/picture/17", {I1}, no(R::BadIndex)},
        Case{"/velantra/picture/3", {Arg::integer(5)}, no(R::OutOfRange)},
        Case{"/velantra/blackout", {I1}, did(K::BlackOut, 0, 1)},
        Case{"/velantra/blackout", {I0}, did(K::BlackOut, 0, 0)},
        Case{"/velantra/chaser/2", {Arg::real(1.0)}, did(K::ChaserRun, 2, 1)},
        Case{"/velantra/chaser/3", {I1}, no(R::BadIndex)},
        Case{"/velantra/chaser/1/speed", {Arg::integer(30)}, did(K::ChaserSpeed, 1, 30)},
        Case{"/velantra/chaser/1/speed", {Arg::real(1.0)}, did(K::ChaserSpeed, 1, 50)},
        Case{"/velantra/chaser/1/speed", {Arg::integer(4)}, no(R::OutOfRange)},
        Case{"/velantra/conveyor/20", {}, did(K::ConveyorSlot, 20)},
        Case{"/velantra/queue/1", {I1}, did(K::ConveyorSlot, 1)}, Case{"/velantra/queue/21", {}, no(R::BadIndex)},
        // Feedback.
        Case{"/velantra/feedback", {I1}, did(K::Feedback, 0, 1)},
        Case{"/velantra/feedback", {Arg::integer(9001)}, did(K::Feedback, 0, 9001)},
        Case{"/velantra/feedback", {I0}, did(K::Unsubscribe, 0, 1)},
        Case{"/velantra/feedback", {Arg::integer(70000)}, no(R::OutOfRange)},
        Case{"/velantra/subscribe", {}, did(K::Feedback, 0, 1)},
        Case{"/velantra/unsubscribe", {}, did(K::Unsubscribe, 0, 1)},
        // Not ours.
        Case{"/velantra/Play", {}, no(R::UnknownAddress)}, Case{"/velantra/play/", {}, no(R::UnknownAddress)},
        Case{"/other/play", {}, no(R::UnknownAddress)}, Case{"", {}, no(R::UnknownAddress)},
        Case{"/velantra/play", {I1, I1}, no(R::BadArguments)}));

TEST(OscOnTheDesk, EachActionMovesItsControlAsTheWindowWould)
{
    OscDesk d;
    DeskControls& desk = d.desk;
    const auto send = [&](const char* address, std::vector<Arg> args) {
        const Decision decision = decide(address, args);
        ASSERT_TRUE(decision.accepted()) << address;
        EXPECT_EQ(applyTo(desk, decision.action), R::None) << address;
    };
    send("/velantra/fader/5", {Arg::real(1.0)});
    EXPECT_EQ(desk.faderValue(5), 255);
    send("/velantra/page", {Arg::integer(27)});
    EXPECT_EQ(desk.pageOffset(), 27);
    send("/velantra/tempo", {Arg::integer(90)});
    EXPECT_EQ(desk.tempo(), 90);
    send("/velantra/scene", {Arg::integer(4)});
    EXPECT_EQ(desk.scene(), 3);
    send("/velantra/step", {Arg::integer(-1)});
    EXPECT_EQ(desk.scene(), 2);
    send("/velantra/picture/3", {I1});
    EXPECT_TRUE(desk.picture(3));
    send("/velantra/picture/3", {});
    EXPECT_FALSE(desk.picture(3));
    send("/velantra/chaser/2", {I1});
    EXPECT_TRUE(desk.automatAlone(2));
    send("/velantra/chaser/1/speed", {Arg::integer(30)});
    EXPECT_EQ(desk.automatSpeed(1), 30);
    send("/velantra/queue/4", {});
    EXPECT_EQ(desk.conveyorSlot(), 4);
    send("/velantra/play", {});
    EXPECT_TRUE(desk.playing());
    send("/velantra/blackout", {I1});
    EXPECT_TRUE(desk.blackOut());
    EXPECT_FALSE(desk.playing());  // blackout ends play
    send("/velantra/blackout", {I0});
    EXPECT_FALSE(desk.blackOut());
}

TEST(OscOnTheDesk, ARefusalChangesNothingAndFeedbackShowsTheValues)
{
    OscDesk d;
    const std::vector<FeedbackValue> before = feedbackValues(d.desk);
    const Decision farScene = decide("/velantra/scene", std::vector<Arg>{Arg::integer(11)});  // the show has 10
    ASSERT_TRUE(farScene.accepted());
    EXPECT_EQ(applyTo(d.desk, farScene.action), R::OutOfRange);
    EXPECT_EQ(feedbackValues(d.desk), before);

    d.desk.moveFader(5, 51);
    d.desk.setPicture(16, true);
    const std::vector<FeedbackValue> after = feedbackValues(d.desk);
    ASSERT_EQ(after.size(), 6u + 27 + 16 + 2 + 2 + 20);
    EXPECT_EQ(after[3], (FeedbackValue{"/velantra/scene", false, 1, 0}));
    EXPECT_EQ(after[6 + 4], (FeedbackValue{"/velantra/fader/5", true, 0, 0.2f}));
    EXPECT_EQ(after[6 + 27 + 15], (FeedbackValue{"/velantra/picture/16", false, 1, 0}));
}

}  // namespace
}  // namespace velantra::osc
