#!/usr/bin/env bash
# Installs Sorvel into a temporary DESTDIR as a package would, then checks
# the installed tree: its layout, that the installed sorvel-calcul runs on
# the example study and writes its reports with the module beside it, that
# the installed sorvel finds its pictures and help in lib/sorvel (and
# reports them missing there). Then builds the Debian
# package and checks its name, its dependencies and that it holds the same
# tree. Exits 77 (skipped) when dpkg-deb is missing.
#
#   verifier-installation.sh CONSTRUCTION SOURCES VERSION
set -euo pipefail
construction=$1
sources=$2
version=$3

if ! command -v dpkg-deb >/dev/null; then
  echo "dpkg-deb est absent (paquet dpkg) : test de l'installation ignoré."
  exit 77
fi

fautes=0
faute() { echo "ÉCHEC : $*"; fautes=$((fautes + 1)); }

temporaire=$(mktemp -d)
trap 'rm -rf "$temporaire"' EXIT
racine="$temporaire/racine"
DESTDIR="$racine" cmake --install "$construction" --prefix /usr >/dev/null
usr="$racine/usr"

# ---- Layout -----------------------------------------------------------------
id=fr.sorvel.Sorvel
attendus=(
  bin/sorvel bin/sorvel-calcul
  lib/sorvel/sorvel lib/sorvel/sorvel-calcul lib/sorvel/sorvel-calcul-pdf.so
  lib/sorvel/Fd1.fpl lib/sorvel/Fd2.fpl
  lib/sorvel/Ch_No.Fpl lib/sorvel/Ch_El.fpl lib/sorvel/Ch_Cd.fpl lib/sorvel/Ch_Ca.fpl
  lib/sorvel/Main.cur lib/sorvel/Plus.cur lib/sorvel/Moins.cur
  lib/sorvel/Sorvel.chm lib/sorvel/TemperaturesBase.txt
  share/applications/$id.desktop
  share/metainfo/$id.metainfo.xml
  share/mime/packages/$id.xml
  share/icons/hicolor/scalable/apps/$id.svg
)
tailles=(16 22 24 32 48 64 128 256)
for t in "${tailles[@]}"; do
  attendus+=("share/icons/hicolor/${t}x${t}/apps/$id.png")
done
# Exactly these files: no test program, static library or header is
# installed; the one shared object is the module sorvel-calcul loads.
diff <(printf '%s\n' "${attendus[@]}" | sort) <(cd "$usr" && find . \( -type f -o -type l \) | sed 's|^\./||' | sort) \
  || faute "l'arborescence installée diffère de celle attendue (< attendu, > installé)"

for programme in sorvel sorvel-calcul; do
  lien="$usr/bin/$programme"
  [ -L "$lien" ] || faute "bin/$programme n'est pas un lien vers lib/sorvel"
  [ "$(readlink "$lien")" = "../lib/sorvel/$programme" ] || faute "bin/$programme mène à $(readlink "$lien")"
  [ -x "$usr/lib/sorvel/$programme" ] || faute "lib/sorvel/$programme n'est pas exécutable"
done

# Each PNG icon is as large as the folder it lies in says (width and height
# are the big-endian words at bytes 16 and 20 of the PNG header).
for t in "${tailles[@]}"; do
  png="$usr/share/icons/hicolor/${t}x${t}/apps/$id.png"
  dimensions=$(od -An -tu1 -j16 -N8 "$png" | awk '{print $1*16777216+$2*65536+$3*256+$4 "x" $5*16777216+$6*65536+$7*256+$8}')
  [ "$dimensions" = "${t}x${t}" ] || faute "icône ${t}x${t} : image de $dimensions"
done

# ---- The installed programs -------------------------------------------------
# sorvel-calcul, through its launcher, on the 12-room example study.
if csv=$("$usr/bin/sorvel-calcul" "$sources/tests/donnees" "Maison 12 pièces"); then
  lignes=$(printf '%s\n' "$csv" | sed '/^$/q' | grep -c .)
  # One line of headings, then one per room.
  [ "$lignes" -eq 13 ] || faute "sorvel-calcul installé : $lignes lignes de tableau au lieu de 13"
else
  faute "sorvel-calcul installé : code de sortie $?"
fi

# The reports, drawn by the module the program finds beside itself in
# lib/sorvel, as a PDF of the right page count; without the module, the
# report is refused and no file is left.
for rapport in chantier recapitulatif; do
  pdf="$temporaire/$rapport.pdf"
  if env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM \
       "$usr/bin/sorvel-calcul" --pdf "$rapport" "$pdf" "$sources/tests/donnees" "Maison 12 pièces"; then
    texte=$(pdftotext "$pdf" - 2>/dev/null) || true
    grep -qF "Sorvel. [Maison 12 pièces]" <<<"$texte" || faute "sorvel-calcul --pdf $rapport installé : rapport illisible"
  else
    faute "sorvel-calcul --pdf $rapport installé : code de sortie $?"
  fi
done
mv "$usr/lib/sorvel/sorvel-calcul-pdf.so" "$temporaire/module.so"
statut=0
"$usr/bin/sorvel-calcul" --pdf chantier "$temporaire/sans-module.pdf" "$sources/tests/donnees" "Maison 12 pièces" \
  2>/dev/null || statut=$?
[ "$statut" -eq 4 ] && [ ! -e "$temporaire/sans-module.pdf" ] \
  || faute "sorvel-calcul --pdf sans son module : code de sortie $statut"
mv "$temporaire/module.so" "$usr/lib/sorvel/sorvel-calcul-pdf.so"

# sorvel, through its launcher: its folder is lib/sorvel, whose pictures,
# cursors and help are found and read.
verifier() { QT_QPA_PLATFORM=offscreen "$1/bin/sorvel" --verifier-installation 2>&1; }
if sortie=$(verifier "$usr"); then
  grep -qxF "Dossier du programme : $usr/lib/sorvel" <<<"$sortie" \
    || faute "sorvel installé ne se situe pas dans lib/sorvel : $sortie"
else
  faute "sorvel --verifier-installation : $sortie"
fi
# The help file taken away from lib/sorvel is missed, whatever lies in the
# build folder: the installed program reads its own folder.
mv "$usr/lib/sorvel/Sorvel.chm" "$temporaire/Sorvel.chm"
if sortie=$(verifier "$usr"); then
  faute "l'aide retirée de lib/sorvel n'est pas signalée"
else
  grep -qF "Fichier « Sorvel.chm » : absent." <<<"$sortie" || faute "aide retirée : $sortie"
fi
mv "$temporaire/Sorvel.chm" "$usr/lib/sorvel/Sorvel.chm"

# SORVEL_ETUDES reaches the installed program.
sortie=$(SORVEL_ETUDES="$temporaire/partage" verifier "$usr") || true
grep -qxF "Dossier des études : $temporaire/partage" <<<"$sortie" || faute "SORVEL_ETUDES ignoré : $sortie"

for option in --help --version; do
  env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$usr/bin/sorvel" "$option" >/dev/null \
    || faute "sorvel $option sans écran : code de sortie $?"
done
[ "$("$usr/bin/sorvel" --version)" = "Sorvel $version" ] || faute "sorvel --version : $("$usr/bin/sorvel" --version)"

# ---- The Debian package -----------------------------------------------------
paquets="$temporaire/paquets"
if ! cpack --config "$construction/CPackConfig.cmake" -B "$paquets" >"$temporaire/cpack.log" 2>&1; then
  cat "$temporaire/cpack.log"
  faute "cpack a échoué"
else
  architecture=$(dpkg --print-architecture)
  deb="$paquets/sorvel_${version}_${architecture}.deb"
  if [ ! -f "$deb" ]; then
    faute "paquet absent : $(ls "$paquets")"
  else
    [ "$(dpkg-deb -f "$deb" Package)" = sorvel ] || faute "nom du paquet : $(dpkg-deb -f "$deb" Package)"
    [ "$(dpkg-deb -f "$deb" Version)" = "$version" ] || faute "version du paquet : $(dpkg-deb -f "$deb" Version)"
    dependances=$(dpkg-deb -f "$deb" Depends)
    # Each package in Depends, without its version.
    paquetsDependances=$(sed 's/([^)]*)//g; s/,/\n/g' <<<"$dependances" | tr -d ' ')
    # Every shared library the installed programs and the module need
    # (NEEDED) comes from a package the dependencies name, and the reports'
    # fonts are there.
    for programme in sorvel sorvel-calcul sorvel-calcul-pdf.so; do
      for bibliotheque in $(readelf -d "$usr/lib/sorvel/$programme" | sed -n 's/.*(NEEDED).*\[\(.*\)\]/\1/p'); do
        # The packages that hold the library on this machine ("paquet:arch: chemin").
        fournisseurs=$( (dpkg -S "*/$bibliotheque" 2>/dev/null || true) | cut -d: -f1 | tr ',' '\n' | tr -d ' ' | sort -u)
        grep -qxF -f <(printf '%s\n' "$fournisseurs") <<<"$paquetsDependances" \
          || faute "$programme a besoin de $bibliotheque ($fournisseurs), absent des dépendances : $dependances"
      done
    done
    grep -qxF fonts-liberation2 <<<"$paquetsDependances" || faute "dépendance fonts-liberation2 absente : $dependances"
    # The same tree as the DESTDIR installation, under /usr.
    diff <(cd "$racine" && find . \( -type f -o -type l \) | sed 's|^\.||' | sort) \
         <(dpkg-deb -c "$deb" | awk '{print $6}' | sed 's|^\.||' | grep -v '/$' | sort) \
      || faute "le paquet ne contient pas l'arborescence installée (< installé, > paquet)"
    # Unpacked, the package's sorvel finds its files too.
    dpkg-deb -x "$deb" "$temporaire/extrait"
    verifier "$temporaire/extrait/usr" >/dev/null || faute "sorvel du paquet : fichiers introuvables"
    echo "Paquet $(basename "$deb") : $(du -k "$deb" | cut -f1) Kio ; Depends: $dependances"
  fi
fi

if [ "$fautes" -gt 0 ]; then
  echo "$fautes échec(s)."
  exit 1
fi
echo "Installation et paquet conformes."
