# Wrapper around CMake: installs what is missing, builds, runs and tests.
BUILD   ?= build
BIN     := $(BUILD)/bin
JOBS    ?= $(shell nproc)
PACKAGES := g++ cmake ninja-build pkg-config qt6-base-dev qt6-base-dev-tools qt6-charts-dev libqt6charts6 \
            libqt6sql6-sqlite libxlsxwriter-dev zlib1g-dev libsqlite3-dev libsodium-dev \
            qt6-translations-l10n xvfb xauth fonts-noto-cjk fonts-wqy-zenhei fonts-liberation2 \
            poppler-utils sqlite3 unzip
# The Debian package (dpkg-shlibdeps reads the libraries' dependencies) and the
# validators of its desktop entry and AppStream file.
PACKAGES += dpkg-dev file desktop-file-utils appstream

SUDO := $(shell [ "$$(id -u)" = 0 ] || echo sudo)

RUN     ?= run
PREFIX  ?= /usr/local

.PHONY: all deps build program run test bench clean install uninstall deb screenshots

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

# Builds only what these need.
program: deps $(BUILD)/build.ninja
	cmake --build $(BUILD) -j $(JOBS) --target kadero kadero-newdb

# A ready-to-use folder outside the build, which `make clean` leaves alone:
# the program, a demo database with the supervisor, KD.ini and the backups.
# A ledger that an earlier `make run` left in the build folder moves there.
run: program
	@mkdir -p $(RUN)
	@if [ ! -e $(RUN)/KD.ini ] && [ -f $(BIN)/KD.ini ]; then \
	  echo "Moving the ledger from $(BIN) to $(RUN)"; \
	  mv $(BIN)/KD.ini $(RUN)/ && for f in $(BIN)/kadero.db* $(BIN)/kadero-backup-*; do [ ! -e "$$f" ] || mv "$$f" $(RUN)/; done; \
	fi
	@[ -f $(RUN)/kadero.db ] || $(BIN)/kadero-newdb $(RUN)/kadero.db --demo
	@[ -f $(RUN)/KD.ini ] || printf '[KD]\r\ndatabase=kadero.db\r\nuser=\r\npassword=\r\n' > $(RUN)/KD.ini
	@ln -f $(BIN)/kadero $(RUN)/kadero 2>/dev/null || cp -f $(BIN)/kadero $(RUN)/kadero
	@if [ -z "$$DISPLAY$$WAYLAND_DISPLAY$$QT_QPA_PLATFORM" ]; then \
	  echo "No display. Without a desktop, run it under Xvfb:"; \
	  echo "  cd $(RUN) && xvfb-run -s '-screen 0 1280x900x24' ./kadero"; exit 1; \
	fi
	cd $(RUN) && ./kadero

test: build
	cd $(BUILD) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j $(JOBS)

bench: build
	$(BIN)/kadero-bench

# Root's rights only where the prefix is not the user's to write.
AS_OWNER = $(if $(shell [ -w "$(PREFIX)" ] && echo yes),,$(SUDO))

install: program
	$(AS_OWNER) cmake --install $(BUILD) --prefix $(PREFIX) --strip

# Removes what the last `make install` wrote, as its install_manifest.txt lists.
uninstall:
	$(AS_OWNER) cmake -DMANIFEST=$(BUILD)/install_manifest.txt -P cmake/Uninstall.cmake

# kadero_<version>_<arch>.deb in this folder: sudo apt install ./kadero_*.deb
deb: build
	cd $(BUILD) && cpack -G DEB
	mv -f $(BUILD)/kadero_*.deb .
	@ls kadero_*.deb

# Every picture in docs/screenshots, taken from the program on a fresh demo ledger.
screenshots: deps $(BUILD)/build.ninja
	cmake --build $(BUILD) -j $(JOBS) --target kadero-screenshots
	xvfb-run -a -s "-screen 0 1280x900x24" $(BIN)/kadero-screenshots docs/screenshots

clean:
	rm -rf $(BUILD)
