// A scroll bar that, when only its value changes, repaints where the handle
// was and where it is, not the whole bar: a show playing moves every fader of
// the page at each step, and a whole-bar repaint of 27 faders is most of what
// the window costs. Any other change (range, steps, size, style, state)
// repaints the whole bar as QScrollBar does. Where the style fills the whole
// bar, the bar is opaque, so that nothing under it is painted first.
#pragma once

#include <QRect>
#include <QScrollBar>

namespace velantra {

class LeanScrollBar : public QScrollBar {
    Q_OBJECT

public:
    explicit LeanScrollBar(Qt::Orientation orientation, QWidget* parent = nullptr);

    // The handle's rectangle as the style places it for the current value.
    QRect handleRect() const;

protected:
    void sliderChange(SliderChange change) override;
    void paintEvent(QPaintEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    // Whether the style is one known to paint the track the same whatever the
    // handle's place; the bar is then opaque. Taken again when the style changes.
    void setOpaque();

    bool handleOnly_ = false;
    QRect painted_;  // the handle as last painted; empty before the first paint
};

}  // namespace velantra
