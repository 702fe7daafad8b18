// The HID transport over hidapi (hidraw on Linux). The only file that includes hidapi.
#include "hidsmbus/hid_transport.h"

#include <hidapi.h>

namespace {

bool EnsureInitialised()
{
    static bool initialised = false;
    if (!initialised)
        initialised = hid_init() == 0;
    return initialised;
}

// Device strings are wide; the library hands out plain text, so anything beyond ASCII becomes '?'.
std::string Narrow(const wchar_t* text)
{
    std::string narrow;
    for (; text != nullptr && *text != L'\0'; ++text)
        narrow.push_back(*text > 0 && *text < 0x80 ? static_cast<char>(*text) : '?');
    return narrow;
}

hid_device* Raw(HidTransportDevice* device)
{
    return reinterpret_cast<hid_device*>(device);
}

}  // namespace

std::vector<HidDeviceListing> HidTransportList(uint16_t vid, uint16_t pid)
{
    std::vector<HidDeviceListing> listings;
    if (!EnsureInitialised())
        return listings;
    hid_device_info* all = hid_enumerate(vid, pid);
    for (const hid_device_info* info = all; info != nullptr; info = info->next) {
        HidDeviceListing listing;
        listing.path = info->path != nullptr ? info->path : "";
        listing.hasSerial = info->serial_number != nullptr && info->serial_number[0] != L'\0';
        listing.serial = Narrow(info->serial_number);
        listing.manufacturer = Narrow(info->manufacturer_string);
        listing.product = Narrow(info->product_string);
        listings.push_back(listing);
    }
    hid_free_enumeration(all);
    return listings;
}

HidTransportDevice* HidTransportOpen(const std::string& path)
{
    if (!EnsureInitialised())
        return nullptr;
    return reinterpret_cast<HidTransportDevice*>(hid_open_path(path.c_str()));
}

int HidTransportWrite(HidTransportDevice* device, const uint8_t* report, size_t length)
{
    return hid_write(Raw(device), report, length);
}

int HidTransportRead(HidTransportDevice* device, uint8_t* report, size_t capacity, int timeoutMs)
{
    return hid_read_timeout(Raw(device), report, capacity, timeoutMs);
}

int HidTransportGetFeature(HidTransportDevice* device, uint8_t* report, size_t length)
{
    return hid_get_feature_report(Raw(device), report, length);
}

int HidTransportSetFeature(HidTransportDevice* device, const uint8_t* report, size_t length)
{
    return hid_send_feature_report(Raw(device), report, length);
}

void HidTransportClose(HidTransportDevice* device)
{
    hid_close(Raw(device));
}
