# KOV: the two commands a newcomer needs are `make run` and `make test`.
# Both install the missing Debian packages first (deps/debian-packages.txt).

BUILD      ?= build
FUZZ_BUILD ?= build-fuzz
JOBS       ?= $(shell nproc)
FUZZ_SECONDS ?= 60
PREFIX     ?= /usr/local
XVFB = xvfb-run -a -s "-screen 0 1280x1024x24"

.PHONY: all deps build run test fuzz bench install clean

all: build

deps:
	@scripts/ensure-deps.sh

$(BUILD)/CMakeCache.txt: | deps
	cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo

build: deps $(BUILD)/CMakeCache.txt
	cmake --build $(BUILD) -j $(JOBS)

run: build
	scripts/run-kov.sh $(BUILD)

# Tests that need windows run under Xvfb when there is no display. No accessibility
# bus: its registry daemon outlives the tests and holds ctest's output pipe open.
test: export NO_AT_BRIDGE = 1
test: build
	@if [ -n "$$DISPLAY" ]; then \
	  cd $(BUILD) && ctest --output-on-failure; \
	else \
	  cd $(BUILD) && $(XVFB) ctest --output-on-failure; \
	fi

bench: build
	$(BUILD)/kov_bench

# Builds the libFuzzer targets with clang and runs each for FUZZ_SECONDS.
fuzz: deps
	CC=clang CXX=clang++ cmake -S . -B $(FUZZ_BUILD) -DKOV_FUZZ=ON -DKOV_GUI=OFF -DCMAKE_BUILD_TYPE=RelWithDebInfo
	cmake --build $(FUZZ_BUILD) -j $(JOBS)
	@for f in $(FUZZ_BUILD)/fuzz_*; do \
	  [ -x "$$f" ] || continue; \
	  name=$$(basename $$f); mkdir -p $(FUZZ_BUILD)/corpus/$$name; \
	  echo "== $$name ($(FUZZ_SECONDS) s)"; \
	  $$f -max_total_time=$(FUZZ_SECONDS) -print_final_stats=1 $(FUZZ_BUILD)/corpus/$$name fuzz/seeds/$$name 2>&1 | tail -n 12 || exit 1; \
	done

install: build
	cmake --install $(BUILD) --prefix $(PREFIX)

clean:
	rm -rf $(BUILD) $(FUZZ_BUILD)
