# Two entry points: `make run` starts the program, `make test` builds and runs every test.
BUILD ?= build
ASAN_BUILD ?= build-asan
JOBS ?= $(shell nproc)
WERROR ?= OFF
CMAKE_FLAGS ?=

.PHONY: deps build run test test-asan package bench format format-check clean

deps:
	@sh tools/install-deps.sh

build: deps
	cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DLUMI_WERROR=$(WERROR) $(CMAKE_FLAGS)
	cmake --build $(BUILD) -j$(JOBS)

test: build
	cd $(BUILD) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j$(JOBS)

# Sanitizer build of every test, the window tests offscreen.
test-asan: deps
	cmake -S . -B $(ASAN_BUILD) -DCMAKE_BUILD_TYPE=Debug -DLUMI_SANITIZE=ON -DLUMI_WERROR=$(WERROR) \
	  -DLUMI_BUILD_GUI=ON -DLUMI_BUILD_BENCH=OFF $(CMAKE_FLAGS)
	cmake --build $(ASAN_BUILD) -j$(JOBS)
	cd $(ASAN_BUILD) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j$(JOBS)

run: build
	@if [ -x $(BUILD)/app/lumivorexan ]; then $(BUILD)/app/lumivorexan; \
	else $(BUILD)/cli/lumivorexan-cli analyze examples/defocus-rings.frg; fi

# The Debian package of the built tree: $(BUILD)/lumivorexan_<version>_amd64.deb.
package: build
	cmake --build $(BUILD) --target package

bench: build
	@for b in $(BUILD)/bench/*_bench; do $$b; done

FORMAT_FILES = $(shell git ls-files '*.cpp' '*.h')
format:
	clang-format -i $(FORMAT_FILES)

format-check:
	clang-format --dry-run --Werror $(FORMAT_FILES)

clean:
	rm -rf $(BUILD) $(ASAN_BUILD)
