#pragma once
// The bridge library's functions, implemented by this project over the CP2112's HID reports.
// Every function returns a status: 0 for success, one of the codes below otherwise.
#include <cstdint>

typedef void* HidSmbusDevice;
typedef int HidSmbusStatus;

enum : HidSmbusStatus {
    HID_SMBUS_SUCCESS = 0x00,
    HID_SMBUS_DEVICE_NOT_FOUND = 0x01,
    HID_SMBUS_INVALID_HANDLE = 0x02,
    HID_SMBUS_INVALID_DEVICE_OBJECT = 0x03,
    HID_SMBUS_INVALID_PARAMETER = 0x04,
    HID_SMBUS_INVALID_REQUEST_LENGTH = 0x05,
    HID_SMBUS_READ_ERROR = 0x10,
    HID_SMBUS_WRITE_ERROR = 0x11,
    HID_SMBUS_READ_TIMED_OUT = 0x12,
    HID_SMBUS_WRITE_TIMED_OUT = 0x13,
    HID_SMBUS_DEVICE_IO_FAILED = 0x14,
    HID_SMBUS_DEVICE_ACCESS_ERROR = 0x15,
    HID_SMBUS_DEVICE_NOT_SUPPORTED = 0x16,
    HID_SMBUS_UNKNOWN_ERROR = 0xFF,
};

// Options of HidSmbus_GetString.
enum : uint32_t {
    HID_SMBUS_GET_VID_STR = 1,
    HID_SMBUS_GET_PID_STR = 2,
    HID_SMBUS_GET_PATH_STR = 3,
    HID_SMBUS_GET_SERIAL_STR = 4,
    HID_SMBUS_GET_MANUFACTURER_STR = 5,
    HID_SMBUS_GET_PRODUCT_STR = 6,
};

constexpr uint32_t HID_SMBUS_STRING_LENGTH = 260;  // characters, terminator included
constexpr uint8_t HID_SMBUS_READ_RESPONSE_SIZE = 61;  // data bytes one read response can carry

HidSmbusStatus HidSmbus_GetNumDevices(uint32_t* count, uint16_t vid, uint16_t pid);
HidSmbusStatus HidSmbus_GetString(uint32_t index, uint16_t vid, uint16_t pid, char* text, uint32_t option);
HidSmbusStatus HidSmbus_Open(HidSmbusDevice* device, uint32_t index, uint16_t vid, uint16_t pid);
HidSmbusStatus HidSmbus_Close(HidSmbusDevice device);
HidSmbusStatus HidSmbus_IsOpened(HidSmbusDevice device, int32_t* opened);

HidSmbusStatus HidSmbus_SetSmbusConfig(HidSmbusDevice device, uint32_t bitRate, uint8_t ownAddress,
                                       int32_t autoReadRespond, uint16_t writeTimeoutMs,
                                       uint16_t readTimeoutMs, int32_t sclLowTimeout,
                                       uint16_t transferRetries);
HidSmbusStatus HidSmbus_SetTimeouts(HidSmbusDevice device, uint32_t responseTimeoutMs);

HidSmbusStatus HidSmbus_AddressReadRequest(HidSmbusDevice device, uint8_t address, uint16_t bytesToRead,
                                           uint8_t registerLength, const uint8_t* registerBytes);
HidSmbusStatus HidSmbus_TransferStatusRequest(HidSmbusDevice device);
HidSmbusStatus HidSmbus_GetTransferStatusResponse(HidSmbusDevice device, uint8_t* status,
                                                  uint8_t* detailedStatus, uint16_t* retries,
                                                  uint16_t* bytesRead);
HidSmbusStatus HidSmbus_ForceReadResponse(HidSmbusDevice device, uint16_t bytesWanted);
HidSmbusStatus HidSmbus_GetReadResponse(HidSmbusDevice device, uint8_t* status, uint8_t* buffer,
                                        uint8_t bufferSize, uint8_t* bytesRead);
HidSmbusStatus HidSmbus_WriteRequest(HidSmbusDevice device, uint8_t address, const uint8_t* bytes,
                                     uint8_t count);
HidSmbusStatus HidSmbus_ReadLatch(HidSmbusDevice device, uint8_t* latch);
