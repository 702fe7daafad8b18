#pragma once
// The registry of bridges this library has opened, and the state each one keeps.
#include "hidsmbus/cp2112_reports.h"
#include "hidsmbus/hid_smbus.h"
#include "hidsmbus/hid_transport.h"

#include <array>
#include <cstdint>
#include <deque>

struct InReport {
    std::array<uint8_t, cp2112::kReportSize> bytes{};
    size_t length = 0;
};

struct OpenDevice {
    HidTransportDevice* transport = nullptr;
    uint32_t responseTimeoutMs = 1000;
    // IN reports that arrived while waiting for another kind, kept in arrival order.
    std::deque<InReport> readResponses;
    std::deque<InReport> statusResponses;
};

// Takes ownership of `device` and returns the handle that names it.
HidSmbusDevice RegisterOpenDevice(OpenDevice* device);

// The device behind `handle`, or null for any value this library did not hand out or has closed.
// The handle itself is never dereferenced unless it is found.
OpenDevice* FindOpenDevice(HidSmbusDevice handle);

// Forgets and frees the device; the handle is dead from then on.
void ForgetOpenDevice(OpenDevice* device);
