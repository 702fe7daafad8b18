#include "app/run_environment.h"
#include "app/updater.h"

int main()
{
    BeginRunEnvironment();
    const int status = RunUpdater();
    EndRunEnvironment();
    return status;
}
