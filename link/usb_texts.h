// The operator's texts of the interface link: the status message, the three
// listing texts of the options tab and the interface-state display.
#pragma once

#include "link/usb_link.h"

#include <QLoggingCategory>
#include <QString>

#include <cstdint>

// Interface events: found, opened, lost, refused.
Q_DECLARE_LOGGING_CATEGORY(lcDevice)

namespace velantra {

// GUI thread. Label of the failed call followed by the text of its status;
// empty when there is no message.
QString usbStatusText(UsbStatus status);

// GUI thread. "Устройств на шине USB = N" or "Нет USB устройствa ".
QString usbCountText(const UsbListing& listing);
// GUI thread. "серийный номер = " + the serial number, or empty.
QString usbSerialText(const UsbListing& listing);
// GUI thread. The description, or empty.
QString usbDescriptionText(const UsbListing& listing);

// GUI thread. What a DMX USB Pro told of itself, after "Работает как DMX USB
// Pro": firmware, break, mark-after-break and rate (or that they are out of
// the published ranges), serial number, or that it has not answered.
QString proWidgetText(const ProWidgetInfo& info);
// GUI thread. For the page "Опции", under the kind: the device open and what
// it is driven as (openDmxFrames: the Open DMX frames of the last second), or
// the steady message when its driver cannot drive the kind. Empty while no
// device is open.
QString drivenText(const UsbLink& link, std::uint64_t openDmxFrames);

// What the window shows of the interface state.
struct InterfaceDisplay {
    QString captionPrefix;  // prefix of the main window's caption
    QString statusPanel;    // status bar panel 0
};

// GUI thread; the show clock calls it once a second. By precedence: offline,
// then an open device that is driven, then the last error message (for an
// open device that cannot be driven as chosen: why).
InterfaceDisplay interfaceDisplay(const UsbLink& link, bool offline);

// GUI thread. Logs the interface's state (open, the failure that keeps it
// closed, demo mode) each time it differs from the last one logged.
class InterfaceLog {
public:
    void update(const UsbLink& link, bool offline);

private:
    QString last_;
};

}  // namespace velantra
