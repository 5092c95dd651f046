# Sourced by test.sh before the tests of the sanitizer build (build-asan/). Any sanitizer report
# ends its process with an error, so the test that made it fails. Reports are also collected, so
# that one in a child process whose exit status a test does not look at still fails the run:
#  - AddressSanitizer and LeakSanitizer write theirs to files in $LUMETRA_SANITIZER_REPORTS;
#  - UndefinedBehaviorSanitizer (a runtime of its own with gcc, which cannot log to a file there)
#    writes to standard error, kept for every test in the JUnit file of the ctest run:
#    ctest ... "${lumetra_sanitizer_ctest_options[@]}".
# lumetra_check_sanitizer_reports then prints every report and fails when there is one.

LUMETRA_SANITIZER_REPORTS=$(mktemp -d /tmp/lumetra-sanitizer-reports-XXXXXX)
lumetra_sanitizer_dir=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
lumetra_sanitizer_ctest_options=(--output-junit "$LUMETRA_SANITIZER_REPORTS/ctest.xml"
  --test-output-size-passed 100000000 --test-output-size-failed 100000000)

# fast_unwind_on_malloc=0: system libraries have no frame pointers, and a leak's whole stack is
# needed to tell where it was made.
export ASAN_OPTIONS="halt_on_error=1:detect_leaks=1:fast_unwind_on_malloc=0:check_initialization_order=1:strict_init_order=1:detect_stack_use_after_return=1:log_path=$LUMETRA_SANITIZER_REPORTS/asan:log_exe_name=1"
export UBSAN_OPTIONS="halt_on_error=1:print_stacktrace=1"
# Leaks inside system libraries only; never our code.
export LSAN_OPTIONS="suppressions=$lumetra_sanitizer_dir/lsan-suppressions.txt:print_suppressions=0"

lumetra_check_sanitizer_reports() {
  local found=0 report
  for report in "$LUMETRA_SANITIZER_REPORTS"/asan.*; do
    [[ -e "$report" ]] || continue
    found=1
    echo "==== $report" >&2
    cat "$report" >&2
  done
  if grep -q "runtime error:" "$LUMETRA_SANITIZER_REPORTS/ctest.xml" 2>/dev/null; then
    found=1
    echo "==== UndefinedBehaviorSanitizer reports:" >&2
    grep -B2 -A20 "runtime error:" "$LUMETRA_SANITIZER_REPORTS/ctest.xml" >&2
  fi
  if ((found)); then
    echo "Sanitizer reports in the sanitizer build (kept in $LUMETRA_SANITIZER_REPORTS)." >&2
    return 1
  fi
  rm -rf "$LUMETRA_SANITIZER_REPORTS"
}
