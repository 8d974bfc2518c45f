#include "network/udp_socket.h"

#include <arpa/inet.h>
#include <cerrno>
#include <fcntl.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <utility>

namespace velantra {

namespace {

sockaddr_in socketAddress(std::uint32_t address, std::uint16_t port)
{
    sockaddr_in a{};
    a.sin_family = AF_INET;
    a.sin_port = htons(port);
    a.sin_addr.s_addr = htonl(address);
    return a;
}

int result(int returned)
{
    return returned == 0 ? 0 : errno;
}

}  // namespace

UdpSocket::UdpSocket(UdpSocket&& other) noexcept
    : fd_(std::exchange(other.fd_, -1))
{}

UdpSocket& UdpSocket::operator=(UdpSocket&& other) noexcept
{
    if (this != &other) {
        close();
        fd_ = std::exchange(other.fd_, -1);
    }
    return *this;
}

int UdpSocket::open()
{
    close();
    fd_ = ::socket(AF_INET, SOCK_DGRAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
    return fd_ >= 0 ? 0 : errno;
}

void UdpSocket::close()
{
    if (fd_ >= 0) {
        ::close(fd_);
        fd_ = -1;
    }
}

int UdpSocket::enableBroadcast()
{
    const int on = 1;
    return result(::setsockopt(fd_, SOL_SOCKET, SO_BROADCAST, &on, sizeof on));
}

int UdpSocket::setMulticastInterface(std::uint32_t address)
{
    in_addr a{};
    a.s_addr = htonl(address);
    return result(::setsockopt(fd_, IPPROTO_IP, IP_MULTICAST_IF, &a, sizeof a));
}

int UdpSocket::setMulticastInterfaceIndex(int index)
{
    ip_mreqn m{};
    m.imr_ifindex = index;
    return result(::setsockopt(fd_, IPPROTO_IP, IP_MULTICAST_IF, &m, sizeof m));
}

int UdpSocket::setMulticastHops(int hops)
{
    const unsigned char ttl = static_cast<unsigned char>(hops);
    return result(::setsockopt(fd_, IPPROTO_IP, IP_MULTICAST_TTL, &ttl, sizeof ttl));
}

int UdpSocket::bindTo(std::uint32_t address, std::uint16_t port, bool shared)
{
    if (shared) {
        const int on = 1;
        if (::setsockopt(fd_, SOL_SOCKET, SO_REUSEADDR, &on, sizeof on) != 0) {
            return errno;
        }
#ifdef SO_REUSEPORT
        if (::setsockopt(fd_, SOL_SOCKET, SO_REUSEPORT, &on, sizeof on) != 0) {
            return errno;
        }
#endif
    }
    const sockaddr_in a = socketAddress(address, port);
    return result(::bind(fd_, reinterpret_cast<const sockaddr*>(&a), sizeof a));
}

int UdpSocket::joinGroup(std::uint32_t group, std::uint32_t interfaceAddress)
{
    ip_mreq m{};
    m.imr_multiaddr.s_addr = htonl(group);
    m.imr_interface.s_addr = htonl(interfaceAddress);
    return result(::setsockopt(fd_, IPPROTO_IP, IP_ADD_MEMBERSHIP, &m, sizeof m));
}

int UdpSocket::sendTo(std::uint32_t address, std::uint16_t port, std::span<const std::uint8_t> bytes)
{
    const sockaddr_in a = socketAddress(address, port);
    const ssize_t sent = ::sendto(fd_, bytes.data(), bytes.size(), MSG_DONTWAIT | MSG_NOSIGNAL,
                                  reinterpret_cast<const sockaddr*>(&a), sizeof a);
    if (sent < 0) {
        return errno;
    }
    return static_cast<std::size_t>(sent) == bytes.size() ? 0 : EMSGSIZE;
}

long UdpSocket::receiveFrom(std::span<std::uint8_t> buffer, std::uint32_t& from, std::uint16_t& port, int& error)
{
    sockaddr_in a{};
    socklen_t length = sizeof a;
    const ssize_t got =
        ::recvfrom(fd_, buffer.data(), buffer.size(), MSG_DONTWAIT, reinterpret_cast<sockaddr*>(&a), &length);
    if (got < 0) {
        error = errno;
        return -1;
    }
    error = 0;
    from = ntohl(a.sin_addr.s_addr);
    port = ntohs(a.sin_port);
    return static_cast<long>(got);
}

std::uint32_t UdpSocket::boundAddress() const
{
    sockaddr_in a{};
    socklen_t length = sizeof a;
    if (fd_ < 0 || ::getsockname(fd_, reinterpret_cast<sockaddr*>(&a), &length) != 0) {
        return 0;
    }
    return ntohl(a.sin_addr.s_addr);
}

std::uint32_t UdpSocket::sourceFor(std::uint32_t destination)
{
    // Connecting a datagram socket sends nothing: it only asks the routes.
    UdpSocket probe;
    if (probe.open() != 0) {
        return 0;
    }
    if (destination == ipv4(255, 255, 255, 255) || (destination >> 28) == 0xE) {
        probe.enableBroadcast();
    }
    const sockaddr_in to = socketAddress(destination, 9);
    if (::connect(probe.fd_, reinterpret_cast<const sockaddr*>(&to), sizeof to) != 0) {
        return 0;
    }
    return probe.boundAddress();
}

}  // namespace velantra
