"""The base of every end-to-end test: one X session per test class, a fresh folder and program copy per run.

The program to test and the folder for screenshots come from HOPWICK_E2E_PROGRAM and HOPWICK_E2E_ARTIFACTS,
which CTest sets.
"""

import os
import tempfile
import unittest
from pathlib import Path

from case_scope import fresh_folder, started_for_test
from launcher_run import LauncherRun, RunFolder
from list_rows import measure_rows
from window_layout import control_rectangle
from x_driver import XDriver
from x_session import XSession


class LauncherCase(unittest.TestCase):
    # How a run starts and where it lives; the Windows build's tests put Wine in between.
    run_class = LauncherRun
    folder_class = RunFolder

    @classmethod
    def setUpClass(cls):
        cls.start_session()
        probe = LauncherRun(cls.session, cls.driver, RunFolder(Path(cls._class_folder.name) / "probe", cls.program))
        probe.start()
        try:
            cls.rows = measure_rows(probe)
        finally:
            probe.stop()

    @classmethod
    def start_session(cls):
        """The program under test and the X session that all of the class's tests share."""
        cls.program = Path(os.environ["HOPWICK_E2E_PROGRAM"])
        cls.artifacts = Path(os.environ["HOPWICK_E2E_ARTIFACTS"])
        cls._class_folder = tempfile.TemporaryDirectory(prefix="hopwick-e2e-")
        cls.addClassCleanup(cls._class_folder.cleanup)
        cls.session = XSession(Path(cls._class_folder.name) / "x")
        cls.addClassCleanup(cls.session.stop)
        cls.session.start()
        cls.driver = XDriver(cls.session.environment)

    def setUp(self):
        self.folder = fresh_folder(self, "hopwick-e2e-")
        self.run_folder = self.folder_class(self.folder / "run", self.program)

    def start_run(self, arguments=()):
        """Starts the program from this test's folder with these command-line arguments; it is stopped and its
        output shown at the test's end."""
        run = self.run_class(self.session, self.driver, self.run_folder)
        run.arguments = list(arguments)
        return started_for_test(self, run)

    def click_row(self, run, index):
        frame = control_rectangle("List1")
        self.assertLess(self.rows.top + (index + 1) * self.rows.height, frame.top + frame.height, "row out of view")
        run.click_at(frame.left + 40, self.rows.centre(index))

    def row_is_blank(self, run, index):
        return len(run.capture().colours(*self.rows.text_area(index))) == 1

    def starts(self):
        return self.run_folder.stand_ins.starts()
