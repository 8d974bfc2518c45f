#include "programming/static_form.h"

#include "engine/engine.h"
#include "shell/dialogs.h"
#include "shell/shell.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QRadioButton>
#include <QScrollBar>
#include <QToolButton>
#include <QVBoxLayout>

namespace velantra {

namespace {

// Captions and name suffixes of the sixteen keys, in picture order.
const char* const KeyCaptions[16] = {"1", "2", "3", "4", "5", "6", "7", "8", "--", "Z", "X", "C", "V", "B", "N", "M"};
const char* const KeySuffixes[16] = {"1",     "2", "3", "4", "5", "6", "7", "8",
                                     "Space", "Z", "X", "C", "V", "B", "N", "M"};

QToolButton* toolButton(QWidget* parent, const QString& name, const QString& text, const QString& hint)
{
    auto* b = new QToolButton(parent);
    b->setObjectName(name);
    b->setText(text);
    b->setToolTip(hint);
    return b;
}

}  // namespace

TStaticForm::TStaticForm(Shell& form, QWidget* parent)
    : QDialog(parent)
    , form_(form)
    , scene_(new QScrollBar(Qt::Horizontal))
    , sceneLabel_(new QLabel)
{
    setObjectName(QStringLiteral("Static"));
    setWindowTitle(tr("Статические картинки"));
    setModal(false);

    QWidget* readGroup = buildKeys(tr("Считать"), "GroupBoxRead", "SpeedButtonRead",
                                   tr("Редактируемая статическая картинка"), read_, &TStaticForm::ReadChaserClick);
    QWidget* saveGroup = buildKeys(tr("Записать "), "GroupBoxSave", "SpeedButtonSave",
                                   tr("Записать в  статическую картинку"), save_, &TStaticForm::SaveChaserClick);

    auto* choose = new QGroupBox(tr(" Выбор сцены  "));
    choose->setObjectName(QStringLiteral("GroupBoxScene"));
    scene_->setObjectName(QStringLiteral("ScrollBar1"));
    scene_->setRange(0, 255);
    scene_->setPageStep(10);
    scene_->setValue(1);
    scene_->setMinimumWidth(140);
    sceneLabel_->setObjectName(QStringLiteral("Label1"));
    sceneLabel_->setText(QString::number(scene_->value() + 1));
    sceneLabel_->setFixedWidth(28);
    sceneLabel_->setAlignment(Qt::AlignCenter);
    connect(scene_, &QScrollBar::valueChanged, this, &TStaticForm::ScrollBar1Change);
    auto* chooseRow = new QHBoxLayout(choose);
    chooseRow->addWidget(scene_, 1);
    chooseRow->addWidget(sceneLabel_);

    auto* erase = new QGroupBox(tr("Стереть"));
    erase->setObjectName(QStringLiteral("GroupBoxErase"));
    QToolButton* del1 =
        toolButton(erase, QStringLiteral("SpeedButtonDel1"), tr("Стереть"), tr("Стереть редактируемую сцену"));
    QToolButton* delAll = toolButton(erase, QStringLiteral("SpeedButtonDelAll"), tr("Стереть все"),
                                     tr("Стереть все статические картинки "));
    undo_ = toolButton(erase, QStringLiteral("SpeedButtonUndoSt"), tr("Вернуть"), tr("Вернуть прежнюю сцену"));
    undo_->setEnabled(false);
    connect(del1, &QToolButton::clicked, this, &TStaticForm::SpeedButtonDel1Click);
    connect(delAll, &QToolButton::clicked, this, &TStaticForm::SpeedButtonDelAllClick);
    connect(undo_, &QToolButton::clicked, this, &TStaticForm::SpeedButtonUndoStClick);
    auto* eraseRow = new QHBoxLayout(erase);
    for (QToolButton* b : {del1, delAll, undo_}) {
        eraseRow->addWidget(b);
    }
    eraseRow->addStretch();

    auto* side = new QVBoxLayout;
    side->addWidget(choose);
    side->addWidget(erase);
    side->addStretch();
    auto* layout = new QHBoxLayout(this);
    layout->addWidget(readGroup);
    layout->addWidget(saveGroup);
    layout->addLayout(side);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    connect(this, &QDialog::finished, this, &TStaticForm::FormClose);
}

QWidget* TStaticForm::buildKeys(const QString& title, const char* group, const char* prefix, const QString& hint,
                                std::array<QToolButton*, 16>& buttons, void (TStaticForm::*handler)(int))
{
    auto* box = new QGroupBox(title);
    box->setObjectName(QString::fromLatin1(group));
    auto* grid = new QGridLayout(box);
    grid->setSpacing(2);
    for (int k = 0; k < 16; ++k) {
        QToolButton* b = toolButton(box, QString::fromLatin1(prefix) + QString::fromLatin1(KeySuffixes[k]),
                                    QString::fromLatin1(KeyCaptions[k]), hint);
        b->setCheckable(true);
        b->setFixedSize(30, 26);
        // Four columns of four: "1".."4" down the first, "5".."8", "--".."C", "V".."M".
        grid->addWidget(b, k % 4, k / 4);
        connect(b, &QToolButton::clicked, this, [this, handler, k] { (this->*handler)(k); });
        buttons[static_cast<std::size_t>(k)] = b;
    }
    return box;
}

void TStaticForm::release(std::array<QToolButton*, 16>& buttons)
{
    for (QToolButton* b : buttons) {
        b->setChecked(false);
    }
}

void TStaticForm::press(std::array<QToolButton*, 16>& buttons, int k)
{
    release(buttons);
    buttons[static_cast<std::size_t>(k)]->setChecked(true);
}

void TStaticForm::refreshAll()
{
    emit surfaceChanged(true);
}

void TStaticForm::showEditor()
{
    if (editing_) {
        raise();
        activateWindow();
        return;
    }
    // The boxes may hold clicks not yet stored; they belong to the show.
    emit fadersToMemoryWanted();
    session_ = beginPictureEdit(form_.engine());
    editing_ = true;
    disableMainUndo();
    emit editingChanged(true);
    release(read_);
    release(save_);
    undo_->setEnabled(false);
    show();
    raise();
}

void TStaticForm::disableMainUndo()
{
    // A copy taken on one side of the borrowing would, restored on the other,
    // put the drawing surface into the show's scene 0 or the show's scene 0
    // onto the surface.
    if (form_.engine().hooks.disableUndo) {
        form_.engine().hooks.disableUndo();
    }
}

void TStaticForm::FormClose()
{
    if (!editing_) {
        return;
    }
    editing_ = false;
    endPictureEdit(form_.engine(), session_);
    disableMainUndo();
    emit editingChanged(false);
}

void TStaticForm::ReadChaserClick(int k)
{
    press(read_, k);
    ReadChaser(form_.engine(), k);
    refreshAll();
    release(save_);
}

void TStaticForm::SaveChaserClick(int k)
{
    press(save_, k);
    emit fadersToMemoryWanted();
    SaveChaser(form_.engine(), k);
    release(read_);
}

void TStaticForm::ScrollBar1Change(int position)
{
    sceneLabel_->setText(QString::number(position + 1));
    copySceneToSurface(form_.engine(), position);
    release(read_);
    release(save_);
    refreshAll();
}

void TStaticForm::takeUndo()
{
    emit undoSnapshotWanted();
    undo_->setEnabled(true);
    release(read_);
    release(save_);
}

void TStaticForm::SpeedButtonDel1Click()
{
    if (!askYesNo(this, tr("Удалить статическую картинку?"))) {
        return;
    }
    takeUndo();
    clearSurface(form_.engine());
    refreshAll();
}

void TStaticForm::SpeedButtonDelAllClick()
{
    if (!askYesNo(this, tr("Удалить все Статические картинки?"))) {
        return;
    }
    takeUndo();
    clearAllPictures(form_.engine());
    refreshAll();
}

void TStaticForm::SpeedButtonUndoStClick()
{
    undo_->setEnabled(false);
    form_.restoreUndo();
    emit surfaceChanged(false);
}

}  // namespace velantra
