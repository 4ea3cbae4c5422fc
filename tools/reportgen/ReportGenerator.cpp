#include "tools/reportgen/ReportGenerator.h"

#include "support/Sjis.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <optional>
#include <stdexcept>
#include <vector>

// The recorder's texts are written here in UTF-8 and converted once to Shift-JIS.

namespace {

// The generator's own texts, all of which CP932 spells; a slip throws rather than print '?'.
std::string cp932(std::string_view utf8) {
    std::optional<std::string> bytes = sjis::fromUtf8(utf8);
    if (!bytes)
        throw std::logic_error("report text without a CP932 form");
    return std::move(*bytes);
}

constexpr int kMinutes = 1440;
constexpr double kPi = 3.14159265358979323846;

struct Texts {
    std::string time = cp932("時刻");
    std::string outage = cp932("停電");
    std::string tilde = cp932("～");
    std::string volts = cp932("電圧");
    std::string amps = cp932("電流");
    std::string columnsPlain = cp932("時刻     電力(W)  力率(%)");
    std::string columnsReverse = cp932("時刻  電力正方向(W) 電力逆方向(W)  力率(%)");
    std::string units = cp932("　　　　　　　　（Ｗ）　　　（％）　　（Ｖ）　　（Ａ）");
    std::string energy = cp932("総電力量");
    std::string fwd = cp932("(正方向)");
    std::string rev = cp932("(逆方向)");
    std::string netEnergy = cp932("差引電力量");
    std::string leadEnergy = cp932("進み無効電力量");
    std::string lagEnergy = cp932("遅れ無効電力量");
    std::string avgPower = cp932("平均電力");
    std::string avgPf = cp932("平均力率");
    std::string maxDemand = cp932("最大電力");
    std::string peakPower = cp932("瞬間最大電力");
    std::string pf = cp932("力率");
    std::string extraPeakHeading = cp932("瞬間最大電力（参考）  ----  力率 --.-  時刻 --:--");
    std::string avgVoltage = cp932("平均電圧");
    std::string avgCurrent = cp932("平均電流");
    std::string peakVoltage = cp932("瞬間最大電圧");
    std::string minVoltage = cp932("瞬間最小電圧");
    std::string maxCurrent = cp932("最大電流");
    std::string peakCurrent = cp932("瞬間最大電流");
    std::string title = cp932("＊＊＊　オルボ　電力測定データ　＊＊＊");
    std::string model = cp932("機種：ORVO-2　　機番：0412-0815");
    std::string printed = cp932("印字開始");
    std::string pagePrefix = cp932("－－－－－－－－－－　ページ");
    std::string pageSuffix = cp932("　－－－－－－－－－－");
    std::string dailyReport = cp932("日報");
    std::string halfCh = cp932("CH1/CH2 設定値は各ブロックの見出しを参照");
    std::string comment = cp932("; ORVO print-out");
};

const Texts& texts() {
    static const Texts t;
    return t;
}

// splitmix64: small, fast and the same everywhere.
class Rng {
public:
    explicit Rng(uint64_t seed) : m_state(seed) {}
    uint64_t next() {
        uint64_t z = (m_state += 0x9E3779B97F4A7C15ull);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
        return z ^ (z >> 31);
    }
    double uniform() { return static_cast<double>(next() >> 11) * (1.0 / 9007199254740992.0); }
    double range(double lo, double hi) { return lo + (hi - lo) * uniform(); }
    // Roughly normal, mean 0, deviation 1.
    double gauss() { return (uniform() + uniform() + uniform() + uniform() - 2.0) * 1.7320508; }
    int below(int n) { return static_cast<int>(uniform() * n); }

private:
    uint64_t m_state;
};

uint64_t mix(uint64_t a, uint64_t b) {
    Rng r(a ^ (b * 0xD6E8FEB86659FD93ull));
    r.next();
    return r.next();
}

// A value as printed, and what reading the print gives back.
struct Printed {
    std::string text;
    double value;
};

Printed printed(double v, int decimals) {
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.*f", decimals, v);
    std::string s = buf;
    if (s[0] == '-' && s.find_first_not_of("-0.") == std::string::npos) {
        s.erase(0, 1); // no "-0"
    }
    return {s, std::strtod(s.c_str(), nullptr)};
}

// Appends a right-aligned field after at least one blank.
void field(std::string& out, std::string_view text, std::size_t width) {
    std::size_t pad = text.size() < width ? width - text.size() : 0;
    out.append(pad + 1, ' ');
    out.append(text);
}

std::string hhmm(int minutes) {
    char buf[8];
    std::snprintf(buf, sizeof buf, "%02d:%02d", (minutes / 60) % 100, minutes % 60);
    return buf;
}

// Full-width form (UTF-8) of printable ASCII, as the recorder prints its headers.
std::string fullWidthUtf8(std::string_view ascii) {
    std::string utf8;
    for (char c : ascii) {
        unsigned u = static_cast<unsigned char>(c);
        unsigned cp = u == ' ' ? 0x3000 : (u > 0x20 && u < 0x7F ? 0xFF01 + (u - 0x21) : u);
        if (cp < 0x80) {
            utf8 += static_cast<char>(cp);
        } else {
            utf8 += static_cast<char>(0xE0 | (cp >> 12));
            utf8 += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
            utf8 += static_cast<char>(0x80 | (cp & 0x3F));
        }
    }
    return utf8;
}

// Means of a stretch of minutes.
double mean(const std::vector<double>& v, int from, int to) {
    double sum = 0.0;
    for (int m = from; m < to; ++m) {
        sum += v[static_cast<std::size_t>(m)];
    }
    return to > from ? sum / (to - from) : 0.0;
}

} // namespace

// What stays the same for a channel over the whole report.
struct ReportChannel {
    int number = 1;
    int32_t type = CircuitSinglePhase;
    int phases = 2;
    double nominalVoltage = 101.0;
    int voltageDecimals = 1;
    double pt = 1.0;
    double ct = 1.0;
    double peakLoad = 5000.0; // W
    double baseShare = 0.25;  // night load as a share of the peak
    double solarPeak = 0.0;   // W, with a reverse column
};

int32_t circuitTypeFromText(std::string_view text) {
    if (text == "1" || text == "単相") {
        return CircuitSinglePhase;
    }
    if (text == "2" || text == "3相3線") {
        return CircuitThreePhase3Wire;
    }
    if (text == "3" || text == "3相4線") {
        return CircuitThreePhase4Wire;
    }
    return CircuitNone;
}

ReportGenOptions twoChannelOptions(uint64_t seed, DateTime firstDay, int days,
                                   int intervalMinutes) {
    ReportGenOptions o;
    o.seed = seed;
    o.firstDay = firstDay;
    o.days = days;
    o.channel1 = o.channel2 = true;
    o.circuitType1 = CircuitThreePhase3Wire;
    o.circuitType2 = CircuitThreePhase4Wire;
    o.reverse = true;
    o.intervalMinutes = intervalMinutes;
    return o;
}

ReportGenerator::ReportGenerator(ReportGenOptions options) : m_options(std::move(options)) {
    const ReportGenOptions& o = m_options;
    if (!o.firstDay.isValid() || o.days < 0) {
        throw std::invalid_argument("report generator: first day or day count");
    }
    if (o.intervalMinutes < 1 || o.intervalMinutes > 60 || kMinutes % o.intervalMinutes != 0) {
        throw std::invalid_argument("report generator: interval must divide a day, 1-60 min");
    }
    if (!o.channel1 && !o.channel2) {
        throw std::invalid_argument("report generator: no channel");
    }
    for (int32_t t : {o.circuitType1, o.circuitType2}) {
        if (t < CircuitSinglePhase || t > CircuitThreePhase4Wire) {
            throw std::invalid_argument("report generator: circuit type");
        }
    }
    if (!o.firstDay.addDays(o.days).isValid()) {
        throw std::invalid_argument("report generator: days run past 9999");
    }
}

void ReportGenerator::line(std::string& out, std::string_view text) {
    out.append(text);
    out.append(m_options.lineEnd);
    ++m_lines;
}

void ReportGenerator::noise(std::string& out, uint64_t salt) {
    if (!m_options.noise) {
        return;
    }
    const Texts& t = texts();
    Rng r(mix(m_options.seed, salt));
    int kind = r.below(6);
    line(out, "");
    if (kind == 0) {
        line(out, t.pagePrefix + " " + std::to_string(++m_page) + " " + t.pageSuffix);
        line(out, "");
        line(out, t.title);
    } else if (kind == 1) {
        line(out, t.comment);
    } else if (kind == 2) {
        line(out, t.halfCh);
    } else if (kind == 3) {
        line(out, "");
    }
}

bool ReportGenerator::next(std::string& out) {
    const Texts& t = texts();
    if (m_nextDay < 0) {
        m_nextDay = 0;
        if (m_options.noise) {
            line(out, t.title);
            line(out, t.model);
            line(out, t.printed + " " + m_options.firstDay.format("%Y/%m/%d") + " 08:00");
            line(out, "");
            line(out, t.pagePrefix + " 1 " + t.pageSuffix);
            line(out, "");
        }
        return true;
    }
    if (m_nextDay >= m_options.days) {
        return false;
    }
    writeDay(out, m_nextDay++);
    return true;
}

std::string ReportGenerator::generate() {
    std::string out;
    while (next(out)) {
    }
    return out;
}

void ReportGenerator::writeDay(std::string& out, int dayIndex) {
    const ReportGenOptions& o = m_options;
    DateTime date = o.firstDay.dateOnly().addDays(dayIndex);

    // One outage hits every channel of the recorder.
    int outageStart = -1, outageEnd = -1;
    Rng dayRng(mix(o.seed, 0x0u + static_cast<uint64_t>(dayIndex) * 7 + 1));
    if (o.outages && dayRng.uniform() < 0.15) {
        outageStart = dayRng.below(kMinutes - 120);
        outageEnd = outageStart + 3 + dayRng.below(90);
    }

    for (int number : {1, 2}) {
        if ((number == 1 && !o.channel1) || (number == 2 && !o.channel2)) {
            continue;
        }
        ReportChannel ch;
        Rng r(mix(o.seed, 0x1000u + static_cast<uint64_t>(number)));
        ch.number = number;
        ch.type = number == 1 ? o.circuitType1 : o.circuitType2;
        ch.phases = ch.type == CircuitThreePhase4Wire ? 3 : 2;
        switch (ch.type) {
        case CircuitSinglePhase:
            ch.nominalVoltage = 101.0 + r.range(0, 4);
            ch.peakLoad = r.range(3000, 9000);
            ch.ct = std::array<double, 3>{1, 20, 40}[static_cast<std::size_t>(r.below(3))];
            break;
        case CircuitThreePhase3Wire:
            if (r.uniform() < 0.5) {
                ch.nominalVoltage = 6600.0 + r.range(-150, 150);
                ch.voltageDecimals = 0;
                ch.pt = 60.0;
                ch.peakLoad = r.range(150000, 800000);
                ch.ct = std::array<double, 3>{10, 20, 50}[static_cast<std::size_t>(r.below(3))];
            } else {
                ch.nominalVoltage = 202.0 + r.range(0, 8);
                ch.peakLoad = r.range(20000, 90000);
                ch.ct = std::array<double, 3>{40, 60, 100}[static_cast<std::size_t>(r.below(3))];
            }
            break;
        default:
            ch.nominalVoltage = 230.0 + r.range(-5, 5);
            ch.peakLoad = r.range(30000, 120000);
            ch.ct = std::array<double, 3>{60, 100, 200}[static_cast<std::size_t>(r.below(3))];
            break;
        }
        ch.baseShare = r.range(0.15, 0.35);
        ch.solarPeak = o.reverse ? ch.peakLoad * r.range(1.0, 2.5) : 0.0;
        writeChannelDay(out, ch, dayIndex, date, outageStart, outageEnd);
    }
}

namespace {

// A channel's day minute by minute: net power (negative = reverse flow), power factor, voltages
// and currents, forward and reverse power, and the minutes without supply.
struct ChannelMinutes {
    std::vector<double> net, pf, fwd, rvs;
    std::array<std::vector<double>, 3> volt, curr;
    std::vector<bool> off;
};

// What the printed lines of a channel's day share.
struct DayContext {
    const ReportGenOptions& options;
    DateTime date;
    int outageStart;
    int outageEnd;
    DateTime at(int minutes) const { return date.addMinutes(minutes); }
};

ChannelMinutes simulateMinutes(const ReportChannel& ch, const DayContext& day, Rng& r) {
    ChannelMinutes out;
    out.net.assign(kMinutes, 0.0);
    out.pf.assign(kMinutes, 0.0);
    for (auto& v : out.volt) {
        v.assign(kMinutes, 0.0);
    }
    for (auto& c : out.curr) {
        c.assign(kMinutes, 0.0);
    }
    out.off.assign(kMinutes, false);
    if (day.outageStart >= 0) {
        for (int m = day.outageStart; m < std::min(day.outageEnd, kMinutes); ++m) {
            out.off[static_cast<std::size_t>(m)] = true;
        }
    }
    const int weekday = day.date.dayOfWeek();
    const double dayFactor =
        (weekday == 0 || weekday == 6) ? r.range(0.45, 0.6) : r.range(0.9, 1.05);
    const double clouds = r.range(0.5, 1.0);
    std::array<double, 3> imbalance;
    for (double& x : imbalance) {
        x = r.range(0.9, 1.1);
    }
    double walk = 0.0, cloudWalk = 0.0, vWalk = 0.0;
    for (int m = 0; m < kMinutes; ++m) {
        std::size_t i = static_cast<std::size_t>(m);
        double h = m / 60.0;
        // Business-day curve: night base, morning ramp, lunch dip, evening fall.
        double shape = ch.baseShare;
        if (h >= 7 && h < 9) {
            shape += (1 - ch.baseShare) * (h - 7) / 2;
        } else if (h >= 9 && h < 18) {
            shape = (h >= 12 && h < 13) ? 0.75 : 1.0;
        } else if (h >= 18 && h < 22) {
            shape += (1 - ch.baseShare) * (22 - h) / 4;
        }
        walk = 0.97 * walk + 0.03 * r.gauss();
        double load = ch.peakLoad * shape * dayFactor * (1.0 + 0.25 * walk + 0.02 * r.gauss());
        load = std::max(load, ch.peakLoad * 0.05);
        cloudWalk = 0.95 * cloudWalk + 0.05 * r.gauss();
        double sun = (h > 6 && h < 18) ? std::sin(kPi * (h - 6) / 12) : 0.0;
        double solar = ch.solarPeak * sun * std::clamp(clouds + 0.3 * cloudWalk, 0.0, 1.0);
        vWalk = 0.9 * vWalk + 0.1 * r.gauss();
        if (out.off[i]) {
            continue; // everything 0
        }
        out.net[i] = load - solar;
        double ratio = std::min(1.0, load / ch.peakLoad);
        out.pf[i] = std::clamp(90.0 + 8.0 * ratio + 1.0 * r.gauss(), 60.0, 100.0);
        double drop = 0.025 * ratio;
        for (int k = 0; k < ch.phases; ++k) {
            out.volt[static_cast<std::size_t>(k)][i] =
                ch.nominalVoltage * (1.0 - drop + 0.006 * vWalk + 0.002 * r.gauss());
        }
        double apparent = std::abs(out.net[i]) / (out.pf[i] / 100.0);
        for (int k = 0; k < ch.phases; ++k) {
            double v = out.volt[static_cast<std::size_t>(k)][i];
            double perPhase = ch.type == CircuitThreePhase3Wire ? apparent / (std::sqrt(3.0) * v)
                                                                : apparent / (ch.phases * v);
            out.curr[static_cast<std::size_t>(k)][i] =
                perPhase * imbalance[static_cast<std::size_t>(k)];
        }
    }
    out.fwd.assign(kMinutes, 0.0);
    out.rvs.assign(kMinutes, 0.0);
    for (std::size_t i = 0; i < out.fwd.size(); ++i) {
        out.fwd[i] = std::max(out.net[i], 0.0);
        out.rvs[i] = day.options.reverse ? std::min(out.net[i], 0.0) : 0.0;
    }
    return out;
}

// How the recorder prints a channel's currents and voltages.
struct ChannelFormats {
    int currentDecimals;
    int voltageDecimals;
    Printed current(double v) const { return printed(v, v >= 1000 ? 1 : currentDecimals); }
    Printed voltage(double v) const { return printed(v, voltageDecimals); }
};

ChannelFormats formatsOf(const ReportChannel& ch) {
    return {ch.nominalVoltage > 1000 ? 1 : 2, ch.voltageDecimals};
}

// Header of both blocks: "ＣＨ" + channel, type, PT, CT, date.
std::string blockHeader(const ReportChannel& ch, const DayContext& day) {
    static const char* const kTypeFull[] = {"", "単相", "３相３線", "３相４線"};
    static const char* const kTypeHalf[] = {"", "単相", "3相3線", "3相4線"};
    std::string number = std::to_string(ch.number);
    std::string ratios = "PT:" + printed(ch.pt, 0).text + " CT:" + printed(ch.ct, 0).text;
    std::string d = day.date.format("%Y/%m/%d");
    std::string utf8 = "ＣＨ";
    if (day.options.fullWidthHeader) {
        utf8 += fullWidthUtf8(number) + "　" + kTypeFull[ch.type] + "　" +
                fullWidthUtf8(ratios + " " + d);
    } else {
        utf8 += number + " " + kTypeHalf[ch.type] + " " + ratios + " " + d;
    }
    return cp932(utf8);
}

// The interval listing after its header: the column line and one line per interval, each
// sample also kept in `data` as reading the line gives it back.
std::vector<std::string> intervalLines(const ReportChannel& ch, const ChannelMinutes& m,
                                       const DayContext& day, Rng& r, DayData& data) {
    const ReportGenOptions& o = day.options;
    const Texts& t = texts();
    const ChannelFormats formats = formatsOf(ch);
    std::vector<std::string> lines;
    if (o.noise && r.uniform() < 0.5) {
        lines.push_back(t.units);
    }
    std::string columns = o.reverse ? t.columnsReverse : t.columnsPlain;
    for (int k = 1; k <= ch.phases; ++k) {
        columns += " " + t.volts + std::to_string(k) + "(V) " + t.amps + std::to_string(k) + "(A)";
    }
    lines.push_back(columns);
    const int step = o.intervalMinutes;
    for (int a = 0; a < kMinutes; a += step) {
        const int b = a + step;
        if (day.outageStart >= a && day.outageStart < b) {
            lines.push_back(t.outage + " " + hhmm(day.outageStart) + t.tilde +
                            hhmm(std::min(day.outageEnd, kMinutes)));
        }
        double pfSum = 0.0;
        int powered = 0;
        for (int i = a; i < b; ++i) {
            if (!m.off[static_cast<std::size_t>(i)]) {
                pfSum += m.pf[static_cast<std::size_t>(i)];
                ++powered;
            }
        }
        IntervalSample sample;
        sample.time = day.at(b);
        std::string text = hhmm(b % kMinutes);
        Printed p = printed(mean(m.fwd, a, b), 0);
        field(text, p.text, 8);
        sample.power = p.value;
        if (o.reverse) {
            Printed rp = printed(mean(m.rvs, a, b), 0);
            field(text, rp.text, 8);
            sample.reversePower = rp.value;
        }
        Printed f = powered ? printed(pfSum / powered, 1) : Printed{"--.-", 0.0};
        field(text, f.text, 6);
        sample.powerFactor = f.value;
        for (int k = 0; k < ch.phases; ++k) {
            std::size_t kk = static_cast<std::size_t>(k);
            Printed v = formats.voltage(mean(m.volt[kk], a, b));
            Printed c = formats.current(mean(m.curr[kk], a, b));
            field(text, v.text, 7);
            field(text, c.text, 7);
            sample.voltage[kk] = v.value;
            sample.current[kk] = c.value;
        }
        lines.push_back(text);
        data.addOrReplaceSample(sample);
    }
    lines.emplace_back();
    return lines;
}

// The 30-minute window with the largest (or, with sign -1, most negative) mean.
int demandWindow(const std::vector<double>& v, double sign) {
    int best = 0;
    double bestValue = sign * mean(v, 0, 30);
    for (int w = 30; w < kMinutes; w += 30) {
        double x = sign * mean(v, w, w + 30);
        if (x > bestValue) {
            bestValue = x;
            best = w;
        }
    }
    return best;
}

// The minute of the largest value after a small instantaneous excursion.
struct Instant {
    int minute = 0;
    double value = 0.0;
};

Instant instantPeak(const std::vector<double>& v, double sign, double spread, Rng& r) {
    Instant best{0, v[0]};
    double bestKey = -1e300;
    for (int m = 0; m < kMinutes; ++m) {
        double x = v[static_cast<std::size_t>(m)] * (1.0 + spread * r.uniform());
        if (sign * x > bestKey) {
            bestKey = sign * x;
            best = {m, x};
        }
    }
    return best;
}

// The summary after its header, from the same minutes; each figure also kept in `s` as reading
// its line gives it back.
std::vector<std::string> summaryLines(const ReportChannel& ch, const ChannelMinutes& m,
                                      const DayContext& day, Rng& r, DaySummary& s) {
    const ReportGenOptions& o = day.options;
    const bool rev = o.reverse;
    const Texts& t = texts();
    const ChannelFormats formats = formatsOf(ch);
    std::vector<std::string> lines;
    auto blankIfNoise = [&] {
        if (o.noise) {
            lines.emplace_back();
        }
    };
    auto valueLine = [&](const std::string& label, const Printed& v, const char* unit) {
        std::string l = label;
        field(l, v.text, 10);
        l += " ";
        l += unit;
        lines.push_back(l);
    };
    auto rangeText = [&](int from, int to) { return hhmm(from) + "-" + hhmm(to); };
    auto rangeLine = [&](const std::string& label, const Printed& v, const std::string& when) {
        std::string l = label;
        field(l, v.text, 10);
        l += " " + t.time + " " + when;
        lines.push_back(l);
    };

    blankIfNoise();
    double energy = mean(m.fwd, 0, kMinutes) * 24.0;
    double reverseEnergy = mean(m.rvs, 0, kMinutes) * 24.0;
    double lag = 0.0, lead = 0.0, pfWeighted = 0.0, pfWeight = 0.0;
    for (int i = 0; i < kMinutes; ++i) {
        std::size_t ii = static_cast<std::size_t>(i);
        if (m.off[ii]) {
            continue;
        }
        double pfr = std::clamp(m.pf[ii] / 100.0, 0.01, 1.0);
        double q = std::abs(m.net[ii]) / 60.0 * std::sqrt(1.0 - pfr * pfr) / pfr;
        (m.pf[ii] > 97.5 ? lead : lag) += q;
        pfWeighted += m.pf[ii] * std::abs(m.net[ii]);
        pfWeight += std::abs(m.net[ii]);
    }
    const std::string fwdLabel = rev ? t.fwd : std::string();

    Printed e = printed(energy, 0);
    valueLine(t.energy + fwdLabel, e, "Wh");
    s.energy = e.value;
    if (rev) {
        Printed re = printed(reverseEnergy, 0);
        valueLine(t.energy + t.rev, re, "Wh");
        s.reverseEnergy = re.value;
    }
    valueLine(t.netEnergy, printed(energy + reverseEnergy, 0), "Wh");
    blankIfNoise();
    Printed pl = printed(lead, 0), pg = printed(lag, 0);
    valueLine(t.leadEnergy, pl, "varh");
    valueLine(t.lagEnergy, pg, "varh");
    s.leadReactiveEnergy = pl.value;
    s.lagReactiveEnergy = pg.value;
    Printed ap = printed(energy / 24.0, 0);
    valueLine(t.avgPower + fwdLabel, ap, "W");
    s.averagePower = ap.value;
    if (rev) {
        Printed rap = printed(reverseEnergy / 24.0, 0);
        valueLine(t.avgPower + t.rev, rap, "W");
        s.reverseAveragePower = rap.value;
    }
    Printed apf = printed(pfWeight > 0 ? pfWeighted / pfWeight : 0.0, 1);
    valueLine(t.avgPf, apf, "%");
    s.averagePowerFactor = apf.value;

    auto demand = [&](const std::vector<double>& v, double sign, const std::string& label,
                      PeakRecord& rec) {
        int w = demandWindow(v, sign);
        Printed x = printed(mean(v, w, w + 30), 0);
        rangeLine(label, x, rangeText(w, w + 30));
        rec = {x.value, day.at(w), day.at(w + 30)};
    };
    auto peakWithPf = [&](const std::vector<double>& v, double sign, const std::string& label,
                          PeakRecord& rec, double& factor) {
        Instant in = instantPeak(v, sign, 0.05, r);
        Printed x = printed(in.value, 0);
        Printed f = printed(m.pf[static_cast<std::size_t>(in.minute)], 1);
        std::string l = label;
        field(l, x.text, 10);
        l += " " + t.pf + " " + f.text + " " + t.time + " " + hhmm(in.minute);
        lines.push_back(l);
        rec = {x.value, day.at(in.minute), DateTime()};
        factor = f.value;
    };
    auto peak = [&](const std::vector<double>& v, double sign, double spread,
                    const std::string& label, PeakRecord& rec,
                    const std::function<Printed(double)>& format) {
        Instant in = instantPeak(v, sign, spread, r);
        Printed x = format(in.value);
        rangeLine(label, x, hhmm(in.minute));
        rec = {x.value, day.at(in.minute), DateTime()};
    };
    auto voltText = [&](double v) { return formats.voltage(v); };
    auto currentText = [&](double v) { return formats.current(v); };

    blankIfNoise();
    demand(m.fwd, 1.0, t.maxDemand + fwdLabel, s.maxDemand);
    if (rev) {
        demand(m.rvs, -1.0, t.maxDemand + t.rev, s.reverseMaxDemand);
    }
    peakWithPf(m.fwd, 1.0, t.peakPower + fwdLabel, s.peakPower, s.peakPowerFactor);
    if (rev) {
        peakWithPf(m.rvs, -1.0, t.peakPower + t.rev, s.reversePeakPower, s.reversePeakPowerFactor);
    }
    if (o.noise && r.uniform() < 0.5) {
        lines.push_back(t.extraPeakHeading);
    }
    blankIfNoise();
    for (int k = 0; k < ch.phases; ++k) {
        Printed v = formats.voltage(mean(m.volt[static_cast<std::size_t>(k)], 0, kMinutes));
        valueLine(t.avgVoltage + std::to_string(k + 1), v, "V");
        s.averageVoltage[static_cast<std::size_t>(k)] = v.value;
    }
    for (int k = 0; k < ch.phases; ++k) {
        Printed c = formats.current(mean(m.curr[static_cast<std::size_t>(k)], 0, kMinutes));
        valueLine(t.avgCurrent + std::to_string(k + 1), c, "A");
        s.averageCurrent[static_cast<std::size_t>(k)] = c.value;
    }
    blankIfNoise();
    for (int k = 0; k < ch.phases; ++k) {
        std::size_t kk = static_cast<std::size_t>(k);
        peak(m.volt[kk], 1.0, 0.01, t.peakVoltage + std::to_string(k + 1), s.peakVoltage[kk],
             voltText);
    }
    for (int k = 0; k < ch.phases; ++k) {
        std::size_t kk = static_cast<std::size_t>(k);
        peak(m.volt[kk], -1.0, -0.01, t.minVoltage + std::to_string(k + 1), s.minVoltage[kk],
             voltText);
    }
    for (int k = 0; k < ch.phases; ++k) {
        std::size_t kk = static_cast<std::size_t>(k);
        int w = demandWindow(m.curr[kk], 1.0);
        Printed x = formats.current(mean(m.curr[kk], w, w + 30));
        rangeLine(t.maxCurrent + std::to_string(k + 1), x, rangeText(w, w + 30));
        s.maxCurrent[kk] = {x.value, day.at(w), day.at(w + 30)};
    }
    for (int k = 0; k < ch.phases; ++k) {
        std::size_t kk = static_cast<std::size_t>(k);
        peak(m.curr[kk], 1.0, 0.08, t.peakCurrent + std::to_string(k + 1), s.peakCurrent[kk],
             currentText);
    }
    return lines;
}

} // namespace

// A channel's day in three steps: simulate its minutes, compute the two blocks' lines with the
// values they carry, print them.
void ReportGenerator::writeChannelDay(std::string& out, const ReportChannel& ch, int dayIndex,
                                      const DateTime& date, int outageStart, int outageEnd) {
    const ReportGenOptions& o = m_options;
    const DayContext day{o, date, outageStart, outageEnd};
    Rng r(mix(o.seed, (static_cast<uint64_t>(dayIndex) << 8) + static_cast<uint64_t>(ch.number)));
    const ChannelMinutes minutes = simulateMinutes(ch, day, r);

    MeasurementDay expected;
    expected.channel = ch.number;
    expected.date = date;
    expected.data.setHeader(ch.type, ch.pt, ch.ct);
    expected.data.hasReverse = o.reverse ? 1 : 0;
    const std::string header = blockHeader(ch, day);
    const std::vector<std::string> listing = intervalLines(ch, minutes, day, r, expected.data);

    line(out, header);
    for (const std::string& text : listing) {
        line(out, text);
    }
    noise(out, (static_cast<uint64_t>(dayIndex) << 8) + 0x40u + static_cast<uint64_t>(ch.number));
    const std::vector<std::string> summary =
        summaryLines(ch, minutes, day, r, expected.data.summary);
    line(out, header);
    for (const std::string& text : summary) {
        line(out, text);
    }
    noise(out, (static_cast<uint64_t>(dayIndex) << 8) + 0x80u + static_cast<uint64_t>(ch.number));

    if (o.keepExpected) {
        m_expected.addOrReplaceDay(std::move(expected));
    }
}
