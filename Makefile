# Set-up, build and test in two commands: `make run` and `make test`.
# Both install the Debian packages the project needs when they are missing.

PRESET ?= $(if $(CI),ci,default)
BUILD_DIR := build/$(PRESET)
PROGRAM := $(BUILD_DIR)/app/fractal-tree

PACKAGES := g++ cmake make pkg-config libsdl2-dev libsdl2-image-dev \
            libx11-dev libxdamage-dev libgtest-dev libgmock-dev libbenchmark-dev xvfb \
            cage grim xwayland libegl-mesa0 libgl1-mesa-dri \
            valgrind clang-format clang-tidy desktop-file-utils dpkg-dev file
SUDO := $(if $(filter 0,$(shell id -u)),,sudo)

.PHONY: run test check lint bench package build configure deps

run: build
	./$(PROGRAM)

# Long tests are left to `make check`.
test: build
	ctest --preset $(PRESET) --label-exclude long

# Every test built with AddressSanitizer and UndefinedBehaviorSanitizer, then
# the long memory checks of the program under valgrind and over two minutes.
check: build
	cmake --preset asan
	cmake --build --preset asan --parallel
	ctest --preset asan --label-exclude long
	ctest --preset $(PRESET) --label-regex long

# The sources follow .clang-format, and clang-tidy's checks in .clang-tidy pass.
SOURCES = $(shell find runtime tree anim app bench -name '*.cpp' -o -name '*.h')
lint: configure
	@clang-format --dry-run --Werror $(SOURCES)
	@echo $(filter %.cpp,$(SOURCES)) | xargs -P $$(nproc) -n 1 clang-tidy -p $(BUILD_DIR) --quiet

# A Debian package of the program, in the build folder.
package: build
	cd $(BUILD_DIR) && cpack

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
