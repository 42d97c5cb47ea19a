"""The Debian package on a system, as a user gets it: installed with apt-get, the installed program started by an
unprivileged user under the end-to-end tests' X session, and purged again, leaving none of its files behind.

It changes the system, so it runs only as root (as CI does), and only where hopwick is not installed already;
the package is purged at the end whatever happened. HOPWICK_DEB comes from CTest.
"""

import os
import pwd
import shutil
import subprocess
import tempfile
import unittest
from pathlib import Path

from case_scope import started_for_test
from launcher_case import LauncherCase
from launcher_run import LauncherRun
from polling import wait_for, wait_for_value
from stand_ins import StandIns
from store_file import DEFAULT_ITEMS, STORE_NAME, store_bytes
from window_layout import NORMAL_MODE, SETUP_MODE

DEB = Path(os.environ["HOPWICK_DEB"])
PACKAGE = "hopwick"
INSTALLED_PROGRAM = Path("/usr/bin/hopwick")
UNPRIVILEGED_USER = "nobody"
APT_TIMEOUT = 300


def apt_get(*arguments):
    result = subprocess.run(["apt-get", "--yes", "--quiet", *arguments], capture_output=True, text=True,
                            stdin=subprocess.DEVNULL, timeout=APT_TIMEOUT,
                            env=dict(os.environ, DEBIAN_FRONTEND="noninteractive"))
    if result.returncode != 0:
        raise AssertionError(f"apt-get {' '.join(arguments)} failed: {result.stdout}{result.stderr}")


def is_installed(package):
    """Whether dpkg holds any of the package, also half installed or with only its configuration left."""
    result = subprocess.run(["dpkg-query", "--show", "--showformat=${Status}", package], capture_output=True,
                            text=True)
    return result.returncode == 0 and not result.stdout.strip().endswith(" not-installed")


def owned_by_a_package(path):
    return subprocess.run(["dpkg-query", "--search", path], capture_output=True).returncode == 0


def purge_if_installed():
    if is_installed(PACKAGE):
        apt_get("purge", PACKAGE)


class UserFolder:
    """The user's home, configuration and run-time folders and the run's output, owned by the user; shaped as the
    end-to-end tests' run folder, with the installed program in place of a copy."""

    def __init__(self, folder, user):
        folder = Path(folder)
        self.program = INSTALLED_PROGRAM
        self.work_folder = folder / "home"
        self.config_folder = folder / "config"
        self.runtime_folder = folder / "runtime"
        for path in (self.work_folder, self.config_folder, self.runtime_folder):
            path.mkdir(mode=0o700)
            os.chown(path, user.pw_uid, user.pw_gid)
        self.stand_ins = StandIns(folder)
        self.output = folder / "output.log"


class InstalledPackageTest(LauncherCase):
    @classmethod
    def setUpClass(cls):
        if os.geteuid() != 0:
            raise unittest.SkipTest("installing a package needs root")
        if is_installed(PACKAGE):
            raise AssertionError(f"{PACKAGE} is installed on this machine already; this test would replace it")
        if not DEB.is_file():
            raise AssertionError(f"{DEB} is missing: make package builds it")
        cls.start_session()
        cls.addClassCleanup(purge_if_installed)
        apt_get("install", str(DEB.resolve()))
        listing = subprocess.run(["dpkg-query", "--listfiles", PACKAGE], capture_output=True, text=True, check=True)
        cls.package_paths = [line for line in listing.stdout.splitlines() if line not in ("", "/.")]

    def setUp(self):
        folder = tempfile.TemporaryDirectory(prefix="hopwick-package-")
        self.addCleanup(folder.cleanup)
        self.folder = Path(folder.name)
        self.folder.chmod(0o755)  # the user reaches its folders through it
        self.user = pwd.getpwnam(UNPRIVILEGED_USER)
        self.run_folder = UserFolder(self.folder, self.user)

    def start_as_user(self):
        run = LauncherRun(self.session, self.driver, self.run_folder)
        run.environment.update(HOME=str(self.run_folder.work_folder),
                               XDG_CONFIG_HOME=str(self.run_folder.config_folder),
                               XDG_RUNTIME_DIR=str(self.run_folder.runtime_folder))
        # setpriv ends in the program itself, so the window still belongs to the process started here.
        run.command_prefix = [shutil.which("setpriv"), f"--reuid={self.user.pw_uid}", f"--regid={self.user.pw_gid}",
                              "--clear-groups"]
        return started_for_test(self, run)

    def test_1_installed_program_shows_the_defaults_and_keeps_the_store_in_the_users_config(self):
        run = self.start_as_user()
        run.wait_for_mode(NORMAL_MODE)
        run.click_control("Label2")
        run.wait_for_mode(SETUP_MODE)
        run.click_control("Command1")  # OK saves what the list holds
        run.wait_for_mode(NORMAL_MODE)
        store = self.run_folder.config_folder / "hopwick" / STORE_NAME
        wait_for(store.exists, "the store in the user's config folder")
        wait_for_value(store.read_bytes, store_bytes(DEFAULT_ITEMS), "the store's bytes: the 15 default items")
        self.assertEqual(store.stat().st_uid, self.user.pw_uid)
        self.assertFalse((INSTALLED_PROGRAM.parent / STORE_NAME).exists(), "nothing beside the installed program")
        self.assertEqual(run.exit_by_label(), 0)

    def test_2_purge_leaves_no_file_of_the_package(self):
        self.assertIn(str(INSTALLED_PROGRAM), self.package_paths)
        apt_get("purge", PACKAGE)
        self.assertFalse(is_installed(PACKAGE))
        # A folder may stay where another package keeps files (the icon theme's, the manual's).
        left = [path for path in self.package_paths
                if os.path.lexists(path) and not (os.path.isdir(path) and owned_by_a_package(path))]
        self.assertEqual(left, [])


if __name__ == "__main__":
    unittest.main()
