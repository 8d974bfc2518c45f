// TAboutForm: the "О программе" window. A fixed 361 x 192 sky-blue dialog
// with the program's name and version, two pictures drawn by the program
// itself and an OK button; while it is shown its frame flashes.
//
// Each opening makes a new window on the stack and runs it modally:
//     TAboutForm form(parent);
//     execDialog(form);
// nothing of it survives the closing.
#pragma once

#include <QColor>
#include <QDialog>
#include <QString>

class QLabel;
class QPushButton;
class QTimer;

namespace velantra {

class TAboutForm : public QDialog {
    Q_OBJECT
public:
    // GUI thread. The window is centred on the screen (parent's screen, when it has one).
    explicit TAboutForm(QWidget* parent = nullptr);

    static constexpr int ClientWidth = 361;
    static constexpr int ClientHeight = 192;
    static constexpr int FlashInterval = 300;  // ms
    static constexpr int FrameWidth = 3;       // px of the flashing frame

    // The caption the window opens and closes with.
    QString caption() const;

    // GUI thread. The colour the frame has now: the active title colour
    // while lit, the form's own colour between the flashes.
    QColor frameColor() const;

public slots:
    // GUI thread. One step of the frame's flashing.
    void TimerFlashTimer();

protected:
    void paintEvent(QPaintEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    QLabel* labelName_;
    QLabel* labelVersion_;
    QLabel* image1_;
    QLabel* image2_;
    QPushButton* okButton_;
    QTimer* timerFlash_;
    bool flashOn_ = false;
};

}  // namespace velantra
