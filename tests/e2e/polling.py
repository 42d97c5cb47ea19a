"""Waiting for what another process does, with a deadline instead of a guessed sleep."""

import time

POLL_INTERVAL = 0.05
DEFAULT_TIMEOUT = 15.0


def wait_for(probe, what, timeout=DEFAULT_TIMEOUT):
    """Calls probe until it returns something true and returns that; fails after timeout seconds."""
    deadline = time.monotonic() + timeout
    while True:
        result = probe()
        if result:
            return result
        if time.monotonic() > deadline:
            raise AssertionError(f"gave up after {timeout:g} s waiting for {what}")
        time.sleep(POLL_INTERVAL)


def wait_for_value(read, expected, what, timeout=DEFAULT_TIMEOUT):
    """Calls read until it returns expected; the failure names the last value read."""
    last = []

    def matches():
        last[:] = [read()]
        return last[0] == expected

    try:
        wait_for(matches, what, timeout)
    except AssertionError as timed_out:
        raise AssertionError(f"{timed_out}: expected {expected!r}, last read {last[0]!r}") from None
