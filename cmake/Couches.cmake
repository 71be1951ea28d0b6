# sorvel_entetes(cible dossier): the library `cible` exposes the headers of
# src/<dossier>, and only those. The folder is seen through a folder of the
# build that holds nothing else, so that #include "etude/Etude.h" resolves
# for the targets that link sorvel_etude and for no other: a layer that
# does not link a library cannot include it. What a library's own headers
# need is linked PUBLIC; everything else PRIVATE.
function(sorvel_entetes cible dossier)
  set(racine ${CMAKE_BINARY_DIR}/entetes/${dossier})
  if(NOT IS_SYMLINK ${racine}/${dossier})
    file(MAKE_DIRECTORY ${racine})
    file(CREATE_LINK ${PROJECT_SOURCE_DIR}/src/${dossier} ${racine}/${dossier} SYMBOLIC)
  endif()
  target_include_directories(${cible} PUBLIC ${racine})
endfunction()
