#!/usr/bin/python3
"""Walks the running editor's accessible tree over AT-SPI, as a screen reader sees it.

Usage: walk.py EDITOR DATABASE

Starts EDITOR on DATABASE (a file with a record the editor reads with a notice) and walks its
main window, then opens the edit dialog through the toolbar's New Signal button, walks it on
each signal family, opens the carrier list from the family that has one and walks that too,
all through the actions a screen reader offers. Fails on every focusable, showing control
without a name (a combo box may instead be labelled by its label, which is how Qt names
combo boxes on Linux) or with a tab in its name; the message bar must be an alert holding the
notice, and the notice a notification of its own. Prints what it found; exits 0 when all is
well, 1 otherwise.
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


def label_of(node):
    """The name of the label a control is labelled by, or ""."""
    for relation in node.getRelationSet():
        if relation.getRelationType() == pyatspi.RELATION_LABELLED_BY:
            for i in range(relation.getNTargets()):
                target = relation.getTarget(i)
                if target is not None and (target.name or "").strip():
                    return target.name
    return ""


class Walk:
    def __init__(self):
        self.faults, self.alerts, self.named, self.notifications = [], [], [], []

    def visit(self, node, path, depth=0):
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
            self.alerts.append(node.description or name)
        if role == pyatspi.ROLE_NOTIFICATION and showing:
            self.notifications.append(name)
        if role not in SKIPPED_ROLES and showing and states.contains(pyatspi.STATE_FOCUSABLE):
            if role == pyatspi.ROLE_COMBO_BOX:
                # Qt on Linux names a combo box by its value; the label is its relation.
                name = label_of(node)
            if not name.strip():
                self.faults.append(here + ": no name")
            elif "\t" in name:
                self.faults.append(here + ": a tab in the name")
            else:
                self.named.append(f"{node.getRoleName()} \"{name}\"")
        if role in (pyatspi.ROLE_TABLE, pyatspi.ROLE_TREE_TABLE, pyatspi.ROLE_LIST,
                    pyatspi.ROLE_COMBO_BOX):
            return  # the rows and choices are data, not controls
        for i in range(node.childCount):
            self.visit(node.getChildAtIndex(i), here, depth + 1)


def find(node, role, name, depth=0):
    """The first showing descendant with the role and name, or None."""
    if node is None or depth > 40:
        return None
    try:
        if (node.getRole() == role and node.name == name
                and node.getState().contains(pyatspi.STATE_SHOWING)):
            return node
        if node.getRole() in (pyatspi.ROLE_TABLE, pyatspi.ROLE_LIST, pyatspi.ROLE_COMBO_BOX):
            return None
        for i in range(node.childCount):
            found = find(node.getChildAtIndex(i), role, name, depth + 1)
            if found is not None:
                return found
    except Exception:
        return None
    return None


def press(node):
    """Runs the control's first action. A button that opens a modal dialog answers only when
    the dialog closes, so the call is not waited for."""
    pyatspi.setTimeout(1000, 1000)
    try:
        node.queryAction().doAction(0)
    except Exception:
        pass  # no answer yet: the dialog runs
    finally:
        pyatspi.setTimeout(25000, 25000)


def dialog_named(app, title, seconds=15):
    deadline = time.time() + seconds
    while time.time() < deadline:
        for child in app:
            if child is not None and child.getRole() == pyatspi.ROLE_DIALOG and child.name == title:
                return child
        time.sleep(0.3)
    return None


def report(title, walk):
    print(f"{title}: {len(walk.named)} focusable controls named: {', '.join(walk.named)}")
    for fault in walk.faults:
        print(fault)
    return not walk.faults and walk.named


def walk_main_window(app):
    # The window fills in while the file is read: look again until the notice shows.
    deadline = time.time() + 30
    while True:
        walk = Walk()
        walk.visit(app, "app")
        if (walk.named and not walk.faults and walk.alerts and walk.notifications) or \
                time.time() > deadline:
            break
        time.sleep(1)
    ok = report("main window", walk)
    print(f"alerts: {walk.alerts}")
    print(f"notifications: {walk.notifications}")
    if not walk.alerts:
        print("no alert showing: the notice was not offered as an alert")
    # Each notice is a notification of its own, named by its text: readers speak it as it
    # appears.
    if not any("comment" in text for text in walk.notifications):
        print("no notification showing the notice")
        return False
    return ok and walk.alerts


def walk_edit_dialog(app):
    window = next(c for c in app if c.getRole() == pyatspi.ROLE_FRAME)
    button = find(window, pyatspi.ROLE_PUSH_BUTTON, "New Signal")
    if button is None:
        print("no New Signal button on the toolbar")
        return False
    press(button)
    dialog = dialog_named(app, "Signal Parameters Editor")
    if dialog is None:
        print("the edit dialog did not open")
        return False
    group = find(dialog, pyatspi.ROLE_PANEL, "Signal family") or find(
        dialog, pyatspi.ROLE_GROUPING, "Signal family")
    if group is None:
        print("no group named \"Signal family\" in the edit dialog")
        return False
    families = [group.getChildAtIndex(i) for i in range(group.childCount)]
    families = [f for f in families if f.getRole() == pyatspi.ROLE_RADIO_BUTTON]
    ok = len(families) == 5
    if not ok:
        print(f"{len(families)} family buttons instead of 5")
    carriers_walked = False
    for family in families:
        family.queryAction().doAction(0)
        time.sleep(0.6)
        walk = Walk()
        walk.visit(dialog, "edit dialog")
        ok = report(f"edit dialog, {family.name}", walk) and ok
        spacing = find(dialog, pyatspi.ROLE_PUSH_BUTTON, "Edit carrier spacings")
        if spacing is not None and not carriers_walked:
            carriers_walked = True
            ok = walk_carrier_list(app, dialog, spacing) and ok
    if not carriers_walked:
        print("no family offered the carrier list")
        ok = False
    close(dialog)
    return ok


def walk_carrier_list(app, dialog, spacing):
    # The list opens with as many carriers as the field says.
    carriers = find(dialog, pyatspi.ROLE_TEXT, "No. of Channels") or find(
        dialog, pyatspi.ROLE_TEXT, "No. of Carriers")
    if carriers is not None:
        carriers.queryEditableText().setTextContents("3")
    press(spacing)
    titles = {c.name for c in app if c.getRole() == pyatspi.ROLE_DIALOG}
    deadline = time.time() + 15
    listing = None
    while listing is None and time.time() < deadline:
        listing = next((c for c in app if c.getRole() == pyatspi.ROLE_DIALOG
                        and c.name not in titles | {dialog.name}), None)
        time.sleep(0.3)
    if listing is None:
        listing = next((c for c in app if c.getRole() == pyatspi.ROLE_DIALOG
                        and c.name != dialog.name), None)
    if listing is None:
        print("the carrier list did not open")
        return False
    walk = Walk()
    walk.visit(listing, "carrier list")
    ok = report(f"carrier list \"{listing.name}\"", walk)
    close(listing)
    return ok


def close(dialog):
    cancel = find(dialog, pyatspi.ROLE_PUSH_BUTTON, "Cancel")
    if cancel is not None:
        cancel.queryAction().doAction(0)
        time.sleep(0.5)


def main():
    editor, database = sys.argv[1], sys.argv[2]
    pyatspi.Registry.getDesktop(0)  # starts the registry before the editor looks for it
    process = subprocess.Popen([editor, "--new-window", database])
    try:
        app = find_application("quarn", 30)
        if app is None:
            print("the editor did not appear on the accessibility bus")
            return 1
        ok = walk_main_window(app)
        ok = walk_edit_dialog(app) and ok
        return 0 if ok else 1
    finally:
        process.kill()
        process.wait(10)


if __name__ == "__main__":
    sys.exit(main())
