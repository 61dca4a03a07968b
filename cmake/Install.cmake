# The toolkit as an installable CMake package, in the install component "quardeln":
#   cmake --install <build> --component quardeln --prefix <prefix>
# puts the headers of runtime/, events/, system/, pixmap/ and gui/ under include/ with
# their folder layout (the platform's win32/ or native/ subfolders and headless/), every
# quardeln_* library of those folders under lib/, and lib/cmake/Quardeln/ with the
# package configuration. A library quardeln_NAME is exported as Quardeln::NAME;
# Quardeln::platform brings the platform's system and GUI drivers and image decoder.
# Libraries and headers added to those folders later are picked up without changes here.

include(GNUInstallDirs)
include(CMakePackageConfigHelpers)

set(QUARDELN_FOLDERS runtime events system pixmap gui)
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

# Everything a program needs for its platform, as tempra_app picks it: the system driver
# and timers, the image decoder and the GUI driver.
add_library(quardeln_platform INTERFACE)
target_link_libraries(quardeln_platform INTERFACE quardeln_system_platform quardeln_pixmap_platform)
if(TARGET quardeln_gui_platform)
  target_link_libraries(quardeln_platform INTERFACE quardeln_gui_platform)
elseif(TEMPRA_PLATFORM STREQUAL "win32" AND TARGET quardeln_gui_win32_platform)
  target_link_libraries(quardeln_platform INTERFACE quardeln_gui_win32_platform)
else()
  target_link_libraries(quardeln_platform INTERFACE quardeln_gui_headless_platform)
endif()

# The headers use C++20; a program that includes them must compile as C++20 too.
target_compile_features(quardeln_runtime INTERFACE cxx_std_20)

set(QUARDELN_LIBRARIES quardeln_platform)
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

# Only the headers of the folders whose libraries this platform builds: the headless
# stand-ins everywhere, win32/ on Windows, native/ elsewhere.
if(WIN32)
  set(QUARDELN_OTHER_PLATFORM native)
else()
  set(QUARDELN_OTHER_PLATFORM win32)
endif()
list(TRANSFORM QUARDELN_FOLDERS PREPEND ${PROJECT_SOURCE_DIR}/ OUTPUT_VARIABLE QUARDELN_HEADER_DIRS)
install(DIRECTORY ${QUARDELN_HEADER_DIRS} DESTINATION ${CMAKE_INSTALL_INCLUDEDIR}
  COMPONENT quardeln
  FILES_MATCHING PATTERN "*.h"
  PATTERN ${QUARDELN_OTHER_PLATFORM} EXCLUDE)

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
