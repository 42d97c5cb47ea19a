"""hopwick.exe under Wine started with a path, as Explorer starts it for a file dropped on its icon: the path with
blanks comes in double quotes, and the file is opened with the program registered for its type."""

import time
import unittest

from polling import wait_for
from wine_case import WineCase
from wine_shell import RecordedWineRun, recorder_command, registry, windows_path

# A document type of the test's own, opened by the recording stand-in (record_call.exe).
DOCUMENT_TYPE = ".hopwicke2e"
DOCUMENT_CLASS = "HopwickE2E.Document"
# Long enough for a start that was going to happen to reach the stand-in's record.
QUIET_PERIOD = 3.0


class WineCommandLineTest(WineCase):
    run_class = RecordedWineRun

    @classmethod
    def setUpClass(cls):
        super().setUpClass()
        # Wine's shell reads the types from the machine's classes only; the prefix is this build's own.
        command = recorder_command()
        cls.registry("add", f"HKLM\\Software\\Classes\\{DOCUMENT_TYPE}", "/ve", "/d", DOCUMENT_CLASS, "/f")
        cls.registry("add", f"HKLM\\Software\\Classes\\{DOCUMENT_CLASS}\\shell\\open\\command", "/ve", "/d", command,
                     "/f")
        cls.addClassCleanup(cls.registry, "delete", f"HKLM\\Software\\Classes\\{DOCUMENT_CLASS}", "/f")
        cls.addClassCleanup(cls.registry, "delete", f"HKLM\\Software\\Classes\\{DOCUMENT_TYPE}", "/f")

    @classmethod
    def registry(cls, *arguments):
        registry(cls.wine_environment, *arguments)

    def setUp(self):
        super().setUp()
        folder = self.folder / "path with spaces"
        folder.mkdir()
        self.document = folder / f"議事録 第2回{DOCUMENT_TYPE}"
        self.document.write_text("議事録\n", encoding="utf-8")

    def test_a_quoted_path_with_blanks_opens_the_file(self):
        # Wine quotes an argument with blanks, as Explorer does: the program's command line ends in "Z:\...".
        run = self.start_run([windows_path(self.document)])
        run.wait_for_mode(run.normal_mode())
        record = wait_for(lambda: run.record.exists() and run.record.read_text(encoding="utf-8"),
                          "the document to be opened", 60)
        command = record.splitlines()[0]
        self.assertTrue(command.endswith(f'"{windows_path(self.document)}"'), record)
        self.assertEqual(run.exit_by_label(), 0)

    def test_two_quoted_paths_are_one_path_that_names_nothing(self):
        other = self.document.with_name(f"別紙{DOCUMENT_TYPE}")
        other.write_text("別紙\n", encoding="utf-8")
        run = self.start_run([windows_path(self.document), windows_path(other)])
        run.wait_for_mode(run.normal_mode())
        time.sleep(QUIET_PERIOD)
        self.assertFalse(run.record.exists(), "nothing is opened")
        self.assertEqual(run.exit_by_label(), 0)


if __name__ == "__main__":
    unittest.main()
