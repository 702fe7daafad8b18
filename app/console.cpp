#include "app/console.h"

#include "bridge/bridge.h"

#include <cstdio>

void PauseBeforeExit()
{
    std::fputs("Press any key to exit.\n", stdout);
    std::fflush(stdout);
    std::getchar();
}

int FailRun(const char* message)
{
    std::fputs(message, stderr);
    CloseBridge();
    PauseBeforeExit();
    return -1;
}
