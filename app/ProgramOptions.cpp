#include "app/ProgramOptions.h"
#include "support/ProgramFolder.h"
#include "support/Sjis.h"
#include <ostream>

std::string programHelp() {
    std::string text = R"(usage: orvoview [QT-OPTIONS]
       orvoview --help | --version

OrvoView (オルボ・ビュー) receives the printed report of an Orvo power recorder
over a serial line, or reads a captured report file, files the measured days
under customers and circuits in one data file, and shows, prints and exports
daily and monthly reports. Everything is done in its window; orvoview-cli(1)
does the same from a shell.

Options:
  --help                this text
  --version             the version
Qt's own options are taken too, for example:
  -platform NAME        the window system (xcb, wayland, offscreen)
  -style NAME           the widget style

The program folder holds the settings (orvoview.INI), the logs
(orvoview0.LOG ...) and the data file DATA/Orvo.DAT: $ORVOVIEW_HOME when it is
set; else the folder of the executable when you may write to it and it is not
an installed copy; else $XDG_DATA_HOME/OrvoView (by default
~/.local/share/OrvoView), the folder the installed program uses. One OrvoView
runs per folder: a second start brings the running window to the front.

Serial ports: port n is the device named by "COM<n>" in section [Port] of the
INI file, else /dev/ttyUSB<n-1>; the user needs to be in the group dialout.
)";
    const ProgramFolderChoice choice = programFolderChoice();
    const char* why = choice.kind == ProgramFolderKind::Environment ? "from $ORVOVIEW_HOME"
                      : choice.kind == ProgramFolderKind::Portable ? "the folder of this executable"
                                                                   : "the per-user folder";
    text += "\nProgram folder in use: " + sjis::toUtf8(choice.folder) + " (" + why + ")\n";
    return text;
}

std::string programVersion() {
    return std::string("orvoview ") + ORVO_VERSION + "\n";
}

std::optional<int> answerInformationOptions(const std::vector<std::string>& args,
                                            std::ostream& out) {
    std::optional<std::string> text;
    for (const std::string& a : args) {
        if (a == "--help" || a == "-h")
            text = programHelp();
        else if (a == "--version" && !text)
            text = programVersion();
    }
    if (!text)
        return std::nullopt;
    out << *text;
    out.flush();
    return out ? 0 : 1;
}
