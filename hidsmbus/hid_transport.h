#pragma once
// The few HID operations the bridge library needs. One implementation per platform is linked.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

struct HidTransportDevice;

struct HidDeviceListing {
    std::string path;
    bool hasSerial = false;
    std::string serial;
    std::string manufacturer;
    std::string product;
};

// Attached HID devices with this vendor and product ID, in the platform's order. Empty on failure.
std::vector<HidDeviceListing> HidTransportList(uint16_t vid, uint16_t pid);

// Null when the device cannot be opened.
HidTransportDevice* HidTransportOpen(const std::string& path);

// Sends one interrupt OUT report (report ID in byte 0). Bytes written, or -1.
int HidTransportWrite(HidTransportDevice* device, const uint8_t* report, size_t length);

// Waits up to timeoutMs for one interrupt IN report. Bytes read, 0 on time-out, -1 on failure.
int HidTransportRead(HidTransportDevice* device, uint8_t* report, size_t capacity, int timeoutMs);

// Feature reports; report[0] holds the report ID. Bytes transferred (ID included), or -1.
int HidTransportGetFeature(HidTransportDevice* device, uint8_t* report, size_t length);
int HidTransportSetFeature(HidTransportDevice* device, const uint8_t* report, size_t length);

void HidTransportClose(HidTransportDevice* device);
