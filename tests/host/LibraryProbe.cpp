// A loadable library for the loader and application-path tests.
extern "C" __attribute__((visibility("default"))) int probeAnswer()
{
    return 42;
}
