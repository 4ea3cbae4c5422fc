// 一括出力 from the menu: the dialog driven through its controls writes the same files as the
// CSV dialog and PDFに出力 do one at a time, and says what failed.
#include "ViewFixture.h"
#include "app/gui/DataCommands.h"
#include "app/gui/OrvoViewView.h"
#include "common/Cp932.h"
#include "common/DialogDriver.h"
#include "common/FileBytes.h"
#include "common/PdfBytes.h"
#include "res/ResourceIds.h"
#include "support/FilePath.h"
#include "support/ScriptedPrompt.h"
#include "support/gui/QtCp932.h"
#include "textout/TxtOutRules.h"
#include "views/table/PrintJobs.h"
#include "views/table/TableTexts.h"
#include "views/table/gui/D_BatchOut.h"
#include <QAction>
#include <QCheckBox>
#include <QDateEdit>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>

using namespace viewtest;
using dlgtest::whenModal;

namespace {

// Five days from 2024-05-01; each circuit's figures scaled apart.
std::vector<MeasurementDay> fiveDays(uint64_t seed, double scale) {
    ReportGenOptions o;
    o.seed = seed;
    o.firstDay = DateTime::make(2024, 5, 1);
    o.days = 5;
    std::vector<MeasurementDay> days = generatedDays(o);
    for (MeasurementDay& d : days)
        scaleDay(d, scale, 1.0);
    return days;
}

class BatchOutTest : public ViewTest {
protected:
    void SetUp() override {
        ViewTest::SetUp();
        ASSERT_TRUE(m_batch.isValid() && m_single.isValid());
        m_frame->dataCommands()->setPromptForTesting(&m_prompt);
        printView().setPrompt(&m_prompt);
    }
    void TearDown() override {
        printView().setPrompt(nullptr);
        ViewTest::TearDown();
    }
    COrvoViewView& printView() { return *view<COrvoViewView>(CMainFrame::ViewBlank); }

    // 東京第一工場: 受電 No.1 (0) and 動力 (1); 北倉庫: 照明; five days each. Shows 動力 on 5/3.
    void loadThreeCircuits() {
        MeasurementStore store;
        const struct {
            const char* customer;
            const char* circuit;
            uint64_t seed;
            double scale;
        } circuits[] = {{"東京第一工場", "受電 No.1", 1, 1.0},
                        {"東京第一工場", "動力", 2, 3.0},
                        {"北倉庫", "照明", 3, 0.5}};
        for (const auto& c : circuits) {
            int customer = store.find(sj(c.customer));
            if (customer < 0)
                customer = store.insert(sj(c.customer));
            const int k = store.at(customer).circuits.insert(sj(c.circuit));
            for (const MeasurementDay& d : fiveDays(c.seed, c.scale))
                store.at(customer).circuits.at(k).addOrReplaceDay(d);
        }
        m_doc.replaceStore(std::move(store));
        m_doc.select({0, 1, 2, -1, -1}, 1);
    }

    // Opens 一括出力 and runs `act` on its dialog.
    void runDialog(const std::function<void(CBatchOut&)>& act) {
        whenModal([act](QWidget* w) {
            auto* dialog = qobject_cast<CBatchOut*>(w);
            ASSERT_NE(dialog, nullptr);
            act(*dialog);
            if (dialog->isVisible())
                dialog->reject();
        });
        QAction* command = m_frame->action(res::ID_BATCH_OUT);
        ASSERT_TRUE(command->isEnabled());
        command->trigger();
    }

    // The file names in a folder.
    static QStringList files(const QTemporaryDir& dir) {
        return QDir(dir.path()).entryList(QDir::Files, QDir::Name);
    }

    QTemporaryDir m_batch, m_single;
    ScriptedPrompt m_prompt;
};

TEST_F(BatchOutTest, ThreeCircuitsOfFiveDaysAreTheSingleCsvAndPdfOutputs) {
    loadThreeCircuits();
    // The CSV folder kept (dialogs start in a kept folder that exists, else the home folder).
    m_settings.txtOutDir = m_single.path().toStdString();
    runDialog([this](CBatchOut& dialog) {
        // It opens on the shown circuit, the report month of the shown day, both formats.
        QListWidget* list = dialog.circuits();
        ASSERT_EQ(dialogtest::texts(list), (QStringList{"東京第一工場 / 受電 No.1",
                                                        "東京第一工場 / 動力", "北倉庫 / 照明"}));
        EXPECT_EQ(list->item(0)->checkState(), Qt::Unchecked);
        EXPECT_EQ(list->item(1)->checkState(), Qt::Checked);
        EXPECT_EQ(dialog.fromEdit()->date(), QDate(2024, 5, 1));
        EXPECT_EQ(dialog.toEdit()->date(), QDate(2024, 5, 31));
        EXPECT_TRUE(dialog.csvBox()->isChecked() && dialog.pdfBox()->isChecked());
        EXPECT_EQ(dialog.folderEdit()->text(), m_single.path());
        // The other two circuits checked from the keyboard.
        list->setFocus();
        for (int row : {0, 2}) {
            list->setCurrentRow(row);
            QTest::keyClick(list, Qt::Key_Space);
        }
        dialog.toEdit()->setDate(QDate(2024, 5, 5));
        dialog.folderEdit()->setText(m_batch.path());
        dlgtest::shot(&dialog, "batch_out.png");
        QTest::keyClick(&dialog, Qt::Key_Return); // the default button
    });
    ASSERT_FALSE(m_prompt.asked().empty());
    EXPECT_EQ(sjis::toUtf8(m_prompt.asked().back().text), "30 件出力しました");
    EXPECT_EQ(m_prompt.asked().back().icon, PromptIcon::Information);
    EXPECT_EQ(m_settings.txtOutDir, m_batch.path().toStdString()); // kept like the CSV folder
    ASSERT_EQ(files(m_batch).size(), 30);

    // The same days one at a time, through the CSV dialog's rule and PDFに出力.
    for (int customer = 0; customer < 2; ++customer) {
        for (int circuit = 0; circuit < (customer == 0 ? 2 : 1); ++circuit) {
            for (int day = 0; day < 5; ++day) {
                m_doc.select({customer, circuit, day, -1, -1}, 1);
                const DisplaySelection& shown = m_doc.currentSelection();
                TxtOutFields fields{m_single.path().toStdString(),
                                    pathFromCp932(csvFileNamePreset(shown)), "", false};
                ASSERT_TRUE(acceptTxtOut(fields, shown, m_prompt, CsvOutputEnv()));
                const QString pdf = m_single.filePath(qtFromCp932(print_jobs::pdfFileName(shown)));
                printView().askPdfFile = [pdf](const QString&) { return pdf; };
                m_frame->action(res::ID_FILE_PDF)->trigger();
            }
        }
    }
    ASSERT_EQ(files(m_single), files(m_batch));
    for (const QString& name : files(m_batch)) {
        SCOPED_TRACE(name.toStdString());
        const std::string batch = fileBytes(m_batch.filePath(name).toStdString());
        const std::string single = fileBytes(m_single.filePath(name).toStdString());
        if (name.endsWith(".pdf")) {
            ASSERT_EQ(batch.rfind("%PDF", 0), 0u);
            EXPECT_NE(withoutPdfStamps(batch), batch); // the stamps are there, and blanked
            EXPECT_TRUE(withoutPdfStamps(batch) == withoutPdfStamps(single));
        } else {
            EXPECT_TRUE(batch == single);
        }
    }
}

TEST_F(BatchOutTest, AFolderThatCannotBeMadeFailsEveryFileWithAWarning) {
    loadThreeCircuits();
    const QString blocker = m_batch.filePath("a file");
    QFile(blocker).open(QIODevice::WriteOnly);
    const QString folder = blocker + "/out";
    runDialog([&](CBatchOut& dialog) {
        dialog.pdfBox()->setChecked(false);
        dialog.toEdit()->setDate(QDate(2024, 5, 2));
        dialog.folderEdit()->setText(folder);
        dialog.okButton()->click();
    });
    // Asked to make the folder (Yes), then the summary.
    ASSERT_EQ(m_prompt.asked().size(), 2u);
    const std::string why = "出力先のフォルダがありません:" + folder.toStdString();
    EXPECT_EQ(sjis::toUtf8(m_prompt.asked()[1].text),
              "0 件出力しました\n出力できなかったもの:\n"
              "日報_東京第一工場_動力_20240501_1.CSV: " +
                  why + "\n日報_東京第一工場_動力_20240502_1.CSV: " + why);
    EXPECT_EQ(m_prompt.asked()[1].icon, PromptIcon::Warning);
}

TEST_F(BatchOutTest, OkWantsACircuitAndAFormatAndAPeriodWithData) {
    loadThreeCircuits();
    runDialog([this](CBatchOut& dialog) {
        QPushButton* ok = dialog.okButton();
        EXPECT_TRUE(ok->isDefault());
        dialog.circuits()->item(1)->setCheckState(Qt::Unchecked);
        EXPECT_FALSE(ok->isEnabled());
        dialog.circuits()->item(2)->setCheckState(Qt::Checked);
        EXPECT_TRUE(ok->isEnabled());
        dialog.csvBox()->setChecked(false);
        dialog.pdfBox()->setChecked(false);
        EXPECT_FALSE(ok->isEnabled());
        dialog.csvBox()->setChecked(true);
        // June holds nothing: told, and the dialog stays for another period.
        dialog.fromEdit()->setDate(QDate(2024, 6, 1));
        dialog.toEdit()->setDate(QDate(2024, 6, 30));
        dialog.folderEdit()->setText(m_batch.path());
        ok->click();
        EXPECT_TRUE(dialog.isVisible());
        ASSERT_EQ(m_prompt.asked().size(), 1u);
        EXPECT_EQ(m_prompt.asked()[0].text, txt::table::kBatchNothing);
        // An empty folder is the CSV dialog's message.
        dialog.fromEdit()->setDate(QDate(2024, 5, 1));
        dialog.folderEdit()->setText("  ");
        ok->click();
        EXPECT_TRUE(dialog.isVisible());
        EXPECT_EQ(sjis::toUtf8(m_prompt.asked().back().text), "出力先を指定してください");
    });
    EXPECT_TRUE(files(m_batch).isEmpty());
}

TEST_F(BatchOutTest, EveryControlIsNamedAndReachedByTab) {
    loadThreeCircuits();
    runDialog([](CBatchOut& dialog) {
        // The date boxes' inner editors carry no id of their own.
        std::vector<int> order = dialogtest::tabOrder(&dialog, res::IDC_BATCH_CIRCUITS, 12);
        std::erase(order, 0);
        order.resize(8);
        EXPECT_EQ(order,
                  (std::vector<int>{res::IDC_BATCH_CIRCUITS, res::IDC_BATCH_FROM, res::IDC_BATCH_TO,
                                    res::IDC_BATCH_CSV, res::IDC_BATCH_PDF, res::IDC_BATCH_FOLDER,
                                    res::IDC_BATCH_BROWSE_FOLDER, res::IDOK}));
        const std::pair<int, const char*> names[] = {
            {res::IDC_BATCH_CIRCUITS, "測定回路"},
            {res::IDC_BATCH_FROM, "開始"},
            {res::IDC_BATCH_TO, "終了"},
            {res::IDC_BATCH_CSV, "CSV形式"},
            {res::IDC_BATCH_PDF, "PDF"},
            {res::IDC_BATCH_FOLDER, "出力先"},
            {res::IDC_BATCH_BROWSE_FOLDER, "出力先の参照"}};
        for (const auto& [id, name] : names)
            EXPECT_EQ(dialogtest::accessibleLabel(dlgtest::byId<QWidget>(&dialog, id)),
                      QString::fromUtf8(name))
                << id;
        EXPECT_LE(dialog.width(), 1024);
        EXPECT_LE(dialog.height(), 768);
    });
}

TEST_F(BatchOutTest, TheCommandWaitsForAStoredDay) {
    EXPECT_FALSE(m_frame->action(res::ID_BATCH_OUT)->isEnabled());
    loadThreeCircuits();
    m_doc.select({}, 1); // nothing shown: the first circuit, the month of its last day
    EXPECT_TRUE(m_frame->action(res::ID_BATCH_OUT)->isEnabled());
    runDialog([](CBatchOut& dialog) {
        EXPECT_EQ(dialog.circuits()->item(0)->checkState(), Qt::Checked); // 受電 No.1
        EXPECT_EQ(dialog.fromEdit()->date(), QDate(2024, 5, 1));
    });
}

} // namespace
