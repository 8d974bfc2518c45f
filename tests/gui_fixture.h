// A main window in a private data directory, with every dialog answered by
// the test: file dialogs get the path the test queued, questions the answer
// it queued, and anything unexpected is rejected and remembered.
#pragma once

#include "app/base.h"
#include "engine/output_cycle.h"
#include "shell/dialogs.h"
#include "tests/testing/fake_d2xx.h"

#include <QDialog>
#include <QFileDialog>
#include <QMessageBox>
#include <QTemporaryDir>
#include <QTimer>

#include <gtest/gtest.h>

#include <deque>
#include <functional>
#include <memory>

namespace velantra {

class GuiTest : public ::testing::Test {
protected:
    GuiTest()
    {
        qputenv("XDG_DATA_HOME", home.filePath(QStringLiteral("data")).toLocal8Bit());
        qputenv("HOME", home.path().toLocal8Bit());
        setDialogAnswerer([this](QDialog& dialog) { return answer(dialog); });
    }
    ~GuiTest() override
    {
        if (form) {
            closeForm();
        }
        setDialogAnswerer({});
    }

    // Creates the main window; device: the fake interface it gets. ByHand:
    // no output thread, the test runs the ticks (stepOutput).
    TBaseForm& makeForm(TBaseForm::OutputClock clock = TBaseForm::OutputClock::Thread)
    {
        auto fake = std::make_unique<FakeD2xx>();
        device = fake.get();
        form = std::make_unique<TBaseForm>(std::move(fake), nullptr, clock);
        // The once-a-second interface display rewrites the status line; tests
        // that read the line run it themselves.
        form->findChild<QTimer*>(QStringLiteral("TimerShouClock"))->stop();
        return *form;
    }
    // Runs n output ticks, as the output thread would every 50 ms.
    void stepOutput(int n = 1)
    {
        for (int i = 0; i < n; ++i) {
            form->outputCycle().tick();
        }
    }
    // Closes the window, cancelling the final save-as unless the test queued an answer.
    void closeForm()
    {
        form->close();
        form.reset();
        device = nullptr;
    }

    // The next file dialog accepts this path.
    void answerFile(const QString& path)
    {
        answers.push_back([path](QDialog& d) {
            auto* files = qobject_cast<QFileDialog*>(&d);
            if (files == nullptr) {
                return int(QDialog::Rejected);
            }
            files->selectFile(path);
            return int(QDialog::Accepted);
        });
    }
    // The next file dialog is cancelled.
    void cancelFile()
    {
        answers.push_back([](QDialog&) { return int(QDialog::Rejected); });
    }
    // The next message box is answered with this button.
    void answerBox(QMessageBox::StandardButton button)
    {
        answers.push_back([button](QDialog&) { return int(button); });
    }

    int answer(QDialog& dialog)
    {
        if (auto* box = qobject_cast<QMessageBox*>(&dialog)) {
            boxTexts.push_back(box->text());
        } else if (auto* files = qobject_cast<QFileDialog*>(&dialog)) {
            fileDialogs.push_back(files->objectName());
        }
        if (answers.empty()) {
            ++unexpected;
            return QDialog::Rejected;
        }
        auto next = std::move(answers.front());
        answers.pop_front();
        return next(dialog);
    }

    QString dataPath(const QString& name) const
    {
        return home.filePath(QStringLiteral("data/korvex/velantra/")) + name;
    }
    QString path(const QString& name) const { return home.filePath(name); }

    QTemporaryDir home;
    std::unique_ptr<TBaseForm> form;
    FakeD2xx* device = nullptr;
    std::deque<std::function<int(QDialog&)>> answers;
    QStringList boxTexts;
    QStringList fileDialogs;
    int unexpected = 0;
};

}  // namespace velantra
