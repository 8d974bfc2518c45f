// The "О программе" window as the operator sees it: caption, texts, size,
// colour, pictures, the OK button and the flashing caption.
#include "about/about_form.h"

#include <QApplication>
#include <QImage>
#include <QLabel>
#include <QPixmap>
#include <QPushButton>
#include <QScreen>
#include <QSet>
#include <QTest>
#include <QTimer>
#include <QTranslator>

#include <gtest/gtest.h>

#include <vector>

namespace velantra {
namespace {

const QString Caption = QStringLiteral("О программе");
const QColor SkyBlue(0x87, 0xCE, 0xEB);

QLabel* label(TAboutForm& form, const char* name)
{
    return form.findChild<QLabel*>(QString::fromLatin1(name));
}

QPushButton* okButton(TAboutForm& form)
{
    return form.findChild<QPushButton*>(QStringLiteral("OKButton"));
}

QTimer* flashTimer(TAboutForm& form)
{
    return form.findChild<QTimer*>(QStringLiteral("TimerFlash"));
}

// Rejects the dialog if it is still open after a few seconds, so that a
// broken OK button fails the test instead of hanging it.
void rejectLater(TAboutForm& form)
{
    QTimer::singleShot(5000, &form, [&form] { form.done(-1); });
}

TEST(AboutForm, OpensWithItsCaption)
{
    TAboutForm form;
    EXPECT_EQ(form.windowTitle(), Caption);
    form.show();
    EXPECT_EQ(form.windowTitle(), Caption);
}

TEST(AboutForm, ShowsNameAndVersionWithTheirBlanks)
{
    TAboutForm form;
    QLabel* name = label(form, "LabelName");
    QLabel* version = label(form, "LabelVersion");
    ASSERT_NE(name, nullptr);
    ASSERT_NE(version, nullptr);
    EXPECT_EQ(name->text(), QStringLiteral("Velantra  Lumatik  Windows XP"));
    EXPECT_EQ(version->text(), QStringLiteral("Version 4.3      Ноябрь 2009 г."));
    // Shown as typed: plain text keeps every blank.
    EXPECT_EQ(name->textFormat(), Qt::PlainText);
    EXPECT_EQ(version->textFormat(), Qt::PlainText);
}

TEST(AboutForm, EachTextLineFitsInsideItsLabelAndTheWindow)
{
    TAboutForm form;
    form.show();
    for (const char* name : {"LabelName", "LabelVersion"}) {
        QLabel* line = label(form, name);
        ASSERT_NE(line, nullptr) << name;
        EXPECT_TRUE(line->isVisible()) << name;
        const QFontMetrics metrics(line->font());
        EXPECT_LE(metrics.horizontalAdvance(line->text()), line->contentsRect().width()) << name;
        EXPECT_LE(metrics.height(), line->contentsRect().height()) << name;
        EXPECT_TRUE(form.rect().contains(line->geometry())) << name;
    }
}

TEST(AboutForm, ClientAreaIsFixedAt361By192)
{
    TAboutForm form;
    form.show();
    EXPECT_EQ(form.size(), QSize(361, 192));
    EXPECT_EQ(form.minimumSize(), QSize(361, 192));
    EXPECT_EQ(form.maximumSize(), QSize(361, 192));
    EXPECT_FALSE(form.isSizeGripEnabled());
    form.resize(600, 400);
    EXPECT_EQ(form.size(), QSize(361, 192));
}

TEST(AboutForm, BackgroundIsSkyBlue)
{
    TAboutForm form;
    form.show();
    EXPECT_EQ(form.palette().color(form.backgroundRole()), SkyBlue);
    const QImage shot = form.grab().toImage();
    ASSERT_FALSE(shot.isNull());
    const qreal ratio = shot.devicePixelRatio();
    // Corners of the window and the blank ends of the name line.
    QLabel* name = label(form, "LabelName");
    ASSERT_NE(name, nullptr);
    const QPoint points[] = {{2, 2}, {358, 2}, {2, 189}, {358, 189}, name->geometry().topLeft() + QPoint(1, 1)};
    for (const QPoint& at : points) {
        EXPECT_EQ(shot.pixelColor(at * ratio), SkyBlue) << at.x() << "," << at.y();
    }
}

// A picture is something drawn: mostly opaque somewhere, in several colours.
void expectDrawnPicture(QLabel* picture, const char* name)
{
    ASSERT_NE(picture, nullptr) << name;
    const QPixmap pixmap = picture->pixmap();
    ASSERT_FALSE(pixmap.isNull()) << name;
    const QImage image = pixmap.toImage().convertToFormat(QImage::Format_ARGB32);
    int opaque = 0;
    QSet<QRgb> colours;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const QRgb pixel = image.pixel(x, y);
            if (qAlpha(pixel) > 128) {
                ++opaque;
                colours.insert(pixel);
            }
        }
    }
    EXPECT_GT(opaque, image.width() * image.height() / 8) << name;
    EXPECT_GE(colours.size(), 8) << name;
}

TEST(AboutForm, ShowsTwoDifferentDrawnPictures)
{
    TAboutForm form;
    form.show();
    QLabel* image1 = label(form, "Image1");
    QLabel* image2 = label(form, "Image2");
    expectDrawnPicture(image1, "Image1");
    expectDrawnPicture(image2, "Image2");
    ASSERT_NE(image1, nullptr);
    ASSERT_NE(image2, nullptr);
    EXPECT_TRUE(image1->isVisible());
    EXPECT_TRUE(image2->isVisible());
    EXPECT_NE(image1->pixmap().toImage(), image2->pixmap().toImage());
}

TEST(AboutForm, NothingOverlapsAndEverythingIsInsideTheWindow)
{
    TAboutForm form;
    form.show();
    const char* names[] = {"LabelName", "LabelVersion", "Image1", "Image2", "OKButton"};
    std::vector<QRect> rects;
    for (const char* name : names) {
        auto* widget = form.findChild<QWidget*>(QString::fromLatin1(name));
        ASSERT_NE(widget, nullptr) << name;
        EXPECT_TRUE(form.rect().contains(widget->geometry())) << name;
        rects.push_back(widget->geometry());
    }
    for (std::size_t i = 0; i < rects.size(); ++i) {
        for (std::size_t j = i + 1; j < rects.size(); ++j) {
            EXPECT_FALSE(rects[i].intersects(rects[j])) << names[i] << " and " << names[j];
        }
    }
}

TEST(AboutForm, OkRunsModallyAndClosesWithAccepted)
{
    TAboutForm form;
    QPushButton* ok = okButton(form);
    ASSERT_NE(ok, nullptr);
    EXPECT_EQ(ok->text(), QStringLiteral("OK"));
    bool modalWhenClicked = false;
    QTimer::singleShot(0, &form, [&] {
        modalWhenClicked = QApplication::activeModalWidget() == &form;
        QTest::mouseClick(ok, Qt::LeftButton);
    });
    rejectLater(form);
    EXPECT_EQ(form.exec(), QDialog::Accepted);
    EXPECT_TRUE(modalWhenClicked);
    EXPECT_FALSE(form.isVisible());
}

TEST(AboutForm, EnterPressesOk)
{
    TAboutForm form;
    QTimer::singleShot(0, &form, [&] { QTest::keyClick(&form, Qt::Key_Return); });
    rejectLater(form);
    EXPECT_EQ(form.exec(), QDialog::Accepted);
}

TEST(AboutForm, FrameFlashesEvery300MsWhileShownAndTheCaptionStaysSteady)
{
    TAboutForm form;
    QTimer* timer = flashTimer(form);
    ASSERT_NE(timer, nullptr);
    EXPECT_EQ(timer->interval(), 300);
    EXPECT_FALSE(timer->isActive());

    form.show();
    EXPECT_TRUE(timer->isActive());
    const QColor between = form.frameColor();
    auto cornerOf = [&form] { return form.grab().toImage().pixelColor(1, 1); };
    EXPECT_EQ(cornerOf(), between);
    EXPECT_TRUE(QTest::qWaitFor([&] { return form.frameColor() != between; }, 1000));
    EXPECT_EQ(cornerOf(), form.frameColor()) << "the lit frame is drawn";
    EXPECT_NE(cornerOf(), between);
    EXPECT_EQ(form.windowTitle(), Caption);
    EXPECT_TRUE(QTest::qWaitFor([&] { return form.frameColor() == between; }, 1000));
    EXPECT_EQ(form.windowTitle(), Caption);

    QPushButton* ok = okButton(form);
    ASSERT_NE(ok, nullptr);
    QTest::mouseClick(ok, Qt::LeftButton);
    EXPECT_FALSE(form.isVisible());
    EXPECT_EQ(form.result(), QDialog::Accepted);
    EXPECT_FALSE(timer->isActive());
    EXPECT_EQ(form.windowTitle(), Caption);
}

TEST(AboutForm, ClosingTheWindowAlsoStopsTheFlashing)
{
    TAboutForm form;
    form.show();
    QTimer* timer = flashTimer(form);
    ASSERT_NE(timer, nullptr);
    const QColor between = form.frameColor();
    EXPECT_TRUE(QTest::qWaitFor([&] { return form.frameColor() != between; }, 1000));
    form.close();
    EXPECT_FALSE(timer->isActive());
    EXPECT_EQ(form.frameColor(), between);
    EXPECT_EQ(form.result(), QDialog::Rejected);
}

TEST(AboutForm, IsCentredOnTheScreenNotOnTheMainWindow)
{
    QWidget parent;
    parent.setGeometry(60, 40, 600, 420);
    parent.show();
    TAboutForm form(&parent);
    form.show();
    QScreen* screen = form.screen();
    ASSERT_NE(screen, nullptr);
    const QPoint offset = form.frameGeometry().center() - screen->availableGeometry().center();
    EXPECT_LE(offset.manhattanLength(), 4) << offset.x() << "," << offset.y();
}

TEST(AboutForm, WithoutAParentIsCentredOnTheScreen)
{
    TAboutForm form;
    form.show();
    QScreen* screen = form.screen();
    ASSERT_NE(screen, nullptr);
    const QPoint offset = form.frameGeometry().center() - screen->availableGeometry().center();
    EXPECT_LE(offset.manhattanLength(), 4) << offset.x() << "," << offset.y();
}

// Marks every text it is asked for, to show which texts go through translation.
class MarkingTranslator : public QTranslator {
public:
    QString translate(const char* context, const char* sourceText, const char*, int) const override
    {
        if (QByteArrayView(context) != "velantra::TAboutForm") {
            return {};
        }
        return QStringLiteral("[") + QString::fromUtf8(sourceText) + QStringLiteral("]");
    }
    bool isEmpty() const override { return false; }
};

TEST(AboutForm, EveryTextIsTranslatable)
{
    MarkingTranslator translator;
    QCoreApplication::installTranslator(&translator);
    TAboutForm form;
    QCoreApplication::removeTranslator(&translator);
    EXPECT_EQ(form.windowTitle(), QStringLiteral("[О программе]"));
    QLabel* name = label(form, "LabelName");
    QLabel* version = label(form, "LabelVersion");
    QPushButton* ok = okButton(form);
    ASSERT_NE(name, nullptr);
    ASSERT_NE(version, nullptr);
    ASSERT_NE(ok, nullptr);
    EXPECT_EQ(name->text(), QStringLiteral("[Velantra  Lumatik  Windows XP]"));
    EXPECT_EQ(version->text(), QStringLiteral("[Version 4.3      Ноябрь 2009 г.]"));
    EXPECT_EQ(ok->text(), QStringLiteral("[OK]"));
}

}  // namespace
}  // namespace velantra
