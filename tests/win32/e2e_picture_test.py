"""hopwick.exe under Wine started with a store whose picture is a crafted file: the window comes up in bounded
memory, shows no picture and works; the file stays in the store."""

import os
import shutil
import unittest
from pathlib import Path

from store_file import store_bytes, write_store
from wine_case import WineCase
from wine_shell import windows_path

PICTURES = Path(os.environ["HOPWICK_E2E_PICTURES"])
# The peak resident memory of the program; a bitmap of 16000 by 16000 pixels alone took 1 GB.
MEMORY_BOUND_KB = 256 * 1024


def peak_memory_kb(pid):
    for line in Path(f"/proc/{pid}/status").read_text().splitlines():
        if line.startswith("VmHWM:"):
            return int(line.split()[1])
    raise AssertionError(f"no peak memory for process {pid}")


class WinePictureTest(WineCase):
    def start_with_picture(self, name):
        picture = self.folder / name
        shutil.copyfile(PICTURES / name, picture)
        stored = windows_path(picture)
        write_store(self.run_folder.program_folder, ["NotePad"], stored)
        run = self.start_run()
        run.wait_for_mode(run.normal_mode())
        return run, stored

    def check_the_window_works(self, run, stored):
        program = int(Path(f"/proc/{run.process.pid}/task/{run.process.pid}/children").read_text().split()[0])
        self.assertLess(peak_memory_kb(program), MEMORY_BOUND_KB)
        run.click_control("Label2")
        run.wait_for_mode(run.setup_mode())
        run.click_control("Command1")
        run.wait_for_mode(run.normal_mode())
        # The path stays: the file may be replaced by a sound one.
        self.assertEqual(self.run_folder.store.read_bytes(), store_bytes(["NotePad"], stored))
        self.assertEqual(run.exit_by_label(), 0)

    def test_a_bitmap_claiming_16000_by_16000_pixels_is_refused_in_bounded_memory(self):
        self.check_the_window_works(*self.start_with_picture("rle8-huge.bmp"))

    def test_an_icon_claiming_65535_entries_never_reaches_the_system(self):
        self.check_the_window_works(*self.start_with_picture("icon-65535-entries.ico"))


if __name__ == "__main__":
    unittest.main()
