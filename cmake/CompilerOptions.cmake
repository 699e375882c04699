# Warning and sanitizer settings shared by every target of the project.
add_library(vantor_options INTERFACE)
target_compile_options(vantor_options INTERFACE
  -Wall -Wextra -Wshadow -Woverloaded-virtual -Wnon-virtual-dtor -Wsuggest-override)
if(VANTOR_WERROR)
  target_compile_options(vantor_options INTERFACE -Werror)
endif()
if(VANTOR_SANITIZE)
  target_compile_options(vantor_options INTERFACE
    -fsanitize=address,undefined -fno-sanitize-recover=undefined -fno-omit-frame-pointer)
  target_link_options(vantor_options INTERFACE -fsanitize=address,undefined)
endif()
if(VANTOR_TSAN)
  target_compile_options(vantor_options INTERFACE -fsanitize=thread -fno-omit-frame-pointer)
  target_link_options(vantor_options INTERFACE -fsanitize=thread)
endif()
if(VANTOR_FUZZ)
  # Every object carries the fuzzer's coverage hooks and both sanitizers; only
  # the fuzz targets link the fuzzer's own main (see tests/fuzz).
  if(NOT CMAKE_CXX_COMPILER_ID STREQUAL "Clang")
    message(FATAL_ERROR "VANTOR_FUZZ needs clang (the fuzz preset selects it)")
  endif()
  target_compile_options(vantor_options INTERFACE
    -fsanitize=fuzzer-no-link,address,undefined -fno-sanitize-recover=undefined -fno-omit-frame-pointer
    # The class-record macro declares getClass() in every class; clang asks for
    # an override marker there that GCC does not.
    -Wno-inconsistent-missing-override)
  target_link_options(vantor_options INTERFACE -fsanitize=address,undefined)
endif()
if(CMAKE_SYSTEM_PROCESSOR MATCHES "^(i.86|x86)$")
  # Compute like the 64-bit build: SSE2 arithmetic instead of x87.
  target_compile_options(vantor_options INTERFACE -msse2 -mfpmath=sse)
endif()
target_include_directories(vantor_options INTERFACE ${PROJECT_SOURCE_DIR})
if(WIN32)
  # Programs and libraries carry the MinGW runtime inside, so that they need
  # nothing but Windows' own DLLs (wine included).
  target_link_options(vantor_options INTERFACE -static)
endif()
