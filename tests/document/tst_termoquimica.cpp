// Practice 921, enthalpies of neutralisation and of solution and Hess's law, followed on a
// bench as its procedure says, on the catalogue of the template the program carries; and the
// heat the practice's room brings: an open beaker cools as a real one does, the lidded
// calorimeter keeps its heat, stearic acid freezes on a plateau, and no joule is lost.
// Expected values: enthalpies of solution at infinite dilution (CRC Handbook, "Enthalpy of
// solution of electrolytes": NaOH -44.51, NH4NO3 +25.69 kJ/mol), of neutralisation
// H+ + OH- -> H2O -55.84 kJ/mol (NBS tables), stearic acid melting at 69.3 °C (CRC) with
// 61.2 kJ/mol (NIST); water 4.184 J/(g °C). When the practice's notes change, this test
// must change with them.
#include "PlantillaPrueba.h"
#include "Procedimiento.h"
#include "document/Extension.h"
#include "document/Practica.h"
#include "equipment/Calorimetro.h"
#include "equipment/ListaEquipo.h"
#include "equipment/Vasos.h"
#include "model/Archivo.h"
#include "model/Catalogo.h"
#include "model/Reloj.h"

#include "Ayudas.h"

#include <QtTest>

#include <algorithm>
#include <cmath>

using namespace prueba;

namespace {

// The bench's clock (model/Reloj.h): 200 steps of 0.3 s.
constexpr int kPasosPorMinuto = static_cast<int>(60.0 / Reloj::kSegundosPorPaso + 0.5);

// The heat a student computes from a temperature change: m c ΔT with the solution taken
// as 100 g of water, kJ.
double CalorKJ(double dGramos, double dDeltaT) {
    return dGramos * 4.184 * dDeltaT / 1000.0;
}

} // namespace

class TestTermoquimica : public QObject {
    Q_OBJECT
    CCatalogo cat;

    // A lidded calorimeter with what f puts into it at 20 °C; returns the largest change of
    // temperature over two simulated minutes and, in *pdCaida, how far it fell from that
    // peak over the five minutes after it.
    template <class F> double Calorimetro(F f, double* pdCaida = nullptr, bool bTapa = true) {
        CListaEquipo lista(&cat);
        auto* c = Nuevo<CCalorimetro>(lista, 400, 300);
        if (bTapa)
            c->Tapar(lista);
        f(lista, *c);
        double dPico = 20.0;
        auto extremo = [&] {
            const double t = c->Temperatura();
            if (std::fabs(t - 20.0) > std::fabs(dPico - 20.0))
                dPico = t;
        };
        for (int i = 0; i < 2 * kPasosPorMinuto; ++i) {
            lista.PasoSimulacion();
            extremo();
        }
        double dCaida = 0.0;
        for (int i = 0; i < 5 * kPasosPorMinuto; ++i) {
            lista.PasoSimulacion();
            dCaida = std::max(dCaida, std::fabs(c->Temperatura() - dPico));
        }
        if (pdCaida)
            *pdCaida = dCaida;
        return dPico - 20.0;
    }

private slots:
    void init() { QVERIFY(Plantilla(Plantillas::kTermoquimica, cat)); }

    // Parts A to C and Hess's law: 50 ml of 1 M HCl and of 1 M NaOH warm the ideal calorimeter
    // by about 6.7 °C (2.79 kJ in 100.9 g of water) and it holds the peak; 2.00 g of NaOH in
    // 100 ml of water 5.3 °C; 8.0 g of NH4NO3 cool it 6.1 °C; 2.00 g of NaOH in 100 ml of
    // 0.5 M HCl 11.9 °C, which is the sum of the first two to within 3 %.
    void entalpias() {
        QVERIFY(cat.m_termica.Tiene());
        const int32_t hcl = Reactivo(cat, "Ácido clorhídrico 1 M");
        const int32_t naoh = Reactivo(cat, "Hidróxido de sodio 1 M");
        const int32_t hcl05 = Reactivo(cat, "Ácido clorhídrico 0.5 M");
        const int32_t lentejas = Reactivo(cat, "Hidróxido de sodio en lentejas");
        const int32_t nitrato = Reactivo(cat, "Nitrato de amonio");
        QVERIFY(hcl >= 0 && naoh >= 0 && hcl05 >= 0 && lentejas >= 0 && nitrato >= 0);

        double dCaida = 0.0;
        const double dNeutralizacion = Calorimetro(
            [&](CListaEquipo& lista, CCalorimetro& c) {
                QVERIFY(c.AddReagent(naoh, 50.0));
                auto* v = Nuevo<CVaso250>(lista, 100, 300);
                QVERIFY(v->AddReagent(hcl, 50.0));
                QVERIFY(v->PourLiquid(c, 0.0) > 49.9);
            },
            &dCaida);
        QVERIFY2(dNeutralizacion > 6.5 && dNeutralizacion < 6.8,
                 qPrintable(QString::number(dNeutralizacion)));
        QVERIFY2(dCaida < 0.2, qPrintable(QString::number(dCaida)));

        auto disolver = [&](int32_t nReactivo, double dGramos, int32_t nLiquido) {
            return Calorimetro([&](CListaEquipo& lista, CCalorimetro& c) {
                if (nLiquido < 0)
                    QVERIFY(c.AddComponent(0, 100.0, UNIDAD_ML));
                else
                    QVERIFY(c.AddReagent(nLiquido, 100.0));
                auto* vidrio = Nuevo<CVidrioReloj>(lista, 100, 300);
                QVERIFY(vidrio->AddReagent(nReactivo, dGramos));
                QVERIFY(vidrio->PourSolid(c) > 0.0);
            });
        };
        const double dSosa = disolver(lentejas, 2.00, -1);
        QVERIFY2(dSosa > 4.8 && dSosa < 5.6, qPrintable(QString::number(dSosa)));
        const double dNitrato = disolver(nitrato, 8.0, -1);
        QVERIFY2(dNitrato < -5.2 && dNitrato > -6.2, qPrintable(QString::number(dNitrato)));
        const double dDirecta = disolver(lentejas, 2.00, hcl05);

        // Per mole of NaOH, as the results form has it: 0.0500 mol in each part.
        const double n = 2.00 / 39.997;
        const double dH1 = -CalorKJ(100.0, dSosa) / n;
        const double dH2 = -CalorKJ(100.0, dNeutralizacion) / 0.0500;
        const double dH3 = -CalorKJ(100.0, dDirecta) / n;
        QVERIFY2(std::fabs(dH3 - (dH1 + dH2)) < 0.03 * std::fabs(dH3),
                 qPrintable(QStringLiteral("%1 %2 %3").arg(dH1).arg(dH2).arg(dH3)));
        // And each is the tabulated one to within the 3 % the heat capacity leaves.
        QVERIFY(std::fabs(dH1 + 44.51) < 0.03 * 44.51);
        QVERIFY(std::fabs(dH2 + 55.84) < 0.03 * 55.84);
    }

    // An open beaker with 100 ml at 60 °C falls towards the room's 20 °C, faster the hotter
    // it is (Newton: the rate is in proportion to the excess), and the open calorimeter
    // keeps its heat far better than the beaker, and the lidded one better still.
    void enfriamiento() {
        auto caida = [&](auto* r, double t0, CListaEquipo& lista) {
            if (!r->AddComponent(0, 100.0, UNIDAD_ML))
                return 0.0;
            r->m_seno.m_dTemperatura = t0;
            Pasos(lista, kPasosPorMinuto);
            return t0 - r->Temperatura();
        };
        CListaEquipo lista(&cat);
        auto* caliente = Nuevo<CVaso250>(lista, 100, 300);
        auto* tibio = Nuevo<CVaso250>(lista, 300, 300);
        const double dCaliente = caida(caliente, 60.0, lista);
        const double dTibio = caida(tibio, 40.0, lista);
        // A real 250 ml beaker with 100 ml of water at 60 °C loses about a degree in its first
        // minute; twice the excess, twice the rate.
        QVERIFY2(dCaliente > 0.5 && dCaliente < 2.0, qPrintable(QString::number(dCaliente)));
        QVERIFY(std::fabs(dCaliente / dTibio - 2.0) < 0.02);
        // Towards the room, never past it: an hour later it is closer, and still above.
        Pasos(lista, 60 * kPasosPorMinuto);
        QVERIFY(caliente->Temperatura() > 20.0 && caliente->Temperatura() < 60.0 - 10.0);
        CListaEquipo otra(&cat);
        auto* abierto = Nuevo<CCalorimetro>(otra, 100, 300);
        const double dAbierto = caida(abierto, 60.0, otra);
        QVERIFY(dAbierto < dCaliente / 2.0 && dAbierto > 0.0);
    }

    // Stearic acid cooled from 90 °C in a test tube holds a plateau at its melting point until
    // it has all set, then cools on; and in every step of it, as in the dissolving of NaOH,
    // the heat the change gives is in the contents or has left for the room, to 1e-6.
    void mesetaYBalance() {
        const int32_t estearico = cat.BuscarComponente(221);
        const int32_t sosa = cat.BuscarComponente(2);
        QVERIFY(estearico < cat.NumComponentes());
        CListaEquipo lista(&cat);
        auto* tubo = Nuevo<CTuboEnsaye>(lista, 100, 300);
        CSeno& s = tubo->m_seno;
        const double dMoles = 10.0 / cat.m_componentes[estearico].m_dMasaMolar;
        s.AgregarEn(ESTADO_LIQUIDO, estearico, dMoles, UNIDAD_MOLES);
        // Molten, as a hot water bath leaves it.
        s.m_faseLiquida.Buscar(estearico)->m_bFundido = 1;
        s.m_dTemperatura = 90.0;
        const double dFusion = 61.2e3 / 4.184; // cal/mol
        double dMeseta = 0.0;
        for (int i = 0; i < 60 * kPasosPorMinuto && s.m_faseLiquida.Moles(estearico) > 0.0; ++i) {
            const double t0 = s.Temperatura(), q0 = s.m_dCalorCedido;
            const double nSolido0 = s.m_faseSolida.Moles(estearico);
            lista.PasoSimulacion();
            const double dDado = (s.m_faseSolida.Moles(estearico) - nSolido0) * dFusion;
            const double dGuardado = s.CapacidadTermica() * (s.Temperatura() - t0);
            const double dCedido = s.m_dCalorCedido - q0;
            QVERIFY2(std::fabs(dDado - dGuardado - dCedido) <= 1e-6 * std::max(dCedido, 1e-9),
                     qPrintable(QString::number(i)));
            if (s.m_faseSolida.Moles(estearico) > 0.0 && s.m_faseLiquida.Moles(estearico) > 0.0) {
                QVERIFY2(std::fabs(s.Temperatura() - 69.3) < 0.5,
                         qPrintable(QString::number(s.Temperatura())));
                dMeseta += Reloj::kSegundosPorPaso;
            }
        }
        QCOMPARE(s.m_faseLiquida.Moles(estearico), 0.0);
        // 2.15 kJ through the tube's 0.03 W/K at 49.3 °C above the room: about 24 min.
        QVERIFY2(dMeseta > 15 * 60.0 && dMeseta < 35 * 60.0, qPrintable(QString::number(dMeseta)));
        Pasos(lista, kPasosPorMinuto);
        QVERIFY(s.Temperatura() < 69.3 - 0.5);

        // NaOH dissolving in the open beaker: every step's heat, to 1e-6.
        auto* vaso = Nuevo<CVaso250>(lista, 300, 300);
        CSeno& v = vaso->m_seno;
        QVERIFY(vaso->AddComponent(0, 100.0, UNIDAD_ML));
        QVERIFY(vaso->AddComponent(sosa, 2.0, UNIDAD_GRAMOS));
        const double dSolucion = -44.51e3 / 4.184;
        for (int i = 0; i < 200; ++i) {
            const double t0 = v.Temperatura(), q0 = v.m_dCalorCedido;
            const double n0 = v.m_faseLiquida.Moles(sosa);
            lista.PasoSimulacion();
            const double dDado = -(v.m_faseLiquida.Moles(sosa) - n0) * dSolucion;
            const double dGuardado = v.CapacidadTermica() * (v.Temperatura() - t0);
            const double dCedido = v.m_dCalorCedido - q0;
            QVERIFY2(std::fabs(dDado - dGuardado - dCedido) <=
                         1e-6 * std::max(std::fabs(dDado) + std::fabs(dCedido), 1e-9),
                     qPrintable(QString::number(i)));
        }
        QVERIFY(v.m_faseSolida.Moles(sosa) == 0.0 && v.Temperatura() > 25.0);
    }

    // The practice keeps its room and its enthalpies through a save and a read; without them
    // a practice writes no thermal record. A damaged room record is refused.
    void guardado() {
        CExtension x = CExtension::Tomar({}, {}, {}, {}, cat, nullptr);
        QVERIFY(x.m_ambiente.Tiene());
        QCOMPARE(int(x.m_termicas.size()), 3);
        CArchivo ar;
        x.Escribir(ar);
        CArchivo lectura(ar.Datos());
        const CExtension y = CExtension::Leer(lectura);
        QVERIFY(y.m_ambiente == x.m_ambiente);
        QVERIFY(y.m_termicas == x.m_termicas);
        CCatalogo sin = cat;
        sin.m_termica = {};
        for (CComponentes& c : sin.m_componentes)
            c.m_termica = {};
        QVERIFY(CExtension::Tomar({}, {}, {}, {}, sin, nullptr).Vacia());
        // A room at 90 °C was written by no program.
        CExtension z;
        z.m_ambiente = x.m_ambiente;
        z.m_ambiente.m_dTemperaturaAmbiente = 90.0;
        CArchivo mal;
        QVERIFY_THROWS_EXCEPTION(CErrorArchivo, z.Escribir(mal));
    }
};

QTEST_GUILESS_MAIN(TestTermoquimica)
#include "tst_termoquimica.moc"
