"""What a private display session gives the programs in it: a home and a runtime folder of their own, and the
system's folders as the whole PATH."""

import shutil

# The session's clients and the program under test find everything in the system's folders.
SYSTEM_PATH = "/usr/bin:/bin"


def missing_programs(names):
    return [name for name in names if shutil.which(name, path=SYSTEM_PATH) is None]


def session_environment(folder):
    """Makes the session's home and runtime folders under folder; returns the environment that names them."""
    home = folder / "home"
    runtime = folder / "runtime"
    home.mkdir(parents=True)
    runtime.mkdir(mode=0o700)
    return {
        "PATH": SYSTEM_PATH,
        "HOME": str(home),
        "XDG_RUNTIME_DIR": str(runtime),
        "XDG_CONFIG_HOME": str(folder / "config"),
        "LC_ALL": "C.UTF-8",
    }
