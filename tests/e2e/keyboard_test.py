"""The keyboard through real key events on the Linux program: Enter presses the focused button, and every job
can be done without the mouse (the scenarios are keyboard_scenarios.py's)."""

import unittest

from keyboard_scenarios import KeyboardScenarios
from launcher_case import LauncherCase
from polling import wait_for, wait_for_value
from store_file import DEFAULT_ITEMS, store_bytes
from store_rewrite_test import write_bmp
from window_texts import INITIALISE_TITLE, WRONG_PATH_TITLE

EDITOR = "gnome-text-editor"
OPENER = "xdg-open"
PICTURE_COLOUR = (40, 160, 80)


class KeyboardTest(KeyboardScenarios, LauncherCase):
    initialise_title = INITIALISE_TITLE
    wrong_path_title = WRONG_PATH_TITLE

    @classmethod
    def setUpClass(cls):
        # No measuring of the list's rows by clicks: these tests use no mouse at all.
        cls.start_session()

    def existing_path(self, name="report"):
        path = self.folder / "tools" / f"{name}.sh"
        path.parent.mkdir(exist_ok=True)
        path.write_text("#!/bin/sh\n")
        return str(path)

    def picture_path(self):
        path = self.folder / "sky.bmp"
        write_bmp(path, 16, PICTURE_COLOUR)
        return str(path)

    def documents(self):
        """A document that exists and a path that names nothing."""
        document = self.folder / "notes.txt"
        document.write_text("notes\n")
        return str(document), str(self.folder / "gone.txt")

    def opened(self):
        def kind(start):
            if start.program == EDITOR:
                return "editor", ""
            target = start.arguments[0]
            return ("mail" if target.startswith("mailto:") else "document"), target

        return [kind(start) for start in self.starts() if start.program in (EDITOR, OPENER)]

    def add_then_enter_on_ok(self, enter_key):
        added = self.existing_path()
        run = self.start_fresh()
        self.enter_setup_mode_by_f2(run)
        # The path input has the focus; Enter there adds, and the add moves the focus to OK, where Enter presses
        # it: the keys are handled in turn, so the second Enter meets OK.
        run.type_text(added)
        self.keys("Return", enter_key)
        run.wait_for_mode(run.normal_mode())
        wait_for(self.run_folder.store.exists, "the store to be written")
        wait_for_value(self.run_folder.store.read_bytes, store_bytes(DEFAULT_ITEMS + (added,)), "the saved store")

    def test_enter_presses_the_focused_ok_after_an_add(self):
        self.add_then_enter_on_ok("Return")

    def test_keypad_enter_presses_the_focused_ok_after_an_add(self):
        self.add_then_enter_on_ok("KP_Enter")


if __name__ == "__main__":
    unittest.main()
