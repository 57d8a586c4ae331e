#!/usr/bin/python3
"""Reads Velmora's accessibility tree over AT-SPI, as Orca does, and checks what it would announce.

    atspi.py [--press-only] PID EXPECTED.json

EXPECTED.json (written by control_table) lists the window and every control with its kind, its place in
the window in pixels, and the name and description the program gives it. Each control is found in the tree
by its place, since AT-SPI carries no object names. Then "X" is pressed through its action interface, as a
screen reader user would, and the caller checks that the program ends. With --press-only, only "X" is
found (by its name) and pressed.
Exit status: 0 all well, 1 a check failed, 2 the program never appeared on the bus.
"""

import json
import sys
import time

import pyatspi

# The AT-SPI roles a screen reader may announce for each kind of control. Roles are compared as roles:
# their names are the library's spelling, which changes between releases (AT-SPI 2.5x names a push
# button "button").
ROLES = {
    "window": {pyatspi.ROLE_FRAME, pyatspi.ROLE_WINDOW},
    "push button": {pyatspi.ROLE_PUSH_BUTTON},
    "check box": {pyatspi.ROLE_CHECK_BOX},
    "frame": {pyatspi.ROLE_PANEL, pyatspi.ROLE_GROUPING},
    "label": {pyatspi.ROLE_LABEL},
    "text box": {pyatspi.ROLE_TEXT, pyatspi.ROLE_ENTRY},
    "drop-down list": {pyatspi.ROLE_COMBO_BOX},
    "list box": {pyatspi.ROLE_LIST, pyatspi.ROLE_LIST_BOX},
}

failures = 0


def check(ok, message):
    global failures
    print(("PASS: " if ok else "FAIL: ") + message)
    if not ok:
        failures += 1


def find_application(pid, seconds):
    """The application with this process id, once it shows a window on the bus."""
    deadline = time.monotonic() + seconds
    while time.monotonic() < deadline:
        desktop = pyatspi.Registry.getDesktop(0)
        for app in desktop:
            try:
                if app is not None and app.get_process_id() == pid and app.childCount > 0:
                    return app
            except Exception:  # an application that left the bus while being looked at
                continue
        time.sleep(0.2)
    return None


def extents(node, origin=(0, 0)):
    """Where the node lies, in pixels from the origin. Qt answers in screen pixels whatever is asked."""
    try:
        box = node.queryComponent().getExtents(pyatspi.DESKTOP_COORDS)
    except NotImplementedError:
        return None
    return (box.x - origin[0], box.y - origin[1], box.width, box.height)


def inside(inner, outer):
    """True when the rectangle inner, not empty, lies within outer. A check box answers with its
    clickable part, box and caption, which is smaller than the control."""
    if inner is None or inner[2] <= 0 or inner[3] <= 0:
        return False
    return (outer[0] <= inner[0] and outer[1] <= inner[1] and inner[0] + inner[2] <= outer[0] + outer[2]
            and inner[1] + inner[3] <= outer[1] + outer[3])


def walk(node, found):
    found.append(node)
    for child in node:
        if child is not None:
            walk(child, found)


def describe(node):
    return "%s %r (%r)" % (node.getRoleName(), node.name, node.description)


def press(node):
    action = node.queryAction()
    names = [action.getName(i) for i in range(action.nActions)]
    return "Press" in names and action.doAction(names.index("Press"))


def main():
    args = sys.argv[1:]
    press_only = args[0] == "--press-only"
    if press_only:
        args = args[1:]
    pid = int(args[0])
    with open(args[1], encoding="utf-8") as f:
        expected = json.load(f)

    app = find_application(pid, 60)
    if app is None:
        print("the program did not appear on the accessibility bus")
        return 2
    if press_only:
        close = next(c for c in expected if c["control"] == "cmdclose")
        nodes = []
        walk(app, nodes)
        buttons = [n for n in nodes if n.getRole() == pyatspi.ROLE_PUSH_BUTTON and n.name == close["name"]]
        check(len(buttons) == 1 and press(buttons[0]), "X pressed through AT-SPI")
        return 1 if failures else 0
    check(app.name == "Velmora", "the application is announced as %r" % app.name)
    windows = [w for w in app if w is not None]
    check(len(windows) == 1, "one top-level window (%d)" % len(windows))
    window = windows[0]

    nodes = []
    walk(window, nodes)
    whole = extents(window)
    origin = whole[:2]
    shown = [(extents(n, origin), n) for n in nodes[1:] if n.getState().contains(pyatspi.STATE_SHOWING)]

    pressable = {}
    for control in expected:
        place = tuple(control["rect"])
        if control["kind"] == "window":
            candidates = [window]
            check(whole[2:] == place[2:], "the window is %d x %d" % whole[2:])
        else:
            candidates = [n for rect, n in shown if inside(rect, place)]
        label = "%s (%s)" % (control["control"], control["kind"])
        if control["kind"] == "drawing":
            candidates = [n for rect, n in shown if rect == place]
            # Outlines, the grey band and the dividing line are not for the ear: nothing to announce.
            check(candidates and all(not n.name for n in candidates), "%s says nothing (%s)" % (
                label, [describe(n) for n in candidates]))
            continue
        roles = ROLES[control["kind"]]
        matching = [n for n in candidates if n.getRole() in roles]
        if len(matching) != 1:
            check(False, "%s: expected one %s at %s, found %s" % (
                label, control["kind"], place, [describe(n) for n in candidates] or "nothing"))
            continue
        node = matching[0]
        check(node.name == control["name"] and node.description == control["description"],
              "%s is read as %s" % (label, describe(node)) +
              ("" if node.name == control["name"] and node.description == control["description"]
               else ", expected %r (%r)" % (control["name"], control["description"])))
        if control["kind"] == "push button":
            pressable[control["control"]] = node

    # Every push button, the labels that act as buttons included, offers the press action.
    for name, node in sorted(pressable.items()):
        action = node.queryAction()
        names = [action.getName(i) for i in range(action.nActions)]
        check("Press" in names, "%s offers the press action (%s)" % (name, names))

    if failures:
        print("%d failure(s); not pressing X" % failures)
        return 1
    check(press(pressable["cmdclose"]), "X accepted the press action")
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
