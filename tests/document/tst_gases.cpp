// Gases that can be measured: the ideal gas law and water's vapour pressure against
// tabulated values, practice 922 (the molar volume of hydrogen) followed on the bench with
// the syringe and with the tube over water, the stopwatch's simulated time, and how a bench
// with the new items is saved.
#include "PlantillaPrueba.h"
#include "Procedimiento.h"
#include "document/Practica.h"
#include "equipment/Erlenmeyer250.h"
#include "equipment/Gases.h"
#include "equipment/Vasos.h"
#include "model/Gases.h"

#include "Ayudas.h"

#include <QtTest>

#include <cmath>

namespace {

using namespace prueba;

// An Erlenmeyer flask with 25 ml of 1 M acid and its delivery tube (outlet to the right), and
// the collector placed where the tube's end comes down into it, both standing on row 400.
template <class T> T* Montar(CListaEquipo& lista, const CCatalogo& cat, CErlenmeyer250*& matraz) {
    matraz = Nuevo<CErlenmeyer250>(lista, 100, 400 - 125);
    matraz->AddReagent(Reactivo(cat, "Ácido clorhídrico 1 M"), 25.0);
    matraz->PonerTubo(lista, 0);
    // The syringe's rubber sleeve, or the trough under the graduated tube, at the tube's end.
    const int dx = std::is_same_v<T, CJeringaGases> ? 140 : 130;
    auto* c = new T;
    c->SetPosition(matraz->m_x + dx, 400 - c->m_cy);
    lista.AgregarAlFrente(c);
    return c;
}

} // namespace

class TestGases : public QObject {
    Q_OBJECT
    CCatalogo cat;
private slots:
    void init() { QVERIFY(Plantilla(922, cat)); }

    // CRC Handbook, "Vapor pressure of water from 0 to 370 °C": 0.6112 kPa at 0 °C, 2.3393 at
    // 20, 3.1699 at 25, 12.352 at 50, 47.414 at 80, 101.42 at 100. The molar volume of an
    // ideal gas at 273.15 K and 101.325 kPa is 22.413 969 54 L/mol (CODATA 2018).
    void leyesDeLosGases() {
        const double tabla[][2] = {{0, 611.2},   {20, 2339.3}, {25, 3169.9},
                                   {50, 12352.}, {80, 47414.}, {100, 101420.}};
        for (const auto& f : tabla)
            QVERIFY2(std::abs(Gases::PresionVaporAgua(f[0]) / f[1] - 1.0) < 1e-3,
                     qPrintable(QString::number(f[0])));
        QVERIFY(std::abs(Gases::VolumenMl(1.0, 0.0, Gases::kAtmosfera) - 22413.97) < 0.01);
        QVERIFY(std::abs(Gases::MolesEnVolumen(22413.97, 0.0, Gases::kAtmosfera) - 1.0) < 1e-6);
        // No reading can be made a number that is not finite.
        for (double t : {-1e308, -273.15, double(NAN), double(INFINITY), 1e308}) {
            QVERIFY(std::isfinite(Gases::PresionVaporAgua(t)));
            QVERIFY(std::isfinite(Gases::VolumenMl(1.0, t, Gases::kAtmosfera)));
        }
        QCOMPARE(Gases::VolumenMl(1.0, 20.0, 0.0), 0.0);
        QCOMPARE(Gases::VolumenMl(double(NAN), 20.0, Gases::kAtmosfera), 0.0);
    }

    // 0.050 g of magnesium, 2.057e-3 mol, with excess acid gives as much hydrogen: 49.5 ml
    // dry at 20 °C and 1 atm in the syringe; over water at 20 °C the hydrogen stands at
    // 101.325 - 2.34 kPa and the same moles take 50.7 ml. Nothing else reaches the collector.
    void volumenMolarDelHidrogeno() {
        for (int nColector = 0; nColector < 2; ++nColector) {
            CListaEquipo lista(&cat);
            CErlenmeyer250* matraz = nullptr;
            CColectorGas* c =
                nColector == 0
                    ? static_cast<CColectorGas*>(Montar<CJeringaGases>(lista, cat, matraz))
                    : Montar<CEudiometro>(lista, cat, matraz);
            Pasos(lista, 2);
            QVERIFY(lista.FindVesselAtProbe(matraz->m_pTubo) == c);
            QCOMPARE(c->VolumenGas(), 0.0);
            matraz->AddReagent(Reactivo(cat, "Cinta de magnesio"), 0.050);
            Pasos(lista, 600);
            QCOMPARE(matraz->m_seno.MolesComponente(cat.BuscarComponente(8)), 0.0);
            const double n = c->m_seno.MolesDe(ESTADO_GAS);
            QVERIFY(std::abs(n / (0.050 / 24.305) - 1.0) < 1e-6);
            QVERIFY(std::abs(c->m_seno.MolesComponente(cat.BuscarComponente(7)) - n) < 1e-12);
            QVERIFY(std::abs(c->Temperatura() - 20.0) < 0.05);
            const double v = c->VolumenGas();
            if (nColector == 0)
                QVERIFY2(v > 48.5 && v < 50.5, qPrintable(QString::number(v)));
            else
                QVERIFY2(std::abs(v - 50.66) < 0.1, qPrintable(QString::number(v)));
            QVERIFY(!c->Rebosando());
            QVERIFY(c->Descripcion().contains(QString::number(v, 'f', 1)));
        }
    }

    // 0.10 g of magnesium would give 99 ml: with 0.12 g the syringe stops at its 100 ml and
    // says that the rest escapes.
    void jeringaLlena() {
        CListaEquipo lista(&cat);
        CErlenmeyer250* matraz = nullptr;
        auto* j = Montar<CJeringaGases>(lista, cat, matraz);
        matraz->AddReagent(Reactivo(cat, "Cinta de magnesio"), 0.12);
        bool bRebosa = false;
        for (int i = 0; i < 600; ++i) {
            lista.PasoSimulacion();
            bRebosa |= j->Rebosando();
            QVERIFY(j->VolumenGas() <= 100.0 + 1e-9);
        }
        QVERIFY(bRebosa);
        QVERIFY(std::abs(j->VolumenGas() - 100.0) < 1e-6);
    }

    // The stopwatch counts the steps of the simulation, 0.3 s each, only while it runs; its
    // space bar starts and stops it, zero puts it back.
    void cronometro() {
        CListaEquipo lista(&cat);
        auto* cr = Nuevo<CCronometro>(lista, 0, 0);
        Pasos(lista, 10);
        QCOMPARE(cr->Texto(), QStringLiteral("00:00.0"));
        CArgumento a;
        QCOMPARE(cr->ComandoDeTecla(Qt::Key_Space), int(ID_CRONOMETRO_MARCHA));
        cr->Ejecutar(ID_CRONOMETRO_MARCHA, lista, a);
        Pasos(lista, 250);
        QCOMPARE(cr->Texto(), QStringLiteral("01:15.0"));
        cr->Ejecutar(ID_CRONOMETRO_MARCHA, lista, a);
        Pasos(lista, 50);
        QCOMPARE(cr->Texto(), QStringLiteral("01:15.0"));
        cr->Ejecutar(cr->ComandoDeTecla(Qt::Key_0), lista, a);
        QCOMPARE(cr->Texto(), QStringLiteral("00:00.0"));
    }

    // A bench with the new items is written in the extended version, which names each, and
    // read back as it was; the described version with one of them is refused, as is a
    // record naming another type or a place with none.
    void guardarLosEquiposNuevos() {
        CPractica p;
        Nuevo<CVaso250>(p.m_listaEquipo, 0, 0);
        const std::vector<uint8_t> sinNuevos = p.EscribirPractica();
        auto* cr = Nuevo<CCronometro>(p.m_listaEquipo, 300, 0);
        Nuevo<CTermometroDigital>(p.m_listaEquipo, 400, 0);
        Nuevo<CEudiometro>(p.m_listaEquipo, 500, 0);
        cr->m_dSegundos = 42.0;
        const std::vector<uint8_t> d = p.EscribirPractica();
        QCOMPARE(std::string(d.begin() + 15, d.begin() + 20), std::string("Vol.2"));
        CPractica q;
        QString strError;
        QCOMPARE(q.LeerPractica(d, "p.uak1", &strError), CPractica::Resultado::Correcto);
        QCOMPARE(q.m_listaEquipo.size(), size_t(4));
        QCOMPARE(q.EscribirPractica(), d);
        auto* leido = dynamic_cast<CCronometro*>(*std::next(q.m_listaEquipo.begin()));
        QVERIFY(leido);
        QCOMPARE(leido->Texto(), QStringLiteral("00:42.0"));
        // The bench as the described version would have it: the same items after a "Vol.1".
        CPractica r;
        Nuevo<CVaso250>(r.m_listaEquipo, 0, 0);
        QCOMPARE(r.EscribirPractica(), sinNuevos);
        CExtension x = CExtension::Tomar(p.m_strPractica, p.m_strResumen, p.m_strAutor,
                                         p.m_strExtra, p.m_catalogo, &p.m_listaEquipo);
        QCOMPARE(x.m_equiposNuevos.size(), size_t(3));
        x.m_equiposNuevos.pop_back();
        QVERIFY_THROWS_EXCEPTION(CErrorArchivo, x.AplicarMesa(q.m_listaEquipo));
        x.m_equiposNuevos.emplace_back(3, int32_t(TipoEquipo::JeringaGases));
        QVERIFY_THROWS_EXCEPTION(CErrorArchivo, x.AplicarMesa(q.m_listaEquipo));
        x.m_equiposNuevos.back() = {4, int32_t(TipoEquipo::Eudiometro)};
        QVERIFY_THROWS_EXCEPTION(CErrorArchivo, x.AplicarMesa(q.m_listaEquipo));
        CExtension vacia;
        QVERIFY_THROWS_EXCEPTION(CErrorArchivo, vacia.AplicarMesa(q.m_listaEquipo));
    }
};

QTEST_MAIN(TestGases)
#include "tst_gases.moc"
