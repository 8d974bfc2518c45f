#include "showtool/show_info.h"

#include <QStringList>

#include <algorithm>

namespace velantra::showtool {

namespace {

QString sceneText(int scene)
{
    return QStringLiteral("%1 (shown %2)").arg(scene).arg(scene + 1);
}

QString chaserLine(const ShowImage& image, int number, int firstCell)
{
    const auto cell = [&image, firstCell](int k) { return image[cellIndex(firstCell + k)]; };
    return QStringLiteral(
               "chaser %1: tempo %2, first channel %3, effect %4, maximum intensity %5, minimum intensity %6\n")
        .arg(number)
        .arg(cell(0))
        .arg(cell(1))
        .arg(cell(2))
        .arg(cell(3))
        .arg(cell(4));
}

}  // namespace

QString showInfo(const ShowImage& image)
{
    QString out;
    out += QStringLiteral("header: %1\n").arg(headerText(image));
    out += QStringLiteral("last scene: %1\n").arg(sceneText(image[CellLastScene]));
    out += QStringLiteral("current scene: %1\n").arg(sceneText(image[CellScene]));
    out += QStringLiteral("tempo: %1\n").arg(image[CellTempo]);
    out += QStringLiteral("rate level: %1\n").arg(image[CellRateLevel]);

    QStringList named;
    for (int c = 0; c < ChannelCount; ++c) {
        if (const QString name = channelName(image, c); !name.isEmpty()) {
            named.append(QStringLiteral("  %1: %2\n").arg(c).arg(name));
        }
    }
    out += QStringLiteral("named channels: %1\n").arg(named.size());
    out += named.join(QString());

    QStringList pictures;
    for (int k = 0; k < PictureCount; ++k) {
        const auto flags = image.begin() + pictureAddress(k);
        if (std::any_of(flags, flags + ChannelCount, [](std::uint8_t flag) { return flag != 0; })) {
            pictures.append(QString::number(k));
        }
    }
    out += QStringLiteral("pictures in use: %1\n")
               .arg(pictures.isEmpty() ? QStringLiteral("none") : pictures.join(QStringLiteral(", ")));
    out += chaserLine(image, 1, CellAvt1Tempo);
    out += chaserLine(image, 2, CellAvt2Tempo);
    return out;
}

}  // namespace velantra::showtool
