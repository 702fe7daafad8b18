// Image files: names, version byte, loading, block geometry, and the files that are refused.
#include "tests/test_support.h"
#include "update/firmware_image.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace {

TEST(FirmwareImage, NamesAndBlockCounts)
{
    EXPECT_STREQ(ImageFileName(1), "DATA.bin");
    EXPECT_STREQ(ImageFileName(2), "DATA1.bin");
    const std::vector<std::pair<size_t, size_t>> blocks = {
        {0, 0}, {1, 1}, {511, 1}, {512, 1}, {513, 2}, {1024, 2}, {255 * 512, 255}, {255 * 512 + 1, 256}};
    for (const auto& [size, count] : blocks)
        EXPECT_EQ(BlockCount(size), count) << size << " bytes";
}

TEST(FirmwareImage, LoadsEveryByteAsStoredWithByteZeroAsTheVersion)
{
    ScratchFolder folder;
    std::vector<uint8_t> bytes = MakeImage(700, 0xC8);
    bytes[1] = 0x0D;
    bytes[2] = 0x0A;
    bytes[3] = 0x1A;
    bytes[4] = 0x00;
    folder.Write("DATA1.bin", bytes);

    uint8_t version = 0;
    EXPECT_EQ(ReadImageVersion(2, &version), kImageOk);
    EXPECT_EQ(version, 0xC8);
    FirmwareImage image;
    EXPECT_EQ(LoadImage(2, &image), kImageOk);
    EXPECT_EQ(image.bytes, bytes);
}

TEST(FirmwareImage, FilesThatCannotBeWrittenAsTheyAreAreRefused)
{
    ScratchFolder folder;
    const std::vector<std::pair<std::vector<uint8_t>, int>> cases = {
        {{}, kImageEmpty},
        {MakeImage(255 * 512), kImageOk},
        {MakeImage(255 * 512 + 1), kImageTooLarge},
    };
    for (const auto& [bytes, expected] : cases) {
        SCOPED_TRACE(bytes.size());
        folder.Write("DATA.bin", bytes);
        uint8_t version = 0;
        FirmwareImage image;
        EXPECT_EQ(ReadImageVersion(1, &version), expected);
        EXPECT_EQ(LoadImage(1, &image), expected);
        EXPECT_EQ(image.bytes.size(), expected == kImageOk ? bytes.size() : 0u);
    }
    folder.Remove("DATA.bin");
    uint8_t version = 0;
    FirmwareImage image;
    EXPECT_EQ(ReadImageVersion(1, &version), kImageNotFound);
    EXPECT_EQ(LoadImage(1, &image), kImageNotFound);
    EXPECT_TRUE(image.bytes.empty());

    // A folder with the image's name is not an image.
    std::filesystem::create_directory(std::filesystem::path(folder.Path()) / "DATA1.bin");
    EXPECT_EQ(ReadImageVersion(2, &version), kImageNotFound);
    EXPECT_EQ(LoadImage(2, &image), kImageNotFound);
}

}  // namespace
