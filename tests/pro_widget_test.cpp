// The widget API of DMX USB Pro interfaces, byte for byte: the frame and the
// two requests as written out by hand, and the replies a widget sends back,
// whole, in pieces, among noise, cut short or broken; the parameters the
// widget API publishes.
#include "link/pro_widget.h"

#include <gtest/gtest.h>

#include <array>
#include <ostream>
#include <span>
#include <string>
#include <vector>

namespace velantra::pro {
namespace {

using Bytes = std::vector<std::uint8_t>;

TEST(ProWidgetMessages, FrameIsLabelSixWithStartCodeAndTheSlotsUsed)
{
    std::array<std::uint8_t, FrameSlots> frame{};
    frame[0] = 0;  // start code
    frame[1] = 255;
    frame[2] = 0x7E;  // the start and end bytes need no escaping in the data
    frame[3] = 0xE7;
    frame[24] = 9;
    frame[25] = 10;
    std::array<std::uint8_t, MaxMessage> out{};
    // Few slots used: 24 are sent, as the widget wants at least that many.
    ASSERT_EQ(encodeFrame(frame, 3, out), 5u + 25);
    Bytes expected{0x7E, 6, 25, 0, 0, 255, 0x7E, 0xE7};
    expected.resize(4 + 24, 0);
    expected.push_back(9);
    expected.push_back(0xE7);
    EXPECT_EQ(Bytes(out.begin(), out.begin() + 30), expected);
    // All 512: the length is 513, low byte first.
    ASSERT_EQ(encodeFrame(frame, 600, out), 5u + 513);
    EXPECT_EQ(Bytes(out.begin(), out.begin() + 4), (Bytes{0x7E, 6, 0x01, 0x02}));
    EXPECT_EQ(out[517], 0xE7);
    std::array<std::uint8_t, 20> small{};
    EXPECT_EQ(encodeFrame(frame, 24, small), 0u);
}

TEST(ProWidgetMessages, RequestsForParametersAndSerialNumber)
{
    EXPECT_EQ(parametersRequest(), (Bytes{0x7E, 3, 2, 0, 0, 0, 0xE7}));
    EXPECT_EQ(serialRequest(), (Bytes{0x7E, 10, 0, 0, 0xE7}));
}

TEST(ProWidgetReplies, ParametersAndSerialNumberAreRead)
{
    const auto p = parseParameters(Bytes{0x44, 0x01, 9, 1, 40, 0xAA});
    ASSERT_TRUE(p);
    EXPECT_EQ(p->firmware, 0x0144);
    EXPECT_NEAR(p->breakMicros(), 96.0, 0.1);
    EXPECT_NEAR(p->mabMicros(), 10.67, 0.01);
    EXPECT_EQ(p->rate, 40);
    EXPECT_FALSE(parseParameters(Bytes{1, 2, 3, 4}));
    EXPECT_EQ(parseSerial(Bytes{0x78, 0x56, 0x34, 0x12}), 12345678u);
    EXPECT_FALSE(parseSerial(Bytes{0x7A, 0x56, 0x34, 0x12}));  // not a decimal digit
    EXPECT_FALSE(parseSerial(Bytes{0x78, 0x56, 0x34}));
}

struct Seen {
    std::uint8_t label;
    Bytes data;
    friend bool operator==(const Seen&, const Seen&) = default;
};

std::vector<Seen> read(const std::vector<Bytes>& pieces)
{
    ReplyReader reader;
    std::vector<Seen> seen;
    for (const Bytes& piece : pieces) {
        reader.feed(piece, [&](std::uint8_t label, std::span<const std::uint8_t> data) {
            seen.push_back({label, Bytes(data.begin(), data.end())});
        });
    }
    return seen;
}

TEST(ProWidgetReplies, ReaderFindsMessagesInPiecesNoiseAndBrokenOnes)
{
    const Bytes serial{0x7E, 10, 4, 0, 0x78, 0x56, 0x34, 0x12, 0xE7};
    const std::vector<Seen> one{{10, {0x78, 0x56, 0x34, 0x12}}};
    EXPECT_EQ(read({serial}), one);
    std::vector<Bytes> bytewise;
    for (std::uint8_t b : serial) {
        bytewise.push_back({b});
    }
    EXPECT_EQ(read(bytewise), one);
    // Noise before it, and a message cut short whose place it takes.
    Bytes noisy{0x00, 0x13, 0x7E, 3, 5, 0};
    noisy.insert(noisy.end(), serial.begin(), serial.end());
    EXPECT_EQ(read({noisy}), one);
    // A wrong end byte, and a length no reply has, are dropped.
    EXPECT_EQ(read({{0x7E, 3, 1, 0, 7, 0x00}, serial}), one);
    EXPECT_EQ(read({{0x7E, 5, 0xFF, 0xFF, 1, 2, 3}, serial}), one);
    // Cut short for good: nothing, and nothing hangs.
    EXPECT_TRUE(read({{0x7E, 3, 5, 0, 1, 2}}).empty());
}

// Replies that are cut short or claim a body they cannot have: the answers
// after them are still found, at once or once nothing more comes (resync).
struct CutShortCase {
    friend void PrintTo(const CutShortCase& c, std::ostream* os) { *os << c.name; }
    const char* name;
    Bytes before;  // what the widget sent ahead of its two answers
    bool resync;   // the link saw that nothing more came
};

class ProWidgetCutShort : public ::testing::TestWithParam<CutShortCase> {};

TEST_P(ProWidgetCutShort, AnswersAfterABrokenReplyAreFound)
{
    const Bytes serial{0x7E, 10, 4, 0, 0x78, 0x56, 0x34, 0x12, 0xE7};
    const Bytes parameters{0x7E, 3, 5, 0, 0x2C, 0x01, 9, 1, 40, 0xE7};
    Bytes all = GetParam().before;
    all.insert(all.end(), serial.begin(), serial.end());
    all.insert(all.end(), parameters.begin(), parameters.end());
    ReplyReader reader;
    std::vector<Seen> seen;
    const auto collect = [&](std::uint8_t label, std::span<const std::uint8_t> data) {
        seen.push_back({label, Bytes(data.begin(), data.end())});
    };
    reader.feed(all, collect);
    if (GetParam().resync) {
        reader.resync(collect);
    }
    const std::vector<Seen> expected{{10, {0x78, 0x56, 0x34, 0x12}}, {3, {0x2C, 0x01, 9, 1, 40}}};
    EXPECT_EQ(seen, expected);
    EXPECT_FALSE(reader.holding());
}

INSTANTIATE_TEST_SUITE_P(Replies, ProWidgetCutShort,
                         ::testing::Values(
                             // A parameters or serial reply whose length is not its own: dropped at its header.
                             CutShortCase{"ParametersClaimingALongBody", {0x7E, 3, 0x00, 0x02, 0x2C, 0x01}, false},
                             CutShortCase{"SerialClaimingALongBody", {0x7E, 10, 0xF0, 0x01, 0x12}, false},
                             // A short claim cut short: the answers start inside its body.
                             CutShortCase{"ShortClaimCutShort", {0x7E, 5, 12, 0, 1, 2}, false},
                             // Any other label may be long: nothing after it is lost once nothing more comes.
                             CutShortCase{"OtherLabelClaimingALongBody", {0x7E, 5, 0x90, 0x01, 0, 1, 2}, true},
                             CutShortCase{
                                 "TwoCutShortOneInsideTheOther", {0x7E, 5, 0x90, 0x01, 0x7E, 9, 0x00, 0x01, 7}, true}),
                         [](const auto& param) { return std::string(param.param.name); });

TEST(ProWidgetReplies, ParametersOutsideThePublishedRangesAreSaidToBe)
{
    struct Case {
        Bytes data;  // firmware low, high, break, MAB, rate
        bool inRange;
    };
    const Case cases[] = {
        {{0x2C, 0x01, 9, 1, 40}, true}, {{0, 0, 127, 127, 0}, true},    {{0, 0, 8, 1, 40}, false},
        {{0, 0, 128, 1, 40}, false},    {{0, 0, 9, 0, 40}, false},      {{0, 0, 9, 128, 40}, false},
        {{0, 0, 9, 1, 41}, false},      {{0, 0, 255, 255, 255}, false},
    };
    for (const Case& c : cases) {
        const auto p = parseParameters(c.data);
        ASSERT_TRUE(p);
        EXPECT_EQ(p->inRange(), c.inRange) << int(c.data[2]) << " " << int(c.data[3]) << " " << int(c.data[4]);
    }
    const auto p = parseParameters(Bytes{0x2C, 0x01, 9, 1, 40});
    EXPECT_EQ(p->firmwareMajor(), 1);
    EXPECT_EQ(p->firmwareMinor(), 44);
}

}  // namespace
}  // namespace velantra::pro
