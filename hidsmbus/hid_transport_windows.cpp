// The HID transport on Windows' own HID API (SetupAPI and the HidD_ functions). The bridge is a
// HID-class device, so Windows needs no driver for it.
#include "hidsmbus/hid_transport.h"

#include <windows.h>

// MinGW's HID header declares the functions without C linkage.
extern "C" {
#include <hidsdi.h>
}
#include <setupapi.h>

#include <algorithm>
#include <cstring>
#include <vector>

struct HidTransportDevice {
    HANDLE handle = INVALID_HANDLE_VALUE;
    OVERLAPPED readDone{};
    OVERLAPPED writeDone{};
    size_t inputLength = 0;    // Windows hands over and takes whole reports of these lengths,
    size_t outputLength = 0;   // report ID included
    size_t featureLength = 0;
};

namespace {

std::string Narrow(const wchar_t* text)
{
    std::string narrow;
    for (; *text != L'\0'; ++text)
        narrow.push_back(*text > 0 && *text < 0x80 ? static_cast<char>(*text) : '?');
    return narrow;
}

// One of the device's strings; empty when it has none.
std::string DeviceString(HANDLE handle, BOOLEAN(__stdcall* query)(HANDLE, PVOID, ULONG))
{
    wchar_t text[256] = {};
    if (!query(handle, text, sizeof text - sizeof(wchar_t)))
        return std::string();
    return Narrow(text);
}

HANDLE OpenPath(const std::string& path, DWORD access, DWORD flags)
{
    return CreateFileA(path.c_str(), access, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, flags,
                       nullptr);
}

// Waits for an overlapped operation up to timeoutMs (negative: without end); cancels it on time-out.
// Returns the bytes transferred, 0 on time-out, -1 on failure.
int Finish(HANDLE handle, OVERLAPPED& done, int timeoutMs)
{
    DWORD waited = WaitForSingleObject(done.hEvent, timeoutMs < 0 ? INFINITE : static_cast<DWORD>(timeoutMs));
    if (waited == WAIT_TIMEOUT)
        CancelIo(handle);
    DWORD transferred = 0;
    if (!GetOverlappedResult(handle, &done, &transferred, TRUE))
        return GetLastError() == ERROR_OPERATION_ABORTED ? 0 : -1;
    return static_cast<int>(transferred);
}

}  // namespace

std::vector<HidDeviceListing> HidTransportList(uint16_t vid, uint16_t pid)
{
    std::vector<HidDeviceListing> listings;
    GUID hidClass;
    HidD_GetHidGuid(&hidClass);
    HDEVINFO set = SetupDiGetClassDevsA(&hidClass, nullptr, nullptr, DIGCF_PRESENT | DIGCF_DEVICEINTERFACE);
    if (set == INVALID_HANDLE_VALUE)
        return listings;
    SP_DEVICE_INTERFACE_DATA iface{};
    iface.cbSize = sizeof iface;
    for (DWORD index = 0; SetupDiEnumDeviceInterfaces(set, nullptr, &hidClass, index, &iface); ++index) {
        DWORD size = 0;
        SetupDiGetDeviceInterfaceDetailA(set, &iface, nullptr, 0, &size, nullptr);
        if (size < sizeof(SP_DEVICE_INTERFACE_DETAIL_DATA_A))
            continue;
        std::vector<uint8_t> storage(size);
        auto* detail = reinterpret_cast<SP_DEVICE_INTERFACE_DETAIL_DATA_A*>(storage.data());
        detail->cbSize = sizeof(SP_DEVICE_INTERFACE_DETAIL_DATA_A);
        if (!SetupDiGetDeviceInterfaceDetailA(set, &iface, detail, size, nullptr, nullptr))
            continue;
        // Opened without access rights: enough to read the attributes and strings of any HID device.
        const std::string path = detail->DevicePath;
        HANDLE handle = OpenPath(path, 0, 0);
        if (handle == INVALID_HANDLE_VALUE)
            continue;
        HIDD_ATTRIBUTES attributes{};
        attributes.Size = sizeof attributes;
        if (HidD_GetAttributes(handle, &attributes) && attributes.VendorID == vid && attributes.ProductID == pid) {
            HidDeviceListing listing;
            listing.path = path;
            listing.serial = DeviceString(handle, HidD_GetSerialNumberString);
            listing.hasSerial = !listing.serial.empty();
            listing.manufacturer = DeviceString(handle, HidD_GetManufacturerString);
            listing.product = DeviceString(handle, HidD_GetProductString);
            listings.push_back(listing);
        }
        CloseHandle(handle);
    }
    SetupDiDestroyDeviceInfoList(set);
    return listings;
}

HidTransportDevice* HidTransportOpen(const std::string& path)
{
    HANDLE handle = OpenPath(path, GENERIC_READ | GENERIC_WRITE, FILE_FLAG_OVERLAPPED);
    if (handle == INVALID_HANDLE_VALUE)
        return nullptr;
    PHIDP_PREPARSED_DATA preparsed = nullptr;
    HIDP_CAPS caps{};
    if (!HidD_GetPreparsedData(handle, &preparsed)) {
        CloseHandle(handle);
        return nullptr;
    }
    const bool haveCaps = HidP_GetCaps(preparsed, &caps) == HIDP_STATUS_SUCCESS;
    HidD_FreePreparsedData(preparsed);
    if (!haveCaps) {
        CloseHandle(handle);
        return nullptr;
    }
    auto* device = new HidTransportDevice;
    device->handle = handle;
    device->inputLength = caps.InputReportByteLength;
    device->outputLength = caps.OutputReportByteLength;
    device->featureLength = caps.FeatureReportByteLength;
    device->readDone.hEvent = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    device->writeDone.hEvent = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    return device;
}

int HidTransportWrite(HidTransportDevice* device, const uint8_t* report, size_t length)
{
    // Windows takes only whole output reports: pad to the device's length.
    std::vector<uint8_t> whole(std::max(length, device->outputLength), 0);
    std::memcpy(whole.data(), report, length);
    ResetEvent(device->writeDone.hEvent);
    if (!WriteFile(device->handle, whole.data(), static_cast<DWORD>(whole.size()), nullptr, &device->writeDone) &&
        GetLastError() != ERROR_IO_PENDING)
        return -1;
    const int written = Finish(device->handle, device->writeDone, 1000);
    // The count may be the padded length; what matters is that the caller's bytes went out.
    return written >= static_cast<int>(length) ? static_cast<int>(length) : -1;
}

int HidTransportRead(HidTransportDevice* device, uint8_t* report, size_t capacity, int timeoutMs)
{
    // Input reports come whole; reports that arrive while no read is pending wait in the driver's buffer.
    std::vector<uint8_t> whole(std::max<size_t>(device->inputLength, 1), 0);
    ResetEvent(device->readDone.hEvent);
    if (!ReadFile(device->handle, whole.data(), static_cast<DWORD>(whole.size()), nullptr, &device->readDone) &&
        GetLastError() != ERROR_IO_PENDING)
        return -1;
    const int got = Finish(device->handle, device->readDone, timeoutMs);
    if (got <= 0)
        return got;
    const size_t copied = std::min(static_cast<size_t>(got), capacity);
    std::memcpy(report, whole.data(), copied);
    return static_cast<int>(copied);
}

int HidTransportGetFeature(HidTransportDevice* device, uint8_t* report, size_t length)
{
    std::vector<uint8_t> whole(std::max(length, device->featureLength), 0);
    whole[0] = report[0];
    if (!HidD_GetFeature(device->handle, whole.data(), static_cast<ULONG>(whole.size())))
        return -1;
    const size_t copied = std::min(length, whole.size());
    std::memcpy(report, whole.data(), copied);
    return static_cast<int>(copied);
}

int HidTransportSetFeature(HidTransportDevice* device, const uint8_t* report, size_t length)
{
    std::vector<uint8_t> whole(std::max(length, device->featureLength), 0);
    std::memcpy(whole.data(), report, length);
    if (!HidD_SetFeature(device->handle, whole.data(), static_cast<ULONG>(whole.size())))
        return -1;
    return static_cast<int>(length);
}

void HidTransportClose(HidTransportDevice* device)
{
    if (device == nullptr)
        return;
    CancelIo(device->handle);
    CloseHandle(device->readDone.hEvent);
    CloseHandle(device->writeDone.hEvent);
    CloseHandle(device->handle);
    delete device;
}
