// Feeds arbitrary IN and feature reports (and write results) into the bridge library's functions,
// called in an order and with arguments that the input also chooses.
#include "clock/virtual_clock.h"
#include "fuzz/fuzz_input.h"
#include "hidsmbus/hid_smbus.h"

#include <cstring>

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    VirtualClockReset();
    FuzzInputStart(data, size);
    HidSmbusDevice device = nullptr;
    HidSmbusDevice closed = nullptr;
    uint32_t count = 0;
    HidSmbus_GetNumDevices(&count, 0x10C4, 0x1A22);
    char text[HID_SMBUS_STRING_LENGTH];
    HidSmbus_GetString(0, 0x10C4, 0x1A22, text, HID_SMBUS_GET_SERIAL_STR);
    HidSmbus_Open(&device, 0, 0x10C4, 0x1A22);

    uint8_t op = 0;
    for (int calls = 0; calls < 64 && FuzzInputByte(&op); ++calls) {
        uint8_t args[4] = {};
        FuzzInputBytes(args, sizeof args);
        HidSmbusDevice target = (op & 0x80) != 0 ? closed : device;
        uint8_t buffer[64] = {};
        uint8_t s0 = 0, s1 = 0, got = 0;
        uint16_t retries = 0, bytes = 0;
        int32_t opened = 0;
        switch (op % 11) {
        case 0: HidSmbus_SetSmbusConfig(target, 50000, args[0], args[1], 1000, 1000, 1, 2); break;
        case 1: HidSmbus_SetTimeouts(target, args[0] * 10u); break;  // 0 waits without end, as on hardware
        case 2: HidSmbus_AddressReadRequest(target, args[0], static_cast<uint16_t>(args[1] << 2), args[2] % 18, buffer); break;
        case 3: HidSmbus_TransferStatusRequest(target); break;
        case 4: HidSmbus_GetTransferStatusResponse(target, &s0, &s1, &retries, &bytes); break;
        case 5: HidSmbus_ForceReadResponse(target, static_cast<uint16_t>(args[0] << 2)); break;
        case 6: HidSmbus_GetReadResponse(target, &s0, buffer, static_cast<uint8_t>(61 + args[0] % 4), &got); break;
        case 7: HidSmbus_WriteRequest(target, args[0], buffer, args[1]); break;
        case 8: HidSmbus_ReadLatch(target, &s0); break;
        case 9: HidSmbus_IsOpened(target, &opened); break;
        default:
            if (HidSmbus_Close(device) == HID_SMBUS_SUCCESS)
                closed = device;
            break;
        }
    }
    HidSmbus_Close(device);
    return 0;
}
