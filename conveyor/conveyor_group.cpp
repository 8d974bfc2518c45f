#include "conveyor/conveyor_group.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QGridLayout>
#include <QLabel>
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
    button->setFixedSize(30, 18);
    return button;
}

}  // namespace

ConveyorGroup::ConveyorGroup(QWidget* parent)
    : QGroupBox(tr("Конвейр потоков Шоу "), parent)
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

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->setSpacing(1);
    layout->addLayout(grid);
    layout->addLayout(modeRow);
    layout->addLayout(keyRow);
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
    files[static_cast<std::size_t>(slot - 1)] = path;
    const char letter = conveyorLetter(slot);
    const QString prefix = letter != 0 ? QString(QLatin1Char(letter)) : QString();
    QString caption;
    if (!path.isEmpty()) {
        caption = (letter != 0 ? prefix + QLatin1Char('=') : QStringLiteral(" ")) + conveyorShortName(path, 8);
    } else {
        caption = letter != 0 ? prefix + tr(" пусто") : tr("пусто");
    }
    slotButton(slot)->setText(caption);
    setFilledLook(slot, !path.isEmpty());
}

}  // namespace velantra
