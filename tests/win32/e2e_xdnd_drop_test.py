"""Files dragged onto hopwick.exe under Wine from an X program with the X drag-and-drop protocol, which Wine's X11
driver hands to the window as the shell's drop: the drop is finished before any question, names that cannot be
stored are told in one box, and Escape on a question stops the drop."""

import unittest

from polling import wait_for, wait_for_value
from store_file import store_bytes, write_store
from window_texts import DROP_REFUSED_TITLE, DROP_TITLE
from wine_case import WineCase
from wine_shell import windows_path

FINISHED = ["status accepted", "finished accepted XdndActionCopy"]
QUOTED_NAMES = 30


class WineXdndDropTest(WineCase):
    def setUp(self):
        super().setUp()
        write_store(self.run_folder.program_folder, ["NotePad"])

    def files(self, *names):
        paths = []
        for name in names:
            path = self.folder / name
            path.write_text(name)
            paths.append(path)
        return paths

    def stored(self):
        return self.run_folder.store.read_bytes()

    def start_normal(self):
        run = self.start_run()
        run.wait_for_mode(run.normal_mode())
        return run

    def test_the_drop_is_finished_before_its_question_and_yes_stores_the_file(self):
        run = self.start_normal()
        first, second = self.files("first.txt", "second.txt")
        # The source hears that the drop is finished while nobody has answered anything yet.
        self.assertEqual(run.drag_files([first]), FINISHED)
        wait_for(lambda: run.boxes_titled(DROP_TITLE), "the question about the first drop")
        self.assertEqual(self.stored(), store_bytes(["NotePad"]))

        # A second drag while the question holds the window is answered at once, and if taken, it waits for the
        # first drop's end: its question never comes up over the first one.
        answers = run.drag_files([second], control="Label2")
        self.assertIn(answers, (["status refused"], FINISHED))
        self.assertEqual(len(run.boxes_titled(DROP_TITLE)), 1)

        run.answer_box(DROP_TITLE, "Return")
        # Wine names the Linux files by their place on drive Z:.
        expected = ["NotePad", windows_path(first)]
        if answers == FINISHED:
            run.answer_box(DROP_TITLE, "Return")
            expected.append(windows_path(second))
        wait_for_value(self.stored, store_bytes(expected), "the store to hold what was accepted")
        self.assertEqual(run.exit_by_label(), 0)

    def test_names_that_cannot_be_stored_are_told_in_one_box(self):
        run = self.start_normal()
        fine = self.files("fine.txt")
        quoted = self.files(*(f'say "{number}".txt' for number in range(QUOTED_NAMES)))
        # Onto the window's surface this time, which takes drops as the list does.
        self.assertEqual(run.drag_files(fine + quoted, control="Label2"), FINISHED)
        run.answer_box(DROP_TITLE, "Return")
        run.answer_box(DROP_REFUSED_TITLE, "Return")
        wait_for_value(self.stored, store_bytes(["NotePad", windows_path(fine[0])]), "the fine name to be stored")
        self.assertFalse(run.boxes_titled(DROP_REFUSED_TITLE) or run.boxes_titled(DROP_TITLE))
        self.assertEqual(run.exit_by_label(), 0)

    def test_escape_on_a_question_stops_the_drop(self):
        run = self.start_normal()
        offered = self.files("one.txt", "two.txt", "three.txt")
        self.assertEqual(run.drag_files(offered), FINISHED)
        run.answer_box(DROP_TITLE, "Escape")
        # The next question can only be the later drop's: the stopped one offers nothing more.
        later = self.files("later.txt")
        self.assertEqual(run.drag_files(later), FINISHED)
        run.answer_box(DROP_TITLE, "Return")
        wait_for_value(self.stored, store_bytes(["NotePad", windows_path(later[0])]), "only the later drop")
        self.assertEqual(run.exit_by_label(), 0)


if __name__ == "__main__":
    unittest.main()
