"""Where the rows of the list lie. The row height follows from the font that the system finds, so it is
measured on the real window: in setup mode a click only selects, and the selection's highlight shows the row."""

from dataclasses import dataclass

from polling import wait_for
from window_layout import SETUP_MODE, control_rectangle


@dataclass(frozen=True)
class ListRows:
    top: int  # first row's top, in client coordinates
    height: int

    def centre(self, index):
        return self.top + index * self.height + self.height // 2

    def text_area(self, index):
        """The inside of a row, clear of the list's frame and scroll bar: (left, top, width, height)."""
        frame = control_rectangle("List1")
        return frame.left + 4, self.top + index * self.height + 1, frame.width - 30, self.height - 2


def measure_rows(run):
    """Enters setup mode and selects the first two rows one after the other; leaves the run in setup mode."""
    run.click_control("Label2")
    run.wait_for_mode(SETUP_MODE)
    frame = control_rectangle("List1")
    # Right of any item's text, left of the scroll bar.
    column = frame.left + frame.width * 3 // 4
    unselected = run.settled_capture()

    def highlighted_row(y):
        run.click_at(column, y)
        return wait_for(lambda: run.capture().changed_band(unselected, column, y),
                        f"the list row at y={y} to show as selected")

    first_top, first_bottom = highlighted_row(frame.top + 4)
    second_top, second_bottom = highlighted_row(first_bottom + 3)
    height = second_top - first_top
    if not (first_top > frame.top and second_bottom - second_top + 1 == height):
        raise AssertionError(f"rows measured as {first_top}-{first_bottom} and {second_top}-{second_bottom}")
    return ListRows(first_top, height)
