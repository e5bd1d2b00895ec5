#!/usr/bin/env bash
# Installs what K7 Studio needs to build on Debian 12, when it is missing.
# Safe to run again: packages already present are left alone.
set -euo pipefail

packages=(g++ make cmake qt6-base-dev libgl-dev libgtest-dev libgmock-dev
          libbenchmark-dev libcli11-dev
          qt6-speech-dev qt6-declarative-dev # Qt TextToSpeech for "Speak"; its header needs the QML one
          clang libclang-rt-14-dev)           # the sanitizer build and the fuzz targets

missing=()
for package in "${packages[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed"; then
        missing+=("$package")
    fi
done

if [ ${#missing[@]} -gt 0 ]; then
    echo "Installing: ${missing[*]}"
    sudo=""
    [ "$(id -u)" -ne 0 ] && sudo="sudo"
    $sudo apt-get update -q
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -q "${missing[@]}"
fi
