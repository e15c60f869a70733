#!/usr/bin/env bash
# The zip for Windows players as build-windows.sh makes it: its entries in
# their order; and the exe in it: ASLR with high-entropy addresses and DEP
# (DllCharacteristics 0x160) with its relocations, only DLLs every Windows
# has, and its application manifest: asInvoker, Windows 7 to 11, no DPI
# awareness. Times in the zip and the PE header are the reproducibility
# test's: a clock a year ahead changes them.
#
# usage: windows_zip_test.sh ZIP
set -euo pipefail
zip=$1
source "$(dirname "$0")/../test_helpers.sh"

name=$(basename "$zip" .zip)
expected=$(printf "$name/%s\n" "" LICENSE.txt README.txt zephlet.exe)
entries=$(zipinfo -1 "$zip")
[[ $entries == "$expected" ]] || fail "entries differ:$(diff <(echo "$expected") <(echo "$entries"))"

unzip -q "$zip" -d "$work"
exe=$work/$name/zephlet.exe
header=$(x86_64-w64-mingw32-objdump -p "$exe")
[[ $header == *$'DllCharacteristics\t00000160'* ]] || fail "$(grep DllCharacteristics <<<"$header"), not 00000160"
grep -Eq 'Entry 5 [0-9a-f]+ 0*[1-9a-f][0-9a-f]* Base Relocation Directory \[\.reloc\]' <<<"$header" ||
    fail "no relocation section"
dlls=$(sed -n 's/^\tDLL Name: //p' <<<"$header" | tr a-z A-Z | sort | tr '\n' ' ')
[[ $dlls == "GDI32.DLL KERNEL32.DLL MSVCRT.DLL USER32.DLL WINMM.DLL " ]] || fail "imports $dlls"

# The manifest: resource type 24 (RT_MANIFEST), name 1, as windres reads it back.
x86_64-w64-mingw32-windres -i "$exe" -O rc -o "$work/resources.rc"
manifest=$(awk '/^1 24 /, /^END/' "$work/resources.rc" | sed -n 's/^  "\(.*\)\\n"$/\1/p' | sed 's/""/"/g')
for part in 'requestedExecutionLevel level="asInvoker" uiAccess="false"' \
    'supportedOS Id="{35138b9a-5d96-4fbd-8e2d-a2440225f93a}"' 'supportedOS Id="{4a2f28e3-53b9-4441-ba9c-d69d4a4a6e38}"' \
    'supportedOS Id="{1f676c76-80e1-4239-95bb-83d0f6d0da78}"' 'supportedOS Id="{8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a}"'; do
    [[ $manifest == *"<$part/>"* ]] || fail "the manifest lacks <$part/>"
done
[[ $manifest != *dpiAware* ]] || fail "manifest declares DPI awareness"
# Windows refuses to start a program whose manifest is not well-formed XML.
report=$(xmllint --noout - <<<"$manifest" 2>&1) || fail "manifest is not well-formed: $report"

