#pragma once
// The emulated CP2112: its reports, its read buffer, its transfer status and its faults.
#include "emulator/emulated_unit.h"

#include <cstddef>
#include <cstdint>

const EmulatedUnitConfig& ChipConfig();

// Interrupt OUT report from the host. Bytes taken, or -1 (refused, or the cable is out).
int ChipTakeOutReport(const uint8_t* report, size_t length);

// Next interrupt IN report. Bytes, 0 after waiting timeoutMs with nothing to send, or -1.
int ChipGiveInReport(uint8_t* report, size_t capacity, int timeoutMs);

// Feature reports; report[0] is the ID. Bytes transferred (ID included), or -1.
int ChipGetFeature(uint8_t* report, size_t length);
int ChipSetFeature(const uint8_t* report, size_t length);

void ChipReset(const EmulatedUnitConfig& config);
