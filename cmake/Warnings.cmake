# Our own targets build with warnings as errors; third-party code (GoogleTest) does not.
function(tempra_warnings target)
  target_compile_options(${target} PRIVATE -Wall -Wextra -Wpedantic -Wshadow
    -Wnon-virtual-dtor -Woverloaded-virtual -Wconversion -Wno-sign-conversion -Werror)
endfunction()
