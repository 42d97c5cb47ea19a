"""The X client programs that find, read and drive windows from outside: xdotool, xwininfo and import.

Clicks and keys go through the XTEST extension, so the program under test sees real device events.
"""

import re
import subprocess
from dataclasses import dataclass

from screen_image import ScreenImage

COMMAND_TIMEOUT = 20.0


@dataclass(frozen=True)
class Rectangle:
    left: int
    top: int
    width: int
    height: int


class XDriver:
    def __init__(self, environment):
        self.environment = environment

    def _run(self, *command, allowed_codes=(0,)):
        result = subprocess.run(command, env=self.environment, capture_output=True, timeout=COMMAND_TIMEOUT)
        if result.returncode not in allowed_codes:
            raise RuntimeError(f"{command} failed ({result.returncode}): {result.stderr.decode(errors='replace')}")
        return result.stdout

    def find_windows(self, pid, name_pattern):
        """The mapped windows of process pid whose name matches the regular expression."""
        # xdotool ends with 1 when nothing matches.
        output = self._run("xdotool", "search", "--all", "--onlyvisible", "--pid", str(pid), "--name", name_pattern,
                           allowed_codes=(0, 1))
        return [int(line) for line in output.split()]

    def caption(self, window):
        return self._run("xdotool", "getwindowname", str(window)).decode("utf-8").removesuffix("\n")

    def geometry(self, window):
        """The window's own area (a top-level's client area, without the frame) in screen coordinates."""
        info = self._run("xwininfo", "-id", str(window)).decode()

        def field(label):
            return int(re.search(rf"^\s*{label}:\s*(-?\d+)", info, re.MULTILINE).group(1))

        return Rectangle(field("Absolute upper-left X"), field("Absolute upper-left Y"), field("Width"),
                         field("Height"))

    def active_window(self):
        output = self._run("xdotool", "getactivewindow", allowed_codes=(0, 1))
        return int(output) if output.strip() else None

    def focus(self, window):
        """Gives the window the keyboard, as a window manager does, and waits until the X server has moved it."""
        self._run("xdotool", "windowfocus", "--sync", str(window))

    def click(self, x, y):
        self._run("xdotool", "mousemove", str(x), str(y), "click", "1")

    def move_pointer(self, x, y):
        self._run("xdotool", "mousemove", str(x), str(y))

    def key(self, *names):
        self._run("xdotool", "key", *names)

    def type_text(self, text):
        """Types text into the focused window, key by key."""
        self._run("xdotool", "type", "--delay", "10", text)

    def type_text(self, text):
        self._run("xdotool", "type", "--", text)

    def move_window(self, window, x, y):
        self._run("xdotool", "windowmove", "--sync", str(window), str(x), str(y))

    def capture(self, window):
        return ScreenImage(self._run("import", "-window", str(window), "-depth", "8", "ppm:-"))

    def save_png(self, window, path):
        self._run("import", "-window", str(window), str(path))
