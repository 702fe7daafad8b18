#pragma once
// The second half of a run: variant, image, bootloader in and out around the transfer, and the
// closing lines. Entered with the bridge open and the board answering. Returns the exit status.
int RunUpdate();
