"""Hopwick without a mouse, through real key events only: the setup label and "Help!" by Tab and by their
shortcuts (F2, F1), moving through the list without starting anything, plain letters that are no commands, a
focus that always lands on a control and shows, and an added entry scrolled into view.

The scenarios are shared by the Linux program (keyboard_test.py) and hopwick.exe under Wine (tests/win32); a
case class supplies how a run's opens are seen (`opened`) and where the document type opens."""

from polling import wait_for, wait_for_value
from store_file import DEFAULT_ITEMS, store_bytes, write_store
from window_layout import control_rectangle

# The tab order from the path input, which setup mode focuses.
TABS_FROM_TEXT1_TO = {"Command20": 1, "Command1": 2, "Label2": 6, "Label3": 9, "Command6": 10, "Command8": 11}
TABS_FROM_LIST1_TO_COMMAND8 = 12
OK_SETUP_COLOUR = (255, 192, 192)  # &H00C0C0FF
FOCUS_INSET = 3  # where a Windows button draws its focus frame, inside its edge
WANTED_CONTRAST = 3.0


def relative_luminance(colour):
    def linear(channel):
        channel /= 255
        return channel / 12.92 if channel <= 0.03928 else ((channel + 0.055) / 1.055) ** 2.4

    red, green, blue = (linear(channel) for channel in colour)
    return 0.2126 * red + 0.7152 * green + 0.0722 * blue


def contrast(first, second):
    lighter, darker = sorted((relative_luminance(first), relative_luminance(second)), reverse=True)
    return (lighter + 0.05) / (darker + 0.05)


class KeyboardScenarios:
    """Mixed into a launcher case; `opened()` lists what the run has opened or started so far, oldest first, as
    (kind, target) pairs: ("mail", address), ("document", path), ("editor", "")."""

    # The window manager closes a window it manages on Alt+F4; one that it does not manage gets the key only where
    # the manager has not taken it for itself.
    alt_f4_reaches_the_window = True

    def keys(self, *names):
        self.driver.key(*names)

    def tabs(self, count, backward=False):
        self.keys(*(["shift+Tab" if backward else "Tab"] * count))

    def start_fresh(self, items=None):
        if items is not None:
            write_store(self.run_folder.program_folder, items)
        run = self.start_run()
        run.wait_for_mode(run.normal_mode())
        self.driver.focus(run.window)
        return run

    def enter_setup_mode_by_f2(self, run):
        self.keys("F2")
        run.wait_for_mode(run.setup_mode())

    def answer_file_dialog(self, run, shortcut, path):
        """Opens a file dialog by its access key, types the path and confirms it; returns once the window has the
        keyboard again."""
        self.keys(shortcut)
        dialog = run.wait_for_dialog()
        run.type_text(path)
        self.keys("Return")
        wait_for(lambda: dialog not in run.other_windows(), "the file dialog to close")
        run.wait_for_keyboard()

    def saved(self, run, items, picture=""):
        run.wait_for_mode(run.normal_mode())
        wait_for(self.run_folder.store.exists, "the store to be written")
        wait_for_value(self.run_folder.store.read_bytes, store_bytes(items, picture), "the saved store")

    def list_pixels(self, run):
        """The list's rows, clear of its frame and scroll bar, as one settled capture shows them."""
        frame = control_rectangle("List1")
        return self.client_pixels(run, run.settled_capture(), frame.left + 4, frame.top + 4, frame.width - 30,
                                  frame.height - 8)

    def list_frame_pixels(self, run):
        """The list's inside edge, where a frame round the rows shows."""
        frame = control_rectangle("List1")
        capture = run.settled_capture()
        return (self.client_pixels(run, capture, frame.left + 2, frame.top + 2, frame.width - 24, 3) +
                self.client_pixels(run, capture, frame.left + 2, frame.top + 2, 3, frame.height - 4))

    def client_pixels(self, run, capture, left, top, width, height):
        dx, dy = run.client_origin_in_capture()
        return [capture.pixel(x + dx, y + dy) for y in range(top, top + height) for x in range(left, left + width)]

    def assert_nothing_opened_or_shown(self, run):
        self.assertEqual(run.other_windows(), [], "a box or dialog came up")
        self.assertEqual(self.opened(), [])

    # The setup label and "Help!": Tab reaches them, Space and Enter press them, F2 and F1 run them.

    def test_tab_and_space_on_the_setup_label_then_tab_and_enter_on_help(self):
        run = self.start_fresh()
        self.tabs(1)  # from the list to the setup label
        self.keys("space")
        run.wait_for_mode(run.setup_mode())
        self.tabs(TABS_FROM_TEXT1_TO["Label3"])
        self.keys("Return")
        wait_for(self.opened, "the mail to be opened")
        self.assertEqual([kind for kind, _ in self.opened()], ["mail"])

    def test_f2_enters_setup_mode_and_f1_opens_help_only_while_help_shows(self):
        run = self.start_fresh()
        self.keys("F1")  # "Help!" is out of view: nothing
        self.enter_setup_mode_by_f2(run)
        self.keys("F1")
        wait_for(self.opened, "the mail to be opened")
        self.assertEqual([kind for kind, _ in self.opened()], ["mail"])

    def test_no_number_of_tabs_in_normal_mode_reaches_a_hidden_control(self):
        run = self.start_fresh()
        for presses in range(1, 14):
            for backward in (False, True):
                # Space presses whatever the focus is on: the setup label, or nothing on the list. F2 after it
                # is the sign that every key before it has been handled.
                self.tabs(presses, backward)
                self.keys("space", "F2")
                run.wait_for_mode(run.setup_mode())
                self.assert_nothing_opened_or_shown(run)
                self.assertFalse(self.run_folder.store.exists(), "the store was written")
                self.tabs(TABS_FROM_TEXT1_TO["Command6"])  # Cancel
                self.keys("space")
                run.wait_for_mode(run.normal_mode())

    # The list: moving starts nothing, Enter and Space start the selected entry.

    def test_moving_through_the_list_starts_nothing_and_keeps_a_stale_path(self):
        document, missing = self.documents()
        items = [missing, document, "Calc", "NotePad", "Paint", "WordPad", "Explorer"]
        run = self.start_fresh(items)
        self.keys("Down", "Down", "Down", "Down", "Down", "End", "Home", "Next", "Prior", "Right", "Left", "Up")
        # Home is the stale path, the next entry the document: Enter starts it, and it is the only thing started.
        self.keys("Home", "Down", "Return")
        wait_for(self.opened, "the document to be opened")
        self.assertEqual(self.opened(), [("document", document)])
        self.assert_no_box(run)
        self.keys("space")
        wait_for(lambda: len(self.opened()) == 2, "the document to be opened again")
        self.assertEqual(run.mode(), run.normal_mode())
        # The stale path is still there: Enter on it reports it.
        self.keys("Home", "Return")
        run.answer_box(self.wrong_path_title, "Return")
        run.wait_for_mode(run.setup_mode())

    def test_a_typed_letter_selects_the_entry_it_begins_and_starts_nothing(self):
        document, _ = self.documents()
        run = self.start_fresh(["Calc", "NotePad", document, "Paint"])
        self.keys("p", "n")  # Paint, then NotePad
        self.keys("Return")
        wait_for(self.opened, "NotePad to be started")
        self.assertEqual(self.opened(), [("editor", "")])
        self.assert_no_box(run)

    def assert_no_box(self, run):
        self.assertEqual(run.other_windows(), [], "a box or dialog came up")

    # Plain letters are text, never commands, also while a button has the focus.

    def test_plain_letters_after_an_add_run_no_command(self):
        added = self.existing_path()
        run = self.start_fresh()
        self.enter_setup_mode_by_f2(run)
        run.type_text(added)
        self.keys("Return")  # adds, and the focus goes to OK
        run.type_text("idcpe")
        self.keys("Return")  # OK
        self.saved(run, DEFAULT_ITEMS + (added,))
        self.assert_no_box(run)

    # The focus always lands on a control and shows.

    def test_after_ok_the_keys_reach_the_list(self):
        document, _ = self.documents()
        run = self.start_fresh([document])
        self.enter_setup_mode_by_f2(run)
        self.tabs(TABS_FROM_TEXT1_TO["Command1"])
        self.keys("Return")
        self.saved(run, [document])
        self.keys("Down", "Return")
        wait_for(self.opened, "the document to be opened")
        self.assertEqual(self.opened(), [("document", document)])

    def test_after_the_choose_dialog_enter_adds_the_chosen_path(self):
        chosen = self.existing_path()
        run = self.start_fresh()
        self.enter_setup_mode_by_f2(run)
        self.answer_file_dialog(run, "alt+c", chosen)
        self.keys("Return")  # the focus is on Add
        self.keys("Return")  # and then on OK
        self.saved(run, DEFAULT_ITEMS + (chosen,))

    def test_the_list_shows_its_focus_after_delete_and_after_cancel(self):
        run = self.start_fresh()
        self.enter_setup_mode_by_f2(run)
        self.tabs(1, backward=True)  # the list
        self.keys("Home", "alt+d")  # deletes NotePad; the list keeps the focus with nothing selected
        focused = self.list_frame_pixels(run)
        self.tabs(1)  # the path input
        self.assertTrue(self.list_frame_pixels(run) != focused, "the focused list looks as the unfocused one")
        self.tabs(TABS_FROM_TEXT1_TO["Command6"])  # Cancel
        self.keys("Return")
        run.wait_for_mode(run.normal_mode())
        focused = self.list_frame_pixels(run)
        self.tabs(1)  # the setup label
        self.assertTrue(self.list_frame_pixels(run) != focused, "the focused list looks as the unfocused one")

    def test_oks_focus_frame_stands_out_from_its_light_red_face(self):
        run = self.start_fresh()
        self.enter_setup_mode_by_f2(run)
        ok = control_rectangle("Command1")
        # The frame's two sides, left and right of the caption "OK".
        sides = (ok.left + FOCUS_INSET, ok.left + ok.width - 1 - FOCUS_INSET)
        rows = range(ok.top + FOCUS_INSET + 1, ok.top + ok.height - 1 - FOCUS_INSET)

        def frame_pixels():
            capture = run.settled_capture()
            dx, dy = run.client_origin_in_capture()
            return [capture.pixel(x + dx, y + dy) for x in sides for y in rows]

        self.assertEqual(set(frame_pixels()), {OK_SETUP_COLOUR}, "OK shows a focus frame without the focus")
        self.tabs(TABS_FROM_TEXT1_TO["Command1"])
        marked = [colour for colour in frame_pixels() if contrast(colour, OK_SETUP_COLOUR) >= WANTED_CONTRAST]
        # A dotted frame marks every other pixel.
        self.assertGreaterEqual(len(marked), len(sides) * len(rows) // 2, "no frame of 3:1 contrast")

    # An added entry is shown.

    def test_an_added_entry_is_scrolled_into_view(self):
        added = self.existing_path()
        run = self.start_fresh()
        self.enter_setup_mode_by_f2(run)
        before = self.list_pixels(run)
        run.type_text(added)
        self.keys("Return")
        wait_for(lambda: self.list_pixels(run) != before, "the list to scroll to the added entry")

    # The whole round trip, keys only.

    def test_the_round_trip_by_keys_alone(self):
        typed = self.existing_path()
        chosen = self.existing_path("chosen")
        picture = self.picture_path()
        run = self.start_fresh()
        self.enter_setup_mode_by_f2(run)
        # Delete the first entry, then reset brings it back.
        self.tabs(1, backward=True)
        self.keys("Home", "alt+d")
        self.keys("alt+i")
        run.answer_box(self.initialise_title, "Return")  # Yes
        run.wait_for_keyboard()
        # Add by typing; F2 in setup mode takes the focus back to the path input.
        self.keys("F2")
        run.type_text(typed)
        self.keys("Return")
        # Choose by dialog, then Enter on Add, which has the focus.
        self.answer_file_dialog(run, "alt+c", chosen)
        self.keys("Return")
        # Move the chosen entry, the last, up above the typed one with the ↑ button.
        self.tabs(3, backward=True)  # OK, Add, the path input, the list
        self.keys("End")
        self.tabs(TABS_FROM_LIST1_TO_COMMAND8)
        self.keys("space")
        # A picture, then OK, which has the focus after the picture dialog.
        self.answer_file_dialog(run, "alt+p", picture)
        self.keys("Return")
        self.saved(run, DEFAULT_ITEMS + (chosen, typed), picture)
        # Cancel: a deletion in setup mode is undone by the reload (the saved store is the same afterwards).
        self.enter_setup_mode_by_f2(run)
        self.tabs(1, backward=True)
        self.keys("Home", "alt+d")
        self.tabs(3, backward=True)  # ↓, ↑, Cancel
        self.keys("Return")
        run.wait_for_mode(run.normal_mode())
        # Start an item: the typed one is the last.
        self.keys("End", "Return")
        wait_for(self.opened, "the typed item to be opened")
        # Help, then exit with the frame's close key.
        self.enter_setup_mode_by_f2(run)
        self.keys("F1")
        wait_for(lambda: len(self.opened()) == 2, "the mail to be opened")
        self.assertEqual(self.opened()[0], ("document", typed))
        self.assertEqual(self.opened()[1][0], "mail")
        if self.alt_f4_reaches_the_window:
            self.keys("alt+F4")
            self.assertEqual(run.process.wait(timeout=30), 0)
        self.assertEqual(self.run_folder.store.read_bytes(), store_bytes(DEFAULT_ITEMS + (chosen, typed), picture))
