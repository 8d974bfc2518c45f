#include "programming/scene_group.h"

#include "shell/opaque_pages.h"

#include <QTabWidget>
#include <QVBoxLayout>

namespace velantra {

SceneGroup::SceneGroup(QWidget* parent)
    : QGroupBox(tr("Управление сценами"), parent)
    , tabs_(new QTabWidget(this))
    , sequencer_(new QWidget)
    , channelColor_(new QWidget)
{
    setObjectName(QStringLiteral("GroupBoxScenes"));
    tabs_->setObjectName(QStringLiteral("PageControlTemp"));
    sequencer_->setObjectName(QStringLiteral("TabSheetSequencer"));
    channelColor_->setObjectName(QStringLiteral("TabSheetChannelColor"));
    tabs_->addTab(sequencer_, tr("Секвенсер"));
    tabs_->addTab(channelColor_, tr("Цвет канала"));
    makePagesOpaque(tabs_);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->addWidget(tabs_);
}

}  // namespace velantra
