"""The Windows zip as a user gets it: unpacked into a folder of its own, its hopwick.exe carries the project's
version in its version resource, as Explorer reads it, and makes the first run of the Windows end-to-end tests
under Wine (the defaults shown, OK saves them beside the program, Exit ends it).

HOPWICK_ZIP, the Windows test program (HOPWICK_WIN32_TESTS) and the Windows end-to-end tests' settings come
from CTest.
"""

import os
import subprocess
import sys
import tempfile
import unittest
import zipfile
from pathlib import Path

from wine_server import WINE_ROOT, WINE_RUN
from wine_shell import windows_path

ZIP = Path(os.environ["HOPWICK_ZIP"])
FIRST_RUN = "WineStoreTest.test_first_run_shows_the_defaults_and_ok_saves_them"
WIN32_TESTS = os.environ["HOPWICK_WIN32_TESTS"]
VERSION_TEST = "ProgramResourcesTest.TheVersionResourceNamesTheProductItsDescriptionAndVersion"


def version_resource_reads_the_project_version(program):
    """The Windows tests' own check of the version resource, run on the zipped program."""
    environment = dict(os.environ, HOPWICK_TESTED_PROGRAM=windows_path(program))
    environment.pop("HOPWICK_WINE_DISPLAY", None)
    result = subprocess.run([WINE_RUN, WINE_ROOT, WIN32_TESTS, f"--gtest_filter={VERSION_TEST}"], env=environment,
                            stdin=subprocess.DEVNULL, capture_output=True, text=True, errors="replace", timeout=300,
                            check=False)
    print(result.stdout, result.stderr, sep="", file=sys.stderr)
    return result.returncode == 0 and "[  PASSED  ] 1 test" in result.stdout


def main():
    with tempfile.TemporaryDirectory(prefix="hopwick-zip-") as folder:
        with zipfile.ZipFile(ZIP) as archive:
            archive.extractall(folder)
        programs = list(Path(folder).glob("*/hopwick.exe"))
        if len(programs) != 1:
            print(f"{ZIP} holds {len(programs)} hopwick.exe in a folder", file=sys.stderr)
            return 1
        if not version_resource_reads_the_project_version(programs[0]):
            print(f"{programs[0]} does not carry the project's version", file=sys.stderr)
            return 1
        os.environ["HOPWICK_E2E_PROGRAM"] = str(programs[0])
        import e2e_store_test  # reads the program's path when its tests start

        result = unittest.main(module=e2e_store_test, argv=[sys.argv[0], "-v", FIRST_RUN], exit=False).result
        return 0 if result.wasSuccessful() and result.testsRun == 1 else 1


if __name__ == "__main__":
    sys.exit(main())
