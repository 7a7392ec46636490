# The two commands of the README: `make run` and `make test`.
# Both install what is missing first, then build into build/.
BUILD_DIR ?= build
JOBS ?= $(shell nproc)

.PHONY: all deps configure build run test sanitize bench install uninstall package clean

all: build

deps:
	./scripts/install-deps.sh

configure: deps
	cmake -S . -B $(BUILD_DIR) -DCMAKE_BUILD_TYPE=RelWithDebInfo

build: configure
	cmake --build $(BUILD_DIR) -j $(JOBS)

run: build
	cd $(BUILD_DIR)/dist && ./pelkogame

# Every test, then the whole suite again under the sanitizers: CI runs this target alone.
test: build
	ctest --test-dir $(BUILD_DIR) --output-on-failure -j $(JOBS)
	./scripts/sanitize.sh $(JOBS)

# The whole test suite alone under ASan, UBSan and LeakSanitizer, in build-sanitize.
sanitize: deps
	./scripts/sanitize.sh $(JOBS)

bench: build
	./scripts/run-benchmarks.sh $(BUILD_DIR)

PREFIX ?= /usr/local

# CMake's manifest is rewritten by every install, the tests' staged ones too, so the list of what
# `make install` wrote is kept apart for `make uninstall`.
install: build
	DESTDIR=$(DESTDIR) cmake --install $(BUILD_DIR) --prefix $(PREFIX)
	cp $(BUILD_DIR)/install_manifest.txt $(BUILD_DIR)/installed-files.txt

uninstall:
	sed 's|^|$(DESTDIR)|' $(BUILD_DIR)/installed-files.txt | xargs -r -d '\n' rm -f --
	-find $(DESTDIR)$(PREFIX)/lib/pelko $(DESTDIR)$(PREFIX)/share/pelko -depth -type d -empty -delete 2>/dev/null

package: build
	cd $(BUILD_DIR) && cpack -G DEB

clean:
	rm -rf $(BUILD_DIR)
