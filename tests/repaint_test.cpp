// What the window repaints: a refresh that changes nothing repaints nothing,
// and a scene step repaints the widgets whose value changed, not the window.
#include "programming/sequencer_page.h"
#include "tests/gui_fixture.h"

#include <QApplication>
#include <QMap>
#include <QTabWidget>
#include <QTest>
#include <QWidget>
#include <QPaintEvent>

namespace velantra {
namespace {

// Counts the paint events of every widget while it lives.
class PaintCounter : public QObject {
public:
    PaintCounter() { qApp->installEventFilter(this); }
    ~PaintCounter() override { qApp->removeEventFilter(this); }
    PaintCounter(const PaintCounter&) = delete;
    PaintCounter& operator=(const PaintCounter&) = delete;

    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (qEnvironmentVariableIsSet("REPAINT_DEBUG") && (event->type() == QEvent::Move || event->type() == QEvent::Resize || event->type() == QEvent::LayoutRequest || event->type() == QEvent::PaletteChange || event->type() == QEvent::StyleChange || event->type() == QEvent::UpdateRequest)) {
            std::printf("event %d on %s\n", int(event->type()), qPrintable(watched->objectName()));
        }
        if (event->type() == QEvent::Paint) {
            const QString name = watched->objectName().isEmpty()
                                     ? QString::fromLatin1(watched->metaObject()->className())
                                     : watched->objectName();
            ++painted[name];
            if (qEnvironmentVariableIsSet("REPAINT_DEBUG") && (name == QLatin1String("SequencerPage") || name == QLatin1String("SpeedButtonPlay") || name == QLatin1String("LabelStep"))) {
                const QRect r = static_cast<QPaintEvent*>(event)->rect();
                std::printf("%s %d,%d %dx%d (%lld rects)\n", qPrintable(name), r.x(), r.y(), r.width(), r.height(), static_cast<long long>(static_cast<QPaintEvent*>(event)->region().rectCount()));
            }
        }
        return false;
    }
    int total() const
    {
        int sum = 0;
        for (const int n : painted) {
            sum += n;
        }
        return sum;
    }
    QString list() const
    {
        QStringList lines;
        for (auto it = painted.begin(); it != painted.end(); ++it) {
            lines << QStringLiteral("%1 x%2").arg(it.key()).arg(it.value());
        }
        return lines.join(QStringLiteral(", "));
    }

    QMap<QString, int> painted;
};

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
};

TEST_F(RepaintTest, ARefreshThatChangesNothingRepaintsNothing)
{
    for (int page = 0; page < TBaseForm::InputPages; ++page) {
        form->pageControlInput()->setCurrentIndex(page);
        settle();
        PaintCounter counter;
        form->ReturnPageControlAll();
        settle();
        EXPECT_EQ(counter.total(), 0) << "page " << page << ": " << counter.list().toStdString();
    }
}

}  // namespace
}  // namespace velantra
namespace velantra {
namespace {
TEST_F(RepaintTest, Diagnostic)
{
    Engine& e = form->engine();
    e.memory.set(CellLastScene, 2);
    e.memory.set(CellTempo, 10);
    for (int c = 1; c <= LastChannel; ++c) {
        e.memory.set(RateBase + c, 255);
        for (int s = 0; s < 3; ++s) {
            e.DataWrite(static_cast<std::uint8_t>(s), static_cast<std::uint8_t>(c), static_cast<std::uint8_t>((c * 7 + s * 85) % 256));
        }
    }
    form->ReturnPageControlAll();
    settle();
    {
        PaintCounter counter;
        QTest::qWait(2000);
        std::printf("idle 2 s: %s\n", qPrintable(counter.list()));
    }
    form->sequencerPage()->ModePlay();
    settle();
    {
        PaintCounter counter;
        QTest::qWait(2000);
        std::printf("playing 2 s: %s\n", qPrintable(counter.list()));
    }
}
}
}
