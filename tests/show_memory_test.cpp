// Show memory layout, scene access and the new-show reset.
#include "engine/engine.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace velantra {
namespace {

class ShowMemoryTest : public ::testing::Test {
protected:
    std::unique_ptr<Engine> e = std::make_unique<Engine>();
};

TEST_F(ShowMemoryTest, RegionsTileTheShowFileExactly)
{
    EXPECT_EQ(ShowMemorySize, 81921);
    EXPECT_EQ(ShowFileSize, 81920);
    EXPECT_EQ(ShowFileBlocks * 128, ShowMemoryTop);
    EXPECT_EQ(RateBase + 256, NameBase);
    EXPECT_EQ(NameBase + 256 * NameLength, PictureBase);
    EXPECT_EQ(PictureBase + PictureCount * PictureSize, SelectBase);
    EXPECT_EQ(sceneAddress(255) + 255, 81919);  // last cell saved
    EXPECT_EQ(sceneAddress(255), 81664);
}

TEST_F(ShowMemoryTest, DataWriteClampsAndDataReadReadsTheSameCell)
{
    e->DataWrite(3, 7, 300);
    EXPECT_EQ(e->memory.get(SceneBase + 3 * 256 + 7), 255);
    e->DataWrite(3, 7, -5);
    EXPECT_EQ(e->DataRead(3, 7), 0);
    e->DataWrite(255, 255, 128);
    EXPECT_EQ(e->memory.get(81919), 128);
    EXPECT_EQ(e->memory.get(ShowMemoryTop), 0) << "scene 255 channel 255 must not spill into the spare cell";
}

TEST_F(ShowMemoryTest, RaschetAdrSetsTheSharedSceneAddress)
{
    e->publishSceneAddress(0);
    EXPECT_EQ(e->shared.sceneAddr.load(), 16384);
    e->publishSceneAddress(255);
    EXPECT_EQ(e->shared.sceneAddr.load(), 81664);
}

TEST_F(ShowMemoryTest, DataWriteXYWritesTheTwoChannelsAfterTheEditorsPosition)
{
    e->DataWriteXY(4, 10, 20);  // position 0: channels 1 and 2
    EXPECT_EQ(e->DataRead(4, 1), 10);
    EXPECT_EQ(e->DataRead(4, 2), 20);

    e->shared.xyChannel = 253;  // channels 254 and 255, clamped values
    e->DataWriteXY(4, 999, -1);
    EXPECT_EQ(e->DataRead(4, 254), 255);
    EXPECT_EQ(e->DataRead(4, 255), 0);

    e->shared.xyChannel = 255;  // out of range: never beyond the scene
    e->DataWriteXY(4, 7, 8);
    EXPECT_EQ(e->DataRead(5, 0), 0);
    EXPECT_EQ(e->DataRead(4, 254), 7);
}

TEST_F(ShowMemoryTest, HeaderIs98PrintableCharactersThen30Zeros)
{
    e->ClearAll();
    for (int i = 0; i < 98; ++i) {
        const int ch = e->memory.get(i);
        EXPECT_TRUE(ch >= 0x20 && ch < 0x7F) << "cell " << i;
    }
    for (int i = 98; i < 128; ++i) {
        EXPECT_EQ(e->memory.get(i), 0) << "cell " << i;
    }
    std::string text;
    for (int i = 0; i < 98; ++i) {
        text += static_cast<char>(e->memory.get(i));
    }
    EXPECT_NE(text.find("Velantra"), std::string::npos);
}

TEST_F(ShowMemoryTest, NewShowGivesTwoEmptyScenesWithDefaultSettings)
{
    for (int i = 0; i < ShowMemorySize; ++i) {
        e->memory.set(i, 0x5A);
    }
    e->dmxFrame.fill(0, 512, 0x77);
    e->sceneClipboard.fill(9);
    e->shared.playMode = 1;
    e->shared.showNamed = 1;

    e->ClearAll();

    EXPECT_EQ(e->memory.get(CellScene), 0);
    EXPECT_EQ(e->memory.get(CellLastScene), 1);
    EXPECT_EQ(e->memory.get(CellTempo), 44);
    EXPECT_EQ(e->memory.get(CellFormColorOn), 1);
    EXPECT_EQ(e->memory.get(CellFormRed), 190);
    EXPECT_EQ(e->memory.get(CellFormGreen), 197);
    EXPECT_EQ(e->memory.get(CellFormBlue), 190);
    EXPECT_EQ(e->shared.playMode.load(), 0);
    EXPECT_EQ(e->shared.showNamed, 0);
    for (int c = 0; c < 256; ++c) {
        ASSERT_EQ(e->memory.get(RateBase + c), 255) << "rate " << c;
    }
    for (int i = PictureBase; i <= ShowMemoryTop; ++i) {
        ASSERT_EQ(e->memory.get(i), 0) << "cell " << i;
    }
    for (int s = 0; s < 512; ++s) {
        ASSERT_EQ(e->dmxFrame.get(s), 0) << "slot " << s;
    }
    EXPECT_EQ(e->dmxFrame.get(512), 0x77) << "the reset clears slots 0..511 only";
    for (auto b : e->sceneClipboard) {
        ASSERT_EQ(b, 0);
    }
}

TEST_F(ShowMemoryTest, NewShowKeepsNamesAutomatCellsAndUnnamedParameterCells)
{
    const std::string name = "Front wash";
    for (std::size_t i = 0; i < name.size(); ++i) {
        e->memory.set(NameBase + 16 * 5 + static_cast<int>(i), static_cast<std::uint8_t>(name[i]));
    }
    for (int cell = CellAvt1Tempo; cell <= CellAvt2Dark; ++cell) {
        e->memory.set(cell, static_cast<std::uint8_t>(cell));
    }
    e->memory.set(CellRateLevel, 33);
    e->memory.set(200, 77);

    e->ClearAll();

    for (std::size_t i = 0; i < name.size(); ++i) {
        EXPECT_EQ(e->memory.get(NameBase + 16 * 5 + static_cast<int>(i)), static_cast<std::uint8_t>(name[i]));
    }
    for (int cell = CellAvt1Tempo; cell <= CellAvt2Dark; ++cell) {
        EXPECT_EQ(e->memory.get(cell), cell);
    }
    EXPECT_EQ(e->memory.get(CellRateLevel), 33);
    EXPECT_EQ(e->memory.get(200), 77);
}

TEST_F(ShowMemoryTest, NewShowRunsTheWindowStepsInOrder)
{
    std::vector<std::string> order;
    e->hooks.disableUndo = [&] { order.push_back("undo"); };
    e->hooks.untitledCaption = [&] {
        order.push_back("caption");
        EXPECT_EQ(e->shared.showNamed, 0) << "caption is rebuilt after the name flag is cleared";
    };
    e->hooks.resetFaderBank = [&] {
        order.push_back("bank");
        EXPECT_EQ(e->memory.get(SelectBase + 3), 0) << "bank reloads the already cleared selection";
    };
    e->hooks.applyTempo = [&] {
        order.push_back("tempo");
        EXPECT_EQ(e->memory.get(CellTempo), 44);
    };
    e->hooks.resetGraphZoom = [&] { order.push_back("graph"); };
    e->memory.set(SelectBase + 3, 1);

    e->ClearAll();

    EXPECT_EQ(order, (std::vector<std::string>{"undo", "caption", "bank", "tempo", "graph"}));
}

TEST_F(ShowMemoryTest, CoderTableStartsAsIdentity)
{
    for (int k = 0; k < CoderEntries; ++k) {
        ASSERT_EQ(e->coderTable.get(k), k);
    }
}

}  // namespace
}  // namespace velantra
