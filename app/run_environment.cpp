#include "app/run_environment.h"

#include <cstdio>

namespace {

// Standard output unbuffered: a line reaches the console (or a log that also takes standard error)
// in the order it was printed, before any error line that follows it.
void UnbufferStandardOutput()
{
    std::setvbuf(stdout, nullptr, _IONBF, 0);
}

}  // namespace

#ifdef _WIN32
#include <windows.h>

#include <fcntl.h>
#include <io.h>
#include <mmsystem.h>

namespace {
bool g_timerRaised = false;
}

void UseBinaryStandardStreams()
{
    std::fflush(stdout);
    std::fflush(stderr);
    _setmode(_fileno(stdout), _O_BINARY);
    _setmode(_fileno(stderr), _O_BINARY);
}

void BeginRunEnvironment()
{
    UseBinaryStandardStreams();
    UnbufferStandardOutput();
    // The default tick of about 15.6 ms would stretch every 5 ms pause to three times its length.
    g_timerRaised = timeBeginPeriod(1) == TIMERR_NOERROR;
}

void EndRunEnvironment()
{
    if (g_timerRaised)
        timeEndPeriod(1);
    g_timerRaised = false;
}

#else

void UseBinaryStandardStreams()
{
}

void BeginRunEnvironment()
{
    UnbufferStandardOutput();
}

void EndRunEnvironment()
{
}

#endif
