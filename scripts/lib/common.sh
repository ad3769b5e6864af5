# Shared by the developer commands: package installation, the Wine prefix and a private X display.

ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)"
BUILD="$ROOT/build"
PACKAGES=(cmake g++ make googletest libgtest-dev g++-mingw-w64-x86-64 wine wine64 fonts-wine xvfb imagemagick x11-utils zip unzip wixl
    clang libclang-rt-14-dev)

# Installs the Debian packages that are missing (as root, with apt-get).
ensure_packages() {
    local missing=()
    for p in "${PACKAGES[@]}"; do
        dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
    done
    [ ${#missing[@]} -eq 0 ] && return 0
    echo "Installing: ${missing[*]}" >&2
    local sudo=""
    [ "$(id -u)" -ne 0 ] && sudo="sudo"
    $sudo apt-get update -qq >&2
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}" >&2
}

export WINEPREFIX="$BUILD/wineprefix"
export WINEDEBUG=-all
# Without Wine's menu builder, a shortcut or a file type that a program makes in a prefix stays
# there and reaches no menu of the Linux desktop.
export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"

# Creates the Wine prefix on first use; later runs reuse it. The private Xvfb has no window
# manager, and Wine would wait two seconds for one at every window it hides or destroys: so
# in this prefix Wine manages its windows itself (and draws their captions).
ensure_wine_prefix() {
    if [ ! -f "$WINEPREFIX/system.reg" ]; then
        echo "Creating the Wine prefix (once)..." >&2
        mkdir -p "$WINEPREFIX"
        wineboot -i >/dev/null 2>&1
        if [ "${1:-}" != "desktop" ]; then
            wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /t REG_SZ /d N /f >/dev/null 2>&1
        fi
        wineserver -w
    fi
    # Debian's Wine does not find its own fonts (MS Sans Serif, Tahoma) in its data folder;
    # in the prefix's Fonts folder it does.
    local fonts="$WINEPREFIX/drive_c/windows/Fonts"
    if [ -d /usr/share/wine/fonts ] && [ ! -f "$fonts/sserife.fon" ]; then
        cp /usr/share/wine/fonts/* "$fonts/"
    fi
}

XVFB_PID=""
# Starts a private Xvfb on a free display number and exports DISPLAY. The screen is large enough
# for the main window laid out at 144 DPI. Its work area leaves a task bar's strip at the bottom,
# as a desktop does, so that centring on the work area differs from centring on the screen; the
# server keeps it (-noreset) when its last client leaves.
start_xvfb() {
    local n
    for n in $(seq 90 140); do
        [ -e "/tmp/.X11-unix/X$n" ] || [ -e "/tmp/.X$n-lock" ] && continue
        Xvfb ":$n" -screen 0 1280x1024x24 -nolisten tcp -noreset >/dev/null 2>&1 &
        XVFB_PID=$!
        for _ in $(seq 1 50); do
            [ -e "/tmp/.X11-unix/X$n" ] && break
            sleep 0.1
        done
        if kill -0 "$XVFB_PID" 2>/dev/null; then
            export DISPLAY=":$n"
            xprop -root -format _NET_WORKAREA 32c -set _NET_WORKAREA 0,0,1280,984
            return 0
        fi
    done
    echo "Could not start Xvfb" >&2
    return 1
}

# Ends this prefix's Wine processes and the Xvfb this script started, nothing else.
stop_wine_and_xvfb() {
    wineserver -k >/dev/null 2>&1 || true
    if [ -n "$XVFB_PID" ]; then
        kill "$XVFB_PID" 2>/dev/null || true
        wait "$XVFB_PID" 2>/dev/null || true
        XVFB_PID=""
    fi
}
