"""The launcher as a screen reader meets it: its accessible tree read and operated over AT-SPI alone.

pyatspi connects to the session bus when it is imported, so it is imported only once the private bus is up
(connect()).
"""

import os

from polling import wait_for

pyatspi = None


def connect(bus_address):
    """Points this process at the private session bus and loads pyatspi there."""
    global pyatspi
    os.environ["DBUS_SESSION_BUS_ADDRESS"] = bus_address
    import pyatspi as loaded
    pyatspi = loaded


class Node:
    """What a screen reader says about one object: role, name, description, states and actions."""

    def __init__(self, accessible):
        self.accessible = accessible

    @property
    def role(self):
        return self.accessible.getRoleName()

    @property
    def name(self):
        return self.accessible.name

    @property
    def description(self):
        return self.accessible.description

    def states(self):
        return {pyatspi.stateToString(state) for state in self.accessible.getState().getStates()}

    def children(self):
        # A child that goes away while the list is read (a box closing) is left out.
        children = (self.accessible.getChildAtIndex(i) for i in range(self.accessible.childCount))
        return [Node(child) for child in children if child is not None]

    def actions(self):
        try:
            action = self.accessible.queryAction()
        except NotImplementedError:
            return {}
        return {action.getName(i): i for i in range(action.nActions)}

    def key_binding(self, action_name):
        action = self.accessible.queryAction()
        return action.getKeyBinding(self.actions()[action_name])

    def act(self, action_name):
        actions = self.actions()
        if action_name not in actions:
            raise AssertionError(f"{self} offers no action {action_name!r}, only {sorted(actions)}")
        self.accessible.queryAction().doAction(actions[action_name])

    def text(self):
        text = self.accessible.queryText()
        return text.getText(0, text.characterCount)

    def set_text(self, value):
        self.accessible.queryEditableText().setTextContents(value)

    def attribute_runs(self):
        """The runs of text attributes, (start, end) for each offset of the text, as a screen reader asks."""
        text = self.accessible.queryText()
        return [tuple(text.getAttributeRun(offset, False)[1:]) for offset in range(text.characterCount)]

    def select_row(self, row):
        """Selects an entry as a screen reader selects one, through the list's table."""
        return self.accessible.queryTable().addRowSelection(row)

    def labelled_by(self):
        names = []
        for relation in self.accessible.getRelationSet():
            if relation.getRelationType() == pyatspi.RELATION_LABELLED_BY:
                names += [relation.getTarget(i).name for i in range(relation.getNTargets())]
        return names

    def __repr__(self):
        return f"<{self.role} {self.name!r}>"


class Heard:
    """What arrives over the bus for the given event types, as a screen reader hears it: (type, role, name,
    detail1) for each event, the source read as it arrives. Listening starts before the program
    does, so that the program knows of the listener when it reports."""

    def __init__(self, *event_types):
        from gi.repository import GLib
        self._context = GLib.MainContext.default()
        self.event_types = event_types
        self.events = []
        pyatspi.Registry.registerEventListener(self._record, *event_types)

    def _record(self, event):
        try:
            role, name = event.source.getRoleName(), event.source.name
        except Exception:  # a source gone while it is read
            role = name = None
        self.events.append((event.type, role, name, event.detail1))

    def clear(self):
        self._pump()
        self.events.clear()

    def _pump(self):
        while self._context.iteration(False):
            pass

    def wait_for(self, matches, what):
        """The first event that matches; waits for it."""
        def find():
            self._pump()
            return next((event for event in self.events if matches(event)), None)

        return wait_for(find, f"{what}; heard {self.events}")

    def stop(self):
        pyatspi.Registry.deregisterEventListener(self._record, *self.event_types)


class Application:
    """The launcher's process on the accessibility bus."""

    def __init__(self, pid):
        self.pid = pid
        self.node = Node(wait_for(self._find, f"process {pid} on the accessibility bus"))

    def _find(self):
        desktop = pyatspi.Registry.getDesktop(0)
        for i in range(desktop.childCount):
            application = desktop.getChildAtIndex(i)
            if application is not None and application.get_process_id() == self.pid:
                return application
        return None

    def windows(self):
        return self.node.children()

    def window_named(self, name):
        """The top-level window with this name; waits for it to appear."""
        def find():
            return next((window for window in self.windows() if window.name == name), None)

        return wait_for(find, f"a window named {name!r}")

    def has_window(self, name):
        return any(window.name == name for window in self.windows())


def find(node, role, name):
    """The first object below node with this role and name, depth first."""
    for child in node.children():
        if child.role == role and child.name == name:
            return child
        found = find(child, role, name)
        if found:
            return found
    return None


def all_text(node):
    """Every name and text below node, as a screen reader reading a box aloud meets them."""
    texts = [node.name]
    for child in node.children():
        texts += all_text(child)
    return [text for text in texts if text]
