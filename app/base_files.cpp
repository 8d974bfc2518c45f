// The window's side of the show's life, start-up and close: the dialogs that
// ask for names and confirmations, and what the desk core reports shown in
// the status line, the error box and the red autosave panel.
#include "app/base.h"

#include "app/options_page.h"
#include "app/remote_group.h"
#include "channels/coder_page.h"
#include "conveyor/conveyor_group.h"
#include "network/network_page.h"
#include "osc/osc_server.h"
#include "programming/channel_setup_group.h"
#include "programming/fader_page.h"
#include "programming/pictures.h"
#include "programming/scene_group.h"
#include "programming/sequencer_page.h"
#include "programming/static_form.h"
#include "remote/remote_server.h"
#include "shell/dialogs.h"
#include "storage/data_dir.h"
#include "storage/settings_file.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QFileInfo>
#include <QInputDialog>
#include <QLabel>
#include <QScrollBar>
#include <QTabWidget>

namespace velantra {

void TBaseForm::connectCore()
{
    // The network surfaces drive the same desk as the window; the options page shows them.
    remote_ = new remote::RemoteServer(core_->controls(), this);
    osc_ = new osc::OscServer(core_->controls(), this);
    connect(remote_, &remote::RemoteServer::message, this, &TBaseForm::OutStatus);
    connect(osc_, &osc::OscServer::message, this, &TBaseForm::OutStatus);
    remoteGroup_ = new RemoteGroup(*core_, *remote_, *osc_);
    pages_.optionsPage->setRemoteGroup(remoteGroup_);
    connect(core_, &DeskCore::status, this, &TBaseForm::OutStatus);
    connect(core_, &DeskCore::fileError, this, &TBaseForm::reportFileError);
    connect(core_, &DeskCore::showLoaded, this, &TBaseForm::setCaption);
    connect(core_, &DeskCore::showOpened, this, [this] {
        graphZoom = graphZoomForShow(engine().memory.get(CellLastScene));
        ReturnPageControlAll();
    });
    connect(core_, &DeskCore::undoAvailable, this, [this](bool available) {
        if (available) {
            OutStatus(tr("  данные сохранены "));
        }
        setUndoEnabled(available);
    });
    connect(core_, &DeskCore::saveFailure, this, [this](const QString& message) {
        showSaveFailure(message.isEmpty() ? QString() : tr(" Автосохранение не выполнено: %1 ").arg(message));
    });
    connect(core_, &DeskCore::polled, this, &TBaseForm::showInterfaceKind);
    connect(pages_.coderPage, &CoderPage::savingNameChanged, this,
            [this](const QString& name) { core_->patchName() = name; });
    connect(core_, &DeskCore::settingsRead, this, [this](const Settings& settings) {
        for (int slot = 1; slot <= ConveyorSlots; ++slot) {
            pages_.conveyorGroup->showSlotFromSettings(slot, settings.konveir[static_cast<std::size_t>(slot - 1)]);
        }
        pages_.networkPage->showSettings();
        pages_.optionsPage->setLanguage(settings.language);
        remoteGroup_->takeSettings();
    });
    // The language chosen is the desk's, kept in the settings for the next start.
    connect(pages_.optionsPage->languageBox(), &QComboBox::currentIndexChanged, this,
            [this] { core_->language() = pages_.optionsPage->language(); });
    // The picture editor gives back what it borrowed before another show
    // comes; while it is open, a save writes the show's own cells.
    core_->beforeShowReplaced = [this] { closePictureEditor(); };
    core_->showImage = [this](ShowMemory& image) {
        if (staticForm_ != nullptr && staticForm_->editing()) {
            restoreBorrowed(engine(), staticForm_->session(), image);
        }
    };
}

void TBaseForm::FormCreate()
{
    engine().hooks.untitledCaption = [this] { setCaption(tr(" Нет имени файла ")); };
    engine().hooks.resetGraphZoom = [this] { graphZoom = graphZoomAt(3); };
    engine().hooks.applyTempo = [this] { pages_.sequencerPage->TempStatus(); };
    engine().hooks.resetFaderBank = [this] {
        pages_.faderPage->CheckBoxFromMemory();
        pages_.faderPage->pageBar()->setValue(0);
        pages_.pageControlInput->setCurrentIndex(PageFaders);
        pages_.channelSetupGroup->tabs()->setCurrentIndex(2);
        pages_.sceneGroup->tabs()->setCurrentIndex(0);
    };
    // The desk's start-up order: the interface, a new show and the output
    // tick, then the settings, the show, the colours, the patch last.
    core_->startOutput();
    pages_.optionsPage->setUsbTexts(usbCountText(link().listing()), usbDescriptionText(link().listing()),
                                    usbSerialText(link().listing()));
    pages_.optionsPage->showDiskSizes(dataDirectory());
    core_->readSettings();
    const bool patchNamed = core_->openAtStart(showToOpen_);
    core_->startJournal();
    offerJournalLeft();
    ReturnPageControlAll();
    core_->loadColours();
    pages_.faderPage->UpdateColorEditAll();
    const QString patch = patchNamed ? showToOpen_ : core_->patchName();
    pages_.coderPage->showStartUp(core_->loadPatchAtStart(patch), patch);
    core_->loadMidiBindings();
}

void TBaseForm::reportFileError(const QString& message)
{
    qCWarning(lcFile).noquote() << message;
    showIoError(this, message);
}

void TBaseForm::showSaveFailure(const QString& message)
{
    pages_.autoSavePanel->setText(message);
    pages_.autoSavePanel->setVisible(!message.isEmpty());
}

void TBaseForm::OpenItemClick()
{
    if (openDialogShou_->execute()) {
        openShow(openDialogShou_->fileName());
    }
}

void TBaseForm::openShow(const QString& path)
{
    core_->openShow(path);
}

void TBaseForm::loadShow(const QString& path)
{
    core_->loadShow(path);
}

bool TBaseForm::SaveFileAs()
{
    if (!saveDialogShou_->execute()) {
        return false;
    }
    setCaption(saveDialogShou_->fileName());
    return core_->saveShow().ok;
}

void TBaseForm::SaveFile()
{
    if (engine().shared.showNamed != 1) {
        SaveFileAs();
        return;
    }
    setCaption(saveDialogShou_->fileName());
    core_->saveShow();
}

void TBaseForm::SaveAsItemClick()
{
    SaveFileAs();
    if (pages_.optionsPage->colorAvto()->isChecked()) {
        ShowMemory& m = engine().memory;
        m.set(CellFormRed, static_cast<std::uint8_t>(m.get(CellFormRed) + 103));
        m.set(CellFormGreen, static_cast<std::uint8_t>(m.get(CellFormGreen) + 43));
        m.set(CellFormBlue, static_cast<std::uint8_t>(m.get(CellFormBlue) - 33));
        ReturnPageControlAll();
    }
}

void TBaseForm::TimerAvtoSaveTimer()
{
    core_->autoSave();
}

void TBaseForm::stopOutput()
{
    core_->stopOutput();
    closePictureEditor();
}

void TBaseForm::closeEvent(QCloseEvent* event)
{
    if (closed_) {
        event->accept();
        return;
    }
    closed_ = true;
    // A colour file that cannot be written is reported; the close goes on,
    // so the show and the settings are still offered and saved.
    core_->saveColours();
    stopOutput();
    if (!SaveFileAs()) {
        core_->keepRecoveryCopy();  // the operator's "No" can still be taken back
    }
    core_->endJournal();
    core_->writeSettings();
    event->accept();
}

void TBaseForm::shutDownOnSignal()
{
    // Also in the middle of a close that waits on its save dialog: the dialog
    // ends with the program, so the show is saved here.
    if (signalled_) {
        return;
    }
    signalled_ = true;
    closed_ = true;
    core_->shutDownOnSignal();
}

namespace {

QString shownShowName(const QString& path)
{
    return path.isEmpty() ? TBaseForm::tr("без имени") : QFileInfo(path).fileName();
}

QString shownTime(const QDateTime& time)
{
    return time.toLocalTime().toString(QStringLiteral("dd.MM.yyyy hh:mm:ss"));
}

}  // namespace

void TBaseForm::offerJournalLeft()
{
    const JournalRecovery& left = core_->journalLeft();
    if (left.state != JournalRecovery::State::Offered) {
        return;
    }
    QString text = tr("Программа в прошлый раз завершилась нештатно. В журнале правок есть изменения шоу %1, "
                      "не записанные в файл (последняя правка %2).")
                       .arg(shownShowName(left.header.showName), shownTime(left.lastEdit));
    if (left.tailCut) {
        text += QLatin1Char(' ') + tr("Конец журнала поврежден и отброшен.");
    }
    text += QLatin1Char('\n') + tr("Восстановить их? (Нет: журнал останется в меню Шоу, \"Восстановить шоу ...\")");
    if (askYesNo(this, text)) {
        core_->recover(left);
    }
}

void TBaseForm::RecoverShowItemClick()
{
    const std::vector<RecoveryEntry> entries = core_->recoveryEntries();
    if (entries.empty()) {
        warnOk(this, tr("Копий шоу и журналов правок для восстановления нет"));
        return;
    }
    QStringList items;
    for (const RecoveryEntry& entry : entries) {
        const QString kind = entry.kind == RecoveryEntry::Kind::ShowCopy ? tr("копия шоу") : tr("журнал правок");
        items << QStringLiteral("%1.  %2   %3   %4")
                     .arg(items.size() + 1)
                     .arg(shownTime(entry.time), shownShowName(entry.showName), kind);
    }
    QInputDialog dialog(this);
    dialog.setObjectName(QStringLiteral("RecoverShowDialog"));
    dialog.setWindowTitle(tr("Восстановить шоу"));
    dialog.setLabelText(tr("Копии шоу и журналы правок, новые сверху. Шоу в памяти сохранится копией."));
    dialog.setOption(QInputDialog::UseListViewForComboBoxItems);
    dialog.setComboBoxItems(items);
    dialog.setTextValue(items.first());  // the newest, chosen until another is
    if (execDialog(dialog) != QDialog::Accepted) {
        return;
    }
    const qsizetype chosen = items.indexOf(dialog.textValue());
    if (chosen >= 0) {
        core_->openRecoveryEntry(entries[static_cast<std::size_t>(chosen)]);
        ReturnPageControlAll();
    }
}

void TBaseForm::NewItemClick()
{
    if (!askYesNo(this, tr("Создать новое ШОУ?"))) {
        return;
    }
    closePictureEditor();
    SaveFileAs();
    core_->newShow();
    setCaption(tr(" Нет имени файла "));
    ReturnPageControlAll();
}

}  // namespace velantra
