#include "update/image_messages.h"

#include "update/firmware_image.h"

const char* ImageRefusalMessage(int imageResult)
{
    switch (imageResult) {
    case kImageEmpty:
        return "ERROR: Update file is empty.\r\n";
    case kImageTooLarge:
        return "ERROR: Update file is larger than 130560 bytes (255 blocks of 512 bytes).\r\n";
    default:
        return nullptr;
    }
}
