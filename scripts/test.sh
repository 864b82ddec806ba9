#!/usr/bin/env bash
# Sets up, then runs the style check and every test: both tile sizes, plain and under the
# sanitizers (ASan with its leak check, UBSan), then a short run of each fuzzer. A step that fails
# does not stop the others; the last line says which failed.
set -uo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh test || exit 1
failed=()
bash scripts/check-format.sh || failed+=("style (scripts/check-format.sh lists the faults)")
# The sanitizer build's options (leak detection with tests/lsan.supp among them) are built into
# its programs: tests/support/SanitizerDefaults.cpp.
# -noreset: the shared X server must not reset when its last client goes, or a test that
# connects at that moment is dropped.
run_tests() {  # run_tests NAME DIR [cmake options...]
  local name=$1 dir=$2
  shift 2
  echo "== $name: building $dir"
  if ! bash scripts/build.sh "$dir" "$@"; then
    failed+=("$name (the build)")
    return
  fi
  echo "== $name: running the tests in $dir"
  xvfb-run -a -s "-screen 0 1920x1080x24 -noreset" ctest --test-dir "$dir" -j"$(nproc)" \
    --output-on-failure || failed+=("$name")
}
run_tests "plain tests" build
run_tests "sanitizer tests" build-asan -DKELVARA_SANITIZE=ON
echo "== fuzzing (bounded)"
bash scripts/fuzz.sh 20 || failed+=("fuzzing")
if [ ${#failed[@]} -eq 0 ]; then
  echo "== test: passed (style, plain tests, sanitizer tests, fuzzing)"
  exit 0
fi
summary=$(printf '%s; ' "${failed[@]}")
echo "== test: FAILED: ${summary%; }"
exit 1
