# SPDX-License-Identifier: GPL-3.0-or-later
# make run    installs what is missing, builds and starts Tremora in ./run
# make test   installs what is missing, builds with sanitizers and runs every test headless
# make bench  builds optimised and prints every benchmark figure
# make fuzz   builds the fuzz targets with clang and runs each for FUZZ_SECONDS (default 60)
# make demo   starts a loopback event service over the shared USGS replies and Tremora against it
# make places, make pictures   rebuild data/ and resources/ from the shared data (see below)
# make package        builds optimised and makes the Debian package build/release/tremora_<version>_amd64.deb
# make package-check  makes it and checks it with lintian, desktop-file-validate and appstreamcli
# make screenshots    redraws the pictures of every tab in docs/ from the demo catalogue
# make format         lays out every tracked C++ file (or FILES=...) with clang-format 14, as CI checks
# make soak   a day of use (SOAK_HOURS, default 24) by a random user (SOAK_SEED) against the live
#             loopback event service, optimised; SOAK_BUILD=test runs it in the sanitizer build
# make translations   brings resources/translations/tremora_en.ts up to date with the texts marked in
#                     the sources (lupdate); the new texts then want their English

JOBS    ?= $(shell nproc)
GEN     := -G Ninja
RUN_DIR := run

.PHONY: deps run test bench build-release build-test demo clean package package-check screenshots fuzz format translations

deps:
	@bash scripts/install-deps.sh

build-release: deps
	cmake -S . -B build/release $(GEN) -DCMAKE_BUILD_TYPE=Release -DTREMORA_BUILD_BENCH=ON >/dev/null
	cmake --build build/release -j $(JOBS)

build-test: deps
	cmake -S . -B build/test $(GEN) -DCMAKE_BUILD_TYPE=Debug -DTREMORA_SANITIZE=ON -DTREMORA_WERROR=ON -DTREMORA_BUILD_BENCH=OFF >/dev/null
	cmake --build build/test -j $(JOBS)

run: build-release
	mkdir -p $(RUN_DIR)
	cp -rn data/. $(RUN_DIR)/
	cd $(RUN_DIR) && ../build/release/app/tremora $(ARGS)

test: build-test
	cd build/test && QT_QPA_PLATFORM=offscreen ASAN_OPTIONS=detect_leaks=0 ctest --output-on-failure -j $(JOBS)
	@# Tests that need the whole data beside the repository skip without it; say which and why.
	@cd build/test && ! grep -q "; not present$$" Testing/Temporary/LastTest.log \
	  || { echo "Skipped for want of the shared data:"; grep -h "; not present$$" Testing/Temporary/LastTest.log | sort | uniq -c; }

bench: build-release
	bash bench/run.sh build/release

demo: build-release
	bash tools/demo.sh build/release

clean:
	rm -rf build

package: build-release
	cd build/release && cpack -G DEB
	@ls build/release/tremora_*_amd64.deb

# The checkers are needed by this target alone, so install-deps.sh asks for them only here.
package-check: package
	@bash scripts/install-deps.sh --package-checks
	desktop-file-validate packaging/org.tremora.Tremora.desktop
	appstreamcli validate --no-net build/release/packaging/org.tremora.Tremora.metainfo.xml
	lintian --info build/release/tremora_*_amd64.deb

screenshots: build-release
	bash tools/screenshots.sh build/release docs

# Version 14 only: others lay some constructs out differently; where it is missing, it says how to get it.
format: deps
	@bash scripts/format.sh $(FILES)
translations: deps
	cmake -S . -B build/release $(GEN) -DCMAKE_BUILD_TYPE=Release -DTREMORA_BUILD_BENCH=ON >/dev/null
	cmake --build build/release --target translations

# make crash-trials   kills a real save of a full catalogue, and a real update ending in a save, at
#                     random moments (CRASH_TRIALS times each, default 200); the file must always be
#                     the old catalogue or the new one and load
CRASH_TRIALS ?= 200
.PHONY: crash-trials hostile
crash-trials: build-release
	nice -n 10 build/release/tools/tremora_crash_trials --dir build/crash-trials --data tests/data/usgs/2015-07-first-days-fdsn-asc.csv --trials $(CRASH_TRIALS)

# make hostile   the update against an event service failing in each way it can (sanitizer build)
hostile: build-test
	bash scripts/hostile.sh build/test

# make fuzz   builds the libFuzzer targets (clang, address and undefined-behaviour sanitizers) and
#             runs each for FUZZ_SECONDS (default 60); prints fuzz_<target>_execs and fuzz_crashes
FUZZ_SECONDS ?= 60
fuzz: deps
	FUZZ_SECONDS=$(FUZZ_SECONDS) JOBS=$(JOBS) bash scripts/fuzz.sh

# make places  rebuilds data/Lokalizacje.dat from the text lists in PLACES_SRC
PLACES_SRC ?= ../shared/data/places
.PHONY: places
places: deps
	cmake -S . -B build/release $(GEN) -DCMAKE_BUILD_TYPE=Release -DTREMORA_BUILD_BENCH=ON >/dev/null
	cmake --build build/release -j $(JOBS) --target tremora_build_places
	mkdir -p data
	build/release/tools/tremora_build_places $(PLACES_SRC) data/Lokalizacje.dat

# make pictures   redraws the built-in map, the icon and the map pictures in data/ from the shared
#                 data (override with SHARED_DATA=/path/to/shared/data); the result is byte-identical
SHARED_DATA ?= ../shared/data
RENDER_MAP  := build/release/tools/render_map/tremora_render_map
NE_LAYERS    = --land $(SHARED_DATA)/naturalearth/land-50m.geojson --countries $(SHARED_DATA)/naturalearth/countries-50m.geojson

.PHONY: pictures
pictures: deps
	cmake -S . -B build/release $(GEN) -DCMAKE_BUILD_TYPE=Release -DTREMORA_BUILD_BENCH=ON >/dev/null
	cmake --build build/release -j $(JOBS) --target tremora_render_map
	mkdir -p resources/icons data
	$(RENDER_MAP) base $(NE_LAYERS) -o resources/world.jpg
	$(RENDER_MAP) plates $(NE_LAYERS) --boundaries $(SHARED_DATA)/plates/PB2002_boundaries.json -o data/Plyty_tektoniczne.jpg
	$(RENDER_MAP) photo --picture $(SHARED_DATA)/maps/earth-2048x1024.jpg -o data/Ziemia.jpg
	$(RENDER_MAP) icon -o resources/icons/tremora.png

# make soak   the whole program for SOAK_HOURS simulated hours (24) with a random user (SOAK_SEED, 1)
#             against the live loopback event service; prints soak_* figures and fails on any broken
#             invariant. SOAK_BUILD=test runs it in the sanitizer build.
SOAK_BUILD ?= release
SOAK_HOURS ?= 24
SOAK_SEED  ?= 1
.PHONY: soak
soak: build-$(SOAK_BUILD)
	QT_QPA_PLATFORM=offscreen ASAN_OPTIONS=detect_leaks=0 SOAK_HOURS=$(SOAK_HOURS) SOAK_SEED=$(SOAK_SEED) \
	  nice -n 5 build/$(SOAK_BUILD)/tests/soak/tremora_soak
