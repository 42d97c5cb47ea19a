"""Two launchers on one store: a window in normal mode follows the other's saves, a drop saves over the current
store, and OK over the other's save asks first."""

import unittest

from launcher_case import LauncherCase
from polling import wait_for, wait_for_value
from store_file import store_bytes, write_store
from window_layout import NORMAL_MODE, SETUP_MODE
from window_texts import DROP_TITLE, STORE_CHANGED_TITLE


class TwoWindowsTest(LauncherCase):
    def setUp(self):
        super().setUp()
        write_store(self.run_folder.program_folder, ["NotePad"])
        self.added = self.folder / "added by b.txt"
        self.added.write_text("b")
        self.dropped = self.folder / "dropped on a.txt"
        self.dropped.write_text("a")

    def start_two(self):
        a = self.start_run()
        b = self.start_run()
        a.move_to(20, 40)
        b.move_to(20, 420)
        a.wait_for_mode(NORMAL_MODE)
        b.wait_for_mode(NORMAL_MODE)
        return a, b

    def add_and_save(self, run, path):
        """Setup mode, the path typed and added with Enter, then OK."""
        run.click_control("Label2")
        run.wait_for_mode(SETUP_MODE)
        run.driver.type_text(str(path))
        run.driver.key("Return")
        run.click_control("Command1")

    def stored(self):
        return self.run_folder.store.read_bytes()

    def test_a_follows_b_and_a_drop_keeps_b_item(self):
        a, b = self.start_two()
        self.assertTrue(self.row_is_blank(a, 1))
        self.add_and_save(b, self.added)
        b.wait_for_mode(NORMAL_MODE)
        wait_for_value(self.stored, store_bytes(["NotePad", str(self.added)]), "B's save")
        wait_for(lambda: not self.row_is_blank(a, 1), "A to show B's item")

        answers = a.drag_files([self.dropped])
        self.assertEqual(answers, ["status accepted", "finished accepted XdndActionCopy"])
        a.answer_box(DROP_TITLE, "Return")
        wait_for_value(self.stored, store_bytes(["NotePad", str(self.added), str(self.dropped)]), "A's save")
        wait_for(lambda: not self.row_is_blank(b, 2), "B to show A's drop")

    def test_ok_over_the_other_save_asks_first(self):
        a, b = self.start_two()
        a.click_control("Label2")
        a.wait_for_mode(SETUP_MODE)
        self.add_and_save(b, self.added)
        b.wait_for_mode(NORMAL_MODE)
        theirs = store_bytes(["NotePad", str(self.added)])
        wait_for_value(self.stored, theirs, "B's save")
        self.assertTrue(self.row_is_blank(a, 1), "setup mode keeps A's own list")

        # Closing the question writes nothing and stays in setup mode.
        a.click_control("Command1")
        a.answer_box(STORE_CHANGED_TITLE, "Escape")
        a.wait_for_mode(SETUP_MODE)
        self.assertEqual(self.stored(), theirs)

        # Yes overwrites B's save with A's list.
        a.click_control("Command1")
        a.answer_box(STORE_CHANGED_TITLE, "Return")
        a.wait_for_mode(NORMAL_MODE)
        wait_for_value(self.stored, store_bytes(["NotePad"]), "A's save")
        wait_for(lambda: self.row_is_blank(b, 1), "B to follow A's save")


if __name__ == "__main__":
    unittest.main()
