#include "clock/virtual_clock.h"
#include "clock/wait.h"

namespace {
uint64_t g_now = 0;
std::vector<uint32_t> g_waits;
}

void WaitMs(uint32_t ms)
{
    g_waits.push_back(ms);
    g_now += ms;
}

uint64_t NowMs()
{
    return g_now;
}

void VirtualClockReset()
{
    g_now = 0;
    g_waits.clear();
}

const std::vector<uint32_t>& VirtualClockWaits()
{
    return g_waits;
}
