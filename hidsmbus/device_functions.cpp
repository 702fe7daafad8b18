// Finding, opening and closing bridges.
#include "hidsmbus/hid_smbus.h"
#include "hidsmbus/in_reports.h"
#include "hidsmbus/open_devices.h"

#include <cstdio>
#include <cstring>

namespace {

// Copies `text` into the caller's 260-character buffer, cut short if need be, always terminated.
void CopyString(char* destination, const std::string& text)
{
    size_t length = std::min<size_t>(text.size(), HID_SMBUS_STRING_LENGTH - 1);
    std::memcpy(destination, text.data(), length);
    destination[length] = '\0';
}

bool IsExpectedChip(HidTransportDevice* transport)
{
    uint8_t report[cp2112::kReportSize] = {cp2112::kGetVersionInfo};
    int got = HidTransportGetFeature(transport, report, sizeof report);
    return got >= 3 && report[1] == cp2112::kPartNumber;
}

}  // namespace

HidSmbusStatus HidSmbus_GetNumDevices(uint32_t* count, uint16_t vid, uint16_t pid)
{
    if (count == nullptr)
        return HID_SMBUS_INVALID_PARAMETER;
    *count = static_cast<uint32_t>(HidTransportList(vid, pid).size());
    return HID_SMBUS_SUCCESS;
}

HidSmbusStatus HidSmbus_GetString(uint32_t index, uint16_t vid, uint16_t pid, char* text, uint32_t option)
{
    if (text == nullptr || option < HID_SMBUS_GET_VID_STR || option > HID_SMBUS_GET_PRODUCT_STR)
        return HID_SMBUS_INVALID_PARAMETER;
    std::vector<HidDeviceListing> listings = HidTransportList(vid, pid);
    if (index >= listings.size())
        return HID_SMBUS_DEVICE_NOT_FOUND;
    const HidDeviceListing& listing = listings[index];
    std::string value;
    char hex[8];
    switch (option) {
    case HID_SMBUS_GET_VID_STR:
        std::snprintf(hex, sizeof hex, "%04X", vid);
        value = hex;
        break;
    case HID_SMBUS_GET_PID_STR:
        std::snprintf(hex, sizeof hex, "%04X", pid);
        value = hex;
        break;
    case HID_SMBUS_GET_PATH_STR:
        value = listing.path;
        break;
    case HID_SMBUS_GET_SERIAL_STR:
        if (!listing.hasSerial)
            return HID_SMBUS_DEVICE_ACCESS_ERROR;
        value = listing.serial;
        break;
    case HID_SMBUS_GET_MANUFACTURER_STR:
        value = listing.manufacturer;
        break;
    default:
        value = listing.product;
        break;
    }
    if (value.empty())
        return HID_SMBUS_DEVICE_ACCESS_ERROR;
    CopyString(text, value);
    return HID_SMBUS_SUCCESS;
}

HidSmbusStatus HidSmbus_Open(HidSmbusDevice* device, uint32_t index, uint16_t vid, uint16_t pid)
{
    if (device == nullptr)
        return HID_SMBUS_INVALID_PARAMETER;
    std::vector<HidDeviceListing> listings = HidTransportList(vid, pid);
    if (index >= listings.size())
        return HID_SMBUS_DEVICE_NOT_FOUND;
    HidTransportDevice* transport = HidTransportOpen(listings[index].path);
    if (transport == nullptr)
        return HID_SMBUS_DEVICE_ACCESS_ERROR;
    if (!IsExpectedChip(transport)) {
        HidTransportClose(transport);
        return HID_SMBUS_DEVICE_NOT_SUPPORTED;
    }
    OpenDevice* opened = new OpenDevice;
    opened->transport = transport;
    // Whatever the OS queued before we came is stale.
    if (!DropWaitingInReports(*opened, cp2112::kReadResponse) ||
        !DropWaitingInReports(*opened, cp2112::kTransferStatusResponse)) {
        HidTransportClose(transport);
        delete opened;
        return HID_SMBUS_DEVICE_IO_FAILED;
    }
    *device = RegisterOpenDevice(opened);
    return HID_SMBUS_SUCCESS;
}

HidSmbusStatus HidSmbus_Close(HidSmbusDevice device)
{
    OpenDevice* opened = FindOpenDevice(device);
    if (opened == nullptr)
        return HID_SMBUS_INVALID_DEVICE_OBJECT;
    HidTransportClose(opened->transport);
    ForgetOpenDevice(opened);
    return HID_SMBUS_SUCCESS;
}

HidSmbusStatus HidSmbus_IsOpened(HidSmbusDevice device, int32_t* opened)
{
    if (opened == nullptr)
        return HID_SMBUS_INVALID_PARAMETER;
    *opened = FindOpenDevice(device) != nullptr ? 1 : 0;
    return HID_SMBUS_SUCCESS;
}
