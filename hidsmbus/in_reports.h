#pragma once
// Input reports of one bridge: read responses and transfer status responses share the IN endpoint,
// so whatever arrives is sorted by report ID into its own queue.
#include "hidsmbus/open_devices.h"

// Takes in every report already waiting, without blocking, and discards those with this ID (and
// any kept from before): they answer an earlier request. False if the device failed.
bool DropWaitingInReports(OpenDevice& device, uint8_t reportId);

// Waits up to the device's response time-out for the next report with this ID and takes it
// from its queue. Returns HID_SMBUS_READ_TIMED_OUT or HID_SMBUS_READ_ERROR on failure.
HidSmbusStatus WaitForInReport(OpenDevice& device, uint8_t reportId, InReport& report);
