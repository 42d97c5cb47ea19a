"""A drag source that speaks the X drag-and-drop protocol (XDND, version 5) to one window, as a file manager does.

    xdnd_source.py WINDOW X Y PATH...

drags the local files PATH... as a text/uri-list to the point (X, Y) of the screen over the top-level window
WINDOW and drops them there when the window accepts; it serves the data on request. It prints one line per
answer of the target:

    status accepted|refused
    finished accepted|refused ACTION

and ends with 0 once the drop is finished (or refused and left), or with 1 when the target stops answering.
It runs on the system's Python, which has python3-xlib; the tests start it as a program of its own.
"""

import select
import sys
import time
from urllib.parse import quote

from Xlib import X, Xatom, display
from Xlib.protocol import event

XDND_VERSION = 5
ANSWER_TIMEOUT = 10.0


class DragSource:
    def __init__(self):
        self.display = display.Display()
        self.root = self.display.screen().root
        self.window = self.root.create_window(-10, -10, 1, 1, 0, X.CopyFromParent)
        self.atom = self.display.intern_atom
        self.uri_list = self.atom("text/uri-list")
        self.data = b""

    def send(self, target, message, *values):
        values = list(values) + [0] * (5 - len(values))
        client = event.ClientMessage(window=target, client_type=self.atom(message), data=(32, values))
        target.send_event(client, event_mask=0, propagate=False)
        self.display.flush()

    def serve(self, request):
        """Hands the dropped names to the target that asks for them."""
        targets = self.atom("TARGETS")
        answered = request.property
        if request.target == self.uri_list:
            request.requestor.change_property(request.property, self.uri_list, 8, self.data)
        elif request.target == targets:
            request.requestor.change_property(request.property, Xatom.ATOM, 32, [targets, self.uri_list])
        else:
            answered = X.NONE
        notify = event.SelectionNotify(time=request.time, requestor=request.requestor, selection=request.selection,
                                       target=request.target, property=answered)
        request.requestor.send_event(notify)
        self.display.flush()

    def wait_for(self, message):
        """The data of the next client message of this type, serving data requests meanwhile."""
        wanted = self.atom(message)
        deadline = time.monotonic() + ANSWER_TIMEOUT
        while True:
            while self.display.pending_events():
                received = self.display.next_event()
                if received.type == X.SelectionRequest:
                    self.serve(received)
                elif received.type == X.ClientMessage and received.client_type == wanted:
                    return received.data[1]
            left = deadline - time.monotonic()
            if left <= 0:
                print(f"no {message} from the target", flush=True)
                sys.exit(1)
            select.select([self.display.fileno()], [], [], left)
            self.display.pending_events()  # reads what arrived

    def drag(self, target_id, x, y, paths):
        target = self.display.create_resource_object("window", target_id)
        self.data = "".join("file://" + quote(path) + "\r\n" for path in paths).encode()
        self.window.set_selection_owner(self.atom("XdndSelection"), X.CurrentTime)
        window = self.window.id
        self.send(target, "XdndEnter", window, XDND_VERSION << 24, self.uri_list)
        self.send(target, "XdndPosition", window, 0, (x << 16) | y, X.CurrentTime, self.atom("XdndActionCopy"))
        status = self.wait_for("XdndStatus")
        accepted = status[1] & 1
        print("status", "accepted" if accepted else "refused", flush=True)
        if not accepted:
            self.send(target, "XdndLeave", window)
            return
        self.send(target, "XdndDrop", window, 0, X.CurrentTime)
        finished = self.wait_for("XdndFinished")
        action = self.display.get_atom_name(finished[2]) if finished[2] else "none"
        print("finished", "accepted" if finished[1] & 1 else "refused", action, flush=True)


def main(arguments):
    if len(arguments) < 4:
        print(__doc__, file=sys.stderr)
        return 64
    DragSource().drag(int(arguments[0]), int(arguments[1]), int(arguments[2]), arguments[3:])
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
