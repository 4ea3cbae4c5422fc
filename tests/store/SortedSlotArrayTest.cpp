#include "store/SortedSlotArray.h"
#include "StoreTestSupport.h"
#include "common/Cp932.h"
#include "store/DAT_Store.h"
#include "support/Sjis.h"
#include <gtest/gtest.h>
#include <stdexcept>
#include <string>
#include <vector>

namespace {

struct Item {
    using Key = int;
    int id = 0;
    std::string payload;
    int key() const { return id; }
    void setKey(int k) { id = k; }
    static int compareKey(int a, int b) { return a < b ? -1 : (a > b ? 1 : 0); }
    bool operator==(const Item&) const = default;
};

std::vector<int> keys(const SortedSlotArray<Item>& a) {
    std::vector<int> out;
    for (const Item& i : a)
        out.push_back(i.id);
    return out;
}

} // namespace

TEST(SortedSlotArray, KeepsKeyOrderAndIndicesArePositions) {
    SortedSlotArray<Item> a;
    for (int k : {50, 10, 40, 20, 30})
        a.insert(k);
    EXPECT_EQ(keys(a), (std::vector<int>{10, 20, 30, 40, 50}));
    for (int i = 0; i < a.count(); ++i)
        EXPECT_EQ(a.find(a.at(i).id), i);
    // Slots keep insertion order: 50 went to slot 0.
    EXPECT_EQ(a.slotOf(4), 0);
    EXPECT_EQ(a.find(35), -1);
    EXPECT_EQ(a.lowerBound(35), 3);
    EXPECT_EQ(a.lowerBound(5), 0);
    EXPECT_EQ(a.lowerBound(60), 5);
    EXPECT_EQ(a.lowerBound(30), 2);
}

TEST(SortedSlotArray, InsertOfPresentKeyReturnsIndexAndLeavesElementAlone) {
    SortedSlotArray<Item> a;
    a.insert(1);
    int i = a.insert(2);
    a.at(i).payload = "kept";
    EXPECT_EQ(a.insert(2), i);
    EXPECT_EQ(a.at(i).payload, "kept");
    EXPECT_EQ(a.count(), 2);
    EXPECT_EQ(a.slotCount(), 2);
}

TEST(SortedSlotArray, InsertOrAssignKeepsPositionAndTakesContent) {
    SortedSlotArray<Item> a;
    a.insert(1);
    a.insert(3);
    int slot = a.slotOf(1);
    EXPECT_EQ(a.insertOrAssign(Item{3, "new"}), 1);
    EXPECT_EQ(a.slotOf(1), slot);
    EXPECT_EQ(a.at(1).payload, "new");
    EXPECT_EQ(a.count(), 2);
}

TEST(SortedSlotArray, RemoveClearsSlotAndReusesLastRemovedFirst) {
    SortedSlotArray<Item> a;
    for (int k : {10, 20, 30, 40})
        a.at(a.insert(k)).payload = "p" + std::to_string(k);
    int slot20 = a.slotOf(1);
    int slot40 = a.slotOf(3);
    a.removeAt(1); // 20
    a.removeAt(2); // 40 (indices shifted down)
    EXPECT_EQ(keys(a), (std::vector<int>{10, 30}));
    EXPECT_EQ(a.freeSlots(), (std::vector<int32_t>{slot20, slot40}));
    EXPECT_EQ(a.slotCount(), 4); // slots are never freed

    int i = a.insert(25);
    EXPECT_EQ(a.slotOf(i), slot40); // top of the stack first
    EXPECT_TRUE(a.at(i).payload.empty()) << "a reused slot starts empty";
    i = a.insert(5);
    EXPECT_EQ(a.slotOf(i), slot20);
    EXPECT_TRUE(a.freeSlots().empty());
    i = a.insert(99);
    EXPECT_EQ(a.slotOf(i), 4); // stack empty: a new slot
    EXPECT_EQ(keys(a), (std::vector<int>{5, 10, 25, 30, 99}));
}

TEST(SortedSlotArray, IndexOutOfRangeIsInvalidArgument) {
    SortedSlotArray<Item> a;
    EXPECT_THROW(a.at(0), std::invalid_argument);
    a.insert(1);
    EXPECT_THROW(a.at(-1), std::invalid_argument);
    EXPECT_THROW(a.at(1), std::invalid_argument);
    EXPECT_THROW(a.removeAt(1), std::invalid_argument);
    EXPECT_EQ(a.count(), 1);
}

TEST(SortedSlotArray, CopyIsDeep) {
    MeasurementStore s;
    s.at(s.insert("A")).circuits.insert("C");
    MeasurementStore copy = s;
    copy.at(0).circuits.at(0).name = "changed";
    copy.at(0).circuits.insert("D");
    EXPECT_EQ(s.at(0).circuits.count(), 1);
    EXPECT_EQ(s.at(0).circuits.at(0).name, "C");
}

TEST(MeasurementStore, NamesDifferingOnlyInAsciiCaseAreOneKey) {
    MeasurementStore s;
    int i = s.insert("ABC");
    EXPECT_EQ(s.insert("abc"), i);
    EXPECT_EQ(s.find("aBc"), i);
    EXPECT_EQ(s.nameAt(i), "ABC");
    // Full-width Ａ (0x82 0x60) and ａ (0x82 0x81) are different keys.
    int a = s.insert(sj("Ａ"));
    int b = s.insert(sj("ａ"));
    EXPECT_NE(a, b);
    EXPECT_EQ(s.count(), 3);
}

TEST(MeasurementStore, NamesSortWithLettersFoldedToLowerCase) {
    struct Case {
        std::vector<std::string> inserted;
        std::vector<std::string> order;
    } cases[] = {
        {{"ABCD", "ABC_1"}, {"ABC_1", "ABCD"}},
        {{"abcd", "ABC_1"}, {"ABC_1", "abcd"}},
        {{"Zeta", "[x]", "alpha", "^up", "`q"}, {"[x]", "^up", "`q", "alpha", "Zeta"}},
        {{"b", "A", "@"}, {"@", "A", "b"}},
    };
    for (const Case& c : cases) {
        MeasurementStore s;
        for (const std::string& name : c.inserted)
            s.insert(name);
        std::vector<std::string> names;
        for (int i = 0; i < s.count(); ++i)
            names.push_back(s.nameAt(i));
        EXPECT_EQ(names, c.order) << c.inserted.front();
    }
}

TEST(MeasurementCircuit, DaysOrderByChannelThenDateAndLookupUsesFirstDaysChannel) {
    MeasurementCircuit c;
    EXPECT_EQ(c.dayChannel(), 1) << "a circuit without days uses channel 1";
    MeasurementDay d;
    d.channel = 2;
    d.date = DateTime::make(2024, 3, 10);
    c.addOrReplaceDay(d);
    d.date = DateTime::make(2024, 3, 5);
    c.addOrReplaceDay(d);
    d.channel = 1;
    d.date = DateTime::make(2024, 3, 20);
    c.addOrReplaceDay(d);
    ASSERT_EQ(c.days.count(), 3);
    EXPECT_EQ(c.days.at(0).channel, 1);
    EXPECT_EQ(c.days.at(1).date.day(), 5);
    EXPECT_EQ(c.days.at(2).date.day(), 10);
    EXPECT_EQ(c.dayChannel(), 1);
    EXPECT_EQ(c.findDay(DateTime::make(2024, 3, 20)), 0);
    EXPECT_EQ(c.findDay(DateTime::make(2024, 3, 5)), -1); // channel 2 is not looked at
    EXPECT_EQ(c.lowerBoundDay(DateTime::make(2024, 3, 21)), 1);
    EXPECT_EQ(c.lowerBoundDay(DateTime::make(2024, 3, 1)), 0);
}

TEST(MeasurementCircuit, AddOrReplaceDayReplacesContentOfSameKey) {
    MeasurementCircuit c;
    MeasurementDay d;
    d.date = DateTime::make(2024, 1, 1);
    d.data.ptRatio = 1.0;
    c.addOrReplaceDay(d);
    d.data.ptRatio = 2.0;
    EXPECT_EQ(c.addOrReplaceDay(d), 0);
    EXPECT_EQ(c.days.count(), 1);
    EXPECT_EQ(c.days.at(0).data.ptRatio, 2.0);
}

TEST(DayData, SampleAtExistingTimeReplacesAllValues) {
    DayData day;
    IntervalSample s;
    s.time = DateTime::make(2024, 1, 1, 0, 30);
    s.power = 1;
    s.voltage = {1, 2, 3};
    day.addOrReplaceSample(s);
    s.time = DateTime::make(2024, 1, 1, 0, 0);
    day.addOrReplaceSample(s);
    IntervalSample t;
    t.time = DateTime::make(2024, 1, 1, 0, 30);
    t.power = 9;
    t.reversePower = 8;
    t.powerFactor = 7;
    t.current = {6, 5, 4};
    EXPECT_EQ(day.addOrReplaceSample(t), 1);
    EXPECT_EQ(day.intervals.count(), 2);
    EXPECT_EQ(day.intervals.at(1), t);
    EXPECT_EQ(day.intervals.at(0).time.minute(), 0);
}

TEST(DateKeys, InvalidDateNeverEqualsValidOne) {
    DateTime bad = DateTime::make(2024, 4, 31);
    EXPECT_EQ(bad.status(), DateTime::Invalid);
    DateTime good = DateTime::make(2024, 4, 30);
    EXPECT_NE(compareTimeKey(bad, good), 0);
    EXPECT_NE(compareTimeKey(good, bad), 0);
    EXPECT_EQ(compareTimeKey(bad, bad), 0);
}

TEST(DateKeys, FastOrderAgreesWithFieldOrder) {
    // Values a fraction of a second apart and far apart, before and after 1899-12-30.
    const double values[] = {-700.75,
                             -1.25,
                             -1.0,
                             -0.5,
                             0.0,
                             0.25,
                             1.0,
                             45000.0,
                             45000.0 + 0.4 / 86400,
                             45000.0 + 1.6 / 86400,
                             45000.0 + 3.0 / 86400,
                             45001.5,
                             2958465.9};
    for (double x : values)
        for (double y : values) {
            DateTime a = validDate(x);
            DateTime b = validDate(y);
            EXPECT_EQ(compareTimeKey(a, b), DateTime::keyCompare(a, b)) << x << " vs " << y;
        }
}

// A loader's elements out of order (a file from elsewhere, names descending) give the same
// container as inserting each by its key: sorted, and of equal keys the last one read.
TEST(SortedSlotArray, LoadOutOfOrderSortsOnceAndKeepsTheLastOfEqualKeys) {
    struct Case {
        const char* name;
        std::vector<Item> read;
    } cases[] = {
        {"descending", {{5, "e"}, {4, "d"}, {3, "c"}, {2, "b"}, {1, "a"}}},
        {"ascending then out", {{1, "a"}, {3, "c"}, {2, "b"}, {9, "i"}, {0, "z"}}},
        {"repeated keys", {{2, "first"}, {1, "a"}, {2, "second"}, {2, "third"}, {0, "z"}}},
        {"repeat right away", {{1, "a"}, {1, "b"}}},
        {"in order", {{1, "a"}, {2, "b"}, {3, "c"}}},
        {"none", {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        SortedSlotArray<Item> expected;
        for (const Item& i : c.read)
            expected.insertOrAssign(i);
        SortedSlotArray<Item> loaded;
        std::size_t next = 0;
        loaded.assignInOrder(c.read.size(), true, [&](Item& out) { out = c.read[next++]; });
        ASSERT_EQ(loaded.count(), expected.count());
        for (int i = 0; i < expected.count(); ++i)
            EXPECT_EQ(loaded.at(i), expected.at(i)) << i;
        for (int i = 0; i < expected.count(); ++i)
            EXPECT_EQ(loaded.slotOf(i), expected.slotOf(i)) << i;
        EXPECT_EQ(loaded.slotCount(), expected.count());
    }
}
