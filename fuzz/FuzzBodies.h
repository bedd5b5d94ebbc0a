#pragma once
#include <cstddef>
#include <cstdint>

// Read Data as a counter file and a reset-day file and convert their lines as
// the accounting does.  Aborts on any failure other than the expected errors.
void FuzzCounterFile(const uint8_t* Data, size_t Size);
// Decode Data as a stored region block.  Aborts unless it decodes or is refused.
void FuzzRegionBlock(const uint8_t* Data, size_t Size);
// Feed Data as interface and address tables to the statistics, rebuilding and
// updating the grid, and check that the per-second columns always convert.
void FuzzGridUpdate(const uint8_t* Data, size_t Size);
