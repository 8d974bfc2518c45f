#include "desk/termination_signals.h"

#include <QSocketNotifier>

#ifdef Q_OS_UNIX
#include <csignal>
#include <fcntl.h>
#include <sys/socket.h>
#include <unistd.h>
#endif

namespace velantra {

#ifdef Q_OS_UNIX

namespace {

constexpr int Caught[] = {SIGTERM, SIGINT, SIGHUP};
// [0] written by the handler, [1] read on the GUI thread.
int pipeEnds[2] = {-1, -1};

// Any thread, inside a signal handler: only async-signal-safe calls.
void onSignal(int number)
{
    const int savedErrno = errno;
    const auto byte = static_cast<unsigned char>(number);
    [[maybe_unused]] const ssize_t written = ::write(pipeEnds[0], &byte, 1);
    errno = savedErrno;
}

}  // namespace

TerminationSignals::TerminationSignals(QObject* parent)
    : QObject(parent)
{
    if (pipeEnds[0] >= 0 || ::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, pipeEnds) != 0) {
        return;
    }
    // A flood of signals must never block the handler.
    ::fcntl(pipeEnds[0], F_SETFL, ::fcntl(pipeEnds[0], F_GETFL) | O_NONBLOCK);
    notifier_ = new QSocketNotifier(pipeEnds[1], QSocketNotifier::Read, this);
    connect(notifier_, &QSocketNotifier::activated, this, &TerminationSignals::readSignal);
    struct sigaction action {};
    action.sa_handler = onSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (int number : Caught) {
        ::sigaction(number, &action, nullptr);
    }
}

TerminationSignals::~TerminationSignals()
{
    if (notifier_ == nullptr) {
        return;
    }
    for (int number : Caught) {
        ::signal(number, SIG_DFL);
    }
    delete notifier_;
    notifier_ = nullptr;
    ::close(pipeEnds[0]);
    ::close(pipeEnds[1]);
    pipeEnds[0] = pipeEnds[1] = -1;
}

void TerminationSignals::readSignal()
{
    unsigned char byte = 0;
    if (::read(pipeEnds[1], &byte, 1) == 1) {
        emit received(byte);
    }
}

#else

TerminationSignals::TerminationSignals(QObject* parent)
    : QObject(parent)
{}

TerminationSignals::~TerminationSignals() = default;

void TerminationSignals::readSignal() {}

#endif

}  // namespace velantra
