#include "app/update_run.h"

#include "app/console.h"
#include "bridge/bridge.h"
#include "update/device_commands.h"
#include "update/firmware_image.h"
#include "update/image_messages.h"
#include "update/image_transfer.h"

#include <cstdio>

namespace {

constexpr int kVariant2Latch = 0x8F;

// The line that refuses the variant's image file before anything is sent to the board.
const char* ImageFileProblem(int result)
{
    if (result == kImageNotFound)
        return "ERROR: Update file not found.\n";
    if (result == kImageShortRead)
        return "ERROR: Could not read update file.\r\n";
    return ImageRefusalMessage(result);
}

}  // namespace

int RunUpdate()
{
    // Guessing the variant could write the other board's firmware, so an unreadable latch ends the run.
    const int latch = ReadVariantLatch();
    if (latch < 0)
        return FailRun("ERROR: Could not read the board variant from the bridge.\r\n");
    const int variant = latch == kVariant2Latch ? 2 : 1;
    std::fputs(variant == 2 ? "INFO: VORNIC VER2 UPDATER\n" : "INFO: VORNIC VER1 UPDATER\n", stdout);

    uint8_t version = 0;
    const int image = ReadImageVersion(variant, &version);
    if (image != kImageOk)
        return FailRun(ImageFileProblem(image));

    if (EnterBootloader() != 0)
        return FailRun("ERROR: Could not enter the bootload mode.\r\n");
    std::printf("Updating to FW version 1.%u\n", unsigned{version});
    std::fputs("Do not unplug USB cable or power cable during update!\n", stdout);

    // After a failed write the transfer has closed the bridge, so ExitBootloader below fails too.
    // When it could not load the image, nothing was written: the board stays in its bootloader
    // for the next run, and this one must not report success.
    if (TransferImage(variant) == kTransferNoImage) {
        CloseBridge();
        PauseBeforeExit();
        return -1;
    }

    if (ExitBootloader() != 0) {
        std::fputs("ERROR: Could not exit the bootloader mode.\r\n", stderr);
        CloseBridge();
        return -1;
    }
    std::printf("Updated succesfully to FW version 1.%u\n\n", unsigned{version});
    std::fputs("Remove the USB cable and then unplug/replug power cable to reboot the system\n\n", stdout);
    PauseBeforeExit();
    CloseBridge();
    return 0;
}
