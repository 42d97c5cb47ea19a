"""The keyboard through real key events: Enter presses the focused button, and in normal mode Tab never takes
the focus to the setup band below the window's edge."""

import time
import unittest

from launcher_case import LauncherCase
from polling import wait_for, wait_for_value
from store_file import DEFAULT_ITEMS, store_bytes
from window_layout import NORMAL_MODE, SETUP_MODE

# Long enough for a box, a start or a save that was going to happen to show.
QUIET_PERIOD = 1.0


class KeyboardTest(LauncherCase):
    def setUp(self):
        super().setUp()
        self.added = self.folder / "tools" / "report.sh"
        self.added.parent.mkdir()
        self.added.write_text("#!/bin/sh\n")

    def add_then_enter_on_ok(self, enter_key):
        run = self.start_run()
        run.wait_for_mode(NORMAL_MODE)
        run.click_control("Label2")
        run.wait_for_mode(SETUP_MODE)
        # The path input has the focus; Enter there adds, and the add moves the focus to OK.
        self.driver.type_text(str(self.added))
        self.driver.key("Return")
        # The focus is on OK now: Enter presses it, which saves and leaves setup mode.
        time.sleep(QUIET_PERIOD)
        self.driver.key(enter_key)
        run.wait_for_mode(NORMAL_MODE)
        wait_for(self.run_folder.store.exists, "the store to be written")
        wait_for_value(self.run_folder.store.read_bytes, store_bytes(DEFAULT_ITEMS + (str(self.added),)),
                       "the saved store")

    def test_enter_presses_the_focused_ok_after_an_add(self):
        self.add_then_enter_on_ok("Return")

    def test_keypad_enter_presses_the_focused_ok_after_an_add(self):
        self.add_then_enter_on_ok("KP_Enter")

    def assert_nothing_happened(self, run):
        time.sleep(QUIET_PERIOD)
        self.assertEqual(run.other_windows(), [], "a box or dialog came up")
        self.assertEqual(self.starts(), [])
        self.assertEqual(run.mode(), NORMAL_MODE)
        self.assertFalse(self.run_folder.store.exists(), "the store was written")
        # The list is as it was: saved as it stands, it is the default list.
        run.click_control("Label2")
        run.wait_for_mode(SETUP_MODE)
        run.click_control("Command1")
        run.wait_for_mode(NORMAL_MODE)
        wait_for(self.run_folder.store.exists, "the store to be written")
        wait_for_value(self.run_folder.store.read_bytes, store_bytes(DEFAULT_ITEMS), "the saved store")

    def test_tab_tab_space_in_normal_mode_presses_nothing(self):
        run = self.start_run()
        run.wait_for_mode(NORMAL_MODE)
        self.driver.key("Tab", "Tab", "space")
        self.assert_nothing_happened(run)

    def test_no_number_of_tabs_reaches_the_hidden_delete_button(self):
        run = self.start_run()
        run.wait_for_mode(NORMAL_MODE)
        # Every place in the tab order, forwards and backwards, then Space and Enter there.
        for presses in range(1, 14):
            self.driver.key(*(["Tab"] * presses), "space", "Return")
            self.driver.key(*(["shift+Tab"] * presses), "space", "Return")
        self.assert_nothing_happened(run)


if __name__ == "__main__":
    unittest.main()
