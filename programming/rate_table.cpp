#include "programming/rate_table.h"

#include <QCoreApplication>

namespace velantra {

namespace {
constexpr std::uint8_t Steps[RatePositions] = {1, 2, 4, 8, 20, 50, 100, 255};
}  // namespace

std::uint8_t rateStep(int position)
{
    return position >= 0 && position < RatePositions ? Steps[position] : Steps[RatePositions - 1];
}

QString rateLabel(int position)
{
    static const char* const labels[RatePositions] = {"15",
                                                      "7",
                                                      "3",
                                                      "2",
                                                      "1",
                                                      QT_TRANSLATE_NOOP("RateTable", "0,5"),
                                                      QT_TRANSLATE_NOOP("RateTable", "0,2"),
                                                      QT_TRANSLATE_NOOP("RateTable", "no")};
    const int p = position >= 0 && position < RatePositions ? position : RatePositions - 1;
    return QCoreApplication::translate("RateTable", labels[p]);
}

int RatePositionOf(std::uint8_t value)
{
    for (int p = 0; p < RatePositions; ++p) {
        if (value <= Steps[p]) {  // each step is also the top of its range
            return p;
        }
    }
    return RatePositions - 1;
}

}  // namespace velantra
