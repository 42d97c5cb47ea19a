"""The Windows zip as a user gets it: unpacked into a folder of its own, its hopwick.exe makes the first run of the
Windows end-to-end tests under Wine (the defaults shown, OK saves them beside the program, Exit ends it).

HOPWICK_ZIP and the Windows end-to-end tests' settings come from CTest.
"""

import os
import sys
import tempfile
import unittest
import zipfile
from pathlib import Path

ZIP = Path(os.environ["HOPWICK_ZIP"])
FIRST_RUN = "WineStoreTest.test_first_run_shows_the_defaults_and_ok_saves_them"


def main():
    with tempfile.TemporaryDirectory(prefix="hopwick-zip-") as folder:
        with zipfile.ZipFile(ZIP) as archive:
            archive.extractall(folder)
        programs = list(Path(folder).glob("*/hopwick.exe"))
        if len(programs) != 1:
            print(f"{ZIP} holds {len(programs)} hopwick.exe in a folder", file=sys.stderr)
            return 1
        os.environ["HOPWICK_E2E_PROGRAM"] = str(programs[0])
        import e2e_store_test  # reads the program's path when its tests start

        result = unittest.main(module=e2e_store_test, argv=[sys.argv[0], "-v", FIRST_RUN], exit=False).result
        return 0 if result.wasSuccessful() and result.testsRun == 1 else 1


if __name__ == "__main__":
    sys.exit(main())
