#pragma once
#include <filesystem>
#include <string>

// Where the program lives. The INI file, the log, the DATA folder and the single-instance lock
// are kept there. Paths as the system gives them, folders without a trailing separator.

// Which rule chose the program folder.
enum class ProgramFolderKind {
    Environment, // $ORVOVIEW_HOME
    Portable,    // the executable's own folder
    PerUser,     // $XDG_DATA_HOME/OrvoView or ~/.local/share/OrvoView
};

struct ProgramFolderChoice {
    std::filesystem::path folder;
    ProgramFolderKind kind = ProgramFolderKind::Portable;
};

// What the rule looks at.
struct ProgramFolderFacts {
    std::string orvoviewHome; // $ORVOVIEW_HOME (native bytes)
    std::filesystem::path exeFolder;
    bool exeFolderPortable = false; // see isPortableFolder
    std::string xdgDataHome;        // $XDG_DATA_HOME
    std::string home;               // $HOME, else the account's home folder

    static ProgramFolderFacts fromSystem();
};

// $ORVOVIEW_HOME when set and not empty; else the executable's folder when it is a portable
// copy; else "$XDG_DATA_HOME/OrvoView" when that variable holds an absolute path, else
// "$HOME/.local/share/OrvoView". The caller creates the folder.
ProgramFolderChoice chooseProgramFolder(const ProgramFolderFacts& facts);

// A folder the user may write to that does not hold an installed copy. An installed copy (by
// `cmake --install` or the package, under any prefix) has its desktop entry in
// "../share/applications"; it keeps its files per user even where root could write beside it.
bool isPortableFolder(const std::filesystem::path& exeFolder);

// `folder` as an absolute folder, resolved against the current working folder.
std::filesystem::path absoluteFolder(const std::filesystem::path& folder);

// The rule applied to this process.
ProgramFolderChoice programFolderChoice();
std::filesystem::path programFolder();
// Full path of the running executable.
std::filesystem::path programPath();
// File name of the executable without a ".exe" extension (other periods stay: "a.b" stays "a.b"),
// native bytes.
std::string programBaseName();
