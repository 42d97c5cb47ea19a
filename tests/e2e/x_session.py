"""A private X display (Xvfb) with a small window manager (openbox), for one group of tests.

Without a window manager no window is ever active, so focus and dialogs would not behave as on a desktop.
"""

import os
import select
import subprocess
import time
from pathlib import Path

from polling import wait_for
from processes import end_process, fail_if_ended
from session_environment import missing_programs, session_environment

REQUIRED_PROGRAMS = ("Xvfb", "openbox", "xdotool", "xwininfo", "xprop", "import")
SCREEN = "1024x768x24"
START_TIMEOUT = 15.0
STOP_TIMEOUT = 5.0


class XSession:
    def __init__(self, folder):
        self.folder = Path(folder)
        self.display = None
        self.environment = None
        self._server = None
        self._window_manager = None
        self._logs = []

    def start(self):
        missing = missing_programs(REQUIRED_PROGRAMS)
        if missing:
            raise RuntimeError(f"missing programs {missing}; run scripts/install-deps.sh")
        self.environment = session_environment(self.folder)
        self._start_server()
        self.environment["DISPLAY"] = self.display
        self._window_manager = self._spawn(["openbox", "--sm-disable"], "openbox.log", self.environment)
        wait_for(self._window_manager_ready, "openbox to manage the display", START_TIMEOUT)

    def stop(self):
        end_process(self._window_manager, STOP_TIMEOUT)
        end_process(self._server, STOP_TIMEOUT)
        for log in self._logs:
            log.close()

    def _spawn(self, command, log_name, environment, **options):
        log = open(self.folder / log_name, "wb")
        self._logs.append(log)
        return subprocess.Popen(command, env=environment, stdin=subprocess.DEVNULL, stdout=log,
                                stderr=subprocess.STDOUT, **options)

    def _start_server(self):
        # -displayfd lets the server pick a free display number, so groups may run side by side.
        reader, writer = os.pipe()
        try:
            # -noreset: a client that comes and goes before the window manager must not reset the server.
            command = ["Xvfb", "-displayfd", str(writer), "-noreset", "-screen", "0", SCREEN, "-dpi", "96", "-nolisten",
                       "tcp"]
            self._server = self._spawn(command, "xvfb.log", self.environment, pass_fds=(writer,))
            os.close(writer)
            writer = None
            number = self._read_line(reader).strip()
        finally:
            os.close(reader)
            if writer is not None:
                os.close(writer)
        if not number.isdigit():
            raise RuntimeError(f"Xvfb reported no display; see {self.folder / 'xvfb.log'}")
        self.display = ":" + number

    @staticmethod
    def _read_line(reader):
        # The server writes the number and the newline separately, and ends if the pipe closes in between.
        deadline = time.monotonic() + START_TIMEOUT
        text = b""
        while not text.endswith(b"\n"):
            ready, _, _ = select.select([reader], [], [], max(0.0, deadline - time.monotonic()))
            chunk = os.read(reader, 64) if ready else b""
            if not chunk:
                break
            text += chunk
        return text.decode()

    def _window_manager_ready(self):
        fail_if_ended(self._window_manager, f"openbox on {self.display}", self.folder / "openbox.log")
        result = subprocess.run(["xprop", "-root", "_NET_SUPPORTING_WM_CHECK"], env=self.environment,
                                capture_output=True, text=True)
        return "window id" in result.stdout
