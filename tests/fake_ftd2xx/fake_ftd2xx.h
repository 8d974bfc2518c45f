// What the stand-in D2XX library shares with the test that loads it: its one
// state block, read and set through fakeFtd2xxState().
#pragma once

#include <cstdint>

struct FakeFtd2xxState {
    // Set by the test.
    std::uint32_t failNextWith;  // not 0: the next call returns this status and does nothing else
    std::uint32_t queuedBytes;   // what FT_GetQueueStatus reports
    std::uint32_t writeLimit;    // FT_Write takes at most this many bytes

    // Recorded by the calls.
    void* handle;  // the handle FT_Open gives out
    bool open;
    char lastCall[32];
    void* lastHandle;
    void* listArg1;
    void* listArg2;
    std::uint32_t listFlags;
    int openIndex;
    std::uint32_t readTimeout;
    std::uint32_t writeTimeout;
    int resets;
    std::uint32_t writtenCount;
    unsigned char written[2048];
};

extern "C" {
// Back to one closed device with nothing recorded; returns the state block.
using FakeFtd2xxResetFn = FakeFtd2xxState* (*)();
}

// The exported name of the function above.
inline constexpr const char* FakeFtd2xxResetName = "fakeFtd2xxReset";
