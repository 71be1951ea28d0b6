# sorvel_installer_programme(cible): installs the executable `cible` in the
# program's folder (lib/sorvel) and its launcher in bin: a relative symbolic
# link, so that the installed tree works wherever it is put (DESTDIR, a
# package's staging folder). The program finds its pictures and help from
# its own path, which the link leads to.
function(sorvel_installer_programme cible)
  install(TARGETS ${cible} RUNTIME DESTINATION ${SORVEL_DESTINATION_PROGRAMME})
  set(lanceur ${CMAKE_BINARY_DIR}/lanceurs/${cible})
  file(MAKE_DIRECTORY ${CMAKE_BINARY_DIR}/lanceurs)
  file(RELATIVE_PATH cible_relative /${CMAKE_INSTALL_BINDIR} /${SORVEL_DESTINATION_PROGRAMME}/${cible})
  file(CREATE_LINK ${cible_relative} ${lanceur} SYMBOLIC)
  install(FILES ${lanceur} DESTINATION ${CMAKE_INSTALL_BINDIR})
endfunction()

# sorvel_installer_module(cible): installs the module `cible`, which a
# program loads at run time from its own folder, beside the programs.
function(sorvel_installer_module cible)
  install(TARGETS ${cible} LIBRARY DESTINATION ${SORVEL_DESTINATION_PROGRAMME})
endfunction()
