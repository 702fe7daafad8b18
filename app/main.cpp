#include "app/updater.h"

int main()
{
    return RunUpdater();
}
