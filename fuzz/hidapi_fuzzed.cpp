// hidapi's functions answered from the fuzz input: every device list, open, write result, IN report
// and feature report is what the input says. Once the input is used up, writes succeed and reads
// time out, so every run comes to an end.
#include "clock/wait.h"
#include "emulator/device_listing.h"
#include "fuzz/fuzz_input.h"

#include <hidapi.h>

#include <cstdlib>
#include <cstring>

struct hid_device_ {
    int unused;
};

namespace {

const uint8_t* g_data = nullptr;
size_t g_size = 0;
size_t g_at = 0;

constexpr uint8_t kFail = 0xFF;

// A report length taken from the input: 0 means nothing, 65 means failure.
int TakeReport(unsigned char* data, size_t capacity)
{
    uint8_t length = 0;
    if (!FuzzInputByte(&length))
        return 0;
    length %= 66;
    if (length == 65)
        return -1;
    uint8_t report[64] = {};
    FuzzInputBytes(report, length);
    const size_t copied = capacity < length ? capacity : length;
    std::memcpy(data, report, copied);
    return static_cast<int>(copied);
}

}  // namespace

void FuzzInputStart(const uint8_t* data, size_t size)
{
    g_data = data;
    g_size = size;
    g_at = 0;
}

bool FuzzInputByte(uint8_t* byte)
{
    if (g_at >= g_size)
        return false;
    *byte = g_data[g_at++];
    return true;
}

size_t FuzzInputBytes(uint8_t* destination, size_t count)
{
    size_t taken = 0;
    for (; taken < count && g_at < g_size; ++taken)
        destination[taken] = g_data[g_at++];
    std::memset(destination + taken, 0, count - taken);
    return taken;
}

int HID_API_EXPORT hid_init(void)
{
    return 0;
}

int HID_API_EXPORT hid_exit(void)
{
    return 0;
}

struct hid_device_info HID_API_EXPORT* hid_enumerate(unsigned short, unsigned short)
{
    // Low two bits: how many bridges; the next bits: which of them lack a serial number.
    uint8_t shape = 1;
    FuzzInputByte(&shape);
    hid_device_info* first = nullptr;
    hid_device_info** tail = &first;
    for (int i = 0; i < (shape & 3); ++i) {
        hid_device_info* info = NewBridgeListing("fuzzed", (shape >> (2 + i)) & 1 ? "" : "FUZZ");
        *tail = info;
        tail = &info->next;
    }
    return first;
}

void HID_API_EXPORT hid_free_enumeration(struct hid_device_info* devices)
{
    FreeDeviceListings(devices);
}

HID_API_EXPORT hid_device* hid_open_path(const char*)
{
    uint8_t answer = 0;
    if (FuzzInputByte(&answer) && answer == kFail)
        return nullptr;
    return new hid_device{0};
}

int HID_API_EXPORT hid_write(hid_device*, const unsigned char*, size_t length)
{
    uint8_t answer = 0;
    if (!FuzzInputByte(&answer))
        return static_cast<int>(length);
    if (answer == kFail)
        return -1;
    if (answer == kFail - 1)
        return static_cast<int>(length / 2);  // a short write
    return static_cast<int>(length);
}

int HID_API_EXPORT hid_read_timeout(hid_device*, unsigned char* data, size_t length, int milliseconds)
{
    const int got = TakeReport(data, length);
    if (got == 0 && milliseconds < 0)
        return -1;  // nothing more will come, and a wait without end would never return
    if (got == 0 && milliseconds > 0)
        WaitMs(static_cast<uint32_t>(milliseconds));
    return got;
}

int HID_API_EXPORT hid_send_feature_report(hid_device*, const unsigned char*, size_t length)
{
    uint8_t answer = 0;
    if (FuzzInputByte(&answer) && answer == kFail)
        return -1;
    return static_cast<int>(length);
}

int HID_API_EXPORT hid_get_feature_report(hid_device*, unsigned char* data, size_t length)
{
    return TakeReport(data, length);
}

void HID_API_EXPORT hid_close(hid_device* device)
{
    delete device;
}
