// Channel colours as the operator sees them: gobo pictures and border swatches
// on the fader page, name colours picked by a double click, the "Цвет канала"
// tab, the three clearing commands, the window colour and the colour file.
#include "app/options_page.h"
#include "channels/channel_color_tab.h"
#include "channels/gobo_images.h"
#include "programming/fader_page.h"
#include "storage/color_file.h"
#include "tests/gui_fixture.h"

#include <QAction>
#include <QCheckBox>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QScrollBar>
#include <QTest>
#include <QToolButton>

namespace velantra {
namespace {

class ChannelColorsTest : public GuiTest {
protected:
    template <typename T = QWidget> T* child(const QString& name)
    {
        auto* w = form->findChild<T*>(name);
        EXPECT_NE(w, nullptr) << name.toStdString();
        return w;
    }
    QScrollBar* bar(const char* name) { return child<QScrollBar>(QString::fromLatin1(name)); }
    QLabel* label(const QString& name) { return child<QLabel>(name); }
    QColor swatch(int row)
    {
        return label(QStringLiteral("ShapeBorder%1").arg(row))->palette().color(QPalette::Window);
    }
    QColor nameColor(int row) { return form->faderPage()->nameField(row)->palette().color(QPalette::Base); }
    // The fader page's display tick, as the 100 ms timer runs it.
    void displayTick() { form->faderPage()->TimerDataDmxToDspTimer(); }
    void trigger(const char* item) { child<QAction>(QString::fromLatin1(item))->trigger(); }
    ChannelTables& tables() { return form->channelTables; }
};

TEST_F(ChannelColorsTest, FirstStartCreatesTheFileFromTheStartUpValues)
{
    makeForm();
    EXPECT_TRUE(form->statusPanel()->text().contains(QStringLiteral("Файл -Color- не найден  ")));
    ChannelTables written;
    written.nameRed.fill(0);
    ASSERT_TRUE(readColorFile(dataPath(QStringLiteral("Vela43.col")), written).ok);
    EXPECT_EQ(written.nameRed, ChannelTables().nameRed);

    displayTick();
    const QImage open = ImageListGobo::picture(0).toImage();
    for (int row : {1, 27}) {
        EXPECT_EQ(label(QStringLiteral("ImageGobo%1").arg(row))->pixmap().toImage(), open) << row;
        EXPECT_EQ(swatch(row), QColor(0, 0, 0)) << row;
        EXPECT_EQ(nameColor(row), QColor(230, 238, 245)) << row;
    }
    EXPECT_EQ(unexpected, 0);
}

TEST_F(ChannelColorsTest, GoboCodesPastTheListShowNoPicture)
{
    makeForm();
    tables().gobo[1] = 141;
    tables().gobo[2] = 142;
    tables().gobo[3] = 255;
    displayTick();
    EXPECT_EQ(label(QStringLiteral("ImageGobo1"))->pixmap().toImage(), ImageListGobo::picture(141).toImage());
    EXPECT_TRUE(label(QStringLiteral("ImageGobo2"))->pixmap().isNull());
    EXPECT_TRUE(label(QStringLiteral("ImageGobo3"))->pixmap().isNull());
}

TEST_F(ChannelColorsTest, DoubleClickPicksTheChannelAndTheBarsRecolourItsField)
{
    makeForm();
    tables().nameRed[15] = 200;
    tables().nameGreen[15] = 210;
    tables().nameBlue[15] = 100;  // below the bars' range: showing it must not change it
    form->faderPage()->pageBar()->setValue(10);
    QTest::mouseDClick(form->faderPage()->nameField(5), Qt::LeftButton);

    EXPECT_EQ(form->channelColorTab()->colorEditChannel(), 15);
    EXPECT_EQ(label(QStringLiteral("LabelEditColor"))->text(), QStringLiteral("15"));
    EXPECT_EQ(bar("ScrollBar31")->value(), 200);
    EXPECT_EQ(bar("ScrollBar32")->value(), 210);
    EXPECT_EQ(tables().nameBlue[15], 100);

    bar("ScrollBar31")->setValue(140);
    EXPECT_EQ(tables().nameRed[15], 140);
    EXPECT_EQ(nameColor(5), QColor(140, 210, 100));
    EXPECT_EQ(label(QStringLiteral("ShapeCltrey"))->palette().color(QPalette::Window), QColor(140, 210, 128));

    // "OFF": the bars prepare a border colour and leave the name alone.
    child<QToolButton>(QStringLiteral("SpeedButton21"))->click();
    EXPECT_EQ(label(QStringLiteral("LabelEditColor"))->text(), QStringLiteral("Нет выбора"));
    bar("ScrollBar31")->setValue(250);
    bar("ScrollBar32")->setValue(130);
    bar("ScrollBar33")->setValue(160);
    EXPECT_EQ(tables().nameRed[15], 140);
    EXPECT_EQ(nameColor(5), QColor(140, 210, 100));

    bar("ScrollBar35")->setValue(12);
    child<QToolButton>(QStringLiteral("SpeedButton22"))->click();
    EXPECT_EQ(QColor(tables().borderRed[12], tables().borderGreen[12], tables().borderBlue[12]), QColor(250, 130, 160));
    displayTick();
    EXPECT_EQ(swatch(2), QColor(250, 130, 160));  // channel 12 is row 2 at offset 10
    EXPECT_EQ(swatch(3), QColor(0, 0, 0));
}

TEST_F(ChannelColorsTest, GoboBarSetsTheChosenChannelsCode)
{
    makeForm();
    bar("ScrollBar35")->setValue(7);
    EXPECT_EQ(label(QStringLiteral("LabelEditColor"))->text(), QStringLiteral("Канал: 7 - N: 0"));
    EXPECT_EQ(tables().gobo[7], 0) << "choosing a channel does not give it the bar's code";
    bar("ScrollBar36")->setValue(13);
    EXPECT_EQ(tables().gobo[7], 13);
    EXPECT_EQ(label(QStringLiteral("LabelEditColor"))->text(), QStringLiteral("Канал: 7 - N: 13"));
    bar("ScrollBar35")->setValue(8);
    EXPECT_EQ(tables().gobo[8], 0);
}

TEST_F(ChannelColorsTest, ClearingCommandsAskFirst)
{
    makeForm();
    tables().gobo[4] = 13;
    answerBox(QMessageBox::No);
    trigger("ClearGoboItem");
    EXPECT_EQ(tables().gobo[4], 13);

    answerBox(QMessageBox::Yes);
    trigger("ClearGoboItem");
    answerBox(QMessageBox::Yes);
    trigger("ClearNameColorsItem");
    bar("ScrollBarRed")->setValue(180);
    bar("ScrollBarGreen")->setValue(180);
    bar("ScrollBarBlue")->setValue(180);
    answerBox(QMessageBox::Yes);
    trigger("ClearBorderColorsItem");
    EXPECT_EQ(boxTexts, QStringList({QStringLiteral("Очистить графическую подсказку каналов?"),
                                     QStringLiteral("Очистить графическую подсказку каналов?"),
                                     QStringLiteral("Очистить цвета имен каналов?"),
                                     QStringLiteral("Очистить цветовые границы каналов?")}));

    displayTick();
    for (int row = 1; row <= FaderPage::Rows; ++row) {
        EXPECT_EQ(swatch(row), QColor(180, 180, 180)) << row;
        EXPECT_EQ(nameColor(row), QColor(255, 255, 255)) << row;
        EXPECT_TRUE(label(QStringLiteral("ImageGobo%1").arg(row))->pixmap().isNull()) << row;
    }
    EXPECT_EQ(tables().borderBlue[255], 180);
    EXPECT_EQ(tables().gobo[255], 255);
}

TEST_F(ChannelColorsTest, WindowTakesTheShowsColourOrTheSystemsWhileTheGroupKeepsTheShows)
{
    makeForm();
    const QColor system = QApplication::palette().color(QPalette::Window);
    auto* group = child<QGroupBox>(QStringLiteral("GroupBoxFormColor"));
    EXPECT_EQ(form->palette().color(QPalette::Window), QColor(190, 197, 190)) << "a new show's colour";

    bar("ScrollBarGreen")->setValue(90);
    EXPECT_EQ(form->engine().memory.get(CellFormGreen), 90);
    EXPECT_EQ(form->palette().color(QPalette::Window), QColor(190, 90, 190));

    child<QCheckBox>(QStringLiteral("CheckBoxColorZamok"))->setChecked(false);
    EXPECT_EQ(form->engine().memory.get(CellFormColorOn), 0);
    EXPECT_EQ(form->palette().color(QPalette::Window), system);
    EXPECT_EQ(group->palette().color(QPalette::Window), QColor(190, 90, 190));

    // A show that switches the colour on again, as loading one does.
    form->engine().memory.set(CellFormColorOn, 1);
    form->engine().memory.set(CellFormRed, 10);
    form->ReturnPageControlAll();
    EXPECT_TRUE(child<QCheckBox>(QStringLiteral("CheckBoxColorZamok"))->isChecked());
    EXPECT_EQ(bar("ScrollBarRed")->value(), 10);
    EXPECT_EQ(form->palette().color(QPalette::Window), QColor(10, 90, 190));
}

TEST_F(ChannelColorsTest, TablesSurviveARestartThroughTheColourFile)
{
    makeForm();
    tables().gobo[200] = 66;
    tables().borderGreen[3] = 77;
    tables().nameBlue[9] = 150;
    closeForm();

    makeForm();
    EXPECT_FALSE(form->statusPanel()->text().contains(QStringLiteral("Color")));
    EXPECT_EQ(tables().gobo[200], 66);
    EXPECT_EQ(tables().borderGreen[3], 77);
    EXPECT_EQ(nameColor(9).blue(), 150);
}

TEST_F(ChannelColorsTest, ShortColourFileIsRefusedAndTheStartUpValuesStay)
{
    ASSERT_TRUE(QDir().mkpath(dataPath(QString())));
    QFile file(dataPath(QStringLiteral("Vela43.col")));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(QByteArray(16383, '\x07'));
    file.close();

    makeForm();
    ASSERT_EQ(boxTexts.size(), 1);
    EXPECT_EQ(unexpected, 1) << "one error box";
    EXPECT_EQ(tables().gobo[1], 0);
    EXPECT_EQ(tables().nameRed[1], 230);
    EXPECT_EQ(QFileInfo(dataPath(QStringLiteral("Vela43.col"))).size(), 16383) << "start-up does not overwrite it";
}

}  // namespace
}  // namespace velantra
