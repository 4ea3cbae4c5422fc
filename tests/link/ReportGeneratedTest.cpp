// Generated reports parsed back: the parser must find exactly the days the generator wrote.
#include "common/Cp932.h"
#include "link/ReportParser.h"
#include "link/ReportText.h"
#include "tools/reportgen/PacedWriter.h"
#include "tools/reportgen/ReportGenerator.h"

#include "support/CxException.h"
#include "support/Sjis.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <poll.h>
#include <thread>
#include <unistd.h>

namespace {

MeasurementCircuit parseAll(const std::string& text) {
    MeasurementCircuit days;
    ParseContext ctx(days);
    try {
        parseReportText(ctx, text);
    } catch (const CxException& e) {
        ADD_FAILURE() << sjis::toUtf8(e.message());
    }
    EXPECT_EQ(ctx.state, ParseState::WaitHeader);
    return days;
}

// Reports the first difference, so a failure says where.
void expectSameDays(const MeasurementCircuit& got, const MeasurementCircuit& want) {
    ASSERT_EQ(got.days.count(), want.days.count());
    for (int i = 0; i < want.days.count(); ++i) {
        const MeasurementDay& g = got.days.at(i);
        const MeasurementDay& w = want.days.at(i);
        SCOPED_TRACE("day " + std::to_string(i) + " ch" + std::to_string(w.channel) + " " +
                     w.date.text());
        EXPECT_EQ(g.channel, w.channel);
        EXPECT_EQ(g.date, w.date);
        EXPECT_EQ(g.data.circuitType, w.data.circuitType);
        EXPECT_EQ(g.data.hasReverse, w.data.hasReverse);
        EXPECT_EQ(g.data.ptRatio, w.data.ptRatio);
        EXPECT_EQ(g.data.ctRatio, w.data.ctRatio);
        ASSERT_EQ(g.data.intervals.count(), w.data.intervals.count());
        for (int k = 0; k < w.data.intervals.count(); ++k) {
            ASSERT_EQ(g.data.intervals.at(k), w.data.intervals.at(k))
                << "sample " << k << " " << w.data.intervals.at(k).time.text();
        }
        EXPECT_EQ(g.data.summary, w.data.summary);
    }
    EXPECT_TRUE(got == want);
}

} // namespace

TEST(ReportGenerated, MultiDayTwoChannelsWithReverseParsesBackExactly) {
    ReportGenOptions o;
    o.seed = 2006;
    o.firstDay = DateTime::make(2006, 12, 29); // across the year end
    o.days = 5;
    o.channel1 = o.channel2 = true;
    o.circuitType1 = CircuitSinglePhase;
    o.circuitType2 = CircuitThreePhase4Wire;
    o.reverse = true;
    ReportGenerator gen(o);
    std::string text = gen.generate();
    const MeasurementCircuit& want = gen.expectedDays();
    ASSERT_EQ(want.days.count(), 10);
    for (const MeasurementDay& d : want.days) {
        EXPECT_EQ(d.data.intervals.count(), 48);
        EXPECT_EQ(d.data.hasReverse, 1);
        EXPECT_GT(d.data.summary.energy, 0);
        EXPECT_LT(d.data.summary.reverseMaxDemand.value, 0);
        EXPECT_TRUE(d.data.summary.maxDemand.to.isValid());
    }
    // The last interval of a day is stamped 00:00 of the next day.
    EXPECT_EQ(want.days.at(2).data.intervals.at(47).time, DateTime::make(2007, 1, 1));
    expectSameDays(parseAll(text), want);
}

TEST(ReportGenerated, ManySeedsAndShapes) {
    for (uint64_t seed = 1; seed <= 24; ++seed) {
        ReportGenOptions o;
        o.seed = seed;
        o.days = 2;
        o.channel1 = seed % 3 != 2;
        o.channel2 = seed % 3 != 1;
        o.circuitType1 = static_cast<int32_t>(1 + seed % 3);
        o.circuitType2 = static_cast<int32_t>(1 + (seed / 3) % 3);
        o.reverse = seed % 2 == 0;
        o.intervalMinutes = std::array<int, 6>{30, 15, 5, 1, 60, 10}[seed % 6];
        o.fullWidthHeader = seed % 4 != 0;
        o.noise = seed % 5 != 0;
        o.lineEnd = seed % 2 ? "\r\n" : "\n";
        SCOPED_TRACE("seed " + std::to_string(seed));
        ReportGenerator gen(o);
        std::string text = gen.generate();
        expectSameDays(parseAll(text), gen.expectedDays());
    }
}

TEST(ReportGenerated, SameSeedSameBytesAndPiecesMakeTheWhole) {
    ReportGenOptions o;
    o.days = 3;
    o.channel2 = true;
    ReportGenerator a(o), b(o);
    std::string whole = a.generate();
    std::string pieces;
    std::string piece;
    int count = 0;
    while (b.next(piece)) {
        pieces += piece;
        piece.clear();
        ++count;
    }
    EXPECT_EQ(count, 4); // title, then one piece per day
    EXPECT_EQ(whole, pieces);
    o.seed = 2;
    EXPECT_NE(ReportGenerator(o).generate(), whole);
}

TEST(ReportGenerated, SummaryAgreesWithTheIntervals) {
    ReportGenOptions o;
    o.days = 20;
    o.channel1 = o.channel2 = true;
    o.circuitType2 = CircuitThreePhase3Wire;
    o.reverse = true;
    ReportGenerator gen(o);
    std::string text = gen.generate();
    int outages = 0;
    for (const MeasurementDay& d : gen.expectedDays().days) {
        const DayData& data = d.data;
        const DaySummary& s = data.summary;
        double energy = 0.0, reverseEnergy = 0.0, maxPower = 0.0, minReverse = 0.0;
        bool outage = false;
        for (const IntervalSample& x : data.intervals) {
            energy += x.power * 0.5;
            reverseEnergy += x.reversePower * 0.5;
            maxPower = std::max(maxPower, x.power);
            minReverse = std::min(minReverse, x.reversePower);
            outage |= x.voltage[0] == 0;
            EXPECT_GE(x.powerFactor, 0);
            EXPECT_LE(x.powerFactor, 100);
        }
        outages += outage;
        // Rounded interval values against the exact sums: within half a watt an interval.
        EXPECT_NEAR(s.energy, energy, 0.5 * 48 * 0.5 + 1);
        EXPECT_NEAR(s.reverseEnergy, reverseEnergy, 0.5 * 48 * 0.5 + 1);
        EXPECT_NEAR(s.averagePower, s.energy / 24, 1);
        // With 30-minute intervals the demand window is an interval.
        EXPECT_EQ(s.maxDemand.value, maxPower);
        EXPECT_EQ(s.reverseMaxDemand.value, minReverse);
        EXPECT_EQ(s.maxDemand.to, s.maxDemand.from.addMinutes(30));
        EXPECT_GE(s.peakPower.value, s.maxDemand.value);
        EXPECT_LE(s.reversePeakPower.value, s.reverseMaxDemand.value);
        EXPECT_FALSE(s.peakPower.to.isValid());
        for (int k = 0; k < 2; ++k) {
            EXPECT_GE(s.peakVoltage[k].value, s.averageVoltage[k]);
            EXPECT_LE(s.minVoltage[k].value, s.averageVoltage[k]);
            EXPECT_GE(s.maxCurrent[k].value, s.averageCurrent[k]);
            EXPECT_GE(s.peakCurrent[k].value, s.maxCurrent[k].value);
        }
        double nominal = data.circuitType == CircuitSinglePhase
                             ? 100
                             : (s.averageVoltage[0] > 1000 ? 6600 : 200);
        EXPECT_NEAR(s.averageVoltage[0], nominal, nominal * 0.1);
        EXPECT_GT(s.averagePowerFactor, 80);
    }
    EXPECT_GT(outages, 0);
    EXPECT_NE(text.find(sj("停電")), std::string::npos);
}

TEST(ReportGenerated, RejectsOptionsItCannotHonour) {
    ReportGenOptions o;
    o.intervalMinutes = 7;
    EXPECT_THROW(ReportGenerator{o}, std::invalid_argument);
    o = {};
    o.channel1 = false;
    EXPECT_THROW(ReportGenerator{o}, std::invalid_argument);
    o = {};
    o.circuitType2 = 4;
    EXPECT_THROW(ReportGenerator{o}, std::invalid_argument);
    EXPECT_EQ(circuitTypeFromText("3相4線"), CircuitThreePhase4Wire);
    EXPECT_EQ(circuitTypeFromText("2"), CircuitThreePhase3Wire);
    EXPECT_EQ(circuitTypeFromText("4"), CircuitNone);
}

TEST(ReportGenerated, ThroughAPseudoTerminal) {
    ReportGenOptions o;
    o.lineEnd = "\n";
    o.channel2 = true;
    ReportGenerator gen(o);
    std::string text = gen.generate();

    PacedWriter writer(115200);
    int fd = ::open(writer.slavePath().c_str(), O_RDONLY | O_NOCTTY);
    ASSERT_GE(fd, 0);
    ASSERT_TRUE(writer.waitForReader(std::chrono::seconds(10)));
    std::string received;
    std::thread reader([&] {
        char buf[4096];
        // Generous watchdog: stop after 20 s of silence.
        while (received.size() < text.size()) {
            pollfd p{fd, POLLIN, 0};
            if (::poll(&p, 1, 20000) <= 0) {
                break;
            }
            ssize_t n = ::read(fd, buf, sizeof buf);
            if (n <= 0) {
                break;
            }
            received.append(buf, static_cast<std::size_t>(n));
        }
    });
    writer.write(text);
    writer.drain();
    reader.join();
    ::close(fd);
    EXPECT_EQ(writer.bytesWritten(), text.size());
    ASSERT_EQ(received, text); // raw: no CR/LF translation on the way
    expectSameDays(parseAll(received), gen.expectedDays());
}

TEST(ReportGenerated, CommandLineWritesTheSameReport) {
    std::string path = ::testing::TempDir() + "orvo_reportgen_cli.txt";
    std::string command = std::string(ORVO_REPORTGEN) +
                          " --seed 5 --start 2007/02/27 --days 3 --channels 1,2 --type1 3相3線"
                          " --type2 3 --reverse --interval 15 --out '" +
                          path + "' 2>/dev/null";
    ASSERT_EQ(std::system(command.c_str()), 0);
    std::FILE* f = std::fopen(path.c_str(), "rb");
    ASSERT_NE(f, nullptr);
    std::string bytes;
    char buf[65536];
    for (std::size_t n; (n = std::fread(buf, 1, sizeof buf, f)) > 0;) {
        bytes.append(buf, n);
    }
    std::fclose(f);
    std::remove(path.c_str());

    ReportGenerator gen(twoChannelOptions(5, DateTime::make(2007, 2, 27), 3, 15));
    EXPECT_EQ(bytes, gen.generate()); // a file gets CR LF line ends
    expectSameDays(parseAll(bytes), gen.expectedDays());
    EXPECT_EQ(gen.expectedDays().days.at(2).date, DateTime::make(2007, 3, 1));
}
