# Fuzzing (the fuzz preset, clang on Linux): every library is compiled with libFuzzer's
# coverage instrumentation and the address and undefined-behaviour sanitizers, any
# undefined behaviour ending the run; only the targets in fuzz/ link libFuzzer's driver.
option(TEMPRA_BUILD_FUZZ "Build the libFuzzer targets in fuzz/ (clang, native only)" OFF)
if(TEMPRA_BUILD_FUZZ)
  if(CMAKE_CROSSCOMPILING OR NOT CMAKE_CXX_COMPILER_ID STREQUAL "Clang")
    message(FATAL_ERROR "TEMPRA_BUILD_FUZZ needs clang on a native build (the fuzz preset)")
  endif()
  add_compile_options(-fsanitize=fuzzer-no-link,address,undefined -fno-sanitize-recover=all
    -fno-omit-frame-pointer)
  add_link_options(-fsanitize=address,undefined)
endif()
