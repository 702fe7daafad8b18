#pragma once
#include <cstddef>

// The percentage shown after block `block` (from 0) of `count` has been sent: the single-precision
// quotient block / count x 100, rounded to the nearest whole number with an exact half going up.
unsigned ProgressFigure(size_t block, size_t count);

// Rewrites the progress line in place and pushes it to the console at once.
void PrintProgress(size_t block, size_t count);
