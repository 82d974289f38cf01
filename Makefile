# make run  — install what is missing, build, run on the demo installation folder
# make test — install what is missing, build, run every test
# make screenshots — render every screen to build/screenshots/*.png
PRESET ?= $(if $(CI),ci,debug)
BUILD  := build/$(PRESET)
DEMO   := $(CURDIR)/demo

.PHONY: deps build test run screenshots format clean

deps:
	@scripts/install-deps.sh

build: deps
	@cmake --preset $(PRESET) >/dev/null
	@cmake --build $(BUILD) -j 2

test: build
	@cd $(BUILD) && ctest --output-on-failure -j 2

run: build
	@scripts/run-demo.sh $(BUILD) $(DEMO)

screenshots: build
	@scripts/screenshots.sh $(BUILD) build/screenshots

format:
	@find src tests bench -name '*.cpp' -o -name '*.h' | xargs clang-format -i

clean:
	rm -rf build
