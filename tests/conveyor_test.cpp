// The show conveyor: shows chosen with the right button, hand mode loading a
// slot's show at once, and the start buttons playing the slots that are down,
// one show each time the sequencer wraps.
#include "conveyor/conveyor_group.h"
#include "desk/player.h"
#include "programming/sequencer_page.h"
#include "storage/show_file.h"
#include "tests/gui_fixture.h"

#include <QLabel>
#include <QTest>
#include <QToolButton>

namespace velantra {

namespace {

// Channel 1 of scene 0: each test show holds its own number there.
constexpr std::size_t Marker = sceneAddress(0) + 1;

class ConveyorTest : public GuiTest {
protected:
    ConveyorTest()
    {
        makeForm();
        form->player().clockOnTheTick(false);  // steps by hand only
        form->findChild<QTimer*>(QStringLiteral("TimerSeqveser"))->stop();
        group = form->conveyorGroup();
    }
    // A show file with `number` in the marker cell, saved on scene 3.
    QString show(const char* name, std::uint8_t number)
    {
        auto memory = std::make_unique<ShowMemory>();
        memory->set(Marker, number);
        memory->set(CellScene, 3);
        const QString file = path(QString::fromUtf8(name));
        EXPECT_TRUE(writeShowFile(file, *memory).ok);
        return file;
    }
    // The right button on slot k, the open dialog answering `file`.
    void choose(int k, const QString& file)
    {
        answerFile(file);
        QTest::mouseClick(slot(k), Qt::RightButton);
    }
    // Off mode, then a left click on each slot: the list is built without loading.
    void putDown(std::initializer_list<int> ks)
    {
        button("SpeedButtonKonvOff")->click();
        for (int k : ks) {
            QTest::mouseClick(slot(k), Qt::LeftButton);
        }
    }
    QToolButton* slot(int k) { return group->slotButton(k); }
    QToolButton* button(const char* name) { return form->findChild<QToolButton*>(QString::fromLatin1(name)); }
    int loaded() { return form->engine().memory.get(Marker); }
    int scene() { return form->engine().memory.get(CellScene); }
    QString label() { return group->label()->text(); }
    std::vector<int> downSlots()
    {
        std::vector<int> down;
        for (int k = 1; k <= ConveyorSlots; ++k) {
            if (slot(k)->isChecked()) {
                down.push_back(k);
            }
        }
        return down;
    }

    ConveyorGroup* group = nullptr;
};

TEST_F(ConveyorTest, StartButtonsPlayTheDownSlotsOneShowPerWrap)
{
    choose(2, show("Second.vlt", 2));
    choose(5, show("Fifth.vlt", 5));
    putDown({2, 5});
    EXPECT_EQ(loaded(), 0);
    button("SpeedButtonKonvHand")->click();

    button("SpeedButtonKonvSpisBegin")->click();
    EXPECT_EQ(loaded(), 2);
    EXPECT_EQ(scene(), 0);
    EXPECT_EQ(label(), QStringLiteral("2 Second"));
    EXPECT_EQ(form->engine().shared.playMode.load(), 1);

    form->conveyorGroup()->KonveyrJob();  // the show wrapped
    EXPECT_EQ(loaded(), 5);
    EXPECT_EQ(label(), QStringLiteral("5 Fifth"));
    form->conveyorGroup()->KonveyrJob();
    EXPECT_EQ(loaded(), 5) << "the step past slot 20 loads nothing";
    EXPECT_EQ(label(), QStringLiteral("5 Fifth"));
    form->conveyorGroup()->KonveyrJob();
    EXPECT_EQ(loaded(), 2);

    button("SpeedButtonKonvSpis")->click();  // ">" goes on from the position
    EXPECT_EQ(loaded(), 5);
    button("SpeedButtonKonvSpisBegin")->click();  // "|>" starts again at slot 1
    EXPECT_EQ(loaded(), 2);
    button("SpeedButtonKonvHand")->click();
    EXPECT_EQ(form->engine().shared.playMode.load(), 0);
    EXPECT_EQ(downSlots(), (std::vector<int>{2, 5}));
}

TEST_F(ConveyorTest, EmptySlotIsPassedOverAndAMissingShowCostsOneStep)
{
    choose(3, path(QStringLiteral("Missing.vlt")));
    choose(5, show("Fifth.vlt", 5));
    putDown({2, 3, 5});
    button("SpeedButtonKonvSpisBegin")->click();
    EXPECT_EQ(loaded(), 0);
    EXPECT_EQ(label(), QStringLiteral("3 Missing"));
    EXPECT_TRUE(form->statusPanel()->text().contains(QStringLiteral("Файл ШОУ не найден")));
    form->conveyorGroup()->KonveyrJob();
    EXPECT_EQ(loaded(), 5);
    EXPECT_EQ(label(), QStringLiteral("5 Fifth"));
}

TEST_F(ConveyorTest, HandModeLoadsTheChosenSlotAtOnceOtherModesOnlyToggle)
{
    choose(2, show("Second.vlt", 2));
    choose(5, show("Fifth.vlt", 5));
    putDown({3, 7});
    group->slotJob(2);  // its key in list mode
    EXPECT_EQ(downSlots(), (std::vector<int>{3, 7}));
    EXPECT_EQ(loaded(), 0);
    EXPECT_EQ(label(), QStringLiteral("No job"));

    button("SpeedButtonKonvHand")->click();
    group->slotJob(2);
    EXPECT_EQ(downSlots(), std::vector<int>{2});
    EXPECT_EQ(loaded(), 2);
    EXPECT_EQ(scene(), 0);
    EXPECT_EQ(label(), QStringLiteral("Second"));
    QTest::mouseClick(slot(5), Qt::LeftButton);
    EXPECT_EQ(downSlots(), std::vector<int>{5});
    EXPECT_EQ(loaded(), 5);
    QTest::mouseClick(slot(9), Qt::LeftButton);  // empty: goes down, loads nothing
    EXPECT_EQ(downSlots(), std::vector<int>{9});
    EXPECT_EQ(loaded(), 5);
    EXPECT_EQ(label(), QStringLiteral("Fifth"));
    EXPECT_EQ(fileDialogs.size(), 2) << "the left button never opens the dialog";
}

TEST_F(ConveyorTest, RightButtonChoosesTheShowAndCancelKeepsEverything)
{
    choose(1, path(QStringLiteral("Abcdefghij.vlt")));
    choose(20, path(QStringLiteral("Rock.vlt")));
    EXPECT_EQ(slot(1)->text(), QStringLiteral("Q=Abcdefg"));
    EXPECT_EQ(slot(20)->text(), QStringLiteral(" Rock"));
    EXPECT_TRUE(slot(1)->font().bold());
    EXPECT_EQ(slot(1)->palette().color(QPalette::ButtonText), QColor(Qt::darkBlue));
    EXPECT_EQ(group->files[0], path(QStringLiteral("Abcdefghij.vlt")));
    EXPECT_TRUE(downSlots().empty()) << "the right button does not toggle";

    const QString dialogName = form->openDialogShou().fileName();
    for (int k : {1, 2}) {
        const QString caption = slot(k)->text();
        const QString file = group->files[static_cast<std::size_t>(k - 1)];
        cancelFile();
        QTest::mouseClick(slot(k), Qt::RightButton);
        EXPECT_EQ(slot(k)->text(), caption);
        EXPECT_EQ(group->files[static_cast<std::size_t>(k - 1)], file);
        EXPECT_EQ(slot(k)->font().bold(), k == 1);
        EXPECT_EQ(form->openDialogShou().fileName(), dialogName);
    }
    EXPECT_EQ(fileDialogs.size(), 4);
    EXPECT_EQ(unexpected, 0);
}

TEST_F(ConveyorTest, ClearingAsksAndEmptiesEverySlot)
{
    choose(1, path(QStringLiteral("Abcdefghij.vlt")));
    choose(20, path(QStringLiteral("Rock.vlt")));
    putDown({1, 20});
    form->conveyorGroup()->KonveyrJob();  // slot 1's show is missing: the position still moves on
    ASSERT_EQ(group->position(), 2);

    answerBox(QMessageBox::No);
    button("SpeedButtonKonvNew")->click();
    EXPECT_EQ(boxTexts, QStringList{QStringLiteral("Удалить все файлы конвейра ? ")});
    EXPECT_EQ(slot(1)->text(), QStringLiteral("Q=Abcdefg"));
    EXPECT_EQ(downSlots(), (std::vector<int>{1, 20}));

    answerBox(QMessageBox::Yes);
    button("SpeedButtonKonvNew")->click();
    EXPECT_EQ(slot(1)->text(), QStringLiteral("Q (пусто)"));
    EXPECT_EQ(slot(11)->text(), QStringLiteral("A (пусто)"));
    EXPECT_EQ(slot(19)->text(), QStringLiteral("L (пусто)"));
    EXPECT_EQ(slot(20)->text(), QStringLiteral("(пусто)"));
    for (int k = 1; k <= ConveyorSlots; ++k) {
        EXPECT_TRUE(group->files[static_cast<std::size_t>(k - 1)].isEmpty()) << k;
        EXPECT_FALSE(slot(k)->font().bold()) << k;
        EXPECT_EQ(slot(k)->palette().color(QPalette::ButtonText), QColor(Qt::red)) << k;
    }
    EXPECT_TRUE(downSlots().empty());
    EXPECT_EQ(group->position(), 2);
}

}  // namespace

}  // namespace velantra
