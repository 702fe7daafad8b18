#pragma once
// The first half of a run: banner, bridge, and whether the board answers (and with which version).

// 0 when the run goes on with the board answering; -1 when the run has ended (message and
// pause done) and -1 is its exit status.
int StartAndCheckDevice();
