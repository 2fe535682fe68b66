# SPDX-License-Identifier: GPL-3.0-or-later
# The project's commands. `make run` and `make test` are all a newcomer needs.
.PHONY: all deps build web run test test-release test-sanitize check-format bench install package screenshot format clean

BUILD_DIR := build/release
WASM_DIR := build/wasm
# Debian's emscripten finds Debian's acorn for its JavaScript optimizer only through NODE_PATH
# when the machine's node is another one.
EMSDK_ENV := NODE_PATH=/usr/share/nodejs
MAKEFLAGS += --no-print-directory
PREFIX ?= /usr/local

all: build

deps:
	@bash scripts/install-deps.sh

build: deps
	@cmake --preset release >/dev/null
	@cmake --build --preset release

# The classroom window and the real Moon, each as one offline page: build/web/vornak.html
# and build/web/vornak-sky.html.
web: deps
	@$(EMSDK_ENV) emcmake cmake -S . -B $(WASM_DIR) -DCMAKE_BUILD_TYPE=Release \
	  -DVORNAK_PAGE_DIR=$(CURDIR)/build/web >/dev/null
	@$(EMSDK_ENV) cmake --build $(WASM_DIR) -j2
	@ls build/web/vornak.html build/web/vornak-sky.html

run: build
	@if [ -z "$${DISPLAY}$${WAYLAND_DISPLAY}" ]; then \
	  echo "vornak needs a desktop session: neither DISPLAY nor WAYLAND_DISPLAY is set." >&2; \
	  exit 1; \
	fi
	@$(BUILD_DIR)/classroom/app/vornak

test: check-format test-release test-sanitize

test-release: build web
	@ctest --preset release

test-sanitize: deps
	@cmake --preset sanitize >/dev/null
	@cmake --build --preset sanitize
	@ctest --preset sanitize

bench: build web
	@bash bench/run-benchmarks.sh $(BUILD_DIR)

install: build
	@cmake --install $(BUILD_DIR) --prefix $(PREFIX)

package: build
	@cd $(BUILD_DIR) && cpack -G DEB -B $(CURDIR)/build/package >/dev/null
	@ls build/package/vornak_*.deb

screenshot: build web
	@mkdir -p docs
	@QT_QPA_PLATFORM=offscreen $(BUILD_DIR)/tools/make_screenshot docs/screenshot.png
	@QT_QPA_PLATFORM=offscreen $(BUILD_DIR)/tools/make_sky_screenshot docs/sky-screenshot.png
	@mkdir -p docs/guide
	@QT_QPA_PLATFORM=offscreen $(BUILD_DIR)/tools/make_guide_pictures docs/guide
	@VORNAK_PAGE=$(CURDIR)/build/web/vornak.html VORNAK_SKY_PAGE=$(CURDIR)/build/web/vornak-sky.html \
	  node tools/guide/page_pictures.js docs/guide

format:
	@git ls-files -co --exclude-standard '*.cpp' '*.h' | xargs clang-format -i

# Fails on unformatted code or a missing licence line, and rewrites nothing.
check-format: deps
	@bash scripts/check-format.sh

clean:
	@rm -rf build
