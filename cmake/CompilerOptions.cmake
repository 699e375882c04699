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
if(CMAKE_SYSTEM_PROCESSOR MATCHES "^(i.86|x86)$")
  # Compute like the 64-bit build: SSE2 arithmetic instead of x87.
  target_compile_options(vantor_options INTERFACE -msse2 -mfpmath=sse)
endif()
target_include_directories(vantor_options INTERFACE ${PROJECT_SOURCE_DIR})
