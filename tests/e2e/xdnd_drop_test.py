"""Files dragged from another program with the X drag-and-drop protocol: the drop is finished before any
question, names that cannot be stored are told in one box, and Escape on a question stops the drop."""

import unittest

from launcher_case import LauncherCase
from polling import wait_for, wait_for_value
from store_file import store_bytes, write_store
from window_layout import NORMAL_MODE
from window_texts import DROP_REFUSED_TITLE, DROP_TITLE

FINISHED = ["status accepted", "finished accepted XdndActionCopy"]
QUOTED_NAMES = 30


class XdndDropTest(LauncherCase):
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
        run.wait_for_mode(NORMAL_MODE)
        return run

    def test_the_drop_is_finished_before_its_question_and_a_second_drag_gets_its_own_answer(self):
        run = self.start_normal()
        first, second = self.files("first.txt", "second.txt")
        # The source hears that the drop is finished while nobody has answered anything yet.
        self.assertEqual(run.drag_files([first]), FINISHED)
        wait_for(lambda: run.boxes_titled(DROP_TITLE), "the question about the first drop")
        self.assertEqual(self.stored(), store_bytes(["NotePad"]))

        # A second drag while the question is up is answered at once, whatever the answer, and not by the first
        # drop's end.
        answers = run.drag_files([second], control="Label2")
        self.assertIn(answers, (["status refused"], FINISHED))
        self.assertTrue(run.boxes_titled(DROP_TITLE), "the first question is still waiting")

        run.answer_box(DROP_TITLE, "Return")
        expected = ["NotePad", str(first)]
        if answers == FINISHED:  # taken: its question comes after the first drop's
            run.answer_box(DROP_TITLE, "Return")
            expected.append(str(second))
        wait_for_value(self.stored, store_bytes(expected), "the store to hold what was accepted")

    def test_names_that_cannot_be_stored_are_told_in_one_box(self):
        run = self.start_normal()
        fine = self.files("fine.txt")
        quoted = self.files(*(f'say "{number}".txt' for number in range(QUOTED_NAMES)))
        self.assertEqual(run.drag_files(fine + quoted), FINISHED)
        run.answer_box(DROP_TITLE, "Return")
        run.answer_box(DROP_REFUSED_TITLE, "Return")
        wait_for_value(self.stored, store_bytes(["NotePad", str(fine[0])]), "the fine name to be stored")
        self.assertFalse(run.boxes_titled(DROP_REFUSED_TITLE) or run.boxes_titled(DROP_TITLE))

    def test_escape_on_a_question_stops_the_drop(self):
        run = self.start_normal()
        offered = self.files("one.txt", "two.txt", "three.txt")
        self.assertEqual(run.drag_files(offered), FINISHED)
        run.answer_box(DROP_TITLE, "Escape")
        # The next question can only be the later drop's: the stopped one offers nothing more.
        later = self.files("later.txt")
        self.assertEqual(run.drag_files(later), FINISHED)
        run.answer_box(DROP_TITLE, "Return")
        wait_for_value(self.stored, store_bytes(["NotePad", str(later[0])]), "only the later drop to be stored")


if __name__ == "__main__":
    unittest.main()
