"""Files dragged onto hopwick.exe under Wine from an X program with the X drag-and-drop protocol, which Wine's X11
driver turns into the shell's drop on the window under the pointer."""

import unittest

from drop_scenarios import DropScenarios
from wine_case import WineCase
from wine_shell import windows_path


class WineXdndDropTest(DropScenarios, WineCase):
    def start_normal(self):
        run = self.start_run()
        run.wait_for_mode(run.normal_mode())
        return run

    def stored_name(self, path):
        # Wine names the Linux file by its place on drive Z:.
        return windows_path(path)


if __name__ == "__main__":
    unittest.main()
