"""Ending a process that a test started, politely first."""

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
