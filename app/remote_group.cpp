#include "app/remote_group.h"

#include "desk/desk_core.h"
#include "osc/osc_server.h"
#include "remote/qr_code.h"
#include "remote/remote_server.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QImage>
#include <QLabel>
#include <QPixmap>
#include <QPushButton>
#include <QScopedValueRollback>
#include <QSpinBox>

#include <algorithm>
#include <string_view>

namespace velantra {

namespace {

constexpr int QrScale = 2;  // screen pixels per module: a phone reads it off any monitor

QLabel* namedLabel(const char* name, QWidget* parent)
{
    auto* label = new QLabel(parent);
    label->setObjectName(QString::fromLatin1(name));
    return label;
}

QSpinBox* portBox(const char* name, QWidget* parent)
{
    auto* box = new QSpinBox(parent);
    box->setObjectName(QString::fromLatin1(name));
    box->setRange(1024, 65535);
    box->setKeyboardTracking(false);  // applied when typed out, not at every digit
    return box;
}

// The code's modules, black on white with a quiet zone of four.
QPixmap qrPixmap(const QString& text)
{
    const QByteArray bytes = text.toUtf8();
    const remote::QrCode code =
        remote::makeQrCode(std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())));
    if (code.size == 0) {
        return {};
    }
    const int side = code.size + 8;
    QImage image(side, side, QImage::Format_Mono);
    image.fill(1);
    for (int y = 0; y < code.size; ++y) {
        for (int x = 0; x < code.size; ++x) {
            if (code.isDark(x, y)) {
                image.setPixel(x + 4, y + 4, 0);
            }
        }
    }
    return QPixmap::fromImage(image.scaled(side * QrScale, side * QrScale));
}

}  // namespace

RemoteGroup::RemoteGroup(DeskCore& core, remote::RemoteServer& remote, osc::OscServer& osc, QWidget* parent)
    : QGroupBox(tr("Пульт по сети"), parent)
    , core_(core)
    , remote_(remote)
    , osc_(osc)
    , remoteOn_(new QCheckBox(tr("Веб-пульт"), this))
    , remotePort_(portBox("SpinBoxRemotePort", this))
    , pin_(namedLabel("LabelRemotePin", this))
    , newPin_(new QPushButton(tr("Новый PIN"), this))
    , address_(namedLabel("LabelRemoteAddress", this))
    , qr_(namedLabel("LabelRemoteQr", this))
    , remoteState_(namedLabel("LabelRemoteState", this))
    , oscOn_(new QCheckBox(tr("OSC"), this))
    , oscPort_(portBox("SpinBoxOscPort", this))
    , oscState_(namedLabel("LabelOscState", this))
{
    setObjectName(QStringLiteral("GroupBoxRemote"));
    remoteOn_->setObjectName(QStringLiteral("CheckBoxRemote"));
    remoteOn_->setToolTip(tr("Страница для телефона и планшета, которая управляет пультом"));
    newPin_->setObjectName(QStringLiteral("ButtonRemoteNewPin"));
    newPin_->setToolTip(tr("Новый PIN: открытые страницы должны ввести его снова"));
    oscOn_->setObjectName(QStringLiteral("CheckBoxOsc"));
    oscOn_->setToolTip(tr("Команды OSC по UDP: /velantra/play, /velantra/fader/1 ..."));
    address_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    remoteState_->setWordWrap(true);
    oscState_->setWordWrap(true);

    // Compact, beside the QR code: the page keeps its height.
    auto* layout = new QGridLayout(this);
    layout->addWidget(remoteOn_, 0, 0);
    layout->addWidget(remotePort_, 0, 1);
    layout->addWidget(pin_, 1, 0);
    layout->addWidget(newPin_, 1, 1);
    layout->addWidget(address_, 2, 0, 1, 2);
    layout->addWidget(remoteState_, 3, 0, 1, 2);
    layout->addWidget(qr_, 0, 2, 4, 1, Qt::AlignRight | Qt::AlignTop);
    layout->addWidget(oscOn_, 4, 0);
    layout->addWidget(oscPort_, 4, 1);
    layout->addWidget(oscState_, 5, 0, 1, 3);
    layout->setColumnStretch(0, 1);
    layout->setVerticalSpacing(2);

    connect(remoteOn_, &QCheckBox::toggled, this, &RemoteGroup::applyRemote);
    connect(remotePort_, &QSpinBox::valueChanged, this, &RemoteGroup::applyRemote);
    connect(newPin_, &QPushButton::clicked, this, [this] {
        core_.remoteSettings().pin = makeRemotePin();
        applyRemote();
    });
    connect(oscOn_, &QCheckBox::toggled, this, &RemoteGroup::applyOsc);
    connect(oscPort_, &QSpinBox::valueChanged, this, &RemoteGroup::applyOsc);
    connect(&remote_, &remote::RemoteServer::statusChanged, this, &RemoteGroup::showRemote);
    connect(&osc_, &osc::OscServer::statusChanged, this, &RemoteGroup::showOsc);
    takeSettings();
}

void RemoteGroup::takeSettings()
{
    {
        const QScopedValueRollback guard(taking_, true);
        const RemoteSettings& r = core_.remoteSettings();
        remoteOn_->setChecked(r.enabled.trimmed() == QLatin1String("1"));
        remotePort_->setValue(r.port.toInt());
        const OscSettings& o = core_.oscSettings();
        oscOn_->setChecked(o.enabled.trimmed() == QLatin1String("1"));
        oscPort_->setValue(o.port.toInt());
    }
    remote_.apply(core_.remoteSettings());
    osc_.apply(core_.oscSettings());
    showRemote();
    showOsc();
}

void RemoteGroup::applyRemote()
{
    if (taking_) {
        return;
    }
    RemoteSettings& r = core_.remoteSettings();
    r.enabled = remoteOn_->isChecked() ? QStringLiteral("1") : QStringLiteral("0");
    r.port = QString::number(remotePort_->value());
    remote_.apply(r);
    core_.writeSettings();
    showRemote();
}

void RemoteGroup::applyOsc()
{
    if (taking_) {
        return;
    }
    OscSettings& o = core_.oscSettings();
    o.enabled = oscOn_->isChecked() ? QStringLiteral("1") : QStringLiteral("0");
    o.port = QString::number(oscPort_->value());
    osc_.apply(o);
    core_.writeSettings();
    showOsc();
}

void RemoteGroup::showRemote()
{
    const remote::RemoteStatus s = remote_.status();
    pin_->setText(tr("PIN %1").arg(core_.remoteSettings().pin));
    const QString first = s.addresses.value(0);
    address_->setText(s.listening ? first : QString());
    address_->setToolTip(s.addresses.join(QLatin1Char('\n')));
    if (first != qr_->property("shown").toString()) {
        qr_->setPixmap(first.isEmpty() ? QPixmap() : qrPixmap(first));
        qr_->setProperty("shown", first);
    }
    qr_->setVisible(s.listening);
    if (!s.error.isEmpty()) {
        remoteState_->setText(s.error);
    } else if (s.listening) {
        remoteState_->setText(tr("Страниц: %1, управляют: %2").arg(s.pages).arg(s.controlling));
    } else {
        remoteState_->setText(tr("Выключен"));
    }
}

void RemoteGroup::showOsc()
{
    const osc::OscStatus s = osc_.status();
    if (!s.error.isEmpty()) {
        oscState_->setText(s.error);
    } else if (s.listening) {
        oscState_->setText(tr("Слушает порт %1, обратная связь: %2").arg(s.port).arg(s.feedbackClients));
    } else {
        oscState_->setText(tr("Выключен"));
    }
}

}  // namespace velantra
