// The main window as an operator meets it: start-up, new show, the show file
// commands, autosave, settings across a restart, the status line and close.
#include "app/options_page.h"
#include "conveyor/conveyor_group.h"
#include "programming/graph_zoom.h"
#include "storage/show_file.h"
#include "tests/gui_fixture.h"

#include <QAbstractScrollArea>
#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QLabel>
#include <QLayout>
#include <QTabWidget>
#include <QTest>
#include <QTimer>
#include <QToolButton>

#include <sys/stat.h>

#include <functional>
#include <vector>

namespace velantra {
namespace {

QByteArray readAll(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void writeBytes(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    ASSERT_EQ(file.write(bytes), bytes.size());
}

// A show image with every cell different from a new show.
QByteArray patternShow()
{
    QByteArray bytes(ShowFileSize, 0);
    for (int i = 0; i < ShowFileSize; ++i) {
        bytes[i] = static_cast<char>((i * 7 + 3) & 0xFF);
    }
    return bytes;
}

// Lets a window timer run out at once and waits until its effect shows.
bool fire(QTimer* timer, const std::function<bool()>& done)
{
    const int interval = timer->interval();
    timer->start(1);
    const bool happened = QTest::qWaitFor(done, 2000);
    timer->setInterval(interval);
    return happened;
}

using BaseFormTest = GuiTest;

TEST_F(BaseFormTest, FirstStartCreatesTheDataDirectoryAndShowsAnUntitledNewShow)
{
    ASSERT_FALSE(QDir(dataPath({})).exists());
    TBaseForm& f = makeForm();
    EXPECT_TRUE(QDir(dataPath({})).exists());
    EXPECT_EQ(f.windowTitle(), f.captionPrefix() + QStringLiteral("Unit_001"));
    EXPECT_EQ(f.captionPrefix(), QStringLiteral(" Initalization "));
    EXPECT_EQ(f.engine().memory.get(CellTempo), 44);
    EXPECT_EQ(f.engine().memory.get(CellAvt1Tempo), 50);
    EXPECT_EQ(f.engine().memory.get(CellAvt2Tempo), 50);
    EXPECT_TRUE(f.outputThread().running());
    EXPECT_EQ(f.findChild<QLabel*>(QStringLiteral("LabelKolvoUSB"))->text(), QStringLiteral("Нет USB устройствa "));
    EXPECT_EQ(unexpected, 0);

    QTimer* clock = f.findChild<QTimer*>(QStringLiteral("TimerShouClock"));
    ASSERT_NE(clock, nullptr);
    EXPECT_TRUE(fire(clock, [&] { return f.captionPrefix() == QStringLiteral(" DEMO MODE: "); }));
}

TEST_F(BaseFormTest, StartRemovesOldLeftoversOfKilledSavesOnly)
{
    ASSERT_TRUE(QDir().mkpath(dataPath(QString())));
    auto make = [this](const char* name, int minutesOld) {
        QFile file(dataPath(QString::fromLatin1(name)));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("x");
        file.flush();  // or closing would stamp the write time over the one set below
        file.setFileTime(QDateTime::currentDateTimeUtc().addSecs(-60 * minutesOld), QFileDevice::FileModificationTime);
    };
    make("Vela43.vlt.aB3xYz", 10);
    make("Vela43.col.Qw12Er", 10);
    make("Vela43.vlt.fresh1", 0);     // a save that may still be running
    make("Gala.vlt.aB3xYz", 10);      // not one of the fixed files
    make("Vela43.vlt.backup1x", 10);  // not a temporary name
    makeForm();
    EXPECT_FALSE(QFile::exists(dataPath(QStringLiteral("Vela43.vlt.aB3xYz"))));
    EXPECT_FALSE(QFile::exists(dataPath(QStringLiteral("Vela43.col.Qw12Er"))));
    EXPECT_TRUE(QFile::exists(dataPath(QStringLiteral("Vela43.vlt.fresh1"))));
    EXPECT_TRUE(QFile::exists(dataPath(QStringLiteral("Gala.vlt.aB3xYz"))));
    EXPECT_TRUE(QFile::exists(dataPath(QStringLiteral("Vela43.vlt.backup1x"))));
}

TEST_F(BaseFormTest, MenusToolBarAndTimersCarryTheirNames)
{
    TBaseForm& f = makeForm();
    struct Item {
        const char* name;
        const char* text;
        QKeySequence keys;
    };
    const std::vector<Item> items = {
        {"NewItem", "Создать новое Шоу", QKeySequence(Qt::CTRL | Qt::Key_N)},
        {"OpenItem", "Открыть Шоу", QKeySequence(Qt::CTRL | Qt::Key_O)},
        {"SaveAsItem", "Сохранить Шоу как ...", QKeySequence(Qt::CTRL | Qt::Key_W)},
        {"SaveItem", "Сохранить Шоу", QKeySequence(Qt::CTRL | Qt::Key_S)},
        {"ExitItem", "Выход", QKeySequence(Qt::CTRL | Qt::Key_Q)},
        {"CopyPredScena", "Копировать предыдущую сцену", QKeySequence(Qt::CTRL | Qt::Key_P)},
        {"DeleteScenaItem", "Удалить Сцену из Шоу ", QKeySequence(Qt::CTRL | Qt::Key_Delete)},
        {"HandScanItem", "Поле для ручного управления лучем сканера", QKeySequence(Qt::CTRL | Qt::Key_A)},
        {"HelpItem", "Справка", QKeySequence(Qt::Key_F1)},
    };
    for (const Item& item : items) {
        auto* a = f.findChild<QAction*>(QString::fromLatin1(item.name));
        ASSERT_NE(a, nullptr) << item.name;
        EXPECT_EQ(a->text(), QString::fromUtf8(item.text)) << item.name;
        EXPECT_EQ(a->shortcut(), item.keys) << item.name;
    }
    EXPECT_FALSE(f.findChild<QAction*>(QStringLiteral("NewPasteItem"))->isEnabled());
    EXPECT_FALSE(f.findChild<QAction*>(QStringLiteral("PasteFromBufferItem"))->isEnabled());

    auto* saveAs = f.findChild<QToolButton*>(QStringLiteral("SpeedButtonSAVEAS"));
    ASSERT_NE(saveAs, nullptr);
    EXPECT_EQ(saveAs->toolTip(), QStringLiteral("Записать Шоу под новым Именем "));

    const std::vector<std::pair<const char*, int>> timers = {
        {"TimerAvtoSave", 180000}, {"TimerStatus", 5000}, {"TimerPolling", 1000}, {"TimerShouClock", 1000}};
    for (const auto& [name, interval] : timers) {
        auto* t = f.findChild<QTimer*>(QString::fromLatin1(name));
        ASSERT_NE(t, nullptr) << name;
        EXPECT_EQ(t->interval(), interval) << name;
    }

    QTabWidget* pages = f.pageControlInput();
    const QStringList titles = {"Фэйдера", "График Канала", "Редактор луча", "Копирование", "Автоматы",
                                "Опции",   "DMX coder",     "Сеть",          "MIDI"};
    ASSERT_EQ(pages->count(), titles.size());
    for (int i = 0; i < pages->count(); ++i) {
        EXPECT_EQ(pages->tabText(i), titles[i]);
    }
    for (int slot = 1; slot <= 20; ++slot) {
        EXPECT_NE(f.findChild<QToolButton*>(QStringLiteral("SpeedButton%1").arg(slot)), nullptr) << slot;
    }
    EXPECT_EQ(f.findChild<QLabel*>(QStringLiteral("LabelKonveyr"))->text(), QStringLiteral("No job"));
}

TEST_F(BaseFormTest, NewShowAnsweredNoKeepsTheShow)
{
    TBaseForm& f = makeForm();
    f.engine().DataWrite(1, 5, 99);
    answerBox(QMessageBox::No);
    f.findChild<QAction*>(QStringLiteral("NewItem"))->trigger();
    EXPECT_EQ(boxTexts, QStringList{QStringLiteral("Создать новое ШОУ?")});
    EXPECT_TRUE(fileDialogs.isEmpty());
    EXPECT_EQ(f.engine().DataRead(1, 5), 99);
}

TEST_F(BaseFormTest, NewShowAnsweredYesOffersToSaveThenClears)
{
    TBaseForm& f = makeForm();
    f.engine().DataWrite(1, 5, 99);
    f.engine().memory.set(CellTempo, 100);
    answerBox(QMessageBox::Yes);
    answerFile(path(QStringLiteral("before.vlt")));
    f.findChild<QAction*>(QStringLiteral("NewItem"))->trigger();
    EXPECT_EQ(fileDialogs, QStringList{QStringLiteral("SaveDialogShou")});
    EXPECT_EQ(readAll(path(QStringLiteral("before.vlt"))).at(sceneAddress(1) + 5), char(99));
    EXPECT_EQ(f.engine().DataRead(1, 5), 0);
    EXPECT_EQ(f.engine().memory.get(CellTempo), 44);
    EXPECT_EQ(f.engine().shared.showNamed, 0);
    // The refresh after the reset puts the save dialog's name back in the caption.
    EXPECT_EQ(f.windowTitle(), f.captionPrefix() + path(QStringLiteral("before.vlt")));
}

TEST_F(BaseFormTest, SaveAsOfANewShowWritesTheExactImage)
{
    TBaseForm& f = makeForm();
    answerFile(path(QStringLiteral("a.vlt")));
    f.findChild<QAction*>(QStringLiteral("SaveAsItem"))->trigger();
    const QByteArray bytes = readAll(path(QStringLiteral("a.vlt")));
    ASSERT_EQ(bytes.size(), 81920);
    EXPECT_EQ(bytes.left(98), QByteArray(ShowHeaderText.data(), 98));
    EXPECT_EQ(bytes.mid(98, 30), QByteArray(30, 0));
    EXPECT_EQ(bytes.at(131), 0);
    EXPECT_EQ(bytes.at(132), 1);
    EXPECT_EQ(bytes.at(133), 44);
    EXPECT_EQ(bytes.mid(256, 256), QByteArray(256, char(255)));
    EXPECT_EQ(bytes.mid(16384), QByteArray(81920 - 16384, 0));
    EXPECT_EQ(f.engine().shared.showNamed, 1);
    EXPECT_EQ(f.windowTitle(), f.captionPrefix() + path(QStringLiteral("a.vlt")));
}

TEST_F(BaseFormTest, SaveAfterSaveAsOverwritesWithoutAsking)
{
    TBaseForm& f = makeForm();
    answerFile(path(QStringLiteral("show.vlt")));
    f.findChild<QAction*>(QStringLiteral("SaveItem"))->trigger();  // unnamed: asks
    ASSERT_EQ(fileDialogs.size(), 1);
    f.engine().DataWrite(0, 10, 123);
    f.findChild<QAction*>(QStringLiteral("SaveItem"))->trigger();
    EXPECT_EQ(fileDialogs.size(), 1) << "a named show is saved without a dialog";
    EXPECT_EQ(readAll(path(QStringLiteral("show.vlt"))).at(sceneAddress(0) + 10), char(123));
    EXPECT_EQ(unexpected, 0);
}

TEST_F(BaseFormTest, OpenLoadsTheWholeImageAndAForeignHeaderIsReplacedOnTheNextSave)
{
    QByteArray image = patternShow();
    image.replace(0, 5, "OTHER");
    writeBytes(path(QStringLiteral("foreign.vlt")), image);
    TBaseForm& f = makeForm();
    answerFile(path(QStringLiteral("foreign.vlt")));
    f.findChild<QAction*>(QStringLiteral("OpenItem"))->trigger();
    // Showing the names of the visible channels rewrites their blanks in place.
    const int shownNames = NameBase + NameLength;
    const int shownNamesEnd = NameBase + NameLength * 28;
    for (int i = 0; i < ShowFileSize; ++i) {
        if (i < shownNames || i >= shownNamesEnd) {
            ASSERT_EQ(f.engine().memory.get(i), static_cast<std::uint8_t>(image.at(i))) << "cell " << i;
        }
    }
    EXPECT_EQ(f.engine().shared.showNamed, 1);
    EXPECT_EQ(f.saveDialogShou().fileName(), path(QStringLiteral("foreign.vlt")));
    EXPECT_EQ(f.windowTitle(), f.captionPrefix() + path(QStringLiteral("foreign.vlt")));

    f.SaveFile();
    const QByteArray saved = readAll(path(QStringLiteral("foreign.vlt")));
    EXPECT_EQ(saved.left(98), QByteArray(ShowHeaderText.data(), 98));
    EXPECT_EQ(saved.mid(128, shownNames - 128), image.mid(128, shownNames - 128));
    EXPECT_EQ(saved.mid(shownNamesEnd), image.mid(shownNamesEnd));
}

TEST_F(BaseFormTest, OpeningAOneSceneShowZoomsTheGraphIn)
{
    QByteArray image = patternShow();
    image[CellLastScene] = 0;
    writeBytes(path(QStringLiteral("one.vlt")), image);
    TBaseForm& f = makeForm();
    f.graphZoom = graphZoomAt(0);
    answerFile(path(QStringLiteral("one.vlt")));
    f.OpenItemClick();
    EXPECT_EQ(f.graphZoom.position, 3);
    EXPECT_EQ(f.graphZoom.scenes, 32);
}

TEST_F(BaseFormTest, SaveAsShiftsTheWindowColourWhenAskedEvenIfCancelled)
{
    TBaseForm& f = makeForm();
    f.findChild<QCheckBox*>(QStringLiteral("CheckBoxColorAvto"))->setChecked(true);
    cancelFile();
    f.findChild<QAction*>(QStringLiteral("SaveAsItem"))->trigger();
    EXPECT_EQ(f.engine().memory.get(CellFormRed), (190 + 103) % 256);
    EXPECT_EQ(f.engine().memory.get(CellFormGreen), (197 + 43) % 256);
    EXPECT_EQ(f.engine().memory.get(CellFormBlue), 190 - 33);
}

TEST_F(BaseFormTest, ShortFileIsRejectedAndTheShowStaysAsItWas)
{
    writeBytes(path(QStringLiteral("short.vlt")), patternShow().left(81919));
    TBaseForm& f = makeForm();
    f.engine().DataWrite(2, 2, 77);
    answerFile(path(QStringLiteral("short.vlt")));
    answerBox(QMessageBox::Ok);
    f.OpenItemClick();
    EXPECT_EQ(boxTexts, QStringList{QStringLiteral("Read beyond end of file")});
    EXPECT_EQ(f.engine().DataRead(2, 2), 77);
    EXPECT_EQ(f.engine().memory.get(CellTempo), 44);
    EXPECT_EQ(f.engine().shared.showNamed, 0);
}

TEST_F(BaseFormTest, OpeningAMissingFileSaysSoInTheStatusLine)
{
    TBaseForm& f = makeForm();
    f.engine().DataWrite(2, 2, 77);
    answerFile(path(QStringLiteral("missing.vlt")));
    f.OpenItemClick();
    EXPECT_TRUE(f.statusPanel()->text().contains(QStringLiteral("Файл ШОУ не найден ")));
    EXPECT_EQ(f.engine().DataRead(2, 2), 77);
}

TEST_F(BaseFormTest, SaveIntoAMissingDirectoryReportsAndChangesNothing)
{
    TBaseForm& f = makeForm();
    answerFile(path(QStringLiteral("no/such/dir/x.vlt")));
    answerBox(QMessageBox::Ok);
    f.SaveAsItemClick();
    ASSERT_EQ(boxTexts.size(), 1);
    EXPECT_FALSE(boxTexts[0].isEmpty());
    EXPECT_FALSE(QFile::exists(path(QStringLiteral("no/such/dir/x.vlt"))));
    EXPECT_EQ(f.engine().shared.showNamed, 0);
}

TEST_F(BaseFormTest, AutosaveWritesTheMemoryAsItIsAndNamesTheShow)
{
    TBaseForm& f = makeForm();
    answerFile(path(QStringLiteral("gala.vlt")));
    f.SaveFileAs();
    f.engine().memory.set(0, 'X');  // the autosave does not refresh the header
    f.engine().DataWrite(3, 3, 33);
    ASSERT_TRUE(fire(f.findChild<QTimer*>(QStringLiteral("TimerAvtoSave")),
                     [&] { return QFile::exists(dataPath(QStringLiteral("Vela43.vlt"))); }));
    f.findChild<QTimer*>(QStringLiteral("TimerAvtoSave"))->stop();
    const QByteArray copy = readAll(dataPath(QStringLiteral("Vela43.vlt")));
    ASSERT_EQ(copy.size(), 81920);
    EXPECT_EQ(copy.at(0), 'X');
    EXPECT_EQ(copy.at(sceneAddress(3) + 3), char(33));
    EXPECT_TRUE(f.statusPanel()->text().endsWith(QStringLiteral("Автосохранение файла gala.vlt")));
}

TEST_F(BaseFormTest, FailedAutosaveGoesToTheStatusLineWithoutADialog)
{
    TBaseForm& f = makeForm();
    // A directory where the autosave file should be makes every write fail.
    ASSERT_TRUE(QDir().mkpath(dataPath(QStringLiteral("Vela43.vlt"))));
    f.TimerAvtoSaveTimer();
    EXPECT_TRUE(boxTexts.isEmpty());
    EXPECT_FALSE(f.statusPanel()->text().trimmed().isEmpty());
}

TEST_F(BaseFormTest, StatusMessagesAreAppendedAndClearedByTheTimer)
{
    TBaseForm& f = makeForm();
    f.TimerStatusTimer();
    f.OutStatus(QStringLiteral("one "));
    f.OutStatus(QStringLiteral("two"));
    EXPECT_EQ(f.statusPanel()->text(), QStringLiteral("one two"));
    auto* timer = f.findChild<QTimer*>(QStringLiteral("TimerStatus"));
    EXPECT_TRUE(timer->isActive());
    EXPECT_TRUE(QTest::qWaitFor([&] { return f.statusPanel()->text().isEmpty(); }, 100) == false)
        << "the message stays until the timer runs out";
    EXPECT_TRUE(fire(timer, [&] { return f.statusPanel()->text().isEmpty(); }));
    EXPECT_FALSE(timer->isActive());
    EXPECT_EQ(timer->interval(), 5000);
}

TEST_F(BaseFormTest, CloseStopsOutputBeforeTheSaveDialogAndWritesSettingsLast)
{
    TBaseForm& f = makeForm();
    bool outputStoppedFirst = false;
    bool linkClosedFirst = false;
    bool settingsNotYetWritten = false;
    answers.push_back([&](QDialog& d) {
        outputStoppedFirst = !f.outputThread().running();
        linkClosedFirst = !f.link().pollingEnabled();
        settingsNotYetWritten = !QFile::exists(dataPath(QStringLiteral("Vela43.ini")));
        qobject_cast<QFileDialog*>(&d)->selectFile(path(QStringLiteral("last.vlt")));
        return int(QDialog::Accepted);
    });
    closeForm();
    EXPECT_TRUE(outputStoppedFirst);
    EXPECT_TRUE(linkClosedFirst);
    EXPECT_TRUE(settingsNotYetWritten);
    EXPECT_TRUE(QFile::exists(path(QStringLiteral("last.vlt"))));
    const QByteArray ini = readAll(dataPath(QStringLiteral("Vela43.ini")));
    EXPECT_TRUE(ini.contains(QFile::encodeName(path(QStringLiteral("last.vlt")))));
}

TEST_F(BaseFormTest, TheLastShowAndTheConveyorSurviveARestart)
{
    writeBytes(path(QStringLiteral("Rock.vlt")), patternShow());
    QDir().mkpath(dataPath({}));
    writeBytes(dataPath(QStringLiteral("Vela43.ini")),
               "[Konveir]\r\nFile03=" + QFile::encodeName(path(QStringLiteral("Rock.vlt"))) +
                   "\r\n\r\n[LastFile]\r\nPath=" + QFile::encodeName(path(QStringLiteral("Rock.vlt"))) +
                   "\r\nCoder=\r\n");
    TBaseForm& f = makeForm();
    EXPECT_EQ(f.engine().memory.get(sceneAddress(9) + 9),
              static_cast<std::uint8_t>(patternShow().at(sceneAddress(9) + 9)));
    EXPECT_EQ(f.engine().shared.showNamed, 1);
    auto* third = f.findChild<QToolButton*>(QStringLiteral("SpeedButton3"));
    EXPECT_EQ(third->text(), QStringLiteral("E=Rock"));
    EXPECT_TRUE(third->font().bold());
    EXPECT_EQ(f.findChild<QToolButton*>(QStringLiteral("SpeedButton20"))->text(), QStringLiteral("пусто"));
    EXPECT_EQ(f.findChild<QToolButton*>(QStringLiteral("SpeedButton1"))->text(), QStringLiteral("Q пусто"));

    cancelFile();  // the final save-as
    closeForm();
    const QByteArray ini = readAll(dataPath(QStringLiteral("Vela43.ini")));
    for (int i = 1; i <= 20; ++i) {
        EXPECT_TRUE(ini.contains(QStringLiteral("File%1=").arg(i, 2, 10, QLatin1Char('0')).toLatin1())) << i;
    }
    EXPECT_TRUE(ini.contains("Path=" + QFile::encodeName(path(QStringLiteral("Rock.vlt")))));
}

TEST_F(BaseFormTest, DemoCheckBoxStopsFramesToAnOpenDevice)
{
    TBaseForm& f = makeForm(TBaseForm::OutputClock::ByHand);
    device->attach();
    f.TimerPollingTimer();
    stepOutput(2);
    ASSERT_EQ(device->writeCount(), 2u);
    auto* demo = f.findChild<QCheckBox*>(QStringLiteral("CheckBoxNoUSBconnect"));
    demo->click();
    EXPECT_TRUE(f.engine().controls.noUsbConnect.load());
    stepOutput(3);
    EXPECT_EQ(device->writeCount(), 2u) << "no frame while the box is checked";
    f.TimerShouClockTimer();
    EXPECT_EQ(f.captionPrefix(), QStringLiteral("DEMO mode: "));
    EXPECT_EQ(f.statusPanel()->text(), QStringLiteral("    DEMO MODE "));
}

TEST_F(BaseFormTest, DemoCheckBoxKeepsEvenAWidgetsRequestsFromTheDevice)
{
    TBaseForm& f = makeForm(TBaseForm::OutputClock::ByHand);
    auto* demo = f.findChild<QCheckBox*>(QStringLiteral("CheckBoxNoUSBconnect"));
    demo->click();
    device->attach("EN123456", "DMX USB PRO");
    f.TimerPollingTimer();  // opened while offline
    f.TimerPollingTimer();
    stepOutput(2);
    EXPECT_EQ(f.link().UsbOpen.load(), 1);
    EXPECT_EQ(device->writeCount(), 0u);

    demo->click();
    f.TimerPollingTimer();
    stepOutput(1);
    EXPECT_EQ(device->writeCount(), 3u) << "the two requests, then a frame";
}

TEST_F(BaseFormTest, KindChosenOnThePageIsTheOpenedDevicesAndIsInTheSettingsFileAtOnce)
{
    TBaseForm& f = makeForm(TBaseForm::OutputClock::ByHand);
    device->attach("EN123456", "DMX USB PRO");
    device->attach("FT0CABLE", "FT232R USB UART");
    f.TimerPollingTimer();
    ASSERT_EQ(f.link().UsbOpen.load(), 1);
    EXPECT_EQ(f.link().kind(), InterfaceKind::Pro);
    auto* driven = f.findChild<QLabel*>(QStringLiteral("LabelUsbKind"));
    EXPECT_TRUE(driven->text().startsWith(
        QStringLiteral("Открыт: DMX USB PRO, серийный номер EN123456\nРаботает как DMX USB Pro")))
        << driven->text().toStdString();

    QComboBox* kind = f.optionsPage()->kindBox();
    emit kind->activated(1);  // the program's own interface
    const QByteArray ini = readAll(dataPath(QStringLiteral("Vela43.ini")));
    EXPECT_TRUE(ini.contains("Kinds=EN123456:framed")) << ini.toStdString();
    f.TimerPollingTimer();  // closed, to be opened as the kind chosen
    f.TimerPollingTimer();
    EXPECT_EQ(f.link().kind(), InterfaceKind::Framed);
    EXPECT_EQ(kind->currentIndex(), 1);
    EXPECT_TRUE(driven->text().endsWith(QStringLiteral("Работает как интерфейс Velantra")));
}

TEST_F(BaseFormTest, AFailedAutosaveStaysInARedPanelUntilASaveSucceeds)
{
    TBaseForm& f = makeForm();
    QLabel* alarm = f.autoSavePanel();
    ASSERT_NE(alarm, nullptr);
    EXPECT_FALSE(alarm->isVisibleTo(&f));
    ASSERT_TRUE(QDir().mkpath(dataPath(QStringLiteral("Vela43.vlt"))));  // every write fails
    f.TimerAvtoSaveTimer();
    EXPECT_TRUE(boxTexts.isEmpty()) << "no box in a live show";
    EXPECT_TRUE(alarm->isVisibleTo(&f));
    EXPECT_TRUE(alarm->text().contains(QStringLiteral("Автосохранение не выполнено"))) << alarm->text().toStdString();
    EXPECT_EQ(alarm->palette().color(QPalette::Window), QColor(200, 0, 0));
    f.TimerShouClockTimer();  // the once-a-second display rewrites the status line
    f.TimerStatusTimer();
    EXPECT_TRUE(alarm->isVisibleTo(&f)) << "the failure is still in sight";

    ASSERT_TRUE(QDir(dataPath(QStringLiteral("Vela43.vlt"))).removeRecursively());
    f.TimerAvtoSaveTimer();
    EXPECT_FALSE(alarm->isVisibleTo(&f)) << "the next good save clears it";
}

// A missing file leaves the show as it was and the open goes on: the tempo,
// the graph zoom and the refresh follow the show in memory.
TEST_F(BaseFormTest, OpeningAMissingFileGoesOnWithTheShowInMemory)
{
    TBaseForm& f = makeForm();
    f.engine().memory.set(CellTempo, 20);
    f.engine().memory.set(CellLastScene, 200);
    answerFile(path(QStringLiteral("missing.vlt")));
    f.OpenItemClick();
    EXPECT_TRUE(f.statusPanel()->text().contains(QStringLiteral("Файл ШОУ не найден ")));
    EXPECT_EQ(f.findChild<QTimer*>(QStringLiteral("TimerSeqveser"))->interval(), 400) << "tempo applied";
    EXPECT_EQ(f.graphZoom.position, graphZoomForShow(200).position);
    EXPECT_EQ(f.findChild<QLabel*>(QStringLiteral("LabelCoda"))->text(), QStringLiteral("201")) << "refreshed";
}

TEST_F(BaseFormTest, AFailedReadStopsThereAndKeepsTheUndo)
{
    writeBytes(path(QStringLiteral("short.vlt")), patternShow().left(100));
    TBaseForm& f = makeForm();
    f.ToMemoryUndo();
    auto* undo = f.findChild<QToolButton*>(QStringLiteral("SpeedButtonUndo1"));
    ASSERT_TRUE(undo->isEnabled());
    answerFile(path(QStringLiteral("short.vlt")));
    answerBox(QMessageBox::Ok);
    f.OpenItemClick();
    EXPECT_EQ(boxTexts.size(), 1);
    EXPECT_TRUE(undo->isEnabled()) << "the failing step ends the open before the undo is touched";
}

// A named pipe remembered as the last show, patch or colour file must not
// hang the start (opening a pipe for reading waits for a writer), and a
// device is not a show of zeros: both are refused like a missing file.
TEST_F(BaseFormTest, FilesThatAreNotRegularFilesAreRefusedLikeMissingOnes)
{
    ASSERT_TRUE(QDir().mkpath(dataPath({})));
    const QString showPipe = path(QStringLiteral("show.pipe"));
    const QString patchPipe = path(QStringLiteral("patch.pipe"));
    for (const QString& pipe : {showPipe, patchPipe, dataPath(QStringLiteral("Vela43.col"))}) {
        ASSERT_EQ(::mkfifo(QFile::encodeName(pipe).constData(), 0600), 0) << pipe.toStdString();
    }
    writeBytes(dataPath(QStringLiteral("Vela43.ini")),
               "[LastFile]\nPath=" + QFile::encodeName(showPipe) + "\nCoder=" + QFile::encodeName(patchPipe) + "\n");
    answerBox(QMessageBox::Ok);
    TBaseForm& f = makeForm();
    const QString status = f.statusPanel()->text();
    EXPECT_TRUE(status.contains(QStringLiteral("Файл ШОУ не найден "))) << status.toStdString();
    EXPECT_TRUE(status.contains(QStringLiteral("Файл -Color- не найден  "))) << status.toStdString();
    EXPECT_TRUE(status.contains(QStringLiteral("Нет файла кодера"))) << status.toStdString();
    // The pipe in the colour file's place is not written through either.
    EXPECT_EQ(boxTexts, QStringList{QStringLiteral("File access denied")});
    boxTexts.clear();

    f.engine().DataWrite(2, 2, 77);
    answerFile(QStringLiteral("/dev/zero"));
    f.OpenItemClick();
    EXPECT_EQ(f.engine().DataRead(2, 2), 77) << "a device is no show";
    EXPECT_EQ(f.engine().shared.showNamed, 0);
    EXPECT_TRUE(boxTexts.isEmpty());
}

TEST_F(BaseFormTest, ASettingsFileThatIsAPipeReadsAsNone)
{
    ASSERT_TRUE(QDir().mkpath(dataPath({})));
    ASSERT_EQ(::mkfifo(QFile::encodeName(dataPath(QStringLiteral("Vela43.ini"))).constData(), 0600), 0);
    TBaseForm& f = makeForm();
    EXPECT_TRUE(f.openDialogShou().fileName().isEmpty());
}

TEST_F(BaseFormTest, TheWindowOpensAt898By651WithNothingClipped)
{
    TBaseForm& f = makeForm();
    f.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&f));
    EXPECT_EQ(f.size(), QSize(898, 651));
    // Every laid-out region gets at least the room its layout needs, and
    // every visible control lies inside its parent.
    for (QWidget* w : f.findChildren<QWidget*>()) {
        if (!w->isVisible() || w->isWindow()) {
            continue;
        }
        const std::string name = w->objectName().toStdString() + " in " +
                                 (w->parentWidget() ? w->parentWidget()->objectName().toStdString() : "");
        if (w->layout() != nullptr) {
            EXPECT_GE(w->height(), w->layout()->minimumSize().height()) << name;
            EXPECT_GE(w->width(), w->layout()->minimumSize().width()) << name;
        }
        if (w->parentWidget() != nullptr && !qobject_cast<QAbstractScrollArea*>(w->parentWidget()->parentWidget())) {
            EXPECT_TRUE(w->parentWidget()->rect().contains(w->geometry())) << name;
        }
    }
}

TEST_F(BaseFormTest, RegionsCarryTheirNamesAndFileFiltersKeepTheirDoubleBlank)
{
    TBaseForm& f = makeForm();
    for (const char* name : {"TabSheetUroven", "PageControlTemp", "TabSheetBlocCopy"}) {
        EXPECT_NE(f.findChild<QWidget*>(QString::fromLatin1(name)), nullptr) << name;
    }
    for (FileDialog* d : {&f.openDialogShou(), &f.saveDialogShou()}) {
        auto* types = d->dialog().findChild<QComboBox*>(QStringLiteral("fileTypeCombo"));
        ASSERT_NE(types, nullptr);
        EXPECT_EQ(types->itemText(0), QStringLiteral("Файлы DMX Velantra  (*.vlt)"));
        EXPECT_EQ(d->dialog().selectedNameFilter(), QStringLiteral("Файлы DMX Velantra  (*.vlt)"));
    }
}

}  // namespace
}  // namespace velantra
