// The bridge's SMBus settings, its response time-out and its GPIO latch.
#include "hidsmbus/hid_smbus.h"
#include "hidsmbus/open_devices.h"

HidSmbusStatus HidSmbus_SetSmbusConfig(HidSmbusDevice device, uint32_t bitRate, uint8_t ownAddress,
                                       int32_t autoReadRespond, uint16_t writeTimeoutMs,
                                       uint16_t readTimeoutMs, int32_t sclLowTimeout,
                                       uint16_t transferRetries)
{
    OpenDevice* opened = FindOpenDevice(device);
    if (opened == nullptr)
        return HID_SMBUS_INVALID_DEVICE_OBJECT;
    if (bitRate == 0 || (ownAddress & 1) != 0 || writeTimeoutMs > 1000 || readTimeoutMs > 1000 ||
        transferRetries > 1000)
        return HID_SMBUS_INVALID_PARAMETER;
    uint8_t report[cp2112::kConfigReportSize] = {cp2112::kSmbusConfig};
    cp2112::PutBigEndian32(&report[1], bitRate);
    report[5] = ownAddress;
    report[6] = autoReadRespond != 0 ? 1 : 0;
    cp2112::PutBigEndian16(&report[7], writeTimeoutMs);
    cp2112::PutBigEndian16(&report[9], readTimeoutMs);
    report[11] = sclLowTimeout != 0 ? 1 : 0;
    cp2112::PutBigEndian16(&report[12], transferRetries);
    if (HidTransportSetFeature(opened->transport, report, sizeof report) < 0)
        return HID_SMBUS_WRITE_ERROR;
    return HID_SMBUS_SUCCESS;
}

HidSmbusStatus HidSmbus_SetTimeouts(HidSmbusDevice device, uint32_t responseTimeoutMs)
{
    OpenDevice* opened = FindOpenDevice(device);
    if (opened == nullptr)
        return HID_SMBUS_INVALID_DEVICE_OBJECT;
    opened->responseTimeoutMs = responseTimeoutMs;
    return HID_SMBUS_SUCCESS;
}

HidSmbusStatus HidSmbus_ReadLatch(HidSmbusDevice device, uint8_t* latch)
{
    OpenDevice* opened = FindOpenDevice(device);
    if (opened == nullptr)
        return HID_SMBUS_INVALID_DEVICE_OBJECT;
    if (latch == nullptr)
        return HID_SMBUS_INVALID_PARAMETER;
    uint8_t report[cp2112::kReportSize] = {cp2112::kGetGpioValues};
    int got = HidTransportGetFeature(opened->transport, report, sizeof report);
    if (got < 2)
        return HID_SMBUS_READ_ERROR;
    *latch = report[1];
    return HID_SMBUS_SUCCESS;
}
