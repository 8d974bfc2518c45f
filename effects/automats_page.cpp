#include "effects/automats_page.h"

#include "channels/channel_names.h"
#include "desk/player.h"
#include "engine/automat.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QFrame>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QScopedValueRollback>
#include <QScrollBar>
#include <QTimer>
#include <QToolButton>
#include <QVBoxLayout>

namespace velantra {

namespace {

constexpr int LevelBarStart = 127;
const QColor BeatRed(Qt::red);
const QColor BeatLime(0, 255, 0);

// objectName: prefix, automat number, suffix.
QString name(const char* prefix, int a, const char* suffix = "")
{
    return QString::fromLatin1(prefix) + QString::number(a + 1) + QString::fromLatin1(suffix);
}

QScrollBar* bar(Qt::Orientation orientation, const QString& objectName, int low, int high, int start,
                const QString& hint, QWidget* parent)
{
    auto* b = new QScrollBar(orientation, parent);
    b->setObjectName(objectName);
    b->setRange(low, high);
    b->setValue(start);
    b->setToolTip(hint);
    return b;
}

QLabel* label(const QString& objectName, QWidget* parent)
{
    auto* l = new QLabel(parent);
    l->setObjectName(objectName);
    return l;
}

// A plain coloured area standing for a lamp.
QFrame* swatch(const QString& objectName, const QColor& colour, QWidget* parent)
{
    auto* f = new QFrame(parent);
    f->setObjectName(objectName);
    f->setFrameShape(QFrame::Box);
    f->setAutoFillBackground(true);
    QPalette p = f->palette();
    p.setColor(QPalette::Window, colour);
    f->setPalette(p);
    return f;
}

void paint(QFrame* f, const QColor& colour)
{
    QPalette p = f->palette();
    p.setColor(QPalette::Window, colour);
    f->setPalette(p);
}

QString programHint(int program)
{
    switch (program) {
    case 1:
        return AutomatsPage::tr("Выбор эффекта один бегущий огонек");
    case 2:
        return AutomatsPage::tr("Выбор эффекта два бегущих огонька");
    case 3:
        return AutomatsPage::tr("Выбор эффекта бегущая тень");
    default:
        return AutomatsPage::tr("Выбор эффекта код с наполнением");
    }
}

}  // namespace

AutomatsPage::AutomatsPage(Player& player, QWidget* parent)
    : QWidget(parent)
    , player_(player)
    , engine_(player.engine())
{
    setObjectName(QStringLiteral("AutomatsPage"));
    QFont small = font();
    small.setPointSize(8);
    setFont(small);

    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(4, 4, 4, 4);
    row->setSpacing(6);
    for (int a = 0; a < AutomatCount; ++a) {
        row->addWidget(buildAutomat(a), 1);
    }

    for (int a = 0; a < AutomatCount; ++a) {
        showChannels(a);
        showSpeed(a, player_.automatTimer(a)->interval());
        display(a);
    }
    connect(&player_, &Player::automatTicked, this, &AutomatsPage::ticked);
    connect(&player_, &Player::automatTempoChanged, this, &AutomatsPage::showSpeed);
    // An automat's speed set through any surface: its bar shows it.
    connect(&player_, &Player::automatTempoChanged, this, [this](int a) {
        c_[a].tempo->setValue(engine_.memory.get(AutomatSetups[static_cast<std::size_t>(a)].tempoCell));
    });
}

QWidget* AutomatsPage::buildAutomat(int a)
{
    Controls& c = c_[a];
    auto* group =
        new QGroupBox(a == 0 ? tr("Автомат 1  четырех канальный ") : tr("Автомат 2  четырех канальный "), this);
    group->setObjectName(name("GroupBoxAvtomat", a));

    c.channels = label(name("LabelSeq", a, "Ch"), group);
    c.channelName = label(name("LabelSeq", a, "ChName"), group);
    c.channel = bar(Qt::Horizontal, name("ScrollBarChannelAvtomat", a), 0, AutomatFirstMax, 0,
                    tr("Установка первого канала, с которого будет работать автомат бегушки"), group);
    c.tempo = bar(Qt::Horizontal, name("ScrollBarTempAvtomat", a), AutomatTempoMin, AutomatTempoMax,
                  AutomatTempoDefault, tr("Скорость переключения автомата"), group);
    c.speed = label(name("LabelTempAvtomat", a), group);

    // The level bars have 255 at the top: the stored level is 255 minus the
    // position, so the plain bar (position 0 at the top, Up and the wheel
    // moving towards it) raises the level when pushed up.
    c.bright = bar(Qt::Vertical, name("ScrollBarBrightAvtomat", a), 0, 255, LevelBarStart,
                   tr("Максимальная яркость автомата"), group);
    c.dark = bar(Qt::Vertical, name("ScrollBarDarkAvtomat", a), 0, 255, LevelBarStart,
                 tr("Минимальная яркость автомата"), group);

    c.programs = new QButtonGroup(group);
    c.programs->setExclusive(true);
    auto* programRow = new QHBoxLayout;
    programRow->setSpacing(2);
    for (int p = 1; p <= AutomatPrograms; ++p) {
        auto* button = new QToolButton(group);
        button->setObjectName(name("SpeedButtonAvto", a, "Mode") + QString::number(p));
        button->setText(QString::number(p));
        button->setToolTip(programHint(p));
        button->setCheckable(true);
        button->setChecked(p == 1);
        button->setFixedSize(30, 24);
        c.programs->addButton(button, p);
        programRow->addWidget(button);
    }
    programRow->addStretch();

    c.runAlone = new QCheckBox(tr("Пуск самостоятельно"), group);
    c.runAlone->setObjectName(name("CheckBoxAvtomat", a));
    c.runAlone->setToolTip(tr("Запусить автомат постоянно"));
    c.withSequencer = new QCheckBox(tr("С основным"), group);
    c.withSequencer->setObjectName(name("CheckBoxTogethe", a));
    c.withSequencer->setToolTip(tr("Установленный флажок будет запускать автомат вместе с секвенсером 1"));

    c.beat = swatch(name("ShapeAvtomat", a), BeatRed, group);
    c.beat->setFrameShape(QFrame::NoFrame);
    c.beat->setFixedHeight(6);
    auto* swatchRow = new QHBoxLayout;
    swatchRow->setSpacing(4);
    for (int i = 0; i < AutomatSlots; ++i) {
        c.swatches[i] = swatch(name("ShapeAvt", a, "Seq") + QString::number(i + 1), Qt::black, group);
        c.swatches[i]->setFixedSize(40, 40);
        swatchRow->addWidget(c.swatches[i]);
    }
    swatchRow->addStretch();
    c.step = label(name("LabelStepAvtomat", a), group);

    // Level bars with their caption on the left, the output display on the right.
    auto* levels = new QGridLayout;
    levels->setHorizontalSpacing(8);
    levels->addWidget(new QLabel(tr("Яркость"), group), 0, 0, 1, 2, Qt::AlignHCenter);
    levels->addWidget(c.bright, 1, 0, 5, 1, Qt::AlignHCenter);
    levels->addWidget(c.dark, 1, 1, 5, 1, Qt::AlignHCenter);
    levels->addLayout(swatchRow, 1, 2);
    levels->addWidget(c.beat, 2, 2);
    levels->addWidget(c.step, 3, 2);
    levels->setRowStretch(5, 1);
    levels->setColumnStretch(2, 1);
    c.bright->setMinimumHeight(230);
    c.dark->setMinimumHeight(230);

    auto* column = new QVBoxLayout(group);
    column->setContentsMargins(6, 4, 6, 6);
    column->setSpacing(4);
    column->addWidget(c.channels);
    column->addWidget(c.channelName);
    column->addWidget(c.channel);
    column->addSpacing(6);
    column->addWidget(c.tempo);
    column->addWidget(c.speed);
    column->addSpacing(6);
    column->addLayout(programRow);
    column->addWidget(c.runAlone);
    column->addWidget(c.withSequencer);
    column->addSpacing(6);
    column->addLayout(levels, 1);

    const AutomatSetup& setup = AutomatSetups[a];
    connect(c.channel, &QScrollBar::valueChanged, this, [this, a](int position) { channelChanged(a, position); });
    connect(c.tempo, &QScrollBar::valueChanged, this, [this, a, setup](int position) {
        engine_.memory.set(setup.tempoCell, static_cast<std::uint8_t>(position));
        tempoStatus(a);
    });
    connect(c.bright, &QScrollBar::valueChanged, this,
            [this, setup](int position) { engine_.memory.set(setup.brightCell, clampLevel(255 - position)); });
    connect(c.dark, &QScrollBar::valueChanged, this,
            [this, setup](int position) { engine_.memory.set(setup.darkCell, clampLevel(255 - position)); });
    connect(c.programs, &QButtonGroup::idClicked, this,
            [this, setup](int program) { engine_.memory.set(setup.programCell, static_cast<std::uint8_t>(program)); });
    connect(c.programs, &QButtonGroup::idToggled, this, [this, a](int program, bool down) {
        if (down) {
            player_.setAutomatProgram(a, program);
        }
    });
    for (QCheckBox* run : {c.runAlone, c.withSequencer}) {
        connect(run, &QCheckBox::toggled, this,
                [this, a] { player_.setAutomatRun(a, c_[a].runAlone->isChecked(), c_[a].withSequencer->isChecked()); });
    }
    return group;
}

void AutomatsPage::TempAvtomat1Status()
{
    tempoStatus(0);
}

void AutomatsPage::TempAvtomat2Status()
{
    tempoStatus(1);
}

void AutomatsPage::JobAvtomat1()
{
    job(0);
}

void AutomatsPage::JobAvtomat2()
{
    job(1);
}

void AutomatsPage::DisplayAvtomat1()
{
    display(0);
}

void AutomatsPage::DisplayAvtomat2()
{
    display(1);
}

void AutomatsPage::TimerTempAvtomat1Timer()
{
    player_.automatTick(0);
}

void AutomatsPage::TimerTempAvtomat2Timer()
{
    player_.automatTick(1);
}

void AutomatsPage::ReturnAvtomat()
{
    const QScopedValueRollback guard(returning_, true);
    // The player takes the settings (cells the bars cannot show brought
    // within them, first channels, programs, step periods); the controls
    // then show the cells.
    player_.takeAutomatSettings();
    for (int a = 0; a < AutomatCount; ++a) {
        const AutomatSetup& setup = AutomatSetups[a];
        c_[a].dark->setValue(255 - engine_.memory.get(setup.darkCell));
        c_[a].bright->setValue(255 - engine_.memory.get(setup.brightCell));
        c_[a].channel->setValue(engine_.memory.get(setup.channelCell));
    }
    for (int a = 0; a < AutomatCount; ++a) {
        showChannels(a);
    }
    for (int a = 0; a < AutomatCount; ++a) {
        const AutomatSetup& setup = AutomatSetups[a];
        c_[a].tempo->setValue(engine_.memory.get(setup.tempoCell));
        const int program = engine_.memory.get(setup.programCell);
        if (program >= 1 && program <= AutomatPrograms) {
            // setChecked emits no click: the cell keeps its value, and the
            // next step reads the button that is down.
            c_[a].programs->button(program)->setChecked(true);
        }
    }
}

void AutomatsPage::refresh()
{
    ReturnAvtomat();
    DisplayAvtomat1();
    DisplayAvtomat2();
}

void AutomatsPage::tempoStatus(int a)
{
    player_.refreshAutomatTempo(a);
}

void AutomatsPage::job(int a)
{
    runAutomatStep(engine_, a, player_.automatProgram(a));
    display(a);
}

void AutomatsPage::display(int a)
{
    const AutomatState& automat = engine_.automats[a];
    c_[a].step->setText(tr("Step = %1").arg(automat.step.load(std::memory_order_relaxed) + 1));
    for (int i = 0; i < AutomatSlots; ++i) {
        const int level = automat.levels[i].load(std::memory_order_relaxed);
        paint(c_[a].swatches[i], QColor(level, level, level));
    }
}

void AutomatsPage::ticked(int a, bool stepped)
{
    QFrame* beat = c_[a].beat;
    paint(beat, beat->palette().color(QPalette::Window) == BeatRed ? BeatLime : BeatRed);
    if (stepped) {
        display(a);
    }
}

void AutomatsPage::showChannels(int a)
{
    const int first = c_[a].channel->value();
    c_[a].channels->setText(tr(" Каналы %1  %2  %3  %4").arg(first + 1).arg(first + 2).arg(first + 3).arg(first + 4));
    c_[a].channelName->setText(tr(" Начиная от - %1").arg(nameLabel(engine_.memory, first + 1)));
}

void AutomatsPage::showSpeed(int a, int periodMs)
{
    c_[a].speed->setText(tr("%1 Flash/мин ").arg(automatFlashesPerMinute(periodMs)));
}

void AutomatsPage::channelChanged(int a, int position)
{
    setAutomatFirst(engine_, a, position);
    if (returning_) {
        return;  // the running ReturnAvtomat shows the new channels itself
    }
    ReturnAvtomat();
}

}  // namespace velantra
