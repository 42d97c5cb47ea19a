"""The launcher under a screen reader on X: every control announced with its role, name, description and
states in both modes, what the screen reader hears as the user moves (the window's new title, the selected
entry, the whole path), and the launcher operated over AT-SPI alone, with no key or mouse event."""

import os
import re
import unittest
from pathlib import Path

import screen_reader
from accessible_run import AccessibleRun, RunFolder
from bus_session import start_for_module, started_for_module
from case_scope import fresh_folder, started_for_test
from polling import wait_for, wait_for_value
from store_file import DEFAULT_ITEMS, store_bytes, write_store
from window_texts import APP_CAPTION, SETUP_CAPTION
from x_driver import XDriver
from x_session import XSession

from expected_tree import NORMAL_MODE_CONTROLS, SETUP_MODE_CONTROLS, LIST_NAME, PATH_LABEL


NAME_CHANGED = "object:property-change:accessible-name"
FOCUSED = "object:state-changed:focused"


def setUpModule():
    global session, bus, heard
    session, bus = start_for_module(lambda folder: started_for_module(XSession(folder / "x")), "hopwick-a11y-")
    heard = screen_reader.Heard(NAME_CHANGED, FOCUSED)
    unittest.addModuleCleanup(heard.stop)


class ScreenReaderCase(unittest.TestCase):
    stored_items = None  # the store that the program finds; None: none, so it starts with the default items

    def setUp(self):
        self.folder = fresh_folder(self, "hopwick-a11y-")
        environment = dict(session.environment, QT_QPA_PLATFORM="xcb")
        run_folder = RunFolder(self.folder / "run", Path(os.environ["HOPWICK_E2E_PROGRAM"]))
        if self.stored_items is not None:
            write_store(run_folder.program_folder, self.stored_items(run_folder.work_folder))
        heard.clear()
        self.run = started_for_test(self, AccessibleRun(environment, run_folder))
        self.window = self.run.window(APP_CAPTION)

    @staticmethod
    def focused(window):
        return [(child.role, child.name) for child in window.children() if "focused" in child.states()]

    def offered(self, window):
        return {(child.role, child.name): child for child in window.children()}

    def control(self, window, role, name):
        control = self.offered(window).get((role, name))
        self.assertIsNotNone(control, f"no {role} {name!r} offered in {sorted(self.offered(window))}")
        return control

    def enter_setup_mode(self):
        setup_label = self.control(self.window, "push button", NORMAL_MODE_CONTROLS[2][1])
        setup_label.act("Press")
        return self.run.window(SETUP_CAPTION)

    def entry_names(self, window):
        return [entry.name for entry in self.control(window, "list", LIST_NAME).children()]


class TreeTest(ScreenReaderCase):
    def assert_controls(self, window, expected):
        announced = [(child.role, child.name, child.description) for child in window.children()]
        self.assertEqual(sorted(announced), sorted(expected))
        for child in window.children():
            self.assertTrue({"showing", "visible"} <= child.states(), f"{child} is offered but not showing")

    def test_normal_mode_offers_the_top_strip_alone(self):
        self.assertEqual(self.window.role, "frame")
        self.assert_controls(self.window, NORMAL_MODE_CONTROLS)
        wait_for_value(lambda: self.focused(self.window), [("list", LIST_NAME)], "the list to have the focus")
        entries = self.control(self.window, "list", LIST_NAME).children()
        self.assertEqual([entry.name for entry in entries], list(DEFAULT_ITEMS))
        self.assertEqual({entry.role for entry in entries}, {"list item"})
        self.assertFalse(any("selected" in entry.states() for entry in entries))
        # The rows in the list's height are showing; the rest are scrolled out of view.
        showing = [entry.name for entry in entries if "showing" in entry.states()]
        self.assertEqual(showing, list(DEFAULT_ITEMS[:len(showing)]))
        self.assertLess(0, len(showing))
        self.assertLess(len(showing), len(DEFAULT_ITEMS))

    def test_setup_mode_offers_every_control_and_normal_mode_takes_the_band_away_again(self):
        window = self.enter_setup_mode()
        wait_for(lambda: len(window.children()) == len(SETUP_MODE_CONTROLS), "the setup band to be offered")
        self.assert_controls(window, SETUP_MODE_CONTROLS)
        wait_for_value(lambda: self.focused(window), [("text", PATH_LABEL)], "the text box to have the focus")
        self.control(window, "push button", "Cancel").act("Press")
        window = self.run.window(APP_CAPTION)
        wait_for(lambda: len(window.children()) == len(NORMAL_MODE_CONTROLS), "the setup band to be withdrawn")
        self.assert_controls(window, NORMAL_MODE_CONTROLS)

    def test_labels_that_act_are_push_buttons_and_the_text_box_is_named_by_its_label(self):
        window = self.enter_setup_mode()
        wait_for(lambda: len(window.children()) == len(SETUP_MODE_CONTROLS), "the setup band to be offered")
        for name in ("Exit", NORMAL_MODE_CONTROLS[2][1], "Help!"):
            self.assertEqual(list(self.control(window, "push button", name).actions()), ["Press"], name)
        # The label that only names the box stays a label, and the box points to it.
        self.assertEqual(self.control(window, "label", PATH_LABEL).actions(), {})
        self.assertEqual(self.control(window, "text", PATH_LABEL).labelled_by(), [PATH_LABEL])

    def test_access_keys_are_announced_as_shortcuts_not_in_the_name(self):
        window = self.enter_setup_mode()
        wait_for(lambda: len(window.children()) == len(SETUP_MODE_CONTROLS), "the setup band to be offered")
        for name, key in (("追加", "a"), ("ｱｲﾃﾑ選択", "c"), ("初期化", "i"), ("ｱｲﾃﾑ削除", "d"), ("画像", "p"),
                          ("画像削除", "e")):
            binding = self.control(window, "push button", name).key_binding("Press")
            self.assertEqual(binding.lower().replace(" ", ""), f"alt+{key}", name)
        self.assertEqual(self.control(window, "push button", "OK").key_binding("Press"), "")

    def test_a_message_box_reads_its_text_and_is_answered_through_its_button(self):
        window = self.enter_setup_mode()
        wait_for(lambda: len(window.children()) == len(SETUP_MODE_CONTROLS), "the setup band to be offered")
        self.control(window, "push button", "追加").act("Press")
        box = self.run.window("ﾊﾟｽ を入力して下さい。")
        self.assertIn(box.role, ("alert", "dialog"))
        self.assertIn("ﾃｷｽﾄ が空です。", screen_reader.all_text(box))
        screen_reader.find(box, "push button", "OK").act("Press")
        wait_for(lambda: not self.run.application.has_window("ﾊﾟｽ を入力して下さい。"), "the box to close")


class OperationTest(ScreenReaderCase):
    def test_a_path_typed_added_saved_and_launched_through_the_screen_reader_alone(self):
        document = self.run.folder.work_folder / "notes.txt"
        document.write_text("notes\n")
        window = self.enter_setup_mode()
        wait_for(lambda: len(window.children()) == len(SETUP_MODE_CONTROLS), "the setup band to be offered")

        text_box = self.control(window, "text", PATH_LABEL)
        text_box.set_text(str(document))
        wait_for_value(text_box.text, str(document), "the text box to hold the path")
        self.control(window, "push button", "追加").act("Press")
        wait_for_value(lambda: self.entry_names(window), list(DEFAULT_ITEMS) + [str(document)],
                       "the path to be added")

        # A press in setup mode only selects: one entry, announced as selected, and nothing started.
        entries = self.control(window, "list", LIST_NAME).children()
        entries[2].act("Press")
        wait_for(lambda: "selected" in entries[2].states(), "the entry to be selected")
        self.assertEqual([entry.name for entry in entries if "selected" in entry.states()], [DEFAULT_ITEMS[2]])
        self.assertEqual(self.run.starts(), [])

        self.control(window, "push button", "OK").act("Press")
        window = self.run.window(APP_CAPTION)
        wait_for_value(lambda: self.run.folder.store.read_bytes() if self.run.folder.store.exists() else None,
                       store_bytes(list(DEFAULT_ITEMS) + [str(document)]), "the store")
        self.assertEqual(len(self.run.folder.store.read_bytes()), 221 + len(str(document)))

        entries = self.control(window, "list", LIST_NAME).children()
        entries[len(DEFAULT_ITEMS)].act("Press")
        start = wait_for(self.run.starts, "the opener to be started")
        self.assertEqual([(s.program, s.arguments) for s in start], [("xdg-open", (str(document),))])
        self.assertEqual(start[0].folder, str(self.run.folder.work_folder.resolve()))


def two_documents(work_folder):
    documents = [work_folder / "first.txt", work_folder / "second.txt"]
    for document in documents:
        document.write_text(f"{document.name}\n")
    return [str(document) for document in documents]


class EntryActionTest(ScreenReaderCase):
    stored_items = staticmethod(two_documents)

    def test_an_entry_selected_through_the_list_starts_nothing_and_a_press_starts_it(self):
        first, second = two_documents(self.run.folder.work_folder)
        entries = self.control(self.window, "list", LIST_NAME).children()
        self.assertEqual([entry.name for entry in entries], [first, second])
        self.assertEqual(sorted(entries[0].actions()), ["Press"])

        self.assertTrue(self.control(self.window, "list", LIST_NAME).select_row(0))
        wait_for(lambda: "selected" in entries[0].states(), "the entry to be selected")
        # The press that follows is the positive signal: only its start is recorded.
        entries[1].act("Press")
        start = wait_for(self.run.starts, "the opener to be started")
        self.assertEqual([(s.program, s.arguments) for s in start], [("xdg-open", (second,))])
        self.assertEqual([entry.name for entry in entries if "selected" in entry.states()], [second])


class HeardTest(ScreenReaderCase):
    def setup_band(self):
        window = self.enter_setup_mode()
        wait_for(lambda: len(window.children()) == len(SETUP_MODE_CONTROLS), "the setup band to be offered")
        return window

    def test_the_window_is_heard_taking_the_setup_instruction_as_its_name_and_giving_it_back(self):
        self.setup_band()
        heard.wait_for(lambda event: event[:3] == (NAME_CHANGED, "frame", SETUP_CAPTION),
                       "the window's new name to be heard")
        self.control(self.run.window(SETUP_CAPTION), "push button", "Cancel").act("Press")
        heard.wait_for(lambda event: event[:3] == (NAME_CHANGED, "frame", APP_CAPTION),
                       "the window's name to be heard back")

    def test_arriving_in_the_list_is_heard_as_arriving_at_the_selected_entry(self):
        window = self.setup_band()
        wait_for_value(lambda: self.focused(window), [("text", PATH_LABEL)], "the text box to have the focus")
        entry_list = self.control(window, "list", LIST_NAME)
        self.assertTrue(entry_list.select_row(2))
        entries = entry_list.children()
        wait_for(lambda: "selected" in entries[2].states(), "the entry to be selected")
        self.assertEqual(self.run.starts(), [])

        # Shift+Tab from the text box, as a user arrives in the list.
        driver = XDriver(session.environment)
        window_id = wait_for(lambda: driver.find_windows(self.run.process.pid, "^" + re.escape(SETUP_CAPTION) + "$"),
                             "the window on the display")[0]
        driver.focus(window_id)
        heard.clear()
        driver.key("shift+Tab")
        heard.wait_for(lambda event: event[:4] == (FOCUSED, "list item", DEFAULT_ITEMS[2], 1),
                       "the selected entry to be heard taking the focus")
        self.assertIn("focused", entries[2].states())
        self.assertEqual([entry.name for entry in entries if "focused" in entry.states()], [DEFAULT_ITEMS[2]])

    def test_the_path_box_is_read_whole(self):
        window = self.setup_band()
        text_box = self.control(window, "text", PATH_LABEL)
        for path in ("/tmp/audit-orca/app", '/tmp/a"b'):
            text_box.set_text(path)
            wait_for_value(text_box.text, path, "the text box to hold the path")
            # Every character lies in a run of text attributes; a run of no length cuts the reading short.
            runs = text_box.attribute_runs()
            self.assertEqual(len(runs), len(path))
            for offset, (start, end) in enumerate(runs):
                self.assertLessEqual(start, offset, path)
                self.assertLess(offset, end, path)
            self.assertEqual((runs[0][0], runs[-1][1]), (0, len(path)))


if __name__ == "__main__":
    unittest.main()
