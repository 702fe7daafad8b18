#include "tests/test_support.h"

#include "app/run_environment.h"
#include "app/updater.h"
#include "clock/virtual_clock.h"

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <random>

#ifdef _WIN32
#include <io.h>
#define dup _dup
#define dup2 _dup2
#define fileno _fileno
#define close _close
#else
#include <unistd.h>
#endif



const char* const kBanner = "MIRENTA VORNIC FW UPDATE\n";
const char* const kPrompt = "Press any key to exit.\n";

namespace {

std::string ReadAll(FILE* file)
{
    std::string text;
    std::rewind(file);
    char buffer[4096];
    size_t got = 0;
    while ((got = std::fread(buffer, 1, sizeof buffer, file)) > 0)
        text.append(buffer, got);
    return text;
}

// Points one of the standard descriptors at a temporary file until Restore.
struct Redirect {
    int fd;
    FILE* file = std::tmpfile();
    int saved = -1;

    explicit Redirect(int which, const std::string& content = "") : fd(which)
    {
        std::fwrite(content.data(), 1, content.size(), file);
        std::fflush(file);
        std::rewind(file);
        saved = dup(fd);
        dup2(fileno(file), fd);
    }

    std::string Restore()
    {
        dup2(saved, fd);
        close(saved);
        std::string text = ReadAll(file);
        std::fclose(file);
        return text;
    }
};

}  // namespace

void StartFreshUnit(const EmulatedUnitConfig& config)
{
    VirtualClockReset();
    EmulatedUnitReset(config);
}

ToolRun Capture(const std::function<int()>& body, const std::string& input)
{
    std::fflush(stdout);
    std::fflush(stderr);
    UseBinaryStandardStreams();
    Redirect in(0, input);
    std::fseek(stdin, 0, SEEK_SET);  // drops whatever stdin buffered before, and its end-of-file mark
    Redirect out(1);
    Redirect err(2);

    ToolRun run;
    run.status = body();

    std::fflush(stdout);
    std::fflush(stderr);
    run.err = err.Restore();
    run.out = out.Restore();
    in.Restore();
    std::fseek(stdin, 0, SEEK_SET);
    return run;
}

ToolRun RunTool(const EmulatedUnitConfig& config, const std::string& input)
{
    StartFreshUnit(config);
    return Capture(RunUpdater, input);
}

ScratchFolder::ScratchFolder()
{
    namespace fs = std::filesystem;
    static std::mt19937 names(std::random_device{}());
    previous_ = fs::current_path().string();
    fs::path path;
    do {
        path = fs::temp_directory_path() / ("vornic-test-" + std::to_string(names()));
    } while (fs::exists(path));
    fs::create_directories(path);
    path_ = path.string();
    fs::current_path(path);
}

ScratchFolder::~ScratchFolder()
{
    namespace fs = std::filesystem;
    std::error_code ignored;
    fs::current_path(previous_, ignored);
    fs::remove_all(path_, ignored);
}

void ScratchFolder::Write(const std::string& name, const std::vector<uint8_t>& bytes) const
{
    std::ofstream file(std::filesystem::path(path_) / name, std::ios::binary | std::ios::trunc);
    file.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

void ScratchFolder::Remove(const std::string& name) const
{
    std::filesystem::remove(std::filesystem::path(path_) / name);
}

std::vector<uint8_t> MakeImage(size_t size, uint8_t versionByte)
{
    std::vector<uint8_t> image(size);
    for (size_t i = 0; i < size; ++i)
        image[i] = static_cast<uint8_t>((i * 7 + i / 256) ^ 0x5A);
    if (size > 0)
        image[0] = versionByte;
    return image;
}

std::vector<uint8_t> PaddedToBlocks(const std::vector<uint8_t>& image)
{
    std::vector<uint8_t> padded = image;
    padded.resize((image.size() + 511) / 512 * 512, 0xFF);
    return padded;
}

std::vector<uint8_t> FlashOverImage(size_t size)
{
    const std::vector<uint8_t>& flash = EmulatedBoard().flash;
    return std::vector<uint8_t>(flash.begin(), flash.begin() + static_cast<long>((size + 511) / 512 * 512));
}

std::vector<BusEvent> BusWrites()
{
    std::vector<BusEvent> writes;
    for (const BusEvent& event : EmulatedBoard().bus) {
        if (event.isWrite)
            writes.push_back(event);
    }
    return writes;
}
