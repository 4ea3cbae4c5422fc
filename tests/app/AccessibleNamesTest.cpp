// One rule names every control from its label for a screen reader: menu commands, the labelled
// controls of the views and of every dialog, buttons with a mnemonic. Was: "印刷...\tCtrl+P(P)"
// in the menu, "契約電力(kW)(K):" in the 分析 view, "需要家名称：" in one dialog and
// "需要家名称" in another.
#include "ViewFixture.h"
#include "app/gui/D_InputPrtDateSpan.h"
#include "store/gui/D_DataSave.h"
#include "support/ScriptedPrompt.h"
#include "support/gui/DialogParts.h"

#include <QAbstractButton>
#include <QAccessible>
#include <QAction>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QMultiHash>
#include <QRegularExpression>

using namespace viewtest;

namespace {

// What no name may read out: a tab, a mnemonic marker, a colon at the end, "(K)" before it
// (a unit symbol after a quantity, "電流(A)", is the name's own).
bool readsOutMarks(const QString& name) {
    static const QRegularExpression mnemonic(QStringLiteral("[(（]([A-Z])[)）](\\.\\.\\.)?$"));
    const QRegularExpressionMatch m = mnemonic.match(name);
    return name.contains('\t') || name.contains('&') || name.endsWith(':') ||
           name.endsWith(QStringLiteral("：")) ||
           (m.hasMatch() && !QStringLiteral("VAW").contains(m.captured(1)));
}

void expectNamedByTheRule(QWidget* root, const QString& where) {
    // A control is named after one of the labels that label it (the year box after "年", not
    // after the "日付：" in front of the group).
    QMultiHash<QWidget*, QString> labelNames;
    for (QLabel* label : root->findChildren<QLabel*>()) {
        if (!label->buddy())
            continue;
        const QString name = dialog::accessibleNameOf(label->text());
        labelNames.insert(label->buddy(), name);
        EXPECT_EQ(label->accessibleName(), name) << where.toStdString();
        EXPECT_FALSE(readsOutMarks(name)) << where.toStdString() << " " << name.toStdString();
    }
    for (QWidget* control : labelNames.uniqueKeys())
        EXPECT_TRUE(labelNames.values(control).contains(control->accessibleName()))
            << where.toStdString() << " " << control->accessibleName().toStdString();
    for (QAbstractButton* button : root->findChildren<QAbstractButton*>()) {
        if (!button->text().contains('&'))
            continue;
        EXPECT_EQ(button->accessibleName(), dialog::accessibleNameOf(button->text()))
            << where.toStdString();
    }
}

// Every control a screen reader reaches under `root`, as it reads it: the labels that name a
// control are read with it, the other static texts are read as they are shown.
void expectNoMarksRead(QAccessibleInterface* node, const QString& where, int& controls) {
    if (!node)
        return;
    const QAccessible::Role role = node->role();
    if (role != QAccessible::StaticText && role != QAccessible::Separator &&
        !node->state().invisible) {
        const QString name = node->text(QAccessible::Name);
        ++controls;
        EXPECT_FALSE(readsOutMarks(name)) << where.toStdString() << " " << name.toStdString();
    }
    for (int i = 0; i < node->childCount(); ++i)
        expectNoMarksRead(node->child(i), where, controls);
}

void expectEveryNameByTheRule(QWidget* root, const QString& where) {
    expectNamedByTheRule(root, where);
    int controls = 0;
    expectNoMarksRead(QAccessible::queryAccessibleInterface(root), where, controls);
    EXPECT_GT(controls, 1) << where.toStdString();
}

// The commands of a menu bar or menu as a screen reader gets them.
void expectMenuNames(QAccessibleInterface* menu, const QString& path, int& commands) {
    ASSERT_NE(menu, nullptr);
    for (int i = 0; i < menu->childCount(); ++i) {
        QAccessibleInterface* item = menu->child(i);
        ASSERT_NE(item, nullptr);
        if (item->role() == QAccessible::Separator)
            continue;
        auto* action = qobject_cast<QAction*>(item->object());
        ASSERT_NE(action, nullptr);
        const QString name = item->text(QAccessible::Name);
        ++commands;
        EXPECT_EQ(item->role(), QAccessible::MenuItem);
        EXPECT_EQ(name, dialog::accessibleNameOf(action->text())) << path.toStdString();
        EXPECT_FALSE(readsOutMarks(name)) << path.toStdString() << " " << name.toStdString();
        EXPECT_FALSE(name.isEmpty()) << path.toStdString();
        // The keys stay reachable: the shortcut, or the mnemonic.
        EXPECT_FALSE(item->text(QAccessible::Accelerator).isEmpty()) << name.toStdString();
        if (action->menu())
            expectMenuNames(item->child(0), path + QStringLiteral(" > ") + name, commands);
    }
}

class AccessibleNames : public DayShownTest {};

} // namespace

TEST_F(AccessibleNames, MenuCommandsReadTheirLabelOnly) {
    int commands = 0;
    expectMenuNames(QAccessible::queryAccessibleInterface(m_frame->menuBar()), QString(), commands);
    EXPECT_GE(commands, 25);
    // The example of the rule, end to end.
    QAction* print = nullptr;
    for (QAction* a : m_frame->findChildren<QAction*>())
        if (a->text() == QStringLiteral("印刷...\tCtrl+P(&P)"))
            print = a;
    ASSERT_NE(print, nullptr);
    EXPECT_EQ(QAccessible::queryAccessibleInterface(print)->text(QAccessible::Name),
              QStringLiteral("印刷..."));
}

TEST_F(AccessibleNames, EveryViewNamesItsControlsByTheRule) {
    m_frame->show();
    for (int command : {res::ID_VIEW_SHEET, res::ID_VIEW_GRAPH, res::ID_VIEW_ANALYSIS}) {
        m_frame->action(command)->trigger();
        QApplication::processEvents();
        expectEveryNameByTheRule(m_frame.get(), QStringLiteral("view %1").arg(command));
    }
    m_frame->action(res::ID_VIEW_SHEET)->trigger();
}

TEST_F(AccessibleNames, EveryDialogNamesItsControlsByTheRule) {
    for (int command : kDialogCommands)
        EXPECT_TRUE(lookAtDialogOf(command, [&](QDialog* dialog) {
            expectEveryNameByTheRule(dialog, dialog->windowTitle());
        })) << command;
    // The two that no command opens by itself.
    ScriptedPrompt prompt;
    CDataSave save(m_doc.store(), 0, "/tmp", "x.VLK", prompt);
    save.show();
    expectEveryNameByTheRule(&save, QStringLiteral("CDataSave"));
    CInputPrtDateSpan period(prompt);
    period.show();
    expectEveryNameByTheRule(&period, QStringLiteral("CInputPrtDateSpan"));
}
