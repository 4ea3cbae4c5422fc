#include "textout/SqliteExport.h"

#include "support/Sjis.h"
#include "textout/SqliteSchema.h"

#include <sqlite3.h>

#include <cmath>
#include <cstdio>
#include <cstring>
#include <memory>
#include <optional>
#include <stdexcept>

namespace {

// A failed SQLite call; the message is SQLite's own.
struct SqliteFailure : std::runtime_error {
    using std::runtime_error::runtime_error;
};

class Database {
public:
    explicit Database(const std::filesystem::path& path) {
        if (sqlite3_open_v2(path.c_str(), &m_db, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE,
                            nullptr) != SQLITE_OK) {
            std::string message = m_db ? sqlite3_errmsg(m_db) : "out of memory";
            sqlite3_close(m_db);
            throw SqliteFailure(message);
        }
    }
    ~Database() { sqlite3_close(m_db); }
    Database(const Database&) = delete;
    Database& operator=(const Database&) = delete;

    void exec(const char* sql) {
        char* message = nullptr;
        if (sqlite3_exec(m_db, sql, nullptr, nullptr, &message) != SQLITE_OK) {
            std::string text = message ? message : sqlite3_errmsg(m_db);
            sqlite3_free(message);
            throw SqliteFailure(text);
        }
    }
    sqlite3* handle() const { return m_db; }
    [[noreturn]] void fail() const { throw SqliteFailure(sqlite3_errmsg(m_db)); }

private:
    sqlite3* m_db = nullptr;
};

// A prepared statement, bound by position from 1 and reset after each step.
class Statement {
public:
    Statement(Database& db, const char* sql) : m_db(db) {
        if (sqlite3_prepare_v2(db.handle(), sql, -1, &m_stmt, nullptr) != SQLITE_OK)
            db.fail();
    }
    ~Statement() { sqlite3_finalize(m_stmt); }
    Statement(const Statement&) = delete;
    Statement& operator=(const Statement&) = delete;

    Statement& bind(int index, long long value) {
        check(sqlite3_bind_int64(m_stmt, index, value));
        return *this;
    }
    // NaN has no place in SQLite's REAL: it becomes NULL.
    Statement& bind(int index, double value) {
        check(std::isnan(value) ? sqlite3_bind_null(m_stmt, index)
                                : sqlite3_bind_double(m_stmt, index, value));
        return *this;
    }
    Statement& bindText(int index, const std::string& text) {
        check(sqlite3_bind_text(m_stmt, index, text.data(), static_cast<int>(text.size()),
                                SQLITE_TRANSIENT));
        return *this;
    }
    // Empty text is NULL (an invalid time, a name that round-trips).
    Statement& bindTextOrNull(int index, const std::string& text) {
        return text.empty() ? bindNull(index) : bindText(index, text);
    }
    Statement& bindBlobOrNull(int index, const std::string& bytes) {
        check(bytes.empty() ? sqlite3_bind_null(m_stmt, index)
                            : sqlite3_bind_blob(m_stmt, index, bytes.data(),
                                                static_cast<int>(bytes.size()), SQLITE_TRANSIENT));
        return *this;
    }
    Statement& bindNull(int index) {
        check(sqlite3_bind_null(m_stmt, index));
        return *this;
    }
    // Runs the statement; true with a row to read (column values until the next call).
    bool step() {
        int rc = sqlite3_step(m_stmt);
        if (rc == SQLITE_ROW)
            return true;
        if (rc != SQLITE_DONE)
            m_db.fail();
        return false;
    }
    long long column(int index) const { return sqlite3_column_int64(m_stmt, index); }
    void reset() {
        sqlite3_reset(m_stmt);
        sqlite3_clear_bindings(m_stmt);
    }
    // Runs a statement that returns no row.
    void run() {
        step();
        reset();
    }

private:
    void check(int rc) {
        if (rc != SQLITE_OK)
            m_db.fail();
    }
    Database& m_db;
    sqlite3_stmt* m_stmt = nullptr;
};

std::string isoDate(const DateTime& date) {
    if (!date.isValid())
        return {};
    char buffer[16];
    std::snprintf(buffer, sizeof buffer, "%04d-%02d-%02d", date.year(), date.month(), date.day());
    return buffer;
}

std::string isoTime(const DateTime& time) {
    if (!time.isValid())
        return {};
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "%04d-%02d-%02dT%02d:%02d:%02d", time.year(), time.month(),
                  time.day(), time.hour(), time.minute(), time.second());
    return buffer;
}

// The Shift-JIS bytes of a name, kept only when UTF-8 does not give them back.
std::string sjisWhereLost(const std::string& name, const std::string& utf8) {
    return sjis::fromUtf8(utf8) == name ? std::string() : name;
}

// FNV-1a over the bytes of every stored value of a day.
class Fingerprint {
public:
    void add(const void* data, std::size_t size) {
        const auto* bytes = static_cast<const unsigned char*>(data);
        for (std::size_t i = 0; i < size; ++i) {
            m_hash ^= bytes[i];
            m_hash *= 1099511628211ull;
        }
    }
    void add(double value) { add(&value, sizeof value); }
    void add(long long value) { add(&value, sizeof value); }
    void add(const DateTime& time) {
        add(time.value());
        add(static_cast<long long>(time.status()));
    }
    void add(const PeakRecord& peak) {
        add(peak.value);
        add(peak.from);
        add(peak.to);
    }
    long long value() const { return static_cast<long long>(m_hash); }

private:
    unsigned long long m_hash = 14695981039346656037ull;
};

// Names the bound columns of the day insert: summary figures in the schema's order.
constexpr const char kInsertDay[] =
    "INSERT INTO day (circuit_id, channel, date, circuit_type, has_reverse, pt_ratio, ct_ratio,"
    " sample_count, energy_wh, reverse_energy_wh, lead_reactive_varh, lag_reactive_varh,"
    " average_power_w, reverse_average_power_w, average_power_factor, max_demand_w,"
    " max_demand_from, max_demand_to, reverse_max_demand_w, reverse_max_demand_from,"
    " reverse_max_demand_to, peak_power_w, peak_power_at, peak_power_factor,"
    " reverse_peak_power_w, reverse_peak_power_at, reverse_peak_power_factor, fingerprint)"
    " VALUES (?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?)";

class Exporter {
public:
    Exporter(Database& db, const SqliteCircuitTermsOf& termsOf)
        : m_db(db), m_termsOf(termsOf),
          m_findCustomer(db, "SELECT id FROM customer WHERE name = ?1 AND"
                             " ifnull(name_sjis, x'') = ifnull(?2, x'')"),
          m_addCustomer(db, "INSERT INTO customer (name, name_sjis) VALUES (?, ?)"),
          m_findCircuit(db, "SELECT id FROM circuit WHERE customer_id = ?1 AND name = ?2 AND"
                            " ifnull(name_sjis, x'') = ifnull(?3, x'')"),
          m_addCircuit(db, "INSERT INTO circuit (customer_id, name, name_sjis) VALUES (?, ?, ?)"),
          m_findDay(db, "SELECT id, fingerprint FROM day WHERE circuit_id = ? AND channel = ? AND"
                        " date = ?"),
          m_deleteDay(db, "DELETE FROM day WHERE id = ?"), m_addDay(db, kInsertDay),
          m_addPhase(db, "INSERT INTO day_phase VALUES (?,?,?,?,?,?,?,?,?,?,?,?,?)"),
          m_addSample(db, "INSERT INTO sample VALUES (?,?,?,?,?,?,?,?,?,?,?)"),
          m_setTerms(db, "UPDATE circuit SET contract_demand_w = ?, power_factor_threshold = ?"
                         " WHERE id = ?") {}

    void write(const MeasurementStore& store, SqliteExportResult& result) {
        for (int c = 0; c < store.count(); ++c) {
            const Customer& customer = store.at(c);
            long long customerId = findOrAdd(m_findCustomer, m_addCustomer, {}, customer.name);
            ++result.customers;
            for (int k = 0; k < customer.circuits.count(); ++k) {
                const MeasurementCircuit& circuit = customer.circuits.at(k);
                long long circuitId =
                    findOrAdd(m_findCircuit, m_addCircuit, customerId, circuit.name);
                ++result.circuits;
                const SqliteCircuitTerms terms =
                    m_termsOf ? m_termsOf(customer.name, circuit.name) : SqliteCircuitTerms();
                if (terms.contractDemand > 0.0)
                    m_setTerms.bind(1, terms.contractDemand);
                else
                    m_setTerms.bindNull(1);
                m_setTerms.bind(2, terms.powerFactorThreshold).bind(3, circuitId).run();
                for (int d = 0; d < circuit.days.count(); ++d)
                    writeDay(circuitId, circuit.days.at(d), result);
            }
        }
    }

private:
    // The id of a customer (no owner) or circuit (owner: its customer) by name, added if new.
    long long findOrAdd(Statement& find, Statement& add, std::optional<long long> owner,
                        const std::string& name) {
        const std::string utf8 = sjis::toUtf8(name);
        const std::string lost = sjisWhereLost(name, utf8);
        int i = 1;
        if (owner)
            find.bind(i++, *owner);
        find.bindText(i, utf8);
        find.bindBlobOrNull(i + 1, lost);
        if (find.step()) {
            long long id = find.column(0);
            find.reset();
            return id;
        }
        find.reset();
        i = 1;
        if (owner)
            add.bind(i++, *owner);
        add.bindText(i, utf8);
        add.bindBlobOrNull(i + 1, lost);
        add.run();
        return sqlite3_last_insert_rowid(m_db.handle());
    }

    void writeDay(long long circuitId, const MeasurementDay& day, SqliteExportResult& result) {
        const std::string date = isoDate(day.date);
        if (date.empty())
            return; // a day without a date cannot be keyed; a foreign file's only
        const long long fingerprint = dayFingerprint(day);
        m_findDay.bind(1, circuitId).bind(2, static_cast<long long>(day.channel)).bindText(3, date);
        if (m_findDay.step()) {
            const long long id = m_findDay.column(0);
            const bool same = m_findDay.column(1) == fingerprint;
            m_findDay.reset();
            if (same) {
                ++result.daysUnchanged;
                return;
            }
            m_deleteDay.bind(1, id).run(); // its phases and samples go with it
        } else {
            m_findDay.reset();
        }
        const DayData& data = day.data;
        const DaySummary& s = data.summary;
        Statement& q = m_addDay;
        q.bind(1, circuitId).bind(2, static_cast<long long>(day.channel)).bindText(3, date);
        q.bind(4, static_cast<long long>(data.circuitType))
            .bind(5, static_cast<long long>(data.hasReverse));
        q.bind(6, data.ptRatio).bind(7, data.ctRatio);
        q.bind(8, static_cast<long long>(data.intervals.count()));
        q.bind(9, s.energy).bind(10, s.reverseEnergy).bind(11, s.leadReactiveEnergy);
        q.bind(12, s.lagReactiveEnergy).bind(13, s.averagePower).bind(14, s.reverseAveragePower);
        q.bind(15, s.averagePowerFactor);
        bindRange(q, 16, s.maxDemand);
        bindRange(q, 19, s.reverseMaxDemand);
        bindInstant(q, 22, s.peakPower).bind(24, s.peakPowerFactor);
        bindInstant(q, 25, s.reversePeakPower).bind(27, s.reversePeakPowerFactor);
        q.bind(28, fingerprint);
        q.run();
        const long long dayId = sqlite3_last_insert_rowid(m_db.handle());

        for (int p = 0; p < data.phaseCount(); ++p) {
            const auto i = static_cast<std::size_t>(p);
            Statement& ph = m_addPhase;
            ph.bind(1, dayId).bind(2, static_cast<long long>(p) + 1);
            ph.bind(3, s.averageVoltage[i]).bind(4, s.averageCurrent[i]);
            bindInstant(ph, 5, s.peakVoltage[i]);
            bindInstant(ph, 7, s.minVoltage[i]);
            bindRange(ph, 9, s.maxCurrent[i]);
            bindInstant(ph, 12, s.peakCurrent[i]);
            ph.run();
        }
        for (int n = 0; n < data.intervals.count(); ++n) {
            const IntervalSample& x = data.intervals.at(n);
            const std::string time = isoTime(x.time);
            if (time.empty())
                continue;
            Statement& sm = m_addSample;
            sm.bind(1, dayId).bindText(2, time).bind(3, x.power).bind(4, x.reversePower);
            sm.bind(5, x.powerFactor);
            for (std::size_t k = 0; k < 3; ++k) {
                const bool shown = static_cast<int>(k) < data.phaseCount();
                const int column = 6 + static_cast<int>(k);
                if (shown)
                    sm.bind(column, x.voltage[k]).bind(column + 3, x.current[k]);
                else
                    sm.bindNull(column).bindNull(column + 3);
            }
            sm.run();
            ++result.samples;
        }
        ++result.daysWritten;
    }

    static Statement& bindInstant(Statement& q, int index, const PeakRecord& peak) {
        return q.bind(index, peak.value).bindTextOrNull(index + 1, isoTime(peak.from));
    }
    static Statement& bindRange(Statement& q, int index, const PeakRecord& peak) {
        return bindInstant(q, index, peak).bindTextOrNull(index + 2, isoTime(peak.to));
    }

    Database& m_db;
    const SqliteCircuitTermsOf& m_termsOf;
    Statement m_findCustomer, m_addCustomer, m_findCircuit, m_addCircuit;
    Statement m_findDay, m_deleteDay, m_addDay, m_addPhase, m_addSample, m_setTerms;
};

} // namespace

long long dayFingerprint(const MeasurementDay& day) {
    Fingerprint f;
    const DayData& data = day.data;
    f.add(static_cast<long long>(data.circuitType));
    f.add(static_cast<long long>(data.hasReverse));
    f.add(data.ptRatio);
    f.add(data.ctRatio);
    for (int n = 0; n < data.intervals.count(); ++n) {
        const IntervalSample& x = data.intervals.at(n);
        f.add(x.time);
        f.add(x.power);
        f.add(x.reversePower);
        f.add(x.powerFactor);
        f.add(x.voltage.data(), sizeof x.voltage);
        f.add(x.current.data(), sizeof x.current);
    }
    const DaySummary& s = data.summary;
    for (double v : {s.energy, s.reverseEnergy, s.spareTotal, s.leadReactiveEnergy,
                     s.lagReactiveEnergy, s.averagePower, s.reverseAveragePower,
                     s.averagePowerFactor, s.peakPowerFactor, s.reversePeakPowerFactor})
        f.add(v);
    for (const PeakRecord* p :
         {&s.maxDemand, &s.reverseMaxDemand, &s.peakPower, &s.reversePeakPower})
        f.add(*p);
    f.add(s.averageVoltage.data(), sizeof s.averageVoltage);
    f.add(s.averageCurrent.data(), sizeof s.averageCurrent);
    for (const auto* peaks : {&s.peakVoltage, &s.minVoltage, &s.maxCurrent, &s.peakCurrent})
        for (const PeakRecord& p : *peaks)
            f.add(p);
    return f.value();
}

SqliteExportResult exportToSqlite(const MeasurementStore& store, const std::filesystem::path& path,
                                  const SqliteCircuitTermsOf& termsOf) {
    SqliteExportResult result;
    try {
        Database db(path);
        db.exec("PRAGMA foreign_keys = ON");
        db.exec("BEGIN IMMEDIATE");
        try {
            db.exec(kSqliteSchema);
            Exporter(db, termsOf).write(store, result);
            db.exec("COMMIT");
        } catch (...) {
            sqlite3_exec(db.handle(), "ROLLBACK", nullptr, nullptr, nullptr);
            throw;
        }
        result.ok = true;
    } catch (const SqliteFailure& e) {
        result = SqliteExportResult();
        result.error = e.what();
    }
    return result;
}
