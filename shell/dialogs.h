// Every question, warning and file dialog of the program is a real Qt dialog
// run through this one seam, so that tests can answer it without a human.
#pragma once

#include <QString>

#include <functional>

class QDialog;
class QFileDialog;
class QWidget;

namespace velantra {

// GUI thread. Runs a dialog modally and returns its result code. Tests set
// an answerer that inspects the real dialog (its text, filter, buttons),
// fills it in (selectFile) and returns the code, without showing it.
int execDialog(QDialog& dialog);

using DialogAnswerer = std::function<int(QDialog&)>;
// GUI thread. Installs an answerer (an empty one restores the real exec()).
void setDialogAnswerer(DialogAnswerer answerer);

// GUI thread. "Yes"/"No" confirmation box with a question icon; true on Yes.
bool askYesNo(QWidget* parent, const QString& text);
// GUI thread. The same with a warning icon.
bool warnYesNo(QWidget* parent, const QString& text);
// GUI thread. Warning with an OK button.
void warnOk(QWidget* parent, const QString& text);
// GUI thread. The runtime-style error box of a failed file operation.
void showIoError(QWidget* parent, const QString& text);

// A persistent file dialog whose current file name is part of the program's
// state (the open and save dialogs of shows, patches...).
class FileDialog {
public:
    enum class Mode { Open, Save };
    // GUI thread. filter uses Qt's syntax: "Файлы DMX Velantra  (*.vlt)". The
    // QFileDialog (a child of parent) is made at its first use and kept, so it
    // costs nothing at start and remembers its folder from one use to the next.
    FileDialog(QWidget* parent, const QString& objectName, Mode mode, const QString& filter,
               const QString& defaultSuffix);
    ~FileDialog();
    FileDialog(const FileDialog&) = delete;
    FileDialog& operator=(const FileDialog&) = delete;

    // GUI thread. Runs the dialog on the current file name; true when the
    // user confirmed, and fileName() is then the chosen path.
    bool execute();
    const QString& fileName() const { return *fileName_; }
    void setFileName(const QString& name) { *fileName_ = name; }
    // GUI thread. The file name is name from now on (a name its owner keeps,
    // shown and set by the dialog); name must outlive the dialog.
    void shareFileName(QString& name) { fileName_ = &name; }
    QFileDialog& dialog();

private:
    QWidget* parent_;
    QString objectName_;
    Mode mode_;
    QString filter_;
    QString defaultSuffix_;
    QFileDialog* dialog_ = nullptr;
    QString ownName_;
    QString* fileName_ = &ownName_;
};

}  // namespace velantra
