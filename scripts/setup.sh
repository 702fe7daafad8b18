# Installs, with apt-get, whatever the build needs and this machine lacks. Sourced by the other scripts.
vornic_install_missing() {
    local wanted=(cmake g++ make pkg-config libhidapi-dev libhidapi-hidraw0 libgtest-dev "$@")
    local missing=()
    for package in "${wanted[@]}"; do
        dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed" || missing+=("$package")
    done
    [ ${#missing[@]} -eq 0 ] && return 0
    echo "Installing: ${missing[*]}"
    local sudo=""
    [ "$(id -u)" -eq 0 ] || sudo="sudo"
    $sudo apt-get update -qq
    $sudo env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq "${missing[@]}" >/dev/null
}
