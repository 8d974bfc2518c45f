// The interface kind chosen per device, as the settings file keeps it: the
// device's serial number and the kind, "EN123456:pro,B0012345:opendmx".
// A device not named is Auto. QtCore; any thread.
#pragma once

#include "link/usb_link.h"

#include <QString>

#include <string>

namespace velantra {

// The choice kept for serial in kinds; Auto when none or not readable.
KindChoice kindChoiceFor(const QString& kinds, const std::string& serial);
// kinds with serial's choice replaced (Auto: removed).
QString withKindChoice(const QString& kinds, const std::string& serial, KindChoice choice);

}  // namespace velantra
