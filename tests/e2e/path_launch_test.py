"""A click on a path item in normal mode hands the path to the desktop's opener, xdg-open."""

import os
import unittest

from launcher_case import LauncherCase
from path_items import store_path_items
from polling import wait_for
from stand_ins import Start
from window_layout import NORMAL_MODE


class PathLaunchTest(LauncherCase):
    def setUp(self):
        super().setUp()
        self.items = store_path_items(self.folder, self.run_folder.program_folder)

    def assert_click_opens(self, row, path):
        run = self.start_run()
        run.wait_for_mode(NORMAL_MODE)
        self.click_row(run, row)
        wait_for(self.starts, "a program to be started")
        # The launcher's current folder, not the document's own.
        folder = os.path.realpath(self.run_folder.work_folder)
        self.assertEqual(self.starts(), [Start("xdg-open", folder, (path,))])
        self.assertEqual(run.mode(), NORMAL_MODE)

    def test_click_on_document_opens_it(self):
        self.assert_click_opens(0, self.items.document)

    def test_click_on_path_with_commas_and_japanese_opens_it_whole(self):
        self.assert_click_opens(1, self.items.awkward_document)


if __name__ == "__main__":
    unittest.main()
