#!/usr/bin/python3
"""Reads Zevo's windows back through AT-SPI, as a screen reader (Orca) does.

Run by scripts/atspi-check.sh, which starts Zevo with the accessibility bus.
Drives Zevo through AT-SPI alone: types a program into the editor, then
"Zurücksetzen", "Einzelschritt" and "Protokoll anzeigen". Prints the tree and
checks what a reader must find; exits 1 if something is missing.
"""
import sys
import time

import pyatspi
from gi.repository import GLib

PROGRAM = "10 cload 7\n20 store 1\n30 end"


def wait_for(what, find, seconds=20):
    end = time.time() + seconds
    while time.time() < end:
        found = find()
        if found is not None:
            return found
        time.sleep(0.3)
    sys.exit(f"nicht gefunden: {what}")


def application():
    for app in pyatspi.Registry.getDesktop(0):
        if app is not None and app.name in ("Zevo 1.0", "zevo"):
            return app
    return None


def walk(node, depth=0):
    yield node, depth
    for i in range(node.childCount):
        child = node.getChildAtIndex(i)
        if child is not None:
            yield from walk(child, depth + 1)


def text_of(node):
    try:
        text = node.queryText()
    except NotImplementedError:
        return None
    return text.getText(0, text.characterCount)


def find(root, role, name=None):
    for node, _ in walk(root):
        if node.getRoleName() == role and (name is None or node.name == name):
            return node
    return None


def press(node):
    action = node.queryAction()
    for i in range(action.nActions):
        if action.getName(i).lower() in ("press", "click", "toggle"):
            action.doAction(i)
            return
    sys.exit(f"keine Aktion an {node.name!r}")


def main():
    app = wait_for("Zevo auf dem AT-SPI-Bus", application)
    main_window = wait_for("Hauptfenster", lambda: find(app, "frame") or find(app, "window"))
    editor = wait_for("Quelltext", lambda: find(main_window, "text"))
    editor.queryEditableText().setTextContents(PROGRAM)
    for item in ("Zurücksetzen", "Einzelschritt", "Protokoll anzeigen"):
        press(wait_for(item, lambda: find(main_window, "menu item", item)))
        time.sleep(0.5)

    protocol_window = wait_for("Protokollfenster",
                               lambda: find(app, "window", "Protokoll") or
                               find(app, "frame", "Protokoll"))
    time.sleep(1)

    # One more step: the protocol announces its new line once, with its text.
    inserted = []
    pyatspi.Registry.registerEventListener(
        lambda event: inserted.append(event.any_data) if event.source.name == "Protokoll" else None,
        "object:text-changed:insert")
    press(find(main_window, "menu item", "Einzelschritt"))
    loop = GLib.MainLoop()
    GLib.timeout_add(1500, loop.quit)
    loop.run()
    print("angekündigt:", inserted)

    problems = []
    if inserted != ["7\t7\t0\t0\t0\t0\t0\t0\t0\t0\t0\t\n"]:
        problems.append(f"Ankündigung des neuen Protokolleintrags: {inserted!r}")
    for node, depth in walk(app):
        role = node.getRoleName()
        if role.startswith("menu") or role == "separator":
            continue  # the menus read well and fill pages
        text = text_of(node) if role in ("text", "label") else None
        shown = f" text={text!r}" if text is not None else ""
        print(f"{'  ' * depth}{role} {node.name!r}{shown}")
        if role in ("push button", "toggle button") and not node.name:
            problems.append(f"Schaltfläche ohne Namen unter {node.parent.name!r}")

    protocol_view = find(protocol_window, "text")
    protocol_text = text_of(protocol_view) if protocol_view else ""
    if "R 0" not in protocol_text or "\n7\t0\t" not in protocol_text:
        problems.append(f"Protokolltext fehlt: {protocol_text!r}")
    if protocol_view and "7\t7\t" not in protocol_text.split("\n")[3]:
        problems.append("vierte Protokollzeile fehlt")
    if PROGRAM.split("\n")[0] not in (text_of(editor) or ""):
        problems.append("Programmtext fehlt")
    for role, name, text in (("table", "Registerbelegung", None), ("label", "Schritte", "2"),
                             ("label", "Taktrate", None)):
        node = find(main_window, role, name)
        if node is None:
            problems.append(f"{role} {name!r} fehlt")
        elif text is not None and text_of(node) != text:
            problems.append(f"{role} {name!r} zeigt {text_of(node)!r} statt {text!r}")

    for problem in problems:
        print("FEHLER:", problem)
    print("OK" if not problems else f"{len(problems)} Fehler")
    return 1 if problems else 0


if __name__ == "__main__":
    sys.exit(main())
