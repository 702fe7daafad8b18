#pragma once
// Writes a whole image into the board's bootloader, block by block, with its fixed pauses and
// the progress line. Runs between EnterBootloader and ExitBootloader.

enum : int {
    kTransferDone = 1,       // every block was sent
    kTransferNoImage = 0,    // the image could not be loaded; nothing was sent, the bridge is open
    kTransferFailed = -1,    // a write failed; the bridge has been closed
};

int TransferImage(int variant);
