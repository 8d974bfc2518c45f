// The few services a page needs from the window it lives in. Pages keep a
// Shell&, never the window class; what else they want from the window or
// from other pages they ask for with signals, which the window connects.
#pragma once

#include <QString>

class QWidget;

namespace velantra {

class DeskControls;
class Engine;
class FileDialog;

class Shell {
public:
    // GUI thread, every one.
    virtual Engine& engine() = 0;
    // The desk's controls, which every surface drives and follows.
    virtual DeskControls& desk() = 0;
    // Appends a message to the status line; it clears 5 s after the first one.
    virtual void OutStatus(const QString& text) = 0;
    // Caption, tempo and scene counters from the show memory.
    virtual void ReturnDataSystem() = 0;
    // Everything that depends on the show: after every change of show, scene,
    // page or fader offset.
    virtual void ReturnPageControlAll() = 0;
    // Puts the undo snapshot back over the whole show and refreshes the views.
    virtual void restoreUndo() = 0;
    // Whether page is the page now shown in the window's page control.
    virtual bool pageShown(const QWidget* page) const = 0;
    // The show open dialog: its file name is the show in the window.
    virtual FileDialog& openDialogShou() = 0;
    // Replaces the show by the file path (the picture editor is closed first);
    // a failure is shown to the operator and leaves the show as it was.
    virtual void loadShow(const QString& path) = 0;

protected:
    ~Shell() = default;
};

}  // namespace velantra
