#include "clock/wait.h"

#include <chrono>
#include <thread>

void WaitMs(uint32_t ms)
{
    // sleep_for may overshoot but never returns early, so a pause lasts at least what it says.
    std::this_thread::sleep_for(std::chrono::milliseconds(ms));
}

uint64_t NowMs()
{
    using namespace std::chrono;
    return static_cast<uint64_t>(duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count());
}
