// The two common USB DMX interfaces on the link, through the fake device: a
// DMX USB Pro (described as one, or proven by its answer) gets labelled
// messages and tells its parameters; an Open DMX gets its line set and each
// frame as break, mark-after-break and the 513 bytes from the link's writer
// thread; the program's own interface stays as it was.
#include "link/pro_widget.h"
#include "link/usb_link.h"
#include "tests/testing/fake_d2xx.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <chrono>
#include <thread>
#include <vector>

namespace velantra {
namespace {

using namespace std::chrono_literals;
using Bytes = std::vector<std::uint8_t>;

const Bytes ParametersReply{0x44, 0x01, 9, 1, 40};  // firmware 1.44, break 9 and MAB 1 steps, 40 frames/s
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
        link.InitUsbDevise();
        link.TimerPollingTimer();
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

    link.TimerPollingTimer();  // the answers are read by the next poll
    ASSERT_TRUE(link.proInfo().parameters);
    EXPECT_EQ(link.proInfo().parameters->firmware, 0x0144);
    EXPECT_EQ(link.proInfo().parameters->rate, 40);
    EXPECT_NEAR(link.proInfo().parameters->breakMicros(), 96.0, 0.1);
    EXPECT_EQ(link.proInfo().serial, 12345678u);

    link.setSlotsUsed(30);
    link.SendToUsb(frame(200));
    Bytes expected{0x7E, 6, 31, 0, 0x00, 200};
    expected.resize(4 + 30, 0);
    expected.push_back(30);
    expected.push_back(0xE7);
    EXPECT_EQ(device.writes().back(), expected);
    link.setSlotsUsed(2);  // fewer than the widget takes: 24 go out
    link.SendToUsb(frame(200));
    EXPECT_EQ(device.writes().back().size(), 5u + 25);
}

TEST_F(UsbWidgetsTest, ChosenProIsProvenByItsAnswerAndOneThatIsSilentIsStillDriven)
{
    link.setKindChoice(KindChoice::Pro);
    device.attach("A1B2C3", "FT232R USB UART");
    device.answerAsProWidget(ParametersReply, SerialReply);
    open();
    link.TimerPollingTimer();
    EXPECT_EQ(link.kind(), InterfaceKind::Pro);
    EXPECT_EQ(link.proInfo().serial, 12345678u);

    FakeD2xx silent;
    UsbLink other(silent);
    other.setKindChoice(KindChoice::Pro);
    silent.attach();
    other.InitUsbDevise();
    other.TimerPollingTimer();
    other.TimerPollingTimer();
    EXPECT_EQ(other.kind(), InterfaceKind::Pro);
    EXPECT_FALSE(other.proInfo().serial);
    other.SendToUsb(frame(5));
    EXPECT_EQ(silent.writes().back()[1], pro::LabelSendDmx);
}

TEST_F(UsbWidgetsTest, ProgramsOwnInterfaceStaysFramedAndGarbageRepliesChangeNothing)
{
    device.attach();
    open();
    EXPECT_TRUE(device.writes().empty());  // nothing but frames goes to it
    device.queueReply({0x7E, 10, 0xFF, 0xFF, 0x7E, 0x7E, 1, 2, 0xE7, 0x00, 0x7E, 3, 5, 0});  // noise, cut short
    link.TimerPollingTimer();
    link.TimerPollingTimer();
    EXPECT_EQ(link.kind(), InterfaceKind::Framed);
    EXPECT_FALSE(link.proInfo().serial);
    link.SendToUsb(frame(7));
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

    link.SendToUsb(frame(99));
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
        link.SendToUsb(frame(level));
        std::this_thread::sleep_for(1ms);
    }
    for (int i = 0; i < 400 && device.writes().back()[1] != 5; ++i) {
        std::this_thread::sleep_for(5ms);
    }
    EXPECT_EQ(device.writes().back()[1], 5);
    EXPECT_EQ(device.maxConcurrentCalls(), 1);
    link.CloseUsbDevise();
}

TEST_F(UsbWidgetsTest, OpenDmxOnADriverWithoutABreakSaysSoAndWritesNothing)
{
    link.setKindChoice(KindChoice::OpenDmx);
    device.attach();
    device.failCall(FakeCall::BreakOn, FT_NOT_SUPPORTED);
    open();
    link.SendToUsb(frame(1));
    for (int i = 0; i < 200 && link.status().label != UsbLabel::FT_SetBreak; ++i) {
        std::this_thread::sleep_for(5ms);
    }
    EXPECT_EQ(link.status().label, UsbLabel::FT_SetBreak);
    EXPECT_EQ(link.status().status, FT_NOT_SUPPORTED);
    EXPECT_EQ(device.writeCount(), 0u);
    link.CloseUsbDevise();
}

TEST_F(UsbWidgetsTest, ChangingTheKindReopensTheDeviceAsTheNewKind)
{
    device.attach();
    open();
    link.setKindChoice(KindChoice::Pro);
    link.TimerPollingTimer();  // closes
    link.TimerPollingTimer();  // opens again, as a DMX USB Pro
    EXPECT_EQ(link.UsbOpen.load(), 1);
    EXPECT_EQ(link.kind(), InterfaceKind::Pro);
    EXPECT_EQ(device.writes().back(), pro::serialRequest());
    link.setKindChoice(KindChoice::Auto);  // and back: its own stream, nothing else written
    link.TimerPollingTimer();
    link.TimerPollingTimer();
    EXPECT_EQ(link.kind(), InterfaceKind::Framed);
    EXPECT_EQ(device.writes().back(), pro::serialRequest());
}

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
