// A liblo client for the OSC tests: sends from its own UDP port and keeps
// the last value heard at each address. GUI thread (read while waiting).
#pragma once

#include <lo/lo.h>

#include <QTest>

#include <cstdint>
#include <cstring>
#include <map>
#include <string>

namespace velantra::osc {

// A UDP port that was free a moment ago.
inline int freePort()
{
    lo_server s = lo_server_new_with_proto(nullptr, LO_UDP, nullptr);
    const int port = lo_server_get_port(s);
    lo_server_free(s);
    return port;
}

class OscClient {
public:
    explicit OscClient(int serverPort)
        : server_(lo_server_new_with_proto(nullptr, LO_UDP, nullptr))
        , to_(lo_address_new("127.0.0.1", std::to_string(serverPort).c_str()))
    {
        lo_server_add_method(server_, nullptr, nullptr, &OscClient::heard, this);
    }
    ~OscClient()
    {
        lo_address_free(to_);
        lo_server_free(server_);
    }
    OscClient(const OscClient&) = delete;
    OscClient& operator=(const OscClient&) = delete;

    int port() const { return lo_server_get_port(server_); }

    void send(const char* path) { send(path, lo_message_new()); }
    void send(const char* path, int i)
    {
        lo_message m = lo_message_new();
        lo_message_add_int32(m, i);
        send(path, m);
    }
    void send(const char* path, float f)
    {
        lo_message m = lo_message_new();
        lo_message_add_float(m, f);
        send(path, m);
    }
    void send(const char* path, const char* s)
    {
        lo_message m = lo_message_new();
        lo_message_add_string(m, s);
        send(path, m);
    }

    // Waits (running the event loop) until address holds value.
    bool waitFor(const std::string& address, double value)
    {
        return QTest::qWaitFor(
            [&] {
                while (lo_server_recv_noblock(server_, 0) > 0) {
                }
                const auto it = values.find(address);
                return it != values.end() && std::abs(it->second - value) < 1e-3;
            },
            3000);
    }

    std::map<std::string, double> values;
    int received = 0;

private:
    void send(const char* path, lo_message m)
    {
        lo_send_message_from(to_, server_, path, m);
        lo_message_free(m);
    }

    static int heard(const char* path, const char* types, lo_arg** argv, int argc, lo_message, void* user)
    {
        auto* self = static_cast<OscClient*>(user);
        ++self->received;
        // liblo's values are only 4-byte aligned: read them as bytes.
        if (argc == 1 && types[0] == 'f') {
            float f = 0;
            std::memcpy(&f, argv[0], sizeof f);
            self->values[path] = f;
        } else if (argc == 1 && types[0] == 'i') {
            std::int32_t i = 0;
            std::memcpy(&i, argv[0], sizeof i);
            self->values[path] = i;
        }
        return 0;
    }

    lo_server server_;
    lo_address to_;
};

}  // namespace velantra::osc
