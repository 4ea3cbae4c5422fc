// The program's main job end to end: a generated two-channel report is received (from a file,
// or from a pseudo-terminal playing the recorder), its days are filed under a new customer's
// circuits, and after a restart the data file holds exactly the parsed days.
#include "AppTestSupport.h"
#include "app/gui/AppShell.h"
#include "app/gui/MainFrame.h"
#include "app/gui/OrvoViewDoc.h"
#include "common/Cp932.h"
#include "common/DialogDriver.h"
#include "link/PtyPair.h"
#include "link/ReceptionCapture.h"
#include "link/ReportParser.h"
#include "link/ReportText.h"
#include "link/gui/D_CommRead.h"
#include "res/ResourceIds.h"
#include "store/DataFileLoad.h"
#include "support/PrivateProfile.h"
#include "tools/reportgen/ReportGenerator.h"
#include "transfer/gui/D_ReadData.h"

#include <QAction>
#include <QApplication>
#include <QFile>
#include <QLineEdit>
#include <QListWidget>
#include <QTimer>
#include <gtest/gtest.h>
#include <thread>

using namespace apptest;
using namespace dialogtest;

namespace {

AppShell::Options optionsFor(const QTemporaryDir& dir) {
    AppShell::Options o;
    o.folder = utf8Path(dir);
    o.baseName = "orvoview";
    return o;
}

// Runs `drive` on the modal dialog that opens next (a command's or a button's).
template <class Drive> void onNextDialog(Drive drive) {
    QTimer::singleShot(0, [drive] {
        QWidget* dialog = QApplication::activeModalWidget();
        ASSERT_NE(dialog, nullptr);
        drive(dialog);
    });
}

// The days of one channel as the circuit stores them (channel 1).
MeasurementCircuit storedForm(const MeasurementCircuit& parsed, int channel) {
    MeasurementCircuit circuit;
    for (const MeasurementDay& day : parsed.days) {
        if (day.channel != channel)
            continue;
        MeasurementDay stored = day;
        stored.channel = 1;
        circuit.addOrReplaceDay(stored);
    }
    return circuit;
}

// In the transfer dialog: a new customer 新工場 with circuits 一号 and 二号 through
// "需要家情報編集...", then the CH1 days into 一号 and the CH2 days into 二号, and OK.
void fileIntoNewCustomer(CReadData* dialog) {
    onNextDialog([](QWidget* edit) {
        byId<QLineEdit>(edit, res::IDC_CUST_NAME)->setText(QStringLiteral("新工場"));
        click(edit, res::IDC_CUST_ADD);
        for (const QString& name : {QStringLiteral("二号"), QStringLiteral("一号")}) {
            byId<QLineEdit>(edit, res::IDC_CIRCUIT_NAME_EDIT)->setText(name);
            click(edit, res::IDC_CIRCUIT_ADD);
        }
        click(edit, res::IDOK);
    });
    click(dialog, res::IDC_RD_CUST_EDIT);
    ASSERT_EQ(dialog->customerCombo()->currentText(), QStringLiteral("新工場"));
    for (int channel : {1, 2}) {
        dialog->circuitCombo()->setCurrentIndex(dialog->circuitCombo()->findText(
            channel == 1 ? QStringLiteral("一号") : QStringLiteral("二号")));
        QListWidget* list = dialog->transferList();
        list->clearSelection();
        const QString prefix = QStringLiteral("%1ch ").arg(channel);
        for (int row = 0; row < list->count(); ++row)
            list->item(row)->setSelected(list->item(row)->text().startsWith(prefix));
        click(dialog, res::IDC_RD_ADD);
    }
    EXPECT_EQ(dialog->transferList()->count(), 0);
    click(dialog, res::IDOK);
}

// A two-channel report over the end of February 2024 (LF line ends for a terminal).
std::string generatedReport(const char* lineEnd) {
    ReportGenOptions options;
    options.seed = 14;
    options.firstDay = DateTime::make(2024, 2, 28);
    options.days = 3;
    options.channel2 = true;
    options.circuitType2 = CircuitThreePhase4Wire;
    options.reverse = true;
    options.lineEnd = lineEnd;
    return ReportGenerator(options).generate();
}

MeasurementCircuit parsed(const std::string& report) {
    MeasurementCircuit days;
    ParseContext context(days);
    parseReportText(context, report);
    return days;
}

// After a restart the data file holds the new customer with the parsed days of each channel.
void expectFiledAfterRestart(const QTemporaryDir& dir, const MeasurementCircuit& parsedDays) {
    AppShell again(optionsFor(dir));
    ASSERT_TRUE(again.initInstance());
    const MeasurementStore& store = again.document()->store();
    ASSERT_EQ(store.count(), 1);
    const Customer& customer = store.at(0);
    EXPECT_EQ(customer.name, sj("新工場"));
    ASSERT_EQ(customer.circuits.count(), 2);
    const MeasurementCircuit& one = customer.circuits.at(customer.circuits.find(sj("一号")));
    const MeasurementCircuit& two = customer.circuits.at(customer.circuits.find(sj("二号")));
    EXPECT_EQ(one.days, storedForm(parsedDays, 1).days);
    EXPECT_EQ(two.days, storedForm(parsedDays, 2).days);
    again.exitInstance();
}

// Starts the program in the folder, runs "機器からデータ転送(&M)..." with `drive` on the transfer
// dialog, and closes the program (the data file is written as the window goes).
template <class Drive> void runTransfer(const QTemporaryDir& dir, Drive drive) {
    AppShell shell(optionsFor(dir));
    ASSERT_TRUE(shell.initInstance());
    bool driven = false;
    onNextDialog([&](QWidget* widget) {
        auto* dialog = qobject_cast<CReadData*>(widget);
        ASSERT_NE(dialog, nullptr);
        drive(dialog);
        driven = !dialog->isVisible();
        if (!driven)
            dialog->reject(); // a failed step must not leave the test waiting on the dialog
    });
    shell.frame()->action(res::ID_READ_DATA)->trigger();
    EXPECT_TRUE(driven);
    shell.frame()->close();
    shell.exitInstance();
}

} // namespace

TEST(TransferEndToEnd, ReceivedFileIsFiledAndSurvivesARestart) {
    QTemporaryDir dir;
    const std::string report = generatedReport("\r\n");
    const QString capture = dir.filePath(QStringLiteral("受信データ.txt"));
    {
        QFile file(capture);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(report.data(), static_cast<qint64>(report.size()));
    }
    const MeasurementCircuit parsedDays = parsed(report);
    ASSERT_EQ(parsedDays.days.count(), 6);

    runTransfer(dir, [&](CReadData* dialog) {
        dialog->setFileChooser([&](const QString&) { return capture; });
        click(dialog, res::IDC_RD_IMPORT_FILE);
        ASSERT_EQ(dialog->transferList()->count(), 6);
        fileIntoNewCustomer(dialog);
    });
    EXPECT_EQ(iniValue(utf8Path(dir) + "/orvoview.INI", "Filepath", "ImportDir"),
              sj(dir.path().toStdString()));
    expectFiledAfterRestart(dir, parsedDays);
}

// A lost display or a killed process after OK must not lose what was filed: the days are in
// the data file the moment OK returns, with the file as it was before beside it.
TEST(TransferEndToEnd, FiledDaysAreOnDiskWhenOkReturnsBeforeAnyExit) {
    QTemporaryDir dir;
    const std::string report = generatedReport("\r\n");
    const QString capture = dir.filePath(QStringLiteral("cap.txt"));
    {
        QFile file(capture);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(report.data(), static_cast<qint64>(report.size()));
    }
    const MeasurementCircuit parsedDays = parsed(report);
    AppShell shell(optionsFor(dir));
    ASSERT_TRUE(shell.initInstance());
    const std::string dataFile = utf8Path(dir) + "/DATA/Orvo.DAT";
    onNextDialog([&](QWidget* widget) {
        auto* dialog = qobject_cast<CReadData*>(widget);
        ASSERT_NE(dialog, nullptr);
        dialog->setFileChooser([&](const QString&) { return capture; });
        click(dialog, res::IDC_RD_IMPORT_FILE);
        fileIntoNewCustomer(dialog);
    });
    shell.frame()->action(res::ID_READ_DATA)->trigger();

    // Read from disk while the window is still open, as a crash would leave it.
    SerialSettings serial;
    MeasurementStore onDisk;
    ASSERT_TRUE(loadDataFile(dataFile, serial, onDisk).loaded());
    ASSERT_EQ(onDisk.count(), 1);
    const Customer& customer = onDisk.at(0);
    EXPECT_EQ(customer.circuits.at(customer.circuits.find(sj("一号"))).days,
              storedForm(parsedDays, 1).days);
    // The customer added inside the transfer dialog was written when its edit was confirmed;
    // the generation before OK has it without days.
    MeasurementStore before;
    ASSERT_TRUE(loadDataFile(dataFile + ".bak", serial, before).loaded());
    ASSERT_EQ(before.count(), 1);
    for (int k = 0; k < before.at(0).circuits.count(); ++k)
        EXPECT_EQ(before.at(0).circuits.at(k).days.count(), 0);
    EXPECT_FALSE(shell.document()->hasUnsavedChanges());
    shell.frame()->close();
    shell.exitInstance();
}

// The recorder is a pseudo-terminal that the INI maps to port 1 (the default port); the bytes
// it sent are kept in the capture folder.
TEST(TransferEndToEnd, SerialReceptionIsFiledAndSurvivesARestart) {
    QTemporaryDir dir;
    PtyPair recorder;
    ASSERT_TRUE(profile::writeString(utf8Path(dir) + "/orvoview.INI", "Port", "COM1",
                                     recorder.slavePath()));
    const std::string report = generatedReport("\n");
    const MeasurementCircuit parsedDays = parsed(report);
    ASSERT_EQ(parsedDays.days.count(), 6);
    std::thread writer;
    runTransfer(dir, [&](CReadData* dialog) {
        // The recorder is started once the dialog says the port waits for it (what waited in
        // the port before is discarded when a reception starts).
        onNextDialog([&](QWidget* widget) {
            auto* comm = qobject_cast<CCommRead*>(widget);
            ASSERT_NE(comm, nullptr);
            auto* poll = new QTimer(comm);
            QObject::connect(poll, &QTimer::timeout, comm, [&, comm, poll] {
                const QListWidget* list = comm->lineList();
                for (int i = 0; i < list->count(); ++i)
                    if (list->item(i)->text().contains(QStringLiteral("データ送信待ち"))) {
                        poll->stop();
                        writer = std::thread([&] { recorder.writePaced(report, 115200); });
                        return;
                    }
            });
            poll->start(20);
        });
        click(dialog, res::IDC_RD_RECEIVE);
        ASSERT_EQ(dialog->transferList()->count(), 6);
        fileIntoNewCustomer(dialog);
    });
    if (writer.joinable())
        writer.join();
    const std::string captures = utf8Path(dir) + "/RECEIVED";
    const std::vector<std::string> files = ReceptionCapture::captureFiles(captures);
    ASSERT_EQ(files.size(), 1u);
    QFile capture(QString::fromStdString(captures + "/" + files[0]));
    ASSERT_TRUE(capture.open(QIODevice::ReadOnly));
    EXPECT_EQ(capture.readAll().toStdString(), report);
    expectFiledAfterRestart(dir, parsedDays);
}
