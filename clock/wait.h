#pragma once
// The one seam for time. The tool's pauses and the bridge's response time-outs all go
// through here: the shipped program sleeps for real, tests link a virtual clock instead.
#include <cstdint>

// Blocks for at least `ms` milliseconds.
void WaitMs(uint32_t ms);

// Milliseconds since an arbitrary start; never goes backwards.
uint64_t NowMs();
