#!/usr/bin/python3
"""Starts a program on the X display and measures what its user sees: the time from the start to the last
drawing of its window, observed from outside the program through the DAMAGE extension.

Everything drawn on the screen damages the root window. The window is drawn once a window has been mapped and
the screen has then stayed quiet for --quiet milliseconds; the figure is the time of the last damage before
that quiet. Then the program is ended and the screen left to settle, so that the next start begins on a quiet
screen. Shorter quiet periods than a text cursor's blink (500 ms) leave the blinking out.

Prints the figure in milliseconds, or writes it to --result; fails when the program ends before its window
is drawn or does not draw within --bound seconds. python3-xlib is Debian's, so this runs on /usr/bin/python3.
"""

import argparse
import select
import subprocess
import sys
import time

from Xlib import X, display
from Xlib.ext import damage

SETTLE_BOUND = 10.0  # seconds for the screen to fall quiet around a start


class ScreenWatch:
    """The root window's damage and its top-level windows being mapped, as they arrive."""

    def __init__(self):
        self.display = display.Display()
        if not self.display.has_extension("DAMAGE"):
            raise RuntimeError("the X server has no DAMAGE extension")
        self.display.damage_query_version()
        root = self.display.screen().root
        root.damage_create(damage.DamageReportRawRectangles)
        root.change_attributes(event_mask=X.SubstructureNotifyMask)
        self.display.sync()
        self.last_damage = None
        self.mapped = False
        self._damage_event = self.display.extension_event.DamageNotify

    def read(self, timeout):
        """Takes what arrives within `timeout` seconds, stamped with the time it was read."""
        if self.display.pending_events() == 0:
            select.select([self.display.fileno()], [], [], max(0.0, timeout))
        while self.display.pending_events() > 0:
            event = self.display.next_event()
            if event.type == self._damage_event:
                self.last_damage = time.monotonic()
            elif event.type == X.MapNotify:
                self.mapped = True

    def wait_for_quiet(self, quiet, bound, ready=lambda: True, failed=lambda: None):
        """Reads until `ready()` holds and nothing has been drawn for `quiet` seconds; fails past `bound`."""
        deadline = time.monotonic() + bound
        while True:
            reason = failed()
            if reason:
                raise RuntimeError(reason)
            now = time.monotonic()
            since = now - self.last_damage if self.last_damage is not None else None
            if ready() and (since is None or since >= quiet):
                return
            if now >= deadline and not ready():
                raise RuntimeError(f"no window was drawn within {bound:.0f} s")
            if now >= deadline:
                raise RuntimeError(f"the screen was not quiet for {quiet * 1000:.0f} ms within {bound:.0f} s")
            wait = quiet if since is None else quiet - since
            self.read(min(wait, deadline - now, 0.05))


def end(program):
    program.terminate()
    try:
        program.wait(timeout=5)
    except subprocess.TimeoutExpired:
        program.kill()
        program.wait()


def settle(watch, quiet):
    """Waits out a whole quiet period from now."""
    watch.last_damage = time.monotonic()
    watch.wait_for_quiet(quiet, SETTLE_BOUND)


def measure(command, quiet, bound, input_path):
    watch = ScreenWatch()
    settle(watch, quiet)
    watch.last_damage = None
    watch.mapped = False
    stdin = open(input_path, "rb") if input_path else subprocess.DEVNULL
    started = time.monotonic()
    program = subprocess.Popen(command, stdin=stdin, stdout=subprocess.DEVNULL)
    if input_path:
        stdin.close()
    try:

        def ended():
            if program.poll() is not None:
                return f"{command[0]} ended with {program.returncode} before its window was drawn"
            return None

        watch.wait_for_quiet(quiet, bound, ready=lambda: watch.mapped and watch.last_damage is not None,
                             failed=ended)
        figure = (watch.last_damage - started) * 1000
    finally:
        end(program)
    settle(watch, quiet)
    return figure


def main():
    parser = argparse.ArgumentParser(description=__doc__.split("\n\n")[0])
    parser.add_argument("--quiet", type=float, default=300, help="milliseconds without drawing that end it")
    parser.add_argument("--bound", type=float, default=30, help="seconds the window may take at most")
    parser.add_argument("--input", help="a file for the program's standard input")
    parser.add_argument("--result", help="a file to write the figure into")
    parser.add_argument("command", nargs=argparse.REMAINDER)
    options = parser.parse_args()
    command = options.command[1:] if options.command[:1] == ["--"] else options.command
    if not command:
        parser.error("no program to start")
    try:
        figure = measure(command, options.quiet / 1000, options.bound, options.input)
    except RuntimeError as failure:
        print(f"last_drawing.py: {failure}", file=sys.stderr)
        return 1
    if options.result:
        with open(options.result, "w") as result:
            result.write(f"{figure:.3f}\n")
    else:
        print(f"{figure:.3f}")
    return 0


if __name__ == "__main__":
    sys.exit(main())
