# kavrel: the two commands (make run, make test) and the developer targets.
# Every target first makes sure the Debian packages it needs are installed.
SHELL := /bin/bash
JOBS ?= $(shell nproc 2>/dev/null || echo 2)

BUILD_PACKAGES   := cmake g++ make libfltk1.3-dev fonts-liberation
TEST_PACKAGES    := libgtest-dev xvfb xauth
BENCH_PACKAGES   := libbenchmark-dev time bc

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

.PHONY: all run test bench deps-build deps-test deps-bench clean

all: test

deps-build:
	$(call ensure_packages,$(BUILD_PACKAGES))

deps-test: deps-build
	$(call ensure_packages,$(TEST_PACKAGES))

deps-bench: deps-build
	$(call ensure_packages,$(BENCH_PACKAGES))

# Build the program and analyse the bundled example test, interactively.
run: deps-build
	cmake --preset release >/dev/null
	cmake --build --preset release -j $(JOBS) --target kavrel
	@rm -rf build/run && mkdir -p build/run
	@cp examples/KAVREL_BAS.DAT build/run/
	@echo "Analysing examples/KAVREL_BAS.DAT in build/run/ ..."
	cd build/run && ../release/app/kavrel
	@echo "The report is in $(CURDIR)/build/run/KAVREL.OUT"

# Build with AddressSanitizer and UndefinedBehaviorSanitizer and run every suite.
test: deps-test
	cmake --preset dev >/dev/null
	cmake --build --preset dev -j $(JOBS)
	ctest --preset dev -j $(JOBS)

# Optimised build and the speed and memory benchmarks.
bench: deps-bench
	cmake --preset release >/dev/null
	cmake --build --preset release -j $(JOBS)
	bench/run-benchmarks build/release

clean:
	rm -rf build
