// The page "MIDI" and the bindings file as the operator meets them without a
// controller: a damaged file is refused with a message and kept, learning
// takes the click on a control and nothing else, bindings are removed from
// the table, and the window's controls act as a binding drives them.
#include "app/midi_targets.h"
#include "conveyor/conveyor_group.h"
#include "effects/automats_page.h"
#include "midi/bindings_file.h"
#include "midi/midi_control.h"
#include "midi/midi_page.h"
#include "programming/fader_page.h"
#include "programming/sequencer_page.h"
#include "programming/settings_tabs.h"
#include "tests/gui_fixture.h"
#include "tests/midi_log.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>

namespace velantra {
namespace {

using midi::Target;
using midi::TargetKind;

const QByteArray TwoBindings = "# Velantra MIDI bindings\n"
                               "input = Pad\n"
                               "output =\n"
                               "pick-up = on\n"
                               "\n"
                               "[Pad]\n"
                               "cc 1 1 = fader 1\n"
                               "note 10 36 = picture 16\n";

class MidiPageTest : public GuiTest {
protected:
    void writeBindings(const QByteArray& bytes)
    {
        QDir().mkpath(dataPath({}));
        QFile file(dataPath(QStringLiteral("Vela43.midi")));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    }
    QByteArray bindingsOnDisk(const char* name = "Vela43.midi")
    {
        QFile file(dataPath(QString::fromLatin1(name)));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }
    midi::MidiControl& control() { return form->midiControl(); }
    template <typename T> T* get(const char* name)
    {
        T* w = form->findChild<T*>(QString::fromLatin1(name));
        EXPECT_NE(w, nullptr) << name;
        return w;
    }
};

TEST(MidiBindingsFile, WritesWhatItReadsAndRefusesAnyBadLineWhole)
{
    midi::Bindings read;
    ASSERT_TRUE(midi::parseBindings(TwoBindings, read).ok);
    EXPECT_EQ(read.input, "Pad");
    EXPECT_EQ(read.controllers.at("Pad").targetOf({midi::Kind::Note, 9, 36}), (Target{TargetKind::Picture, 16}));
    midi::Bindings again;
    ASSERT_TRUE(midi::parseBindings(midi::writeBindings(read), again).ok);
    EXPECT_EQ(again, read);

    for (const char* bad : {"input = *\n[Pad]\ncc 1 1 = fader 1\ncc 1 1 = fader 2\n",  // one control, two targets
                            "[Pad]\ncc 1 1 = fader 1\ncc 1 2 = fader 1\n",             // one target, two controls
                            "[Pad]\n[Pad]\n", "pick-up = maybe\n", "volume = 11\n", "[Pad\n", "[]\n",
                            "[Pad]\ncc 1 1 fader 1\n", "[Pad]\nsysex = play\n"}) {
        midi::Bindings kept = read;
        const FileResult r = midi::parseBindings(QByteArray("# Velantra MIDI bindings\n") + bad, kept);
        EXPECT_FALSE(r.ok) << bad;
        EXPECT_TRUE(r.message.contains(QStringLiteral("строке"))) << r.message.toStdString();
        EXPECT_EQ(kept, read) << bad;
    }
    EXPECT_FALSE(midi::parseBindings("[Pad]\ncc 1 1 = fader 1\n", read).ok);  // no header: not ours
}

TEST(MidiBindingsFile, RefusalNamesTheFileAndWhy)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("Vela43.midi"));
    const QByteArray header = "# Velantra MIDI bindings\n";
    const struct {
        QByteArray bytes;
        const char* why;
    } cases[] = {
        {header + QByteArray(1 << 20, '#'), "Файл привязок MIDI слишком велик: 1048601 байт, допустимо до 1048576"},
        {header + "volume = 11\n", "Файл привязок MIDI повреждён в строке 2"},
        {"[Pad]\n", "Это не файл привязок MIDI"},
    };
    for (const auto& c : cases) {
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(c.bytes);
        file.close();
        midi::Bindings kept;
        kept.input = "Pad";
        const FileResult r = midi::readBindingsFile(path, kept);
        EXPECT_FALSE(r.ok);
        EXPECT_EQ(r.message.toStdString(), QDir::toNativeSeparators(path).toStdString() + ": " + c.why);
        EXPECT_EQ(kept.input, "Pad");
    }
}

TEST_F(MidiPageTest, DamagedFileIsRefusedWithAMessageAndKeptWhenTheBindingsChange)
{
    const QByteArray damaged = TwoBindings + "cc 1 2 = fader 99\n";
    writeBindings(damaged);
    makeForm();
    ASSERT_EQ(boxTexts.size(), 1);
    EXPECT_TRUE(boxTexts[0].contains(QStringLiteral("Файл привязок MIDI повреждён в строке 9")))
        << boxTexts[0].toStdString();
    EXPECT_TRUE(control().bindings().controllers.empty());
    EXPECT_EQ(bindingsOnDisk(), damaged);  // refused, not rewritten

    get<QCheckBox>("CheckBoxMidiPickUp")->click();
    EXPECT_EQ(bindingsOnDisk("Vela43.midi.damaged"), damaged);
    EXPECT_TRUE(bindingsOnDisk().contains("pick-up = off\n"));
}

TEST_F(MidiPageTest, LearningTakesTheClickOnABindableControlOnly)
{
    makeForm();
    QAction* learn = get<QAction>("MidiLearnItem");
    learn->trigger();
    EXPECT_TRUE(form->midiPage()->learnButton()->isChecked());
    QScrollBar* fader5 = form->faderPage()->fader(5);
    QTest::mouseClick(fader5, Qt::LeftButton, {}, QPoint(fader5->width() - 5, fader5->height() / 2));
    EXPECT_EQ(fader5->value(), 0) << "the click also moved the fader";
    EXPECT_EQ(control().learning(), (Target{TargetKind::Fader, 5}));
    EXPECT_TRUE(get<QLabel>("LabelMidiLearn")->text().contains(QStringLiteral("Фэйдер 5")));

    QTest::mouseClick(form->sequencerPage()->playButton(), Qt::LeftButton);
    EXPECT_EQ(control().learning(), (Target{TargetKind::Play, 0}));
    EXPECT_FALSE(form->sequencerPage()->playButton()->isChecked()) << "the click in learning started the show";

    QLineEdit* name = form->faderPage()->nameField(1);  // not bindable: the click is the field's
    QTest::mouseClick(name, Qt::LeftButton);
    EXPECT_EQ(control().learning(), (Target{TargetKind::Play, 0}));

    learn->trigger();
    EXPECT_FALSE(control().learning());
    QTest::mouseClick(fader5, Qt::LeftButton, {}, QPoint(fader5->width() - 5, fader5->height() / 2));
    EXPECT_GT(fader5->value(), 0) << "learning ended, the click is the fader's again";
}

TEST_F(MidiPageTest, BindingRemovedFromTheTableIsGoneFromTheFile)
{
    writeBindings(TwoBindings);
    makeForm();
    auto* table = get<QTableWidget>("TableMidiBindings");
    ASSERT_EQ(table->rowCount(), 2);
    EXPECT_EQ(table->item(1, 2)->text(), QStringLiteral("Картинка 16"));
    table->setCurrentCell(1, 0);
    get<QPushButton>("ButtonMidiUnbind")->click();
    EXPECT_EQ(table->rowCount(), 1);
    EXPECT_TRUE(bindingsOnDisk().contains("cc 1 1 = fader 1\n"));
    EXPECT_FALSE(bindingsOnDisk().contains("picture"));
    // The input chosen is unplugged: it stays chosen, shown as gone.
    EXPECT_TRUE(get<QComboBox>("ComboBoxMidiInput")->currentText().contains(QStringLiteral("(нет)")));
}

TEST_F(MidiPageTest, SystemThatIsNotThereIsSaidOnThePageAndOnceInTheLog)
{
    if (!qEnvironmentVariableIsEmpty("VELANTRA_MIDI_API")) {
        GTEST_SKIP() << "VELANTRA_MIDI_API chooses the system here";
    }
    // A JACK server of a name nobody runs.
    const QByteArray server = qgetenv("JACK_DEFAULT_SERVER");
    qputenv("JACK_DEFAULT_SERVER", "velantra-none-" + QByteArray::number(QCoreApplication::applicationPid()));
    makeForm();
    const auto* system = get<QLabel>("LabelMidiSystem");
    const struct {
        const char* api;
        const char* page;
        const char* log;
    } systems[] = {
        {"jack", "JACK недоступна: сервер не запущен", "MIDI system JACK not available: no server running"},
        {"alsa", "ALSA недоступна: нет /dev/snd/seq", "MIDI system ALSA not available: no /dev/snd/seq"},
    };
    for (const auto& s : systems) {
        if (std::string(s.api) == "alsa" && QFileInfo::exists(QStringLiteral("/dev/snd/seq"))) {
            continue;  // the sequencer is there on this machine
        }
        const MidiLog log;
        control().setApi(s.api);  // a JACK server is looked for on the watch's thread
        EXPECT_TRUE(QTest::qWaitFor([&] { return system->text().toStdString() == s.page; }, 5000))
            << system->text().toStdString();
        for (int look = 0; look < 3; ++look) {
            control().ports().rescan();
            QCoreApplication::processEvents();
        }
        EXPECT_EQ(system->text().toStdString(), s.page);
        EXPECT_EQ(log.count(QString::fromUtf8(s.log)), 1) << s.api;
    }
    if (server.isNull()) {
        qunsetenv("JACK_DEFAULT_SERVER");
    } else {
        qputenv("JACK_DEFAULT_SERVER", server);
    }
}

TEST_F(MidiPageTest, TargetsActThroughTheControlsOwnHandlers)
{
    makeForm();
    std::vector<Target> changed;
    MidiTargets targets(form->pages(), form->desk(), [&](const Target& t) { changed.push_back(t); });
    const Target blackOut{TargetKind::BlackOut, 0};
    targets.press(blackOut, true);
    EXPECT_TRUE(form->levelsTab()->blackOut()->isChecked());
    EXPECT_EQ(targets.value(blackOut), 1);
    targets.press(blackOut, true);  // again: back to the scene
    EXPECT_FALSE(form->levelsTab()->blackOut()->isChecked());
    EXPECT_TRUE(form->faderPage()->onScena()->isChecked());

    targets.press({TargetKind::AutomatOn, 2}, true);
    EXPECT_TRUE(form->automatsPage()->runAlone(1)->isChecked());
    targets.set({TargetKind::Tempo, 0}, 100);
    EXPECT_EQ(form->sequencerPage()->tempoBar()->value(), 100);
    EXPECT_EQ(targets.range({TargetKind::AutomatSpeed, 1}).max, form->automatsPage()->speedBar(0)->maximum());

    changed.clear();
    targets.set({TargetKind::Fader, 27}, 200);
    EXPECT_EQ(changed, (std::vector{Target{TargetKind::Fader, 27}}));
    form->faderPage()->pageBar()->setValue(27);  // the bank pages: fader 27 shows channel 54
    EXPECT_NE(std::find(changed.begin(), changed.end(), Target{TargetKind::Fader, 27}), changed.end());
    EXPECT_EQ(targets.targetOf(form->faderPage()->fader(4)), (Target{TargetKind::Fader, 4}));
    EXPECT_EQ(targets.targetOf(form->conveyorGroup()->slotButton(3)), (Target{TargetKind::ConveyorSlot, 3}));
    EXPECT_FALSE(targets.targetOf(form->faderPage()->nameField(4)));
}

}  // namespace
}  // namespace velantra
