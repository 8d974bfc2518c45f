// The interface byte stream, checked against messages written out by hand.
#include "engine/engine.h"
#include "engine/output_cycle.h"
#include "link/usb_link.h"
#include "link/wire_encoder.h"
#include "tests/testing/fake_d2xx.h"

#include <gtest/gtest.h>

#include <array>
#include <memory>
#include <vector>

namespace velantra {
namespace {

using Bytes = std::vector<std::uint8_t>;

Bytes encode(const std::array<std::uint8_t, 513>& slots)
{
    std::array<std::uint8_t, WireMessageMax> out{};
    const int n = encodeWireFrame(slots.data(), out.data(), out.size());
    return Bytes(out.begin(), out.begin() + n);
}

Bytes tail()
{
    return {0xFF, 0xF1, 0xFF, 0xFF};
}

TEST(WireEncoder, DarkFrameIs519Bytes)
{
    std::array<std::uint8_t, 513> slots{};
    Bytes expected = {0xFF, 0xF0};
    expected.insert(expected.end(), 513, 0x00);
    for (auto b : tail()) {
        expected.push_back(b);
    }
    EXPECT_EQ(encode(slots), expected);
}

TEST(WireEncoder, FullSlotOneIsEscapedInto520Bytes)
{
    std::array<std::uint8_t, 513> slots{};
    slots[1] = 255;
    const Bytes got = encode(slots);
    ASSERT_EQ(got.size(), 520u);
    EXPECT_EQ((Bytes(got.begin(), got.begin() + 6)), (Bytes{0xFF, 0xF0, 0x00, 0xFF, 0xF7, 0x00}));
    EXPECT_EQ((Bytes(got.end() - 5, got.end())), (Bytes{0x00, 0xFF, 0xF1, 0xFF, 0xFF}));
}

TEST(WireEncoder, AllSlotsFullGive1032Bytes)
{
    std::array<std::uint8_t, 513> slots;
    slots.fill(255);
    const Bytes got = encode(slots);
    ASSERT_EQ(got.size(), 1032u);
    for (std::size_t i = 2; i < 1028; i += 2) {
        ASSERT_EQ(got[i], 0xFF);
        ASSERT_EQ(got[i + 1], 0xF7);
    }
    EXPECT_EQ((Bytes(got.end() - 4, got.end())), tail());
}

TEST(WireEncoder, MarkerLikeValuesInsideTheFramePassAsData)
{
    std::array<std::uint8_t, 513> slots{};
    slots[0] = 0xF0;
    slots[256] = 0xF1;
    slots[512] = 0xFE;
    const Bytes got = encode(slots);
    ASSERT_EQ(got.size(), 519u);
    EXPECT_EQ(got[2], 0xF0);
    EXPECT_EQ(got[2 + 256], 0xF1);
    EXPECT_EQ(got[2 + 512], 0xFE);
}

TEST(WireEncoder, RefusesABufferThatCouldOverflow)
{
    std::array<std::uint8_t, 513> slots{};
    std::array<std::uint8_t, WireMessageMax - 1> out{};
    EXPECT_EQ(encodeWireFrame(slots.data(), out.data(), out.size()), 0);
}

TEST(WireEncoder, EachTickPutsOneMessageOnTheDeviceWithSlot256Included)
{
    auto e = std::make_unique<Engine>();
    e->ClearAll();
    e->controls.rateMode = RateMode::Off;
    e->DataWrite(0, 2, 255);
    e->memory.set(SelectBase + 255, 1);
    e->shared.handScanPriority = 1;
    e->shared.handScanY = 0xAB;
    FakeD2xx device;
    device.attach();
    UsbLink link(device);
    link.openInterface();
    link.poll();
    OutputCycle cycle(*e);
    cycle.addOutput(&link);
    cycle.tick();
    cycle.tick();
    const auto frames = device.writes();
    ASSERT_EQ(frames.size(), 2u);
    const Bytes& m = frames[0];
    ASSERT_EQ(m.size(), 520u);
    EXPECT_EQ(m[2], 0x00);  // start code
    EXPECT_EQ(m[3], 0x00);  // slot 1
    EXPECT_EQ(m[4], 0xFF);  // slot 2 escaped
    EXPECT_EQ(m[5], 0xF7);
    EXPECT_EQ(m[2 + 256 + 1], 0xAB);  // slot 256, shifted by the escape
    EXPECT_EQ(link.wireLength(), 520);
}

}  // namespace
}  // namespace velantra
