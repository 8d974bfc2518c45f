// The page "Редактор луча": the path that two neighbouring channels (a moving
// head's X and Y) take over a range of scenes, drawn on a 256 x 256 view and
// edited there by dragging points, by the transform buttons (shift, mirror,
// size, with auto-repeat), by a turn, by the nine figure generators and by a
// copy into up to three other channel pairs.
//
// The edited pair is channels c + 1 and c + 2 with c the position of the
// first channel bar, kept in the engine's shared xyChannel. Scene numbers on
// the page are 1-based; the show's scene index is one less.
#pragma once

#include "effects/xy_figures.h"
#include "effects/xy_transforms.h"

#include <QWidget>

#include <array>

class QCheckBox;
class QGroupBox;
class QHBoxLayout;
class QLabel;
class QScrollBar;
class QSpinBox;
class QTimer;
class QToolButton;

namespace velantra {

class Shell;
class XyPathView;

class XyEditorPage : public QWidget {
    Q_OBJECT
public:
    // GUI thread. shell must outlive the page. Sets the engine's xyChannel to
    // the first channel bar (0); the repeat timer runs from here on at 700 ms.
    explicit XyEditorPage(Shell& shell, QWidget* parent = nullptr);

    // GUI thread. Puts the main window's snapshot and undo buttons on the page.
    void addUndoPair(QToolButton* mem, QToolButton* undo);

    // GUI thread. Scene label and hint reset; with "Все сцены" the range
    // becomes the whole show; channel, turn and figure labels.
    void ReLabelEdiXY();
    // GUI thread. Redraws the path of the range.
    void ReturnEditXY();
    // GUI thread. One step of transform code 1..8 on the range, then the redraw.
    void ButtonRepeat(int code);
    // GUI thread. The hit test at levels (x, y): the lowest-numbered scene of
    // the range near the point becomes the found scene; none leaves it.
    void SearchScena(int x, int y);
    // GUI thread. Turns the range by theta degrees (0: nothing), then the redraw.
    void RotateArea(int theta);
    // GUI thread. The page refresh: labels, and while stopped the drag ends and the path is redrawn.
    void refresh();
    // GUI thread. Undo snapshot, then the edited pair into every ticked pair.
    void SpeedButtonEditXYcopyClick();

    // The visible scenes.
    XyRange range() const;
    // 0 none, 1..8 the transform repeated by the timer.
    int repeatCode() const { return repeatCode_; }
    // 0 none, 1 left button held, 2 right button held.
    int dragMode() const { return dragMode_; }
    // Scene index of the last hit, XyNoScene when none.
    int foundScene() const { return foundScene_; }

signals:
    // A snapshot of the show is wanted for the undo.
    void undoSnapshotWanted();

public slots:
    // GUI thread. The repeat timer: repeats the held shift or size button.
    void TimerRepeatButtonTimer();
    // GUI thread. The path layer's mouse, in view pixels.
    void PaintBoxXYMouseDown(Qt::MouseButton button, QPoint pixel);
    void PaintBoxXYMouseMove(QPoint pixel);
    void PaintBoxXYMouseUp();

private:
    using Figure = FigureResult (*)(Engine&, const FigureRange&);

    QWidget* buildView();
    QWidget* buildPairs();
    QWidget* buildRange();
    QWidget* buildCurrent();
    QWidget* buildTransforms();
    QWidget* buildTurn();
    QWidget* buildFigures();
    QToolButton* toolButton(const char* objectName, const QString& hint, QWidget* parent);
    void channelChanged(int pair, int position);
    void fromChanged();
    void toChanged();
    void repeatPressed(int code);
    void repeatReleased();
    void drawFigure(Figure figure);
    // The hint of the path layer; an empty text switches it off.
    void setPathHint(const QString& text);
    // Channel names, turn and figure labels.
    void showLabels();

    Shell& form_;
    Engine& engine_;

    std::array<QScrollBar*, 4> channelBars_{};
    std::array<QLabel*, 4> firstNames_{};
    std::array<QLabel*, 4> secondNames_{};
    std::array<QCheckBox*, 4> copyChecks_{};  // entry 0 unused: pair 1 is the source
    QSpinBox* from_ = nullptr;
    QSpinBox* to_ = nullptr;
    QCheckBox* allScenes_ = nullptr;
    QCheckBox* changeScene_ = nullptr;
    QScrollBar* rotate_ = nullptr;
    QLabel* rotateLabel_ = nullptr;
    QScrollBar* size_ = nullptr;
    QScrollBar* option_ = nullptr;
    QLabel* figureLabel_ = nullptr;
    QLabel* posX_ = nullptr;
    QLabel* posY_ = nullptr;
    QLabel* scene_ = nullptr;
    XyPathView* path_ = nullptr;
    QTimer* repeatTimer_ = nullptr;
    QHBoxLayout* undoRow_ = nullptr;

    int repeatCode_ = 0;
    int dragMode_ = 0;
    int foundScene_ = XyNoScene;
    bool coupling_ = false;  // one range spin is setting the other
};

}  // namespace velantra
