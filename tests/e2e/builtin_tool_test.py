"""A click on the built-in tool "NotePad" starts the system's text editor, in normal mode only."""

import unittest

from launcher_case import LauncherCase
from polling import wait_for
from store_file import DEFAULT_ITEMS
from window_layout import NORMAL_MODE, SETUP_MODE

NOTEPAD_ROW = DEFAULT_ITEMS.index("NotePad")
EDITOR_START = ("gnome-text-editor", ())


class BuiltinToolTest(LauncherCase):
    def started_programs(self):
        return [(start.program, start.arguments) for start in self.starts()]

    def test_click_on_notepad_starts_text_editor(self):
        run = self.start_run()
        run.wait_for_mode(NORMAL_MODE)
        self.click_row(run, NOTEPAD_ROW)
        wait_for(self.starts, "the text editor to be started")
        self.assertEqual(self.started_programs(), [EDITOR_START])
        self.assertEqual(run.mode(), NORMAL_MODE)

    def test_click_in_setup_mode_starts_nothing_until_ok(self):
        run = self.start_run()
        run.wait_for_mode(NORMAL_MODE)
        run.click_control("Label2")
        run.wait_for_mode(SETUP_MODE)
        self.click_row(run, NOTEPAD_ROW)
        run.click_control("Command1")
        run.wait_for_mode(NORMAL_MODE)
        self.click_row(run, NOTEPAD_ROW)
        wait_for(self.starts, "the text editor to be started")
        # The click in setup mode came first; had it started the editor, that start would be on record too.
        self.assertEqual(self.started_programs(), [EDITOR_START])


if __name__ == "__main__":
    unittest.main()
