# Independent figures for `orvoview-cli analyse`, from the JSON of `orvoview-cli dump-report`
# of 1-minute single-phase data. Variables: S (month start day), Y, M (report month), DAY
# (one date, YYYY-MM-DD), CONTRACT (W), PF (threshold %), VLOW, VHIGH (voltage band, V).
# Prints "name value" lines.

function reportMonth(date,    y, m, d) {
    y = substr(date, 1, 4) + 0; m = substr(date, 6, 2) + 0; d = substr(date, 9, 2) + 0
    if (d < S) { m--; if (m < 1) { m = 12; y-- } }
    return sprintf("%04d-%02d", y, m)
}
function monthIndex(ym) { return substr(ym, 1, 4) * 12 + substr(ym, 6, 2) - 1 }
function number(line) { sub(/^[^:]*: */, "", line); sub(/,$/, "", line); return line + 0 }

BEGIN { target = sprintf("%04d-%02d", Y, M); last = monthIndex(target) }

/^      "date": / { day = substr($0, index($0, ": ") + 3, 10); month = reportMonth(day); samples[day] = 0; next }
/^      "samples": \[/ { inSamples = 1; next }
/^      "summary": / { inSamples = 0; next }
!inSamples { next }

/^ *"time": / {
    t = substr($0, index($0, ": ") + 3, 19)
    minute = substr(t, 12, 2) * 60 + substr(t, 15, 2)
    if (substr(t, 1, 10) != day) minute += 1440
    next
}
/^ *"power": / { power = number($0); next }
/^ *"powerFactor": / { pf = number($0); if (pf < 0) pf = -pf; next }
/^ *"voltage": / { v = $0; sub(/.*\[/, "", v); split(v, volts, /, */); next }
/^ *"current": / {
    # The last field of a sample: take the sample.
    samples[day]++
    outage = (volts[1] + 0 == 0 && volts[2] + 0 == 0)
    if (outage) outages[day]++
    # An outage minute measured nothing: no demand, no coverage.
    if (!outage) {
        key = day sprintf(" %02d", int((minute - 1) / 30))
        if (!(key in hhSum)) keys[++count] = key # first seen = time order
        hhSum[key] += power; hhCount[key]++; hhMonth[key] = month
    }
    if (month == target && !outage) {
        n++; sum += power
        if (n == 1 || power < pmin) { pmin = power; pminTime = t }
        if (n == 1 || power > pmax) { pmax = power; pmaxTime = t }
        if (n == 1 || volts[1] + 0 < vmin) vmin = volts[1] + 0
        if (volts[1] + 0 < VLOW) below++
        if (volts[1] + 0 > VHIGH) above++
        pfSum += pf
        if (pf < PF) pfBelow++
    }
    next
}

END {
    for (i = 1; i <= count; i++) {
        k = keys[i]; d = hhSum[k] / hhCount[k]; mi = monthIndex(hhMonth[k])
        if (hhMonth[k] == target) {
            hn++; hsum += d
            if (hn == 1 || d > mdMax) { mdMax = d; mdKey = k }
            if (CONTRACT > 0 && d > CONTRACT) overContract++
            # Ten largest, earlier first among equals.
            if (top < 10 || d > topv[top]) {
                if (top < 10) top++
                for (j = top; j > 1 && d > topv[j - 1]; j--) topv[j] = topv[j - 1]
                topv[j] = d
            }
        }
        if (mi > last - 12 && mi <= last && (!twelveFound || d > twelveMax)) {
            twelveFound = 1; twelveMax = d; twelveMonth = hhMonth[k]
        }
        if (substr(k, 1, 10) == DAY && (!dayFound || d > dayMax)) { dayFound = 1; dayMax = d; dayKey = k }
    }
    printf "maximumDemand %.17g\n", mdMax
    printf "maximumDemandFrom %s %02d:%02d:00\n", substr(mdKey, 1, 10), int(substr(mdKey, 12) / 2), (substr(mdKey, 12) % 2) * 30
    for (j = 1; j <= top; j++) printf "largest%d %.17g\n", j, topv[j]
    printf "halfHours %d\n", hn
    # The average power of the measured minutes over the maximum demand.
    printf "loadFactor %.17g\n", sum / n / mdMax * 100
    printf "demandAboveContract %d\n", overContract
    printf "twelveMonthMaximum %.17g\n", twelveMax
    printf "twelveMonthMonth %s\n", twelveMonth
    printf "powerCount %d\n", n
    printf "powerMinimum %.17g\n", pmin
    printf "powerMinimumTime %s\n", pminTime
    printf "powerMaximum %.17g\n", pmax
    printf "powerMaximumTime %s\n", pmaxTime
    printf "powerAverage %.17g\n", sum / n
    printf "voltage1Minimum %.17g\n", vmin
    printf "voltageBelow1 %d\n", below
    printf "voltageAbove1 %d\n", above
    printf "powerFactorAverage %.17g\n", pfSum / n
    printf "powerFactorBelow %d\n", pfBelow
    printf "hoursBelowPowerFactor %.17g\n", pfBelow / 60
    incomplete = 0
    for (d in samples) if (reportMonth(d) == target && (samples[d] < 1440 || outages[d] > 0)) incomplete++
    printf "incompleteDays %d\n", incomplete
    printf "dayMaximumDemand %.17g\n", dayMax
    printf "dayMissingIntervals %d\n", 1440 - samples[DAY] + outages[DAY]
}
