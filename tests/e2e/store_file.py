"""The item store "SIS" as the tests write and expect it: one line of 41 quoted fields in code page 932."""

from pathlib import Path

STORE_NAME = "SIS"
ITEM_FIELDS = 40

# The list of the very first run, in its order.
DEFAULT_ITEMS = (
    'NotePad',
    'Paint',
    'Explorer',
    'WordPad',
    'Calc',
    'Telnet',
    'FTP',
    'DosPrompt',
    'defrag',
    'Regedit',
    'Scandisk',
    'Dialer',
    'Winfile',
    'Progman',
    'Imaging',
)


def store_bytes(items, picture=""):
    """The file that a save of `items` (the first 40 of them) and the picture path gives."""
    fields = list(items[:ITEM_FIELDS]) + [""] * max(0, ITEM_FIELDS - len(items)) + [picture]
    return (",".join(f'"{field}"' for field in fields) + "\r\n").encode("cp932")


def write_store(program_folder, items, picture=""):
    path = Path(program_folder) / STORE_NAME
    path.write_bytes(store_bytes(items, picture))
    return path
