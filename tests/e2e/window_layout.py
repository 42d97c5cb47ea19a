"""Where the window's controls lie and how large the window is in each mode, in twips (15 to a pixel)."""

from x_driver import Rectangle
from window_texts import APP_CAPTION, SETUP_CAPTION

TWIPS_PER_PIXEL = 15

# Left, top, width and height from the client area's top-left corner.
CONTROLS = {
    "List1": (120, 120, 6735, 960),
    "Label2": (5760, 1200, 1335, 495),  # the setup label
    "Label4": (120, 1200, 615, 375),  # "Exit"
    "Command1": (6120, 1920, 735, 255),  # OK
    "Command6": (6120, 2160, 735, 300),  # Cancel
    "Command20": (3360, 2520, 855, 255),  # add
    "Command5": (1320, 1920, 975, 255),  # initialise
    "Command4": (3720, 1920, 855, 255),  # picture
    "Command8": (4440, 2520, 375, 255),  # move up
    "Command9": (4920, 2520, 375, 255),  # move down
    "Label3": (6360, 2520, 735, 375),  # "Help!"
}

# Caption and client size (width, height) in pixels.
NORMAL_MODE = (APP_CAPTION, (6960 // TWIPS_PER_PIXEL, 1755 // TWIPS_PER_PIXEL))
SETUP_MODE = (SETUP_CAPTION, (6960 // TWIPS_PER_PIXEL, 2865 // TWIPS_PER_PIXEL))


def control_rectangle(name):
    """The control's rectangle in pixels within the client area."""
    return Rectangle(*(twips // TWIPS_PER_PIXEL for twips in CONTROLS[name]))
