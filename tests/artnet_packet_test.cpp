// Art-Net packets against packets written out by hand, byte for byte, the
// decoders on hand-written and broken packets, and Port-Address text. Packets
// handed to a decoder are copies of exactly their size, so a read past the end
// is an AddressSanitizer report.
#include "network/artnet_packet.h"

#include "tests/byte_helpers.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <initializer_list>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

namespace velantra::artnet {
namespace {

using testing_bytes::Bytes;
using testing_bytes::cat;
using testing_bytes::toBytes;
using Frame = std::array<std::uint8_t, 513>;

Bytes prefix(const Bytes& bytes, std::size_t size)
{
    return {bytes.begin(), bytes.begin() + static_cast<std::ptrdiff_t>(size)};
}

const Bytes ArtNetId{0x41, 0x72, 0x74, 0x2D, 0x4E, 0x65, 0x74, 0x00};  // "Art-Net\0"

Frame levels()
{
    Frame frame{};
    frame[0] = 0xCC;  // a start code, which Art-Net does not carry
    for (std::size_t i = 1; i < frame.size(); ++i) {
        frame[i] = static_cast<std::uint8_t>(i * 3 + 1);
    }
    return frame;
}

// ---------------------------------------------------------------------------
// ArtDmx

TEST(ArtDmx, FrameFillsThePacketWrittenByHand)
{
    ArtDmx dmx;
    dmx.setPortAddress(makePortAddress(18, 3, 4));
    dmx.fill(0x2A, levels());
    const Frame frame = levels();
    const Bytes expected = cat({ArtNetId,
                                {0x00, 0x50, 0x00, 0x0E},  // OpDmx, protocol 14
                                {0x2A, 0x00, 0x34, 0x12},  // sequence, physical, SubUni, Net
                                {0x02, 0x00},              // length 512
                                Bytes(frame.begin() + 1, frame.end())});
    EXPECT_EQ(toBytes(dmx.bytes()), expected);
}

struct AddressBytes {
    std::uint16_t portAddress;
    std::uint8_t subUni;
    std::uint8_t net;
};

class ArtDmxAddress : public testing::TestWithParam<AddressBytes> {};

TEST_P(ArtDmxAddress, IsSubUniThenNet)
{
    ArtDmx dmx;
    dmx.setPortAddress(GetParam().portAddress);
    EXPECT_EQ(dmx.bytes()[14], GetParam().subUni);
    EXPECT_EQ(dmx.bytes()[15], GetParam().net);
}

INSTANTIATE_TEST_SUITE_P(Rows, ArtDmxAddress,
                         testing::Values(AddressBytes{0, 0x00, 0x00}, AddressBytes{15, 0x0F, 0x00},
                                         AddressBytes{16, 0x10, 0x00}, AddressBytes{0x0100, 0x00, 0x01},
                                         AddressBytes{0x7FFF, 0xFF, 0x7F}, AddressBytes{0xFFFF, 0xFF, 0x7F}));

// Four slots to Port-Address 1:2:3, sequence 9, physical port 2.
Bytes handDmx()
{
    return cat({ArtNetId, {0x00, 0x50, 0x00, 0x0E, 0x09, 0x02, 0x23, 0x01, 0x00, 0x04}, {11, 22, 33, 44}});
}

TEST(ArtDmxDecoder, ReadsThePacketWrittenByHand)
{
    const auto fields = parseArtDmx(handDmx());
    ASSERT_TRUE(fields.has_value());
    EXPECT_EQ(fields->portAddress, 0x0123);
    EXPECT_EQ(fields->sequence, 9);
    EXPECT_EQ(fields->physical, 2);
    ASSERT_EQ(fields->length, 4);
    EXPECT_EQ(fields->data[0], 11);
    EXPECT_EQ(fields->data[3], 44);
    EXPECT_EQ(fields->data[4], 0);
}

struct Damage {
    const char* what;
    std::size_t offset;
    std::uint8_t value;
};

void PrintTo(const Damage& damage, std::ostream* os)
{
    *os << damage.what;
}

Bytes damaged(Bytes bytes, const Damage& damage)
{
    bytes[damage.offset] = damage.value;
    return bytes;
}

class ArtDmxDamaged : public testing::TestWithParam<Damage> {};

TEST_P(ArtDmxDamaged, IsRefused)
{
    EXPECT_FALSE(parseArtDmx(damaged(handDmx(), GetParam())).has_value()) << GetParam().what;
}

INSTANTIATE_TEST_SUITE_P(Rows, ArtDmxDamaged,
                         testing::Values(Damage{"ID", 0, 'a'}, Damage{"ID's NUL", 7, ' '},
                                         Damage{"OpCode OpPoll", 9, 0x20}, Damage{"OpCode bytes swapped", 8, 0x50},
                                         Damage{"protocol 13", 11, 0x0D}, Damage{"Net bit 7", 15, 0x81},
                                         Damage{"odd length", 17, 0x03}, Damage{"length 0", 17, 0x00},
                                         Damage{"length 6, 4 sent", 17, 0x06}, Damage{"length 514", 16, 0x02}));

TEST(ArtDmxDecoder, RefusesPacketsCutShortOrTooLong)
{
    EXPECT_FALSE(parseArtDmx({}).has_value());
    EXPECT_FALSE(parseArtDmx(prefix(handDmx(), 9)).has_value());
    EXPECT_FALSE(parseArtDmx(prefix(handDmx(), 18)).has_value());
    EXPECT_FALSE(parseArtDmx(prefix(handDmx(), 21)).has_value());
    EXPECT_FALSE(parseArtDmx(cat({handDmx(), {55}})).has_value());
}

TEST(ArtDmxDecoder, RefusesAnOddLengthEvenWhenTheBytesAreThere)
{
    Bytes odd = damaged(handDmx(), {"length 3", 17, 0x03});
    odd.pop_back();
    EXPECT_FALSE(parseArtDmx(odd).has_value());
}

// ---------------------------------------------------------------------------
// Port-Address text

struct AddressText {
    std::uint16_t portAddress;
    std::string text;
};

class PortAddressText : public testing::TestWithParam<AddressText> {};

TEST_P(PortAddressText, ReadsBackBothWays)
{
    EXPECT_EQ(portAddressText(GetParam().portAddress), GetParam().text);
    EXPECT_EQ(parsePortAddress(GetParam().text), GetParam().portAddress);
}

INSTANTIATE_TEST_SUITE_P(Rows, PortAddressText,
                         testing::Values(AddressText{0, "0:0:0"}, AddressText{0x0123, "1:2:3"},
                                         AddressText{15, "0:0:15"}, AddressText{16, "0:1:0"}, AddressText{256, "1:0:0"},
                                         AddressText{0x7FFF, "127:15:15"}));

TEST(PortAddressText, PlainNumbersAreReadToo)
{
    EXPECT_EQ(parsePortAddress("0"), 0);
    EXPECT_EQ(parsePortAddress("291"), 0x0123);
    EXPECT_EQ(parsePortAddress("32767"), 0x7FFF);
    EXPECT_EQ(parsePortAddress("007"), 7);
    EXPECT_EQ(portAddressText(0x8123), "1:2:3");  // bit 15 is outside the 15 bits
}

class PortAddressRefused : public testing::TestWithParam<std::string> {};

TEST_P(PortAddressRefused, GivesNothing)
{
    EXPECT_EQ(parsePortAddress(GetParam()), std::nullopt);
}

INSTANTIATE_TEST_SUITE_P(Rows, PortAddressRefused,
                         testing::Values("", "32768", "65536", "99999999999999999999", "-1", "+1", " 1", "1 ", "0x10",
                                         "a", "1:2", "1:2:3:4", "128:0:0", "0:16:0", "0:0:16", "1:2:", ":2:3",
                                         "::", "1::3", "1:-2:3"));

// ---------------------------------------------------------------------------
// ArtPoll

TEST(ArtPoll, DefaultPollIsTheOneWrittenByHand)
{
    const ArtPoll poll;
    const Bytes expected = cat({ArtNetId,
                                {0x00, 0x20, 0x00, 0x0E},    // OpPoll, protocol 14
                                {0x00, 0x10},                // Flags, DiagPriority DpLow
                                {0x00, 0x00, 0x00, 0x00},    // target top, bottom
                                {0x00, 0x00, 0x00, 0xFF}});  // ESTA manufacturer, Oem unknown
    EXPECT_EQ(toBytes(poll.bytes()), expected);
}

TEST(ArtPoll, TargetedPollIsTheOneWrittenByHand)
{
    ArtPoll poll;
    poll.setFlags(PollTargeted | PollReplyOnChange);
    poll.setDiagPriority(DpHigh);
    poll.setTargetRange(0x0010, 0x021F);
    poll.setManufacturer(0x7FF0, 0x1234);
    const Bytes expected = cat({ArtNetId,
                                {0x00, 0x20, 0x00, 0x0E},
                                {0x22, 0x80},
                                {0x02, 0x1F, 0x00, 0x10},  // top first, high bytes first
                                {0x7F, 0xF0, 0x12, 0x34}});
    EXPECT_EQ(toBytes(poll.bytes()), expected);
}

Bytes handPoll()
{
    return cat({ArtNetId, {0x00, 0x20, 0x00, 0x0E, 0x02, 0x40}});  // the 14-byte form
}

TEST(ArtPollDecoder, ReadsTheShortAndTheLongForm)
{
    const auto shortForm = parseArtPoll(handPoll());
    ASSERT_TRUE(shortForm.has_value());
    EXPECT_EQ(shortForm->flags, PollReplyOnChange);
    EXPECT_EQ(shortForm->diagPriority, DpMed);

    const auto longForm = parseArtPoll(cat({handPoll(), {0x00, 0x00, 0x7F, 0xFF, 0x00, 0x00, 0x00, 0xFF}}));
    ASSERT_TRUE(longForm.has_value());
    EXPECT_EQ(longForm->flags, PollReplyOnChange);
    EXPECT_EQ(longForm->diagPriority, DpMed);

    EXPECT_TRUE(parseArtPoll(cat({handPoll(), {0x00}})).has_value());                       // 15 bytes
    EXPECT_TRUE(parseArtPoll(damaged(handPoll(), {"protocol 15", 11, 0x0F})).has_value());  // a newer protocol
}

class ArtPollDamaged : public testing::TestWithParam<Damage> {};

TEST_P(ArtPollDamaged, IsRefused)
{
    EXPECT_FALSE(parseArtPoll(damaged(handPoll(), GetParam())).has_value()) << GetParam().what;
}

INSTANTIATE_TEST_SUITE_P(Rows, ArtPollDamaged,
                         testing::Values(Damage{"ID", 3, '_'}, Damage{"OpCode OpPollReply", 9, 0x21},
                                         Damage{"OpCode OpDmx", 9, 0x50}, Damage{"protocol 13", 11, 0x0D},
                                         Damage{"protocol 0", 11, 0x00}));

TEST(ArtPollDecoder, RefusesAPollCutShort)
{
    EXPECT_FALSE(parseArtPoll(prefix(handPoll(), 13)).has_value());
    EXPECT_FALSE(parseArtPoll(prefix(handPoll(), 10)).has_value());
    EXPECT_FALSE(parseArtPoll({}).has_value());
}

// ---------------------------------------------------------------------------
// ArtPollReply

// This controller's reply, field by field at its offset: 192.168.1.20,
// sending Port-Addresses 1:2:14, 1:2:15 and 1:3:0 (the last of another
// Sub-Net, so not among the ports), with a report.
struct ReplyField {
    const char* name;
    std::size_t offset;
    Bytes bytes;
};

Bytes padded(std::string_view text, std::size_t size)
{
    Bytes bytes(text.begin(), text.end());
    bytes.resize(size, 0x00);
    return bytes;
}

const std::vector<ReplyField>& replyFields()
{
    static const std::vector<ReplyField> fields{
        {"ID", 0, ArtNetId},
        {"OpCode OpPollReply", 8, {0x00, 0x21}},
        {"IP 192.168.1.20", 10, {0xC0, 0xA8, 0x01, 0x14}},
        {"Port 0x1936, low byte first", 14, {0x36, 0x19}},
        {"VersInfo", 16, {0x00, 0x00}},
        {"NetSwitch 1, SubSwitch 2", 18, {0x01, 0x02}},
        {"Oem unknown", 20, {0x00, 0xFF}},
        {"Ubea, Status1", 22, {0x00, 0x00}},
        {"EstaMan 0x7FF0, low byte first", 24, {0xF0, 0x7F}},
        {"ShortName", 26, padded("Velantra", 18)},
        {"LongName", 44, padded("Velantra lighting desk", 64)},
        {"NodeReport", 108, padded("#0001 [0012] sending 1:2:14", 64)},
        {"NumPorts 2", 172, {0x00, 0x02}},
        {"PortTypes: two inputs", 174, {0x40, 0x40, 0x00, 0x00}},
        {"GoodInput: data", 178, {0x80, 0x80, 0x00, 0x00}},
        {"GoodOutputA", 182, Bytes(4, 0x00)},
        {"SwIn 14, 15", 186, {0x0E, 0x0F, 0x00, 0x00}},
        {"SwOut", 190, Bytes(4, 0x00)},
        {"AcnPriority, SwMacro, SwRemote, spare", 194, Bytes(6, 0x00)},
        {"Style StController", 200, {0x01}},
        {"MAC", 201, {0x02, 0x00, 0x5E, 0x10, 0x20, 0xFF}},
        {"BindIp 192.168.1.20", 207, {0xC0, 0xA8, 0x01, 0x14}},
        {"BindIndex 1, the root", 211, {0x01}},
        {"Status2: 15-bit Port-Address", 212, {0x08}},
        {"GoodOutputB, Status3, DefaultRespUID, User, RefreshRate, filler", 213, Bytes(26, 0x00)},
    };
    return fields;
}

ArtPollReply velantraReply()
{
    ArtPollReply reply;
    reply.setController(0xC0A80114, "Velantra", "Velantra lighting desk");
    reply.setMac({0x02, 0x00, 0x5E, 0x10, 0x20, 0xFF});
    const std::array<std::uint16_t, 3> sent{0x012E, 0x012F, 0x0130};
    reply.setInputs(sent, true);
    reply.setNodeReport(RcPowerOk, 10012, "sending 1:2:14");
    return reply;
}

class ArtPollReplyField : public testing::TestWithParam<ReplyField> {};

TEST_P(ArtPollReplyField, IsAtItsOffset)
{
    const ArtPollReply reply = velantraReply();
    const auto bytes = reply.bytes();
    ASSERT_LE(GetParam().offset + GetParam().bytes.size(), bytes.size());
    EXPECT_EQ(Bytes(bytes.begin() + static_cast<std::ptrdiff_t>(GetParam().offset),
                    bytes.begin() + static_cast<std::ptrdiff_t>(GetParam().offset + GetParam().bytes.size())),
              GetParam().bytes);
}

INSTANTIATE_TEST_SUITE_P(Rows, ArtPollReplyField, testing::ValuesIn(replyFields()));

TEST(ArtPollReply, FieldsCoverAll239BytesInOrder)
{
    Bytes expected;
    for (const ReplyField& field : replyFields()) {
        ASSERT_EQ(expected.size(), field.offset) << field.name;
        expected.insert(expected.end(), field.bytes.begin(), field.bytes.end());
    }
    EXPECT_EQ(toBytes(velantraReply().bytes()), expected);
}

TEST(ArtPollReply, LongNamesAreCutOnACharacterBoundary)
{
    ArtPollReply reply;
    reply.setController(0x0A000001, "Световойпульт", std::string(70, 'L'));
    const auto fields = parseArtPollReply(reply.bytes());
    ASSERT_TRUE(fields.has_value());
    EXPECT_EQ(fields->ip, 0x0A000001U);
    EXPECT_EQ(fields->shortName.view(), "Световой");  // 16 bytes; a 17th would split "п"
    EXPECT_EQ(fields->longName.view(), std::string(63, 'L'));
    EXPECT_EQ(fields->style, StyleController);
    EXPECT_EQ(fields->outputCount, 0U);
}

// A node with four ports at Net 5, Sub-Net 3, written byte by byte: port 1
// outputs, port 2 only inputs, ports 3 and 4 output. The Net and Sub-Net
// bytes carry bits outside the address.
Bytes handNodeReply(std::uint8_t numPortsHi, std::uint8_t numPortsLo)
{
    Bytes bytes(239, 0x00);
    const auto put = [&bytes](std::size_t at, const Bytes& field) {
        std::copy(field.begin(), field.end(), bytes.begin() + static_cast<std::ptrdiff_t>(at));
    };
    put(0, ArtNetId);
    put(8, {0x00, 0x21});
    put(10, {10, 0, 0, 7});
    put(18, {0x85, 0xF3});    // NetSwitch, SubSwitch
    put(26, Bytes(18, 'S'));  // a short name with no NUL
    put(44, padded("Node 7", 64));
    put(172, {numPortsHi, numPortsLo});
    put(174, {0x80, 0x40, 0xC0, 0x85});  // PortTypes
    put(190, {0x01, 0x02, 0x0F, 0x1E});  // SwOut
    put(201, {0x02, 0x00, 0x0A, 0x00, 0x00, 0x07});
    put(211, {3});  // BindIndex
    return bytes;
}

TEST(ArtPollReplyDecoder, ReadsTheNodeWrittenByHand)
{
    const auto fields = parseArtPollReply(handNodeReply(0, 4));
    ASSERT_TRUE(fields.has_value());
    EXPECT_EQ(fields->ip, 0x0A000007U);
    EXPECT_EQ(fields->shortName.view(), std::string(18, 'S'));
    EXPECT_EQ(fields->longName.view(), "Node 7");
    EXPECT_EQ(fields->style, StyleNode);
    EXPECT_EQ(fields->mac, (std::array<std::uint8_t, 6>{0x02, 0x00, 0x0A, 0x00, 0x00, 0x07}));
    EXPECT_EQ(fields->bindIndex, 3);
    ASSERT_EQ(fields->outputCount, 3U);
    EXPECT_EQ(fields->outputs[0], 0x0531);
    EXPECT_EQ(fields->outputs[1], 0x053F);
    EXPECT_EQ(fields->outputs[2], 0x053E);
}

struct PortsRow {
    std::uint8_t numPortsHi;
    std::uint8_t numPortsLo;
    std::size_t outputs;
};

class ArtPollReplyPorts : public testing::TestWithParam<PortsRow> {};

TEST_P(ArtPollReplyPorts, OnlyTheFirstNumPortsCount)
{
    const auto fields = parseArtPollReply(handNodeReply(GetParam().numPortsHi, GetParam().numPortsLo));
    ASSERT_TRUE(fields.has_value());
    EXPECT_EQ(fields->outputCount, GetParam().outputs);
}

INSTANTIATE_TEST_SUITE_P(Rows, ArtPollReplyPorts,
                         testing::Values(PortsRow{0, 0, 0}, PortsRow{0, 1, 1}, PortsRow{0, 2, 1}, PortsRow{0, 3, 2},
                                         PortsRow{0, 9, 3}, PortsRow{1, 0, 3}));

TEST(ArtPollReplyDecoder, OlderShorterRepliesAreAcceptedDownTo207Bytes)
{
    const Bytes reply = handNodeReply(0, 4);
    const auto oldest = parseArtPollReply(prefix(reply, 207));
    ASSERT_TRUE(oldest.has_value());
    EXPECT_EQ(oldest->mac[5], 0x07);
    EXPECT_EQ(oldest->bindIndex, 0);  // not carried
    EXPECT_EQ(oldest->outputCount, 3U);
    EXPECT_EQ(parseArtPollReply(prefix(reply, 211))->bindIndex, 0);
    EXPECT_EQ(parseArtPollReply(prefix(reply, 212))->bindIndex, 3);
    EXPECT_FALSE(parseArtPollReply(prefix(reply, 206)).has_value());
    EXPECT_FALSE(parseArtPollReply(prefix(reply, 10)).has_value());
    EXPECT_FALSE(parseArtPollReply({}).has_value());
}

class ArtPollReplyDamaged : public testing::TestWithParam<Damage> {};

TEST_P(ArtPollReplyDamaged, IsRefused)
{
    EXPECT_FALSE(parseArtPollReply(damaged(handNodeReply(0, 4), GetParam())).has_value()) << GetParam().what;
}

INSTANTIATE_TEST_SUITE_P(Rows, ArtPollReplyDamaged,
                         testing::Values(Damage{"ID", 0, 'a'}, Damage{"ID's NUL", 7, 0x01},
                                         Damage{"OpCode OpPoll", 9, 0x20}, Damage{"OpCode low byte", 8, 0x21}));

}  // namespace
}  // namespace velantra::artnet
