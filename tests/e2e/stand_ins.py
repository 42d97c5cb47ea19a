"""Recording stand-ins for the programs the launcher starts: each appends how it was started to one log and ends.

A record is the program's name, its working folder and its arguments, one per line, closed by a separator
line; the launcher's own outcome never depends on what the stand-ins do.
"""

from dataclasses import dataclass
from pathlib import Path

# xdg-open opens paths; gnome-text-editor is the first text editor the launcher looks for.
STAND_IN_NAMES = ("xdg-open", "gnome-text-editor")
SEPARATOR = "--end--"

SCRIPT = """#!/bin/sh
{{
    printf 'program=%s\\n' "${{0##*/}}"
    printf 'cwd=%s\\n' "$(pwd -P)"
    for argument in "$@"; do
        printf 'arg=%s\\n' "$argument"
    done
    printf '%s\\n' '{separator}'
}} >> '{log}'
"""


@dataclass(frozen=True)
class Start:
    program: str
    folder: str
    arguments: tuple


class StandIns:
    def __init__(self, folder):
        self.folder = Path(folder) / "bin"
        self.log = Path(folder) / "starts.log"
        self.folder.mkdir(parents=True)
        for name in STAND_IN_NAMES:
            script = self.folder / name
            script.write_text(SCRIPT.format(separator=SEPARATOR, log=self.log))
            script.chmod(0o755)

    def starts(self):
        """Every start recorded so far, oldest first; a record still being written is left out."""
        if not self.log.exists():
            return []
        text = self.log.read_bytes().decode("utf-8", errors="surrogateescape")
        records = text.split(SEPARATOR + "\n")[:-1]
        return [self._parse(record) for record in records]

    @staticmethod
    def _parse(record):
        program, folder, arguments = None, None, []
        for line in record.splitlines():
            key, _, value = line.partition("=")
            if key == "program":
                program = value
            elif key == "cwd":
                folder = value
            elif key == "arg":
                arguments.append(value)
            else:
                raise ValueError(f"unexpected line in the start log: {line!r}")
        return Start(program, folder, tuple(arguments))
