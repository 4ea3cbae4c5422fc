// Paths stay as the system spells them: the program folder rule, the INI file's path keys and
// the folder a dialog starts in.
#include "common/FileBytes.h"
#include "common/PathNames.h"
#include "common/TempFolder.h"
#include "support/FilePath.h"
#include "support/PrivateProfile.h"
#include "support/ProgramFolder.h"
#include "support/Sjis.h"

#include <gtest/gtest.h>

namespace fs = std::filesystem;

// Was: the folder went through CP932, so ORVOVIEW_HOME=/x/hé became "/x/h?".
TEST(Paths, ProgramFolderRuleKeepsEveryName) {
    for (const PathName& n : kPathNames) {
        const fs::path folder = fs::path("/srv") / n.name;
        ProgramFolderFacts environment;
        environment.orvoviewHome = folder.native() + "/";
        EXPECT_EQ(chooseProgramFolder(environment).folder, folder) << n.what;

        ProgramFolderFacts portable;
        portable.exeFolder = folder;
        portable.exeFolderPortable = true;
        EXPECT_EQ(chooseProgramFolder(portable).folder, folder) << n.what;

        ProgramFolderFacts perUser;
        perUser.exeFolder = "/usr/bin";
        perUser.home = (fs::path("/home") / n.name).native();
        EXPECT_EQ(chooseProgramFolder(perUser).folder,
                  fs::path("/home") / n.name / ".local/share/OrvoView")
            << n.what;
    }
}

TEST(Paths, WindowsPathsNameNothingHere) {
    struct Case {
        const char* path;
        bool windows;
    } cases[] = {
        {"C:\\", true},
        {"D:\\data", true},
        {"c:", true},
        {"\\\\server\\share", true},
        {"out\\csv", true},
        {"/home/u/out", false},
        {"relative/out", false},
        {"ソ表", false}, // UTF-8 here: no byte 0x5C at all
        {"/home/u/C:", false},
        {"", false},
    };
    for (const Case& c : cases)
        EXPECT_EQ(isWindowsPath(c.path), c.windows) << c.path;
}

TEST(Paths, DialogsStartInTheFolderKeptOrInTheHomeFolder) {
    TempFolder dir;
    const fs::path home = dir.path() / "home";
    const fs::path kept = dir.path() / "café";
    fs::create_directories(kept);
    TempFolder::write(dir.file("file"), "x");
    struct Case {
        const char* what;
        fs::path remembered;
        fs::path start;
    } cases[] = {
        {"the folder kept", kept, kept},
        {"nothing kept", fs::path(), home},
        {"the INI default of the Windows program", "C:\\", home},
        {"a Windows folder", "D:\\data", home},
        {"a folder that is gone", dir.path() / "gone", home},
        {"a file, not a folder", dir.path() / "file", home},
        {"a relative name", "café", home},
    };
    for (const Case& c : cases)
        EXPECT_EQ(startFolder(c.remembered, home), c.start) << c.what;
}

TEST(Paths, MessagesShowWhatCp932CannotSpellAsQuestionMarks) {
    EXPECT_EQ(displayPath("/tmp/café/cap.txt"), "/tmp/caf?/cap.txt");
    EXPECT_EQ(displayPath("/tmp/ソ表"), sjis::fromUtf8("/tmp/ソ表"));
    EXPECT_EQ(cp932FromPath("/tmp/café"), std::nullopt);
    EXPECT_EQ(cp932FromPath("/tmp/東京〜大阪"), std::nullopt); // would come back as "～"
    EXPECT_EQ(pathFromCp932(sjis::fromUtf8("/tmp/ソ表").value()), fs::path("/tmp/ソ表"));
}

// A path kept in the INI file comes back as the same path, or is not kept at all.
TEST(Paths, IniKeepsEveryPathExactlyOrNotAtAll) {
    TempFolder dir;
    const fs::path ini = dir.path() / "orvoview.INI";
    ASSERT_TRUE(profile::writeString(ini, "Filepath", "SaveDir", "C:\\"));
    for (const PathName& n : kPathNames) {
        const fs::path chosen = dir.path() / n.name;
        const profile::PathKept kept = profile::writePath(ini, "Filepath", "SaveDir", chosen);
        EXPECT_EQ(profile::readPath(ini, "Filepath", "SaveDir", ""), chosen) << n.what;
        const std::string cp932 = profile::readString(ini, "Filepath", "SaveDir", "");
        const std::string utf8 = profile::readString(ini, "Filepath", "SaveDir_UTF8", "");
        if (n.spelledByCp932) {
            // As the Windows program keeps it: CP932 under the key itself.
            EXPECT_EQ(kept, profile::PathKept::AsCp932) << n.what;
            EXPECT_EQ(cp932, sjis::fromUtf8(chosen.native())) << n.what;
            EXPECT_EQ(utf8, "") << n.what;
        } else {
            // The key keeps its last CP932 value; the path itself is under its own key.
            EXPECT_EQ(kept, profile::PathKept::AsUtf8) << n.what;
            EXPECT_EQ(utf8, chosen.native()) << n.what;
            EXPECT_EQ(cp932.find('?'), std::string::npos) << n.what;
        }
    }
    // A path the file cannot hold as it is: not kept, the last one stays.
    const fs::path last = profile::readPath(ini, "Filepath", "SaveDir", "");
    for (const char* odd :
         {"/tmp/blank at the end ", " /tmp/blank first", "/tmp/line\nbreak", "\"/tmp/quoted\""}) {
        EXPECT_EQ(profile::writePath(ini, "Filepath", "SaveDir", odd), profile::PathKept::No)
            << odd;
        EXPECT_EQ(profile::readPath(ini, "Filepath", "SaveDir", ""), last) << odd;
    }
    // Windows reads the file too: every byte outside the UTF-8 key is CP932.
    const std::string text = fileBytes(ini.native());
    EXPECT_NE(text.find("SaveDir_UTF8=\r\n"), std::string::npos) << text;
}
