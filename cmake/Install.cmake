# The toolkit as an installable CMake package, in the install component "quardeln":
#   cmake --install <build> --component quardeln --prefix <prefix>
# puts the public headers of runtime/, events/, system/, pixmap/, graphics/ and gui/ under include/
# with their folder layout (headless/ included), every quardeln_* library of those
# folders under lib/, and lib/cmake/Quardeln/ with the package configuration and the
# mingw-w64 toolchain file. A library quardeln_NAME is exported as Quardeln::NAME;
# Quardeln::platform (gui/CMakeLists.txt) brings the platform's drivers and image decoder.
# Libraries and headers added to those folders later are picked up without changes here.

include(GNUInstallDirs)
include(CMakePackageConfigHelpers)

set(QUARDELN_FOLDERS runtime events system pixmap graphics gui)
set(QUARDELN_CONFIG_DIR ${CMAKE_INSTALL_LIBDIR}/cmake/Quardeln)

# The toolkit libraries defined in `dir` and the folders below it.
function(quardeln_libraries_in dir result)
  set(found "")
  get_property(targets DIRECTORY ${dir} PROPERTY BUILDSYSTEM_TARGETS)
  foreach(target IN LISTS targets)
    get_target_property(type ${target} TYPE)
    if(target MATCHES "^quardeln_" AND type MATCHES "^(STATIC|INTERFACE)_LIBRARY$")
      list(APPEND found ${target})
    endif()
  endforeach()
  get_property(subdirs DIRECTORY ${dir} PROPERTY SUBDIRECTORIES)
  foreach(subdir IN LISTS subdirs)
    quardeln_libraries_in(${subdir} below)
    list(APPEND found ${below})
  endforeach()
  set(${result} ${found} PARENT_SCOPE)
endfunction()

# The headers use C++20; a program that includes them must compile as C++20 too.
target_compile_features(quardeln_runtime INTERFACE cxx_std_20)

set(QUARDELN_LIBRARIES "")
foreach(folder IN LISTS QUARDELN_FOLDERS)
  quardeln_libraries_in(${PROJECT_SOURCE_DIR}/${folder} libraries)
  list(APPEND QUARDELN_LIBRARIES ${libraries})
endforeach()
foreach(library IN LISTS QUARDELN_LIBRARIES)
  string(REGEX REPLACE "^quardeln_" "" name ${library})
  set_target_properties(${library} PROPERTIES EXPORT_NAME ${name})
endforeach()

install(TARGETS ${QUARDELN_LIBRARIES} EXPORT QuardelnTargets
  ARCHIVE DESTINATION ${CMAKE_INSTALL_LIBDIR} COMPONENT quardeln)

# The public headers only: the drivers' own headers (every win32/ and native/ folder)
# and the portable ones that only the libraries include stay out. The headless stand-ins
# are public: tests of programs build on them.
set(QUARDELN_PRIVATE_HEADERS
  api_detail.h text_area_span.h                 # gui/
  driver_logic.h thread_timer.h                 # system/
  byte_reader.h icon_file.h image_structure.h)  # pixmap/
list(TRANSFORM QUARDELN_FOLDERS PREPEND ${PROJECT_SOURCE_DIR}/ OUTPUT_VARIABLE QUARDELN_HEADER_DIRS)
set(exclusions PATTERN win32 EXCLUDE PATTERN native EXCLUDE)
foreach(header IN LISTS QUARDELN_PRIVATE_HEADERS)
  list(APPEND exclusions PATTERN ${header} EXCLUDE)
endforeach()
install(DIRECTORY ${QUARDELN_HEADER_DIRS} DESTINATION ${CMAKE_INSTALL_INCLUDEDIR}
  COMPONENT quardeln
  FILES_MATCHING PATTERN "*.h" ${exclusions})

# The cross toolchain the libraries were built with, for programs built against them.
install(FILES ${CMAKE_CURRENT_LIST_DIR}/mingw-w64-posix.cmake
  DESTINATION ${QUARDELN_CONFIG_DIR} COMPONENT quardeln)

install(EXPORT QuardelnTargets NAMESPACE Quardeln:: FILE QuardelnTargets.cmake
  DESTINATION ${QUARDELN_CONFIG_DIR} COMPONENT quardeln)

# The configuration finds again what the exported libraries link: threads everywhere,
# gdk-pixbuf for the native image decoder.
if(TARGET quardeln_pixmap_native)
  set(QUARDELN_USES_GDK_PIXBUF ON)
else()
  set(QUARDELN_USES_GDK_PIXBUF OFF)
endif()
configure_package_config_file(${CMAKE_CURRENT_LIST_DIR}/QuardelnConfig.cmake.in
  ${PROJECT_BINARY_DIR}/cmake/QuardelnConfig.cmake
  INSTALL_DESTINATION ${QUARDELN_CONFIG_DIR})
# Before 1.0 a minor version may break the interface.
write_basic_package_version_file(${PROJECT_BINARY_DIR}/cmake/QuardelnConfigVersion.cmake
  VERSION ${PROJECT_VERSION} COMPATIBILITY SameMinorVersion)
install(FILES ${PROJECT_BINARY_DIR}/cmake/QuardelnConfig.cmake
  ${PROJECT_BINARY_DIR}/cmake/QuardelnConfigVersion.cmake
  DESTINATION ${QUARDELN_CONFIG_DIR} COMPONENT quardeln)
