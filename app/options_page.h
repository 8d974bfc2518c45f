// The page "Опции" of the main page control: the interface state, the disk
// sizes and the window colour.
#pragma once

#include "engine/show_memory.h"

#include <QWidget>

class QCheckBox;
class QComboBox;
class QLabel;

namespace velantra {

class FormColorGroup;

class OptionsPage : public QWidget {
    Q_OBJECT
public:
    // GUI thread. memory: the show whose window colour the page shows.
    explicit OptionsPage(ShowMemory& memory, QWidget* parent = nullptr);

    // GUI thread. The three listing texts, filled once at start-up.
    void setUsbTexts(const QString& count, const QString& description, const QString& serial);
    // GUI thread. Free and total size of the drive that holds the data directory.
    void showDiskSizes(const QString& path);

    QCheckBox* noUsbConnect() const { return noUsbConnect_; }
    QCheckBox* colorAvto() const;
    FormColorGroup* formColor() const { return formColor_; }
    // The code of the last key pressed.
    QLabel* keyCode() const { return keySp_; }
    // GUI thread. The language chosen for the next start: "ru", "en" or
    // empty (the system's), as the settings file keeps it.
    QString language() const;
    void setLanguage(const QString& name);
    QComboBox* languageBox() const { return language_; }

    // GUI thread. The interface kind chosen for the device now listed, and
    // what the link drives it as (with what a DMX USB Pro told of itself).
    void showInterfaceKind(int choice, const QString& driven);
    QComboBox* kindBox() const { return kind_; }

    // GUI thread. The group of the network surfaces (web remote, OSC), under the USB bus status.
    void setRemoteGroup(QWidget* group);

signals:
    // The operator chose a kind (the index: Auto, own stream, DMX USB Pro, Open DMX).
    void kindChosen(int choice);

private:
    QCheckBox* noUsbConnect_;
    FormColorGroup* formColor_;
    QLabel* kolvoUsb_;
    QLabel* tipFtdi_;
    QLabel* usbNomber_;
    QLabel* diskFree_;
    QLabel* diskSize_;
    QLabel* keySp_;
    QComboBox* language_;
    QComboBox* kind_;
    QLabel* kindDriven_;
};

}  // namespace velantra
