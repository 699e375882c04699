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
# 32-bit x86 (a -m32 build on an x86_64 host keeps the host's processor name).
if(CMAKE_SIZEOF_VOID_P EQUAL 4 AND CMAKE_SYSTEM_PROCESSOR MATCHES "^(i.86|x86|x86_64|AMD64|amd64)$")
  # Compute like the 64-bit build: SSE2 arithmetic instead of x87.
  target_compile_options(vantor_options INTERFACE -msse2 -mfpmath=sse)
  if(NOT WIN32)
    # 64-bit file offsets, inode numbers and times in 32-bit Linux code: without
    # them readdir and stat fail with EOVERFLOW wherever a folder offset or an
    # inode number does not fit in 32 bits (ext4's hashed folders seen through a
    # 64-bit system interface, large inode numbers), and times end in 2038.
    target_compile_definitions(vantor_options INTERFACE _FILE_OFFSET_BITS=64 _TIME_BITS=64)
  endif()
endif()
target_include_directories(vantor_options INTERFACE ${PROJECT_SOURCE_DIR})
if(WIN32)
  # Programs and libraries carry the MinGW runtime inside, so that they need
  # nothing but Windows' own DLLs (wine included).
  target_link_options(vantor_options INTERFACE -static)
endif()
