#include "programming/block_copy_group.h"

#include "shell/dialogs.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QPixmap>
#include <QSpinBox>
#include <QToolButton>
#include <QVBoxLayout>

namespace velantra {

namespace {

enum class Hint { None, First, Last, Destination };

QSpinBox* spin(const char* name, int high, int start, Hint hint, QWidget* parent)
{
    auto* box = new QSpinBox(parent);
    box->setObjectName(QString::fromLatin1(name));
    box->setRange(1, high);
    box->setValue(start);
    box->setFixedWidth(48);
    switch (hint) {
    case Hint::First:
        box->setToolTip(BlockCopyGroup::tr("Номер канала от которого начинается копирование "));
        break;
    case Hint::Last:
        box->setToolTip(BlockCopyGroup::tr("Номер канала до которого продолжается копирование "));
        break;
    case Hint::Destination:
        box->setToolTip(BlockCopyGroup::tr("Номер канала в который начинается копирование отмеченного блока"));
        break;
    case Hint::None:
        break;
    }
    return box;
}

// One or two short lines of text standing for one field.
QWidget* caption(const QString& top, const QString& bottom, QWidget* parent)
{
    auto* box = new QWidget(parent);
    auto* lines = new QVBoxLayout(box);
    lines->setContentsMargins(0, 0, 0, 0);
    lines->setSpacing(0);
    lines->addWidget(new QLabel(top, box));
    if (!bottom.isEmpty()) {
        lines->addWidget(new QLabel(bottom, box));
    }
    return box;
}

// A block of bars with an arrow to its copy.
QPixmap copyPicture()
{
    QPixmap pixmap(20, 20);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(230, 180, 40));
    for (int i = 0; i < 3; ++i) {
        p.drawRect(QRectF(1.5 + 3 * i, 9.5 - 2 * i, 2, 2 + 2 * i));
        p.drawRect(QRectF(10.5 + 3 * i, 17.5 - 2 * i, 2, 2 + 2 * i));
    }
    p.setPen(QPen(QColor(0, 0, 128), 1.6));
    p.drawLine(QPointF(4, 13), QPointF(8.5, 17.5));
    p.drawLine(QPointF(8.5, 14.5), QPointF(8.5, 17.5));
    p.drawLine(QPointF(5.5, 17.5), QPointF(8.5, 17.5));
    return pixmap;
}

QToolButton* copyButton(const char* name, QWidget* parent)
{
    auto* button = new QToolButton(parent);
    button->setObjectName(QString::fromLatin1(name));
    button->setToolTip(BlockCopyGroup::tr("Выполнить копирование"));
    button->setIcon(QIcon(copyPicture()));
    button->setIconSize(QSize(20, 20));
    button->setFixedSize(28, 26);
    return button;
}

QGridLayout* groupGrid(QGroupBox* group)
{
    auto* grid = new QGridLayout(group);
    grid->setContentsMargins(4, 2, 4, 2);
    grid->setHorizontalSpacing(3);
    grid->setVerticalSpacing(1);
    return grid;
}

// First, last and destination channel in column pair (row 0..2, col, col + 1).
void addChannelFields(QGridLayout* grid, QWidget* owner, QSpinBox* first, QSpinBox* last, QSpinBox* destination,
                      int col)
{
    grid->addWidget(caption(BlockCopyGroup::tr(" От канала "), {}, owner), 0, col);
    grid->addWidget(first, 0, col + 1);
    grid->addWidget(caption(BlockCopyGroup::tr("До канала "), BlockCopyGroup::tr("включительно"), owner), 1, col);
    grid->addWidget(last, 1, col + 1);
    grid->addWidget(caption(BlockCopyGroup::tr("Начиная "), BlockCopyGroup::tr("с канала "), owner), 2, col);
    grid->addWidget(destination, 2, col + 1);
}

}  // namespace

BlockCopyGroup::BlockCopyGroup(Engine& engine, QWidget* parent)
    : QGroupBox(tr("Копирование данных блоками "), parent)
    , engine_(engine)
    , levelFirst_(spin("SpinEditLevelFirst", 254, 1, Hint::First, this))
    , levelLast_(spin("SpinEditLevelLast", 255, 10, Hint::Last, this))
    , levelFrom_(spin("SpinEditLevelFrom", 255, 11, Hint::Destination, this))
    , chBeg_(spin("SpinEditChBeg", 254, 1, Hint::First, this))
    , chFin_(spin("SpinEditChFin", 255, 10, Hint::Last, this))
    , chTo_(spin("SpinEditChTo", 255, 11, Hint::Destination, this))
    , scChBeg_(spin("SpinEditAllScChbeg", 254, 1, Hint::First, this))
    , scChFin_(spin("SpinEditAllScChFin", 255, 10, Hint::Last, this))
    , scChTo_(spin("SpinEditAllScChTo", 255, 11, Hint::Destination, this))
    , scBeg_(spin("SpinEditAllScChbegSc", 255, 1, Hint::None, this))
    , scFin_(spin("SpinEditAllScChFinSc", 255, 10, Hint::None, this))
    , scTo_(spin("SpinEditAllScChToSc", 255, 11, Hint::None, this))
{
    setObjectName(QStringLiteral("GroupBoxBlockCopy"));

    auto* current = new QGroupBox(tr("Каналов текущей Сцены "), this);
    auto* grid = groupGrid(current);
    addChannelFields(grid, current, levelFirst_, levelLast_, levelFrom_, 0);
    auto* copy = copyButton("SpeedButtonLevelBlocCopy", current);
    grid->addWidget(copy, 2, 2, Qt::AlignRight | Qt::AlignBottom);
    grid->setColumnStretch(2, 1);
    connect(copy, &QToolButton::clicked, this, &BlockCopyGroup::SpeedButtonLevelBlocCopyClick);

    auto* allScenes = new QGroupBox(tr("Каналов (все сцены)"), this);
    grid = groupGrid(allScenes);
    addChannelFields(grid, allScenes, chBeg_, chFin_, chTo_, 0);
    copy = copyButton("SpeedButtonLevelJobScens", allScenes);
    grid->addWidget(copy, 2, 2, Qt::AlignRight | Qt::AlignBottom);
    grid->setColumnStretch(2, 1);
    connect(copy, &QToolButton::clicked, this, &BlockCopyGroup::SpeedButtonLevelJobScensClick);

    auto* inScenes = new QGroupBox(tr("Каналов в сценах"), this);
    grid = groupGrid(inScenes);
    addChannelFields(grid, inScenes, scChBeg_, scChFin_, scChTo_, 0);
    grid->addWidget(caption(tr(" От Сцены"), {}, inScenes), 0, 2);
    grid->addWidget(scBeg_, 0, 3);
    grid->addWidget(caption(tr("До Сцены "), tr("включительно"), inScenes), 1, 2);
    grid->addWidget(scFin_, 1, 3);
    grid->addWidget(caption(tr("Начиная "), tr("с сцены "), inScenes), 2, 2);
    grid->addWidget(scTo_, 2, 3);
    copy = copyButton("SpeedButtonScenAllCopy", inScenes);
    grid->addWidget(copy, 2, 4, Qt::AlignRight | Qt::AlignBottom);
    connect(copy, &QToolButton::clicked, this, &BlockCopyGroup::SpeedButtonScenAllCopyClick);

    auto* scenes = new QGroupBox(tr("Сцен (все каналы)"), this);
    auto* sceneRow = new QHBoxLayout(scenes);
    sceneRow->setContentsMargins(4, 2, 4, 2);
    copy = copyButton("SpeedButtonScenaBlocCopy", scenes);
    sceneRow->addStretch();
    sceneRow->addWidget(copy, 0, Qt::AlignBottom);
    connect(copy, &QToolButton::clicked, this, &BlockCopyGroup::SpeedButtonScenaBlocCopyClick);

    // Two rows of two groups; "Каналов в сценах" is the widest, so each row
    // shares out its own width.
    auto* rows = new QVBoxLayout(this);
    rows->setContentsMargins(4, 2, 4, 4);
    rows->setSpacing(2);
    auto* top = new QHBoxLayout;
    top->setSpacing(4);
    top->addWidget(current, 1);
    top->addWidget(allScenes, 1);
    auto* bottom = new QHBoxLayout;
    bottom->setSpacing(4);
    bottom->addWidget(inScenes, 3);
    bottom->addWidget(scenes, 1);
    rows->addLayout(top);
    rows->addLayout(bottom);
}

void BlockCopyGroup::setTakeUndo(std::function<void()> takeUndo)
{
    takeUndo_ = std::move(takeUndo);
}

void BlockCopyGroup::SpeedButtonLevelBlocCopyClick()
{
    if (takeUndo_) {
        takeUndo_();
    }
    finish(copyA(engine_, levelFirst_->value(), levelLast_->value(), levelFrom_->value()));
}

void BlockCopyGroup::SpeedButtonLevelJobScensClick()
{
    if (takeUndo_) {
        takeUndo_();
    }
    finish(copyB(engine_, chBeg_->value(), chFin_->value(), chTo_->value(), SceneSize - 1));
}

// The button of "Каналов в сценах" copies the block of "Каналов (все сцены)"
// in every scene, with the wider limit of 256 channels.
void BlockCopyGroup::SpeedButtonScenAllCopyClick()
{
    if (takeUndo_) {
        takeUndo_();
    }
    finish(copyB(engine_, chBeg_->value(), chFin_->value(), chTo_->value(), SceneSize));
}

void BlockCopyGroup::SpeedButtonScenaBlocCopyClick()
{
    if (takeUndo_) {
        takeUndo_();
    }
    finish(copyC(engine_, scChBeg_->value(), scChFin_->value(), scChTo_->value(), scBeg_->value(), scFin_->value(),
                 scTo_->value()));
}

void BlockCopyGroup::finish(CopyResult result)
{
    if (result == CopyResult::TooManyChannels) {
        warnOk(this, tr(" Копирование не выполнено:Максимальное число каналов > 256 ! "));
    } else if (result == CopyResult::TooManyScenes) {
        warnOk(this, tr(" Копирование не выполнено:Максимальное число сцен > 256 ! "));
    }
}

}  // namespace velantra
