#include "conveyor/conveyor_group.h"

#include "desk/desk_controls.h"
#include "desk/player.h"
#include "engine/engine.h"
#include "shell/dialogs.h"
#include "shell/shell.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QGridLayout>
#include <QLabel>
#include <QMouseEvent>
#include <QToolButton>
#include <QVBoxLayout>

namespace velantra {

namespace {

QToolButton* modeButton(const char* name, const QString& text, const QString& hint, QWidget* parent)
{
    auto* button = new QToolButton(parent);
    button->setObjectName(QString::fromLatin1(name));
    button->setText(text);
    button->setToolTip(hint);
    button->setFixedSize(30, 17);
    return button;
}

// "Q=" before a slot's show name; slot 20, which has no key, gets a blank.
QString namePrefix(int slot)
{
    const char letter = conveyorLetter(slot);
    return letter != 0 ? QString(QLatin1Char(letter)) + QLatin1Char('=') : QStringLiteral(" ");
}

}  // namespace

ConveyorGroup::ConveyorGroup(Shell& shell, Player& player, QWidget* parent)
    : QGroupBox(tr("Конвейр потоков Шоу "), parent)
    , files(player.conveyor().files)
    , shell_(shell)
    , player_(player)
    , modes_(new QButtonGroup(this))
    , label_(new QLabel(tr("No job"), this))
    , keyboard_(new QCheckBox(tr("Вкл"), this))
{
    setObjectName(QStringLiteral("GroupBoxKonveyr"));
    auto* grid = new QGridLayout;
    grid->setSpacing(1);
    for (int slot = 1; slot <= ConveyorSlots; ++slot) {
        auto* button = new QToolButton(this);
        button->setObjectName(QStringLiteral("SpeedButton%1").arg(slot));
        button->setCheckable(true);
        button->setFixedSize(68, 16);
        button->setText(tr("(пусто)"));
        button->setToolTip(tr("Имя введенного файла на кнопке  -  вводить Имя правой кнопкой"));
        // The right button chooses the slot's show: no context menu, no toggle.
        button->setContextMenuPolicy(Qt::PreventContextMenu);
        button->installEventFilter(this);
        connect(button, &QToolButton::toggled, this, [this, slot](bool down) { list().setDown(slot, down); });
        connect(button, &QToolButton::clicked, this, [this, slot] { slotJob(slot); });
        slots_[static_cast<std::size_t>(slot - 1)] = button;
        grid->addWidget(button, (slot - 1) % 10, (slot - 1) / 10);
        setFilledLook(slot, false);
    }

    auto* spisBegin = modeButton("SpeedButtonKonvSpisBegin", QStringLiteral("|>"),
                                 tr("Запустить Конвейр Шоу  с первой активной кнопки"), this);
    auto* spis =
        modeButton("SpeedButtonKonvSpis", QStringLiteral(">"), tr("Запустить конвейр Шоу  с текущей позиции "), this);
    auto* hand = modeButton("SpeedButtonKonvHand", QStringLiteral("H"),
                            tr("Остановить Шоу   и  разрешить проигрывание выбранного Шоу"), this);
    auto* off = modeButton("SpeedButtonKonvOff", QStringLiteral("[]"),
                           tr("Остановить конвейр и разрешить набор конвейра Шоу"), this);
    auto* clear = modeButton("SpeedButtonKonvNew", QStringLiteral("X"), tr("Очистить конвейр Шоу"), this);
    for (QToolButton* button : {spisBegin, spis, hand, off}) {
        button->setCheckable(true);
        modes_->addButton(button);
    }
    modes_->setExclusive(true);
    hand->setChecked(true);
    hand_ = hand;
    connect(spisBegin, &QToolButton::clicked, this, &ConveyorGroup::SpeedButtonKonvSpisBeginClick);
    connect(spis, &QToolButton::clicked, this, &ConveyorGroup::SpeedButtonKonvSpisClick);
    connect(hand, &QToolButton::clicked, this, [this] {
        setMode(ConveyorList::Mode::Hand);
        player_.stop();
    });
    connect(off, &QToolButton::clicked, this, [this] {
        setMode(ConveyorList::Mode::Off);
        player_.stop();
    });
    connect(clear, &QToolButton::clicked, this, &ConveyorGroup::SpeedButtonKonvNewClick);
    connect(&player_, &Player::conveyorStepped, this, &ConveyorGroup::showStep);
    // A slot chosen through any surface: its key shows it, and its show is loaded.
    connect(&shell_.desk(), &DeskControls::changed, this, [this](DeskControls::Control control, int slot) {
        if (control == DeskControls::Control::ConveyorSlot) {
            KonveyrButtonOff();
            slotButton(slot)->setChecked(true);
        }
    });
    // The desk has loaded the slot's show (from scene 0): its name and the pages follow.
    connect(&shell_.desk(), &DeskControls::showWanted, this, &ConveyorGroup::ManualLoad);

    label_->setObjectName(QStringLiteral("LabelKonveyr"));
    label_->setMinimumWidth(100);
    keyboard_->setObjectName(QStringLiteral("CheckBoxKeyKonveyr"));
    keyboard_->setToolTip(tr("Включить горячие кнопки клавиатуру"));
    keyboard_->setChecked(true);
    auto* keyboardCaption = new QLabel(tr("Клавиатура"), this);

    auto* modeRow = new QHBoxLayout;
    modeRow->setSpacing(2);
    for (QToolButton* button : {spisBegin, spis, hand, off, clear}) {
        modeRow->addWidget(button);
    }
    modeRow->addStretch();
    auto* keyRow = new QHBoxLayout;
    keyRow->addWidget(label_, 1);
    keyRow->addWidget(keyboardCaption);
    keyRow->addWidget(keyboard_);

    keyboard_->setFixedHeight(16);  // compact: the column shares the window's height

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(4, 2, 4, 2);
    layout->setSpacing(1);
    layout->addLayout(grid);
    layout->addLayout(modeRow);
    layout->addLayout(keyRow);
}

ConveyorList& ConveyorGroup::list()
{
    return player_.conveyor();
}

int ConveyorGroup::position() const
{
    return player_.conveyor().position;
}

void ConveyorGroup::setMode(ConveyorList::Mode mode)
{
    player_.setConveyorMode(mode);
}

void ConveyorGroup::setFilledLook(int slot, bool filled)
{
    QToolButton* button = slotButton(slot);
    QFont font = button->font();
    font.setBold(filled);
    button->setFont(font);
    QPalette palette = button->palette();
    palette.setColor(QPalette::ButtonText, filled ? QColor(Qt::darkBlue) : QColor(Qt::red));
    button->setPalette(palette);
}

void ConveyorGroup::showSlotFromSettings(int slot, const QString& path)
{
    list().setFile(slot, path);
    const char letter = conveyorLetter(slot);
    const QString prefix = letter != 0 ? QString(QLatin1Char(letter)) : QString();
    QString caption;
    if (!path.isEmpty()) {
        caption = (letter != 0 ? prefix + QLatin1Char('=') : QStringLiteral(" ")) + conveyorShortName(path, 8);
    } else {
        caption = letter != 0 ? tr("%1 пусто").arg(prefix) : tr("пусто");
    }
    slotButton(slot)->setText(caption);
    setFilledLook(slot, !path.isEmpty());
}

bool ConveyorGroup::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::MouseButtonPress && static_cast<QMouseEvent*>(event)->button() == Qt::RightButton) {
        for (int k = 1; k <= ConveyorSlots; ++k) {
            if (watched == slotButton(k)) {
                chooseSlotShow(k);
                return true;
            }
        }
    }
    return QGroupBox::eventFilter(watched, event);
}

void ConveyorGroup::chooseSlotShow(int k)
{
    FileDialog& dialog = shell_.openDialogShou();
    const QString previous = dialog.fileName();
    if (!dialog.execute()) {
        dialog.setFileName(previous);
        return;
    }
    list().setFile(k, dialog.fileName());
    setFilledLook(k, true);
    ConvertorFileName();
    slotButton(k)->setText(namePrefix(k) + conveyorName_);
}

void ConveyorGroup::ConvertorFileName()
{
    conveyorName_ = conveyorShortName(shell_.openDialogShou().fileName(), 7);
}

void ConveyorGroup::ManualLoad()
{
    ConvertorFileName();
    label_->setText(conveyorName_);
    shell_.ReturnPageControlAll();
}

void ConveyorGroup::slotJob(int k)
{
    if (k < 1 || k > ConveyorSlots || !hand_->isChecked()) {
        return;
    }
    shell_.desk().chooseConveyorSlot(k);
}

void ConveyorGroup::KonveyrButtonOff()
{
    for (QToolButton* button : slots_) {
        button->setChecked(false);
    }
}

void ConveyorGroup::KonveyrJob()
{
    player_.conveyorStep();
}

void ConveyorGroup::showStep(int shown)
{
    ConvertorFileName();
    if (shown != 0) {
        label_->setText(QString::number(shown) + QLatin1Char(' ') + conveyorName_);
    }
}

void ConveyorGroup::SpeedButtonKonvSpisBeginClick()
{
    setMode(ConveyorList::Mode::List);
    list().position = 1;
    KonveyrJob();
    player_.play();
}

void ConveyorGroup::SpeedButtonKonvSpisClick()
{
    setMode(ConveyorList::Mode::List);
    KonveyrJob();
    player_.play();
}

void ConveyorGroup::SpeedButtonKonvNewClick()
{
    if (!warnYesNo(this, tr("Удалить все файлы конвейра ? "))) {
        return;
    }
    for (int k = 1; k <= ConveyorSlots; ++k) {
        list().setFile(k, QString());
        setFilledLook(k, false);
        const char letter = conveyorLetter(k);
        slotButton(k)->setText(letter != 0 ? tr("%1 (пусто)").arg(QLatin1Char(letter)) : tr("(пусто)"));
        slotButton(k)->setChecked(false);
    }
}

}  // namespace velantra
