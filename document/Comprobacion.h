// Whether a practice runs: the sanity of its catalogue and of its bench, then a number of
// ticks of the bench step as the program's timer runs them, watching every vessel for
// amounts that are not finite or are negative and for contents beyond its capacity. At the
// end, what every instrument reads. No window: the command-line tool and the practice
// editor's "Probar" share it.
#pragma once

#include <QString>
#include <QStringList>

#include <cstdint>
#include <functional>
#include <vector>

class CEquipo;
class CPractica;

namespace Comprobacion {

struct Problema {
    long m_nPaso = 0;   // the tick after which it was seen; 0: before the first
    QString m_strDonde; // "Catálogo" or the item, as Nombre says it
    QString m_strTexto;
};

struct Lectura {
    int m_nEquipo = 0; // place on the bench, from 1
    int32_t m_nTipo = 0;
    QString m_strNombre;
    double m_dValor = 0.0;
    QString m_strUnidad; // as the instrument's display shows it: "g", "°C", "pH", "mol/l"
};

struct Resultado {
    long m_nPasos = 0;
    std::vector<Problema> m_problemas;
    std::vector<Lectura> m_lecturas;
    bool Correcta() const { return m_problemas.empty(); }
};

constexpr long kPasos = 600; // one minute of the bench at the program's 100 ms tick

// Checks the practice as it stands and runs its bench for nPasos ticks (the bench is left
// as the ticks made it). Each problem is told once per item, at the first tick it shows.
// fnPaso, when given, hears of every tick done (a long run's progress).
Resultado Comprobar(CPractica& practica, long nPasos = kPasos,
                    const std::function<void(long)>& fnPaso = {});

// "n.º 2, Vaso de precipitados 250 ml en (100, 80)".
QString Nombre(const CEquipo* pEquipo, int nLugar);

// The report as lines of Spanish text.
QStringList Informe(const Resultado& r);

} // namespace Comprobacion
