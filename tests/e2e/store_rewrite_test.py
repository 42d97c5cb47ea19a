"""Setup mode then OK without a change rewrites the store byte for byte, run after run."""

import os
import struct
import unittest

from launcher_case import LauncherCase
from polling import wait_for
from store_file import write_store
from window_layout import NORMAL_MODE, SETUP_MODE

# Long before any run, so that a save shows as a new modification time.
OLD_TIME = 946684800
PICTURE_COLOUR = (200, 40, 40)
PICTURE_SIZE = 16


def write_bmp(path, size, colour):
    """A square 24-bit Windows bitmap of one colour."""
    red, green, blue = colour
    pixels = bytes((blue, green, red)) * size * size  # rows of 16 pixels need no padding
    header = b"BM" + struct.pack("<IHHI", 54 + len(pixels), 0, 0, 54)
    info = struct.pack("<IiiHHIIiiII", 40, size, size, 1, 24, 0, len(pixels), 2835, 2835, 0, 0)
    path.write_bytes(header + info + pixels)


class StoreRewriteTest(LauncherCase):
    def test_setup_then_ok_rewrites_store_unchanged_twice(self):
        picture = self.folder / "背景.bmp"
        write_bmp(picture, PICTURE_SIZE, PICTURE_COLOUR)
        # An empty entry before the last one stays a list entry; 表 and ソ end in the byte 0x5C.
        items = ["NotePad", str(self.folder / "会議, 議事録" / "予定,表.txt"), "", "Calc",
                 str(self.folder / "ソフト" / "表示.exe")]
        store = write_store(self.run_folder.program_folder, items, str(picture))
        stored = store.read_bytes()
        for number in (1, 2):
            with self.subTest(run=number):
                os.utime(store, (OLD_TIME, OLD_TIME))
                run = self.start_run()
                run.wait_for_mode(NORMAL_MODE)
                # Left of the list, where only the window's surface and so the stored picture shows.
                self.assertEqual(run.settled_capture().pixel(2, 2), PICTURE_COLOUR)
                run.click_control("Label2")
                run.wait_for_mode(SETUP_MODE)
                run.click_control("Command1")
                run.wait_for_mode(NORMAL_MODE)
                wait_for(lambda: store.stat().st_mtime != OLD_TIME, "the store to be rewritten")
                self.assertEqual(store.read_bytes(), stored)
                self.assertEqual(run.exit_by_label(), 0)


if __name__ == "__main__":
    unittest.main()
