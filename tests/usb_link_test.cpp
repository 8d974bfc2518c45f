// The interface link driven through the fake device: listing, the poll, the
// three link states, error reporting and the frame write from the tick.
#include "engine/engine.h"
#include "engine/output_cycle.h"
#include "link/usb_link.h"
#include "tests/testing/fake_d2xx.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <memory>
#include <string>
#include <thread>
#include <vector>

namespace velantra {
namespace {

using namespace std::chrono_literals;
using Bytes = std::vector<std::uint8_t>;

class UsbLinkTest : public ::testing::Test {
protected:
    UsbLinkTest()
    {
        e->ClearAll();
        e->controls.rateMode = RateMode::Off;
        cycle.addOutput(&link);
    }

    // The message for a frame whose only lit slot is channel 1 at level.
    static Bytes messageWithSlot1(std::uint8_t level)
    {
        Bytes m = {0xFF, 0xF0, 0x00};
        if (level == 0xFF) {
            m.push_back(0xFF);
            m.push_back(0xF7);
        } else {
            m.push_back(level);
        }
        m.insert(m.end(), 511, 0x00);
        m.insert(m.end(), {0xFF, 0xF1, 0xFF, 0xFF});
        return m;
    }
    void expectState(int open, int ready)
    {
        EXPECT_EQ(link.UsbOpen.load(), open);
        EXPECT_EQ(link.UsbReady.load(), ready);
    }
    void expectStatus(UsbLabel label, FT_STATUS status)
    {
        EXPECT_EQ(link.status().label, label);
        EXPECT_EQ(link.status().status, status);
    }

    std::unique_ptr<Engine> e = std::make_unique<Engine>();
    FakeD2xx device;
    UsbLink link{device};
    OutputCycle cycle{*e};
};

TEST_F(UsbLinkTest, NoDeviceAtStartListsNothingAndWritesNothing)
{
    link.openInterface();
    EXPECT_EQ(link.listing().count, UsbListing::Count::NoDevice);
    EXPECT_FALSE(link.listing().hasSerial);
    EXPECT_TRUE(link.listing().description.empty());
    EXPECT_TRUE(link.pollingEnabled());
    EXPECT_EQ(link.wireBuffer()[0], 0xFF);

    link.poll();
    cycle.tick();
    expectState(0, 0);
    EXPECT_EQ(device.writeCount(), 0u);
    expectStatus(UsbLabel::None, FT_OK);  // the poll's failed open is silent
    EXPECT_EQ(link.UsbRelist.load(), 0);
}

TEST_F(UsbLinkTest, DeviceAttachedLaterIsOpenedByTheNextPollAndFramesFlowFromTheNextTick)
{
    link.openInterface();
    link.poll();
    device.attach("A1", "DMX");
    e->DataWrite(0, 1, 255);
    cycle.tick();
    EXPECT_EQ(device.writeCount(), 0u);

    link.poll();
    expectState(1, 1);
    EXPECT_EQ(device.writeTimeout(), 500u);
    cycle.tick();
    const auto frames = device.writes();
    ASSERT_EQ(frames.size(), 1u);
    EXPECT_EQ(frames[0], messageWithSlot1(0xFF));
    EXPECT_EQ(link.listing().count, UsbListing::Count::NoDevice) << "listing texts are not refreshed";
}

TEST_F(UsbLinkTest, ListingKeepsTheLastDevicesTextsCutAt49Characters)
{
    device.attach("FIRST", "first one");
    device.attach(std::string(60, 'S'), std::string(60, 'D'));
    link.openInterface();
    EXPECT_EQ(link.listing().count, UsbListing::Count::Devices);
    EXPECT_EQ(link.listing().devices, 2u);
    EXPECT_TRUE(link.listing().hasSerial);
    EXPECT_EQ(link.listing().serial, std::string(49, 'S'));
    EXPECT_EQ(link.listing().description, std::string(49, 'D'));
}

TEST_F(UsbLinkTest, FailingTextQueryLeavesTheTextOfTheQueryBefore)
{
    device.attach("SER1", "DESC1");
    link.openInterface();
    ASSERT_EQ(link.deviceText(), "DESC1");

    // A fresh listing whose text queries fail: both texts repeat the old DeviceText.
    device.attach("SER2", "DESC2");
    device.failCall(FakeCall::ListText, FT_IO_ERROR);
    link.UsbRelist = 1;
    link.poll();  // relists with reporting off; the count still answers
    EXPECT_EQ(link.listing().devices, 2u);
    EXPECT_EQ(link.listing().serial, "DESC1");
    EXPECT_EQ(link.listing().description, "DESC1");
    expectStatus(UsbLabel::None, FT_OK);
}

TEST_F(UsbLinkTest, InitReportsAFailingListing)
{
    device.failCall(FakeCall::ListCount, FT_IO_ERROR);
    link.openInterface();
    expectStatus(UsbLabel::GetFTDeviceCount, FT_IO_ERROR);
    EXPECT_EQ(link.listing().count, UsbListing::Count::NoDevice);
}

TEST_F(UsbLinkTest, UnplugDuringOutputAndReplugWalksThroughEveryState)
{
    device.attach();
    link.openInterface();
    link.poll();
    expectState(1, 1);  // Ready
    cycle.tick();
    ASSERT_EQ(device.writeCount(), 1u);

    device.unplug();
    cycle.tick();       // the write fails
    expectState(1, 0);  // Write-failed
    expectStatus(UsbLabel::WriteDevice, FT_IO_ERROR);
    cycle.tick();
    EXPECT_EQ(link.wireLength(), 0) << "no frame is encoded while not ready";

    link.poll();        // queue status fails
    expectState(0, 0);  // Closed, relist requested
    EXPECT_EQ(link.UsbRelist.load(), 1);
    EXPECT_EQ(device.openHandles(), 0) << "the lost handle is closed";

    link.poll();  // relists and finds nothing; open fails
    expectState(0, 0);
    EXPECT_EQ(link.listing().count, UsbListing::Count::NoDevice);
    EXPECT_EQ(link.UsbRelist.load(), 1) << "with no device every poll lists again";

    device.attach("B2", "back");
    link.poll();
    expectState(1, 1);
    EXPECT_EQ(link.UsbRelist.load(), 0);
    EXPECT_EQ(link.listing().serial, "B2");
    cycle.tick();
    EXPECT_EQ(device.writeCount(), 2u);
    expectStatus(UsbLabel::WriteDevice, FT_IO_ERROR);  // the last message stays until another failure
}

TEST_F(UsbLinkTest, AFailedWriteToADeviceThatStillAnswersIsReopenedByThePolls)
{
    device.attach();
    link.openInterface();
    link.poll();
    device.failCall(FakeCall::Write, FT_IO_ERROR);
    cycle.tick();
    device.failCall(FakeCall::Write, FT_OK);
    expectState(1, 0);  // Write-failed, although the device still answers

    link.poll();  // the stopped output is noticed: closed, relist requested
    expectState(0, 0);
    EXPECT_EQ(device.openHandles(), 0);
    cycle.tick();
    EXPECT_EQ(device.writeCount(), 0u);

    link.poll();  // opened again
    expectState(1, 1);
    cycle.tick();
    EXPECT_EQ(device.writeCount(), 1u) << "frames flow again within two polls";
}

TEST_F(UsbLinkTest, OfflineCheckBoxWritesNothingWithADeviceAttached)
{
    device.attach();
    link.openInterface();
    link.poll();
    e->controls.noUsbConnect = true;
    cycle.tick();
    cycle.tick();
    EXPECT_EQ(device.writeCount(), 0u);
    expectState(1, 1);
    e->controls.noUsbConnect = false;
    cycle.tick();
    EXPECT_EQ(device.writeCount(), 1u);
}

TEST_F(UsbLinkTest, CloseReleasesTheDeviceAndStopsThePoll)
{
    device.attach();
    link.openInterface();
    link.poll();
    link.closeInterface();
    EXPECT_EQ(device.closes(), 1);
    EXPECT_EQ(device.openHandles(), 0);
    EXPECT_FALSE(link.pollingEnabled());
    link.poll();
    EXPECT_EQ(device.opens(), 1) << "a disabled poll opens nothing";
    cycle.tick();
    EXPECT_EQ(device.writeCount(), 0u);
}

class UsbStatusCodeTest : public UsbLinkTest, public ::testing::WithParamInterface<FT_STATUS> {};

TEST_P(UsbStatusCodeTest, FailedWriteRecordsItsCodeOrAnEmptyMessage)
{
    const FT_STATUS code = GetParam();
    device.attach();
    link.openInterface();
    link.poll();
    device.failCall(FakeCall::Write, code);
    cycle.tick();
    expectState(1, 0);
    if (code >= 1 && code <= 6) {
        expectStatus(UsbLabel::WriteDevice, code);
    } else {
        expectStatus(UsbLabel::None, FT_OK);
    }
}

INSTANTIATE_TEST_SUITE_P(Codes, UsbStatusCodeTest, ::testing::Values(1u, 2u, 3u, 4u, 5u, 6u, 7u, 18u, 0xFFFFFFFFu));

TEST_F(UsbLinkTest, PollFailuresAreSilent)
{
    device.attach();
    link.openInterface();
    device.failCall(FakeCall::Open, FT_DEVICE_NOT_OPENED);
    link.poll();
    expectState(0, 0);
    expectStatus(UsbLabel::None, FT_OK);
}

TEST_F(UsbLinkTest, PollSkipsItsTurnWhileAFrameIsBeingWrittenInsteadOfWaiting)
{
    device.attach();
    link.openInterface();
    link.poll();
    const int opensBefore = device.opens();
    device.stallNextWrite(2000ms);
    std::atomic<bool> writeDone{false};
    std::thread output([&] {
        cycle.tick();
        writeDone = true;
    });
    while (device.callsInProgress() == 0) {
        std::this_thread::yield();
    }
    link.UsbOpen = 0;  // make the poll want the driver: it would open again
    link.poll();
    const bool pollReturnedDuringTheWrite = !writeDone.load();
    output.join();
    EXPECT_TRUE(pollReturnedDuringTheWrite);
    EXPECT_EQ(device.opens(), opensBefore) << "the poll must not call the driver during a write";
    EXPECT_EQ(device.maxConcurrentCalls(), 1);
    EXPECT_EQ(device.writeCount(), 1u);
}

}  // namespace
}  // namespace velantra
