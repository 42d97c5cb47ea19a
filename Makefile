# The two commands of the quick start: `make run` and `make test`; `make check` runs the quick unit suites for
# every change; `make package` makes the release files in dist/; `make bench` measures, apart from the tests.
.PHONY: run test check package test-windows test-package test-reproducible deps build bench test-asan test-fuzz

deps:
	@scripts/install-deps.sh

build: deps
	cmake --preset linux
	cmake --build --preset linux

run: build
	scripts/run-launcher.sh build/src/platform/qt/hopwick

# The core, POSIX and Qt unit suites of the Linux build, their slow cases left out: well under two minutes.
check: build
	ctest --preset check

test: build test-asan test-fuzz test-windows test-package test-reproducible
	ctest --preset linux

# The core, platform, reliability and Qt suites again under AddressSanitizer and UndefinedBehaviorSanitizer.
test-asan: deps
	cmake --preset asan
	cmake --build --preset asan
	ctest --preset asan

# The fuzz targets of the store and the pictures: their seeds and regressions replayed, then a bounded run of each.
test-fuzz: deps
	cmake --preset fuzz
	cmake --build --preset fuzz
	ctest --preset fuzz

# The Windows program cross-built with mingw-w64, its suites, the core's and end-to-end tests run under Wine.
test-windows: deps
	scripts/test-windows.sh

# The release files in dist/: the Debian package, the Windows zip and installer, and their SHA-256 sums. The
# Windows program and installer are signed when HOPWICK_SIGN_CERT and HOPWICK_SIGN_KEY name a certificate and
# its key (cmake/sign_file.cmake).
package: build
	rm -rf dist
	cmake --preset windows
	cmake --build --preset windows
	cpack --preset deb
	cpack --preset windows-zip
	cmake --build --preset windows --target hopwick_msi
	rm -rf dist/_CPack_Packages
	cd dist && sha256sum hopwick_* hopwick-* > SHA256SUMS

# The release files checked with Debian's tools, the package installed, run and purged (as root), the zip run
# under Wine.
test-package: package
	ctest --preset package

# The release built in two fresh clones of the last commit and compared byte for byte (four builds: long).
test-reproducible: build
	ctest --preset reproducible

# The bench's own packages (rofi, a launcher to compare with) come along.
bench:
	@scripts/install-deps.sh bench
	cmake --preset bench
	cmake --build --preset bench
	cmake --preset bench-windows
	cmake --build --preset bench-windows
	bench/run_benchmarks.sh build-bench build-bench-win
