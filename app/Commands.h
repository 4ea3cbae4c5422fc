#pragma once
// Every command of the main window once: its menu, text, shortcut, tool-bar icon and when it
// can act. The window builds its menus and tool bar from this table; the handlers are bound by
// id where the work is done.
#include <span>
#include <string>
#include <string_view>

enum class CommandMenu { File, Edit, View, Help };

// What a command needs before it can act (besides a handler).
enum class CommandNeeds {
    Nothing,
    Selection,    // a shown day, month or year
    PreviousData, // a stored day or month before the shown one
    NextData,     // one after it
    StoredDay,    // a circuit with a stored day, shown or not
};

struct CommandSpec {
    int id;               // res::ID_…; 0 is a separator
    CommandMenu menu;     //
    const char* text;     // UTF-8, with its access key "(&X)" (and a shown shortcut after "\t")
    const char* shortcut; // key sequence in portable text ("Ctrl+P"); empty: none
    const char* icon;     // freedesktop icon name on the tool bar; nullptr: not on it
    CommandNeeds needs;
    bool checkable;
};

// The commands in menu order, separators included.
std::span<const CommandSpec> commandTable();
const CommandSpec* findCommand(int id);
// Whether a command can act while the data file is still loading at the start: only those
// that touch neither the stored data nor the data file (the window, the printer, the end).
bool usableWhileLoading(int id);

// The menu titles ("ファイル(&F)" …), UTF-8.
const char* menuTitle(CommandMenu menu);

// The tool bar, left to right: command ids, 0 a separator.
std::span<const int> toolBarCommands();

// A command as its tool button and tool tip show it: its accessible name without the ellipsis.
std::string plainCommandText(std::string_view text);

// The access key of a text, upper case ('\0' without one).
char accessKey(std::string_view text);
