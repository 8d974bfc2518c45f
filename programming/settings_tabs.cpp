#include "programming/settings_tabs.h"

#include "desk/desk_controls.h"
#include "engine/engine.h"
#include "programming/rate_table.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QRadioButton>
#include <QScrollBar>
#include <QVBoxLayout>

namespace velantra {

namespace {
constexpr auto relaxed = std::memory_order_relaxed;
}  // namespace

RateTab::RateTab(Engine& engine, QWidget* parent)
    : QWidget(parent)
    , engine_(engine)
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
    for (int c = 1; c <= 255; ++c) {
        if (m.get(SelectBase + c) != 0) {
            m.set(RateBase + c, step);
        }
    }
    emit ratesChanged();
}

LevelsTab::LevelsTab(DeskControls& desk, QWidget* parent)
    : QWidget(parent)
    , desk_(desk)
    , engine_(desk.engine())
    , manual_(new QCheckBox(tr("Ручное управление"), this))
    , blackOut_(new QCheckBox(tr("BlackOut"), this))
    , levelAll_(new QScrollBar(Qt::Horizontal, this))
{
    manual_->setObjectName(QStringLiteral("CheckBoxManual"));
    manual_->setToolTip(tr("Ручное управление выделенными каналами в текущей сцене"));
    connect(manual_, &QCheckBox::toggled, this, [this](bool on) { engine_.controls.manual.store(on, relaxed); });

    blackOut_->setObjectName(QStringLiteral("CheckBoxBlackOut"));
    blackOut_->setToolTip(tr("Выключает все каналы DMX  Горячая кнопка = O = "));
    connect(blackOut_, &QCheckBox::toggled, this, &LevelsTab::CheckBoxBlackOutClick);

    levelAll_->setObjectName(QStringLiteral("ScrollBarLevelAll"));
    levelAll_->setRange(0, 255);
    levelAll_->setPageStep(16);
    levelAll_->setValue(127);
    levelAll_->setToolTip(tr("Общий абсолютный уровень каналов"));
    connect(levelAll_, &QScrollBar::valueChanged, this, &LevelsTab::ScrollBarLevelAllChange);
    // The level of the selected channels and blackout, set through any surface: the tab shows them.
    connect(&desk_, &DeskControls::changed, this, [this](DeskControls::Control control) {
        if (control == DeskControls::Control::LevelAll) {
            levelAll_->setValue(desk_.levelAll());
        } else if (control == DeskControls::Control::BlackOut) {
            blackOut_->setChecked(desk_.blackOut());
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
    desk_.setLevelAll(position);
}

void LevelsTab::CheckBoxBlackOutClick()
{
    if (blackOut_->isChecked() != desk_.blackOut()) {
        desk_.setBlackOut(blackOut_->isChecked());
    }
}

}  // namespace velantra
