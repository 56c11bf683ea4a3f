// What every fuzz target shares: a headless application for the code that draws or lays out
// text.
#pragma once

#include <QGuiApplication>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
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

// Values of any type taken from the input in turn; past its end, zeros.
class Lector {
public:
    Lector(const uint8_t* p, size_t n) : m_p(p), m_n(n) {}
    template <class T> T Tomar() {
        T v{};
        if (m_i + sizeof(T) <= m_n) {
            std::memcpy(&v, m_p + m_i, sizeof(T));
            m_i += sizeof(T);
        }
        return v;
    }
    bool Queda() const { return m_i < m_n; }

private:
    const uint8_t* m_p;
    size_t m_n;
    size_t m_i = 0;
};

} // namespace fuzz
