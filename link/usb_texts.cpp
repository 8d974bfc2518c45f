#include "link/usb_texts.h"

#include "engine/version.h"
#include <QCoreApplication>

Q_LOGGING_CATEGORY(lcDevice, "velantra.device", QtInfoMsg)

namespace velantra {

namespace {

// Translation context of the link's texts.
class D2XXUnit {
    Q_DECLARE_TR_FUNCTIONS(D2XXUnit)
};

QString labelText(UsbLabel label)
{
    switch (label) {
    case UsbLabel::GetFTDeviceCount:
        return QStringLiteral("GetFTDeviceCount");
    case UsbLabel::GetFTDeviceSerialNo:
        return QStringLiteral("GetFTDeviceSerialNo");
    case UsbLabel::GetFTDeviceDescription:
        return QStringLiteral("GetFTDeviceDescription");
    case UsbLabel::FT_Open:
        return QStringLiteral("FT_Open");
    case UsbLabel::FT_Close:
        return QStringLiteral("FT_Close");
    case UsbLabel::FT_ResetDevice:
        return QStringLiteral("FT_ResetDevice");
    case UsbLabel::FT_SetTimeouts:
        return QStringLiteral("FT_SetTimeouts");
    case UsbLabel::FT_GetQueueStatus:
        return QStringLiteral("FT_GetQueueStatus");
    case UsbLabel::WriteDevice:
        return D2XXUnit::tr("Интерфейс отключен от компьютера ");
    case UsbLabel::FT_SetBaudRate:
        return QStringLiteral("FT_SetBaudRate");
    case UsbLabel::FT_SetDataCharacteristics:
        return QStringLiteral("FT_SetDataCharacteristics");
    case UsbLabel::FT_SetBreak:
        return QStringLiteral("FT_SetBreak");
    case UsbLabel::FT_Read:
        return QStringLiteral("FT_Read");
    case UsbLabel::None:
        break;
    }
    return {};
}

QString codeText(FT_STATUS status)
{
    switch (status) {
    case FT_INVALID_HANDLE:
        return D2XXUnit::tr(" - Ошибка Handle...");
    case FT_DEVICE_NOT_FOUND:
        return D2XXUnit::tr(" - Устройство не найдено....");
    case FT_DEVICE_NOT_OPENED:
        return D2XXUnit::tr(" - Устройство не открывается...");
    case FT_IO_ERROR:
        return D2XXUnit::tr(" - Ошибка ввода-вывода...");
    case FT_INSUFFICIENT_RESOURCES:
        return D2XXUnit::tr(" - Не хватает ресурсов...");
    case FT_INVALID_PARAMETER:
        return D2XXUnit::tr(" - Неверный параметр ...");
    case FT_NOT_SUPPORTED:
        return D2XXUnit::tr(" - Драйвер этого не умеет: выберите другой вид интерфейса...");
    default:
        break;
    }
    return {};
}

}  // namespace

QString usbStatusText(UsbStatus status)
{
    if (status.label == UsbLabel::None) {
        return {};
    }
    const QString code = codeText(status.status);
    return code.isEmpty() ? QString() : labelText(status.label) + code;
}

QString usbCountText(const UsbListing& listing)
{
    switch (listing.count) {
    case UsbListing::Count::Devices:
        return D2XXUnit::tr("Устройств на шине USB = %1").arg(listing.devices);
    case UsbListing::Count::NoDevice:
        // The last letter is a Latin "a", as the operators have always seen it.
        return D2XXUnit::tr("Нет USB устройствa ");
    case UsbListing::Count::NotListed:
        break;
    }
    return {};
}

QString usbSerialText(const UsbListing& listing)
{
    if (!listing.hasSerial) {
        return {};
    }
    return D2XXUnit::tr("серийный номер = %1")
        .arg(QString::fromLatin1(listing.serial.data(), qsizetype(listing.serial.size())));
}

QString usbDescriptionText(const UsbListing& listing)
{
    return QString::fromLatin1(listing.description.data(), qsizetype(listing.description.size()));
}

InterfaceDisplay interfaceDisplay(const UsbLink& link, bool offline)
{
    if (offline) {
        return {QStringLiteral("DEMO mode: "), D2XXUnit::tr("    DEMO MODE ")};
    }
    if (link.UsbOpen.load(std::memory_order_relaxed) == 1) {
        return {QStringLiteral("Velantra v%1 ").arg(QLatin1String(ReleaseVersion)), QString()};
    }
    return {QStringLiteral(" DEMO MODE: "), usbStatusText(link.status())};
}

void InterfaceLog::update(const UsbLink& link, bool offline)
{
    QString line;
    if (offline) {
        line = QStringLiteral("demo mode: nothing is written");
    } else if (link.UsbOpen.load(std::memory_order_relaxed) == 1) {
        line = QStringLiteral("interface open: ") + QString::fromStdString(link.deviceText()).trimmed() +
               QStringLiteral(" (") + QString::fromLatin1(link.providerName()) + QLatin1Char(')');
    } else {
        line = QStringLiteral("interface closed: ") + usbStatusText(link.status()).trimmed();
    }
    if (line == last_) {
        return;
    }
    last_ = line;
    if (offline || link.UsbOpen.load(std::memory_order_relaxed) == 1) {
        qCInfo(lcDevice).noquote() << line;
    } else {
        qCWarning(lcDevice).noquote() << line;
    }
}

}  // namespace velantra
