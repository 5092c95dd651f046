# Sourced by test.sh before the tests of the sanitizer build (build-asan/). Every report of
# AddressSanitizer, LeakSanitizer or UndefinedBehaviorSanitizer ends its process with an error and is
# also written to a file in $LUMETRA_SANITIZER_REPORTS, so that a report in a child process whose
# exit status a test does not look at still fails the run (see lumetra_check_sanitizer_reports).

LUMETRA_SANITIZER_REPORTS=$(mktemp -d /tmp/lumetra-sanitizer-reports-XXXXXX)
lumetra_sanitizer_dir=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)

export ASAN_OPTIONS="halt_on_error=1:abort_on_error=0:detect_leaks=1:fast_unwind_on_malloc=0:check_initialization_order=1:strict_init_order=1:detect_stack_use_after_return=1:log_path=$LUMETRA_SANITIZER_REPORTS/asan:log_exe_name=1"
export UBSAN_OPTIONS="halt_on_error=1:print_stacktrace=1:log_path=$LUMETRA_SANITIZER_REPORTS/ubsan:log_exe_name=1"
# Leaks inside system libraries only (font configuration, media and audio plugins); never our code.
export LSAN_OPTIONS="suppressions=$lumetra_sanitizer_dir/lsan-suppressions.txt:print_suppressions=0"

# Prints every report written and fails when there is one.
lumetra_check_sanitizer_reports() {
  local reports=("$LUMETRA_SANITIZER_REPORTS"/*)
  if [[ ! -e "${reports[0]}" ]]; then
    rm -rf "$LUMETRA_SANITIZER_REPORTS"
    return 0
  fi
  echo "Sanitizer reports in the sanitizer build:" >&2
  for report in "${reports[@]}"; do
    echo "==== $report" >&2
    cat "$report" >&2
  done
  return 1
}
