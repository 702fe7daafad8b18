#pragma once
// The board's SMBus commands. Each is one register read or one write through the bridge.
#include <cstdint>

constexpr uint8_t ApplicationAddress = 0x78;  // the board's running firmware
constexpr uint8_t BootloaderAddress = 0x50;   // the board's bootloader

constexpr int kChunkSize = 16;  // image bytes in one ISP_Update

// Version of the running firmware. 0 only when exactly 2 bytes came back, else -1.
int ReadVersion(uint8_t* major, uint8_t* minor);

// Whether the bootloader answers. 0 only when exactly 1 byte came back, else -1.
int ProbeBootloader();

// The writes: 0 when the bridge accepted them, else -1.
int EnterBootloader();
int SetBlockIndex(uint8_t index);
int ISP_Update(const uint8_t (&chunk)[kChunkSize]);
int ExitBootloader();
