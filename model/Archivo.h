// CArchivo: the practice-file archive. Values are written and read one by one, in the order
// the records dictate: little-endian int32, IEEE doubles, length-prefixed strings and
// date-time values. Text is UTF-8 in memory and Windows-1252 in the bytes.
#pragma once

#include <cstddef>
#include <cstdint>
#include <exception>
#include <string>
#include <vector>

// The one exception of the model: a read past the end or a malformed value.
class CErrorArchivo : public std::exception {
public:
    enum class Tipo {
        FinDeArchivo,     // read past the end of the data
        FormatoIncorrecto // a value that cannot be what the record says it is
    };

    CErrorArchivo(Tipo tipo, std::string detalle);

    Tipo GetTipo() const noexcept { return m_tipo; }
    const char* what() const noexcept override { return m_strDetalle.c_str(); }

private:
    Tipo m_tipo;
    std::string m_strDetalle;
};

// Date-time value as the files keep it: a status (0 valid) and the days since
// 30 December 1899 00:00, the fraction being the time of day.
struct CFecha {
    int32_t m_nEstado = 0;
    double m_dFecha = 0.0;

    static CFecha DesdeCivil(int nAnio, int nMes, int nDia, int nHora = 0, int nMinuto = 0,
                             int nSegundo = 0);
    // Calendar date of the value (time of day dropped); false when the value is not valid.
    bool ACivil(int& nAnio, int& nMes, int& nDia) const;

    bool operator==(const CFecha&) const = default;
};

// Bounds on what a practice file may hold: far beyond anything a classroom builds, well
// short of what would overflow an integer or a drawing.
namespace Limites {
constexpr int32_t kCoordenada = 1'000'000; // bench pixels
constexpr double kCantidad = 1.0e7;        // moles, grams or millilitres of one entry
constexpr double kValorCatalogo = 1.0e30;  // any number of a catalogue record
constexpr double kTemperaturaMinima = -273.15;
constexpr double kTemperaturaLeida = 1.0e6; // a file beyond this was not written by us
constexpr int32_t kCuentaIones = 100;
constexpr int32_t kTextura = 100;
constexpr int32_t kCoeficiente = 1000;
constexpr int32_t kEquipos = 20'000;
constexpr int32_t kRotulo = 1024; // bytes of an item's label (the window lets a student type two)
} // namespace Limites

class CArchivo {
public:
    // An archive for writing; the bytes collect in Datos().
    CArchivo();
    // An archive reading the given bytes.
    explicit CArchivo(std::vector<uint8_t> datos);

    bool IsStoring() const { return m_bEscritura; }
    bool IsLoading() const { return !m_bEscritura; }

    const std::vector<uint8_t>& Datos() const { return m_datos; }
    size_t Posicion() const { return m_nPos; }
    size_t Restantes() const { return m_datos.size() - m_nPos; }
    bool AlFinal() const { return m_nPos >= m_datos.size(); }

    void EscribirInt32(int32_t n);
    // A number that is not finite is never written: it would make a file that no reader
    // accepts. The write throws instead, and the caller keeps the previous file.
    void EscribirDouble(double d);
    void EscribirCadena(const std::string& strUtf8);
    void EscribirFecha(const CFecha& fecha);
    void EscribirBytes(const uint8_t* p, size_t n);

    int32_t LeerInt32();
    // Doubles that are not finite are rejected as malformed: no NaN or infinity may come
    // into the model from a file.
    double LeerDouble();
    std::string LeerCadena();
    CFecha LeerFecha();
    // A value that no program could have written (beyond what any real practice reaches)
    // is refused as malformed here, before it reaches an integer conversion or a drawing.
    int32_t LeerInt32Entre(int32_t nMinimo, int32_t nMaximo);
    double LeerDoubleEntre(double dMinimo, double dMaximo);
    // Both ways at once, for a record's Serialize: the writer holds to the same bounds as
    // the reader (and throws the same error), so no file is written that would be refused.
    void Entero(int32_t& n, int32_t nMinimo, int32_t nMaximo);
    void Valor(double& d, double dMinimo, double dMaximo);

    // Text exactly as it is in memory, UTF-8: an int32 byte count, then the bytes. Reading
    // refuses a count beyond the bytes left and a sequence that is not UTF-8, and gives
    // no more than nMaximo bytes.
    void EscribirUtf8(const std::string& strUtf8);
    std::string LeerUtf8(size_t nMaximo = SIZE_MAX);

    // A tagged record: its tag, the byte length of what follows, then that many bytes. A
    // reader that does not know the tag can step over it; one that does reads the bytes in
    // an archive of their own, so that a record can never read into the next one.
    void EscribirRegistro(int32_t nEtiqueta, const CArchivo& contenido);
    CArchivo LeerRegistro(int32_t& nEtiqueta);

    // Reads a count of records and checks it against what the rest of the data can hold,
    // given the smallest size one record can have, before anyone allocates for it.
    int32_t LeerCuenta(size_t nBytesMinimos);

    // Refuses a file whose bytes were not all read: a reader that stops early has misread
    // the layout, and what it took so far cannot be trusted.
    void ComprobarFinal() const;

    // Bidirectional helpers so that a record's Serialize can be written once.
    CArchivo& operator<<(int32_t n) {
        EscribirInt32(n);
        return *this;
    }
    CArchivo& operator<<(double d) {
        EscribirDouble(d);
        return *this;
    }
    CArchivo& operator<<(const std::string& s) {
        EscribirCadena(s);
        return *this;
    }
    CArchivo& operator<<(const CFecha& f) {
        EscribirFecha(f);
        return *this;
    }
    CArchivo& operator>>(int32_t& n) {
        n = LeerInt32();
        return *this;
    }
    CArchivo& operator>>(double& d) {
        d = LeerDouble();
        return *this;
    }
    CArchivo& operator>>(std::string& s) {
        s = LeerCadena();
        return *this;
    }
    CArchivo& operator>>(CFecha& f) {
        f = LeerFecha();
        return *this;
    }
    // Colours are int32 in the files and unsigned in memory.
    CArchivo& operator<<(uint32_t cr) { return *this << static_cast<int32_t>(cr); }
    CArchivo& operator>>(uint32_t& cr) {
        cr = static_cast<uint32_t>(LeerInt32());
        return *this;
    }

    // Text conversions used by the archive (public so that callers can check a text
    // before it is written).
    static std::string Cp1252AUtf8(const std::string& strCp1252);
    // Characters that Windows-1252 cannot hold become '?'; so do broken UTF-8 sequences.
    static std::string Utf8ACp1252(const std::string& strUtf8);
    // Whether the text is well-formed UTF-8, and whether Windows-1252 holds every character
    // of it (a broken sequence does not count as held); and the text with every broken
    // sequence replaced by U+FFFD.
    static bool EsUtf8(const std::string& strUtf8);
    static bool CabeEnCp1252(const std::string& strUtf8);
    static std::string Utf8Reparado(const std::string& strUtf8);

private:
    void Necesitar(size_t n) const;
    uint8_t LeerByte();
    uint16_t LeerWord();
    uint32_t LeerDword();
    size_t LeerLongitud();

    std::vector<uint8_t> m_datos;
    size_t m_nPos = 0;
    bool m_bEscritura;
};
