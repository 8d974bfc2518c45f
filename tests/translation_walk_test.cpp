// Every window in English: no visible text, hint, caption or menu text keeps
// a Cyrillic letter (user data excepted) and no label or button is too narrow
// for its text. In Russian a sample of texts is the exact source text.
#include "app/options_page.h"
#include "channels/coder_page.h"
#include "conveyor/conveyor_group.h"
#include "effects/hand_scan_form.h"
#include "link/wire_encoder.h"
#include "programming/fader_page.h"
#include "programming/static_form.h"
#include "tests/gui_fixture.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QFileInfo>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QRegularExpression>
#include <QScrollBar>
#include <QTabBar>
#include <QTabWidget>
#include <QToolButton>
#include <QTranslator>

namespace velantra {
namespace {

bool cyrillic(const QString& text)
{
    return std::any_of(text.begin(), text.end(),
                       [](QChar c) { return c.unicode() >= 0x0400 && c.unicode() <= 0x04FF; });
}

// Words the glossary (i18n/glossary.md) replaces, as a whole word and case
// sensitive: the Russian program's names kept in English by mistake.
const QStringList& notInTheGlossary()
{
    static const QStringList words{
        QStringLiteral("Automat"),       QStringLiteral("automats"), QStringLiteral("coder"),
        QStringLiteral("Coder"),         QStringLiteral("BlackOut"), QStringLiteral("BO"),
        QStringLiteral("Flash/min"),     QStringLiteral("colour"),   QStringLiteral("Exit"),
        QStringLiteral("Kind"),          QStringLiteral("Namber"),   QStringLiteral("Nomber"),
        QStringLiteral("Initalization"), QStringLiteral("X=255"),    QStringLiteral("Y=255"),
        QStringLiteral("Beam editor"),
    };
    return words;
}

// What a person sees of one window: its texts and the ones cut short.
struct Walk {
    QStringList russian;  // "where: text"
    QStringList clipped;
    QStringList unglossed;  // a word the glossary replaces

    void text(const QObject* where, const QString& what, const QString& value)
    {
        if (cyrillic(value)) {
            russian << QStringLiteral("%1 %2: %3").arg(where->objectName(), what, value);
        }
        for (const QString& word : notInTheGlossary()) {
            const QRegularExpression whole(
                QStringLiteral("(^|[^A-Za-z])%1($|[^A-Za-z])").arg(QRegularExpression::escape(word)));
            if (whole.match(value).hasMatch()) {
                unglossed << QStringLiteral("%1 %2: %3 (%4)").arg(where->objectName(), what, value, word);
            }
        }
    }
    // A text drawn in width pixels with font metrics fm must fit.
    void fits(const QWidget* w, const QString& what, const QString& value, int width)
    {
        if (w->isVisible() && w->fontMetrics().horizontalAdvance(value) > width) {
            clipped << QStringLiteral("%1 %2: %3").arg(w->objectName(), what, value);
        }
    }
    void widget(const QWidget* w)
    {
        text(w, QStringLiteral("toolTip"), w->toolTip());
        if (w->isWindow()) {
            text(w, QStringLiteral("title"), w->windowTitle());
        }
        if (const auto* label = qobject_cast<const QLabel*>(w)) {
            text(w, QStringLiteral("text"), label->text());
            // A single line must fit the label's width.
            if (w->isVisible() && !label->wordWrap() && !label->text().contains(QLatin1Char('\n')) &&
                label->fontMetrics().horizontalAdvance(label->text()) > label->contentsRect().width() + 1) {
                clipped << QStringLiteral("%1: %2").arg(w->objectName(), label->text());
            }
        } else if (const auto* button = qobject_cast<const QAbstractButton*>(w)) {
            text(w, QStringLiteral("text"), button->text());
            // The text itself must fit (the style's padding around it may shrink);
            // a tool button that shows only its icon shows no text.
            const auto* tool = qobject_cast<const QToolButton*>(w);
            const bool iconOnly =
                tool != nullptr && tool->toolButtonStyle() == Qt::ToolButtonIconOnly && !tool->icon().isNull();
            int textWidth = 0;
            for (const QString& line : button->text().remove(QLatin1Char('&')).split(QLatin1Char('\n'))) {
                textWidth = std::max(textWidth, button->fontMetrics().horizontalAdvance(line));
            }
            if (w->isVisible() && !iconOnly && textWidth > button->width() - 2) {
                clipped << QStringLiteral("%1: %2").arg(w->objectName(), button->text());
            }
        } else if (const auto* group = qobject_cast<const QGroupBox*>(w)) {
            text(w, QStringLiteral("title"), group->title());
            fits(w, QStringLiteral("title"), group->title(), group->width() - 8);
        } else if (const auto* tabs = qobject_cast<const QTabWidget*>(w)) {
            for (int i = 0; i < tabs->count(); ++i) {
                text(w, QStringLiteral("tab"), tabs->tabText(i));
                text(w, QStringLiteral("tab hint"), tabs->tabToolTip(i));
            }
            // Every tab in sight at once: no scroll arrows, no tab cut.
            const QTabBar* bar = tabs->tabBar();
            const int span = bar->count() == 0 ? 0 : bar->tabRect(bar->count() - 1).right() - bar->tabRect(0).left();
            if (tabs->isVisible() && span >= bar->width()) {
                QStringList titles;
                for (int i = 0; i < tabs->count(); ++i) {
                    titles << tabs->tabText(i);
                }
                clipped << QStringLiteral("%1 tabs (%2 px in %3): %4")
                               .arg(w->objectName())
                               .arg(span + 1)
                               .arg(bar->width())
                               .arg(titles.join(QStringLiteral(" | ")));
            }
        } else if (const auto* header = qobject_cast<const QHeaderView*>(w)) {
            for (int i = 0; i < header->count(); ++i) {
                const QString title = header->model()->headerData(i, header->orientation()).toString();
                text(w, QStringLiteral("header"), title);
                if (header->orientation() == Qt::Horizontal && !header->isSectionHidden(i)) {
                    fits(w, QStringLiteral("header"), title, header->sectionSize(i) - 6);
                }
            }
        } else if (const auto* menus = qobject_cast<const QMenuBar*>(w)) {
            const QList<QAction*> actions = menus->actions();
            if (menus->isVisible() && !actions.isEmpty() &&
                menus->actionGeometry(actions.last()).right() >= menus->width()) {
                clipped << QStringLiteral("%1: the menu bar does not hold its menus").arg(w->objectName());
            }
        } else if (const auto* box = qobject_cast<const QComboBox*>(w)) {
            for (int i = 0; i < box->count(); ++i) {
                // A language is offered under its own name.
                if (box->objectName() != QLatin1String("ComboBoxLanguage") ||
                    box->itemData(i).toString() != QLatin1String("ru")) {
                    text(w, QStringLiteral("item"), box->itemText(i));
                }
            }
        }
        // QLineEdit contents are the operator's: channel names, file names.
    }
    void window(const QWidget& top)
    {
        widget(&top);
        for (const QWidget* w : top.findChildren<QWidget*>()) {
            widget(w);
        }
        for (const QAction* a : top.findChildren<QAction*>()) {
            text(a, QStringLiteral("action"), a->text());
            text(a, QStringLiteral("action hint"), a->toolTip());
        }
        for (const QMenu* m : top.findChildren<QMenu*>()) {
            text(m, QStringLiteral("menu"), m->title());
        }
    }
};

class EnglishWalk : public GuiTest {
protected:
    EnglishWalk()
    {
        EXPECT_TRUE(english.load(QStringLiteral(":/i18n/velantra_en.qm")));
        QCoreApplication::installTranslator(&english);
    }
    ~EnglishWalk() override
    {
        if (form) {
            closeForm();
        }
        QCoreApplication::removeTranslator(&english);
    }
    QTranslator english;
};

TEST_F(EnglishWalk, EveryWindowSpeaksEnglishAndNoTextIsCut)
{
    makeForm(TBaseForm::OutputClock::ByHand);
    form->resize(898, 651);
    form->show();
    Walk walk;
    QTabWidget* pages = form->pageControlInput();
    for (int page = 0; page < pages->count(); ++page) {
        pages->setCurrentIndex(page);
        QApplication::processEvents();
        walk.window(*form);
    }
    form->ChaserItemClick();  // the static picture editor
    QApplication::processEvents();
    walk.window(*form->staticForm());
    form->staticForm()->close();
    form->HandScanItemClick();
    QApplication::processEvents();
    walk.window(*form->handScanForm());
    form->handScanForm()->calcMouse();  // the invert boxes then show the levels too
    QApplication::processEvents();
    walk.window(*form->handScanForm());
    form->handScanForm()->hide();

    // Dialogs through the seam: About, questions, file dialogs.
    answers.push_back([&walk](QDialog& d) {
        d.show();  // shown, so that its texts are measured too
        QApplication::processEvents();
        walk.window(d);
        d.hide();
        return int(QDialog::Accepted);
    });
    form->AboutItemClick();
    for (const char* question : {"ClearNamesItem", "NewItem"}) {
        answers.push_back([&walk](QDialog& d) {
            walk.window(d);
            return int(QMessageBox::No);
        });
        form->findChild<QAction*>(QString::fromLatin1(question))->trigger();
    }
    answers.push_back([&walk](QDialog& d) {
        walk.window(d);
        return int(QDialog::Rejected);
    });
    form->OpenItemClick();
    EXPECT_EQ(unexpected, 0);

    walk.russian.removeDuplicates();
    walk.clipped.removeDuplicates();
    walk.unglossed.removeDuplicates();
    EXPECT_TRUE(walk.unglossed.isEmpty()) << walk.unglossed.size() << " words the glossary replaces:\n"
                                          << walk.unglossed.join(QLatin1Char('\n')).toStdString();
    EXPECT_TRUE(walk.russian.isEmpty()) << walk.russian.size() << " Russian texts:\n"
                                        << walk.russian.join(QLatin1Char('\n')).toStdString();
    EXPECT_TRUE(walk.clipped.isEmpty()) << walk.clipped.size() << " texts cut short:\n"
                                        << walk.clipped.join(QLatin1Char('\n')).toStdString();
}

// "First light" as the README and the manual tell it, in the English
// window, with the fake interface: the patch reset by "R", channel 1's fader
// to the end, "On" down; the interface gets slot 1 at full and every other
// slot dark, and the page's first patch row says so.
TEST_F(EnglishWalk, FirstLightGivesSlotOneAtFullOnTheInterface)
{
    makeForm(TBaseForm::OutputClock::ByHand);
    device->attach();  // plugged in; the once-a-second poll opens it
    form->TimerPollingTimer();
    form->TimerShouClockTimer();  // the status line's refresh
    EXPECT_EQ(form->statusPanel()->text(), QString()) << "no reason given: the interface is open";
    QTabWidget* pages = form->pageControlInput();
    pages->setCurrentIndex(TBaseForm::PageCoder);
    ASSERT_EQ(pages->tabText(TBaseForm::PageCoder), QStringLiteral("Patch"));
    form->engine().coderTable.set(1, 9);  // a patch left from before
    auto* reset = form->findChild<QToolButton*>(QStringLiteral("SpeedButtonResetCoder"));
    ASSERT_NE(reset, nullptr);
    ASSERT_EQ(reset->text(), QStringLiteral("R"));
    reset->click();
    const QList<QLabel*> labels = form->coderPage()->findChildren<QLabel*>();
    EXPECT_TRUE(std::any_of(labels.begin(), labels.end(), [](const QLabel* l) {
        return l->text() == QStringLiteral("Channel 1 is sent to channel 1");
    }));

    pages->setCurrentIndex(TBaseForm::PageFaders);
    ASSERT_EQ(pages->tabText(TBaseForm::PageFaders), QStringLiteral("Faders"));
    QScrollBar* fader = form->faderPage()->fader(1);
    fader->setSliderDown(true);
    fader->setSliderPosition(fader->maximum());
    fader->setSliderDown(false);
    form->faderPage()->onScena()->click();
    stepOutput(3);

    std::array<std::uint8_t, DmxSlots> expected{};
    expected[1] = 255;
    std::array<std::uint8_t, WireMessageMax> message{};
    const int length = encodeWireFrame(expected.data(), message.data(), message.size());
    const auto writes = device->writes();
    ASSERT_FALSE(writes.empty()) << "the interface is written";
    EXPECT_EQ(writes.back(), std::vector<std::uint8_t>(message.begin(), message.begin() + length));
}

// Without a translation the program shows its own texts, exactly.
TEST_F(GuiTest, RussianTextsAreTheSourceTexts)
{
    makeForm(TBaseForm::OutputClock::ByHand);
    const std::pair<const char*, const char*> labels[] = {
        {"LabelTimePause", "Время  Паузы  "},
        {"LabelTimeShou", "Время в Шоу ?"},
        {"LabelKonveyr", "No job"},
    };
    for (const auto& [name, text] : labels) {
        EXPECT_EQ(form->findChild<QLabel*>(QString::fromLatin1(name))->text(), QString::fromUtf8(text)) << name;
    }
    EXPECT_EQ(form->findChild<QMenu*>(QStringLiteral("ShowItem"))->title(), QStringLiteral("Шоу"));
    EXPECT_EQ(form->findChild<QAction*>(QStringLiteral("NewItem"))->text(), QStringLiteral("Создать новое Шоу"));
    EXPECT_EQ(form->conveyorGroup()->title(), QStringLiteral("Конвейр потоков Шоу "));
    EXPECT_EQ(form->optionsPage()->noUsbConnect()->text(), QStringLiteral("Работа в DEMO режиме"));
}

// F1 opens the manual of the running language; the English one is English.
TEST(Manual, EachLanguageOpensItsOwnManual)
{
    const QString russian = TBaseForm::helpFilePath(Language::Russian);
    const QString english = TBaseForm::helpFilePath(Language::English);
    EXPECT_TRUE(russian.endsWith(QLatin1String("/help/index.html"))) << russian.toStdString();
    EXPECT_TRUE(english.endsWith(QLatin1String("/help/en/index.html"))) << english.toStdString();
    QFile page(english);
    ASSERT_TRUE(page.open(QIODevice::ReadOnly)) << english.toStdString();
    EXPECT_FALSE(cyrillic(QString::fromUtf8(page.readAll())));
    EXPECT_TRUE(QFileInfo::exists(russian));
}

}  // namespace
}  // namespace velantra
