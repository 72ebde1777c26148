# make run      : install what is missing, build the app (not the tests), start Corvina
# make test     : install what is missing, build, run every test
# make package  : build a .deb in $(BUILD)
# make sanitize : the unit tests built with address and undefined-behaviour checks
# make install PREFIX=/usr/local
BUILD ?= build
SANITIZE_BUILD ?= build-sanitize
PREFIX ?= /usr/local
JOBS ?= $(shell nproc)
# Extra options for a new build folder, e.g. CMAKE_FLAGS=-DCORVINA_WERROR=ON
CMAKE_FLAGS ?=

.PHONY: all deps build run test package sanitize install bench tour clean

all: build

deps:
	@scripts/install-deps

$(BUILD)/Makefile: CMakeLists.txt tests/CMakeLists.txt
	cmake -S . -B $(BUILD) -DCMAKE_INSTALL_PREFIX=$(PREFIX) $(CMAKE_FLAGS)

build: deps $(BUILD)/Makefile
	cmake --build $(BUILD) -j $(JOBS)

run: deps $(BUILD)/Makefile
	cmake --build $(BUILD) -j $(JOBS) --target corvina
	$(BUILD)/corvina

test: build
	cd $(BUILD) && ctest --output-on-failure

package: build
	cd $(BUILD) && cpack

# Only the unit tests: the integration tests need a display and the web engine's own
# processes, which are not built with the checks. Leak checks stay on.
sanitize: deps
	cmake -S . -B $(SANITIZE_BUILD) -DCMAKE_BUILD_TYPE=Debug -DCORVINA_SANITIZE=ON $(CMAKE_FLAGS)
	cmake --build $(SANITIZE_BUILD) -j $(JOBS) --target unit_tests
	UBSAN_OPTIONS=print_stacktrace=1 $(SANITIZE_BUILD)/tests/unit_tests

install: build
	cmake --install $(BUILD) --prefix $(PREFIX)

bench: build
	scripts/install-bench-deps
	bench/run $(BUILD)

tour: build
	scripts/install-bench-deps
	bench/tour/run $(BUILD)

clean:
	rm -rf $(BUILD) $(SANITIZE_BUILD)
