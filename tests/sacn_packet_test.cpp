// sACN data packets against packets written out by hand, byte for byte, and
// the decoder on hand-written and broken packets. Packets handed to the
// decoder are copies of exactly their size, so a read past the end is an
// AddressSanitizer report.
#include "network/sacn_packet.h"

#include "tests/byte_helpers.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <initializer_list>
#include <ostream>
#include <string>
#include <vector>

namespace velantra::sacn {
namespace {

using testing_bytes::Bytes;
using testing_bytes::cat;
using testing_bytes::toBytes;
using Frame = std::array<std::uint8_t, FrameSize>;

const Cid TestCid{0x00, 0x11, 0x22, 0x33, 0x44, 0x55, 0x66, 0x77, 0x88, 0x99, 0xAA, 0xBB, 0xCC, 0xDD, 0xEE, 0xFF};

// The first 126 bytes of a packet from TestCid named "Velantra", priority
// 100, universe 1, sequence 7, no options, start code 0.
Bytes handHeader()
{
    return cat({
        {0x00, 0x10, 0x00, 0x00},                                                  // preamble, post-amble
        {0x41, 0x53, 0x43, 0x2D, 0x45, 0x31, 0x2E, 0x31, 0x37, 0x00, 0x00, 0x00},  // "ASC-E1.17"
        {0x72, 0x6E, 0x00, 0x00, 0x00, 0x04},                                      // root: 622 bytes, E1.31 data
        {0x00, 0x11, 0x22, 0x33, 0x44, 0x55, 0x66, 0x77, 0x88, 0x99, 0xAA, 0xBB, 0xCC, 0xDD, 0xEE, 0xFF},
        {0x72, 0x58, 0x00, 0x00, 0x00, 0x02},  // framing: 600 bytes, data packet
        {'V', 'e', 'l', 'a', 'n', 't', 'r', 'a'},
        Bytes(56, 0x00),                                               // the name's NUL padding
        {0x64, 0x00, 0x00, 0x07, 0x00, 0x00, 0x01},                    // priority, sync, sequence, options, universe
        {0x72, 0x0B, 0x02, 0xA1, 0x00, 0x00, 0x00, 0x01, 0x02, 0x01},  // DMP: 523 bytes, set property, 513 values
        {0x00},                                                        // start code
    });
}

Frame levels()
{
    Frame frame{};
    for (std::size_t i = 1; i < frame.size(); ++i) {
        frame[i] = static_cast<std::uint8_t>(i * 7);
    }
    return frame;
}

Bytes handPacket()
{
    const Frame frame = levels();
    return cat({handHeader(), Bytes(frame.begin() + 1, frame.end())});
}

DataPacket velantraPacket()
{
    DataPacket packet;
    EXPECT_TRUE(packet.setSource(TestCid, "Velantra", 100, 1));
    return packet;
}

TEST(SacnPacket, FrameFillsThePacketWrittenByHand)
{
    DataPacket packet = velantraPacket();
    Frame other{};
    other.fill(0xEE);
    packet.fill(200, other, OptionPreview | OptionStreamTerminated);  // an earlier frame leaves nothing behind
    packet.fill(7, levels());
    EXPECT_EQ(toBytes(packet.bytes()), handPacket());
}

// The per-frame fields and the source's priority and universe, each row
// spelled out as bytes 108..114 (priority, sync address, sequence, options,
// universe) and the start code at 125.
struct FieldRow {
    std::uint16_t universe;
    std::uint8_t priority;
    std::uint8_t sequence;
    std::uint8_t options;
    std::uint8_t startCode;
    Bytes at108;
};

class SacnFields : public testing::TestWithParam<FieldRow> {};

TEST_P(SacnFields, LandAtTheirOffsets)
{
    const FieldRow& row = GetParam();
    DataPacket packet;
    ASSERT_TRUE(packet.setSource(TestCid, "Velantra", row.priority, row.universe));
    Frame frame = levels();
    frame[0] = row.startCode;
    packet.fill(row.sequence, frame, row.options);

    Bytes expected = handPacket();
    std::copy(row.at108.begin(), row.at108.end(), expected.begin() + 108);
    expected[125] = row.startCode;
    EXPECT_EQ(toBytes(packet.bytes()), expected);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, SacnFields,
    testing::Values(FieldRow{63999,
                             200,
                             255,
                             OptionPreview | OptionForceSynchronization,
                             0xDD,
                             {0xC8, 0x00, 0x00, 0xFF, 0xA0, 0xF9, 0xFF}},
                    FieldRow{256, 0, 0, OptionStreamTerminated, 0x00, {0x00, 0x00, 0x00, 0x00, 0x40, 0x01, 0x00}},
                    FieldRow{0x1234, 150, 128, 0, 0x17, {0x96, 0x00, 0x00, 0x80, 0x00, 0x12, 0x34}}));

struct RefusedSource {
    std::uint16_t universe;
    std::uint8_t priority;
};

class SacnRefusedSource : public testing::TestWithParam<RefusedSource> {};

TEST_P(SacnRefusedSource, LeavesThePacketAsItWas)
{
    DataPacket packet = velantraPacket();
    EXPECT_FALSE(packet.setSource(Cid{}, "Other", GetParam().priority, GetParam().universe));
    packet.fill(7, levels());
    EXPECT_EQ(toBytes(packet.bytes()), handPacket());
}

INSTANTIATE_TEST_SUITE_P(Rows, SacnRefusedSource,
                         testing::Values(RefusedSource{0, 100}, RefusedSource{64000, 100}, RefusedSource{65535, 100},
                                         RefusedSource{1, 201}, RefusedSource{1, 255}));

std::string repeat(std::string_view unit, int times)
{
    std::string text;
    for (int i = 0; i < times; ++i) {
        text += unit;
    }
    return text;
}

// Names cut to 63 bytes, never inside a character.
struct NameRow {
    std::string given;
    std::string kept;
};

class SacnSourceName : public testing::TestWithParam<NameRow> {};

TEST_P(SacnSourceName, IsCutOnACharacterBoundary)
{
    DataPacket packet;
    ASSERT_TRUE(packet.setSource(TestCid, GetParam().given, 100, 1));
    const std::string& kept = GetParam().kept;
    Bytes field(kept.begin(), kept.end());
    field.resize(64, 0x00);
    const auto bytes = packet.bytes();
    EXPECT_EQ(Bytes(bytes.begin() + 44, bytes.begin() + 108), field);

    const auto fields = parseDataPacket(bytes);
    ASSERT_TRUE(fields.has_value());
    EXPECT_EQ(fields->sourceName.view(), kept);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, SacnSourceName,
    testing::Values(NameRow{repeat("a", 70), repeat("a", 63)}, NameRow{repeat("b", 63), repeat("b", 63)},
                    NameRow{repeat("Ж", 32), repeat("Ж", 31)},                // 64 bytes: the last one is dropped
                    NameRow{"a" + repeat("Ж", 32), "a" + repeat("Ж", 31)},    // 63 bytes end on a boundary
                    NameRow{repeat("€", 22), repeat("€", 21)},                // 3-byte characters, 63 exactly
                    NameRow{"ab" + repeat("€", 21), "ab" + repeat("€", 20)},  // cut after one byte of 3
                    NameRow{repeat("🎭", 16), repeat("🎭", 15)},                // cut after three bytes of 4
                    NameRow{std::string("Stage\0left", 10), "Stage"}, NameRow{"", ""}));

TEST(SacnMulticast, GroupIs239_255_HiLo)
{
    EXPECT_EQ(multicastGroup(1), 0xEFFF0001U);      // 239.255.0.1
    EXPECT_EQ(multicastGroup(256), 0xEFFF0100U);    // 239.255.1.0
    EXPECT_EQ(multicastGroup(63999), 0xEFFFF9FFU);  // 239.255.249.255
}

TEST(SacnDecoder, ReadsThePacketWrittenByHand)
{
    Bytes bytes = handPacket();
    bytes[110] = 0x05;  // sync address 5
    const auto fields = parseDataPacket(bytes);
    ASSERT_TRUE(fields.has_value());
    EXPECT_EQ(fields->cid, TestCid);
    EXPECT_EQ(fields->sourceName.view(), "Velantra");
    EXPECT_EQ(fields->priority, 100);
    EXPECT_EQ(fields->syncAddress, 5);
    EXPECT_EQ(fields->sequence, 7);
    EXPECT_EQ(fields->options, 0);
    EXPECT_EQ(fields->universe, 1);
    EXPECT_EQ(fields->startCode, 0);
    ASSERT_EQ(fields->slotCount, 512U);
    const Frame frame = levels();
    EXPECT_TRUE(std::equal(fields->levels.begin(), fields->levels.end(), frame.begin() + 1));
}

// A start code and three slots: every length word shrinks by 509.
Bytes shortHandPacket()
{
    Bytes bytes = handHeader();
    bytes[16] = 0x70, bytes[17] = 0x71;    // root: 113 bytes
    bytes[38] = 0x70, bytes[39] = 0x5B;    // framing: 91 bytes
    bytes[115] = 0x70, bytes[116] = 0x0E;  // DMP: 14 bytes
    bytes[123] = 0x00, bytes[124] = 0x04;  // 4 property values
    bytes[125] = 0x55;                     // start code
    return cat({bytes, {10, 20, 30}});
}

TEST(SacnDecoder, ReadsAPacketWithFewerSlots)
{
    const auto fields = parseDataPacket(shortHandPacket());
    ASSERT_TRUE(fields.has_value());
    EXPECT_EQ(fields->startCode, 0x55);
    ASSERT_EQ(fields->slotCount, 3U);
    EXPECT_EQ(fields->levels[0], 10);
    EXPECT_EQ(fields->levels[2], 30);
    EXPECT_EQ(fields->levels[3], 0);
}

TEST(SacnDecoder, NameFillingTheWholeFieldStopsAtTheField)
{
    Bytes bytes = handPacket();
    std::fill(bytes.begin() + 44, bytes.begin() + 108, 'n');
    const auto fields = parseDataPacket(bytes);
    ASSERT_TRUE(fields.has_value());
    EXPECT_EQ(fields->sourceName.view(), repeat("n", 64));
}

// One byte of the hand-written packet changed: the decoder refuses it.
struct Damage {
    const char* what;
    std::size_t offset;
    std::uint8_t value;
};

void PrintTo(const Damage& damage, std::ostream* os)
{
    *os << damage.what;
}

class SacnDamaged : public testing::TestWithParam<Damage> {};

TEST_P(SacnDamaged, IsRefused)
{
    Bytes bytes = handPacket();
    ASSERT_TRUE(parseDataPacket(bytes).has_value());
    bytes[GetParam().offset] = GetParam().value;
    EXPECT_FALSE(parseDataPacket(bytes).has_value()) << GetParam().what;
}

INSTANTIATE_TEST_SUITE_P(Rows, SacnDamaged,
                         testing::Values(Damage{"preamble", 1, 0x11}, Damage{"post-amble", 3, 0x01},
                                         Damage{"identifier", 4, 'a'}, Damage{"identifier padding", 15, 0x01},
                                         Damage{"root flags", 16, 0x62}, Damage{"root length", 17, 0x6F},
                                         Damage{"root vector", 21, 0x08}, Damage{"framing flags", 38, 0xF2},
                                         Damage{"framing length", 39, 0x57}, Damage{"framing vector", 43, 0x01},
                                         Damage{"priority 201", 108, 201}, Damage{"universe 0", 114, 0x00},
                                         Damage{"universe 64000", 113, 0xFA}, Damage{"DMP flags", 115, 0x32},
                                         Damage{"DMP length", 116, 0x0C}, Damage{"DMP vector", 117, 0x01},
                                         Damage{"address and data type", 118, 0xA2}, Damage{"first address", 120, 0x01},
                                         Damage{"address increment", 122, 0x02}, Damage{"property count", 124, 0x00}));

class SacnWrongSize : public testing::TestWithParam<Bytes> {};

TEST_P(SacnWrongSize, IsRefused)
{
    EXPECT_FALSE(parseDataPacket(GetParam()).has_value());
}

Bytes prefix(const Bytes& bytes, std::size_t size)
{
    return {bytes.begin(), bytes.begin() + static_cast<std::ptrdiff_t>(size)};
}

INSTANTIATE_TEST_SUITE_P(Rows, SacnWrongSize,
                         testing::Values(Bytes{}, prefix(handPacket(), 16), prefix(handPacket(), 125),  // no start code
                                         prefix(handPacket(), 637),         // lengths say 638
                                         cat({handPacket(), {0x00}}),       // one byte too many
                                         cat({shortHandPacket(), {40}})));  // count says 4

// ---------------------------------------------------------------------------
// Universe discovery

// A discovery page from TestCid named "Velantra" listing universes 1, 2 and 7.
Bytes handDiscovery()
{
    return cat({
        {0x00, 0x10, 0x00, 0x00},                                                  // preamble, post-amble
        {0x41, 0x53, 0x43, 0x2D, 0x45, 0x31, 0x2E, 0x31, 0x37, 0x00, 0x00, 0x00},  // "ASC-E1.17"
        {0x70, 0x6E, 0x00, 0x00, 0x00, 0x08},                                      // root: 110 bytes, E1.31 extended
        {0x00, 0x11, 0x22, 0x33, 0x44, 0x55, 0x66, 0x77, 0x88, 0x99, 0xAA, 0xBB, 0xCC, 0xDD, 0xEE, 0xFF},
        {0x70, 0x58, 0x00, 0x00, 0x00, 0x02},  // framing: 88 bytes, discovery
        {'V', 'e', 'l', 'a', 'n', 't', 'r', 'a'},
        Bytes(56, 0x00),                       // the name's NUL padding
        {0x00, 0x00, 0x00, 0x00},              // reserved
        {0x70, 0x0E, 0x00, 0x00, 0x00, 0x01},  // discovery layer: 14 bytes, universe list
        {0x00, 0x00},                          // page 0 of 0
        {0x00, 0x01, 0x00, 0x02, 0x00, 0x07},  // universes 1, 2, 7
    });
}

TEST(SacnDiscovery, ListsTheUniversesAsWrittenByHandAndReadsBack)
{
    DiscoveryPacket packet;
    const std::array<std::uint16_t, 4> many{5, 6, 8, 9};
    packet.set(Cid{}, "an earlier, longer list", many);
    const std::array<std::uint16_t, 3> universes{1, 2, 7};
    packet.set(TestCid, "Velantra", universes);
    EXPECT_EQ(toBytes(packet.bytes()), handDiscovery());
    EXPECT_EQ(multicastGroup(DiscoveryUniverse), 0xEFFFFAD6U) << "239.255.250.214";

    const auto fields = parseDiscoveryPacket(handDiscovery());
    ASSERT_TRUE(fields.has_value());
    EXPECT_EQ(fields->cid, TestCid);
    EXPECT_EQ(fields->sourceName.view(), "Velantra");
    ASSERT_EQ(fields->count, 3U);
    EXPECT_EQ(fields->universes[2], 7);
    EXPECT_FALSE(parseDataPacket(handDiscovery()).has_value()) << "not taken for a data packet";
    EXPECT_FALSE(parseDiscoveryPacket(handPacket()).has_value()) << "nor a data packet for a list";
}

struct DiscoveryDamage {
    const char* what;
    std::size_t at;
    std::uint8_t value;
};

class SacnDiscoveryDamaged : public testing::TestWithParam<DiscoveryDamage> {};

TEST_P(SacnDiscoveryDamaged, IsRefused)
{
    Bytes bytes = handDiscovery();
    bytes[GetParam().at] = GetParam().value;
    EXPECT_FALSE(parseDiscoveryPacket(bytes).has_value()) << GetParam().what;
}

INSTANTIATE_TEST_SUITE_P(
    Rows, SacnDiscoveryDamaged,
    testing::Values(DiscoveryDamage{"root vector", 21, 0x04}, DiscoveryDamage{"root length", 17, 0x6F},
                    DiscoveryDamage{"framing vector", 43, 0x01}, DiscoveryDamage{"layer length", 113, 0x10},
                    DiscoveryDamage{"layer vector", 117, 0x02}, DiscoveryDamage{"page after the last", 118, 0x01},
                    DiscoveryDamage{"not ascending", 123, 0x01}));

}  // namespace
}  // namespace velantra::sacn
