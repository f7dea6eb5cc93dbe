# Set-up, build, test and run in one place. Every target installs what is
# missing first, so each works on a fresh Debian machine.
.PHONY: all deps configure build run test test-default test-asan bench fuzz format clean

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

# Each fuzz target runs for FUZZ_SECONDS on its seed corpus (fuzz/corpus/),
# adding what it finds to build/fuzz/corpus/; a crash stops with the input
# that caused it written to build/fuzz/. Put such an input into the target's
# seed folder once it is mended, so that the test suite keeps checking it.
FUZZ_SECONDS ?= 60
FUZZ_TARGETS = gan_reader map_reader render_options png_recipe

fuzz: deps
	@if ! command -v clang++ >/dev/null 2>&1; then \
		echo "fuzz: clang++ is not installed; the fuzz targets are skipped"; exit 0; fi; \
	cmake --preset fuzz && \
	cmake --build --preset fuzz -j $(JOBS) $(addprefix --target fuzz_,$(FUZZ_TARGETS)) && \
	for t in $(FUZZ_TARGETS); do \
		mkdir -p build/fuzz/corpus/$$t && \
		echo "== fuzz_$$t for $(FUZZ_SECONDS) s" && \
		build/fuzz/fuzz/fuzz_$$t -max_total_time=$(FUZZ_SECONDS) -print_final_stats=1 \
			-artifact_prefix=build/fuzz/$$t- build/fuzz/corpus/$$t fuzz/corpus/$$t || exit 1; \
	done

format:
	@git ls-files '*.cpp' '*.h' | xargs clang-format -i

clean:
	rm -rf build
