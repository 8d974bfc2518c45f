#include "programming/channel_setup_group.h"

#include "shell/opaque_pages.h"

#include <QTabWidget>
#include <QVBoxLayout>

namespace velantra {

ChannelSetupGroup::ChannelSetupGroup(QWidget* parent)
    : QGroupBox(tr(" Установки каналов и Клавиатуры  "), parent)
    , tabs_(new QTabWidget(this))
    , rate_(new QWidget)
    , levels_(new QWidget)
    , pictures_(new QWidget)
{
    setObjectName(QStringLiteral("GroupBoxChannelSetup"));
    tabs_->setObjectName(QStringLiteral("PageControlChannelSetup"));
    tabs_->setUsesScrollButtons(true);
    rate_->setObjectName(QStringLiteral("TabSheetRate"));
    levels_->setObjectName(QStringLiteral("TabSheetUroven"));
    pictures_->setObjectName(QStringLiteral("TabSheetPictures"));
    tabs_->addTab(rate_, tr("Плавность"));
    tabs_->addTab(levels_, tr("Уровни"));
    tabs_->addTab(pictures_, tr("Стат. картины"));
    makePagesOpaque(tabs_);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->addWidget(tabs_);
}

}  // namespace velantra
