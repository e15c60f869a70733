#!/usr/bin/env bash
# Measures the web page from outside in headless Chromium, beside a bare page
# (measure_web.mjs says what it prints). Installs the packages it lacks and
# the browser tests' library, and builds the page if build/web has none.
#
# usage: tools/measure/measure_web.sh [PAGE [SECONDS [MINUTES]]]
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
"$root/scripts/install-packages.sh" packages-web.txt packages-web-test.txt
command -v npm >/dev/null || "$root/scripts/install-packages.sh" packages-npm.txt
(cd "$root/tools/web" && npm ci --no-audit --no-fund --loglevel=error)
page=${1:-$root/build/web/zephlet.html}
if [[ $# -eq 0 && ! -f $page ]]; then
    "$root/scripts/build-web.sh"
fi
exec node "$root/tools/measure/measure_web.mjs" "$page" "${@:2}"
