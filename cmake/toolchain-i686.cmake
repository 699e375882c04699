# The 32-bit x86 Linux build with g++-multilib: the effect, the plug-in library
# without its editor, the host library and their display-free tests run at 32
# bits, and the audio path's i686 cost is measured (bench/compressor_cost).
# SSE2 arithmetic as on the 32-bit Windows target.
set(CMAKE_SYSTEM_PROCESSOR i686)
set(CMAKE_C_FLAGS_INIT "-m32 -msse2 -mfpmath=sse")
set(CMAKE_CXX_FLAGS_INIT "-m32 -msse2 -mfpmath=sse")
set(CMAKE_EXE_LINKER_FLAGS_INIT "-m32")
set(CMAKE_SHARED_LINKER_FLAGS_INIT "-m32")
set(CMAKE_MODULE_LINKER_FLAGS_INIT "-m32")
set(CMAKE_LIBRARY_ARCHITECTURE i386-linux-gnu)
