// Start-up, close and new show of the main window, in their fixed order.
#include "app/base.h"

#include "app/options_page.h"
#include "channels/coder_page.h"
#include "link/usb_texts.h"
#include "midi/midi_control.h"
#include "network/network_outputs.h"
#include "player/output_rig.h"
#include "player/player.h"
#include "programming/channel_setup_group.h"
#include "programming/fader_page.h"
#include "programming/scene_group.h"
#include "programming/sequencer_page.h"
#include "shell/dialogs.h"
#include "storage/color_file.h"
#include "storage/data_dir.h"

#include <QFileInfo>

#include <QCloseEvent>
#include <QScrollBar>
#include <QTabWidget>
#include <QTimer>

namespace velantra {

void TBaseForm::FormCreate()
{
    link_->InitUsbDevise();
    optionsPage_->setUsbTexts(usbCountText(link_->listing()), usbDescriptionText(link_->listing()),
                              usbSerialText(link_->listing()));

    engine_->resetPatch();
    engine_->memory.fill(NameBase, NameBase + ChannelNameCells, 0);
    engine_->memory.set(CellAvt1Tempo, 50);
    engine_->memory.set(CellAvt2Tempo, 50);

    // The fixed files live here; a first start creates the directory.
    ensureDataDirectory();
    removeStaleSaveLeftovers();
    optionsPage_->showDiskSizes(dataDirectory());

    engine_->hooks.untitledCaption = [this] { setCaption(tr(" Нет имени файла ")); };
    engine_->hooks.resetGraphZoom = [this] { graphZoom = graphZoomAt(3); };
    engine_->hooks.applyTempo = [this] { sequencerPage_->TempStatus(); };
    engine_->hooks.disableUndo = [this] { setUndoEnabled(false); };
    engine_->hooks.resetFaderBank = [this] {
        faderPage_->CheckBoxFromMemory();
        faderPage_->pageBar()->setValue(0);
        pageControlInput_->setCurrentIndex(PageFaders);
        channelSetupGroup_->tabs()->setCurrentIndex(2);
        sceneGroup_->tabs()->setCurrentIndex(0);
    };
    engine_->ClearAll();
    if (outputClock_ == OutputClock::Thread) {
        outputThread_->start();
    }

    ReadIniFile();
    if (!showToOpen_.isEmpty()) {
        openShow(showToOpen_);  // a show named on the command line, as the Open command opens it
    } else if (!openDialogShou_->fileName().isEmpty()) {
        BlocOpenFile();
    }
    ReturnPageControlAll();
    OutStatus(usbStatusText(link_->status()));
    LoadColorFile();
    coderPage_->startUp(coderFileName);
    // A refused bindings file leaves the surfaces unbound; the rest starts as usual.
    if (const FileResult read = midi_->load(); !read.ok) {
        reportFileError(read.message);
    }
}

void TBaseForm::LoadColorFile()
{
    const QString path = dataFile(QStringLiteral("Vela43.col"));
    if (isRegularFile(path)) {
        // A refused file leaves the tables with their start-up values.
        if (const FileResult read = readColorFile(path, channelTables); !read.ok) {
            reportFileError(read.message);
        }
    } else {
        SaveColorEdit();
        OutStatus(tr("Файл -Color- не найден  "));
    }
    faderPage_->UpdateColorEditAll();
}

bool TBaseForm::SaveColorEdit()
{
    const FileResult written = writeColorFile(dataFile(QStringLiteral("Vela43.col")), channelTables);
    if (!written.ok) {
        reportFileError(written.message);
    }
    return written.ok;
}

void TBaseForm::stopOutput()
{
    rig_->stop();  // sACN receivers let go at once
    for (QTimer* timer : {timerPolling_, player_->autoSaveTimer(), player_->clockTimer()}) {
        timer->stop();
    }
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
    SaveColorEdit();
    stopOutput();
    SaveFileAs();
    WriteIniFile();
    event->accept();
}

void TBaseForm::NewItemClick()
{
    if (!askYesNo(this, tr("Создать новое ШОУ?"))) {
        return;
    }
    closePictureEditor();
    SaveFileAs();
    engine_->ClearAll();
    setCaption(tr(" Нет имени файла "));
    ReturnPageControlAll();
}

}  // namespace velantra
