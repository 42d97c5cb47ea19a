"""The setup commands through real clicks and keys: add, move, initialise, the background picture, Help; and
what setup mode looks like: OK in solid light red, five whole rows in the list."""

import subprocess
import unittest

from launcher_case import LauncherCase
from polling import wait_for, wait_for_value
from stand_ins import Start
from store_file import DEFAULT_ITEMS, store_bytes, write_store
from store_rewrite_test import write_bmp
from window_layout import NORMAL_MODE, SETUP_MODE, control_rectangle
from window_texts import ENTER_PATH_TITLE, INITIALISE_TITLE

OK_SETUP_COLOUR = (255, 192, 192)  # &H00C0C0FF
PICTURE_COLOUR = (40, 160, 80)
DESIGN_ROW_HEIGHT = 12  # the design font's cell at 96 dots per inch
WHOLE_ROWS = 5
TITLE_PIXELS = 12
TITLE_BAR_BUTTONS = 4  # the icon, minimise, maximise, close
TITLE_BAR_BUTTON_WIDTH = 16


def text_width(text, pixels):
    """How wide the Japanese font draws text at this size, measured by ImageMagick."""
    font = subprocess.run(["fc-match", "-f", "%{file}", "IPAGothic:bold"], capture_output=True, text=True,
                          check=True).stdout
    size = subprocess.run(["convert", "-font", font, "-pointsize", str(pixels), f"label:{text}", "-format", "%w",
                           "info:"], capture_output=True, text=True, check=True).stdout
    return int(size)


class SetupCommandsTest(LauncherCase):
    def enter_setup_mode(self, items=None):
        if items is not None:
            write_store(self.run_folder.program_folder, items)
        run = self.start_run()
        run.wait_for_mode(NORMAL_MODE)
        run.click_control("Label2")
        run.wait_for_mode(SETUP_MODE)
        return run

    def ok_saves(self, run, items, picture=""):
        run.click_control("Command1")
        run.wait_for_mode(NORMAL_MODE)
        wait_for(self.run_folder.store.exists, "the store to be written")
        wait_for_value(self.run_folder.store.read_bytes, store_bytes(items, picture), "the saved store")

    def test_a_typed_path_is_added_with_the_add_button(self):
        added = self.folder / "report.sh"
        added.write_text("#!/bin/sh\n")
        run = self.enter_setup_mode()
        self.driver.type_text(str(added))
        run.click_control("Command20")
        self.ok_saves(run, DEFAULT_ITEMS + (str(added),))

    def test_an_item_moves_down(self):
        run = self.enter_setup_mode(["first", "second", "third"])
        self.click_row(run, 0)  # in setup mode a click selects only
        run.click_control("Command9")
        self.ok_saves(run, ["second", "first", "third"])
        self.assertEqual(self.starts(), [])

    def test_initialise_brings_back_the_default_items(self):
        run = self.enter_setup_mode(["first", "second"])
        run.click_control("Command5")
        run.answer_box(INITIALISE_TITLE, "Return")  # Yes is the default answer
        self.ok_saves(run, DEFAULT_ITEMS)

    def test_a_chosen_picture_is_shown_and_saved(self):
        picture = self.folder / "sky.bmp"
        write_bmp(picture, 16, PICTURE_COLOUR)
        run = self.enter_setup_mode()
        run.click_control("Command4")
        run.wait_for_dialog()
        self.driver.type_text(str(picture))
        self.driver.key("Return")
        wait_for(lambda: not run.other_windows(), "the picture dialog to close")
        wait_for_value(lambda: run.capture().pixel(2, 2), PICTURE_COLOUR, "the picture at the top-left")
        self.ok_saves(run, DEFAULT_ITEMS, str(picture))

    def test_help_opens_a_new_mail(self):
        run = self.enter_setup_mode()
        run.click_control("Label3")
        wait_for(self.starts, "the mail to be opened")
        start = self.starts()[0]
        self.assertEqual(start.program, "xdg-open")
        self.assertEqual(len(start.arguments), 1)
        self.assertTrue(start.arguments[0].startswith("mailto:"), start.arguments)

    def test_a_box_is_wide_enough_for_its_whole_title(self):
        run = self.enter_setup_mode()
        run.click_control("Command20")  # Add with the path input empty
        box = wait_for(lambda: self.driver.find_windows(run.process.pid, "^" + ENTER_PATH_TITLE + "$"),
                       "the empty-text box")[0]
        # The title in the Japanese font at the window font's size, with room for the title bar's icon and its
        # three buttons beside it.
        needed = text_width(ENTER_PATH_TITLE, TITLE_PIXELS) + TITLE_BAR_BUTTONS * TITLE_BAR_BUTTON_WIDTH
        self.assertGreaterEqual(self.driver.geometry(box).width, needed)
        run.answer_box(ENTER_PATH_TITLE, "Return")

    def test_ok_is_solid_light_red_in_setup_mode(self):
        run = self.enter_setup_mode()
        self.driver.move_pointer(0, 0)
        capture = run.settled_capture()
        ok = control_rectangle("Command1")
        # The face inside the button's edge: its bottom row and both sides, clear of the caption "OK".
        left, top, width, height = ok.left + 2, ok.top + 2, ok.width - 4, ok.height - 4
        face = capture.colours(left, top + height - 1, width, 1)
        face |= capture.colours(left, top, 4, height) | capture.colours(left + width - 4, top, 4, height)
        self.assertEqual(face, {OK_SETUP_COLOUR})
        run.save_screenshot(self.artifacts / "setup-ok.png")

    def test_the_list_shows_five_whole_rows(self):
        # Measured on the real window when the class started: the rows' top and height.
        self.assertEqual(self.rows.height, DESIGN_ROW_HEIGHT)
        frame = control_rectangle("List1")
        frame_bottom = frame.top + frame.height - 1
        sixth_top = self.rows.top + WHOLE_ROWS * self.rows.height
        self.assertLess(sixth_top - 1, frame_bottom, "five whole rows fit")
        self.assertGreater(sixth_top + self.rows.height - 1, frame_bottom, "a sixth would not")
        # Of the fifteen default items the fifth shows, and no part of the sixth is cut into view below it.
        run = self.enter_setup_mode()
        self.driver.move_pointer(0, 0)
        capture = run.settled_capture()
        self.assertFalse(self.row_is_blank(run, WHOLE_ROWS - 1), "the fifth row shows its item")
        below = capture.colours(frame.left + 4, sixth_top, frame.width - 30, frame_bottom - sixth_top)
        self.assertEqual(len(below), 1, "something shows below the fifth row")


if __name__ == "__main__":
    unittest.main()
