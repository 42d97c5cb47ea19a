"""The setup commands of hopwick.exe under Wine through real clicks and keys: add, move, initialise, the
background picture chosen in the system's file dialog, Help; and Enter on the focused button."""

import tempfile
import unittest
from pathlib import Path

from polling import wait_for, wait_for_value
from store_file import DEFAULT_ITEMS, store_bytes, write_store
from store_rewrite_test import PICTURE_COLOUR, PICTURE_SIZE, write_bmp
from window_layout import control_rectangle
from window_texts import INITIALISE_TITLE
from wine_case import WineCase
from wine_shell import RecordedWineRun, recorder_command, registry, windows_path

LIST_EDGE = 2  # pixels of the list's sunken frame, above its first row
HELP_PROTOCOL = "HKLM\\Software\\Classes\\mailto"


class WineSetupCommandsTest(WineCase):
    run_class = RecordedWineRun

    @classmethod
    def setUpClass(cls):
        super().setUpClass()
        cls.send_mail_to_the_recorder()

    @classmethod
    def send_mail_to_the_recorder(cls):
        """Mail links go to the stand-in while the class runs; the prefix's own handler comes back after."""
        saved = tempfile.TemporaryDirectory(prefix="hopwick-registry-")
        cls.addClassCleanup(saved.cleanup)
        kept = Path(saved.name) / "mailto.reg"
        if registry(cls.wine_environment, "export", HELP_PROTOCOL, windows_path(kept), "/y", check=False) == 0:
            cls.addClassCleanup(registry, cls.wine_environment, "import", windows_path(kept))
        cls.addClassCleanup(registry, cls.wine_environment, "delete", HELP_PROTOCOL, "/f", check=False)
        registry(cls.wine_environment, "add", HELP_PROTOCOL, "/v", "URL Protocol", "/d", "", "/f")
        registry(cls.wine_environment, "add", HELP_PROTOCOL + "\\shell\\open\\command", "/ve", "/d",
                 recorder_command(), "/f")

    def enter_setup_mode(self, items=None):
        if items is not None:
            write_store(self.run_folder.program_folder, items)
        run = self.start_run()
        run.wait_for_mode(run.normal_mode())
        run.click_control("Label2")
        run.wait_for_mode(run.setup_mode())
        return run

    def saved(self, run, items, picture=""):
        """The window is back in normal mode and the store holds these items and this picture."""
        run.wait_for_mode(run.normal_mode())
        wait_for(self.run_folder.store.exists, "the store to be written")
        wait_for_value(self.run_folder.store.read_bytes, store_bytes(items, picture), "the saved store")

    def click_row(self, run, index):
        # The rows are as high as the design font, 12 px at 96 dpi.
        row = 12 * run.dpi // 96
        frame = control_rectangle("List1")
        run.click_at(frame.left + 20, frame.top + LIST_EDGE + index * row + row // 2)

    def add_typed_program(self, run):
        """Types the program's own path into the path input, which setup mode focuses, and clicks Add."""
        typed = windows_path(self.run_folder.program)
        run.type_text(typed)
        run.click_control("Command20")
        return typed

    def test_a_typed_path_is_added_with_the_add_button_and_ok_saves_it(self):
        run = self.enter_setup_mode()
        windows = run.window_count()
        typed = self.add_typed_program(run)
        run.click_control("Command1")
        self.saved(run, DEFAULT_ITEMS + (typed,))
        self.assertEqual(run.window_count(), windows)
        self.assertEqual(run.exit_by_label(), 0)

    def test_after_an_add_enter_presses_ok_which_has_the_focus(self):
        run = self.enter_setup_mode()
        typed = self.add_typed_program(run)
        self.driver.key("Return")
        self.saved(run, DEFAULT_ITEMS + (typed,))
        self.assertEqual(run.exit_by_label(), 0)

    def test_items_move_up_and_down(self):
        run = self.enter_setup_mode(["first", "second", "third"])
        windows = run.window_count()
        self.click_row(run, 0)  # in setup mode a click selects only
        run.click_control("Command9")  # ↓: second, first, third; the moved item stays selected
        run.click_control("Command9")  # ↓: second, third, first
        self.click_row(run, 1)
        run.click_control("Command8")  # ↑: third, second, first
        self.assertEqual(run.window_count(), windows, "nothing was started, nothing was refused")
        run.click_control("Command1")
        self.saved(run, ["third", "second", "first"])
        self.assertEqual(run.exit_by_label(), 0)

    def test_initialise_answered_yes_brings_back_the_default_items(self):
        run = self.enter_setup_mode(["first", "second"])
        run.click_control("Command5")
        run.answer_box(INITIALISE_TITLE, "Return")  # Yes is the box's default button
        run.click_control("Command1")
        self.saved(run, DEFAULT_ITEMS)
        self.assertEqual(run.exit_by_label(), 0)

    def test_a_picture_chosen_in_the_file_dialog_is_shown_and_saved(self):
        picture = self.folder / "sky.bmp"
        write_bmp(picture, PICTURE_SIZE, PICTURE_COLOUR)
        run = self.enter_setup_mode()
        windows = run.window_count()
        run.click_control("Command4")
        wait_for(lambda: run.window_count() == windows + 1, "the picture dialog")
        # The dialog's name box has the focus: the whole path typed there, and Enter opens it.
        run.type_text(windows_path(picture))
        self.driver.key("Return")
        wait_for(lambda: run.window_count() == windows, "the picture dialog to close")
        # Left of the list, where only the window's surface and so the picture shows.
        wait_for_value(lambda: run.client_pixel(run.capture(), 2, 2), PICTURE_COLOUR, "the picture at the top-left")
        run.click_control("Command1")
        self.saved(run, DEFAULT_ITEMS, windows_path(picture))
        self.assertEqual(run.exit_by_label(), 0)

    def test_help_opens_a_new_mail_with_the_registered_program(self):
        run = self.enter_setup_mode()
        run.click_control("Label3")
        command = wait_for(run.recorded_command, "the mail to be opened", 60)
        self.assertRegex(command, r'"mailto:[^"@]+@[^"]+"$')
        self.assertEqual(run.exit_by_label(), 0)


if __name__ == "__main__":
    unittest.main()
