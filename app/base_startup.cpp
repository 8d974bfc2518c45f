// Start-up, close and new show of the main window, in their fixed order.
#include "app/base.h"

#include "app/options_page.h"
#include "channels/coder_page.h"
#include "desk/player.h"
#include "link/usb_texts.h"
#include "midi/midi_control.h"
#include "network/network_outputs.h"
#include "player/output_rig.h"
#include "programming/channel_setup_group.h"
#include "programming/fader_page.h"
#include "programming/scene_group.h"
#include "programming/sequencer_page.h"
#include "shell/dialogs.h"
#include "storage/color_file.h"
#include "storage/data_dir.h"
#include "storage/patch_file.h"
#include "storage/show_file.h"

#include <QCloseEvent>
#include <QScrollBar>
#include <QTabWidget>
#include <QTimer>

#include <memory>

namespace velantra {

namespace {

bool isPatchFileName(const QString& path)
{
    return path.endsWith(QLatin1String(".vdx"), Qt::CaseInsensitive);
}

// A file named on the command line, read once to see that it can be: what
// is wrong with it goes to the error box (for a missing show the Open
// command's own text) and, with its name, to the error output.
bool readableAtStart(QWidget* parent, const QString& path, bool patch)
{
    if (path.isEmpty()) {
        return false;
    }
    FileResult read;
    QString shown;
    if (patch) {
        auto scratch = std::make_unique<AtomicArray<std::uint16_t, CoderEntries>>();
        read = readPatchFile(path, *scratch);
    } else if (!isRegularFile(path)) {
        read = ioFailure(IoError::FileNotFound);
        shown = TBaseForm::tr("Файл ШОУ не найден ");
    } else {
        read = readShowFile(path, *std::make_unique<ShowMemory>());
    }
    if (!read.ok) {
        qCWarning(lcFile).noquote() << path + QStringLiteral(": ") + read.message;
        showIoError(parent, shown.isEmpty() ? read.message : shown);
    }
    return read.ok;
}

}  // namespace

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
        player_->clockOnTheTick(true);
    }

    ReadIniFile();
    // A file named on the command line: a patch file is the patch (as the
    // patch page's open loads it), anything else a show (as the Open command
    // opens it). One that cannot be read is said in the error box and, with
    // its name, on the error output; the start goes on without it.
    const bool patchNamed = isPatchFileName(showToOpen_);
    const bool namedReadable = readableAtStart(this, showToOpen_, patchNamed);
    if (namedReadable && !patchNamed) {
        openShow(showToOpen_);
    } else if ((showToOpen_.isEmpty() || patchNamed) && !openDialogShou_->fileName().isEmpty()) {
        BlocOpenFile();
    }
    ReturnPageControlAll();
    OutStatus(usbStatusText(link_->status()));
    LoadColorFile();
    coderPage_->startUp(namedReadable && patchNamed ? showToOpen_ : coderFileName);
    // A refused bindings file leaves the surfaces unbound; the rest starts as usual.
    if (const FileResult read = midi_->load(); !read.ok) {
        reportFileError(read.message);
    }
}

void TBaseForm::LoadColorFile()
{
    const QString path = colourFile();
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
    const FileResult written = writeColorFile(colourFile(), channelTables);
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
