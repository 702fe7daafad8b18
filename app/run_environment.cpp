#include "app/run_environment.h"

#ifdef _WIN32
#include <windows.h>

#include <cstdio>
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
}

void EndRunEnvironment()
{
}

#endif
