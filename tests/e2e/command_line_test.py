"""A path given on the command line is opened as the launcher starts, the way a file dropped on its icon is."""

import os
import unittest

from launcher_case import LauncherCase
from polling import wait_for
from processes import child_processes
from stand_ins import Start
from window_layout import NORMAL_MODE, SETUP_MODE

EDITOR = "gnome-text-editor"


class CommandLineTest(LauncherCase):
    def setUp(self):
        super().setUp()
        documents = self.folder / "documents"
        documents.mkdir()
        self.document = documents / "議事録 第2回.txt"
        self.document.write_text("議事録\n", encoding="utf-8")

    def assert_opens(self, arguments, path):
        run = self.start_run(arguments)
        run.wait_for_mode(NORMAL_MODE)
        wait_for(self.starts, "the path to be opened")
        folder = os.path.realpath(self.run_folder.work_folder)
        self.assertEqual(self.starts(), [Start("xdg-open", folder, (str(path),))])

    def test_a_path_is_opened(self):
        self.assert_opens([str(self.document)], self.document)

    def test_a_path_split_at_its_space_is_joined_again(self):
        # A desktop that does not quote the path hands it over in pieces.
        self.assert_opens(str(self.document).split(" "), self.document)

    def test_a_folder_is_opened(self):
        self.assert_opens([str(self.document.parent)], self.document.parent)

    def test_files_named_like_qts_options_are_opened(self):
        # Qt's own options: the program hands Qt none of the user's arguments, so each is a path like any other.
        for name in ("-reverse", "-style", "-platform"):
            with self.subTest(name=name):
                self.run_folder = self.folder_class(self.folder / f"run{name}", self.program)
                (self.run_folder.work_folder / name).write_text("x\n")
                # A relative name that starts with "-" goes to the opener behind "./", never as an option.
                run = self.start_run([name])
                run.wait_for_mode(NORMAL_MODE)
                wait_for(self.starts, f"{name} to be opened")
                folder = os.path.realpath(self.run_folder.work_folder)
                self.assertEqual(self.starts(), [Start("xdg-open", folder, (f"./{name}",))])
                run.stop()

    def test_reverse_does_not_mirror_the_window(self):
        (self.run_folder.work_folder / "-reverse").write_text("x\n")
        run = self.start_run(["-reverse"])
        run.wait_for_mode(NORMAL_MODE)
        # The setup label stands at the right, where the design puts it: a click there enters setup mode.
        run.click_control("Label2")
        run.wait_for_mode(SETUP_MODE)

    def test_a_path_that_names_nothing_opens_nothing(self):
        run = self.start_run([str(self.folder / "消えた.txt")])
        run.wait_for_mode(NORMAL_MODE)
        # A click on NotePad comes after whatever the start set off. Once the editor has started and the launcher
        # has reaped every child, each program it started has recorded its start.
        self.click_row(run, 0)
        wait_for(self.starts, "NotePad to be started")
        wait_for(lambda: not child_processes(run.process.pid), "the launcher's children to end")
        self.assertEqual([start.program for start in self.starts()], [EDITOR])
        self.assertEqual(run.mode(), NORMAL_MODE)


if __name__ == "__main__":
    unittest.main()
