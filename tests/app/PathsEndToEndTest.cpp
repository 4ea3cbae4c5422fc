// The program with folders of any name: ORVOVIEW_HOME, the CSV folder and the export folder are
// used exactly as given and remembered in the INI file without a lossy conversion; a Windows
// folder kept in the INI file ("C:\") is never offered and never made.
#include "AppTestSupport.h"
#include "DialogTestSupport.h"
#include "app/gui/AppShell.h"
#include "app/gui/DataCommands.h"
#include "app/gui/MainFrame.h"
#include "common/FileBytes.h"
#include "common/PathNames.h"
#include "res/ResourceIds.h"
#include "store/DAT_DataFile.h"
#include "store/gui/D_DataSave.h"
#include "support/PrivateProfile.h"
#include "support/ScriptedPrompt.h"
#include "support/Sjis.h"
#include "textout/gui/D_TxtOut.h"
#include "transfer/gui/D_SelectData.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QLineEdit>
#include <QListWidget>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <cstdlib>
#include <gtest/gtest.h>

using namespace apptest;
using namespace dlgtest;
namespace fs = std::filesystem;

namespace {

QString qt(const fs::path& path) {
    return QString::fromStdString(path.native());
}

bool waitForFile(const fs::path& file) {
    for (int i = 0; i < 600 && !fs::exists(file); ++i)
        QTest::qWait(50);
    return fs::exists(file);
}

std::vector<std::string> namesIn(const fs::path& folder) {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder))
        names.push_back(entry.path().filename().native());
    std::sort(names.begin(), names.end());
    return names;
}

// The user's home folder, for the dialogs' start, while a test runs.
class HomeFolder {
public:
    explicit HomeFolder(const fs::path& home) {
        if (const char* old = std::getenv("HOME"))
            m_old = old;
        fs::create_directories(home);
        ::setenv("HOME", home.c_str(), 1);
    }
    ~HomeFolder() { ::setenv("HOME", m_old.c_str(), 1); }
    HomeFolder(const HomeFolder&) = delete;
    HomeFolder& operator=(const HomeFolder&) = delete;

private:
    std::string m_old;
};

} // namespace

// Was: the program folder went through CP932 and the files of ORVOVIEW_HOME=/x/hé landed in
// /x/h?.
TEST(PathsEndToEnd, RealProgramKeepsItsFilesUnderAHomeOfAnyName) {
    QTemporaryDir dir;
    const fs::path root = dir.path().toStdString();
    for (const PathName& n : kPathNames) {
        SCOPED_TRACE(n.what);
        const fs::path home = root / n.name;
        fs::create_directories(home);
        // The last run ended without its exit: this start writes a line to the program log.
        ASSERT_TRUE(profile::writeString(home / "orvoview.INI", "check", "RunningNum", "0"));
        QProcess child;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("ORVOVIEW_HOME", qt(home));
        env.insert("QT_QPA_PLATFORM", "offscreen");
        child.setProcessEnvironment(env);
        child.start(QStringLiteral(ORVOVIEW_EXE), {});
        ASSERT_TRUE(child.waitForStarted(20000));
        ASSERT_TRUE(waitForFile(home / "DATA" / "Orvo.DAT"));
        child.terminate();
        ASSERT_TRUE(child.waitForFinished(20000));
        EXPECT_EQ(child.exitCode(), 0) << child.readAllStandardError().toStdString();
        EXPECT_EQ(iniValue(home / "orvoview.INI", "check", "RunningNum"), "15685");
        std::string log;
        for (const std::string& name : namesIn(home))
            if (name.rfind("orvoview", 0) == 0 && name.size() > 4 &&
                name.compare(name.size() - 4, 4, ".LOG") == 0)
                log += fileBytes(home / name);
        EXPECT_NE(log.find(sj("前回異常終了")), std::string::npos);
        EXPECT_EQ(fs::file_size(home / "DATA" / "Orvo.DAT"),
                  datafile::encode(SerialSettings{}, MeasurementStore{}).size());
    }
    // Nothing beside the folders given: no "h?", no other spelling of a name.
    std::vector<std::string> given;
    for (const PathName& n : kPathNames)
        given.push_back(n.name);
    std::sort(given.begin(), given.end());
    EXPECT_EQ(namesIn(root), given);
}

class DialogFolders : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(m_dir.isValid());
        QDir().mkpath(m_dir.filePath("program/DATA"));
        QFile data(m_dir.filePath("program/DATA/Orvo.DAT"));
        ASSERT_TRUE(data.open(QIODevice::WriteOnly));
        const std::string bytes =
            datafile::encode(SerialSettings{}, makeStore({makeDay(2007, 1, 6)}));
        data.write(bytes.data(), static_cast<qint64>(bytes.size()));
    }

    fs::path root() const { return m_dir.path().toStdString(); }
    fs::path program() const { return root() / "program"; }
    fs::path ini() const { return program() / "orvoview.INI"; }

    std::unique_ptr<AppShell> start() {
        AppShell::Options o;
        o.folder = program();
        o.baseName = "orvoview";
        auto shell = std::make_unique<AppShell>(o);
        EXPECT_TRUE(shell->initInstance());
        shell->frame()->dataCommands()->setPromptForTesting(&m_prompt);
        whenModal([](QWidget* w) {
            auto* d = qobject_cast<CSelectData*>(w);
            ASSERT_NE(d, nullptr);
            d->days()->setCurrentRow(0);
            press(d, res::IDOK);
        });
        shell->frame()->action(res::ID_SELECT_DATA)->trigger();
        return shell;
    }

    // The CSV dialog: the folder it offers, then (when `to` is given) a report written there.
    QString writeCsv(AppShell& shell, const fs::path& to = {}) {
        QString offered;
        whenModal([&](QWidget* w) {
            auto* d = qobject_cast<CTxtOut*>(w);
            ASSERT_NE(d, nullptr);
            offered = d->folder()->text();
            d->openAfter()->setChecked(false);
            if (to.empty()) {
                press(d, res::IDCANCEL);
                return;
            }
            d->folder()->setText(qt(to));
            press(d, res::IDOK);
        });
        shell.frame()->action(res::ID_TXT_OUT)->trigger();
        return offered;
    }

    // The export dialog likewise.
    QString exportCustomer(AppShell& shell, const fs::path& to = {}) {
        QString offered;
        whenModal([&](QWidget* w) {
            auto* d = qobject_cast<CDataSave*>(w);
            ASSERT_NE(d, nullptr);
            offered = d->folder()->text();
            if (!to.empty()) {
                d->folder()->setText(qt(to));
                press(d, res::IDOK);
            }
            press(d, res::IDCANCEL); // the dialog stays open after an export
        });
        shell.frame()->action(res::ID_CUST_EXPORT)->trigger();
        return offered;
    }

    QTemporaryDir m_dir;
    ScriptedPrompt m_prompt;
};

TEST_F(DialogFolders, FoldersOfAnyNameAreUsedAndRememberedExactly) {
    HomeFolder home(root() / "user");
    for (const PathName& n : kPathNames) {
        SCOPED_TRACE(n.what);
        const fs::path csv = root() / n.name / "csv";
        const fs::path vlk = root() / n.name / "vlk";
        {
            auto shell = start();
            m_prompt.answer(PromptAnswer::Yes); // create the CSV folder
            writeCsv(*shell, csv);
            m_prompt.answer(PromptAnswer::Yes); // create the export folder
            exportCustomer(*shell, vlk);
            EXPECT_EQ(shell->settings().txtOutDir, csv);
            EXPECT_EQ(shell->settings().saveDir, vlk);
            shell->exitInstance();
        }
        EXPECT_TRUE(fs::exists(csv / "日報_東京工場_受電_20070106_1.CSV"));
        EXPECT_TRUE(fs::exists(vlk / "東京工場.VLK"));
        EXPECT_EQ(namesIn(root() / n.name), (std::vector<std::string>{"csv", "vlk"}));
        // The INI file: CP932 where CP932 spells the folder, else its own UTF-8 key.
        const std::string ini = this->ini().native();
        if (n.spelledByCp932) {
            EXPECT_EQ(iniValue(ini, "Param", "TxtOutDir"), sjis::fromUtf8(csv.native()));
            EXPECT_EQ(iniValue(ini, "Filepath", "SaveDir"), sjis::fromUtf8(vlk.native()));
        } else {
            EXPECT_EQ(iniValue(ini, "Param", "TxtOutDir_UTF8"), csv.native());
            EXPECT_EQ(iniValue(ini, "Filepath", "SaveDir_UTF8"), vlk.native());
        }
        // The next start offers the folders kept.
        auto again = start();
        EXPECT_EQ(writeCsv(*again), qt(csv));
        EXPECT_EQ(exportCustomer(*again), qt(vlk));
        again->exitInstance();
    }
}

// Was: the export dialog offered "C:\" and Yes made a folder named "C:\" in the program folder.
TEST_F(DialogFolders, WindowsFolderOfTheIniIsNeverOfferedNorMade) {
    HomeFolder home(root() / "user");
    ASSERT_TRUE(profile::writeString(ini(), "Param", "TxtOutDir", "D:\\data"));
    auto shell = start();
    EXPECT_EQ(iniValue(ini().native(), "Filepath", "SaveDir"), "C:\\"); // the default, kept
    EXPECT_EQ(writeCsv(*shell), qt(root() / "user"));
    EXPECT_EQ(exportCustomer(*shell), qt(root() / "user"));
    // Typed in by hand it is refused, with nothing made.
    exportCustomer(*shell, "C:\\");
    ASSERT_EQ(m_prompt.asked().size(), 1u);
    EXPECT_EQ(
        sjis::toUtf8(m_prompt.asked()[0].text),
        "Windowsのフォルダ名は使えません。このコンピュータのフォルダを指定してください。\nC:\\");
    shell->exitInstance();
    for (const fs::path& where : {program(), fs::current_path(), root()})
        for (const std::string& name : namesIn(where))
            EXPECT_EQ(name.find(':'), std::string::npos) << where << " " << name;
}
