// The checks a practice's catalogue must pass before the simulation can make sense of it:
// positive masses and densities, a melting point not above the boiling point, reactions
// with reactants and products that do not repeat, reagents with a composition, indicator
// ranges in order, names that fit in the files, and the aqueous data (pKa in order, an
// equilibrium constant a file keeps). Each problem names where it is and the
// field, in Spanish, for a teacher to read. No window needed.
#pragma once

#include <QString>

#include <cstddef>
#include <string>
#include <vector>

class CCatalogo;
class CPractica;
class CReacciones;

namespace Validacion {

struct Problema {
    // What the problem is in, and which of them counting from 0 (of the practice's own
    // fields: name, summary, author, date, mode), so that a source can name the line.
    enum class Que { Practica, Mesa, Equipo, Sustancia, Reactivo, Reaccion, Indicador };

    QString m_strDonde;   // "Sustancia 3 «Cinc»", "Reacción 1 «…»", "Práctica"…
    QString m_strMensaje; // what is wrong, naming the field
    Que m_que = Que::Practica;
    int m_nIndice = -1;
};

// Names are kept to what a file stores with a one-byte length (the short form every
// name of the built-in practices uses), in Windows-1252 bytes.
constexpr size_t kLongitudNombre = 254;

// Whether a reaction slot holds a component of the catalogue (an unused slot holds the
// "no component" index, whatever its coefficient).
bool RanuraUsada(const CReacciones& r, const CCatalogo& cat, bool bProducto, int k);

std::vector<Problema> Validar(const CCatalogo& cat);
// The catalogue and the practice's own texts (name, summary, author).
std::vector<Problema> Validar(const CPractica& p);

// The problems as lines "Donde: mensaje", at most nMaximo of them and a line telling how
// many more there are.
QString Texto(const std::vector<Problema>& v, int nMaximo = 10);

// The length a text takes in a file, in bytes.
size_t LongitudEnArchivo(const std::string& strUtf8);

} // namespace Validacion
