# Marrowick: the two set-up commands (run, test) and the developer targets (bench, fuzz, package).
.PHONY: run test bench fuzz fuzz-briefly deps build build-asan build-tsan test-films package clean

DEMO_FILM := build/demo/marrowick-demo.mp4

JOBS ?= $(shell nproc)
# One compile more than there are cores: while one waits on the disk or the linker, the cores stay busy.
BUILD_JOBS ?= $(shell echo $$(( $$(nproc) + 1 )))
FUZZ_SECONDS ?= 20
FUZZ_BRIEF_SECONDS ?= 4

deps:
	@scripts/install-deps

build: deps
	@cmake --preset default >/dev/null
	@cmake --build --preset default -j $(BUILD_JOBS)

build-asan: deps
	@cmake --preset asan >/dev/null
	@cmake --build --preset asan -j $(BUILD_JOBS)

build-tsan: deps
	@cmake --preset tsan >/dev/null
	@cmake --build --preset tsan -j $(BUILD_JOBS)

test-films: build
	@scripts/make-test-films-if-needed build

# The demo film is rendered once into the build tree; the application opens on it, so a newcomer
# sees detection, thumbnails and groups at once.
$(DEMO_FILM): tools/make-demo-film | deps
	@tools/make-demo-film $@

run: build $(DEMO_FILM)
	@build/src/app/marrowick $(DEMO_FILM)

# Each test tree makes its own test films first (the "test-films" CTest fixture). The ASan tree
# also holds the fuzz targets.
test: build build-asan build-tsan
	@ctest --preset default -j $(JOBS)
	@ctest --preset asan -j $(JOBS)
	@ctest --preset tsan -j $(JOBS)
	@scripts/run-fuzzers build-asan $(FUZZ_BRIEF_SECONDS)

bench: build test-films
	@cmake --build --preset default -j $(BUILD_JOBS) --target marrowick-benchmarks
	@scripts/run-benchmarks build

fuzz: build-asan
	@scripts/run-fuzzers build-asan $(FUZZ_SECONDS)

# A few seconds of every fuzz target on its seed corpus.
fuzz-briefly: build-asan
	@scripts/run-fuzzers build-asan $(FUZZ_BRIEF_SECONDS)

# The Debian package, build/marrowick_<version>-1_<arch>.deb (docs/packaging.md).
package: build
	@cmake --build build --target package

clean:
	rm -rf build build-asan build-tsan
