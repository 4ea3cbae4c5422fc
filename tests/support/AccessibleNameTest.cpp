#include "support/AccessibleName.h"

#include <gtest/gtest.h>

// One rule for every label, check box, button and menu command: what a screen reader says is
// the label without its mnemonic, colon and shortcut.
TEST(AccessibleName, LabelWithoutMnemonicColonAndShortcut) {
    struct Case {
        const char* label; // as the source writes it
        const char* name;
    } cases[] = {
        {"需要家名称：", "需要家名称"},
        {"需要家名称(&N)：", "需要家名称"},
        {"需要家名称：(&N)", "需要家名称"},
        {"契約電力(kW)(&K):", "契約電力(kW)"},
        {"電圧範囲(&B):", "電圧範囲"},
        {"下限(V)(&L):", "下限(V)"}, // a unit stays, the mnemonic goes
        {"電流(A)：", "電流(A)"},
        {"印刷...\tCtrl+P(&P)", "印刷..."},
        {"前の測定データ(&P)\tCtrl+PgUp", "前の測定データ"},
        {"バージョン情報(&A)...", "バージョン情報..."},
        {"表示データをテキスト出力(CSV形式)(&C)", "表示データをテキスト出力(CSV形式)"},
        {"ツール バー(&T)", "ツール バー"},
        {"全角の括弧（&Z）：", "全角の括弧"},
        {"&File", "File"},
        {"Save &As...", "Save As..."},
        {"A && B", "A & B"},
        {"R&&D(&R):", "R&D"},
        {"  出力先： ", "出力先"},
        {"　全角空白：　", "全角空白"},
        {"時刻", "時刻"},
        {"(&X)", ""},
        {"", ""},
        {"比率 1:2", "比率 1:2"}, // a colon inside the text is its own
    };
    for (const Case& c : cases)
        EXPECT_EQ(accessibleName(c.label), c.name) << c.label;
}
