# make run   : install what is missing, build, start Corvina
# make test  : install what is missing, build, run every test
# make install PREFIX=/usr/local
BUILD ?= build
PREFIX ?= /usr/local
JOBS ?= $(shell nproc)

.PHONY: all deps build run test install bench tour clean

all: build

deps:
	@scripts/install-deps

$(BUILD)/Makefile: CMakeLists.txt tests/CMakeLists.txt
	cmake -S . -B $(BUILD) -DCMAKE_INSTALL_PREFIX=$(PREFIX)

build: deps $(BUILD)/Makefile
	cmake --build $(BUILD) -j $(JOBS)

run: build
	$(BUILD)/corvina

test: build
	cd $(BUILD) && ctest --output-on-failure

install: build
	cmake --install $(BUILD) --prefix $(PREFIX)

bench: build
	scripts/install-bench-deps
	bench/run $(BUILD)

tour: build
	scripts/install-bench-deps
	bench/tour/run $(BUILD)

clean:
	rm -rf $(BUILD)
