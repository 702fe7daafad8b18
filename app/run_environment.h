#pragma once
// What the platform needs around a run so that the console shows exact bytes and pauses last
// what they say.

// Standard output and standard error carry bytes as they are ("\n" stays "\n", "\r\n" stays "\r\n").
void UseBinaryStandardStreams();

// Sets the run up (binary streams; on Windows a 1 ms timer resolution) and gives back what it took.
void BeginRunEnvironment();
void EndRunEnvironment();
