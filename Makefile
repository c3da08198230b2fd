# Thin front end over CMake + Ninja.
BUILD ?= build
JOBS ?= $(shell nproc)
CMAKE_FLAGS ?=

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

bench: deps all
	./scripts/with-desktop.sh ./scripts/run-benchmarks.sh $(BUILD)

clean:
	rm -rf $(BUILD)
