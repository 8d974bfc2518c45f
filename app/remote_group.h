// The options page's group for the desk's network surfaces: the web remote
// (switch, port, PIN, the address as text and as a QR code, the pages open)
// and OSC (switch, port, the clients fed back). A change is applied to the
// server at once and kept in the settings file.
#pragma once

#include <QGroupBox>

class QCheckBox;
class QLabel;
class QPushButton;
class QSpinBox;

namespace velantra {

class DeskCore;

namespace remote {
class RemoteServer;
}
namespace osc {
class OscServer;
}

class RemoteGroup : public QGroupBox {
    Q_OBJECT
public:
    // GUI thread. core and both servers must outlive the group; the servers
    // are applied the settings the core holds.
    RemoteGroup(DeskCore& core, remote::RemoteServer& remote, osc::OscServer& osc, QWidget* parent = nullptr);

    // GUI thread. The settings the core holds, shown and applied again (after
    // the settings file was read).
    void takeSettings();

private:
    void applyRemote();
    void applyOsc();
    void showRemote();
    void showOsc();

    DeskCore& core_;
    remote::RemoteServer& remote_;
    osc::OscServer& osc_;
    QCheckBox* remoteOn_;
    QSpinBox* remotePort_;
    QLabel* pin_;
    QPushButton* newPin_;
    QLabel* address_;
    QLabel* qr_;
    QLabel* remoteState_;
    QCheckBox* oscOn_;
    QSpinBox* oscPort_;
    QLabel* oscState_;
    bool taking_ = false;
};

}  // namespace velantra
