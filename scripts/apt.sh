#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Sourced by the scripts that install Debian packages.

SUDO=""
if [ "$(id -u)" -ne 0 ]; then SUDO="sudo"; fi

# Fetches the package lists. A mirror in mid-sync may serve an index of the wrong size; the
# fetch is tried again, and then, as apt-get does, the lists it could not fetch stay as they
# were: whether the packages can be installed is for the installation to tell.
apt_update() {
  local try
  for try in 1 2; do
    $SUDO apt-get -o DPkg::Lock::Timeout=600 update -qq && return 0
    [ "$try" -eq 1 ] && sleep 30
  done
  echo "apt-get update: some package lists could not be fetched; going on with the others" >&2
}

# Installs those of the named packages that are not installed yet; nothing when all are.
# Non-interactive: jackd2, for one, would ask whether to run with real-time priority.
apt_install_missing() {
  local missing=() p
  for p in "$@"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
  done
  [ ${#missing[@]} -eq 0 ] && return 0
  echo "installing: ${missing[*]}"
  apt_update
  DEBIAN_FRONTEND=noninteractive $SUDO apt-get -o DPkg::Lock::Timeout=600 install -y -qq \
    --no-install-recommends "${missing[@]}"
}
