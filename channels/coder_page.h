// The page "DMX coder": the output patch. Thirty rows, each a source selector
// for one output channel, scroll over output channels 1..255; the table lives
// in the engine (Engine::coderTable), which the output tick applies to every
// frame. The page also loads and saves the table as a patch file.
#pragma once

#include "desk/desk_core.h"
#include "engine/engine.h"

#include <QString>
#include <QWidget>

#include <array>
#include <memory>

class QButtonGroup;
class QLabel;
class QScrollBar;
class QToolButton;

namespace velantra {

class FileDialog;

class CoderPage : public QWidget {
    Q_OBJECT
public:
    static constexpr int Rows = 30;
    static constexpr int OffsetMax = 255 - Rows;  // the last row then edits output channel 255
    static constexpr int StartCoarseStep = 12;

    // GUI thread. engine must outlive the page. Until startUp the rows carry
    // their design-time captions and the table is left as it is.
    explicit CoderPage(Engine& engine, QWidget* parent = nullptr);
    ~CoderPage() override;

    // GUI thread. The last step of the main window's creation, after the
    // settings were read: loads the remembered patch file or, when there is
    // none, writes the identity patch to the data directory and uses that.
    void startUp(const QString& rememberedName);
    // GUI thread. The same once the desk has done it: what it came to is said
    // (a failure in the error box) and shown.
    void showStartUp(const DeskCore::PatchAtStart& loaded, const QString& rememberedName);

    // GUI thread. Every row from the table at the current page offset. The
    // table itself is not written: an entry a selector cannot show (0, or
    // above 255) stays as it is, and its label tells the true source.
    void UpDateDmxCoder();

    // GUI thread. The operator's actions, also run by the controls.
    void ScrollBarCoderChange(int row);      // row 1..30 moved: its entry := position
    void ScrollBarCoderPosChange();          // the page offset moved
    void SpeedButtonResetCoderClick();       // entries 1..512 := identity, entry 0 kept
    void SpeedButtonCoderChClick(int step);  // coarse step of every source selector
    void SpeedButtonOpenCoderTabClick();     // load a patch file
    void SpeedButtonSaveCoderTabClick();     // save the table as a patch file

    // GUI thread. The save dialog's file name, kept in the settings at exit.
    QString savingName() const;
    FileDialog& openDialog() { return *openDialog_; }
    FileDialog& saveDialog() { return *saveDialog_; }

signals:
    // The patch was saved under a new name: the one the settings keep.
    void savingNameChanged(const QString& name);
    // A line for the main window's status bar.
    void status(const QString& text);

private:
    QWidget* buildRows();
    QWidget* buildButtons();
    void showRow(int row);
    QString startCodeText() const;  // what the frame's start code is made of
    int offset() const;

    Engine& engine_;
    std::array<QLabel*, Rows> labels_{};
    std::array<QScrollBar*, Rows> sources_{};
    QScrollBar* position_ = nullptr;
    QButtonGroup* steps_ = nullptr;
    QLabel* fileLabel_ = nullptr;
    QLabel* startCodeLabel_ = nullptr;
    std::unique_ptr<FileDialog> openDialog_;
    std::unique_ptr<FileDialog> saveDialog_;
};

}  // namespace velantra
