#!/usr/bin/env bash
# Sets up, builds and runs every test: both tile sizes, plain and under ASan+UBSan. The style
# check is reported but does not stop the tests; any part that failed fails the run at the end.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh
status=0
format="passed"
bash scripts/check-format.sh || { format="FAILED (scripts/check-format.sh lists the files)"; status=1; }
bash scripts/build.sh build
bash scripts/build.sh build-asan -DKELVARA_SANITIZE=ON
export ASAN_OPTIONS=detect_leaks=0:abort_on_error=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
# -noreset: the shared X server must not reset when its last client goes, or a test that
# connects at that moment is dropped.
for dir in build build-asan; do
  echo "== tests in $dir"
  xvfb-run -a -s "-screen 0 1920x1080x24 -noreset" ctest --test-dir "$dir" -j"$(nproc)" --output-on-failure || status=1
done
echo "== fuzzing (bounded)"
bash scripts/fuzz.sh 20 || status=1
echo "== style check: $format"
exit $status
