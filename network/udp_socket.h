// A UDP socket for the network outputs: non-blocking, IPv4, with the few
// options DMX over IP needs (broadcast, the multicast interface and hops,
// a shared port). Addresses are IPv4 numbers in host order.
//
// Every call is made on one sender thread and never blocks; failures come
// back as the system's error number (0 for success), never as exceptions.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>

namespace velantra {

// 127.0.0.1 and friends, in host order.
constexpr std::uint32_t ipv4(std::uint8_t a, std::uint8_t b, std::uint8_t c, std::uint8_t d)
{
    return std::uint32_t{a} << 24 | std::uint32_t{b} << 16 | std::uint32_t{c} << 8 | d;
}

class UdpSocket {
public:
    UdpSocket() = default;
    ~UdpSocket() { close(); }
    UdpSocket(UdpSocket&& other) noexcept;
    UdpSocket& operator=(UdpSocket&& other) noexcept;
    UdpSocket(const UdpSocket&) = delete;
    UdpSocket& operator=(const UdpSocket&) = delete;

    // Opens a non-blocking socket; 0 or the error number.
    int open();
    void close();
    bool isOpen() const { return fd_ >= 0; }
    int fd() const { return fd_; }

    int enableBroadcast();
    // Multicast leaves through the interface with this address (0: the system's choice).
    int setMulticastInterface(std::uint32_t address);
    // Multicast leaves through the interface with this index, whatever its
    // address is now or later (0: the system's choice).
    int setMulticastInterfaceIndex(int index);
    int setMulticastHops(int hops);
    // Binds to address:port; shared lets other programs bind the same port.
    int bindTo(std::uint32_t address, std::uint16_t port, bool shared);
    // Joins a multicast group on the interface with this address (0: any).
    int joinGroup(std::uint32_t group, std::uint32_t interfaceAddress);

    // Sends one datagram: 0, or the error number (EAGAIN: the send buffer is
    // full and the datagram is dropped). Never blocks.
    int sendTo(std::uint32_t address, std::uint16_t port, std::span<const std::uint8_t> bytes);
    // Receives one datagram into buffer: its length, or -1 with the error
    // number in error (EAGAIN: nothing waiting). Never blocks.
    long receiveFrom(std::span<std::uint8_t> buffer, std::uint32_t& from, std::uint16_t& port, int& error);

    // The address this socket is bound to (0: any, or not bound).
    std::uint32_t boundAddress() const;
    // The address a datagram to destination leaves from, by the system's
    // routes now: 0 when no route reaches it. Never blocks.
    static std::uint32_t sourceFor(std::uint32_t destination);

private:
    int fd_ = -1;
};

}  // namespace velantra
