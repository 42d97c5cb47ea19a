"""A click on a path that names nothing: the "INCORRECT" box, then the item is gone and setup mode is on."""

import unittest

from launcher_case import LauncherCase
from path_items import store_path_items
from polling import wait_for, wait_for_value
from store_file import store_bytes
from window_layout import NORMAL_MODE, SETUP_MODE
from window_texts import WRONG_PATH_TITLE

MISSING_ROW = 2


class MissingPathTest(LauncherCase):
    def setUp(self):
        super().setUp()
        self.items = store_path_items(self.folder, self.run_folder.program_folder)
        self.stored = self.run_folder.store.read_bytes()

    def click_missing_path(self, run):
        self.assertFalse(self.row_is_blank(run, MISSING_ROW), "the missing path is listed")
        self.click_row(run, MISSING_ROW)
        run.answer_box(WRONG_PATH_TITLE, "Return")
        run.wait_for_mode(SETUP_MODE)

    def test_missing_path_is_removed_until_cancel(self):
        run = self.start_run()
        run.wait_for_mode(NORMAL_MODE)
        self.click_missing_path(run)
        wait_for(lambda: self.row_is_blank(run, MISSING_ROW), "the missing path's row to empty")
        self.assertFalse(self.row_is_blank(run, MISSING_ROW - 1), "the other items stay")
        self.assertEqual(self.run_folder.store.read_bytes(), self.stored, "the removal is not saved yet")

        run.click_control("Command6")
        run.wait_for_mode(NORMAL_MODE)
        wait_for(lambda: not self.row_is_blank(run, MISSING_ROW), "the missing path to be listed again")
        # Back in its place and still naming nothing: the same click reports it again.
        self.click_missing_path(run)
        self.assertEqual(self.starts(), [])

    def test_ok_makes_the_removal_permanent(self):
        run = self.start_run()
        run.wait_for_mode(NORMAL_MODE)
        self.click_missing_path(run)
        run.click_control("Command1")
        run.wait_for_mode(NORMAL_MODE)
        expected = store_bytes([self.items.document, self.items.awkward_document])
        wait_for_value(self.run_folder.store.read_bytes, expected, "the store's bytes")
        self.assertEqual(self.starts(), [])


if __name__ == "__main__":
    unittest.main()
