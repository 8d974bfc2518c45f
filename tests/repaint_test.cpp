// What the window repaints: a refresh that changes nothing repaints nothing,
// a playing show repaints the widgets whose value changed and nothing around
// them, a fader repaints its handle and not its whole track, and a new text
// never re-lays the window.
#include "desk/player.h"
#include "programming/fader_page.h"
#include "programming/sequencer_page.h"
#include "shell/lean_scroll_bar.h"
#include "shell/opaque_pages.h"
#include "tests/gui_fixture.h"

#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QMap>
#include <QPaintEvent>
#include <QRegion>
#include <QScrollBar>
#include <QTabWidget>
#include <QTest>
#include <QVBoxLayout>
#include <QWidget>

#include <memory>

namespace velantra {
namespace {

// Records, while it lives, every paint event (by widget, with the region in
// window coordinates) and every layout request of the window's widgets.
class PaintLog : public QObject {
public:
    explicit PaintLog(QWidget& window)
        : window_(window)
    {
        qApp->installEventFilter(this);
    }
    ~PaintLog() override { qApp->removeEventFilter(this); }
    PaintLog(const PaintLog&) = delete;
    PaintLog& operator=(const PaintLog&) = delete;

    bool eventFilter(QObject* watched, QEvent* event) override
    {
        auto* widget = qobject_cast<QWidget*>(watched);
        if (widget == nullptr || widget->window() != &window_) {
            return false;
        }
        if (event->type() == QEvent::Paint) {
            const QRegion region = static_cast<QPaintEvent*>(event)->region();
            ++count[name(widget)];
            painted += region.translated(widget->mapTo(&window_, QPoint(0, 0)));
            own[widget] += region;
        } else if (event->type() == QEvent::LayoutRequest) {
            relaid << name(widget);
        }
        return false;
    }
    static QString name(const QObject* object)
    {
        return object->objectName().isEmpty() ? QString::fromLatin1(object->metaObject()->className())
                                              : object->objectName();
    }
    QString list() const
    {
        QStringList lines;
        for (auto it = count.begin(); it != count.end(); ++it) {
            lines << QStringLiteral("%1 x%2").arg(it.key()).arg(it.value());
        }
        return lines.join(QStringLiteral(", "));
    }

    QMap<QString, int> count;
    QRegion painted;                    // everything repainted, in window coordinates
    QMap<const QWidget*, QRegion> own;  // what each widget painted of itself
    QStringList relaid;

private:
    QWidget& window_;
};

int area(const QRegion& region)
{
    int sum = 0;
    for (const QRect& r : region) {
        sum += r.width() * r.height();
    }
    return sum;
}

class RepaintTest : public GuiTest {
protected:
    RepaintTest()
    {
        makeForm();
        form->resize(898, 651);
        form->show();
        settle();
    }
    // Lets every pending paint happen.
    static void settle()
    {
        for (int i = 0; i < 5; ++i) {
            QTest::qWait(30);
        }
    }
    // Three scenes in which every channel changes, at the fastest tempo.
    void busyShow()
    {
        Engine& e = form->engine();
        e.memory.set(CellLastScene, 2);
        e.memory.set(CellTempo, 10);
        for (int c = 1; c <= LastChannel; ++c) {
            for (int s = 0; s < 3; ++s) {
                e.DataWrite(static_cast<std::uint8_t>(s), static_cast<std::uint8_t>(c),
                            static_cast<std::uint8_t>((c * 7 + s * 85) % 256));
            }
        }
        form->ReturnPageControlAll();
        settle();
    }
    QRegion inWindow(const QWidget* widget) const
    {
        return QRegion(widget->rect()).translated(widget->mapTo(form.get(), QPoint(0, 0)));
    }
};

TEST_F(RepaintTest, ARefreshThatChangesNothingRepaintsNothingOnAnyPage)
{
    // The beat lamp, lit for 100 ms a beat, stays lit at tempo 10 only on the
    // timers' clock; on the tick's, its beats come a follow period late or early.
    form->player().clockOnTheTick(false);
    busyShow();
    for (int page = 0; page < TBaseForm::InputPages; ++page) {
        form->pageControlInput()->setCurrentIndex(page);
        settle();
        PaintLog log(*form);
        form->ReturnPageControlAll();
        settle();
        EXPECT_TRUE(log.count.isEmpty()) << "page " << page << ": " << log.list().toStdString();
        EXPECT_TRUE(log.relaid.isEmpty()) << "page " << page << ": " << log.relaid.join(u' ').toStdString();
    }
}

TEST_F(RepaintTest, APlayingShowRepaintsOnlyWhatChangedAndNeverRelaysTheWindow)
{
    busyShow();
    form->sequencerPage()->ModePlay();
    settle();
    PaintLog log(*form);
    QTest::qWait(1000);  // ten scenes at tempo 10
    form->sequencerPage()->ModeStop();

    // What may change while a show plays on the fader page: the faders and the
    // output levels, the scene counter and its bar, the beat lamp.
    QRegion changing;
    FaderPage* faders = form->faderPage();
    for (int n = 1; n <= FaderPage::Rows; ++n) {
        changing += inWindow(faders->fader(n));
        changing += inWindow(form->findChild<QWidget*>(QStringLiteral("Label%1").arg(n)));
    }
    for (const char* name : {"LabelStep", "ScrollBarStep", "ShapeTempClikc"}) {
        changing += inWindow(form->findChild<QWidget*>(QString::fromLatin1(name)));
    }
    EXPECT_GT(log.count.value(QStringLiteral("ScrollBar1")), 5) << "the faders follow the show";
    const QRegion outside = log.painted - changing;
    EXPECT_TRUE(outside.isEmpty()) << "repainted outside the changing widgets: " << area(outside)
                                   << " pixels, bounded by (" << outside.boundingRect().x() << ","
                                   << outside.boundingRect().y() << " " << outside.boundingRect().width() << "x"
                                   << outside.boundingRect().height() << "); " << log.list().toStdString();
    EXPECT_TRUE(log.relaid.isEmpty()) << log.relaid.join(u' ').toStdString();
    EXPECT_EQ(log.count.value(QStringLiteral("GroupBoxScenes")), 0) << "the group around the scene counter";
}

// Opaque pages look exactly as the pages over the tab widget's pane did,
// also after the palette changes (the show's window colour).
TEST(OpaquePages, LookTheSameAsThePaneUnderThem)
{
    const auto build = [](bool opaque) {
        auto tabs = std::make_unique<QTabWidget>();
        for (const char* title : {"Sequencer", "Colour"}) {
            auto* page = new QWidget;
            auto* layout = new QVBoxLayout(page);
            layout->addWidget(new QLabel(QStringLiteral("Pause = 0h 0m 1s"), page));
            layout->addWidget(new QCheckBox(QStringLiteral("On"), page));
            tabs->addTab(page, QString::fromLatin1(title));
        }
        if (opaque) {
            makePagesOpaque(tabs.get());
        }
        tabs->resize(240, 140);
        tabs->show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(tabs.get()));
        return tabs;
    };
    const auto plain = build(false);
    const auto opaque = build(true);
    EXPECT_TRUE(opaque->widget(0)->testAttribute(Qt::WA_OpaquePaintEvent));
    EXPECT_EQ(opaque->grab().toImage(), plain->grab().toImage());

    QPalette tinted = plain->palette();
    tinted.setColor(QPalette::Window, QColor(190, 90, 190));
    plain->setPalette(tinted);
    opaque->setPalette(tinted);
    EXPECT_EQ(opaque->grab().toImage(), plain->grab().toImage());
}

TEST_F(RepaintTest, AFaderRepaintsWhereItsHandleWasAndIsNotItsWholeTrack)
{
    auto* bar = qobject_cast<LeanScrollBar*>(form->faderPage()->fader(1));
    ASSERT_NE(bar, nullptr);
    const QRect was = bar->handleRect();
    {
        PaintLog log(*form);
        bar->setValue(200);
        settle();
        const QRegion own = log.own.value(bar);
        ASSERT_FALSE(own.isEmpty());
        EXPECT_TRUE((QRegion(was) + bar->handleRect()).subtracted(own).isEmpty()) << "both places are repainted";
        EXPECT_LT(area(own), area(QRegion(bar->rect())) / 2) << "not the whole track";
    }
    {
        PaintLog log(*form);
        bar->setRange(0, 100);  // anything but the value: the whole bar, as Qt does
        settle();
        EXPECT_TRUE(QRegion(bar->rect()).subtracted(log.own.value(bar)).isEmpty());
    }
}

}  // namespace
}  // namespace velantra
