# Two entry points for a fresh Debian 12 machine: `make run` and `make test`.
BUILD_DIR ?= build
JOBS ?= 2
CMAKE_FLAGS ?=

# The suite runs without a display or a sound card.
HEADLESS = QT_QPA_PLATFORM=offscreen SDL_AUDIODRIVER=dummy

.PHONY: all deps configure build run test clean

all: build

deps:
	@./tools/install-deps.sh

$(BUILD_DIR)/build.ninja:
	cmake -S . -B $(BUILD_DIR) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo $(CMAKE_FLAGS)

configure: $(BUILD_DIR)/build.ninja

build: deps configure
	cmake --build $(BUILD_DIR) -j $(JOBS)

run: build
	./$(BUILD_DIR)/Quintor

test: build
	cd $(BUILD_DIR) && $(HEADLESS) ctest --output-on-failure -j $(JOBS)

clean:
	rm -rf $(BUILD_DIR)
