"""One run of the launcher: the program copied into a folder of its own (where its store lives), started from a
separate working folder with the recording stand-ins first on PATH, and driven through its window."""

import os
import re
import shutil
import subprocess
from pathlib import Path

from polling import wait_for, wait_for_value
from processes import end_process
from stand_ins import StandIns
from store_file import STORE_NAME
from window_layout import NORMAL_MODE, SETUP_MODE, control_rectangle
from window_texts import APP_CAPTION

PROGRAM_NAME = "hopwick"
EXIT_TIMEOUT = 10.0
DRAG_TIMEOUT = 30.0
# The drag source needs python3-xlib, which only the system's Python has.
DRAG_SOURCE = Path(__file__).with_name("xdnd_source.py")
SYSTEM_PYTHON = os.environ.get("HOPWICK_E2E_SYSTEM_PYTHON", "/usr/bin/python3")


class RunFolder:
    """program/ holds the program and its store, work/ is the launcher's current folder, bin/ the stand-ins."""

    def __init__(self, folder, program):
        folder = Path(folder)
        self.program_folder = folder / "program"
        self.work_folder = folder / "work"
        self.program_folder.mkdir(parents=True)
        self.work_folder.mkdir()
        self.program = self.program_folder / PROGRAM_NAME
        shutil.copy2(program, self.program)
        self.stand_ins = StandIns(folder)
        self.store = self.program_folder / STORE_NAME
        self.output = folder / "output.log"


class LauncherRun:
    def __init__(self, session, driver, run_folder):
        self.driver = driver
        self.folder = run_folder
        self.environment = dict(session.environment)
        self.environment["PATH"] = f"{run_folder.stand_ins.folder}:{self.environment['PATH']}"
        self.environment["QT_QPA_PLATFORM"] = "xcb"
        self.process = None
        self.window = None
        self.arguments = []
        # What the program is started through, such as a change of user; it must keep the process id.
        self.command_prefix = []

    def start(self):
        with open(self.folder.output, "ab") as output:
            self.process = subprocess.Popen([*self.command_prefix, str(self.folder.program), *self.arguments],
                                            cwd=self.folder.work_folder, env=self.environment,
                                            stdin=subprocess.DEVNULL, stdout=output, stderr=subprocess.STDOUT)
        self.window = wait_for(lambda: self._windows_named(APP_CAPTION), "the launcher's window")[0]

    def stop(self):
        end_process(self.process, EXIT_TIMEOUT)

    def _windows_named(self, name):
        if self.process.poll() is not None:
            raise AssertionError(f"the launcher ended with {self.process.returncode}: {self.output()}")
        return self.driver.find_windows(self.process.pid, "^" + re.escape(name) + "$")

    def output(self):
        return self.folder.output.read_text(errors="replace")

    def mode(self):
        """The caption and the client area's size, which tell the two modes apart."""
        geometry = self.driver.geometry(self.window)
        return self.driver.caption(self.window), (geometry.width, geometry.height)

    def wait_for_mode(self, mode):
        wait_for_value(self.mode, mode, "the window's caption and size")

    def normal_mode(self):
        return NORMAL_MODE

    def setup_mode(self):
        return SETUP_MODE

    def type_text(self, text):
        """Types into the control that has the focus, as the keyboard would."""
        self.driver.type_text(text)

    def wait_for_keyboard(self):
        """Waits until the window has the keyboard again, as after a dialog of its own has closed."""
        wait_for(lambda: self.driver.active_window() == self.window, "the launcher's window to be active")

    def client_origin_in_capture(self):
        """Where the client area starts in a capture of the window: the window is its client area here."""
        return 0, 0

    def screen_point(self, x, y):
        """Where a point of the client area lies on the screen."""
        origin = self.driver.geometry(self.window)
        return origin.left + x, origin.top + y

    def click_at(self, x, y):
        """A click at a point of the client area."""
        self.driver.click(*self.screen_point(x, y))

    def click_control(self, name):
        control = control_rectangle(name)
        self.click_at(control.left + control.width // 2, control.top + control.height // 2)

    def capture(self):
        return self.driver.capture(self.window)

    def move_to(self, x, y):
        """Moves the window, so that two launchers on one screen do not cover each other."""
        self.driver.move_window(self.window, x, y)

    def drag_files(self, paths, control="List1"):
        """Drags the files from a drag source of its own onto the middle of a control and drops them there.
        Returns the source's account of the target's answers, once the drop is finished or refused."""
        area = control_rectangle(control)
        x, y = self.screen_point(area.left + area.width // 2, area.top + area.height // 2)
        result = subprocess.run([SYSTEM_PYTHON, str(DRAG_SOURCE), str(self.window), str(x), str(y),
                                 *(str(path) for path in paths)], env=self.environment, capture_output=True,
                                text=True, timeout=DRAG_TIMEOUT)
        if result.returncode != 0:
            raise AssertionError(f"the drag failed ({result.returncode}): {result.stdout}{result.stderr}")
        return result.stdout.splitlines()

    def boxes_titled(self, title):
        return self._windows_named(title)

    def settled_capture(self):
        """A capture that the next one repeats, so the window has finished drawing."""
        previous = [self.capture()]

        def unchanged():
            current = self.capture()
            same = current == previous[0]
            previous[0] = current
            return current if same else None

        return wait_for(unchanged, "the window to finish drawing")

    def save_screenshot(self, path):
        # The pointer off the window, so that no hover effect shows.
        self.driver.move_pointer(0, 0)
        self.settled_capture()
        Path(path).parent.mkdir(parents=True, exist_ok=True)
        self.driver.save_png(self.window, path)

    def answer_box(self, title, key):
        """Waits for the message box titled `title`, presses `key` in it and waits until it has gone."""
        box = wait_for(lambda: self._windows_named(title), f"the message box {title!r}")[0]
        wait_for(lambda: self.driver.active_window() == box, f"the message box {title!r} to be active")
        self.driver.key(key)
        wait_for(lambda: not self._windows_named(title), f"the message box {title!r} to close")

    def other_windows(self):
        """The program's named windows besides the launcher's own: its message boxes and dialogs (tooltips have no
        name)."""
        return [window for window in self.driver.find_windows(self.process.pid, ".") if window != self.window]

    def wait_for_dialog(self):
        """Waits for the one dialog of the program to come up and take the keyboard; returns it."""
        dialog = wait_for(self.other_windows, "a dialog of the launcher")[0]
        wait_for(lambda: self.driver.active_window() == dialog, "the dialog to be active")
        return dialog

    def exit_by_label(self):
        self.click_control("Label4")
        try:
            return self.process.wait(timeout=EXIT_TIMEOUT)
        except subprocess.TimeoutExpired:
            raise AssertionError("the launcher did not end after a click on Exit") from None
