# make run   installs what is missing, builds, starts the program
# make test  the same set-up, then every test
# make bench the render benchmarks (BENCH_ARGS passes Google Benchmark flags)
# make install PREFIX=~/.local   the program, its .desktop file and icon
# Knobs: BUILD_DIR, BUILD_TYPE, WERROR=ON, SANITIZE=ON.

BUILD_DIR ?= build
PREFIX ?= /usr/local
BUILD_TYPE ?= RelWithDebInfo
WERROR ?= OFF
SANITIZE ?= OFF

PACKAGES := cmake ninja-build g++ pkg-config qt6-base-dev qt6-qpa-plugins libgl-dev \
	libgtest-dev libbenchmark-dev fonts-dejavu-core xvfb xauth xdotool imagemagick xclip
SUDO := $(if $(filter 0,$(shell id -u)),,sudo)
JOBS := $(shell nproc)

.PHONY: all deps configure build run test bench install clean

all: build

deps:
	@missing=$$(for p in $(PACKAGES); do \
		dpkg-query -W -f='$${Status}\n' $$p 2>/dev/null | grep -q '^install ok installed$$' || echo $$p; \
	done); \
	if [ -n "$$missing" ]; then \
		echo "Installing:" $$missing; \
		$(SUDO) apt-get update && \
		$(SUDO) env DEBIAN_FRONTEND=noninteractive apt-get install -y --no-install-recommends $$missing; \
	fi

configure: deps
	cmake -S . -B $(BUILD_DIR) -G Ninja -DCMAKE_BUILD_TYPE=$(BUILD_TYPE) \
		-DVANTOR_WERROR=$(WERROR) -DVANTOR_SANITIZE=$(SANITIZE)

build: configure
	cmake --build $(BUILD_DIR) -j $(JOBS)

run: build
	$(BUILD_DIR)/vantor-font-mapper

test: build
	ctest --test-dir $(BUILD_DIR) --output-on-failure -j $(JOBS)

bench: build
	$(BUILD_DIR)/bench/vantor_bench --benchmark_repetitions=5 --benchmark_report_aggregates_only=true $(BENCH_ARGS)

install: build
	cmake --install $(BUILD_DIR) --prefix $(PREFIX)

clean:
	rm -rf $(BUILD_DIR)
