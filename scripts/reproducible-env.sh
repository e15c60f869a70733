# Sourced by the scripts that make downloads (make-deb.sh, build-windows.sh,
# release.sh) once $root is set, so that a commit gives the same bytes
# wherever and whenever it is built.

# The time every archive entry carries: the caller's SOURCE_DATE_EPOCH, else
# the last commit's time, else (a source tarball has no history) the date of
# the changelog's latest entry.
if [[ -z ${SOURCE_DATE_EPOCH:-} ]]; then
    if [[ $(git -C "$root" rev-parse --show-toplevel 2>/dev/null) == "$(cd "$root" && pwd -P)" ]]; then
        SOURCE_DATE_EPOCH=$(git -C "$root" log -1 --format=%ct)
    else
        SOURCE_DATE_EPOCH=$(date -d "$(sed -n 's/^ -- .*>  //p' "$root/packaging/changelog" | head -n 1)" +%s)
    fi
fi
export SOURCE_DATE_EPOCH
# File modes that do not follow the caller's umask (as dpkg-buildpackage
# does), one sort order and one language for the tools, and UTC for the
# archives that store local time (zip).
umask 022
export LC_ALL=C.UTF-8 TZ=UTC
unset LANGUAGE
