"""Signing the Windows release files as make package does (cmake/sign_file.cmake): with a code-signing certificate
made here with openssl (its key under a password), the zip's hopwick.exe and the MSI carry an Authenticode
signature that osslsigncode verifies against that certificate, a changed byte breaks it, the same input signs to
the same bytes, and without a certificate the file is copied unchanged.

HOPWICK_SIGN_SCRIPT, HOPWICK_ZIP, HOPWICK_MSI and HOPWICK_SOURCE_DATE_EPOCH come from CTest.
"""

import os
import subprocess
import tempfile
import unittest
import zipfile
from pathlib import Path

SIGN_SCRIPT = os.environ["HOPWICK_SIGN_SCRIPT"]
ZIP = Path(os.environ["HOPWICK_ZIP"])
MSI = Path(os.environ["HOPWICK_MSI"])
SIGNING_TIME = os.environ["HOPWICK_SOURCE_DATE_EPOCH"]
SIGNER = "Hopwick test signer"
SIGNING_VARIABLES = ("HOPWICK_SIGN_CERT", "HOPWICK_SIGN_KEY", "HOPWICK_SIGN_PASSWORD_FILE")


def run(command, environment=None):
    return subprocess.run(command, capture_output=True, text=True, stdin=subprocess.DEVNULL, env=environment)


class SigningTest(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        folder = tempfile.TemporaryDirectory(prefix="hopwick-sign-")
        cls.addClassCleanup(folder.cleanup)
        cls.folder = Path(folder.name)
        cls.certificate = cls.folder / "certificate.pem"
        cls.key = cls.folder / "key.pem"
        cls.password = cls.folder / "password.txt"
        cls.password.write_text("a secret\n")
        made = run(["openssl", "req", "-x509", "-newkey", "rsa:2048", "-keyout", str(cls.key), "-out",
                    str(cls.certificate), "-passout", f"file:{cls.password}", "-subj", f"/CN={SIGNER}", "-days", "30",
                    "-addext", "extendedKeyUsage=codeSigning", "-addext", "keyUsage=digitalSignature"])
        assert made.returncode == 0, made.stderr
        with zipfile.ZipFile(ZIP) as archive:
            name = next(name for name in archive.namelist() if name.endswith("/hopwick.exe"))
            cls.program = cls.folder / "hopwick.exe"
            cls.program.write_bytes(archive.read(name))

    def sign(self, source, target, **variables):
        environment = {name: value for name, value in os.environ.items() if name not in SIGNING_VARIABLES}
        environment.update(variables)
        return run(["cmake", f"-DINPUT={source}", f"-DOUTPUT={target}", "-DOSSLSIGNCODE=osslsigncode",
                    f"-DSIGNING_TIME={SIGNING_TIME}", "-DDESCRIPTION=Hopwick", "-DURL=https://hopwick.example/",
                    "-P", SIGN_SCRIPT], environment)

    def signed(self, source, name):
        target = self.folder / name
        result = self.sign(source, target, HOPWICK_SIGN_CERT=str(self.certificate), HOPWICK_SIGN_KEY=str(self.key),
                           HOPWICK_SIGN_PASSWORD_FILE=str(self.password))
        self.assertEqual(result.returncode, 0, result.stdout + result.stderr)
        return target

    def verify(self, path):
        return run(["osslsigncode", "verify", "-CAfile", str(self.certificate), "-in", str(path)])

    def test_the_program_and_the_installer_are_signed_and_verify(self):
        for source, name in ((self.program, "signed.exe"), (MSI, "signed.msi")):
            with self.subTest(name):
                self.assertNotEqual(self.verify(source).returncode, 0, "the release file is unsigned")
                target = self.signed(source, name)
                result = self.verify(target)
                self.assertEqual(result.returncode, 0, result.stdout + result.stderr)
                self.assertIn("Signature verification: ok", result.stdout)
                self.assertIn(f"Subject: /CN={SIGNER}", result.stdout)

    def test_a_changed_byte_breaks_the_signature(self):
        target = self.signed(self.program, "tampered.exe")
        data = bytearray(target.read_bytes())
        data[len(data) // 3] ^= 0xFF  # inside the code, which the signature's hash covers
        target.write_bytes(bytes(data))
        self.assertNotEqual(self.verify(target).returncode, 0)

    def test_the_same_program_signs_to_the_same_bytes(self):
        self.assertEqual(self.signed(self.program, "first.exe").read_bytes(),
                         self.signed(self.program, "second.exe").read_bytes())

    def test_without_a_certificate_the_file_is_copied_unchanged(self):
        target = self.folder / "copy.exe"
        result = self.sign(self.program, target)
        self.assertEqual(result.returncode, 0, result.stdout + result.stderr)
        self.assertEqual(target.read_bytes(), self.program.read_bytes())

    def test_a_certificate_without_its_key_is_refused(self):
        target = self.folder / "half.exe"
        result = self.sign(self.program, target, HOPWICK_SIGN_CERT=str(self.certificate))
        self.assertNotEqual(result.returncode, 0)
        self.assertIn("HOPWICK_SIGN_KEY", result.stderr)
        self.assertFalse(target.exists())


if __name__ == "__main__":
    unittest.main()
