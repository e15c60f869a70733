#!/usr/bin/env bash
# What Debian's packagers run on a desktop game, on the .deb and its files:
# desktop-file-validate, appstreamcli validate (pedantic, so warnings and
# hints alike fail), appstreamcli compose, which must find the icons, and
# lintian --pedantic --info, which must report nothing. The window's class
# against the menu entry's is the whole-program test's.
#
# usage: validators_test.sh zephlet_VERSION_ARCH.deb
set -euo pipefail
deb=$(realpath "$1")
source "$(dirname "$0")/../test_helpers.sh"

tree=$work/tree
dpkg-deb -x "$deb" "$tree"
desktop=$tree/usr/share/applications/zephlet.desktop
metainfo=$(echo "$tree"/usr/share/metainfo/*.metainfo.xml)
id=$(basename "$metainfo" .metainfo.xml)

report=$(desktop-file-validate "$desktop" 2>&1) && [[ -z $report ]] || fail "desktop-file-validate: $report"
report=$(appstreamcli validate --no-net --pedantic --no-color "$metainfo" 2>&1) &&
    ! grep -q '[EWIP]: ' <<<"$report" || fail "appstreamcli validate: $report"

report=$(appstreamcli compose --no-net --no-color --prefix=/usr --origin=zephlet \
    --result-root="$work/compose" --hints-dir="$work/hints" "$tree" 2>&1) || fail "compose: $report"
catalog=$(zcat "$work/compose/usr/share/swcatalog/xml/zephlet.xml.gz" 2>/dev/null || true)
[[ $catalog == *"<id>$id</id>"* ]] || fail "compose dropped $id: $report"
for size in 64 128; do
    [[ $catalog == *"<icon type=\"cached\" width=\"$size\" height=\"$size\">"* ]] || fail "no ${size} px icon: $report"
done

# Lintian says it should not run as root, on standard error only.
report=$(lintian --pedantic --info "$deb" 2>/dev/null) && [[ -z $report ]] || fail "lintian: ${report:-failed}"

