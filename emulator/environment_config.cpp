// The demo program's unit, chosen without recompiling through VORNIC_EMU_* variables.
#include "emulator/emulated_unit.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

namespace {

bool ParseNumber(const std::string& text, long low, long high, long* value)
{
    char* end = nullptr;
    long parsed = std::strtol(text.c_str(), &end, 0);
    if (text.empty() || *end != '\0' || parsed < low || parsed > high)
        return false;
    *value = parsed;
    return true;
}

bool Complain(const char* variable, const std::string& value)
{
    std::fprintf(stderr, "emulated unit: %s=\"%s\" is not understood (see the README)\n", variable, value.c_str());
    return false;
}

bool ApplyFault(const std::string& fault, EmulatedUnitConfig* config)
{
    long number = 0;
    if (fault == "no-bridge")
        config->bridges = 0;
    else if (fault == "no-serial-first")
        config->firstBridgeWithoutSerial = true;
    else if (fault == "open-refused")
        config->openRefused = true;
    else if (fault == "config-refused")
        config->configRefused = true;
    else if (fault == "latch-unreadable")
        config->latchUnreadable = true;
    else if (fault == "split-reads")
        config->readPieceSize = 1;
    else if (fault == "no-read-response")
        config->readResponsesNeverCome = true;
    else if (fault == "extra-read-bytes")
        config->readBytesDelta = 1;
    else if (fault == "malformed-read")
        config->malformedReadCount = true;
    else if (fault == "stray-reports")
        config->strayInReports = true;
    else if (fault.rfind("pull-cable-at=", 0) == 0 && ParseNumber(fault.substr(14), 1, 1000000, &number))
        config->pullCableAtWrite = static_cast<int>(number);
    else if (fault.rfind("empty-read-responses=", 0) == 0 && ParseNumber(fault.substr(21), 0, 100000, &number))
        config->emptyReadResponses = static_cast<int>(number);
    else if (fault.rfind("refuse=", 0) == 0 && ParseNumber(fault.substr(7), 0, 255, &number))
        config->refuseCommand = static_cast<int>(number);
    else
        return false;
    return true;
}

}  // namespace

bool EmulatedUnitConfigFromEnvironment(EmulatedUnitConfig* config)
{
    *config = EmulatedUnitConfig{};
    if (const char* board = std::getenv("VORNIC_EMU_BOARD")) {
        const std::string value = board;
        if (value == "running")
            config->mode = BoardMode::Running;
        else if (value == "bootloader")
            config->mode = BoardMode::Bootloader;
        else if (value == "absent")
            config->mode = BoardMode::Absent;
        else
            return Complain("VORNIC_EMU_BOARD", value);
    }
    if (const char* version = std::getenv("VORNIC_EMU_VERSION")) {
        const std::string value = version;
        const size_t dot = value.find('.');
        long major = 0;
        long minor = 0;
        if (dot == std::string::npos || !ParseNumber(value.substr(0, dot), 0, 255, &major) ||
            !ParseNumber(value.substr(dot + 1), 0, 255, &minor))
            return Complain("VORNIC_EMU_VERSION", value);
        config->versionMajor = static_cast<uint8_t>(major);
        config->versionMinor = static_cast<uint8_t>(minor);
    }
    if (const char* latch = std::getenv("VORNIC_EMU_LATCH")) {
        long value = 0;
        if (!ParseNumber(latch, 0, 255, &value))
            return Complain("VORNIC_EMU_LATCH", latch);
        config->latch = static_cast<uint8_t>(value);
    }
    if (const char* faults = std::getenv("VORNIC_EMU_FAULTS")) {
        std::string list = faults;
        size_t start = 0;
        while (start <= list.size()) {
            size_t comma = list.find(',', start);
            std::string fault = list.substr(start, comma == std::string::npos ? std::string::npos : comma - start);
            if (!fault.empty() && !ApplyFault(fault, config))
                return Complain("VORNIC_EMU_FAULTS", fault);
            if (comma == std::string::npos)
                break;
            start = comma + 1;
        }
    }
    return true;
}
