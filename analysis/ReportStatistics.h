#pragma once
// The statistics block of a report: minimum, average and maximum with their times, load factor
// and the power factor's effect on the basic charge.
#include "analysis/HalfHourDemand.h"
#include "store/DAT_Records.h"
#include <array>
#include <optional>
#include <vector>

struct ValueStatistics {
    int count = 0; // readings taken; 0 = no value
    double minimum = 0.0;
    double average = 0.0;
    double maximum = 0.0;
    DateTime minimumTime; // the first time of the extreme
    DateTime maximumTime;

    void add(double value, const DateTime& time);
    bool operator==(const ValueStatistics&) const = default;

private:
    double m_sum = 0.0;
};

// Power factor is taken as its magnitude (the recorder prints a leading one negative).
struct ReportStatistics {
    int phases = 2;
    ValueStatistics power; // W, forward
    std::array<ValueStatistics, 3> voltage;
    std::array<ValueStatistics, 3> current;
    ValueStatistics powerFactor;
};

// Adds a day's samples; outage samples hold no reading and are left out.
void addDayStatistics(ReportStatistics& stats, const DayData& day);

// The average power of the measured minutes over the maximum 30-minute demand, in %; none
// without a measured sample or a positive maximum demand.
std::optional<double> loadFactorPercent(const ValueStatistics& power, double maximumDemand);

// The usual tariff rule on the basic charge: the average power factor rounded to a whole
// percent (at most 100), 1 % off for each point above 85, 1 % on for each point below.
// Negative = discount.
int tariffEffectPercent(double averagePowerFactor);
