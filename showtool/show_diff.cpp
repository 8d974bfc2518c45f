#include "showtool/show_diff.h"

#include <QString>

namespace velantra::showtool {

namespace {

const QString Arrow = QStringLiteral(" → ");

QString quoted(const QString& text)
{
    return QLatin1Char('"') + text + QLatin1Char('"');
}

// Lines "<label(i)>: old → new" for the cells first..first+count-1 that differ.
template <typename Label>
void diffCells(QStringList& lines, const ShowImage& a, const ShowImage& b, int first, int count, Label label)
{
    for (int i = 0; i < count; ++i) {
        const std::size_t at = cellIndex(first + i);
        if (a[at] != b[at]) {
            lines.append(label(i) + QStringLiteral(": %1").arg(a[at]) + Arrow + QString::number(b[at]));
        }
    }
}

void diffHeader(QStringList& lines, const ShowImage& a, const ShowImage& b)
{
    if (headerText(a) != headerText(b)) {
        lines.append(QStringLiteral("header: ") + quoted(headerText(a)) + Arrow + quoted(headerText(b)));
        return;
    }
    diffCells(lines, a, b, 0, HeaderSize, [](int i) { return QStringLiteral("header byte %1").arg(i); });
}

void diffNames(QStringList& lines, const ShowImage& a, const ShowImage& b)
{
    for (int c = 0; c < ChannelCount; ++c) {
        const int first = NameBase + NameLength * c;
        if (imageBytes(a, first, NameLength) == imageBytes(b, first, NameLength)) {
            continue;
        }
        const QString label = QStringLiteral("name of channel %1").arg(c);
        if (channelName(a, c) != channelName(b, c)) {
            lines.append(label + QStringLiteral(": ") + quoted(channelName(a, c)) + Arrow + quoted(channelName(b, c)));
        } else {
            diffCells(lines, a, b, first, NameLength,
                      [&label](int i) { return label + QStringLiteral(", byte %1").arg(i); });
        }
    }
}

}  // namespace

QStringList showDiff(const ShowImage& before, const ShowImage& after)
{
    QStringList lines;
    diffHeader(lines, before, after);
    diffCells(lines, before, after, ParameterBase, ParameterCount, [](int i) {
        const std::string_view name = cellName(ParameterBase + i);
        return name.empty() ? QStringLiteral("cell %1").arg(ParameterBase + i)
                            : QString::fromLatin1(name.data(), static_cast<qsizetype>(name.size()));
    });
    diffCells(lines, before, after, RateBase, ChannelCount,
              [](int c) { return QStringLiteral("rate of channel %1").arg(c); });
    diffNames(lines, before, after);
    diffCells(lines, before, after, SelectBase, ChannelCount,
              [](int c) { return QStringLiteral("selection of channel %1").arg(c); });
    for (int k = 0; k < PictureCount; ++k) {
        diffCells(lines, before, after, pictureAddress(k), ChannelCount,
                  [k](int c) { return QStringLiteral("picture %1: flag of channel %2").arg(k).arg(c); });
        diffCells(lines, before, after, pictureAddress(k) + ChannelCount, ChannelCount,
                  [k](int c) { return QStringLiteral("picture %1: level of channel %2").arg(k).arg(c); });
    }
    diffCells(lines, before, after, SpareBase, SpareSize,
              [](int i) { return QStringLiteral("spare cell %1").arg(SpareBase + i); });
    for (int s = 0; s < SceneCount; ++s) {
        diffCells(lines, before, after, sceneAddress(static_cast<std::uint8_t>(s)), SceneSize,
                  [s](int c) { return QStringLiteral("scene %1 (shown %2): channel %3").arg(s).arg(s + 1).arg(c); });
    }
    return lines;
}

}  // namespace velantra::showtool
