// The page "График Канала": one channel's level across the scenes of the
// show, drawn as a bar chart that the operator draws on with the mouse.
//
// The graphed channel is p + 1 for the position p of the channel bar (0..254),
// the zoom is the main window's graphZoom and the block bar picks which
// zoom.scenes scenes are in view. Scene numbers on the page count from 1.
// Levels go straight into the scene cells (see channel_graph.h), whether or
// not the show plays.
#pragma once

#include "programming/channel_graph.h"

#include <QWidget>

#include <functional>
#include <utility>
#include <vector>

class QButtonGroup;
class QGridLayout;
class QLabel;
class QPainter;
class QScrollBar;
class QToolButton;
class QVBoxLayout;

namespace velantra {

class Shell;
struct GraphZoom;

// The 512 x 256 drawing area. It paints through the function its page gives
// it and passes mouse presses, moves (tracked without a button too) and
// releases on in chart pixels.
class GraphArea : public QWidget {
    Q_OBJECT
public:
    // GUI thread.
    explicit GraphArea(QWidget* parent = nullptr);
    // GUI thread. What paints the area on every paint event.
    void setPainter(std::function<void(QPainter&)> paint) { paint_ = std::move(paint); }

signals:
    void mouseDown(Qt::MouseButton button, QPoint pixel);
    void mouseMove(QPoint pixel);
    void mouseUp();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    std::function<void(QPainter&)> paint_;
};

class GraphPage : public QWidget {
    Q_OBJECT
public:
    // GUI thread. shell and zoom must outlive the page. Starts on channel 1
    // with the arrow tool and the zoom given.
    GraphPage(Shell& shell, GraphZoom& zoom, QWidget* parent = nullptr);

    // GUI thread. Puts the main window's snapshot and undo buttons under the tool buttons.
    void addUndoPair(QToolButton* mem, QToolButton* undo);

    // GUI thread. Last-scene bar from the show, channel name, block bar range
    // and the view and zoom labels.
    void ReturnGrafikLabel();
    // GUI thread. Schedules a redraw of the chart from the show memory.
    void RepaintGrafik();
    // GUI thread. The page refresh: zoom from form.graphZoom, labels, chart.
    void refresh();
    // GUI thread. The mouse at a chart pixel: the scene and level labels; while
    // a button is held, the tool writes there and the chart is redrawn.
    void GrafikLabel(QPoint pixel);

    // The graphed channel, 1..255.
    int channel() const;
    // Position of the block bar: the view shows scenes view * zoom.scenes on.
    int view() const;
    GraphTool tool() const;
    // Scene index of the last left press (1 at the start).
    int graphAnchor() const { return anchor_; }
    // True while a mouse button is held on the chart.
    bool graphDrawing() const { return drawing_; }

public slots:
    // GUI thread. The chart's mouse, in chart pixels.
    void PaintBoxGrafikMouseDown(Qt::MouseButton button, QPoint pixel);
    void PaintBoxGrafikMouseUp();

private:
    QWidget* buildTools();
    QToolButton* toolButton(const char* objectName, const QString& hint, GraphTool tool, QWidget* parent);
    void zoomChanged(int position);
    void lastSceneChanged(int position);
    void redrawAll();
    void paintChart(QPainter& painter) const;
    // Everything the chart is drawn from, so that a redraw of the same chart can be skipped.
    std::vector<int> chartInputs() const;

    Shell& form_;
    GraphZoom& graphZoom_;
    ShowMemory& memory_;

    QScrollBar* channelBar_ = nullptr;
    QScrollBar* zoomBar_ = nullptr;
    QScrollBar* viewBar_ = nullptr;
    QScrollBar* lastBar_ = nullptr;
    QLabel* name_ = nullptr;
    QLabel* from_ = nullptr;
    QLabel* to_ = nullptr;
    QLabel* zoom_ = nullptr;
    QLabel* scene_ = nullptr;
    QLabel* newLevel_ = nullptr;
    QLabel* storedLevel_ = nullptr;
    GraphArea* area_ = nullptr;
    QButtonGroup* tools_ = nullptr;
    QVBoxLayout* toolColumn_ = nullptr;

    int anchor_ = 1;
    bool drawing_ = false;
    std::vector<int> drawn_;  // chartInputs() of the last redraw asked for
};

}  // namespace velantra
