# Rilto Micropause: build on Linux, run and test under Wine.
#   make run    build, then start rilto32.exe under Wine
#   make test   every test: native unit tests, then the Windows tests under Wine
#   make dist   the program folder at dist/
#   make installer  the setup, dist/rilto-setup-<version>.exe
#   make release    the setup and the zip of the program folder, dist/rilto-<version>.zip
#   make pictures  the README's pictures, taken from this build into docs/screenshots/
#   make bench  benchmarks that print figures, ending with one table of them and their goals
#   make fuzz   each fuzz target for FUZZ_SECONDS (default 60), then the runs they made
#   make mutants  mutation testing of the portable core against the native unit tests
#               (MUTANTS_ARGS, e.g. "--files src/common/text.cpp --per-file 40"), report at
#               build/mutants/report.txt; not part of make test

.PHONY: all deps deps-native native windows test test-native test-windows test-fuzz fuzz run dist installer \
        release pictures bench mutants format clean

FUZZ_SECONDS ?= 60

# The build's version, as CMake has it from CMakeLists.txt.
version = $$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' build/windows/CMakeCache.txt)

all: native windows

deps:
	@scripts/install-deps.sh

deps-native:
	@scripts/install-deps.sh native

native: deps-native
	@cmake --preset native >/dev/null
	@cmake --build --preset native

windows: deps
	@cmake --preset windows >/dev/null
	@cmake --build --preset windows

# The native tests run while the Windows build's packages install beside them.
test:
	@scripts/test-all.sh

test-native: native
	ctest --preset native

test-windows: windows
	scripts/with-wine.sh --fresh --xvfb ctest --preset windows

# A few seconds of each fuzz target: its seed corpus and what it finds quickly.
test-fuzz: deps-native
	scripts/fuzz.sh 3

fuzz: deps-native
	scripts/fuzz.sh $(FUZZ_SECONDS)

dist: windows
	scripts/make-dist.sh build/windows/bin dist

installer: windows
	cmake --build --preset windows --target installer
	@mkdir -p dist
	@v=$(version); cp build/windows/bin/rilto-setup-$$v.exe dist/ && echo "installer: dist/rilto-setup-$$v.exe"

release: installer
	cmake --build --preset windows --target release
	@v=$(version); cp build/windows/release/rilto-$$v.zip dist/ && echo "release: dist/rilto-$$v.zip"

run: dist
	scripts/with-wine.sh sh -c 'cd dist && wine rilto32.exe'

# The setup's pictures come from its test; the program's from readme_pictures.
pictures: windows
	scripts/with-wine.sh --fresh --xvfb ctest --preset windows -R installer_test
	scripts/with-wine.sh --fresh --xvfb wine build/windows/bin/readme_pictures.exe
	scripts/make-screenshots.py

bench: windows
	@cmake --build --preset windows --target benchmarks
	@cmake --preset native-bench >/dev/null
	@cmake --build --preset native-bench
	scripts/with-wine.sh --xvfb scripts/bench.sh

mutants: deps
	scripts/mutants.py $(MUTANTS_ARGS)

format:
	find src tests bench -name '*.cpp' -o -name '*.h' | xargs clang-format -i

clean:
	rm -rf build dist
