# Set-up, build and test in two commands: `make run` and `make test`.
# Both install the Debian packages the project needs when they are missing.

PRESET ?= $(if $(CI),ci,default)
BUILD_DIR := build/$(PRESET)
PROGRAM := $(BUILD_DIR)/app/fractal-tree

PACKAGES := g++ cmake make pkg-config libsdl2-dev libsdl2-image-dev \
            libx11-dev libxdamage-dev libgtest-dev libgmock-dev libbenchmark-dev xvfb
SUDO := $(if $(filter 0,$(shell id -u)),,sudo)

.PHONY: run test bench build configure deps

run: build
	./$(PROGRAM)

test: build
	ctest --preset $(PRESET)

bench: build
	./$(BUILD_DIR)/bench/fractal-tree-bench

build: configure
	cmake --build --preset $(PRESET) --parallel

configure: deps
	cmake --preset $(PRESET)

deps:
	@missing=$$(for p in $(PACKAGES); do \
	    dpkg-query -W -f='$${Status}\n' $$p 2>/dev/null | grep -q 'ok installed' || echo $$p; \
	  done); \
	if [ -n "$$missing" ]; then \
	  echo "Installing:" $$missing; \
	  $(SUDO) apt-get update -q && \
	  $(SUDO) env DEBIAN_FRONTEND=noninteractive apt-get install -y -q --no-install-recommends $$missing; \
	fi
