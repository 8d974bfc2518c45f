// The interface kind chosen per device, as the settings file keeps it: the
// device's serial number and the kind, "EN123456:pro,B0012345:opendmx".
// A device not named is Auto. QtCore; any thread unless said.
#pragma once

#include "link/usb_link.h"

#include <QString>

#include <string>

namespace velantra {

// The choices kinds keeps, in its order; entries that do not read are left out.
KindChoices kindChoicesFrom(const QString& kinds);
// The choice kept for serial in kinds; Auto when none or not readable.
KindChoice kindChoiceFor(const QString& kinds, const std::string& serial);
// GUI thread (the thread that polls link). The window and the headless
// player alike: the device link opens, now or later, is driven as kinds
// keeps for its own serial number; a change for the open device reopens it.
void applyKindChoices(UsbLink& link, const QString& kinds);
// kinds with serial's choice replaced (Auto: removed).
QString withKindChoice(const QString& kinds, const std::string& serial, KindChoice choice);

}  // namespace velantra
