"""Files dragged from another program with the X drag-and-drop protocol, for the Linux program and for the Windows
program under Wine, whose X11 driver hands the drop to the window as the shell's: the drop is finished before any
question, names that cannot be stored are told in one box, and Escape on a question stops the drop.

The suites mix DropScenarios into their own case, which says how a run reaches normal mode and how the program
names a dropped file in its store."""

from polling import wait_for, wait_for_value
from store_file import store_bytes, write_store
from window_texts import DROP_REFUSED_TITLE, DROP_TITLE

FINISHED = ["status accepted", "finished accepted XdndActionCopy"]
QUOTED_NAMES = 30
EXIT_CODE = 0


class DropScenarios:
    def start_normal(self):
        raise NotImplementedError

    def stored_name(self, path):
        raise NotImplementedError

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

    def expect_stored(self, paths, what):
        expected = store_bytes(["NotePad", *(self.stored_name(path) for path in paths)])
        wait_for_value(self.stored, expected, what)

    def test_the_drop_is_finished_before_its_question_and_a_second_drag_gets_its_own_answer(self):
        run = self.start_normal()
        first, second = self.files("first.txt", "second.txt")
        # The source hears that the drop is finished while nobody has answered anything yet.
        self.assertEqual(run.drag_files([first]), FINISHED)
        wait_for(lambda: run.boxes_titled(DROP_TITLE), "the question about the first drop")
        self.assertEqual(self.stored(), store_bytes(["NotePad"]))

        # A second drag while the question is up is answered at once, whatever the answer, and not by the first
        # drop's end; if taken, its question waits for the first drop's end and never comes up over it.
        answers = run.drag_files([second], control="Label2")
        self.assertIn(answers, (["status refused"], FINISHED))
        self.assertEqual(len(run.boxes_titled(DROP_TITLE)), 1, "the first question alone is waiting")

        run.answer_box(DROP_TITLE, "Return")
        accepted = [first]
        if answers == FINISHED:  # taken: its question comes after the first drop's
            run.answer_box(DROP_TITLE, "Return")
            accepted.append(second)
        self.expect_stored(accepted, "the store to hold what was accepted")
        self.assertEqual(run.exit_by_label(), EXIT_CODE)

    def test_names_that_cannot_be_stored_are_told_in_one_box(self):
        run = self.start_normal()
        fine = self.files("fine.txt")
        quoted = self.files(*(f'say "{number}".txt' for number in range(QUOTED_NAMES)))
        self.assertEqual(run.drag_files(fine + quoted), FINISHED)
        run.answer_box(DROP_TITLE, "Return")
        run.answer_box(DROP_REFUSED_TITLE, "Return")
        self.expect_stored(fine, "the fine name to be stored")
        self.assertFalse(run.boxes_titled(DROP_REFUSED_TITLE) or run.boxes_titled(DROP_TITLE))
        self.assertEqual(run.exit_by_label(), EXIT_CODE)

    def test_escape_on_a_question_stops_the_drop(self):
        run = self.start_normal()
        offered = self.files("one.txt", "two.txt", "three.txt")
        self.assertEqual(run.drag_files(offered), FINISHED)
        run.answer_box(DROP_TITLE, "Escape")
        # The next question can only be the later drop's: the stopped one offers nothing more.
        later = self.files("later.txt")
        self.assertEqual(run.drag_files(later), FINISHED)
        run.answer_box(DROP_TITLE, "Return")
        self.expect_stored(later, "only the later drop to be stored")
        self.assertEqual(run.exit_by_label(), EXIT_CODE)
