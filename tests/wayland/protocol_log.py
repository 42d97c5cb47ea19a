"""What a Wayland client asked of the compositor, read from its WAYLAND_DEBUG=1 log.

A request is logged as `[time]  -> interface@id.request(arguments)`; events come without the arrow.
"""

import re
from dataclasses import dataclass

REQUEST = re.compile(r"^\[\s*[\d.]+\]\s+->\s+(\w+)@(\d+)\.(\w+)\((.*)\)\s*$")


@dataclass(frozen=True)
class Request:
    interface: str
    object_id: str
    name: str
    arguments: str

    def numbers(self):
        return tuple(int(n) for n in re.findall(r"-?\d+", self.arguments))


def requests(log_text):
    found = []
    for line in log_text.splitlines():
        match = REQUEST.match(line)
        if match:
            found.append(Request(*match.groups()))
    return found


def last(log_text, interface, name):
    """The latest such request, or None."""
    matching = [r for r in requests(log_text) if r.interface == interface and r.name == name]
    return matching[-1] if matching else None


def title(log_text):
    request = last(log_text, "xdg_toplevel", "set_title")
    # The title is logged as a quoted string; the program's titles hold no quote.
    return request.arguments[1:-1] if request else None


def size_limits(log_text):
    """The latest minimum and maximum size of the toplevel, as (width, height) pairs."""
    low = last(log_text, "xdg_toplevel", "set_min_size")
    high = last(log_text, "xdg_toplevel", "set_max_size")
    return (low.numbers() if low else None), (high.numbers() if high else None)


def buffer_sizes(log_text):
    """(width, height) of every shared-memory buffer created, oldest first."""
    # create_buffer(new id wl_buffer@N, offset, width, height, stride, format)
    return [r.numbers()[2:4] for r in requests(log_text) if r.interface == "wl_shm_pool" and r.name == "create_buffer"]


def child_titles(log_text, parent_title):
    """The titles of the toplevels made children of the toplevel titled parent_title, oldest first."""
    titles, parents = {}, {}
    for request in requests(log_text):
        if request.interface != "xdg_toplevel":
            continue
        if request.name == "set_title":
            titles[request.object_id] = request.arguments[1:-1]
        elif request.name == "set_parent":
            parents[request.object_id] = request.arguments.removeprefix("xdg_toplevel@")
    return [titles.get(child) for child, parent in parents.items() if titles.get(parent) == parent_title]
