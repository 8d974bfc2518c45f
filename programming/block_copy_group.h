// The group "Копирование данных блоками " of the page "Копирование": copies
// blocks of levels inside the current scene, in every scene, or in a run of
// scenes.
#pragma once

#include "engine/scene_ops.h"

#include <QGroupBox>

#include <functional>

class QSpinBox;

namespace velantra {

class BlockCopyGroup : public QGroupBox {
    Q_OBJECT
public:
    // GUI thread. engine must outlive the group.
    BlockCopyGroup(Engine& engine, QWidget* parent = nullptr);

    // GUI thread. Run before every copy, refused or not (may be empty).
    void setTakeUndo(std::function<void()> takeUndo);

public slots:
    // GUI thread. The copy buttons of the four groups.
    void SpeedButtonLevelBlocCopyClick();
    void SpeedButtonLevelJobScensClick();
    void SpeedButtonScenAllCopyClick();
    void SpeedButtonScenaBlocCopyClick();

private:
    void finish(CopyResult result);

    Engine& engine_;
    std::function<void()> takeUndo_;
    QSpinBox* levelFirst_;
    QSpinBox* levelLast_;
    QSpinBox* levelFrom_;
    QSpinBox* chBeg_;
    QSpinBox* chFin_;
    QSpinBox* chTo_;
    QSpinBox* scChBeg_;
    QSpinBox* scChFin_;
    QSpinBox* scChTo_;
    QSpinBox* scBeg_;
    QSpinBox* scFin_;
    QSpinBox* scTo_;
};

}  // namespace velantra
