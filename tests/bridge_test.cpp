// The bridge connection: opening, the open guard, reads pieced together, and the wait after writes.
#include "bridge/bridge.h"
#include "clock/virtual_clock.h"
#include "clock/wait.h"
#include "tests/test_support.h"

#include <gtest/gtest.h>

namespace {

class BridgeTest : public ::testing::Test {
protected:
    void OpenOn(const EmulatedUnitConfig& config)
    {
        CloseBridge();  // a test may open more than one unit
        StartFreshUnit(config);
        ASSERT_EQ(OpenBridge(), 0);
        ASSERT_EQ(ConfigureBridge(), 0);
    }
    void TearDown() override { CloseBridge(); }
};

TEST_F(BridgeTest, OpensTheFirstBridgeThatReportsASerialNumber)
{
    EmulatedUnitConfig none;
    none.bridges = 0;
    StartFreshUnit(none);
    EXPECT_EQ(OpenBridge(), -1);

    EmulatedUnitConfig two;
    two.firstBridgeWithoutSerial = true;
    StartFreshUnit(two);
    EXPECT_EQ(OpenBridge(), 0);
    EXPECT_EQ(EmulatedOpenedBridge(), 1);
}

TEST_F(BridgeTest, ConfigureAppliesTheSettingsAndSucceedsWithoutConfiguringWhenClosed)
{
    OpenOn({});
    const HostReport& config = EmulatedHostReports().back();
    EXPECT_EQ(config.kind, HostReport::FeatureSet);
    EXPECT_EQ(config.bytes, (std::vector<uint8_t>{0x06, 0x00, 0x00, 0xC3, 0x50, 0x02, 0x00, 0x03, 0xE8, 0x03, 0xE8,
                                                  0x01, 0x00, 0x02}));

    CloseBridge();
    const size_t before = EmulatedHostReports().size();
    EXPECT_EQ(ConfigureBridge(), 0);
    EXPECT_EQ(EmulatedHostReports().size(), before);

    EmulatedUnitConfig refused;
    refused.configRefused = true;
    StartFreshUnit(refused);
    ASSERT_EQ(OpenBridge(), 0);
    EXPECT_EQ(ConfigureBridge(), -1);
}

TEST_F(BridgeTest, AReadArrivingInOneBytePiecesLandsInOrder)
{
    EmulatedUnitConfig split;
    split.readPieceSize = 1;
    split.versionMajor = 7;
    split.versionMinor = 9;
    OpenOn(split);
    uint8_t version[2] = {};
    EXPECT_EQ(ReadRegister(version, 0x78, 2, 0x04), 2);
    EXPECT_EQ(version[0], 7);
    EXPECT_EQ(version[1], 9);
}

TEST_F(BridgeTest, AReadWhoseResponseNeverComesFailsAfterTheResponseTimeout)
{
    EmulatedUnitConfig silent;
    silent.readResponsesNeverCome = true;
    OpenOn(silent);
    uint8_t version[2] = {};
    const uint64_t start = NowMs();
    EXPECT_EQ(ReadRegister(version, 0x78, 2, 0x04), -1);
    EXPECT_EQ(NowMs() - start, 1000u);
}

TEST_F(BridgeTest, EmptyReadResponsesAreWaitedThroughButNotForever)
{
    EmulatedUnitConfig slow;
    slow.emptyReadResponses = 5;  // a chip still busy answers a few times without data
    OpenOn(slow);
    uint8_t version[2] = {};
    EXPECT_EQ(ReadRegister(version, 0x78, 2, 0x04), 2);
    EXPECT_EQ(version[1], 4);

    EmulatedUnitConfig flooding;
    flooding.emptyReadResponses = 100000;
    OpenOn(flooding);
    EXPECT_EQ(ReadRegister(version, 0x78, 2, 0x04), -1);
}

TEST_F(BridgeTest, SurplusBytesAreCountedButNeverStoredPastTheDestination)
{
    EmulatedUnitConfig generous;
    generous.readBytesDelta = 40;
    OpenOn(generous);
    uint8_t destination[4] = {0xEE, 0xEE, 0xEE, 0xEE};
    EXPECT_EQ(ReadRegister(destination, 0x78, 2, 0x04), 42);
    EXPECT_EQ(destination[0], 1);
    EXPECT_EQ(destination[1], 4);
    EXPECT_EQ(destination[2], 0xEE);
    EXPECT_EQ(destination[3], 0xEE);
}

TEST_F(BridgeTest, AcceptedWritesAreFollowedByFiveMillisecondsRefusedOnesAreNot)
{
    EmulatedUnitConfig refuseExit;
    refuseExit.refuseCommand = 0x02;
    OpenOn(refuseExit);
    const uint8_t enter[] = {0x0F, 0x40};
    const uint8_t exit[] = {0x02, 0x00};
    VirtualClockReset();
    EXPECT_EQ(WriteCommand(0x78, enter, 2), 0);
    EXPECT_EQ(VirtualClockWaits(), std::vector<uint32_t>{5});
    EXPECT_EQ(WriteCommand(0x50, exit, 2), -1);
    EXPECT_EQ(VirtualClockWaits(), std::vector<uint32_t>{5});
}

TEST_F(BridgeTest, AfterCloseReadsAndWritesFailWithoutTouchingTheBusOrWaiting)
{
    OpenOn({});
    CloseBridge();
    VirtualClockReset();
    const size_t before = EmulatedHostReports().size();
    uint8_t version[2] = {};
    const uint8_t exit[] = {0x02, 0x00};
    EXPECT_EQ(ReadRegister(version, 0x78, 2, 0x04), -1);
    EXPECT_EQ(WriteCommand(0x50, exit, 2), -1);
    EXPECT_EQ(ReadVariantLatch(), -1);
    EXPECT_EQ(EmulatedHostReports().size(), before);
    EXPECT_TRUE(VirtualClockWaits().empty());
    EXPECT_EQ(CloseBridge(), -1);  // closing again is harmless
}

TEST_F(BridgeTest, TheLatchIsReadAsItIsOrReportedUnreadable)
{
    EmulatedUnitConfig variant2;
    variant2.latch = 0x8F;
    OpenOn(variant2);
    EXPECT_EQ(ReadVariantLatch(), 0x8F);

    EmulatedUnitConfig unreadable;
    unreadable.latchUnreadable = true;
    OpenOn(unreadable);
    EXPECT_EQ(ReadVariantLatch(), -1);
}

}  // namespace
