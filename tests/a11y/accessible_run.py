"""One run of the launcher on a display of any kind, with the private accessibility bus, found there by its
process; the program's folder, its store and the recording stand-ins are those of the end-to-end tests."""

import subprocess

from launcher_run import RunFolder
from processes import end_process
from screen_reader import Application

EXIT_TIMEOUT = 10.0

__all__ = ["AccessibleRun", "RunFolder"]


class AccessibleRun:
    def __init__(self, environment, run_folder):
        self.folder = run_folder
        self.environment = dict(environment)
        self.environment["PATH"] = f"{run_folder.stand_ins.folder}:{self.environment['PATH']}"
        self.process = None
        self.application = None

    def start(self):
        with open(self.folder.output, "ab") as output:
            self.process = subprocess.Popen([str(self.folder.program)], cwd=self.folder.work_folder,
                                            env=self.environment, stdin=subprocess.DEVNULL, stdout=output,
                                            stderr=subprocess.STDOUT)
        self.application = Application(self.process.pid)

    def stop(self):
        end_process(self.process, EXIT_TIMEOUT)

    def output(self):
        return self.folder.output.read_text(errors="replace")

    def window(self, caption):
        return self.application.window_named(caption)

    def starts(self):
        return self.folder.stand_ins.starts()
