#include "transfer/SelectDataRules.h"
#include "support/Sjis.h"
#include "transfer/TransferTexts.h"
#include <gtest/gtest.h>

namespace {

MeasurementDay dayOf(int channel, int y, int m, int d) {
    MeasurementDay day;
    day.channel = channel;
    day.date = DateTime::make(y, m, d);
    return day;
}

// Customer 0 "A" with circuits "K0" (the days below) and "K1" (none).
MeasurementStore storeWith(const std::vector<MeasurementDay>& days) {
    MeasurementStore store;
    Customer& c = store.at(store.insert("A"));
    c.circuits.insert("K1");
    MeasurementCircuit& k = c.circuits.at(c.circuits.insert("K0"));
    for (const MeasurementDay& d : days)
        k.addOrReplaceDay(d);
    return store;
}

// Index order: channel 1 days by date (0..4), then channel 2 (5).
const std::vector<MeasurementDay> kDays = {
    dayOf(1, 2006, 12, 20), dayOf(1, 2007, 1, 10), dayOf(1, 2007, 1, 25),
    dayOf(1, 2007, 3, 5),   dayOf(1, 2007, 3, 30), dayOf(2, 2007, 1, 11),
};

TEST(SelectDataStart, GivenSelectionWhenItExistsElseTheFirstOfEverything) {
    const MeasurementStore store = storeWith(kDays);
    struct Case {
        SelectionTuple given;
        SelectionTuple want;
    };
    const Case cases[] = {
        {{0, 0, 3, -1, -1}, {0, 0, 3, -1, -1}},
        {{0, 0, 3, 2007, 3}, {0, 0, 3, -1, -1}}, // a monthly tuple opens on its day
        {{0, 0, 6, -1, -1}, {0, 0, 0, -1, -1}},  // the day was deleted meanwhile
        {{0, 1, 0, -1, -1}, {0, 0, 0, -1, -1}},  // circuit without days
        {{1, 0, 0, -1, -1}, {0, 0, 0, -1, -1}},  // customer gone
        {{-1, -1, -1, -1, -1}, {0, 0, 0, -1, -1}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(selectDataStart(store, c.given), c.want)
            << c.given.customerIndex << "/" << c.given.circuitIndex << "/" << c.given.dayIndex;
}

TEST(SteppedSelection, NeighbouringDayOrReportMonthOfTheSameChannel) {
    const MeasurementStore store = storeWith(kDays);
    struct Case {
        const char* name;
        SelectionTuple current;
        int step;
        int startDay;
        SelectionTuple want;
    };
    const Case cases[] = {
        {"next day", {0, 0, 1, -1, -1}, +1, 1, {0, 0, 2, -1, -1}},
        {"previous day", {0, 0, 1, -1, -1}, -1, 1, {0, 0, 0, -1, -1}},
        {"first day stays", {0, 0, 0, -1, -1}, -1, 1, {0, 0, 0, -1, -1}},
        {"last day stays", {0, 0, 4, -1, -1}, +1, 1, {0, 0, 4, -1, -1}},
        {"channel 2 never steps into channel 1", {0, 0, 5, -1, -1}, -1, 1, {0, 0, 5, -1, -1}},
        {"next month skips an empty one", {0, 0, 1, 2007, 1}, +1, 1, {0, 0, 3, 2007, 3}},
        {"previous month", {0, 0, 3, 2007, 3}, -1, 1, {0, 0, 1, 2007, 1}},
        {"last month stays", {0, 0, 3, 2007, 3}, +1, 1, {0, 0, 3, 2007, 3}},
        {"first month stays", {0, 0, 0, 2006, 12}, -1, 1, {0, 0, 0, 2006, 12}},
        // Start day 21: 2006-12-21..2007-01-20 holds 2007-01-10; 01-25 is report month 2007/01.
        {"start day 21 next", {0, 0, 0, 2006, 11}, +1, 21, {0, 0, 1, 2006, 12}},
        {"start day 21 next again", {0, 0, 1, 2006, 12}, +1, 21, {0, 0, 2, 2007, 1}},
        {"start day 21 previous lands on the month's first day",
         {0, 0, 4, 2007, 3},
         -1,
         21,
         {0, 0, 3, 2007, 2}},
        {"next year", {0, 0, 0, 2006, kWholeYear}, +1, 1, {0, 0, 1, 2007, kWholeYear}},
        {"previous year lands on its first day",
         {0, 0, 3, 2007, kWholeYear},
         -1,
         1,
         {0, 0, 0, 2006, kWholeYear}},
        {"last year stays", {0, 0, 1, 2007, kWholeYear}, +1, 1, {0, 0, 1, 2007, kWholeYear}},
        // Start day 21: 2006-12-20 is in report month 2006/11 and 2007-01-10 in 2006/12, so
        // both are year 2006; 2007 starts with 01-25.
        {"start day 21 next year",
         {0, 0, 0, 2006, kWholeYear},
         +1,
         21,
         {0, 0, 2, 2007, kWholeYear}},
        {"start day 21 previous year",
         {0, 0, 2, 2007, kWholeYear},
         -1,
         21,
         {0, 0, 0, 2006, kWholeYear}},
        {"unusable selection stays", {0, 1, 0, -1, -1}, +1, 1, {0, 1, 0, -1, -1}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(steppedSelection(store, c.current, c.step, c.startDay), c.want) << c.name;
}

TEST(TransferTexts, EncodedAsTheirJapanese) {
    EXPECT_EQ(sjis::toUtf8(txt::transfer::kChooseData), "測定データを選んでください");
}

} // namespace
