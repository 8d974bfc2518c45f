// The driver a user gets on a machine without the vendor's library.
#include "link/system_provider.h"
#include "link/vendor_d2xx.h"

#include <gtest/gtest.h>

#include <string>

namespace velantra {
namespace {

TEST(SystemProvider, WithoutTheVendorLibraryTheKernelPortsComeBeforeLibftdi)
{
    if (VendorD2xx::load()) {
        GTEST_SKIP() << "the vendor's library is installed here";
    }
    const auto provider = makeSystemProvider();
    ASSERT_NE(provider, nullptr);
    EXPECT_EQ(std::string(provider->providerName()), "ftdi_sio+libftdi1");
    DWORD count = 99;
    EXPECT_EQ(provider->FT_ListDevices(&count, nullptr, FT_LIST_NUMBER_ONLY), FT_OK);
    FT_HANDLE handle = nullptr;
    if (count == 0) {
        EXPECT_EQ(provider->FT_Open(0, &handle), FT_DEVICE_NOT_FOUND);
    }
}

}  // namespace
}  // namespace velantra
