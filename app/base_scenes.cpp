// Scene editing commands of the main window: insert, delete, clear, copy
// previous, the scene clipboard, auto-append and the one-level undo.
#include "app/base.h"

#include "programming/sequencer_page.h"

#include <QAction>
#include <QToolButton>

namespace velantra {

namespace {
const char* const UndoButtons[] = {"SpeedButtonUndo1", "SpeedButtonUndo3", "SpeedButtonUndo4", "SpeedButtonUndo5"};
}  // namespace

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
    core_->takeUndo();  // the status line and the undo buttons follow
}

void TBaseForm::SpeedButtonUndo1Click()
{
    OutStatus(tr(" данные возвращены "));
    setUndoEnabled(false);
    restoreUndo();
}

void TBaseForm::restoreUndo()
{
    core_->restoreUndo();
    ReturnPageControlAll();
}

void TBaseForm::CopyToBufferItemClick()
{
    const QString n = QString::number(engine().memory.get(CellScene) + 1);
    QToolButton* newPaste = pages_.sequencerPage->editButton("SpeedButtonNewScenaPaste");
    QToolButton* paste = pages_.sequencerPage->editButton("ButtonScenaPaste");
    newPaste->setToolTip(tr("Создать новую сцену после текущей и скопировать в нее сцену %1 из буфера").arg(n));
    paste->setToolTip(tr("Заменить текущую сцену Сценой %1 из буфера").arg(n));
    if (!core_->sceneCommand(DeskCore::SceneCommand::CopyToClipboard)) {
        return;
    }
    for (const char* name : {"NewPasteItem", "PasteFromBufferItem"}) {
        findChild<QAction*>(QString::fromLatin1(name))->setEnabled(true);
    }
    newPaste->setEnabled(true);
    paste->setEnabled(true);
    OutStatus(tr(" Записать в буфер "));
    ReturnPageControlAll();
}

void TBaseForm::sceneCommand(DeskCore::SceneCommand command)
{
    if (core_->sceneCommand(command)) {
        ReturnPageControlAll();
    }
}

}  // namespace velantra
