#!/usr/bin/python3
"""Walks the running editor's accessible tree over AT-SPI, as a screen reader sees it.

Usage: walk.py EDITOR DATABASE

Starts EDITOR on DATABASE (a file with a record the editor reads with a notice), waits for its
window, and fails on every focusable, showing control without a name; the message bar must be
an alert holding the notice. Prints what it found; exits 0 when all is well, 1 otherwise.
"""
import subprocess
import sys
import time

import pyatspi

SKIPPED_ROLES = {pyatspi.ROLE_TABLE_CELL, pyatspi.ROLE_COLUMN_HEADER, pyatspi.ROLE_ROW_HEADER,
                 pyatspi.ROLE_LIST_ITEM, pyatspi.ROLE_MENU_ITEM, pyatspi.ROLE_MENU}


def find_application(name, seconds):
    deadline = time.time() + seconds
    while time.time() < deadline:
        desktop = pyatspi.Registry.getDesktop(0)
        for app in desktop:
            if app is not None and app.name and name in app.name.lower():
                if app.childCount > 0:
                    return app
        time.sleep(0.5)
    return None


def walk(node, path, faults, alerts, named, depth=0):
    if node is None or depth > 40:
        return
    try:
        role = node.getRole()
        states = node.getState()
        name = node.name or ""
    except Exception:
        return
    here = f"{path} > {node.getRoleName()} \"{name}\""
    showing = states.contains(pyatspi.STATE_SHOWING)
    if role == pyatspi.ROLE_ALERT and showing:
        alerts.append(node.description or name)
    if role not in SKIPPED_ROLES and showing and states.contains(pyatspi.STATE_FOCUSABLE):
        if name.strip():
            named.append(f"{node.getRoleName()} \"{name}\"")
        else:
            faults.append(here + ": no name")
    if role in (pyatspi.ROLE_TABLE, pyatspi.ROLE_TREE_TABLE, pyatspi.ROLE_LIST):
        return  # the rows are data, not controls
    for i in range(node.childCount):
        walk(node.getChildAtIndex(i), here, faults, alerts, named, depth + 1)


def main():
    editor, database = sys.argv[1], sys.argv[2]
    process = subprocess.Popen([editor, "--new-window", database])
    try:
        app = find_application("quarn", 30)
        if app is None:
            print("the editor did not appear on the accessibility bus")
            return 1
        # The window fills in while the file is read: look again until the notice shows.
        deadline = time.time() + 30
        while True:
            faults, alerts, named = [], [], []
            walk(app, "app", faults, alerts, named)
            if (named and not faults and alerts) or time.time() > deadline:
                break
            time.sleep(1)
        print(f"{len(named)} focusable controls named: {', '.join(named)}")
        for fault in faults:
            print(fault)
        print(f"alerts: {alerts}")
        if not alerts:
            print("no alert showing: the notice was not offered as an alert")
        return 0 if named and not faults and alerts else 1
    finally:
        process.terminate()
        process.wait(10)


if __name__ == "__main__":
    sys.exit(main())
