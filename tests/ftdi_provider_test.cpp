// The libftdi1 provider as far as it goes without an FTDI device: the empty
// bus, refused handles and arguments, its status mapping, and how it tells a
// device held by the kernel's serial driver from a free one.
#include "link/ftdi_provider.h"

#include <gtest/gtest.h>

#include <unistd.h>

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include <tuple>

namespace velantra {
namespace {

namespace fs = std::filesystem;

// Whether the machine has any FTDI device, read straight from sysfs.
bool ftdiDeviceAttached()
{
    std::error_code error;
    for (fs::directory_iterator entry("/sys/bus/usb/devices", error), end; !error && entry != end;
         entry.increment(error)) {
        std::ifstream vendor(entry->path() / "idVendor");
        std::string id;
        if (vendor >> id && id == "0403") {
            return true;
        }
    }
    return false;
}

void* indexArg(std::uintptr_t index)
{
    return reinterpret_cast<void*>(index);
}

// --- Status mapping ------------------------------------------------------

using Mapping = std::tuple<FtdiCall, int, FT_STATUS>;

class FtdiStatus : public ::testing::TestWithParam<Mapping> {};

std::string mappingName(const ::testing::TestParamInfo<Mapping>& info)
{
    static const char* const calls[] = {"FindAll", "GetStrings", "OpenDev", "Transfer"};
    const auto [call, result, expected] = info.param;
    return std::string(calls[static_cast<int>(call)]) + (result < 0 ? "_minus" : "_") +
           std::to_string(std::abs(result));
}

TEST_P(FtdiStatus, MapsToTheD2xxStatus)
{
    const auto [call, result, expected] = GetParam();
    EXPECT_EQ(d2xxStatusFromFtdi(call, result), expected);
}

INSTANTIATE_TEST_SUITE_P(Success, FtdiStatus,
                         ::testing::Values(Mapping{FtdiCall::FindAll, 0, FT_OK}, Mapping{FtdiCall::FindAll, 2, FT_OK},
                                           Mapping{FtdiCall::GetStrings, 0, FT_OK},
                                           Mapping{FtdiCall::OpenDev, 0, FT_OK},
                                           Mapping{FtdiCall::Transfer, 1032, FT_OK}),
                         mappingName);

INSTANTIATE_TEST_SUITE_P(Listing, FtdiStatus,
                         ::testing::Values(Mapping{FtdiCall::FindAll, -3, FT_INSUFFICIENT_RESOURCES},
                                           Mapping{FtdiCall::FindAll, -5, FT_IO_ERROR},
                                           Mapping{FtdiCall::FindAll, -6, FT_IO_ERROR},
                                           Mapping{FtdiCall::GetStrings, -4, FT_DEVICE_NOT_OPENED},
                                           Mapping{FtdiCall::GetStrings, -8, FT_IO_ERROR},
                                           Mapping{FtdiCall::GetStrings, -9, FT_IO_ERROR}),
                         mappingName);

// ftdi_usb_open_dev's -3 is "unable to set the configuration", the device
// being in another driver's hands: not opened, unlike a -3 from the
// listing, which is out of memory.
INSTANTIATE_TEST_SUITE_P(Opening, FtdiStatus,
                         ::testing::Values(Mapping{FtdiCall::OpenDev, -3, FT_DEVICE_NOT_OPENED},
                                           Mapping{FtdiCall::OpenDev, -4, FT_DEVICE_NOT_OPENED},
                                           Mapping{FtdiCall::OpenDev, -5, FT_DEVICE_NOT_OPENED},
                                           Mapping{FtdiCall::OpenDev, -6, FT_DEVICE_NOT_OPENED},
                                           Mapping{FtdiCall::OpenDev, -8, FT_DEVICE_NOT_OPENED}),
                         mappingName);

INSTANTIATE_TEST_SUITE_P(Transfers, FtdiStatus,
                         ::testing::Values(Mapping{FtdiCall::Transfer, -1, FT_IO_ERROR},
                                           Mapping{FtdiCall::Transfer, -2, FT_IO_ERROR},
                                           Mapping{FtdiCall::Transfer, -666, FT_IO_ERROR}),
                         mappingName);

// --- Device names and order ----------------------------------------------

TEST(FtdiUsbLocation, NamesTheDeviceAsTheKernelDoes)
{
    EXPECT_EQ(usbSysfsName({1, {4}}), "1-4");
    EXPECT_EQ(usbSysfsName({3, {1, 4, 2}}), "3-1.4.2");
    EXPECT_EQ(usbSysfsName({12, {10}}), "12-10");
    EXPECT_EQ(usbSysfsName({2, {}}), "usb2");
}

TEST(FtdiUsbLocation, OrdersByBusThenPortPath)
{
    EXPECT_LT((UsbLocation{1, {9}}), (UsbLocation{2, {1}}));
    EXPECT_LT((UsbLocation{1, {1, 5}}), (UsbLocation{1, {2}}));
    EXPECT_LT((UsbLocation{1, {1}}), (UsbLocation{1, {1, 1}}));
    EXPECT_LT((UsbLocation{1, {2}}), (UsbLocation{1, {10}}));
}

// --- Held by the kernel's serial driver ----------------------------------

// A throw-away /sys/bus/usb/devices.
class FtdiSerialDriverCheck : public ::testing::Test {
protected:
    void SetUp() override
    {
        std::string pattern = (fs::temp_directory_path() / "velantra-sysfs-XXXXXX").string();
        ASSERT_NE(mkdtemp(pattern.data()), nullptr);
        root = pattern;
    }

    void TearDown() override
    {
        std::error_code ignored;
        fs::remove_all(root, ignored);
    }

    void makeDir(const std::string& relative) { fs::create_directories(root / relative); }

    bool held(const UsbLocation& where) const { return heldBySerialDriver(root.string(), where); }

    fs::path root;
};

TEST_F(FtdiSerialDriverCheck, TtyUnderTheInterfaceMeansHeld)
{
    makeDir("1-4");
    makeDir("1-4:1.0/ttyUSB0/tty/ttyUSB0");
    EXPECT_TRUE(held({1, {4}}));
}

TEST_F(FtdiSerialDriverCheck, InterfaceWithoutTtyIsFree)
{
    makeDir("1-4");
    makeDir("1-4:1.0/ep_81");
    makeDir("1-4:1.0/power");
    EXPECT_FALSE(held({1, {4}}));
}

TEST_F(FtdiSerialDriverCheck, TtyOnTheSecondInterfaceMeansHeld)
{
    makeDir("2-1:1.0");
    makeDir("2-1:1.1/ttyUSB1");
    EXPECT_TRUE(held({2, {1}}));
}

TEST_F(FtdiSerialDriverCheck, OnlyTheDeviceAtThatPlaceCounts)
{
    makeDir("1-4.2:1.0/ttyUSB0");  // behind a hub on port 4
    makeDir("2-4:1.0/ttyUSB1");    // same port, other bus
    EXPECT_FALSE(held({1, {4}}));
    EXPECT_TRUE(held({1, {4, 2}}));
    EXPECT_FALSE(held({1, {4, 2, 1}}));
    EXPECT_TRUE(held({2, {4}}));
}

TEST_F(FtdiSerialDriverCheck, FollowsTheLinksSysfsIsMadeOf)
{
    makeDir("devices/pci0000:00/usb1/1-4/1-4:1.0/ttyUSB0");
    fs::create_directory_symlink(root / "devices/pci0000:00/usb1/1-4/1-4:1.0", root / "1-4:1.0");
    EXPECT_TRUE(held({1, {4}}));
}

TEST_F(FtdiSerialDriverCheck, MissingTreeOrRootHubIsFree)
{
    EXPECT_FALSE(held({1, {4}}));  // empty tree
    EXPECT_FALSE(heldBySerialDriver((root / "nonexistent").string(), {1, {4}}));
    makeDir("usb1:1.0/ttyUSB0");
    EXPECT_FALSE(held({1, {}}));
}

// --- The provider with no FTDI device attached ---------------------------

class FtdiProviderNoDevice : public ::testing::Test {
protected:
    void SetUp() override
    {
        if (ftdiDeviceAttached()) {
            GTEST_SKIP() << "an FTDI device is attached to this machine";
        }
    }

    FtdiProvider provider;
};

TEST_F(FtdiProviderNoDevice, CountsNone)
{
    DWORD count = 99;
    EXPECT_EQ(provider.FT_ListDevices(&count, nullptr, FT_LIST_NUMBER_ONLY), FT_OK);
    EXPECT_EQ(count, 0u);
}

TEST_F(FtdiProviderNoDevice, FirstDeviceIsNotFound)
{
    char text[FT_LIST_TEXT_MAX] = "left over";
    EXPECT_EQ(provider.FT_ListDevices(indexArg(0), text, FT_LIST_BY_INDEX | FT_OPEN_BY_SERIAL_NUMBER),
              FT_DEVICE_NOT_FOUND);
    EXPECT_STREQ(text, "");
    EXPECT_EQ(provider.FT_ListDevices(indexArg(0), text, FT_LIST_BY_INDEX | FT_OPEN_BY_DESCRIPTION),
              FT_DEVICE_NOT_FOUND);

    int marker = 0;
    FT_HANDLE handle = &marker;
    EXPECT_EQ(provider.FT_Open(0, &handle), FT_DEVICE_NOT_FOUND);
    EXPECT_EQ(handle, nullptr);
    EXPECT_EQ(provider.FT_Open(-1, &handle), FT_DEVICE_NOT_FOUND);
}

TEST(FtdiProvider, RefusesMalformedListingAndOpening)
{
    FtdiProvider provider;
    char text[FT_LIST_TEXT_MAX] = "";
    EXPECT_EQ(provider.FT_ListDevices(nullptr, nullptr, FT_LIST_NUMBER_ONLY), FT_INVALID_PARAMETER);
    EXPECT_EQ(provider.FT_ListDevices(indexArg(0), nullptr, FT_LIST_BY_INDEX | FT_OPEN_BY_SERIAL_NUMBER),
              FT_INVALID_PARAMETER);
    EXPECT_EQ(provider.FT_ListDevices(indexArg(0), text, FT_LIST_BY_INDEX), FT_INVALID_PARAMETER);
    EXPECT_EQ(provider.FT_ListDevices(indexArg(0), text, FT_OPEN_BY_SERIAL_NUMBER), FT_INVALID_PARAMETER);
    EXPECT_EQ(provider.FT_Open(0, nullptr), FT_INVALID_PARAMETER);
    EXPECT_STREQ(provider.providerName(), "libftdi1");
}

// Every call on a device refuses a handle it did not give out.
struct HandleCall {
    const char* name;
    std::function<FT_STATUS(FtdiProvider&, FT_HANDLE)> call;
};

void PrintTo(const HandleCall& call, std::ostream* out)
{
    *out << call.name;
}

class FtdiProviderHandles : public ::testing::TestWithParam<HandleCall> {};

TEST_P(FtdiProviderHandles, RefusesNullAndUnknownHandles)
{
    FtdiProvider provider;
    EXPECT_EQ(GetParam().call(provider, nullptr), FT_INVALID_HANDLE);
    // A pointer to something that is not an open device is never used as one.
    unsigned char notADevice[512] = {};
    EXPECT_EQ(GetParam().call(provider, notADevice), FT_INVALID_HANDLE);
}

const HandleCall handleCalls[] = {
    {"Close", [](FtdiProvider& p, FT_HANDLE h) { return p.FT_Close(h); }},
    {"ResetDevice", [](FtdiProvider& p, FT_HANDLE h) { return p.FT_ResetDevice(h); }},
    {"SetTimeouts", [](FtdiProvider& p, FT_HANDLE h) { return p.FT_SetTimeouts(h, 500, 500); }},
    {"GetQueueStatus",
     [](FtdiProvider& p, FT_HANDLE h) {
         DWORD queued = 0;
         return p.FT_GetQueueStatus(h, &queued);
     }},
    {"Write",
     [](FtdiProvider& p, FT_HANDLE h) {
         std::uint8_t frame[] = {0xFF, 0xF0, 0x00, 0xFF, 0xF1, 0xFF, 0xFF};
         DWORD written = 0;
         return p.FT_Write(h, frame, sizeof frame, &written);
     }},
};

INSTANTIATE_TEST_SUITE_P(EachCall, FtdiProviderHandles, ::testing::ValuesIn(handleCalls),
                         [](const auto& param) { return std::string(param.param.name); });

}  // namespace
}  // namespace velantra
