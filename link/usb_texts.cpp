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

QString proWidgetText(const ProWidgetInfo& info)
{
    QString text;
    if (const auto& p = info.parameters) {
        if (p->inRange()) {
            text += D2XXUnit::tr(": прошивка %1.%2, break %3 мкс, MAB %4 мкс, %5 кадр/с")
                        .arg(p->firmwareMajor())
                        .arg(p->firmwareMinor())
                        .arg(p->breakMicros(), 0, 'f', 0)
                        .arg(p->mabMicros(), 0, 'f', 0)
                        .arg(p->rate);
        } else {
            text += D2XXUnit::tr(": ответ о параметрах вне допустимых пределов (break %1, MAB %2, частота %3)")
                        .arg(p->breakTime)
                        .arg(p->mabTime)
                        .arg(p->rate);
        }
    }
    if (info.serial) {
        text += D2XXUnit::tr(", № %1").arg(*info.serial, 8, 10, QLatin1Char('0'));
    }
    if (!info.parameters && !info.serial) {
        text += D2XXUnit::tr(" (не ответил на запросы)");
    }
    return text;
}

QString drivenText(const UsbLink& link, std::uint64_t openDmxFrames)
{
    if (link.UsbOpen.load(std::memory_order_relaxed) != 1) {
        return {};
    }
    const UsbDeviceTexts& device = link.device();
    QString text = D2XXUnit::tr("Открыт: %1, серийный номер %2")
                       .arg(QString::fromLatin1(device.description.data(), qsizetype(device.description.size())),
                            QString::fromLatin1(device.serial.data(), qsizetype(device.serial.size()))) +
                   QLatin1Char('\n');
    if (link.kindUnsupported()) {
        return text + usbStatusText(link.status());
    }
    switch (link.kind()) {
    case InterfaceKind::Framed:
        text += D2XXUnit::tr("Работает как интерфейс Velantra");
        break;
    case InterfaceKind::Pro:
        text += D2XXUnit::tr("Работает как DMX USB Pro") + proWidgetText(link.proInfo());
        break;
    case InterfaceKind::OpenDmx:
        text += D2XXUnit::tr("Работает как Open DMX: %1 кадр/с").arg(openDmxFrames);
        break;
    }
    return text;
}

InterfaceDisplay interfaceDisplay(const UsbLink& link, bool offline)
{
    if (offline) {
        return {QStringLiteral("DEMO mode: "), D2XXUnit::tr("    DEMO MODE ")};
    }
    if (link.UsbOpen.load(std::memory_order_relaxed) == 1 && !link.kindUnsupported()) {
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
        line = QStringLiteral("interface open: ") + QString::fromStdString(link.device().description).trimmed() +
               QStringLiteral(" (") + QString::fromLatin1(link.providerName()) + QLatin1Char(')');
        if (link.kindUnsupported()) {
            line += QStringLiteral(", not driven: ") + usbStatusText(link.status()).trimmed();
        }
    } else {
        line = QStringLiteral("interface closed: ") + usbStatusText(link.status()).trimmed();
    }
    if (line == last_) {
        return;
    }
    last_ = line;
    if (offline || (link.UsbOpen.load(std::memory_order_relaxed) == 1 && !link.kindUnsupported())) {
        qCInfo(lcDevice).noquote() << line;
    } else {
        qCWarning(lcDevice).noquote() << line;
    }
}

}  // namespace velantra
