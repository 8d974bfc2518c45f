// The page "График Канала": the operator moves its bars, draws on the chart
// and reads the levels back from the scene cells and the drawn pixels.
#include "channels/channel_names.h"
#include "gui_fixture.h"
#include "programming/graph_page.h"

#include <QLabel>
#include <QMouseEvent>
#include <QScrollBar>
#include <QTest>
#include <QToolButton>

namespace velantra {
namespace {

constexpr int Channel = 7;
const QColor Empty(50, 150, 150);
const QColor Level(255, 255, 10);

std::size_t cellIndex(int scene)
{
    const int index = SceneBase + 256 * scene + Channel;
    return static_cast<std::size_t>(index);
}

class GraphPageTest : public GuiTest {
protected:
    GraphPageTest()
    {
        e.memory.set(CellScene, 0);
        e.memory.set(CellLastScene, 40);
        bar("ScrollBarChanellGrafik")->setValue(Channel - 1);
        bar("ScrollBarGrafikZoom")->setValue(3);
    }

    QScrollBar* bar(const char* name) { return page.findChild<QScrollBar*>(QString::fromLatin1(name)); }
    QString text(const char* name) { return page.findChild<QLabel*>(QString::fromLatin1(name))->text(); }
    QWidget* area() { return page.findChild<QWidget*>(QStringLiteral("PaintBoxGrafik")); }
    QImage chart() { return area()->grab().toImage(); }
    std::uint8_t at(int scene) { return e.memory.get(cellIndex(scene)); }
    void put(int scene, int v) { e.memory.set(cellIndex(scene), static_cast<std::uint8_t>(v)); }
    void mouse(QEvent::Type type, Qt::MouseButton button, QPoint pixel)
    {
        const Qt::MouseButtons held = type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::MouseButtons(button);
        QMouseEvent event(type, pixel, area()->mapToGlobal(pixel), button, held, Qt::NoModifier);
        QApplication::sendEvent(area(), &event);
    }
    void click(Qt::MouseButton button, QPoint pixel)
    {
        mouse(QEvent::MouseButtonPress, button, pixel);
        mouse(QEvent::MouseButtonRelease, button, pixel);
    }
    // At zoom 8 in view 0: a pixel inside the column of scene s, at the row of level v.
    static QPoint pixel(int s, int v) { return {16 * s + 5, 255 - v}; }

    Engine& e = [this]() -> Engine& { return makeForm().engine(); }();
    GraphPage page{*form, form->graphZoom};
};

TEST_F(GraphPageTest, ZoomAndBlockChooseTheScenesInView)
{
    bar("ScrollBarGrafikArea")->setValue(2);
    EXPECT_EQ(text("LabelScenaGrafikFrom"), QStringLiteral("от Сцены = 65"));
    EXPECT_EQ(text("LabelScenaGrafikLast"), QStringLiteral("до Сцены = 96"));
    EXPECT_EQ(text("LabelGrafZoom"), QStringLiteral(" Масштаб = 8/1"));
    put(64, 255);
    put(66, 100);
    QImage image = chart();
    ASSERT_EQ(image.size(), QSize(512, 256));
    EXPECT_EQ(image.pixelColor(15, 0), Level);  // scene 65 is 16 pixels wide
    EXPECT_EQ(image.pixelColor(16, 0), Empty);
    EXPECT_EQ(image.pixelColor(16, 255), Level);  // a zero level keeps its base row
    EXPECT_EQ(image.pixelColor(16, 254), Empty);
    EXPECT_EQ(image.pixelColor(32, 155), Level);
    EXPECT_EQ(image.pixelColor(47, 154), Empty);

    // A smaller zoom moves the view back inside the block bar and writes the window's zoom.
    bar("ScrollBarGrafikArea")->setValue(7);
    bar("ScrollBarGrafikZoom")->setValue(1);
    EXPECT_EQ(form->graphZoom.scenes, 128);
    EXPECT_EQ(bar("ScrollBarGrafikArea")->maximum(), 1);
    EXPECT_EQ(text("LabelScenaGrafikFrom"), QStringLiteral("от Сцены = 129"));
    EXPECT_TRUE(bar("ScrollBarGrafikArea")->isEnabled());
    bar("ScrollBarGrafikZoom")->setValue(0);
    EXPECT_FALSE(bar("ScrollBarGrafikArea")->isEnabled());
    EXPECT_EQ(text("LabelScenaGrafikLast"), QStringLiteral("до Сцены = 256"));
    EXPECT_EQ(text("LabelGrafZoom"), QStringLiteral(" Масштаб = 1/1"));

    // The page refresh takes the zoom the window holds (as opening a show sets it).
    form->graphZoom = graphZoomAt(2);
    page.refresh();
    EXPECT_EQ(bar("ScrollBarGrafikZoom")->value(), 2);
    EXPECT_EQ(bar("ScrollBarGrafikArea")->maximum(), 3);
    EXPECT_EQ(text("LabelScenaGrafikLast"), QStringLiteral("до Сцены = 64"));
}

TEST_F(GraphPageTest, TheArrowSetsTheSceneUnderTheMouseWhileAButtonIsHeld)
{
    SaveEdit(e.memory, Channel, QStringLiteral("Spot"));
    page.refresh();
    EXPECT_EQ(text("LabelNameChanel"), QStringLiteral(" Канал 7  Spot"));
    put(6, 50);
    mouse(QEvent::MouseButtonPress, Qt::LeftButton, QPoint(16 * 6 + 15, 255));
    EXPECT_EQ(at(6), 0);
    EXPECT_EQ(text("LabelScenaGrafik"), QStringLiteral(" Сцена = 7"));
    EXPECT_EQ(text("LabelLevelNewGrafik"), QStringLiteral(" Новый уровень канала = 0     0%"));
    EXPECT_EQ(text("LabelLevelDmxGrafik"), QStringLiteral(" Уровень канала сцены 7 = 50     20%"));
    EXPECT_EQ(page.graphAnchor(), 6);
    mouse(QEvent::MouseMove, Qt::LeftButton, pixel(5, 1));
    mouse(QEvent::MouseMove, Qt::LeftButton, QPoint(16 * 4, -30));
    EXPECT_EQ(at(5), 1);
    EXPECT_EQ(at(4), 255);
    EXPECT_EQ(at(3), 0);
    mouse(QEvent::MouseButtonRelease, Qt::LeftButton, QPoint(16 * 4, -30));
    EXPECT_FALSE(page.graphDrawing());
    mouse(QEvent::MouseMove, Qt::NoButton, pixel(3, 128));
    EXPECT_EQ(at(3), 0);
    EXPECT_EQ(text("LabelLevelNewGrafik"), QStringLiteral(" Новый уровень канала = 128     51%"));
}

TEST_F(GraphPageTest, TheLineToolRampsFromTheLeftPressToTheRightPress)
{
    auto* line = page.findChild<QToolButton*>(QStringLiteral("SpeedButtonGrafLine"));
    auto* arrow = page.findChild<QToolButton*>(QStringLiteral("SpeedButtonGrafArrow"));
    EXPECT_TRUE(arrow->isChecked());
    click(Qt::RightButton, pixel(13, 100));  // the arrow: a right press sets one scene
    click(Qt::LeftButton, pixel(10, 0));
    EXPECT_EQ(at(11), 0);

    QTest::mouseClick(line, Qt::LeftButton);
    EXPECT_FALSE(arrow->isChecked());
    click(Qt::LeftButton, pixel(10, 0));
    click(Qt::RightButton, pixel(13, 100));
    EXPECT_EQ(at(10), 0);
    EXPECT_EQ(at(11), 33);
    EXPECT_EQ(at(12), 66);
    EXPECT_EQ(at(13), 99);
    EXPECT_EQ(page.graphAnchor(), 10);
}

TEST_F(GraphPageTest, ThePenRepeatsTheLevelUpToScene254)
{
    auto* pen = page.findChild<QToolButton*>(QStringLiteral("SpeedButtonGrafPen"));
    QTest::mouseClick(pen, Qt::LeftButton);
    QTest::mouseClick(pen, Qt::LeftButton);  // a latched button stays down
    EXPECT_TRUE(pen->isChecked());
    bar("ScrollBarGrafikArea")->setValue(7);  // scenes 225..256
    put(249, 9);
    put(255, 9);
    click(Qt::LeftButton, pixel(250 - 224, 250));
    for (int s = 250; s <= 254; ++s) {
        EXPECT_EQ(at(s), 250) << "scene " << s;
    }
    EXPECT_EQ(at(249), 9);
    EXPECT_EQ(at(255), 9);
}

TEST_F(GraphPageTest, MarkersShowTheEndOfTheShowTheCurrentSceneAndTheAnchor)
{
    bar("ScrollBarGrafikArea")->setValue(2);  // scenes 65..96
    EXPECT_NE(chart().pixelColor(112, 10), QColor(Qt::blue));
    bar("ScrollBarMaxScenaGrafic")->setValue(70);
    EXPECT_EQ(e.memory.get(CellLastScene), 70);
    QImage image = chart();
    EXPECT_EQ(image.pixelColor(112, 10), QColor(Qt::blue));  // scene index 71, 2 pixels wide
    EXPECT_EQ(image.pixelColor(113, 250), QColor(Qt::blue));
    EXPECT_EQ(image.pixelColor(114, 10), Empty);

    e.memory.set(CellScene, 66);
    click(Qt::LeftButton, {16 * 3 + 2, 155});  // anchor on scene index 67 at level 100
    image = chart();
    EXPECT_EQ(image.pixelColor(39, 0), QColor(0, 128, 0));
    EXPECT_EQ(image.pixelColor(38, 0), Empty);
    EXPECT_EQ(image.pixelColor(53, 152), QColor(Qt::red));
    EXPECT_EQ(image.pixelColor(59, 158), QColor(Qt::red));
    EXPECT_NE(image.pixelColor(60, 155), QColor(Qt::red));

    e.memory.set(CellLastScene, 9);  // another show: the bar follows
    page.refresh();
    EXPECT_EQ(bar("ScrollBarMaxScenaGrafic")->value(), 9);
}

TEST_F(GraphPageTest, ThePageFitsItsTab)
{
    EXPECT_EQ(area()->size(), QSize(512, 256));
    EXPECT_LE(page.sizeHint().width(), 590);
    EXPECT_LE(page.sizeHint().height(), 560);
}

}  // namespace
}  // namespace velantra
