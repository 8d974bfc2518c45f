#include "shell/dialogs.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>

namespace velantra {

namespace {

DialogAnswerer& answerer()
{
    static DialogAnswerer instance;
    return instance;
}

bool yesNo(QWidget* parent, QMessageBox::Icon icon, const QString& text)
{
    QMessageBox box(icon, QCoreApplication::applicationName(), text, QMessageBox::Yes | QMessageBox::No, parent);
    box.setDefaultButton(QMessageBox::No);
    return execDialog(box) == QMessageBox::Yes;
}

}  // namespace

int execDialog(QDialog& dialog)
{
    if (answerer()) {
        return answerer()(dialog);
    }
    return dialog.exec();
}

void setDialogAnswerer(DialogAnswerer a)
{
    answerer() = std::move(a);
}

bool askYesNo(QWidget* parent, const QString& text)
{
    return yesNo(parent, QMessageBox::Question, text);
}

bool warnYesNo(QWidget* parent, const QString& text)
{
    return yesNo(parent, QMessageBox::Warning, text);
}

void warnOk(QWidget* parent, const QString& text)
{
    QMessageBox box(QMessageBox::Warning, QCoreApplication::applicationName(), text, QMessageBox::Ok, parent);
    execDialog(box);
}

void showIoError(QWidget* parent, const QString& text)
{
    QMessageBox box(QMessageBox::Critical, QCoreApplication::applicationName(), text, QMessageBox::Ok, parent);
    execDialog(box);
}

FileDialog::FileDialog(QWidget* parent, const QString& objectName, Mode mode, const QString& filter,
                       const QString& defaultSuffix)
    : parent_(parent)
    , objectName_(objectName)
    , mode_(mode)
    , filter_(filter)
    , defaultSuffix_(defaultSuffix)
{}

QFileDialog& FileDialog::dialog()
{
    if (dialog_ != nullptr) {
        return *dialog_;
    }
    dialog_ = new QFileDialog(parent_);
    dialog_->setObjectName(objectName_);
    dialog_->setOption(QFileDialog::DontUseNativeDialog, true);
    dialog_->setNameFilter(filter_);
    // Qt keeps its filters simplified (a double blank becomes one) and filters
    // by their position in the list; the list the operator sees gets the texts
    // exactly as given.
    if (auto* types = dialog_->findChild<QComboBox*>(QStringLiteral("fileTypeCombo"))) {
        const QStringList exact = filter_.split(QStringLiteral(";;"));
        for (int i = 0; i < types->count() && i < exact.size(); ++i) {
            types->setItemText(i, exact.at(i));
        }
    }
    dialog_->setDefaultSuffix(defaultSuffix_);
    dialog_->setOption(QFileDialog::ReadOnly, false);
    if (mode_ == Mode::Open) {
        dialog_->setAcceptMode(QFileDialog::AcceptOpen);
        dialog_->setFileMode(QFileDialog::AnyFile);  // the path has to exist, the file need not
    } else {
        dialog_->setAcceptMode(QFileDialog::AcceptSave);
        dialog_->setFileMode(QFileDialog::AnyFile);
        dialog_->setOption(QFileDialog::DontConfirmOverwrite, false);
    }
    return *dialog_;
}

FileDialog::~FileDialog() = default;  // the dialog, once made, is a child of its parent

bool FileDialog::execute()
{
    dialog();
    if (!fileName_->isEmpty()) {
        const QFileInfo info(*fileName_);
        if (info.isAbsolute()) {
            dialog_->setDirectory(info.absolutePath());
        }
        dialog_->selectFile(info.fileName());
    }
    if (execDialog(*dialog_) != QDialog::Accepted || dialog_->selectedFiles().isEmpty()) {
        return false;
    }
    *fileName_ = dialog_->selectedFiles().constFirst();
    return true;
}

}  // namespace velantra
