// Every measurement in SQLite: schema, update in place, names and values that need care.
#include "textout/SqliteExport.h"

#include "common/StoreBuilders.h"
#include "common/TempFolder.h"
#include "support/Sjis.h"

#include <gtest/gtest.h>
#include <sqlite3.h>

#include <cmath>
#include <filesystem>
#include <fstream>
#include <limits>
#include <string>
#include <vector>

using builders::makeCustomer;
using builders::makeDay;

namespace {

// Rows of a query as text, "|" between columns (NULL as "NULL").
std::vector<std::string> query(const std::filesystem::path& db, const std::string& sql) {
    sqlite3* h = nullptr;
    EXPECT_EQ(sqlite3_open_v2(db.c_str(), &h, SQLITE_OPEN_READONLY, nullptr), SQLITE_OK);
    std::vector<std::string> rows;
    sqlite3_stmt* st = nullptr;
    EXPECT_EQ(sqlite3_prepare_v2(h, sql.c_str(), -1, &st, nullptr), SQLITE_OK) << sqlite3_errmsg(h);
    while (st && sqlite3_step(st) == SQLITE_ROW) {
        std::string row;
        for (int i = 0; i < sqlite3_column_count(st); ++i) {
            const auto* text = sqlite3_column_text(st, i);
            row +=
                (i ? "|" : "") + std::string(text ? reinterpret_cast<const char*>(text) : "NULL");
        }
        rows.push_back(row);
    }
    sqlite3_finalize(st);
    sqlite3_close(h);
    return rows;
}

std::string one(const std::filesystem::path& db, const std::string& sql) {
    std::vector<std::string> rows = query(db, sql);
    return rows.size() == 1 ? rows[0] : "<" + std::to_string(rows.size()) + " rows>";
}

MeasurementStore twoCustomers() {
    MeasurementStore store;
    store.insertOrAssign(
        makeCustomer("東京精密", {{"本館", {makeDay(1, 2024, 5, 1), makeDay(1, 2024, 5, 2)}},
                                  {"別館", {makeDay(2, 2024, 5, 1, 50.0)}}}));
    store.insertOrAssign(makeCustomer("大阪商事", {{"受電", {makeDay(1, 2024, 6, 30, 7.0)}}}));
    return store;
}

} // namespace

TEST(SqliteExport, WritesEveryDaySampleAndPhaseWithIsoTimes) {
    TempFolder dir;
    const auto db = dir.path() / "all.sqlite";
    SqliteExportResult r = exportToSqlite(twoCustomers(), db);
    ASSERT_TRUE(r.ok) << r.error;
    EXPECT_EQ(r.customers, 2);
    EXPECT_EQ(r.circuits, 3);
    EXPECT_EQ(r.daysWritten, 4);
    EXPECT_EQ(r.samples, 8);
    EXPECT_EQ(
        query(db, "SELECT c.name, k.name, d.channel, d.date, d.sample_count FROM day d"
                  " JOIN circuit k ON k.id = d.circuit_id JOIN customer c ON"
                  " c.id = k.customer_id ORDER BY c.name, k.name, d.date"),
        (std::vector<std::string>{"大阪商事|受電|1|2024-06-30|2", "東京精密|別館|2|2024-05-01|2",
                                  "東京精密|本館|1|2024-05-01|2", "東京精密|本館|1|2024-05-02|2"}));
    // Times are ISO 8601; a 3相3線 day has phases 1 and 2, its third phase values are NULL.
    EXPECT_EQ(one(db, "SELECT time, power_w, voltage1, voltage3 FROM sample s JOIN day d ON"
                      " d.id = s.day_id WHERE d.date = '2024-06-30' ORDER BY time LIMIT 1"),
              "2024-06-30T00:30:00|1007.33333333333|210.1|NULL");
    EXPECT_EQ(one(db, "SELECT max_demand_w, max_demand_from, max_demand_to FROM day WHERE"
                      " date = '2024-06-30'"),
              "807.0|2024-06-30T10:00:00|2024-06-30T10:30:00");
    EXPECT_EQ(one(db, "SELECT count(*), max(phase) FROM day_phase"), "8|2");
    EXPECT_EQ(one(db, "SELECT peak_voltage, peak_voltage_at FROM day_phase p JOIN day d ON"
                      " d.id = p.day_id WHERE d.date = '2024-06-30' AND phase = 1"),
              "215.0|2024-06-30T12:00:00");
}

TEST(SqliteExport, AgainAfterChangesHoldsEachDayOnceAndReplacesOnlyWhatChanged) {
    TempFolder dir;
    const auto db = dir.path() / "all.sqlite";
    MeasurementStore store = twoCustomers();
    ASSERT_TRUE(exportToSqlite(store, db).ok);

    SqliteExportResult same = exportToSqlite(store, db);
    EXPECT_EQ(same.daysWritten, 0);
    EXPECT_EQ(same.daysUnchanged, 4);

    // One day added, one day's samples changed (same key), the rest as they were.
    Customer& tokyo = store.at(store.find(sj("東京精密")));
    MeasurementCircuit& main = tokyo.circuits.at(tokyo.circuits.find(sj("本館")));
    main.addOrReplaceDay(makeDay(1, 2024, 5, 3));
    MeasurementDay changed = makeDay(1, 2024, 5, 1, 100.0);
    main.addOrReplaceDay(changed);
    SqliteExportResult again = exportToSqlite(store, db);
    ASSERT_TRUE(again.ok) << again.error;
    EXPECT_EQ(again.daysWritten, 2);
    EXPECT_EQ(again.daysUnchanged, 3);
    EXPECT_EQ(one(db, "SELECT count(*), count(DISTINCT circuit_id || channel || date) FROM day"),
              "5|5");
    EXPECT_EQ(one(db, "SELECT count(*) FROM sample"), "10");
    EXPECT_EQ(one(db, "SELECT count(*) FROM customer"), "2");
    EXPECT_EQ(one(db, "SELECT energy_wh FROM day d JOIN circuit k ON k.id = d.circuit_id WHERE"
                      " k.name = '本館' AND date = '2024-05-01'"),
              "12445.6");
    // No orphaned rows of the replaced day.
    EXPECT_EQ(one(db, "SELECT count(*) FROM sample WHERE day_id NOT IN (SELECT id FROM day)"), "0");
}

TEST(SqliteExport, KeepsTheShiftJisBytesOfANameThatUtf8CannotGiveBack) {
    TempFolder dir;
    const auto db = dir.path() / "names.sqlite";
    MeasurementStore store;
    // "∵" as the NEC selection of IBM extensions spells it (0x879A): UTF-8 gives back 0x81E6.
    Customer c = makeCustomer("x", {{"回路", {makeDay(1, 2024, 5, 1)}}});
    c.name = std::string("\x87\x9A", 2) + sj("工業");
    store.insertOrAssign(c);
    store.insertOrAssign(makeCustomer("普通", {{"回路", {makeDay(1, 2024, 5, 1)}}}));
    ASSERT_TRUE(exportToSqlite(store, db).ok);
    EXPECT_EQ(query(db, "SELECT name, hex(name_sjis) FROM customer ORDER BY name"),
              (std::vector<std::string>{"∵工業|879A8D488BC6", "普通|"}));
    // The kept bytes tell the customer apart on the next export: nothing is added twice.
    ASSERT_TRUE(exportToSqlite(store, db).ok);
    EXPECT_EQ(one(db, "SELECT count(*) FROM customer"), "2");
}

TEST(SqliteExport, NonFiniteValuesAndCircuitTerms) {
    TempFolder dir;
    const auto db = dir.path() / "values.sqlite";
    MeasurementDay day = makeDay(1, 2024, 5, 1);
    day.data.summary.energy = std::numeric_limits<double>::infinity();
    day.data.summary.averagePowerFactor = std::numeric_limits<double>::quiet_NaN();
    MeasurementStore store;
    store.insertOrAssign(makeCustomer("客", {{"受電", {day}}, {"予備", {makeDay(1, 2024, 5, 2)}}}));
    auto terms = [](const std::string&, const std::string& circuit) {
        return circuit == sj("受電") ? SqliteCircuitTerms{50000.0, 90.0} : SqliteCircuitTerms{};
    };
    ASSERT_TRUE(exportToSqlite(store, db, terms).ok);
    EXPECT_EQ(one(db, "SELECT energy_wh > 1e308, average_power_factor IS NULL FROM day WHERE"
                      " date = '2024-05-01'"),
              "1|1");
    EXPECT_EQ(query(db, "SELECT name, contract_demand_w, power_factor_threshold FROM circuit"
                        " ORDER BY name"),
              (std::vector<std::string>{"予備|NULL|85.0", "受電|50000.0|90.0"}));
}

TEST(SqliteExport, AFailureLeavesTheFileAsItWasAndSaysWhy) {
    TempFolder dir;
    // Not a database: refused, and the file is untouched.
    const auto notDb = dir.path() / "notes.sqlite";
    { std::ofstream(notDb) << "these are notes, not a database\n"; }
    SqliteExportResult r = exportToSqlite(twoCustomers(), notDb);
    EXPECT_FALSE(r.ok);
    EXPECT_FALSE(r.error.empty());
    EXPECT_EQ(std::filesystem::file_size(notDb), 32u);
    // A folder that does not exist.
    r = exportToSqlite(twoCustomers(), dir.path() / "missing" / "x.sqlite");
    EXPECT_FALSE(r.ok);
    EXPECT_EQ(r.daysWritten, 0);
}
