// Show file and settings file commands of the main window.
#include "app/base.h"

#include "app/dialogs.h"
#include "app/options_page.h"
#include "channels/coder_page.h"
#include "conveyor/conveyor_group.h"
#include "programming/pictures.h"
#include "programming/static_form.h"
#include "storage/data_dir.h"
#include "storage/settings_file.h"
#include "storage/show_file.h"

#include <QCheckBox>
#include <QFileInfo>

#include <memory>

namespace velantra {

void TBaseForm::reportFileError(const QString& message)
{
    showIoError(this, message);
}

bool TBaseForm::BlocOpenFile()
{
    bool loaded = false;
    const QString name = openDialogShou_->fileName();
    if (QFileInfo::exists(name)) {
        const FileResult result = readShowFile(name, engine_->memory);
        if (result.ok) {
            setCaption(name);
            saveDialogShou_->setFileName(name);
            engine_->shared.showNamed = 1;
            loaded = true;
        } else {
            reportFileError(result.message);
        }
    } else {
        OutStatus(tr("Файл ШОУ не найден "));
    }
    if (engine_->hooks.disableUndo) {
        engine_->hooks.disableUndo();
    }
    return loaded;
}

FileResult TBaseForm::writeShow(const QString& path)
{
    if (staticForm_ == nullptr || !staticForm_->editing()) {
        return writeShowFile(path, engine_->memory);
    }
    auto image = std::make_unique<ShowMemory>();
    for (int i = 0; i < ShowMemorySize; ++i) {
        image->set(static_cast<std::size_t>(i), engine_->memory.get(static_cast<std::size_t>(i)));
    }
    restoreBorrowed(*engine_, staticForm_->session(), *image);
    return writeShowFile(path, *image);
}

void TBaseForm::OpenItemClick()
{
    if (!openDialogShou_->execute()) {
        return;
    }
    closePictureEditor();
    if (!BlocOpenFile()) {
        return;  // a failed read stops the open at that step
    }
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
        OutStatus(tr("Автосохранение файла ") + QFileInfo(name).fileName());
    }
    // A failure goes to the status line: a modal box every three minutes
    // would take the keyboard away from a live show.
    const FileResult result = writeShow(dataFile(QStringLiteral("Vela43.vlt")));
    if (!result.ok) {
        OutStatus(QStringLiteral(" ") + result.message);
    }
}

void TBaseForm::ReadIniFile()
{
    const Settings settings = readSettings(dataFile(QStringLiteral("Vela43.ini")));
    for (int slot = 1; slot <= ConveyorSlots; ++slot) {
        conveyorGroup_->showSlotFromSettings(slot, settings.konveir[static_cast<std::size_t>(slot - 1)]);
    }
    openDialogShou_->setFileName(settings.path);
    coderFileName = settings.coder;
}

void TBaseForm::WriteIniFile()
{
    Settings settings;
    settings.konveir = conveyorGroup_->files;
    settings.path = saveDialogShou_->fileName();
    settings.coder = coderPage_->savingName();
    const FileResult result = writeSettings(dataFile(QStringLiteral("Vela43.ini")), settings);
    if (!result.ok) {
        reportFileError(result.message);
    }
}

}  // namespace velantra
