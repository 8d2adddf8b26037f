#pragma once

#include <cstdio>
#include <cstdlib>

// Ends the run when a property of the code under test does not hold. libFuzzer keeps the input
// that got there; a corpus replay fails with the property's name in its output.
inline void FuzzRequire(bool holds, const char* property)
{
    if (holds)
        return;
    std::fprintf(stderr, "property broken: %s\n", property);
    std::abort();
}
