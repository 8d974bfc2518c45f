// The tab "Стат. картины": the sixteen picture check boxes that lay static
// pictures over the output, and the keyboard switch.
#pragma once

#include <QWidget>

#include <array>

class QCheckBox;

namespace velantra {

class Engine;

class PicturesTab : public QWidget {
    Q_OBJECT
public:
    explicit PicturesTab(Engine& engine, QWidget* parent = nullptr);

    // Picture k (0..15, key order "1".."8", Space, Z, X, C, V, B, N, M).
    QCheckBox* picture(int k) const { return pictures_[static_cast<std::size_t>(k)]; }
    QCheckBox* flashOn() const { return flashOn_; }

private:
    std::array<QCheckBox*, 16> pictures_{};
    QCheckBox* flashOn_;
};

}  // namespace velantra
