// Slot letters and short show names of the conveyor.
#include "conveyor/conveyor_names.h"

#include <gtest/gtest.h>

#include <ostream>

namespace velantra {
namespace {

TEST(ConveyorNames, LettersFollowTheKeyboardAndSlot20HasNone)
{
    EXPECT_EQ(conveyorLetter(1), 'Q');
    EXPECT_EQ(conveyorLetter(10), 'P');
    EXPECT_EQ(conveyorLetter(11), 'A');
    EXPECT_EQ(conveyorLetter(19), 'L');
    EXPECT_EQ(conveyorLetter(20), 0);
    EXPECT_EQ(conveyorLetter(0), 0);
}

struct ShortNameCase {
    const char* path;
    int length;
    const char* expected;
};

void PrintTo(const ShortNameCase& c, std::ostream* os)
{
    *os << c.path << " / " << c.length;
}

class ShortNameTest : public ::testing::TestWithParam<ShortNameCase> {};

TEST_P(ShortNameTest, CutsThenDropsAnExtensionInsideTheCut)
{
    const auto c = GetParam();
    EXPECT_EQ(conveyorShortName(QString::fromUtf8(c.path), c.length), QString::fromUtf8(c.expected));
}

INSTANTIATE_TEST_SUITE_P(Names, ShortNameTest,
                         ::testing::Values(ShortNameCase{"/shows/Show.vlt", 8, "Show"},
                                           ShortNameCase{"/shows/MyLongShowName.vlt", 8, "MyLongSh"},
                                           ShortNameCase{"/shows/Abcde.vlt", 8, "Abcde"},
                                           ShortNameCase{"C:\\shows\\Concert2.vlt", 7, "Concert"},
                                           ShortNameCase{"D:\\x\\Rock.vlt", 8, "Rock"},
                                           ShortNameCase{"/a/Abcdefghij.vlt", 7, "Abcdefg"},
                                           ShortNameCase{"/a/Abcdefghij.vlt", 8, "Abcdefgh"},
                                           ShortNameCase{"/a/Шоу.vlt", 8, "Шоу"}));

}  // namespace
}  // namespace velantra
