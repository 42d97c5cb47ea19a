"""A private D-Bus session with the accessibility bus switched on, as a screen reader's session has it.

Qt exposes its accessible tree only while org.a11y.Status says IsEnabled; the AT-SPI bus launcher and registry
are started by the session bus on first use.
"""

import shutil
import subprocess
import tempfile
import unittest
from pathlib import Path

import screen_reader
from processes import end_process

REQUIRED_PROGRAMS = ("dbus-daemon", "gdbus", "/usr/libexec/at-spi-bus-launcher")
STOP_TIMEOUT = 5.0


def missing_programs():
    return [name for name in REQUIRED_PROGRAMS if shutil.which(name, path="/usr/bin:/bin") is None]


class BusSession:
    def __init__(self, folder, environment):
        self.folder = folder
        self.environment = environment
        self.address = None
        self._daemon = None
        self._log = None

    def start(self):
        missing = missing_programs()
        if missing:
            raise RuntimeError(f"missing programs {missing}; run scripts/install-deps.sh")
        self._log = open(self.folder / "dbus.log", "wb")
        self._daemon = subprocess.Popen(["dbus-daemon", "--session", "--nofork", "--print-address=1"],
                                        env=self.environment, stdin=subprocess.DEVNULL, stdout=subprocess.PIPE,
                                        stderr=self._log)
        self.address = self._daemon.stdout.readline().decode().strip()
        if not self.address:
            raise RuntimeError(f"dbus-daemon gave no address; see {self.folder / 'dbus.log'}")
        self.environment["DBUS_SESSION_BUS_ADDRESS"] = self.address
        subprocess.run(["gdbus", "call", "--session", "--dest", "org.a11y.Bus", "--object-path", "/org/a11y/bus",
                        "--method", "org.freedesktop.DBus.Properties.Set", "org.a11y.Status", "IsEnabled", "<true>"],
                       env=self.environment, check=True, stdout=subprocess.DEVNULL)

    def stop(self):
        # The bus launcher and the registry end with the bus they hang on.
        end_process(self._daemon, STOP_TIMEOUT)
        if self._daemon:
            self._daemon.stdout.close()
        if self._log:
            self._log.close()


def started_for_module(session):
    """Starts a display session that the test module's end stops."""
    unittest.addModuleCleanup(session.stop)
    session.start()
    return session


def start_for_module(start_display, prefix):
    """A display session, started by start_display(folder), and a bus on it for the whole test module, with this
    process's screen reader connected; returns both."""
    folder = tempfile.TemporaryDirectory(prefix=prefix)
    unittest.addModuleCleanup(folder.cleanup)
    display = start_display(Path(folder.name))
    bus = started_for_module(BusSession(Path(folder.name), display.environment))
    screen_reader.connect(bus.address)
    return display, bus
