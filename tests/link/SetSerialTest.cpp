// The communication settings driven through their controls, with scripted probe answers.
#include "link/gui/AnimateCtrl.h"
#include "link/gui/D_Information.h"
#include "link/gui/D_SetSerial.h"
#include "res/ResourceIds.h"
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

TEST(SetSerial, StoredPortFoundByTheProbeStaysSelected) {
    SerialSettings stored{17, 9600, 7, 2, 2, 0};
    CSetSerial dlg(stored, devices(), nullptr, [] { return std::vector<int>{3, 17}; });
    dlg.probePorts();
    EXPECT_EQ(dlg.windowTitle(), q("通信設定"));
    EXPECT_EQ(items(dlg.portBox()),
              (QStringList{q("COM3 (/dev/ttyUSB2)"), q("COM17 (/dev/ttyS4)")}));
    EXPECT_EQ(dlg.portBox()->currentIndex(), 1);
    EXPECT_EQ(dlg.box(1)->currentText(), q("9600"));
    EXPECT_EQ(dlg.box(2)->currentText(), q("7"));
    EXPECT_EQ(dlg.box(3)->currentText(), q("偶数"));
    EXPECT_EQ(dlg.box(4)->currentText(), q("2"));
    EXPECT_EQ(dlg.box(5)->currentText(), q("なし"));
    dlg.okButton()->click();
    EXPECT_EQ(dlg.result(), QDialog::Accepted);
    EXPECT_EQ(dlg.settings(), stored); // nothing changed behind the user's back
}

TEST(SetSerial, NoPortFoundOffersTheFixedListAndUnknownValuesFallBackToTheFirstEntry) {
    SerialSettings stored{17, 31250, 8, 0, 0, 1};
    CSetSerial dlg(stored, devices(), nullptr, [] { return std::vector<int>{}; });
    dlg.probePorts();
    QStringList ports = items(dlg.portBox());
    ASSERT_EQ(ports.size(), 15);
    EXPECT_EQ(ports.front(), q("COM1 (/dev/ttyUSB0)"));
    EXPECT_EQ(ports.back(), q("COM15 (/dev/ttyUSB14)"));
    EXPECT_EQ(dlg.portBox()->currentIndex(), 0);
    EXPECT_EQ(dlg.box(1)->currentText(), q("110"));
    EXPECT_EQ(items(dlg.box(5)), (QStringList{q("なし"), q("ハードウェア"), q("Xon/Xoff")}));
    EXPECT_EQ(dlg.box(5)->currentText(), q("ハードウェア"));
    dlg.okButton()->click();
    EXPECT_EQ(dlg.settings(), (SerialSettings{1, 110, 8, 0, 0, 1}));
}

TEST(SetSerial, ChoicesAreStoredOnOkAndForgottenOnCancel) {
    const SerialSettings stored; // 1, 38400, 8, 0, 0, 1
    for (bool ok : {true, false}) {
        SCOPED_TRACE(ok);
        CSetSerial dlg(stored, {}, nullptr, [] { return std::vector<int>{}; });
        dlg.probePorts();
        dlg.portBox()->setCurrentIndex(11); // COM12
        dlg.box(1)->setCurrentIndex(dlg.box(1)->findText(q("115200")));
        dlg.box(2)->setCurrentIndex(dlg.box(2)->findText(q("7")));
        dlg.box(3)->setCurrentIndex(dlg.box(3)->findText(q("マーク")));
        dlg.box(4)->setCurrentIndex(dlg.box(4)->findText(q("1.5")));
        dlg.box(5)->setCurrentIndex(dlg.box(5)->findText(q("Xon/Xoff")));
        (ok ? dlg.okButton() : dlg.cancelButton())->click();
        EXPECT_EQ(dlg.settings(), ok ? (SerialSettings{12, 115200, 7, 1, 3, 2}) : stored);
    }
}

// The probe may be slow: the window stays alive meanwhile and shows the information window.
TEST(SetSerial, InformationWindowTurnsWhileTheProbeRuns) {
    std::atomic<bool> release{false};
    CSetSerial dlg(SerialSettings{}, {}, nullptr, [&] {
        while (!release)
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
        return std::vector<int>{4};
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
    EXPECT_EQ(items(dlg.portBox()), QStringList{q("COM4 (/dev/ttyUSB3)")});
    for (QWidget* w : QApplication::topLevelWidgets()) {
        if (qobject_cast<CInformation*>(w)) {
            EXPECT_FALSE(w->isVisible());
        }
    }
}

TEST(SetSerial, ExecProbesThenRunsModally) {
    CSetSerial dlg(SerialSettings{}, {}, nullptr, [] { return std::vector<int>{2, 5}; });
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, [&] {
        if (dlg.isVisible()) {
            dlg.portBox()->setCurrentIndex(1);
            QTest::keyClick(&dlg, Qt::Key_Return); // OK is the default button
        }
    });
    poll.start(20);
    EXPECT_EQ(dlg.exec(), QDialog::Accepted);
    EXPECT_EQ(dlg.settings().portNumber, 5);
}

TEST(SetSerial, LabelsNameTheirBoxesAndTheKeyboardOrderFollowsTheForm) {
    CSetSerial dlg(SerialSettings{}, devices(), nullptr, [] { return std::vector<int>{3, 17}; });
    dlg.probePorts();
    const char* labels[] = {"ポート番号：",       "ボーレイト：",     "データ長：",
                            "パリティチェック：", "ストップビット：", "フロー制御："};
    const int ids[] = {1016, 1017, 1018, 1019, 1020, 1021};
    dlg.show();
    for (int i = 0; i < 6; ++i) {
        SCOPED_TRACE(i);
        QComboBox* box = dlg.box(i);
        EXPECT_EQ(box->property("controlId").toInt(), ids[i]);
        EXPECT_FALSE(box->objectName().isEmpty());
        QAccessibleInterface* a = QAccessible::queryAccessibleInterface(box);
        ASSERT_NE(a, nullptr);
        // Qt on Linux names a combo box by its value and tells its label by the relation.
        EXPECT_EQ(box->accessibleName(), q(labels[i]));
        auto related = a->relations(QAccessible::Label);
        ASSERT_EQ(related.size(), 1);
        EXPECT_EQ(related.front().first->text(QAccessible::Name), q(labels[i]));
        QWidget* next = i < 5 ? static_cast<QWidget*>(dlg.box(i + 1)) : dlg.okButton();
        QWidget* w = box->nextInFocusChain();
        while (w != next && !(w->focusPolicy() & Qt::TabFocus))
            w = w->nextInFocusChain();
        EXPECT_EQ(w, next);
    }
    EXPECT_TRUE(dlg.okButton()->isDefault());
    EXPECT_EQ(dlg.okButton()->property("controlId").toInt(), res::IDOK);
    EXPECT_EQ(dlg.cancelButton()->property("controlId").toInt(), res::IDCANCEL);
    dlg.grab().save(QString::fromStdString(shotFolder() + "/setserial.png"));
    dlg.reject();
}

} // namespace
