#include "views/layout/TrackSpec.h"
#include <gtest/gtest.h>

namespace {

TrackSpec fixed(int32_t size) {
    TrackSpec t;
    t.set = 1;
    t.kind = TrackSpec::Fixed;
    t.fixedSize = size;
    return t;
}

TrackSpec percent(double p) {
    TrackSpec t;
    t.set = 1;
    t.kind = TrackSpec::Percent;
    t.percent = p;
    return t;
}

std::vector<int32_t> ends(const std::vector<TrackSpec>& tracks) {
    std::vector<int32_t> out;
    for (const TrackSpec& t : tracks)
        out.push_back(t.endPosition);
    return out;
}

TEST(TrackSizing, AllUnsetTracksShareEqually) {
    std::vector<TrackSpec> tracks(4);
    sizeTracks(tracks, 1000);
    EXPECT_EQ(ends(tracks), (std::vector<int32_t>{250, 500, 750, 1000}));
    for (const TrackSpec& t : tracks)
        EXPECT_DOUBLE_EQ(t.percent, 25.0);
}

TEST(TrackSizing, FixedTracksExceedingTheExtentLeaveNothingForUnsetOnes) {
    std::vector<TrackSpec> tracks{fixed(700), TrackSpec{}, fixed(500), TrackSpec{}};
    sizeTracks(tracks, 1000);
    EXPECT_DOUBLE_EQ(tracks[1].percent, 0.0);
    EXPECT_DOUBLE_EQ(tracks[3].percent, 0.0);
    EXPECT_EQ(tracks[0].endPosition, 700);
    EXPECT_EQ(tracks[1].endPosition, 700); // zero width
    EXPECT_EQ(tracks[2].endPosition, 1200);
    EXPECT_EQ(tracks[3].endPosition, 1000); // the last one still ends at the extent
}

TEST(TrackSizing, LastTrackEndsExactlyAtTheExtent) {
    struct Case {
        std::vector<TrackSpec> tracks;
        int32_t extent;
    };
    std::vector<Case> cases{
        {{percent(33.3), percent(33.3), percent(33.3)}, 1000},
        {{TrackSpec{}, TrackSpec{}, TrackSpec{}}, 1001},
        {{fixed(55), fixed(55), TrackSpec{}, fixed(55)}, 777},
        {{fixed(10), fixed(10)}, 5000},
        {{TrackSpec{}}, 3},
    };
    for (Case& c : cases) {
        sizeTracks(c.tracks, c.extent);
        EXPECT_EQ(c.tracks.back().endPosition, c.extent);
    }
}

TEST(TrackSizing, FixedAndPercentTracksMix) {
    // Fixed rows first, the rest shared: the measured-table shape of the table view.
    std::vector<TrackSpec> tracks{fixed(55), fixed(55), TrackSpec{}, TrackSpec{}};
    sizeTracks(tracks, 1110);
    EXPECT_EQ(ends(tracks), (std::vector<int32_t>{55, 110, 610, 1110}));
}

TEST(TrackSizing, NegativeExtentIsTakenAsPositive) {
    std::vector<TrackSpec> tracks(2);
    sizeTracks(tracks, -400);
    EXPECT_EQ(ends(tracks), (std::vector<int32_t>{200, 400}));
}

TEST(TrackSizing, ZeroExtentDoesNotDivideByZero) {
    std::vector<TrackSpec> tracks{fixed(50), TrackSpec{}};
    sizeTracks(tracks, 0);
    EXPECT_EQ(tracks.back().endPosition, 0);
    EXPECT_DOUBLE_EQ(tracks[0].percent, 0.0);
}

} // namespace
