// The layers over the scene: automats, pictures, manual faders, hand scan,
// blackout, the "M" macro and the patch, and the order in which they win.
#include "tests/cycle_fixture.h"

namespace velantra {
namespace {

class LayersTest : public CycleTest {
protected:
    LayersTest() { setMode(RateMode::Off); }

    void runAutomat(int index, int first, std::uint8_t a, std::uint8_t b, std::uint8_t c, std::uint8_t d)
    {
        AutomatState& automat = e->automats[index];
        automat.first = first;
        automat.levels[0] = a;
        automat.levels[1] = b;
        automat.levels[2] = c;
        automat.levels[3] = d;
        automat.active = 1;
    }
    void checkFader(int f, int position)
    {
        e->controls.faderPosition[f - 1] = position;
        e->controls.faderChecked[f - 1] = true;
    }
};

TEST_F(LayersTest, ActiveAutomatOverwritesItsFourSlotsOnly)
{
    for (int c = 1; c <= 255; ++c) {
        setScene(0, c, 9);
    }
    runAutomat(0, 250, 1, 2, 3, 4);
    tick();
    EXPECT_EQ(slot(250), 9);
    EXPECT_EQ(slot(251), 1);
    EXPECT_EQ(slot(254), 4);
    EXPECT_EQ(slot(255), 9);

    e->automats[0].active = 0;  // a paused automat leaves no stale levels
    tick();
    EXPECT_EQ(slot(251), 9);
}

TEST_F(LayersTest, AutomatTwoWinsWhereTheRangesOverlap)
{
    runAutomat(0, 10, 101, 102, 103, 104);
    runAutomat(1, 12, 201, 202, 203, 204);
    tick();
    EXPECT_EQ(slot(11), 101);
    EXPECT_EQ(slot(12), 102);
    EXPECT_EQ(slot(13), 201);
    EXPECT_EQ(slot(14), 202);
    EXPECT_EQ(slot(16), 204);
}

TEST_F(LayersTest, AutomatFirstChannelBeyondItsRangeStaysInsideTheFrame)
{
    runAutomat(0, 255, 5, 6, 7, 8);
    tick();
    EXPECT_EQ(slot(251), 5);
    EXPECT_EQ(slot(254), 8);
    EXPECT_EQ(slot(256), 0);
}

TEST_F(LayersTest, PictureOverridesOnlyItsMemberChannelsWhileItsBoxIsChecked)
{
    setScene(0, 7, 50);
    setScene(0, 8, 60);
    setPicture(1, 7, 100);
    e->memory.set(pictureAddress(1) + 256 + 8, 222);  // level without membership
    tick();
    EXPECT_EQ(slot(7), 50);
    lightPicture(1);
    tick();
    EXPECT_EQ(slot(7), 100);
    EXPECT_EQ(slot(8), 60);
    e->memory.set(pictureAddress(1) + 7, 2);  // only exactly 1 means member
    tick();
    EXPECT_EQ(slot(7), 50);
}

TEST_F(LayersTest, LaterPictureInKeyOrderWinsASharedChannel)
{
    setPicture(1, 7, 100);  // "2"
    setPicture(9, 7, 200);  // "Z"
    lightPicture(1);
    lightPicture(9);
    tick();
    EXPECT_EQ(slot(7), 200);
}

TEST_F(LayersTest, PictureCanSetSlotZero)
{
    setPicture(0, 0, 33);
    lightPicture(0);
    tick();
    EXPECT_EQ(slot(0), 33);
}

TEST_F(LayersTest, PictureOverridesAnAutomat)
{
    runAutomat(0, 0, 10, 10, 10, 10);
    setPicture(3, 2, 99);
    lightPicture(3);
    tick();
    EXPECT_EQ(slot(1), 10);
    EXPECT_EQ(slot(2), 99);
}

TEST_F(LayersTest, CheckedFadersOverridePicturesAtTheBankOffset)
{
    e->shared.faderOffset = 20;
    setPicture(0, 25, 11);
    lightPicture(0);
    checkFader(5, 180);                 // channel 25
    e->controls.faderPosition[5] = 90;  // fader 6 unchecked
    tick();
    EXPECT_EQ(slot(25), 11) << "manual layer is off until CheckBoxManual is checked";
    e->controls.manual = true;
    tick();
    EXPECT_EQ(slot(25), 180);
    EXPECT_EQ(slot(26), 0);
}

TEST_F(LayersTest, LastFaderAtTheHighestOffsetReachesChannel255)
{
    e->shared.faderOffset = 228;
    e->controls.manual = true;
    checkFader(27, 77);
    tick();
    EXPECT_EQ(slot(255), 77);

    e->shared.faderOffset = 250;  // out of range: held at the top of the bank
    checkFader(27, 66);
    tick();
    EXPECT_EQ(slot(255), 66);
    EXPECT_EQ(slot(256), 0);
}

TEST_F(LayersTest, HandScanWritesPanAndTiltOfSelectedChannelsHigherOneWinning)
{
    e->memory.set(SelectBase + 10, 1);
    e->memory.set(SelectBase + 11, 1);
    e->memory.set(SelectBase + 40, 5);  // only exactly 1 selects
    e->shared.handScanX = 120;
    e->shared.handScanY = 60;
    tick();
    EXPECT_EQ(slot(10), 0) << "priority off";
    e->shared.handScanPriority = 1;
    e->controls.manual = true;
    e->shared.faderOffset = 9;
    checkFader(1, 200);  // channel 10: the hand scan comes after the faders
    tick();
    EXPECT_EQ(slot(10), 120);
    EXPECT_EQ(slot(11), 120);
    EXPECT_EQ(slot(12), 60);
    EXPECT_EQ(slot(40), 0);
    EXPECT_EQ(slot(41), 0);
}

TEST_F(LayersTest, HandScanOnChannel255WritesTiltIntoSlot256Unpatched)
{
    e->memory.set(SelectBase + 255, 1);
    e->shared.handScanPriority = 1;
    e->shared.handScanX = 1;
    e->shared.handScanY = 2;
    e->coderTable.set(255, 3);
    tick();
    EXPECT_EQ(slot(256), 2);
    EXPECT_EQ(slot(255), 0) << "slot 255 is patched from slot 3";
}

TEST_F(LayersTest, BlackoutClearsSlotsZeroTo255WhateverTheLayersSay)
{
    for (int c = 1; c <= 255; ++c) {
        setScene(0, c, 200);
    }
    setPicture(0, 0, 50);
    lightPicture(0);
    e->controls.manual = true;
    checkFader(1, 100);
    e->memory.set(SelectBase + 255, 1);
    e->shared.handScanPriority = 1;
    e->shared.handScanY = 44;
    e->controls.blackOut = true;
    tick();
    for (int s = 0; s <= 255; ++s) {
        ASSERT_EQ(slot(s), 0) << "slot " << s;
    }
    EXPECT_EQ(slot(256), 44) << "blackout covers slots 0..255 only";
}

TEST_F(LayersTest, MacroLightsPictureMOverBlackoutEvenWithItsBoxUnchecked)
{
    for (int c = 1; c <= 255; ++c) {
        setScene(0, c, 200);
    }
    setPicture(MacroPicture, 30, 77);
    setPicture(MacroPicture, 31, 255);
    e->controls.blackOut = true;
    e->controls.macroDown = true;
    e->coderTable.set(5, 30);
    tick();
    EXPECT_EQ(slot(30), 77);
    EXPECT_EQ(slot(31), 255);
    EXPECT_EQ(slot(5), 77) << "the macro is patched like everything else";
    EXPECT_EQ(slot(29), 0);
    EXPECT_FALSE(e->controls.pictureOn[MacroPicture]);
}

TEST_F(LayersTest, PatchReroutesLastFromACopyOfTheFrame)
{
    setScene(0, 1, 10);
    setScene(0, 2, 20);
    setScene(0, 3, 30);
    e->coderTable.set(1, 3);  // swap 1 and 3, copy 2 into 0
    e->coderTable.set(3, 1);
    e->coderTable.set(0, 2);
    setPicture(0, 3, 99);
    lightPicture(0);
    tick();
    EXPECT_EQ(slot(1), 99);
    EXPECT_EQ(slot(3), 10);
    EXPECT_EQ(slot(0), 20);
    EXPECT_EQ(cycle.patchTemp()[3], 99);
}

TEST_F(LayersTest, DamagedPatchEntryPassesItsOwnSlotThrough)
{
    setScene(0, 4, 40);
    e->coderTable.set(4, 60000);
    tick();
    EXPECT_EQ(slot(4), 40);
}

TEST_F(LayersTest, BlackoutButtonBlinksAtTickRateAndStaysVisibleOtherwise)
{
    auto visible = [&] { return e->outputs.blackOutButtonVisible.load(); };
    tick();
    EXPECT_TRUE(visible());
    e->controls.blackOut = true;
    tick();
    EXPECT_FALSE(visible());
    tick();
    EXPECT_TRUE(visible());
    tick();
    EXPECT_FALSE(visible());
    e->controls.blackOut = false;
    tick();
    EXPECT_TRUE(visible());
}

}  // namespace
}  // namespace velantra
