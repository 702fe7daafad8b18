#pragma once
// Report IDs and sizes of the CP2112's HID interface. Shared by the library and the emulated chip.
#include <cstddef>
#include <cstdint>

namespace cp2112 {

constexpr size_t kReportSize = 64;  // interrupt reports, ID byte included, both directions
constexpr size_t kConfigReportSize = 14;
constexpr size_t kMaxReadData = 61;  // data bytes in one read response
constexpr uint8_t kPartNumber = 0x0C;

enum : uint8_t {
    kGetGpioValues = 0x03,
    kGetVersionInfo = 0x05,
    kSmbusConfig = 0x06,
    kAddressRead = 0x11,
    kForceReadResponse = 0x12,
    kReadResponse = 0x13,
    kDataWrite = 0x14,
    kTransferStatusRequest = 0x15,
    kTransferStatusResponse = 0x16,
    kCancelTransfer = 0x17,
};

// First status byte (S0) of transfer status and read responses.
enum : uint8_t { kIdle = 0, kBusy = 1, kComplete = 2, kFailed = 3 };

inline void PutBigEndian16(uint8_t* at, uint16_t value)
{
    at[0] = static_cast<uint8_t>(value >> 8);
    at[1] = static_cast<uint8_t>(value);
}

inline void PutBigEndian32(uint8_t* at, uint32_t value)
{
    for (int i = 0; i < 4; ++i)
        at[i] = static_cast<uint8_t>(value >> (24 - 8 * i));
}

inline uint16_t GetBigEndian16(const uint8_t* at)
{
    return static_cast<uint16_t>((at[0] << 8) | at[1]);
}

}  // namespace cp2112
