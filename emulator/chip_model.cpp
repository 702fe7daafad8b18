#include "emulator/chip_model.h"

#include "clock/wait.h"
#include "emulator/board_model.h"
#include "hidsmbus/cp2112_reports.h"

#include <algorithm>
#include <cstring>
#include <deque>

using namespace cp2112;

namespace {

EmulatedUnitConfig g_config;
std::vector<HostReport> g_hostReports;
std::deque<std::vector<uint8_t>> g_inQueue;
std::vector<uint8_t> g_readBuffer;  // data of the last address read, waiting for a forced response
uint8_t g_status0 = kIdle;
uint8_t g_status1 = 0;
uint16_t g_bytesRead = 0;
int g_dataWrites = 0;
bool g_cablePulled = false;
uint8_t g_smbusConfig[kConfigReportSize] = {kSmbusConfig};

std::vector<uint8_t> Report(std::initializer_list<uint8_t> head)
{
    std::vector<uint8_t> report(kReportSize, 0);
    std::copy(head.begin(), head.end(), report.begin());
    return report;
}

void Record(HostReport::Kind kind, const uint8_t* report, size_t length)
{
    if (g_config.recordTraffic)
        g_hostReports.push_back(HostReport{kind, std::vector<uint8_t>(report, report + length)});
}

// A report of an ID the host never asked for.
void QueueUnknownReport()
{
    if (g_config.strayInReports)
        g_inQueue.push_back(Report({0x42, 0xEE}));
}

// A status response nobody asked for; the host must not take it for the answer to its next request.
void QueueStaleStatus()
{
    if (g_config.strayInReports)
        g_inQueue.push_back(Report({kTransferStatusResponse, kFailed, 4, 0, 0, 0, 0}));
}

void Finish(bool acknowledged, uint16_t bytes)
{
    g_status0 = acknowledged ? kComplete : kFailed;
    g_status1 = acknowledged ? 5 : 0;
    g_bytesRead = bytes;
}

void AddressRead(const uint8_t* report)
{
    const uint8_t address = report[1];
    const uint16_t wanted = GetBigEndian16(&report[2]);
    std::vector<uint8_t> answer;
    g_readBuffer.clear();
    if (!BoardRead(address, report[5], answer)) {
        Finish(false, 0);
        return;
    }
    // The master clocks `wanted` bytes; past the board's answer the bus reads idle-high.
    answer.resize(wanted, 0xFF);
    const int delivered = std::max(0, static_cast<int>(wanted) + g_config.readBytesDelta);
    answer.resize(static_cast<size_t>(delivered), 0xA5);
    g_readBuffer = answer;
    Finish(true, wanted);
}

void ForceReadResponse(const uint8_t* report)
{
    if (g_config.readResponsesNeverCome)
        return;
    QueueUnknownReport();
    for (int i = 0; i < g_config.emptyReadResponses; ++i)
        g_inQueue.push_back(Report({kReadResponse, kBusy, 0}));
    size_t wanted = GetBigEndian16(&report[1]);
    // Surplus bytes beyond what was asked are the fault "the device sends more than asked".
    if (g_config.readBytesDelta > 0)
        wanted += static_cast<size_t>(g_config.readBytesDelta);
    const size_t piece = static_cast<size_t>(std::clamp(g_config.readPieceSize, 1, 61));
    size_t available = std::min(wanted, g_readBuffer.size());
    if (available == 0) {
        g_inQueue.push_back(Report({kReadResponse, g_status0, 0}));
        QueueStaleStatus();
        return;
    }
    size_t offset = 0;
    while (offset < available) {
        size_t count = std::min(piece, available - offset);
        std::vector<uint8_t> response = Report({kReadResponse, kIdle, static_cast<uint8_t>(count)});
        std::memcpy(&response[3], &g_readBuffer[offset], count);
        if (g_config.malformedReadCount)
            response[2] = 200;
        g_inQueue.push_back(response);
        offset += count;
    }
    g_readBuffer.erase(g_readBuffer.begin(), g_readBuffer.begin() + static_cast<long>(available));
    QueueStaleStatus();
}

int DataWrite(const uint8_t* report)
{
    ++g_dataWrites;
    if (g_config.pullCableAtWrite > 0 && g_dataWrites >= g_config.pullCableAtWrite)
        g_cablePulled = true;
    const uint8_t count = report[2];
    if (g_cablePulled || count < 1 || count > kMaxReadData)
        return -1;
    if (g_config.refuseCommand >= 0 && report[3] == g_config.refuseCommand)
        return -1;
    Finish(BoardWrite(report[1], &report[3], count), 0);
    return 0;
}

}  // namespace

const EmulatedUnitConfig& ChipConfig()
{
    return g_config;
}

void ChipReset(const EmulatedUnitConfig& config)
{
    g_config = config;
    g_hostReports.clear();
    g_inQueue.clear();
    g_readBuffer.clear();
    g_status0 = kIdle;
    g_status1 = 0;
    g_bytesRead = 0;
    g_dataWrites = 0;
    g_cablePulled = false;
    std::memset(g_smbusConfig, 0, sizeof g_smbusConfig);
    g_smbusConfig[0] = kSmbusConfig;
}

int ChipTakeOutReport(const uint8_t* report, size_t length)
{
    Record(HostReport::Out, report, length);
    if (g_cablePulled || length < 1)
        return -1;
    // The chip's interrupt OUT endpoint takes 64-byte reports; shorter ones are read as zero-padded.
    uint8_t full[kReportSize] = {};
    std::memcpy(full, report, std::min(length, kReportSize));
    switch (full[0]) {
    case kAddressRead:
        if ((full[1] & 1) != 0 || full[4] < 1 || full[4] > 16)
            return -1;
        AddressRead(full);
        break;
    case kForceReadResponse:
        ForceReadResponse(full);
        break;
    case kDataWrite:
        if (DataWrite(full) != 0)
            return -1;
        break;
    case kTransferStatusRequest:
        QueueUnknownReport();
        g_inQueue.push_back(Report({kTransferStatusResponse, g_status0, g_status1, 0, 0,
                                    static_cast<uint8_t>(g_bytesRead >> 8), static_cast<uint8_t>(g_bytesRead)}));
        break;
    case kCancelTransfer:
        g_readBuffer.clear();
        g_status0 = kIdle;
        break;
    default:
        break;
    }
    return static_cast<int>(length);
}

int ChipGiveInReport(uint8_t* report, size_t capacity, int timeoutMs)
{
    if (g_cablePulled)
        return -1;
    if (g_inQueue.empty()) {
        // Nothing will come: the wait runs to its end on the (possibly virtual) clock, and a wait
        // without end would never return on real hardware either.
        if (timeoutMs < 0)
            return -1;
        if (timeoutMs > 0)
            WaitMs(static_cast<uint32_t>(timeoutMs));
        return 0;
    }
    std::vector<uint8_t> next = std::move(g_inQueue.front());
    g_inQueue.pop_front();
    size_t length = std::min(capacity, next.size());
    std::memcpy(report, next.data(), length);
    return static_cast<int>(length);
}

int ChipGetFeature(uint8_t* report, size_t length)
{
    Record(HostReport::FeatureGet, report, length);
    if (g_cablePulled || length < 1)
        return -1;
    uint8_t answer[kReportSize] = {report[0]};
    size_t size = 0;
    switch (report[0]) {
    case kGetGpioValues:
        if (g_config.latchUnreadable)
            return -1;
        answer[1] = g_config.latch;
        answer[2] = 0x00;
        size = 3;
        break;
    case kGetVersionInfo:
        answer[1] = kPartNumber;
        answer[2] = 0x01;
        size = 3;
        break;
    case kSmbusConfig:
        std::memcpy(answer, g_smbusConfig, sizeof g_smbusConfig);
        size = sizeof g_smbusConfig;
        break;
    default:
        return -1;
    }
    size = std::min(size, length);
    std::memcpy(report, answer, size);
    return static_cast<int>(size);
}

int ChipSetFeature(const uint8_t* report, size_t length)
{
    Record(HostReport::FeatureSet, report, length);
    if (g_cablePulled || length < 1)
        return -1;
    if (report[0] != kSmbusConfig || length < kConfigReportSize || g_config.configRefused)
        return -1;
    std::memcpy(g_smbusConfig, report, kConfigReportSize);
    return static_cast<int>(length);
}

const std::vector<HostReport>& EmulatedHostReports()
{
    return g_hostReports;
}

void EmulatedUnitQueueInReport(const std::vector<uint8_t>& report)
{
    g_inQueue.push_back(report);
}
