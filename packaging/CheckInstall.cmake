# Installs the build into a scratch folder and checks that every file a
# desktop and a user need is there.
file(REMOVE_RECURSE ${OUT})
execute_process(COMMAND ${CMAKE_COMMAND} --install ${BUILD_DIR} --prefix ${OUT} RESULT_VARIABLE rc OUTPUT_QUIET)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "cmake --install failed: ${rc}")
endif()
foreach(f bin/bramble bin/bramble-cli
          share/applications/org.bramble.Bramble.desktop
          share/metainfo/org.bramble.Bramble.metainfo.xml
          share/icons/hicolor/scalable/apps/bramble.svg
          share/icons/hicolor/48x48/apps/bramble.png
          share/icons/hicolor/256x256/apps/bramble.png
          share/bramble/examples/cg3-two-blocks.dat
          share/bramble/examples/aliod-loop.csv
          share/doc/bramble/user-guide.md
          share/doc/bramble/images/main-window.png
          share/doc/bramble/copyright
          share/doc/bramble/changelog.gz
          share/man/man1/bramble.1.gz
          share/man/man1/bramble-cli.1.gz)
  if(NOT EXISTS ${OUT}/${f})
    message(FATAL_ERROR "missing from the install tree: ${f}")
  endif()
endforeach()
