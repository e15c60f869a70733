#!/usr/bin/env bash
# The zip for Windows players as build-windows.sh makes it: its entries in
# their order, each with the commit's time and no extra fields; and the exe
# in it: ASLR with high-entropy addresses and DEP (DllCharacteristics 0x160)
# with its relocations, the commit's time in its PE header, only DLLs every
# Windows has, and its application manifest: asInvoker, Windows 7 to 11,
# no DPI awareness.
#
# usage: windows_zip_test.sh ZIP SOURCE_TREE
set -euo pipefail
zip=$1
source "$(dirname "$0")/../test_helpers.sh"
# The time build-windows.sh gave the entries.
epoch=$(root=$2 && source "$root/scripts/reproducible-env.sh" && echo "$SOURCE_DATE_EPOCH")

name=$(basename "$zip" .zip)
expected=$(printf "$name/%s\n" "" LICENSE.txt README.txt zephlet.exe)
entries=$(zipinfo -1 "$zip")
[[ $entries == "$expected" ]] || flag "entries differ:$(diff <(echo "$expected") <(echo "$entries"))"
# zipinfo -T: yyyymmdd.hhmmss in the time zone given. DOS times are even
# seconds, and zip rounds an odd one up.
want=$(TZ=UTC date -d "@$(((epoch + 1) / 2 * 2))" +%Y%m%d.%H%M%S)
times=$(TZ=UTC zipinfo -T -l "$zip" | awk 'NF >= 9 && $1 ~ /^[-d]/ { print $8 }' | sort -u)
[[ $times == "$want" ]] || flag "entry times $times, not the commit's $want"
[[ -z $(zipinfo -v "$zip" | grep 'length of extra field' | grep -v ' 0 bytes') ]] ||
    flag "entries with extra fields"

unzip -q "$zip" -d "$work"
exe=$work/$name/zephlet.exe
header=$(x86_64-w64-mingw32-objdump -p "$exe")
[[ $header == *$'DllCharacteristics\t00000160'* ]] || flag "$(grep DllCharacteristics <<<"$header"), not 00000160"
grep -Eq 'Entry 5 [0-9a-f]+ 0*[1-9a-f][0-9a-f]* Base Relocation Directory \[\.reloc\]' <<<"$header" ||
    flag "no relocation section"
stamp=$(sed -n 's/^Time\/Date\t*//p' <<<"$header")
[[ $(TZ=UTC date -d "$stamp" +%s) == "$epoch" ]] || flag "PE Time/Date $stamp, not the commit's time"
dlls=$(sed -n 's/^\tDLL Name: //p' <<<"$header" | tr a-z A-Z | sort | tr '\n' ' ')
[[ $dlls == "GDI32.DLL KERNEL32.DLL MSVCRT.DLL USER32.DLL WINMM.DLL " ]] || flag "imports $dlls"

# The manifest: resource type 24 (RT_MANIFEST), name 1, as windres reads it back.
x86_64-w64-mingw32-windres -i "$exe" -O rc -o "$work/resources.rc"
manifest=$(awk '/^1 24 /, /^END/' "$work/resources.rc" | sed -n 's/^  "\(.*\)\\n"$/\1/p' | sed 's/""/"/g')
for part in 'requestedExecutionLevel level="asInvoker" uiAccess="false"' \
    'supportedOS Id="{35138b9a-5d96-4fbd-8e2d-a2440225f93a}"' 'supportedOS Id="{4a2f28e3-53b9-4441-ba9c-d69d4a4a6e38}"' \
    'supportedOS Id="{1f676c76-80e1-4239-95bb-83d0f6d0da78}"' 'supportedOS Id="{8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a}"'; do
    [[ $manifest == *"<$part/>"* ]] || flag "the manifest lacks <$part/>"
done
[[ $manifest != *dpiAware* ]] || flag "manifest declares DPI awareness"
# Windows refuses to start a program whose manifest is not well-formed XML.
report=$(xmllint --noout - <<<"$manifest" 2>&1) || flag "manifest is not well-formed: $report"

end_checks
echo "$(basename "$zip"): $(stat -c %s "$zip") bytes, entries at $want UTC; exe DllCharacteristics 0x160, manifest asInvoker, Windows 7 to 11"
