#pragma once

#include <QString>

#include <cstdio>
#include <cstdlib>

// A broken invariant aborts: libFuzzer then keeps the input as a crash, and the
// replay test dies with the message on stderr.
[[noreturn]] inline void fuzzFail(const char* file, int line, const char* condition,
                                  const QString& detail) {
    std::fprintf(stderr, "%s:%d: invariant broken: %s\n  %s\n", file, line, condition,
                 detail.toUtf8().constData());
    std::abort();
}

#define FUZZ_CHECK(condition, detail)                                                              \
    do {                                                                                           \
        if (!(condition))                                                                          \
            fuzzFail(__FILE__, __LINE__, #condition, (detail));                                    \
    } while (false)
