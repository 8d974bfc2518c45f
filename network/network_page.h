// The page "Сеть": the sACN source and the Art-Net controller switched on and
// set up, and what they are doing, live: packets a second, the last error and
// the Art-Net nodes found. Numbers and addresses are typed into text fields,
// which keep their keys from the show keyboard.
#pragma once

#include <QWidget>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QTableWidget;
class QTimer;

namespace velantra {

class NetworkOutputs;

class NetworkPage : public QWidget {
    Q_OBJECT
public:
    // GUI thread. outputs must outlive the page.
    explicit NetworkPage(NetworkOutputs& outputs, QWidget* parent = nullptr);

    // GUI thread. The controls from the settings the outputs hold.
    void showSettings();
    // GUI thread. Rates, errors and nodes; the page's timer runs it every second.
    void showState();

private:
    void sacnEdited();
    void artNetEdited();
    void fillInterfaces(QComboBox* box, const QString& chosen);

    NetworkOutputs& outputs_;
    QCheckBox* sacnOn_;
    QLineEdit* sacnUniverse_;
    QLineEdit* sacnPriority_;
    QLineEdit* sacnDestination_;
    QComboBox* sacnInterface_;
    QLineEdit* sacnName_;
    QLabel* sacnRate_;
    QLabel* sacnError_;
    QCheckBox* artnetOn_;
    QLineEdit* artnetPortAddress_;
    QLabel* artnetNumber_;
    QLineEdit* artnetDestination_;
    QComboBox* artnetInterface_;
    QCheckBox* artnetBroadcast_;
    QLabel* artnetRate_;
    QLabel* artnetError_;
    QTableWidget* nodes_;
    QTimer* timer_;
    bool showing_ = false;  // controls set by the program, not the operator
};

}  // namespace velantra
