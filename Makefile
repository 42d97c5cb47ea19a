# The two commands of the quick start: `make run` and `make test`.
.PHONY: run test deps build

deps:
	@scripts/install-deps.sh

build: deps
	cmake --preset linux
	cmake --build --preset linux

run: build
	scripts/run-launcher.sh build/src/platform/qt/hopwick

test: build
	ctest --preset linux
