"""One run of hopwick.exe under Wine, for the Linux end-to-end tests' helpers to drive.

Wine draws the frame and every control inside one unmanaged X window, so the window's X geometry is its outer
size, and where the client area lies comes from a small Windows program (the window probe). Wine runs through
the build's wrapper, with its prefix and its Japanese locale.
"""

import os
import re
import subprocess
from pathlib import Path

from launcher_run import LauncherRun, RunFolder
from polling import wait_for
from window_texts import APP_CAPTION, SETUP_CAPTION
from wine_server import WINE_ROOT, WINE_RUN
from x_driver import Rectangle

PROBE = os.environ["HOPWICK_E2E_PROBE"]
TWIPS_PER_INCH = 1440
# Outer width and heights in twips: the program sets them, whatever frame the system draws.
OUTER_WIDTH = 7080
NORMAL_HEIGHT = 2175
SETUP_HEIGHT = 3285


class WineRunFolder(RunFolder):
    def __init__(self, folder, program):
        super().__init__(folder, program)
        self.program = self.program.rename(self.program.with_suffix(".exe"))


class WineLauncherRun(LauncherRun):
    def __init__(self, session, driver, run_folder):
        super().__init__(session, driver, run_folder)
        self.dpi = None

    def start(self):
        self.environment["HOPWICK_WINE_DISPLAY"] = self.environment["DISPLAY"]
        with open(self.folder.output, "ab") as output:
            self.process = subprocess.Popen([WINE_RUN, WINE_ROOT, str(self.folder.program), *self.arguments],
                                            cwd=self.folder.work_folder, env=self.environment,
                                            stdin=subprocess.DEVNULL, stdout=output, stderr=subprocess.STDOUT)
        # The first start in a prefix also starts Wine's own processes.
        self.window = wait_for(lambda: self._windows_named(APP_CAPTION), "the launcher's window", 60)[0]
        self.dpi = self.client_area()[1]

    def type_text(self, text):
        """Types into the control that has the focus, as the keyboard would."""
        subprocess.run(["xdotool", "type", "--delay", "20", text], env=self.environment, timeout=60, check=True)

    def window_count(self):
        """How many captioned windows the program shows: its own and any message box or dialog over it (tooltips
        have no caption)."""
        return len(self._windows_named(".+"))

    def answer_box(self, title, key):
        """Waits for the message box titled `title`, gives it the keyboard, presses `key` in it and waits until it
        has gone. Wine draws its own frames, so no window manager moves the X focus; and Wine itself, which
        activates the box, now and then leaves the X focus on the launcher's window when the box comes up right
        after another, where keys are lost. The focus goes to the box as a window manager would move it."""
        box = wait_for(lambda: self.boxes_titled(title), f"the message box {title!r}")[0]
        self.driver.focus(box)
        self.driver.key(key)
        # That box: another with its title may follow at once, such as the question about the next drop.
        wait_for(lambda: box not in self.boxes_titled(title), f"the message box {title!r} to close")

    def other_windows(self):
        """The program's captioned windows besides its own: its message boxes and dialogs."""
        return [window for window in self._windows_named(".+") if window != self.window]

    def wait_for_dialog(self):
        """Waits for the one dialog of the program; Wine gives it the keyboard itself, as it draws its frames."""
        return wait_for(self.other_windows, "a dialog of the launcher", 60)[0]

    def wait_for_keyboard(self):
        """Gives the window the keyboard as a window manager would: Wine draws its own frames."""
        self.driver.focus(self.window)

    def boxes_titled(self, title):
        return self._windows_named(f"^{re.escape(title)}$")

    def _windows_named(self, name):
        if self.process.poll() is not None:
            raise AssertionError(f"the launcher ended with {self.process.returncode}: {self.output()}")
        # The window belongs to the Windows program, a child of the wrapper's timeout.
        pid = self.process.pid
        children = Path(f"/proc/{pid}/task/{pid}/children").read_text().split()
        return self.driver.find_windows(int(children[0]), name) if children else []

    def client_area(self):
        """The client area in screen coordinates, and the window's resolution."""
        result = subprocess.run([WINE_RUN, WINE_ROOT, PROBE], env=self.environment, capture_output=True, timeout=60,
                                check=True)
        left, top, width, height, dpi = (int(field) for field in result.stdout.split())
        return Rectangle(left, top, width, height), dpi

    def pixels(self, twips):
        return twips * self.dpi // TWIPS_PER_INCH

    def mode(self):
        """The caption and the outer size, which tell the two modes apart."""
        geometry = self.driver.geometry(self.window)
        return self.driver.caption(self.window), (geometry.width, geometry.height)

    def normal_mode(self):
        return APP_CAPTION, (self.pixels(OUTER_WIDTH), self.pixels(NORMAL_HEIGHT))

    def setup_mode(self):
        return SETUP_CAPTION, (self.pixels(OUTER_WIDTH), self.pixels(SETUP_HEIGHT))

    def screen_point(self, x, y):
        client = self.client_area()[0]
        return client.left + x, client.top + y

    def double_click_at(self, x, y):
        screen_x, screen_y = self.screen_point(x, y)
        subprocess.run(["xdotool", "mousemove", str(screen_x), str(screen_y), "click", "--repeat", "2",
                        "--delay", "80", "1"], env=self.environment, timeout=60, check=True)

    def client_origin_in_capture(self):
        """Where the client area starts in a capture of the whole window, frame included."""
        client = self.client_area()[0]
        window = self.driver.geometry(self.window)
        return client.left - window.left, client.top - window.top

    def client_pixel(self, image, x, y):
        """The colour of a point of the client area in a capture of the whole window."""
        client = self.client_area()[0]
        window = self.driver.geometry(self.window)
        return image.pixel(client.left - window.left + x, client.top - window.top + y)
