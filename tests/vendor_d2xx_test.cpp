// The vendor's D2XX library loaded at run time, checked against a stand-in
// library built in the test tree (tests/fake_ftd2xx/).
#include "link/vendor_d2xx.h"

#include "tests/fake_ftd2xx/fake_ftd2xx.h"

#include <gtest/gtest.h>

#include <dlfcn.h>

#include <cstdint>
#include <cstring>
#include <functional>
#include <string>
#include <vector>

namespace velantra {
namespace {

bool loadable(const char* path)
{
    void* library = dlopen(path, RTLD_NOW | RTLD_LOCAL);
    if (library == nullptr) {
        return false;
    }
    dlclose(library);
    return true;
}

bool stillLoaded(const char* path)
{
    void* library = dlopen(path, RTLD_NOW | RTLD_NOLOAD);
    if (library == nullptr) {
        return false;
    }
    dlclose(library);
    return true;
}

TEST(VendorD2xxLoad, FindsNothingWhenTheVendorLibraryIsNotInstalled)
{
    if (loadable("libftd2xx.so") || loadable("libftd2xx.so.1")) {
        GTEST_SKIP() << "the vendor's D2XX library is installed on this machine";
    }
    EXPECT_EQ(VendorD2xx::load(), nullptr);
}

TEST(VendorD2xxLoad, FindsNothingAtAPathThatDoesNotExist)
{
    EXPECT_EQ(VendorD2xx::load("/nonexistent/libftd2xx.so"), nullptr);
}

TEST(VendorD2xxLoad, LoadsACompleteLibraryByItsPath)
{
    const auto provider = VendorD2xx::load(FAKE_FTD2XX_PATH);
    ASSERT_NE(provider, nullptr);
    EXPECT_STREQ(provider->providerName(), "ftd2xx");
}

TEST(VendorD2xxLoad, UnloadsTheLibraryWhenDestroyed)
{
    auto provider = VendorD2xx::load(FAKE_FTD2XX_PATH);
    ASSERT_NE(provider, nullptr);
    EXPECT_TRUE(stillLoaded(FAKE_FTD2XX_PATH));
    provider.reset();
    EXPECT_FALSE(stillLoaded(FAKE_FTD2XX_PATH));
}

// A library that lacks any one of the seven calls is refused as a whole.
class VendorD2xxIncomplete : public ::testing::TestWithParam<const char*> {};

TEST_P(VendorD2xxIncomplete, IsRefused)
{
    const std::string path = std::string(FAKE_FTD2XX_WITHOUT_PREFIX) + GetParam() + FAKE_FTD2XX_WITHOUT_SUFFIX;
    void* library = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
    ASSERT_NE(library, nullptr) << dlerror();
    EXPECT_EQ(dlsym(library, GetParam()), nullptr);
    EXPECT_NE(dlsym(library, "fakeFtd2xxReset"), nullptr);
    dlclose(library);

    EXPECT_EQ(VendorD2xx::load(path.c_str()), nullptr);
}

INSTANTIATE_TEST_SUITE_P(EachCall, VendorD2xxIncomplete,
                         ::testing::Values("FT_ListDevices", "FT_Open", "FT_Close", "FT_ResetDevice", "FT_SetTimeouts",
                                           "FT_GetQueueStatus", "FT_Write"),
                         [](const auto& param) { return std::string(param.param); });

// The provider over the stand-in, with the stand-in's state block at hand.
class VendorD2xxForwarding : public ::testing::Test {
protected:
    void SetUp() override
    {
        helper_ = dlopen(FAKE_FTD2XX_PATH, RTLD_NOW | RTLD_LOCAL);
        ASSERT_NE(helper_, nullptr) << dlerror();
        auto reset = reinterpret_cast<FakeFtd2xxResetFn>(dlsym(helper_, FakeFtd2xxResetName));
        ASSERT_NE(reset, nullptr);
        fake = reset();
        provider = VendorD2xx::load(FAKE_FTD2XX_PATH);
        ASSERT_NE(provider, nullptr);
    }

    void TearDown() override
    {
        provider.reset();
        if (helper_ != nullptr) {
            dlclose(helper_);
        }
    }

    FT_HANDLE openDevice()
    {
        FT_HANDLE handle = nullptr;
        EXPECT_EQ(provider->FT_Open(0, &handle), FT_OK);
        return handle;
    }

    FakeFtd2xxState* fake = nullptr;
    std::unique_ptr<VendorD2xx> provider;

private:
    void* helper_ = nullptr;
};

TEST_F(VendorD2xxForwarding, CountsTheDevices)
{
    DWORD count = 99;
    EXPECT_EQ(provider->FT_ListDevices(&count, nullptr, FT_LIST_NUMBER_ONLY), FT_OK);
    EXPECT_EQ(count, 1u);
    EXPECT_EQ(fake->listArg1, &count);
    EXPECT_EQ(fake->listFlags, FT_LIST_NUMBER_ONLY);
}

TEST_F(VendorD2xxForwarding, ReadsSerialAndDescriptionByIndex)
{
    char text[FT_LIST_TEXT_MAX] = "";
    EXPECT_EQ(provider->FT_ListDevices(nullptr, text, FT_LIST_BY_INDEX | FT_OPEN_BY_SERIAL_NUMBER), FT_OK);
    EXPECT_STREQ(text, "FAKE0001");
    EXPECT_EQ(fake->listArg2, text);
    EXPECT_EQ(fake->listFlags, FT_LIST_BY_INDEX | FT_OPEN_BY_SERIAL_NUMBER);

    EXPECT_EQ(provider->FT_ListDevices(nullptr, text, FT_LIST_BY_INDEX | FT_OPEN_BY_DESCRIPTION), FT_OK);
    EXPECT_STREQ(text, "Fake DMX Interface");
    EXPECT_EQ(fake->listFlags, FT_LIST_BY_INDEX | FT_OPEN_BY_DESCRIPTION);

    // Index 1: the stand-in has one device only.
    EXPECT_EQ(provider->FT_ListDevices(reinterpret_cast<void*>(std::uintptr_t{1}), text,
                                       FT_LIST_BY_INDEX | FT_OPEN_BY_SERIAL_NUMBER),
              FT_DEVICE_NOT_FOUND);
    EXPECT_EQ(fake->listArg1, reinterpret_cast<void*>(std::uintptr_t{1}));
}

TEST_F(VendorD2xxForwarding, OpenGivesTheLibrarysHandle)
{
    FT_HANDLE handle = nullptr;
    EXPECT_EQ(provider->FT_Open(0, &handle), FT_OK);
    EXPECT_EQ(fake->openIndex, 0);
    EXPECT_EQ(handle, fake->handle);
    EXPECT_TRUE(fake->open);

    FT_HANDLE other = nullptr;
    EXPECT_EQ(provider->FT_Open(3, &other), FT_DEVICE_NOT_FOUND);
    EXPECT_EQ(fake->openIndex, 3);
    EXPECT_EQ(other, nullptr);
}

TEST_F(VendorD2xxForwarding, SessionReachesTheDeviceWithItsArguments)
{
    FT_HANDLE handle = openDevice();
    ASSERT_NE(handle, nullptr);

    EXPECT_EQ(provider->FT_SetTimeouts(handle, 500, 250), FT_OK);
    EXPECT_EQ(fake->readTimeout, 500u);
    EXPECT_EQ(fake->writeTimeout, 250u);

    EXPECT_EQ(provider->FT_ResetDevice(handle), FT_OK);
    EXPECT_EQ(fake->resets, 1);

    fake->queuedBytes = 7;
    DWORD queued = 0;
    EXPECT_EQ(provider->FT_GetQueueStatus(handle, &queued), FT_OK);
    EXPECT_EQ(queued, 7u);

    std::uint8_t frame[] = {0xFF, 0xF0, 0x00, 0x7F, 0xFF, 0xF7, 0x80, 0xFF, 0xF1, 0xFF, 0xFF};
    DWORD written = 0;
    EXPECT_EQ(provider->FT_Write(handle, frame, sizeof frame, &written), FT_OK);
    EXPECT_EQ(written, sizeof frame);
    ASSERT_EQ(fake->writtenCount, sizeof frame);
    EXPECT_EQ(std::memcmp(fake->written, frame, sizeof frame), 0);

    EXPECT_EQ(provider->FT_Close(handle), FT_OK);
    EXPECT_FALSE(fake->open);
}

TEST_F(VendorD2xxForwarding, ShortWriteCountComesBackUnchanged)
{
    FT_HANDLE handle = openDevice();
    fake->writeLimit = 4;
    std::uint8_t frame[] = {0xFF, 0xF0, 0x01, 0x02, 0x03, 0xFF, 0xF1, 0xFF, 0xFF};
    DWORD written = 99;
    EXPECT_EQ(provider->FT_Write(handle, frame, sizeof frame, &written), FT_OK);
    EXPECT_EQ(written, 4u);
}

TEST_F(VendorD2xxForwarding, UnknownHandleIsTheLibrarysToRefuse)
{
    int notAHandle = 0;
    EXPECT_EQ(provider->FT_ResetDevice(&notAHandle), FT_INVALID_HANDLE);
    EXPECT_EQ(fake->lastHandle, &notAHandle);
}

// Each call reaches the library function of its own name, and whatever status
// the library returns, even one this program has no name for, comes back as is.
struct ForwardedCall {
    const char* name;
    std::function<FT_STATUS(D2xxProvider&, FT_HANDLE)> call;
};

void PrintTo(const ForwardedCall& call, std::ostream* out)
{
    *out << call.name;
}

class VendorD2xxStatus : public VendorD2xxForwarding, public ::testing::WithParamInterface<ForwardedCall> {};

TEST_P(VendorD2xxStatus, PassesThroughUnchanged)
{
    FT_HANDLE handle = openDevice();
    for (const FT_STATUS status : {FT_IO_ERROR, FT_INSUFFICIENT_RESOURCES, FT_STATUS{18}}) {
        fake->failNextWith = status;
        std::strcpy(fake->lastCall, "");
        EXPECT_EQ(GetParam().call(*provider, handle), status);
        EXPECT_STREQ(fake->lastCall, GetParam().name);
    }
}

const ForwardedCall forwardedCalls[] = {
    {"FT_ListDevices",
     [](D2xxProvider& p, FT_HANDLE) {
         DWORD count = 0;
         return p.FT_ListDevices(&count, nullptr, FT_LIST_NUMBER_ONLY);
     }},
    {"FT_Open",
     [](D2xxProvider& p, FT_HANDLE) {
         FT_HANDLE other = nullptr;
         return p.FT_Open(0, &other);
     }},
    {"FT_Close", [](D2xxProvider& p, FT_HANDLE h) { return p.FT_Close(h); }},
    {"FT_ResetDevice", [](D2xxProvider& p, FT_HANDLE h) { return p.FT_ResetDevice(h); }},
    {"FT_SetTimeouts", [](D2xxProvider& p, FT_HANDLE h) { return p.FT_SetTimeouts(h, 500, 500); }},
    {"FT_GetQueueStatus",
     [](D2xxProvider& p, FT_HANDLE h) {
         DWORD queued = 0;
         return p.FT_GetQueueStatus(h, &queued);
     }},
    {"FT_Write",
     [](D2xxProvider& p, FT_HANDLE h) {
         std::uint8_t frame[] = {0xFF, 0xF0, 0xFF, 0xF1, 0xFF, 0xFF};
         DWORD written = 0;
         return p.FT_Write(h, frame, sizeof frame, &written);
     }},
};

INSTANTIATE_TEST_SUITE_P(EachCall, VendorD2xxStatus, ::testing::ValuesIn(forwardedCalls),
                         [](const auto& param) { return std::string(param.param.name); });

}  // namespace
}  // namespace velantra
