# Sourced by every test script: the scratch folder $work, the processes
# killed on exit and `within` of tools/x_session.sh, and the failure report.
# A test's logs go to $work/*.log: `fail` shows them and ends the test.
source "$(dirname "${BASH_SOURCE[0]}")/../tools/x_session.sh"

fail() {
    echo "FAIL: $*" >&2
    for log in "$work"/*.log; do [[ ! -s $log ]] || { echo "--- $log"; cat "$log"; } >&2; done
    exit 1
}
