# Entry points: `make` builds, `make test` builds and runs every test, `make run` starts the
# program connected to the virtual printer. Each first installs what the machine lacks.
.PHONY: all build deps test run format fuzz bench package clean

all: build

deps:
	@scripts/deps.sh

build: deps
	@scripts/build.sh build

test: deps
	@scripts/test.sh

run: deps
	@scripts/build.sh build
	@scripts/run.sh

format:
	@scripts/format.sh fix

fuzz: deps
	@scripts/fuzz.sh long

bench: deps
	@scripts/build.sh build
	@scripts/bench.sh

# The Debian package of the three programs, into build/package.
package: deps
	@scripts/build.sh build
	@cmake --build build --target package

clean:
	rm -rf build build-asan build-fuzz
