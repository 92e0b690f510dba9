"""The tool as a screen reader meets it, over the accessibility bus: every control's role, name
and description in both windows, the labels it must not announce, and where Tab takes the focus.

Run on a display with a window manager and a session bus of its own (tests/qt/CMakeLists.txt):
    python3 ScreenReader_test.py TOOL      (TOOL: the tool on the in-memory Excel)
"""
import os
import subprocess
import sys
import tempfile
import time

import pyatspi

FIND_TIP = "操作するExcelファイルを検索します。"
OPEN_TIP = "指定されたExcelﾌｧｲﾙを開きます。"
PATH_TIP = "操作対象のExcelファイルを指定してください。ﾄﾞﾗｯｸﾞ＆ﾄﾞﾛｯﾌﾟしてもOKです。"
SHEET_TIP = "シート名を一覧から選択するか、入力してください。"
SHOW_TIP = "選択されたシートを表示します。"
LIST_TIP = "Excelファイルをﾄﾞﾗｯｸﾞ＆ﾄﾞﾛｯﾌﾟすると、そのファイルを開きます。"

# (role, name, description, announced), in the order of the window's tree.
MAIN_WINDOW = [
    ("panel", "操作するExcelFile", "", True),
    ("text", "操作するExcelFile", PATH_TIP, True),
    ("push button", "ファイルを選択", FIND_TIP, True),
    ("push button", "ファイルを開く", OPEN_TIP, True),
    ("panel", "ｼｰﾄ名", "", True),
    ("label", "Now Loading", "", False),
    ("text", "ｼｰﾄ名", SHEET_TIP, True),
    ("push button", "シートを表示", SHOW_TIP, True),
    ("push button", "シート増加画面を開く", SHOW_TIP, True),
    ("list", "シート一覧", LIST_TIP, True),
]
# Where Tab takes the focus, from the first until it is back there.
MAIN_TABS = ["操作するExcelFile", "ファイルを選択", "ファイルを開く", "ｼｰﾄ名", "シートを表示",
             "シート増加画面を開く", "シート一覧"]

DUPLICATION_WINDOW = [
    ("panel", "指定の名前でコピー", "", True),
    ("label", "", "", False),
    ("label", "指定の名前でコピー", "ﾄﾞﾗｯｸﾞ＆ﾄﾞﾛｯﾌﾟででも設定できます。", True),
    ("text", "コピー元のシート名", SHEET_TIP, True),
    ("push button", "シートをコピー", SHOW_TIP, True),
    ("label", "Now Loading", "", False),
    ("text", "新しいシート名", "", True),
]
DUPLICATION_TABS = ["新しいシート名", "シートをコピー", "コピー元のシート名"]

results = []  # (what, passed)


def check(what, seen, expected):
    results.append((what, seen == expected))
    print(f"ok: {what}" if seen == expected else f"FAILED: {what}\n  seen:     {seen}\n  expected: {expected}")


def wait_for(find, what, seconds=10):
    end = time.monotonic() + seconds
    while time.monotonic() < end:
        if found := find():
            return found
        time.sleep(0.05)
    raise RuntimeError(f"gave up waiting for {what}")


def descendants(accessible):
    """The controls in a window: into frames, not into the parts of a control."""
    for child in filter(None, accessible):
        yield child
        if child.getRoleName() == "panel":
            yield from descendants(child)


def has(accessible, state):
    return accessible.getState().contains(state)


def controls(window):
    return [(c.getRoleName(), c.name, c.description, has(c, pyatspi.STATE_SHOWING)) for c in descendants(window)]


def named(window, role, name):
    return next(c for c in descendants(window) if c.getRoleName() == role and c.name == name)


def focused_name(window):
    return next((c.name for c in descendants(window) if has(c, pyatspi.STATE_FOCUSED)), None)


def tab_order(window, first):
    """The names the focus passes through, from first until Tab brings it back there."""
    wait_for(lambda: focused_name(window) == first, f"the focus on {first}")
    names = [first]
    while len(names) <= 10:
        before = focused_name(window)
        subprocess.run(["xdotool", "key", "Tab"], check=True)
        name = wait_for(lambda: (n := focused_name(window)) != before and n, "the focus to move")
        if name == first:
            break
        names.append(name)
    return names


def run(tool, folder):
    workbook = os.path.join(folder, "売上.xls")
    with open(workbook, "w", encoding="utf-8") as f:
        f.write("TaboraFakeWorkbook 1\nactive\t1\nsheet\tworksheet\t表紙\nsheet\tworksheet\t集計\n")
    os.chmod(folder, 0o700)  # the tool's runtime folder, for its lock
    environment = dict(os.environ, QT_QPA_PLATFORM="xcb", QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1",
                       XDG_RUNTIME_DIR=folder)
    process = subprocess.Popen([tool], env=environment)

    def window(title):
        app = next((a for a in pyatspi.Registry.getDesktop(0) if a and a.get_process_id() == process.pid), [])
        return next((w for w in filter(None, app) if w.name.startswith(title) and has(w, pyatspi.STATE_SHOWING)),
                    None)

    try:
        main_window = wait_for(lambda: window("Excelのｼｰﾄ名一覧 ver"), "the main window")
        check("the main window's role", main_window.getRoleName(), "frame")
        check("the main window's controls", controls(main_window), MAIN_WINDOW)

        # Loaded as a screen-reader user would: the path typed, the open button pressed.
        named(main_window, "text", "操作するExcelFile").queryEditableText().setTextContents(workbook)
        named(main_window, "push button", "ファイルを開く").queryAction().doAction(0)
        wait_for(lambda: named(main_window, "list", "シート一覧").childCount == 2, "the sheets listed")
        subprocess.run(["xdotool", "search", "--sync", "--onlyvisible", "--name", "^Excelのｼｰﾄ名一覧",
                        "windowactivate", "--sync"], check=True)
        named(main_window, "text", "操作するExcelFile").queryComponent().grabFocus()
        check("Tab in the main window", tab_order(main_window, MAIN_TABS[0]), MAIN_TABS)

        named(main_window, "text", "ｼｰﾄ名").queryEditableText().setTextContents("集計")
        named(main_window, "push button", "シート増加画面を開く").queryAction().doAction(0)
        dialog = wait_for(lambda: window("Sheet増加"), "the duplication window")
        check("the duplication window's role", dialog.getRoleName(), "dialog")
        check("the duplication window's controls", controls(dialog), DUPLICATION_WINDOW)
        # The focus starts in the names box.
        check("Tab in the duplication window", tab_order(dialog, DUPLICATION_TABS[0]), DUPLICATION_TABS)
    finally:
        process.kill()
        process.wait()


if __name__ == "__main__":
    with tempfile.TemporaryDirectory() as folder:
        run(sys.argv[1], folder)
    failed = sum(1 for _, ok in results if not ok)
    print(f"{len(results) - failed} passed, {failed} failed")
    sys.exit(1 if failed else 0)
