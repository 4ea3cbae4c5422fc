// The command table: what the menus, the tool bar and assistive technology get from it.
#include "app/Commands.h"

#include <gtest/gtest.h>

#include <map>
#include <set>
#include <string>

TEST(Commands, PlainTextDropsAccessKeyShortcutEllipsisAndColon) {
    const std::pair<const char*, const char*> cases[] = {
        {"印刷...\tCtrl+P(&P)", "印刷"},
        {"前の測定データ(&P)\tCtrl+PgUp", "前の測定データ"},
        {"印刷プレビュー(&V)...", "印刷プレビュー"},
        {"表示データをテキスト出力(CSV形式)(&C)", "表示データをテキスト出力(CSV形式)"},
        {"需要家名称：", "需要家名称"},
        {"契約電力(kW)(&K):", "契約電力(kW)"},
        {"電流(A)：", "電流(A)"}, // a unit in brackets is not an access key
        {"&Save", "Save"},
        {"R&&D", "R&D"},
        {"ツール バー(&T)", "ツール バー"},
        {"", ""},
    };
    for (const auto& [text, plain] : cases)
        EXPECT_EQ(plainCommandText(text), plain) << text;
}

TEST(Commands, AccessKeyIsTheLetterAfterALoneAmpersand) {
    EXPECT_EQ(accessKey("印刷...\tCtrl+P(&P)"), 'P');
    EXPECT_EQ(accessKey("ステータス バー(&u)"), 'U');
    EXPECT_EQ(accessKey("R&&D"), '\0');
    EXPECT_EQ(accessKey("電流(A)："), '\0');
}

TEST(Commands, EveryMenuHasUniqueAccessKeysAndEveryCommandOne) {
    std::map<CommandMenu, std::set<char>> keys;
    std::set<int> ids;
    for (const CommandSpec& c : commandTable()) {
        if (c.id == 0)
            continue;
        EXPECT_TRUE(ids.insert(c.id).second) << "id twice: " << c.id;
        const char key = accessKey(c.text);
        EXPECT_NE(key, '\0') << c.text;
        EXPECT_TRUE(keys[c.menu].insert(key).second) << "access key twice: " << c.text;
    }
    std::set<char> titles;
    for (CommandMenu m :
         {CommandMenu::File, CommandMenu::Edit, CommandMenu::View, CommandMenu::Help})
        EXPECT_TRUE(titles.insert(accessKey(menuTitle(m))).second) << menuTitle(m);
}

TEST(Commands, ToolBarShowsCommandsOfTheTableWithAnIcon) {
    int buttons = 0;
    for (int id : toolBarCommands()) {
        if (id == 0)
            continue;
        const CommandSpec* c = findCommand(id);
        ASSERT_NE(c, nullptr) << id;
        EXPECT_NE(c->icon, nullptr) << c->text;
        ++buttons;
    }
    EXPECT_EQ(buttons, 9);
    EXPECT_EQ(findCommand(0), nullptr);
}
