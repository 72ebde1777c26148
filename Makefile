# make run   : install what is missing, build, start Corvina
# make test  : install what is missing, build, run every test
# make install PREFIX=/usr/local
BUILD ?= build
PREFIX ?= /usr/local
JOBS ?= $(shell nproc)

.PHONY: all deps build run test install bench clean

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
	@if [ -x bench/run ]; then bench/run $(BUILD); else echo "no benchmarks yet"; fi

clean:
	rm -rf $(BUILD)
