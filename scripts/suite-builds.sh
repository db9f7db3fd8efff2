# Sourced by .ci/run and scripts/soak-tests.sh: the three builds of the test suite and what each
# needs at run time, so that CI and a soak run test the same things the same way.
#   suite_build VARIANT     builds the tests: plain (build/), asan (build-asan/), tsan (build-tsan/)
#   suite_dir VARIANT       the build folder
#   suite_env VARIANT       exports the sanitizer options the variant runs with
#   suite_timeout VARIANT   seconds one test may take

suite_dir() {
  case "$1" in
    plain) echo "${BUILD_DIR:-$root/build}" ;;
    asan) echo "$root/build-asan" ;;
    tsan) echo "$root/build-tsan" ;;
    *) echo "unknown build '$1' (plain, asan, tsan)" >&2; return 2 ;;
  esac
}

suite_build() {
  local dir
  dir="$(suite_dir "$1")"
  case "$1" in
    plain) BUILD_DIR="$dir" bash "$root/scripts/build.sh" -DQ6CONFIG_BUILD_TESTS=ON ;;
    asan) BUILD_DIR="$dir" BUILD_TYPE=Debug bash "$root/scripts/build.sh" \
            -DQ6CONFIG_BUILD_TESTS=ON -DQ6CONFIG_SANITIZE=ON ;;
    tsan) BUILD_DIR="$dir" BUILD_TYPE=Debug bash "$root/scripts/build.sh" \
            -DQ6CONFIG_BUILD_TESTS=ON -DQ6CONFIG_SANITIZE_THREAD=ON ;;
  esac
}

suite_env() {
  export QT_QPA_PLATFORM=offscreen
  unset ASAN_OPTIONS UBSAN_OPTIONS TSAN_OPTIONS
  case "$1" in
    asan)
      export ASAN_OPTIONS=detect_leaks=0
      export UBSAN_OPTIONS=print_stacktrace=1
      ;;
    tsan)
      # Qt itself is not instrumented: what its own code copies between threads is ordered by
      # locks the sanitizer cannot see, so only accesses from our (instrumented) code are judged.
      # Some tests fork a child that starts a private server's threads before it execs; the
      # sanitizer allows that here.
      export TSAN_OPTIONS="halt_on_error=1 second_deadlock_stack=1 ignore_noninstrumented_modules=1 die_after_fork=0"
      ;;
  esac
}

suite_timeout() {
  case "$1" in
    tsan) echo 600 ;;
    *) echo 300 ;;
  esac
}
