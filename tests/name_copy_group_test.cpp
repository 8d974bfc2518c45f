// The group "Имен " on the page "Копирование", driven as the operator does.
#include "channels/name_copy_group.h"
#include "shell/dialogs.h"

#include <QCheckBox>
#include <QMessageBox>
#include <QSpinBox>
#include <QTest>
#include <QToolButton>

#include <gtest/gtest.h>

#include <memory>
#include <ostream>

namespace velantra {
namespace {

class NameCopyGroupTest : public ::testing::Test {
protected:
    NameCopyGroupTest()
    {
        setDialogAnswerer([this](QDialog& dialog) {
            auto* box = qobject_cast<QMessageBox*>(&dialog);
            boxTexts.push_back(box != nullptr ? box->text() : QStringLiteral("?"));
            return int(QMessageBox::Ok);
        });
        group.setTakeUndo([this] { undoSawFirstCopy.push_back(memory->get(std::size_t(nameAddress(11)))); });
        group.setAfterCopy([this] { ++afterCopies; });
        for (int c = 1; c <= 10; ++c) {
            SaveEdit(*memory, c, QStringLiteral("Spot %1").arg(c));
        }
    }
    ~NameCopyGroupTest() override { setDialogAnswerer({}); }

    QSpinBox* spin(const char* name) { return group.findChild<QSpinBox*>(QString::fromLatin1(name)); }
    QCheckBox* check(const char* name) { return group.findChild<QCheckBox*>(QString::fromLatin1(name)); }
    void clickCopy()
    {
        QTest::mouseClick(group.findChild<QToolButton*>(QStringLiteral("SpeedButtonNameBlocCopy")), Qt::LeftButton);
    }

    std::unique_ptr<ShowMemory> memory = std::make_unique<ShowMemory>();
    ChannelTables tables;
    NameCopyGroup group{*memory, tables};
    QStringList boxTexts;
    std::vector<int> undoSawFirstCopy;
    int afterCopies = 0;
};

struct SpinCase {
    const char* name;
    int low, high, start;
    const char* hint;
};

void PrintTo(const SpinCase& c, std::ostream* os)
{
    *os << c.name;
}

class NameCopySpinTest : public NameCopyGroupTest, public ::testing::WithParamInterface<SpinCase> {};

TEST_P(NameCopySpinTest, HasItsRangeStartAndHint)
{
    const SpinCase c = GetParam();
    QSpinBox* box = spin(c.name);
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(box->minimum(), c.low);
    EXPECT_EQ(box->maximum(), c.high);
    EXPECT_EQ(box->value(), c.start);
    EXPECT_EQ(box->toolTip(), QString::fromUtf8(c.hint));
}

INSTANTIATE_TEST_SUITE_P(
    Fields, NameCopySpinTest,
    ::testing::Values(SpinCase{"SpinEditNameFirst", 1, 254, 1, "Номер канала от которого начинается копирование "},
                      SpinCase{"SpinEditNameLast", 1, 255, 10, "Номер канала до которого продолжается копирование "},
                      SpinCase{"SpinEditNameFrom", 1, 254, 11,
                               "Номер канала в который начинается копирование отмеченного блока"},
                      SpinCase{"SpinEditFifsrtDigit", 1, 8, 2, ""}, SpinCase{"SpinEditRepeatName", 1, 8, 1, ""}));

TEST_F(NameCopyGroupTest, CaptionSwitchesAndButtonFitTheCopyPage)
{
    EXPECT_EQ(group.title(), QStringLiteral("Имен "));
    EXPECT_EQ(check("CheckBoxTogmame")->text(), QStringLiteral("Связать"));
    EXPECT_EQ(check("CheckBoxNamePlus")->text(), QStringLiteral("+ Namber Name"));
    EXPECT_EQ(check("CheckBoxbEGcH")->text(), QStringLiteral("Отмечать первый канал"));
    for (const char* name : {"CheckBoxTogmame", "CheckBoxNamePlus", "CheckBoxbEGcH"}) {
        EXPECT_TRUE(check(name)->isChecked()) << name;
    }
    auto* button = group.findChild<QToolButton*>(QStringLiteral("SpeedButtonNameBlocCopy"));
    EXPECT_EQ(button->toolTip(), QStringLiteral("Выполнить копирование"));
    EXPECT_FALSE(button->icon().isNull());
    EXPECT_LE(group.sizeHint().width(), 300);
    EXPECT_LE(group.sizeHint().height(), 230);
}

TEST_F(NameCopyGroupTest, CopyButtonCopiesThreeFixturesAndContinuesAfterThem)
{
    spin("SpinEditRepeatName")->setValue(3);
    clickCopy();
    EXPECT_EQ(undoSawFirstCopy, std::vector<int>{0});
    EXPECT_EQ(LoadEdit(*memory, 11), QStringLiteral("2pot 1"));
    EXPECT_EQ(LoadEdit(*memory, 30), QStringLiteral("3pot 10"));
    EXPECT_EQ(LoadEdit(*memory, 31), QStringLiteral("4pot 1"));
    EXPECT_EQ(tables.borderGreen[21], 250);
    EXPECT_EQ(tables.borderGreen[22], 200);
    EXPECT_EQ(spin("SpinEditNameFrom")->value(), 41);
    EXPECT_EQ(spin("SpinEditFifsrtDigit")->value(), 5);
    EXPECT_EQ(afterCopies, 1);
    EXPECT_TRUE(boxTexts.isEmpty());
}

TEST_F(NameCopyGroupTest, CopyPastChannel255WarnsAndChangesNothing)
{
    spin("SpinEditNameLast")->setValue(100);
    EXPECT_EQ(spin("SpinEditNameFrom")->value(), 101);
    spin("SpinEditRepeatName")->setValue(2);
    clickCopy();
    EXPECT_EQ(boxTexts, QStringList{QStringLiteral(" Копирование не выполнено: Максимальное число имен > 256 ! ")});
    EXPECT_EQ(nameLabel(*memory, 101), QString());
    EXPECT_EQ(tables.borderRed[101], 0);
    EXPECT_EQ(spin("SpinEditNameFrom")->value(), 101);
    EXPECT_EQ(spin("SpinEditFifsrtDigit")->value(), 2);
    EXPECT_EQ(afterCopies, 1);
}

TEST_F(NameCopyGroupTest, FieldsFollowEachOtherOnlyWhileLinked)
{
    spin("SpinEditNameFirst")->setValue(15);
    EXPECT_EQ(spin("SpinEditNameLast")->value(), 15);
    EXPECT_EQ(spin("SpinEditNameFrom")->value(), 16);
    spin("SpinEditNameFrom")->setValue(3);
    EXPECT_EQ(spin("SpinEditNameFrom")->value(), 16);
    check("CheckBoxTogmame")->setChecked(false);
    spin("SpinEditNameFrom")->setValue(3);
    spin("SpinEditNameLast")->setValue(20);
    EXPECT_EQ(spin("SpinEditNameFrom")->value(), 3);
}

}  // namespace
}  // namespace velantra
