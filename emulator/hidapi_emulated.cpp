// hidapi's functions, answered by the emulated unit instead of the OS.
#include "emulator/board_model.h"
#include "emulator/chip_model.h"
#include "emulator/device_listing.h"
#include "emulator/emulated_unit.h"

#include <hidapi.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

struct hid_device_ {
    int index;
};

namespace {

bool g_configured = false;
int g_openedIndex = -1;
hid_device* g_open = nullptr;

// A test sets the unit up itself; the demo program takes it from the environment on first use.
void EnsureConfigured()
{
    if (g_configured)
        return;
    EmulatedUnitConfig config;
    if (!EmulatedUnitConfigFromEnvironment(&config))
        std::exit(2);
    EmulatedUnitReset(config);
}

int ListedBridges()
{
    const EmulatedUnitConfig& config = ChipConfig();
    return config.firstBridgeWithoutSerial ? std::max(config.bridges, 2) : config.bridges;
}

bool IsOurs(hid_device* device)
{
    return device != nullptr && device == g_open;
}

}  // namespace

void EmulatedUnitReset(const EmulatedUnitConfig& config)
{
    g_configured = true;
    delete g_open;
    g_open = nullptr;
    g_openedIndex = -1;
    ChipReset(config);
    BoardReset(config);
}

int EmulatedOpenedBridge()
{
    return g_openedIndex;
}

bool EmulatedBridgeIsOpen()
{
    return g_open != nullptr;
}

int HID_API_EXPORT hid_init(void)
{
    EnsureConfigured();
    return 0;
}

int HID_API_EXPORT hid_exit(void)
{
    return 0;
}

struct hid_device_info HID_API_EXPORT* hid_enumerate(unsigned short vendor_id, unsigned short product_id)
{
    EnsureConfigured();
    if ((vendor_id != 0 && vendor_id != 0x10C4) || (product_id != 0 && product_id != 0x1A22))
        return nullptr;
    hid_device_info* first = nullptr;
    hid_device_info** tail = &first;
    for (int i = 0; i < ListedBridges(); ++i) {
        const bool serial = !(i == 0 && ChipConfig().firstBridgeWithoutSerial);
        hid_device_info* info =
            NewBridgeListing("emulated-cp2112-" + std::to_string(i), serial ? "EMU" + std::to_string(1000 + i) : "");
        *tail = info;
        tail = &info->next;
    }
    return first;
}

void HID_API_EXPORT hid_free_enumeration(struct hid_device_info* devices)
{
    FreeDeviceListings(devices);
}

HID_API_EXPORT hid_device* hid_open_path(const char* path)
{
    EnsureConfigured();
    const std::string prefix = "emulated-cp2112-";
    if (path == nullptr || ChipConfig().openRefused || g_open != nullptr)
        return nullptr;
    const std::string name = path;
    if (name.compare(0, prefix.size(), prefix) != 0)
        return nullptr;
    const int index = std::atoi(name.c_str() + prefix.size());
    if (index < 0 || index >= ListedBridges())
        return nullptr;
    g_open = new hid_device{index};
    g_openedIndex = index;
    return g_open;
}

int HID_API_EXPORT hid_write(hid_device* device, const unsigned char* data, size_t length)
{
    return IsOurs(device) && data != nullptr ? ChipTakeOutReport(data, length) : -1;
}

int HID_API_EXPORT hid_read_timeout(hid_device* device, unsigned char* data, size_t length, int milliseconds)
{
    return IsOurs(device) && data != nullptr ? ChipGiveInReport(data, length, milliseconds) : -1;
}

int HID_API_EXPORT hid_send_feature_report(hid_device* device, const unsigned char* data, size_t length)
{
    return IsOurs(device) && data != nullptr ? ChipSetFeature(data, length) : -1;
}

int HID_API_EXPORT hid_get_feature_report(hid_device* device, unsigned char* data, size_t length)
{
    return IsOurs(device) && data != nullptr ? ChipGetFeature(data, length) : -1;
}

void HID_API_EXPORT hid_close(hid_device* device)
{
    if (!IsOurs(device))
        return;
    delete g_open;
    g_open = nullptr;
}
