#include "programming/pictures_tab.h"

#include "engine/engine.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QVBoxLayout>

namespace velantra {

namespace {

constexpr int BoxHeight = 16;

}  // namespace

PicturesTab::PicturesTab(Engine& engine, QWidget* parent)
    : QWidget(parent)
    , flashOn_(new QCheckBox(tr("Включить клавиатуру"), this))
{
    struct Box {
        const char* name;
        const char* caption;
        const char* key;  // as the hint spells it
    };
    static const Box boxes[16] = {
        {"CheckBoxChs1", "1", "1"}, {"CheckBoxChs2", "2", "2"}, {"CheckBoxChs3", "3", "3"},
        {"CheckBoxChs4", "4", "4"}, {"CheckBoxChs5", "5", "5"}, {"CheckBoxChs6", "6", "6"},
        {"CheckBoxChs7", "7", "7"}, {"CheckBoxChs8", "8", "8"}, {"CheckBoxChsSpace", "==", nullptr},
        {"CheckBoxChsZ", "Z", "Z"}, {"CheckBoxChsX", "X", "X"}, {"CheckBoxChsC", "C", "C"},
        {"CheckBoxChsV", "V", "V"}, {"CheckBoxChsB", "B", "B"}, {"CheckBoxChsN", "N", "N"},
        {"CheckBoxChsM", "M", "M"},
    };
    auto* group = new QGroupBox(tr(" Статические картинки "), this);
    group->setObjectName(QStringLiteral("GroupBoxPictures"));
    auto* grid = new QGridLayout(group);
    grid->setContentsMargins(4, 0, 4, 1);
    grid->setHorizontalSpacing(1);
    grid->setVerticalSpacing(0);
    for (int k = 0; k < 16; ++k) {
        const Box& b = boxes[k];
        auto* box = new QCheckBox(QString::fromLatin1(b.caption), group);
        box->setObjectName(QString::fromLatin1(b.name));
        const QString key = b.key ? QString::fromLatin1(b.key) : tr("прбел");
        box->setToolTip(tr("Запрограммированая статическая картинка - Горячая кнопка =%1= ").arg(key));
        // The tick reads the state: a checked box lays its picture over every frame.
        connect(box, &QCheckBox::toggled, this,
                [&engine, k](bool on) { engine.controls.pictureOn[static_cast<std::size_t>(k)].store(on); });
        box->setFixedHeight(BoxHeight);  // compact: the tab shares the right-hand column
        pictures_[static_cast<std::size_t>(k)] = box;
        grid->addWidget(box, k / 4, k % 4);
    }

    flashOn_->setObjectName(QStringLiteral("CheckBoxFlashOn"));
    flashOn_->setToolTip(tr("Включить / Выключить флэш - кнопки клавиатуры"));
    flashOn_->setChecked(true);
    flashOn_->setFixedHeight(BoxHeight);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(2, 2, 2, 2);
    layout->setSpacing(2);
    layout->addWidget(group);
    layout->addWidget(flashOn_);
    layout->addStretch();
}

}  // namespace velantra
