#!/usr/bin/env bash
# The whole test suite: installs what it needs, then builds and runs
#   1. the release build, warnings as errors, with every test (CTest);
#   2. AddressSanitizer + UndefinedBehaviorSanitizer builds of the same tests;
#   3. the fuzz targets for a fixed time each, from a generated seed corpus;
#   4. ThreadSanitizer on the host-side suite (many handles, several threads);
#   5. valgrind memcheck over whole reader and writer lifecycles;
#   6. the Windows DLL, cross-built with MinGW-w64, tested under Wine.
# Set TST_STAGES to a space-separated subset (release asan fuzz tsan valgrind
# windows) to run only some of them.
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/packages.sh

stages=${TST_STAGES:-"release asan fuzz tsan valgrind windows"}
jobs=$(nproc)
want() { [[ " $stages " == *" $1 "* ]]; }
banner() { printf '\n==== %s ====\n' "$*"; }

packages=(cmake make g++ pkg-config libgtest-dev libpng-dev)
want release && packages+=(libbenchmark-dev libstb-dev)
want asan || want fuzz || want tsan && packages+=(clang libclang-rt-14-dev llvm)
want valgrind && packages+=(valgrind)
want windows && packages+=(g++-mingw-w64-x86-64-posix wine64 wine googletest)
ensure_packages "${packages[@]}"

configure_and_build() {  # DIR [cmake options...]
  local dir=$1
  shift
  cmake -S . -B "$dir" -DBRACKENFOLD_WERROR=ON "$@" >/dev/null
  cmake --build "$dir" -j"$jobs"
}

if want release; then
  banner "release build and tests"
  # The benchmark is built here so that it keeps compiling; scripts/bench.sh runs it.
  configure_and_build build/release -DCMAKE_BUILD_TYPE=Release -DBRACKENFOLD_BENCH=ON
  ctest --test-dir build/release --output-on-failure -j"$jobs"
fi

if want asan || want fuzz; then
  banner "AddressSanitizer + UndefinedBehaviorSanitizer build and tests"
  CC=clang CXX=clang++ configure_and_build build/asan -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DBRACKENFOLD_SANITIZE=address,undefined -DBRACKENFOLD_FUZZ=ON
  export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1:strict_string_checks=1
  export UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1
  want asan && ctest --test-dir build/asan --output-on-failure -j"$jobs"
fi

run_fuzzer() {  # NAME SECONDS CORPUS [libFuzzer options...]
  local name=$1 seconds=$2 corpus=$3
  shift 3
  local log=build/asan/$name.log
  if ! build/asan/bin/"$name" -max_total_time="$seconds" -print_final_stats=1 "$@" "$corpus" >"$log" 2>&1; then
    tail -n 60 "$log"
    echo "$name failed; its log is $log" >&2
    return 1
  fi
  grep -E '^#[0-9]+[[:space:]]+DONE|stat::number_of_executed_units' "$log" || true
}

if want fuzz; then
  banner "fuzzing"
  corpus=build/asan/corpus
  rm -rf "$corpus"
  mkdir -p "$corpus/reader" "$corpus/writer"
  build/asan/bin/make_corpus "$corpus/reader" "$corpus/writer"
  run_fuzzer fuzz_reader 45 "$corpus/reader" -max_len=40000 -use_value_profile=1
  run_fuzzer fuzz_writer 15 "$corpus/writer"
fi

if want tsan; then
  banner "ThreadSanitizer"
  CC=clang CXX=clang++ configure_and_build build/tsan -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DBRACKENFOLD_SANITIZE=thread -DBRACKENFOLD_TOOLS=OFF
  TSAN_OPTIONS=halt_on_error=1:second_deadlock_stack=1 build/tsan/bin/plugin_tests
fi

if want valgrind; then
  banner "valgrind memcheck"
  configure_and_build build/release -DCMAKE_BUILD_TYPE=Release  # a no-op after the release stage
  valgrind -q --leak-check=full --show-leak-kinds=definite,indirect,possible \
    --errors-for-leak-kinds=definite,indirect,possible --error-exitcode=1 \
    build/release/bin/plugin_tests --gtest_brief=1
fi

if want windows; then
  banner "Windows DLL: MinGW-w64 cross build, tests under Wine"
  configure_and_build build/windows -DCMAKE_BUILD_TYPE=Release -DBRACKENFOLD_TOOLS=OFF \
    -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake
  export WINEPREFIX=$PWD/build/windows/wineprefix WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
  [ -d "$WINEPREFIX" ] || wineboot --init >/dev/null 2>&1
  ctest --test-dir build/windows --output-on-failure
  wineserver --kill 2>/dev/null || true
fi

banner "all stages passed: $stages"
