#pragma once
#include <cstdint>
#include <vector>

// One column or row of a grid.
struct TrackSpec {
    enum Kind : int32_t { Fixed = 0, Percent = 1 };
    int32_t set = 0;                // 0: takes a share of what the set tracks leave
    int32_t kind = Percent;         // for set tracks
    double percent = 0.0;           // share of the extent (computed for fixed tracks)
    int32_t fixedSize = 0;          // logical units, for fixed tracks
    double cumulativePercent = 0.0; // computed
    int32_t endPosition = 0;        // computed, relative to the grid's start edge
};

// Spreads the tracks over `extent` (logical units, taken as positive): fixed tracks take
// their size, percent tracks their share, unset tracks share what is left equally (never
// less than 0); the last track always ends exactly at the extent.
void sizeTracks(std::vector<TrackSpec>& tracks, int32_t extent);
