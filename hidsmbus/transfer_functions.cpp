// SMBus transfers: address reads with their status and read responses, and data writes.
#include "hidsmbus/hid_smbus.h"
#include "hidsmbus/in_reports.h"
#include "hidsmbus/open_devices.h"

#include <cstring>

namespace {

// Sends one interrupt OUT report, always at full length and zero-padded.
bool SendReport(OpenDevice& device, const uint8_t (&report)[cp2112::kReportSize])
{
    return HidTransportWrite(device.transport, report, cp2112::kReportSize) >=
           static_cast<int>(cp2112::kReportSize);
}

}  // namespace

HidSmbusStatus HidSmbus_AddressReadRequest(HidSmbusDevice device, uint8_t address, uint16_t bytesToRead,
                                           uint8_t registerLength, const uint8_t* registerBytes)
{
    OpenDevice* opened = FindOpenDevice(device);
    if (opened == nullptr)
        return HID_SMBUS_INVALID_DEVICE_OBJECT;
    if ((address & 1) != 0 || registerLength < 1 || registerLength > 16 || registerBytes == nullptr)
        return HID_SMBUS_INVALID_PARAMETER;
    if (bytesToRead < 1 || bytesToRead > 512)
        return HID_SMBUS_INVALID_REQUEST_LENGTH;
    // A new transfer begins: read responses still queued belong to the last one and must not be
    // taken for this one's answer.
    if (!DropWaitingInReports(*opened, cp2112::kReadResponse))
        return HID_SMBUS_READ_ERROR;
    uint8_t report[cp2112::kReportSize] = {cp2112::kAddressRead, address};
    cp2112::PutBigEndian16(&report[2], bytesToRead);
    report[4] = registerLength;
    std::memcpy(&report[5], registerBytes, registerLength);
    return SendReport(*opened, report) ? HID_SMBUS_SUCCESS : HID_SMBUS_WRITE_ERROR;
}

HidSmbusStatus HidSmbus_TransferStatusRequest(HidSmbusDevice device)
{
    OpenDevice* opened = FindOpenDevice(device);
    if (opened == nullptr)
        return HID_SMBUS_INVALID_DEVICE_OBJECT;
    // A status response still queued answers an earlier request: drop it so the next one is ours.
    if (!DropWaitingInReports(*opened, cp2112::kTransferStatusResponse))
        return HID_SMBUS_READ_ERROR;
    const uint8_t report[cp2112::kReportSize] = {cp2112::kTransferStatusRequest, 0x01};
    return SendReport(*opened, report) ? HID_SMBUS_SUCCESS : HID_SMBUS_WRITE_ERROR;
}

HidSmbusStatus HidSmbus_GetTransferStatusResponse(HidSmbusDevice device, uint8_t* status,
                                                  uint8_t* detailedStatus, uint16_t* retries,
                                                  uint16_t* bytesRead)
{
    OpenDevice* opened = FindOpenDevice(device);
    if (opened == nullptr)
        return HID_SMBUS_INVALID_DEVICE_OBJECT;
    if (status == nullptr || detailedStatus == nullptr || retries == nullptr || bytesRead == nullptr)
        return HID_SMBUS_INVALID_PARAMETER;
    InReport report;
    HidSmbusStatus result = WaitForInReport(*opened, cp2112::kTransferStatusResponse, report);
    if (result != HID_SMBUS_SUCCESS)
        return result;
    if (report.length < 7)
        return HID_SMBUS_READ_ERROR;
    *status = report.bytes[1];
    *detailedStatus = report.bytes[2];
    *retries = cp2112::GetBigEndian16(&report.bytes[3]);
    *bytesRead = cp2112::GetBigEndian16(&report.bytes[5]);
    return HID_SMBUS_SUCCESS;
}

HidSmbusStatus HidSmbus_ForceReadResponse(HidSmbusDevice device, uint16_t bytesWanted)
{
    OpenDevice* opened = FindOpenDevice(device);
    if (opened == nullptr)
        return HID_SMBUS_INVALID_DEVICE_OBJECT;
    if (bytesWanted < 1 || bytesWanted > 512)
        return HID_SMBUS_INVALID_REQUEST_LENGTH;
    uint8_t report[cp2112::kReportSize] = {cp2112::kForceReadResponse};
    cp2112::PutBigEndian16(&report[1], bytesWanted);
    return SendReport(*opened, report) ? HID_SMBUS_SUCCESS : HID_SMBUS_WRITE_ERROR;
}

HidSmbusStatus HidSmbus_GetReadResponse(HidSmbusDevice device, uint8_t* status, uint8_t* buffer,
                                        uint8_t bufferSize, uint8_t* bytesRead)
{
    OpenDevice* opened = FindOpenDevice(device);
    if (opened == nullptr)
        return HID_SMBUS_INVALID_DEVICE_OBJECT;
    if (status == nullptr || buffer == nullptr || bytesRead == nullptr ||
        bufferSize < HID_SMBUS_READ_RESPONSE_SIZE)
        return HID_SMBUS_INVALID_PARAMETER;
    InReport report;
    HidSmbusStatus result = WaitForInReport(*opened, cp2112::kReadResponse, report);
    if (result != HID_SMBUS_SUCCESS)
        return result;
    // The count byte comes from the device: a report that claims more than it can hold, or more
    // than actually arrived, is malformed and nothing of it is copied.
    const size_t count = report.length >= 3 ? report.bytes[2] : cp2112::kMaxReadData + 1;
    if (count > cp2112::kMaxReadData || 3 + count > report.length)
        return HID_SMBUS_READ_ERROR;
    *status = report.bytes[1];
    std::memcpy(buffer, &report.bytes[3], count);
    *bytesRead = static_cast<uint8_t>(count);
    return HID_SMBUS_SUCCESS;
}

HidSmbusStatus HidSmbus_WriteRequest(HidSmbusDevice device, uint8_t address, const uint8_t* bytes,
                                     uint8_t count)
{
    OpenDevice* opened = FindOpenDevice(device);
    if (opened == nullptr)
        return HID_SMBUS_INVALID_DEVICE_OBJECT;
    if ((address & 1) != 0 || bytes == nullptr)
        return HID_SMBUS_INVALID_PARAMETER;
    if (count < 1 || count > cp2112::kMaxReadData)
        return HID_SMBUS_INVALID_REQUEST_LENGTH;
    uint8_t report[cp2112::kReportSize] = {cp2112::kDataWrite, address, count};
    std::memcpy(&report[3], bytes, count);
    return SendReport(*opened, report) ? HID_SMBUS_SUCCESS : HID_SMBUS_WRITE_ERROR;
}
