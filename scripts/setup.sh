# Shared by the set-up scripts: installs the Debian packages a fresh machine
# lacks. Sourced, not run.

as_root() {
    if [ "$(id -u)" -eq 0 ]; then
        "$@"
    elif command -v sudo >/dev/null 2>&1; then
        sudo "$@"
    else
        echo "error: '$*' needs root; run this script as root or install sudo" >&2
        return 1
    fi
}

# ensure_packages PACKAGE...: installs those that are not installed yet.
ensure_packages() {
    local missing=()
    local package
    for package in "$@"; do
        if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed'; then
            missing+=("$package")
        fi
    done
    if [ "${#missing[@]}" -gt 0 ]; then
        echo "Installing: ${missing[*]}"
        as_root apt-get update -qq
        as_root env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "${missing[@]}"
    fi
}

# The packages every build needs.
BUILD_PACKAGES=(cmake ninja-build g++ pkg-config qt6-base-dev qt6-svg-dev libgl-dev googletest libgtest-dev libgmock-dev
    libbenchmark-dev fonts-ipafont-gothic fontconfig locales
    # trendola-render's monitoring service
    libcpp-httplib-dev
    # the printing test reads its PDF page back with pdftoppm
    poppler-utils
    # the version window opens its address with xdg-open
    xdg-utils
    # the toolkit's own texts (message box buttons, choosers) in Japanese
    qt6-translations-l10n
    # regular expressions that pick a value out of a line
    libpcre2-dev)

# Only the tests need them: promtool checks the service's metrics, and a
# real Prometheus scrapes them.
TEST_PACKAGES=(prometheus)

# Making and checking the Debian package: dpkg-shlibdeps computes its
# dependencies; the entry and the manual pages are checked.
PACKAGE_PACKAGES=(dpkg-dev desktop-file-utils groff-base groff file)

# The fuzzers' compiler with libFuzzer's runtime (which the clang package
# alone does not bring), and the core's regular expressions; only
# scripts/fuzz.sh needs them.
FUZZ_PACKAGES=(cmake ninja-build clang-14 libclang-rt-14-dev pkg-config libpcre2-dev)

# A comma-decimal locale, so the tests can show that numbers ignore it.
ensure_comma_locale() {
    if ! locale -a 2>/dev/null | grep -qi '^de_DE\.utf-\?8$'; then
        as_root localedef -i de_DE -f UTF-8 de_DE.UTF-8 >/dev/null 2>&1 || true
    fi
}
