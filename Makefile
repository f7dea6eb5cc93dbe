# Set-up, build, test and run in one place. Every target installs what is
# missing first, so each works on a fresh Debian machine.
.PHONY: all deps configure build run test test-default test-asan bench format clean

JOBS ?= $(shell nproc)
CMAKE_FLAGS ?= $(if $(CI),-DORV_WERROR=ON,)

all: build

deps:
	@./scripts/install-deps

build/default/build.ninja: | deps
	cmake --preset default $(CMAKE_FLAGS)

configure: deps
	cmake --preset default $(CMAKE_FLAGS)

build: deps build/default/build.ninja
	cmake --build --preset default -j $(JOBS)

run: build
	./scripts/run

test: test-default test-asan

test-default: build
	ctest --preset default

test-asan: deps
	cmake --preset asan $(CMAKE_FLAGS)
	cmake --build --preset asan -j $(JOBS)
	ctest --preset asan

bench: build
	@for b in build/default/bench/*_bench; do echo "== $$b"; $$b || exit 1; done

format:
	@git ls-files '*.cpp' '*.h' | xargs clang-format -i

clean:
	rm -rf build
