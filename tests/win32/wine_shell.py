"""What the shell opens under Wine, seen through the recording stand-in (record_call.exe): the registry entries
that send a document type or a protocol to it, and a run whose opens it records into the run's folder."""

import os
import subprocess

from wine_launcher_run import WineLauncherRun
from wine_server import WINE_ROOT, WINE_RUN


def windows_path(path):
    """A Linux path as Wine's programs see it, on drive Z:."""
    return "Z:" + str(path).replace("/", "\\")


def registry(environment, *arguments, check=True):
    """Runs Wine's registry tool; its server must know the display, or a launcher started later gets none."""
    return subprocess.run([WINE_RUN, WINE_ROOT, "reg", *arguments], env=environment, stdin=subprocess.DEVNULL,
                          stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL, timeout=120,
                          check=check).returncode


def recorder_command():
    """The open command that hands what is opened to the stand-in, which HOPWICK_E2E_RECORDER names."""
    return f'"{windows_path(os.environ["HOPWICK_E2E_RECORDER"])}" "%1"'


class RecordedWineRun(WineLauncherRun):
    """A run whose shell opens reach the stand-in, which records its command line into the run's folder."""

    def __init__(self, session, driver, run_folder):
        super().__init__(session, driver, run_folder)
        self.record = run_folder.work_folder.parent / "record.txt"
        self.environment["HOPWICK_RECORD_FILE"] = windows_path(self.record)

    def recorded_command(self):
        """The stand-in's command line once it has recorded one, else None."""
        if not self.record.exists():
            return None
        return self.record.read_text(encoding="utf-8").splitlines()[0]
