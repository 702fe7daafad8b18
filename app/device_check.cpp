#include "app/device_check.h"

#include "app/console.h"
#include "bridge/bridge.h"
#include "update/device_commands.h"

#include <cstdio>

int StartAndCheckDevice()
{
    std::fputs("MIRENTA VORNIC FW UPDATE\n", stdout);
    if (OpenBridge() != 0) {
        CloseBridge();
        std::fputs("ERROR: Could not open device. Make sure unit is powered on and USB cable is connected\r\n",
                   stderr);
        PauseBeforeExit();
        return -1;
    }
    if (ConfigureBridge() != 0)
        return FailRun("ERROR: Could not configure device.\r\n");

    uint8_t major = 0;
    uint8_t minor = 0;
    if (ReadVersion(&major, &minor) == 0) {
        std::printf("Current FW version %u.%u\n", unsigned{major}, unsigned{minor});
        return 0;
    }
    if (ProbeBootloader() == 0) {
        std::fputs("Already in bootloader\r\n", stdout);
        return 0;
    }
    return FailRun("Cannot connect to the VORNIC. Make sure to connect power cable and USB cable\n");
}
