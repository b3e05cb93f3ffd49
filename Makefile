# The front door: `make run` plays, `make test` runs every test. Both install
# the Debian packages that are missing first.

BUILD      ?= build
BUILD_ASAN ?= build-asan
JOBS       ?= $(shell nproc)

# Build and run-time packages, and what the tests use.
PACKAGES_BUILD = cmake ninja-build g++ pkg-config libsdl2-dev libsdl2-mixer-dev \
                 libsdl2-image-dev libgtest-dev libgmock-dev libbenchmark-dev
# xfonts-base: the fonts the error message box shows its Japanese text with.
PACKAGES_RUN   = timgm6mb-soundfont libfluidsynth3 xfonts-base
PACKAGES_TEST  = xvfb xauth xdotool matchbox-window-manager x11-utils sox wmctrl \
                 imagemagick python3-numpy

SUDO := $(shell [ "$$(id -u)" = 0 ] || echo sudo)

.PHONY: run test test-asan build deps deps-test clean

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

$(BUILD)/build.ninja: | deps
	cmake -S . -B $(BUILD) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo

build: deps $(BUILD)/build.ninja
	cmake --build $(BUILD) -j $(JOBS)

run: build
	cd $(BUILD) && ./rara3

test: deps-test $(BUILD)/build.ninja
	cmake --build $(BUILD) -j $(JOBS)
	cd $(BUILD) && ctest --output-on-failure -j $(JOBS)

# The same tests under AddressSanitizer and UndefinedBehaviorSanitizer.
test-asan: deps-test
	cmake -S . -B $(BUILD_ASAN) -G Ninja -DCMAKE_BUILD_TYPE=Debug -DRARA3_SANITIZE=ON
	cmake --build $(BUILD_ASAN) -j $(JOBS)
	cd $(BUILD_ASAN) && ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 \
	  ctest --output-on-failure -j $(JOBS)

clean:
	rm -rf $(BUILD) $(BUILD_ASAN)
