#include "update/firmware_image.h"

#include <filesystem>
#include <fstream>

namespace {

// Opens read-only, binary, without denying others access, positioned at the end.
// Returns the size, or -1 when the file cannot be opened or positioned.
long long OpenAtEnd(int variant, std::ifstream& file)
{
    // A folder of that name opens on some systems and reports a nonsense size: it is no image file.
    std::error_code ignored;
    if (std::filesystem::is_directory(ImageFileName(variant), ignored))
        return -1;
    file.open(ImageFileName(variant), std::ios::in | std::ios::binary | std::ios::ate);
    if (!file.is_open())
        return -1;
    std::streamoff end = file.tellg();
    if (!file || end < 0)
        return -1;
    return static_cast<long long>(end);
}

int CheckSize(long long size)
{
    if (size < 0)
        return kImageNotFound;
    if (size == 0)
        return kImageEmpty;
    if (static_cast<unsigned long long>(size) > kMaxImageSize)
        return kImageTooLarge;
    return kImageOk;
}

}  // namespace

const char* ImageFileName(int variant)
{
    return variant == 2 ? "DATA1.bin" : "DATA.bin";
}

int ReadImageVersion(int variant, uint8_t* versionByte)
{
    std::ifstream file;
    int result = CheckSize(OpenAtEnd(variant, file));
    if (result != kImageOk)
        return result;
    file.seekg(0);
    char first = 0;
    if (!file.get(first))
        return kImageShortRead;
    *versionByte = static_cast<uint8_t>(first);
    return kImageOk;
}

int LoadImage(int variant, FirmwareImage* image)
{
    std::ifstream file;
    long long size = OpenAtEnd(variant, file);
    int result = CheckSize(size);
    if (result != kImageOk)
        return result;
    image->bytes.assign(static_cast<size_t>(size), 0);
    file.seekg(0);
    file.read(reinterpret_cast<char*>(image->bytes.data()), static_cast<std::streamsize>(size));
    if (file.gcount() != static_cast<std::streamsize>(size)) {
        image->bytes.clear();
        return kImageShortRead;
    }
    return kImageOk;
}

size_t BlockCount(size_t size)
{
    return size / kBlockSize + (size % kBlockSize != 0 ? 1 : 0);
}
