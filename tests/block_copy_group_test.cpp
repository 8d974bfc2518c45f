// The group "Копирование данных блоками " of the page "Копирование".
#include "programming/block_copy_group.h"
#include "shell/dialogs.h"

#include <QMessageBox>
#include <QSpinBox>
#include <QTest>
#include <QToolButton>

#include <gtest/gtest.h>

#include <memory>
#include <ostream>

namespace velantra {
namespace {

class BlockCopyGroupTest : public ::testing::Test {
protected:
    BlockCopyGroupTest()
    {
        setDialogAnswerer([this](QDialog& dialog) {
            auto* box = qobject_cast<QMessageBox*>(&dialog);
            boxTexts.push_back(box != nullptr ? box->text() : QStringLiteral("?"));
            return int(QMessageBox::Ok);
        });
        group.setTakeUndo([this] { ++undos; });
        e->memory.set(CellScene, 4);
        for (int s = 0; s < SceneCount; ++s) {
            for (int c = 1; c <= 11; ++c) {
                e->DataWrite(std::uint8_t(s), std::uint8_t(c), c);
            }
        }
    }
    ~BlockCopyGroupTest() override { setDialogAnswerer({}); }

    QSpinBox* spin(const char* name) { return group.findChild<QSpinBox*>(QString::fromLatin1(name)); }
    void click(const char* name)
    {
        auto* button = group.findChild<QToolButton*>(QString::fromLatin1(name));
        ASSERT_NE(button, nullptr) << name;
        EXPECT_EQ(button->toolTip(), QStringLiteral("Выполнить копирование"));
        QTest::mouseClick(button, Qt::LeftButton);
    }
    int level(int scene, int channel) const { return e->DataRead(std::uint8_t(scene), std::uint8_t(channel)); }

    std::unique_ptr<Engine> e = std::make_unique<Engine>();
    BlockCopyGroup group{*e};
    QStringList boxTexts;
    int undos = 0;
};

struct SpinCase {
    const char* name;
    int high, start;
    const char* hint;
};

void PrintTo(const SpinCase& c, std::ostream* os)
{
    *os << c.name;
}

class BlockCopySpinTest : public BlockCopyGroupTest, public ::testing::WithParamInterface<SpinCase> {};

TEST_P(BlockCopySpinTest, HasItsRangeStartAndHint)
{
    const SpinCase c = GetParam();
    QSpinBox* box = spin(c.name);
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(box->minimum(), 1);
    EXPECT_EQ(box->maximum(), c.high);
    EXPECT_EQ(box->value(), c.start);
    EXPECT_EQ(box->toolTip(), QString::fromUtf8(c.hint));
}

constexpr const char* First = "Номер канала от которого начинается копирование ";
constexpr const char* Last = "Номер канала до которого продолжается копирование ";
constexpr const char* Dest = "Номер канала в который начинается копирование отмеченного блока";

INSTANTIATE_TEST_SUITE_P(
    Fields, BlockCopySpinTest,
    ::testing::Values(SpinCase{"SpinEditLevelFirst", 254, 1, First}, SpinCase{"SpinEditLevelLast", 255, 10, Last},
                      SpinCase{"SpinEditLevelFrom", 255, 11, Dest}, SpinCase{"SpinEditChBeg", 254, 1, First},
                      SpinCase{"SpinEditChFin", 255, 10, Last}, SpinCase{"SpinEditChTo", 255, 11, Dest},
                      SpinCase{"SpinEditAllScChbeg", 254, 1, First}, SpinCase{"SpinEditAllScChFin", 255, 10, Last},
                      SpinCase{"SpinEditAllScChTo", 255, 11, Dest}, SpinCase{"SpinEditAllScChbegSc", 255, 1, ""},
                      SpinCase{"SpinEditAllScChFinSc", 255, 10, ""}, SpinCase{"SpinEditAllScChToSc", 255, 11, ""}),
    [](const auto& param) { return std::string(param.param.name); });

TEST_F(BlockCopyGroupTest, FitsBesideTheNameCopyGroup)
{
    const QSize size = group.sizeHint();
    EXPECT_LE(size.width(), 560);
    EXPECT_LE(size.height(), 270);
}

TEST_F(BlockCopyGroupTest, CurrentSceneButtonCopiesOnlyTheCurrentScene)
{
    click("SpeedButtonLevelBlocCopy");
    EXPECT_EQ(level(4, 20), 10);
    EXPECT_EQ(level(4, 21), 1);
    EXPECT_EQ(level(3, 20), 0);
    EXPECT_EQ(level(5, 20), 0);
    EXPECT_EQ(undos, 1);
    EXPECT_TRUE(boxTexts.isEmpty());
}

TEST_F(BlockCopyGroupTest, AllScenesButtonCopiesInEveryScene)
{
    spin("SpinEditChTo")->setValue(101);
    click("SpeedButtonLevelJobScens");
    for (int s = 0; s < SceneCount; ++s) {
        ASSERT_EQ(level(s, 110), 10) << "scene " << s;
    }
    EXPECT_EQ(undos, 1);
}

TEST_F(BlockCopyGroupTest, ScenesGroupButtonUsesTheAllScenesFieldsUpTo256Channels)
{
    spin("SpinEditChFin")->setValue(10);
    spin("SpinEditChTo")->setValue(247);
    spin("SpinEditAllScChTo")->setValue(50);  // not read by this button
    click("SpeedButtonScenAllCopy");
    EXPECT_TRUE(boxTexts.isEmpty());
    EXPECT_EQ(level(0, 255), 9);
    EXPECT_EQ(level(255, 255), 9);
    EXPECT_EQ(level(4, 59), 0);
    click("SpeedButtonLevelJobScens");  // the same block is one too many for 255 channels
    EXPECT_EQ(boxTexts, QStringList{QStringLiteral(" Копирование не выполнено:Максимальное число каналов > 256 ! ")});
    EXPECT_EQ(undos, 2);
}

TEST_F(BlockCopyGroupTest, ScenesButtonCopiesInTheRunOfTargetScenes)
{
    spin("SpinEditAllScChbegSc")->setValue(2);
    spin("SpinEditAllScChFinSc")->setValue(3);
    spin("SpinEditAllScChToSc")->setValue(10);
    click("SpeedButtonScenaBlocCopy");
    EXPECT_EQ(level(11, 20), 0);
    EXPECT_EQ(level(12, 20), 10);
    EXPECT_EQ(level(13, 20), 10);
    EXPECT_EQ(level(14, 20), 0);
    EXPECT_TRUE(boxTexts.isEmpty());
}

TEST_F(BlockCopyGroupTest, RefusedCopiesWarnAndStillTakeUndo)
{
    spin("SpinEditLevelFirst")->setValue(10);
    spin("SpinEditLevelLast")->setValue(250);
    spin("SpinEditLevelFrom")->setValue(20);
    click("SpeedButtonLevelBlocCopy");
    spin("SpinEditAllScChbegSc")->setValue(200);
    spin("SpinEditAllScChFinSc")->setValue(210);
    spin("SpinEditAllScChToSc")->setValue(50);
    click("SpeedButtonScenaBlocCopy");
    EXPECT_EQ(boxTexts, (QStringList{QStringLiteral(" Копирование не выполнено:Максимальное число каналов > 256 ! "),
                                     QStringLiteral(" Копирование не выполнено:Максимальное число сцен > 256 ! ")}));
    EXPECT_EQ(undos, 2);
    EXPECT_EQ(level(4, 20), 0);
    EXPECT_EQ(level(60, 20), 0);
}

}  // namespace
}  // namespace velantra
