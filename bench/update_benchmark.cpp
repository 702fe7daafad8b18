// A full 255-block update against the emulated unit in real time, measured against the waits alone.
// Reports wall time, CPU time and peak memory. Not a test: run it by hand (see the README).
#include "app/updater.h"
#include "clock/wait.h"
#include "emulator/emulated_unit.h"

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fcntl.h>
#include <fstream>
#include <sys/resource.h>
#include <unistd.h>
#include <vector>

namespace {

constexpr int kBlocks = 255;

double Seconds(std::chrono::steady_clock::duration d)
{
    return std::chrono::duration<double>(d).count();
}

double CpuSeconds()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_utime.tv_sec + usage.ru_stime.tv_sec + (usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

long ResidentKiB()
{
    long pages = 0, resident = 0;
    std::FILE* statm = std::fopen("/proc/self/statm", "r");
    if (statm != nullptr) {
        if (std::fscanf(statm, "%ld %ld", &pages, &resident) != 2)
            resident = 0;
        std::fclose(statm);
    }
    return resident * (sysconf(_SC_PAGESIZE) / 1024);
}

long PeakKiB()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}

// The same waits, in the same order, with nothing else to do.
double WaitsAlone()
{
    auto start = std::chrono::steady_clock::now();
    WaitMs(5);  // EnterBootloader's
    WaitMs(1000);
    for (int block = 0; block < kBlocks; ++block) {
        WaitMs(50);
        for (int write = 0; write < 33; ++write)
            WaitMs(5);
    }
    WaitMs(5);  // ExitBootloader's
    return Seconds(std::chrono::steady_clock::now() - start);
}

}  // namespace

int main()
{
    namespace fs = std::filesystem;
    const fs::path folder = fs::temp_directory_path() / ("vornic-benchmark-" + std::to_string(getpid()));
    fs::create_directories(folder);
    fs::current_path(folder);
    std::vector<char> image(kBlocks * 512, 0x5A);
    image[0] = 5;
    std::ofstream(folder / "DATA.bin", std::ios::binary).write(image.data(), static_cast<std::streamsize>(image.size()));

    const size_t imageBytes = image.size();
    std::vector<char>().swap(image);  // only the tool's own copy counts below
    std::printf("Full update of %d blocks (%zu bytes) against the emulated unit, real time\n", kBlocks, imageBytes);
    std::printf("waits in the run: 1000 + %d x 215 + 2 x 5 = %d ms\n", kBlocks, 1000 + kBlocks * 215 + 10);
    std::fflush(stdout);

    const double alone = WaitsAlone();

    EmulatedUnitConfig unit;
    unit.recordTraffic = false;  // the emulator's logs are not the tool's memory
    EmulatedUnitReset(unit);
    const long residentBefore = ResidentKiB();
    // The tool's own console output and its pause are not part of what is measured.
    const int savedOut = dup(1);
    const int quiet = open("/dev/null", O_RDWR);
    dup2(quiet, 0);
    dup2(quiet, 1);
    const double cpuBefore = CpuSeconds();
    const auto start = std::chrono::steady_clock::now();
    const int status = RunUpdater();
    const double wall = Seconds(std::chrono::steady_clock::now() - start);
    const double cpu = CpuSeconds() - cpuBefore;
    std::fflush(stdout);
    dup2(savedOut, 1);

    const long peakGrowth = PeakKiB() - residentBefore;
    std::printf("exit status:           %d\n", status);
    std::printf("waits alone:           %.3f s\n", alone);
    std::printf("whole run, wall time:  %.3f s (%+.2f%% over the waits alone)\n", wall, (wall / alone - 1) * 100);
    std::printf("whole run, CPU time:   %.3f s (%.2f%% of wall time)\n", cpu, cpu / wall * 100);
    std::printf("peak memory growth:    %ld KiB during the run (the image is %zu KiB)\n", peakGrowth,
                imageBytes / 1024);
    fs::current_path(fs::temp_directory_path());
    fs::remove_all(folder);
    return status == 0 ? 0 : 1;
}
