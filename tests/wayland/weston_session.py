"""A private Wayland compositor for one group of tests: weston with the pixman renderer.

Headless, it has no seat, so nothing can be clicked or typed there: the tests read what a client tells the
compositor from the client's protocol log and drive the program through its accessible interface. On an X
display instead (x_environment), its output is an X window whose pointer is weston's seat, and its kiosk shell
shows the newest window alone, centred on the output."""

import subprocess
from pathlib import Path

from polling import wait_for
from processes import end_process, fail_if_ended
from session_environment import missing_programs, session_environment

REQUIRED_PROGRAMS = ("weston",)
START_TIMEOUT = 15.0
OUTPUT_SIZE = (800, 600)  # of the output on an X display
STOP_TIMEOUT = 5.0
QT_WAYLAND_PLUGIN = Path("/usr/lib/x86_64-linux-gnu/qt6/plugins/platforms/libqwayland-generic.so")


def missing_parts():
    missing = missing_programs(REQUIRED_PROGRAMS)
    if not QT_WAYLAND_PLUGIN.exists():
        missing.append("qt6-wayland")
    return missing


class WestonSession:
    def __init__(self, folder, scale=1, x_environment=None):
        self.folder = Path(folder)
        self.scale = scale
        self.x_environment = x_environment
        self.environment = None
        self._compositor = None
        self._log = None

    def start(self):
        missing = missing_parts()
        if missing:
            raise RuntimeError(f"missing {missing}; run scripts/install-deps.sh")
        socket = "hopwick-wayland"
        # What a Wayland session gives its programs: no X display, only the compositor's socket.
        self.environment = dict(session_environment(self.folder), XDG_SESSION_TYPE="wayland")
        self._log = open(self.folder / "weston.log", "wb")
        command = ["weston", "--use-pixman", "--idle-time=0", "--no-config", f"--scale={self.scale}",
                   f"--socket={socket}"]
        compositor_environment = dict(self.environment)
        if self.x_environment:
            command += ["--backend=x11-backend.so", "--shell=kiosk-shell.so",
                        f"--width={OUTPUT_SIZE[0]}", f"--height={OUTPUT_SIZE[1]}"]
            compositor_environment["DISPLAY"] = self.x_environment["DISPLAY"]
        else:
            command += ["--backend=headless-backend.so"]
        self._compositor = subprocess.Popen(command, env=compositor_environment, stdin=subprocess.DEVNULL,
                                            stdout=self._log, stderr=subprocess.STDOUT)
        socket_path = Path(self.environment["XDG_RUNTIME_DIR"]) / socket
        wait_for(lambda: self._ready(socket_path), "weston to listen", START_TIMEOUT)
        self.environment["WAYLAND_DISPLAY"] = socket

    def _ready(self, socket):
        fail_if_ended(self._compositor, "weston", self.folder / "weston.log")
        return socket.is_socket()

    def stop(self):
        end_process(self._compositor, STOP_TIMEOUT)
        if self._log:
            self._log.close()
