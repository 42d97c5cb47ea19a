"""The release files that `make package` leaves in dist/, checked as a user's system and Debian's tools see them:
the Debian package's fields, files, metadata and hardening, the Windows zip's contents and its program's
protections, the installer's tables, and the checksums of them all.

HOPWICK_DEB, HOPWICK_ZIP, HOPWICK_MSI, HOPWICK_VERSION and HOPWICK_SOURCE_DIR come from CTest.
"""

import gzip
import hashlib
import os
import re
import subprocess
import tempfile
import unittest
import xml.etree.ElementTree as ElementTree
import zipfile
from pathlib import Path

import pefile

DEB = Path(os.environ["HOPWICK_DEB"])
ZIP = Path(os.environ["HOPWICK_ZIP"])
MSI = Path(os.environ["HOPWICK_MSI"])
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
BYTE_ORDER_MARK = b"\xef\xbb\xbf"
# What a stack-protected mingw-w64 program links from libssp: the message of __stack_chk_fail.
STACK_PROTECTOR_MESSAGE = b"stack smashing detected"


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
        # Qt's Wayland plugin: without it the program runs through XWayland in a Wayland session.
        self.assertEqual(self.field("Recommends"), "qt6-wayland")

    def test_lintian_finds_no_error_no_warning_and_no_missing_hardening(self):
        result = run("lintian", "--display-info", "--show-overrides", "--fail-on", "error,warning", str(DEB))
        problems = [line for line in result.stdout.splitlines() if re.match(r"[EW]: ", line)]
        self.assertEqual(problems, [])
        self.assertEqual(result.returncode, 0, result.stdout + result.stderr)
        hardening = sorted(line for line in result.stdout.splitlines() if re.match(r"[EWIPO]: .*hardening-", line))
        # The one overridden tag, and why, is in data/package/lintian-overrides.
        self.assertEqual(hardening, ["O: hopwick: hardening-no-fortify-functions [usr/bin/hopwick]"])

    def test_the_program_is_built_with_debians_hardening(self):
        result = run("hardening-check", "--verbose", str(self.root / "usr/bin/hopwick"))
        for check in ("Position Independent Executable: yes", "Stack protected: yes", "Read-only relocations: yes",
                      "Immediate binding: yes"):
            with self.subTest(check):
                self.assertIn(check, result.stdout)
        # Two checks that no program built on Debian 12 can pass the way hardening-check looks: the fortified
        # calls (see data/package/lintian-overrides) and CET's marking, which the C library's start files
        # (crt1.o, crti.o, crtn.o) lack, while every object of ours has it. Everything else passes.
        self.assertRegex(result.stdout, r"Fortify Source functions: (yes|no, only unprotected functions found)")
        self.assertIn("Control flow integrity: no", result.stdout)
        for start_file in ("Scrt1.o", "crti.o", "crtn.o"):
            with self.subTest(start_file):
                notes = run("readelf", "--notes", f"/usr/lib/x86_64-linux-gnu/{start_file}")
                self.assertNotIn("IBT, SHSTK", notes.stdout, "the start files have CET now: expect it in the program")
        result = run("hardening-check", "--nofortify", "--nocfprotection", str(self.root / "usr/bin/hopwick"))
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
                      "SIS beside the program", "FILES", "a save is refused: a message box says"):
            with self.subTest(words):
                self.assertIn(words, text)
        # A portable copy never moves its store: a folder that cannot be written means no save.
        self.assertNotIn("configuration folder instead", text)

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

    def test_the_license_is_the_repositorys_with_windows_line_ends(self):
        data = self.archive.read(f"{ZIP_FOLDER}/LICENSE.txt")
        self.assertEqual(data.count(b"\n"), data.count(b"\r\n"), "every line ends in CR LF")
        self.assertEqual(data.replace(b"\r\n", b"\n"), (SOURCE_DIR / "LICENSE").read_bytes())
        self.assertIn(b"MIT License", data)

    def test_the_readme_is_a_short_windows_text_for_the_programs_users(self):
        data = self.archive.read(f"{ZIP_FOLDER}/README.txt")
        # Notepad before Windows 10 1903 reads UTF-8 without the mark as the ANSI code page.
        self.assertTrue(data.startswith(BYTE_ORDER_MARK))
        self.assertEqual(data.count(b"\n"), data.count(b"\r\n"), "every line ends in CR LF")
        text = data[len(BYTE_ORDER_MARK):].decode("utf-8")
        self.assertLess(len(data), 6000)
        self.assertLessEqual(max(len(line) for line in text.splitlines()), 80)
        for words in (f"HOPWICK {VERSION}", "hopwick.exe", "SIS", "%APPDATA%\\Hopwick", "portable", "Start menu",
                      f"hopwick-{VERSION}-win64.msi", "setup label", "Alt", "fonts", "MIT license", "LICENSE.txt"):
            with self.subTest(words):
                self.assertIn(words, text)
        # Nothing of the developers' README: building, testing, Markdown pictures.
        for words in ("make ", "cmake", "![", "```"):
            with self.subTest(absent=words):
                self.assertNotIn(words, text)

    def test_the_program_keeps_its_protections_and_has_a_stack_protector(self):
        data = self.archive.read(f"{ZIP_FOLDER}/hopwick.exe")
        program = pefile.PE(data=data, fast_load=False)
        self.assertTrue(program.OPTIONAL_HEADER.IMAGE_DLLCHARACTERISTICS_DYNAMIC_BASE, "ASLR")
        self.assertTrue(program.OPTIONAL_HEADER.IMAGE_DLLCHARACTERISTICS_HIGH_ENTROPY_VA, "high-entropy ASLR")
        self.assertTrue(program.OPTIONAL_HEADER.IMAGE_DLLCHARACTERISTICS_NX_COMPAT, "NX")
        self.assertFalse(program.FILE_HEADER.IMAGE_FILE_RELOCS_STRIPPED, "relocations kept for ASLR")
        self.assertIn(STACK_PROTECTOR_MESSAGE, data)
        imports = sorted(entry.dll.decode().lower() for entry in program.DIRECTORY_ENTRY_IMPORT)
        # ADVAPI32 for libssp, which draws the stack guard's value from the system's random numbers.
        self.assertEqual(imports, ["advapi32.dll", "comctl32.dll", "gdi32.dll", "kernel32.dll", "msvcrt.dll",
                                   "user32.dll"])

    def test_the_program_is_the_one_the_installer_installs(self):
        with tempfile.TemporaryDirectory(prefix="hopwick-msi-") as folder:
            result = run("msiextract", "--directory", folder, str(MSI))
            self.assertEqual(result.returncode, 0, result.stderr)
            installed = {path.name: path.read_bytes() for path in Path(folder).rglob("*") if path.is_file()}
        self.assertEqual(sorted(installed), ["LICENSE.txt", "README.txt", "hopwick.exe", "hopwick.installed"])
        for name in ("hopwick.exe", "README.txt", "LICENSE.txt"):
            with self.subTest(name):
                self.assertEqual(installed[name], self.archive.read(f"{ZIP_FOLDER}/{name}"))
        self.assertEqual(installed["hopwick.installed"], b"")


class InstallerTest(unittest.TestCase):
    """The MSI's own tables, as msiinfo reads them; what it does when installed is tested under Wine."""

    def table(self, name):
        result = run("msiinfo", "export", str(MSI), name)
        self.assertEqual(result.returncode, 0, result.stderr)
        # A header of names, one of types, one of the key; then the rows.
        return [line.split("\t") for line in result.stdout.splitlines()[3:]]

    def test_installs_for_the_user_alone_without_administrator_rights(self):
        self.assertEqual(MSI.name, f"hopwick-{VERSION}-win64.msi")
        summary = run("msiinfo", "suminfo", str(MSI))
        self.assertEqual(summary.returncode, 0, summary.stderr)
        # The word count's bit 3: elevated privileges are not required; bit 1: compressed.
        word_count = int(re.search(r"^Source: (\d+)", summary.stdout, re.MULTILINE).group(1))
        self.assertEqual(word_count & 0b1010, 0b1010, summary.stdout)
        self.assertIn("Template: x64;", summary.stdout)
        properties = dict(row[:2] for row in self.table("Property"))
        self.assertNotIn("ALLUSERS", properties, "no ALLUSERS: a per-user installation")
        self.assertEqual(properties["ProductVersion"], VERSION)
        self.assertEqual(properties["ProductName"], "Hopwick")
        directories = {row[0]: row[1:] for row in self.table("Directory")}
        self.assertEqual(directories["INSTALLDIR"], ["UserPrograms", "Hopwick"])
        self.assertEqual(directories["UserPrograms"], ["LocalAppDataFolder", "Programs"])

    def test_replaces_an_older_version_and_refuses_a_downgrade(self):
        upgrades = self.table("Upgrade")
        self.assertEqual(len({row[0] for row in upgrades}), 1, "one upgrade code")
        older = [row for row in upgrades if row[2] == VERSION and row[-1] == "WIX_UPGRADE_DETECTED"]
        self.assertEqual(len(older), 1, upgrades)
        actions = {row[0] for row in self.table("InstallExecuteSequence")}
        self.assertIn("RemoveExistingProducts", actions)


class ChecksumsTest(unittest.TestCase):
    def test_sha256sums_lists_every_release_file_with_its_sum(self):
        sums = DEB.parent / "SHA256SUMS"
        listed = {}
        for line in sums.read_text().splitlines():
            digest, name = re.fullmatch(r"([0-9a-f]{64})  (\S+)", line).groups()
            listed[name] = digest
        release_files = sorted(path.name for path in DEB.parent.iterdir() if path != sums)
        self.assertEqual(sorted(listed), release_files)
        self.assertEqual(sorted(listed), sorted([DEB.name, ZIP.name, MSI.name]))
        for name, digest in listed.items():
            with self.subTest(name):
                self.assertEqual(hashlib.sha256((DEB.parent / name).read_bytes()).hexdigest(), digest)


if __name__ == "__main__":
    unittest.main()
