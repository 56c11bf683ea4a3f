// Practices 919 and 920 followed on a bench as their procedures say, on the catalogues of the
// templates the program carries: 2 g of marble in 50 ml of 2 M hydrochloric acid on a balance,
// chips against powder (0.44 g of CO2 per gram of CaCO3 at the end), and 50 ml of 3 % hydrogen
// peroxide without and with manganese(IV) oxide (0.70 g of O2 at the end, the oxide kept).
// When the practices' notes change, this test must change with them.
#include "PlantillaPrueba.h"
#include "Procedimiento.h"
#include "document/Extension.h"
#include "equipment/Instrumentos.h"
#include "equipment/ListaEquipo.h"
#include "equipment/Vasos.h"
#include "model/Catalogo.h"
#include "model/Reloj.h"

#include "Ayudas.h"

#include <QtTest>

#include <algorithm>
#include <cstring>

using namespace prueba;

namespace {

struct Ensayo {
    CVaso250* m_pVaso;
    CBalanza* m_pBalanza;
    double m_dInicial;
    double Perdido() const { return m_dInicial - m_pBalanza->Peso(); }
};

// A beaker on a balance with the liquid reagent in it, then the solid: the mass the balance
// reads with the liquid, plus the grams of solid added, as the procedure says.
Ensayo Montar(CListaEquipo& lista, int x, int32_t nLiquido, double dMl, int32_t nSolido,
              double dGramos) {
    auto* b = Nuevo<CBalanza>(lista, x, 400);
    auto* v = Nuevo<CVaso250>(lista, x, 100);
    PonerSobre(*v, *b);
    v->AddReagent(nLiquido, dMl);
    Pasos(lista, 1);
    const double m = b->Peso() + (nSolido >= 0 ? dGramos : 0.0);
    if (nSolido >= 0)
        v->AddReagent(nSolido, dGramos);
    return {v, b, m};
}

// Steps (of the bench's clock, model/Reloj.h) until the trial has lost the given mass; -1 if not
// within the limit.
long Hasta(CListaEquipo& lista, const Ensayo& e, double dGramos, long nMaximo) {
    for (long n = 1; n <= nMaximo; ++n) {
        Pasos(lista, 1); // the balance reads on each step
        if (e.Perdido() >= dGramos)
            return n;
    }
    return -1;
}

} // namespace

class TestVelocidad : public QObject {
    Q_OBJECT
    CCatalogo cat;
private slots:
    void cleanup() { cat = CCatalogo(); }

    // Powder at least five times faster than chips of the same mass; 1 M acid slower than
    // 2 M; 0.88 g lost at the end in every trial (2 g of CaCO3, 0.0200 mol, 0.880 g of CO2).
    void marmol() {
        QVERIFY(Plantilla(919, cat));
        const int32_t a2 = Reactivo(cat, "Ácido clorhídrico 2 M");
        const int32_t a1 = Reactivo(cat, "Ácido clorhídrico 1 M");
        const int32_t trozos = Reactivo(cat, "Mármol en trozos");
        const int32_t polvo = Reactivo(cat, "Mármol en polvo");
        QVERIFY(a2 >= 0 && a1 >= 0 && trozos >= 0 && polvo >= 0);
        long nTrozos = 0, nPolvo = 0, n1M = 0;
        for (auto [nAcido, nMarmol, pn] :
             {std::tuple{a2, trozos, &nTrozos}, {a2, polvo, &nPolvo}, {a1, trozos, &n1M}}) {
            CListaEquipo lista(&cat);
            const Ensayo e = Montar(lista, 100, nAcido, 50.0, nMarmol, 2.0);
            *pn = Hasta(lista, e, 0.44, 60000);
            QVERIFY(*pn > 0);
            Pasos(lista, 30000); // two and a half hours: all of it
            QVERIFY2(std::fabs(e.Perdido() - 0.8794) < 0.005,
                     qPrintable(QString::number(e.Perdido())));
        }
        // Half of the chips in one to four minutes, as in a school laboratory.
        const double dTrozos = static_cast<double>(nTrozos) * Reloj::kSegundosPorPaso;
        QVERIFY2(dTrozos >= 60.0 && dTrozos <= 240.0, qPrintable(QString::number(dTrozos)));
        QVERIFY2(nTrozos >= 5 * nPolvo,
                 qPrintable(QStringLiteral("%1 %2").arg(nTrozos).arg(nPolvo)));
        QVERIFY2(n1M > 1.5 * nTrozos, qPrintable(QStringLiteral("%1 %2").arg(n1M).arg(nTrozos)));
    }

    // Without the oxide almost nothing in five minutes; with 0.5 g, half the oxygen (0.355 g)
    // within a few minutes, all of it (0.704 g: 0.044 mol of H2O2) in the end, the solution
    // warmer, and the 0.5 g of oxide still there.
    void peroxido() {
        QVERIFY(Plantilla(920, cat));
        const int32_t h = Reactivo(cat, "Peróxido de hidrógeno al 3 %");
        const int32_t mn = Reactivo(cat, "Óxido de manganeso(IV)");
        QVERIFY(h >= 0 && mn >= 0);
        CListaEquipo lista(&cat);
        const Ensayo sin = Montar(lista, 100, h, 50.0, -1, 0.0);
        const Ensayo con = Montar(lista, 400, h, 50.0, mn, 0.5);
        const long n = Hasta(lista, con, 0.352, 6000);
        QVERIFY2(n > 100 && n < 3000, qPrintable(QString::number(n)));
        Pasos(lista, 3000 - static_cast<int>(n));
        QVERIFY(sin.Perdido() < 0.001);
        Pasos(lista, 30000);
        QVERIFY2(std::fabs(con.Perdido() - 0.704) < 0.01,
                 qPrintable(QString::number(con.Perdido())));
        const int32_t oxido = cat.BuscarComponente(204);
        QVERIFY(std::fabs(con.m_pVaso->m_seno.m_faseSolida.Moles(oxido) * 86.93685 - 0.5) < 1e-9);
    }

    // The rate law and the surface forms go through the file and back; a record with a
    // negative activation energy, an order past 3 or a surface factor of 0 is refused, and
    // the practice open stays as it was.
    void archivo() {
        for (int n : {919, 920}) {
            const QByteArray b = Plantillas::Bytes(n);
            CPractica p;
            QCOMPARE(p.LeerPlantilla(std::vector<uint8_t>(b.begin(), b.end()), "p.akp", nullptr),
                     CPractica::Resultado::Correcto);
            const std::vector<uint8_t> d = p.EscribirPractica();
            CPractica q;
            QCOMPARE(q.LeerPractica(d, "q.uak1", nullptr), CPractica::Resultado::Correcto);
            QCOMPARE(q.m_catalogo.m_reacciones.size(), p.m_catalogo.m_reacciones.size());
            for (size_t i = 0; i < p.m_catalogo.m_reacciones.size(); ++i)
                QVERIFY(q.m_catalogo.m_reacciones[i].m_cinetica ==
                        p.m_catalogo.m_reacciones[i].m_cinetica);
            QVERIFY(q.m_catalogo.m_reacciones.back().m_cinetica.Tiene());
            for (size_t i = 0; i < p.m_catalogo.m_componentes.size(); ++i)
                QVERIFY(q.m_catalogo.m_componentes[i].m_superficie ==
                        p.m_catalogo.m_componentes[i].m_superficie);
            // A record: tag, length, the entry's place, then its numbers.
            auto con = [&d](int32_t nEtiqueta, size_t nDesplazamiento, auto x) {
                const uint8_t t[4] = {uint8_t(nEtiqueta), uint8_t(nEtiqueta >> 8), 0, 0};
                auto it = std::search(d.begin(), d.end(), t, t + 4);
                std::vector<uint8_t> m = d;
                if (it != d.end())
                    std::memcpy(m.data() + (it - d.begin()) + 12 + nDesplazamiento, &x, sizeof x);
                return m;
            };
            std::vector<std::vector<uint8_t>> malos = {
                con(CExtension::kCinetica, 16, -1.0), // Ea
                con(CExtension::kCinetica, 24, 3.5),  // the first order
                con(CExtension::kCinetica, 0, 0.0),   // k
                con(CExtension::kCinetica, 0, 1e101)};
            if (n == 919)
                malos.push_back(con(CExtension::kSuperficie, 4, 0.0));
            for (const auto& m : malos) {
                QVERIFY(m != d);
                QString strError;
                QVERIFY(q.LeerPractica(m, "m.uak1", &strError) != CPractica::Resultado::Correcto);
                QVERIFY(!strError.isEmpty());
                QVERIFY(q.m_catalogo.m_reacciones.back().m_cinetica ==
                        p.m_catalogo.m_reacciones.back().m_cinetica);
            }
        }
    }
};

QTEST_MAIN(TestVelocidad)
#include "tst_velocidad.moc"
