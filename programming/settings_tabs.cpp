#include "programming/settings_tabs.h"

#include "desk/desk_controls.h"
#include "engine/engine.h"
#include "programming/fader_page.h"
#include "programming/rate_table.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QRadioButton>
#include <QScrollBar>
#include <QTimer>
#include <QToolButton>
#include <QVBoxLayout>

namespace velantra {

namespace {
constexpr auto relaxed = std::memory_order_relaxed;
}  // namespace

RateTab::RateTab(Engine& engine, FaderPage& faders, QWidget* parent)
    : QWidget(parent)
    , engine_(engine)
    , faders_(faders)
    , rateLevel_(new QScrollBar(Qt::Horizontal, this))
    , label_(new QLabel(tr("2 sec"), this))
    , mode_(new QButtonGroup(this))
{
    rateLevel_->setObjectName(QStringLiteral("ScrollBarRateLeuel"));
    rateLevel_->setRange(0, RatePositions - 1);
    rateLevel_->setPageStep(10);
    rateLevel_->setValue(RatePositions - 1);
    rateLevel_->setToolTip(tr("Время изменения уровня выбранных каналов DMX "));
    connect(rateLevel_, &QScrollBar::valueChanged, this, &RateTab::ScrollBarRateLeuelChange);
    label_->setObjectName(QStringLiteral("LabelRate"));
    label_->setToolTip(tr("Время изменения уровня всех каналов DMX  в секундах"));
    connect(&faders_, &FaderPage::rateChosen, this, &RateTab::showRate);

    auto* group = new QGroupBox(tr("Плавность перехода  сцен "), this);
    group->setObjectName(QStringLiteral("RadioGroupRate"));
    auto* items = new QVBoxLayout(group);
    items->setContentsMargins(4, 2, 4, 2);
    items->setSpacing(0);
    const QString captions[] = {tr("Фейдера"), tr("Автомат"), tr("Выкл")};
    for (int i = 0; i < 3; ++i) {
        auto* item = new QRadioButton(captions[i], group);
        item->setObjectName(QStringLiteral("RadioGroupRateItem%1").arg(i));
        mode_->addButton(item, i);
        items->addWidget(item);
    }
    mode_->button(0)->setChecked(true);
    connect(mode_, &QButtonGroup::idToggled, this, [this](int id, bool on) {
        if (on) {
            engine_.controls.rateMode.store(static_cast<RateMode>(id), relaxed);
        }
    });

    auto* row = new QHBoxLayout;
    row->addWidget(rateLevel_, 1);
    row->addWidget(label_);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(2, 2, 2, 2);
    layout->setSpacing(2);
    layout->addLayout(row);
    layout->addWidget(group);
    layout->addStretch();
}

void RateTab::smoothingOff()
{
    mode_->button(2)->setChecked(true);
}

void RateTab::showRate(int position)
{
    label_->setText(rateLabel(position));
}

void RateTab::ScrollBarRateLeuelChange(int position)
{
    const std::uint8_t step = rateStep(position);
    showRate(position);
    ShowMemory& m = engine_.memory;
    m.set(CellRateLevel, step);
    faders_.CheckBoxToMemory();
    for (int c = 1; c <= 255; ++c) {
        if (m.get(SelectBase + c) != 0) {
            m.set(RateBase + c, step);
        }
    }
    faders_.ReturnRate();
}

LevelsTab::LevelsTab(DeskControls& desk, FaderPage& faders, QWidget* parent)
    : QWidget(parent)
    , desk_(desk)
    , engine_(desk.engine())
    , faders_(faders)
    , manual_(new QCheckBox(tr("Ручное управление"), this))
    , blackOut_(new QCheckBox(tr("BlackOut"), this))
    , levelAll_(new QScrollBar(Qt::Horizontal, this))
    , blink_(new QTimer(this))
{
    manual_->setObjectName(QStringLiteral("CheckBoxManual"));
    manual_->setToolTip(tr("Ручное управление выделенными каналами в текущей сцене"));
    connect(manual_, &QCheckBox::toggled, this, [this](bool on) { engine_.controls.manual.store(on, relaxed); });

    blackOut_->setObjectName(QStringLiteral("CheckBoxBlackOut"));
    blackOut_->setToolTip(tr("Выключает все каналы DMX  Горячая кнопка = O = "));
    connect(blackOut_, &QCheckBox::toggled, this, &LevelsTab::CheckBoxBlackOutClick);
    connect(faders_.blackOut(), &QToolButton::clicked, blackOut_, [this] { blackOut_->setChecked(true); });
    connect(faders_.macrosOut(), &QToolButton::clicked, blackOut_, [this] { blackOut_->setChecked(true); });
    connect(faders_.onScena(), &QToolButton::clicked, blackOut_, [this] { blackOut_->setChecked(false); });
    connect(faders_.macrosOut(), &QToolButton::toggled, this,
            [this](bool down) { engine_.controls.macroDown.store(down, relaxed); });

    // The tick toggles the blackout button's visibility during blackout; the
    // window applies what the tick published, never the other way round.
    QSizePolicy keepPlace = faders_.blackOut()->sizePolicy();
    keepPlace.setRetainSizeWhenHidden(true);
    faders_.blackOut()->setSizePolicy(keepPlace);
    blink_->setObjectName(QStringLiteral("TimerBlink"));
    blink_->setInterval(20);
    connect(blink_, &QTimer::timeout, this, [this] {
        const bool visible = engine_.outputs.blackOutButtonVisible.load(relaxed);
        if (faders_.blackOut()->isVisibleTo(&faders_) != visible) {
            faders_.blackOut()->setVisible(visible);
        }
    });

    levelAll_->setObjectName(QStringLiteral("ScrollBarLevelAll"));
    levelAll_->setRange(0, 255);
    levelAll_->setPageStep(16);
    levelAll_->setValue(127);
    levelAll_->setToolTip(tr("Общий абсолютный уровень каналов"));
    connect(levelAll_, &QScrollBar::valueChanged, this, &LevelsTab::ScrollBarLevelAllChange);
    // The level of the selected channels, set through any surface: the bar
    // shows it and the faders show the levels.
    connect(&desk_, &DeskControls::changed, this, [this](DeskControls::Control control) {
        if (control == DeskControls::Control::LevelAll) {
            levelAll_->setValue(desk_.levelAll());
            faders_.ReturnScrollBars();
        }
    });

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(2, 2, 2, 2);
    layout->setSpacing(2);
    layout->addWidget(new QLabel(tr("Изменение выделенных уровней"), this));
    layout->addWidget(levelAll_);
    layout->addWidget(manual_);
    layout->addWidget(blackOut_);
    layout->addStretch();
}

void LevelsTab::ScrollBarLevelAllChange(int position)
{
    faders_.CheckBoxToMemory();
    desk_.setLevelAll(position);
}

void LevelsTab::CheckBoxBlackOutClick()
{
    const bool on = blackOut_->isChecked();
    engine_.controls.blackOut.store(on, relaxed);
    engine_.shared.playMode.store(0, relaxed);
    if (!faders_.macrosOut()->isChecked()) {
        (on ? faders_.blackOut() : faders_.onScena())->setChecked(true);
    }
    if (on) {
        blink_->start();
    } else {
        blink_->stop();
        faders_.blackOut()->setVisible(true);
    }
}

}  // namespace velantra
