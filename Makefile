# The two commands of the quick start: `make run` and `make test`; `make bench` measures, apart from the tests.
.PHONY: run test test-windows deps build bench test-asan test-fuzz

deps:
	@scripts/install-deps.sh

build: deps
	cmake --preset linux
	cmake --build --preset linux

run: build
	scripts/run-launcher.sh build/src/platform/qt/hopwick

test: build test-asan test-fuzz test-windows
	ctest --preset linux

# The core, platform, reliability and Qt suites again under AddressSanitizer and UndefinedBehaviorSanitizer.
test-asan: deps
	cmake --preset asan
	cmake --build --preset asan
	ctest --preset asan

# The store's fuzz targets: the seed corpus and the regressions replayed, then a bounded run of each.
test-fuzz: deps
	cmake --preset fuzz
	cmake --build --preset fuzz
	ctest --preset fuzz

# The Windows program cross-built with mingw-w64, its suites, the core's and end-to-end tests run under Wine.
test-windows: deps
	scripts/test-windows.sh

bench: deps
	cmake --preset bench
	cmake --build --preset bench
	cmake --preset bench-windows
	cmake --build --preset bench-windows
	bench/run_benchmarks.sh build-bench build-bench-win
