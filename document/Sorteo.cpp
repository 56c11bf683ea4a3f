#include "document/Sorteo.h"

#include <QByteArray>
#include <QMessageAuthenticationCode>
#include <QRandomGenerator>

#include <algorithm>
#include <cmath>

namespace Sorteo {

namespace {

QByteArray Bytes(const Huella& h) {
    return QByteArray(reinterpret_cast<const char*>(h.data()), static_cast<qsizetype>(h.size()));
}

std::string Recortado(const std::string& s) {
    const size_t a = s.find_first_not_of(" \t");
    if (a == std::string::npos)
        return {};
    return s.substr(a, s.find_last_not_of(" \t") - a + 1);
}

} // namespace

Huella Hmac(const Huella& clave, const std::string& strMensaje) {
    const QByteArray r = QMessageAuthenticationCode::hash(QByteArray::fromStdString(strMensaje),
                                                          Bytes(clave), QCryptographicHash::Sha256);
    Huella h{};
    std::copy_n(reinterpret_cast<const uint8_t*>(r.constData()), h.size(), h.begin());
    return h;
}

Huella SecretoNuevo() {
    Huella h{};
    QRandomGenerator* g = QRandomGenerator::system();
    for (uint8_t& b : h)
        b = static_cast<uint8_t>(g->bounded(256));
    return h;
}

Huella ClaveAlumnos(const Huella& secreto) {
    return Hmac(secreto, "alkor/alumnos");
}

Huella Semilla(const Huella& claveAlumnos, const std::string& strNombre,
               const std::string& strGrupo) {
    // The zero bytes keep "Ana B" + "1" apart from "Ana" + "B1".
    return Hmac(claveAlumnos, std::string("alkor/semilla") + '\0' + Recortado(strNombre) + '\0' +
                                  Recortado(strGrupo));
}

CGenerador::CGenerador(const Huella& semilla) {
    for (int i = 7; i >= 0; --i)
        m_n = (m_n << 8) | semilla[static_cast<size_t>(i)];
}

uint64_t CGenerador::Siguiente() {
    uint64_t z = (m_n += 0x9E3779B97F4A7C15ULL);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
    return z ^ (z >> 31);
}

double EnRango(double u, double dMinimo, double dMaximo) {
    const double d = dMinimo + (dMaximo - dMinimo) * u;
    if (!(d != 0.0) || !std::isfinite(d))
        return std::clamp(d, dMinimo, dMaximo);
    // Four significant figures by a power of ten built by multiplication, which every
    // library rounds alike.
    const int nExp = static_cast<int>(std::floor(std::log10(std::fabs(d)))) - 3;
    double p = 1.0;
    for (int i = 0; i < std::abs(nExp); ++i)
        p *= 10.0;
    const double r = nExp >= 0 ? std::round(d / p) * p : std::round(d * p) / p;
    return std::clamp(r, dMinimo, dMaximo);
}

std::string Hex(const Huella& h) {
    static const char* k = "0123456789abcdef";
    std::string s;
    for (uint8_t b : h) {
        s += k[b >> 4];
        s += k[b & 15];
    }
    return s;
}

bool DeHex(const std::string& s, Huella& h) {
    if (s.size() != 2 * h.size())
        return false;
    auto cifra = [](char c) -> int {
        if (c >= '0' && c <= '9')
            return c - '0';
        if (c >= 'a' && c <= 'f')
            return c - 'a' + 10;
        return -1;
    };
    for (size_t i = 0; i < h.size(); ++i) {
        const int a = cifra(s[2 * i]), b = cifra(s[2 * i + 1]);
        if (a < 0 || b < 0)
            return false;
        h[i] = static_cast<uint8_t>(a * 16 + b);
    }
    return true;
}

} // namespace Sorteo
