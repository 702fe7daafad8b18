#include "update/image_transfer.h"

#include "bridge/bridge.h"
#include "clock/wait.h"
#include "update/device_commands.h"
#include "update/firmware_image.h"
#include "update/image_messages.h"
#include "update/progress.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

namespace {

constexpr uint32_t kWaitAfterEnterMs = 1000;  // the bootloader prepares its flash
constexpr uint32_t kWaitBeforeBlockMs = 50;
constexpr size_t kChunksPerBlock = kBlockSize / kChunkSize;
constexpr uint8_t kErasedFlash = 0xFF;

void ReportLoadFailure(int result)
{
    if (result == kImageNotFound)
        std::fputs("ERROR: Input file not found.\r\n", stderr);
    else if (result == kImageShortRead)
        std::fputs("ERROR: Could not read input file.\r\n", stderr);
    else
        std::fputs(ImageRefusalMessage(result), stderr);
}

// The 16 bytes at `offset`; past the end of the image the chunk is filled as erased flash.
void FillChunk(uint8_t (&chunk)[kChunkSize], const FirmwareImage& image, size_t offset)
{
    std::memset(chunk, kErasedFlash, kChunkSize);
    if (offset < image.bytes.size())
        std::memcpy(chunk, &image.bytes[offset], std::min<size_t>(kChunkSize, image.bytes.size() - offset));
}

}  // namespace

int TransferImage(int variant)
{
    uint8_t chunk[kChunkSize] = {};
    FirmwareImage image;
    int loaded = LoadImage(variant, &image);
    if (loaded != kImageOk) {
        ReportLoadFailure(loaded);
        return kTransferNoImage;
    }
    const size_t blocks = BlockCount(image.bytes.size());

    WaitMs(kWaitAfterEnterMs);
    size_t offset = 0;
    for (size_t block = 0; block < blocks; ++block) {
        WaitMs(kWaitBeforeBlockMs);
        if (SetBlockIndex(static_cast<uint8_t>(block)) != 0) {
            std::fputs("ERROR: Could not perform SetBlockIndex.\r\n", stderr);
            CloseBridge();
        }
        for (size_t k = 0; k < kChunksPerBlock; ++k) {
            FillChunk(chunk, image, offset);
            if (ISP_Update(chunk) != 0) {
                std::fputs("ERROR: Could not ISP_Update.\r\n", stderr);
                CloseBridge();
                return kTransferFailed;
            }
            offset += kChunkSize;
        }
        PrintProgress(block, blocks);
    }
    return kTransferDone;
}
