// Scene editing commands of the main window: insert, delete, clear, copy
// previous, the scene clipboard, auto-append and the one-level undo.
#include "app/base.h"

#include "programming/scene_ops.h"
#include "programming/sequencer_page.h"

#include <QAction>
#include <QToolButton>

namespace velantra {

namespace {
const char* const UndoButtons[] = {"SpeedButtonUndo1", "SpeedButtonUndo3", "SpeedButtonUndo4", "SpeedButtonUndo5"};
}  // namespace

bool TBaseForm::playing() const
{
    return engine_->shared.playMode.load(std::memory_order_relaxed) == 1;
}

void TBaseForm::setUndoEnabled(bool enabled)
{
    for (const char* name : UndoButtons) {
        if (auto* button = findChild<QToolButton*>(QString::fromLatin1(name))) {
            button->setEnabled(enabled);
        }
    }
}

void TBaseForm::ToMemoryUndo()
{
    OutStatus(tr("  данные сохранены "));
    setUndoEnabled(true);
    undo_->take(engine_->memory);
}

void TBaseForm::SpeedButtonUndo1Click()
{
    OutStatus(tr(" данные возвращены "));
    setUndoEnabled(false);
    restoreUndo();
}

void TBaseForm::restoreUndo()
{
    undo_->restore(engine_->memory);
    ReturnPageControlAll();
}

void TBaseForm::InsertScenaItemClick()
{
    if (playing()) {
        return;
    }
    ToMemoryUndo();
    InsertNewScena(*engine_);
    ReturnPageControlAll();
}

void TBaseForm::DeleteScenaItemClick()
{
    if (playing()) {
        return;
    }
    ToMemoryUndo();
    DeleteScena(*engine_);
    ReturnPageControlAll();
}

void TBaseForm::ClearScenaItemClick()
{
    if (playing()) {
        return;
    }
    ToMemoryUndo();
    clearScene(*engine_);
    ReturnPageControlAll();
}

void TBaseForm::CopyPredScenaClick()
{
    if (playing()) {
        return;
    }
    ToMemoryUndo();
    copyPreviousScene(*engine_);
    ReturnPageControlAll();
}

void TBaseForm::CopyToBufferItemClick()
{
    const QString n = QString::number(engine_->memory.get(CellScene) + 1);
    QToolButton* newPaste = sequencerPage_->editButton("SpeedButtonNewScenaPaste");
    QToolButton* paste = sequencerPage_->editButton("ButtonScenaPaste");
    newPaste->setToolTip(tr("Создать новую сцену после текущей и скопировать в нее сцену %1 из буфера").arg(n));
    paste->setToolTip(tr("Заменить текущую сцену Сценой %1 из буфера").arg(n));
    if (playing()) {
        return;
    }
    for (const char* name : {"NewPasteItem", "PasteFromBufferItem"}) {
        findChild<QAction*>(QString::fromLatin1(name))->setEnabled(true);
    }
    newPaste->setEnabled(true);
    paste->setEnabled(true);
    SaveToPaste(*engine_);
    OutStatus(tr(" Записать в буфер "));
    ReturnPageControlAll();
}

void TBaseForm::SpeedButtonNewScenaPasteClick()
{
    if (playing()) {
        return;
    }
    ToMemoryUndo();
    InsertNewScena(*engine_);
    ToMemoryUndo();  // the paste takes its own snapshot: undo keeps the inserted scene
    LoadFromPaste(*engine_);
    ReturnPageControlAll();
}

void TBaseForm::PasteFromBufferItemClick()
{
    if (playing()) {
        return;
    }
    ToMemoryUndo();
    ToMemoryUndo();
    LoadFromPaste(*engine_);
    ReturnPageControlAll();
}

void TBaseForm::AvtoDobScenaItemClick()
{
    OutStatus(tr(" Автодобавление сцен "));
}

}  // namespace velantra
