#include "bridge/bridge.h"

#include "clock/wait.h"

#include <algorithm>
#include <cstring>

HidSmbusDevice BridgeHandle = nullptr;

namespace {

constexpr uint32_t kBitRate = 50000;
constexpr uint8_t kOwnAddress = 0x02;
constexpr int32_t kAutoReadRespond = 0;  // reads are fetched with a forced read response
constexpr uint16_t kWriteTimeoutMs = 1000;
constexpr uint16_t kReadTimeoutMs = 1000;
constexpr int32_t kSclLowTimeout = 1;
constexpr uint16_t kTransferRetries = 2;
constexpr uint32_t kResponseTimeoutMs = 1000;
constexpr uint32_t kWaitAfterWriteMs = 5;

// The open guard: passes only when the library says the handle is open.
bool BridgeIsOpen()
{
    int32_t opened = 0;
    return HidSmbus_IsOpened(BridgeHandle, &opened) == HID_SMBUS_SUCCESS && opened != 0;
}

}  // namespace

int OpenBridge()
{
    uint32_t count = 0;
    if (HidSmbus_GetNumDevices(&count, kBridgeVendorId, kBridgeProductId) != HID_SMBUS_SUCCESS)
        return -1;
    char serial[HID_SMBUS_STRING_LENGTH];
    for (uint32_t index = 0; index < count; ++index) {
        if (HidSmbus_GetString(index, kBridgeVendorId, kBridgeProductId, serial, HID_SMBUS_GET_SERIAL_STR) ==
            HID_SMBUS_SUCCESS) {
            return HidSmbus_Open(&BridgeHandle, index, kBridgeVendorId, kBridgeProductId) == HID_SMBUS_SUCCESS
                       ? 0
                       : -1;
        }
    }
    return -1;
}

int ConfigureBridge()
{
    if (!BridgeIsOpen())
        return 0;
    if (HidSmbus_SetSmbusConfig(BridgeHandle, kBitRate, kOwnAddress, kAutoReadRespond, kWriteTimeoutMs,
                                kReadTimeoutMs, kSclLowTimeout, kTransferRetries) != HID_SMBUS_SUCCESS)
        return -1;
    if (HidSmbus_SetTimeouts(BridgeHandle, kResponseTimeoutMs) != HID_SMBUS_SUCCESS)
        return -1;
    return 0;
}

int ReadRegister(uint8_t* destination, uint8_t address, uint8_t count, uint8_t reg)
{
    if (!BridgeIsOpen())
        return -1;
    const uint8_t target[1] = {reg};
    if (HidSmbus_AddressReadRequest(BridgeHandle, address, count, 1, target) != HID_SMBUS_SUCCESS)
        return -1;
    uint8_t s0 = 0, s1 = 0;
    uint16_t retries = 0, bytesRead = 0;
    if (HidSmbus_TransferStatusRequest(BridgeHandle) != HID_SMBUS_SUCCESS ||
        HidSmbus_GetTransferStatusResponse(BridgeHandle, &s0, &s1, &retries, &bytesRead) != HID_SMBUS_SUCCESS)
        return -1;
    if (HidSmbus_ForceReadResponse(BridgeHandle, count) != HID_SMBUS_SUCCESS)
        return -1;

    // `total` counts every byte the device sent; only the first `count` are stored. Each response
    // ends on a byte or a time-out, and a device that answers with empty responses forever is
    // given up on rather than waited for.
    int total = 0;
    const int maxResponses = count + 16;
    for (int responses = 0; responses < maxResponses; ++responses) {
        uint8_t status = 0;
        uint8_t received = 0;
        uint8_t response[HID_SMBUS_READ_RESPONSE_SIZE];
        if (HidSmbus_GetReadResponse(BridgeHandle, &status, response, sizeof response, &received) !=
            HID_SMBUS_SUCCESS)
            return -1;
        // total < count here: the loop returns as soon as it reaches count.
        std::memcpy(destination + total, response, std::min<int>(received, count - total));
        total += received;
        if (total >= count)
            return total;
    }
    return -1;
}

int WriteCommand(uint8_t address, const uint8_t* bytes, uint8_t length)
{
    if (!BridgeIsOpen())
        return -1;
    if (HidSmbus_WriteRequest(BridgeHandle, address, bytes, length) != HID_SMBUS_SUCCESS)
        return -1;
    WaitMs(kWaitAfterWriteMs);
    return 0;
}

int ReadVariantLatch()
{
    uint8_t latch = 0;
    if (HidSmbus_ReadLatch(BridgeHandle, &latch) != HID_SMBUS_SUCCESS)
        return -1;
    return latch;
}

int CloseBridge()
{
    return HidSmbus_Close(BridgeHandle) == HID_SMBUS_SUCCESS ? 0 : -1;
}
