#include "programming/graph_page.h"

#include "channels/channel_names.h"
#include "engine/engine.h"
#include "programming/graph_zoom.h"
#include "shell/shell.h"

#include <QButtonGroup>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QToolButton>
#include <QVBoxLayout>

namespace velantra {

namespace {

constexpr QColor EmptyColor(50, 150, 150);
constexpr QColor LevelColor(255, 255, 10);
constexpr QColor EndColor(0, 0, 255);
constexpr QColor CurrentColor(0, 128, 0);
constexpr QColor AnchorColor(255, 0, 0);
constexpr int ToolSide = 28;
constexpr int IconSide = 20;

QScrollBar* bar(const char* objectName, int high, int pageStep, const QString& hint, QWidget* parent)
{
    auto* b = new QScrollBar(Qt::Horizontal, parent);
    b->setObjectName(QString::fromLatin1(objectName));
    b->setRange(0, high);
    b->setPageStep(pageStep);
    b->setToolTip(hint);
    return b;
}

QLabel* label(const char* objectName, QWidget* parent)
{
    auto* l = new QLabel(QStringLiteral(" "), parent);
    l->setObjectName(QString::fromLatin1(objectName));
    return l;
}

QString percentText(int level)
{
    return QStringLiteral("     ") + QString::number(levelPercent(level)) + QLatin1Char('%');
}

// The small pictures of the three tools.
QIcon toolPicture(GraphTool tool)
{
    QPixmap pixmap(IconSide, IconSide);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    switch (tool) {
    case GraphTool::Arrow: {
        QPainterPath arrow;
        arrow.moveTo(5, 2);
        arrow.lineTo(5, 16);
        arrow.lineTo(8.5, 12.5);
        arrow.lineTo(11, 18);
        arrow.lineTo(13.5, 17);
        arrow.lineTo(11, 11.5);
        arrow.lineTo(16, 11.5);
        arrow.closeSubpath();
        p.fillPath(arrow, Qt::black);
        break;
    }
    case GraphTool::Line:
        p.setPen(QPen(Qt::black, 1.5));
        p.drawLine(QPointF(3.5, 16.5), QPointF(16.5, 3.5));
        p.fillRect(QRectF(2, 15, 3, 3), Qt::red);
        p.fillRect(QRectF(15, 2, 3, 3), Qt::blue);
        break;
    case GraphTool::Pen: {
        QPainterPath body;
        body.moveTo(3, 17);
        body.lineTo(4.5, 12.5);
        body.lineTo(13.5, 3.5);
        body.lineTo(16.5, 6.5);
        body.lineTo(7.5, 15.5);
        body.closeSubpath();
        p.fillPath(body, QColor(230, 180, 40));
        p.setPen(QPen(Qt::black, 1));
        p.drawPath(body);
        p.drawLine(QPointF(4.5, 12.5), QPointF(7.5, 15.5));
        break;
    }
    }
    return QIcon(pixmap);
}

}  // namespace

// --- The drawing area ---------------------------------------------------------

GraphArea::GraphArea(QWidget* parent)
    : QWidget(parent)
{
    setFixedSize(GraphWidth, GraphHeight);
    setMouseTracking(true);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void GraphArea::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    if (paint_) {
        paint_(painter);
    }
}

void GraphArea::mousePressEvent(QMouseEvent* event)
{
    emit mouseDown(event->button(), event->position().toPoint());
}

void GraphArea::mouseMoveEvent(QMouseEvent* event)
{
    emit mouseMove(event->position().toPoint());
}

void GraphArea::mouseReleaseEvent(QMouseEvent*)
{
    emit mouseUp();
}

// --- The page ------------------------------------------------------------------

GraphPage::GraphPage(Shell& form, GraphZoom& zoom, QWidget* parent)
    : QWidget(parent)
    , form_(form)
    , graphZoom_(zoom)
    , memory_(form.engine().memory)
{
    setObjectName(QStringLiteral("TabSheetGrafik"));
    QFont small = font();
    small.setPointSize(8);
    setFont(small);

    auto* caption = new QLabel(tr("Динамика изменения канала по выделенным сценам "), this);
    caption->setObjectName(QStringLiteral("LabelGrafikDescription"));
    name_ = label("LabelNameChanel", this);
    channelBar_ = bar("ScrollBarChanellGrafik", 254, 10, tr("Устанавливает номер редактируемого канала"), this);

    area_ = new GraphArea(this);
    area_->setObjectName(QStringLiteral("PaintBoxGrafik"));
    area_->setPainter([this](QPainter& p) { paintChart(p); });

    viewBar_ = bar("ScrollBarGrafikArea", 0, 10, tr("Блок редактируемых сцен"), this);
    from_ = label("LabelScenaGrafikFrom", this);
    to_ = label("LabelScenaGrafikLast", this);
    zoom_ = label("LabelGrafZoom", this);
    zoomBar_ = bar("ScrollBarGrafikZoom", 3, 2, tr("Масштаб сцен"), this);
    zoomBar_->setFixedWidth(90);
    zoomBar_->setValue(graphZoom_.position);
    auto* viewRow = new QHBoxLayout;
    viewRow->setSpacing(6);
    viewRow->addWidget(from_);
    viewRow->addStretch();
    viewRow->addWidget(zoom_);
    viewRow->addWidget(zoomBar_);
    viewRow->addStretch();
    viewRow->addWidget(to_);

    scene_ = label("LabelScenaGrafik", this);
    newLevel_ = label("LabelLevelNewGrafik", this);
    storedLevel_ = label("LabelLevelDmxGrafik", this);

    auto* lastCaption = new QLabel(tr("Установить последнюю Сцену"), this);
    lastCaption->setObjectName(QStringLiteral("LabelMaxScenaGrafic"));
    lastBar_ = bar("ScrollBarMaxScenaGrafic", 255, 10, tr("Установка номера последней сцены"), this);
    auto* lastRow = new QHBoxLayout;
    lastRow->setSpacing(6);
    lastRow->addWidget(lastCaption);
    lastRow->addWidget(lastBar_, 1);

    auto* layout = new QGridLayout(this);
    layout->setContentsMargins(4, 2, 4, 2);
    layout->setHorizontalSpacing(6);
    layout->setVerticalSpacing(2);
    layout->addWidget(caption, 0, 0, 1, 2);
    layout->addWidget(name_, 1, 0);
    layout->addWidget(channelBar_, 2, 0);
    layout->addWidget(area_, 3, 0);
    layout->addWidget(buildTools(), 3, 1, Qt::AlignTop);
    layout->addWidget(viewBar_, 4, 0);
    layout->addLayout(viewRow, 5, 0);
    layout->addWidget(scene_, 6, 0);
    layout->addWidget(newLevel_, 7, 0);
    layout->addWidget(storedLevel_, 8, 0);
    layout->addLayout(lastRow, 9, 0);
    layout->setColumnStretch(1, 1);
    layout->setRowStretch(10, 1);

    connect(channelBar_, &QScrollBar::valueChanged, this, &GraphPage::redrawAll);
    connect(viewBar_, &QScrollBar::valueChanged, this, &GraphPage::redrawAll);
    connect(zoomBar_, &QScrollBar::valueChanged, this, &GraphPage::zoomChanged);
    connect(lastBar_, &QScrollBar::valueChanged, this, &GraphPage::lastSceneChanged);
    connect(area_, &GraphArea::mouseDown, this, &GraphPage::PaintBoxGrafikMouseDown);
    connect(area_, &GraphArea::mouseMove, this, &GraphPage::GrafikLabel);
    connect(area_, &GraphArea::mouseUp, this, &GraphPage::PaintBoxGrafikMouseUp);

    refresh();
}

QWidget* GraphPage::buildTools()
{
    auto* box = new QWidget(this);
    toolColumn_ = new QVBoxLayout(box);
    toolColumn_->setContentsMargins(0, 0, 0, 0);
    toolColumn_->setSpacing(2);
    tools_ = new QButtonGroup(this);
    tools_->setExclusive(true);
    toolButton("SpeedButtonGrafArrow", tr("Устанавливать значение только одного канала"), GraphTool::Arrow, box)
        ->setChecked(true);
    toolButton("SpeedButtonGrafLine", tr("Интерполировать уровни каналов. Начало - левая кнопка, конец - правая."),
               GraphTool::Line, box);
    toolButton("SpeedButtonGrafPen", tr("Повторять значение текущего канала во всех рабочих сценах"), GraphTool::Pen,
               box);
    toolColumn_->addSpacing(8);
    toolColumn_->addStretch();
    return box;
}

QToolButton* GraphPage::toolButton(const char* objectName, const QString& hint, GraphTool tool, QWidget* parent)
{
    auto* b = new QToolButton(parent);
    b->setObjectName(QString::fromLatin1(objectName));
    b->setToolTip(hint);
    b->setCheckable(true);
    b->setFixedSize(ToolSide, ToolSide);
    b->setIconSize(QSize(IconSide, IconSide));
    b->setIcon(toolPicture(tool));
    tools_->addButton(b, static_cast<int>(tool));
    toolColumn_->addWidget(b);
    return b;
}

void GraphPage::addUndoPair(QToolButton* mem, QToolButton* undo)
{
    for (QToolButton* b : {mem, undo}) {
        b->setParent(toolColumn_->parentWidget());
        b->setFixedSize(44, 20);
        toolColumn_->insertWidget(toolColumn_->count() - 1, b);
    }
}

int GraphPage::channel() const
{
    return channelBar_->value() + 1;
}

int GraphPage::view() const
{
    return viewBar_->value();
}

GraphTool GraphPage::tool() const
{
    return static_cast<GraphTool>(tools_->checkedId());
}

void GraphPage::refresh()
{
    {
        const QSignalBlocker blocker(zoomBar_);
        zoomBar_->setValue(graphZoom_.position);
    }
    ReturnGrafikLabel();
    RepaintGrafik();
}

void GraphPage::ReturnGrafikLabel()
{
    {
        const QSignalBlocker blocker(lastBar_);
        lastBar_->setValue(memory_.get(CellLastScene));
    }
    const int c = channel();
    name_->setText(tr(" Канал %1  %2").arg(c).arg(LoadEdit(memory_, c)));

    const GraphZoom& zoom = graphZoom_;
    {
        // A view past the new maximum moves to it; the labels below follow.
        const QSignalBlocker blocker(viewBar_);
        viewBar_->setMaximum(zoom.step - 1);
    }
    const int first = graphFirstScene(zoom, view());
    from_->setText(tr("от Сцены = %1").arg(first + 1));
    to_->setText(tr("до Сцены = %1").arg(first + zoom.scenes));
    zoom_->setText(tr(" Масштаб = %1/1").arg(zoom.step));
    viewBar_->setEnabled(zoom.step != 1);
}

std::vector<int> GraphPage::chartInputs() const
{
    const GraphZoom& zoom = graphZoom_;
    const int first = graphFirstScene(zoom, view());
    const int c = channel();
    std::vector<int> inputs{zoom.step, zoom.scenes, first, memory_.get(CellLastScene), memory_.get(CellScene),
                            c,         anchor_};
    inputs.push_back(graphLevel(memory_, anchor_, c));
    for (int i = 0; i < zoom.scenes; ++i) {
        inputs.push_back(graphLevel(memory_, first + i, c));
    }
    return inputs;
}

void GraphPage::RepaintGrafik()
{
    std::vector<int> inputs = chartInputs();
    if (inputs == drawn_) {
        return;  // the same chart as the last redraw
    }
    drawn_ = std::move(inputs);
    area_->update();
}

void GraphPage::redrawAll()
{
    ReturnGrafikLabel();
    RepaintGrafik();
}

void GraphPage::zoomChanged(int position)
{
    graphZoom_ = graphZoomAt(position);
    redrawAll();
}

void GraphPage::lastSceneChanged(int position)
{
    memory_.set(CellLastScene, static_cast<std::uint8_t>(position));
    form_.ReturnPageControlAll();
    RepaintGrafik();
}

void GraphPage::paintChart(QPainter& painter) const
{
    const GraphZoom& zoom = graphZoom_;
    const int width = graphColumnWidth(zoom);
    const int first = graphFirstScene(zoom, view());
    const int endMarker = memory_.get(CellLastScene) + 1;
    const int current = memory_.get(CellScene);
    const int c = channel();
    for (int i = 0; i < zoom.scenes; ++i) {
        const int scene = first + i;
        const int x0 = i * width;
        // The level takes rows 255 - L .. 255, so the bar's top is the row the mouse set it at.
        const int top = GraphHeight - 1 - graphLevel(memory_, scene, c);
        painter.fillRect(x0, 0, width, top, EmptyColor);
        painter.fillRect(x0, top, width, GraphHeight - top, LevelColor);
        if (scene == endMarker) {
            painter.fillRect(x0, 0, 2, GraphHeight, EndColor);
        }
        if (scene == current) {
            painter.fillRect(x0 + zoom.step - 1, 0, 1, GraphHeight, CurrentColor);
        }
    }
    // The anchor goes on top, so the next column does not cover half of it.
    const int a = anchor_ - first;
    if (a >= 0 && a < zoom.scenes) {
        const int x = a * width + zoom.step;
        const int y = GraphHeight - 1 - graphLevel(memory_, anchor_, c);
        painter.fillRect(QRect(QPoint(x - 3, y - 3), QPoint(x + 3, y + 3)), AnchorColor);
    }
}

void GraphPage::GrafikLabel(QPoint pixel)
{
    const GraphPoint point = graphPoint(pixel.x(), pixel.y(), graphZoom_, view());
    const int c = channel();
    const int stored = graphLevel(memory_, point.scene, c);
    const QString number = QString::number(point.scene + 1);
    scene_->setText(tr(" Сцена = %1").arg(number));
    newLevel_->setText(tr(" Новый уровень канала = %1%2").arg(point.level).arg(percentText(point.level)));
    storedLevel_->setText(tr(" Уровень канала сцены %1 = %2%3").arg(number).arg(stored).arg(percentText(stored)));
    if (!drawing_) {
        return;
    }
    applyGraphTool(memory_, tool(), c, point);
    RepaintGrafik();
}

void GraphPage::PaintBoxGrafikMouseDown(Qt::MouseButton button, QPoint pixel)
{
    drawing_ = true;
    const GraphPoint point = graphPoint(pixel.x(), pixel.y(), graphZoom_, view());
    if (button == Qt::LeftButton) {
        anchor_ = point.scene;
    }
    GrafikLabel(pixel);
    if (button == Qt::RightButton && tool() == GraphTool::Line) {
        rampGraph(memory_, channel(), anchor_, point.scene);
    }
    RepaintGrafik();
}

void GraphPage::PaintBoxGrafikMouseUp()
{
    drawing_ = false;
}

}  // namespace velantra
