// The options page's remote control group as the operator meets it: off at
// first, switched on it serves the page on its port and shows the address as
// text and as a QR code, a new PIN replaces the old, OSC listens on its port,
// and all of it is there again after a restart.
#include "app/options_page.h"
#include "storage/settings_file.h"
#include "tests/gui_fixture.h"

#include <QCheckBox>
#include <QLabel>
#include <QPushButton>
#include <QRegularExpression>
#include <QSpinBox>
#include <QTcpServer>
#include <QTcpSocket>
#include <QUdpSocket>

#include <type_traits>

namespace velantra {
namespace {

// A port nothing listens on just now.
template <typename Socket> int freePort()
{
    Socket socket;
    if constexpr (std::is_same_v<Socket, QTcpServer>) {
        socket.listen(QHostAddress::LocalHost, 0);
        return socket.serverPort();
    } else {
        socket.bind(QHostAddress::LocalHost, 0);
        return socket.localPort();
    }
}

class RemoteGroupTest : public GuiTest {
protected:
    RemoteGroupTest() { makeForm(TBaseForm::OutputClock::ByHand); }
    template <typename T> T* get(const char* name)
    {
        T* w = form->optionsPage()->findChild<T*>(QString::fromLatin1(name));
        EXPECT_NE(w, nullptr) << name;
        return w;
    }
    QString text(const char* name) { return get<QLabel>(name)->text(); }
};

TEST_F(RemoteGroupTest, SwitchedOnItServesShowsTheAddressAndComesBackAfterARestart)
{
    EXPECT_FALSE(get<QCheckBox>("CheckBoxRemote")->isChecked()) << "off until switched on";
    EXPECT_FALSE(get<QCheckBox>("CheckBoxOsc")->isChecked());
    const QRegularExpression pin(QStringLiteral("^PIN \\d{6}$"));
    const QString firstPin = text("LabelRemotePin");
    EXPECT_TRUE(pin.match(firstPin).hasMatch()) << firstPin.toStdString();

    const int port = freePort<QTcpServer>();
    get<QSpinBox>("SpinBoxRemotePort")->setValue(port);
    get<QCheckBox>("CheckBoxRemote")->setChecked(true);
    EXPECT_TRUE(text("LabelRemoteAddress").endsWith(QStringLiteral(":%1/").arg(port)))
        << text("LabelRemoteAddress").toStdString();
    EXPECT_FALSE(get<QLabel>("LabelRemoteQr")->pixmap().isNull()) << "the address as a QR code";
    QTcpSocket page;
    page.connectToHost(QHostAddress::LocalHost, static_cast<quint16>(port));
    EXPECT_TRUE(page.waitForConnected(2000)) << "a phone reaches the port";

    get<QPushButton>("ButtonRemoteNewPin")->click();
    const QString newPin = text("LabelRemotePin");
    EXPECT_TRUE(pin.match(newPin).hasMatch());

    const int oscPort = freePort<QUdpSocket>();
    get<QSpinBox>("SpinBoxOscPort")->setValue(oscPort);
    get<QCheckBox>("CheckBoxOsc")->setChecked(true);
    EXPECT_TRUE(text("LabelOscState").contains(QString::number(oscPort))) << text("LabelOscState").toStdString();

    closeForm();
    const Settings kept = readSettings(dataPath(QStringLiteral("Vela43.ini")));
    EXPECT_EQ(kept.remote.enabled, QStringLiteral("1"));
    EXPECT_EQ(kept.remote.port, QString::number(port));
    EXPECT_EQ(QStringLiteral("PIN ") + kept.remote.pin, newPin);
    EXPECT_EQ(kept.osc.enabled, QStringLiteral("1"));
    EXPECT_EQ(kept.osc.port, QString::number(oscPort));

    makeForm(TBaseForm::OutputClock::ByHand);
    EXPECT_TRUE(get<QCheckBox>("CheckBoxRemote")->isChecked());
    EXPECT_EQ(text("LabelRemotePin"), newPin);
    EXPECT_TRUE(text("LabelRemoteAddress").endsWith(QStringLiteral(":%1/").arg(port))) << "serving again";
}

}  // namespace
}  // namespace velantra
