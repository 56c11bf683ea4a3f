#include "model/Archivo.h"

#include <array>
#include <cmath>
#include <cstring>
#include <utility>

namespace {

// Windows-1252 bytes 0x80..0x9F. The five bytes the code page leaves undefined map to the
// C1 controls of the same number, as the system's own conversion does, so every byte
// survives a round trip.
constexpr std::array<char32_t, 32> kAlto = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

char32_t CodigoDeByte(uint8_t b) {
    if (b >= 0x80 && b <= 0x9F)
        return kAlto[b - 0x80];
    return b;
}

// The byte for a code point, or '?' when Windows-1252 has no such character.
uint8_t ByteDeCodigo(char32_t c, bool* pbCabe = nullptr) {
    if (c < 0x80 || (c >= 0xA0 && c <= 0xFF))
        return static_cast<uint8_t>(c);
    for (size_t i = 0; i < kAlto.size(); ++i)
        if (kAlto[i] == c)
            return static_cast<uint8_t>(0x80 + i);
    if (pbCabe)
        *pbCabe = false;
    return '?';
}

void AgregarUtf8(std::string& s, char32_t c) {
    if (c < 0x80) {
        s += static_cast<char>(c);
    } else if (c < 0x800) {
        s += static_cast<char>(0xC0 | (c >> 6));
        s += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        s += static_cast<char>(0xE0 | (c >> 12));
        s += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        s += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        s += static_cast<char>(0xF0 | (c >> 18));
        s += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
        s += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        s += static_cast<char>(0x80 | (c & 0x3F));
    }
}

// Decodes one UTF-8 sequence at s[i]; a broken sequence yields U+FFFD, consumes one byte and
// clears *pbValido.
char32_t SiguienteUtf8(const std::string& s, size_t& i, bool* pbValido = nullptr) {
    const auto b0 = static_cast<uint8_t>(s[i++]);
    if (b0 < 0x80)
        return b0;
    auto roto = [pbValido]() -> char32_t {
        if (pbValido)
            *pbValido = false;
        return 0xFFFD;
    };
    int nSeguidos = 0;
    char32_t c = 0;
    char32_t cMinimo = 0;
    if ((b0 & 0xE0) == 0xC0) {
        nSeguidos = 1;
        c = b0 & 0x1F;
        cMinimo = 0x80;
    } else if ((b0 & 0xF0) == 0xE0) {
        nSeguidos = 2;
        c = b0 & 0x0F;
        cMinimo = 0x800;
    } else if ((b0 & 0xF8) == 0xF0) {
        nSeguidos = 3;
        c = b0 & 0x07;
        cMinimo = 0x10000;
    } else {
        return roto();
    }
    size_t j = i;
    for (int k = 0; k < nSeguidos; ++k, ++j) {
        if (j >= s.size() || (static_cast<uint8_t>(s[j]) & 0xC0) != 0x80)
            return roto();
        c = (c << 6) | (static_cast<uint8_t>(s[j]) & 0x3F);
    }
    if (c < cMinimo || c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF))
        return roto();
    i = j;
    return c;
}

int64_t DiasDesdeCivil(int64_t y, unsigned m, unsigned d) {
    // Days since 1970-01-01 of a proleptic Gregorian date.
    y -= m <= 2;
    const int64_t era = (y >= 0 ? y : y - 399) / 400;
    const auto yoe = static_cast<unsigned>(y - era * 400);
    const unsigned doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
    const unsigned doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + static_cast<int64_t>(doe) - 719468;
}

// 30 December 1899 counted from 1 January 1970.
constexpr int64_t kOrigen = -25569;

} // namespace

CErrorArchivo::CErrorArchivo(Tipo tipo, std::string detalle)
    : m_tipo(tipo), m_strDetalle(std::move(detalle)) {}

CFecha CFecha::DesdeCivil(int nAnio, int nMes, int nDia, int nHora, int nMinuto, int nSegundo) {
    CFecha f;
    f.m_nEstado = 0;
    f.m_dFecha = static_cast<double>(DiasDesdeCivil(nAnio, static_cast<unsigned>(nMes),
                                                    static_cast<unsigned>(nDia)) -
                                     kOrigen) +
                 (nHora * 3600.0 + nMinuto * 60.0 + nSegundo) / 86400.0;
    return f;
}

bool CFecha::ACivil(int& nAnio, int& nMes, int& nDia) const {
    if (m_nEstado != 0 || !std::isfinite(m_dFecha) || std::fabs(m_dFecha) > 3.0e6)
        return false;
    const int64_t z = static_cast<int64_t>(std::floor(m_dFecha)) + kOrigen + 719468;
    const int64_t era = (z >= 0 ? z : z - 146096) / 146097;
    const auto doe = static_cast<unsigned>(z - era * 146097);
    const unsigned yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const unsigned doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const unsigned mp = (5 * doy + 2) / 153;
    nDia = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
    nMes = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
    nAnio = static_cast<int>(static_cast<int64_t>(yoe) + era * 400 + (nMes <= 2));
    return true;
}

CArchivo::CArchivo() : m_bEscritura(true) {}

CArchivo::CArchivo(std::vector<uint8_t> datos) : m_datos(std::move(datos)), m_bEscritura(false) {}

void CArchivo::EscribirBytes(const uint8_t* p, size_t n) {
    m_datos.insert(m_datos.end(), p, p + n);
}

void CArchivo::EscribirInt32(int32_t n) {
    const auto u = static_cast<uint32_t>(n);
    const uint8_t b[4] = {static_cast<uint8_t>(u), static_cast<uint8_t>(u >> 8),
                          static_cast<uint8_t>(u >> 16), static_cast<uint8_t>(u >> 24)};
    EscribirBytes(b, 4);
}

void CArchivo::EscribirDouble(double d) {
    if (!std::isfinite(d))
        throw CErrorArchivo(CErrorArchivo::Tipo::FormatoIncorrecto,
                            "número no finito al escribir en la posición " +
                                std::to_string(m_datos.size()));
    uint64_t u;
    std::memcpy(&u, &d, sizeof u);
    uint8_t b[8];
    for (int i = 0; i < 8; ++i)
        b[i] = static_cast<uint8_t>(u >> (8 * i));
    EscribirBytes(b, 8);
}

void CArchivo::EscribirCadena(const std::string& strUtf8) {
    const std::string s = Utf8ACp1252(strUtf8);
    const size_t n = s.size();
    if (n < 0xFF) {
        m_datos.push_back(static_cast<uint8_t>(n));
    } else if (n < 0xFFFE) {
        const uint8_t b[3] = {0xFF, static_cast<uint8_t>(n), static_cast<uint8_t>(n >> 8)};
        EscribirBytes(b, 3);
    } else {
        const uint8_t b[3] = {0xFF, 0xFF, 0xFF};
        EscribirBytes(b, 3);
        EscribirInt32(static_cast<int32_t>(static_cast<uint32_t>(n)));
    }
    EscribirBytes(reinterpret_cast<const uint8_t*>(s.data()), n);
}

void CArchivo::EscribirFecha(const CFecha& fecha) {
    EscribirInt32(fecha.m_nEstado);
    EscribirDouble(fecha.m_dFecha);
}

void CArchivo::Necesitar(size_t n) const {
    if (m_bEscritura)
        throw CErrorArchivo(CErrorArchivo::Tipo::FormatoIncorrecto,
                            "lectura en un archivo abierto para escribir");
    if (n > Restantes())
        throw CErrorArchivo(CErrorArchivo::Tipo::FinDeArchivo,
                            "lectura más allá del final en la posición " + std::to_string(m_nPos));
}

uint8_t CArchivo::LeerByte() {
    Necesitar(1);
    return m_datos[m_nPos++];
}

uint16_t CArchivo::LeerWord() {
    Necesitar(2);
    const auto w = static_cast<uint16_t>(m_datos[m_nPos] | (m_datos[m_nPos + 1] << 8));
    m_nPos += 2;
    return w;
}

uint32_t CArchivo::LeerDword() {
    Necesitar(4);
    uint32_t u = 0;
    for (int i = 3; i >= 0; --i)
        u = (u << 8) | m_datos[m_nPos + static_cast<size_t>(i)];
    m_nPos += 4;
    return u;
}

int32_t CArchivo::LeerInt32() {
    return static_cast<int32_t>(LeerDword());
}

double CArchivo::LeerDouble() {
    Necesitar(8);
    uint64_t u = 0;
    for (int i = 7; i >= 0; --i)
        u = (u << 8) | m_datos[m_nPos + static_cast<size_t>(i)];
    const size_t nInicio = m_nPos;
    m_nPos += 8;
    double d;
    std::memcpy(&d, &u, sizeof d);
    if (!std::isfinite(d))
        throw CErrorArchivo(CErrorArchivo::Tipo::FormatoIncorrecto,
                            "número no finito en la posición " + std::to_string(nInicio));
    return d;
}

size_t CArchivo::LeerLongitud() {
    const uint8_t b = LeerByte();
    if (b < 0xFF)
        return b;
    const uint16_t w = LeerWord();
    if (w == 0xFFFF)
        return LeerDword();
    return w; // 0xFFFE is handled by the caller before it gets here
}

std::string CArchivo::LeerCadena() {
    const size_t nInicio = m_nPos;
    // Look ahead for the UTF-16 marker 0xFF 0xFFFE.
    Necesitar(1);
    bool bUnicode = false;
    if (m_datos[m_nPos] == 0xFF && Restantes() >= 3 && m_datos[m_nPos + 1] == 0xFE &&
        m_datos[m_nPos + 2] == 0xFF) {
        bUnicode = true;
        m_nPos += 3;
        // A second marker cannot follow the first.
        if (Restantes() >= 3 && m_datos[m_nPos] == 0xFF && m_datos[m_nPos + 1] == 0xFE &&
            m_datos[m_nPos + 2] == 0xFF)
            throw CErrorArchivo(CErrorArchivo::Tipo::FormatoIncorrecto,
                                "prefijo de cadena no válido en la posición " +
                                    std::to_string(nInicio));
    }
    const size_t n = LeerLongitud();
    if (!bUnicode) {
        Necesitar(n);
        std::string s(reinterpret_cast<const char*>(m_datos.data() + m_nPos), n);
        m_nPos += n;
        return Cp1252AUtf8(s);
    }
    if (n > Restantes() / 2)
        throw CErrorArchivo(CErrorArchivo::Tipo::FinDeArchivo,
                            "cadena más larga que el resto del archivo en la posición " +
                                std::to_string(nInicio));
    std::string s;
    s.reserve(n);
    for (size_t i = 0; i < n; ++i) {
        char32_t c = LeerWord();
        if (c >= 0xD800 && c <= 0xDBFF && i + 1 < n) {
            const uint16_t c2 = static_cast<uint16_t>(m_datos[m_nPos] | (m_datos[m_nPos + 1] << 8));
            if (c2 >= 0xDC00 && c2 <= 0xDFFF) {
                m_nPos += 2;
                ++i;
                c = 0x10000 + ((c - 0xD800) << 10) + (c2 - 0xDC00);
            }
        }
        // The text arrives in the Windows-1252 code page, like every other string.
        AgregarUtf8(s, CodigoDeByte(ByteDeCodigo(c)));
    }
    return s;
}

CFecha CArchivo::LeerFecha() {
    CFecha f;
    f.m_nEstado = LeerInt32();
    f.m_dFecha = LeerDouble();
    return f;
}

int32_t CArchivo::LeerInt32Entre(int32_t nMinimo, int32_t nMaximo) {
    const size_t nPos = m_nPos;
    const int32_t n = LeerInt32();
    if (n < nMinimo || n > nMaximo)
        throw CErrorArchivo(CErrorArchivo::Tipo::FormatoIncorrecto,
                            "valor fuera de límites (" + std::to_string(n) + ") en la posición " +
                                std::to_string(nPos));
    return n;
}

double CArchivo::LeerDoubleEntre(double dMinimo, double dMaximo) {
    const size_t nPos = m_nPos;
    const double d = LeerDouble();
    if (!(d >= dMinimo && d <= dMaximo))
        throw CErrorArchivo(CErrorArchivo::Tipo::FormatoIncorrecto,
                            "número fuera de límites en la posición " + std::to_string(nPos));
    return d;
}

void CArchivo::Entero(int32_t& n, int32_t nMinimo, int32_t nMaximo) {
    if (!m_bEscritura) {
        n = LeerInt32Entre(nMinimo, nMaximo);
        return;
    }
    if (n < nMinimo || n > nMaximo)
        throw CErrorArchivo(CErrorArchivo::Tipo::FormatoIncorrecto,
                            "valor fuera de límites (" + std::to_string(n) +
                                ") al escribir en la posición " + std::to_string(m_datos.size()));
    EscribirInt32(n);
}

void CArchivo::Valor(double& d, double dMinimo, double dMaximo) {
    if (!m_bEscritura) {
        d = LeerDoubleEntre(dMinimo, dMaximo);
        return;
    }
    if (!(d >= dMinimo && d <= dMaximo))
        throw CErrorArchivo(CErrorArchivo::Tipo::FormatoIncorrecto,
                            "número fuera de límites al escribir en la posición " +
                                std::to_string(m_datos.size()));
    EscribirDouble(d);
}

void CArchivo::ComprobarFinal() const {
    if (!m_bEscritura && m_nPos != m_datos.size())
        throw CErrorArchivo(CErrorArchivo::Tipo::FormatoIncorrecto,
                            std::to_string(Restantes()) + " bytes sin leer al final");
}

void CArchivo::EscribirUtf8(const std::string& strUtf8) {
    EscribirInt32(static_cast<int32_t>(strUtf8.size()));
    EscribirBytes(reinterpret_cast<const uint8_t*>(strUtf8.data()), strUtf8.size());
}

std::string CArchivo::LeerUtf8(size_t nMaximo) {
    const size_t nPos = m_nPos;
    const auto n = static_cast<size_t>(LeerCuenta(1));
    if (n > nMaximo)
        throw CErrorArchivo(CErrorArchivo::Tipo::FormatoIncorrecto,
                            "texto demasiado largo en la posición " + std::to_string(nPos));
    std::string s(reinterpret_cast<const char*>(m_datos.data() + m_nPos), n);
    m_nPos += n;
    if (!EsUtf8(s))
        throw CErrorArchivo(CErrorArchivo::Tipo::FormatoIncorrecto,
                            "texto que no es UTF-8 en la posición " + std::to_string(nPos));
    return s;
}

void CArchivo::EscribirRegistro(int32_t nEtiqueta, const CArchivo& contenido) {
    const std::vector<uint8_t>& d = contenido.Datos();
    EscribirInt32(nEtiqueta);
    EscribirInt32(static_cast<int32_t>(d.size()));
    EscribirBytes(d.data(), d.size());
}

CArchivo CArchivo::LeerRegistro(int32_t& nEtiqueta) {
    nEtiqueta = LeerInt32();
    const auto n = static_cast<size_t>(LeerCuenta(1));
    const auto itInicio = m_datos.begin() + static_cast<std::ptrdiff_t>(m_nPos);
    m_nPos += n;
    return CArchivo(std::vector<uint8_t>(itInicio, itInicio + static_cast<std::ptrdiff_t>(n)));
}

int32_t CArchivo::LeerCuenta(size_t nBytesMinimos) {
    const size_t nPos = m_nPos;
    const int32_t n = LeerInt32();
    if (n < 0 || (nBytesMinimos > 0 && static_cast<size_t>(n) > Restantes() / nBytesMinimos))
        throw CErrorArchivo(CErrorArchivo::Tipo::FormatoIncorrecto,
                            "cuenta imposible (" + std::to_string(n) + ") en la posición " +
                                std::to_string(nPos));
    return n;
}

std::string CArchivo::Cp1252AUtf8(const std::string& strCp1252) {
    std::string s;
    s.reserve(strCp1252.size() + strCp1252.size() / 8);
    for (char ch : strCp1252)
        AgregarUtf8(s, CodigoDeByte(static_cast<uint8_t>(ch)));
    return s;
}

std::string CArchivo::Utf8ACp1252(const std::string& strUtf8) {
    std::string s;
    s.reserve(strUtf8.size());
    for (size_t i = 0; i < strUtf8.size();)
        s += static_cast<char>(ByteDeCodigo(SiguienteUtf8(strUtf8, i)));
    return s;
}

bool CArchivo::EsUtf8(const std::string& strUtf8) {
    bool bValido = true;
    for (size_t i = 0; i < strUtf8.size() && bValido;)
        SiguienteUtf8(strUtf8, i, &bValido);
    return bValido;
}

bool CArchivo::CabeEnCp1252(const std::string& strUtf8) {
    bool bCabe = true;
    for (size_t i = 0; i < strUtf8.size() && bCabe;)
        ByteDeCodigo(SiguienteUtf8(strUtf8, i, &bCabe), &bCabe);
    return bCabe;
}

std::string CArchivo::Utf8Reparado(const std::string& strUtf8) {
    if (EsUtf8(strUtf8))
        return strUtf8;
    std::string s;
    s.reserve(strUtf8.size() + 8);
    for (size_t i = 0; i < strUtf8.size();)
        AgregarUtf8(s, SiguienteUtf8(strUtf8, i));
    return s;
}
