// The bridge library's functions against the emulated chip: the reports they send, what they make
// of what comes back, and how they treat handles they did not open.
#include "clock/virtual_clock.h"
#include "clock/wait.h"
#include "hidsmbus/hid_smbus.h"
#include "tests/test_support.h"

#include <gtest/gtest.h>

#include <functional>

namespace {

constexpr uint16_t kVid = 0x10C4;
constexpr uint16_t kPid = 0x1A22;

std::vector<uint8_t> Report64(std::vector<uint8_t> head)
{
    head.resize(64, 0);
    return head;
}

class HidSmbusTest : public ::testing::Test {
protected:
    void Open(const EmulatedUnitConfig& config = {})
    {
        StartFreshUnit(config);
        ASSERT_EQ(HidSmbus_Open(&device_, 0, kVid, kPid), HID_SMBUS_SUCCESS);
    }
    void TearDown() override { HidSmbus_Close(device_); }

    // The reports sent since `from`, as the chip received them.
    std::vector<HostReport> SentSince(size_t from) const
    {
        const auto& all = EmulatedHostReports();
        return std::vector<HostReport>(all.begin() + static_cast<long>(from), all.end());
    }

    HidSmbusDevice device_ = nullptr;
};

TEST_F(HidSmbusTest, EachFunctionSendsItsReportAtFullLengthWithBigEndianFields)
{
    Open();
    struct Case {
        const char* what;
        std::function<HidSmbusStatus(HidSmbusDevice)> call;
        HostReport::Kind kind;
        std::vector<uint8_t> bytes;
    };
    const uint8_t reg[1] = {0x04};
    const uint8_t write[2] = {0x01, 0xFE};
    uint8_t latch = 0;
    const std::vector<Case> cases = {
        {"smbus config", [](HidSmbusDevice d) { return HidSmbus_SetSmbusConfig(d, 50000, 0x02, 0, 1000, 1000, 1, 2); },
         HostReport::FeatureSet, {0x06, 0x00, 0x00, 0xC3, 0x50, 0x02, 0x00, 0x03, 0xE8, 0x03, 0xE8, 0x01, 0x00, 0x02}},
        {"address read", [&](HidSmbusDevice d) { return HidSmbus_AddressReadRequest(d, 0x78, 2, 1, reg); },
         HostReport::Out, Report64({0x11, 0x78, 0x00, 0x02, 0x01, 0x04})},
        {"status request", [](HidSmbusDevice d) { return HidSmbus_TransferStatusRequest(d); },
         HostReport::Out, Report64({0x15, 0x01})},
        {"force read", [](HidSmbusDevice d) { return HidSmbus_ForceReadResponse(d, 0x0102); },
         HostReport::Out, Report64({0x12, 0x01, 0x02})},
        {"data write", [&](HidSmbusDevice d) { return HidSmbus_WriteRequest(d, 0x50, write, 2); },
         HostReport::Out, Report64({0x14, 0x50, 0x02, 0x01, 0xFE})},
        {"latch", [&](HidSmbusDevice d) { return HidSmbus_ReadLatch(d, &latch); },
         HostReport::FeatureGet, Report64({0x03})},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const size_t before = EmulatedHostReports().size();
        EXPECT_EQ(c.call(device_), HID_SMBUS_SUCCESS);
        const std::vector<HostReport> sent = SentSince(before);
        ASSERT_EQ(sent.size(), 1u);
        EXPECT_EQ(sent[0].kind, c.kind);
        EXPECT_EQ(sent[0].bytes, c.bytes);
    }
}

TEST_F(HidSmbusTest, OpenChecksThePartNumberAndDrainsStaleInput)
{
    StartFreshUnit({});
    EmulatedUnitQueueInReport(Report64({0x13, 0x00, 0x02, 0xAA, 0xBB}));
    ASSERT_EQ(HidSmbus_Open(&device_, 0, kVid, kPid), HID_SMBUS_SUCCESS);
    ASSERT_EQ(EmulatedHostReports()[0].kind, HostReport::FeatureGet);
    EXPECT_EQ(EmulatedHostReports()[0].bytes[0], 0x05);

    uint8_t status = 0, count = 0;
    uint8_t data[61] = {};
    EXPECT_EQ(HidSmbus_GetReadResponse(device_, &status, data, 61, &count), HID_SMBUS_READ_TIMED_OUT);
}

TEST_F(HidSmbusTest, ReadResponsesAreSortedFromOtherReportsAndBounded)
{
    Open();
    uint8_t status = 0, count = 0;
    uint8_t data[61];

    // Unknown IDs are dropped, a status response waits in its own queue, the read response is ours.
    EmulatedUnitQueueInReport(Report64({0x42, 0x01}));
    EmulatedUnitQueueInReport(Report64({0x16, 0x02, 0x05, 0, 0, 0, 2}));
    EmulatedUnitQueueInReport(Report64({0x13, 0x00, 0x02, 0x11, 0x22}));
    ASSERT_EQ(HidSmbus_GetReadResponse(device_, &status, data, 61, &count), HID_SMBUS_SUCCESS);
    EXPECT_EQ(count, 2);
    EXPECT_EQ(data[0], 0x11);
    EXPECT_EQ(data[1], 0x22);

    // A count byte above 61 is malformed: refused, and nothing of it lands in the buffer.
    std::fill(std::begin(data), std::end(data), 0xCC);
    EmulatedUnitQueueInReport(Report64({0x13, 0x00, 62, 0x33}));
    EXPECT_EQ(HidSmbus_GetReadResponse(device_, &status, data, 61, &count), HID_SMBUS_READ_ERROR);
    EXPECT_EQ(data[0], 0xCC);
    // A report shorter than its own count claims is malformed too.
    EmulatedUnitQueueInReport({0x13, 0x00, 5, 0x44});
    EXPECT_EQ(HidSmbus_GetReadResponse(device_, &status, data, 61, &count), HID_SMBUS_READ_ERROR);

    EXPECT_EQ(HidSmbus_GetReadResponse(device_, &status, data, 60, &count), HID_SMBUS_INVALID_PARAMETER);
}

TEST_F(HidSmbusTest, AStatusRequestDropsStatusResponsesThatCameBeforeIt)
{
    Open();
    EmulatedUnitQueueInReport(Report64({0x16, 0x03, 0x04, 0, 9, 0, 0}));
    ASSERT_EQ(HidSmbus_TransferStatusRequest(device_), HID_SMBUS_SUCCESS);
    uint8_t s0 = 0, s1 = 0;
    uint16_t retries = 0, bytes = 0;
    ASSERT_EQ(HidSmbus_GetTransferStatusResponse(device_, &s0, &s1, &retries, &bytes), HID_SMBUS_SUCCESS);
    EXPECT_EQ(s0, 0);  // the chip's answer (idle), not the stale "failed"
    EXPECT_EQ(retries, 0);
}

TEST_F(HidSmbusTest, AnAddressReadDropsReadResponsesLeftFromTheLastTransfer)
{
    Open();
    EmulatedUnitQueueInReport(Report64({0x13, 0x00, 0x01, 0x77}));
    const uint8_t reg[1] = {0x8A};
    ASSERT_EQ(HidSmbus_AddressReadRequest(device_, 0x50, 1, 1, reg), HID_SMBUS_SUCCESS);  // nobody at 0x50
    ASSERT_EQ(HidSmbus_ForceReadResponse(device_, 1), HID_SMBUS_SUCCESS);
    uint8_t status = 0, count = 0;
    uint8_t data[61];
    ASSERT_EQ(HidSmbus_GetReadResponse(device_, &status, data, 61, &count), HID_SMBUS_SUCCESS);
    EXPECT_EQ(count, 0);  // the chip's empty answer, not the leftover byte
}

TEST_F(HidSmbusTest, AResponseThatNeverComesTimesOutOnTheResponseTimeout)
{
    Open();
    ASSERT_EQ(HidSmbus_SetTimeouts(device_, 1000), HID_SMBUS_SUCCESS);
    const uint64_t start = NowMs();
    uint8_t status = 0, count = 0;
    uint8_t data[61];
    EXPECT_EQ(HidSmbus_GetReadResponse(device_, &status, data, 61, &count), HID_SMBUS_READ_TIMED_OUT);
    EXPECT_EQ(NowMs() - start, 1000u);
    uint8_t s1 = 0;
    uint16_t retries = 0, bytes = 0;
    EXPECT_EQ(HidSmbus_GetTransferStatusResponse(device_, &status, &s1, &retries, &bytes), HID_SMBUS_READ_TIMED_OUT);
    EXPECT_EQ(NowMs() - start, 2000u);
}

TEST_F(HidSmbusTest, ParametersOutsideTheirRangesAreRefusedBeforeAnythingIsSent)
{
    Open();
    const uint8_t bytes[62] = {};
    const size_t before = EmulatedHostReports().size();
    EXPECT_EQ(HidSmbus_WriteRequest(device_, 0x50, bytes, 0), HID_SMBUS_INVALID_REQUEST_LENGTH);
    EXPECT_EQ(HidSmbus_WriteRequest(device_, 0x50, bytes, 62), HID_SMBUS_INVALID_REQUEST_LENGTH);
    EXPECT_EQ(HidSmbus_WriteRequest(device_, 0x51, bytes, 2), HID_SMBUS_INVALID_PARAMETER);
    EXPECT_EQ(HidSmbus_AddressReadRequest(device_, 0x78, 0, 1, bytes), HID_SMBUS_INVALID_REQUEST_LENGTH);
    EXPECT_EQ(HidSmbus_AddressReadRequest(device_, 0x78, 513, 1, bytes), HID_SMBUS_INVALID_REQUEST_LENGTH);
    EXPECT_EQ(HidSmbus_AddressReadRequest(device_, 0x78, 2, 17, bytes), HID_SMBUS_INVALID_PARAMETER);
    EXPECT_EQ(HidSmbus_ForceReadResponse(device_, 0), HID_SMBUS_INVALID_REQUEST_LENGTH);
    EXPECT_EQ(HidSmbus_SetSmbusConfig(device_, 0, 0x02, 0, 1000, 1000, 1, 2), HID_SMBUS_INVALID_PARAMETER);
    EXPECT_EQ(HidSmbus_SetSmbusConfig(device_, 50000, 0x03, 0, 1000, 1000, 1, 2), HID_SMBUS_INVALID_PARAMETER);
    EXPECT_EQ(HidSmbus_SetSmbusConfig(device_, 50000, 0x02, 0, 1001, 1000, 1, 2), HID_SMBUS_INVALID_PARAMETER);
    EXPECT_EQ(EmulatedHostReports().size(), before);
}

TEST_F(HidSmbusTest, HandlesItDidNotOpenOrHasClosedAreRefusedWithoutBeingTouched)
{
    Open();
    HidSmbusDevice closed = device_;
    ASSERT_EQ(HidSmbus_Close(closed), HID_SMBUS_SUCCESS);
    device_ = nullptr;
    int never = 0;  // a pointer this library never handed out
    const uint8_t bytes[2] = {0x02, 0x00};
    uint8_t latch = 0;
    for (HidSmbusDevice handle : {HidSmbusDevice{nullptr}, closed, HidSmbusDevice{&never}}) {
        const size_t before = EmulatedHostReports().size();
        int32_t opened = 7;
        EXPECT_EQ(HidSmbus_IsOpened(handle, &opened), HID_SMBUS_SUCCESS);
        EXPECT_EQ(opened, 0);
        EXPECT_EQ(HidSmbus_WriteRequest(handle, 0x50, bytes, 2), HID_SMBUS_INVALID_DEVICE_OBJECT);
        EXPECT_EQ(HidSmbus_ReadLatch(handle, &latch), HID_SMBUS_INVALID_DEVICE_OBJECT);
        EXPECT_EQ(HidSmbus_SetTimeouts(handle, 1000), HID_SMBUS_INVALID_DEVICE_OBJECT);
        EXPECT_EQ(HidSmbus_Close(handle), HID_SMBUS_INVALID_DEVICE_OBJECT);
        EXPECT_EQ(EmulatedHostReports().size(), before);
    }
}

TEST_F(HidSmbusTest, DevicesAreCountedAndDescribedByIndex)
{
    EmulatedUnitConfig twoBridges;
    twoBridges.firstBridgeWithoutSerial = true;
    StartFreshUnit(twoBridges);
    uint32_t count = 0;
    ASSERT_EQ(HidSmbus_GetNumDevices(&count, kVid, kPid), HID_SMBUS_SUCCESS);
    EXPECT_EQ(count, 2u);
    char text[HID_SMBUS_STRING_LENGTH];
    EXPECT_EQ(HidSmbus_GetString(0, kVid, kPid, text, HID_SMBUS_GET_SERIAL_STR), HID_SMBUS_DEVICE_ACCESS_ERROR);
    ASSERT_EQ(HidSmbus_GetString(1, kVid, kPid, text, HID_SMBUS_GET_SERIAL_STR), HID_SMBUS_SUCCESS);
    EXPECT_STREQ(text, "EMU1001");
    ASSERT_EQ(HidSmbus_GetString(1, kVid, kPid, text, HID_SMBUS_GET_VID_STR), HID_SMBUS_SUCCESS);
    EXPECT_STREQ(text, "10C4");
    EXPECT_EQ(HidSmbus_GetString(2, kVid, kPid, text, HID_SMBUS_GET_SERIAL_STR), HID_SMBUS_DEVICE_NOT_FOUND);
    EXPECT_EQ(HidSmbus_GetString(1, kVid, kPid, text, 9), HID_SMBUS_INVALID_PARAMETER);
    EXPECT_EQ(HidSmbus_GetString(1, kVid, kPid, nullptr, HID_SMBUS_GET_SERIAL_STR), HID_SMBUS_INVALID_PARAMETER);

    EmulatedUnitConfig refused;
    refused.openRefused = true;
    StartFreshUnit(refused);
    HidSmbusDevice untouched = &count;
    EXPECT_NE(HidSmbus_Open(&untouched, 0, kVid, kPid), HID_SMBUS_SUCCESS);
    EXPECT_EQ(untouched, HidSmbusDevice{&count});
}

}  // namespace
