// The drawing surfaces of the XY editor: the 256 x 256 grid layer, the path
// layer stacked over it (which also takes the mouse), and the small pictures
// of the editor's buttons. A level pair (X, Y) is drawn at column X, row 255 - Y.
#pragma once

#include "effects/xy_figures.h"

#include <QIcon>
#include <QWidget>

#include <vector>

namespace velantra {

inline constexpr int XyViewSize = 256;

// The fixed grid: the two middle lines in black and seven grey lines either side.
class XyGridView : public QWidget {
    Q_OBJECT
public:
    // GUI thread.
    explicit XyGridView(QWidget* parent = nullptr);

protected:
    void paintEvent(QPaintEvent* event) override;
};

// The path of the visible scenes: a lime square at the first point, green
// squares joined by blue lines at the next ones, a red square at the last.
// Mouse presses, moves (tracked without a button too) and releases are
// passed on in view pixels.
class XyPathView : public QWidget {
    Q_OBJECT
public:
    // GUI thread.
    explicit XyPathView(QWidget* parent = nullptr);
    // GUI thread. The points to draw, first scene first; repaints.
    void setPath(std::vector<LevelPair> points);
    const std::vector<LevelPair>& path() const { return points_; }

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
    std::vector<LevelPair> points_;
};

// The pictures of the editor's buttons.
enum class XyIcon { Line, Triangle, Rectangle, Snake, Circle, Spiral, MirrorX, MirrorY, Smaller, Larger, Turn };

// GUI thread.
QIcon xyIcon(XyIcon kind);

}  // namespace velantra
