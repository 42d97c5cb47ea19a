"""The start-up benchmark's outside observer (bench/window/last_drawing.py) on a private X display: it sees a
window drawn, and fails for a program that ends without drawing one. It measures nothing for the record."""

import os
import subprocess
import sys
import tempfile
import unittest
from pathlib import Path

from x_session import XSession

OBSERVER = Path(os.environ["HOPWICK_LAST_DRAWING"])


class LastDrawingTest(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        folder = tempfile.TemporaryDirectory(prefix="hopwick-last-drawing-")
        cls.addClassCleanup(folder.cleanup)
        cls.session = XSession(Path(folder.name))
        cls.addClassCleanup(cls.session.stop)
        cls.session.start()

    def observe(self, *command):
        return subprocess.run([sys.executable, str(OBSERVER), "--bound", "20", "--", *command],
                              env=self.session.environment, capture_output=True, text=True, timeout=60)

    def test_a_window_drawn_is_seen_and_its_program_ended(self):
        result = self.observe("xmessage", "Hopwick")
        self.assertEqual(result.returncode, 0, result.stderr)
        self.assertGreater(float(result.stdout), 0)
        # The observer ended the program, so no window of it is left on the screen.
        tree = subprocess.run(["xwininfo", "-root", "-tree"], env=self.session.environment, capture_output=True,
                              text=True, check=True).stdout
        self.assertNotIn("xmessage", tree.lower())

    def test_a_program_that_ends_without_a_window_fails(self):
        result = self.observe("true")
        self.assertEqual(result.returncode, 1)
        self.assertIn("before its window was drawn", result.stderr)


if __name__ == "__main__":
    unittest.main()
