# Sourced by the scripts that cross-build a library from Debian's source package.
#   debian_source PACKAGE FOLDER    unpacks PACKAGE's sources into FOLDER once and prints the
#                                   unpacked tree's path
# A deb-src entry for Debian's own mirror is added when apt has none, so that `apt-get source`
# can fetch the package.

debian_source_has_deb_src() {
    grep -rqsE '^(deb-src|Types:.*deb-src)' /etc/apt/sources.list /etc/apt/sources.list.d/
}

debian_source_add_deb_src() {
    local sudo=""
    [ "$(id -u)" -eq 0 ] || sudo="sudo"
    echo "debian-source: adding a deb-src entry for Debian's mirror" >&2
    $sudo tee /etc/apt/sources.list.d/torvik-deb-src.sources >/dev/null <<'SOURCES'
Types: deb-src
URIs: http://deb.debian.org/debian
Suites: bookworm bookworm-updates
Components: main
Signed-By: /usr/share/keyrings/debian-archive-keyring.gpg
SOURCES
    $sudo apt-get -o DPkg::Lock::Timeout=600 update -qq
}

debian_source() {
    local package=$1 folder=$2
    if ! ls -d "$folder/$package"-*/ >/dev/null 2>&1; then
        debian_source_has_deb_src || debian_source_add_deb_src
        rm -rf "$folder"
        mkdir -p "$folder"
        (cd "$folder" && apt-get source -qq "$package" >/dev/null) || {
            echo "debian-source: apt-get source $package failed" >&2
            return 1
        }
    fi
    local tree
    tree=$(ls -d "$folder/$package"-*/ | head -1)
    echo "${tree%/}"
}
