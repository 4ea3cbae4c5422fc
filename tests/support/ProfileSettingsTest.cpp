#include "support/ProfileSettings.h"
#include "common/Cp932.h"
#include "common/FileBytes.h"
#include "common/TempFolder.h"
#include "support/AtomicFile.h"
#include "support/FilePath.h"
#include "support/PrivateProfile.h"
#include "support/Sjis.h"

#include <cerrno>
#include <fstream>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <stdexcept>

namespace {

ProfileFolders foldersIn(const std::string& root) {
    ProfileFolders f;
    f.exeFolder = root + "/prog";
    f.exePath = root + "/prog/OrvoView";
    f.exeBaseName = "OrvoView";
    f.windowsFolder = root + "/config";
    f.tempFolder = root + "/tmp";
    f.documentsFolder = root + "/docs";
    return f;
}

const std::string kCommLogKey = sj("通信ログ出力(0:しない,1:する)");

} // namespace

// ---- the text model ----

TEST(IniDocument, NamesIgnoreAsciiCaseAndBlanks) {
    IniDocument doc("  [ Param ]\r\n  MonStartDay  =  5  \r\nTxtOutDir=\"C:\\out\"\r\n");
    EXPECT_EQ(doc.value("param", "monstartday"), "5");
    EXPECT_EQ(doc.value("PARAM", "MONSTARTDAY"), "5");
    EXPECT_EQ(doc.value("Param", "TxtOutDir"), "C:\\out"); // matching quotes dropped
    EXPECT_EQ(doc.value("Param", "Missing"), std::nullopt);
    EXPECT_EQ(doc.value("Other", "MonStartDay"), std::nullopt);
}

TEST(IniDocument, DoubleByteCharactersCompareByValue) {
    // ア is 83 41 and ヂ is 83 61: their second bytes differ only in ASCII case.
    const std::string a = sj("ア");
    const std::string dji = sj("ヂ");
    EXPECT_FALSE(IniDocument::sameName(a, dji));
    IniDocument doc("[S]\r\n" + a + "=1\r\n");
    EXPECT_EQ(doc.value("S", dji), std::nullopt);
    EXPECT_EQ(doc.value("s", a), "1");
    // ゾ is 83 5D: its second byte is ']' and must not end the section name.
    const std::string zo = sj("ゾ");
    IniDocument doc2("[" + zo + "]\r\nk=v\r\n");
    EXPECT_EQ(doc2.value(zo, "k"), "v");
}

TEST(IniDocument, CommentsAndLinesWithoutEqualSignAreNoKeys) {
    IniDocument doc("[S]\r\n;k=commented\r\nk\r\nk=real\r\n");
    EXPECT_EQ(doc.value("S", "k"), "real");
    EXPECT_EQ(doc.value("S", ";k"), std::nullopt);
}

TEST(IniDocument, FirstOfDuplicateKeysWins) {
    IniDocument doc("[S]\r\nk=1\r\nk=2\r\n");
    EXPECT_EQ(doc.value("S", "k"), "1");
    doc.set("S", "K", "3");
    EXPECT_EQ(doc.text(), "[S]\r\nk=3\r\nk=2\r\n");
}

TEST(IniDocument, SetKeepsEveryOtherByte) {
    const std::string before = "; settings\r\n"
                               "[Window]\r\n"
                               "Placement=\r\n"
                               "\r\n"
                               "; the parameters\r\n"
                               "[param]\n" // a line end written elsewhere
                               "monstartday = 1\r\n"
                               "TxtOutDir=x\r\n"
                               "\r\n"
                               "[Debug]\r\n"
                               "flag=0"; // no final line end
    IniDocument doc(before);
    doc.set("Param", "MonStartDay", "9");
    EXPECT_EQ(doc.text(), "; settings\r\n[Window]\r\nPlacement=\r\n\r\n; the parameters\r\n"
                          "[param]\nmonstartday=9\r\nTxtOutDir=x\r\n\r\n[Debug]\r\nflag=0");
    doc.set("PARAM", "TxtOutApp", "app");
    EXPECT_EQ(doc.text(), "; settings\r\n[Window]\r\nPlacement=\r\n\r\n; the parameters\r\n"
                          "[param]\nmonstartday=9\r\nTxtOutDir=x\r\nTxtOutApp=app\r\n\r\n"
                          "[Debug]\r\nflag=0");
    doc.set("debug", "other", "1");
    EXPECT_EQ(doc.text(), "; settings\r\n[Window]\r\nPlacement=\r\n\r\n; the parameters\r\n"
                          "[param]\nmonstartday=9\r\nTxtOutDir=x\r\nTxtOutApp=app\r\n\r\n"
                          "[Debug]\r\nflag=0\r\nother=1\r\n");
    doc.set("check", "RunningNum", "0");
    EXPECT_EQ(doc.text(), "; settings\r\n[Window]\r\nPlacement=\r\n\r\n; the parameters\r\n"
                          "[param]\nmonstartday=9\r\nTxtOutDir=x\r\nTxtOutApp=app\r\n\r\n"
                          "[Debug]\r\nflag=0\r\nother=1\r\n[check]\r\nRunningNum=0\r\n");
}

TEST(IniDocument, LineBreaksInsideAValueCannotSplitTheLine) {
    IniDocument doc;
    doc.set("S", "k", "a\r\nb=c");
    EXPECT_EQ(doc.text(), "[S]\r\nk=a  b=c\r\n");
    EXPECT_EQ(doc.value("S", "b"), std::nullopt);
}

TEST(PrivateProfile, LeadingNumberOfIntegerValues) {
    struct Case {
        const char* text;
        int expected;
    };
    const Case cases[] = {
        {"12", 12}, {"  -5", -5}, {"+7", 7},          {"12abc", 12},
        {"abc", 0}, {"0x1F", 31}, {"4294967295", -1}, {"15685", 15685},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(profile::parseProfileInt(c.text), c.expected) << c.text;
    }
}

TEST(PrivateProfile, MissingOrEmptyValueReadsAsDefault) {
    TempFolder dir;
    const std::string ini = dir.file("a.INI");
    EXPECT_EQ(profile::readInt(ini, "S", "k", 42), 42); // no file at all
    TempFolder::write(ini, "[S]\r\nempty=\r\nword=abc\r\n");
    EXPECT_EQ(profile::readInt(ini, "S", "empty", 42), 42);
    EXPECT_EQ(profile::readInt(ini, "S", "word", 42), 0);
    EXPECT_EQ(profile::readString(ini, "S", "missing", "def  "), "def"); // trailing blanks go
    EXPECT_EQ(profile::readString(ini, "S", "empty", "def"), "");
}

TEST(PrivateProfile, TextIsCutToTheBuffer) {
    TempFolder dir;
    const std::string ini = dir.file("a.INI");
    TempFolder::write(ini, "[S]\r\nlong=" + std::string(6000, 'x') + "\r\n");
    EXPECT_EQ(profile::readString(ini, "S", "long", "").size(), 4999u);
    // A double-byte character across the cut is dropped whole.
    const std::string hyo = sj("表");
    TempFolder::write(ini, "[S]\r\nk=ab" + hyo + "\r\n");
    EXPECT_EQ(profile::readString(ini, "S", "k", "", 4), "ab");
    EXPECT_EQ(profile::readString(ini, "S", "k", "", 5), "ab" + hyo);
}

TEST(PrivateProfile, WriteIntoMissingFolderFailsAndCreatesNothing) {
    TempFolder dir;
    EXPECT_FALSE(profile::writeString(dir.file("no/such/a.INI"), "S", "k", "v"));
    EXPECT_FALSE(std::filesystem::exists(dir.path() / "no"));
}

TEST(PrivateProfile, WritesLeaveNoTemporaryFiles) {
    TempFolder dir;
    const std::string ini = dir.file("a.INI");
    for (int i = 0; i < 5; ++i) {
        ASSERT_TRUE(profile::writeString(ini, "S", "k" + std::to_string(i), "v"));
    }
    int files = 0;
    for ([[maybe_unused]] auto& entry : std::filesystem::directory_iterator(dir.path())) {
        ++files;
    }
    EXPECT_EQ(files, 1);
}

// An INI file that is there but cannot be read (left owned by root after a start with sudo) is
// never replaced by a write: every other setting (the port mapping) would be lost.
TEST(PrivateProfile, UnreadableFileIsLeftAloneAndReported) {
    TempFolder dir;
    std::filesystem::permissions(dir.path(), std::filesystem::perms(0777));
    const std::string ini = dir.file("orvoview.INI");
    const std::string text = "[Port]\r\nCOM1=/dev/ttyS3\r\n[Param]\r\nMonStartDay=21\r\n";
    TempFolder::write(ini, text);
    std::filesystem::permissions(ini, std::filesystem::perms(0600));
    const bool root = ::geteuid() == 0;
    if (!root)
        std::filesystem::permissions(ini, std::filesystem::perms::none);
    pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        // As root the file is unreadable only to another user: become one.
        if (root && (::setgid(65534) != 0 || ::setuid(65534) != 0))
            ::_exit(9);
        int failures = 0;
        failures |= profile::readInt(ini, "Param", "MonStartDay", 1) == 1 ? 0 : 1;
        failures |= profile::writeString(ini, "Param", "MonStartDay", "1") ? 2 : 0;
        failures |= profile::readError(ini) == EACCES ? 0 : 4;
        failures |= profile::readError(dir.file("missing.INI")) == 0 ? 0 : 8;
        ::_exit(failures);
    }
    int status = 0;
    ::waitpid(child, &status, 0);
    std::filesystem::permissions(ini, std::filesystem::perms(0600));
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0) << "1 read, 2 write not refused, 4/8 error";
    EXPECT_EQ(fileBytes(ini), text);
}

// ---- ProfileSettings ----

class ProfileSettingsTest : public ::testing::Test {
protected:
    void SetUp() override {
        std::filesystem::create_directories(dir.path() / "prog");
        settings.init(ProfileSettings::ProgramFolder);
    }
    std::string iniText() const { return fileBytes(settings.filePath()); }

    TempFolder dir;
    ProfileSettings settings{foldersIn(dir.str())};
};

TEST_F(ProfileSettingsTest, FirstReadsCreateTheFileWithTheirDefaults) {
    EXPECT_EQ(settings.getInt("Param", "MonStartDay", 1), 1);
    EXPECT_EQ(settings.getString("Filepath", "SaveDir", "C:\\"), "C:\\");
    EXPECT_EQ(settings.getString("Filepath", "SaveFile", "CustData.VLK"), "CustData.VLK");
    EXPECT_EQ(settings.getInt("Debug", kCommLogKey, 0), 0);
    EXPECT_EQ(iniText(), "[Param]\r\nMonStartDay=1\r\n"
                         "[Filepath]\r\nSaveDir=C:\\\r\nSaveFile=CustData.VLK\r\n"
                         "[Debug]\r\n" +
                             kCommLogKey + "=0\r\n");
}

TEST_F(ProfileSettingsTest, JapaneseKeysAndValuesAreByteExact) {
    const std::string value = sj("出力先：表示");
    settings.putString("Debug", kCommLogKey, value);
    EXPECT_EQ(settings.getString("debug", kCommLogKey, ""), value);
    EXPECT_NE(iniText().find(kCommLogKey + "=" + value + "\r\n"), std::string::npos);
    settings.putInt("Debug", kCommLogKey, 1);
    EXPECT_EQ(settings.getInt("Debug", kCommLogKey, 0, false), 1);
    EXPECT_EQ(iniText(), "[Debug]\r\n" + kCommLogKey + "=1\r\n");
}

TEST_F(ProfileSettingsTest, WriteBackOnlyWhenTheResultEqualsTheDefault) {
    TempFolder::write(settings.filePath(),
                      "[check]\r\nRunningNum = 0\r\n[Param]\r\nMonStartDay=1\r\n");
    // Not the default: nothing is written.
    EXPECT_EQ(settings.getInt("check", "RunningNum", 15685), 0);
    EXPECT_EQ(iniText(), "[check]\r\nRunningNum = 0\r\n[Param]\r\nMonStartDay=1\r\n");
    // An existing value equal to the default is written again (the line is normalised).
    settings.putString("check", "RunningNum", " 15685 ");
    EXPECT_EQ(settings.getInt("check", "RunningNum", 15685), 15685);
    EXPECT_EQ(iniText(), "[check]\r\nRunningNum=15685\r\n[Param]\r\nMonStartDay=1\r\n");
    // Without write-back a missing key stays missing.
    EXPECT_EQ(settings.getInt("Param", "Other", 3, false), 3);
    EXPECT_EQ(settings.getString("Param", "Text", "t", false), "t");
    EXPECT_EQ(iniText().find("Other"), std::string::npos);
    EXPECT_EQ(iniText().find("Text"), std::string::npos);
}

TEST_F(ProfileSettingsTest, StringWriteBackComparesExactBytes) {
    TempFolder::write(settings.filePath(), "[Filepath]\r\nSaveFile=custdata.vlk\r\n");
    EXPECT_EQ(settings.getString("Filepath", "SaveFile", "CustData.VLK"), "custdata.vlk");
    EXPECT_EQ(iniText(), "[Filepath]\r\nSaveFile=custdata.vlk\r\n");
}

TEST_F(ProfileSettingsTest, IntegersAreWrittenAsDecimal) {
    settings.putInt("Param", "MonStartDay", -31);
    EXPECT_EQ(iniText(), "[Param]\r\nMonStartDay=-31\r\n");
}

TEST_F(ProfileSettingsTest, PlacementRoundTrip) {
    WindowPlacement p;
    p.flags = 2;
    p.showCmd = 3;
    p.minX = -1;
    p.minY = -1;
    p.maxX = -8;
    p.maxY = -30;
    p.left = 10;
    p.top = 20;
    p.right = 810;
    p.bottom = 620;
    settings.setPlacement(p);
    settings.writePlacement();
    EXPECT_EQ(iniText(),
              "[Window]\r\nPlacement=2 , 3 , -1 , -1 , -8 , -30 , 10 , 20 , 810 , 620\r\n");

    ProfileSettings other(settings.folders());
    other.init(ProfileSettings::ProgramFolder);
    other.readPlacement();
    EXPECT_TRUE(other.placementValid());
    EXPECT_EQ(other.placement(), p);
    EXPECT_EQ(other.placement().length, 44u);
}

TEST_F(ProfileSettingsTest, PlacementWithNineNumbersIsIgnored) {
    TempFolder::write(settings.filePath(),
                      "[Window]\r\nPlacement=0 , 1 , -1 , -1 , -1 , -1 , 0 , 0 , 800\r\n");
    settings.readPlacement();
    EXPECT_FALSE(settings.placementValid());
}

TEST_F(ProfileSettingsTest, MissingPlacementIsWrittenEmpty) {
    settings.readPlacement();
    EXPECT_FALSE(settings.placementValid());
    EXPECT_EQ(iniText(), "[Window]\r\nPlacement=\r\n");
}

// ---- the path rule ----

TEST(ProfileSettingsPath, ModesAndExtension) {
    ProfileSettings s(foldersIn("/r"));
    struct Case {
        int mode;
        const char* name;
        const char* folder;
        const char* path;
    };
    const Case cases[] = {
        {ProfileSettings::BareName, "", "", "OrvoView.INI"},
        {ProfileSettings::WindowsFolder, "", "", "/r/config/OrvoView.INI"},
        {ProfileSettings::ProgramFolder, "", "", "/r/prog/OrvoView.INI"},
        {ProfileSettings::DocumentsFolder, "", "", "/r/docs/OrvoView.INI"},
        {ProfileSettings::GivenFolder, "", "/data/", "/data/OrvoView.INI"},
        {ProfileSettings::GivenFolder, "x", "/data", "/data/x.INI"},
        {ProfileSettings::ProgramFolder, "a.b", "", "/r/prog/a.b"},
        {ProfileSettings::ProgramFolder, "settings.ini", "", "/r/prog/settings.ini"},
    };
    for (const Case& c : cases) {
        s.init(c.mode, c.name, c.folder);
        EXPECT_EQ(s.iniPath(), c.path) << c.mode << " " << c.name;
    }
    s.init(ProfileSettings::BareName);
    EXPECT_EQ(s.filePath(), "/r/config/OrvoView.INI");
}

TEST(ProfileSettingsPath, BaseNameWithPeriodGetsNoExtension) {
    ProfileFolders f = foldersIn("/r");
    f.exeBaseName = "a.b";
    ProfileSettings s(f);
    s.init(ProfileSettings::ProgramFolder);
    EXPECT_EQ(s.iniPath(), "/r/prog/a.b");
}

TEST(ProfileSettingsPath, FolderLongerThan260BytesIsRejected) {
    ProfileSettings s(foldersIn("/r"));
    std::string folder260 = "/" + std::string(259, 'd');
    EXPECT_NO_THROW(s.init(ProfileSettings::GivenFolder, "x", folder260));
    EXPECT_NO_THROW(
        s.init(ProfileSettings::GivenFolder, "x", folder260 + "/")); // separator dropped
    EXPECT_THROW(s.init(ProfileSettings::GivenFolder, "x", folder260 + "d"), std::invalid_argument);
    EXPECT_THROW(s.init(4), std::invalid_argument);
}

TEST(ProfileSettingsPath, TrailingSeparatorOnlyWhenItIsACharacter) {
    const std::string hyo = sj("表"); // 95 5C: second byte is a backslash
    EXPECT_EQ(withoutTrailingSeparator("C:\\dir\\", '\\'), "C:\\dir");
    EXPECT_EQ(withoutTrailingSeparator("C:\\" + hyo, '\\'), "C:\\" + hyo);
    EXPECT_EQ(withoutTrailingSeparator("C:\\" + hyo + "\\", '\\'), "C:\\" + hyo);
    EXPECT_EQ(withoutTrailingSeparator("/opt/orvo/"), "/opt/orvo");
    EXPECT_EQ(withoutTrailingSeparator("/opt/orvo"), "/opt/orvo");
}

// Settings files are read through the one regular-file open: what is no regular file, or is
// longer than any settings file, reads as absent at once (no blocking, no exhausted memory).
TEST(PrivateProfile, SpecialFilesAndHugeFilesReadAsAbsent) {
    TempFolder dir;
    const std::filesystem::path fifo = dir.path() / "fifo.INI";
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    const std::filesystem::path huge = dir.path() / "huge.INI";
    { std::ofstream(huge) << "[Param]\r\nMonStartDay=5\r\n"; }
    std::filesystem::resize_file(huge, kSettingsFileLimit + 1);
    const struct {
        std::string path;
        int error;
    } cases[] = {{fifo.string(), EINVAL},
                 {"/dev/zero", EINVAL},
                 {huge.string(), EFBIG},
                 {dir.path().string(), EISDIR}};
    for (const auto& c : cases) {
        int error = 0;
        EXPECT_FALSE(readWholeFile(c.path, error).has_value()) << c.path;
        EXPECT_EQ(error, c.error) << c.path;
        EXPECT_EQ(profile::readInt(c.path, "Param", "MonStartDay", 1), 1) << c.path;
    }
}
