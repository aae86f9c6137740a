# Tonvisor: make run | make test | make bench | make windows | make package | make install PREFIX=...
BUILD       := build
ASAN_BUILD  := build-asan
WIN_BUILD   := build-windows
FUZZ_BUILD  := build-fuzz
FUZZ_SECONDS ?= 60
CMAKE_FLAGS := -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
PREFIX      ?= /usr/local

.PHONY: deps build run test unit-asan fuzz windows package bench install clean

deps:
	@scripts/install-deps

build: deps
	cmake -S . -B $(BUILD) $(CMAKE_FLAGS)
	cmake --build $(BUILD)

run: build
	./$(BUILD)/tonvisor

# Every test in the normal build, the unit tests (the soak among them) again
# under ASan and UBSan, the fuzz targets for FUZZ_SECONDS each, and the Windows
# build, so a wrong signature breaks here and not on Windows; the packages
# are built so that their tests can unpack them.
test: build unit-asan fuzz windows package
	ctest --test-dir $(BUILD) --output-on-failure --timeout 300

unit-asan: deps
	cmake -S . -B $(ASAN_BUILD) $(CMAKE_FLAGS) -DTONVISOR_SANITIZE=ON
	cmake --build $(ASAN_BUILD) --target unit-tests
	ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 \
	  ctest --test-dir $(ASAN_BUILD) -L unit --output-on-failure --timeout 300

# libFuzzer needs clang; the fuzz build is instrumented throughout.
fuzz: deps
	cmake -S . -B $(FUZZ_BUILD) $(CMAKE_FLAGS) -DCMAKE_CXX_COMPILER=clang++ -DTONVISOR_FUZZ=ON
	cmake --build $(FUZZ_BUILD) --target fuzzers
	FUZZ_SECONDS=$(FUZZ_SECONDS) ctest --test-dir $(FUZZ_BUILD) -L fuzz --output-on-failure

windows: deps
	cmake -S . -B $(WIN_BUILD) -G Ninja -DCMAKE_BUILD_TYPE=Release \
	  -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-i686.cmake
	cmake --build $(WIN_BUILD)

# The Debian package and the Windows zip, both into $(BUILD).
package: build windows
	cmake --build $(BUILD) --target package

install: build
	cmake --install $(BUILD) --prefix $(PREFIX)

# Every benchmark program (medians of 5 runs), start-up under Xvfb,
# tonvisor-cli's batch over 100,000 entries, then the recordings'.
bench: build
	@set -e; for b in $(BUILD)/bench/*_bench; do echo "== $$b"; \
	  $$b --benchmark_repetitions=5 --benchmark_report_aggregates_only=true; done
	@echo "== start-up under Xvfb"
	@bench/startup.sh $(BUILD)
	@echo "== tonvisor-cli --batch, 100,000 entries to a file"
	@bench/batch.sh $(BUILD)
	@echo "== recordings: accuracy, speed and memory against the reference estimator"
	@bench/recordings.sh $(BUILD)

clean:
	rm -rf $(BUILD) $(ASAN_BUILD) $(FUZZ_BUILD) $(WIN_BUILD)
