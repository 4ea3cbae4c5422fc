#include "views/layout/TrackSpec.h"
#include <algorithm>
#include <cstdlib>

void sizeTracks(std::vector<TrackSpec>& tracks, int32_t extent) {
    if (tracks.empty())
        return;
    extent = std::abs(extent);
    double setSum = 0.0;
    int unset = 0;
    for (TrackSpec& t : tracks) {
        if (!t.set) {
            ++unset;
            continue;
        }
        if (t.kind == TrackSpec::Fixed)
            t.percent = extent > 0 ? t.fixedSize * 100.0 / extent : 0.0;
        setSum += t.percent;
    }
    if (unset > 0) {
        const double share = std::max(0.0, (100.0 - setSum) / unset);
        for (TrackSpec& t : tracks)
            if (!t.set)
                t.percent = share;
    }
    double p = 0.0;
    double x = 0.0;
    for (TrackSpec& t : tracks) {
        if (t.set && t.kind == TrackSpec::Fixed) {
            x += t.fixedSize;
            p += t.percent;
        } else {
            p += t.percent;
            x = extent * p * 0.01;
        }
        t.cumulativePercent = p;
        t.endPosition = static_cast<int32_t>(x);
    }
    tracks.back().endPosition = extent;
}
