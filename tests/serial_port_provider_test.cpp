// The provider for FTDI devices bound to ftdi_sio, with a pseudo-terminal pair
// standing in for /dev/ttyUSBn: the provider opens the slave, the test reads
// what arrives on the master.
#include "link/pro_widget.h"
#include "link/serial_line.h"
#include "link/serial_port_provider.h"
#include "link/usb_link.h"
#include "link/usb_signature.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstring>
#include <memory>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#if defined(__unix__)
#include <cerrno>
#include <cstdlib>
#include <fcntl.h>
#include <poll.h>
#include <sys/stat.h>
#include <termios.h>
#include <unistd.h>
#endif

namespace velantra {
namespace {

using Bytes = std::vector<std::uint8_t>;

SerialPortLister fixedLister(std::vector<SerialPortEntry> ports, int* calls = nullptr)
{
    return [ports, calls] {
        if (calls != nullptr) {
            ++*calls;
        }
        return ports;
    };
}

DWORD listCount(SerialPortProvider& provider)
{
    DWORD count = 12345;
    EXPECT_EQ(provider.FT_ListDevices(&count, nullptr, FT_LIST_NUMBER_ONLY), FT_OK);
    return count;
}

void* indexArg(std::uintptr_t index)
{
    return reinterpret_cast<void*>(index);  // how D2XX passes the index
}

std::string listText(SerialPortProvider& provider, std::uintptr_t index, DWORD what, FT_STATUS* status)
{
    char text[FT_LIST_TEXT_MAX];
    std::memset(text, 'x', sizeof text);
    *status = provider.FT_ListDevices(indexArg(index), text, FT_LIST_BY_INDEX | what);
    return *status == FT_OK ? std::string(text) : std::string();
}

const std::vector<SerialPortEntry> TwoInterfaces = {
    {"/dev/ttyUSB0", "VL4K21A7", "Velantra USB DMX"},
    {"/dev/ttyUSB1", "A602XQ3M", "FT232R USB UART"},
};

// ---- Listing ---------------------------------------------------------------

TEST(SerialPortListing, CountAndTextsComeFromTheLister)
{
    SerialPortProvider provider(fixedLister(TwoInterfaces));
    EXPECT_EQ(listCount(provider), 2u);

    FT_STATUS status = 0;
    EXPECT_EQ(listText(provider, 0, FT_OPEN_BY_SERIAL_NUMBER, &status), "VL4K21A7");
    EXPECT_EQ(status, FT_OK);
    EXPECT_EQ(listText(provider, 0, FT_OPEN_BY_DESCRIPTION, &status), "Velantra USB DMX");
    EXPECT_EQ(status, FT_OK);
    EXPECT_EQ(listText(provider, 1, FT_OPEN_BY_SERIAL_NUMBER, &status), "A602XQ3M");
    EXPECT_EQ(status, FT_OK);
    EXPECT_EQ(listText(provider, 1, FT_OPEN_BY_DESCRIPTION, &status), "FT232R USB UART");
    EXPECT_EQ(status, FT_OK);
}

#if defined(__unix__)
// The poll counts devices every second while no interface is open; a full
// listing walks every terminal, so it is taken only when a port came or went.
TEST(SerialPortListing, ListsAgainOnlyWhenThePortsSignatureChangesOrCannotBeRead)
{
    int listings = 0;
    std::vector<SerialPortEntry> ports = TwoInterfaces;
    std::optional<std::string> signature = "ttyUSB0,ttyUSB1";
    SerialPortProvider provider(
        [&] {
            ++listings;
            return ports;
        },
        [&] { return signature; });
    EXPECT_EQ(listCount(provider), 2u);
    EXPECT_EQ(listCount(provider), 2u);
    EXPECT_EQ(listings, 1) << "same signature: the last list stands";

    ports.pop_back();
    signature = "ttyUSB0";
    EXPECT_EQ(listCount(provider), 1u);
    EXPECT_EQ(listings, 2);

    signature = std::nullopt;
    listCount(provider);
    listCount(provider);
    EXPECT_EQ(listings, 4) << "an unreadable signature lists every time";

    signature = "ttyUSB0";
    listCount(provider);
    listCount(provider);
    EXPECT_EQ(listings, 5);
}
#endif

#if defined(__linux__)
// The signature the poll compares: a port plugged, unplugged or replaced by
// another under the same name changes it; nothing else does.
TEST(DeviceSignature, ChangesWhenALinkComesGoesOrIsMadeAgain)
{
    const std::string dir = ::testing::TempDir() + "usb-serial-" + std::to_string(::getpid());
    const std::string missing = sysfsLinksSignature(dir.c_str()).value_or("unreadable");
    EXPECT_EQ(missing, "") << "no directory yet: no ports";
    ASSERT_EQ(::mkdir(dir.c_str(), 0700), 0);
    const std::string empty = sysfsLinksSignature(dir.c_str()).value_or("unreadable");
    EXPECT_EQ(empty, "");

    ASSERT_EQ(::symlink("../../devices/usb1/1-1/ttyUSB0", (dir + "/ttyUSB0").c_str()), 0);
    const std::optional<std::string> one = sysfsLinksSignature(dir.c_str());
    ASSERT_TRUE(one);
    EXPECT_NE(*one, empty);
    EXPECT_EQ(sysfsLinksSignature(dir.c_str()), one) << "read again, nothing changed";

    // Unplugged and another device plugged into another port, same name.
    ASSERT_EQ(::unlink((dir + "/ttyUSB0").c_str()), 0);
    ASSERT_EQ(::symlink("../../devices/usb1/1-2/ttyUSB0", (dir + "/ttyUSB0").c_str()), 0);
    EXPECT_NE(sysfsLinksSignature(dir.c_str()), one);

    ASSERT_EQ(::unlink((dir + "/ttyUSB0").c_str()), 0);
    EXPECT_EQ(sysfsLinksSignature(dir.c_str()), empty);
    ::rmdir(dir.c_str());
}
#endif

TEST(SerialPortListing, IndexBeyondTheListIsNotFound)
{
    SerialPortProvider provider(fixedLister(TwoInterfaces));
    FT_STATUS status = 0;
    listText(provider, 0, FT_OPEN_BY_SERIAL_NUMBER, &status);
    EXPECT_EQ(status, FT_DEVICE_NOT_FOUND) << "nothing is remembered before the first count listing";

    ASSERT_EQ(listCount(provider), 2u);
    listText(provider, 2, FT_OPEN_BY_SERIAL_NUMBER, &status);
    EXPECT_EQ(status, FT_DEVICE_NOT_FOUND);
    listText(provider, 2, FT_OPEN_BY_DESCRIPTION, &status);
    EXPECT_EQ(status, FT_DEVICE_NOT_FOUND);

    FT_HANDLE handle = nullptr;
    EXPECT_EQ(provider.FT_Open(2, &handle), FT_DEVICE_NOT_FOUND);
    EXPECT_EQ(handle, nullptr);
}

TEST(SerialPortListing, LongTextIsCutToTheCallersBuffer)
{
    const std::string longDescription(100, 'D');
    SerialPortProvider provider(fixedLister({{"/dev/ttyUSB0", "S1", longDescription}}));
    ASSERT_EQ(listCount(provider), 1u);

    // The caller's buffer is exactly FT_LIST_TEXT_MAX bytes; the guard bytes
    // after it must stay untouched.
    std::vector<char> buffer(FT_LIST_TEXT_MAX + 16, '#');
    ASSERT_EQ(provider.FT_ListDevices(indexArg(0), buffer.data(), FT_LIST_BY_INDEX | FT_OPEN_BY_DESCRIPTION), FT_OK);
    EXPECT_EQ(std::string(buffer.data()), std::string(FT_LIST_TEXT_MAX - 1, 'D'));
    for (std::size_t i = FT_LIST_TEXT_MAX; i < buffer.size(); ++i) {
        ASSERT_EQ(buffer[i], '#') << "byte " << i << " past the buffer was written";
    }
}

TEST(SerialPortListing, TextsComeFromTheListTakenAtTheLastCount)
{
    // A port that appears after the count is not seen until the next count.
    int calls = 0;
    std::vector<SerialPortEntry> ports = {TwoInterfaces[0]};
    SerialPortProvider provider([&] {
        ++calls;
        return ports;
    });
    ASSERT_EQ(listCount(provider), 1u);
    ports = TwoInterfaces;

    FT_STATUS status = 0;
    listText(provider, 1, FT_OPEN_BY_SERIAL_NUMBER, &status);
    EXPECT_EQ(status, FT_DEVICE_NOT_FOUND);
    EXPECT_EQ(calls, 1);

    EXPECT_EQ(listCount(provider), 2u);
    EXPECT_EQ(listText(provider, 1, FT_OPEN_BY_SERIAL_NUMBER, &status), "A602XQ3M");
    EXPECT_EQ(calls, 2);
}

TEST(SerialPortListing, DefaultListerGivesOnlyPortsWithAPathInPathOrder)
{
    // On the build machines there is usually no FTDI port at all: the listing
    // must still run and come back well formed.
    const std::vector<SerialPortEntry> ports = SerialPortProvider::listFtdiPorts();
    for (const SerialPortEntry& port : ports) {
        EXPECT_FALSE(port.path.empty());
    }
    EXPECT_TRUE(std::is_sorted(ports.begin(), ports.end(),
                               [](const SerialPortEntry& a, const SerialPortEntry& b) { return a.path < b.path; }));

    SerialPortProvider provider;  // the default lister
    EXPECT_EQ(listCount(provider), ports.size());
}

// ---- Handles ---------------------------------------------------------------

TEST(SerialPortHandle, NullHandleIsInvalidEverywhere)
{
    SerialPortProvider provider(fixedLister(TwoInterfaces));
    std::uint8_t message[4] = {0xFF, 0xF1, 0xFF, 0xFF};
    DWORD written = 99;
    DWORD rx = 99;
    EXPECT_EQ(provider.FT_Close(nullptr), FT_INVALID_HANDLE);
    EXPECT_EQ(provider.FT_ResetDevice(nullptr), FT_INVALID_HANDLE);
    EXPECT_EQ(provider.FT_SetTimeouts(nullptr, 500, 500), FT_INVALID_HANDLE);
    EXPECT_EQ(provider.FT_GetQueueStatus(nullptr, &rx), FT_INVALID_HANDLE);
    EXPECT_EQ(provider.FT_Write(nullptr, message, sizeof message, &written), FT_INVALID_HANDLE);
}

#if defined(__unix__)

// A pseudo-terminal pair. On Linux the master's line settings are the
// slave's, so after making the master raw the line is put back into the
// kernel's default cooked mode, as a freshly plugged /dev/ttyUSBn is: the
// provider has to make it raw itself.
class PtyPair {
public:
    PtyPair()
    {
        master_ = ::posix_openpt(O_RDWR | O_NOCTTY | O_CLOEXEC);
        if (master_ < 0 || ::grantpt(master_) != 0 || ::unlockpt(master_) != 0) {
            return;
        }
        const char* name = ::ptsname(master_);
        termios cooked{};
        if (name == nullptr || ::tcgetattr(master_, &cooked) != 0) {
            return;
        }
        slavePath_ = name;
        termios raw = cooked;
        ::cfmakeraw(&raw);
        ::tcsetattr(master_, TCSANOW, &raw);

        cooked.c_oflag |= OPOST | ONLCR;
        cooked.c_iflag |= ICRNL | IXON;
        cooked.c_lflag |= ICANON | ISIG | IEXTEN;
        const int slave = ::open(slavePath_.c_str(), O_RDWR | O_NOCTTY | O_CLOEXEC);
        if (slave >= 0) {
            ready_ = ::tcsetattr(slave, TCSANOW, &cooked) == 0;
            ::close(slave);
        }
    }
    ~PtyPair() { closeMaster(); }
    PtyPair(const PtyPair&) = delete;
    PtyPair& operator=(const PtyPair&) = delete;

    bool ready() const { return ready_; }
    const std::string& slavePath() const { return slavePath_; }

    // Reads until `count` bytes arrived or nothing came for a second.
    Bytes read(std::size_t count)
    {
        Bytes got;
        std::uint8_t chunk[4096];
        while (got.size() < count) {
            pollfd p{master_, POLLIN, 0};
            if (::poll(&p, 1, 1000) <= 0) {
                break;
            }
            const ssize_t n = ::read(master_, chunk, std::min(sizeof chunk, count - got.size()));
            if (n <= 0) {
                break;
            }
            got.insert(got.end(), chunk, chunk + n);
        }
        return got;
    }

    // Whatever else arrives within a short while.
    Bytes readLeftover()
    {
        Bytes got;
        std::uint8_t chunk[256];
        pollfd p{master_, POLLIN, 0};
        while (::poll(&p, 1, 100) > 0) {
            const ssize_t n = ::read(master_, chunk, sizeof chunk);
            if (n <= 0) {
                break;
            }
            got.insert(got.end(), chunk, chunk + n);
        }
        return got;
    }

    bool send(const Bytes& bytes) { return ::write(master_, bytes.data(), bytes.size()) == ssize_t(bytes.size()); }

    // The interface pulled out of the USB socket.
    void closeMaster()
    {
        if (master_ >= 0) {
            ::close(master_);
            master_ = -1;
        }
    }

private:
    int master_ = -1;
    std::string slavePath_;
    bool ready_ = false;
};

// ---- Opening ---------------------------------------------------------------

struct OpenFailure {
    const char* name;
    const char* path;
    FT_STATUS expected;
};

class SerialPortOpenFailure : public ::testing::TestWithParam<OpenFailure> {};

TEST_P(SerialPortOpenFailure, ReportsTheD2xxStatusAndNoHandle)
{
    SerialPortProvider provider(fixedLister({{GetParam().path, "S1", "Velantra USB DMX"}}));
    ASSERT_EQ(listCount(provider), 1u);
    FT_HANDLE handle = &provider;  // anything non-null
    EXPECT_EQ(provider.FT_Open(0, &handle), GetParam().expected);
    EXPECT_EQ(handle, nullptr);
}

INSTANTIATE_TEST_SUITE_P(SerialPortPaths, SerialPortOpenFailure,
                         ::testing::Values(OpenFailure{"Missing", "/dev/ttyUSB-velantra-none", FT_DEVICE_NOT_FOUND},
                                           OpenFailure{"NotATerminal", "/dev/null", FT_DEVICE_NOT_OPENED},
                                           OpenFailure{"Directory", "/", FT_DEVICE_NOT_OPENED}),
                         [](const ::testing::TestParamInfo<OpenFailure>& param) { return param.param.name; });

TEST(SerialPortOpen, OpenBeforeAnyListingListsFirst)
{
    PtyPair pty;
    ASSERT_TRUE(pty.ready());
    int calls = 0;
    SerialPortProvider provider(fixedLister({{pty.slavePath(), "S1", "Velantra USB DMX"}}, &calls));
    FT_HANDLE handle = nullptr;
    ASSERT_EQ(provider.FT_Open(0, &handle), FT_OK);
    EXPECT_NE(handle, nullptr);
    EXPECT_EQ(calls, 1);
    EXPECT_EQ(provider.FT_Close(handle), FT_OK);
}

// ---- An open interface -----------------------------------------------------

class SerialPortPty : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(pty.ready());
        provider =
            std::make_unique<SerialPortProvider>(fixedLister({{pty.slavePath(), "VL4K21A7", "Velantra USB DMX"}}));
        ASSERT_EQ(listCount(*provider), 1u);
        ASSERT_EQ(provider->FT_Open(0, &handle), FT_OK);
        ASSERT_NE(handle, nullptr);
        ASSERT_EQ(provider->FT_ResetDevice(handle), FT_OK);
        ASSERT_EQ(provider->FT_SetTimeouts(handle, 500, 500), FT_OK);
    }
    void TearDown() override
    {
        if (handle != nullptr) {
            EXPECT_EQ(provider->FT_Close(handle), FT_OK);
        }
    }

    FT_STATUS write(Bytes& message, DWORD* written)
    {
        return provider->FT_Write(handle, message.data(), static_cast<DWORD>(message.size()), written);
    }

    PtyPair pty;
    std::unique_ptr<SerialPortProvider> provider;
    FT_HANDLE handle = nullptr;
};

TEST_F(SerialPortPty, FrameWithControlBytesArrivesByteExact)
{
    // 0xFF 0xF0, 513 slot bytes, 0xFF 0xF1 0xFF 0xFF. The slot bytes open with
    // everything a terminal line likes to rewrite or act on: newline, carriage
    // return, XON/XOFF, ^C ^D ^Z ^\, erase and kill characters, escapes.
    Bytes message = {0xFF, 0xF0};
    const Bytes awkward = {0x00, 0x0A, 0x0D, 0x11, 0x13, 0x00, 0xFF, 0xF7, 0x03, 0x04, 0x1A, 0x1C, 0x7F, 0x08,
                           0x15, 0x17, 0x12, 0x16, 0x0F, 0x09, 0x1B, 0x0D, 0x0A, 0x0A, 0xFF, 0xF7, 0x80, 0xFE};
    message.insert(message.end(), awkward.begin(), awkward.end());
    for (int i = 0; message.size() < 2 + 513; ++i) {
        message.push_back(static_cast<std::uint8_t>(i % 255));  // 0x00..0xFE, never a bare 0xFF
    }
    message.insert(message.end(), {0xFF, 0xF1, 0xFF, 0xFF});
    ASSERT_EQ(message.size(), 519u);
    const Bytes expected = message;

    DWORD written = 0;
    ASSERT_EQ(write(message, &written), FT_OK);
    EXPECT_EQ(written, 519u);
    const Bytes got = pty.read(expected.size());
    ASSERT_EQ(got.size(), expected.size());
    for (std::size_t i = 0; i < expected.size(); ++i) {
        ASSERT_EQ(got[i], expected[i]) << "byte " << i;
    }
    EXPECT_TRUE(pty.readLeftover().empty()) << "bytes were added on the way";
}

TEST_F(SerialPortPty, FullFrameOf1032BytesArrivesWhole)
{
    // Every slot at 255: each sent as 0xFF 0xF7.
    Bytes message = {0xFF, 0xF0};
    for (int slot = 0; slot < 513; ++slot) {
        message.insert(message.end(), {0xFF, 0xF7});
    }
    message.insert(message.end(), {0xFF, 0xF1, 0xFF, 0xFF});
    ASSERT_EQ(message.size(), 1032u);
    const Bytes expected = message;

    DWORD written = 0;
    ASSERT_EQ(write(message, &written), FT_OK);
    EXPECT_EQ(written, 1032u);
    EXPECT_EQ(pty.read(expected.size()), expected);
    EXPECT_TRUE(pty.readLeftover().empty());
}

TEST_F(SerialPortPty, MoreThanTheLineHoldsCompletesWhileTheReaderKeepsUp)
{
    // Far more than the kernel buffers at once: the write goes out in pieces,
    // waiting for room in between.
    ASSERT_EQ(provider->FT_SetTimeouts(handle, 500, 10000), FT_OK);
    Bytes big(std::size_t{512} * 1024);
    for (std::size_t i = 0; i < big.size(); ++i) {
        big[i] = static_cast<std::uint8_t>((i * 7) % 251);
    }
    const Bytes expected = big;

    Bytes got;
    std::thread reader([&] { got = pty.read(expected.size()); });
    DWORD written = 0;
    const FT_STATUS status = write(big, &written);
    reader.join();
    EXPECT_EQ(status, FT_OK);
    EXPECT_EQ(written, big.size());
    EXPECT_TRUE(got == expected) << "received " << got.size() << " of " << expected.size() << " bytes";
}

TEST_F(SerialPortPty, UnplugTurnsWriteAndQueueStatusIntoErrors)
{
    Bytes message = {0xFF, 0xF0, 0x00, 0x01, 0x02, 0xFF, 0xF1, 0xFF, 0xFF};
    DWORD written = 0;
    DWORD rx = 0;
    ASSERT_EQ(write(message, &written), FT_OK);
    ASSERT_EQ(provider->FT_GetQueueStatus(handle, &rx), FT_OK);

    pty.closeMaster();

    EXPECT_EQ(write(message, &written), FT_IO_ERROR);
    EXPECT_EQ(provider->FT_GetQueueStatus(handle, &rx), FT_IO_ERROR);
}

TEST_F(SerialPortPty, StalledReaderMakesWriteFailInsteadOfHanging)
{
    // Nobody reads the master: the line fills up (a pty holds a few tens of
    // kilobytes, far less than 200 frames) and a write can no longer finish
    // within its timeout.
    ASSERT_EQ(provider->FT_SetTimeouts(handle, 100, 100), FT_OK);
    Bytes message(1032, 0x55);
    FT_STATUS status = FT_OK;
    DWORD written = 0;
    int frames = 0;
    for (; frames < 200 && status == FT_OK; ++frames) {
        status = write(message, &written);
    }
    EXPECT_EQ(status, FT_IO_ERROR);
    EXPECT_LT(written, message.size());
    EXPECT_GT(frames, 1) << "the first frame should fit";
}

TEST_F(SerialPortPty, QueueStatusCountsInputAndResetDiscardsIt)
{
    ASSERT_TRUE(pty.send({0x01, 0x02, 0x0A, 0x03}));
    DWORD rx = 0;
    const auto giveUp = std::chrono::steady_clock::now() + std::chrono::seconds(2);
    while (rx < 4 && std::chrono::steady_clock::now() < giveUp) {
        ASSERT_EQ(provider->FT_GetQueueStatus(handle, &rx), FT_OK);
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    EXPECT_EQ(rx, 4u);

    ASSERT_EQ(provider->FT_ResetDevice(handle), FT_OK);
    ASSERT_EQ(provider->FT_GetQueueStatus(handle, &rx), FT_OK);
    EXPECT_EQ(rx, 0u);
}

// ---- The two common widgets on the serial route -------------------------------

TEST_F(SerialPortPty, OpenDmxLineIs250kBaudEightDataTwoStopBitsAndBreaks)
{
    ASSERT_EQ(provider->FT_SetDataCharacteristics(handle, FT_BITS_8, FT_STOP_BITS_2, FT_PARITY_NONE), FT_OK);
    if (provider->FT_SetBaudRate(handle, 250000) == FT_NOT_SUPPORTED) {
        GTEST_SKIP() << "this kernel takes no termios2 rate on a pseudo-terminal";
    }
    // What the kernel keeps for the line, read through a descriptor of our own.
    const int fd = ::open(pty.slavePath().c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    ASSERT_GE(fd, 0);
    EXPECT_EQ(lineBaud(fd), 250000u);
    const auto frame = lineFrame(fd);
    ::close(fd);
    ASSERT_TRUE(frame);
    EXPECT_EQ(frame->bits, 8);
    EXPECT_EQ(frame->stopBits, 2);
    EXPECT_EQ(frame->parity, 0);
    EXPECT_EQ(provider->FT_SetBreakOn(handle), FT_OK);
    EXPECT_EQ(provider->FT_SetBreakOff(handle), FT_OK);
    EXPECT_EQ(provider->FT_SetDataCharacteristics(handle, 9, 2, 0), FT_INVALID_PARAMETER);
}

TEST_F(SerialPortPty, ReadTakesWhatArrivedAndNeverWaits)
{
    std::uint8_t buffer[16] = {};
    DWORD got = 99;
    ASSERT_EQ(provider->FT_Read(handle, buffer, sizeof buffer, &got), FT_OK);
    EXPECT_EQ(got, 0u);  // nothing there: at once, not after a timeout
    ASSERT_TRUE(pty.send({0x7E, 10, 4, 0, 0x78, 0x56, 0x34, 0x12, 0xE7}));
    Bytes read;
    const auto giveUp = std::chrono::steady_clock::now() + std::chrono::seconds(2);
    while (read.size() < 9 && std::chrono::steady_clock::now() < giveUp) {
        ASSERT_EQ(provider->FT_Read(handle, buffer, sizeof buffer, &got), FT_OK);
        read.insert(read.end(), buffer, buffer + got);
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
    EXPECT_EQ(read, (Bytes{0x7E, 10, 4, 0, 0x78, 0x56, 0x34, 0x12, 0xE7}));
}

// A DMX USB Pro at the end of a pseudo-terminal: the link's requests and
// frames arrive byte for byte, the widget's answers come back through it.
TEST(SerialPortProWidget, RequestsAnswersAndFramesCrossTheLine)
{
    PtyPair pty;
    ASSERT_TRUE(pty.ready());
    SerialPortProvider provider(fixedLister({{pty.slavePath(), "EN099999", "DMX USB PRO"}}));
    UsbLink link(provider);
    link.openInterface();
    link.poll();
    ASSERT_EQ(link.UsbOpen.load(), 1);
    ASSERT_EQ(link.kind(), InterfaceKind::Pro);
    Bytes requests = pro::parametersRequest();
    const Bytes serial = pro::serialRequest();
    requests.insert(requests.end(), serial.begin(), serial.end());
    EXPECT_EQ(pty.read(requests.size()), requests);

    ASSERT_TRUE(pty.send({0x7E, 3, 5, 0, 0x44, 0x01, 9, 1, 40, 0xE7, 0x7E, 10, 4, 0, 0x99, 0x99, 0x09, 0x00, 0xE7}));
    for (int i = 0; i < 100 && !link.proInfo().serial; ++i) {
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
        link.poll();
    }
    EXPECT_EQ(link.proInfo().serial, 99999u);
    ASSERT_TRUE(link.proInfo().parameters);
    EXPECT_EQ(link.proInfo().parameters->rate, 40);

    std::array<std::uint8_t, FrameSlots> frame{};
    frame[1] = 0xE7;
    link.setSlotsUsed(512);
    link.writeFrame(frame);
    const Bytes sent = pty.read(518);
    ASSERT_EQ(sent.size(), 518u);
    EXPECT_EQ(Bytes(sent.begin(), sent.begin() + 6), (Bytes{0x7E, 6, 0x01, 0x02, 0x00, 0xE7}));
    EXPECT_EQ(sent.back(), 0xE7);
    link.closeInterface();
}

#else

TEST(SerialPortListing, NoDevicesWithoutPosixTerminals)
{
    SerialPortProvider provider(fixedLister(TwoInterfaces));
    EXPECT_EQ(listCount(provider), 0u);
    FT_HANDLE handle = nullptr;
    EXPECT_EQ(provider.FT_Open(0, &handle), FT_DEVICE_NOT_FOUND);
}

#endif

}  // namespace
}  // namespace velantra
