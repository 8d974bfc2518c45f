// TAboutForm: the "О программе" window. A fixed 361 x 192 sky-blue dialog
// with the program's name and version, two pictures drawn by the program
// itself and an OK button; while it is shown its caption flashes.
//
// Each opening makes a new window on the stack and runs it modally:
//     TAboutForm form(parent);
//     execDialog(form);
// nothing of it survives the closing.
#pragma once

#include <QDialog>
#include <QString>

class QLabel;
class QPushButton;
class QTimer;

namespace velantra {

class TAboutForm : public QDialog {
    Q_OBJECT
public:
    // GUI thread. The window is centred on parent's window, or on the screen without one.
    explicit TAboutForm(QWidget* parent = nullptr);

    static constexpr int ClientWidth = 361;
    static constexpr int ClientHeight = 192;
    static constexpr int FlashInterval = 300;  // ms

    // The caption the window opens and closes with.
    QString caption() const;

public slots:
    // GUI thread. One step of the caption's flashing.
    void TimerFlashTimer();

protected:
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
