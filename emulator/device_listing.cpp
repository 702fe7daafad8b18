#include "emulator/device_listing.h"

#include <cstdlib>
#include <cstring>

namespace {

wchar_t* WideCopy(const std::string& text)
{
    wchar_t* wide = static_cast<wchar_t*>(std::calloc(text.size() + 1, sizeof(wchar_t)));
    for (size_t i = 0; i < text.size(); ++i)
        wide[i] = static_cast<wchar_t>(text[i]);
    return wide;
}

char* Copy(const std::string& text)
{
    char* copy = static_cast<char*>(std::calloc(text.size() + 1, 1));
    std::memcpy(copy, text.data(), text.size());
    return copy;
}

}  // namespace

hid_device_info* NewBridgeListing(const std::string& path, const std::string& serial)
{
    hid_device_info* info = static_cast<hid_device_info*>(std::calloc(1, sizeof(hid_device_info)));
    info->path = Copy(path);
    info->vendor_id = 0x10C4;
    info->product_id = 0x1A22;
    info->serial_number = serial.empty() ? nullptr : WideCopy(serial);
    info->manufacturer_string = WideCopy("Emulated");
    info->product_string = WideCopy("CP2112 HID USB-to-SMBus Bridge");
    return info;
}

void FreeDeviceListings(hid_device_info* devices)
{
    while (devices != nullptr) {
        hid_device_info* next = devices->next;
        std::free(devices->path);
        std::free(devices->serial_number);
        std::free(devices->manufacturer_string);
        std::free(devices->product_string);
        std::free(devices);
        devices = next;
    }
}
