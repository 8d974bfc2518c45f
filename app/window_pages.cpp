#include "app/window_pages.h"

#include "app/midi_targets.h"
#include "app/options_page.h"
#include "app/window_menus.h"
#include "channels/channel_color_tab.h"
#include "channels/coder_page.h"
#include "channels/name_copy_group.h"
#include "conveyor/conveyor_group.h"
#include "desk/desk_controls.h"
#include "desk/desk_core.h"
#include "effects/automats_page.h"
#include "effects/xy_editor_page.h"
#include "midi/midi_control.h"
#include "midi/midi_page.h"
#include "network/network_page.h"
#include "programming/block_copy_group.h"
#include "programming/channel_setup_group.h"
#include "programming/fader_page.h"
#include "programming/graph_page.h"
#include "programming/pictures_tab.h"
#include "programming/scene_group.h"
#include "programming/sequencer_page.h"
#include "programming/settings_tabs.h"

#include <QAction>
#include <QCheckBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QStatusBar>
#include <QTabWidget>
#include <QToolButton>
#include <QVBoxLayout>

namespace velantra {

void WindowPages::build(QMainWindow& window, Shell& shell, DeskCore& core, GraphZoom& zoom)
{
    auto* central = new QWidget(&window);
    central->setObjectName(QStringLiteral("CentralWidget"));
    sceneGroup = new SceneGroup(central);
    channelSetupGroup = new ChannelSetupGroup(central);
    conveyorGroup = new ConveyorGroup(shell, core.player(), central);

    pageControlInput = new QTabWidget(central);
    pageControlInput->setObjectName(QStringLiteral("PageControlInput"));
    pageControlInput->setUsesScrollButtons(true);
    const char* names[] = {"TabSheetFaders",   "TabSheetGraph",    "TabSheetXyEditor",
                           "TabSheetBlocCopy", "TabSheetAutomats", "TabSheetOptions",
                           "TabSheetCoder",    "TabSheetNetwork",  "TabSheetMidi"};
    const QString titles[] = {tr("Фэйдера"),     tr("График Канала"), tr("Редактор луча"),
                              tr("Копирование"), tr("Автоматы"),      tr("Опции"),
                              tr("DMX coder"),   tr("Сеть"),          QStringLiteral("MIDI")};
    optionsPage = new OptionsPage(core.engine().memory);
    faderPage = new FaderPage(shell, core.channelTables());
    automatsPage = new AutomatsPage(core.player());
    coderPage = new CoderPage(core.engine());
    xyEditorPage = new XyEditorPage(shell);
    graphPage = new GraphPage(shell, zoom);
    networkPage = new NetworkPage(core.network(), core.engine().furtherPatch, [&core] { return core.saveUniverses(); });
    for (int i = 0; i < InputPages; ++i) {
        QWidget* page = i == PageOptions    ? optionsPage
                        : i == PageFaders   ? faderPage
                        : i == PageAutomats ? automatsPage
                        : i == PageCoder    ? coderPage
                        : i == PageXyEditor ? xyEditorPage
                        : i == PageGraph    ? graphPage
                        : i == PageNetwork  ? networkPage
                                            : new QWidget;
        page->setObjectName(QString::fromLatin1(names[i]));
        inputPages[static_cast<std::size_t>(i)] = page;
        pageControlInput->addTab(page, titles[i]);
    }

    rateTab = new RateTab(core.engine());
    QObject::connect(faderPage, &FaderPage::rateChosen, rateTab, &RateTab::showRate);
    QObject::connect(rateTab, &RateTab::ratesChanged, faderPage, &FaderPage::ReturnRate);
    levelsTab = new LevelsTab(core.controls());
    picturesTab = new PicturesTab(core.engine());
    for (auto [page, content] : {std::pair<QWidget*, QWidget*>{channelSetupGroup->ratePage(), rateTab},
                                 std::pair<QWidget*, QWidget*>{channelSetupGroup->levelsPage(), levelsTab},
                                 std::pair<QWidget*, QWidget*>{channelSetupGroup->picturesPage(), picturesTab}}) {
        auto* pageLayout = new QVBoxLayout(page);
        pageLayout->setContentsMargins(0, 0, 0, 0);
        pageLayout->addWidget(content);
    }

    // Tab "Цвет канала": a double click on a name field picks its channel.
    channelColorTab = new ChannelColorTab(core.channelTables());
    auto* colorLayout = new QVBoxLayout(sceneGroup->channelColorPage());
    colorLayout->setContentsMargins(0, 0, 0, 0);
    colorLayout->addWidget(channelColorTab);
    QObject::connect(faderPage, &FaderPage::nameColorChannelChosen, channelColorTab,
                     &ChannelColorTab::UpdateScrollRGBtxt);
    QObject::connect(channelColorTab, &ChannelColorTab::nameColorChanged, faderPage, &FaderPage::UstColorEditOne);

    sequencerPage = new SequencerPage(core.player());
    auto* sequencerLayout = new QVBoxLayout(sceneGroup->sequencerPage());
    sequencerLayout->setContentsMargins(0, 0, 0, 0);
    sequencerLayout->addWidget(sequencerPage);

    // Page "Копирование": the block copy of channel names.
    auto* nameCopy = new NameCopyGroup(core.engine().memory, core.channelTables(), inputPages[PageCopy]);
    nameCopy->setAfterCopy([this] { faderPage->ReturnName(); });
    nameCopy->setTakeUndo([&core] { core.takeUndo(); });
    auto* blockCopy = new BlockCopyGroup(core.engine(), inputPages[PageCopy]);
    blockCopy->setTakeUndo([&core] { core.takeUndo(); });
    auto* copyLayout = new QGridLayout(inputPages[PageCopy]);
    copyLayout->addWidget(nameCopy, 0, 0, Qt::AlignTop | Qt::AlignLeft);
    copyLayout->addWidget(blockCopy, 1, 0, Qt::AlignTop | Qt::AlignLeft);
    copyLayout->setRowStretch(2, 1);

    // The right-hand column uses the small face, so the three groups fit
    // beside the 27 fader rows.
    for (QWidget* group : std::initializer_list<QWidget*>{sceneGroup, channelSetupGroup, conveyorGroup}) {
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
    layout->addWidget(pageControlInput, 0, 0, 3, 1);
    layout->addWidget(sceneGroup, 0, 1);
    layout->addWidget(channelSetupGroup, 1, 1);
    layout->addWidget(conveyorGroup, 2, 1);
    layout->setColumnStretch(0, 1);
    layout->setRowStretch(0, 3);
    layout->setRowStretch(1, 2);
    window.setCentralWidget(central);

    statusPanel = new QLabel(tr("empty"), &window);
    statusPanel->setObjectName(QStringLiteral("StatusPanel0"));
    statusPanel->setMinimumWidth(200);
    window.statusBar()->setObjectName(QStringLiteral("StatusBar"));
    window.statusBar()->addWidget(statusPanel, 1);
    // A failed autosave stays in sight, in red, until a save succeeds.
    autoSavePanel = new QLabel(&window);
    autoSavePanel->setObjectName(QStringLiteral("StatusPanelAutoSave"));
    autoSavePanel->setAutoFillBackground(true);
    QPalette alarm = autoSavePanel->palette();
    alarm.setColor(QPalette::Window, QColor(200, 0, 0));
    alarm.setColor(QPalette::WindowText, Qt::white);
    autoSavePanel->setPalette(alarm);
    autoSavePanel->hide();
    window.statusBar()->addPermanentWidget(autoSavePanel);
    buildUndoPairs(core);
    QObject::connect(
        &core.controls(), &DeskControls::changed, central,
        [this, &core](DeskControls::Control control, int index) { followDesk(core.controls(), control, index); });
}

void WindowPages::buildUndoPairs(DeskCore& core)
{
    // The four snapshot and undo pairs: fader, graph, XY editor and copy pages.
    const std::pair<InputPage, int> pairs[] = {{PageFaders, 1}, {PageGraph, 3}, {PageXyEditor, 4}, {PageCopy, 5}};
    for (const auto& [page, n] : pairs) {
        auto* mem = new QToolButton(this->page(page));
        mem->setObjectName(QStringLiteral("SpeedButtonMem%1").arg(n));
        mem->setText(QStringLiteral("Mem"));
        mem->setToolTip(tr("Запомнить Сцену"));
        auto* undo = new QToolButton(this->page(page));
        undo->setObjectName(QStringLiteral("SpeedButtonUndo%1").arg(n));
        undo->setText(QStringLiteral("Undo"));
        undo->setToolTip(tr("Вернуть прежнюю сцену"));
        undo->setEnabled(false);
        QObject::connect(mem, &QToolButton::clicked, [&core] { core.takeUndo(); });
        if (page == PageFaders) {
            faderPage->addUndoPair(mem, undo);
        } else if (page == PageXyEditor) {
            xyEditorPage->addUndoPair(mem, undo);
        } else if (page == PageGraph) {
            graphPage->addUndoPair(mem, undo);
        } else if (auto* grid = qobject_cast<QGridLayout*>(this->page(page)->layout())) {
            auto* row = new QHBoxLayout;
            row->addWidget(mem);
            row->addWidget(undo);
            row->addStretch();
            grid->addLayout(row, 2, 0);
        } else {
            auto* row = new QHBoxLayout(this->page(page));
            row->addWidget(mem, 0, Qt::AlignTop);
            row->addWidget(undo, 0, Qt::AlignTop);
            row->addStretch();
        }
    }
}

void WindowPages::followDesk(DeskControls& desk, DeskControls::Control control, int index)
{
    // A desk control set through another surface (MIDI): the page's own
    // control shows it, and its handler keeps the page's rules.
    switch (control) {
    case DeskControls::Control::Picture:
        picturesTab->picture(index - 1)->setChecked(desk.picture(index));
        break;
    case DeskControls::Control::AutomatAlone:
        automatsPage->runAlone(index - 1)->setChecked(desk.automatAlone(index));
        break;
    default:
        break;  // the fader bank, the levels, tempo and play: their pages follow the desk themselves
    }
}

void WindowPages::buildMidi(QMainWindow& window, DeskCore& core)
{
    midiTargets = new MidiTargets(*this, core.controls(), [&core](const midi::Target& target) {
        if (core.midi() != nullptr) {
            core.midi()->targetChanged(target);
        }
    });
    midiTargets->setParent(page(PageMidi));
    // The MIDI control is the desk's, over the window's targets; its bindings are read at start-up.
    core.startMidi(*midiTargets);
    midiPage = new midi::MidiPage(
        *core.midi(), [this](const QWidget* widget) { return midiTargets->targetOf(widget); }, inputPages[PageMidi]);
    // Learning from the menu too, so the operator can stay on the page whose controls are bound.
    QAction* learn = WindowMenus::action(&window, "MidiLearnItem", tr("Обучение MIDI"));
    learn->setCheckable(true);
    QObject::connect(learn, &QAction::toggled, midiPage->learnButton(), &QToolButton::setChecked);
    QObject::connect(midiPage->learnButton(), &QToolButton::toggled, learn, &QAction::setChecked);
    if (auto* options = window.menuBar()->findChild<QMenu*>(QStringLiteral("OptionsItem"))) {
        options->addAction(learn);
    }
    auto* layout = new QVBoxLayout(inputPages[PageMidi]);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(midiPage);
}

}  // namespace velantra
