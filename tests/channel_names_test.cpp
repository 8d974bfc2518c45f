// Channel names as the fields show and store them, and the name block copy.
#include "channels/channel_names.h"

#include <gtest/gtest.h>

#include <memory>
#include <ostream>
#include <string>

namespace velantra {
namespace {

void store(ShowMemory& m, int channel, const std::string& bytes)
{
    for (int i = 0; i < NameLength; ++i) {
        const auto b = i < int(bytes.size()) ? static_cast<std::uint8_t>(bytes[std::size_t(i)]) : std::uint8_t(0);
        m.set(std::size_t(nameAddress(channel)) + std::size_t(i), b);
    }
}

std::string stored(const ShowMemory& m, int channel)
{
    std::string bytes(NameLength, '\0');
    for (int i = 0; i < NameLength; ++i) {
        bytes[std::size_t(i)] = static_cast<char>(m.get(std::size_t(nameAddress(channel)) + std::size_t(i)));
    }
    return bytes;
}

std::string padded(const std::string& s, char fill)
{
    return s + std::string(NameLength - s.size(), fill);
}

struct LoadCase {
    std::string before;  // 16 bytes
    const char* text;
    std::string after;
};

class LoadEditTest : public ::testing::TestWithParam<LoadCase> {};

TEST_P(LoadEditTest, ShowsInnerBlanksAsSpacesAndStoresTrailingOnesAsZero)
{
    auto m = std::make_unique<ShowMemory>();
    store(*m, 7, GetParam().before);
    EXPECT_EQ(LoadEdit(*m, 7), QString::fromUtf8(GetParam().text));
    EXPECT_EQ(stored(*m, 7), GetParam().after);
}

INSTANTIATE_TEST_SUITE_P(
    Names, LoadEditTest,
    ::testing::Values(LoadCase{padded(std::string("AB\0CD", 5), '\0'), "AB CD", padded("AB CD", '\0')},
                      LoadCase{padded(std::string("\0\0X", 3), '\0'), "  X", padded("  X", '\0')},
                      LoadCase{padded("A B", ' '), "A B", padded("A B", '\0')},
                      LoadCase{padded("", '\0'), "", padded("", '\0')}, LoadCase{padded("", ' '), "", padded("", '\0')},
                      LoadCase{"Moving head 12AB", "Moving head 12AB", "Moving head 12AB"}));

struct SaveCase {
    const char* typed;
    std::string stored;  // after blankConversion
    const char* shown;
    const char* label;
};

void PrintTo(const SaveCase& c, std::ostream* os)
{
    *os << '"' << c.typed << '"';
}

class SaveEditTest : public ::testing::TestWithParam<SaveCase> {};

TEST_P(SaveEditTest, StoresWindows1251WithZeroBlanksAndShowsTheTypedText)
{
    const SaveCase c = GetParam();
    auto m = std::make_unique<ShowMemory>();
    store(*m, 254, "neighbour");
    store(*m, 255, "Old name");
    SaveEdit(*m, 255, QString::fromUtf8(c.typed));
    blankConversion(*m);
    EXPECT_EQ(stored(*m, 255), c.stored);
    EXPECT_EQ(nameLabel(*m, 255), QString::fromUtf8(c.label));
    EXPECT_EQ(LoadEdit(*m, 255), QString::fromUtf8(c.shown));
    EXPECT_EQ(stored(*m, 254), padded("neighbour", '\0'));
    EXPECT_EQ(m->get(NameBase + NameTableSize), 0);
}

INSTANTIATE_TEST_SUITE_P(
    Names, SaveEditTest,
    ::testing::Values(SaveCase{"Front Wash", padded(std::string("Front\0Wash", 10), '\0'), "Front Wash", "Front"},
                      SaveCase{"", std::string(NameLength, '\0'), "", ""},
                      SaveCase{"Свет Ёж №1", padded(std::string("\xD1\xE2\xE5\xF2\0\xA8\xE6\0\xB9\x31", 10), '\0'),
                               "Свет Ёж №1", "Свет"},
                      SaveCase{"Scanner left 1234567", std::string("Scanner\0left\0\x31\x32\x33", 16),
                               "Scanner left 123", "Scanner"}));

TEST(ChannelNames, ClearAndBlankConversionCoverTheWholeTableOnly)
{
    auto m = std::make_unique<ShowMemory>();
    m->fill(NameBase - 1, NameBase + NameTableSize, ' ');
    blankConversion(*m);
    EXPECT_EQ(m->get(NameBase - 1), ' ');
    EXPECT_EQ(m->get(NameBase + NameTableSize), ' ');
    EXPECT_EQ(stored(*m, 0), std::string(NameLength, '\0'));
    EXPECT_EQ(stored(*m, 255), std::string(NameLength, '\0'));
    m->fill(NameBase - 1, NameBase + NameTableSize, 'x');
    clearNames(*m);
    EXPECT_EQ(m->get(NameBase - 1), 'x');
    EXPECT_EQ(m->get(NameBase + NameTableSize), 'x');
    EXPECT_EQ(stored(*m, 128), std::string(NameLength, '\0'));
}

TEST(ChannelNames, OnlyWindows1251CharactersAreAccepted)
{
    EXPECT_TRUE(encodableName(QStringLiteral("€uro Свет №1")));
    EXPECT_FALSE(encodableName(QStringLiteral("Spot 漢")));
    EXPECT_FALSE(encodableName(QStringLiteral("Star \U0001F31F")));
    NameValidator validator;
    QString text = QStringLiteral("Шестнадцать букв");
    int pos = 0;
    EXPECT_EQ(validator.validate(text, pos), QValidator::Acceptable);
    text += QLatin1Char('!');
    EXPECT_EQ(validator.validate(text, pos), QValidator::Invalid);
    text = QStringLiteral("漢");
    EXPECT_EQ(validator.validate(text, pos), QValidator::Invalid);
}

// Channels 1..10 named "Spot 1".."Spot 10" with their own gobo and name colour.
struct CopyShow {
    CopyShow()
    {
        for (int c = 1; c <= 10; ++c) {
            store(*memory, c, "Spot " + std::to_string(c));
            tables.gobo[std::size_t(c)] = std::uint8_t(c);
            tables.nameRed[std::size_t(c)] = std::uint8_t(100 + c);
            tables.nameBlue[std::size_t(c)] = std::uint8_t(c);
        }
    }
    std::unique_ptr<ShowMemory> memory = std::make_unique<ShowMemory>();
    ChannelTables tables;
};

TEST(BlockCopyNames, ThreeFixturesAreNumberedAndMarked)
{
    CopyShow show;
    NameCopySettings s;
    s.fixtures = 3;
    ASSERT_TRUE(blockCopyNames(*show.memory, show.tables, s));
    for (int r = 1; r <= 3; ++r) {
        for (int b = 1; b <= 10; ++b) {
            const int t = b + 10 * r;
            const auto u = std::size_t(t);
            EXPECT_EQ(stored(*show.memory, t), padded(char('1' + r) + ("pot " + std::to_string(b)), '\0')) << t;
            EXPECT_EQ(show.tables.gobo[u], b) << t;
            EXPECT_EQ(show.tables.nameRed[u], 100 + b) << t;
            EXPECT_EQ(show.tables.nameBlue[u], b) << t;
            const int grey = r == 2 ? 200 : 170;
            EXPECT_EQ(show.tables.borderRed[u], b == 1 ? 50 : grey) << t;
            EXPECT_EQ(show.tables.borderGreen[u], b == 1 ? 250 : grey) << t;
            EXPECT_EQ(show.tables.borderBlue[u], b == 1 ? 50 : grey) << t;
        }
    }
    EXPECT_EQ(stored(*show.memory, 1), padded("Spot 1", '\0'));
    EXPECT_EQ(stored(*show.memory, 41), std::string(NameLength, '\0'));
    EXPECT_EQ(show.tables.borderRed[41], 0);
    EXPECT_EQ(s.destination, 41);
    EXPECT_EQ(s.firstDigit, 5);
}

TEST(BlockCopyNames, UnlinkedDestinationInsideTheBlockRepeatsItsStart)
{
    CopyShow show;
    NameCopySettings s{.first = 1, .last = 10, .destination = 5, .numberNames = false, .markFirst = false};
    ASSERT_TRUE(blockCopyNames(*show.memory, show.tables, s));
    const int expected[] = {1, 2, 3, 4, 1, 2, 3, 4, 1, 2};
    for (int t = 5; t <= 14; ++t) {
        const int from = expected[t - 5];
        EXPECT_EQ(stored(*show.memory, t), padded("Spot " + std::to_string(from), '\0')) << t;
        EXPECT_EQ(show.tables.gobo[std::size_t(t)], from) << t;
        EXPECT_EQ(show.tables.borderRed[std::size_t(t)], 170) << t;
    }
    EXPECT_EQ(s.destination, 15);
}

struct FitCase {
    int first, last, destination, fixtures, digit;
    bool fits;
    int nextDestination, nextDigit;
};

void PrintTo(const FitCase& c, std::ostream* os)
{
    *os << c.first << ".." << c.last << " to " << c.destination << " x" << c.fixtures;
}

class BlockCopyFitTest : public ::testing::TestWithParam<FitCase> {};

TEST_P(BlockCopyFitTest, CopiesUpToChannel255AndRefusesBeyondWithoutAnyChange)
{
    const FitCase c = GetParam();
    CopyShow show;
    const CopyShow untouched;
    NameCopySettings s{
        .first = c.first, .last = c.last, .destination = c.destination, .firstDigit = c.digit, .fixtures = c.fixtures};
    EXPECT_EQ(blockCopyNames(*show.memory, show.tables, s), c.fits);
    EXPECT_EQ(s.destination, c.nextDestination);
    EXPECT_EQ(s.firstDigit, c.nextDigit);
    if (c.fits) {
        EXPECT_EQ(stored(*show.memory, 255), padded(char('0' + c.nextDigit) + std::string("pot 5"), '\0'));
        return;
    }
    for (std::size_t i = 0; i < ShowMemorySize; ++i) {
        ASSERT_EQ(show.memory->get(i), untouched.memory->get(i)) << i;
    }
    EXPECT_EQ(show.tables.gobo, untouched.tables.gobo);
    EXPECT_EQ(show.tables.borderRed, untouched.tables.borderRed);
    EXPECT_EQ(show.tables.nameRed, untouched.tables.nameRed);
}

INSTANTIATE_TEST_SUITE_P(Limits, BlockCopyFitTest,
                         ::testing::Values(FitCase{1, 100, 101, 2, 2, false, 101, 2},
                                           FitCase{1, 5, 247, 2, 2, false, 247, 2},
                                           FitCase{1, 5, 246, 2, 7, true, 254, 8}));

struct CoupleCase {
    const char* changed;
    NameCopySettings before;
    bool linked;
    int first, last, destination;
};

void PrintTo(const CoupleCase& c, std::ostream* os)
{
    *os << c.changed << " " << c.before.first << "/" << c.before.last << "/" << c.before.destination
        << (c.linked ? " linked" : "");
}

class CouplingTest : public ::testing::TestWithParam<CoupleCase> {};

TEST_P(CouplingTest, KeepsTheBlockInOrder)
{
    const CoupleCase c = GetParam();
    NameCopySettings s = c.before;
    const std::string changed = c.changed;
    if (changed == "first") {
        coupleNameFirst(s);
    } else if (changed == "last") {
        coupleNameLast(s, c.linked);
    } else {
        coupleNameDestination(s, c.linked);
    }
    EXPECT_EQ(s.first, c.first);
    EXPECT_EQ(s.last, c.last);
    EXPECT_EQ(s.destination, c.destination);
}

INSTANTIATE_TEST_SUITE_P(Rules, CouplingTest,
                         ::testing::Values(CoupleCase{"first", {.first = 12}, true, 12, 12, 11},
                                           CoupleCase{"first", {.first = 5}, true, 5, 10, 11},
                                           CoupleCase{"last", {.first = 5, .last = 3}, false, 5, 5, 11},
                                           CoupleCase{"last", {.last = 15}, true, 1, 15, 16},
                                           CoupleCase{"last", {.last = 15}, false, 1, 15, 11},
                                           CoupleCase{"last", {.last = 255}, true, 1, 255, 254},
                                           CoupleCase{"destination", {.destination = 5}, true, 1, 10, 11},
                                           CoupleCase{"destination", {.destination = 5}, false, 1, 10, 5},
                                           CoupleCase{"destination", {.destination = 12}, true, 1, 10, 12}));

}  // namespace
}  // namespace velantra
