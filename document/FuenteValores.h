// The values of a practice's source as text: numbers, colours, escaped texts, dates, the
// "|" fields of a line and the references to components. Both directions live here, side
// by side, so that what the writer makes is what the reader takes. A value that does not
// read throws ErrorFuente with "practica.txt:12: …" (the place the caller gives).
#pragma once

#include "model/Archivo.h"
#include "model/Componentes.h"

#include <QList>
#include <QPair>
#include <QString>
#include <QStringList>

#include <cstdint>
#include <string>

namespace Fuente {

struct ErrorFuente {
    QString m_strTexto;
};

[[noreturn]] void Fallo(const QString& strDonde, const QString& s);

// Reading. A number is decimal, or hexadecimal after "0x"; none may be infinite or NaN.
double Numero(const QString& s, const QString& strDonde);
double NumeroEntre(const QString& s, const QString& strDonde, double dMin, double dMax);
int32_t Entero(const QString& s, const QString& strDonde);
int32_t EnteroEntre(const QString& s, const QString& strDonde, int32_t nMin, int32_t nMax);
COLORREF Color(const QString& s, const QString& strDonde);
double Catalogo(const QString& s, const QString& strDonde); // any number of a catalogue record
double Cantidad(const QString& s, const QString& strDonde); // moles, grams or ml of one entry
// 0 or 1 by its word ("solido"/"liquido"), or any integer as a number.
int32_t Palabra(const QString& s, const char* pszCero, const char* pszUno, const QString& strDonde);
CFecha LeerFecha(const QString& s, const QString& strDonde);

// Writing: the shortest text that reads back as the same double (a negative zero keeps its
// sign), a colour as 0xBBGGRR, a date as the reader takes it.
QString N(double d);
QString Hex(COLORREF cr);
QString TextoFecha(const CFecha& f);

// Texts: a backslash starts an escape (\\ \| \n \r \t \xHH \uHHHH); everything else is
// itself.
QString Escapar(const std::string& str);
std::string Desescapar(const QString& s, const QString& strDonde);

// The fields of a value, split at each "|" that is not escaped, trimmed.
QStringList Campos(const QString& s);
// Lines without comments and blank lines, each with its number.
QList<QPair<int, QString>> Lineas(const QString& strTexto);

// A component as the source names it: by identifier, or by its place in the list ("@N").
struct Ref {
    bool m_bPosicion = false;
    int32_t m_n = 0;
};
Ref LeerRef(const QString& s, const QString& strDonde);

// The phases of a vessel by the names the source gives them: liquid, solid, gas.
extern const char* const kFases[3];
int LeerFase(const QString& s, const QString& strDonde);

} // namespace Fuente
