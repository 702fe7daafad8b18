#pragma once
// One whole run of the tool, from the banner to the exit status (0, or -1 after any failure).
int RunUpdater();
