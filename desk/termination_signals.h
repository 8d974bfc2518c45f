// The signals that end a program from outside (SIGTERM from a shutdown or a
// service manager, SIGINT from Ctrl+C in a terminal, SIGHUP from a logout or
// a closed terminal), delivered on the GUI thread as a Qt signal so that the
// program can save before it exits instead of dying on the spot.
#pragma once

#include <QObject>

class QSocketNotifier;

namespace velantra {

class TerminationSignals : public QObject {
    Q_OBJECT
public:
    // GUI thread. Catches the three signals from now on. Only one object may
    // exist at a time; where the system has no such signals it does nothing.
    explicit TerminationSignals(QObject* parent = nullptr);
    // GUI thread. Gives the signals back their default action.
    ~TerminationSignals() override;
    TerminationSignals(const TerminationSignals&) = delete;
    TerminationSignals& operator=(const TerminationSignals&) = delete;

    // True when the handlers are in place.
    bool active() const { return notifier_ != nullptr; }

signals:
    // GUI thread. One of the signals arrived; signalNumber says which.
    void received(int signalNumber);

private:
    void readSignal();

    QSocketNotifier* notifier_ = nullptr;
};

}  // namespace velantra
