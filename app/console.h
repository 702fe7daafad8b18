#pragma once
// The run's ways out.

// Prints the closing prompt and waits for one character (returns at once at end of input).
void PauseBeforeExit();

// The common failure exit: the message on standard error, close the bridge, pause. Returns -1.
int FailRun(const char* message);
