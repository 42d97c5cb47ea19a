"""Files dragged onto the launcher from another program with the X drag-and-drop protocol."""

import unittest

from drop_scenarios import DropScenarios
from launcher_case import LauncherCase
from window_layout import NORMAL_MODE


class XdndDropTest(DropScenarios, LauncherCase):
    def start_normal(self):
        run = self.start_run()
        run.wait_for_mode(NORMAL_MODE)
        return run

    def stored_name(self, path):
        return str(path)


if __name__ == "__main__":
    unittest.main()
