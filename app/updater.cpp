#include "app/updater.h"

#include "app/device_check.h"
#include "app/update_run.h"

int RunUpdater()
{
    if (StartAndCheckDevice() != 0)
        return -1;
    return RunUpdate();
}
