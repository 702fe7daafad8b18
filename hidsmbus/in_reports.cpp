#include "hidsmbus/in_reports.h"

#include "clock/wait.h"

#include <algorithm>
#include <climits>

namespace {

// Read and status responses go to their queues; a report of any other ID is dropped.
void Sort(OpenDevice& device, const InReport& report)
{
    if (report.length == 0)
        return;
    if (report.bytes[0] == cp2112::kReadResponse)
        device.readResponses.push_back(report);
    else if (report.bytes[0] == cp2112::kTransferStatusResponse)
        device.statusResponses.push_back(report);
}

std::deque<InReport>& QueueFor(OpenDevice& device, uint8_t reportId)
{
    return reportId == cp2112::kReadResponse ? device.readResponses : device.statusResponses;
}

// One read from the transport. 1 when a report was sorted, 0 on time-out, -1 on failure.
int ReadOne(OpenDevice& device, int timeoutMs)
{
    InReport report;
    int got = HidTransportRead(device.transport, report.bytes.data(), report.bytes.size(), timeoutMs);
    if (got < 0)
        return -1;
    if (got == 0)
        return 0;
    report.length = std::min(static_cast<size_t>(got), report.bytes.size());
    Sort(device, report);
    return 1;
}

}  // namespace

bool DropWaitingInReports(OpenDevice& device, uint8_t reportId)
{
    // Bounded, so a device that streams reports cannot keep us here.
    for (int i = 0; i < 256; ++i) {
        int got = ReadOne(device, 0);
        if (got < 0)
            return false;
        if (got == 0)
            break;
    }
    QueueFor(device, reportId).clear();
    return true;
}

HidSmbusStatus WaitForInReport(OpenDevice& device, uint8_t reportId, InReport& report)
{
    std::deque<InReport>& queue = QueueFor(device, reportId);
    const bool forever = device.responseTimeoutMs == 0;
    const uint64_t deadline = NowMs() + device.responseTimeoutMs;
    while (queue.empty()) {
        int timeoutMs = -1;
        if (!forever) {
            uint64_t now = NowMs();
            if (now >= deadline)
                return HID_SMBUS_READ_TIMED_OUT;
            timeoutMs = static_cast<int>(std::min<uint64_t>(deadline - now, INT_MAX));
        }
        if (ReadOne(device, timeoutMs) < 0)
            return HID_SMBUS_READ_ERROR;
    }
    report = queue.front();
    queue.pop_front();
    return HID_SMBUS_SUCCESS;
}
