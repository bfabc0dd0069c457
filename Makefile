# The two set-up commands of the README: `make run` and `make test`.
BUILD ?= build
JOBS ?= $(shell nproc)

.PHONY: run test build deps test-deps bench clean

deps:
	./scripts/install-deps.sh

test-deps:
	./scripts/install-deps.sh --test

$(BUILD)/CMakeCache.txt:
	cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=Release

build: deps $(BUILD)/CMakeCache.txt
	cmake --build $(BUILD) -j $(JOBS)

run: build
	./scripts/run.sh $(BUILD)

test: test-deps $(BUILD)/CMakeCache.txt
	cmake --build $(BUILD) -j $(JOBS)
	cd $(BUILD) && ctest --output-on-failure -j $(JOBS)
	JOBS=$(JOBS) ./scripts/test-sanitize.sh

bench: build
	./scripts/bench.sh $(BUILD)

clean:
	rm -rf $(BUILD)
