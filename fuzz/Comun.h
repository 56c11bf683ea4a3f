// What every fuzz target shares: a headless application for the code that draws or lays out
// text.
#pragma once

#include <QGuiApplication>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <vector>

namespace fuzz {

inline void Iniciar() {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static int argc = 1;
    static char nombre[] = "alkor-fuzz";
    static char* argv[] = {nombre, nullptr};
    static QGuiApplication app(argc, argv);
}

inline std::vector<uint8_t> Vector(const uint8_t* p, size_t n) {
    return {p, p + n};
}

// A broken invariant is a finding: libFuzzer keeps the input that caused it.
[[noreturn]] inline void Fallo(const char* pszQue) {
    std::fprintf(stderr, "alkor-fuzz: %s\n", pszQue);
    std::abort();
}

} // namespace fuzz
