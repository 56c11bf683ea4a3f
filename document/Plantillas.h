// The built-in practice templates (900 to kUltima), built from the readable sources the
// program carries: the catalogue tables as text and the notes as RTF documents.
#pragma once

#include <QByteArray>
#include <QString>

#include <cstdint>
#include <string>
#include <vector>

namespace Plantillas {

constexpr int kPrimera = 900;
constexpr int kUltima = 922;
// The practice on enthalpies, which its tests and screenshot name.
constexpr int kTermoquimica = 921;
constexpr int kNumIncluidas = kUltima - kPrimera + 1;
inline bool Incluida(int nNumero) {
    return nNumero >= kPrimera && nNumero <= kUltima;
}

// The template file (".akp" layout) of a built-in practice; empty for another number or
// when its sources are missing (strError says why).
QByteArray Bytes(int nNumero, QString* pstrError = nullptr);

// The same from the texts of the catalogue table and of one template source, with empty
// notes: what the program would build from sources edited by hand. Empty, with the line
// that is wrong in strError, when a text is not well formed.
QByteArray DesdeFuentes(const QString& strComponentes, const QString& strPlantilla,
                        QString* pstrError = nullptr);

// The author of a built-in practice, as its notes name him or her; empty for another number.
QString Autor(int nNumero);

// A component's formula as the small RTF document the templates store as its description.
std::string DescripcionRtf(const std::string& strFormula);

} // namespace Plantillas
