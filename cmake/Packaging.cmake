# The release package: a ZIP holding tempra.exe and the read-me, nothing else. The
# program is linked statically, so no DLL travels with it; installing checks that the
# executable imports only system libraries and fails otherwise. These install rules form
# the component "tempra", the only one the ZIP takes (the toolkit's are "quardeln").
#   cmake --build --preset win64 --target package     -> build/win64/Tempra-<version>-win64.zip
if(NOT (TARGET tempra AND WIN32))
  return()
endif()

install(TARGETS tempra RUNTIME DESTINATION . COMPONENT tempra)

# Windows editors want CR LF line ends in the read-me.
configure_file(${PROJECT_SOURCE_DIR}/packaging/LEGGIMI.txt
  ${PROJECT_BINARY_DIR}/packaging/LEGGIMI.txt @ONLY NEWLINE_STYLE CRLF)
install(FILES ${PROJECT_BINARY_DIR}/packaging/LEGGIMI.txt DESTINATION . COMPONENT tempra)

# The runtime libraries of the cross compiler must be linked in, not shipped.
if(CMAKE_OBJDUMP)
  install(CODE "
    set(exe \"\${CMAKE_INSTALL_PREFIX}/tempra.exe\")
    execute_process(COMMAND \"${CMAKE_OBJDUMP}\" -p \"\${exe}\"
      OUTPUT_VARIABLE imports RESULT_VARIABLE failed)
    if(failed)
      message(FATAL_ERROR \"cannot read the imports of \${exe}\")
    endif()
    string(REGEX MATCHALL \"DLL Name: [^\\n]+\" dlls \"\${imports}\")
    foreach(dll IN LISTS dlls)
      string(TOLOWER \"\${dll}\" dll)
      if(dll MATCHES \"libstdc|libgcc|libwinpthread|libgomp|libssp\")
        message(FATAL_ERROR \"tempra.exe needs a DLL it would not find: \${dll}\")
      endif()
    endforeach()
  " COMPONENT tempra)
endif()

set(CPACK_GENERATOR ZIP)
# build folder; project; the one component to install; where in the package.
set(CPACK_INSTALL_CMAKE_PROJECTS "${PROJECT_BINARY_DIR};${PROJECT_NAME};tempra;/")
set(CPACK_PACKAGE_NAME Tempra)
set(CPACK_PACKAGE_VENDOR Vornelt)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Tempra, promemoria digitale per Windows")
set(CPACK_PACKAGE_FILE_NAME Tempra-${PROJECT_VERSION}-win64)
set(CPACK_INCLUDE_TOPLEVEL_DIRECTORY ON)
set(CPACK_STRIP_FILES ON)
include(CPack)
