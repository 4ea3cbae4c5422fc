// The communication settings driven through their controls, with scripted probe answers.
#include "common/TempFolder.h"
#include "link/LinkTexts.h"
#include "link/gui/AnimateCtrl.h"
#include "link/gui/D_Information.h"
#include "link/gui/D_SetSerial.h"
#include "res/ResourceIds.h"
#include "support/PrivateProfile.h"
#include "support/ScriptedPrompt.h"
#include <QAbstractItemView>
#include <QAccessible>
#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <atomic>
#include <filesystem>
#include <gtest/gtest.h>
#include <thread>

namespace {

QString q(const char* utf8) {
    return QString::fromUtf8(utf8);
}

PortDeviceLookup devices() {
    return [](int n) { return n == 17 ? std::string("/dev/ttyS4") : std::string(); };
}

constexpr const char kFtdi[] = "/dev/serial/by-id/usb-FTDI_FT232R_USB_UART_A50285BI-if00-port0";

// What the probe finds on a machine with one FTDI adapter, a USB CDC recorder and a UART.
std::vector<SerialDeviceEntry> present() {
    return {{kFtdi, "/dev/ttyUSB0", "FTDI FT232R USB UART"},
            {"/dev/ttyUSB0", {}, "FTDI FT232R USB UART"},
            {"/dev/ttyACM0", {}, ""},
            {"/dev/ttyS4", {}, ""}};
}

CSetSerial::Probe finds(std::vector<SerialDeviceEntry> entries) {
    return [entries] { return entries; };
}

// Records what the dialog stores.
struct StoreLog {
    std::vector<std::pair<int, std::string>> stored;
    bool succeed = true;
    PortDeviceStore store() {
        return [this](int n, const std::string& device) {
            stored.emplace_back(n, device);
            return succeed;
        };
    }
};

QStringList items(QComboBox* box) {
    QStringList out;
    for (int i = 0; i < box->count(); ++i)
        out << box->itemText(i);
    return out;
}

std::string shotFolder() {
    std::filesystem::path p = std::filesystem::path(::testing::TempDir()) / "setserial";
    std::filesystem::create_directories(p);
    return p.string();
}

TEST(SetSerial, StoredPortAndItsDeviceStaySelected) {
    SerialSettings stored{17, 9600, 7, 2, 2, 0};
    StoreLog log;
    ScriptedPrompt prompt;
    CSetSerial dlg(stored, devices(), log.store(), prompt, nullptr, finds(present()));
    dlg.probePorts();
    EXPECT_EQ(dlg.windowTitle(), q("通信設定"));
    QStringList ports = items(dlg.portBox());
    ASSERT_EQ(ports.size(), 16); // COM1-COM15 and the stored COM17
    EXPECT_EQ(ports.front(), q("COM1 (/dev/ttyUSB0)"));
    EXPECT_EQ(ports.back(), q("COM17 (/dev/ttyS4)"));
    EXPECT_EQ(dlg.portBox()->currentIndex(), 15);
    EXPECT_EQ(items(dlg.deviceBox()), (QStringList{q("FTDI FT232R USB UART (by-id: ttyUSB0)"),
                                                   q("/dev/ttyUSB0 (FTDI FT232R USB UART)"),
                                                   q("/dev/ttyACM0"), q("/dev/ttyS4")}));
    EXPECT_EQ(dlg.deviceBox()->currentText(), q("/dev/ttyS4"));
    EXPECT_EQ(dlg.deviceBox()->itemData(0, Qt::ToolTipRole).toString(), q(kFtdi));
    EXPECT_EQ(dlg.box(1)->currentText(), q("9600"));
    EXPECT_EQ(dlg.box(2)->currentText(), q("7"));
    EXPECT_EQ(dlg.box(3)->currentText(), q("偶数"));
    EXPECT_EQ(dlg.box(4)->currentText(), q("2"));
    EXPECT_EQ(dlg.box(5)->currentText(), q("なし"));
    dlg.okButton()->click();
    EXPECT_EQ(dlg.result(), QDialog::Accepted);
    EXPECT_EQ(dlg.settings(), stored); // nothing changed behind the user's back
    EXPECT_TRUE(log.stored.empty());
}

TEST(SetSerial, NoDeviceFoundKeepsThePortsDeviceAndUnknownValuesFallBackToTheFirstEntry) {
    SerialSettings stored{3, 31250, 8, 0, 0, 1};
    StoreLog log;
    ScriptedPrompt prompt;
    CSetSerial dlg(stored, devices(), log.store(), prompt, nullptr, finds({}));
    dlg.probePorts();
    EXPECT_EQ(items(dlg.portBox()).size(), 15);
    EXPECT_EQ(dlg.portBox()->currentText(), q("COM3 (/dev/ttyUSB2)"));
    // No device is invented: the port's own device shows as missing, and OK keeps it.
    EXPECT_EQ(items(dlg.deviceBox()), QStringList{q("/dev/ttyUSB2（見つかりません）")});
    EXPECT_EQ(dlg.box(1)->currentText(), q("110"));
    EXPECT_EQ(items(dlg.box(5)), (QStringList{q("なし"), q("ハードウェア"), q("Xon/Xoff")}));
    EXPECT_EQ(dlg.box(5)->currentText(), q("ハードウェア"));
    dlg.okButton()->click();
    EXPECT_EQ(dlg.settings(), (SerialSettings{3, 110, 8, 0, 0, 1}));
    EXPECT_TRUE(log.stored.empty());
}

TEST(SetSerial, ChoosingADeviceStoresItAsThePortsEntryOfTheIni) {
    TempFolder folder;
    const std::string ini = folder.file("orvoview.INI");
    for (bool ok : {false, true}) {
        SCOPED_TRACE(ok);
        ScriptedPrompt prompt;
        CSetSerial dlg(SerialSettings{}, portDevicesFromIni(ini), portDeviceStoreInIni(ini), prompt,
                       nullptr, finds(present()));
        dlg.probePorts();
        dlg.portBox()->setCurrentIndex(dlg.portBox()->findText(q("COM3 (/dev/ttyUSB2)")));
        EXPECT_EQ(dlg.deviceBox()->currentText(), q("/dev/ttyUSB2（見つかりません）"));
        dlg.deviceBox()->setCurrentIndex(
            dlg.deviceBox()->findText(q("FTDI FT232R USB UART (by-id: ttyUSB0)")));
        (ok ? dlg.okButton() : dlg.cancelButton())->click();
        EXPECT_EQ(dlg.settings().portNumber, ok ? 3 : 1);
        EXPECT_EQ(profile::readString(ini, "Port", "COM3", ""), ok ? kFtdi : "");
        EXPECT_TRUE(prompt.asked().empty());
    }
    // Opened again, the port shows its stored device, and the receptions open it.
    ScriptedPrompt prompt;
    CSetSerial again(SerialSettings{3, 38400, 8, 0, 0, 1}, portDevicesFromIni(ini),
                     portDeviceStoreInIni(ini), prompt, nullptr, finds(present()));
    again.probePorts();
    EXPECT_EQ(again.portBox()->currentText(), q("COM3 (") + q(kFtdi) + q(")"));
    EXPECT_EQ(again.deviceBox()->currentIndex(), 0);
    EXPECT_EQ(serialDevicePath(3, portDevicesFromIni(ini)), kFtdi);
    EXPECT_EQ(serialDevicePath(1, portDevicesFromIni(ini)), "/dev/ttyUSB0"); // others untouched
}

TEST(SetSerial, AnotherPortShowsItsOwnDevice) {
    PortDeviceLookup lookup = [](int n) { return n == 2 ? std::string("/dev/ttyACM0") : ""; };
    StoreLog log;
    ScriptedPrompt prompt;
    CSetSerial dlg(SerialSettings{}, lookup, log.store(), prompt, nullptr, finds(present()));
    dlg.probePorts();
    EXPECT_EQ(dlg.deviceBox()->currentText(), q("/dev/ttyUSB0 (FTDI FT232R USB UART)"));
    dlg.portBox()->setCurrentIndex(1);
    EXPECT_EQ(dlg.deviceBox()->currentText(), q("/dev/ttyACM0"));
    dlg.okButton()->click();
    EXPECT_EQ(dlg.settings().portNumber, 2);
    EXPECT_TRUE(log.stored.empty()); // its device was already the one chosen
}

TEST(SetSerial, AStoreThatFailsIsReportedAndTheDialogStaysOpen) {
    StoreLog log;
    log.succeed = false;
    ScriptedPrompt prompt;
    CSetSerial dlg(SerialSettings{}, {}, log.store(), prompt, nullptr, finds(present()));
    dlg.probePorts();
    dlg.show();
    dlg.deviceBox()->setCurrentIndex(2); // /dev/ttyACM0 for COM1
    dlg.okButton()->click();
    ASSERT_EQ(log.stored.size(), 1u);
    EXPECT_EQ(log.stored.front(), (std::pair<int, std::string>{1, "/dev/ttyACM0"}));
    ASSERT_EQ(prompt.asked().size(), 1u);
    EXPECT_EQ(prompt.asked().front().text, txt::link::kPortDeviceNotStored);
    EXPECT_EQ(prompt.asked().front().icon, PromptIcon::Stop);
    EXPECT_TRUE(dlg.isVisible());
    EXPECT_EQ(dlg.settings(), SerialSettings{});
    dlg.reject();
}

// The probe may be slow: the window stays alive meanwhile and shows the information window.
TEST(SetSerial, InformationWindowTurnsWhileTheProbeRuns) {
    std::atomic<bool> release{false};
    ScriptedPrompt prompt;
    CSetSerial dlg(SerialSettings{}, {}, {}, prompt, nullptr, [&] {
        while (!release)
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
        return present();
    });
    QString title, text;
    bool playing = false;
    QTimer::singleShot(100, [&] {
        for (QWidget* w : QApplication::topLevelWidgets())
            if (auto* info = qobject_cast<CInformation*>(w); info && info->isVisible()) {
                title = info->windowTitle();
                text = info->textLabel()->text();
                playing = info->animation()->isPlaying();
                info->grab().save(QString::fromStdString(shotFolder() + "/information.png"));
                QTest::keyClick(info, Qt::Key_Escape); // does not end the probe's window
                playing = playing && info->isVisible();
            }
        release = true;
    });
    dlg.probePorts();
    EXPECT_EQ(title, q("ｲﾝﾌｫﾒｰｼｮﾝ"));
    EXPECT_EQ(text, q("利用可能なポートを探しています\nしばらくお待ちください"));
    EXPECT_TRUE(playing);
    EXPECT_EQ(items(dlg.deviceBox()).size(), 4);
    for (QWidget* w : QApplication::topLevelWidgets()) {
        if (qobject_cast<CInformation*>(w)) {
            EXPECT_FALSE(w->isVisible());
        }
    }
}

TEST(SetSerial, ExecProbesThenRunsModally) {
    ScriptedPrompt prompt;
    CSetSerial dlg(SerialSettings{}, {}, {}, prompt, nullptr, finds(present()));
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, [&] {
        if (dlg.isVisible()) {
            dlg.portBox()->setCurrentIndex(1);
            QTest::keyClick(&dlg, Qt::Key_Return); // OK is the default button
        }
    });
    poll.start(20);
    EXPECT_EQ(dlg.exec(), QDialog::Accepted);
    EXPECT_EQ(dlg.settings().portNumber, 2);
}

TEST(SetSerial, LabelsNameTheirBoxesAndTheKeyboardOrderFollowsTheForm) {
    ScriptedPrompt prompt;
    CSetSerial dlg(SerialSettings{17, 38400, 8, 0, 0, 1}, devices(), {}, prompt, nullptr,
                   finds(present()));
    dlg.probePorts();
    const char* labels[] = {"ポート番号：",       "デバイス：",       "ボーレイト：", "データ長：",
                            "パリティチェック：", "ストップビット：", "フロー制御："};
    const int ids[] = {1016, 1601, 1017, 1018, 1019, 1020, 1021};
    std::vector<QComboBox*> boxes = {dlg.box(0), dlg.deviceBox(), dlg.box(1), dlg.box(2),
                                     dlg.box(3), dlg.box(4),      dlg.box(5)};
    dlg.show();
    for (std::size_t i = 0; i < boxes.size(); ++i) {
        SCOPED_TRACE(i);
        QComboBox* box = boxes[i];
        EXPECT_EQ(box->property("controlId").toInt(), ids[i]);
        EXPECT_FALSE(box->objectName().isEmpty());
        QAccessibleInterface* a = QAccessible::queryAccessibleInterface(box);
        ASSERT_NE(a, nullptr);
        // Qt on Linux names a combo box by its value and tells its label by the relation; both
        // read the label without its colon.
        const QString name = q(labels[i]).chopped(1);
        EXPECT_EQ(box->accessibleName(), name);
        auto related = a->relations(QAccessible::Label);
        ASSERT_EQ(related.size(), 1);
        EXPECT_EQ(related.front().first->text(QAccessible::Name), name);
        QWidget* next = i + 1 < boxes.size() ? static_cast<QWidget*>(boxes[i + 1]) : dlg.okButton();
        QWidget* w = box->nextInFocusChain();
        while (w != next && !(w->focusPolicy() & Qt::TabFocus))
            w = w->nextInFocusChain();
        EXPECT_EQ(w, next);
    }
    EXPECT_TRUE(dlg.okButton()->isDefault());
    EXPECT_EQ(dlg.okButton()->property("controlId").toInt(), res::IDOK);
    EXPECT_EQ(dlg.cancelButton()->property("controlId").toInt(), res::IDCANCEL);
    dlg.grab().save(QString::fromStdString(shotFolder() + "/setserial.png"));
    dlg.deviceBox()->showPopup();
    QWidget* popup = dlg.deviceBox()->view()->window();
    EXPECT_GE(popup->width(), dlg.deviceBox()->view()->sizeHintForColumn(0)); // names not cut
    popup->grab().save(QString::fromStdString(shotFolder() + "/setserial-devices.png"));
    dlg.deviceBox()->hidePopup();
    dlg.deviceBox()->setCurrentIndex(0);
    dlg.grab().save(QString::fromStdString(shotFolder() + "/setserial-byid.png"));
    // The dialog keeps its size on a small screen; it must fit 1024x768.
    EXPECT_LE(dlg.width(), 1024);
    EXPECT_LE(dlg.height(), 768);
    dlg.resize(1024, 768);
    dlg.grab().save(QString::fromStdString(shotFolder() + "/setserial-1024.png"));
    dlg.reject();
}

} // namespace
