# Sourced by every test script (whole-program, package and browser tests):
# a scratch folder, what is left running killed on exit, waiting, and the
# failure report.
#
# $work is a fresh scratch folder, removed on exit with every process whose
# id is added to cleanup_pids. A test's logs go to $work/*.log: `fail` shows
# them. `fail` ends the test at once; `flag` counts a failure and goes on,
# and `end_checks` then ends the test with them.
#
#   source "$(dirname "$0")/../test_helpers.sh"
#   some-server >"$work/server.log" 2>&1 &
#   cleanup_pids+=($!)
#   within 10 server-is-up || fail "the server did not start"

work=$(mktemp -d)
cleanup_pids=()
failures=0
end_test() {
    for pid in "${cleanup_pids[@]}"; do kill "$pid" 2>/dev/null || true; done
    wait 2>/dev/null || true
    rm -rf "$work"
}
trap end_test EXIT

# Waits up to $1 seconds for a command to succeed.
within() {
    local deadline=$((SECONDS + $1))
    shift
    until "$@"; do
        ((SECONDS < deadline)) || return 1
        sleep 0.05
    done
}

# Ends the test with the message and every log in $work.
fail() {
    echo "FAIL: $*" >&2
    for log in "$work"/*.log; do [[ ! -s $log ]] || { echo "--- $log"; cat "$log"; } >&2; done
    exit 1
}

# A failure that does not stop the checks after it.
flag() { echo "FAIL: $*" >&2; failures=$((failures + 1)); }
end_checks() { ((failures == 0)) || exit 1; }
