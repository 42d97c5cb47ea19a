"""Runs a Windows test program under Wine with an X display of its own, for tests that make real windows.

Usage: on_display.py PROGRAM [ARGUMENTS...]. Wine's wrapper and its root come from HOPWICK_WINE_RUN and
HOPWICK_WINE_ROOT; the display is a private Xvfb with a window manager, as for the end-to-end tests.
"""

import subprocess
import sys
import tempfile
from pathlib import Path

from wine_server import WINE_ROOT, WINE_RUN, stop_wine_server
from x_session import XSession


def main(arguments):
    with tempfile.TemporaryDirectory(prefix="hopwick-win32-display-") as folder:
        session = XSession(Path(folder))
        session.start()
        try:
            # A server that started without a display would not give this one to the program.
            stop_wine_server(session.environment)
            environment = dict(session.environment, HOPWICK_WINE_DISPLAY=session.environment["DISPLAY"])
            return subprocess.run([WINE_RUN, WINE_ROOT, *arguments], env=environment,
                                  stdin=subprocess.DEVNULL, check=False).returncode
        finally:
            stop_wine_server(session.environment)
            session.stop()


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
