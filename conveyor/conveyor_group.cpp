#include "conveyor/conveyor_group.h"

#include "app/base.h"
#include "app/dialogs.h"
#include "engine/show_memory.h"
#include "programming/sequencer_page.h"

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

ConveyorGroup::ConveyorGroup(TBaseForm& form, QWidget* parent)
    : QGroupBox(tr("Конвейр потоков Шоу "), parent)
    , form_(form)
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
    connect(hand, &QToolButton::clicked, this, [this] { form_.sequencerPage()->ModeStop(); });
    connect(off, &QToolButton::clicked, this, [this] { form_.sequencerPage()->ModeStop(); });
    connect(clear, &QToolButton::clicked, this, &ConveyorGroup::SpeedButtonKonvNewClick);
    form_.konveyrJob = [this] { KonveyrJob(); };

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
    FileDialog& dialog = form_.openDialogShou();
    const QString previous = dialog.fileName();
    if (!dialog.execute()) {
        dialog.setFileName(previous);
        return;
    }
    files[static_cast<std::size_t>(k - 1)] = dialog.fileName();
    setFilledLook(k, true);
    ConvertorFileName();
    slotButton(k)->setText(namePrefix(k) + conveyorName_);
}

void ConveyorGroup::ConvertorFileName()
{
    conveyorName_ = conveyorShortName(form_.openDialogShou().fileName(), 7);
}

void ConveyorGroup::ManualLoad()
{
    form_.closePictureEditor();
    form_.BlocOpenFile();  // a failure has been shown; the scene and label follow all the same
    form_.engine().memory.set(CellScene, 0);
    ConvertorFileName();
    label_->setText(conveyorName_);
    form_.ReturnPageControlAll();
}

void ConveyorGroup::slotJob(int k)
{
    if (k < 1 || k > ConveyorSlots || !hand_->isChecked()) {
        return;
    }
    KonveyrButtonOff();
    slotButton(k)->setChecked(true);
    if (filled(k)) {
        form_.openDialogShou().setFileName(files[static_cast<std::size_t>(k - 1)]);
        ManualLoad();
    }
}

void ConveyorGroup::KonveyrButtonOff()
{
    for (QToolButton* button : slots_) {
        button->setChecked(false);
    }
}

void ConveyorGroup::KonveyrJob()
{
    // Only one show per step: once slot k is loaded the position stays at k,
    // which no later index of this pass matches.
    for (int k = 1; k <= ConveyorSlots; ++k) {
        if (conveyorPos_ != k) {
            continue;
        }
        if (slotButton(k)->isChecked() && filled(k)) {
            form_.openDialogShou().setFileName(files[static_cast<std::size_t>(k - 1)]);
            form_.closePictureEditor();
            form_.BlocOpenFile();  // a failed load is shown; the next step goes on after it
        } else {
            conveyorPos_ = k + 1;
        }
    }
    form_.engine().memory.set(CellScene, 0);
    ConvertorFileName();
    if (conveyorPos_ <= ConveyorSlots) {
        label_->setText(QString::number(conveyorPos_) + QLatin1Char(' ') + conveyorName_);
    }
    ++conveyorPos_;
    if (conveyorPos_ > ConveyorSlots) {
        conveyorPos_ = 1;
    }
}

void ConveyorGroup::SpeedButtonKonvSpisBeginClick()
{
    conveyorPos_ = 1;
    KonveyrJob();
    form_.sequencerPage()->ModePlay();
}

void ConveyorGroup::SpeedButtonKonvSpisClick()
{
    KonveyrJob();
    form_.sequencerPage()->ModePlay();
}

void ConveyorGroup::SpeedButtonKonvNewClick()
{
    if (!warnYesNo(this, tr("Удалить все файлы конвейра ? "))) {
        return;
    }
    for (int k = 1; k <= ConveyorSlots; ++k) {
        files[static_cast<std::size_t>(k - 1)].clear();
        setFilledLook(k, false);
        const char letter = conveyorLetter(k);
        slotButton(k)->setText(letter != 0 ? QString(QLatin1Char(letter)) + tr(" (пусто)") : tr("(пусто)"));
        slotButton(k)->setChecked(false);
    }
}

}  // namespace velantra
