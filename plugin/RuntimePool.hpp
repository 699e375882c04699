#pragma once
// The C++ runtime linked into a module (libstdc++ and libgcc statically, so
// that the module clashes with no host) keeps an emergency pool for exceptions
// of about 70 KB that it never frees by itself: a host that loads and unloads
// the module would lose one pool at every unload. The runtime's own release
// function frees it; a module calls releaseRuntimePool() from its unload hook,
// where the runtime is the module's alone. Compiled into each module with that
// module's VANTOR_STATIC_CXX_RUNTIME setting (sanitizer builds keep the shared
// runtime, whose pool is not the module's to free).

#if defined(VANTOR_STATIC_CXX_RUNTIME)
namespace __gnu_cxx
{
// NOLINTNEXTLINE(bugprone-reserved-identifier): the runtime's own name, declared to call it.
void __freeres() noexcept;
} // namespace __gnu_cxx
#endif

namespace Vantor::Quellor
{

// Only when the host frees the library: at process end the memory goes anyway.
inline void releaseRuntimePool([[maybe_unused]] bool processEnding)
{
#if defined(VANTOR_STATIC_CXX_RUNTIME)
    if (!processEnding)
    {
        __gnu_cxx::__freeres();
    }
#endif
}

} // namespace Vantor::Quellor
