#pragma once
// Test-only view of the virtual clock: time moves only when somebody waits.
#include <cstdint>
#include <vector>

// Sets the time back to 0 and forgets the recorded waits.
void VirtualClockReset();

// Every WaitMs call since the last reset, in order.
const std::vector<uint32_t>& VirtualClockWaits();
