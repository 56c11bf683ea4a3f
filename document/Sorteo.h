// Sorteo: each student's own unknowns. The values come from a seed that is a keyed hash
// (HMAC-SHA-256) of the student's name and group under the key of the practice handed out,
// itself a keyed hash of the teacher's secret; the numbers are drawn from the seed by
// SplitMix64, whose every step is written out here, so that the same student gets the same
// values on any machine and library. The secret never leaves the teacher's file, and what a
// student's file holds (the key and the seed) does not give it back.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace Sorteo {

using Huella = std::array<uint8_t, 32>;

// HMAC-SHA-256 of the message under the key.
Huella Hmac(const Huella& clave, const std::string& strMensaje);
// A new secret from the system's random source.
Huella SecretoNuevo();
// The key of the practice handed to students: a keyed hash of the secret.
Huella ClaveAlumnos(const Huella& secreto);
// The seed of one student: name and group with the spaces at either end taken off.
Huella Semilla(const Huella& claveAlumnos, const std::string& strNombre,
               const std::string& strGrupo);

// SplitMix64 (a 64-bit state, add the golden-ratio constant, two xor-shift-multiplies):
// numbers in [0, 1) with 53 random bits, from the first eight bytes of the seed.
class CGenerador {
public:
    explicit CGenerador(const Huella& semilla);
    uint64_t Siguiente();
    double Uniforme() { return static_cast<double>(Siguiente() >> 11) * 0x1.0p-53; }

private:
    uint64_t m_n = 0;
};

// A value in [dMinimo, dMaximo] from u in [0, 1), kept to four significant figures (a
// label a teacher would write), never outside the range.
double EnRango(double u, double dMinimo, double dMaximo);

// Hexadecimal text of a hash and back (false when the text is not 64 hexadecimal digits).
std::string Hex(const Huella& h);
bool DeHex(const std::string& s, Huella& h);

} // namespace Sorteo
