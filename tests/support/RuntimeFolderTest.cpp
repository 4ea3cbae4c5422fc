#include "support/RuntimeFolder.h"

#include "common/TempFolder.h"

#include <filesystem>
#include <gtest/gtest.h>

namespace fs = std::filesystem;

// The socket's folder: the runtime folder when it is private, else a private one of our own
// in the home folder; never a shared or linked one (the socket would land in "/" or in a
// folder another account made first).
TEST(RuntimeFolder, PrivateRuntimeFolderOrOurOwnFallback) {
    TempFolder dir;
    const fs::path runtime = dir.path() / "run";
    fs::create_directory(runtime);
    fs::permissions(runtime, fs::perms::owner_all);
    const fs::path shared = dir.path() / "shared";
    fs::create_directory(shared);
    fs::permissions(shared, fs::perms(0777));
    const fs::path home = dir.path() / "home";
    fs::create_directory(home);
    const std::string fallback = (home / ".cache" / "OrvoView-runtime").string();

    EXPECT_EQ(privateRuntimeFolder(runtime.c_str(), home.string()), runtime.string());
    EXPECT_EQ(privateRuntimeFolder(nullptr, home.string()), fallback);
    EXPECT_EQ(fs::status(fallback).permissions() & fs::perms::all, fs::perms::owner_all);
    EXPECT_EQ(privateRuntimeFolder("", home.string()), fallback);
    EXPECT_EQ(privateRuntimeFolder(shared.c_str(), home.string()), fallback) << "not private";
    EXPECT_EQ(privateRuntimeFolder(nullptr, ""), "");

    // A fallback name that is a link, or a folder others may enter, is refused.
    const fs::path home2 = dir.path() / "home2";
    fs::create_directories(home2 / ".cache");
    fs::create_directory_symlink(runtime, home2 / ".cache" / "OrvoView-runtime");
    EXPECT_EQ(privateRuntimeFolder(nullptr, home2.string()), "");
    const fs::path home3 = dir.path() / "home3";
    fs::create_directories(home3 / ".cache" / "OrvoView-runtime");
    fs::permissions(home3 / ".cache" / "OrvoView-runtime", fs::perms(0755));
    EXPECT_EQ(privateRuntimeFolder(nullptr, home3.string()), "");
}
