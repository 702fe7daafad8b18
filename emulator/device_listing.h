#pragma once
// hidapi's device lists, as the stand-ins that play hidapi hand them out and take them back.
#include <hidapi.h>

#include <string>

// One CP2112 bridge at `path`; without a serial number when `serial` is empty.
hid_device_info* NewBridgeListing(const std::string& path, const std::string& serial);

// Frees a whole list made of NewBridgeListing entries.
void FreeDeviceListings(hid_device_info* devices);
