# The test environment and the one way a stage runs a built suite; sourced by tools/test.sh and tools/check.sh.
# Graphical tests draw into Xvfb with Mesa's software renderer; sound goes to SDL's dummy driver.
export SDL_AUDIODRIVER=dummy
export LSAN_OPTIONS="suppressions=$top/tools/lsan.supp:print_suppressions=0"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"

# run_suite BUILD_DIR [ctest options...]: runs the suite built there, two tests at a time. A
# stage that finds no test has checked nothing: it fails, and says so, rather than pass.
run_suite() {
  local dir=$1; shift
  local log status=0
  log=$(mktemp "${TMPDIR:-/tmp}/vantorix-ctest.XXXXXX")
  # -noreset: a test program that ends must not make the server reset under the next one.
  xvfb-run -a -s "-noreset -screen 0 1920x1080x24" \
    ctest --test-dir "$dir" --output-on-failure --timeout 300 --no-tests=error -j"$(nproc)" "$@" \
    2>&1 | tee "$log" || status=$?
  if grep -q "No tests were found" "$log"; then
    echo "test: no test in $dir matched ${*:-the whole suite}; nothing was checked" >&2
    status=1
  fi
  rm -f "$log"
  return "$status"
}
