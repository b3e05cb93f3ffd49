# The front door: `make run` plays, `make test` runs every test. Both install
# the Debian packages that are missing first.

BUILD      ?= build
BUILD_ASAN ?= build-asan
BUILD_TSAN ?= build-tsan
BUILD_DEB  ?= build-deb
JOBS       ?= $(shell nproc)

# Build and run-time packages, and what the tests use.
# help2man: the tools' manual pages, from their --help.
# gettext: msgfmt compiles the texts in po/, xgettext keeps po/rara3.pot in step.
PACKAGES_BUILD = cmake ninja-build g++ pkg-config python3 libsdl2-dev libsdl2-mixer-dev \
                 libsdl2-image-dev libgtest-dev libgmock-dev libbenchmark-dev help2man \
                 gettext
# xfonts-base: the fonts the error message box shows its Japanese text with.
PACKAGES_RUN   = timgm6mb-soundfont libfluidsynth3 xfonts-base
PACKAGES_TEST  = xvfb xauth xdotool matchbox-window-manager x11-utils sox wmctrl \
                 imagemagick python3-numpy $(PACKAGES_DEB) desktop-file-utils appstream \
                 lintian man-db reuse
# `make deb`: dpkg-buildpackage with debhelper, and what debian/control
# names to build with.
PACKAGES_DEB   = dpkg-dev debhelper $(PACKAGES_BUILD_DEB)
PACKAGES_BUILD_DEB = cmake ninja-build pkgconf python3 libsdl2-dev libsdl2-image-dev \
                     libsdl2-mixer-dev help2man

# The browser build: Debian's emscripten, the SDL source packages built with
# it, FluidSynth and opusenc to record the tune, Chromium for the browser
# tests; puppeteer-core from npm (web/package.json).
# brotli: make web-serve sends brotli besides gzip.
PACKAGES_WEB   = emscripten chromium dpkg-dev nodejs brotli fluidsynth opus-tools timgm6mb-soundfont
BUILD_WEB     ?= build-web
WEB_PORT      ?= 8015
# WEB_BIND=0.0.0.0 lets other machines of the network in.
WEB_BIND      ?= 127.0.0.1
# Debian's emscripten finds its Node modules here whatever Node runs it.
export NODE_PATH := /usr/share/nodejs

# The fuzz build: clang with libFuzzer and the sanitizers.
PACKAGES_FUZZ  = clang libclang-rt-14-dev

BUILD_FUZZ   ?= build-fuzz
FUZZ_TARGETS  = replay_fuzz data_file_fuzz stage_text_fuzz rules_fuzz follow_fuzz pointer_fuzz
# `make test` runs each target this many times (the two that play frames and
# the follow, which moves whole data files, a tenth of it; the pointer's,
# which plays up to 1,500 passes a run, a fiftieth); `make fuzz` runs each this long.
FUZZ_RUNS    ?= 20000
FUZZ_SECONDS ?= 600
SOAK_FRAMES  ?= 1000000
KILL_SOAK    ?= 300

SUDO := $(shell [ "$$(id -u)" = 0 ] || echo sudo)

.PHONY: run test test-asan test-tsan soak-kill test-fuzz fuzz fuzz-build soak bench build deps deps-test deps-fuzz clean \
        install deb deb-reproducible web web-serve web-measure web-measure-hint deps-web

define install_missing
	@missing=""; for p in $(1); do \
	  dpkg-query -W -f='$${Status}' $$p 2>/dev/null | grep -q "install ok installed" || missing="$$missing $$p"; \
	done; \
	if [ -n "$$missing" ]; then \
	  echo "Installing:$$missing"; \
	  $(SUDO) apt-get update -qq && \
	  DEBIAN_FRONTEND=noninteractive $(SUDO) apt-get install -y -qq --no-install-recommends $$missing; \
	fi
endef

deps:
	$(call install_missing,$(PACKAGES_BUILD) $(PACKAGES_RUN))

deps-test: deps
	$(call install_missing,$(PACKAGES_TEST))

deps-fuzz: deps
	$(call install_missing,$(PACKAGES_FUZZ))

deps-web: deps
	$(call install_missing,$(PACKAGES_WEB))
	@command -v npm >/dev/null || { $(SUDO) apt-get update -qq && \
	  DEBIAN_FRONTEND=noninteractive $(SUDO) apt-get install -y -qq --no-install-recommends npm; }

# Our own builds treat warnings as errors; a plain CMake configure does not.
CMAKE_FLAGS = -G Ninja -DRARA3_WERROR=ON

$(BUILD)/build.ninja: | deps
	cmake -S . -B $(BUILD) $(CMAKE_FLAGS) -DCMAKE_BUILD_TYPE=RelWithDebInfo

build: deps $(BUILD)/build.ninja
	cmake --build $(BUILD) -j $(JOBS)

run: build
	cd $(BUILD) && ./rara3

# `make install PREFIX=/usr/local` (add DESTDIR=... to stage it elsewhere):
# the game in PREFIX/games, its data in PREFIX/share/games/rara3, the tools
# in PREFIX/bin.
PREFIX ?= /usr/local
install: build
	cmake --install $(BUILD) --prefix $(PREFIX)

# The Debian packages rara3_VERSION_amd64.deb and rara3-tools_VERSION_amd64.deb
# into this folder, built by dpkg-buildpackage from debian/ in a copy of the
# tree under $(BUILD_DEB) (offline, from Debian's packages alone; no tests).
deb: deps
	$(call install_missing,$(PACKAGES_DEB))
	tools/deb/build_deb.sh . $(BUILD_DEB)/packages
	cp $(BUILD_DEB)/packages/rara3_*.deb $(BUILD_DEB)/packages/rara3-tools_*.deb .
	@ls -l rara3_*.deb rara3-tools_*.deb

# Two builds of the same commit, in different folders at different times,
# must give the same bytes.
deb-reproducible: deps
	$(call install_missing,$(PACKAGES_DEB))
	tools/deb/reproducible.sh . $(BUILD_DEB)/reproducible

# The browser tests run in ctest beside the others, against the site of
# `make web`.
test: deps-test web
	cmake -S . -B $(BUILD) $(CMAKE_FLAGS) -DCMAKE_BUILD_TYPE=RelWithDebInfo \
	  -DRARA3_WEB_SITE=$(abspath $(BUILD_WEB))/game/site -DRARA3_NPM_DIR=$(abspath $(BUILD_WEB))/npm/node_modules
	cmake --build $(BUILD) -j $(JOBS)
	cd $(BUILD) && ctest --output-on-failure -j $(JOBS)
	$(MAKE) test-fuzz

# The game for the browser, in $(BUILD_WEB)/game/site. SDL2, SDL2_image and
# SDL2_mixer are built once into $(BUILD_WEB)/deps and kept.
web: deps-web $(BUILD)/build.ninja
	cmake --build $(BUILD) -j $(JOBS) --target rara3-pack
	JOBS=$(JOBS) tools/web/build_sdl_libs.sh $(BUILD_WEB)/deps
	@mkdir -p $(BUILD_WEB)/npm
	@if ! cmp -s web/package-lock.json $(BUILD_WEB)/npm/package-lock.json || [ ! -d $(BUILD_WEB)/npm/node_modules ]; then \
	  cp web/package.json web/package-lock.json $(BUILD_WEB)/npm/ && \
	  cd $(BUILD_WEB)/npm && npm ci --no-audit --no-fund; \
	fi
	emcmake cmake -S . -B $(BUILD_WEB)/game -G Ninja -DCMAKE_BUILD_TYPE=Release \
	  -DRARA3_WEB_DEPS=$(abspath $(BUILD_WEB))/deps/prefix \
	  -DRARA3_PACK=$(abspath $(BUILD))/tools/pack/rara3-pack
	cmake --build $(BUILD_WEB)/game -j $(JOBS)

# First-frame time and the page's CPU use on an idle board, in Chromium;
# kept in $(BUILD_WEB)/web-measure.txt for make bench's report.
web-measure: web
	node tools/web/measure.mjs $(BUILD_WEB)/game/site $(BUILD_WEB)/npm/node_modules 5 10 \
	  > $(BUILD_WEB)/web-measure.txt.new
	cat $(BUILD_WEB)/web-measure.txt.new
	mv $(BUILD_WEB)/web-measure.txt.new $(BUILD_WEB)/web-measure.txt

# A hint from the start of the largest floor (STAGE=N for another), timed
# in Chromium from H to the mark.
STAGE ?= 100
web-measure-hint: web
	node tools/web/measure_hint.mjs $(BUILD_WEB)/game/site $(BUILD_WEB)/npm/node_modules $(STAGE)

# The site on http://localhost:$(WEB_PORT)/, compressed with brotli or gzip
# as the browser accepts (any static web host serves it the same way).
web-serve: web
	python3 tools/web/serve.py --bind $(WEB_BIND) --port $(WEB_PORT) $(BUILD_WEB)/game/site

# The same tests under AddressSanitizer and UndefinedBehaviorSanitizer.
test-asan: deps-test
	cmake -S . -B $(BUILD_ASAN) $(CMAKE_FLAGS) -DCMAKE_BUILD_TYPE=Debug -DRARA3_SANITIZE=ON
	cmake --build $(BUILD_ASAN) -j $(JOBS)
	cd $(BUILD_ASAN) && ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 \
	  ctest --output-on-failure -j $(JOBS)

# The tests that start threads (the real bring-up, SDL's side of the sound,
# the search beside play), under ThreadSanitizer: any report fails them.
test-tsan: deps-test
	cmake -S . -B $(BUILD_TSAN) $(CMAKE_FLAGS) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DRARA3_TSAN=ON
	cmake --build $(BUILD_TSAN) -j $(JOBS) --target rara3_bring_up_tests rara3_platform_tests rara3_game_tests rara3_data_file
	cd $(BUILD_TSAN) && TSAN_OPTIONS="halt_on_error=1 exitcode=66 suppressions=$(abspath tests/tsan.supp)" \
	  ctest --output-on-failure -j $(JOBS) -R '^([A-Za-z]+/)?(BringUpThreads|SdlKeys|VirtualPad|MidiLength|FramePacer|PositionSearch|FloorHelp)'

# The fuzz targets, in a clang build of their own.
fuzz-build: deps-fuzz
	CC=clang CXX=clang++ cmake -S . -B $(BUILD_FUZZ) $(CMAKE_FLAGS) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DRARA3_FUZZ=ON
	cmake --build $(BUILD_FUZZ) -j $(JOBS) --target rara3_fuzzers

# Each target briefly from its seed corpus, the same runs every time; new
# inputs go to a scratch folder, never into the sources.
test-fuzz: fuzz-build
	@set -e; for t in $(FUZZ_TARGETS); do \
	  rm -rf $(BUILD_FUZZ)/scratch/$$t; mkdir -p $(BUILD_FUZZ)/scratch/$$t; \
	  runs=$(FUZZ_RUNS); \
	  case $$t in data_file_fuzz|rules_fuzz|follow_fuzz) runs=$$(($(FUZZ_RUNS) / 10));; \
	    pointer_fuzz) runs=$$(($(FUZZ_RUNS) / 50));; esac; \
	  echo "fuzz: $$t, $$runs runs"; \
	  if ! $(BUILD_FUZZ)/tests/fuzz/$$t -seed=1 -runs=$$runs -timeout=10 -print_final_stats=1 \
	      $(BUILD_FUZZ)/scratch/$$t tests/fuzz/corpus/$$t > $(BUILD_FUZZ)/scratch/$$t.log 2>&1; then \
	    tail -n 60 $(BUILD_FUZZ)/scratch/$$t.log; echo "fuzz: $$t failed"; exit 1; \
	  fi; \
	  grep -h "number_of_executed_units" $(BUILD_FUZZ)/scratch/$$t.log; \
	done

# As long as asked: FUZZ_SECONDS for each target, its corpus kept in the
# build folder between runs.
fuzz: fuzz-build
	@set -e; for t in $(FUZZ_TARGETS); do \
	  mkdir -p $(BUILD_FUZZ)/corpus/$$t; \
	  $(BUILD_FUZZ)/tests/fuzz/$$t -max_total_time=$(FUZZ_SECONDS) -timeout=10 -print_final_stats=1 \
	    $(BUILD_FUZZ)/corpus/$$t tests/fuzz/corpus/$$t; \
	done

# The long soak, under the sanitizers.
soak: deps-test
	cmake -S . -B $(BUILD_ASAN) $(CMAKE_FLAGS) -DCMAKE_BUILD_TYPE=Debug -DRARA3_SANITIZE=ON
	cmake --build $(BUILD_ASAN) -j $(JOBS) --target rara3_app_tests
	RARA3_SOAK_FRAMES=$(SOAK_FRAMES) $(BUILD_ASAN)/tests/rara3_app_tests --gtest_filter='Soak.*'

# The saves killed with SIGKILL at random moments, KILL_SOAK times for the
# start-up's follow and as many for the editor and clear saves; every file
# must come out whole and nothing the player made lost.
soak-kill: build
	cmake --build $(BUILD) -j $(JOBS) --target rara3_game_tests
	RARA3_KILL_SOAK=$(KILL_SOAK) $(BUILD)/tests/rara3_game_tests --gtest_filter='KillSoak.*'

# The benchmarks and the real game measured under a virtual X server (the
# sound mixed into a file), and docs/performance.md made from their output.
FRAME_BENCH_SECONDS ?= 20
bench: deps-test build
	cmake --build $(BUILD) -j $(JOBS) --target rara3_bench rara3-frame-bench
	$(BUILD)/bench/rara3_bench --benchmark_out=$(BUILD)/bench.json --benchmark_out_format=json
	SDL_AUDIODRIVER=disk SDL_DISKAUDIOFILE=/dev/null xvfb-run -a -s "-screen 0 1280x1024x24" \
	  $(BUILD)/tools/frame-bench/rara3-frame-bench $(BUILD) $(FRAME_BENCH_SECONDS) > $(BUILD)/frame-bench.txt
	/usr/bin/python3 bench/performance_report.py $(BUILD)/bench.json $(BUILD)/frame-bench.txt \
	  $(wildcard $(BUILD_WEB)/web-measure.txt) > docs/performance.md

clean:
	rm -rf $(BUILD) $(BUILD_ASAN) $(BUILD_FUZZ) $(BUILD_DEB) $(BUILD_WEB)
