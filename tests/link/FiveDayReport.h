#pragma once
// A generated recorder report of five days in its pieces (title, then one piece per day), LF
// line ends as a recorder sends them, and the same report cut inside a day.
#include "tools/reportgen/ReportGenerator.h"
#include <string>
#include <vector>

struct FiveDayReport {
    FiveDayReport() {
        ReportGenOptions options;
        options.seed = 35;
        options.firstDay = DateTime::make(2024, 3, 1);
        options.days = 5;
        options.lineEnd = "\n";
        ReportGenerator generator(options);
        std::string piece;
        while (generator.next(piece)) {
            pieces.push_back(piece);
            piece.clear();
        }
        expected = generator.expectedDays();
    }
    // The report up to a quarter into the listing of day `day` (1-5), inside a line.
    std::string cutInside(int day) const {
        std::string out;
        for (int i = 0; i < day; ++i)
            out += pieces[static_cast<std::size_t>(i)];
        const std::string& cut = pieces[static_cast<std::size_t>(day)];
        return out + cut.substr(0, cut.size() / 4 + 3);
    }
    // The first n days as the parser keeps them (channel 1).
    MeasurementCircuit firstDays(int n) const {
        MeasurementCircuit out;
        for (int i = 0; i < n; ++i)
            out.addOrReplaceDay(expected.days.at(i));
        return out;
    }

    std::vector<std::string> pieces;
    MeasurementCircuit expected;
};
