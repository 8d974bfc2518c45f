#include "programming/sequencer_page.h"

#include "desk/player.h"
#include "engine/sequencer.h"
#include "shell/lean_scroll_bar.h"

#include <QButtonGroup>
#include <QEvent>
#include <QGridLayout>
#include <QLabel>
#include <QScopedValueRollback>
#include <QScrollBar>
#include <QTimer>
#include <QToolButton>

#include <algorithm>
#include <initializer_list>

namespace velantra {

namespace {

constexpr auto relaxed = std::memory_order_relaxed;
constexpr int PresetPageSize = 50;
constexpr int PresetLargeStep = 10;
const char* const EditButtons[] = {"SpeedButtonNewScena", "SpeedButtonScenaCopy", "SpeedButtonNewScenaPaste",
                                   "ButtonScenaPaste", "SpeedButtonScenaDelete"};

QToolButton* smallButton(QWidget* parent, const char* name, const QString& text, const QString& hint)
{
    auto* b = new QToolButton(parent);
    b->setObjectName(QString::fromLatin1(name));
    b->setText(text);
    b->setToolTip(hint);
    b->setFixedHeight(18);
    return b;
}

QLabel* namedLabel(QWidget* parent, const char* name, const QString& text, const QString& hint = {})
{
    auto* l = new QLabel(text, parent);
    l->setObjectName(QString::fromLatin1(name));
    l->setToolTip(hint);
    return l;
}

// A label whose text changes while a show plays gets the size of the widest of
// its texts, fixed: a new text then repaints the label and never re-lays the
// page and the window around it.
void fixToWidest(QLabel* label, std::initializer_list<QString> texts)
{
    int width = 0;
    for (const QString& text : texts) {
        width = std::max(width, label->fontMetrics().horizontalAdvance(text));
    }
    const QMargins margins = label->contentsMargins();
    label->setFixedSize(width + margins.left() + margins.right() + 2 * label->margin() + 2, label->sizeHint().height());
}

}  // namespace

SequencerPage::SequencerPage(Player& player, QWidget* parent)
    : QWidget(parent)
    , player_(player)
    , play_(smallButton(this, "SpeedButtonPlay", QStringLiteral("▶"), tr("Запустить Шоу - горячая кнопка /-/ ")))
    , stop_(smallButton(this, "SpeedButtonStop", QStringLiteral("■"), tr("Остановить Шоу - горячая кнопка /+/ ")))
    , tempo_(new QScrollBar(Qt::Horizontal, this))
    , tempoLabel_(namedLabel(this, "LabelTemp", QString(), tr("Время перехода на следующую сцену ")))
    , lamp_(namedLabel(this, "ShapeTempClikc", QString()))
    , stepLabel_(namedLabel(this, "LabelStep", QStringLiteral("1"), tr("Номер текущей сцены")))
    , codaLabel_(namedLabel(this, "LabelCoda", QStringLiteral("2"), tr("Максимальное кол-во сцен")))
    , step_(new LeanScrollBar(Qt::Horizontal, this))
    , preset_(new QScrollBar(Qt::Horizontal, this))
    , presetLabel_(namedLabel(this, "LabelScenHand", tr("Уст 1"), tr("Предварительный выбор сцены")))
    , timeShow_(namedLabel(this, "LabelTimeShou", tr("Время в Шоу ?")))
    , timePause_(namedLabel(this, "LabelTimePause", tr("Время  Паузы  ")))
    , timerLamp_(new QTimer(this))
{
    setObjectName(QStringLiteral("SequencerPage"));
    QFont small = font();
    small.setPointSize(8);
    setFont(small);
    fixToWidest(stepLabel_, {QStringLiteral("256")});
    fixToWidest(codaLabel_, {QStringLiteral("256")});
    const QString longest = tr("%1ч %2м %3с ").arg(9999).arg(59).arg(59);
    fixToWidest(timeShow_, {tr("Время в Шоу ?"), tr("Шоу   = %1").arg(longest)});
    fixToWidest(timePause_, {tr("Время  Паузы  "), tr("Паузa = %1").arg(longest)});

    auto* pair = new QButtonGroup(this);
    for (QToolButton* b : {play_, stop_}) {
        b->setCheckable(true);
        b->setFixedWidth(28);
        pair->addButton(b);
    }
    stop_->setChecked(true);
    play_->installEventFilter(this);
    connect(play_, &QToolButton::clicked, this, &SequencerPage::ModePlay);
    connect(stop_, &QToolButton::clicked, this, &SequencerPage::ModeStop);

    tempo_->setObjectName(QStringLiteral("ScrollBarTemp"));
    tempo_->setRange(TempoMin, TempoMax);
    tempo_->setPageStep(10);
    tempo_->setValue(44);
    tempo_->setToolTip(tr("Установка времени перехода на следующую сцену"));
    connect(tempo_, &QScrollBar::valueChanged, this, &SequencerPage::ScrollBarTempChange);
    lamp_->setFixedSize(12, 12);
    lamp_->setAutoFillBackground(true);

    step_->setObjectName(QStringLiteral("ScrollBarStep"));
    step_->setRange(0, 2);
    step_->setToolTip(tr("Установка текущей сцены"));
    connect(step_, &QScrollBar::valueChanged, this, &SequencerPage::ScrollBarStepChange);

    preset_->setObjectName(QStringLiteral("ScrollBarScenHand"));
    preset_->setRange(0, 255);
    // Qt's page step is both the handle's size and the step of a click in the
    // track: the handle shows a page of 50, a click still moves by 10.
    preset_->setPageStep(PresetPageSize);
    connect(preset_, &QScrollBar::actionTriggered, this, [this](int action) {
        if (action == QAbstractSlider::SliderPageStepAdd || action == QAbstractSlider::SliderPageStepSub) {
            const int step = action == QAbstractSlider::SliderPageStepAdd ? PresetLargeStep : -PresetLargeStep;
            preset_->setSliderPosition(std::clamp(preset_->value() + step, preset_->minimum(), preset_->maximum()));
        }
    });
    preset_->setValue(1);
    preset_->setToolTip(tr("Выбор предварительной  установка начальной сцены "));
    connect(preset_, &QScrollBar::valueChanged, this, &SequencerPage::ScrollBarScenHandChange);
    auto* presetButton =
        smallButton(this, "SpeedButtonScenHand", tr("Уст"), tr("Предварительная  установка начальной сцены "));
    connect(presetButton, &QToolButton::clicked, this, &SequencerPage::SpeedButtonScenHandClick);

    auto* edits = new QHBoxLayout;
    edits->setSpacing(1);
    const QString texts[] = {QStringLiteral("+"), QStringLiteral("C"), QStringLiteral("+V"), QStringLiteral("V"),
                             QStringLiteral("−")};
    const QString hints[] = {tr("Создать новую сцену после текущей"), tr("Копировать текущую сцену в буфер"),
                             tr("Создать новую сцену после текущей и скопировать в нее сцену из буфера"),
                             tr("Заменить текущую сцену Сценой  из буфера"), tr("Удалить текущую сцену")};
    for (int i = 0; i < 5; ++i) {
        QToolButton* b = smallButton(this, EditButtons[i], texts[i], hints[i]);
        b->setFixedWidth(24);
        edits->addWidget(b);
    }
    editButton("SpeedButtonNewScenaPaste")->setEnabled(false);
    editButton("ButtonScenaPaste")->setEnabled(false);
    edits->addStretch();

    auto* grid = new QGridLayout(this);
    grid->setContentsMargins(2, 2, 2, 2);
    grid->setHorizontalSpacing(3);
    grid->setVerticalSpacing(1);
    grid->addWidget(play_, 0, 0);
    grid->addWidget(stop_, 0, 1);
    grid->addWidget(tempo_, 0, 2);
    grid->addWidget(lamp_, 0, 3);
    grid->addWidget(tempoLabel_, 0, 4);
    grid->addWidget(stepLabel_, 1, 0);
    grid->addWidget(codaLabel_, 1, 1);
    grid->addWidget(step_, 1, 2, 1, 3);
    grid->addWidget(presetButton, 2, 0, 1, 2);
    grid->addWidget(preset_, 2, 2);
    grid->addWidget(presetLabel_, 2, 3, 1, 2);
    grid->addLayout(edits, 3, 0, 1, 5);
    grid->addWidget(timeShow_, 4, 0, 1, 5);
    grid->addWidget(timePause_, 5, 0, 1, 5);
    grid->setColumnStretch(2, 1);

    timerLamp_->setObjectName(QStringLiteral("TimerColorLentaTempa"));
    timerLamp_->setInterval(100);
    connect(timerLamp_, &QTimer::timeout, this, &SequencerPage::TimerColorLentaTempaTimer);
    connect(&player_, &Player::beat, this, &SequencerPage::beat);
    connect(&player_, &Player::tempoChanged, this, [this](int intervalMs) {
        tempoLabel_->setText(tr("%1  Сцен/мин ").arg(60000 / intervalMs));
        // The tempo set through any surface: the bar shows it.
        const QScopedValueRollback guard(refreshing_, true);
        tempo_->setValue(player_.engine().memory.get(CellTempo));
    });
    connect(&player_, &Player::playingChanged, this, &SequencerPage::showPlaying);
    connect(&player_, &Player::heldChanged, this, &SequencerPage::showHeld);
    connect(&player_, &Player::clockTicked, this, &SequencerPage::showClock);
    TempStatus();
    timerLamp_->start();  // runs from start: its first tick gives the lamp the face colour
}

QToolButton* SequencerPage::editButton(const char* name) const
{
    return findChild<QToolButton*>(QString::fromLatin1(name));
}

void SequencerPage::setEditButtonsEnabled(bool enabled)
{
    for (const char* name : {"SpeedButtonNewScena", "SpeedButtonScenaCopy", "SpeedButtonScenaDelete"}) {
        editButton(name)->setEnabled(enabled);
    }
    if (!enabled) {
        editButton("SpeedButtonNewScenaPaste")->setEnabled(false);
        editButton("ButtonScenaPaste")->setEnabled(false);
    }
    emit sceneEditingAllowed(enabled);
}

void SequencerPage::ModePlay()
{
    player_.play();
}

void SequencerPage::ModeStop()
{
    player_.stop();
}

void SequencerPage::showPlaying(bool playing)
{
    (playing ? play_ : stop_)->setChecked(true);
    setEditButtonsEnabled(!playing);
}

void SequencerPage::showHeld(bool held)
{
    if (held) {
        stop_->setChecked(true);
    }
    play_->setVisible(!held);
}

void SequencerPage::showStopped()
{
    if (!player_.playing()) {
        stop_->setChecked(true);
    }
}

bool SequencerPage::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == play_ && event->type() == QEvent::MouseButtonDblClick) {
        ModePlay();
        player_.jumpToScene(0);
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

void SequencerPage::TempStatus()
{
    player_.refreshTempo();
}

void SequencerPage::showCounters()
{
    ShowMemory& m = player_.engine().memory;
    // A loaded tempo outside the bar's range is held at its nearest end and written back.
    const int tempo = std::clamp<int>(m.get(CellTempo), TempoMin, TempoMax);
    m.set(CellTempo, static_cast<std::uint8_t>(tempo));
    {
        const QScopedValueRollback guard(refreshing_, true);
        tempo_->setValue(tempo);
        const int current = m.get(CellScene);
        const int last = m.get(CellLastScene);
        step_->setMaximum(std::min(last + 1, 255));
        step_->setValue(current);
        stepLabel_->setText(QString::number(current + 1));
        codaLabel_->setText(QString::number(last + 1));
    }
    TempStatus();
}

void SequencerPage::setLamp(const QColor& color)
{
    if (lamp_->palette().color(QPalette::Window) == color) {
        return;
    }
    QPalette p = lamp_->palette();
    p.setColor(QPalette::Window, color);
    lamp_->setPalette(p);
}

QTimer* SequencerPage::sequencerTimer() const
{
    return player_.sequencerTimer();
}

void SequencerPage::TimerSeqveserTimer()
{
    player_.step();
}

void SequencerPage::beat()
{
    timerLamp_->start();
    const ControlStates& c = player_.engine().controls;
    QColor color = c.blackOut.load(relaxed) ? QColor(Qt::black) : QColor(0, 255, 0);
    if (c.macroDown.load(relaxed)) {
        color = QColor(255, 0, 0);
    }
    setLamp(color);
}

void SequencerPage::TimerColorLentaTempaTimer()
{
    timerLamp_->stop();
    setLamp(palette().color(QPalette::Button));
}

void SequencerPage::ScrollBarTempChange(int position)
{
    if (refreshing_) {
        return;
    }
    player_.setTempo(position);
}

void SequencerPage::ScrollBarStepChange(int position)
{
    if (refreshing_) {
        return;
    }
    Engine& e = player_.engine();
    if (!player_.playing()) {
        e.memory.set(CellScene, static_cast<std::uint8_t>(position));
        const int last = e.memory.get(CellLastScene);
        if (position > last && position > 0 && autoAppend_) {
            const int to = sceneAddress(static_cast<std::uint8_t>(position));
            const int from = to - SceneSize;
            for (int i = 0; i < SceneSize; ++i) {
                e.memory.set(to + i, e.memory.get(from + i));
            }
            e.memory.set(CellLastScene, static_cast<std::uint8_t>(position));
        }
    }
    emit refreshWanted();
}

void SequencerPage::ScrollBarScenHandChange(int position)
{
    presetLabel_->setText(tr("Уст %1").arg(position + 1));
}

void SequencerPage::SpeedButtonScenHandClick()
{
    step_->setValue(std::min(preset_->value(), step_->maximum()));
}

void SequencerPage::showClock()
{
    const Player::Clock& clock = player_.clock();
    const QString time = tr("%1ч %2м %3с ").arg(clock.hours).arg(clock.minutes).arg(clock.seconds);
    if (player_.playing()) {
        timeShow_->setText(tr("Шоу   = %1").arg(time));
    } else {
        timePause_->setText(tr("Паузa = %1").arg(time));
    }
}

}  // namespace velantra
