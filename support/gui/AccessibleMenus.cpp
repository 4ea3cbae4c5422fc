#include "support/gui/AccessibleMenus.h"
#include "support/gui/DialogParts.h"

#include <QAccessible>
#include <QAccessibleActionInterface>
#include <QAction>
#include <QKeySequence>
#include <QMenu>
#include <QMenuBar>
#include <QPointer>
#include <QStyle>
#include <QWindow>

namespace {

// A command (QAction) in a menu or the menu bar.
class MenuCommand : public QAccessibleInterface, public QAccessibleActionInterface {
public:
    explicit MenuCommand(QAction* action) : m_action(action) {}

    bool isValid() const override { return m_action && owner(); }
    QObject* object() const override { return m_action; }
    QWindow* window() const override {
        QWidget* widget = owner();
        return widget ? widget->window()->windowHandle() : nullptr;
    }

    QAccessibleInterface* parent() const override {
        return QAccessible::queryAccessibleInterface(owner());
    }
    // A command that opens a menu has that menu as its one child.
    int childCount() const override { return m_action->menu() ? 1 : 0; }
    QAccessibleInterface* child(int index) const override {
        return index == 0 && m_action->menu()
                   ? QAccessible::queryAccessibleInterface(m_action->menu())
                   : nullptr;
    }
    int indexOfChild(const QAccessibleInterface* child) const override {
        return child && m_action->menu() && child->object() == m_action->menu() ? 0 : -1;
    }
    QAccessibleInterface* childAt(int x, int y) const override {
        QAccessibleInterface* menu = child(0);
        return menu && menu->rect().contains(x, y) ? menu : nullptr;
    }

    QString text(QAccessible::Text t) const override {
        if (t == QAccessible::Name)
            return dialog::accessibleNameOf(m_action->text());
        if (t == QAccessible::Accelerator)
            return accelerator();
        return {};
    }
    void setText(QAccessible::Text, const QString&) override {}

    QRect rect() const override {
        QWidget* widget = owner();
        QRect area;
        if (auto* bar = qobject_cast<QMenuBar*>(widget))
            area = bar->actionGeometry(m_action);
        else if (auto* menu = qobject_cast<QMenu*>(widget))
            area = menu->actionGeometry(m_action);
        return widget ? area.translated(widget->mapToGlobal(QPoint(0, 0))) : area;
    }
    QAccessible::Role role() const override {
        return m_action->isSeparator() ? QAccessible::Separator : QAccessible::MenuItem;
    }
    QAccessible::State state() const override {
        QAccessible::State s;
        QWidget* widget = owner();
        s.invisible = !widget || !widget->isVisible() || !m_action->isVisible();
        QAction* active = nullptr;
        if (auto* bar = qobject_cast<QMenuBar*>(widget))
            active = bar->activeAction();
        else if (auto* menu = qobject_cast<QMenu*>(widget))
            active = menu->activeAction();
        s.focused = active == m_action;
        s.hotTracked =
            widget && widget->style()->styleHint(QStyle::SH_Menu_MouseTracking, nullptr, widget);
        s.disabled = m_action->isSeparator() || !m_action->isEnabled();
        s.checkable = m_action->isCheckable();
        s.checked = m_action->isChecked();
        return s;
    }

    void* interface_cast(QAccessible::InterfaceType type) override {
        return type == QAccessible::ActionInterface ? static_cast<QAccessibleActionInterface*>(this)
                                                    : nullptr;
    }
    QStringList actionNames() const override {
        if (m_action->isSeparator())
            return {};
        return {m_action->menu() ? showMenuAction() : pressAction()};
    }
    void doAction(const QString& name) override {
        if (!m_action->isEnabled())
            return;
        if (name == pressAction()) {
            m_action->trigger();
            return;
        }
        if (name != showMenuAction())
            return;
        if (m_action->menu() && m_action->menu()->isVisible()) {
            m_action->menu()->hide();
        } else if (auto* bar = qobject_cast<QMenuBar*>(owner())) {
            bar->setActiveAction(m_action);
        } else if (auto* menu = qobject_cast<QMenu*>(owner())) {
            menu->setActiveAction(m_action);
        }
    }
    QStringList keyBindingsForAction(const QString&) const override {
        const QString key = accelerator();
        return key.isEmpty() ? QStringList() : QStringList{key};
    }

private:
    // The menu or menu bar that shows the command.
    QWidget* owner() const {
        if (!m_action)
            return nullptr;
        for (QObject* object : m_action->associatedObjects()) {
            auto* widget = qobject_cast<QWidget*>(object);
            if ((qobject_cast<QMenu*>(object) || qobject_cast<QMenuBar*>(object)) &&
                widget->actions().contains(m_action))
                return widget;
        }
        return nullptr;
    }
    // The shortcut, else the mnemonic ("Alt+P").
    QString accelerator() const {
        if (!m_action->shortcut().isEmpty())
            return m_action->shortcut().toString(QKeySequence::NativeText);
        return QKeySequence::mnemonic(m_action->text()).toString(QKeySequence::NativeText);
    }

    QPointer<QAction> m_action;
};

QAccessibleInterface* menuCommandFactory(const QString& className, QObject* object) {
    if (className != QLatin1String("QAction"))
        return nullptr;
    auto* action = qobject_cast<QAction*>(object);
    // Only a command some menu shows; a tool bar reads its buttons, not their actions.
    for (QObject* shown : action ? action->associatedObjects() : QObjectList())
        if (qobject_cast<QMenu*>(shown) || qobject_cast<QMenuBar*>(shown))
            return new MenuCommand(action);
    return nullptr;
}

} // namespace

void installAccessibleMenuNames() {
    static bool installed = false;
    if (installed)
        return;
    installed = true;
    QAccessible::installFactory(menuCommandFactory);
}
