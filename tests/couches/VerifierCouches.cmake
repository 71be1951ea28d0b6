# The layers, checked on the #include lines of every source file: a folder
# may include the project headers of the folders on its list, and nothing
# else. The build already keeps a library from including what it does not
# link (each library exposes its own folder only); this check also holds
# what linking cannot: a layer that sees a lower library through another
# one, the pure folders that take no Qt, and the views that touch no file.
#   cmake -DRACINE=<source folder> -P VerifierCouches.cmake
# It prints every offending line and fails when there is one.

cmake_minimum_required(VERSION 3.25)

if(NOT RACINE)
  message(FATAL_ERROR "RACINE n'est pas défini.")
endif()

# What each folder may include, by the first component of the path; lowest
# layers first.
set(permis_commun           commun)
set(permis_calcul           commun calcul)
set(permis_etude            commun calcul etude)
set(permis_modules          commun calcul modules)
set(permis_enregistrements  commun calcul etude enregistrements)
set(permis_stockage         commun calcul etude enregistrements stockage)
set(permis_modele           commun calcul etude stockage modele)
set(permis_rapports         commun calcul etude rapports)
set(permis_ihm              commun ihm)
set(permis_modules_fenetres commun ihm modules modules_fenetres)
set(permis_ecrans           commun ihm modele rapports modules_fenetres ecrans)
set(permis_outils           commun etude stockage rapports)
set(permis_app              commun stockage modele ihm ecrans)

# Folders whose code is pure C++: no Qt header at all.
set(sans_qt commun calcul etude enregistrements modules)

# The views draw and ask the model: they neither read nor write a file, nor
# decide where files lie.
set(vues ecrans rapports modules_fenetres)
set(entetes_fichiers QFile QFileInfo QDir QDirIterator QSaveFile QTemporaryFile QTemporaryDir QStandardPaths
    QLockFile fstream cstdio filesystem)

# The main window and the windows it hosts are the screens' hosts; a screen
# includes no other screen's header (it knows nothing of where the user goes
# next).
set(hotes_ecrans MDIPlancher MenusPlancher ImpressionEtude ZoneEcrans)

set(fautes 0)
macro(faute texte)
  message(SEND_ERROR "${texte}")
  math(EXPR fautes "${fautes} + 1")
endmacro()

file(GLOB_RECURSE sources RELATIVE ${RACINE}
  ${RACINE}/src/*.h ${RACINE}/src/*.cpp ${RACINE}/outils/*.h ${RACINE}/outils/*.cpp
  ${RACINE}/app/*.h ${RACINE}/app/*.cpp)
foreach(source ${sources})
  string(REGEX MATCH "^(src|outils|app)/([^/]+)" _ "${source}")
  set(couche ${CMAKE_MATCH_2})
  if(CMAKE_MATCH_1 STREQUAL "outils")
    set(couche outils)
  elseif(CMAKE_MATCH_1 STREQUAL "app")
    set(couche app)
  endif()
  if(NOT DEFINED permis_${couche})
    faute("${source} : dossier ${couche} absent de l'ordre des couches")
    continue()
  endif()
  get_filename_component(base ${source} NAME_WE)
  file(STRINGS ${RACINE}/${source} lignes REGEX "^[ \t]*#[ \t]*include")
  foreach(ligne ${lignes})
    if(ligne MATCHES "#[ \t]*include[ \t]*\"([^/\"]+)/([^\".]*)[^\"]*\"")
      set(cible ${CMAKE_MATCH_1})
      set(entete ${CMAKE_MATCH_2})
      if(NOT cible IN_LIST permis_${couche})
        faute("${source} (${couche}) inclut une couche qui ne lui est pas permise : ${ligne}")
      endif()
      if(couche STREQUAL "ecrans" AND cible STREQUAL "ecrans" AND NOT base IN_LIST hotes_ecrans
         AND entete MATCHES "^(Frm|MDIPlancher)" AND NOT entete STREQUAL base)
        faute("${source} : un écran n'inclut pas un autre écran : ${ligne}")
      endif()
    elseif(ligne MATCHES "#[ \t]*include[ \t]*<([^>./]+)")
      set(systeme ${CMAKE_MATCH_1})
      if(couche IN_LIST sans_qt AND systeme MATCHES "^Q")
        faute("${source} (${couche}, C++ pur) inclut Qt : ${ligne}")
      endif()
      if(couche IN_LIST vues AND systeme IN_LIST entetes_fichiers)
        faute("${source} (${couche}) : une vue ne lit ni n'écrit de fichier : ${ligne}")
      endif()
    endif()
  endforeach()
endforeach()

if(fautes GREATER 0)
  message(FATAL_ERROR "${fautes} inclusion(s) contraire(s) à l'ordre des couches.")
endif()
message(STATUS "Couches respectées.")
