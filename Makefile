# Kavio: the two commands of the README, and the benchmarks.
#   make run    builds, makes a demo folder of sample mails and opens the window
#   make test   builds, then runs every test, the sanitizer build and the fuzz smoke runs
#   make bench  builds optimised (with the window, for the list panes' benchmark) and runs the benchmarks

BUILD       ?= build
ASAN_BUILD  ?= build-asan
FUZZ_BUILD  ?= build-fuzz
BENCH_BUILD ?= build-bench
JOBS        ?= $(shell nproc)
FUZZ_SECONDS ?= 60
DEMO        ?= $(CURDIR)/demo

CMAKE_GEN = -G Ninja -DCMAKE_EXPORT_COMPILE_COMMANDS=ON

.PHONY: deps build run test test-unit test-asan test-fuzz test-package package install bench clean demo

deps:
	@bash scripts/install-deps.sh

build: deps
	cmake -S . -B $(BUILD) $(CMAKE_GEN) -DCMAKE_BUILD_TYPE=RelWithDebInfo
	cmake --build $(BUILD) -j $(JOBS)

demo: build
	@bash tools/make-demo.sh $(BUILD) $(DEMO) >/dev/null
	@echo "Demo-Ordner: $(DEMO)"

# With a display the window opens on the demo folder: it starts with a fresh settings folder
# made for the demo ($(BUILD)/demo-config), so the user's own settings stay untouched.
# Without one the window runs under Xvfb on the demo folder and a screenshot is saved.
DEMO_CONFIG ?= $(abspath $(BUILD))/demo-config
run: demo
	@if [ -n "$$DISPLAY" ] || [ -n "$$WAYLAND_DISPLAY" ]; then \
	  bash tools/demo-settings.sh $(DEMO) $(DEMO_CONFIG) >/dev/null && \
	  echo "Das Fenster öffnet sich auf $(DEMO) (Einstellungen in $(DEMO_CONFIG)/Kavio.ini)."; \
	  XDG_CONFIG_HOME=$(DEMO_CONFIG) $(BUILD)/src/app/kavio; \
	else \
	  echo "Keine Anzeige vorhanden: das Fenster läuft unter Xvfb auf $(DEMO)."; \
	  shot=$$(bash tools/screenshot.sh $(BUILD) $(BUILD)/screenshot.png $(DEMO)) && \
	  echo "Bildschirmfoto: $$shot"; \
	fi

test: test-unit test-package test-asan test-fuzz

test-unit: build
	cd $(BUILD) && ctest --output-on-failure -j $(JOBS)

test-asan: deps
	CC=clang-14 CXX=clang++-14 cmake -S . -B $(ASAN_BUILD) $(CMAKE_GEN) -DCMAKE_BUILD_TYPE=Debug -DKAVIO_SANITIZE=ON
	cmake --build $(ASAN_BUILD) -j $(JOBS)
	cd $(ASAN_BUILD) && ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
	  LSAN_OPTIONS=suppressions=$(CURDIR)/tests/lsan.supp ctest --output-on-failure -j $(JOBS)

test-fuzz: deps
	CC=clang-14 CXX=clang++-14 cmake -S . -B $(FUZZ_BUILD) $(CMAKE_GEN) -DCMAKE_BUILD_TYPE=RelWithDebInfo \
	  -DKAVIO_FUZZ=ON -DKAVIO_GUI=OFF -DKAVIO_TESTS=ON
	cmake --build $(FUZZ_BUILD) -j $(JOBS) --target fuzz_targets
	bash fuzz/run-fuzzers.sh $(FUZZ_BUILD) $(FUZZ_SECONDS)

# The Debian package, from the same build.
package: build
	cd $(BUILD) && cpack -G DEB >/dev/null && ls -1 $(CURDIR)/$(BUILD)/kavio_*.deb

# Unpacks the package into a temporary root and runs what it holds from there, so that a file
# missing from the package fails.
test-package: package
	bash scripts/check-package.sh $(BUILD)

PREFIX ?= /usr/local
install: build
	cmake --install $(BUILD) --prefix $(PREFIX)

bench: deps
	cmake -S . -B $(BENCH_BUILD) $(CMAKE_GEN) -DCMAKE_BUILD_TYPE=Release -DKAVIO_BENCH=ON -DKAVIO_TESTS=OFF -DKAVIO_GUI=ON
	cmake --build $(BENCH_BUILD) -j $(JOBS)
	bash bench/run-benchmarks.sh $(BENCH_BUILD)

clean:
	rm -rf $(BUILD) $(ASAN_BUILD) $(FUZZ_BUILD) $(BENCH_BUILD) $(DEMO)
