# Wrapper around CMake: installs what is missing, builds, runs and tests.
BUILD   ?= build
BIN     := $(BUILD)/bin
JOBS    ?= $(shell nproc)
PACKAGES := g++ cmake ninja-build pkg-config qt6-base-dev qt6-base-dev-tools qt6-charts-dev libqt6charts6 \
            libqt6sql6-sqlite libxlsxwriter-dev zlib1g-dev libsqlite3-dev libsodium-dev \
            qt6-translations-l10n xvfb xauth fonts-noto-cjk fonts-wqy-zenhei fonts-liberation2 \
            poppler-utils sqlite3 unzip

SUDO := $(shell [ "$$(id -u)" = 0 ] || echo sudo)

.PHONY: all deps build run test bench clean

all: build

deps:
	@missing=""; for p in $(PACKAGES); do \
	  dpkg-query -W -f='$${Status}' $$p 2>/dev/null | grep -q 'install ok installed' || missing="$$missing $$p"; \
	done; \
	if [ -n "$$missing" ]; then \
	  echo "Installing:$$missing"; \
	  $(SUDO) apt-get update -qq && \
	  DEBIAN_FRONTEND=noninteractive $(SUDO) apt-get install -y -qq $$missing; \
	fi

# ccache speeds rebuilds where it is installed; it is not needed.
CCACHE := $(shell command -v ccache 2>/dev/null)
export CCACHE_BASEDIR := $(CURDIR)
export CCACHE_NOHASHDIR := 1

$(BUILD)/build.ninja:
	cmake -S . -B $(BUILD) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
	  $(if $(CCACHE),-DCMAKE_CXX_COMPILER_LAUNCHER=$(CCACHE))

build: deps $(BUILD)/build.ninja
	cmake --build $(BUILD) -j $(JOBS)

# A ready-to-use folder: program, demo database with the supervisor, KD.ini.
run: build
	@[ -f $(BIN)/kadero.db ] || $(BIN)/kadero-newdb $(BIN)/kadero.db --demo
	@[ -f $(BIN)/KD.ini ] || printf '[KD]\r\ndatabase=kadero.db\r\nuser=\r\npassword=\r\n' > $(BIN)/KD.ini
	cd $(BIN) && ./kadero

test: build
	cd $(BUILD) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j $(JOBS)

bench: build
	$(BIN)/kadero-bench

clean:
	rm -rf $(BUILD)
