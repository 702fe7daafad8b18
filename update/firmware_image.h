#pragma once
// The image files: one per board variant, raw bytes, byte 0 being the new minor version.
#include <cstddef>
#include <cstdint>
#include <vector>

constexpr size_t kBlockSize = 512;
constexpr size_t kMaxBlocks = 255;  // the block index is one byte wide
constexpr size_t kMaxImageSize = kBlockSize * kMaxBlocks;

// Results of the image operations.
enum : int {
    kImageOk = 0,
    kImageNotFound = -1,   // cannot be opened for reading, or not positioned at its end
    kImageEmpty = -2,      // no version byte, nothing to send
    kImageTooLarge = -3,   // more blocks than the one-byte block index can address
    kImageShortRead = -4,  // fewer bytes came than the size learnt at opening
};

struct FirmwareImage {
    std::vector<uint8_t> bytes;
};

const char* ImageFileName(int variant);

// Reads byte 0 of the variant's file into *versionByte. kImageOk or one of the failures above.
int ReadImageVersion(int variant, uint8_t* versionByte);

// Reads the variant's whole file into *image. kImageOk or one of the failures above.
int LoadImage(int variant, FirmwareImage* image);

// 512-byte blocks needed for `size` bytes; the last one may be partly filled.
size_t BlockCount(size_t size);
