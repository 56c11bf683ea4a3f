#include "document/Comprobacion.h"
#include "equipment/Conversiones.h"

#include "document/Practica.h"
#include "document/Validacion.h"
#include "equipment/ListaEquipo.h"
#include "equipment/Recipiente.h"
#include "model/Catalogo.h"

#include <QCoreApplication>

#include <algorithm>
#include <cmath>
#include <set>
#include <span>
#include <string>
#include <utility>

namespace Comprobacion {

namespace {

// The three phases of a vessel, and their names in the messages.
constexpr int32_t kFases[3] = {ESTADO_LIQUIDO, ESTADO_SOLIDO, ESTADO_GAS};
constexpr const char* kNombresFase[3] = {"líquida", "sólida", "gaseosa"};

// The tables of a catalogue.
struct Tablas {
    std::span<const CComponentes> m_componentes;
    std::span<const CReactivos> m_reactivos;
    std::span<const CReacciones> m_reacciones;
    std::span<const CIndicadores> m_indicadores;
};

class Comprobador {
public:
    explicit Comprobador(Resultado& r) : m_r(r) {}

    // The checks every practice passes when it opens (Validacion), then what only matters
    // to a run: water where every rule expects it, proportions that add up to something and
    // reactions that name what the practice has.
    void Catalogo(const CCatalogo& cat) {
        for (const Validacion::Problema& q : Validacion::Validar(cat))
            m_r.m_problemas.push_back({0, q.m_strDonde, q.m_strMensaje});
        const Tablas t{cat.m_componentes, cat.m_reactivos, cat.m_reacciones, cat.m_indicadores};
        const QString strDonde = QStringLiteral("Catálogo");
        auto problema = [&](const QString& s) { m_r.m_problemas.push_back({0, strDonde, s}); };
        const auto nComponentes = static_cast<int32_t>(t.m_componentes.size());
        auto fuera = [&](int32_t n) { return n < 0 || n >= nComponentes; };
        if (t.m_componentes.empty())
            problema(QStringLiteral("no tiene componentes"));
        else if (t.m_componentes[0].m_strFormula != "H2O")
            problema(QStringLiteral("el primer componente, «%1», no es el agua (H2O)")
                         .arg(Q(t.m_componentes[0].m_strNombre)));
        for (const CComponentes& k : t.m_componentes)
            if (k.m_nEstado < ESTADO_SOLIDO || k.m_nEstado > ESTADO_GAS)
                problema(QStringLiteral("el componente «%1» no es sólido, líquido ni gas")
                             .arg(Q(k.m_strNombre)));
        // Repeated names are among the checks above.
        for (const CReactivos& r : t.m_reactivos) {
            const QString s = QStringLiteral("el reactivo «%1»").arg(Q(r.m_strNombre));
            for (const CContenido& e : r.m_listaComposicion)
                if (fuera(e.m_nComponente))
                    problema(s + QStringLiteral(" usa un componente que no está en el catálogo"));
            if (r.m_bPorProporcion != 0 && !(r.SumaProporciones() > 0.0))
                problema(s + QStringLiteral(" tiene proporciones que no suman nada"));
        }
        for (const CReacciones& R : t.m_reacciones)
            for (int k = 0; k < 3; ++k)
                if ((R.m_nCoefReactivo[k] > 0 && fuera(R.m_nReactivo[k])) ||
                    (R.m_nCoefProducto[k] > 0 && fuera(R.m_nProducto[k])))
                    problema(QStringLiteral("la reacción «%1» usa un componente que no está en "
                                            "el catálogo")
                                 .arg(Q(R.m_strTexto1)));
    }

    // The vessels of the bench after a tick (0: as the practice starts).
    void Mesa(const CListaEquipo& lista, const CCatalogo& cat, long nPaso) {
        int nLugar = 0;
        for (const CEquipo* e : lista) {
            ++nLugar;
            const CRecipiente* r = e->Recipiente();
            if (!r)
                continue;
            const CSeno& s = r->m_seno;
            if (s.EnLimite()) {
                const CReacciones* R = cat.Reaccion(s.ReaccionEnLimite());
                Una(e, nLugar, nPaso, 8,
                    QCoreApplication::translate(
                        "Comprobacion",
                        "la reacción «%1» da más materia de la que toma y llegó a la mayor "
                        "cantidad que una práctica puede guardar: la simulación la detiene ahí")
                        .arg(R ? Q(R->m_strTexto1) : QString()));
            }
            if (!std::isfinite(s.Temperatura()))
                Una(e, nLugar, nPaso, 0, QStringLiteral("la temperatura no es un número finito"));
            for (int i = 0; i < 3; ++i) {
                const int32_t f = kFases[i];
                auto cantidad = [&](double d, const QString& strQue) {
                    if (!std::isfinite(d))
                        Una(e, nLugar, nPaso, 1 + i,
                            QStringLiteral("%1 de la fase %2 no es un número finito")
                                .arg(strQue, QString::fromUtf8(kNombresFase[i])));
                    else if (d < 0.0)
                        Una(e, nLugar, nPaso, 4 + i,
                            QStringLiteral("%1 de la fase %2 es menor que cero (%3)")
                                .arg(strQue, QString::fromUtf8(kNombresFase[i]))
                                .arg(d));
                };
                cantidad(s.VolumenDe(f), QStringLiteral("el volumen"));
                cantidad(s.MasaDe(f), QStringLiteral("la masa"));
                for (const CEntradaFase& c : s.Contenido(f, true)) {
                    const CComponentes* k = cat.Componente(c.m_nComponente);
                    const QString strQue =
                        QStringLiteral("la cantidad de %1").arg(k ? Q(k->m_strFormula) : "?");
                    for (double d :
                         {c.m_dMoles, c.m_dGramos, c.m_dMl, c.m_dMolesAnion, c.m_dMolesCation})
                        cantidad(d, strQue);
                }
            }
            // A little slack for the rounding of what was poured to the brim.
            const double dOcupado = r->VolumenOcupado();
            if (r->m_dCapacidad > 0.0 && dOcupado > r->m_dCapacidad * (1.0 + 1e-9) + 1e-9)
                Una(e, nLugar, nPaso, 7,
                    QStringLiteral("contiene %1 ml y su capacidad es %2 ml")
                        .arg(dOcupado, 0, 'f', 2)
                        .arg(r->m_dCapacidad, 0, 'f', 2));
        }
    }

    // What a file's bench holds is taken as it stands, so amounts written by hand must agree
    // with each other: each entry's grams with its moles, its millilitres with its grams,
    // no more free ions than its formula units give, and a phase's mass with its entries'.
    void Coherencia(const CListaEquipo& lista, const CCatalogo& cat) {
        auto distinto = [](double a, double b) {
            return std::abs(a - b) > 1e-6 + 1e-4 * std::max(std::abs(a), std::abs(b));
        };
        auto tr = [](const char* psz) { return QCoreApplication::translate("Comprobacion", psz); };
        int nLugar = 0;
        for (const CEquipo* e : lista) {
            ++nLugar;
            const CRecipiente* r = e->Recipiente();
            if (!r)
                continue;
            const CSeno& s = r->m_seno;
            for (int i = 0; i < 3; ++i) {
                const QString strFase = QString::fromUtf8(kNombresFase[i]);
                double dGramos = 0.0;
                for (const CEntradaFase& c : s.Contenido(kFases[i], true)) {
                    dGramos += c.m_dGramos;
                    const CComponentes* k = cat.Componente(c.m_nComponente);
                    if (!k)
                        continue;
                    double g = 0.0, ml = 0.0;
                    k->MasaVolumen(c.m_dMoles, g, ml);
                    const QString strDe = Q(k->m_strFormula);
                    if (distinto(c.m_dGramos, g))
                        Una(e, nLugar, 0, 10 + i,
                            tr("en la fase %1, %2 tiene %3 g para %4 mol (serían %5 g)")
                                .arg(strFase, strDe)
                                .arg(c.m_dGramos, 0, 'g', 6)
                                .arg(c.m_dMoles, 0, 'g', 6)
                                .arg(g, 0, 'g', 6));
                    else if (k->m_dDensidad > 0.0 && distinto(c.m_dMl, ml))
                        Una(e, nLugar, 0, 10 + i,
                            tr("en la fase %1, %2 tiene %3 ml para %4 g (serían %5 ml)")
                                .arg(strFase, strDe)
                                .arg(c.m_dMl, 0, 'g', 6)
                                .arg(c.m_dGramos, 0, 'g', 6)
                                .arg(ml, 0, 'g', 6));
                    if (c.m_dMolesAnion > c.m_dMoles * k->m_nCantidadAnion * (1.0 + 1e-9) + 1e-12 ||
                        c.m_dMolesCation > c.m_dMoles * k->m_nCantidadCation * (1.0 + 1e-9) + 1e-12)
                        Una(e, nLugar, 0, 13 + i,
                            tr("en la fase %1, %2 tiene más iones libres de los que dan sus "
                               "%3 mol")
                                .arg(strFase, strDe)
                                .arg(c.m_dMoles, 0, 'g', 6));
                }
                if (distinto(s.MasaDe(kFases[i]), dGramos))
                    Una(e, nLugar, 0, 16 + i,
                        tr("la fase %1 dice pesar %2 g y sus entradas suman %3 g")
                            .arg(strFase)
                            .arg(s.MasaDe(kFases[i]), 0, 'g', 6)
                            .arg(dGramos, 0, 'g', 6));
            }
        }
    }

private:
    // Each kind of problem of an item is told once, when it first shows.
    void Una(const CEquipo* e, int nLugar, long nPaso, int nClase, const QString& s) {
        if (m_vistos.insert({e, nClase}).second)
            m_r.m_problemas.push_back({nPaso, Nombre(e, nLugar), s});
    }

    Resultado& m_r;
    std::set<std::pair<const CEquipo*, int>> m_vistos;
};

} // namespace

QString Nombre(const CEquipo* e, int nLugar) {
    return QStringLiteral("n.º %1, %2 en (%3, %4)")
        .arg(nLugar)
        .arg(Q(e->m_strNombre))
        .arg(e->m_x)
        .arg(e->m_y);
}

Resultado Comprobar(CPractica& practica, long nPasos, const std::function<void(long)>& fnPaso) {
    Resultado r;
    r.m_nPasos = nPasos;
    Comprobador c(r);
    c.Catalogo(practica.m_catalogo);
    c.Mesa(practica.m_listaEquipo, practica.m_catalogo, 0);
    c.Coherencia(practica.m_listaEquipo, practica.m_catalogo);
    for (long i = 1; i <= nPasos; ++i) {
        practica.m_listaEquipo.PasoSimulacion();
        c.Mesa(practica.m_listaEquipo, practica.m_catalogo, i);
        if (fnPaso)
            fnPaso(i);
    }
    // What the run made must still be a practice the student can save.
    try {
        (void)practica.EscribirPractica();
    } catch (const CErrorArchivo& e) {
        r.m_problemas.push_back(
            {nPasos, QStringLiteral("Práctica"),
             QCoreApplication::translate("Comprobacion",
                                         "después de la simulación no se podría guardar: %1")
                 .arg(QString::fromUtf8(e.what()))});
    }
    int nLugar = 0;
    for (const CEquipo* e : practica.m_listaEquipo) {
        ++nLugar;
        const std::optional<CLectura> pantalla = e->Lectura();
        if (!pantalla)
            continue;
        Lectura l;
        l.m_dValor = pantalla->m_dValor;
        l.m_strUnidad = pantalla->m_strUnidad;
        l.m_nEquipo = nLugar;
        l.m_nTipo = e->m_nTipo;
        l.m_strNombre = Q(e->m_strNombre);
        r.m_lecturas.push_back(l);
        // An instrument that shows no number is a problem too.
        if (!std::isfinite(l.m_dValor))
            r.m_problemas.push_back(
                {nPasos, Nombre(e, nLugar), QStringLiteral("la lectura no es un número finito")});
    }
    return r;
}

QStringList Informe(const Resultado& r) {
    QStringList v;
    v << QStringLiteral("Pasos simulados: %1").arg(r.m_nPasos);
    if (r.Correcta())
        v << QStringLiteral("Sin problemas.");
    else
        v << QStringLiteral("Problemas: %1").arg(r.m_problemas.size());
    for (const Problema& p : r.m_problemas)
        v << (p.m_nPaso == 0 ? QStringLiteral("  %1: %2").arg(p.m_strDonde, p.m_strTexto)
                             : QStringLiteral("  paso %1, %2: %3")
                                   .arg(p.m_nPaso)
                                   .arg(p.m_strDonde, p.m_strTexto));
    v << QStringLiteral("Lecturas al final: %1").arg(r.m_lecturas.size());
    for (const Lectura& l : r.m_lecturas)
        v << QStringLiteral("  n.º %1, %2: %3%4")
                 .arg(l.m_nEquipo)
                 .arg(l.m_strNombre)
                 .arg(l.m_dValor, 0, 'f', 4)
                 .arg(l.m_strUnidad.isEmpty() ? QString() : QLatin1Char(' ') + l.m_strUnidad);
    return v;
}

} // namespace Comprobacion
