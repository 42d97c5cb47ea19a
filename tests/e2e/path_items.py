"""A store of three path items: a document, a document whose path holds commas and Japanese, and a path that
names nothing. 表 and ソ end in the byte 0x5C in code page 932, the backslash, which must not split a path."""

from dataclasses import dataclass
from pathlib import Path

from store_file import write_store


@dataclass(frozen=True)
class PathItems:
    document: str
    awkward_document: str
    missing: str

    def in_order(self):
        return [self.document, self.awkward_document, self.missing]


def store_path_items(folder, program_folder):
    documents = Path(folder) / "documents"
    awkward = documents / "会議, 議事録" / "予定,表.txt"
    awkward.parent.mkdir(parents=True)
    plain = documents / "notes.txt"
    plain.write_text("notes\n")
    awkward.write_text("予定\n", encoding="utf-8")
    items = PathItems(str(plain), str(awkward), str(documents / "消えた,ソフト.txt"))
    write_store(program_folder, items.in_order())
    return items
