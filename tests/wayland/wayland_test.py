"""The launcher as a native client of a headless Wayland compositor: its size and caption as the compositor
sees them in both modes, the store written by OK, and an item handed to the opener.

A headless weston has no seat, so the program is driven through its accessible interface, as a screen reader
would drive it."""

import os
import sys
import tempfile
import unittest
from pathlib import Path

import protocol_log
import screen_reader
from accessible_run import AccessibleRun, RunFolder
from bus_session import start_for_module, started_for_module
from case_scope import fresh_folder, started_for_test
from expected_tree import LIST_NAME, NORMAL_MODE_CONTROLS
from polling import wait_for, wait_for_value
from store_file import DEFAULT_ITEMS, store_bytes, write_store
from weston_session import WestonSession
from window_texts import APP_CAPTION, SETUP_CAPTION

# The client area in logical pixels: 6960 twips wide; 1755 high in normal mode and 2865 in setup mode.
NORMAL_SIZE = (464, 117)
SETUP_SIZE = (464, 191)
DEFAULT_STORE_SIZE = 221
SETUP_LABEL = NORMAL_MODE_CONTROLS[2][1]
ENTER_PATH_TITLE = "ﾊﾟｽ を入力して下さい。"


def setUpModule():
    global session, bus
    session, bus = start_for_module(lambda folder: started_for_module(WestonSession(folder / "weston")),
                                    "hopwick-wayland-")


class WaylandTest(unittest.TestCase):
    session = None  # the module's compositor unless a class has its own

    def setUp(self):
        self.run_folder = RunFolder(fresh_folder(self, "hopwick-wayland-") / "run",
                                    Path(os.environ["HOPWICK_E2E_PROGRAM"]))

    def start_run(self):
        # No platform is named: the program finds the Wayland session by itself.
        environment = dict(self.session.environment, WAYLAND_DEBUG="1", DBUS_SESSION_BUS_ADDRESS=bus.address)
        return started_for_test(self, AccessibleRun(environment, self.run_folder), self._report_output)

    @staticmethod
    def _report_output(run):
        requests = [r for r in protocol_log.requests(run.output()) if r.interface == "xdg_toplevel"]
        print(f"--- the launcher's toplevel requests ---\n{requests}", file=sys.stderr)

    def wait_for_toplevel(self, run, caption, size):
        def shown():
            log = run.output()
            return protocol_log.title(log), protocol_log.size_limits(log)

        wait_for_value(shown, (caption, (size, size)), "the toplevel's title and size limits")

    def press(self, window, name):
        control = next((c for c in window.children() if c.role == "push button" and c.name == name), None)
        self.assertIsNotNone(control, f"no push button {name!r} offered")
        control.act("Press")

    @classmethod
    def setUpClass(cls):
        cls.session = cls.session or session

    def test_starts_in_normal_mode_at_its_fixed_size(self):
        run = self.start_run()
        # A fixed size is a minimum equal to the maximum; the compositor gets nothing to resize.
        self.wait_for_toplevel(run, APP_CAPTION, NORMAL_SIZE)
        buffers = wait_for(lambda: protocol_log.buffer_sizes(run.output()), "a frame to be drawn")
        width, height = buffers[-1]
        self.assertGreaterEqual(width, NORMAL_SIZE[0])
        self.assertGreaterEqual(height, NORMAL_SIZE[1])
        self.assertLess(height, SETUP_SIZE[1], "the setup band must lie outside the frame")
        self.assertEqual(protocol_log.last(run.output(), "wl_surface", "set_buffer_scale").numbers(), (1,))

    def test_setup_mode_and_ok_write_the_store(self):
        run = self.start_run()
        window = run.window(APP_CAPTION)
        self.press(window, SETUP_LABEL)
        self.wait_for_toplevel(run, SETUP_CAPTION, SETUP_SIZE)
        window = run.window(SETUP_CAPTION)
        wait_for(lambda: any(c.name == "OK" for c in window.children()), "OK to be offered")
        self.press(window, "OK")
        self.wait_for_toplevel(run, APP_CAPTION, NORMAL_SIZE)
        store = self.run_folder.store
        wait_for_value(lambda: store.read_bytes() if store.exists() else None, store_bytes(DEFAULT_ITEMS),
                       "the store")
        self.assertEqual(len(store.read_bytes()), DEFAULT_STORE_SIZE)

    def test_a_click_on_an_item_hands_it_to_the_opener(self):
        document = self.run_folder.work_folder / "report.txt"
        document.write_text("report\n")
        write_store(self.run_folder.program_folder, [str(document), "Calc"])
        run = self.start_run()
        window = run.window(APP_CAPTION)
        items = next(c for c in window.children() if c.role == "list" and c.name == LIST_NAME).children()
        self.assertEqual([item.name for item in items], [str(document), "Calc"])
        items[0].act("Press")
        starts = wait_for(run.starts, "the opener to be started")
        self.assertEqual([(s.program, s.arguments) for s in starts], [("xdg-open", (str(document),))])
        self.assertEqual(starts[0].folder, str(self.run_folder.work_folder.resolve()))

    def test_message_boxes_and_the_file_dialog_are_modal_children_of_the_window(self):
        run = self.start_run()
        self.press(run.window(APP_CAPTION), SETUP_LABEL)
        window = run.window(SETUP_CAPTION)
        wait_for(lambda: any(c.name == "追加" for c in window.children()), "the setup band to be offered")
        self.press(window, "追加")  # with the text box empty
        box = run.window(ENTER_PATH_TITLE)
        wait_for_value(lambda: protocol_log.child_titles(run.output(), SETUP_CAPTION), [ENTER_PATH_TITLE],
                       "the box as the window's child")
        screen_reader.find(box, "push button", "OK").act("Press")
        wait_for(lambda: not run.application.has_window(ENTER_PATH_TITLE), "the box to close")

        # The dialog's title is Qt's, in the user's language; the log tells that a second child came.
        self.press(window, "ｱｲﾃﾑ選択")
        wait_for(lambda: len(protocol_log.child_titles(run.output(), SETUP_CAPTION)) == 2,
                 "the file dialog as the window's child")

class DoubleDensityTest(WaylandTest):
    """On an output of scale 2 the window keeps its logical size and draws at twice the pixels."""

    @classmethod
    def setUpClass(cls):
        folder = tempfile.TemporaryDirectory(prefix="hopwick-wayland-")
        cls.addClassCleanup(folder.cleanup)
        cls.session = WestonSession(Path(folder.name), scale=2)
        cls.addClassCleanup(cls.session.stop)
        cls.session.start()

    def test_starts_in_normal_mode_at_its_fixed_size(self):
        run = self.start_run()
        self.wait_for_toplevel(run, APP_CAPTION, NORMAL_SIZE)
        wait_for(lambda: protocol_log.last(run.output(), "wl_surface", "set_buffer_scale").numbers() == (2,),
                 "the window to draw at scale 2")
        wait_for(lambda: protocol_log.buffer_sizes(run.output()), "a frame to be drawn")
        width, height = protocol_log.buffer_sizes(run.output())[-1]
        self.assertGreaterEqual(width, 2 * NORMAL_SIZE[0])
        self.assertGreaterEqual(height, 2 * NORMAL_SIZE[1])
        self.assertLess(height, 2 * SETUP_SIZE[1])


if __name__ == "__main__":
    unittest.main()
