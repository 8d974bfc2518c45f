#include "about/about_form.h"

#include "engine/version.h"
#include <QColor>
#include <QGuiApplication>
#include <QLabel>
#include <QLinearGradient>
#include <QPaintEvent>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <QPushButton>
#include <QRadialGradient>
#include <QScreen>
#include <QTimer>
#include <QtMath>

namespace velantra {

namespace {

const QColor SkyBlue(0x87, 0xCE, 0xEB);
const QColor NameColor(0x00, 0x00, 0x80);

constexpr QRect NameRect(8, 8, 345, 26);
constexpr QRect VersionRect(8, 36, 345, 22);
constexpr QRect Image1Rect(20, 62, 100, 86);
constexpr QRect Image2Rect(241, 62, 100, 86);
constexpr QRect OkRect(143, 156, 75, 26);

// A transparent canvas of the given logical size, sharp on high-density screens.
QPixmap canvas(QSize size, qreal ratio)
{
    QPixmap pixmap(size * ratio);
    pixmap.setDevicePixelRatio(ratio);
    pixmap.fill(Qt::transparent);
    return pixmap;
}

// A PAR can hanging from a truss pipe by its yoke, throwing a warm beam down
// to a pool of light on the stage floor.
QPixmap stageLightPicture(QSize size, qreal ratio)
{
    QPixmap pixmap = canvas(size, ratio);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    const qreal w = size.width();
    const qreal h = size.height();
    const QPointF pivot(w * 0.3, h * 0.36);
    const qreal tilt = 50;  // degrees below the horizontal
    const qreal floor = h * 0.86;
    // Where the beam's axis meets the floor.
    const QPointF spot(pivot.x() + (floor - pivot.y()) / qTan(qDegreesToRadians(tilt)), floor);

    // Yoke arm from the clamp down to the pivot, behind the can.
    p.setPen(QPen(QColor(25, 25, 30), 4, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(pivot.x(), 10), pivot);

    // The beam, cut off by the floor, in the can's own coordinates: the can points along +x.
    p.save();
    p.setClipRect(QRectF(0, 0, w, floor));
    p.translate(pivot);
    p.rotate(tilt);
    QLinearGradient beamFill(20, 0, 90, 0);
    beamFill.setColorAt(0.0, QColor(255, 245, 160, 230));
    beamFill.setColorAt(1.0, QColor(255, 235, 120, 70));
    QPainterPath beam;
    beam.moveTo(20, -10);
    beam.lineTo(110, -30);
    beam.lineTo(110, 30);
    beam.lineTo(20, 10);
    beam.closeSubpath();
    p.setPen(Qt::NoPen);
    p.setBrush(beamFill);
    p.drawPath(beam);
    p.restore();

    // Pool of light on the floor.
    QRadialGradient poolFill(spot, w * 0.3);
    poolFill.setColorAt(0.0, QColor(255, 250, 200, 240));
    poolFill.setColorAt(0.7, QColor(255, 240, 150, 160));
    poolFill.setColorAt(1.0, QColor(255, 230, 120, 0));
    p.setPen(Qt::NoPen);
    p.setBrush(poolFill);
    p.drawEllipse(spot, qMin(w * 0.32, w - spot.x() - 1), h * 0.1);

    // The can: black body, a rim and the lit lens at its front.
    p.save();
    p.translate(pivot);
    p.rotate(tilt);
    QLinearGradient body(0, -13, 0, 13);
    body.setColorAt(0.0, QColor(100, 100, 106));
    body.setColorAt(0.5, QColor(32, 32, 36));
    body.setColorAt(1.0, QColor(10, 10, 12));
    p.setPen(QPen(QColor(0, 0, 0), 1));
    p.setBrush(body);
    p.drawRoundedRect(QRectF(-22, -11, 38, 22), 4, 4);
    p.setBrush(QColor(60, 60, 66));
    p.drawRoundedRect(QRectF(14, -14, 5, 28), 1.5, 1.5);
    p.setBrush(QColor(255, 248, 200));
    p.setPen(QPen(QColor(200, 170, 60), 1));
    p.drawEllipse(QRectF(17, -11, 6, 22));
    p.restore();

    // Pivot knob on the side of the can.
    p.setPen(QPen(QColor(0, 0, 0), 1));
    p.setBrush(QColor(200, 200, 205));
    p.drawEllipse(pivot, 3, 3);

    // Truss pipe and the clamp that holds the yoke.
    QLinearGradient pipe(0, 3, 0, 11);
    pipe.setColorAt(0.0, QColor(235, 235, 240));
    pipe.setColorAt(1.0, QColor(120, 120, 130));
    p.setPen(QPen(QColor(70, 70, 80), 1));
    p.setBrush(pipe);
    p.drawRoundedRect(QRectF(2, 3, w - 4, 8), 4, 4);
    p.setBrush(QColor(40, 40, 45));
    p.drawRoundedRect(QRectF(pivot.x() - 5, 1, 10, 13), 2, 2);
    return pixmap;
}

// The face of a five-pin XLR plug, the connector of a DMX512 line: metal
// shell with its latch, black insert and five gold pins.
QPixmap dmxPlugPicture(QSize size, qreal ratio)
{
    QPixmap pixmap = canvas(size, ratio);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    const QPointF centre(size.width() / 2.0, size.height() / 2.0 + 2);
    const qreal shell = qMin(size.width(), size.height()) / 2.0 - 4;

    QRadialGradient metal(centre - QPointF(shell * 0.4, shell * 0.4), shell * 1.6);
    metal.setColorAt(0.0, QColor(250, 250, 252));
    metal.setColorAt(0.6, QColor(170, 172, 180));
    metal.setColorAt(1.0, QColor(95, 97, 105));
    p.setPen(QPen(QColor(60, 60, 70), 1.2));
    p.setBrush(metal);
    p.drawEllipse(centre, shell, shell);

    // Latch tab at the top of the shell.
    p.setBrush(QColor(120, 122, 130));
    p.drawRoundedRect(QRectF(centre.x() - 5, centre.y() - shell - 3, 10, 7), 2, 2);

    const qreal insert = shell * 0.74;
    p.setPen(QPen(QColor(0, 0, 0), 1));
    p.setBrush(QColor(28, 28, 30));
    p.drawEllipse(centre, insert, insert);
    // Key slot in the insert, under the latch.
    p.setBrush(QColor(120, 122, 130));
    p.drawRect(QRectF(centre.x() - 3, centre.y() - insert - 1, 6, 6));

    // Pins 1..4 on a circle, pin 5 in the middle.
    QRadialGradient gold(QPointF(0, 0), 4);
    gold.setColorAt(0.0, QColor(255, 236, 150));
    gold.setColorAt(1.0, QColor(184, 134, 11));
    p.setPen(QPen(QColor(120, 85, 0), 0.8));
    const qreal pinRadius = shell * 0.11;
    const qreal ring = insert * 0.62;
    for (const qreal degrees : {150.0, 210.0, 330.0, 30.0}) {
        const qreal a = qDegreesToRadians(degrees);
        const QPointF at = centre + QPointF(ring * qCos(a), -ring * qSin(a));
        gold.setCenter(at - QPointF(1, 1));
        gold.setFocalPoint(at - QPointF(1, 1));
        p.setBrush(gold);
        p.drawEllipse(at, pinRadius, pinRadius);
    }
    gold.setCenter(centre - QPointF(1, 1));
    gold.setFocalPoint(centre - QPointF(1, 1));
    p.setBrush(gold);
    p.drawEllipse(centre, pinRadius, pinRadius);
    return pixmap;
}

QLabel* textLabel(QWidget* parent, const char* name, const QString& text, const QRect& rect)
{
    auto* label = new QLabel(parent);
    label->setObjectName(QString::fromLatin1(name));
    // Plain text: the blanks between the words are part of the line.
    label->setTextFormat(Qt::PlainText);
    label->setText(text);
    label->setAlignment(Qt::AlignCenter);
    label->setGeometry(rect);
    return label;
}

QLabel* pictureLabel(QWidget* parent, const char* name, const QRect& rect)
{
    auto* label = new QLabel(parent);
    label->setObjectName(QString::fromLatin1(name));
    label->setAlignment(Qt::AlignCenter);
    label->setGeometry(rect);
    return label;
}

}  // namespace

TAboutForm::TAboutForm(QWidget* parent)
    : QDialog(parent)
    , labelName_(textLabel(this, "LabelName", tr("Velantra  Lumatik  Windows XP"), NameRect))
    , labelVersion_(textLabel(this, "LabelVersion",
                              tr("Version %1      Ноябрь 2009 г.").arg(QLatin1String(ProgramVersion)), VersionRect))
    , image1_(pictureLabel(this, "Image1", Image1Rect))
    , image2_(pictureLabel(this, "Image2", Image2Rect))
    , okButton_(new QPushButton(tr("OK"), this))
    , timerFlash_(new QTimer(this))
{
    setObjectName(QStringLiteral("AboutForm"));
    setWindowTitle(caption());
    setModal(true);
    // A fixed client area: no resizing, no size grip.
    setFixedSize(ClientWidth, ClientHeight);
    setSizeGripEnabled(false);
    setWindowFlag(Qt::MSWindowsFixedSizeDialogHint);

    QPalette sky = palette();
    sky.setColor(QPalette::Window, SkyBlue);
    setPalette(sky);
    setAutoFillBackground(true);

    QFont nameFont = font();
    nameFont.setBold(true);
    if (nameFont.pointSizeF() > 0) {
        nameFont.setPointSizeF(nameFont.pointSizeF() * 1.35);
    }
    labelName_->setFont(nameFont);
    QPalette namePalette = labelName_->palette();
    namePalette.setColor(QPalette::WindowText, NameColor);
    labelName_->setPalette(namePalette);
    QFont versionFont = font();
    if (versionFont.pointSizeF() > 0) {
        versionFont.setPointSizeF(versionFont.pointSizeF() * 1.1);
    }
    labelVersion_->setFont(versionFont);

    const qreal ratio = devicePixelRatioF();
    image1_->setPixmap(stageLightPicture(Image1Rect.size(), ratio));
    image2_->setPixmap(dmxPlugPicture(Image2Rect.size(), ratio));

    okButton_->setObjectName(QStringLiteral("OKButton"));
    okButton_->setGeometry(OkRect);
    okButton_->setDefault(true);
    okButton_->setFocus();
    connect(okButton_, &QPushButton::clicked, this, &QDialog::accept);

    timerFlash_->setObjectName(QStringLiteral("TimerFlash"));
    timerFlash_->setInterval(FlashInterval);
    connect(timerFlash_, &QTimer::timeout, this, &TAboutForm::TimerFlashTimer);

    // Centred on the screen (the one the main window is on), not on the main window.
    const QScreen* screen = parent != nullptr ? parent->screen() : QGuiApplication::primaryScreen();
    if (screen != nullptr) {
        move(screen->availableGeometry().center() - rect().center());
    }
}

QString TAboutForm::caption() const
{
    return tr("О программе");
}

// Window managers give a program no portable way to blink a title bar between
// its active and inactive look (an urgency hint only marks the window once),
// and the caption keeps its text; so the window's own frame flashes: every
// 300 ms a border in the active title colour comes and goes around the form.
void TAboutForm::TimerFlashTimer()
{
    flashOn_ = !flashOn_;
    update();
}

QColor TAboutForm::frameColor() const
{
    return flashOn_ ? palette().color(QPalette::Active, QPalette::Highlight) : SkyBlue;
}

void TAboutForm::paintEvent(QPaintEvent* event)
{
    QDialog::paintEvent(event);
    QPainter p(this);
    p.setPen(QPen(frameColor(), FrameWidth * 2));
    p.setBrush(Qt::NoBrush);
    p.drawRect(rect());
}

void TAboutForm::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    flashOn_ = false;
    timerFlash_->start();
}

void TAboutForm::hideEvent(QHideEvent* event)
{
    timerFlash_->stop();
    flashOn_ = false;
    QDialog::hideEvent(event);
}

}  // namespace velantra
