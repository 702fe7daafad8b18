// Start-up and device check, end to end: every way the first half of a run can go.
#include "tests/test_support.h"

#include <gtest/gtest.h>

namespace {

const char* const kOpenError =
    "ERROR: Could not open device. Make sure unit is powered on and USB cable is connected\r\n";
const char* const kNoImage = "INFO: VORNIC VER1 UPDATER\n";  // what follows a good check here: no image file
const char* const kNoImageError = "ERROR: Update file not found.\n";

struct CheckCase {
    const char* name;
    std::function<void(EmulatedUnitConfig&)> setUp;
    std::string out;
    std::string err;
};

TEST(DeviceCheck, EveryOutcomeHasItsExactLinesPauseAndStatus)
{
    ScratchFolder folder;  // holds no image, so a run that passes the check ends at the image step
    const std::string banner = kBanner;
    const std::string prompt = kPrompt;
    const std::vector<CheckCase> cases = {
        {"no bridge", [](EmulatedUnitConfig& c) { c.bridges = 0; }, banner + prompt, kOpenError},
        {"open refused", [](EmulatedUnitConfig& c) { c.openRefused = true; }, banner + prompt, kOpenError},
        {"configuration refused", [](EmulatedUnitConfig& c) { c.configRefused = true; }, banner + prompt,
         "ERROR: Could not configure device.\r\n"},
        {"board absent", [](EmulatedUnitConfig& c) { c.mode = BoardMode::Absent; }, banner + prompt,
         "Cannot connect to the VORNIC. Make sure to connect power cable and USB cable\n"},
        {"version 1.4", [](EmulatedUnitConfig&) {}, banner + "Current FW version 1.4\n" + kNoImage + prompt,
         kNoImageError},
        {"version 1.5", [](EmulatedUnitConfig& c) { c.versionMinor = 5; },
         banner + "Current FW version 1.5\n" + kNoImage + prompt, kNoImageError},
        {"version 200.255", [](EmulatedUnitConfig& c) { c.versionMajor = 200; c.versionMinor = 255; },
         banner + "Current FW version 200.255\n" + kNoImage + prompt, kNoImageError},
        {"in its bootloader", [](EmulatedUnitConfig& c) { c.mode = BoardMode::Bootloader; },
         banner + "Already in bootloader\r\n" + kNoImage + prompt, kNoImageError},
        {"first bridge without serial number", [](EmulatedUnitConfig& c) { c.firstBridgeWithoutSerial = true; },
         banner + "Current FW version 1.4\n" + kNoImage + prompt, kNoImageError},
        {"reads split in one-byte pieces", [](EmulatedUnitConfig& c) { c.readPieceSize = 1; },
         banner + "Current FW version 1.4\n" + kNoImage + prompt, kNoImageError},
        {"unknown and stale reports in between", [](EmulatedUnitConfig& c) { c.strayInReports = true; },
         banner + "Current FW version 1.4\n" + kNoImage + prompt, kNoImageError},
        {"read responses never come", [](EmulatedUnitConfig& c) { c.readResponsesNeverCome = true; },
         banner + prompt, "Cannot connect to the VORNIC. Make sure to connect power cable and USB cable\n"},
        {"malformed read responses", [](EmulatedUnitConfig& c) { c.malformedReadCount = true; }, banner + prompt,
         "Cannot connect to the VORNIC. Make sure to connect power cable and USB cable\n"},
    };
    for (const CheckCase& c : cases) {
        SCOPED_TRACE(c.name);
        EmulatedUnitConfig config;
        c.setUp(config);
        const ToolRun run = RunTool(config);
        EXPECT_EQ(run.out, c.out);
        EXPECT_EQ(run.err, c.err);
        EXPECT_EQ(run.status, -1);
        EXPECT_FALSE(EmulatedBridgeIsOpen());
        for (const BusEvent& event : EmulatedBoard().bus)
            EXPECT_FALSE(event.isWrite) << "nothing may be written to a board the run did not update";
    }
}

TEST(DeviceCheck, AVersionAnswerOfTheWrongLengthCountsAsNoAnswerAndTheBootloaderIsProbed)
{
    ScratchFolder folder;
    EmulatedUnitConfig threeBytes;
    threeBytes.readBytesDelta = 1;
    const ToolRun run = RunTool(threeBytes);
    EXPECT_EQ(run.err, "Cannot connect to the VORNIC. Make sure to connect power cable and USB cable\n");
    const std::vector<BusEvent>& bus = EmulatedBoard().bus;
    ASSERT_EQ(bus.size(), 2u);
    EXPECT_EQ(bus[0].address, 0x78);
    EXPECT_EQ(bus[0].bytes, std::vector<uint8_t>{0x04});
    EXPECT_EQ(bus[1].address, 0x50);
    EXPECT_EQ(bus[1].bytes, std::vector<uint8_t>{0x8A});
}

}  // namespace
