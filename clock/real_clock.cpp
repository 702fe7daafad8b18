#include "clock/wait.h"

#include <chrono>
#include <thread>

void WaitMs(uint32_t ms)
{
    // A sleep may end a little early on some systems (a timer tick rounds it); sleeping again for
    // what is left makes every pause last at least what it says.
    using namespace std::chrono;
    const steady_clock::time_point deadline = steady_clock::now() + milliseconds(ms);
    for (steady_clock::time_point now = steady_clock::now(); now < deadline; now = steady_clock::now())
        std::this_thread::sleep_for(deadline - now);
}

uint64_t NowMs()
{
    using namespace std::chrono;
    return static_cast<uint64_t>(duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count());
}
