#include "app/base.h"

#include "about/about_form.h"
#include "app/keyboard_control.h"
#include "app/midi_targets.h"
#include "app/options_page.h"
#include "channels/channel_color_tab.h"
#include "channels/channel_names.h"
#include "channels/coder_page.h"
#include "channels/form_color_group.h"
#include "channels/name_copy_group.h"
#include "conveyor/conveyor_group.h"
#include "desk/desk_controls.h"
#include "desk/player.h"
#include "effects/automats_page.h"
#include "effects/hand_scan_form.h"
#include "effects/xy_editor_page.h"
#include "i18n/language.h"
#include "link/interface_kinds.h"
#include "link/usb_texts.h"
#include "midi/bindings_file.h"
#include "midi/midi_control.h"
#include "midi/midi_page.h"
#include "network/network_outputs.h"
#include "network/network_page.h"
#include "player/output_rig.h"
#include "programming/block_copy_group.h"
#include "programming/channel_setup_group.h"
#include "programming/fader_page.h"
#include "programming/graph_page.h"
#include "programming/pictures_tab.h"
#include "programming/scene_group.h"
#include "programming/scene_ops.h"
#include "programming/sequencer_page.h"
#include "programming/settings_tabs.h"
#include "programming/static_form.h"
#include "shell/dialogs.h"
#include "shell/icons.h"
#include "storage/data_dir.h"

#include <QAction>
#include <QCheckBox>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QDesktopServices>
#include <QFileInfo>
#include <QGridLayout>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenuBar>
#include <QScreen>
#include <QStatusBar>
#include <QTabWidget>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>
#include <QUrl>
#include <QVBoxLayout>

namespace velantra {

TBaseForm::TBaseForm(std::unique_ptr<D2xxProvider> driver, QWidget* parent, OutputClock clock,
                     const QString& showToOpen)
    : QMainWindow(parent)
    , rig_(std::make_unique<OutputRig>(std::move(driver), clock == OutputClock::ByHand
                                                              ? UsbLink::Writes::OnCaller
                                                              : UsbLink::Writes::OnWriterThread))
    , engine_(&rig_->engine())
    , link_(&rig_->link())
    , cycle_(&rig_->cycle())
    , outputThread_(&rig_->thread())
    , network_(&rig_->network())
    , undo_(std::make_unique<UndoMemory>())
    , outputClock_(clock)
    , showToOpen_(showToOpen)
{
    setObjectName(QStringLiteral("BaseForm"));
    setWindowTitle(QStringLiteral("VELANTRA"));
    connect(network_, &NetworkOutputs::status, this, &TBaseForm::OutStatus);
    player_ = new Player(*engine_, this);
    desk_ = new DeskControls(*engine_, *player_, this);

    const QString filter = tr("Файлы DMX Velantra  (*.vlt)");
    openDialogShou_ = std::make_unique<FileDialog>(this, QStringLiteral("OpenDialogShou"), FileDialog::Mode::Open,
                                                   filter, QStringLiteral("vlt"));
    saveDialogShou_ = std::make_unique<FileDialog>(this, QStringLiteral("SaveDialogShou"), FileDialog::Mode::Save,
                                                   filter, QStringLiteral("vlt"));
    saveDialogShou_->setFileName(QStringLiteral("Unit_001"));

    // The window takes the show's colour (SetColorAll); switched off, this one.
    systemFace_ = palette().color(QPalette::Window);
    setAutoFillBackground(true);

    buildMenus();
    buildToolBar();
    buildRegions();
    buildTimers();
    buildSceneCommands();
    new KeyboardControl(*this);
    // Made with the window and only shown and hidden until the program ends.
    handScanForm_ = new THandScanForm(*this, this);
    connectPages();
    buildMidi();
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
    // A window destroyed without being closed still stops its output first.
    rig_->stop();
}

void TBaseForm::buildMidi()
{
    midiTargets_ = new MidiTargets(*this, [this](const midi::Target& target) { midi_->targetChanged(target); });
    midi_ = new midi::MidiControl(*midiTargets_, midiBindingsFile(), this);
    connect(midi_, &midi::MidiControl::status, this, &TBaseForm::OutStatus);
    midiPage_ = new midi::MidiPage(
        *midi_, [this](const QWidget* widget) { return midiTargets_->targetOf(widget); }, inputPages_[PageMidi]);
    connect(midiPage_, &midi::MidiPage::status, this, &TBaseForm::OutStatus);
    // Learning from the menu too, so the operator can stay on the page whose controls are bound.
    QAction* learn = action("MidiLearnItem", tr("Обучение MIDI"));
    learn->setCheckable(true);
    connect(learn, &QAction::toggled, midiPage_->learnButton(), &QToolButton::setChecked);
    connect(midiPage_->learnButton(), &QToolButton::toggled, learn, &QAction::setChecked);
    if (auto* options = menuBar()->findChild<QMenu*>(QStringLiteral("OptionsItem"))) {
        options->addAction(learn);
    }
    auto* layout = new QVBoxLayout(inputPages_[PageMidi]);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(midiPage_);
}

QAction* TBaseForm::action(const char* name, const QString& text, const QKeySequence& shortcut)
{
    auto* a = new QAction(text, this);
    a->setObjectName(QString::fromLatin1(name));
    if (!shortcut.isEmpty()) {
        a->setShortcut(shortcut);
    }
    return a;
}

void TBaseForm::buildMenus()
{
    QMenu* show = menuBar()->addMenu(tr("Шоу"));
    show->setObjectName(QStringLiteral("ShowItem"));
    QAction* newItem = action("NewItem", tr("Создать новое Шоу"), QKeySequence(Qt::CTRL | Qt::Key_N));
    QAction* openItem = action("OpenItem", tr("Открыть Шоу"), QKeySequence(Qt::CTRL | Qt::Key_O));
    QAction* saveAsItem = action("SaveAsItem", tr("Сохранить Шоу как ..."), QKeySequence(Qt::CTRL | Qt::Key_W));
    QAction* saveItem = action("SaveItem", tr("Сохранить Шоу"), QKeySequence(Qt::CTRL | Qt::Key_S));
    QAction* exitItem = action("ExitItem", tr("Выход"), QKeySequence(Qt::CTRL | Qt::Key_Q));
    show->addActions({newItem, openItem, saveAsItem, saveItem});
    show->addSeparator();
    show->addAction(exitItem);
    connect(newItem, &QAction::triggered, this, &TBaseForm::NewItemClick);
    connect(openItem, &QAction::triggered, this, &TBaseForm::OpenItemClick);
    connect(saveAsItem, &QAction::triggered, this, &TBaseForm::SaveAsItemClick);
    connect(saveItem, &QAction::triggered, this, &TBaseForm::SaveItemClick);
    connect(exitItem, &QAction::triggered, this, &QWidget::close);

    QMenu* scenes = menuBar()->addMenu(tr("Сцены"));
    scenes->setObjectName(QStringLiteral("EditItem"));
    scenes->addAction(action("CopyPredScena", tr("Копировать предыдущую сцену"), QKeySequence(Qt::CTRL | Qt::Key_P)));
    scenes->addAction(action("CopyToBufferItem", tr("Копировать сцену в буфер"), QKeySequence(Qt::CTRL | Qt::Key_C)));
    QAction* newPaste =
        action("NewPasteItem", tr("Создать новую и заменить сценой из буфера"), QKeySequence(Qt::CTRL | Qt::Key_V));
    QAction* pasteFromBuffer = action("PasteFromBufferItem", tr("Заменить сценой  из буфера"));
    newPaste->setEnabled(false);
    pasteFromBuffer->setEnabled(false);
    scenes->addActions({newPaste, pasteFromBuffer});
    scenes->addAction(action("ClearScenaItem", tr("Очистить Сцену"), QKeySequence(Qt::CTRL | Qt::Key_E)));
    scenes->addAction(action("DeleteScenaItem", tr("Удалить Сцену из Шоу "), QKeySequence(Qt::CTRL | Qt::Key_Delete)));
    scenes->addAction(action("InsertScenaItem", tr("Создать новую Сцену"), QKeySequence(Qt::CTRL | Qt::Key_Insert)));

    QMenu* setup = menuBar()->addMenu(tr("Установки"));
    setup->setObjectName(QStringLiteral("SetupItem"));
    setup->addAction(action("ClearNamesItem", tr("Очистить имена каналов"), QKeySequence(Qt::CTRL | Qt::Key_I)));
    setup->addAction(action("ClearNameColorsItem", tr("Очистить цвета имен каналов")));
    setup->addAction(action("ClearGoboItem", tr("Очистить графическую подсказку каналов")));
    setup->addAction(action("ClearBorderColorsItem", tr("Очистить цвет условного разделения каналов")));

    QMenu* options = menuBar()->addMenu(tr("Опции"));
    options->setObjectName(QStringLiteral("OptionsItem"));
    options->addAction(
        action("HandScanItem", tr("Поле для ручного управления лучем сканера"), QKeySequence(Qt::CTRL | Qt::Key_A)));
    options->addAction(action("ChaserItem", tr("Запись и редактирование Статических картинок")));
    QAction* autoAppend = action("AvtoDobScenaItem", tr("Разрешить автодобавление сцен"));
    autoAppend->setCheckable(true);
    options->addAction(autoAppend);

    QMenu* help = menuBar()->addMenu(tr("Помощь"));
    help->setObjectName(QStringLiteral("HelpMenuItem"));
    QAction* aboutItem = action("AboutItem", tr("О программе"));
    QAction* helpItem = action("HelpItem", tr("Справка"), QKeySequence(Qt::Key_F1));
    help->addActions({aboutItem, helpItem});
    connect(aboutItem, &QAction::triggered, this, &TBaseForm::AboutItemClick);
    const std::pair<const char*, void (TBaseForm::*)()> setupItems[] = {
        {"ClearNamesItem", &TBaseForm::ClearNamesItemClick},
        {"ClearNameColorsItem", &TBaseForm::ClearNameColorsItemClick},
        {"ClearGoboItem", &TBaseForm::ClearGoboItemClick},
        {"ClearBorderColorsItem", &TBaseForm::ClearBorderColorsItemClick},
        {"HandScanItem", &TBaseForm::HandScanItemClick},
    };
    for (const auto& [name, handler] : setupItems) {
        connect(findChild<QAction*>(QString::fromLatin1(name)), &QAction::triggered, this, handler);
    }
    connect(helpItem, &QAction::triggered, this, &TBaseForm::HelpItemClick);
    connect(findChild<QAction*>(QStringLiteral("ChaserItem")), &QAction::triggered, this, &TBaseForm::ChaserItemClick);
}

void TBaseForm::buildToolBar()
{
    QToolBar* bar = addToolBar(tr("Панель"));
    bar->setObjectName(QStringLiteral("ToolBar"));
    bar->setMovable(false);
    bar->setIconSize(QSize(20, 20));  // the window keeps its 651 pixels of height
    struct Button {
        const char* name;
        ToolIcon icon;
        QString hint;
        const char* sameAs;  // the menu item whose action the button runs, if any
    };
    const Button buttons[] = {
        {"SpeedButtonNEW", ToolIcon::New, tr("Новое Шоу"), "NewItem"},
        {"SpeedButtonOPEN", ToolIcon::Open, tr("Открыть Шоу"), "OpenItem"},
        {"SpeedButtonSAVEAS", ToolIcon::SaveAs, tr("Записать Шоу под новым Именем "), "SaveAsItem"},
        {"SpeedButtonSAVE", ToolIcon::Save, tr("Сохранить существующее Шоу "), "SaveItem"},
        {"SpeedButtonCOPY", ToolIcon::Copy, tr("Копировать Сцену"), "CopyToBufferItem"},
        {"SpeedButtonCOPYPREDSCEN", ToolIcon::CopyPrevious, tr("Копировать предыдущую Сцену"), "CopyPredScena"},
        {"SpeedButtonCLEAR", ToolIcon::Clear, tr("Новая сцена"), "ClearScenaItem"},
        {"SpeedButtonDELSCEN", ToolIcon::Delete, tr("Удалить сцену"), "DeleteScenaItem"},
        {"SpeedButtonAREA", ToolIcon::Area, tr("Окно ручного управления сканера "), "HandScanItem"},
        {"SpeedButtonRECORD", ToolIcon::Record, tr("Запись статических картинок "), "ChaserItem"},
        {"SpeedButtonAVTOPLUS", ToolIcon::AutoPlus, tr("Автодобавление сцен "), "AvtoDobScenaItem"},
        {"SpeedButtonHELP", ToolIcon::Help, tr("Help "), "HelpItem"},
        {"SpeedButtonABOUT", ToolIcon::About, tr("О программе "), "AboutItem"},
    };
    for (const Button& b : buttons) {
        QAction* button = action(b.name, b.hint);
        button->setIcon(toolIcon(b.icon));
        button->setToolTip(b.hint);
        auto* menuItem = findChild<QAction*>(QString::fromLatin1(b.sameAs));
        connect(button, &QAction::triggered, menuItem, &QAction::trigger);
        bar->addAction(button);
        bar->widgetForAction(button)->setObjectName(QString::fromLatin1(b.name));
        if (b.icon == ToolIcon::New || b.icon == ToolIcon::Save || b.icon == ToolIcon::Delete ||
            b.icon == ToolIcon::AutoPlus) {
            bar->addSeparator();
        }
    }
}

void TBaseForm::buildRegions()
{
    auto* central = new QWidget(this);
    central->setObjectName(QStringLiteral("CentralWidget"));
    sceneGroup_ = new SceneGroup(central);
    channelSetupGroup_ = new ChannelSetupGroup(central);
    conveyorGroup_ = new ConveyorGroup(*this, *player_, central);

    pageControlInput_ = new QTabWidget(central);
    pageControlInput_->setObjectName(QStringLiteral("PageControlInput"));
    pageControlInput_->setUsesScrollButtons(true);
    const char* names[] = {"TabSheetFaders",   "TabSheetGraph",    "TabSheetXyEditor",
                           "TabSheetBlocCopy", "TabSheetAutomats", "TabSheetOptions",
                           "TabSheetCoder",    "TabSheetNetwork",  "TabSheetMidi"};
    const QString titles[] = {tr("Фэйдера"),     tr("График Канала"), tr("Редактор луча"),
                              tr("Копирование"), tr("Автоматы"),      tr("Опции"),
                              tr("DMX coder"),   tr("Сеть"),          QStringLiteral("MIDI")};
    optionsPage_ = new OptionsPage(engine_->memory);
    faderPage_ = new FaderPage(*this, channelTables);
    automatsPage_ = new AutomatsPage(*player_);
    coderPage_ = new CoderPage(*engine_);
    xyEditorPage_ = new XyEditorPage(*this);
    graphPage_ = new GraphPage(*this, graphZoom);
    networkPage_ = new NetworkPage(*network_);
    connect(coderPage_, &CoderPage::status, this, &TBaseForm::OutStatus);
    for (int i = 0; i < InputPages; ++i) {
        QWidget* page = i == PageOptions    ? optionsPage_
                        : i == PageFaders   ? faderPage_
                        : i == PageAutomats ? automatsPage_
                        : i == PageCoder    ? coderPage_
                        : i == PageXyEditor ? xyEditorPage_
                        : i == PageGraph    ? graphPage_
                        : i == PageNetwork  ? networkPage_
                                            : new QWidget;
        page->setObjectName(QString::fromLatin1(names[i]));
        inputPages_[static_cast<std::size_t>(i)] = page;
        pageControlInput_->addTab(page, titles[i]);
    }
    connect(pageControlInput_, &QTabWidget::currentChanged, this, &TBaseForm::PageControlInputChange);
    connect(optionsPage_, &OptionsPage::kindChosen, this, [this](int choice) {
        // The choice is the device's the link has open (or opens next), kept
        // under its serial number and in the settings file at once.
        interfaceKinds_ = withKindChoice(interfaceKinds_, link_->device().serial, static_cast<KindChoice>(choice));
        applyKindChoices(*link_, interfaceKinds_);
        saveInterfaceKinds();
        showInterfaceKind();
    });
    connect(optionsPage_->noUsbConnect(), &QCheckBox::toggled, this, [this](bool on) {
        link_->setOffline(on);  // the widget's requests as well as the frames
        engine_->controls.noUsbConnect.store(on, std::memory_order_relaxed);
    });

    rateTab_ = new RateTab(*engine_, *faderPage_);
    levelsTab_ = new LevelsTab(*desk_, *faderPage_);
    picturesTab_ = new PicturesTab(*engine_);
    for (auto [page, content] : {std::pair<QWidget*, QWidget*>{channelSetupGroup_->ratePage(), rateTab_},
                                 std::pair<QWidget*, QWidget*>{channelSetupGroup_->levelsPage(), levelsTab_},
                                 std::pair<QWidget*, QWidget*>{channelSetupGroup_->picturesPage(), picturesTab_}}) {
        auto* pageLayout = new QVBoxLayout(page);
        pageLayout->setContentsMargins(0, 0, 0, 0);
        pageLayout->addWidget(content);
    }
    registerPageRefresh(PageFaders, [this] { faderPage_->refresh(); });

    // Tab "Цвет канала": a double click on a name field picks its channel.
    channelColorTab_ = new ChannelColorTab(channelTables);
    auto* colorLayout = new QVBoxLayout(sceneGroup_->channelColorPage());
    colorLayout->setContentsMargins(0, 0, 0, 0);
    colorLayout->addWidget(channelColorTab_);
    connect(faderPage_, &FaderPage::nameColorChannelChosen, channelColorTab_, &ChannelColorTab::UpdateScrollRGBtxt);
    connect(channelColorTab_, &ChannelColorTab::nameColorChanged, faderPage_, &FaderPage::UstColorEditOne);
    connect(optionsPage_->formColor(), &FormColorGroup::changed, this, &TBaseForm::SetColorAll);
    registerPageRefresh(PageAutomats, [this] { automatsPage_->refresh(); });
    registerPageRefresh(PageXyEditor, [this] { xyEditorPage_->refresh(); });
    registerPageRefresh(PageGraph, [this] { graphPage_->refresh(); });

    sequencerPage_ = new SequencerPage(*player_);
    auto* sequencerLayout = new QVBoxLayout(sceneGroup_->sequencerPage());
    sequencerLayout->setContentsMargins(0, 0, 0, 0);
    sequencerLayout->addWidget(sequencerPage_);
    registerDataSystemRefresh([this] { sequencerPage_->showCounters(); });

    // Page "Копирование": the block copy of channel names.
    auto* nameCopy = new NameCopyGroup(engine_->memory, channelTables, inputPages_[PageCopy]);
    nameCopy->setAfterCopy([this] { faderPage_->ReturnName(); });
    nameCopy->setTakeUndo([this] { ToMemoryUndo(); });
    auto* blockCopy = new BlockCopyGroup(*engine_, inputPages_[PageCopy]);
    blockCopy->setTakeUndo([this] { ToMemoryUndo(); });
    auto* copyLayout = new QGridLayout(inputPages_[PageCopy]);
    copyLayout->addWidget(nameCopy, 0, 0, Qt::AlignTop | Qt::AlignLeft);
    copyLayout->addWidget(blockCopy, 1, 0, Qt::AlignTop | Qt::AlignLeft);
    copyLayout->setRowStretch(2, 1);

    // The right-hand column uses the small face, so the three groups fit
    // beside the 27 fader rows.
    for (QWidget* group : std::initializer_list<QWidget*>{sceneGroup_, channelSetupGroup_, conveyorGroup_}) {
        QFont small = group->font();
        small.setPointSize(8);
        group->setFont(small);
    }

    // The main page control takes the left side and the full height (the
    // fader page needs 27 rows); the three groups stand on the right.
    auto* layout = new QGridLayout(central);
    layout->setContentsMargins(4, 2, 4, 2);
    layout->setHorizontalSpacing(4);
    layout->setVerticalSpacing(1);
    layout->addWidget(pageControlInput_, 0, 0, 3, 1);
    layout->addWidget(sceneGroup_, 0, 1);
    layout->addWidget(channelSetupGroup_, 1, 1);
    layout->addWidget(conveyorGroup_, 2, 1);
    layout->setColumnStretch(0, 1);
    layout->setRowStretch(0, 3);
    layout->setRowStretch(1, 2);
    setCentralWidget(central);

    statusPanel_ = new QLabel(tr("empty"), this);
    statusPanel_->setObjectName(QStringLiteral("StatusPanel0"));
    statusPanel_->setMinimumWidth(200);
    statusBar()->setObjectName(QStringLiteral("StatusBar"));
    statusBar()->addWidget(statusPanel_, 1);
    // A failed autosave stays in sight, in red, until a save succeeds.
    autoSavePanel_ = new QLabel(this);
    autoSavePanel_->setObjectName(QStringLiteral("StatusPanelAutoSave"));
    autoSavePanel_->setAutoFillBackground(true);
    QPalette alarm = autoSavePanel_->palette();
    alarm.setColor(QPalette::Window, QColor(200, 0, 0));
    alarm.setColor(QPalette::WindowText, Qt::white);
    autoSavePanel_->setPalette(alarm);
    autoSavePanel_->hide();
    statusBar()->addPermanentWidget(autoSavePanel_);
}

void TBaseForm::buildTimers()
{
    auto timer = [this](const char* name, int interval, bool enabled) {
        auto* t = new QTimer(this);
        t->setObjectName(QString::fromLatin1(name));
        t->setInterval(interval);
        if (enabled) {
            t->start();
        }
        return t;
    };
    timerStatus_ = timer("TimerStatus", 5000, false);
    timerPolling_ = timer("TimerPolling", 1000, true);
    // The show clock and the autosave period are the player's.
    connect(player_->clockTimer(), &QTimer::timeout, this, &TBaseForm::TimerShouClockTimer);
    connect(player_, &Player::autoSaveDue, this, &TBaseForm::TimerAvtoSaveTimer);
    connect(timerStatus_, &QTimer::timeout, this, &TBaseForm::TimerStatusTimer);
    connect(timerPolling_, &QTimer::timeout, this, &TBaseForm::TimerPollingTimer);
}

void TBaseForm::buildSceneCommands()
{
    const std::pair<const char*, void (TBaseForm::*)()> menu[] = {
        {"InsertScenaItem", &TBaseForm::InsertScenaItemClick},
        {"DeleteScenaItem", &TBaseForm::DeleteScenaItemClick},
        {"ClearScenaItem", &TBaseForm::ClearScenaItemClick},
        {"CopyPredScena", &TBaseForm::CopyPredScenaClick},
        {"CopyToBufferItem", &TBaseForm::CopyToBufferItemClick},
        {"NewPasteItem", &TBaseForm::SpeedButtonNewScenaPasteClick},
        {"PasteFromBufferItem", &TBaseForm::PasteFromBufferItemClick},
        {"AvtoDobScenaItem", &TBaseForm::AvtoDobScenaItemClick},
    };
    for (const auto& [name, handler] : menu) {
        connect(findChild<QAction*>(QString::fromLatin1(name)), &QAction::triggered, this, handler);
    }
    const std::pair<const char*, void (TBaseForm::*)()> buttons[] = {
        {"SpeedButtonNewScena", &TBaseForm::InsertScenaItemClick},
        {"SpeedButtonScenaDelete", &TBaseForm::DeleteScenaItemClick},
        {"SpeedButtonScenaCopy", &TBaseForm::CopyToBufferItemClick},
        {"SpeedButtonNewScenaPaste", &TBaseForm::SpeedButtonNewScenaPasteClick},
        {"ButtonScenaPaste", &TBaseForm::PasteFromBufferItemClick},
    };
    for (const auto& [name, handler] : buttons) {
        connect(sequencerPage_->editButton(name), &QToolButton::clicked, this, handler);
    }

    // The four snapshot and undo pairs: fader, graph, XY editor and copy pages.
    const std::pair<InputPage, int> pairs[] = {{PageFaders, 1}, {PageGraph, 3}, {PageXyEditor, 4}, {PageCopy, 5}};
    for (const auto& [page, n] : pairs) {
        auto* mem = new QToolButton(inputPage(page));
        mem->setObjectName(QStringLiteral("SpeedButtonMem%1").arg(n));
        mem->setText(QStringLiteral("Mem"));
        mem->setToolTip(tr("Запомнить Сцену"));
        auto* undo = new QToolButton(inputPage(page));
        undo->setObjectName(QStringLiteral("SpeedButtonUndo%1").arg(n));
        undo->setText(QStringLiteral("Undo"));
        undo->setToolTip(tr("Вернуть прежнюю сцену"));
        undo->setEnabled(false);
        connect(mem, &QToolButton::clicked, this, &TBaseForm::ToMemoryUndo);
        connect(undo, &QToolButton::clicked, this, &TBaseForm::SpeedButtonUndo1Click);
        if (page == PageFaders) {
            faderPage_->addUndoPair(mem, undo);
        } else if (page == PageXyEditor) {
            xyEditorPage_->addUndoPair(mem, undo);
        } else if (page == PageGraph) {
            graphPage_->addUndoPair(mem, undo);
        } else if (auto* grid = qobject_cast<QGridLayout*>(inputPage(page)->layout())) {
            auto* row = new QHBoxLayout;
            row->addWidget(mem);
            row->addWidget(undo);
            row->addStretch();
            grid->addLayout(row, 2, 0);
        } else {
            auto* row = new QHBoxLayout(inputPage(page));
            row->addWidget(mem, 0, Qt::AlignTop);
            row->addWidget(undo, 0, Qt::AlignTop);
            row->addStretch();
        }
    }
}

QWidget* TBaseForm::inputPage(InputPage page) const
{
    return inputPages_[static_cast<std::size_t>(page)];
}

void TBaseForm::OutStatus(const QString& text)
{
    if (!timerStatus_->isActive()) {
        timerStatus_->start();
    }
    statusPanel_->setText(statusPanel_->text() + text);
}

void TBaseForm::TimerStatusTimer()
{
    statusPanel_->clear();
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
    const int page = pageControlInput_->currentIndex();
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
    const bool offline = optionsPage_->noUsbConnect()->isChecked();
    interfaceLog_.update(*link_, offline);
    const InterfaceDisplay shown = interfaceDisplay(*link_, offline);
    captionPrefix_ = shown.captionPrefix;
    statusPanel_->setText(shown.statusPanel);
}

void TBaseForm::TimerShouClockTimer()
{
    showInterfaceState();
}

bool TBaseForm::pageShown(const QWidget* page) const
{
    return pageControlInput_->currentWidget() == page;
}

void TBaseForm::loadShow(const QString& path)
{
    openDialogShou_->setFileName(path);
    closePictureEditor();
    BlocOpenFile();
}

void TBaseForm::followDesk(DeskControls::Control control, int index)
{
    // A desk control set through another surface (MIDI): the page's own
    // control shows it, and its handler keeps the page's rules.
    switch (control) {
    case DeskControls::Control::Picture:
        picturesTab_->picture(index - 1)->setChecked(desk_->picture(index));
        break;
    case DeskControls::Control::AutomatAlone:
        automatsPage_->runAlone(index - 1)->setChecked(desk_->automatAlone(index));
        break;
    case DeskControls::Control::BlackOut:
        levelsTab_->blackOut()->setChecked(desk_->blackOut());
        break;
    case DeskControls::Control::Macro:
        if (desk_->macro()) {
            faderPage_->macrosOut()->setChecked(true);
        } else if (faderPage_->macrosOut()->isChecked()) {
            (desk_->blackOut() ? faderPage_->blackOut() : faderPage_->onScena())->setChecked(true);
        }
        break;
    default:
        break;  // the fader bank, the levels, tempo and play: their pages follow the desk themselves
    }
}

void TBaseForm::connectPages()
{
    connect(desk_, &DeskControls::changed, this, &TBaseForm::followDesk);
    connect(player_, &Player::stepped, this, &TBaseForm::ReturnPageControlAll);
    connect(player_, &Player::showWanted, this, &TBaseForm::loadShow);
    connect(sequencerPage_, &SequencerPage::refreshWanted, this, &TBaseForm::ReturnPageControlAll);
    connect(sequencerPage_, &SequencerPage::sceneEditingAllowed, this,
            [this](bool allowed) { findChild<QMenu*>(QStringLiteral("EditItem"))->menuAction()->setEnabled(allowed); });
    auto* autoAppend = findChild<QAction*>(QStringLiteral("AvtoDobScenaItem"));
    connect(autoAppend, &QAction::toggled, sequencerPage_, &SequencerPage::setAutoAppend);
    connect(faderPage_, &FaderPage::outputDisplayed, sequencerPage_, &SequencerPage::showStopped);
    connect(faderPage_, &FaderPage::showKeysOffWanted, this, [this] {
        picturesTab_->flashOn()->setChecked(false);
        conveyorGroup_->keyboard()->setChecked(false);
    });
    connect(xyEditorPage_, &XyEditorPage::undoSnapshotWanted, this, &TBaseForm::ToMemoryUndo);
    connect(handScanForm_, &THandScanForm::selectionChanged, faderPage_, &FaderPage::CheckBoxFromMemory);
}

void TBaseForm::connectPictureEditor()
{
    connect(staticForm_, &TStaticForm::undoSnapshotWanted, this, &TBaseForm::ToMemoryUndo);
    connect(staticForm_, &TStaticForm::fadersToMemoryWanted, faderPage_, &FaderPage::CheckBoxToMemory);
    connect(staticForm_, &TStaticForm::surfaceChanged, this, [this](bool withRefresh) {
        faderPage_->CheckBoxFromMemory();
        if (withRefresh) {
            ReturnPageControlAll();
        }
        faderPage_->ReturnScrollBars();
    });
    connect(staticForm_, &TStaticForm::editingChanged, this, [this](bool editing) {
        faderPage_->CheckBoxFromMemory();
        player_->setHeld(editing);
        ReturnPageControlAll();
        if (editing) {
            rateTab_->smoothingOff();
        } else {
            faderPage_->ReturnScrollBars();
        }
    });
}

void TBaseForm::TimerPollingTimer()
{
    // A DMX USB Pro is sent the output slots the patch fills from a channel, at least 24.
    int used = 0;
    for (int slot = DmxSlots - 1; slot >= 1 && used == 0; --slot) {
        const int source = engine_->coderTable.get(static_cast<std::size_t>(slot));
        if (source >= 1 && source <= LastChannel) {
            used = slot;
        }
    }
    link_->setSlotsUsed(used);
    link_->TimerPollingTimer();
    showInterfaceKind();
}

void TBaseForm::showInterfaceKind()
{
    const std::uint64_t frames = link_->openDmxFrames();
    const QString driven = drivenText(*link_, frames - std::min(frames, openDmxFramesSeen_));
    openDmxFramesSeen_ = frames;
    optionsPage_->showInterfaceKind(static_cast<int>(link_->kindChoice()), driven);
}

QString TBaseForm::helpFilePath(Language language)
{
    // The manual of the running language: English in help/en/.
    const QString folder = language == Language::English ? QStringLiteral("en/") : QString();
    return QCoreApplication::applicationDirPath() + QStringLiteral("/../share/velantra/help/") + folder +
           QStringLiteral("index.html");
}

void TBaseForm::HelpItemClick()
{
    const QFileInfo help(helpFilePath());
    if (!help.exists()) {
        OutStatus(tr("Файл справки не найден "));
        return;
    }
    QDesktopServices::openUrl(QUrl::fromLocalFile(help.absoluteFilePath()));
}

void TBaseForm::ClearNamesItemClick()
{
    if (askYesNo(this, tr("Очистить имена каналов?"))) {
        clearNames(engine_->memory);
    }
    faderPage_->ReturnName();
}

void TBaseForm::ClearNameColorsItemClick()
{
    if (askYesNo(this, tr("Очистить цвета имен каналов?"))) {
        channelTables.nameRed.fill(255);
        channelTables.nameGreen.fill(255);
        channelTables.nameBlue.fill(255);
        ReturnPageControlAll();
    }
}

void TBaseForm::ClearGoboItemClick()
{
    if (askYesNo(this, tr("Очистить графическую подсказку каналов?"))) {
        channelTables.gobo.fill(255);
        ReturnPageControlAll();
    }
}

void TBaseForm::ClearBorderColorsItemClick()
{
    if (askYesNo(this, tr("Очистить цветовые границы каналов?"))) {
        const QColor bars = optionsPage_->formColor()->barsColor();
        channelTables.borderRed.fill(static_cast<std::uint8_t>(bars.red()));
        channelTables.borderGreen.fill(static_cast<std::uint8_t>(bars.green()));
        channelTables.borderBlue.fill(static_cast<std::uint8_t>(bars.blue()));
        ReturnPageControlAll();
    }
}

void TBaseForm::SetColorAll()
{
    FormColorGroup* group = optionsPage_->formColor();
    group->showFromMemory();
    const QColor colour = engine_->memory.get(CellFormColorOn) != 0 ? group->showColor() : systemFace_;
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

}  // namespace velantra
