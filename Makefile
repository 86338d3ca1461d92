# Set-up commands: `make run` builds and starts the browser, `make test`
# builds and runs every test. Both install what is missing first.

BUILD ?= build
FUZZ_BUILD ?= build-fuzz
FUZZ_SECONDS ?= 20
JOBS ?= $(shell nproc)

.PHONY: all deps configure build run test fuzz bench install clean

all: build

deps:
	@scripts/install-deps

configure: deps
	@cmake -S . -B $(BUILD) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null

build: configure
	@cmake --build $(BUILD) -j $(JOBS)

# Only the program: a first start need not wait for the tests.
run: configure
	@cmake --build $(BUILD) -j $(JOBS) --target lumivale
	@scripts/run-browser $(BUILD)/lumivale

test: build
	@scripts/run-tests $(BUILD)

fuzz: deps
	@cmake -S . -B $(FUZZ_BUILD) -G Ninja -DLUMIVALE_FUZZ=ON -DCMAKE_CXX_COMPILER=clang++ \
	  -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
	@cmake --build $(FUZZ_BUILD) -j $(JOBS)
	@scripts/run-fuzz $(FUZZ_BUILD) $(FUZZ_SECONDS)

# PREFIX=/usr/local by default; DESTDIR is honoured.
PREFIX ?= /usr/local
install: deps
	@cmake -S . -B $(BUILD) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_INSTALL_PREFIX=$(PREFIX) >/dev/null
	@cmake --build $(BUILD) -j $(JOBS) --target lumivale
	@cmake --install $(BUILD)

bench: build
	@scripts/run-bench $(BUILD)

clean:
	rm -rf $(BUILD) $(FUZZ_BUILD)
