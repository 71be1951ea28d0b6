# Checks the #include lines of every source file against the order of the
# layers: a file may include only headers of its own layer or of the layers
# below it. Include paths alone cannot stop an upward include (every library
# sees the whole src folder), so this runs as a test:
#   cmake -DRACINE=<source folder> -P VerifierCouches.cmake
# It prints every offending line and fails when there is one.

cmake_minimum_required(VERSION 3.25)

if(NOT RACINE)
  message(FATAL_ERROR "RACINE n'est pas défini.")
endif()

# What each folder may include, by the first component of the path.
set(permis_commun   commun)
set(permis_calcul   commun calcul)
set(permis_etude    commun calcul etude)
set(permis_stockage commun calcul etude stockage)
set(permis_modele   commun calcul etude stockage modele)
set(permis_rapports commun calcul etude rapports)
set(permis_ihm      commun ihm)
# The expert modules' calculations are pure; their windows add the shared
# window pieces.
set(permis_modules           commun calcul modules)
set(permis_modules_fenetres  commun ihm modules modules_fenetres)
set(permis_ecrans   commun etude modele rapports ihm modules_fenetres ecrans)
set(permis_outils   commun calcul etude stockage rapports)

# Folders whose code is pure C++: no Qt header at all.
set(sans_qt commun calcul etude modules)

# What the screens never do themselves (beyond not including the storage
# layer): read or write a file, run the calculation. They ask the study model.
set(motifs_ecrans "QFile[ (:<>]|QSaveFile|QDir[ :(]|QTemporaryFile|std::[io]?fstream|fopen\\(|CalculPiece\\(|CalculEtude\\(|[^A-Za-z_]Materiel\\(|PerteMaxEtude|ChoisirPasVZ|LongueurTube\\(|FluxIsolant\\(|ExpliquerEchec")

# The main window hosts the screens; a screen includes no other screen's
# header (it knows nothing of where the user goes next).
set(hotes_ecrans MDIPlancher MDIPlancherImpression)

set(fautes 0)
file(GLOB_RECURSE sources RELATIVE ${RACINE}
  ${RACINE}/src/*.h ${RACINE}/src/*.cpp ${RACINE}/outils/*.h ${RACINE}/outils/*.cpp)
foreach(source ${sources})
  string(REGEX MATCH "^(src|outils)/([^/]+)/" _ "${source}")
  set(racine_source ${CMAKE_MATCH_1})
  set(couche ${CMAKE_MATCH_2})
  if(racine_source STREQUAL "outils")
    set(couche outils)
  endif()
  if(NOT DEFINED permis_${couche})
    message(SEND_ERROR "${source} : dossier ${couche} absent de l'ordre des couches")
    math(EXPR fautes "${fautes} + 1")
    continue()
  endif()
  file(STRINGS ${RACINE}/${source} lignes REGEX "^[ \t]*#[ \t]*include")
  foreach(ligne ${lignes})
    if(ligne MATCHES "#[ \t]*include[ \t]*\"([^/\"]+)/[^\"]*\"")
      set(cible ${CMAKE_MATCH_1})
      if(NOT cible IN_LIST permis_${couche})
        message(SEND_ERROR "${source} (${couche}) inclut une couche supérieure : ${ligne}")
        math(EXPR fautes "${fautes} + 1")
      endif()
    endif()
    if(couche IN_LIST sans_qt AND ligne MATCHES "#[ \t]*include[ \t]*<Q")
      message(SEND_ERROR "${source} (${couche}, C++ pur) inclut Qt : ${ligne}")
      math(EXPR fautes "${fautes} + 1")
    endif()
  endforeach()
  get_filename_component(base ${source} NAME_WE)
  if(couche STREQUAL "ecrans" AND NOT base IN_LIST hotes_ecrans)
    foreach(ligne ${lignes})
      if(ligne MATCHES "#[ \t]*include[ \t]*\"ecrans/((Frm|MDIPlancher)[^\".]*)\\.h\"" AND NOT CMAKE_MATCH_1 STREQUAL base)
        message(SEND_ERROR "${source} : un écran n'inclut pas un autre écran : ${ligne}")
        math(EXPR fautes "${fautes} + 1")
      endif()
    endforeach()
  endif()
  if(couche STREQUAL "ecrans")
    file(STRINGS ${RACINE}/${source} appels REGEX "${motifs_ecrans}")
    foreach(appel ${appels})
      message(SEND_ERROR "${source} : un écran ne lit ni n'écrit de fichier et ne calcule pas : ${appel}")
      math(EXPR fautes "${fautes} + 1")
    endforeach()
  endif()
endforeach()

if(fautes GREATER 0)
  message(FATAL_ERROR "${fautes} inclusion(s) ou appel(s) contraire(s) à l'ordre des couches.")
endif()
message(STATUS "Couches respectées.")
