#include "app/base.h"

#include "about/about_form.h"
#include "app/keyboard_control.h"
#include "app/options_page.h"
#include "app/window_menus.h"
#include "channels/coder_page.h"
#include "channels/form_color_group.h"
#include "conveyor/conveyor_group.h"
#include "desk/player.h"
#include "effects/automats_page.h"
#include "effects/hand_scan_form.h"
#include "effects/xy_editor_page.h"
#include "midi/midi_page.h"
#include "programming/fader_page.h"
#include "programming/graph_page.h"
#include "programming/pictures_tab.h"
#include "programming/sequencer_page.h"
#include "programming/settings_tabs.h"
#include "programming/static_form.h"
#include "shell/dialogs.h"

#include <QAction>
#include <QCheckBox>
#include <QCloseEvent>
#include <QGuiApplication>
#include <QLabel>
#include <QMenu>
#include <QScreen>
#include <QTabWidget>
#include <QTimer>
#include <QToolButton>

namespace velantra {

namespace {
const char* const UndoButtons[] = {"SpeedButtonUndo1", "SpeedButtonUndo3", "SpeedButtonUndo4", "SpeedButtonUndo5"};
}  // namespace

TBaseForm::TBaseForm(std::unique_ptr<D2xxProvider> driver, QWidget* parent, OutputClock clock,
                     const QString& showToOpen)
    : QMainWindow(parent)
    , core_(new DeskCore(std::move(driver), clock, this))
    , channelTables(core_->channelTables())
    , showToOpen_(showToOpen)
{
    setObjectName(QStringLiteral("BaseForm"));
    setWindowTitle(QStringLiteral("VELANTRA"));
    captionPrefix_ = tr(" Initalization ");

    const QString filter = tr("Файлы DMX Velantra  (*.vlt)");
    openDialogShou_ = std::make_unique<FileDialog>(this, QStringLiteral("OpenDialogShou"), FileDialog::Mode::Open,
                                                   filter, QStringLiteral("vlt"));
    saveDialogShou_ = std::make_unique<FileDialog>(this, QStringLiteral("SaveDialogShou"), FileDialog::Mode::Save,
                                                   filter, QStringLiteral("vlt"));
    // The dialogs show and take the desk's names of the show.
    openDialogShou_->shareFileName(core_->openName());
    saveDialogShou_->shareFileName(core_->saveName());

    // The window takes the show's colour (SetColorAll); switched off, this one.
    systemFace_ = palette().color(QPalette::Window);
    setAutoFillBackground(true);

    WindowMenus::build(*this);
    const std::pair<const char*, void (TBaseForm::*)()> commands[] = {
        {"NewItem", &TBaseForm::NewItemClick},           {"OpenItem", &TBaseForm::OpenItemClick},
        {"SaveAsItem", &TBaseForm::SaveAsItemClick},     {"SaveItem", &TBaseForm::SaveFile},
        {"AboutItem", &TBaseForm::AboutItemClick},       {"ChaserItem", &TBaseForm::ChaserItemClick},
        {"HandScanItem", &TBaseForm::HandScanItemClick}, {"RecoverShowItem", &TBaseForm::RecoverShowItemClick},
    };
    for (const auto& [name, handler] : commands) {
        connect(findChild<QAction*>(QString::fromLatin1(name)), &QAction::triggered, this, handler);
    }
    connect(findChild<QAction*>(QStringLiteral("ExitItem")), &QAction::triggered, this, &QWidget::close);
    pages_.build(*this, *this, *core_, graphZoom);
    SetupCommands::connect(*this, *this, channelTables, pages_);
    buildTimers();
    buildSceneCommands();
    new KeyboardControl(*this);
    // Made with the window and only shown and hidden until the program ends.
    handScanForm_ = new THandScanForm(*this, this);
    connectPages();
    connectCore();
    pages_.buildMidi(*this, *core_);
    connect(pages_.midiPage, &midi::MidiPage::status, this, &TBaseForm::OutStatus);
    resize(898, 651);
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        move(screen->availableGeometry().center() - rect().center());
    }
    FormCreate();
    // The first poll as soon as the window is up, not a second later: the
    // interface opens and the show reaches the lights at once.
    QTimer::singleShot(0, this, &TBaseForm::TimerPollingTimer);
}

TBaseForm::~TBaseForm()
{
    // A window destroyed without being closed still stops its output first;
    // the desk goes before the widgets that show it.
    core_->stopOutput();
    delete core_;
}

void TBaseForm::buildTimers()
{
    timerStatus_ = new QTimer(this);
    timerStatus_->setObjectName(QStringLiteral("TimerStatus"));
    timerStatus_->setInterval(5000);
    connect(timerStatus_, &QTimer::timeout, this, &TBaseForm::TimerStatusTimer);
    // The show clock and the autosave period are the player's, the polling the desk core's.
    connect(player().clockTimer(), &QTimer::timeout, this, &TBaseForm::TimerShouClockTimer);
}

void TBaseForm::buildSceneCommands()
{
    using Command = DeskCore::SceneCommand;
    // Menu items and the scene page's buttons: the desk's scene commands, then the refresh.
    const std::pair<const char*, Command> commands[] = {
        {"InsertScenaItem", Command::Insert},        {"SpeedButtonNewScena", Command::Insert},
        {"DeleteScenaItem", Command::Delete},        {"SpeedButtonScenaDelete", Command::Delete},
        {"ClearScenaItem", Command::Clear},          {"CopyPredScena", Command::CopyPrevious},
        {"NewPasteItem", Command::PasteAsNew},       {"SpeedButtonNewScenaPaste", Command::PasteAsNew},
        {"PasteFromBufferItem", Command::PasteOver}, {"ButtonScenaPaste", Command::PasteOver},
    };
    for (const auto& [name, command] : commands) {
        const auto run = [this, command = command] { sceneCommand(command); };
        if (auto* item = findChild<QAction*>(QString::fromLatin1(name))) {
            connect(item, &QAction::triggered, this, run);
        } else {
            connect(pages_.sequencerPage->editButton(name), &QToolButton::clicked, this, run);
        }
    }
    connect(findChild<QAction*>(QStringLiteral("CopyToBufferItem")), &QAction::triggered, this,
            &TBaseForm::CopyToBufferItemClick);
    connect(pages_.sequencerPage->editButton("SpeedButtonScenaCopy"), &QToolButton::clicked, this,
            &TBaseForm::CopyToBufferItemClick);
    connect(findChild<QAction*>(QStringLiteral("AvtoDobScenaItem")), &QAction::triggered, this,
            [this] { OutStatus(tr(" Автодобавление сцен ")); });
    for (const char* name : UndoButtons) {
        connect(findChild<QToolButton*>(QString::fromLatin1(name)), &QToolButton::clicked, this,
                &TBaseForm::SpeedButtonUndo1Click);
    }
}

QWidget* TBaseForm::inputPage(InputPage page) const
{
    return pages_.page(page);
}

void TBaseForm::OutStatus(const QString& text)
{
    if (!timerStatus_->isActive()) {
        timerStatus_->start();
    }
    pages_.statusPanel->setText(pages_.statusPanel->text() + text);
}

void TBaseForm::TimerStatusTimer()
{
    pages_.statusPanel->clear();
    timerStatus_->stop();
}

void TBaseForm::setCaption(const QString& text)
{
    setWindowTitle(captionPrefix_ + text);
}

void TBaseForm::registerPageRefresh(InputPage page, std::function<void()> refresh)
{
    pageRefresh_[static_cast<std::size_t>(page)].push_back(std::move(refresh));
}

void TBaseForm::registerDataSystemRefresh(std::function<void()> refresh)
{
    dataSystemRefresh_.push_back(std::move(refresh));
}

void TBaseForm::ReturnDataSystem()
{
    if (!saveDialogShou_->fileName().isEmpty()) {
        setCaption(saveDialogShou_->fileName());
    } else if (!openDialogShou_->fileName().isEmpty()) {
        setCaption(openDialogShou_->fileName());
    }
    for (const auto& refresh : dataSystemRefresh_) {
        refresh();
    }
}

void TBaseForm::ReturnPageControlAll()
{
    ReturnDataSystem();
    SetColorAll();
    const int page = pages_.pageControlInput->currentIndex();
    if (page >= 0 && page < static_cast<int>(pageRefresh_.size())) {
        for (const auto& refresh : pageRefresh_[static_cast<std::size_t>(page)]) {
            refresh();
        }
    }
}

void TBaseForm::PageControlInputChange(int)
{
    ReturnPageControlAll();
}

void TBaseForm::showInterfaceState()
{
    const bool offline = pages_.optionsPage->noUsbConnect()->isChecked();
    interfaceLog_.update(link(), offline);
    const InterfaceDisplay shown = interfaceDisplay(link(), offline);
    captionPrefix_ = shown.captionPrefix;
    pages_.statusPanel->setText(shown.statusPanel);
}

void TBaseForm::TimerShouClockTimer()
{
    showInterfaceState();
}

bool TBaseForm::pageShown(const QWidget* page) const
{
    return pages_.pageControlInput->currentWidget() == page;
}

void TBaseForm::connectPages()
{
    connect(pages_.coderPage, &CoderPage::status, this, &TBaseForm::OutStatus);
    connect(pages_.pageControlInput, &QTabWidget::currentChanged, this, &TBaseForm::PageControlInputChange);
    connect(pages_.optionsPage, &OptionsPage::kindChosen, this, [this](int choice) {
        core_->chooseKind(choice);
        showInterfaceKind();
    });
    connect(pages_.optionsPage->noUsbConnect(), &QCheckBox::toggled, core_, &DeskCore::setOffline);
    connect(pages_.optionsPage->formColor(), &FormColorGroup::changed, this, &TBaseForm::SetColorAll);
    registerPageRefresh(PageFaders, [this] { pages_.faderPage->refresh(); });
    registerPageRefresh(PageAutomats, [this] { pages_.automatsPage->refresh(); });
    registerPageRefresh(PageXyEditor, [this] { pages_.xyEditorPage->refresh(); });
    registerPageRefresh(PageGraph, [this] { pages_.graphPage->refresh(); });
    registerDataSystemRefresh([this] { pages_.sequencerPage->showCounters(); });
    connect(&player(), &Player::stepped, this, &TBaseForm::ReturnPageControlAll);
    // A scene chosen through another surface (the remote, OSC): every page shows it.
    connect(&core_->controls(), &DeskControls::changed, this, [this](DeskControls::Control control) {
        if (control == DeskControls::Control::Scene) {
            ReturnPageControlAll();
        }
    });
    connect(pages_.sequencerPage, &SequencerPage::refreshWanted, this, &TBaseForm::ReturnPageControlAll);
    connect(pages_.sequencerPage, &SequencerPage::sceneEditingAllowed, this,
            [this](bool allowed) { findChild<QMenu*>(QStringLiteral("EditItem"))->menuAction()->setEnabled(allowed); });
    auto* autoAppend = findChild<QAction*>(QStringLiteral("AvtoDobScenaItem"));
    connect(autoAppend, &QAction::toggled, pages_.sequencerPage, &SequencerPage::setAutoAppend);
    connect(pages_.faderPage, &FaderPage::outputDisplayed, pages_.sequencerPage, &SequencerPage::showStopped);
    connect(pages_.faderPage, &FaderPage::showKeysOffWanted, this, [this] {
        pages_.picturesTab->flashOn()->setChecked(false);
        pages_.conveyorGroup->keyboard()->setChecked(false);
    });
    connect(pages_.xyEditorPage, &XyEditorPage::undoSnapshotWanted, this, &TBaseForm::ToMemoryUndo);
    connect(handScanForm_, &THandScanForm::selectionChanged, pages_.faderPage, &FaderPage::CheckBoxFromMemory);
}

void TBaseForm::connectPictureEditor()
{
    connect(staticForm_, &TStaticForm::undoSnapshotWanted, this, &TBaseForm::ToMemoryUndo);
    connect(staticForm_, &TStaticForm::fadersToMemoryWanted, pages_.faderPage, &FaderPage::CheckBoxToMemory);
    connect(staticForm_, &TStaticForm::surfaceChanged, this, [this](bool withRefresh) {
        pages_.faderPage->CheckBoxFromMemory();
        if (withRefresh) {
            ReturnPageControlAll();
        }
        pages_.faderPage->ReturnScrollBars();
    });
    connect(staticForm_, &TStaticForm::editingChanged, this, [this](bool editing) {
        pages_.faderPage->CheckBoxFromMemory();
        player().setHeld(editing);
        ReturnPageControlAll();
        if (editing) {
            pages_.rateTab->smoothingOff();
        } else {
            pages_.faderPage->ReturnScrollBars();
        }
    });
}

void TBaseForm::TimerPollingTimer()
{
    core_->poll();  // showInterfaceKind follows
}

void TBaseForm::showInterfaceKind()
{
    const std::uint64_t frames = link().openDmxFrames();
    const QString driven = drivenText(link(), frames - std::min(frames, openDmxFramesSeen_));
    openDmxFramesSeen_ = frames;
    pages_.optionsPage->showInterfaceKind(static_cast<int>(link().kindChoice()), driven);
}

void TBaseForm::SetColorAll()
{
    FormColorGroup* group = pages_.optionsPage->formColor();
    group->showFromMemory();
    const QColor colour = engine().memory.get(CellFormColorOn) != 0 ? group->showColor() : systemFace_;
    if (palette().color(QPalette::Window) != colour) {
        QPalette p = palette();
        p.setColor(QPalette::Window, colour);
        setPalette(p);
    }
}

void TBaseForm::ChaserItemClick()
{
    if (staticForm_ == nullptr) {
        staticForm_ = new TStaticForm(*this, this);
        connectPictureEditor();
    }
    staticForm_->showEditor();
}

void TBaseForm::HandScanItemClick()
{
    handScanForm_->showPad();
}

void TBaseForm::closePictureEditor()
{
    if (staticForm_ != nullptr && staticForm_->editing()) {
        staticForm_->reject();
    }
}

void TBaseForm::AboutItemClick()
{
    TAboutForm form(this);
    execDialog(form);
}

void TBaseForm::setUndoEnabled(bool enabled)
{
    for (const char* name : UndoButtons) {
        if (auto* button = findChild<QToolButton*>(QString::fromLatin1(name))) {
            button->setEnabled(enabled);
        }
    }
}

void TBaseForm::ToMemoryUndo()
{
    core_->takeUndo();  // the status line and the undo buttons follow
}

void TBaseForm::SpeedButtonUndo1Click()
{
    OutStatus(tr(" данные возвращены "));
    setUndoEnabled(false);
    restoreUndo();
}

void TBaseForm::restoreUndo()
{
    core_->restoreUndo();
    ReturnPageControlAll();
}

void TBaseForm::CopyToBufferItemClick()
{
    const QString n = QString::number(engine().memory.get(CellScene) + 1);
    QToolButton* newPaste = pages_.sequencerPage->editButton("SpeedButtonNewScenaPaste");
    QToolButton* paste = pages_.sequencerPage->editButton("ButtonScenaPaste");
    newPaste->setToolTip(tr("Создать новую сцену после текущей и скопировать в нее сцену %1 из буфера").arg(n));
    paste->setToolTip(tr("Заменить текущую сцену Сценой %1 из буфера").arg(n));
    if (!core_->sceneCommand(DeskCore::SceneCommand::CopyToClipboard)) {
        return;
    }
    for (const char* name : {"NewPasteItem", "PasteFromBufferItem"}) {
        findChild<QAction*>(QString::fromLatin1(name))->setEnabled(true);
    }
    newPaste->setEnabled(true);
    paste->setEnabled(true);
    OutStatus(tr(" Записать в буфер "));
    ReturnPageControlAll();
}

void TBaseForm::sceneCommand(DeskCore::SceneCommand command)
{
    if (core_->sceneCommand(command)) {
        ReturnPageControlAll();
    }
}

}  // namespace velantra
