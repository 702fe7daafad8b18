// The built programs themselves, run as a user runs them: exact bytes on both streams, exit status.
#include "tests/test_support.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <sstream>
#include <sys/wait.h>

namespace {

struct ProgramRun {
    std::string out;
    std::string err;
    int status = -1;
};

std::string Slurp(const std::string& path)
{
    std::ifstream file(path, std::ios::binary);
    std::ostringstream text;
    text << file.rdbuf();
    return text.str();
}

// Runs `command` in the scratch folder with standard input at its end; `oneLog` sends both streams
// into `out`, as a log file would take them.
ProgramRun RunProgram(const ScratchFolder& folder, const std::string& command, bool oneLog = false)
{
    const std::string line =
        "cd '" + folder.Path() + "' && " + command + " </dev/null >out.txt " + (oneLog ? "2>&1" : "2>err.txt");
    const int raw = std::system(line.c_str());
    ProgramRun run;
    run.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
    run.out = Slurp(folder.Path() + "/out.txt");
    run.err = oneLog ? "" : Slurp(folder.Path() + "/err.txt");
    return run;
}

const std::string kOpenError =
    "ERROR: Could not open device. Make sure unit is powered on and USB cable is connected\r\n";

TEST(Program, TheRealToolWithNoBridgeAttachedEndsWithTheOpenError)
{
    ScratchFolder folder;
    const ProgramRun run = RunProgram(folder, VORNIC_UPDATE_EXE);
    EXPECT_EQ(run.out, std::string(kBanner) + kPrompt);
    EXPECT_EQ(run.err, kOpenError);
    EXPECT_EQ(run.status, 255);
}

TEST(Program, TheEmulatedBuildTakesItsUnitFromTheEnvironment)
{
    ScratchFolder folder;
    ProgramRun run = RunProgram(folder, std::string("VORNIC_EMU_FAULTS=no-bridge ") + VORNIC_UPDATE_EMULATED_EXE);
    EXPECT_EQ(run.out, std::string(kBanner) + kPrompt);
    EXPECT_EQ(run.err, kOpenError);
    EXPECT_EQ(run.status, 255);

    // No image here, so the run ends before any pause of the update.
    run = RunProgram(folder, std::string("VORNIC_EMU_VERSION=2.17 VORNIC_EMU_LATCH=0x8F ") + VORNIC_UPDATE_EMULATED_EXE);
    EXPECT_EQ(run.out, std::string(kBanner) + "Current FW version 2.17\nINFO: VORNIC VER2 UPDATER\n" + kPrompt);
    EXPECT_EQ(run.err, "ERROR: Update file not found.\n");
    EXPECT_EQ(run.status, 255);

    // Both streams into one log keep the order in which the lines were printed.
    run = RunProgram(folder, std::string("VORNIC_EMU_LATCH=0x8F ") + VORNIC_UPDATE_EMULATED_EXE, true);
    EXPECT_EQ(run.out, std::string(kBanner) + "Current FW version 1.4\nINFO: VORNIC VER2 UPDATER\n" +
                           "ERROR: Update file not found.\n" + kPrompt);

    run = RunProgram(folder, std::string("VORNIC_EMU_BOARD=sideways ") + VORNIC_UPDATE_EMULATED_EXE);
    EXPECT_EQ(run.err, "emulated unit: VORNIC_EMU_BOARD=\"sideways\" is not understood (see the README)\n");
    EXPECT_EQ(run.status, 2);
}

}  // namespace
