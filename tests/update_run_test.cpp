// Whole update runs against the emulated unit: the successful road, the pacing the board sees,
// the progress line, and every way the second half of a run can fail.
#include "app/updater.h"
#include "clock/virtual_clock.h"
#include "tests/test_support.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>

namespace {

const std::string kWarning = "Do not unplug USB cable or power cable during update!\n";
const std::string kReboot = "Remove the USB cable and then unplug/replug power cable to reboot the system\n\n";

std::string ProgressLines(const std::vector<unsigned>& figures)
{
    std::string lines;
    char line[32];
    for (unsigned figure : figures) {
        std::snprintf(line, sizeof line, "Progress: %02u %%\r", figure);
        lines += line;
    }
    return lines;
}

// What standard output shows between the warning line and the success line.
std::string ProgressPart(const std::string& out)
{
    const size_t start = out.find(kWarning);
    const size_t end = out.find("Updated succesfully");
    if (start == std::string::npos || end == std::string::npos)
        return "<no progress part>";
    return out.substr(start + kWarning.size(), end - start - kWarning.size());
}

std::vector<unsigned> FiguresFromLines(const std::string& lines)
{
    std::vector<unsigned> figures;
    unsigned figure = 0;
    for (size_t at = 0; (at = lines.find("Progress: ", at)) != std::string::npos; at += 10) {
        std::sscanf(lines.c_str() + at, "Progress: %u", &figure);
        figures.push_back(figure);
    }
    return figures;
}

TEST(UpdateRun, TheSuccessfulRoadForBothVariants)
{
    struct Case {
        uint8_t latch;
        const char* file;
        const char* infoLine;
    };
    for (const Case& c : {Case{0x8F, "DATA1.bin", "INFO: VORNIC VER2 UPDATER\n"},
                          Case{0x8E, "DATA.bin", "INFO: VORNIC VER1 UPDATER\n"}}) {
        SCOPED_TRACE(c.file);
        ScratchFolder folder;
        const std::vector<uint8_t> image = MakeImage(1024 + 100, 5);
        folder.Write(c.file, image);
        EmulatedUnitConfig config;
        config.latch = c.latch;
        const ToolRun run = RunTool(config);
        EXPECT_EQ(run.out, std::string(kBanner) + "Current FW version 1.4\n" + c.infoLine +
                               "Updating to FW version 1.5\n" + kWarning + ProgressLines({0, 33, 67}) +
                               "Updated succesfully to FW version 1.5\n\n" + kReboot + kPrompt);
        EXPECT_EQ(run.err, "");
        EXPECT_EQ(run.status, 0);
        EXPECT_EQ(FlashOverImage(image.size()), PaddedToBlocks(image));
        EXPECT_EQ(EmulatedBoard().exitBootloaderCount, 1);
        EXPECT_FALSE(EmulatedBridgeIsOpen());
    }
}

TEST(UpdateRun, LatchValuesOtherThan0x8FChooseVariant1)
{
    ScratchFolder folder;
    folder.Write("DATA.bin", MakeImage(10, 7));
    for (uint8_t latch : {0x8E, 0x0F, 0xFF, 0x00}) {
        EmulatedUnitConfig config;
        config.latch = latch;
        const ToolRun run = RunTool(config);
        EXPECT_NE(run.out.find("INFO: VORNIC VER1 UPDATER\n"), std::string::npos) << int(latch);
        EXPECT_EQ(run.status, 0);
    }
}

TEST(UpdateRun, VersionByteIsShownUnsignedAndEveryByteReachesTheFlashUnchanged)
{
    ScratchFolder folder;
    std::vector<uint8_t> image = MakeImage(600, 0xC8);
    const uint8_t special[] = {0x0D, 0x0A, 0x1A, 0x0A, 0x0D, 0x00, 0xFF, 0x1A};
    std::copy(std::begin(special), std::end(special), image.begin() + 1);
    folder.Write("DATA.bin", image);
    const ToolRun run = RunTool({});
    EXPECT_NE(run.out.find("Updating to FW version 1.200\n"), std::string::npos);
    EXPECT_NE(run.out.find("Updated succesfully to FW version 1.200\n\n"), std::string::npos);
    EXPECT_EQ(FlashOverImage(image.size()), PaddedToBlocks(image));
}

TEST(UpdateRun, ABoardAlreadyInItsBootloaderStillGetsEnterBootloaderFirst)
{
    ScratchFolder folder;
    const std::vector<uint8_t> image = MakeImage(512, 7);
    folder.Write("DATA.bin", image);
    EmulatedUnitConfig config;
    config.mode = BoardMode::Bootloader;
    const ToolRun run = RunTool(config);
    EXPECT_EQ(run.out, std::string(kBanner) + "Already in bootloader\r\n" + "INFO: VORNIC VER1 UPDATER\n" +
                           "Updating to FW version 1.7\n" + kWarning + ProgressLines({0}) +
                           "Updated succesfully to FW version 1.7\n\n" + kReboot + kPrompt);
    EXPECT_EQ(run.status, 0);
    const std::vector<BusEvent> writes = BusWrites();
    ASSERT_FALSE(writes.empty());
    EXPECT_EQ(writes[0].address, 0x78);
    EXPECT_EQ(writes[0].bytes, (std::vector<uint8_t>{0x0F, 0x40}));
    EXPECT_EQ(FlashOverImage(image.size()), image);
}

TEST(UpdateRun, TheBoardSeesTheCommandsInOrderWithTheirQuietTimes)
{
    ScratchFolder folder;
    const size_t blocks = 5;
    folder.Write("DATA.bin", MakeImage(blocks * 512 - 3));
    ASSERT_EQ(RunTool({}).status, 0);

    const std::vector<BusEvent> writes = BusWrites();
    ASSERT_EQ(writes.size(), 1 + blocks * 33 + 1);
    EXPECT_EQ(writes.front().bytes, (std::vector<uint8_t>{0x0F, 0x40}));
    EXPECT_EQ(writes.back().bytes, (std::vector<uint8_t>{0x02, 0x00}));
    EXPECT_EQ(writes.back().address, 0x50);
    EXPECT_GE(writes[1].timeMs - writes[0].timeMs, 1000u);
    size_t block = 0;
    for (size_t i = 1; i + 1 < writes.size(); ++i) {
        const BusEvent& w = writes[i];
        EXPECT_EQ(w.address, 0x50);
        EXPECT_GE(w.timeMs - writes[i - 1].timeMs, 5u);
        if ((i - 1) % 33 == 0) {
            ASSERT_EQ(w.bytes, (std::vector<uint8_t>{0x01, static_cast<uint8_t>(block)}));
            EXPECT_GE(w.timeMs - writes[i - 1].timeMs, (block == 0 ? 1000u : 50u) + 5u);
            ++block;
        } else {
            ASSERT_EQ(w.bytes.size(), 18u);
            EXPECT_EQ(w.bytes[0], 0x41);
            EXPECT_EQ(w.bytes[1], 0x10);
        }
    }
    EXPECT_EQ(block, blocks);
    // The waits, in full: the pauses of the transfer and 5 ms after each of the 1 + 165 + 1 writes.
    const std::vector<uint32_t>& waits = VirtualClockWaits();
    EXPECT_EQ(std::count(waits.begin(), waits.end(), 1000u), 1);
    EXPECT_EQ(std::count(waits.begin(), waits.end(), 50u), static_cast<long>(blocks));
    EXPECT_EQ(std::count(waits.begin(), waits.end(), 5u), static_cast<long>(1 + blocks * 33 + 1));
    EXPECT_EQ(waits.size(), 1 + blocks + 1 + blocks * 33 + 1);
}

TEST(UpdateRun, ProgressFiguresRoundHalvesUpForEveryImageSize)
{
    ScratchFolder folder;
    const std::vector<std::pair<size_t, std::vector<unsigned>>> cases = {
        {1, {0}}, {2, {0, 50}}, {3, {0, 33, 67}}, {8, {0, 13, 25, 38, 50, 63, 75, 88}}};
    for (const auto& [blocks, figures] : cases) {
        SCOPED_TRACE(blocks);
        folder.Write("DATA.bin", MakeImage(blocks * 512));
        const ToolRun run = RunTool({});
        EXPECT_EQ(ProgressPart(run.out), ProgressLines(figures));
    }
    const std::vector<std::pair<size_t, unsigned>> lastFigures = {{199, 99}, {200, 100}, {255, 100}};
    for (const auto& [blocks, last] : lastFigures) {
        SCOPED_TRACE(blocks);
        folder.Write("DATA.bin", MakeImage(blocks * 512 - 1));
        const ToolRun run = RunTool({});
        const std::vector<unsigned> figures = FiguresFromLines(ProgressPart(run.out));
        ASSERT_EQ(figures.size(), blocks);
        EXPECT_EQ(figures.front(), 0u);
        EXPECT_EQ(figures.back(), last);
        EXPECT_TRUE(std::is_sorted(figures.begin(), figures.end()));
        EXPECT_EQ(ProgressPart(run.out), ProgressLines(figures));  // every line well formed
    }
}

struct FailureCase {
    const char* name;
    std::function<void(EmulatedUnitConfig&, ScratchFolder&)> setUp;
    std::string outAfterBanner;  // standard output after the banner and the version line
    std::string err;
    bool imageWritten;
    bool imageVanishesOnEnter = false;  // the file is deleted while the board enters its bootloader
};

TEST(UpdateRun, EveryFailureEndsWithItsLinesAndMinusOneAndNeverWithSuccess)
{
    const std::string v1 = "INFO: VORNIC VER1 UPDATER\n";
    const std::string updating = "Updating to FW version 1.5\n" + kWarning;
    const std::string prompt = kPrompt;
    const std::vector<FailureCase> cases = {
        {"only DATA.bin for variant 2",
         [](EmulatedUnitConfig& c, ScratchFolder&) { c.latch = 0x8F; },
         "INFO: VORNIC VER2 UPDATER\n" + prompt, "ERROR: Update file not found.\n", false},
        {"EnterBootloader refused", [](EmulatedUnitConfig& c, ScratchFolder&) { c.refuseCommand = 0x0F; },
         v1 + prompt, "ERROR: Could not enter the bootload mode.\r\n", false},
        {"SetBlockIndex refused", [](EmulatedUnitConfig& c, ScratchFolder&) { c.refuseCommand = 0x01; },
         v1 + updating,
         "ERROR: Could not perform SetBlockIndex.\r\nERROR: Could not ISP_Update.\r\n"
         "ERROR: Could not exit the bootloader mode.\r\n",
         false},
        {"cable pulled in block 2", [](EmulatedUnitConfig& c, ScratchFolder&) { c.pullCableAtWrite = 1 + 33 + 20; },
         v1 + updating + ProgressLines({0}),
         "ERROR: Could not ISP_Update.\r\nERROR: Could not exit the bootloader mode.\r\n", false},
        {"ExitBootloader refused", [](EmulatedUnitConfig& c, ScratchFolder&) { c.refuseCommand = 0x02; },
         v1 + updating + ProgressLines({0, 50}), "ERROR: Could not exit the bootloader mode.\r\n", true},
        {"latch unreadable", [](EmulatedUnitConfig& c, ScratchFolder&) { c.latchUnreadable = true; }, prompt,
         "ERROR: Could not read the board variant from the bridge.\r\n", false},
        {"empty image", [](EmulatedUnitConfig&, ScratchFolder& f) { f.Write("DATA.bin", {}); }, v1 + prompt,
         "ERROR: Update file is empty.\r\n", false},
        {"image of 256 blocks",
         [](EmulatedUnitConfig&, ScratchFolder& f) { f.Write("DATA.bin", MakeImage(255 * 512 + 1)); }, v1 + prompt,
         "ERROR: Update file is larger than 130560 bytes (255 blocks of 512 bytes).\r\n", false},
        {"image gone before the transfer", [](EmulatedUnitConfig&, ScratchFolder&) {}, v1 + updating + prompt,
         "ERROR: Input file not found.\r\n", false, true},
    };
    for (const FailureCase& c : cases) {
        SCOPED_TRACE(c.name);
        ScratchFolder folder;
        const std::vector<uint8_t> image = MakeImage(1024);
        folder.Write("DATA.bin", image);
        EmulatedUnitConfig config;
        c.setUp(config, folder);
        StartFreshUnit(config);
        if (c.imageVanishesOnEnter) {
            EmulatedUnitOnBusWrite([&folder](const BusEvent& e) {
                if (e.address == 0x78)
                    folder.Remove("DATA.bin");
            });
        }
        const ToolRun run = Capture(RunUpdater);
        EXPECT_EQ(run.out, std::string(kBanner) + "Current FW version 1.4\n" + c.outAfterBanner);
        EXPECT_EQ(run.err, c.err);
        EXPECT_EQ(run.status, -1);
        EXPECT_FALSE(EmulatedBridgeIsOpen());
        EXPECT_EQ(EmulatedBoard().exitBootloaderCount, 0);
        EXPECT_EQ(FlashOverImage(image.size()) == image, c.imageWritten);
        if (c.imageVanishesOnEnter) {
            EXPECT_EQ(BusWrites().size(), 1u) << "only EnterBootloader; no block may be sent";
        }
    }
}

TEST(UpdateRun, RefusedImagesAndAnUnreadableLatchSendNothingToTheBoard)
{
    for (size_t size : {size_t{0}, size_t{255 * 512 + 1}, size_t{256 * 512}}) {
        ScratchFolder folder;
        folder.Write("DATA.bin", MakeImage(size));
        RunTool({});
        EXPECT_TRUE(BusWrites().empty()) << size;
    }
    ScratchFolder folder;
    folder.Write("DATA.bin", MakeImage(512));
    folder.Write("DATA1.bin", MakeImage(512));
    EmulatedUnitConfig unreadable;
    unreadable.latchUnreadable = true;
    RunTool(unreadable);
    EXPECT_TRUE(BusWrites().empty());
}

}  // namespace
