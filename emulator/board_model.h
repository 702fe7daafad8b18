#pragma once
// The VORNIC board on the emulated SMBus: running firmware at 0x78, bootloader at 0x50.
#include "emulator/emulated_unit.h"

void BoardReset(const EmulatedUnitConfig& config);

// A register read: true when the address acknowledged, with the board's answer in `answer`.
bool BoardRead(uint8_t address, uint8_t reg, std::vector<uint8_t>& answer);

// A write: true when the address acknowledged.
bool BoardWrite(uint8_t address, const uint8_t* bytes, size_t length);
