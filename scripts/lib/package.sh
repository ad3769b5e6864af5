# Shared by scripts/package and scripts/test: the files a release holds and the installer package.
# Needs common.sh and the build.

# Puts into the folder what every release holds: the program without its symbols and the user
# guide as text with Windows line ends.
stage_program() {
    mkdir -p "$1" &&
        x86_64-w64-mingw32-strip -o "$1/Zonewright.exe" "$BUILD/win/Zonewright.exe" &&
        sed 's/\r*$/\r/' "$ROOT/docs/user-guide.md" >"$1/user-guide.txt"
}

# Builds the Windows Installer package of this version, FOLDER/Zonewright-VERSION.msi, from
# packaging/zonewright.wxs with wixl, and prints its path. The version is a parameter so that
# the test can build a newer one to upgrade to.
make_msi() {
    local version="$1" folder="$2"
    local stage="$folder/msi-$version" msi="$folder/Zonewright-$version.msi"
    rm -rf "$stage" "$msi"
    stage_program "$stage" || return 1
    cp "$ROOT/src/ui/res/zonewright.ico" "$stage/" || return 1
    # What the entry among installed programs states as the size, in KB rounded up.
    local bytes
    bytes=$(cat "$stage/Zonewright.exe" "$stage/user-guide.txt" | wc -c)
    # wixl looks for the files named in the source in the folder it runs in.
    (cd "$stage" && wixl -a x64 -D Version="$version" -D SizeKB=$(((bytes + 1023) / 1024)) -o "$msi" \
        "$ROOT/packaging/zonewright.wxs") || return 1
    rm -rf "$stage"
    echo "$msi"
}
