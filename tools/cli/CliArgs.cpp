#include "tools/cli/CliArgs.h"

namespace {

const char kDumpReportHelp[] =
    R"(usage: orvoview-cli dump-report FILE

Reads a captured recorder report the way the reception reads a received file
(CR LF becomes LF, a Ctrl-Z byte ends the text, each line is cleaned and fed to
the report parser; the end of the file is a normal end) and prints the received
days as JSON: {"days": [ ... ]}, in (channel, date) order.

On a grammar error the program's message goes to stderr, the days received
before the error are still printed with "error": "<message>" at top level, and
the exit status is 1. A report cut inside a block (its end is missing) prints
the days whose blocks are whole with "interrupted": "<message>" and exits with 1.
)";

const char kDumpDataHelp[] =
    R"(usage: orvoview-cli dump-data FILE

Loads a data file ("Orvo.DAT") or a customer export file and prints it as JSON.
A data file: {"version": 3, "serial": [6 ints], "customers": [ ... ]};
an export file: one customer object {"name": ..., "circuits": [ ... ]}.
A damaged file gives the program's message on stderr and exit status 1.
)";

const char kListHelp[] =
    R"(usage: orvoview-cli list [--json] [--home DIR]

Lists the customers, their circuits and the stored days (date and label) of the
data folder. --json prints the same as JSON.
)";

const char kImportReportHelp[] =
    R"(usage: orvoview-cli import-report FILE --customer NAME --circuit NAME
                                 [--overwrite yes|no] [--channel N] [--partial]
                                 [--home DIR]

Parses a captured report and files the received days of one channel into the
circuit, creating customer and circuit when missing (names are checked like in
the customer editing dialog), then saves the data file.
  --channel N       the channel to take (1 or 2); without it the received days
                    must all be of one channel
  --overwrite no    dates already stored are kept (default)
  --overwrite yes   dates already stored are replaced
Stored days take channel 1. Nothing is saved when the report has a grammar
error. A report cut inside a block (a capture of a reception that broke off)
exits with status 1; with --partial the days whose blocks are whole are filed
first (never the day that was cut), without it nothing is.
)";

const char kCsvHelp[] =
    R"(usage: orvoview-cli csv --customer NAME --circuit NAME
                       (--day YYYY-MM-DD | --month YYYY-MM |
                        --from YYYY-MM-DD --to YYYY-MM-DD)
                       [--out DIR] [--home DIR]

Writes the daily CSV report of one day, of every stored day from --from to --to,
or the monthly CSV report of one report month (its first day is "MonStartDay"
of the INI file), with the program's file names and content. --out names the
folder (default: the current folder); it is created when missing. Existing
files are replaced. The written paths are printed, one a line.
)";

const char kXlsxHelp[] =
    R"(usage: orvoview-cli xlsx --customer NAME --circuit NAME
                        (--day YYYY-MM-DD | --month YYYY-MM |
                         --from YYYY-MM-DD --to YYYY-MM-DD)
                        [--out DIR] [--home DIR]

Writes the daily report of one day or the monthly report of one report month as
an Excel workbook (.xlsx) with the file name the CSV report would have: the
title block, the measured values as numbers, the summary and charts of power,
power factor, voltages and currents. --from and --to write one workbook
"日報_<customer>_<circuit>_<from>-<to>_1.xlsx" with a sheet for every stored day
in the range. --out names the folder (default: the current folder); it is
created when missing. An existing file is replaced. The written path is printed.
)";

const char kExportHelp[] =
    R"(usage: orvoview-cli export --customer NAME --out FILE [--home DIR]

Writes one customer with all its circuits and days to an export file.
An existing file is replaced.
)";

const char kExportSqliteHelp[] =
    R"(usage: orvoview-cli export-sqlite FILE [--home DIR]

Writes every customer, circuit, day, sample and day summary of the data file
into the SQLite database FILE, in one transaction. A missing FILE is created; an
existing one is updated in place: new days are added, a day whose contents
changed is replaced, nothing is written twice, and days the data file no longer
has stay (several data files can be gathered into one database). Times are
ISO 8601 text, names UTF-8; the schema is in the README.
)";

const char kImportHelp[] =
    R"(usage: orvoview-cli import FILE [--yes] [--home DIR]

Reads a customer export file and adds the customer to the data file. The
program asks before it imports; --yes answers yes, otherwise the answer is read
from stdin (y/n). A customer of the same name gets the name "NAME_1", "NAME_2" ...
)";

const char kReceiveHelp[] =
    R"(usage: orvoview-cli receive [--port N | --file FILE] [--home DIR]
                           [--customer NAME --circuit NAME [--overwrite yes|no]
                            [--channel N] [--partial]]

Runs a reception without a window: from the serial port and settings stored in
the data file (--port N picks another port number) or from a captured file
(--file). Status texts go to stderr as they happen. The received days are
printed as JSON like dump-report, or, with --customer and --circuit, filed into
that circuit like import-report and saved. Port n is the device named by
"COM<n>" in section [Port] of the INI file, else /dev/ttyUSB<n-1>. A failed
reception exits with status 1 and files nothing. Ctrl+C stops the reception
like "中断／戻る" (status 1, nothing filed). A reception cut inside a block
(silence, a vanished device, a file that ends early) says why on stderr and
exits with status 1; the days whose blocks arrived whole are printed (with
"interrupted": "<message>"), and filed only with --partial.
)";

const char kAnalyseHelp[] =
    R"(usage: orvoview-cli analyse --customer NAME --circuit NAME
                           (--day YYYY-MM-DD | --month YYYY-MM | --year YYYY)
                           [--home DIR]

Prints the analysis of a daily or monthly report as JSON: each stored day with
its interval, missing and outage intervals; the 30-minute demand of every clock
half-hour (W, from whatever interval the recorder used), the maximum demand,
the ten largest half-hours and the largest of the twelve report months ending
with the report's month; the counts of intervals outside the circuit's limits
(contract demand, voltage band, power-factor threshold, kept in DATA/Analysis.INI);
minimum, average and maximum with their times of power, voltages, currents and
power factor, the load factor (%) and the power factor's effect on the basic
charge (% , negative = discount). Report months start on "MonStartDay" of the
INI file. Outage intervals (every voltage 0) are left out of the statistics and
the limit counts.

With --year, the year at a glance instead: the twelve report months January …
December of the year, each with its energy, reverse energy, lead and lag
reactive energy, maximum 30-minute demand with its time, average power factor,
load factor, days stored, days in the month and incomplete days, as the monthly
report of that month gives them.
)";

const CliOption kHome{"home", true};
const CliOption kCustomer{"customer", true};
const CliOption kCircuit{"circuit", true};
const CliOption kOverwrite{"overwrite", true};

} // namespace

const std::vector<CliCommand>& cliCommands() {
    static const std::vector<CliCommand> commands = {
        {"dump-report", 1, 1, {}, kDumpReportHelp},
        {"dump-data", 1, 1, {}, kDumpDataHelp},
        {"list", 0, 0, {kHome, {"json", false}}, kListHelp},
        {"import-report",
         1,
         1,
         {kCustomer, kCircuit, kOverwrite, {"channel", true}, {"partial", false}, kHome},
         kImportReportHelp},
        {"csv",
         0,
         0,
         {kCustomer,
          kCircuit,
          {"day", true},
          {"month", true},
          {"from", true},
          {"to", true},
          {"out", true},
          kHome},
         kCsvHelp},
        {"xlsx",
         0,
         0,
         {kCustomer,
          kCircuit,
          {"day", true},
          {"month", true},
          {"from", true},
          {"to", true},
          {"out", true},
          kHome},
         kXlsxHelp},
        {"export", 0, 0, {kCustomer, {"out", true}, kHome}, kExportHelp},
        {"import", 1, 1, {{"yes", false}, kHome}, kImportHelp},
        {"export-sqlite", 1, 1, {kHome}, kExportSqliteHelp},
        {"receive",
         0,
         0,
         {{"port", true},
          {"file", true},
          kHome,
          kCustomer,
          kCircuit,
          kOverwrite,
          {"channel", true},
          {"partial", false}},
         kReceiveHelp},
        {"analyse",
         0,
         0,
         {kCustomer, kCircuit, {"day", true}, {"month", true}, {"year", true}, kHome},
         kAnalyseHelp},
    };
    return commands;
}

const CliCommand* findCliCommand(const std::string& name) {
    for (const CliCommand& c : cliCommands())
        if (name == c.name)
            return &c;
    return nullptr;
}

std::string cliOverview() {
    return R"(usage: orvoview-cli COMMAND [ARGS] [--home DIR]
       orvoview-cli COMMAND --help
       orvoview-cli --help

Command-line companion of OrvoView: reads captured recorder reports, data files
and export files, and files, lists, exports and imports measurement data.

Commands:
  dump-report FILE      print the days of a captured report as JSON
  dump-data FILE        print a data file or a customer export file as JSON
  list                  list customers, circuits and stored days
  import-report FILE    file the days of a captured report into a circuit
  csv                   write daily or monthly CSV reports
  xlsx                  write a daily or monthly report as an Excel workbook
  export                write one customer to an export file
  import FILE           add the customer of an export file
  export-sqlite FILE    write every measurement into an SQLite database
  receive               receive a report from the recorder without a window
  analyse               demand, limits, gaps and statistics of a report as JSON

--home DIR names the program folder (it holds the INI file and "DATA").
Default: $ORVOVIEW_HOME; else the folder of this executable when you may write
to it and it is not an installed copy; else $XDG_DATA_HOME/OrvoView (by default
~/.local/share/OrvoView), the folder the installed OrvoView uses. Commands that
change the data file refuse to run while OrvoView has the folder open.

Exit status: 0 success, 1 user or data error, 2 wrong usage.
)";
}

std::optional<std::string> CliArgs::get(const std::string& name) const {
    auto it = options.find(name);
    if (it == options.end())
        return std::nullopt;
    return it->second;
}

std::string CliArgs::require(const std::string& name) const {
    auto it = options.find(name);
    if (it == options.end())
        throw UsageError("missing option --" + name, command);
    return it->second;
}

CliArgs parseCliArgs(const std::vector<std::string>& args) {
    CliArgs result;
    if (args.empty())
        throw UsageError("no command given", "");
    std::size_t i = 0;
    const std::string& first = args[0];
    if (first == "--help" || first == "-h") {
        result.help = true;
        return result;
    }
    if (first == "help") {
        result.help = true;
        if (args.size() > 1) {
            if (!findCliCommand(args[1]))
                throw UsageError("unknown command '" + args[1] + "'", "");
            result.command = args[1];
        }
        return result;
    }
    const CliCommand* command = findCliCommand(first);
    if (!command)
        throw UsageError("unknown command '" + first + "'", "");
    result.command = first;
    ++i;

    bool optionsEnded = false;
    for (; i < args.size(); ++i) {
        const std::string& a = args[i];
        if (optionsEnded || a.size() < 2 || a[0] != '-' || a == "-") {
            result.positional.push_back(a);
            continue;
        }
        if (a == "--") {
            optionsEnded = true;
            continue;
        }
        if (a == "--help" || a == "-h") {
            result.help = true;
            continue;
        }
        if (a.compare(0, 2, "--") != 0)
            throw UsageError("unknown option '" + a + "'", result.command);
        std::string name = a.substr(2);
        std::optional<std::string> inlineValue;
        if (auto eq = name.find('='); eq != std::string::npos) {
            inlineValue = name.substr(eq + 1);
            name.resize(eq);
        }
        const CliOption* option = nullptr;
        for (const CliOption& o : command->options)
            if (name == o.name)
                option = &o;
        if (!option)
            throw UsageError("unknown option '--" + name + "'", result.command);
        if (result.options.count(name))
            throw UsageError("option --" + name + " given twice", result.command);
        std::string value;
        if (option->takesValue) {
            if (inlineValue) {
                value = *inlineValue;
            } else {
                if (i + 1 >= args.size())
                    throw UsageError("option --" + name + " needs a value", result.command);
                value = args[++i];
            }
        } else if (inlineValue) {
            throw UsageError("option --" + name + " takes no value", result.command);
        }
        result.options[name] = value;
    }
    if (result.help)
        return result;
    int n = static_cast<int>(result.positional.size());
    if (n < command->minPositional)
        throw UsageError("missing argument FILE", result.command);
    if (n > command->maxPositional)
        throw UsageError("unexpected argument '" +
                             result.positional[static_cast<std::size_t>(command->maxPositional)] +
                             "'",
                         result.command);
    return result;
}
