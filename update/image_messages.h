#pragma once
// The lines that refuse an image file which cannot be written as it is.

// For kImageEmpty and kImageTooLarge (firmware_image.h); null for any other result.
const char* ImageRefusalMessage(int imageResult);
