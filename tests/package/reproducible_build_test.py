"""The same commit packed twice gives the same bytes: two clones of it, made at different times in folders of
different names and depths, each build the release as make package does, with nothing set by the user (no
SOURCE_DATE_EPOCH, no compiler cache to hand one build's objects to the other), and their .deb and zip are
compared byte for byte; diffoscope explains a difference when it is installed. The builds leave out the test
suites, which no release file holds. It takes four builds of the program: its own label, reproducible.

HOPWICK_SOURCE_DIR comes from CTest; what is compared is the last commit there.
"""

import os
import shutil
import subprocess
import sys
import tempfile
import time
import unittest
from pathlib import Path

SOURCE_DIR = Path(os.environ["HOPWICK_SOURCE_DIR"])
BUILD_TIMEOUT = 3600
# As make package, without the test suites.
RELEASE_STEPS = (
    ["cmake", "--preset", "linux", "-DHOPWICK_TESTS=OFF"],
    ["cmake", "--build", "--preset", "linux"],
    ["cmake", "--preset", "windows", "-DHOPWICK_TESTS=OFF"],
    ["cmake", "--build", "--preset", "windows"],
    ["cpack", "--preset", "deb"],
    ["cpack", "--preset", "windows-zip"],
)
RELEASE_FILES = ("*.deb", "*.zip")


def clean_environment():
    """The caller's environment without anything that would make the two builds agree or differ on purpose."""
    environment = {name: value for name, value in os.environ.items()
                   if name not in ("SOURCE_DATE_EPOCH", "CMAKE_CXX_COMPILER_LAUNCHER", "CMAKE_C_COMPILER_LAUNCHER")
                   and not name.startswith(("CCACHE_", "HOPWICK_"))}
    environment["CCACHE_DISABLE"] = "1"
    return environment


def release(clone):
    """Clones the commit into `clone` and builds its release there; returns its release files by name."""
    clone.parent.mkdir(parents=True)
    subprocess.run(["git", "clone", "--quiet", "--no-hardlinks", str(SOURCE_DIR), str(clone)], check=True)
    for step in RELEASE_STEPS:
        result = subprocess.run(step, cwd=clone, env=clean_environment(), stdin=subprocess.DEVNULL,
                                capture_output=True, text=True, timeout=BUILD_TIMEOUT, check=False)
        if result.returncode != 0:
            raise AssertionError(f"{' '.join(step)} failed in {clone}:\n{result.stdout[-4000:]}{result.stderr}")
    return {path.name: path for pattern in RELEASE_FILES for path in (clone / "dist").glob(pattern)}


class ReproducibleBuildTest(unittest.TestCase):
    def test_two_clones_built_apart_give_identical_release_files(self):
        with tempfile.TemporaryDirectory(prefix="hopwick-twice-") as folder:
            started = time.monotonic()
            first = release(Path(folder) / "first" / "hopwick")
            # The second clone's files are younger than every file of the first build.
            second = release(Path(folder) / "elsewhere" / "deeper" / "source-tree")
            print(f"two builds in {time.monotonic() - started:.0f} s", file=sys.stderr)
            self.assertEqual(sorted(first), sorted(second))
            self.assertEqual(len(first), len(RELEASE_FILES), first)
            for name in first:
                with self.subTest(name):
                    same = first[name].read_bytes() == second[name].read_bytes()
                    if not same and shutil.which("diffoscope"):
                        report = subprocess.run(["diffoscope", "--text", "-", str(first[name]), str(second[name])],
                                                capture_output=True, text=True, check=False)
                        print(report.stdout[-20000:], file=sys.stderr)
                    self.assertTrue(same, f"{name} differs between the two builds")


if __name__ == "__main__":
    unittest.main()
