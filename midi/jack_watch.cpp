#include "midi/jack_watch.h"

#include "midi/midi_log.h"

#include <jack/jack.h>

#include <mutex>

namespace velantra::midi {

namespace {

// Any thread (libjack's). Its complaints about a missing or dead server are
// the watch's business, said once in the log by the ports.
void jackMessage(const char* text)
{
    qCDebug(lcMidi) << "jack:" << text;
}

}  // namespace

JackWatch::JackWatch(std::function<void()> gone)
    : gone_(std::move(gone))
{
    static std::once_flag quiet;
    std::call_once(quiet, [] {
        jack_set_error_function(&jackMessage);
        jack_set_info_function(&jackMessage);
    });
}

JackWatch::~JackWatch()
{
    close();
}

void JackWatch::shutdown(void* self)
{
    auto* watch = static_cast<JackWatch*>(self);
    watch->lost_.store(true);
    if (watch->gone_) {
        watch->gone_();
    }
}

void JackWatch::close()
{
    if (client_ != nullptr) {
        jack_client_close(client_);  // waits for the client's thread
        client_ = nullptr;
    }
}

bool JackWatch::reach()
{
    if (lost_.load()) {
        close();
        lost_.store(false);
    }
    if (client_ != nullptr) {
        return true;
    }
    jack_status_t status{};
    client_ = jack_client_open("Velantra-watch", JackNoStartServer, &status);
    if (client_ == nullptr) {
        return false;
    }
    jack_on_shutdown(client_, &JackWatch::shutdown, this);
    ++session_;
    return true;
}

}  // namespace velantra::midi
