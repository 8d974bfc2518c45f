// The two common USB DMX interfaces on the link, through the fake device: a
// DMX USB Pro (described as one, or proven by its answer) gets labelled
// messages and tells its parameters; an Open DMX gets its line set and each
// frame as break, mark-after-break and the 513 bytes from the link's writer
// thread; the program's own interface stays as it was. With two devices on
// the bus, the one opened decides; offline, nothing at all is written.
#include "engine/engine.h"
#include "engine/output_cycle.h"
#include "engine/output_thread.h"
#include "link/pro_widget.h"
#include "link/usb_link.h"
#include "tests/testing/fake_d2xx.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <atomic>
#include <chrono>
#include <memory>
#include <ostream>
#include <string>
#include <thread>
#include <utility>
#include <vector>

namespace velantra {
namespace {

using namespace std::chrono_literals;
using Bytes = std::vector<std::uint8_t>;

const Bytes ParametersReply{0x2C, 0x01, 9, 1, 40};  // firmware 1.44, break 9 and MAB 1 steps, 40 frames/s
const Bytes SerialReply{0x78, 0x56, 0x34, 0x12};    // 12345678

class UsbWidgetsTest : public ::testing::Test {
protected:
    // A frame whose channel 1 is at level, channel 30 at 30.
    static std::array<std::uint8_t, FrameSlots> frame(std::uint8_t level)
    {
        std::array<std::uint8_t, FrameSlots> f{};
        f[1] = level;
        f[30] = 30;
        return f;
    }
    void open()
    {
        link.openInterface();
        link.poll();
        ASSERT_EQ(link.UsbOpen.load(), 1);
    }
    // Waits for the writer thread's n-th frame on the device (a thread of the link writes them).
    bool waitForWrites(std::size_t n)
    {
        for (int i = 0; i < 400 && device.writeCount() < n; ++i) {
            std::this_thread::sleep_for(5ms);
        }
        return device.writeCount() >= n;
    }

    FakeD2xx device;
    UsbLink link{device};
};

TEST_F(UsbWidgetsTest, DescribedProIsAskedItsParametersAndGetsLabelSixFrames)
{
    device.attach("EN123456", "DMX USB PRO");
    device.answerAsProWidget(ParametersReply, SerialReply);
    open();
    EXPECT_EQ(link.kind(), InterfaceKind::Pro);
    ASSERT_EQ(device.writes().size(), 2u);
    EXPECT_EQ(device.writes()[0], pro::parametersRequest());
    EXPECT_EQ(device.writes()[1], pro::serialRequest());

    link.poll();  // the answers are read by the next poll
    ASSERT_TRUE(link.proInfo().parameters);
    EXPECT_EQ(link.proInfo().parameters->firmware, 0x012C);
    EXPECT_EQ(link.proInfo().parameters->rate, 40);
    EXPECT_NEAR(link.proInfo().parameters->breakMicros(), 96.0, 0.1);
    EXPECT_EQ(link.proInfo().serial, 12345678u);

    link.setSlotsUsed(30);
    link.writeFrame(frame(200));
    Bytes expected{0x7E, 6, 31, 0, 0x00, 200};
    expected.resize(4 + 30, 0);
    expected.push_back(30);
    expected.push_back(0xE7);
    EXPECT_EQ(device.writes().back(), expected);
    link.setSlotsUsed(2);  // fewer than the widget takes: 24 go out
    link.writeFrame(frame(200));
    EXPECT_EQ(device.writes().back().size(), 5u + 25);
}

TEST_F(UsbWidgetsTest, ChosenProIsProvenByItsAnswerAndOneThatIsSilentIsStillDriven)
{
    link.setKindChoice(KindChoice::Pro);
    device.attach("A1B2C3", "FT232R USB UART");
    device.answerAsProWidget(ParametersReply, SerialReply);
    open();
    link.poll();
    EXPECT_EQ(link.kind(), InterfaceKind::Pro);
    EXPECT_EQ(link.proInfo().serial, 12345678u);

    FakeD2xx silent;
    UsbLink other(silent);
    other.setKindChoice(KindChoice::Pro);
    silent.attach();
    other.openInterface();
    other.poll();
    other.poll();
    EXPECT_EQ(other.kind(), InterfaceKind::Pro);
    EXPECT_FALSE(other.proInfo().serial);
    other.writeFrame(frame(5));
    EXPECT_EQ(silent.writes().back()[1], pro::LabelSendDmx);
}

TEST_F(UsbWidgetsTest, ProgramsOwnInterfaceStaysFramedAndGarbageRepliesChangeNothing)
{
    device.attach();
    open();
    EXPECT_TRUE(device.writes().empty());  // nothing but frames goes to it
    device.queueReply({0x7E, 10, 0xFF, 0xFF, 0x7E, 0x7E, 1, 2, 0xE7, 0x00, 0x7E, 3, 5, 0});  // noise, cut short
    link.poll();
    link.poll();
    EXPECT_EQ(link.kind(), InterfaceKind::Framed);
    EXPECT_FALSE(link.proInfo().serial);
    link.writeFrame(frame(7));
    const Bytes sent = device.writes().back();
    EXPECT_EQ(Bytes(sent.begin(), sent.begin() + 4), (Bytes{0xFF, 0xF0, 0x00, 7}));
}

TEST_F(UsbWidgetsTest, OpenDmxLineIsSetAndEachFrameIsBreakMarkThenTheSlots)
{
    link.setKindChoice(KindChoice::OpenDmx);
    device.attach("B0012345", "FT232R USB UART");
    open();
    EXPECT_EQ(link.kind(), InterfaceKind::OpenDmx);
    EXPECT_EQ(device.baudRate(), 250000u);
    EXPECT_EQ(device.dataCharacteristics(), (std::array<std::uint8_t, 3>{8, 2, 0}));

    link.writeFrame(frame(99));
    ASSERT_TRUE(waitForWrites(1));
    const auto f = frame(99);
    EXPECT_EQ(device.writes().back(), Bytes(f.begin(), f.end()));
    EXPECT_EQ(link.wireLength(), 0);  // the output thread itself wrote nothing

    const std::vector<FakeEvent> events = device.events();
    std::vector<FakeCall> calls;
    for (const FakeEvent& e : events) {
        calls.push_back(e.call);
    }
    ASSERT_EQ(calls, (std::vector<FakeCall>{FakeCall::SetDataCharacteristics, FakeCall::SetBaudRate, FakeCall::BreakOn,
                                            FakeCall::BreakOff, FakeCall::Write}));
    EXPECT_GE(events[3].at - events[2].at, 92us) << "break too short";
    EXPECT_GE(events[4].at - events[3].at, 12us) << "mark-after-break too short";

    // The newest frame wins; one written at a time.
    for (std::uint8_t level = 1; level <= 5; ++level) {
        link.writeFrame(frame(level));
        std::this_thread::sleep_for(1ms);
    }
    for (int i = 0; i < 400 && device.writes().back()[1] != 5; ++i) {
        std::this_thread::sleep_for(5ms);
    }
    EXPECT_EQ(device.writes().back()[1], 5);
    EXPECT_EQ(device.maxConcurrentCalls(), 1);
    link.closeInterface();
}

TEST_F(UsbWidgetsTest, OpenDmxOnADriverWithoutABreakSaysSoAndWritesNothing)
{
    link.setKindChoice(KindChoice::OpenDmx);
    device.attach();
    device.failCall(FakeCall::BreakOn, FT_NOT_SUPPORTED);
    open();
    link.writeFrame(frame(1));
    for (int i = 0; i < 200 && link.status().label != UsbLabel::FT_SetBreak; ++i) {
        std::this_thread::sleep_for(5ms);
    }
    EXPECT_EQ(link.status().label, UsbLabel::FT_SetBreak);
    EXPECT_EQ(link.status().status, FT_NOT_SUPPORTED);
    EXPECT_EQ(device.writeCount(), 0u);
    link.closeInterface();
}

TEST_F(UsbWidgetsTest, ChangingTheKindReopensTheDeviceAsTheNewKind)
{
    device.attach();
    open();
    link.setKindChoice(KindChoice::Pro);
    link.poll();  // closes
    link.poll();  // opens again, as a DMX USB Pro
    EXPECT_EQ(link.UsbOpen.load(), 1);
    EXPECT_EQ(link.kind(), InterfaceKind::Pro);
    EXPECT_EQ(device.writes().back(), pro::serialRequest());
    link.setKindChoice(KindChoice::Auto);  // and back: its own stream, nothing else written
    link.poll();
    link.poll();
    EXPECT_EQ(link.kind(), InterfaceKind::Framed);
    EXPECT_EQ(device.writes().back(), pro::serialRequest());
}

// Two FTDI devices: the driver's device 0 is opened, and its own serial
// number and description decide how it is driven.
struct TwoDevicesCase {
    friend void PrintTo(const TwoDevicesCase& c, std::ostream* os) { *os << c.name; }
    const char* name;
    std::vector<std::pair<std::string, std::string>> devices;  // serial, description, in the driver's order
    KindChoices choices;
    bool attachedLater;  // plugged in after the start: no listing names them
    InterfaceKind kind;
    std::string serial;  // of the device opened
};

class UsbWidgetsTwoDevices : public ::testing::TestWithParam<TwoDevicesCase> {};

TEST_P(UsbWidgetsTwoDevices, TheDeviceOpenedDecidesItsKind)
{
    const TwoDevicesCase& c = GetParam();
    FakeD2xx device;
    UsbLink link(device);
    const auto attachAll = [&] {
        for (const auto& [serial, description] : c.devices) {
            device.attach(serial, description);
        }
    };
    if (!c.attachedLater) {
        attachAll();
    }
    link.setKindChoices(c.choices);
    link.openInterface();
    link.poll();
    if (c.attachedLater) {
        attachAll();
        link.poll();
    }
    ASSERT_EQ(link.UsbOpen.load(), 1);
    EXPECT_EQ(link.kind(), c.kind);
    EXPECT_EQ(link.device().serial, c.serial);
    // Requests go to a DMX USB Pro only.
    EXPECT_EQ(!device.writes().empty(), c.kind == InterfaceKind::Pro);
}

const std::pair<std::string, std::string> Pro{"EN123456", "DMX USB PRO"};
const std::pair<std::string, std::string> Cable{"FT0CABLE", "FT232R USB UART"};

INSTANTIATE_TEST_SUITE_P(
    Bus, UsbWidgetsTwoDevices,
    ::testing::Values(TwoDevicesCase{"ProFirst", {Pro, Cable}, {}, false, InterfaceKind::Pro, "EN123456"},
                      TwoDevicesCase{"CableFirst", {Cable, Pro}, {}, false, InterfaceKind::Framed, "FT0CABLE"},
                      TwoDevicesCase{"CablesChoiceIsNotTheOpenedOnes",
                                     {Pro, Cable},
                                     {{"FT0CABLE", KindChoice::Framed}},
                                     false,
                                     InterfaceKind::Pro,
                                     "EN123456"},
                      TwoDevicesCase{"OpenedOnesChoice",
                                     {Pro, Cable},
                                     {{"FT0CABLE", KindChoice::Pro}, {"EN123456", KindChoice::Framed}},
                                     false,
                                     InterfaceKind::Framed,
                                     "EN123456"},
                      TwoDevicesCase{"PluggedInAfterTheStart", {Pro, Cable}, {}, true, InterfaceKind::Pro, "EN123456"},
                      TwoDevicesCase{"ChosenAndPluggedInAfterTheStart",
                                     {Cable, Pro},
                                     {{"FT0CABLE", KindChoice::Pro}},
                                     true,
                                     InterfaceKind::Pro,
                                     "FT0CABLE"}),
    [](const auto& param) { return std::string(param.param.name); });

std::size_t countOf(const std::vector<Bytes>& writes, const Bytes& message)
{
    return static_cast<std::size_t>(std::count(writes.begin(), writes.end(), message));
}

TEST_F(UsbWidgetsTest, AWidgetThatHasNotAnsweredIsAskedAgainAtTheNextPollsAFewTimes)
{
    device.attach("EN123456", "DMX USB PRO");
    open();  // asked at open: no answer
    link.poll();
    EXPECT_EQ(countOf(device.writes(), pro::parametersRequest()), 1u) << "an answer may be on its way";
    link.poll();  // quiet for two polls: asked again
    EXPECT_EQ(countOf(device.writes(), pro::parametersRequest()), 2u);
    device.answerAsProWidget(ParametersReply, SerialReply);
    for (int i = 0; i < 6 && !link.proInfo().serial; ++i) {
        link.poll();  // asked again, now it answers; then the answers are read
    }
    link.poll();
    link.poll();
    ASSERT_TRUE(link.proInfo().parameters);
    EXPECT_EQ(link.proInfo().serial, 12345678u);
    EXPECT_EQ(countOf(device.writes(), pro::parametersRequest()), 3u);
    EXPECT_EQ(countOf(device.writes(), pro::serialRequest()), 3u);

    FakeD2xx silent;  // never answers: asked a few times, then left alone
    UsbLink other(silent);
    silent.attach("EN654321", "DMX USB PRO");
    other.openInterface();
    for (int i = 0; i < 20; ++i) {
        other.poll();
    }
    EXPECT_EQ(countOf(silent.writes(), pro::parametersRequest()), std::size_t{UsbLink::ProRequestAsks});
    EXPECT_EQ(silent.writes().size(), std::size_t{2 * UsbLink::ProRequestAsks});
}

TEST_F(UsbWidgetsTest, BrokenAnswersAfterGoodOnesKeepTheGoodOnes)
{
    device.attach("EN123456", "DMX USB PRO");
    device.answerAsProWidget(ParametersReply, SerialReply);
    open();
    link.poll();
    ASSERT_TRUE(link.proInfo().parameters);
    device.queueReply({0x7E, 3, 2, 0, 1, 2, 0xE7});                     // parameters cut to two bytes
    device.queueReply({0x7E, 10, 4, 0, 0xAA, 0xAA, 0xAA, 0xAA, 0xE7});  // a serial number of no digits
    link.poll();
    link.poll();
    ASSERT_TRUE(link.proInfo().parameters);
    EXPECT_EQ(link.proInfo().parameters->firmware, 0x012C);
    EXPECT_EQ(link.proInfo().serial, 12345678u);
}

TEST_F(UsbWidgetsTest, AReplyCutShortDoesNotHideTheAnswersAfterIt)
{
    device.attach("EN123456", "DMX USB PRO");
    device.queueReply({0x7E, 5, 0x90, 0x01, 0, 1});  // a received frame of 400 bytes, cut after two
    device.answerAsProWidget(ParametersReply, SerialReply);
    open();
    for (int i = 0; i < 8 && !link.proInfo().serial; ++i) {
        link.poll();
    }
    ASSERT_TRUE(link.proInfo().parameters);
    EXPECT_EQ(link.proInfo().parameters->rate, 40);
    EXPECT_EQ(link.proInfo().serial, 12345678u);
}

TEST_F(UsbWidgetsTest, OfflineNothingReachesTheWidgetNotEvenItsRequestsAfterAReplug)
{
    device.attach("EN123456", "DMX USB PRO");
    device.answerAsProWidget(ParametersReply, SerialReply);
    link.setOffline(true);
    open();
    link.writeFrame(frame(1));
    link.poll();
    device.unplug();
    link.poll();  // lost
    device.attach("EN123456", "DMX USB PRO");
    link.poll();  // opened again
    link.poll();
    link.writeFrame(frame(2));
    EXPECT_EQ(device.opens(), 2);
    EXPECT_EQ(device.writeCount(), 0u);

    link.setOffline(false);  // the widget is asked at the next poll
    link.poll();
    EXPECT_EQ(device.writes(), (std::vector<Bytes>{pro::parametersRequest(), pro::serialRequest()}));
    link.poll();
    EXPECT_EQ(link.proInfo().serial, 12345678u);
}

// A driver that cannot make the Open DMX line: one steady message, the
// device kept open and silent, never closed and opened again.
struct UnsupportedCase {
    FakeCall call;
    UsbLabel label;
};

class UsbWidgetsUnsupported : public UsbWidgetsTest, public ::testing::WithParamInterface<UnsupportedCase> {};

TEST_P(UsbWidgetsUnsupported, OpenDmxOnADriverThatCannotMakeTheLineStaysOpenAndSaysWhy)
{
    link.setKindChoice(KindChoice::OpenDmx);
    device.attach();
    device.failCall(GetParam().call, FT_NOT_SUPPORTED);
    open();
    link.writeFrame(frame(1));  // the writer thread finds a missing break
    for (int i = 0; i < 200 && !link.kindUnsupported(); ++i) {
        std::this_thread::sleep_for(5ms);
    }
    ASSERT_TRUE(link.kindUnsupported());
    for (int i = 0; i < 5; ++i) {
        link.writeFrame(frame(2));
        link.poll();
        EXPECT_EQ(link.status().label, GetParam().label);
        EXPECT_EQ(link.status().status, FT_NOT_SUPPORTED);
    }
    EXPECT_EQ(device.opens(), 1);
    EXPECT_EQ(device.closes(), 0);
    EXPECT_EQ(link.UsbOpen.load(), 1);
    EXPECT_EQ(device.writeCount(), 0u);

    link.setKindChoice(KindChoice::Framed);  // another choice: opened again, and driven
    link.poll();
    link.poll();
    EXPECT_FALSE(link.kindUnsupported());
    link.writeFrame(frame(3));
    EXPECT_EQ(device.writeCount(), 1u);
    link.closeInterface();
}

INSTANTIATE_TEST_SUITE_P(LineCalls, UsbWidgetsUnsupported,
                         ::testing::Values(UnsupportedCase{FakeCall::BreakOn, UsbLabel::FT_SetBreak},
                                           UnsupportedCase{FakeCall::SetBaudRate, UsbLabel::FT_SetBaudRate},
                                           UnsupportedCase{FakeCall::SetDataCharacteristics,
                                                           UsbLabel::FT_SetDataCharacteristics}));

// Another output on the same tick (a network sender's place): counts its frames.
class CountingOutput : public FrameOutput {
public:
    void write(FrameView /*frame*/) override { frames.fetch_add(1); }
    std::atomic<int> frames{0};
};

struct StallCase {
    KindChoice kind;
    std::size_t channelOneAt;  // where channel 1 is in a frame's message to the device
};

void PrintTo(const StallCase& c, std::ostream* os)
{
    *os << "kind " << static_cast<int>(c.kind);
}

class UsbWriterStall : public ::testing::TestWithParam<StallCase> {};

// The real output thread, and a device that takes 400 ms for every write: the
// link's writer waits for it, the tick and the output after the link do not,
// and once the device is quick again it gets the newest frame.
TEST_P(UsbWriterStall, AStalledDeviceHoldsBackNeitherTheTickNorTheOtherOutputs)
{
    FakeD2xx device;
    device.attach("EN000001", "USB DMX512 Interface");
    UsbLink link(device, UsbLink::Writes::OnWriterThread);
    link.setKindChoice(GetParam().kind);
    link.openInterface();
    link.poll();
    ASSERT_EQ(link.UsbReady.load(), 1);

    auto engine = std::make_unique<Engine>();
    engine->ClearAll();
    engine->controls.manual = true;
    engine->controls.faderChecked[0] = true;
    engine->controls.faderPosition[0] = 10;
    OutputCycle cycle(*engine);
    CountingOutput other;
    cycle.addOutput(&link);  // the link first: the other output gets each frame after it
    cycle.addOutput(&other);

    const std::size_t before = device.writeCount();  // a DMX USB Pro's requests at open
    device.setWriteDelay(400ms);
    OutputThread thread([&cycle] { cycle.tick(); });
    thread.start();
    std::this_thread::sleep_for(1s);
    // A tick that waited for the device would have run about three times.
    EXPECT_GE(engine->outputs.tickCount.load(), 10u);
    EXPECT_GE(other.frames.load(), 10);
    EXPECT_LE(device.writeCount() - before, 3u) << "frames handed over meanwhile are replaced, not queued";
    link.poll();  // the once-a-second poll, mid-write: skips its turn rather than wait

    engine->controls.faderPosition[0] = 200;
    device.setWriteDelay(0us);
    const auto newestWritten = [&] {
        const auto writes = device.writes();
        return !writes.empty() && writes.back().size() > GetParam().channelOneAt &&
               writes.back()[GetParam().channelOneAt] == 200;
    };
    for (int i = 0; i < 400 && !newestWritten(); ++i) {
        std::this_thread::sleep_for(5ms);
    }
    thread.stop();
    link.closeInterface();
    EXPECT_TRUE(newestWritten());
    EXPECT_EQ(device.maxConcurrentCalls(), 1) << "the poll and the writer never share the driver";
}

INSTANTIATE_TEST_SUITE_P(Kinds, UsbWriterStall,
                         ::testing::Values(StallCase{KindChoice::Framed, 3}, StallCase{KindChoice::Pro, 5},
                                           StallCase{KindChoice::OpenDmx, 1}));

TEST(InterfaceKindFromDescription, NamesTheWidgetsThatSayWhatTheyAre)
{
    EXPECT_EQ(kindFromDescription("DMX USB PRO"), InterfaceKind::Pro);
    EXPECT_EQ(kindFromDescription("Dmx Usb Pro Mk2"), InterfaceKind::Pro);
    EXPECT_EQ(kindFromDescription("Open DMX USB"), InterfaceKind::OpenDmx);
    EXPECT_FALSE(kindFromDescription("FT232R USB UART"));
    EXPECT_FALSE(kindFromDescription("USB DMX512 Interface"));
}

}  // namespace
}  // namespace velantra
