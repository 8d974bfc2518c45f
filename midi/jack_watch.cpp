#include "midi/jack_watch.h"

#include "engine/worker_thread.h"
#include "midi/midi_log.h"

#include <jack/jack.h>

#if defined(__unix__)
#include <pthread.h>
#endif

#include <utility>

namespace velantra::midi {

namespace {

// Any thread (libjack's). Its complaints about a missing or dead server are
// the watch's business, said once in the log by the ports.
void jackMessage(const char* text)
{
    qCDebug(lcMidi) << "jack:" << text;
}

}  // namespace

JackWatch::JackWatch(std::function<void()> changed)
    : changed_(std::move(changed))
{
    static std::once_flag quiet;
    std::call_once(quiet, [] {
        jack_set_error_function(&jackMessage);
        jack_set_info_function(&jackMessage);
    });
#if defined(__unix__)
    sigset_t pipe;
    sigemptyset(&pipe);
    sigaddset(&pipe, SIGPIPE);
    pthread_sigmask(SIG_BLOCK, &pipe, &guiMask_);
    sigaddset(&guiMask_, SIGPIPE);
#endif
    thread_ = startWorkerThread([this] { run(); });
}

JackWatch::~JackWatch()
{
    {
        const std::lock_guard lock(mutex_);
        stop_ = true;
    }
    wake_.notify_all();
    thread_.join();
}

void JackWatch::shutdown(void* self)
{
    auto* watch = static_cast<JackWatch*>(self);
    watch->lost_.store(true);
    if (watch->changed_) {
        watch->changed_();
    }
}

void JackWatch::release()
{
    {
        const std::lock_guard lock(mutex_);
        released_ = true;
    }
    wake_.notify_all();
}

JackWatch::Found JackWatch::reach()
{
    // In this order: the watch's thread marks its client down before it
    // clears lost_, and sets up_ before looked_.
    const bool looked = looked_.load();
    const bool lost = lost_.load();
    if (!lost && up_.load()) {
        return Found::There;
    }
    {
        const std::lock_guard lock(mutex_);
        look_ = true;
    }
    wake_.notify_all();
    return looked ? Found::Away : Found::NotYet;
}

void JackWatch::run()
{
    std::unique_lock lock(mutex_);
    for (;;) {
        wake_.wait(lock, [this] { return stop_ || released_ || (look_ && client_ == nullptr); });
        if (stop_) {
            break;
        }
        const bool release = std::exchange(released_, false);
        lock.unlock();
        if (release && lost_.load()) {
            up_.store(false);
            close();
            lost_.store(false);
        }
        if (client_ == nullptr) {
            open();
        }
        lock.lock();
        look_ = false;  // a request made while the watch looked is answered by that look
    }
    lock.unlock();
    close();
}

void JackWatch::open()
{
    jack_status_t status{};
#if defined(__unix__)
    sigset_t held;  // every signal, the mask this thread lives with
    pthread_sigmask(SIG_SETMASK, &guiMask_, &held);
#endif
    client_ = jack_client_open("Velantra-watch", JackNoStartServer, &status);
#if defined(__unix__)
    pthread_sigmask(SIG_SETMASK, &held, nullptr);
#endif
    if (client_ != nullptr) {
        jack_on_shutdown(client_, &JackWatch::shutdown, this);
        session_.fetch_add(1);
        up_.store(true);
    }
    const bool first = !looked_.exchange(true);
    if ((first || client_ != nullptr) && changed_) {
        changed_();
    }
}

void JackWatch::close()
{
    if (client_ != nullptr) {
        jack_client_close(client_);  // waits for the client's thread
        client_ = nullptr;
    }
}

}  // namespace velantra::midi
