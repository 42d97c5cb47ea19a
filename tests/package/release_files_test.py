"""The release files that `make package` leaves in dist/, checked as a user's system and Debian's tools see them:
the Debian package's fields, files and metadata, and the Windows zip's contents.

HOPWICK_DEB, HOPWICK_ZIP, HOPWICK_VERSION and HOPWICK_SOURCE_DIR come from CTest.
"""

import gzip
import os
import re
import subprocess
import tempfile
import unittest
import xml.etree.ElementTree as ElementTree
import zipfile
from pathlib import Path

DEB = Path(os.environ["HOPWICK_DEB"])
ZIP = Path(os.environ["HOPWICK_ZIP"])
VERSION = os.environ["HOPWICK_VERSION"]
SOURCE_DIR = Path(os.environ["HOPWICK_SOURCE_DIR"])

ICON_SIZES = (16, 24, 32, 48, 64, 128, 256)
DESKTOP_ENTRY = "usr/share/applications/hopwick.desktop"
MANUAL_PAGE = "usr/share/man/man1/hopwick.1.gz"
DOC_FOLDER = "usr/share/doc/hopwick"
RUN_TIME_DEPENDS = ("fonts-ipafont-gothic", "xdg-utils")
# Found by dpkg-shlibdeps in the binary, not listed by hand.
LIBRARY_DEPENDS = ("libc6", "libqt6widgets6", "libfontconfig1")
ZIP_FOLDER = f"hopwick-{VERSION}-win64"


def run(*command):
    return subprocess.run(command, capture_output=True, text=True, stdin=subprocess.DEVNULL)


def png_size(data):
    if data[:8] != b"\x89PNG\r\n\x1a\n":
        raise AssertionError("not a PNG file")
    return int.from_bytes(data[16:20], "big"), int.from_bytes(data[20:24], "big")


class DebianPackageTest(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        if not DEB.is_file():
            raise AssertionError(f"{DEB} is missing: make package builds it")
        folder = tempfile.TemporaryDirectory(prefix="hopwick-deb-")
        cls.addClassCleanup(folder.cleanup)
        cls.root = Path(folder.name)
        subprocess.run(["dpkg-deb", "--extract", str(DEB), str(cls.root)], check=True)

    def field(self, name):
        result = run("dpkg-deb", "--field", str(DEB), name)
        self.assertEqual(result.returncode, 0, result.stderr)
        return result.stdout.strip()

    def test_control_fields_name_the_version_and_the_dependencies(self):
        self.assertEqual(self.field("Package"), "hopwick")
        self.assertEqual(self.field("Version"), VERSION)
        self.assertEqual(self.field("Architecture"), "amd64")
        self.assertEqual(DEB.name, f"hopwick_{VERSION}_amd64.deb")
        depends = [entry.split()[0] for entry in self.field("Depends").split(", ")]
        for package in RUN_TIME_DEPENDS + LIBRARY_DEPENDS:
            with self.subTest(package):
                self.assertIn(package, depends)

    def test_lintian_finds_no_error_and_no_warning(self):
        # What lintian still says is information only: the hardening flags and the .comment section of a build
        # with CMake's own flags rather than dpkg-buildflags'.
        result = run("lintian", "--fail-on", "error,warning", str(DEB))
        problems = [line for line in result.stdout.splitlines() if re.match(r"[EW]: ", line)]
        self.assertEqual(problems, [])
        self.assertEqual(result.returncode, 0, result.stdout + result.stderr)

    def test_program_desktop_entry_and_icons_are_where_a_desktop_looks(self):
        program = self.root / "usr/bin/hopwick"
        self.assertTrue(program.is_file())
        self.assertTrue(os.access(program, os.X_OK))
        self.assertTrue((self.root / "usr/share/icons/hicolor/scalable/apps/hopwick.svg").is_file())
        for size in ICON_SIZES:
            with self.subTest(size=size):
                icon = self.root / f"usr/share/icons/hicolor/{size}x{size}/apps/hopwick.png"
                self.assertEqual(png_size(icon.read_bytes()), (size, size))
        result = run("desktop-file-validate", str(self.root / DESKTOP_ENTRY))
        self.assertEqual((result.returncode, result.stdout + result.stderr), (0, ""), "hints and warnings count too")

    def test_appstream_metadata_is_valid_and_names_the_desktop_entry(self):
        files = list((self.root / "usr/share/metainfo").glob("*.metainfo.xml"))
        self.assertEqual(len(files), 1, files)
        result = run("appstreamcli", "validate", "--no-net", "--pedantic", str(files[0]))
        self.assertEqual(result.returncode, 0, result.stdout + result.stderr)
        # The only remark left: the placeholder domain's top level is not one the validator knows.
        remarks = [line for line in result.stdout.splitlines() if re.match(r"[EWIP]: ", line)]
        self.assertEqual([remark.split()[2] for remark in remarks], ["cid-maybe-not-rdns"], result.stdout)

        component = ElementTree.parse(files[0]).getroot()
        self.assertEqual(files[0].name, component.findtext("id") + ".metainfo.xml")
        self.assertEqual(component.findtext("project_license"), "MIT")
        self.assertIn(component.findtext("metadata_license"), ("FSFAP", "MIT"))
        self.assertEqual(component.find("releases/release").get("version"), VERSION)
        self.assertTrue(component.findtext("screenshots/screenshot/image").startswith("https://"))
        launchable = component.find("launchable")
        self.assertEqual(launchable.get("type"), "desktop-id")
        self.assertTrue((self.root / "usr/share/applications" / launchable.text).is_file())

    def test_manual_page_renders_without_warnings_and_tells_where_the_store_lives(self):
        page = self.root / MANUAL_PAGE
        result = subprocess.run(["man", "--warnings", "--local-file", str(page)], capture_output=True, text=True,
                                env=dict(os.environ, MANWIDTH="80", LC_ALL="C.UTF-8"))
        self.assertEqual(result.returncode, 0, result.stderr)
        self.assertEqual(result.stderr, "")
        text = re.sub(r"\s+", " ", result.stdout.replace("\u2010 ", "").replace("-\n", "-"))
        for words in ("hopwick [path]", f"Hopwick {VERSION}", "$XDG_CONFIG_HOME/hopwick/SIS", "~/.config/hopwick",
                      "SIS beside the program", "FILES"):
            with self.subTest(words):
                self.assertIn(words, text)

    def test_copyright_and_changelog_follow_debians_formats(self):
        copyright_text = (self.root / DOC_FOLDER / "copyright").read_text()
        self.assertTrue(copyright_text.startswith(
            "Format: https://www.debian.org/doc/packaging-manuals/copyright-format/1.0/\n"))
        self.assertIn("License: Expat", copyright_text)
        changelog = gzip.decompress((self.root / DOC_FOLDER / "changelog.gz").read_bytes()).decode()
        self.assertTrue(changelog.startswith(f"hopwick ({VERSION}) "))


class WindowsZipTest(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        if not ZIP.is_file():
            raise AssertionError(f"{ZIP} is missing: make package builds it")
        cls.archive = zipfile.ZipFile(ZIP)
        cls.addClassCleanup(cls.archive.close)

    def test_holds_the_program_readme_and_license_in_one_folder(self):
        self.assertEqual(ZIP.name, f"hopwick-{VERSION}-win64.zip")
        names = sorted(name for name in self.archive.namelist() if not name.endswith("/"))
        self.assertEqual(names, [f"{ZIP_FOLDER}/{name}" for name in ("LICENSE.txt", "README.txt", "hopwick.exe")])
        self.assertEqual(self.archive.read(f"{ZIP_FOLDER}/hopwick.exe")[:2], b"MZ")

    def test_texts_are_the_repositorys_with_windows_line_ends(self):
        for member, source in (("README.txt", "README.md"), ("LICENSE.txt", "LICENSE")):
            with self.subTest(member):
                data = self.archive.read(f"{ZIP_FOLDER}/{member}")
                self.assertEqual(data.count(b"\n"), data.count(b"\r\n"), "every line ends in CR LF")
                self.assertEqual(data.replace(b"\r\n", b"\n"), (SOURCE_DIR / source).read_bytes())
        self.assertIn(b"MIT License", self.archive.read(f"{ZIP_FOLDER}/LICENSE.txt"))


if __name__ == "__main__":
    unittest.main()
