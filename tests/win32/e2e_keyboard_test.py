"""hopwick.exe under Wine without a mouse, through real key events (xdotool on Wine's X window): the scenarios
of the Linux program's keyboard suite that Wine can show. The list's keys, which start the real tools under
Wine, are proved on the window itself (window_input_test.cpp, keys sent through the system's input queue)."""

import unittest

from keyboard_scenarios import KeyboardScenarios
from store_rewrite_test import PICTURE_COLOUR, PICTURE_SIZE, write_bmp
from window_texts import INITIALISE_TITLE, WRONG_PATH_TITLE
from wine_case import WineCase
from wine_shell import RecordedWineRun, recorder_command, registry, windows_path

# A document type of the test's own and the mail protocol, both opened by the recording stand-in.
DOCUMENT_TYPE = ".hopwickkeys"
DOCUMENT_CLASS = "HopwickKeys.Document"
MAIL_PROTOCOL = "HKLM\\Software\\Classes\\mailto"


class WineKeyboardTest(KeyboardScenarios, WineCase):
    run_class = RecordedWineRun
    initialise_title = INITIALISE_TITLE
    wrong_path_title = WRONG_PATH_TITLE
    # They start built-in tools, which are real programs under Wine, or open one document twice, which the
    # stand-in's one record cannot tell from once.
    test_moving_through_the_list_starts_nothing_and_keeps_a_stale_path = None
    test_a_typed_letter_selects_the_entry_it_begins_and_starts_nothing = None
    # Wine's list box draws no caret frame while nothing is selected; the focus mark there is not Hopwick's own.
    test_the_list_shows_its_focus_after_delete_and_after_cancel = None
    # Openbox grabs Alt+F4 on the whole display; Wine's window is none of its own, so the key never reaches it.
    alt_f4_reaches_the_window = False

    @classmethod
    def setUpClass(cls):
        super().setUpClass()
        command = recorder_command()
        classes = "HKLM\\Software\\Classes\\"
        cls.addClassCleanup(registry, cls.wine_environment, "delete", classes + DOCUMENT_CLASS, "/f", check=False)
        cls.addClassCleanup(registry, cls.wine_environment, "delete", classes + DOCUMENT_TYPE, "/f", check=False)
        cls.addClassCleanup(registry, cls.wine_environment, "delete", MAIL_PROTOCOL, "/f", check=False)
        registry(cls.wine_environment, "add", classes + DOCUMENT_TYPE, "/ve", "/d", DOCUMENT_CLASS, "/f")
        registry(cls.wine_environment, "add", classes + DOCUMENT_CLASS + "\\shell\\open\\command", "/ve", "/d",
                 command, "/f")
        registry(cls.wine_environment, "add", MAIL_PROTOCOL, "/v", "URL Protocol", "/d", "", "/f")
        registry(cls.wine_environment, "add", MAIL_PROTOCOL + "\\shell\\open\\command", "/ve", "/d", command, "/f")

    def setUp(self):
        super().setUp()
        self.records = []

    def start_run(self, arguments=()):
        self.run = super().start_run(arguments)
        return self.run

    def existing_path(self, name="report"):
        path = self.folder / f"{name}{DOCUMENT_TYPE}"
        path.write_text(name)
        return windows_path(path)

    def picture_path(self):
        path = self.folder / "sky.bmp"
        write_bmp(path, PICTURE_SIZE, PICTURE_COLOUR)
        return windows_path(path)

    def documents(self):
        return self.existing_path("notes"), windows_path(self.folder / f"gone{DOCUMENT_TYPE}")

    def opened(self):
        """The stand-in keeps the last open only: each new record read is one more open."""
        record = self.run.recorded_command()
        if record is not None and (not self.records or self.records[-1] != record):
            self.records.append(record)
        return [self.kind(record) for record in self.records]

    @staticmethod
    def kind(command):
        target = command.rsplit('"', 2)[-2]
        return ("mail" if target.startswith("mailto:") else "document"), target


if __name__ == "__main__":
    unittest.main()
