#pragma once
// Helpers for tests that drive the tool against the emulated unit on the virtual clock.
#include "emulator/emulated_unit.h"

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

struct ToolRun {
    std::string out;
    std::string err;
    int status = 0;
};

// A fresh emulated unit and a virtual clock back at 0.
void StartFreshUnit(const EmulatedUnitConfig& config);

// Calls `body` with standard input reading `input`, and captures the exact bytes it writes to
// standard output and standard error; `status` is what `body` returned.
ToolRun Capture(const std::function<int()>& body, const std::string& input = "");

// One whole run of the tool in this process, on a fresh unit, with `input` as its standard input.
// Captures the exact bytes written to standard output and standard error.
ToolRun RunTool(const EmulatedUnitConfig& config, const std::string& input = "");

// A temporary working folder for the life of the object; the image files go here.
class ScratchFolder {
public:
    ScratchFolder();
    ~ScratchFolder();
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;
    void Write(const std::string& name, const std::vector<uint8_t>& bytes) const;
    void Remove(const std::string& name) const;
    const std::string& Path() const { return path_; }

private:
    std::string path_;
    std::string previous_;
};

// An image of `size` bytes starting with `versionByte`, the rest a pattern that differs per offset.
std::vector<uint8_t> MakeImage(size_t size, uint8_t versionByte = 5);

// The image as the board's flash should hold it: padded with 0xFF to a whole number of blocks.
std::vector<uint8_t> PaddedToBlocks(const std::vector<uint8_t>& image);

// The board's flash over the blocks an image of `size` bytes covers.
std::vector<uint8_t> FlashOverImage(size_t size);

// Bus writes the board saw, in order (reads left out).
std::vector<BusEvent> BusWrites();

// The text of the banner and the pause prompt, used by many expectations.
extern const char* const kBanner;
extern const char* const kPrompt;
