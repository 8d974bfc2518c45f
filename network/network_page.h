// The page "Сеть": the sACN source and the Art-Net controller switched on and
// set up, and what they are doing, live: packets a second, the last error and
// the Art-Net nodes found, the interface each uses; and the desk's
// universes: what each carries and where it goes, with the further
// universes' patch made range by range. Numbers and addresses are typed
// into text fields, which keep their keys from the show keyboard.
#pragma once

#include "storage/file_result.h"

#include <QWidget>

#include <functional>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QSpinBox;
class QTableWidget;
class QTimer;

namespace velantra {

class FurtherPatch;
class NetworkOutputs;

class NetworkPage : public QWidget {
    Q_OBJECT
public:
    // GUI thread. outputs and further must outlive the page; saveUniverses
    // writes the further universes' file after each edit.
    NetworkPage(NetworkOutputs& outputs, FurtherPatch& further, std::function<FileResult()> saveUniverses,
                QWidget* parent = nullptr);

    // GUI thread. The controls from the settings the outputs hold.
    void showSettings();
    // GUI thread. Rates, errors and nodes; the page's timer runs it every second.
    void showState();

private:
    void sacnEdited();
    void artNetEdited();
    void fillInterfaces(QComboBox* box, const QString& chosen);
    QWidget* makeUniverses();
    void patchUniverseRange();
    void clearUniverse();
    void universesEdited(const QString& said);

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
    QLabel* sacnVia_;
    QLabel* artnetVia_;
    FurtherPatch& further_;
    std::function<FileResult()> saveUniverses_;
    QLabel* universes_;
    QComboBox* universe_;
    QSpinBox* firstSlot_;
    QSpinBox* firstChannel_;
    QSpinBox* lastChannel_;
    QLabel* universeNote_;
    QTimer* timer_;
    bool showing_ = false;  // controls set by the program, not the operator
};

}  // namespace velantra
