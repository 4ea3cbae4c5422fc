#pragma once
#include "common/Cp932.h"
#include "store/DAT_Records.h"
#include "store/DAT_Store.h"
#include "support/DateTime.h"
#include "support/PrivateProfile.h"
#include "support/Sjis.h"
#include <QComboBox>
#include <QTemporaryDir>
#include <string>
#include <vector>

namespace apptest {

// A day with one sample at 00:15 of the given power (W) and voltage 1 (V).
inline MeasurementDay makeDay(int y, int m, int d, double powerW = 500.0, double volts = 100.0,
                              double maxDemand = 500.0) {
    MeasurementDay day;
    day.channel = 1;
    day.date = DateTime::make(y, m, d);
    IntervalSample s;
    s.time = DateTime::make(y, m, d, 0, 15);
    s.power = powerW;
    s.powerFactor = 95.0;
    s.voltage = {volts, volts, 0.0};
    s.current = {12.0, 11.0, 0.0};
    day.data.addOrReplaceSample(s);
    day.data.summary.maxDemand.value = maxDemand;
    day.data.summary.peakVoltage[0].value = volts;
    day.data.circuitType = 1;
    return day;
}

inline MeasurementStore makeStore(const std::vector<MeasurementDay>& days) {
    MeasurementStore store;
    const int c = store.insert(sj("東京工場"));
    Customer& customer = store.at(c);
    const int k = customer.circuits.insert(sj("受電"));
    for (const MeasurementDay& d : days)
        customer.circuits.at(k).addOrReplaceDay(d);
    return store;
}

inline std::string iniValue(const std::string& ini, const std::string& section,
                            const std::string& key) {
    return profile::readString(ini, section, key, "<missing>");
}

inline QStringList items(const QComboBox* box) {
    QStringList list;
    for (int i = 0; i < box->count(); ++i)
        list << box->itemText(i);
    return list;
}

// Picks an entry the way the user does: the box changes and reports the choice.
inline void choose(QComboBox* box, int index) {
    box->setCurrentIndex(index);
    emit box->activated(index);
}

inline std::string utf8Path(const QTemporaryDir& dir) {
    return dir.path().toStdString();
}

} // namespace apptest
