# The two everyday commands: `make run` and `make test`. Both install missing Debian packages first.
PRESET ?= $(if $(CI),ci,dev)
BUILD_DIR := build/$(PRESET)
EXAMPLE := examples/Valley/Valley.prj

.PHONY: run test deps configure build install bench sanitize fuzz format check-format package install-check clean

deps:
	@scripts/install-deps.sh

configure: deps
	@cmake --preset $(PRESET) >/dev/null

build: configure
	@cmake --build --preset $(PRESET)

run: build
	$(BUILD_DIR)/bin/tolvane-enviro-scripter $(EXAMPLE)

# The programs, their help, manual pages, menu entry and example installed from this build under PREFIX:
# your own ~/.local unless given, so no root is needed. With PREFIX/bin on the PATH (Debian puts
# ~/.local/bin there once it exists; log in again), `enviro-script` and `man enviro-script` work.
PREFIX ?= $(HOME)/.local
install: build
	@cmake --install $(BUILD_DIR) --prefix $(PREFIX)

test: build
	@QT_QPA_PLATFORM=offscreen ctest --preset $(PRESET) -j2
ifneq ($(CI),)
	@$(MAKE) --no-print-directory windows-installer-check
endif

# Rewrites every C++ source in the style of .clang-format; check-format only reports (CI runs it).
format: configure
	@cmake --build --preset $(PRESET) --target format

check-format: configure
	@cmake --build --preset $(PRESET) --target check-format

# Every test under AddressSanitizer (leaks included) and UBSan; any finding fails the run.
sanitize: deps
	@cmake --preset sanitize >/dev/null
	@cmake --build --preset sanitize -j2
	@QT_QPA_PLATFORM=offscreen ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 \
		UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 ctest --preset sanitize -j2

# Windows: both programs cross-built with MinGW-w64 and a Qt built for Windows from Debian's Qt sources
# (scripts/build-windows-qt.sh; once, then from its cache folder outside the clone), and every test run
# under Wine (build/mingw/bin). windows-zip packs enviro-script.exe with its DLLs, help and the example
# (build/mingw/*.zip); windows-installer writes the setup program (build/mingw/*-setup.exe), which
# windows-installer-check installs, runs and uninstalls under Wine (CI). A Windows test whose Wine client
# loses its server as it starts ("wine client error ... Connection reset by peer": Wine's, not the
# program's) runs once more; a test that fails twice fails the run.
.PHONY: windows windows-zip windows-installer windows-installer-check windows-screenshot
windows:
	@TES_WITH_WINDOWS=1 scripts/install-deps.sh
	@qt=$$(scripts/build-windows-qt.sh) && cmake --preset mingw -DTES_WINDOWS_QT="$$qt" >/dev/null
	@cmake --build --preset mingw -j$$(nproc)
	@ctest --preset mingw -j$$(( $$(nproc) * 2 )) --repeat until-pass:2

windows-zip: windows
	@cmake --build --preset mingw --target windows-zip

windows-installer: windows
	@cd build/mingw && cpack -G NSIS

windows-installer-check: windows-installer build
	@scripts/check-windows-installer.sh build/mingw $(BUILD_DIR)

# The picture in the README: the installed window under Wine after Process (docs/windows-window.png).
windows-screenshot: windows-installer build
	@scripts/windows-screenshot.sh build/mingw $(BUILD_DIR) docs/windows-window.png

bench: deps
	@cmake --preset release >/dev/null
	@cmake --build --preset release
	@scripts/run-bench.sh build/release

fuzz:
	@TES_WITH_FUZZ=1 scripts/install-deps.sh
	@cmake -S . -B build/fuzz -G Ninja -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_BUILD_TYPE=RelWithDebInfo \
		-DTES_FUZZ=ON -DTES_BUILD_GUI=OFF -DTES_BUILD_TESTS=OFF >/dev/null
	@cmake --build build/fuzz
	@scripts/run-fuzz.sh build/fuzz

# The Debian package, from a Release build with Debian's hardening flags: build/package/*.deb.
package:
	@TES_WITH_PACKAGING=1 scripts/install-deps.sh
	@export DEB_BUILD_MAINT_OPTIONS=hardening=+all; \
		CXXFLAGS="$$(dpkg-buildflags --get CXXFLAGS) $$(dpkg-buildflags --get CPPFLAGS)" \
		LDFLAGS="$$(dpkg-buildflags --get LDFLAGS)" cmake --preset package >/dev/null
	@cmake --build build/package
	@cd build/package && cpack -G DEB

# Lintian on the package, then the package unpacked into a scratch root and its programs run (CI).
install-check: package
	@scripts/check-package.sh build/package

clean:
	rm -rf build
