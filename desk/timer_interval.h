// Setting a timer's period without disturbing it.
#pragma once

#include <QTimer>

namespace velantra {

// GUI thread. Gives timer the period ms only when it has another one:
// QTimer::setInterval restarts a running timer even for the same value, so a
// periodic timer whose period a refresh "applies" again and again would never
// fire while the refreshes come faster than the period.
inline void setTimerInterval(QTimer& timer, int ms)
{
    if (timer.interval() != ms) {
        timer.setInterval(ms);
    }
}

}  // namespace velantra
