# Building and running the fuzz targets; sourced by scripts/fuzz.sh and
# scripts/suites/fuzz.sh. The targets are built with clang, AddressSanitizer
# and UndefinedBehaviorSanitizer in a build folder of their own.
source "$(dirname "${BASH_SOURCE[0]}")/../scripts/lib/common.sh"

FUZZ_BUILD="$BUILD-fuzz"
FUZZERS=(kavu32_table_image_fuzzer kavu32_library_fuzzer kavu32_table_source_fuzzer)
export ASAN_OPTIONS="${ASAN_OPTIONS:-detect_leaks=1}"
export UBSAN_OPTIONS="${UBSAN_OPTIONS:-print_stacktrace=1}"

build_fuzzers() {
  need_packages clang libclang-rt-14-dev cmake make libgtest-dev libgmock-dev
  mkdir -p "$FUZZ_BUILD"
  # A second run started meanwhile waits here rather than building the
  # same folder at the same time.
  (
    flock 9
    CC=clang CXX=clang++ cmake -S "$ROOT" -B "$FUZZ_BUILD" \
      -DKAVU32_BUILD_FUZZ=ON -DKAVU32_SANITIZE=address,undefined \
      -DKAVU32_BUILD_TESTS=OFF -DKAVU32_BUILD_TOOLS=OFF -DKAVU32_BUILD_BENCH=OFF >/dev/null
    # Only the fuzzers: a clang-sanitized shared library would need the
    # sanitizer runtimes linked into it.
    cmake --build "$FUZZ_BUILD" -j"$JOBS" --target "${FUZZERS[@]}" kavu32_fuzz_corpus
  ) 9>"$FUZZ_BUILD/build.lock"
}

fuzzer_binary() { echo "$FUZZ_BUILD/fuzz/$1"; }
seed_corpus() { echo "$FUZZ_BUILD/fuzz/corpus/$1"; }
kept_corpus() { echo "$ROOT/fuzz/corpus/$1"; }
regressions() { echo "$ROOT/fuzz/regressions/$1"; }

# The corpus folders of NAME that exist: the kept corpus, then the seeds
# written at build time.
corpus_folders() {
  local folder
  for folder in "$(kept_corpus "$1")" "$(seed_corpus "$1")"; do
    [ -d "$folder" ] && echo "$folder"
  done
  return 0
}

# run_fuzzer NAME WORK [LIBFUZZER OPTIONS...]: new inputs go to WORK/corpus,
# crashing ones to WORK/artifacts; the kept and seed corpora are read as
# well, and the target's dictionary fuzz/NAME.dict where there is one.
run_fuzzer() {
  local name="$1" work="$2" folders options=()
  shift 2
  mkdir -p "$work/corpus" "$work/artifacts"
  mapfile -t folders < <(corpus_folders "$name")
  [ -f "$ROOT/fuzz/$name.dict" ] && options+=(-dict="$ROOT/fuzz/$name.dict")
  "$(fuzzer_binary "$name")" -artifact_prefix="$work/artifacts/" "${options[@]}" "$@" \
    "$work/corpus" "${folders[@]}"
}

# keep_corpus NAME WORK: the smallest set of inputs from the kept corpus and
# WORK/corpus that covers what all of them cover becomes the kept corpus.
keep_corpus() {
  local name="$1" work="$2" kept merged
  kept="$(kept_corpus "$name")"
  merged="$work/merged"
  rm -rf "$merged"
  mkdir -p "$merged" "$kept"
  "$(fuzzer_binary "$name")" -merge=1 "$merged" "$kept" "$work/corpus"
  rm -rf "$kept"
  mv "$merged" "$kept"
}

# run_regressions NAME: every kept crashing input, each run once.
run_regressions() {
  local name="$1" folder
  folder="$(regressions "$1")"
  [ -d "$folder" ] || return 0
  local inputs=("$folder"/*)
  [ -e "${inputs[0]}" ] || return 0
  "$(fuzzer_binary "$name")" "${inputs[@]}"
}

# logged LOG COMMAND...: runs the command with its output in LOG; on failure
# shows the end of the log (the crash report) and fails.
logged() {
  local log="$1"
  shift
  if ! "$@" >"$log" 2>&1; then
    tail -n 60 "$log" >&2
    echo "fuzz: failed: $*" >&2
    return 1
  fi
}
