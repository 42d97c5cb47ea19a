"""hopwick.exe under Wine read from another process as a screen reader reads it, through oleacc: every control's
role and name, the setup band invisible in normal mode, the setup label pressed through its default action, and
what a screen reader's hook hears of the window's new title."""

import os
import subprocess
import threading
import unittest

from polling import wait_for
from wine_case import WineCase
from wine_server import WINE_ROOT, WINE_RUN

READER = os.environ["HOPWICK_E2E_READER"]
EXIT_CODE = 0
# The system's numbers for roles and states.
ROLE_LIST = 0x21
ROLE_STATICTEXT = 0x29
ROLE_TEXT = 0x2A
ROLE_PUSHBUTTON = 0x2B
STATE_INVISIBLE = 0x8000
LIST_NAME = "ｱｲﾃﾑ ﾘｽﾄ"
PATH_LABEL = "パスの入力："
SETUP_LABEL = "他のｱﾌﾟﾘ / ｵﾌﾟｼｮﾝ:"
# In view in normal mode; the rest is the setup band.
TOP_STRIP = {"List1", "Label4", "Label2"}


class Listener:
    """The reader listening from another process, as a screen reader's hook: the lines it has heard so far."""

    def __init__(self, run):
        self.lines = []
        self._process = subprocess.Popen([WINE_RUN, WINE_ROOT, READER, "listen"], env=run.environment,
                                         stdin=subprocess.PIPE, stdout=subprocess.PIPE)
        self._reader = threading.Thread(target=self._read, daemon=True)
        self._reader.start()
        wait_for(lambda: "listening" in self.lines or self._process.poll() is not None, "the hook to be set")
        if "listening" not in self.lines:
            raise AssertionError(f"the listener ended with {self._process.returncode}")

    def _read(self):
        for line in self._process.stdout:
            self.lines.append(line.decode("utf-8").rstrip("\r\n"))

    def heard(self, *fields):
        """Waits for a line that begins with these tab-separated fields; returns its fields."""
        def find():
            return next((line.split("\t") for line in self.lines if line.split("\t")[:len(fields)] == list(fields)),
                        None)

        return wait_for(find, f"{fields} to be heard; heard {self.lines}")

    def stop(self):
        self._process.stdin.close()
        self._process.wait(timeout=60)
        self._reader.join(timeout=10)
        return self._process.returncode


class WineAccessibilityTest(WineCase):
    def read_controls(self, run):
        """Each control by its design name: (role, state, accessible name)."""
        result = subprocess.run([WINE_RUN, WINE_ROOT, READER], env=run.environment, capture_output=True,
                                timeout=60, check=True)
        controls = {}
        for line in result.stdout.decode("utf-8").splitlines():
            name, role, state, accessible_name = line.split("\t")
            controls[name] = (int(role), int(state), accessible_name)
        return controls

    def press(self, run, control):
        subprocess.run([WINE_RUN, WINE_ROOT, READER, "press", control], env=run.environment, timeout=60,
                       check=True, stdout=subprocess.DEVNULL)

    def test_the_controls_are_read_from_outside_and_the_setup_label_is_pressed(self):
        run = self.start_run()
        run.wait_for_mode(run.normal_mode())
        controls = self.read_controls(run)
        self.assertEqual(len(controls), 16)
        self.assertEqual(controls["List1"][0::2], (ROLE_LIST, LIST_NAME))
        self.assertEqual(controls["Label2"][0::2], (ROLE_PUSHBUTTON, SETUP_LABEL))
        self.assertEqual(controls["Label4"][0::2], (ROLE_PUSHBUTTON, "Exit"))
        self.assertEqual(controls["Label3"][0::2], (ROLE_PUSHBUTTON, "Help!"))
        self.assertEqual(controls["Label1"][0::2], (ROLE_STATICTEXT, PATH_LABEL))
        self.assertEqual(controls["Text1"][0::2], (ROLE_TEXT, PATH_LABEL))
        self.assertEqual(controls["Command1"][0::2], (ROLE_PUSHBUTTON, "OK"))
        for name, (_, state, _) in controls.items():
            self.assertEqual(bool(state & STATE_INVISIBLE), name not in TOP_STRIP, name)

        self.press(run, "Label2")
        run.wait_for_mode(run.setup_mode())
        wait_for(lambda: not any(state & STATE_INVISIBLE for _, state, _ in self.read_controls(run).values()),
                 "the setup band to be offered")
        self.assertEqual(run.exit_by_label(), EXIT_CODE)

    def test_the_setup_instruction_is_heard_as_the_windows_new_name(self):
        run = self.start_run()
        run.wait_for_mode(run.normal_mode())
        listener = Listener(run)
        self.addCleanup(listener.stop)
        self.press(run, "Label2")
        run.wait_for_mode(run.setup_mode())
        # Wine's object for the window tells no name, so the new name is read from the window itself.
        listener.heard("name", "Form", "0")
        self.assertEqual(listener.stop(), 0)
        self.assertEqual(run.exit_by_label(), EXIT_CODE)


if __name__ == "__main__":
    unittest.main()
