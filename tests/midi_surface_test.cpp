// A control surface as the operator meets it: bytes as ports deliver them,
// the bindings' words, faders scaled and picked up, keys pressed and held,
// learning, feedback to motorised faders and lamps, and a flooding port.
#include "midi/inbox.h"
#include "midi/midi_binding.h"
#include "midi/midi_message.h"
#include "midi/midi_surface.h"

#include <gtest/gtest.h>

#include <map>
#include <vector>

namespace velantra::midi {
namespace {

std::vector<Message> parse(std::vector<std::uint8_t> bytes)
{
    Parser parser;
    std::vector<Message> out;
    parser.feed(bytes, [&](const Message& m) { out.push_back(m); });
    return out;
}

Message cc(int channel, int number, int value)
{
    return {Kind::ControlChange, static_cast<std::uint8_t>(channel), static_cast<std::uint8_t>(number),
            static_cast<std::uint16_t>(value)};
}

Message note(int channel, int number, int velocity)
{
    return {Kind::Note, static_cast<std::uint8_t>(channel), static_cast<std::uint8_t>(number),
            static_cast<std::uint16_t>(velocity)};
}

TEST(MidiParser, ReadsWhatSurfacesSendWithRunningStatusAndNoteOffSpellings)
{
    EXPECT_EQ(parse({0xB0, 7, 100, 8, 50}), (std::vector{cc(0, 7, 100), cc(0, 8, 50)}));
    EXPECT_EQ(parse({0x99, 36, 127, 0x89, 36, 64, 0x99, 36, 0}),
              (std::vector{note(9, 36, 127), note(9, 36, 0), note(9, 36, 0)}));
    EXPECT_EQ(parse({0xE3, 0x00, 0x40, 0x7F, 0x7F}),
              (std::vector{Message{Kind::PitchBend, 3, 0, 8192}, Message{Kind::PitchBend, 3, 0, 16383}}));
}

TEST(MidiParser, RealTimeSysExAndCutMessagesChangeNothing)
{
    // Clock and active sensing between the bytes of a message.
    EXPECT_EQ(parse({0xB0, 0xF8, 7, 0xFE, 100}), std::vector{cc(0, 7, 100)});
    // System exclusive of any length, then running status does not survive it.
    std::vector<std::uint8_t> sysex{0xB0, 1, 2, 0xF0};
    sysex.insert(sysex.end(), 5000, 0x11);
    sysex.insert(sysex.end(), {0xF7, 3, 4, 0xB1, 5, 6});
    EXPECT_EQ(parse(sysex), (std::vector{cc(0, 1, 2), cc(1, 5, 6)}));
    // A message cut short by the next status is dropped; so are stray data bytes.
    EXPECT_EQ(parse({5, 6, 0xB0, 7, 0x90, 60, 100}), std::vector{note(0, 60, 100)});
    // Song position's two data bytes are not a controller's.
    EXPECT_EQ(parse({0xB0, 1, 1, 0xF2, 10, 20, 30}), std::vector{cc(0, 1, 1)});
    // Program change and pressure are skipped, running status kept.
    EXPECT_EQ(parse({0xC0, 5, 6, 0xB2, 1, 2}), std::vector{cc(2, 1, 2)});
}

TEST(MidiParser, KeepsStateAcrossPiecesOfOnePort)
{
    Parser parser;
    std::vector<Message> out;
    const auto collect = [&](const Message& m) { out.push_back(m); };
    parser.feed(std::vector<std::uint8_t>{0xB4, 20}, collect);
    parser.feed(std::vector<std::uint8_t>{99, 21}, collect);
    parser.feed(std::vector<std::uint8_t>{98}, collect);
    EXPECT_EQ(out, (std::vector{cc(4, 20, 99), cc(4, 21, 98)}));
}

TEST(MidiEncode, WritesStatusAndDataBytes)
{
    EXPECT_EQ(encode(cc(2, 7, 100)), (std::vector<std::uint8_t>{0xB2, 0x07, 0x64}));
    EXPECT_EQ(encode(note(15, 60, 0)), (std::vector<std::uint8_t>{0x9F, 0x3C, 0x00}));
    EXPECT_EQ(encode(Message{Kind::PitchBend, 0, 0, 10000}), (std::vector<std::uint8_t>{0xE0, 0x10, 0x4E}));
}

TEST(MidiBindingWords, SpellEveryTargetAndSourceBothWays)
{
    for (const Target& t : allTargets()) {
        EXPECT_EQ(parseTarget(targetText(t)), t) << targetText(t);
    }
    EXPECT_EQ(allTargets().size(), 27u + 3 + 4 + 16 + 20 + 2 + 2);
    EXPECT_EQ(sourceText({Kind::ControlChange, 0, 7}), "cc 1 7");
    EXPECT_EQ(parseSource("note 10 36"), (Source{Kind::Note, 9, 36}));
    EXPECT_EQ(parseSource("bend 16"), (Source{Kind::PitchBend, 15, 0}));
    for (const char* bad : {"fader 28", "fader 0", "fader", "tempo 1", "picture x", "cc 0 7", "cc 17 7", "cc 1 128",
                            "bend 1 2", "note 1", "cc 1 7 1", "fader 1x"}) {
        EXPECT_FALSE(parseTarget(bad) || parseSource(bad)) << bad;
    }
}

TEST(MidiBindingWords, ControllerNameDropsTheSystemsNumbers)
{
    EXPECT_EQ(controllerName("nanoKONTROL2:nanoKONTROL2 MIDI 1 24:0"), "nanoKONTROL2:nanoKONTROL2 MIDI 1");
    EXPECT_EQ(controllerName("system:midi_capture_1"), "system:midi_capture_1");
    EXPECT_EQ(controllerName("Pad 1:2x"), "Pad 1:2x");
}

// The window's side: values and presses recorded.
class FakeTargets : public TargetAccess {
public:
    Range range(const Target& t) const override { return t.kind == TargetKind::Tempo ? Range{10, 170} : Range{0, 255}; }
    int value(const Target& t) const override
    {
        const auto it = values.find(t);
        return it == values.end() ? 0 : it->second;
    }
    void set(const Target& t, int v) override { values[t] = v; }
    void press(const Target& t, bool down) override { presses.push_back({t, down}); }

    std::map<Target, int> values;
    std::vector<std::pair<Target, bool>> presses;
};

class MidiSurfaceTest : public ::testing::Test {
protected:
    MidiSurfaceTest()
    {
        BindingSet& set = bindings.controllers["pad"];
        set.bind({Kind::ControlChange, 0, 1}, fader1);
        set.bind({Kind::PitchBend, 0, 0}, tempo);
        set.bind({Kind::Note, 0, 60}, {TargetKind::Play, 0});
        set.bind({Kind::Note, 0, 36}, {TargetKind::Picture, 1});
        set.bind({Kind::ControlChange, 0, 64}, {TargetKind::BlackOut, 0});
    }
    Surface::Outcome send(const Message& m) { return surface.receive("pad", m); }

    const Target fader1{TargetKind::Fader, 1};
    const Target tempo{TargetKind::Tempo, 0};
    Bindings bindings;
    FakeTargets targets;
    Surface surface{bindings, targets};
};

TEST_F(MidiSurfaceTest, FaderScalesToTheTargetsRangeBothWays)
{
    bindings.pickUp = false;
    for (auto [physical, level] : {std::pair{0, 0}, {127, 255}, {64, 129}, {1, 2}}) {
        send(cc(0, 1, physical));
        EXPECT_EQ(targets.value(fader1), level) << physical;
    }
    send(Message{Kind::PitchBend, 0, 0, 16383});
    EXPECT_EQ(targets.value(tempo), 170);
    for (int v = 0; v <= 255; ++v) {
        EXPECT_EQ(toProgram(toPhysical(v, Kind::ControlChange, {0, 255}), Kind::ControlChange, {0, 255}) / 2, v / 2)
            << v;
    }
}

TEST_F(MidiSurfaceTest, PickUpHoldsAFaderBackUntilItPassesTheProgramsValue)
{
    targets.values[fader1] = 128;  // physical 64
    EXPECT_EQ(send(cc(0, 1, 10)), Surface::Outcome::HeldBack);
    EXPECT_EQ(send(cc(0, 1, 40)), Surface::Outcome::HeldBack);
    EXPECT_EQ(targets.value(fader1), 128);
    EXPECT_EQ(send(cc(0, 1, 70)), Surface::Outcome::Acted);  // swept through 64
    EXPECT_EQ(targets.value(fader1), 141);
    EXPECT_EQ(send(cc(0, 1, 20)), Surface::Outcome::Acted);  // caught: follows
    // The bank pages: the program's value changes under the fader, which lets go.
    targets.values[fader1] = 255;
    surface.feedback(fader1);
    EXPECT_EQ(send(cc(0, 1, 30)), Surface::Outcome::HeldBack);
    EXPECT_EQ(send(cc(0, 1, 126)), Surface::Outcome::Acted);  // one step from the top
    // Only a sweep's end arrives (a flood coalesced): the values it passed count.
    targets.values[fader1] = 0;
    surface.feedback(fader1);
    EXPECT_EQ(surface.receive("pad", cc(0, 1, 63), 10, 63), Surface::Outcome::HeldBack);
    EXPECT_EQ(surface.receive("pad", cc(0, 1, 127), 64, 127), Surface::Outcome::HeldBack);
    EXPECT_EQ(surface.receive("pad", cc(0, 1, 63), 0, 63), Surface::Outcome::Acted);
    // Switched off, a fader acts at once.
    targets.values[fader1] = 0;
    surface.feedback(fader1);
    bindings.pickUp = false;
    EXPECT_EQ(send(cc(0, 1, 100)), Surface::Outcome::Acted);
}

TEST_F(MidiSurfaceTest, KeysPressOnceOrAreHeld)
{
    send(note(0, 60, 100));
    send(note(0, 60, 0));  // play acts on the press only
    send(note(0, 36, 90));
    send(note(0, 36, 0));  // a picture is held
    send(cc(0, 64, 127));  // a controller as a key: past the middle is down
    send(cc(0, 64, 0));
    const std::vector<std::pair<Target, bool>> expected{{{TargetKind::Play, 0}, true},
                                                        {{TargetKind::Picture, 1}, true},
                                                        {{TargetKind::Picture, 1}, false},
                                                        {{TargetKind::BlackOut, 0}, true}};
    EXPECT_EQ(targets.presses, expected);
    EXPECT_EQ(surface.receive("other pad", note(0, 60, 100)), Surface::Outcome::Unbound);
    EXPECT_EQ(send(note(1, 60, 100)), Surface::Outcome::Unbound);  // another channel
}

TEST_F(MidiSurfaceTest, LearningBindsTheFirstControlMovedAndMovesOldBindings)
{
    const Target fader5{TargetKind::Fader, 5};
    surface.learn(fader5);
    EXPECT_EQ(surface.receive("new pad", note(0, 40, 0)), Surface::Outcome::Unbound);  // a release does not bind
    EXPECT_EQ(surface.receive("new pad", cc(3, 20, 5)), Surface::Outcome::Learned);
    EXPECT_FALSE(surface.learning());
    EXPECT_EQ(bindings.controllers["new pad"].targetOf({Kind::ControlChange, 3, 20}), fader5);
    // Binding fader 1 to pad's key 60 takes that key from play, and fader 1 from CC 1.
    surface.learn(fader1);
    send(note(0, 60, 127));
    EXPECT_EQ(bindings.controllers["pad"].sourceOf(fader1), (Source{Kind::Note, 0, 60}));
    EXPECT_FALSE(bindings.controllers["pad"].targetOf({Kind::ControlChange, 0, 1}));
    EXPECT_FALSE(bindings.controllers["pad"].sourceOf({TargetKind::Play, 0}));
}

TEST_F(MidiSurfaceTest, FeedbackFollowsTheProgramButNotTheSurfacesOwnMoves)
{
    targets.values[fader1] = 255;
    EXPECT_EQ(surface.feedback(fader1), std::vector{cc(0, 1, 127)});
    EXPECT_TRUE(surface.feedback(fader1).empty());  // nothing new
    bindings.pickUp = false;
    send(cc(0, 1, 40));  // the operator's move: the program follows, nothing echoes
    EXPECT_TRUE(surface.feedback(fader1).empty());
    targets.values[fader1] = 255;  // a scene step puts it back
    EXPECT_EQ(surface.feedback(fader1), std::vector{cc(0, 1, 127)});
    targets.values[{TargetKind::Play, 0}] = 1;
    EXPECT_EQ(surface.feedback({TargetKind::Play, 0}), std::vector{note(0, 60, 127)});
    targets.values[{TargetKind::Play, 0}] = 0;
    EXPECT_EQ(surface.feedback({TargetKind::Play, 0}), std::vector{note(0, 60, 0)});
    EXPECT_TRUE(surface.feedback({TargetKind::Stop, 0}).empty());  // not bound
    EXPECT_EQ(surface.allFeedback().size(), bindings.controllers["pad"].bySource().size());
}

TEST_F(MidiSurfaceTest, MotorFaderFollowsEveryChangeFromWhereFeedbackLeftIt)
{
    const Target fader2{TargetKind::Fader, 2};
    surface.learn(fader2);
    ASSERT_EQ(send(cc(0, 2, 0)), Surface::Outcome::Learned);  // learned standing at 0
    bindings.pickUp = false;
    struct Step {
        int program;                // the program's value, or -1 ...
        int moved;                  // ... the operator moves the fader here
        std::vector<Message> sent;  // what goes to the controller
    };
    const std::vector<Step> steps{
        {255, 0, {cc(0, 2, 127)}},
        {0, 0, {cc(0, 2, 0)}},  // back where the controller last reported: still sent
        {0, 0, {}},
        {255, 0, {cc(0, 2, 127)}},
        {254, 0, {}},  // rounds to what the fader shows
        {1, 0, {cc(0, 2, 0)}},
        {-1, 64, {}},  // the operator's move: the program follows, nothing echoes
        {129, 0, {}},
        {0, 0, {cc(0, 2, 0)}},
    };
    for (std::size_t i = 0; i < steps.size(); ++i) {
        if (steps[i].program < 0) {
            send(cc(0, 2, steps[i].moved));
        } else {
            targets.values[fader2] = steps[i].program;
        }
        EXPECT_EQ(surface.feedback(fader2), steps[i].sent) << "step " << i;
    }
    // A show alternating the channel: every change moves the motor.
    int messages = 0;
    for (int i = 0; i < 15; ++i) {
        targets.values[fader2] = i % 2 == 0 ? 255 : 0;
        messages += static_cast<int>(surface.feedback(fader2).size());
    }
    EXPECT_EQ(messages, 15);
}

TEST_F(MidiSurfaceTest, ControllerThatGoesLetsGoOfWhatItHeldAlone)
{
    const Target picture1{TargetKind::Picture, 1};
    const Target picture2{TargetKind::Picture, 2};
    BindingSet& other = bindings.controllers["other"];
    other.bind({Kind::Note, 0, 36}, picture1);
    other.bind({Kind::Note, 0, 37}, picture2);
    send(note(0, 36, 100));
    surface.receive("other", note(0, 36, 100));
    surface.receive("other", note(0, 37, 100));
    send(note(0, 60, 100));  // play is pressed, not held
    targets.presses.clear();
    EXPECT_TRUE(surface.release("pad").empty()) << "picture 1 is still held on the other controller";
    EXPECT_EQ(surface.release("other"), (std::vector{picture1, picture2}));
    EXPECT_EQ(targets.presses, (std::vector<std::pair<Target, bool>>{{picture1, false}, {picture2, false}}));
    // A key let go before its controller went is not let go again.
    send(note(0, 36, 100));
    send(note(0, 36, 0));
    targets.presses.clear();
    EXPECT_TRUE(surface.release("pad").empty());
    EXPECT_TRUE(targets.presses.empty());
}

TEST(MidiInbox, CoalescesAFloodButKeepsEveryPressAndRelease)
{
    Inbox inbox;
    EXPECT_TRUE(inbox.push(1, cc(0, 7, 0)));
    for (int v = 1; v <= 63; ++v) {
        EXPECT_FALSE(inbox.push(1, cc(0, 7, v)));
    }
    inbox.push(2, cc(0, 7, 5));    // another port's control of the same number
    inbox.push(1, cc(0, 7, 100));  // crosses the middle: kept apart
    inbox.push(1, cc(0, 7, 127));
    inbox.push(1, note(0, 60, 100));
    inbox.push(1, note(0, 60, 0));
    const auto taken = inbox.take();
    ASSERT_EQ(taken.size(), 5u);
    EXPECT_EQ(taken[0].message, cc(0, 7, 63));
    EXPECT_EQ(taken[0].low, 0);
    EXPECT_EQ(taken[0].high, 63);
    EXPECT_EQ(taken[1].port, 2);
    EXPECT_EQ(taken[2].message, cc(0, 7, 127));
    EXPECT_EQ(taken[4].message, note(0, 60, 0));
    EXPECT_TRUE(inbox.take().empty());
    for (std::size_t i = 0; i < Inbox::Capacity + 10; ++i) {
        inbox.push(1, note(0, 60, 1));
    }
    EXPECT_EQ(inbox.take().size(), Inbox::Capacity);
    EXPECT_EQ(inbox.dropped(), 10u);
}

}  // namespace
}  // namespace velantra::midi
