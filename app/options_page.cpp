#include "app/options_page.h"

#include "channels/form_color_group.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QStorageInfo>
#include <QVBoxLayout>

namespace velantra {

namespace {

QLabel* namedLabel(const char* name, QWidget* parent)
{
    auto* label = new QLabel(parent);
    label->setObjectName(QString::fromLatin1(name));
    return label;
}

}  // namespace

OptionsPage::OptionsPage(ShowMemory& memory, QWidget* parent)
    : QWidget(parent)
    , formColor_(new FormColorGroup(memory, this))
{
    auto* usbGroup = new QGroupBox(tr("Состояние шины USB "), this);
    usbGroup->setObjectName(QStringLiteral("GroupBoxUSB"));
    noUsbConnect_ = new QCheckBox(tr("Работа в DEMO режиме"), usbGroup);
    noUsbConnect_->setObjectName(QStringLiteral("CheckBoxNoUSBconnect"));
    kolvoUsb_ = namedLabel("LabelKolvoUSB", usbGroup);
    tipFtdi_ = namedLabel("LabelTipFtdi", usbGroup);
    usbNomber_ = namedLabel("LabelUSBnomber", usbGroup);
    kind_ = new QComboBox(usbGroup);
    kind_->setObjectName(QStringLiteral("ComboBoxUsbKind"));
    kind_->addItems(
        {tr("Вид: определить сам"), tr("Вид: интерфейс Velantra"), tr("Вид: DMX USB Pro"), tr("Вид: Open DMX")});
    kind_->setToolTip(tr("Как говорить с этим интерфейсом; запоминается по его серийному номеру"));
    kindDriven_ = namedLabel("LabelUsbKind", usbGroup);
    connect(kind_, &QComboBox::activated, this, &OptionsPage::kindChosen);
    auto* usbLayout = new QVBoxLayout(usbGroup);
    usbLayout->addWidget(noUsbConnect_);
    usbLayout->addWidget(kolvoUsb_);
    usbLayout->addWidget(tipFtdi_);
    usbLayout->addWidget(usbNomber_);
    usbLayout->addWidget(kind_);
    usbLayout->addWidget(kindDriven_);
    usbLayout->addStretch();

    auto* diskGroup = new QGroupBox(tr("Диск"), this);
    diskGroup->setObjectName(QStringLiteral("GroupBoxDisk"));
    diskFree_ = namedLabel("LabelDiskFree", diskGroup);
    diskSize_ = namedLabel("LabelDiskSize", diskGroup);
    auto* diskLayout = new QVBoxLayout(diskGroup);
    diskLayout->addWidget(diskFree_);
    diskLayout->addWidget(diskSize_);
    diskLayout->addStretch();

    for (QLabel* label : {kolvoUsb_, tipFtdi_, usbNomber_, kindDriven_, diskFree_, diskSize_}) {
        label->setWordWrap(true);
    }
    keySp_ = namedLabel("LabelKeySp", this);
    keySp_->setText(tr("Клавиатура ?"));

    // The language: the texts are chosen once, at start.
    auto* languageGroup = new QGroupBox(tr("Язык"), this);
    languageGroup->setObjectName(QStringLiteral("GroupBoxLanguage"));
    language_ = new QComboBox(languageGroup);
    language_->setObjectName(QStringLiteral("ComboBoxLanguage"));
    language_->addItem(tr("Как в системе"), QString());
    language_->addItem(QStringLiteral("Русский"), QStringLiteral("ru"));
    language_->addItem(QStringLiteral("English"), QStringLiteral("en"));
    auto* languageNote = namedLabel("LabelLanguage", languageGroup);
    languageNote->setText(tr("Язык сменится при следующем запуске"));
    languageNote->setWordWrap(true);
    auto* languageLayout = new QVBoxLayout(languageGroup);
    languageLayout->addWidget(language_);
    languageLayout->addWidget(languageNote);

    auto* layout = new QGridLayout(this);
    layout->addWidget(formColor_, 0, 0);
    layout->addWidget(diskGroup, 1, 0);
    layout->addWidget(keySp_, 2, 0);
    layout->addWidget(usbGroup, 0, 1);
    layout->addWidget(languageGroup, 2, 1);
    layout->setColumnStretch(0, 1);
    layout->setColumnStretch(1, 1);
}

void OptionsPage::setRemoteGroup(QWidget* group)
{
    group->setParent(this);
    static_cast<QGridLayout*>(layout())->addWidget(group, 1, 1);
}

QString OptionsPage::language() const
{
    return language_->currentData().toString();
}

void OptionsPage::setLanguage(const QString& name)
{
    const int index = language_->findData(name.trimmed().toLower());
    language_->setCurrentIndex(index >= 0 ? index : 0);
}

QCheckBox* OptionsPage::colorAvto() const
{
    return formColor_->colorAvto();
}

void OptionsPage::setUsbTexts(const QString& count, const QString& description, const QString& serial)
{
    kolvoUsb_->setText(count);
    tipFtdi_->setText(description);
    usbNomber_->setText(serial);
}

void OptionsPage::showInterfaceKind(int choice, const QString& driven)
{
    if (kind_->currentIndex() != choice) {
        kind_->setCurrentIndex(choice);
    }
    if (kindDriven_->text() != driven) {
        kindDriven_->setText(driven);
    }
}

void OptionsPage::showDiskSizes(const QString& path)
{
    const QStorageInfo drive(path);
    diskFree_->setText(tr("Свободно на диске%1 Mb").arg(drive.bytesAvailable() / 1000000));
    diskSize_->setText(tr("Размер диска  %1 Mb").arg(drive.bytesTotal() / 1000000));
}

}  // namespace velantra
