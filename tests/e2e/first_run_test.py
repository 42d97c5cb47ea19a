"""The very first run, with no store beside the program."""

import unittest

from launcher_case import LauncherCase
from polling import wait_for, wait_for_value
from store_file import DEFAULT_ITEMS, store_bytes
from window_layout import NORMAL_MODE, SETUP_MODE

DEFAULT_STORE_SIZE = 221


class FirstRunTest(LauncherCase):
    def test_window_comes_up_in_normal_mode(self):
        run = self.start_run()
        run.wait_for_mode(NORMAL_MODE)
        run.save_screenshot(self.artifacts / "normal.png")
        self.assertFalse(self.run_folder.store.exists(), "nothing is saved before OK")

    def test_setup_label_makes_window_taller_with_setup_caption(self):
        run = self.start_run()
        run.wait_for_mode(NORMAL_MODE)
        run.click_control("Label2")
        run.wait_for_mode(SETUP_MODE)
        run.save_screenshot(self.artifacts / "setup.png")

    def test_ok_writes_default_store(self):
        run = self.start_run()
        run.wait_for_mode(NORMAL_MODE)
        run.click_control("Label2")
        run.wait_for_mode(SETUP_MODE)
        run.click_control("Command1")
        run.wait_for_mode(NORMAL_MODE)
        store = self.run_folder.store
        wait_for(store.exists, "the store to be written")
        expected = store_bytes(DEFAULT_ITEMS)
        self.assertEqual(len(expected), DEFAULT_STORE_SIZE)
        wait_for_value(store.read_bytes, expected, "the store's bytes")


if __name__ == "__main__":
    unittest.main()
