#include "effects/hand_scan_form.h"

#include "engine/engine.h"
#include "shell/shell.h"

#include <QCheckBox>
#include <QEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QMouseEvent>
#include <QPainter>
#include <QVBoxLayout>

#include <algorithm>
#include <utility>

namespace velantra {

namespace {

constexpr auto relaxed = std::memory_order_relaxed;

constexpr int PadSize = 256;
constexpr int MarkerSize = 20;
// Room around the pad, so the marker fits at every edge.
constexpr int PadMargin = 10;

const QColor LightBlue(166, 202, 240);
const QColor ShownColour(200, 200, 255);

// The pad: only the hatch lines are painted, so the marker below it shows
// through the gaps.
class ScanPad final : public QWidget {
public:
    using QWidget::QWidget;

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter p(this);
        p.fillRect(rect(), QBrush(QColor(0, 0, 128), Qt::CrossPattern));
        p.setPen(QColor(0, 0, 128));
        p.drawRect(rect().adjusted(0, 0, -1, -1));
    }
};

// The round yellow marker of the last pressed position.
class ScanMarker final : public QWidget {
public:
    using QWidget::QWidget;

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter p(this);
        p.setRenderHint(QPainter::Antialiasing);
        p.setPen(QColor(128, 128, 0));
        p.setBrush(Qt::yellow);
        p.drawEllipse(QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5));
    }
};

QCheckBox* checkBox(const char* name, const QString& text, const QString& hint)
{
    auto* box = new QCheckBox(text);
    box->setObjectName(QString::fromLatin1(name));
    box->setToolTip(hint);
    return box;
}

}  // namespace

THandScanForm::THandScanForm(Shell& form, QWidget* parent)
    : QDialog(parent)
    , form_(form)
    , group_(new QGroupBox(tr("Ручное управление лучем сканера ")))
    , invertX_(checkBox("CheckBoxX", tr("X=255"), tr("Инверсия по X")))
    , invertY_(checkBox("CheckBoxY", tr("Y=255"), tr("Инверсия по Y")))
    , swap_(checkBox("CheckBoxX_Y", tr("X<->Y"), tr("Меняет местами координаты  X <> Y ")))
    , priority_(checkBox("CheckBoxManualArea", tr("Приоритет"), tr("Управлять в любом режиме")))
{
    setObjectName(QStringLiteral("HandScan"));
    setModal(false);
    setWindowFlags(Qt::Tool | Qt::WindowStaysOnTopHint | Qt::MSWindowsFixedSizeDialogHint);
    setColour(LightBlue);

    group_->setObjectName(QStringLiteral("GroupBoxHandScan"));
    group_->setToolTip(tr("Положение курсора на поле воздействует на два канала, начиная с первой отметки в столбце "
                          "=Выбор = "));

    // The field: the pad with a margin for the marker, which lies behind it.
    auto* field = new QWidget;
    field->setFixedSize(PadSize + 2 * PadMargin, PadSize + 2 * PadMargin);
    marker_ = new ScanMarker(field);
    marker_->setObjectName(QStringLiteral("ShapeCentr"));
    marker_->setFixedSize(MarkerSize, MarkerSize);
    pad_ = new ScanPad(field);
    pad_->setObjectName(QStringLiteral("ShapeXY"));
    pad_->setGeometry(PadMargin, PadMargin, PadSize, PadSize);
    pad_->setCursor(Qt::CrossCursor);
    pad_->setMouseTracking(true);
    pad_->installEventFilter(this);
    marker_->move(padColumn_ + 10 + pad_->x() - 19, padRow_ + 10 + pad_->y() - 19);
    marker_->lower();

    auto* grid = new QGridLayout(group_);
    grid->addWidget(priority_, 0, 0, Qt::AlignLeft);
    grid->addWidget(invertY_, 0, 1, Qt::AlignRight);
    grid->addWidget(field, 1, 0, 1, 2);
    grid->addWidget(invertX_, 2, 0, Qt::AlignLeft);
    grid->addWidget(swap_, 2, 1, Qt::AlignRight);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(group_);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    // clicked, not toggled: the program unticks the box without running this.
    connect(priority_, &QCheckBox::clicked, this,
            [this](bool checked) { form_.engine().shared.handScanPriority.store(checked ? 1 : 0, relaxed); });
}

void THandScanForm::setColour(const QColor& colour)
{
    QPalette p = palette();
    p.setColor(QPalette::Window, colour);
    setPalette(p);
    setAutoFillBackground(true);
}

void THandScanForm::showPad()
{
    setColour(ShownColour);
    padPressed_ = false;
    group_->show();
    show();
    raise();
}

void THandScanForm::setPadPosition(int column, int row)
{
    padColumn_ = std::clamp(column, 0, 255);
    padRow_ = std::clamp(row, 0, 255);
}

bool THandScanForm::eventFilter(QObject* watched, QEvent* event)
{
    if (watched != pad_) {
        return QDialog::eventFilter(watched, event);
    }
    switch (event->type()) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick: {
        const QPoint at = static_cast<QMouseEvent*>(event)->position().toPoint();
        padPressed_ = true;
        setPadPosition(at.x(), at.y());
        calcMouse();
        return true;
    }
    case QEvent::MouseMove: {
        const QPoint at = static_cast<QMouseEvent*>(event)->position().toPoint();
        setPadPosition(at.x(), at.y());
        calcMouse();
        return true;
    }
    case QEvent::MouseButtonRelease:
        padPressed_ = false;
        return true;
    default:
        return QDialog::eventFilter(watched, event);
    }
}

void THandScanForm::calcMouse()
{
    int x = invertX_->isChecked() ? 255 - padColumn_ : padColumn_;
    int y = invertY_->isChecked() ? padRow_ : 255 - padRow_;
    if (swap_->isChecked()) {
        std::swap(x, y);
    }
    invertX_->setText(tr("X=%1").arg(x));
    invertY_->setText(tr("Y=%1").arg(y));
    if (padPressed_) {
        marker_->move(padColumn_ + 10 + pad_->x() - 19, padRow_ + 10 + pad_->y() - 19);
        SharedValues& shared = form_.engine().shared;
        shared.handScanX.store(static_cast<std::uint8_t>(x), relaxed);
        shared.handScanY.store(static_cast<std::uint8_t>(y), relaxed);
        writeChannels(static_cast<std::uint8_t>(x), static_cast<std::uint8_t>(y));
    }
    form_.ReturnPageControlAll();
}

void THandScanForm::writeChannels(std::uint8_t x, std::uint8_t y)
{
    Engine& e = form_.engine();
    for (int i = 1; i <= 255; ++i) {
        if (e.memory.get(SelectBase + i) != 1) {
            continue;
        }
        // The channel after a ticked one carries Y: it cannot start a pair itself.
        if (i < 255 && e.memory.get(SelectBase + i + 1) == 1) {
            e.memory.set(SelectBase + i + 1, 0);
            emit selectionChanged();
        }
        if (e.shared.playMode.load(relaxed) == 0) {
            const std::uint8_t scene = e.memory.get(CellScene);
            e.DataWrite(scene, static_cast<std::uint8_t>(i), x);
            // Channel 255 has no partner: Y goes nowhere.
            if (i < 255) {
                e.DataWrite(scene, static_cast<std::uint8_t>(i + 1), y);
            }
        }
    }
}

bool THandScanForm::event(QEvent* event)
{
    if (event->type() == QEvent::WindowActivate || event->type() == QEvent::WindowDeactivate) {
        dropPriority();
    }
    return QDialog::event(event);
}

void THandScanForm::dropPriority()
{
    form_.engine().shared.handScanPriority.store(0, relaxed);
    priority_->setChecked(false);
}

}  // namespace velantra
