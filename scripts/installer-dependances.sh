#!/usr/bin/env bash
# Installs, from Debian's packages, whatever the build, the program and the
# tests need and the machine does not have yet. Run as root (or through sudo).
set -euo pipefail

paquets=(
  cmake g++ ninja-build pkg-config
  qt6-base-dev qt6-base-dev-tools qt6-svg-dev qt6-charts-dev qt6-translations-l10n
  libgtest-dev libgmock-dev libbenchmark-dev
  fp-utils libchm-dev
  fonts-liberation2 poppler-utils
  locales xvfb xauth
  # the screenshots under a window manager
  openbox x11-utils
  # the Debian package (dpkg-shlibdeps) and the checks of the desktop files
  dpkg-dev appstream desktop-file-utils
)

manquants=()
for p in "${paquets[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || manquants+=("$p")
done

sudo_si_besoin=()
if [ "$(id -u)" -ne 0 ]; then sudo_si_besoin=(sudo); fi

if [ ${#manquants[@]} -gt 0 ]; then
  echo "Installation de : ${manquants[*]}"
  "${sudo_si_besoin[@]}" apt-get update -qq
  DEBIAN_FRONTEND=noninteractive "${sudo_si_besoin[@]}" apt-get install -y -qq "${manquants[@]}"
fi

# The number tests run under a French system locale.
if ! locale -a 2>/dev/null | grep -qi '^fr_FR\.utf-\?8$'; then
  "${sudo_si_besoin[@]}" sed -i 's/^# *fr_FR.UTF-8 UTF-8/fr_FR.UTF-8 UTF-8/' /etc/locale.gen
  grep -q '^fr_FR.UTF-8 UTF-8' /etc/locale.gen || echo 'fr_FR.UTF-8 UTF-8' | "${sudo_si_besoin[@]}" tee -a /etc/locale.gen >/dev/null
  "${sudo_si_besoin[@]}" locale-gen >/dev/null
fi
