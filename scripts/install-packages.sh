#!/usr/bin/env bash
# Installs the Debian packages named in the given list files that are not
# installed yet, through apt-get as root or through sudo.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
wanted=()
for list in "$@"; do
    while read -r name _; do
        [[ -z "$name" || "$name" == \#* ]] && continue
        wanted+=("$name")
    done <"$here/$list"
done
missing=()
for name in "${wanted[@]}"; do
    if [[ "$(dpkg-query -W -f='${Status}' "$name" 2>/dev/null)" != "install ok installed" ]]; then
        missing+=("$name")
    fi
done
[[ ${#missing[@]} -eq 0 ]] && exit 0
echo "Installing: ${missing[*]}"
as_root=()
if [[ $(id -u) -ne 0 ]]; then
    command -v sudo >/dev/null || { echo "Run as root, or install sudo: missing ${missing[*]}" >&2; exit 1; }
    as_root=(sudo)
fi
"${as_root[@]}" env DEBIAN_FRONTEND=noninteractive apt-get update -q
"${as_root[@]}" env DEBIAN_FRONTEND=noninteractive apt-get install -y -q --no-install-recommends "${missing[@]}"
