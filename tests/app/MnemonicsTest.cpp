// Every menu, every view with the menu bar above it and every dialog the program's commands open
// give each access key (Alt+letter) to one control only: a key used twice moves the focus to
// the first and never reaches the second.
#include "ViewFixture.h"
#include "common/DialogTestSupport.h"
#include "res/ResourceIds.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QDialog>
#include <QGroupBox>
#include <QKeySequence>
#include <QLabel>
#include <QMap>
#include <QMenu>
#include <QMenuBar>
#include <QTimer>

using namespace viewtest;

namespace {

// Access keys already taken, with the text that took each.
class KeyOwners {
public:
    void add(const QString& text) {
        const QKeySequence key = QKeySequence::mnemonic(text);
        if (key.isEmpty())
            return;
        const QString name = key.toString();
        if (m_owners.contains(name))
            m_clashes << name + ": " + m_owners[name] + " / " + text;
        else
            m_owners.insert(name, text);
    }
    QStringList clashes() const { return m_clashes; }

private:
    QMap<QString, QString> m_owners;
    QStringList m_clashes;
};

// The texts with an access key that the user sees in a window: labels that name a control,
// buttons and check boxes, group boxes.
void addShownKeys(QWidget* root, KeyOwners& keys) {
    for (auto* label : root->findChildren<QLabel*>())
        if (label->buddy() && label->isVisibleTo(root))
            keys.add(label->text());
    for (auto* button : root->findChildren<QAbstractButton*>())
        if (button->isVisibleTo(root))
            keys.add(button->text());
    for (auto* box : root->findChildren<QGroupBox*>())
        if (box->isVisibleTo(root))
            keys.add(box->title());
}

class MnemonicsTest : public DayShownTest {
protected:
    KeyOwners menuBarKeys() {
        KeyOwners keys;
        for (QAction* menu : m_frame->menuBar()->actions())
            keys.add(menu->text());
        return keys;
    }
};

TEST_F(MnemonicsTest, EachMenuGivesEachKeyOnce) {
    EXPECT_EQ(menuBarKeys().clashes(), QStringList()) << "menu bar";
    for (QAction* entry : m_frame->menuBar()->actions()) {
        ASSERT_NE(entry->menu(), nullptr);
        KeyOwners keys;
        for (QAction* action : entry->menu()->actions())
            if (!action->isSeparator())
                keys.add(action->text().section(QLatin1Char('\t'), 0, 0));
        EXPECT_EQ(keys.clashes(), QStringList()) << entry->text().toStdString();
    }
}

// A view's controls share the window with the menu bar: Alt+F must open ファイル, not focus a
// field of the 分析 view.
TEST_F(MnemonicsTest, EachViewLeavesTheMenuBarsKeysToTheMenus) {
    for (int command : {res::ID_VIEW_SHEET, res::ID_VIEW_GRAPH, res::ID_VIEW_ANALYSIS}) {
        m_frame->action(command)->trigger();
        QApplication::processEvents();
        KeyOwners keys = menuBarKeys();
        addShownKeys(m_frame.get(), keys);
        EXPECT_EQ(keys.clashes(), QStringList()) << command;
    }
    m_frame->action(res::ID_VIEW_SHEET)->trigger();
}

TEST_F(MnemonicsTest, EachDialogOfTheCommandsGivesEachKeyOnce) {
    for (int command : kDialogCommands) {
        QStringList clashes;
        QString title;
        EXPECT_TRUE(lookAtDialogOf(command, [&](QDialog* dialog) {
            title = dialog->windowTitle();
            KeyOwners keys;
            addShownKeys(dialog, keys);
            clashes = keys.clashes();
        })) << command;
        EXPECT_EQ(clashes, QStringList()) << title.toStdString();
    }
}

} // namespace
