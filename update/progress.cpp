#include "update/progress.h"

#include <cmath>
#include <cstdio>

unsigned ProgressFigure(size_t block, size_t count)
{
    const float percent = static_cast<float>(block) / static_cast<float>(count) * 100.0f;
    // Rounded here rather than by printf's "%.0f", which sends exact halves to the even
    // neighbour on some C libraries (12.5 would show as 12, not 13).
    return static_cast<unsigned>(std::floor(static_cast<double>(percent) + 0.5));
}

void PrintProgress(size_t block, size_t count)
{
    std::printf("Progress: %02u %c\r", ProgressFigure(block, count), '%');
    std::fflush(stdout);
}
