#!/usr/bin/python3
"""Reads the running program through the desktop accessibility interface, as a screen reader
does, and opens dialogs the way its user would: every control that shows has a name to read out
(an input field through the label it is labelled by), no name of a control, a label or a menu
command carries a mnemonic ("(K)", "&"), a colon or a shortcut (a tab), in the main window,
every view, every dialog and every menu; and every dialog fits a 1024x768 screen, takes the
keyboard on every enabled control and has one default button. Exit 0 when all holds, 1 with the
faults listed, 3 when the program never showed up, 77 when the interface is not there."""
import re
import sys
import time

try:
    import pyatspi
    from gi.repository import GLib
except ImportError:
    print("pyatspi is not installed")
    sys.exit(77)

APP_NAME = "OrvoView"
# Fields whose name is their value (Qt reads a combo box's text as its name on this desktop):
# the label they are labelled by is what a screen reader says.
LABELLED_ROLES = {"combo box"}
NAMED_ROLES = {"push button", "toggle button", "check box", "radio button", "spin button",
               "text", "password text",
               "menu item", "page tab", "list", "table", "tree", "tree table", "slider"}

# A unit after a quantity is the name's own text ("電流(A)"), not a mnemonic.
UNIT_SYMBOLS = set("VAW")

faults = []
SCREEN = (1024, 768)
NOT_STARTED = 3  # the program never showed up on the bus


def wait_for(find, what, seconds=20, status=1):
    end = time.time() + seconds
    while time.time() < end:
        found = find()
        if found is not None:
            return found
        time.sleep(0.3)
    faults.append(f"timed out waiting for {what}")
    report_and_exit(status)


def report_and_exit(status=1):
    for fault in faults:
        print("FAULT:", fault)
    print(f"{len(faults)} fault(s)")
    sys.exit(status if faults else 0)


def application():
    for app in pyatspi.Registry.getDesktop(0):
        if app is not None and app.name == APP_NAME:
            return app
    return None


def showing(node):
    try:
        return node.getState().contains(pyatspi.STATE_SHOWING)
    except Exception:
        return False


def labels_of(node):
    names = []
    for relation in node.getRelationSet():
        if relation.getRelationType() == pyatspi.RELATION_LABELLED_BY:
            names += [relation.getTarget(i).name for i in range(relation.getNTargets())]
    return [n for n in names if n]


def nodes(root):
    """Every node below root that shows, depth first."""
    for i in range(root.childCount):
        child = root.getChildAtIndex(i)
        if child is None or not showing(child):
            continue
        yield child
        if child.getRoleName() not in ("combo box", "table", "list"):
            yield from nodes(child)


def mnemonic_letter(node):
    """The letter of the node's mnemonic when its key binding is one ("Alt+K")."""
    try:
        actions = node.queryAction()
    except NotImplementedError:
        return None
    for i in range(actions.nActions):
        found = re.fullmatch(r"(?:Alt\+|<Alt>)(\w)", actions.getKeyBinding(i) or "")
        if found:
            return found.group(1).upper()
    return None


def name_fault(name, letter=None):
    """What is wrong with a name a screen reader reads out, or None."""
    if "\t" in name:
        return "reads out a shortcut"
    if "&" in name.replace("&&", ""):
        return "reads out a mnemonic marker"
    if name.rstrip().endswith((":", "：")):
        return "reads out a colon"
    if letter and re.search(r"[(（]" + re.escape(letter) + r"[)）]", name, re.IGNORECASE):
        return f"reads out its mnemonic ({letter})"
    trailing = re.search(r"[(（]([A-Z0-9])[)）](\.\.\.)?$", name.rstrip())
    if trailing and trailing.group(1) not in UNIT_SYMBOLS:
        return f"reads out a mnemonic ({trailing.group(1)})"
    return None


def check_name(where, role, name, letter=None):
    fault = name_fault(name, letter)
    if fault:
        faults.append(f"{where}: {role} {name!r} {fault}")


def check_window(window, where):
    count = 0
    for node in nodes(window):
        role = node.getRoleName()
        name = node.name or ""
        letter = mnemonic_letter(node)
        if role in LABELLED_ROLES:
            count += 1
            labels = labels_of(node)
            if not labels:
                faults.append(f"{where}: {role} {name!r} has no label")
            for label in labels:
                check_name(where, f"label of a {role}", label, letter)
        elif role in NAMED_ROLES:
            count += 1
            if not name.strip() and not labels_of(node):
                faults.append(f"{where}: {role} without a name")
            check_name(where, role, name, letter)
            for label in labels_of(node):
                check_name(where, f"label of a {role}", label, letter)
        elif "\t" in name or "&" in name:
            faults.append(f"{where}: {role} {name!r} reads out a shortcut or mnemonic")
    if count == 0:
        faults.append(f"{where}: no control found")
    return count


def check_menus(frame):
    """Every command of the menu bar and of its menus, open or not, as a screen reader reads it
    when the menu opens."""
    count = 0

    def walk(node, path):
        nonlocal count
        for i in range(node.childCount):
            child = node.getChildAtIndex(i)
            if child is None:
                continue
            role = child.getRoleName()
            name = child.name or ""
            if role == "menu item":
                count += 1
                if not name.strip():
                    faults.append(f"menu {path}: a command without a name")
                check_name(f"menu {path}", role, name, mnemonic_letter(child))
                walk(child, f"{path} > {name}" if path else name)
            elif role in ("popup menu", "menu"):
                walk(child, path)
    for i in range(frame.childCount):
        bar = frame.getChildAtIndex(i)
        if bar is not None and bar.getRoleName() == "menu bar":
            walk(bar, "")
    if count == 0:
        faults.append("no menu command found")
    return count


def find_child(root, role, name, exact=False):
    for node in nodes(root):
        text = node.name or ""
        if node.getRoleName() == role and (text == name if exact else text.startswith(name)):
            return node
    return None


def press(node):
    """Presses a button. A button that opens a modal dialog answers only once the dialog has
    closed, so the answer is not waited for."""
    actions = node.queryAction()
    index = next((i for i in range(actions.nActions)
                  if actions.getName(i).lower() in ("press", "click")), 0)
    try:
        actions.doAction(index)
    except GLib.GError:
        pass


def dialogs(app):
    return [w for w in app if w is not None and w.getRoleName() == "dialog" and showing(w)]


def menu_item(frame, menu, item):
    """A command of the menu bar, found whether its menu is open or not."""
    def below(node, depth):
        for i in range(node.childCount):
            child = node.getChildAtIndex(i)
            if child is not None:
                yield child
                if depth > 0:
                    yield from below(child, depth - 1)
    for bar in below(frame, 0):
        if bar.getRoleName() == "menu bar":
            for entry in below(bar, 0):
                if entry.name.startswith(menu):
                    for command in below(entry, 1):
                        if command.getRoleName() == "menu item" and command.name.startswith(item):
                            return command
    return None


def shown_view(frame, name):
    """The view of that name when it shows: a page is a drawing, read out by its view's name."""
    return next((n for n in nodes(frame)
                 if n.name == name and n.getRoleName() != "push button"), None)


def check_dialog(app, dialog, name, close_names, others=0):
    """Checks a dialog, then closes it with the first button of close_names it has."""
    check_window(dialog, name)
    _, _, width, height = dialog.queryComponent().getExtents(pyatspi.DESKTOP_COORDS)
    if width > SCREEN[0] or height > SCREEN[1]:
        faults.append(f"{name}: {width}x{height} does not fit a {SCREEN[0]}x{SCREEN[1]} screen")
    for node in nodes(dialog):
        role = node.getRoleName()
        if (role in LABELLED_ROLES or role in NAMED_ROLES) and role != "menu item" and \
                node.getState().contains(pyatspi.STATE_ENABLED) and \
                not node.getState().contains(pyatspi.STATE_FOCUSABLE):
            faults.append(f"{name}: {role} {node.name!r} cannot be reached by keyboard")
    defaults = [n for n in nodes(dialog) if n.getRoleName() == "push button"
                and n.getState().contains(pyatspi.STATE_IS_DEFAULT)]
    if len(defaults) != 1:
        faults.append(f"{name}: {len(defaults)} default buttons")
    close = next(filter(None, (find_child(dialog, "push button", c) for c in close_names)), None)
    if close is None:
        faults.append(f"{name}: no button of {close_names}")
        report_and_exit()
    press(close)
    wait_for(lambda: None if len(dialogs(app)) > others else True, f"{name!r} to close")


def open_from(app, parent, button, others):
    opener = wait_for(lambda: find_child(parent, "push button", button), button)
    press(opener)
    return wait_for(lambda: next((d for d in dialogs(app) if d not in others), None),
                    f"the dialog of {button!r}")


def check_menu_command(app, frame, menu, item, close_names):
    """Picks a menu command, as a keyboard user does, and checks the dialog it opens."""
    command = wait_for(lambda: menu_item(frame, menu, item), f"{menu} > {item}")
    press(command)
    dialog = wait_for(lambda: next(iter(dialogs(app)), None), f"the dialog of {item!r}")
    check_dialog(app, dialog, item, close_names)
    print(f"{item}: checked")


def main():
    app = wait_for(application, "the program on the accessibility bus", 30, NOT_STARTED)
    frame = wait_for(lambda: next((w for w in app if w is not None
                                   and w.getRoleName() == "frame" and showing(w)), None),
                     "the main window")
    print("main window:", check_window(frame, "main window"), "controls")
    print("menus:", check_menus(frame), "commands")

    # The dialogs the tool bar opens, and the customer editor the transfer dialog opens.
    for button, close_names, nested in (("表示データの選択", ["キャンセル"], None),
                                        ("機器からデータ転送", ["キャンセル"], "需要家情報編集"),
                                        ("バージョン情報", ["OK"], None)):
        dialog = open_from(app, frame, button, [])
        if nested:
            inner = open_from(app, dialog, nested, [dialog])
            check_dialog(app, inner, nested, ["キャンセル", "閉じる", "OK"], others=1)
        check_dialog(app, dialog, button, close_names)
        print(f"{button}: checked")

    for menu, item in (("編集", "通信設定"), ("編集", "月報集計開始日の変更"),
                       ("編集", "需要家情報の編集"), ("ファイル", "需要家データの切出し")):
        check_menu_command(app, frame, menu, item, ["キャンセル", "閉じる"])

    # With a day shown: the commands that need one.
    dialog = open_from(app, frame, "表示データの選択", [])
    press(find_child(dialog, "push button", "OK"))
    wait_for(lambda: None if dialogs(app) else True, "the selection to close")
    print("main window with a day:", check_window(frame, "main window with a day"), "controls")
    # The page of the shown report is a drawing, read out by the name of its view.
    for view in ("表", "グラフ", "分析"):
        press(find_child(frame, "push button", view, exact=True))
        wait_for(lambda: shown_view(frame, view), f"the view {view!r}", 10)
        print(f"view {view}:", check_window(frame, f"main window, view {view}"), "controls")
    press(find_child(frame, "push button", "表", exact=True))
    wait_for(lambda: shown_view(frame, "表"), "the table view again", 10)
    for item in ("表示データをテキスト出力", "印刷"):
        check_menu_command(app, frame, "ファイル", item, ["キャンセル", "閉じる", "いいえ"])
    report_and_exit()


main()
