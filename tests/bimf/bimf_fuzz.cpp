// libFuzzer target of the big-file library (built by scripts/fuzz-bimf.sh).

#include "BimfFuzzInput.h"

#include <cstdlib>
#include <string>
#include <unistd.h>

namespace {

const std::string& scratchFolder()
{
    static const std::string folder = [] {
        // The script hands over a folder it removes afterwards.
        if (const char* given = std::getenv("BIMF_FUZZ_SCRATCH"))
            return std::string(given);
        // Memory-backed when there is such a folder: the rebuild flushes its files.
        const char* base = ::access("/dev/shm", W_OK) == 0 ? "/dev/shm" : "/tmp";
        std::string pattern = std::string(base) + "/bimf-fuzz-XXXXXX";
        const char* made = ::mkdtemp(pattern.data());
        if (!made)
            std::abort();
        return std::string(made);
    }();
    return folder;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    RunBimfFuzzInput(data, size, scratchFolder());
    return 0;
}
