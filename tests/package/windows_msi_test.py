"""The per-user installer as a Windows user meets it, under Wine in a prefix of its own: an older version is
installed with msiexec /i /qn, its program started from where the installer put it keeps its store in
%APPDATA%\\Hopwick; the release's installer then replaces it in place, the store kept byte for byte; msiexec /x
removes everything the installer put there and leaves the user's store.

HOPWICK_MSI, the configured installer source (HOPWICK_MSI_SOURCE, from which the older version is built) and the
Windows end-to-end tests' settings come from CTest; HOPWICK_WINE_ROOT is this test's own.
"""

import os
import shutil
import subprocess
import tempfile
import unittest
from pathlib import Path

from polling import wait_for, wait_for_value
from stand_ins import StandIns
from store_file import DEFAULT_ITEMS, store_bytes
from wine_case import WineCase
from wine_server import WINE_ROOT, WINE_RUN, stop_wine_server
from wine_shell import windows_path

MSI = Path(os.environ["HOPWICK_MSI"])
MSI_SOURCE = Path(os.environ["HOPWICK_MSI_SOURCE"])
OLDER_VERSION = "0.9.0"
PREFIX = Path(WINE_ROOT) / "prefix"
# Windows keeps a per-user product's entry under HKCU, Wine under HKLM: the list the user sees joins both.
UNINSTALL_KEYS = [rf"{root}\Software\Microsoft\Windows\CurrentVersion\Uninstall" for root in ("HKCU", "HKLM")]
INSTALLED_FILES = ["LICENSE.txt", "README.txt", "hopwick.exe", "hopwick.installed"]


class InstalledCopy:
    """The program where the installer put it, started from a working folder of the test's, and its store where
    an installed copy keeps it."""

    def __init__(self, folder, user_folder):
        self.program_folder = user_folder / "AppData/Local/Programs/Hopwick"
        self.program = self.program_folder / "hopwick.exe"
        self.store = user_folder / "AppData/Roaming/Hopwick/SIS"
        self.work_folder = folder / "work"
        self.work_folder.mkdir(parents=True)
        self.stand_ins = StandIns(folder)
        self.output = folder / "output.log"


class WindowsInstallerTest(WineCase):
    @classmethod
    def setUpClass(cls):
        # A prefix of its own, new at every run: nothing of an earlier run's installation may count.
        shutil.rmtree(WINE_ROOT, ignore_errors=True)
        super().setUpClass()
        folder = tempfile.TemporaryDirectory(prefix="hopwick-msi-")
        cls.addClassCleanup(folder.cleanup)
        cls.older_msi = Path(folder.name) / f"hopwick-{OLDER_VERSION}-win64.msi"
        result = subprocess.run(["wixl", "--arch", "x64", "--define", f"Version={OLDER_VERSION}", "--output",
                                 str(cls.older_msi), MSI_SOURCE.name], cwd=MSI_SOURCE.parent, capture_output=True,
                                text=True, check=False)
        assert result.returncode == 0, result.stderr

    def wine(self, *command):
        result = subprocess.run([WINE_RUN, WINE_ROOT, *command], env=self.wine_environment, capture_output=True,
                                stdin=subprocess.DEVNULL, timeout=300, check=False)
        return result.returncode, result.stdout.decode("cp932", "replace")

    def msiexec(self, *arguments):
        status, output = self.wine("msiexec", *arguments, "/qn")
        self.assertEqual(status, 0, output)

    def installed_programs(self):
        """(name, version) of each Hopwick entry in the user's list of installed programs."""
        entries = []
        for key in UNINSTALL_KEYS:
            status, output = self.wine("reg", "query", key, "/s")
            if status != 0:
                continue  # no such key: no entry there
            # Each entry is a key of its own; its values follow its name, in no fixed order.
            for block in output.split("\nHKEY_")[1:]:
                values = {fields[0]: fields[2] for fields in (line.split(None, 2) for line in block.splitlines())
                          if len(fields) == 3 and fields[1].startswith("REG_")}
                if values.get("DisplayName") == "Hopwick":
                    entries.append(("Hopwick", values.get("DisplayVersion")))
        return entries

    def key_exists(self, key):
        return self.wine("reg", "query", key)[0] == 0

    def user_folder(self):
        return next(path for path in (PREFIX / "drive_c/users").iterdir()
                    if path.name != "Public" and (path / "AppData").is_dir())

    def start_menu_shortcut(self):
        return self.user_folder() / "AppData/Roaming/Microsoft/Windows/Start Menu/Programs/Hopwick.lnk"

    def run_installed_program_and_save(self, copy):
        run = self.run_class(self.session, self.driver, copy)
        self.addCleanup(run.stop)
        run.start()
        run.wait_for_mode(run.normal_mode())
        run.click_control("Label2")
        run.wait_for_mode(run.setup_mode())
        run.click_control("Command1")
        run.wait_for_mode(run.normal_mode())
        wait_for(copy.store.exists, "the store to be written")
        wait_for_value(copy.store.read_bytes, store_bytes(DEFAULT_ITEMS), "the store's bytes")
        self.assertEqual(run.exit_by_label(), 0)

    def test_installs_for_the_user_upgrades_in_place_and_removes_only_its_own(self):
        self.msiexec("/i", windows_path(self.older_msi))
        copy = InstalledCopy(self.folder / "installed", self.user_folder())
        self.assertEqual(sorted(path.name for path in copy.program_folder.iterdir()), INSTALLED_FILES)
        self.assertTrue(self.start_menu_shortcut().is_file())
        self.assertEqual(self.installed_programs(), [("Hopwick", OLDER_VERSION)])

        # The installed copy keeps its store in the user's folder, nothing beside itself.
        self.run_installed_program_and_save(copy)
        self.assertEqual(sorted(path.name for path in copy.program_folder.iterdir()), INSTALLED_FILES)
        stored = copy.store.read_bytes()

        # The release replaces the older version: one entry, the new version, the store untouched.
        stop_wine_server(self.wine_environment)
        self.msiexec("/i", windows_path(MSI))
        version = os.environ["HOPWICK_VERSION"]
        self.assertEqual(self.installed_programs(), [("Hopwick", version)])
        self.assertEqual(sorted(path.name for path in copy.program_folder.iterdir()), INSTALLED_FILES)
        self.assertTrue(self.start_menu_shortcut().is_file())
        self.assertEqual(copy.store.read_bytes(), stored)

        # Removed: the program's folder, its shortcut, the installer's cached icon, its entry and its registry key
        # go; the store stays.
        self.msiexec("/x", windows_path(MSI))
        self.assertFalse(copy.program_folder.exists(), list(copy.program_folder.glob("*")))
        self.assertFalse(self.start_menu_shortcut().exists())
        user_folder = self.user_folder()
        left = sorted(str(path.relative_to(user_folder)) for path in user_folder.rglob("*")
                      if "hopwick" in str(path.relative_to(user_folder)).lower())
        self.assertEqual(left, ["AppData/Roaming/Hopwick", "AppData/Roaming/Hopwick/SIS"])
        self.assertEqual(self.installed_programs(), [])
        self.assertFalse(self.key_exists(r"HKCU\Software\Hopwick"))
        self.assertEqual(copy.store.read_bytes(), stored)


if __name__ == "__main__":
    unittest.main()
