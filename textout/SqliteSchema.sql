-- The database that `orvoview-cli export-sqlite` writes. Times are ISO 8601 text in the
-- recorder's local time ("2006-12-15T00:30:00"), dates "2006-12-15". Names are UTF-8; where a
-- Shift-JIS name does not come back unchanged from UTF-8, its bytes are kept in name_sjis.
-- Units: W, Wh, var h, %, V, A. A value the recorder printed as infinite is stored as such;
-- a NaN becomes NULL.
PRAGMA foreign_keys = ON;

CREATE TABLE IF NOT EXISTS customer (
    id        INTEGER PRIMARY KEY,
    name      TEXT NOT NULL,
    name_sjis BLOB
);
CREATE UNIQUE INDEX IF NOT EXISTS customer_by_name ON customer(name, ifnull(name_sjis, x''));

CREATE TABLE IF NOT EXISTS circuit (
    id          INTEGER PRIMARY KEY,
    customer_id INTEGER NOT NULL REFERENCES customer(id) ON DELETE CASCADE,
    name        TEXT NOT NULL,
    name_sjis   BLOB,
    contract_demand_w      REAL, -- NULL: none entered in the 分析 view
    power_factor_threshold REAL
);
CREATE UNIQUE INDEX IF NOT EXISTS circuit_by_name
    ON circuit(customer_id, name, ifnull(name_sjis, x''));

-- One measured day of one channel, with its summary block.
CREATE TABLE IF NOT EXISTS day (
    id                       INTEGER PRIMARY KEY,
    circuit_id               INTEGER NOT NULL REFERENCES circuit(id) ON DELETE CASCADE,
    channel                  INTEGER NOT NULL,
    date                     TEXT NOT NULL,
    circuit_type             INTEGER NOT NULL, -- 1 単相, 2 3相3線, 3 3相4線
    has_reverse              INTEGER NOT NULL,
    pt_ratio                 REAL,
    ct_ratio                 REAL,
    sample_count             INTEGER NOT NULL,
    energy_wh                REAL,
    reverse_energy_wh        REAL,
    lead_reactive_varh       REAL,
    lag_reactive_varh        REAL,
    average_power_w          REAL,
    reverse_average_power_w  REAL,
    average_power_factor     REAL,
    max_demand_w             REAL,
    max_demand_from          TEXT,
    max_demand_to            TEXT,
    reverse_max_demand_w     REAL,
    reverse_max_demand_from  TEXT,
    reverse_max_demand_to    TEXT,
    peak_power_w             REAL,
    peak_power_at            TEXT,
    peak_power_factor        REAL,
    reverse_peak_power_w     REAL,
    reverse_peak_power_at    TEXT,
    reverse_peak_power_factor REAL,
    fingerprint              INTEGER NOT NULL -- tells a changed day at the next export
);
CREATE UNIQUE INDEX IF NOT EXISTS day_by_circuit ON day(circuit_id, channel, date);
CREATE INDEX IF NOT EXISTS day_by_date ON day(date);

-- The per-phase figures of a day's summary (phase 1-3).
CREATE TABLE IF NOT EXISTS day_phase (
    day_id           INTEGER NOT NULL REFERENCES day(id) ON DELETE CASCADE,
    phase            INTEGER NOT NULL,
    average_voltage  REAL,
    average_current  REAL,
    peak_voltage     REAL,
    peak_voltage_at  TEXT,
    min_voltage      REAL,
    min_voltage_at   TEXT,
    max_current      REAL,
    max_current_from TEXT,
    max_current_to   TEXT,
    peak_current     REAL,
    peak_current_at  TEXT,
    PRIMARY KEY (day_id, phase)
) WITHOUT ROWID;

-- One interval line; `time` is the end of the interval.
CREATE TABLE IF NOT EXISTS sample (
    day_id          INTEGER NOT NULL REFERENCES day(id) ON DELETE CASCADE,
    time            TEXT NOT NULL,
    power_w         REAL,
    reverse_power_w REAL,
    power_factor    REAL,
    voltage1        REAL,
    voltage2        REAL,
    voltage3        REAL,
    current1        REAL,
    current2        REAL,
    current3        REAL,
    PRIMARY KEY (day_id, time)
) WITHOUT ROWID;
