"""What one test sets up for itself, and its end takes down again."""

import sys
import tempfile
from pathlib import Path


def fresh_folder(case, prefix):
    """An empty folder of the test's own, removed at its end."""
    folder = tempfile.TemporaryDirectory(prefix=prefix)
    case.addCleanup(folder.cleanup)
    return Path(folder.name)


def show_output(run):
    # CTest shows this only when the test fails.
    output = run.output()
    if output:
        print(f"--- launcher output ---\n{output}", file=sys.stderr)


def started_for_test(case, run, report=show_output):
    """Starts the run; at the test's end it is stopped, and then report(run) tells what it wrote."""
    case.addCleanup(report, run)
    case.addCleanup(run.stop)
    run.start()
    return run
