// The operator's texts of the interface link, character for character.
#include "engine/engine.h"
#include "link/interface_kinds.h"
#include "link/usb_link.h"
#include "link/usb_texts.h"
#include "tests/testing/fake_d2xx.h"

#include <gtest/gtest.h>

#include <memory>
#include <optional>

namespace velantra {
namespace {

QString text(UsbLabel label, FT_STATUS status)
{
    return usbStatusText({label, status});
}

TEST(UsbTexts, WriteToAnUnpluggedInterfaceReadsWithTwoBlanksBetweenLabelAndText)
{
    EXPECT_EQ(text(UsbLabel::WriteDevice, 4),
              QStringLiteral("Интерфейс отключен от компьютера  - Ошибка ввода-вывода..."));
}

TEST(UsbTexts, EveryStatusCodeHasItsText)
{
    EXPECT_EQ(text(UsbLabel::FT_Open, 1), QStringLiteral("FT_Open - Ошибка Handle..."));
    EXPECT_EQ(text(UsbLabel::GetFTDeviceCount, 2), QStringLiteral("GetFTDeviceCount - Устройство не найдено...."));
    EXPECT_EQ(text(UsbLabel::FT_Open, 3), QStringLiteral("FT_Open - Устройство не открывается..."));
    EXPECT_EQ(text(UsbLabel::FT_GetQueueStatus, 4), QStringLiteral("FT_GetQueueStatus - Ошибка ввода-вывода..."));
    EXPECT_EQ(text(UsbLabel::GetFTDeviceSerialNo, 5), QStringLiteral("GetFTDeviceSerialNo - Не хватает ресурсов..."));
    EXPECT_EQ(text(UsbLabel::GetFTDeviceDescription, 6),
              QStringLiteral("GetFTDeviceDescription - Неверный параметр ..."));
    EXPECT_EQ(text(UsbLabel::FT_SetTimeouts, 4), QStringLiteral("FT_SetTimeouts - Ошибка ввода-вывода..."));
    EXPECT_EQ(text(UsbLabel::FT_ResetDevice, 4), QStringLiteral("FT_ResetDevice - Ошибка ввода-вывода..."));
    EXPECT_EQ(text(UsbLabel::FT_Close, 4), QStringLiteral("FT_Close - Ошибка ввода-вывода..."));
}

TEST(UsbTexts, UnknownCodeOrNoFailureGivesAnEmptyMessage)
{
    EXPECT_TRUE(text(UsbLabel::WriteDevice, 7).isEmpty());
    EXPECT_TRUE(text(UsbLabel::None, 4).isEmpty());
    EXPECT_TRUE(usbStatusText({}).isEmpty());
}

TEST(UsbTexts, ListingTexts)
{
    UsbListing listing;
    EXPECT_TRUE(usbCountText(listing).isEmpty());

    listing.count = UsbListing::Count::Devices;
    listing.devices = 2;
    listing.hasSerial = true;
    listing.serial = "FT4XK2";
    listing.description = "USB DMX";
    EXPECT_EQ(usbCountText(listing), QStringLiteral("Устройств на шине USB = 2"));
    EXPECT_EQ(usbSerialText(listing), QStringLiteral("серийный номер = FT4XK2"));
    EXPECT_EQ(usbDescriptionText(listing), QStringLiteral("USB DMX"));

    listing = {};
    listing.count = UsbListing::Count::NoDevice;
    const QString none = usbCountText(listing);
    EXPECT_EQ(none, QStringLiteral("Нет USB устройств") + QChar(u'a') + QChar(u' '));
    EXPECT_EQ(none.at(none.size() - 2).unicode(), 0x61) << "the last letter is a Latin a";
    EXPECT_TRUE(usbSerialText(listing).isEmpty());
    EXPECT_TRUE(usbDescriptionText(listing).isEmpty());
}

TEST(UsbTexts, InterfaceDisplayFollowsItsOrderOfPrecedence)
{
    auto e = std::make_unique<Engine>();
    FakeD2xx device;
    UsbLink link(device);
    link.openInterface();

    InterfaceDisplay shown = interfaceDisplay(link, false);
    EXPECT_EQ(shown.captionPrefix, QStringLiteral(" DEMO MODE: "));
    EXPECT_TRUE(shown.statusPanel.isEmpty());

    device.failCall(FakeCall::ListCount, FT_IO_ERROR);
    link.openInterface();
    shown = interfaceDisplay(link, false);
    EXPECT_EQ(shown.statusPanel, QStringLiteral("GetFTDeviceCount - Ошибка ввода-вывода..."));

    device.failCall(FakeCall::ListCount, FT_OK);
    device.attach();
    link.poll();
    shown = interfaceDisplay(link, false);
    EXPECT_EQ(shown.captionPrefix, QStringLiteral("Velantra v5.4.1 "));
    EXPECT_TRUE(shown.statusPanel.isEmpty());

    shown = interfaceDisplay(link, true);
    EXPECT_EQ(shown.captionPrefix, QStringLiteral("DEMO mode: "));
    EXPECT_EQ(shown.statusPanel, QStringLiteral("    DEMO MODE "));
}

TEST(InterfaceKinds, ChoicePerSerialNumberIsKeptReplacedAndForgotten)
{
    QString kinds;
    kinds = withKindChoice(kinds, "EN123456", KindChoice::Pro);
    kinds = withKindChoice(kinds, "B0012345", KindChoice::OpenDmx);
    EXPECT_EQ(kinds, QStringLiteral("EN123456:pro,B0012345:opendmx"));
    EXPECT_EQ(kindChoiceFor(kinds, "EN123456"), KindChoice::Pro);
    EXPECT_EQ(kindChoiceFor(kinds, "B0012345"), KindChoice::OpenDmx);
    EXPECT_EQ(kindChoiceFor(kinds, "VL000001"), KindChoice::Auto);
    kinds = withKindChoice(kinds, "EN123456", KindChoice::Framed);
    EXPECT_EQ(kindChoiceFor(kinds, "EN123456"), KindChoice::Framed);
    kinds = withKindChoice(kinds, "EN123456", KindChoice::Auto);  // forgotten
    EXPECT_EQ(kinds, QStringLiteral("B0012345:opendmx"));
    // Written by hand, with blanks and a word the program does not know.
    EXPECT_EQ(kindChoiceFor(QStringLiteral(" X1 : PRO , X2:laser"), "X1"), KindChoice::Pro);
    EXPECT_EQ(kindChoiceFor(QStringLiteral(" X1 : PRO , X2:laser"), "X2"), KindChoice::Auto);
    EXPECT_EQ(withKindChoice(QString(), "A,B", KindChoice::Pro), QString());  // cannot be kept
}

TEST(UsbTexts, WhatADmxUsbProToldOfItself)
{
    const pro::Parameters good{0x012C, 9, 1, 40};  // firmware 1.44
    const pro::Parameters wild{0x012C, 200, 0, 41};
    struct Case {
        ProWidgetInfo info;
        QString text;
    };
    const Case cases[] = {
        {{good, 12345678u}, QStringLiteral(": прошивка 1.44, break 96 мкс, MAB 11 мкс, 40 кадр/с, № 12345678")},
        {{pro::Parameters{0x0209, 127, 127, 0}, std::nullopt},
         QStringLiteral(": прошивка 2.9, break 1355 мкс, MAB 1355 мкс, 0 кадр/с")},
        {{wild, std::nullopt},
         QStringLiteral(": ответ о параметрах вне допустимых пределов (break 200, MAB 0, частота 41)")},
        {{std::nullopt, 42u}, QStringLiteral(", № 00000042")},
        {{}, QStringLiteral(" (не ответил на запросы)")},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(proWidgetText(c.info), c.text);
    }
}

TEST(UsbTexts, ADriverWithoutTheOpenDmxLineGivesOneSteadyMessageOnThePageAndTheStatusLine)
{
    FakeD2xx device;
    UsbLink link(device);
    link.setKindChoice(KindChoice::OpenDmx);
    device.attach("B0012345", "FT232R USB UART");
    device.failCall(FakeCall::SetBaudRate, FT_NOT_SUPPORTED);
    link.openInterface();
    const QString message =
        QStringLiteral("FT_SetBaudRate - Драйвер этого не умеет: выберите другой вид интерфейса...");
    for (int i = 0; i < 4; ++i) {
        link.poll();
        const InterfaceDisplay shown = interfaceDisplay(link, false);
        EXPECT_EQ(shown.captionPrefix, QStringLiteral(" DEMO MODE: "));
        EXPECT_EQ(shown.statusPanel, message);
        EXPECT_EQ(drivenText(link, 0), QStringLiteral("Открыт: FT232R USB UART, серийный номер B0012345\n") + message);
    }
    EXPECT_EQ(device.opens(), 1);
}

TEST(InterfaceKinds, TheSettingsChoiceDrivesTheDeviceOpenedWhereverItIsListed)
{
    FakeD2xx device;
    UsbLink link(device);
    device.attach("FT0CABLE", "FT232R USB UART");
    device.attach("EN123456", "DMX USB PRO");
    applyKindChoices(link, QStringLiteral("EN123456:opendmx,FT0CABLE:pro"));
    link.openInterface();
    link.poll();
    EXPECT_EQ(link.device().serial, "FT0CABLE");
    EXPECT_EQ(link.kindChoice(), KindChoice::Pro);
    EXPECT_EQ(link.kind(), InterfaceKind::Pro);  // as chosen for the cable, the device opened
    EXPECT_EQ(drivenText(link, 0), QStringLiteral("Открыт: FT232R USB UART, серийный номер FT0CABLE\n"
                                                  "Работает как DMX USB Pro (не ответил на запросы)"));

    applyKindChoices(link, QStringLiteral("EN123456:opendmx"));  // the cable's choice forgotten: opened again
    link.poll();
    link.poll();
    EXPECT_EQ(link.kindChoice(), KindChoice::Auto);
    EXPECT_EQ(link.kind(), InterfaceKind::Framed);
    EXPECT_EQ(kindChoicesFrom(QStringLiteral(" X1 : PRO , X2:laser,,:pro")), (KindChoices{{"X1", KindChoice::Pro}}));
}

}  // namespace
}  // namespace velantra
