#include "hidsmbus/open_devices.h"

#include <algorithm>
#include <vector>

namespace {
std::vector<OpenDevice*> g_openDevices;
}

HidSmbusDevice RegisterOpenDevice(OpenDevice* device)
{
    g_openDevices.push_back(device);
    return device;
}

OpenDevice* FindOpenDevice(HidSmbusDevice handle)
{
    if (handle == nullptr)
        return nullptr;
    for (OpenDevice* device : g_openDevices) {
        if (static_cast<HidSmbusDevice>(device) == handle)
            return device;
    }
    return nullptr;
}

void ForgetOpenDevice(OpenDevice* device)
{
    g_openDevices.erase(std::remove(g_openDevices.begin(), g_openDevices.end(), device), g_openDevices.end());
    delete device;
}
