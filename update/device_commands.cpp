#include "update/device_commands.h"

#include "bridge/bridge.h"

#include <cstring>

namespace {
constexpr uint8_t kVersionRegister = 0x04;
constexpr uint8_t kBootloaderProbeRegister = 0x8A;
}

int ReadVersion(uint8_t* major, uint8_t* minor)
{
    uint8_t version[2] = {0, 0};
    if (ReadRegister(version, ApplicationAddress, 2, kVersionRegister) != 2)
        return -1;
    *major = version[0];
    *minor = version[1];
    return 0;
}

int ProbeBootloader()
{
    uint8_t answer = 0;
    return ReadRegister(&answer, BootloaderAddress, 1, kBootloaderProbeRegister) == 1 ? 0 : -1;
}

int EnterBootloader()
{
    const uint8_t command[] = {0x0F, 0x40};
    return WriteCommand(ApplicationAddress, command, sizeof command);
}

int SetBlockIndex(uint8_t index)
{
    const uint8_t command[] = {0x01, index};
    return WriteCommand(BootloaderAddress, command, sizeof command);
}

int ISP_Update(const uint8_t (&chunk)[kChunkSize])
{
    uint8_t command[2 + kChunkSize] = {0x41, kChunkSize};
    std::memcpy(&command[2], chunk, kChunkSize);
    return WriteCommand(BootloaderAddress, command, sizeof command);
}

int ExitBootloader()
{
    const uint8_t command[] = {0x02, 0x00};
    return WriteCommand(BootloaderAddress, command, sizeof command);
}
