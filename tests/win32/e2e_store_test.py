"""hopwick.exe under Wine on a private X display, driven from outside with xdotool: the store of the very first run,
and a store that the Linux program wrote, with Japanese paths and commas, rewritten byte for byte."""

import os
import unittest

from polling import wait_for, wait_for_value
from store_file import DEFAULT_ITEMS, store_bytes, write_store
from store_rewrite_test import OLD_TIME, PICTURE_COLOUR, PICTURE_SIZE, write_bmp
from window_layout import control_rectangle
from wine_case import WineCase

DEFAULT_STORE_SIZE = 221
EXIT_CODE = 0
LIST_EDGE = 2  # pixels of the list's sunken frame, above its first row
DOWN_BUTTON = (4920, 2520, 375, 255)  # Command9, "↓", in twips
DEEP_LEVELS = 40
DEEP_ADDED = ("C:\\windows\\notepad.exe", "C:\\windows\\regedit.exe")  # programs of every Wine prefix


class WineStoreTest(WineCase):
    def start_run(self):
        run = super().start_run()
        run.wait_for_mode(run.normal_mode())
        return run

    def setup_then_ok(self, run):
        run.click_control("Label2")
        run.wait_for_mode(run.setup_mode())
        run.click_control("Command1")
        run.wait_for_mode(run.normal_mode())

    def test_first_run_shows_the_defaults_and_ok_saves_them(self):
        run = self.start_run()
        self.assertFalse(self.run_folder.store.exists(), "nothing is saved before OK")
        self.setup_then_ok(run)
        expected = store_bytes(DEFAULT_ITEMS)
        self.assertEqual(len(expected), DEFAULT_STORE_SIZE)
        wait_for(self.run_folder.store.exists, "the store to be written")
        wait_for_value(self.run_folder.store.read_bytes, expected, "the store's bytes")
        self.assertEqual(run.exit_by_label(), EXIT_CODE)

    def test_a_store_of_the_linux_program_is_read_and_rewritten_byte_for_byte(self):
        picture = self.folder / "背景.bmp"
        write_bmp(picture, PICTURE_SIZE, PICTURE_COLOUR)
        # Windows paths in code page 932, with commas inside fields, an empty entry before the last one, and
        # 表 and ソ, whose second byte is the backslash. The picture is named as Wine sees it, on drive Z:.
        items = ["C:\\ﾂｰﾙ\\表示.exe", "D:\\会議, 議事録\\予定,表.txt", "", "NotePad", "\\\\server\\ソフト\\x,y"]
        store = write_store(self.run_folder.program_folder, items, "Z:" + str(picture).replace("/", "\\"))
        stored = store.read_bytes()
        os.utime(store, (OLD_TIME, OLD_TIME))
        run = self.start_run()
        # Left of the list, where only the window's surface and so the stored picture shows.
        self.assertEqual(run.client_pixel(run.settled_capture(), 2, 2), PICTURE_COLOUR)
        self.setup_then_ok(run)
        wait_for(lambda: store.stat().st_mtime != OLD_TIME, "the store to be rewritten")
        self.assertEqual(store.read_bytes(), stored)
        self.assertEqual(run.exit_by_label(), EXIT_CODE)

    def test_keys_add_a_typed_path_and_access_keys_act_only_in_setup_mode(self):
        run = self.start_run()
        windows = run.window_count()
        # Alt+I is the initialise button's access key: in normal mode that button is out of view and does nothing.
        # Had the key acted, its question would hold the window, and setup mode could not begin.
        self.driver.key("alt+i")
        run.click_control("Label2")
        run.wait_for_mode(run.setup_mode())
        self.assertEqual(run.window_count(), windows)
        # Setup mode puts the focus into the path input; Enter adds what was typed.
        typed = "Z:" + str(self.run_folder.program).replace("/", "\\")
        run.type_text(typed)
        self.driver.key("Return")
        # In setup mode the access key acts: the initialise button asks first, and No keeps the list.
        self.driver.key("alt+i")
        wait_for(lambda: run.window_count() == windows + 1, "the question before initialising")
        self.driver.key("n")
        wait_for(lambda: run.window_count() == windows, "the question to close")
        run.click_control("Command1")
        run.wait_for_mode(run.normal_mode())
        wait_for(self.run_folder.store.exists, "the store to be written")
        wait_for_value(self.run_folder.store.read_bytes, store_bytes(DEFAULT_ITEMS + (typed,)), "the store's bytes")
        self.assertEqual(run.exit_by_label(), EXIT_CODE)

    def test_tab_in_normal_mode_never_reaches_the_setup_band(self):
        run = self.start_run()
        windows = run.window_count()
        # Tab, Tab, Enter once pressed the unseen Add button, whose box about the empty path would hold the window;
        # more Tabs reached the unseen buttons that delete and initialise. In normal mode Tab moves only between
        # the list and the setup label, so an even number of Tabs comes back to the list, where Enter with nothing
        # selected does nothing.
        for key in ("Tab", "Tab", "Return", "shift+Tab", "shift+Tab", "Return", "Tab", "Tab", "Tab", "Tab", "Return"):
            self.driver.key(key)
        self.setup_then_ok(run)
        self.assertEqual(run.window_count(), windows)
        wait_for(self.run_folder.store.exists, "the store to be written")
        wait_for_value(self.run_folder.store.read_bytes, store_bytes(DEFAULT_ITEMS), "the store's bytes")
        self.assertEqual(run.exit_by_label(), EXIT_CODE)

    def test_the_fifth_row_begins_where_five_rows_of_the_design_font_fill_the_list(self):
        run = self.start_run()
        run.click_control("Label2")
        run.wait_for_mode(run.setup_mode())
        # The rows are 12 px at 96 dpi: the top line of the fifth row lies in the fourth of rows a pixel higher.
        row = 12 * run.dpi // 96
        run.click_at(control_rectangle("List1").left + 20, control_rectangle("List1").top + LIST_EDGE + 4 * row)
        left, top, width, height = (run.pixels(twips) for twips in DOWN_BUTTON)
        run.click_at(left + width // 2, top + height // 2)  # the fifth item changes places with the sixth
        run.click_control("Command1")
        run.wait_for_mode(run.normal_mode())
        moved = list(DEFAULT_ITEMS)
        moved[4], moved[5] = moved[5], moved[4]
        wait_for(self.run_folder.store.exists, "the store to be written")
        wait_for_value(self.run_folder.store.read_bytes, store_bytes(tuple(moved)), "the store's bytes")
        self.assertEqual(run.exit_by_label(), EXIT_CODE)

    def test_a_double_click_on_the_surface_chooses_a_picture_only_in_setup_mode(self):
        run = self.start_run()
        windows = run.window_count()
        # Left of the list, on the bare surface. Had it opened the dialog, setup mode could not begin.
        run.double_click_at(2, 2)
        run.click_control("Label2")
        run.wait_for_mode(run.setup_mode())
        self.assertEqual(run.window_count(), windows)
        run.double_click_at(2, 2)
        wait_for(lambda: run.window_count() == windows + 1, "the picture dialog")
        self.driver.key("Escape")
        wait_for(lambda: run.window_count() == windows, "the picture dialog to close")
        self.assertEqual(run.exit_by_label(), EXIT_CODE)
        self.assertFalse(self.run_folder.store.exists(), "a cancelled choice saves nothing")

    def test_a_program_deeper_than_260_characters_and_32_folders_saves_again_and_again(self):
        deep = self.folder / "deep"
        for level in range(DEEP_LEVELS):
            deep = deep / f"level-{level}"
        self.run_folder = self.folder_class(deep, self.program)
        store = self.run_folder.store
        self.assertGreater(len("Z:" + str(store)), 260)
        run = self.start_run()
        windows = run.window_count()
        self.setup_then_ok(run)
        items = DEFAULT_ITEMS
        wait_for_value(store.read_bytes, store_bytes(items), "the first store's bytes")
        # Each save after the first failed there with a box: no box, and the store holds the new record.
        for typed in DEEP_ADDED:
            run.click_control("Label2")
            run.wait_for_mode(run.setup_mode())
            # The path input keeps the last path added: the new one takes its place.
            self.driver.key("End", "shift+Home")
            run.type_text(typed)
            self.driver.key("Return")
            run.click_control("Command1")
            run.wait_for_mode(run.normal_mode())
            items = items + (typed,)
            wait_for_value(store.read_bytes, store_bytes(items), "the store's bytes")
            self.assertEqual(run.window_count(), windows)
        self.assertEqual(run.exit_by_label(), EXIT_CODE)
        # Loaded back: OK rewrites the loaded list, not the defaults.
        os.utime(store, (OLD_TIME, OLD_TIME))
        run = self.start_run()
        self.setup_then_ok(run)
        wait_for(lambda: store.stat().st_mtime != OLD_TIME, "the store to be rewritten")
        self.assertEqual(store.read_bytes(), store_bytes(items))
        self.assertEqual(run.exit_by_label(), EXIT_CODE)


if __name__ == "__main__":
    unittest.main()
