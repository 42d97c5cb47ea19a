"""A file dragged from a second Wayland client and dropped on the launcher's window, through a real seat:
weston on Xvfb, whose pointer xdotool moves. The question the drop asks is answered through the accessible
interface, and the accepted file is in the store."""

import os
import select
import subprocess
import time
import unittest
from pathlib import Path

import protocol_log
from accessible_run import AccessibleRun, RunFolder
from bus_session import start_for_module, started_for_module
from case_scope import fresh_folder, started_for_test
from polling import wait_for, wait_for_value
from processes import end_process
from store_file import DEFAULT_ITEMS, store_bytes
from weston_session import OUTPUT_SIZE, WestonSession
from window_texts import APP_CAPTION
from x_session import XSession
import screen_reader

NORMAL_SIZE = (464, 117)
DROP_TITLE = "ﾌｧｲﾙ を ﾄﾞﾛｯﾌﾟ しました。"
SOURCE_TIMEOUT = 10.0


def setUpModule():
    global x_session, weston, bus

    def start_display(folder):
        global x_session
        x_session = started_for_module(BareXSession(folder / "x"))
        return started_for_module(WestonSession(folder / "weston", x_environment=x_session.environment))

    weston, bus = start_for_module(start_display, "hopwick-wayland-drop-")


class BareXSession(XSession):
    """Xvfb alone: weston's output window takes the pointer as it is, with no window manager's frame or focus
    handling in between."""

    def start(self):
        (self.folder / "home").mkdir(parents=True)
        self.environment = {"PATH": "/usr/bin:/bin", "HOME": str(self.folder / "home"), "LC_ALL": "C.UTF-8"}
        self._start_server()
        self.environment["DISPLAY"] = self.display


class Pointer:
    """The X pointer over weston's output window, in output coordinates."""

    def __init__(self):
        self.environment = x_session.environment
        self.window = wait_for(self._output_window, "weston's output window")

    def _output_window(self):
        # weston names its window only in _NET_WM_NAME, which xdotool does not search; its class is found.
        result = subprocess.run(["xdotool", "search", "--class", "^Weston Compositor$"], env=self.environment,
                                capture_output=True, text=True)
        return result.stdout.split()[0] if result.returncode == 0 and result.stdout.split() else None

    def _xdotool(self, *arguments):
        subprocess.run(["xdotool", *arguments], env=self.environment, check=True)

    def move(self, x, y):
        self._xdotool("mousemove", "--window", self.window, str(x), str(y))

    def press(self):
        self._xdotool("mousedown", "1")

    def release(self):
        self._xdotool("mouseup", "1")


class DragSource:
    """The second client: a small window that starts a drag of the given files when pressed."""

    def __init__(self, environment, files, folder):
        uri_list = "".join(f"{Path(file).as_uri()}\r\n" for file in files)
        self.log = open(folder / "drag_source.log", "wb")
        self.process = subprocess.Popen([os.environ["HOPWICK_DRAG_SOURCE"], uri_list], env=environment,
                                        stdin=subprocess.DEVNULL, stdout=subprocess.PIPE, stderr=self.log)
        self.said = []
        self.pending = b""

    def poll(self, seconds):
        """Takes what the source said within `seconds`, if anything. Read straight from the pipe, since a
        buffered reader would keep a second line where select cannot see it."""
        ready, _, _ = select.select([self.process.stdout], [], [], seconds)
        if ready:
            chunk = os.read(self.process.stdout.fileno(), 4096)
            if not chunk:
                return False
            self.pending += chunk
            *lines, self.pending = self.pending.split(b"\n")
            self.said.extend(line.decode().strip() for line in lines)
        return True

    def wait_for_line(self, expected):
        """Waits until the source has said `expected`, now or earlier; the pointer may come onto its window at
        any time, so its lines need not come in one order."""
        deadline = time.monotonic() + SOURCE_TIMEOUT
        while expected not in self.said:
            left = deadline - time.monotonic()
            if left <= 0 or not self.poll(left):
                raise AssertionError(f"the drag source said {self.said!r}, never {expected!r}")

    def stop(self):
        end_process(self.process, SOURCE_TIMEOUT)
        self.process.stdout.close()
        self.log.close()


class DropTest(unittest.TestCase):
    def setUp(self):
        self.folder = fresh_folder(self, "hopwick-wayland-drop-")
        self.run_folder = RunFolder(self.folder / "run", Path(os.environ["HOPWICK_E2E_PROGRAM"]))

    def test_a_file_dragged_from_another_wayland_client_is_offered_and_stored(self):
        document = self.run_folder.work_folder / "dropped notes.txt"
        document.write_text("notes\n")
        environment = dict(weston.environment, WAYLAND_DEBUG="1", DBUS_SESSION_BUS_ADDRESS=bus.address)
        run = started_for_test(self, AccessibleRun(environment, self.run_folder))
        wait_for_value(lambda: protocol_log.size_limits(run.output()), (NORMAL_SIZE, NORMAL_SIZE),
                       "the launcher's window")
        # Drawn before the source maps its own, so that the shell shows the source on top.
        wait_for(lambda: protocol_log.last(run.output(), "wl_surface", "attach"), "the launcher's first frame")
        run.window(APP_CAPTION)

        source = DragSource(weston.environment, [document], self.folder)
        self.addCleanup(source.stop)
        source.wait_for_line("ready")
        # The kiosk shell centres each window on the output and shows the newest alone: the source first, and
        # the launcher again once the source has given up its window for the drag.
        pointer = Pointer()
        # A motion onto the window gives it the pointer; a press before that would go nowhere.
        pointer.move(OUTPUT_SIZE[0] // 2 - 10, OUTPUT_SIZE[1] // 2)
        pointer.move(OUTPUT_SIZE[0] // 2, OUTPUT_SIZE[1] // 2)
        source.wait_for_line("entered")
        pointer.press()
        source.wait_for_line("dragging")
        left = (OUTPUT_SIZE[0] - NORMAL_SIZE[0]) // 2
        top = (OUTPUT_SIZE[1] - NORMAL_SIZE[1]) // 2
        # On the window's surface between "Exit" and the setup label.
        for step in range(1, 5):
            pointer.move(OUTPUT_SIZE[0] // 2 - step * 20, OUTPUT_SIZE[1] // 2 + step * 10)
        # The shell shows the launcher again only some time after the source gave up its window: the pointer
        # goes on moving over it until the launcher takes the offered list, and only then lets go.
        deadline = time.monotonic() + SOURCE_TIMEOUT
        step = 0
        while "accepted" not in source.said and time.monotonic() < deadline:
            pointer.move(left + 150 + step % 2, top + 100)
            step += 1
            source.poll(0.1)
        source.wait_for_line("accepted")
        pointer.release()

        box = run.window(DROP_TITLE)
        self.assertIn("ﾘｽﾄ に追加しますか？", screen_reader.all_text(box))
        # Qt's own captions carry their access keys, "はい(&Y)"; the name is the word alone.
        screen_reader.find(box, "push button", "はい").act("Press")
        store = self.run_folder.store
        wait_for_value(lambda: store.read_bytes() if store.exists() else None,
                       store_bytes(list(DEFAULT_ITEMS) + [str(document)]), "the store")
        window = run.window(APP_CAPTION)
        entries = next(c for c in window.children() if c.role == "list").children()
        self.assertEqual(entries[-1].name, str(document))
        # It came as a Wayland drop of a file list.
        self.assertIn('wl_data_offer', run.output())
        self.assertIn('offer("text/uri-list")', run.output())


if __name__ == "__main__":
    unittest.main()
