# Marrowick: the two set-up commands (run, test) and the developer targets (bench, fuzz).
.PHONY: run test bench fuzz deps build build-asan build-tsan test-films clean

DEMO_FILM := build/demo/marrowick-demo.mp4

JOBS ?= $(shell nproc)
FUZZ_SECONDS ?= 20

deps:
	@scripts/install-deps

build: deps
	@cmake --preset default >/dev/null
	@cmake --build --preset default -j $(JOBS)

build-asan: deps
	@cmake --preset asan >/dev/null
	@cmake --build --preset asan -j $(JOBS)

build-tsan: deps
	@cmake --preset tsan >/dev/null
	@cmake --build --preset tsan -j $(JOBS)

test-films: build
	@scripts/make-test-films-if-needed build

# The demo film is rendered once into the build tree; the application opens on it, so a newcomer
# sees detection, thumbnails and groups at once.
$(DEMO_FILM): tools/make-demo-film | deps
	@tools/make-demo-film $@

run: build $(DEMO_FILM)
	@build/src/app/marrowick $(DEMO_FILM)

# Each test tree makes its own test films first (the "test-films" CTest fixture).
test: build build-asan build-tsan
	@ctest --preset default -j $(JOBS)
	@ctest --preset asan -j $(JOBS)
	@ctest --preset tsan -j $(JOBS)

bench: build test-films
	@scripts/run-benchmarks build

fuzz: deps
	@cmake --preset fuzz >/dev/null
	@cmake --build --preset fuzz -j $(JOBS)
	@scripts/run-fuzzers build-fuzz $(FUZZ_SECONDS)

clean:
	rm -rf build build-asan build-tsan build-fuzz
