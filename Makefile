# kavrel: the two commands (make run, make test), installing and packaging, and the developer
# targets.
# Every target first makes sure the Debian packages it needs are installed.
SHELL := /bin/bash
# No "Entering/Leaving directory" lines from the makes CMake's build runs.
MAKEFLAGS += --no-print-directory
JOBS ?= $(shell nproc 2>/dev/null || echo 2)

BUILD_PACKAGES   := cmake g++ make libfltk1.3-dev fonts-liberation
# groff renders the manual page; file and dpkg-shlibdeps (dpkg-dev) let CPack find what the
# Debian packages depend on, in make package and in its test; xdotool presses keys in the
# program's windows; lintian checks the Debian packages; chromium prints the report page and
# poppler-utils reads the print.
TEST_PACKAGES    := libgtest-dev xvfb xauth xdotool groff-base file dpkg-dev lintian chromium \
                    poppler-utils
PACKAGE_PACKAGES := file dpkg-dev
BENCH_PACKAGES   := libbenchmark-dev time bc xvfb xauth
# lint configures the whole tree (tests, benchmarks, desktop) for its compile database, and
# the fuzz targets with clang.
LINT_PACKAGES    := clang clang-tidy clang-format cppcheck libbenchmark-dev
FUZZ_PACKAGES    := clang libclang-rt-14-dev
# Seconds each fuzz target runs in `make fuzz`.
FUZZ_SECONDS     ?= 60
# Where make install puts kavrel; DESTDIR, when given, is put before it (staging).
PREFIX           ?= /usr/local

# ensure_packages: install the listed Debian packages that dpkg does not know as
# installed, with apt-get, directly as root or through sudo.
define ensure_packages
	@missing=""; \
	for p in $(1); do \
	  dpkg-query -W -f='$${Status}' $$p 2>/dev/null | grep -q "install ok installed" || missing="$$missing $$p"; \
	done; \
	if [ -n "$$missing" ]; then \
	  echo "Installing Debian packages:$$missing"; \
	  if [ "$$(id -u)" -eq 0 ]; then sudo=""; else sudo="sudo"; fi; \
	  $$sudo apt-get update -qq && \
	  DEBIAN_FRONTEND=noninteractive $$sudo apt-get install -y -qq --no-install-recommends $$missing; \
	fi
endef

.PHONY: all run test install uninstall package bench lint fuzz deps-build deps-test deps-package \
	deps-bench deps-lint deps-fuzz clean

all: test

deps-build:
	$(call ensure_packages,$(BUILD_PACKAGES))

deps-test: deps-build
	$(call ensure_packages,$(TEST_PACKAGES))

deps-package: deps-build
	$(call ensure_packages,$(PACKAGE_PACKAGES))

deps-bench: deps-build
	$(call ensure_packages,$(BENCH_PACKAGES))

deps-lint: deps-test
	$(call ensure_packages,$(LINT_PACKAGES))

deps-fuzz: deps-build
	$(call ensure_packages,$(FUZZ_PACKAGES))

# Build the program and analyse the bundled example test: interactively when standard input is
# a terminal, otherwise with the answers of examples/KAVREL_ANSWERS.txt (a fit of order 4), or
# in the windows when they open. kavrel itself says where the report went.
run: deps-build
	cmake --preset release
	cmake --build --preset release -j $(JOBS) --target kavrel
	@rm -rf build/run && mkdir -p build/run
	@cp examples/KAVREL_BAS.DAT examples/KAVREL_SHIP.DAT build/run/
	@echo "Analysing examples/KAVREL_BAS.DAT, with the ship of examples/KAVREL_SHIP.DAT, in build/run/ ..."
	@if [ -t 0 ]; then \
	  build/release/app/kavrel build/run; \
	else \
	  if [ -n "$${DISPLAY:-}" ]; then \
	    echo "Standard input is not a terminal: the questions are asked in the windows, or answered from examples/KAVREL_ANSWERS.txt when no window can open."; \
	  else \
	    echo "Standard input is not a terminal: the questions are answered from examples/KAVREL_ANSWERS.txt."; \
	  fi; \
	  build/release/app/kavrel build/run < examples/KAVREL_ANSWERS.txt; \
	fi

# Build with AddressSanitizer and UndefinedBehaviorSanitizer and run every suite.
test: deps-test
	cmake --preset dev
	cmake --build --preset dev -j $(JOBS)
	ctest --preset dev -j $(JOBS)

# Optimised build installed under PREFIX (default /usr/local), staged under DESTDIR when given:
# bin/kavrel, the desktop module under lib/kavrel/, the manual page, README.md, the licence and
# the examples. Only these are built, and the program and the module are stripped.
INSTALLED_TARGETS := kavrel kavrel_manual
MANIFEST          := build/release/install_manifest.txt
install: deps-build
	cmake --preset release
	cmake --build --preset release -j $(JOBS) --target $(INSTALLED_TARGETS)
	DESTDIR="$(DESTDIR)" cmake --install build/release --prefix "$(PREFIX)" --strip

# Removes every file the last make install put (CMake lists them in $(MANIFEST)), under the same
# DESTDIR, and then the folders of kavrel's own (lib/kavrel, share/doc/kavrel and its examples)
# when they are empty; no other folder.
uninstall:
	@[ -f $(MANIFEST) ] || { echo "make uninstall: $(MANIFEST) is missing: nothing was installed from this tree"; exit 1; }
	@while IFS= read -r file || [ -n "$$file" ]; do \
	  rm -fv -- "$(DESTDIR)$$file"; \
	  dir=$$(dirname -- "$(DESTDIR)$$file"); \
	  while case "$$dir" in */lib/kavrel | */doc/kavrel | */doc/kavrel/*) true ;; *) false ;; esac; do \
	    rmdir -- "$$dir" 2>/dev/null || break; \
	    dir=$$(dirname -- "$$dir"); \
	  done; \
	done < $(MANIFEST)

# The Debian packages kavrel and kavrel-desktop of the optimised build, in build/package/.
package: deps-package
	cmake --preset release
	cmake --build --preset release -j $(JOBS) --target $(INSTALLED_TARGETS)
	rm -rf build/package
	cpack --config build/release/CPackConfig.cmake -B build/package
	@rm -rf build/package/_CPack_Packages
	@ls -1 build/package/*.deb

# Optimised build and the speed and memory benchmarks.
bench: deps-bench
	cmake --preset release
	cmake --build --preset release -j $(JOBS)
	bench/run-benchmarks build/release

# Static analysis of the versioned sources: clang-tidy (.clang-tidy) and cppcheck over the
# compile databases of a configured tree and of the fuzz targets, and the layout check of
# clang-format (.clang-format). Fails on any finding. LINT_FILES=changed checks only the
# files changed since the merge base with main (committed, staged, unstaged or new), for a
# quick loop while developing; CI checks them all.
LINT_FILES ?= all
ifeq ($(LINT_FILES),changed)
LINT_SOURCES = { git diff --name-only --diff-filter=d $$(git merge-base HEAD main) -- '*.cpp' '*.h'; \
	git ls-files --others --exclude-standard -- '*.cpp' '*.h'; } | sort -u
else
LINT_SOURCES = git ls-files '*.cpp' '*.h'
endif
LINT_CPP = $(LINT_SOURCES) | grep '\.cpp$$' | grep -v '^fuzz/'
FUZZ_CPP = $(LINT_SOURCES) | grep '^fuzz/.*\.cpp$$'
CPPCHECK = cppcheck --enable=warning,performance,portability --library=googletest \
	--std=c++20 --inline-suppr --error-exitcode=1 -q -j $(JOBS) \
	--suppress=missingIncludeSystem --suppress='*:/usr/*' \
	--template='{file}:{line}: {severity}: {message} [{id}]'
lint: deps-lint
	cmake -S . -B build/lint -DCMAKE_BUILD_TYPE=Debug -DKAVREL_TESTS=ON -DKAVREL_BENCH=ON
	cmake -S fuzz -B build/lint-fuzz -DCMAKE_CXX_COMPILER=clang++
	@echo "clang-tidy ..."
	@$(LINT_CPP) | xargs -r -P $(JOBS) -n 4 clang-tidy -p build/lint --quiet 2>/dev/null
	@$(FUZZ_CPP) | xargs -r -P $(JOBS) -n 4 clang-tidy -p build/lint-fuzz --quiet 2>/dev/null
	@echo "cppcheck ..."
	@files=$$($(LINT_CPP)); [ -z "$$files" ] || $(CPPCHECK) \
	  --project=build/lint/compile_commands.json $$(printf -- '--file-filter=%s ' $$files)
	@files=$$($(FUZZ_CPP)); [ -z "$$files" ] || $(CPPCHECK) \
	  --project=build/lint-fuzz/compile_commands.json $$(printf -- '--file-filter=%s ' $$files)
	@echo "clang-format ..."
	@$(LINT_SOURCES) | xargs -r clang-format --dry-run --Werror
	@echo "lint: clean"

# The libFuzzer targets (clang, AddressSanitizer, UndefinedBehaviorSanitizer), each run for
# FUZZ_SECONDS on its seed corpus under fuzz/corpus; a finding fails and is kept in
# build/fuzz/findings.
fuzz: deps-fuzz
	cmake -S fuzz -B build/fuzz -DCMAKE_CXX_COMPILER=clang++
	cmake --build build/fuzz -j $(JOBS)
	fuzz/run $(FUZZ_SECONDS) build/fuzz

clean:
	rm -rf build
