// Fault soak: thousands of whole runs against the emulated unit on the virtual clock, each with a
// random fault and a random image size. After every run it checks what a user must be able to
// trust: success is reported only for a board that holds the whole image, every other ending is -1
// with a reason on standard error, the bridge is closed, and no run waits longer than its pauses
// plus one response time-out per read.
//
// VORNIC_SOAK_RUNS (default 3000) and VORNIC_SOAK_SEED (default: from the clock) steer it; a
// failing run prints the seed that repeats it.
#include "clock/wait.h"
#include "tests/test_support.h"
#include "update/firmware_image.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <random>
#include <string>

#include "app/updater.h"

namespace {

enum class Fault {
    None, NoBridge, NoSerialFirst, OpenRefused, ConfigRefused, BoardAbsent, Bootloader, LatchUnreadable,
    SplitReads, NoReadResponse, ExtraReadBytes, MalformedRead, StrayReports, EmptyReadResponses, PulledCable,
    RefusedCommand, ImageVanishes, Count
};

const char* Name(Fault fault)
{
    static const char* const names[] = {
        "none", "no bridge", "first bridge without serial", "open refused", "config refused", "board absent",
        "board in bootloader", "latch unreadable", "split reads", "read response missing", "extra read bytes",
        "malformed read response", "stray IN reports", "empty read responses", "cable pulled", "command refused", "image vanishes"};
    return names[static_cast<int>(fault)];
}

// Faults after which a run with a good image must still succeed.
bool Harmless(Fault fault)
{
    return fault == Fault::None || fault == Fault::NoSerialFirst || fault == Fault::Bootloader ||
           fault == Fault::SplitReads || fault == Fault::StrayReports;
}

struct Plan {
    Fault fault = Fault::None;
    size_t imageSize = 0;
    bool variant2 = false;
    bool variantFilePresent = true;
    EmulatedUnitConfig config;
};

size_t RandomImageSize(std::mt19937_64& rng)
{
    static const size_t edges[] = {0, 1, 511, 512, 513, kMaxImageSize - 1, kMaxImageSize, kMaxImageSize + 1,
                                   256 * 512 + 1};
    if (rng() % 4 == 0)
        return edges[rng() % (sizeof edges / sizeof edges[0])];
    return static_cast<size_t>(rng() % (256 * 512 + 2));
}

Plan MakePlan(std::mt19937_64& rng)
{
    Plan plan;
    plan.fault = static_cast<Fault>(rng() % static_cast<int>(Fault::Count));
    plan.imageSize = RandomImageSize(rng);
    plan.variant2 = rng() % 2 == 0;
    plan.variantFilePresent = rng() % 16 != 0;
    EmulatedUnitConfig& c = plan.config;
    c.latch = plan.variant2 ? 0x8F : static_cast<uint8_t>(rng() % 0x8F);
    c.versionMajor = static_cast<uint8_t>(rng());
    c.versionMinor = static_cast<uint8_t>(rng());
    const size_t writes = 2 + BlockCount(plan.imageSize) * 33;
    switch (plan.fault) {
    case Fault::NoBridge: c.bridges = 0; break;
    case Fault::NoSerialFirst: c.firstBridgeWithoutSerial = true; break;
    case Fault::OpenRefused: c.openRefused = true; break;
    case Fault::ConfigRefused: c.configRefused = true; break;
    case Fault::BoardAbsent: c.mode = BoardMode::Absent; break;
    case Fault::Bootloader: c.mode = BoardMode::Bootloader; break;
    case Fault::LatchUnreadable: c.latchUnreadable = true; break;
    case Fault::SplitReads: c.readPieceSize = 1; break;
    case Fault::NoReadResponse: c.readResponsesNeverCome = true; break;
    case Fault::ExtraReadBytes: c.readBytesDelta = 1 + static_cast<int>(rng() % 100); break;
    case Fault::MalformedRead: c.malformedReadCount = true; break;
    case Fault::StrayReports: c.strayInReports = true; break;
    case Fault::EmptyReadResponses: c.emptyReadResponses = static_cast<int>(rng() % 40); break;
    case Fault::PulledCable: c.pullCableAtWrite = 1 + static_cast<int>(rng() % writes); break;
    case Fault::RefusedCommand: {
        static const int commands[] = {0x0F, 0x01, 0x41, 0x02};
        c.refuseCommand = commands[rng() % 4];
        break;
    }
    default: break;
    }
    return plan;
}

struct Tally {
    int runs = 0;
    int succeeded = 0;
    int failed = 0;
};

}  // namespace

int main()
{
    const char* runsText = std::getenv("VORNIC_SOAK_RUNS");
    const char* seedText = std::getenv("VORNIC_SOAK_SEED");
    const int runs = runsText != nullptr ? std::atoi(runsText) : 3000;
    const uint64_t seed = seedText != nullptr ? std::strtoull(seedText, nullptr, 0)
                                              : static_cast<uint64_t>(std::chrono::system_clock::now().time_since_epoch().count());
    std::map<Fault, Tally> byFault;
    int violations = 0;
    ScratchFolder folder;

    for (int run = 0; run < runs; ++run) {
        std::mt19937_64 rng(seed + static_cast<uint64_t>(run));
        const Plan plan = MakePlan(rng);
        const std::vector<uint8_t> image = MakeImage(plan.imageSize, static_cast<uint8_t>(rng()));
        const char* file = plan.variant2 ? "DATA1.bin" : "DATA.bin";
        folder.Remove("DATA.bin");
        folder.Remove("DATA1.bin");
        if (plan.variantFilePresent)
            folder.Write(file, image);

        StartFreshUnit(plan.config);
        if (plan.fault == Fault::ImageVanishes) {
            EmulatedUnitOnBusWrite([&](const BusEvent& e) {
                if (e.address == 0x78)
                    folder.Remove(file);
            });
        }
        const ToolRun result = Capture(RunUpdater);

        std::string problem;
        const bool successLines = result.out.find("Updated succesfully to FW version") != std::string::npos;
        const bool imageFits = plan.imageSize > 0 && plan.imageSize <= kMaxImageSize;
        const size_t blocks = imageFits ? BlockCount(plan.imageSize) : 0;
        const uint64_t timeBound = 2 * 1000 + 10 + (imageFits ? 1000 + blocks * 215 : 0);
        if (result.status == 0) {
            if (!successLines || !result.err.empty())
                problem = "exit 0 without the success lines, or with an error line";
            else if (!plan.variantFilePresent || !imageFits || FlashOverImage(plan.imageSize) != PaddedToBlocks(image))
                problem = "exit 0 but the flash does not hold the image";
        } else if (result.status != -1) {
            problem = "exit status neither 0 nor -1";
        } else if (successLines) {
            problem = "success lines on a failed run";
        } else if (result.err.empty() || result.err.back() != '\n') {
            problem = "failed run without a whole line on standard error";
        }
        if (problem.empty() && Harmless(plan.fault) && plan.variantFilePresent && imageFits && result.status != 0)
            problem = "a run that should have succeeded failed";
        // A run past the device check must have reported the board as it is.
        const bool pastCheck = result.out.find("Already in bootloader") != std::string::npos ||
                               result.out.find("Current FW version") != std::string::npos;
        const std::string boardLine = plan.fault == Fault::Bootloader
                                          ? std::string("Already in bootloader\r\n")
                                          : "Current FW version " + std::to_string(plan.config.versionMajor) + "." +
                                                std::to_string(plan.config.versionMinor) + "\n";
        if (problem.empty() && pastCheck && result.out.find(boardLine) == std::string::npos)
            problem = "the board's state was misreported";
        if (problem.empty() && EmulatedBridgeIsOpen())
            problem = "the bridge was left open";
        if (problem.empty() && NowMs() > timeBound)
            problem = "waited " + std::to_string(NowMs()) + " ms, more than " + std::to_string(timeBound);
        if (!problem.empty()) {
            ++violations;
            std::printf("VIOLATION (VORNIC_SOAK_SEED=%llu, run %d: fault '%s', image %zu bytes): %s\n"
                        "  stdout: %s\n  stderr: %s\n",
                        static_cast<unsigned long long>(seed + static_cast<uint64_t>(run)) , run,
                        Name(plan.fault), plan.imageSize, problem.c_str(), result.out.c_str(), result.err.c_str());
        }
        Tally& tally = byFault[plan.fault];
        ++tally.runs;
        ++(result.status == 0 ? tally.succeeded : tally.failed);
    }

    std::printf("soak: %d runs from seed %llu (a run with seed S is repeated by VORNIC_SOAK_SEED=S VORNIC_SOAK_RUNS=1)\n",
                runs, static_cast<unsigned long long>(seed));
    int succeeded = 0;
    for (const auto& [fault, tally] : byFault) {
        std::printf("  %-28s %5d runs, %5d ended 0, %5d ended -1\n", Name(fault), tally.runs, tally.succeeded,
                    tally.failed);
        succeeded += tally.succeeded;
    }
    std::printf("soak outcomes: %d ended 0, %d ended -1, %d invariant violations\n", succeeded, runs - succeeded,
                violations);
    return violations == 0 ? 0 : 1;
}
