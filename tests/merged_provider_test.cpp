// Several providers listed as one driver: which device is device 0, and that
// every call reaches the provider that owns the device.
#include "link/merged_provider.h"
#include "tests/testing/fake_d2xx.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <memory>
#include <string>

namespace velantra {
namespace {

class MergedProviderTest : public ::testing::Test {
protected:
    MergedProviderTest()
    {
        auto a = std::make_unique<FakeD2xx>("serial");
        auto b = std::make_unique<FakeD2xx>("libftdi1");
        first = a.get();
        second = b.get();
        std::vector<std::unique_ptr<D2xxProvider>> parts;
        parts.push_back(std::move(a));
        parts.push_back(std::move(b));
        merged = std::make_unique<MergedProvider>(std::move(parts));
    }

    DWORD count()
    {
        DWORD n = 999;
        EXPECT_EQ(merged->FT_ListDevices(&n, nullptr, FT_LIST_NUMBER_ONLY), FT_OK);
        return n;
    }
    std::string text(int index, DWORD what, FT_STATUS expected = FT_OK)
    {
        std::array<char, FT_LIST_TEXT_MAX> buffer{};
        EXPECT_EQ(merged->FT_ListDevices(reinterpret_cast<void*>(static_cast<std::uintptr_t>(index)), buffer.data(),
                                         FT_LIST_BY_INDEX | what),
                  expected);
        return buffer.data();
    }

    FakeD2xx* first = nullptr;
    FakeD2xx* second = nullptr;
    std::unique_ptr<MergedProvider> merged;
};

TEST_F(MergedProviderTest, DevicesOfTheFirstProviderComeFirst)
{
    second->attach("B-0", "second zero");
    first->attach("A-0", "first zero");
    second->attach("B-1", "second one");
    EXPECT_EQ(count(), 3u);
    EXPECT_EQ(text(0, FT_OPEN_BY_SERIAL_NUMBER), "A-0");
    EXPECT_EQ(text(1, FT_OPEN_BY_DESCRIPTION), "second zero");
    EXPECT_EQ(text(2, FT_OPEN_BY_SERIAL_NUMBER), "B-1");
    text(3, FT_OPEN_BY_SERIAL_NUMBER, FT_DEVICE_NOT_FOUND);
    EXPECT_EQ(std::string(merged->providerName()), "serial+libftdi1");
}

TEST_F(MergedProviderTest, DeviceZeroIsTheSecondProvidersWhenTheFirstHasNone)
{
    second->attach("B-0", "only");
    FT_HANDLE handle = nullptr;
    ASSERT_EQ(merged->FT_Open(0, &handle), FT_OK);
    EXPECT_STREQ(merged->providerOf(handle), "libftdi1");
    std::array<std::uint8_t, 3> bytes = {1, 2, 3};
    DWORD written = 0;
    EXPECT_EQ(merged->FT_Write(handle, bytes.data(), 3, &written), FT_OK);
    EXPECT_EQ(written, 3u);
    EXPECT_EQ(second->writeCount(), 1u);
    EXPECT_EQ(first->writeCount(), 0u);
    EXPECT_EQ(merged->FT_SetTimeouts(handle, 500, 500), FT_OK);
    EXPECT_EQ(second->writeTimeout(), 500u);
    DWORD queued = 7;
    EXPECT_EQ(merged->FT_GetQueueStatus(handle, &queued), FT_OK);
    EXPECT_EQ(merged->FT_ResetDevice(handle), FT_OK);
    EXPECT_EQ(merged->FT_Close(handle), FT_OK);
    EXPECT_EQ(second->openHandles(), 0);
}

TEST_F(MergedProviderTest, OpenFindsADevicePluggedInSinceTheLastListing)
{
    EXPECT_EQ(count(), 0u);
    first->attach();
    FT_HANDLE handle = nullptr;
    EXPECT_EQ(merged->FT_Open(0, &handle), FT_OK);
    EXPECT_STREQ(merged->providerOf(handle), "serial");
}

TEST_F(MergedProviderTest, UnknownOrClosedHandlesAreRefused)
{
    first->attach();
    FT_HANDLE handle = nullptr;
    ASSERT_EQ(merged->FT_Open(0, &handle), FT_OK);
    ASSERT_EQ(merged->FT_Close(handle), FT_OK);
    std::uint8_t byte = 0;
    DWORD written = 5;
    EXPECT_EQ(merged->FT_Write(handle, &byte, 1, &written), FT_INVALID_HANDLE);
    EXPECT_EQ(written, 0u);
    EXPECT_EQ(merged->FT_Close(handle), FT_INVALID_HANDLE);
    EXPECT_EQ(merged->FT_ResetDevice(nullptr), FT_INVALID_HANDLE);
    DWORD queued = 0;
    EXPECT_EQ(merged->FT_GetQueueStatus(&byte, &queued), FT_INVALID_HANDLE);
    EXPECT_EQ(merged->FT_Open(-1, &handle), FT_DEVICE_NOT_FOUND);
    EXPECT_EQ(merged->FT_Open(1, &handle), FT_DEVICE_NOT_FOUND);
}

TEST_F(MergedProviderTest, APartThatCannotListContributesNoDevice)
{
    first->attach();
    second->attach("B-0", "second");
    first->failCall(FakeCall::ListCount, FT_IO_ERROR);
    EXPECT_EQ(count(), 1u);
    EXPECT_EQ(text(0, FT_OPEN_BY_SERIAL_NUMBER), "B-0");

    second->failCall(FakeCall::ListCount, FT_INSUFFICIENT_RESOURCES);
    DWORD n = 42;
    EXPECT_EQ(merged->FT_ListDevices(&n, nullptr, FT_LIST_NUMBER_ONLY), FT_IO_ERROR);
    EXPECT_EQ(n, 42u) << "a failed count leaves the caller's number alone";
}

TEST_F(MergedProviderTest, OpenFailuresPassThroughAndLeaveNothingOpen)
{
    first->attach();
    first->failCall(FakeCall::Open, FT_DEVICE_NOT_OPENED);
    FT_HANDLE handle = nullptr;
    EXPECT_EQ(merged->FT_Open(0, &handle), FT_DEVICE_NOT_OPENED);
    EXPECT_EQ(handle, nullptr);
}

// Lends a device that outlives the merged provider, to see what it closes.
class Borrowed : public D2xxProvider {
public:
    explicit Borrowed(FakeD2xx& device)
        : d_(device)
    {}
    FT_STATUS FT_ListDevices(void* a, void* b, DWORD f) override { return d_.FT_ListDevices(a, b, f); }
    FT_STATUS FT_Open(int i, FT_HANDLE* h) override { return d_.FT_Open(i, h); }
    FT_STATUS FT_Close(FT_HANDLE h) override { return d_.FT_Close(h); }
    FT_STATUS FT_ResetDevice(FT_HANDLE h) override { return d_.FT_ResetDevice(h); }
    FT_STATUS FT_SetTimeouts(FT_HANDLE h, ULONG r, ULONG w) override { return d_.FT_SetTimeouts(h, r, w); }
    FT_STATUS FT_GetQueueStatus(FT_HANDLE h, DWORD* q) override { return d_.FT_GetQueueStatus(h, q); }
    FT_STATUS FT_Write(FT_HANDLE h, void* b, DWORD n, DWORD* w) override { return d_.FT_Write(h, b, n, w); }
    const char* providerName() const override { return "borrowed"; }

private:
    FakeD2xx& d_;
};

TEST(MergedProviderLifetime, DestructionClosesWhatIsStillOpen)
{
    FakeD2xx device;
    device.attach();
    {
        std::vector<std::unique_ptr<D2xxProvider>> parts;
        parts.push_back(std::make_unique<Borrowed>(device));
        MergedProvider merged(std::move(parts));
        FT_HANDLE handle = nullptr;
        ASSERT_EQ(merged.FT_Open(0, &handle), FT_OK);
        EXPECT_EQ(device.openHandles(), 1);
    }
    EXPECT_EQ(device.openHandles(), 0);
}

}  // namespace
}  // namespace velantra
