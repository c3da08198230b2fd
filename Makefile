# Thin front end over CMake + Ninja.
BUILD ?= build
JOBS ?= $(shell nproc)
CMAKE_FLAGS ?=
# The whole suite runs a second time under the address, leak and undefined-behaviour
# sanitizers, from a second build folder; SANITIZE=0 skips that round for a quick check.
SANITIZE ?= 1
ASAN_BUILD ?= build-asan
SANITIZER_ENV = ASAN_OPTIONS=detect_leaks=1:abort_on_error=1:detect_stack_use_after_return=1 \
	LSAN_OPTIONS=suppressions=$(CURDIR)/scripts/lsan.supp:print_suppressions=0 \
	UBSAN_OPTIONS=print_stacktrace=1

.PHONY: all configure run test bench deps clean

all: configure
	cmake --build $(BUILD) -j $(JOBS)

configure:
	@test -f $(BUILD)/build.ninja || cmake -S . -B $(BUILD) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo $(CMAKE_FLAGS)

deps:
	./scripts/install-deps.sh

run: deps all
	./scripts/run-program.sh $(BUILD)

test: deps all
	./scripts/with-desktop.sh ctest --test-dir $(BUILD) --output-on-failure -j $(JOBS)
ifeq ($(SANITIZE),1)
	@test -f $(ASAN_BUILD)/build.ninja || cmake -S . -B $(ASAN_BUILD) -G Ninja \
		-DCMAKE_BUILD_TYPE=Debug -DTOVRA_SANITIZE=ON $(CMAKE_FLAGS)
	$(SANITIZER_ENV) cmake --build $(ASAN_BUILD) -j $(JOBS)
	$(SANITIZER_ENV) ./scripts/with-desktop.sh ctest --test-dir $(ASAN_BUILD) --output-on-failure -j $(JOBS)
endif

bench: deps all
	./scripts/with-desktop.sh ./scripts/run-benchmarks.sh $(BUILD)

clean:
	rm -rf $(BUILD) $(ASAN_BUILD)
