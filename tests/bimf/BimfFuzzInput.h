#pragma once
// One fuzz input run through the library: the bytes are split into a data
// file and an index (the first four bytes, little-endian, give the data
// file's length), then opened, read whole, looked up, checked and rebuilt.
// Shared by the libFuzzer target and the test that replays the fixtures.
// Plain C++ (no Qt), so the fuzz script can build it with clang alone. A
// broken promise of the library (a frame of a rebuilt index that cannot be
// read) aborts, which the fuzzer reports as a crash.

#include <cstddef>
#include <cstdint>
#include <string>

struct BimfFuzzOutcome
{
    bool opened = false;        // the pair as given was accepted
    int framesRead = 0;
    int64_t rebuiltFrames = -1; // frames the rebuilt index holds, -1 refused
};

BimfFuzzOutcome RunBimfFuzzInput(const uint8_t* bytes, size_t size, const std::string& folder);

// The input that frames a data file and an index for RunBimfFuzzInput.
std::string FrameBimfFuzzInput(const std::string& data, const std::string& index);
