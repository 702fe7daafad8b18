#include "emulator/board_model.h"

#include "clock/wait.h"

#include <cstring>

namespace {

constexpr uint8_t kApplication = 0x78;
constexpr uint8_t kBootloader = 0x50;

EmulatedBoardState g_board;
uint8_t g_major = 0;
uint8_t g_minor = 0;
size_t g_block = 0;
size_t g_chunk = 0;  // chunks received since the last block index
bool g_record = true;
std::function<void(const BusEvent&)> g_onWrite;

bool Answers(uint8_t address)
{
    return (g_board.mode == BoardMode::Running && address == kApplication) ||
           (g_board.mode == BoardMode::Bootloader && address == kBootloader);
}

BusEvent Log(bool isWrite, uint8_t address, const uint8_t* bytes, size_t length, bool acknowledged)
{
    BusEvent event{NowMs(), isWrite, address, std::vector<uint8_t>(bytes, bytes + length), acknowledged};
    if (g_record)
        g_board.bus.push_back(event);
    return event;
}

void Apply(uint8_t address, const uint8_t* bytes, size_t length)
{
    if (address == kApplication) {
        if (length == 2 && bytes[0] == 0x0F && bytes[1] == 0x40)
            g_board.mode = BoardMode::Bootloader;
        return;
    }
    if (length == 2 && bytes[0] == 0x01) {
        g_block = bytes[1];
        g_chunk = 0;
    } else if (length == 18 && bytes[0] == 0x41 && bytes[1] == 0x10) {
        // A bootloader takes 32 chunks per block; more would spill into the next block.
        if (g_chunk < 32)
            std::memcpy(&g_board.flash[g_block * 512 + g_chunk * 16], &bytes[2], 16);
        ++g_chunk;
    } else if (length == 2 && bytes[0] == 0x02 && bytes[1] == 0x00) {
        ++g_board.exitBootloaderCount;
        g_board.mode = BoardMode::Running;
    }
}

}  // namespace

void BoardReset(const EmulatedUnitConfig& config)
{
    g_board = EmulatedBoardState{};
    g_board.mode = config.mode;
    g_board.flash.assign(kFlashSize, 0x00);
    g_major = config.versionMajor;
    g_minor = config.versionMinor;
    g_block = 0;
    g_chunk = 0;
    g_record = config.recordTraffic;
    g_onWrite = nullptr;
}

void EmulatedUnitOnBusWrite(std::function<void(const BusEvent&)> hook)
{
    g_onWrite = std::move(hook);
}

bool BoardRead(uint8_t address, uint8_t reg, std::vector<uint8_t>& answer)
{
    const bool acknowledged = Answers(address);
    Log(false, address, &reg, 1, acknowledged);
    answer.clear();
    if (!acknowledged)
        return false;
    if (address == kApplication && reg == 0x04)
        answer = {g_major, g_minor};
    else if (address == kBootloader && reg == 0x8A)
        answer = {0x01};
    return true;
}

bool BoardWrite(uint8_t address, const uint8_t* bytes, size_t length)
{
    const bool acknowledged = Answers(address);
    const BusEvent event = Log(true, address, bytes, length, acknowledged);
    if (acknowledged)
        Apply(address, bytes, length);
    if (g_onWrite)
        g_onWrite(event);
    return acknowledged;
}

const EmulatedBoardState& EmulatedBoard()
{
    return g_board;
}
