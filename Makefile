# The two commands of the quick start: `make run` and `make test`; `make bench` measures, apart from the tests.
.PHONY: run test deps build bench

deps:
	@scripts/install-deps.sh

build: deps
	cmake --preset linux
	cmake --build --preset linux

run: build
	scripts/run-launcher.sh build/src/platform/qt/hopwick

test: build
	ctest --preset linux

bench: deps
	cmake --preset bench
	cmake --build --preset bench
	bench/run_benchmarks.sh build-bench
