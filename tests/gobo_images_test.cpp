// The gobo pictures beside the fader rows: which codes have one, and that each
// kind looks as the operator expects: the colour filters show their colour,
// the gobos are dark discs letting light through, no two pictures are alike.
#include "channels/gobo_images.h"

#include <QColor>
#include <QHash>

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <ostream>
#include <thread>
#include <vector>

namespace velantra {
namespace {

constexpr int Side = 16;

QImage argb(int code)
{
    return ImageListGobo::image(code).convertToFormat(QImage::Format_ARGB32);
}

bool reserved(int code)
{
    return code == 1 || code == 2 || code == 7;
}

int countPixels(const QImage& image, auto&& take)
{
    int n = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            n += take(image.pixelColor(x, y)) ? 1 : 0;
        }
    }
    return n;
}

bool opaque(const QColor& c)
{
    return c.alpha() > 200;
}

// Hue distance in degrees, around the circle.
int hueDistance(int a, int b)
{
    const int d = std::abs(a - b) % 360;
    return d > 180 ? 360 - d : d;
}

bool hasHue(const QColor& c, int hue, int tolerance = 20)
{
    return opaque(c) && c.hsvSaturation() > 120 && c.value() > 60 && hueDistance(c.hsvHue(), hue) <= tolerance;
}

TEST(GoboImages, EveryCodeOfTheListHasASixteenPixelPicture)
{
    for (int code = 0; code < ImageListGobo::Count; ++code) {
        const QPixmap& pixmap = ImageListGobo::picture(code);
        ASSERT_FALSE(pixmap.isNull()) << code;
        EXPECT_EQ(pixmap.size(), QSize(Side, Side)) << code;
        EXPECT_EQ(ImageListGobo::image(code).size(), QSize(Side, Side)) << code;
    }
}

TEST(GoboImages, CodesPastTheListHaveNoPicture)
{
    for (const int code : {-1, 142, 200, 255}) {
        EXPECT_TRUE(ImageListGobo::picture(code).isNull()) << code;
        EXPECT_TRUE(ImageListGobo::image(code).isNull()) << code;
    }
}

TEST(GoboImages, ReservedCodesShowAnEmptyPicture)
{
    for (const int code : {1, 2, 7}) {
        EXPECT_EQ(countPixels(argb(code), [](const QColor& c) { return c.alpha() > 0; }), 0) << code;
    }
}

TEST(GoboImages, EveryOtherPictureIsVisibleAndUnlikeAllOthers)
{
    QHash<QByteArray, int> seen;
    for (int code = 0; code < ImageListGobo::Count; ++code) {
        if (reserved(code)) {
            continue;
        }
        const QImage image = argb(code);
        EXPECT_GE(countPixels(image, opaque), 20) << code;
        const QByteArray pixels(reinterpret_cast<const char*>(image.constBits()), image.sizeInBytes());
        EXPECT_FALSE(seen.contains(pixels)) << code << " looks like " << seen.value(pixels);
        seen.insert(pixels, code);
    }
}

TEST(GoboImages, OpenBeamAndWhiteFilterAreToldApartAtTheirSize)
{
    // Inside the rim, where a white disc of either kind would be white.
    const QImage open = argb(0);
    const QImage white = argb(13);
    int differing = 0;
    for (int y = 0; y < Side; ++y) {
        for (int x = 0; x < Side; ++x) {
            const double r = std::hypot(x + 0.5 - Side / 2.0, y + 0.5 - Side / 2.0);
            if (r > 1 && r < 6.3) {
                differing += std::abs(open.pixelColor(x, y).value() - white.pixelColor(x, y).value()) > 80 ? 1 : 0;
            }
        }
    }
    EXPECT_GE(differing, 20) << "pixels inside the rim";
}

TEST(GoboImages, ThePictureKeptForTheWindowIsTheDrawnImage)
{
    for (int code = 0; code < ImageListGobo::Count; ++code) {
        const qint64 key = ImageListGobo::picture(code).cacheKey();
        EXPECT_EQ(ImageListGobo::picture(code).cacheKey(), key) << code << " drawn again";
        EXPECT_EQ(ImageListGobo::picture(code).toImage().convertToFormat(QImage::Format_ARGB32), argb(code)) << code;
    }
}

TEST(GoboImages, ImagesDrawnOnAnotherThreadMatch)
{
    std::vector<QImage> drawn;
    std::thread worker([&drawn] {
        for (int code = 0; code < ImageListGobo::Count; ++code) {
            drawn.push_back(argb(code));
        }
    });
    worker.join();
    ASSERT_EQ(drawn.size(), std::size_t(ImageListGobo::Count));
    for (int code = 0; code < ImageListGobo::Count; ++code) {
        EXPECT_EQ(drawn[std::size_t(code)], argb(code)) << code;
    }
}

// A colour filter and what its middle must look like.
struct Filter {
    int code;
    const char* name;
    int hue;  // -1: no hue (white, grey)
    int minValue;
    int maxValue;
};

void PrintTo(const Filter& f, std::ostream* os)
{
    *os << f.code << " " << f.name;
}

class ColourFilter : public ::testing::TestWithParam<Filter> {};

TEST_P(ColourFilter, MiddleShowsTheFilterColour)
{
    const Filter f = GetParam();
    const QColor c = argb(f.code).pixelColor(Side / 2, Side / 2);
    ASSERT_TRUE(opaque(c)) << f.name;
    if (f.hue < 0) {
        EXPECT_LT(c.hsvSaturation(), 30) << f.name;
    } else {
        EXPECT_TRUE(hasHue(c, f.hue)) << f.name << " shows hue " << c.hsvHue();
    }
    EXPECT_GE(c.value(), f.minValue) << f.name;
    EXPECT_LE(c.value(), f.maxValue) << f.name;
}

INSTANTIATE_TEST_SUITE_P(GoboImages, ColourFilter,
                         ::testing::Values(Filter{13, "white", -1, 235, 255}, Filter{14, "red", 0, 150, 255},
                                           Filter{15, "orange", 32, 150, 255}, Filter{16, "yellow", 56, 150, 255},
                                           Filter{17, "green", 120, 150, 255}, Filter{18, "dark green", 125, 50, 140},
                                           Filter{19, "cyan", 183, 150, 255}, Filter{20, "blue", 230, 150, 255},
                                           Filter{21, "magenta", 300, 150, 255}, Filter{22, "grey", -1, 90, 180}));

TEST(GoboImages, SplitColourIsGreenOnOneSideMagentaOnTheOther)
{
    const QImage image = argb(28);
    const QColor left = image.pixelColor(4, 8);
    const QColor right = image.pixelColor(11, 8);
    EXPECT_TRUE((hasHue(left, 120) && hasHue(right, 300)) || (hasHue(left, 300) && hasHue(right, 120)))
        << left.hsvHue() << " / " << right.hsvHue();
}

TEST(GoboImages, ColourWheelShowsTheWholeRainbow)
{
    const QImage image = argb(66);
    for (const int hue : {0, 60, 120, 180, 240, 300}) {
        EXPECT_GT(countPixels(image, [hue](const QColor& c) { return hasHue(c, hue, 15); }), 2) << hue;
    }
}

TEST(GoboImages, GobosAreDarkDiscsLettingLightThrough)
{
    for (const int code : {8, 9, 10, 11, 12, 24, 25, 26, 27, 30, 33}) {
        const QImage image = argb(code);
        EXPECT_GE(countPixels(image, [](const QColor& c) { return opaque(c) && c.value() < 70; }), 30) << code;
        EXPECT_GE(countPixels(image, [](const QColor& c) { return opaque(c) && c.value() > 200; }), 8) << code;
        EXPECT_EQ(countPixels(image, [](const QColor& c) { return opaque(c) && c.hsvSaturation() > 80; }), 0) << code;
    }
}

TEST(GoboImages, TemperatureDiscsAreWarmAndCoolAndUltravioletIsViolet)
{
    // (8, 2) is disc above the marking.
    const QColor warm = argb(40).pixelColor(8, 2);
    const QColor violet = argb(41).pixelColor(8, 2);
    const QColor cool = argb(42).pixelColor(8, 2);
    EXPECT_GT(warm.red(), warm.blue() + 60);
    EXPECT_TRUE(hasHue(violet, 275, 25)) << violet.hsvHue();
    EXPECT_GT(cool.blue(), cool.red());
    EXPECT_GT(cool.value(), 200);
}

TEST(GoboImages, TemperatureMarkingsShareTheirZerosAndDifferInFront)
{
    // "3200" and "5600" in dark ink: the right halves agree, the left halves differ.
    const auto ink = [](int code, int x0, int x1) {
        const QImage image = argb(code);
        std::vector<bool> marks;
        for (int y = 0; y < Side; ++y) {
            for (int x = x0; x < x1; ++x) {
                marks.push_back(opaque(image.pixelColor(x, y)) && image.pixelColor(x, y).value() < 140);
            }
        }
        return marks;
    };
    EXPECT_EQ(ink(40, 9, 16), ink(42, 9, 16));
    EXPECT_NE(ink(40, 0, 9), ink(42, 0, 9));
    const std::vector<bool> both = ink(40, 0, 16);
    EXPECT_GE(std::count(both.begin(), both.end(), true), 30);
    // "UV" in white on the violet disc.
    EXPECT_GE(countPixels(argb(41), [](const QColor& c) { return c.hsvSaturation() < 60 && c.value() > 200; }), 20);
}

TEST(GoboImages, PanArrowsLieAcrossAndTiltArrowsStand)
{
    const auto extent = [](int code) {
        const QImage image = argb(code);
        QRect box;
        for (int y = 0; y < Side; ++y) {
            for (int x = 0; x < Side; ++x) {
                box = opaque(image.pixelColor(x, y)) ? box.united(QRect(x, y, 1, 1)) : box;
            }
        }
        return box.size();
    };
    EXPECT_GE(extent(32).width(), 14);
    EXPECT_LE(extent(32).height(), 8);
    EXPECT_GE(extent(34).height(), 14);
    EXPECT_LE(extent(34).width(), 8);
}

}  // namespace
}  // namespace velantra
