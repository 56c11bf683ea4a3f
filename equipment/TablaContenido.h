// TablaContenido: a vessel's contents as the properties window and the command-line tool
// show them, one row per entry and, on request, per free ion. The model gives the amounts
// and states as data; the wording and the number formats are here, once for both.
#pragma once

#include <QString>

#include <cstdint>
#include <vector>

class CSeno;

// One row of the contents table: formula, moles, grams, state, millilitres, phase.
struct CRenglon {
    QString m_strTexto[6];
};

namespace TablaContenido {

// "Solido", "Liquido", "Gaseoso" for a state, "Disolución" for a dissolved entry; empty
// otherwise.
QString NombreEstado(int32_t nEstado);
// The rows of the liquid's, the solid's and the gas's entries, each followed (bIones) by
// its cation and its anion when it has them free.
std::vector<CRenglon> Renglones(const CSeno& seno, bool bIones);

} // namespace TablaContenido
