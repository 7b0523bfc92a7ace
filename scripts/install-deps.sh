#!/usr/bin/env bash
# Installs the Debian packages the build, the tests and the demo need.
# Idempotent: asks apt only for what is missing.
set -euo pipefail

packages=(
  build-essential cmake pkg-config git clang-format
  qtbase5-dev libqt5svg5-dev qttools5-dev qttools5-dev-tools qtwebengine5-dev qttranslations5-l10n
  libjsoncpp-dev libcurl4-openssl-dev libcpp-httplib-dev libarchive-dev libssl-dev
  libarchive-tools curl zip unzip nginx-light xvfb xauth fonts-noto-cjk
  openssl ca-certificates
  librsvg2-bin desktop-file-utils libx11-dev
  dpkg-dev lintian appstream
  aria2
)

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$p")
  fi
done

if [ ${#missing[@]} -eq 0 ]; then
  exit 0
fi

if [ "$(id -u)" -ne 0 ]; then
  echo "missing packages: ${missing[*]}; run this script as root" >&2
  exit 1
fi

echo "installing: ${missing[*]}"
export DEBIAN_FRONTEND=noninteractive
apt-get update -qq
apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
