# The front door. `make test` and `make demo` work on a fresh Debian 12
# machine: they install what is missing from Debian's packages first.
SHELL := /bin/bash
JOBS ?= 2

.PHONY: all deps configure build dist package sign test test-host test-windows demo bench fuzz format clean

all: dist

deps:
	@scripts/setup-deps.sh

build/host/build.ninja: CMakeLists.txt CMakePresets.json | deps
	cmake --preset host >/dev/null
build/windows/build.ninja: CMakeLists.txt CMakePresets.json cmake/mingw.cmake cmake/mingw-i686.cmake | deps
	cmake --preset windows >/dev/null
build/windows-x64/build.ninja: CMakeLists.txt CMakePresets.json cmake/mingw.cmake cmake/mingw-x86_64.cmake | deps
	cmake --preset windows-x64 >/dev/null

build: deps build/host/build.ninja build/windows/build.ninja build/windows-x64/build.ninja
	cmake --build build/host -j$(JOBS)
	cmake --build build/windows -j$(JOBS)
	cmake --build build/windows-x64 -j$(JOBS)

# The saver carries the demo recording appended to its own file; the recorder
# grabora.exe goes beside it. The 32-bit programs go to dist/, the 64-bit ones
# to dist/x64/.
dist: build
	@mkdir -p dist/x64
	build/host/tools/demorec build/host/demo.vqd
	rm -f dist/QuorvaneSaver.scr dist/x64/QuorvaneSaver.scr
	build/host/tools/vqdtool embed build/windows/src/saver/QuorvaneSaver.scr build/host/demo.vqd -o dist/QuorvaneSaver.scr
	build/host/tools/vqdtool embed build/windows-x64/src/saver/QuorvaneSaver.scr build/host/demo.vqd -o dist/x64/QuorvaneSaver.scr
	cp build/windows/tools/vqdtool.exe build/windows/src/recorder/grabora.exe build/host/tools/vqdtool build/host/tools/upgrade-sign/upgrade-sign dist/
	cp build/windows-x64/tools/vqdtool.exe build/windows-x64/src/recorder/grabora.exe dist/x64/

# Every Windows program of dist/ signed (with the development certificate
# unless QV_SIGN_PKCS12 names the maker's, see the README), packed into
# dist/QuorvaneSaver-x86.msi and dist/QuorvaneSaver-x64.msi, which are signed
# last; the Group Policy templates in dist/policy/. Both targets do all of it.
package sign: dist
	@scripts/package/make-packages.sh

test: package
	@scripts/run-tests.sh

demo: dist
	@scripts/run-demo.sh

bench: dist
	@scripts/run-bench.sh

# Every fuzzer for SECONDS_PER_TARGET with FUZZ_JOBS processes; what they
# find is merged into the seed corpus kept in fuzz/seeds.
SECONDS_PER_TARGET ?= 600
FUZZ_JOBS ?= 1
fuzz: deps build/host/build.ninja
	cmake --build build/host -j$(JOBS)
	fuzz/run-smoke.sh $(SECONDS_PER_TARGET) $(FUZZ_JOBS)
	fuzz/merge-seeds.sh

# Rewrites every C++ file in the root .clang-format style; `make test` checks it.
format:
	git ls-files '*.cpp' '*.h' | xargs clang-format -i

clean:
	rm -rf build dist out
