#include "support/ProgramFolder.h"
#include "common/TempFolder.h"

#include <fstream>
#include <gtest/gtest.h>
#include <unistd.h>

namespace fs = std::filesystem;

TEST(ProgramFolder, RuleTable) {
    struct Case {
        const char* name;
        ProgramFolderFacts facts;
        std::string folder;
        ProgramFolderKind kind;
    } cases[] = {
        {"environment wins over a portable copy",
         {"/srv/orvo/", "/opt/portable", true, "/x", "/home/u"},
         "/srv/orvo",
         ProgramFolderKind::Environment},
        {"environment wins over an installed copy",
         {"/srv/orvo", "/usr/bin", false, "", "/home/u"},
         "/srv/orvo",
         ProgramFolderKind::Environment},
        {"portable copy keeps its files beside it",
         {"", "/media/stick/OrvoView", true, "/x", "/h"},
         "/media/stick/OrvoView",
         ProgramFolderKind::Portable},
        {"installed copy: XDG_DATA_HOME",
         {"", "/usr/bin", false, "/data/u/", "/home/u"},
         "/data/u/OrvoView",
         ProgramFolderKind::PerUser},
        {"installed copy: default under the home folder",
         {"", "/usr/bin", false, "", "/home/u"},
         "/home/u/.local/share/OrvoView",
         ProgramFolderKind::PerUser},
        {"a relative XDG_DATA_HOME is ignored",
         {"", "/usr/bin", false, "data", "/home/u"},
         "/home/u/.local/share/OrvoView",
         ProgramFolderKind::PerUser},
        {"home folder with a trailing separator",
         {"", "/usr/bin", false, "", "/home/u/"},
         "/home/u/.local/share/OrvoView",
         ProgramFolderKind::PerUser},
    };
    for (const Case& c : cases) {
        ProgramFolderChoice choice = chooseProgramFolder(c.facts);
        EXPECT_EQ(choice.folder, c.folder) << c.name;
        EXPECT_EQ(choice.kind, c.kind) << c.name;
    }
}

TEST(ProgramFolder, PortableMeansWritableAndNotInstalled) {
    TempFolder root;
    fs::path bin = root.path() / "bin";
    fs::create_directories(bin);
    EXPECT_TRUE(isPortableFolder(bin));

    // The layout `cmake --install` and the package leave: bin/ beside share/applications/.
    fs::path entries = root.path() / "share" / "applications";
    fs::create_directories(entries);
    std::ofstream(entries / "org.orvoview.OrvoView.desktop") << "[Desktop Entry]\n";
    EXPECT_FALSE(isPortableFolder(bin));
    fs::remove(entries / "org.orvoview.OrvoView.desktop");
    EXPECT_TRUE(isPortableFolder(bin));

    if (::geteuid() != 0) { // root writes everywhere
        fs::permissions(bin, fs::perms::owner_write, fs::perm_options::remove);
        EXPECT_FALSE(isPortableFolder(bin));
        fs::permissions(bin, fs::perms::owner_write, fs::perm_options::add);
    }
    EXPECT_FALSE(isPortableFolder(root.path() / "missing"));
}
