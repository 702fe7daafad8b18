// Runs the whole tool against a unit whose every answer comes from the fuzz input. The first two
// bytes choose the image file's size (so that runs stay short), the rest plays the bridge.
#include "app/updater.h"
#include "clock/virtual_clock.h"
#include "fuzz/fuzz_input.h"

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <vector>

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    namespace fs = std::filesystem;
    const fs::path folder = fs::temp_directory_path() / "vornic-whole-tool-fuzzer";
    fs::create_directories(folder);
    fs::current_path(folder);
#ifdef _WIN32
    std::freopen("NUL", "r", stdin);
#else
    std::freopen("/dev/null", "r", stdin);
#endif
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size < 2)
        return 0;
    const size_t imageSize = (data[0] | (data[1] << 8)) % 1601;  // 0 to a little over 3 blocks
    std::vector<char> image(imageSize, 0x3C);
    for (const char* name : {"DATA.bin", "DATA1.bin"})
        std::ofstream(name, std::ios::binary | std::ios::trunc).write(image.data(), static_cast<std::streamsize>(image.size()));

    VirtualClockReset();
    FuzzInputStart(data + 2, size - 2);
    const int status = RunUpdater();
    if (status != 0 && status != -1)
        __builtin_trap();
    std::clearerr(stdin);
    return 0;
}
