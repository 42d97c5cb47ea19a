"""Installing with `cmake --install`: the program, its desktop entry, its icons and the marker that makes it an
installed copy land in the prefix's XDG folders, and the installed program runs from there for a user who
cannot write to it and for root, who can, each keeping the store in their own $XDG_CONFIG_HOME/hopwick and
never beside the program, until its "Exit" label ends it.

The build folder and cmake come from HOPWICK_BUILD_DIR and HOPWICK_CMAKE, which CTest sets. The run uses the
end-to-end tests' X session (Xvfb and openbox) and drivers.
"""

import configparser
import os
import pwd
import shutil
import subprocess
import sys
import tempfile
import unittest
from pathlib import Path

sys.path.insert(0, str(Path(__file__).resolve().parent.parent / "e2e"))

from polling import wait_for, wait_for_value  # noqa: E402
from processes import end_process  # noqa: E402
from store_file import DEFAULT_ITEMS, STORE_NAME, store_bytes  # noqa: E402
from window_layout import NORMAL_MODE, SETUP_MODE, control_rectangle  # noqa: E402
from window_texts import APP_CAPTION  # noqa: E402
from x_driver import XDriver  # noqa: E402
from x_session import XSession  # noqa: E402

INSTALLED_FILES = (
    "bin/hopwick",
    "share/applications/hopwick.desktop",
    "share/icons/hicolor/scalable/apps/hopwick.svg",
    "share/icons/hicolor/48x48/apps/hopwick.png",
    "share/hopwick/installed",
)
# Root may write anywhere, so as root the program runs as this user, for whom the prefix is read-only.
UNPRIVILEGED_USER = "nobody"
EXIT_TIMEOUT = 10.0


def files_below(folder):
    return sorted(str(path.relative_to(folder)) for path in folder.rglob("*"))


class InstallTest(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        folder = tempfile.TemporaryDirectory(prefix="hopwick-install-")
        cls.addClassCleanup(folder.cleanup)
        cls.folder = Path(folder.name)
        cls.folder.chmod(0o755)  # the unprivileged user reaches the prefix through it
        cls.prefix = cls.folder / "prefix"
        result = subprocess.run([os.environ["HOPWICK_CMAKE"], "--install", os.environ["HOPWICK_BUILD_DIR"],
                                 "--prefix", str(cls.prefix)], capture_output=True, text=True)
        if result.returncode != 0:
            raise AssertionError(f"cmake --install failed: {result.stdout}{result.stderr}")

    def test_files_land_in_the_xdg_folders(self):
        for name in INSTALLED_FILES:
            with self.subTest(name):
                self.assertTrue((self.prefix / name).is_file())
        self.assertTrue(os.access(self.prefix / "bin/hopwick", os.X_OK))

    def test_desktop_file_is_valid(self):
        result = subprocess.run(["desktop-file-validate", str(self.prefix / INSTALLED_FILES[1])],
                                capture_output=True, text=True)
        self.assertEqual(result.returncode, 0, result.stdout + result.stderr)
        self.assertEqual(result.stdout + result.stderr, "", "hints and warnings count too")

    def test_desktop_entry_names_the_installed_program_and_icon(self):
        entry = configparser.ConfigParser(interpolation=None)
        entry.optionxform = str
        entry.read(self.prefix / INSTALLED_FILES[1], encoding="utf-8")
        section = entry["Desktop Entry"]
        self.assertEqual(section["Exec"].split()[0], Path(INSTALLED_FILES[0]).name)
        self.assertEqual(section["Icon"], Path(INSTALLED_FILES[2]).stem)
        self.assertEqual(Path(INSTALLED_FILES[3]).stem, section["Icon"])

    def test_installed_program_keeps_its_store_in_the_users_config_and_ends_by_exit(self):
        self._run_ok_and_exit(self._unprivileged_user(), "user")

    def test_installed_program_run_by_root_never_writes_beside_itself(self):
        if os.geteuid() != 0:
            self.skipTest("not running as root")
        # A store beside the installed program, as an older build run by root left one: never read, never
        # written; root's OK saves root's own list (the default items) in root's folder.
        beside = self.prefix / "bin" / STORE_NAME
        beside.write_bytes(store_bytes(["beside"]))
        self.addCleanup(beside.unlink)
        self._run_ok_and_exit(None, "root")
        self.assertEqual(beside.read_bytes(), store_bytes(["beside"]))

    def _run_ok_and_exit(self, user, name):
        """Runs the installed program as `user` (None: as this process), saves with OK and exits."""
        session = XSession(self.folder / f"x-{name}")
        self.addCleanup(session.stop)
        session.start()
        driver = XDriver(session.environment)
        environment = dict(session.environment, QT_QPA_PLATFORM="xcb", **self._user_folders(user, name))
        program = self.prefix / INSTALLED_FILES[0]
        prefix_before = files_below(self.prefix)

        output_path = self.folder / f"output-{name}.log"
        with open(output_path, "wb") as output:
            process = subprocess.Popen(self._as_user(user) + [str(program)], cwd=environment["HOME"],
                                       env=environment, stdin=subprocess.DEVNULL, stdout=output,
                                       stderr=subprocess.STDOUT)
        self.addCleanup(end_process, process, EXIT_TIMEOUT)
        self.addCleanup(self._report_output, output_path)

        def windows():
            self.assertIsNone(process.poll(), "the launcher ended early")
            return driver.find_windows(process.pid, f"^{APP_CAPTION}$")

        window = wait_for(windows, "the installed launcher's window")[0]

        def mode():
            geometry = driver.geometry(window)
            return driver.caption(window), (geometry.width, geometry.height)

        def click(name):
            origin = driver.geometry(window)
            control = control_rectangle(name)
            driver.click(origin.left + control.left + control.width // 2,
                         origin.top + control.top + control.height // 2)

        wait_for_value(mode, NORMAL_MODE, "normal mode")
        click("Label2")
        wait_for_value(mode, SETUP_MODE, "setup mode")
        click("Command1")  # OK saves
        wait_for_value(mode, NORMAL_MODE, "normal mode after OK")
        store = Path(environment["XDG_CONFIG_HOME"]) / "hopwick" / STORE_NAME
        wait_for(store.exists, "the store in the user's config folder")
        wait_for_value(store.read_bytes, store_bytes(DEFAULT_ITEMS), "the store's bytes")
        click("Label4")  # Exit
        self.assertEqual(process.wait(timeout=EXIT_TIMEOUT), 0)
        self.assertEqual(files_below(self.prefix), prefix_before, "nothing is written into the prefix")
        # The font aliases inside the program were read and parsed.
        output = output_path.read_text(errors="replace")
        self.assertNotIn("Fontconfig", output)
        self.assertNotIn("font aliases", output)

    def _unprivileged_user(self):
        """The user to run as, or None to run as this one; the prefix is made read-only to it."""
        if os.geteuid() == 0:
            return pwd.getpwnam(UNPRIVILEGED_USER)
        bin_folder = self.prefix / "bin"
        bin_folder.chmod(0o555)
        self.addCleanup(bin_folder.chmod, 0o755)
        return None

    def _user_folders(self, user, name):
        folders = {"HOME": self.folder / f"home-{name}", "XDG_CONFIG_HOME": self.folder / f"config-{name}",
                   "XDG_RUNTIME_DIR": self.folder / f"runtime-{name}"}
        for path in folders.values():
            path.mkdir(mode=0o700)
            if user is not None:
                os.chown(path, user.pw_uid, user.pw_gid)
        return {name: str(path) for name, path in folders.items()}

    @staticmethod
    def _as_user(user):
        if user is None:
            return []
        return [shutil.which("setpriv"), f"--reuid={user.pw_uid}", f"--regid={user.pw_gid}", "--clear-groups"]

    @staticmethod
    def _report_output(path):
        # CTest shows this only when the test fails.
        output = path.read_text(errors="replace")
        if output:
            print(f"--- launcher output ---\n{output}", file=sys.stderr)


if __name__ == "__main__":
    unittest.main()
