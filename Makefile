# Set-up, build and test in two commands: `make run` and `make test`.
# Both install the Debian packages the project needs when they are missing.

PRESET ?= $(if $(CI),ci,default)
BUILD_DIR := build/$(PRESET)
PROGRAM := $(BUILD_DIR)/app/fractal-tree

PACKAGES := g++ cmake make pkg-config libsdl2-dev libsdl2-image-dev libwayland-dev \
            libx11-dev libxdamage-dev nlohmann-json3-dev libgtest-dev libgmock-dev libbenchmark-dev xvfb \
            cage sway grim xwayland weston libegl-mesa0 libgl1-mesa-dri libdecor-0-plugin-1-cairo libgif-dev \
            xscreensaver strace valgrind clang-format clang-tidy desktop-file-utils dpkg-dev file lintian appstream \
            devscripts dbus-bin libxss-dev mutter openbox i3-wm
# The Windows build: Debian's mingw-w64, SDL2 and GoogleTest built from
# Debian's sources (cmake/cross-deps.sh), and Wine for its tests.
WINDOWS_PACKAGES := g++-mingw-w64-x86-64-posix xz-utils wine wine64 xdotool wixl msitools faketime
WINDOWS_DEPS ?= build/windows-deps
WINDOWS_PROGRAM := build/windows/app/fractal-tree.exe
WINDOWS_ICON := $(abspath $(BUILD_DIR))/tools/icons/fractal-tree.ico
# The web build: Debian's emscripten, SDL2 and GoogleTest built from Debian's
# sources (cmake/cross-deps.sh), Node.js for its unit tests and Chromium for
# the page's. Its emcc needs Debian's Node.js modules, whichever node runs it.
WEB_PACKAGES := emscripten nodejs chromium python3
# The build for 64-bit ARM Debian systems (a Raspberry Pi among them):
# Debian's cross compiler against Debian's own arm64 libraries, which
# multiarch installs beside the build machine's; qemu-user runs its tests.
ARM64_PACKAGES := g++-aarch64-linux-gnu qemu-user libsdl2-dev:arm64 libwayland-dev:arm64 libx11-dev:arm64 \
                  libxdamage-dev:arm64 libgtest-dev:arm64 libgmock-dev:arm64
WEB_DEPS ?= build/web-deps
WEB_ENV := NODE_PATH=/usr/share/nodejs
EMSCRIPTEN_TOOLCHAIN := /usr/share/emscripten/cmake/Modules/Platform/Emscripten.cmake
SUDO := $(if $(filter 0,$(shell id -u)),,sudo)
# Packages are reproducible: their files' times are the last commit's.
SOURCE_DATE_EPOCH ?= $(shell git log -1 --format=%ct 2>/dev/null)
ifneq ($(SOURCE_DATE_EPOCH),)
export SOURCE_DATE_EPOCH
endif

.PHONY: run test check lint bench package build configure deps windows windows-test windows-deps web web-test web-deps \
        arm64 arm64-test arm64-deps

run: build
	./$(PROGRAM)

# Long tests are left to `make check`.
test: build
	ctest --preset $(PRESET) --label-exclude long

# Every test built with AddressSanitizer and UndefinedBehaviorSanitizer, then
# the long memory checks of the program under valgrind and over two minutes.
check: build arm64
	cmake --preset asan
	cmake --build --preset asan --parallel
	ctest --preset asan --label-exclude long
	ctest --preset $(PRESET) --label-regex long
	ctest --preset arm64 -R 'PackagePassesLintian|PackagedProgramIsHardened'

# The sources follow .clang-format, and clang-tidy's checks in .clang-tidy pass
# (on what the Linux build compiles: the Windows and web files need their own headers).
SOURCES = $(shell find runtime host tree anim app tools testing tests bench -name '*.cpp' -o -name '*.h')
lint: configure
	@clang-format --dry-run --Werror $(SOURCES)
	@echo $(filter-out %_windows.cpp %_web.cpp,$(filter %.cpp,$(SOURCES))) | xargs -P $$(nproc) -n 1 clang-tidy -p $(BUILD_DIR) --quiet

# Debian packages of the program for amd64 and arm64, the Windows installer
# and a zip of the Windows program, and a zip of the page, in build/packages
# with their SHA-256 sums.
package: build windows web arm64
	cd $(BUILD_DIR) && cpack
	cd build/arm64 && cpack
	cd build/windows && cpack
	cd build/wasm && cpack
	rm -rf build/packages && mkdir -p build/packages
	cp $(BUILD_DIR)/fractal-tree_*.deb build/arm64/fractal-tree_*.deb build/windows/fractal-tree-*-win64.zip build/windows/fractal-tree-*-win64.msi \
	  build/wasm/fractal-tree-*-web.zip build/wasm/fractal-tree-*.tgz build/packages/
	cd build/packages && sha256sum fractal-tree_*.deb fractal-tree-*.msi fractal-tree-*.zip fractal-tree-*.tgz > SHA256SUMS

# fractal-tree.exe: one file that runs on a plain Windows. Its icon is drawn
# by the native build.
windows: windows-deps configure
	cmake --build --preset $(PRESET) --target icons
	cmake/cross-deps.sh $(WINDOWS_DEPS) cmake/mingw-w64-x86_64.cmake
	cmake --preset windows -DFRACTAL_TREE_ICON=$(WINDOWS_ICON) -DCMAKE_FIND_ROOT_PATH=$(abspath $(WINDOWS_DEPS))/prefix
	cmake --build --preset windows --parallel

# The Windows build's unit tests under Wine, then the real program under Wine
# in the real-window tests that apply to it, each on an Xvfb of its own.
WINE_WINDOW_TESTS := OnWindows.*:RealWindow.HasItsFixedDialogSettingsAndIsCentred:RealWindow.ShowsTheSwayingTreeInItsPalette:RealWindow.ClosingTheWindowEndsTheProgramWithStatusZero:EveryScreen/Screens.FirstFrameIsTheUnscaledOneEnlargedExactly/Unscaled:XvfbTest.OnWindowsAFatalErrorIsShownInAMessageBox
windows-test: windows build
	ctest --preset windows
	WINEPREFIX=$(abspath build/windows/wine) wineserver -k || true
	xvfb-run -a sh -c 'FRACTAL_TREE_WINE_DISPLAY=$$DISPLAY cmake/wine-run build/windows/host/host_test.exe --gtest_filter=Video.*'
	WINEPREFIX=$(abspath build/windows/wine) wineserver -k || true
	WINEPREFIX=$(abspath build/windows/wine) WINEDEBUG=-all FRACTAL_TREE_UNDER_TEST=$(abspath $(WINDOWS_PROGRAM)) \
	  FRACTAL_TREE_PREVIEW_STAND_IN=$(abspath build/windows/tests/preview-stand-in.exe) \
	  FRACTAL_TREE_INSTALLER="$$(ls $(abspath build/windows)/fractal-tree-*-win64.msi)" \
	  ./$(BUILD_DIR)/tests/window_test --gtest_filter='$(WINE_WINDOW_TESTS)'
	WINEPREFIX=$(abspath build/windows/wine) wineserver -k || true

# build/web: the page, the element <fractal-tree> it shows (fractal-tree.mjs),
# fractal-tree.js and .wasm, and the favicon, for any static web server; and
# the element as an npm package in build/wasm. Its icon is drawn by the
# native build.
web: web-deps configure
	cmake --build --preset $(PRESET) --target icons
	$(WEB_ENV) cmake/cross-deps.sh $(WEB_DEPS) $(EMSCRIPTEN_TOOLCHAIN) -fwasm-exceptions -DSDL_LEAN_AND_MEAN=1
	$(WEB_ENV) cmake --preset web -DFRACTAL_TREE_FAVICON=$(abspath $(BUILD_DIR))/tools/icons/32.png \
	  -DCMAKE_FIND_ROOT_PATH=$(abspath $(WEB_DEPS))/prefix
	$(WEB_ENV) cmake --build --preset web --parallel

# The unit tests compiled to WebAssembly, under Node.js; then the page in
# headless Chromium.
web-test: web build
	$(WEB_ENV) ctest --preset web
	FRACTAL_TREE_WEB_DIR=$(abspath build/web) FRACTAL_TREE_NPM_PACKAGE=$(abspath $(wildcard build/wasm/fractal-tree-*.tgz)) \
	  ./$(BUILD_DIR)/tests/web_test

# The program and its package for arm64; the native build draws the icons.
arm64: arm64-deps configure
	cmake --build --preset $(PRESET) --target icons
	cmake --preset arm64 -DFRACTAL_TREE_ICON_DIR=$(abspath $(BUILD_DIR))/tools/icons
	cmake --build --preset arm64 --parallel

# The arm64 unit tests under qemu-user, then the arm64 program in the
# real-window tests that show its first frame, on an Xvfb of their own.
ARM64_WINDOW_TESTS := RealWindow.ShowsTheSwayingTreeInItsPalette:RealWindow.ClosingTheWindowEndsTheProgramWithStatusZero:EveryScreen/Screens.FirstFrameIsTheUnscaledOneEnlargedExactly/Unscaled:EveryScreen/Screens.FirstFrameIsTheUnscaledOneEnlargedExactly/XftDpi192
arm64-test: arm64 build
	ctest --preset arm64 --label-exclude long
	FRACTAL_TREE_UNDER_TEST=$(abspath build/arm64/app/fractal-tree) FRACTAL_TREE_EMULATOR=qemu-aarch64 \
	  ./$(BUILD_DIR)/tests/window_test --gtest_filter='$(ARM64_WINDOW_TESTS)'

bench: build
	./$(BUILD_DIR)/bench/fractal-tree-bench

build: configure
	cmake --build --preset $(PRESET) --parallel

configure: deps
	cmake --preset $(PRESET)

deps:
	@$(call install-missing,$(PACKAGES))

windows-deps:
	@$(call install-missing,$(PACKAGES) $(WINDOWS_PACKAGES))

web-deps:
	@$(call install-missing,$(PACKAGES) $(WEB_PACKAGES))

arm64-deps:
	@dpkg --print-foreign-architectures | grep -qx arm64 || $(SUDO) dpkg --add-architecture arm64
	@$(call install-missing,$(PACKAGES) $(ARM64_PACKAGES))

define install-missing
missing=$$(for p in $(1); do \
	    dpkg-query -W -f='$${Status}\n' $$p 2>/dev/null | grep -q 'ok installed' || echo $$p; \
	  done); \
	if [ -n "$$missing" ]; then \
	  echo "Installing:" $$missing; \
	  $(SUDO) apt-get update -q && \
	  $(SUDO) env DEBIAN_FRONTEND=noninteractive apt-get install -y -q --no-install-recommends $$missing; \
	fi
endef
