# The two commands of the README: `make run` and `make test`. Both install the
# missing system packages, configure and build first.
BUILD_DIR ?= build
JOBS ?= 2

.PHONY: all deps configure build run test asan clean

all: build

deps:
	@bash scripts/install-deps.sh

configure: deps
	@if [ ! -f $(BUILD_DIR)/build.ninja ]; then \
	  cmake -S . -B $(BUILD_DIR) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo; \
	fi

build: configure
	cmake --build $(BUILD_DIR) -j $(JOBS)

run: build
	cd $(BUILD_DIR) && ./lumetra

test: build
	cd $(BUILD_DIR) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j $(JOBS)

# AddressSanitizer build, to run before big merges.
asan: deps
	cmake --preset asan
	cmake --build --preset asan
	ctest --preset asan -j $(JOBS)

clean:
	rm -rf $(BUILD_DIR) build-asan
