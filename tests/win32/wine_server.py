"""The Wine server of the build's prefix, which the tests that show windows stop before and after their runs."""

import os
import subprocess
from pathlib import Path

WINE_RUN = os.environ["HOPWICK_WINE_RUN"]
WINE_ROOT = os.environ["HOPWICK_WINE_ROOT"]


def wine_environment(base):
    environment = dict(base)
    environment.update(WINEPREFIX=str(Path(WINE_ROOT) / "prefix"), HOME=str(Path(WINE_ROOT) / "home"),
                       WINEDEBUG="-all")
    return environment


def stop_wine_server(base):
    """Ends every Wine process of the build's prefix; the next run starts a server that knows this display."""
    subprocess.run(["wineserver", "-k"], env=wine_environment(base), timeout=30, check=False)
    subprocess.run(["wineserver", "-w"], env=wine_environment(base), timeout=30, check=False)
