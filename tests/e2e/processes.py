"""Ending a process that a test started, politely first, and the processes it started in turn."""

import os
import subprocess


def end_process(process, timeout):
    if process is None or process.poll() is not None:
        return
    process.terminate()
    try:
        process.wait(timeout=timeout)
    except subprocess.TimeoutExpired:
        process.kill()
        process.wait()


def fail_if_ended(process, name, log_path):
    """While waiting for a process to get ready: one that has ended never will, and its log tells why."""
    if process.poll() is not None:
        log = log_path.read_text(errors="replace")
        raise RuntimeError(f"{name} ended with {process.returncode}: {log}")


def child_processes(pid):
    """The ids of the processes whose parent is pid (a zombie included, until its parent has reaped it)."""
    children = []
    for entry in os.listdir("/proc"):
        if not entry.isdigit():
            continue
        try:
            with open(f"/proc/{entry}/stat") as stat:
                fields = stat.read().rpartition(")")[2].split()
        except OSError:
            continue  # ended meanwhile
        if int(fields[1]) == pid:
            children.append(int(entry))
    return children
