// The window "Статические картинки": recalls, stores and erases the sixteen
// static pictures, drawing on the fader page (scene 0 and the selection).
// Not modal; it stays above the main window while open.
#pragma once

#include "programming/pictures.h"

#include <QDialog>

#include <array>

class QLabel;
class QScrollBar;
class QToolButton;

namespace velantra {

class Shell;

class TStaticForm : public QDialog {
    Q_OBJECT
public:
    // GUI thread. shell must outlive the editor; parent: the window.
    TStaticForm(Shell& shell, QWidget* parent);

    // GUI thread. Borrows the surface from the show and shows the window;
    // when it is already open, only brings it to the front.
    void showEditor();
    // GUI thread. True from open() until the window has given the surface back.
    bool editing() const { return editing_; }
    // GUI thread. What the window borrowed, while editing().
    const PictureEditSession& session() const { return session_; }

    // k: 0..15 in key order.
    QToolButton* readButton(int k) const { return read_[static_cast<std::size_t>(k)]; }
    QToolButton* saveButton(int k) const { return save_[static_cast<std::size_t>(k)]; }

signals:
    // The editor borrowed the surface (true) or gave it back (false).
    void editingChanged(bool editing);
    // The fader boxes may hold clicks not yet stored: store them now.
    void fadersToMemoryWanted();
    // The surface changed: the fader boxes and bars are to show it again,
    // with the common refresh (withRefresh) or without.
    void surfaceChanged(bool withRefresh);
    void undoSnapshotWanted();

public slots:
    void ReadChaserClick(int k);
    void SaveChaserClick(int k);
    void ScrollBar1Change(int position);
    void SpeedButtonDel1Click();
    void SpeedButtonDelAllClick();
    void SpeedButtonUndoStClick();

private:
    QWidget* buildKeys(const QString& title, const char* group, const char* prefix, const QString& hint,
                       std::array<QToolButton*, 16>& buttons, void (TStaticForm::*handler)(int));
    void release(std::array<QToolButton*, 16>& buttons);
    void press(std::array<QToolButton*, 16>& buttons, int k);
    void refreshAll();
    void takeUndo();
    void FormClose();
    void disableMainUndo();

    Shell& form_;
    std::array<QToolButton*, 16> read_{};
    std::array<QToolButton*, 16> save_{};
    QScrollBar* scene_;
    QLabel* sceneLabel_;
    QToolButton* undo_ = nullptr;
    PictureEditSession session_;
    bool editing_ = false;
};

}  // namespace velantra
