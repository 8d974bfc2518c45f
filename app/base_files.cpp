// Show file and settings file commands of the main window.
#include "app/base.h"

#include "app/options_page.h"
#include "channels/coder_page.h"
#include "conveyor/conveyor_group.h"
#include "link/interface_kinds.h"
#include "network/network_outputs.h"
#include "network/network_page.h"
#include "programming/pictures.h"
#include "programming/static_form.h"
#include "shell/dialogs.h"
#include "storage/color_file.h"
#include "storage/data_dir.h"
#include "storage/settings_file.h"
#include "storage/show_file.h"

#include <QCheckBox>
#include <QFileInfo>
#include <QLabel>

#include <memory>

namespace velantra {

void TBaseForm::reportFileError(const QString& message)
{
    qCWarning(lcFile).noquote() << message;
    showIoError(this, message);
}

TBaseForm::ReadOutcome TBaseForm::BlocOpenFile()
{
    ReadOutcome outcome = ReadOutcome::Missing;
    const QString name = openDialogShou_->fileName();
    if (isRegularFile(name)) {
        const FileResult result = readShowFile(name, engine_->memory);
        if (!result.ok) {
            // The read stops at the failing step; the later ones are not done.
            reportFileError(result.message);
            return ReadOutcome::Failed;
        }
        setCaption(name);
        saveDialogShou_->setFileName(name);
        engine_->shared.showNamed = 1;
        outcome = ReadOutcome::Loaded;
    } else {
        OutStatus(tr("Файл ШОУ не найден "));
    }
    if (engine_->hooks.disableUndo) {
        engine_->hooks.disableUndo();
    }
    return outcome;
}

FileResult TBaseForm::writeShow(const QString& path)
{
    FileResult result;
    if (staticForm_ == nullptr || !staticForm_->editing()) {
        result = writeShowFile(path, engine_->memory);
    } else {
        auto image = std::make_unique<ShowMemory>();
        for (int i = 0; i < ShowMemorySize; ++i) {
            image->set(static_cast<std::size_t>(i), engine_->memory.get(static_cast<std::size_t>(i)));
        }
        restoreBorrowed(*engine_, staticForm_->session(), *image);
        result = writeShowFile(path, *image);
    }
    if (result.ok) {
        showSaveFailure({});  // the show is on disk again
    }
    return result;
}

void TBaseForm::showSaveFailure(const QString& message)
{
    autoSavePanel_->setText(message);
    autoSavePanel_->setVisible(!message.isEmpty());
}

void TBaseForm::OpenItemClick()
{
    if (!openDialogShou_->execute()) {
        return;
    }
    openShow(openDialogShou_->fileName());
}

void TBaseForm::openShow(const QString& path)
{
    openDialogShou_->setFileName(path);
    closePictureEditor();
    if (BlocOpenFile() == ReadOutcome::Failed) {
        return;  // a failed read stops the open at that step
    }
    // A missing file leaves the show as it was, and the open goes on with it.
    if (engine_->hooks.applyTempo) {
        engine_->hooks.applyTempo();
    }
    graphZoom = graphZoomForShow(engine_->memory.get(CellLastScene));
    ReturnPageControlAll();
}

bool TBaseForm::SaveFileAs()
{
    if (!saveDialogShou_->execute()) {
        return false;
    }
    engine_->memory.writeHeader();
    setCaption(saveDialogShou_->fileName());
    const FileResult result = writeShow(saveDialogShou_->fileName());
    if (!result.ok) {
        reportFileError(result.message);
        return false;
    }
    engine_->shared.showNamed = 1;
    return true;
}

void TBaseForm::SaveFile()
{
    if (engine_->shared.showNamed != 1) {
        SaveFileAs();
        return;
    }
    engine_->memory.writeHeader();
    setCaption(saveDialogShou_->fileName());
    const FileResult result = writeShow(saveDialogShou_->fileName());
    if (!result.ok) {
        reportFileError(result.message);
    }
}

void TBaseForm::SaveItemClick()
{
    SaveFile();
}

void TBaseForm::SaveAsItemClick()
{
    SaveFileAs();
    if (optionsPage_->colorAvto()->isChecked()) {
        ShowMemory& m = engine_->memory;
        m.set(CellFormRed, static_cast<std::uint8_t>(m.get(CellFormRed) + 103));
        m.set(CellFormGreen, static_cast<std::uint8_t>(m.get(CellFormGreen) + 43));
        m.set(CellFormBlue, static_cast<std::uint8_t>(m.get(CellFormBlue) - 33));
        ReturnPageControlAll();
    }
}

void TBaseForm::TimerAvtoSaveTimer()
{
    const QString name = saveDialogShou_->fileName();
    if (!name.isEmpty()) {
        OutStatus(tr("Автосохранение файла %1").arg(QFileInfo(name).fileName()));
    }
    // A failure goes to the status line and stays in a red panel of its own
    // until a save succeeds: a modal box every three minutes would take the
    // keyboard away from a live show, and the status line alone is rewritten
    // every second.
    const FileResult result = writeShow(autosaveFile());
    if (!result.ok) {
        OutStatus(QStringLiteral(" ") + result.message);
        showSaveFailure(tr(" Автосохранение не выполнено: %1 ").arg(result.message));
    }
}

void TBaseForm::ReadIniFile()
{
    const Settings settings = readSettings(settingsFile());
    for (int slot = 1; slot <= ConveyorSlots; ++slot) {
        conveyorGroup_->showSlotFromSettings(slot, settings.konveir[static_cast<std::size_t>(slot - 1)]);
    }
    openDialogShou_->setFileName(settings.path);
    coderFileName = settings.coder;
    network_->applySacn(settings.sacn);
    network_->applyArtNet(settings.artnet);
    networkPage_->showSettings();
    optionsPage_->setLanguage(settings.language);
    interfaceKinds_ = settings.interfaceKinds;
    applyKindChoices(*link_, interfaceKinds_);
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
    stopOutput();
    const auto note = [](const char* what, const FileResult& result) {
        if (!result.ok) {
            qWarning("velantra: %s not written: %s", what, qUtf8Printable(result.message));
        }
    };
    note("autosave copy", writeShow(autosaveFile()));
    note("colour file", writeColorFile(colourFile(), channelTables));
    note("settings file", writeSettings(settingsFile(), currentSettings()));
}

Settings TBaseForm::currentSettings() const
{
    Settings settings;
    settings.konveir = conveyorGroup_->files;
    settings.path = saveDialogShou_->fileName();
    settings.coder = coderPage_->savingName();
    settings.sacn = network_->sacnSettings();
    settings.artnet = network_->artNetSettings();
    settings.language = optionsPage_->language();
    settings.interfaceKinds = interfaceKinds_;
    return settings;
}

void TBaseForm::saveInterfaceKinds()
{
    // Through a temporary file renamed over the old one, as at the end.
    const FileResult result = writeSettings(settingsFile(), currentSettings());
    if (!result.ok) {
        qCWarning(lcFile).noquote() << result.message;
        OutStatus(QStringLiteral(" ") + result.message);
    }
}

void TBaseForm::WriteIniFile()
{
    const FileResult result = writeSettings(settingsFile(), currentSettings());
    if (!result.ok) {
        reportFileError(result.message);
    }
}

}  // namespace velantra
