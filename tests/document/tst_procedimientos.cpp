// The procedures of the built-in practices, followed step by step on a bench as a student
// would carry them out, on the catalogues of the templates the program carries: items placed
// where the text says (on the burner, under the elbow, the probe in the vessel), the material
// added with the amounts the text gives, the simulation run for as long as the student waits,
// and the outcome the text promises checked. When a practice's notes change, this test must
// change with them.
#include "PlantillaPrueba.h"
#include "Procedimiento.h"
#include "document/Plantillas.h"
#include "document/Practica.h"
#include "document/Registro.h"
#include "document/Rtf.h"
#include "equipment/Calentadores.h"
#include "equipment/Calorimetro.h"
#include "equipment/Destilacion.h"
#include "equipment/Erlenmeyer250.h"
#include "equipment/Instrumentos.h"
#include "equipment/ListaEquipo.h"
#include "equipment/Recipientes.h"
#include "equipment/TiposEquipo.h"
#include "equipment/Titulacion.h"
#include "equipment/Vasos.h"
#include "model/Catalogo.h"

#include "Ayudas.h"

#include <QRegularExpression>
#include <QTextDocument>
#include <QtTest>

#include <algorithm>
#include <cmath>
#include <string>

namespace {

using namespace prueba;

// Puts the vessel on the balance, reads it and puts the vessel back where it stood; NaN
// when the balance does not find the vessel on it.
double Pesar(CListaEquipo& lista, CBalanza& balanza, CRecipiente& r) {
    const QPoint antes(r.m_x, r.m_y);
    PonerSobre(r, balanza);
    Pasos(lista, 2);
    const double d = lista.FindVesselAtProbe(&balanza) == &r ? balanza.Peso() : std::nan("");
    Arrastrar(r, antes.x(), antes.y());
    Pasos(lista, 1);
    return d;
}

COLORREF ColorSolido(const CRecipiente& r) {
    return r.m_seno.m_faseSolida.ColorFase().m_crColor;
}

bool Rosa(COLORREF c) {
    return RojoDe(c) > 0xE0 && AzulDe(c) > 0xE0 && VerdeDe(c) < 0xA0;
}

} // namespace

class TestProcedimientos : public QObject {
    Q_OBJECT
    CCatalogo cat;
private slots:
    void cleanup() { cat = CCatalogo(); }

    // 900: copper is weighed, dissolved in nitric acid (nitric oxide escapes and the mass
    // drops by exactly its mass), precipitated as the hydroxide (nothing escapes and the
    // total mass stays), taken back into solution with sulphuric acid and recovered with
    // zinc: the copper weighed at the end is the copper weighed at the start. The
    // thermometer the notes suggest sees the heat of each step: some 4 degrees as the copper
    // dissolves, 3 more with the hydroxide, 8 as the zinc deposits the copper.
    void conservacionDeLaMateria() {
        QVERIFY(Plantilla(900, cat));
        const int32_t cobre = cat.BuscarComponente(47);
        const int32_t hidroxidoCobre = cat.BuscarComponente(155);
        const int32_t zinc = cat.BuscarComponente(150);
        const int32_t nitratoCobre = cat.BuscarComponente(159);
        CListaEquipo lista(&cat);
        auto* balanza = Nuevo<CBalanza>(lista, 300, 500);
        auto* vaso = Nuevo<CVaso250>(lista, 60, 200);
        auto* probeta = Nuevo<CProbeta100>(lista, 520, 200);
        auto* vasoDesecho = Nuevo<CVaso250>(lista, 700, 200);
        auto pesar = [&](CRecipiente* r) {
            const QPoint antes(r->m_x, r->m_y);
            PonerSobre(*r, *balanza);
            if (lista.FindVesselAtProbe(balanza) != r)
                return std::nan(""); // not on the pan: every comparison below fails
            Pasos(lista, 2);
            const double d = balanza->Peso();
            Arrastrar(*r, antes.x(), antes.y());
            Pasos(lista, 1);
            return d;
        };

        // 1-3: the empty beaker, tare, the copper.
        PonerSobre(*vaso, *balanza);
        QCOMPARE(lista.FindVesselAtProbe(balanza), vaso);
        Pasos(lista, 2);
        const double mVaso = balanza->Peso();
        QCOMPARE(QString::number(mVaso, 'f', 4), QStringLiteral("75.0000"));
        balanza->Tarar();
        QVERIFY(vaso->AddReagent(Reactivo(cat, "Limaduras de Cobre"), 0.5));
        Pasos(lista, 2);
        QCOMPARE(QString::number(balanza->Peso(), 'f', 4), QStringLiteral("0.5000"));
        const double nCobre = vaso->m_seno.m_faseSolida.Moles(cobre);

        // 4: the beaker off the pan, tare the empty balance: total masses from now on.
        Arrastrar(*vaso, 60, 200);
        Pasos(lista, 1);
        QCOMPARE(balanza->Peso(), -mVaso);
        balanza->Tarar();
        Pasos(lista, 1);
        QCOMPARE(balanza->Peso(), 0.0);

        // 5-7: nitric acid measured in the cylinder, weighed, poured on the copper.
        QVERIFY(probeta->AddReagent(Reactivo(cat, "Acido nitrico 1 M"), 30.0));
        const double m1 = pesar(probeta);
        const double m2 = pesar(vaso);
        QVERIFY(std::fabs(m2 - (mVaso + 0.5)) < 1e-9);
        QVERIFY(probeta->PourLiquid(*vaso, 0.0) > 29.9); // "Decantar"
        auto capacidad = [&] {
            return vaso->m_seno.m_faseLiquida.CapacidadCalorifica() +
                   vaso->m_seno.m_faseSolida.CapacidadCalorifica();
        };
        lista.PasoSimulacion();
        // 85.69 kcal for every 3 mol of copper, as the formation enthalpies give.
        const double dTCobre = vaso->m_seno.m_dTemperatura - 20.0;
        QVERIFY(std::fabs(dTCobre - nCobre / 3.0 * 85690.0 / capacidad()) < 0.05);
        QVERIFY(dTCobre > 3.5 && dTCobre < 4.5);
        Pasos(lista, 9);
        QCOMPARE(vaso->m_seno.m_faseSolida.Moles(cobre), 0.0); // all the copper dissolved
        QVERIFY(vaso->m_seno.m_faseLiquida.Moles(nitratoCobre) > 0.99 * nCobre);
        QCOMPARE(vaso->m_seno.m_faseGas.MolesTotales(), 0.0); // the gas has gone
        const COLORREF azulClaro = ColorLiquido(*vaso);
        QVERIFY(AzulDe(azulClaro) > RojoDe(azulClaro) + 0x30); // the solution turns blue
        const double m3 = pesar(vaso);
        const double m4 = pesar(probeta);
        QCOMPARE(QString::number(m4, 'f', 4), QStringLiteral("50.0000"));
        // What is missing is the nitric oxide: 2 mol of NO for every 3 mol of copper.
        const double perdida = (m1 + m2) - (m3 + m4);
        QVERIFY(std::fabs(perdida - 2.0 / 3.0 * nCobre * 30.0061) < 1e-3);
        QVERIFY(perdida > 0.15 && perdida < 0.17);

        // 8-10: sodium hydroxide: a blue precipitate, and nothing leaves the beaker. The
        // hydroxide neutralises the nitric acid left over and precipitates the copper, and
        // both warm the beaker: 13.35 kcal for each mole of water formed, 13.05 for each
        // mole of the hydroxide. The student reads about 3 degrees more than before the
        // pour, the cold hydroxide having first cooled the warm beaker a little.
        QVERIFY(probeta->AddReagent(Reactivo(cat, "Hidroxido de sodio 1 M"), 25.0));
        const double m5 = pesar(probeta);
        const double nAcidoSobrante = vaso->m_seno.m_faseLiquida.Moles(cat.BuscarComponente(152));
        QVERIFY(std::fabs(nAcidoSobrante - (0.030 - 8.0 / 3.0 * nCobre)) < 1e-9);
        const double tAnotada = vaso->m_seno.m_dTemperatura;
        QVERIFY(tAnotada > 21.0);
        QVERIFY(probeta->PourLiquid(*vaso, 0.0) > 24.9);
        const double tMezcla = vaso->m_seno.m_dTemperatura;
        lista.PasoSimulacion();
        const double dT = vaso->m_seno.m_dTemperatura - tMezcla;
        QVERIFY(std::fabs(dT - (nAcidoSobrante * 13350.0 + nCobre * 13050.0) / capacidad()) < 0.05);
        const double dTLeido = vaso->m_seno.m_dTemperatura - tAnotada;
        QVERIFY2(dTLeido > 2.5 && dTLeido < 3.5, qPrintable(QString::number(dTLeido)));
        Pasos(lista, 9);
        QVERIFY(std::fabs(vaso->m_seno.m_faseSolida.Moles(hidroxidoCobre) - nCobre) < 1e-9);
        const COLORREF precipitado = ColorSolido(*vaso);
        QVERIFY(AzulDe(precipitado) > 0xA0 && RojoDe(precipitado) < 0x40);
        const double m6 = pesar(vaso);
        const double m7 = pesar(probeta);
        QVERIFY(std::fabs((m3 + m5) - (m6 + m7)) < 1e-4); // same to the last figure shown

        // 11-12: sulphuric acid dissolves the precipitate; zinc brings the copper back.
        const int32_t naoh = cat.BuscarComponente(2);
        QVERIFY(vaso->m_seno.m_faseLiquida.Moles(naoh) > 0.0); // a little hydroxide is left
        QVERIFY(vaso->AddReagent(Reactivo(cat, "Acido sulfúrico 1 M"), 15.0));
        Pasos(lista, 5);
        QCOMPARE(vaso->m_seno.m_faseSolida.Moles(hidroxidoCobre), 0.0);
        QCOMPARE(vaso->m_seno.m_faseLiquida.Moles(naoh), 0.0); // the acid neutralised it
        const COLORREF azulSulfato = ColorLiquido(*vaso);
        QVERIFY(AzulDe(azulSulfato) > RojoDe(azulSulfato) + 0x18); // copper sulphate is blue
        const double tAntesZinc = vaso->m_seno.m_dTemperatura;
        QVERIFY(vaso->AddReagent(Reactivo(cat, "Limaduras de zinc"), 0.8));
        lista.PasoSimulacion();
        QVERIFY(vaso->m_seno.m_faseGas.MolesTotales() > 0.0); // hydrogen from the excess acid
        Pasos(lista, 10);
        const double dTZinc = vaso->m_seno.m_dTemperatura - tAntesZinc;
        QVERIFY2(dTZinc > 7.5 && dTZinc < 8.5, qPrintable(QString::number(dTZinc)));
        QCOMPARE(vaso->m_seno.m_faseGas.MolesTotales(), 0.0);
        QCOMPARE(vaso->m_seno.m_faseSolida.Moles(zinc), 0.0); // no zinc left over
        const COLORREF rojizo = ColorSolido(*vaso);
        QVERIFY(RojoDe(rojizo) > AzulDe(rojizo) + 0x60);
        // With the copper out of the solution, its blue has gone.
        const COLORREF incoloro = ColorLiquido(*vaso);
        QVERIFY(AzulDe(incoloro) - RojoDe(incoloro) < 0x08);

        // 13-14: decant the solution; the copper stays and is weighed.
        QVERIFY(vaso->PourLiquid(*vasoDesecho, 0.0) > 60.0);
        QCOMPARE(vaso->VolumenLiquido(), 0.0);
        Pasos(lista, 3);
        const double m8 = pesar(vaso);
        QCOMPARE(QString::number(m8 - mVaso, 'f', 4), QStringLiteral("0.5000"));
        QVERIFY(std::fabs(vaso->m_seno.m_faseSolida.Moles(cobre) - nCobre) < 1e-12);
    }

    // 901: the mixture boils in the flask on the hot plate at its bubble point, about 72 °C,
    // and the head's thermometer climbs slowly as the acetone and then the ethanol run out
    // (a simple distillation: no plateaus); the first fraction is collected up to 76 °C, the
    // second up to 85 °C; the salt stays behind.
    void destilacionSimple() {
        QVERIFY(Plantilla(901, cat));
        const int32_t agua = 0;
        const int32_t sal = cat.BuscarComponente(4);
        const int32_t etanol = cat.BuscarComponente(9);
        const int32_t acetona = cat.BuscarComponente(23);
        CListaEquipo lista(&cat);
        auto* parrilla = Nuevo<CParrilla>(lista, 60, 450);
        auto* matraz = Nuevo<CMatrazBalon>(lista, 300, 200);
        QVERIFY(matraz->AddReagent(Reactivo(cat, "Mezcla de liquidos"), 50.0));
        QVERIFY(matraz->PonerCabeza(lista));
        QVERIFY(matraz->PonerCondensador(lista));
        auto* codo = matraz->PonerCodo(lista);
        QVERIFY(codo);
        PonerSobre(*matraz, *parrilla); // the whole set moves with the flask
        QCOMPARE(lista.FindVesselOnSource(parrilla, false), matraz);
        QVERIFY(parrilla->Comando(ID_NIVEL5));
        // The first beaker with its mouth just under the elbow's tip.
        auto* fraccion1 = Nuevo<CVaso100>(lista, codo->m_x - 8, codo->m_y + codo->m_cy + 8);
        auto* fraccion2 = Nuevo<CVaso100>(lista, 600, 600);
        lista.PasoSimulacion();
        QCOMPARE(codo->m_pConectado, fraccion1);
        auto termometro = [&] { return matraz->m_seno.m_dTemperatura; }; // what the head shows
        const double salAntes = matraz->m_seno.m_faseLiquida.Moles(sal);

        // Heating: nothing distils until the mixture boils, between the acetone's boiling point
        // and the ethanol's.
        int n = 0;
        for (double t = -1.0; termometro() > t + 0.1 && n < 400; ++n) {
            t = termometro();
            lista.PasoSimulacion();
        }
        QVERIFY(n < 250);                           // about a minute at the default speed
        QVERIFY(fraccion1->VolumenLiquido() < 0.1); // the first drops
        QVERIFY2(termometro() > 70.0 && termometro() < 74.0,
                 qPrintable(QString::number(termometro())));

        // First fraction: the temperature climbs without a stop up to 76 °C.
        int nPasos = 0;
        double dAnterior = termometro();
        while (termometro() < 76.0 && nPasos < 2000) {
            lista.PasoSimulacion();
            ++nPasos;
            QVERIFY(termometro() >= dAnterior - 1e-9);
            dAnterior = termometro();
        }
        QVERIFY(nPasos > 150 && nPasos < 1000);
        QVERIFY(codo->m_bGota || fraccion1->VolumenLiquido() > 0.0);
        // The second beaker goes under the elbow as soon as the temperature climbs.
        Arrastrar(*fraccion1, 600, 450);
        Arrastrar(*fraccion2, codo->m_x - 8, codo->m_y + codo->m_cy + 8);
        lista.PasoSimulacion();
        QCOMPARE(codo->m_pConectado, fraccion2);

        // Second fraction: switch off above 85 degrees.
        int nSegunda = 0;
        while (termometro() < 85.0 && nSegunda < 2000) {
            lista.PasoSimulacion();
            ++nSegunda;
        }
        QVERIFY(nSegunda < 2000);
        QVERIFY(parrilla->Comando(ID_APAGAR));
        Pasos(lista, 60);                        // what is still in the condenser drips down
        QVERIFY(matraz->VolumenLiquido() > 1.0); // the flask is not left dry

        const CSeno& s1 = fraccion1->m_seno;
        const CSeno& s2 = fraccion2->m_seno;
        QVERIFY(fraccion1->VolumenLiquido() > 15.0 && fraccion1->VolumenLiquido() < 25.0);
        QVERIFY(fraccion2->VolumenLiquido() > 15.0 && fraccion2->VolumenLiquido() < 35.0);
        // The first fraction is mostly acetone, the second mostly ethanol; neither is pure.
        const auto ml = [](const CSeno& s, int32_t c) {
            const CContenido* e = s.m_faseLiquida.Buscar(c);
            return e ? e->m_dMl : 0.0;
        };
        QVERIFY(ml(s1, acetona) > 0.5 * fraccion1->VolumenLiquido());
        QVERIFY(ml(s2, etanol) > 0.6 * fraccion2->VolumenLiquido());
        QVERIFY(ml(s2, acetona) < 0.3 * fraccion2->VolumenLiquido());
        QVERIFY(ml(s1, agua) < ml(s1, acetona));
        // The salt does not distil.
        QCOMPARE(s1.MolesComponente(sal), 0.0);
        QCOMPARE(s2.MolesComponente(sal), 0.0);
        QCOMPARE(matraz->m_seno.m_faseLiquida.Moles(sal) + matraz->m_seno.m_faseSolida.Moles(sal),
                 salAntes);

        // Forgotten on a burner, 100 ml of the mixture boil dry in ten minutes: the last
        // film of water must not drive the boiling point (and the beaker) to thousands of
        // degrees, and no volume may go below zero on the way.
        auto* mechero = Nuevo<CMechero>(lista, 900, 600);
        auto* vaso = Nuevo<CVaso250>(lista, 0, 0);
        PonerSobre(*vaso, *mechero);
        QVERIFY(vaso->AddReagent(Reactivo(cat, "Mezcla de liquidos"), 100.0));
        double dMaxima = 0.0;
        for (int i = 0; i < 6000; ++i) {
            lista.PasoSimulacion();
            dMaxima = std::max(dMaxima, vaso->m_seno.m_dTemperatura);
            QVERIFY(vaso->VolumenLiquido() >= 0.0 && vaso->VolumenSolido() >= 0.0);
        }
        QVERIFY2(dMaxima < 200.0, qPrintable(QString::number(dMaxima))); // it read 9,088 degrees
    }

    // 902, part A: blue hydrated copper sulphate heated in the crucible loses its water
    // from about 63 degrees and turns white, the thermometer holding while the water leaves
    // (the balance shows the mass lost, five waters per formula unit); the white powder,
    // cooled and wetted, turns blue again and warms the water by some 30 degrees, the heat
    // that 79 kJ/mol of hydration give.
    void reversibilidadDeLasReacciones() {
        QVERIFY(Plantilla(902, cat));
        const int32_t anhidro = cat.BuscarComponente(40);
        const int32_t hidratado = cat.BuscarComponente(5);
        CListaEquipo lista(&cat);
        auto* mechero = Nuevo<CMechero>(lista, 100, 400);
        auto* balanza = Nuevo<CBalanza>(lista, 400, 500);
        auto* crisol = Nuevo<CCrisol>(lista, 80, 200);
        auto* termometro = Nuevo<CTermometro>(lista, 700, 100);

        PonerSobre(*crisol, *balanza);
        Pasos(lista, 2);
        QCOMPARE(QString::number(balanza->Peso(), 'f', 4), QStringLiteral("25.0000"));
        QVERIFY(crisol->AddReagent(Reactivo(cat, "Sulfato de cobre pentahidratado"), 10.0));
        Pasos(lista, 2);
        const double mAntes = balanza->Peso();
        QCOMPARE(QString::number(mAntes, 'f', 4), QStringLiteral("35.0000"));
        const double nSal = crisol->m_seno.m_faseSolida.Moles(hidratado);
        QVERIFY(AzulDe(ColorSolido(*crisol)) > 0xF0 && RojoDe(ColorSolido(*crisol)) < 0x10);

        // On the burner with the thermometer in it.
        PonerSobre(*crisol, *mechero);
        Sumergir(*termometro, *crisol);
        lista.PasoSimulacion();
        QCOMPARE(lista.FindVesselOnSource(mechero, false), crisol);
        QCOMPARE(lista.FindVesselAtProbe(termometro), crisol);
        int n = 0, nMeseta = 0;
        double tCambio = 0.0, tMin = 1000.0, tMax = 0.0;
        while (crisol->m_seno.m_faseSolida.Moles(hidratado) > 0.0 && n < 2000) {
            lista.PasoSimulacion();
            ++n;
            if (crisol->m_seno.m_faseSolida.Moles(anhidro) > 0.0) {
                if (tCambio == 0.0)
                    tCambio = termometro->m_dLectura;
                ++nMeseta;
                tMin = std::min(tMin, termometro->m_dLectura);
                tMax = std::max(tMax, termometro->m_dLectura);
            }
        }
        QVERIFY(n < 1800); // seven minutes at the default speed, under three at the fastest
        QVERIFY(tCambio > 60.5 && tCambio < 63.5); // it starts at 63 degrees
        // Taking the water off as vapour absorbs heat: the thermometer stays at 61-63 for
        // more than a minute.
        QVERIFY(nMeseta > 600);
        QVERIFY(tMin > 60.5 && tMax < 63.5);
        const COLORREF blanco = ColorSolido(*crisol);
        QVERIFY(RojoDe(blanco) > 0xF0 && VerdeDe(blanco) > 0xF0 && AzulDe(blanco) > 0xF0);
        QVERIFY(std::fabs(crisol->m_seno.m_faseSolida.Moles(anhidro) - nSal) < 1e-9);
        // Heated on until the thermometer passes 70 degrees, so that no vapour is left to
        // wet the salt again.
        n = 0;
        while (termometro->m_dLectura < 70.0 && n < 1000) {
            lista.PasoSimulacion();
            ++n;
        }
        QVERIFY(n < 600);
        QCOMPARE(crisol->m_seno.m_faseGas.MolesTotales(), 0.0);
        QCOMPARE(crisol->m_seno.m_faseSolida.Moles(hidratado), 0.0);

        // Off the burner and onto the balance: the water has gone.
        PonerSobre(*crisol, *balanza);
        Sumergir(*termometro, *crisol);
        Pasos(lista, 3);
        const double mDespues = balanza->Peso();
        const double perdida = mAntes - mDespues;
        QVERIFY(std::fabs(perdida - 5.0 * nSal * 18.01528) < 1e-3);
        QVERIFY(perdida / 10.0 > 0.35 && perdida / 10.0 < 0.37); // 36 % of the mass
        QVERIFY(std::fabs(perdida / 18.01528 / (mDespues - 25.0) * 159.6036 - 5.0) < 0.01);

        // The white powder goes to a beaker ("Transferir") and cools to the room's temperature.
        auto* vaso = Nuevo<CVaso100>(lista, 500, 250);
        crisol->PourLiquid(*vaso, 0.0);
        QVERIFY(crisol->PourSolid(*vaso) > 0.0);
        QCOMPARE(crisol->m_seno.m_faseSolida.MolesTotales(), 0.0);
        Sumergir(*termometro, *vaso);
        lista.PasoSimulacion();
        QCOMPARE(lista.FindVesselAtProbe(termometro), static_cast<CRecipiente*>(vaso));
        n = 0;
        while (std::lround(termometro->m_dLectura) > 20 && n < 3000) {
            lista.PasoSimulacion();
            ++n;
        }
        QVERIFY(n < 100); // a few seconds
        const double tFrio = termometro->m_dLectura;

        // 25 ml of water: blue again at once, the water warms by some 30 degrees and the
        // salt dissolves into a blue solution, which cools back slowly.
        QVERIFY(vaso->AddComponent(0, 25.0, UNIDAD_ML));
        lista.PasoSimulacion();
        QCOMPARE(vaso->m_seno.m_faseSolida.Moles(anhidro), 0.0);
        QVERIFY(AzulDe(ColorSolido(*vaso)) > 0xF0 && RojoDe(ColorSolido(*vaso)) < 0x10);
        lista.PasoSimulacion(); // the thermometer reads the beaker of the step before
        const double tCaliente = termometro->m_dLectura;
        // What the student computes: the heat taken by the 25 g of water, per mole of salt.
        const double dH = 25.0 * 4.184 * (tCaliente - tFrio) / nSal / 1000.0;
        QVERIFY2(dH > 0.9 * 79.1 && dH < 1.1 * 79.1, qPrintable(QString::number(dH)));
        Pasos(lista, 60);
        QCOMPARE(vaso->m_seno.m_faseSolida.MolesTotales(), 0.0); // dissolved
        QVERIFY(AzulDe(ColorLiquido(*vaso)) > RojoDe(ColorLiquido(*vaso)) + 0x40);
        QVERIFY(termometro->m_dLectura < tCaliente && termometro->m_dLectura > tFrio + 20.0);

        {
            // Part B: phenolphthalein is pink in the hydroxide, colourless once more acid than
            // base has been added, and pink again with more base. The colour comes and goes,
            // the neutralisation does not: each addition leaves salt and water behind.
            CListaEquipo mesa(&cat);
            auto* tubo = Nuevo<CTuboEnsaye>(mesa, 100, 300);
            auto* phmetro = Nuevo<CPHmetro>(mesa, 400, 100);
            Sumergir(*phmetro, *tubo);
            const int32_t naoh = Reactivo(cat, "Hidróxido de sodio 0.1 Molar");
            const int32_t hcl = Reactivo(cat, "Acido clorhídrico 0.1 Molar");
            const int32_t sal = cat.BuscarComponente(4);
            // The pH meter's display after each addition: 0.5 mmol of acid or base in excess.
            auto ph = [&] { return QString::number(phmetro->m_dLectura, 'f', 2); };
            auto phExceso = [](bool bAcido, double dMl) {
                const double p = -std::log10(0.0005 / (dMl / 1000.0));
                return QString::number(bAcido ? p : 14.0 - p, 'f', 2);
            };
            QVERIFY(tubo->AddReagent(naoh, 5.0));
            tubo->m_seno.m_faseLiquida.AgregarIndicador(Indicador(cat, "Fenolftaleina"));
            Pasos(mesa, 3);
            QCOMPARE(mesa.FindVesselAtProbe(phmetro), tubo);
            QVERIFY(Rosa(ColorLiquido(*tubo)));
            QCOMPARE(ph(), QStringLiteral("13.00"));

            QVERIFY(tubo->AddReagent(hcl, 10.0));
            Pasos(mesa, 3);
            QVERIFY(!Rosa(ColorLiquido(*tubo)));
            QVERIFY(VerdeDe(ColorLiquido(*tubo)) > 0xF0);
            QCOMPARE(ph(), QStringLiteral("1.48"));
            QCOMPARE(ph(), phExceso(true, 15.0));
            QVERIFY(std::fabs(tubo->m_seno.m_faseLiquida.Moles(sal) - 0.0005) < 1e-12);

            QVERIFY(tubo->AddReagent(naoh, 10.0));
            Pasos(mesa, 3);
            QVERIFY(Rosa(ColorLiquido(*tubo)));
            QCOMPARE(ph(), phExceso(false, 25.0));

            QVERIFY(tubo->AddReagent(hcl, 10.0));
            Pasos(mesa, 3);
            QVERIFY(!Rosa(ColorLiquido(*tubo)));
            QCOMPARE(ph(), phExceso(true, 35.0));
            // 1.5 mmol of salt and of water made in the three neutralisations.
            QVERIFY(std::fabs(tubo->m_seno.m_faseLiquida.Moles(sal) - 0.0015) < 1e-12);
            QVERIFY(std::fabs(tubo->VolumenLiquido() - 35.0 - 0.0015 * 18.01528) < 1e-6);
        }
    }

    // 903: 100 ml of each problem solution titrated from the 50 ml burette, so that every
    // one needs more than 8 ml of hydroxide and a drop (0.05 ml) is less than 1 % of it.
    // Each unknown is titrated with each of the three indicators; phenolphthalein's first
    // pink, bromothymol blue's blue and methyl orange's full yellow come within one drop of
    // the equivalence volume, and the pH meter's curve is steepest there too. Methyl
    // orange's first change to orange comes 5 to 9 % early on these dilute samples. The
    // window's "Lectura" is the burette's scale: the repeat of part B starts where part A
    // left the burette (18.55 ml), and the volume delivered is the final reading minus it.
    void titulacionAcidoBase() {
        QVERIFY(Plantilla(903, cat));
        const struct {
            const char* pszProblema;
            double dMolaridad;
        } kProblemas[] = {
            {"Solución problema 1", 0.01654},
            {"Solución problema 2", 0.00854},
            {"Solución problema 3", 0.01},
        };
        enum { FENOLFTALEINA, AZUL_BROMOTIMOL, NARANJA_METILO };
        const char* const kIndicadores[] = {"Fenolftaleina", "Azul de Bromotimol",
                                            "Naranja de Metilo"};
        // The colour the notes tell the student to wait for.
        auto vira = [](int nIndicador, COLORREF c) {
            switch (nIndicador) {
            case FENOLFTALEINA:
                return VerdeDe(c) < 0xF0; // the first lasting pink
            case AZUL_BROMOTIMOL:
                return AzulDe(c) > 0xF0 && RojoDe(c) < 0x90; // blue
            default:
                return VerdeDe(c) > 0xF0; // yellow
            }
        };
        for (const auto& problema : kProblemas) {
            const double vEquivalencia = problema.dMolaridad * 100.0 / 0.1;
            QVERIFY(vEquivalencia >= 8.0);
            for (int nIndicador = FENOLFTALEINA; nIndicador <= NARANJA_METILO; ++nIndicador) {
                CListaEquipo lista(&cat);
                auto* matraz = Nuevo<CErlenmeyer250>(lista, 300, 340);
                auto* bureta = Nuevo<CBureta50>(lista, 700, 20);
                auto* phmetro = Nuevo<CPHmetro>(lista, 800, 100);

                // 100 ml of the problem solution, the indicator and the pH meter's probe.
                QVERIFY(matraz->AddReagent(Reactivo(cat, problema.pszProblema), 100.0));
                matraz->m_seno.m_faseLiquida.AgregarIndicador(
                    Indicador(cat, kIndicadores[nIndicador]));
                Sumergir(*phmetro, *matraz);
                Pasos(lista, 3);
                QCOMPARE(lista.FindVesselAtProbe(phmetro), static_cast<CRecipiente*>(matraz));
                const double phInicial = phmetro->m_dLectura;
                QVERIFY(std::fabs(phInicial - (-std::log10(problema.dMolaridad))) < 0.01);
                const COLORREF colorInicial = ColorLiquido(*matraz);
                QVERIFY(!vira(nIndicador, colorInicial));

                // The burette filled with 50 ml of the hydroxide, its tip at the flask's mouth.
                QVERIFY(bureta->AddReagent(Reactivo(cat, "Hidróxido de sodio 0.1 Molar"), 50.0));
                Arrastrar(*bureta, matraz->m_x + matraz->m_cx / 2 - bureta->m_cx / 2,
                          matraz->m_y - bureta->m_cy + 2);
                // "Titular" finds the flask under the tip; the stopcock wide open lets a drop
                // go on every tick.
                QCOMPARE(CTitulacion::BuscarReceptor(lista, *bureta),
                         static_cast<CEquipo*>(matraz));
                CTitulacion titulacion;
                titulacion.Iniciar(bureta, matraz);
                titulacion.m_nApertura = CTitulacion::kAbierta;
                QCOMPARE(titulacion.Lectura(), 0.0); // filled to the zero mark

                // Drop by drop (0.05 ml), a few bench steps apart, the pH of each drop noted
                // as the titration window records it. The lab log records the pH meter and
                // the burette once a drop (every three steps).
                CRegistro registro;
                registro.m_dIntervalo = 3 * CRegistro::kSegundosPorPaso;
                QVERIFY(registro.Registrar(*phmetro, lista));
                QVERIFY(registro.Registrar(*bureta, lista));
                auto pasos = [&](int n) {
                    for (int i = 0; i < n; ++i) {
                        lista.PasoSimulacion();
                        registro.Paso(lista);
                    }
                };
                std::vector<std::pair<double, double>> curva;
                double vVire = -1.0, vNaranja = -1.0;
                for (int gota = 1; gota <= 2 * int(vEquivalencia / 0.05) && vVire < 0.0; ++gota) {
                    QVERIFY(titulacion.Paso());
                    pasos(3);
                    const double v = titulacion.Lectura(); // the window's "Lectura"
                    curva.push_back({v, phmetro->m_dLectura});
                    if (vira(nIndicador, ColorLiquido(*matraz)))
                        vVire = v;
                    if (vNaranja < 0.0 &&
                        VerdeDe(ColorLiquido(*matraz)) > VerdeDe(colorInicial) + 4)
                        vNaranja = v;
                    if (v < vEquivalencia - 0.1) {
                        QVERIFY(phmetro->m_dLectura < 4.5);
                    }
                }
                // The colour changes within one drop of the equivalence volume: the
                // concentration found is within 1 % of the true one.
                QVERIFY2(std::fabs(vVire - vEquivalencia) <= 0.05 + 1e-9,
                         qPrintable(QStringLiteral("%1, %2: vira a %3 ml, equivalencia %4 ml")
                                        .arg(problema.pszProblema)
                                        .arg(kIndicadores[nIndicador])
                                        .arg(vVire)
                                        .arg(vEquivalencia)));
                const double molaridad = 0.1 * vVire / 100.0;
                QVERIFY(std::fabs(molaridad - problema.dMolaridad) / problema.dMolaridad < 0.01);
                if (nIndicador == NARANJA_METILO) {
                    const double dAdelanto = (vEquivalencia - vNaranja) / vEquivalencia;
                    QVERIFY2(dAdelanto > 0.04 && dAdelanto < 0.09,
                             qPrintable(QString::number(dAdelanto)));
                }

                // Two more millilitres for the curve's upper part; its steepest step lies at
                // the equivalence point.
                for (int gota = 0; gota < 40; ++gota) {
                    QVERIFY(titulacion.Paso());
                    pasos(3);
                    curva.push_back({titulacion.Lectura(), phmetro->m_dLectura});
                }
                QVERIFY(phmetro->m_dLectura > 10.0);
                // The log's first derivative of pH against the burette's volume peaks
                // within one drop of the equivalence volume, with a jump of pH units.
                const CRegistro::Puntos ph = registro.PuntosDe(0, registro.SerieVolumen());
                QCOMPARE(registro.SerieVolumen(), 1);
                QCOMPARE(ph.size(), registro.Filas());
                const auto maximo = CRegistro::Maximo(CRegistro::Derivada(ph));
                QVERIFY(maximo);
                QVERIFY2(std::fabs(maximo->first - vEquivalencia) <= 0.05 + 1e-9,
                         qPrintable(QString::number(maximo->first)));
                QVERIFY(maximo->second * 0.05 > 2.0);
                // A drop every three steps (0.9 s): the burette's volume against time is
                // straight, and its tangent is that rate.
                const CRegistro::Puntos v = registro.PuntosDe(1);
                const double dRapidez = 0.05 / (3 * CRegistro::kSegundosPorPaso);
                for (size_t i : {size_t(30), v.size() / 2})
                    QVERIFY2(std::fabs(CRegistro::Tangente(v, i, 6) - dRapidez) < 1e-3 * dRapidez,
                             qPrintable(QString::number(CRegistro::Tangente(v, i, 6))));
                if (&problema != &kProblemas[0] || nIndicador != FENOLFTALEINA)
                    continue;

                // B: the repeat in a second flask, from the burette as part A left it: more
                // than 20 ml in it, so it is not refilled, and its reading is not zero.
                const double lecturaInicial = titulacion.Lectura();
                QCOMPARE(QString::number(lecturaInicial, 'f', 2), QStringLiteral("18.55"));
                QVERIFY(bureta->VolumenLiquido() > 20.0);
                auto* segundo = Nuevo<CErlenmeyer250>(lista, 60, 340);
                QVERIFY(segundo->AddReagent(Reactivo(cat, problema.pszProblema), 100.0));
                segundo->m_seno.m_faseLiquida.AgregarIndicador(
                    Indicador(cat, kIndicadores[nIndicador]));
                Arrastrar(*bureta, segundo->m_x + segundo->m_cx / 2 - bureta->m_cx / 2,
                          segundo->m_y - bureta->m_cy + 2);
                QCOMPARE(CTitulacion::BuscarReceptor(lista, *bureta),
                         static_cast<CEquipo*>(segundo));
                titulacion.Iniciar(bureta, segundo);
                titulacion.m_nApertura = CTitulacion::kAbierta;
                // Wide open up to the reading the notes give (18.55 + 16.55 - 1 = 34.10 ml):
                // no colour yet; then drop by drop to the first pink.
                while (titulacion.Lectura() < lecturaInicial + vVire - 1.0 - 1e-9) {
                    QVERIFY(titulacion.Paso());
                    lista.PasoSimulacion();
                }
                QCOMPARE(QString::number(titulacion.Lectura(), 'f', 2), QStringLiteral("34.10"));
                QVERIFY(!vira(nIndicador, ColorLiquido(*segundo)));
                double lecturaFinal = -1.0;
                for (int gota = 0; gota < 60 && lecturaFinal < 0.0; ++gota) {
                    QVERIFY(titulacion.Paso());
                    Pasos(lista, 3);
                    if (vira(nIndicador, ColorLiquido(*segundo)))
                        lecturaFinal = titulacion.Lectura();
                }
                QVERIFY(std::fabs(lecturaFinal - lecturaInicial - vVire) <= 0.05 + 1e-9);
            }
        }
    }

    // 904: the metal comes to 100 degrees in boiling water, the water is decanted, the hot
    // metal goes into the calorimeter's water; the lid's reading gives the heat that a gram
    // of the metal takes per degree.
    void calorEspecifico() {
        QVERIFY(Plantilla(904, cat));
        for (int32_t r = 0; r < cat.NumReactivos(); ++r) {
            CListaEquipo lista(&cat);
            auto* parrilla = Nuevo<CParrilla>(lista, 60, 450);
            auto* vaso = Nuevo<CVaso250>(lista, 300, 200);
            auto* vasoAgua = Nuevo<CVaso250>(lista, 500, 300);
            auto* termometro = Nuevo<CTermometro>(lista, 700, 100);
            auto* calorimetro = Nuevo<CCalorimetro>(lista, 800, 300);

            // The calorimeter with 50 ml of water, closed: its lid reads the temperature.
            QVERIFY(calorimetro->AddComponent(0, 50.0, UNIDAD_ML));
            auto* tapa = calorimetro->Tapar(lista);
            lista.PasoSimulacion();
            const double tAgua = tapa->m_dLectura;
            QCOMPARE(tAgua, 20.0);

            // 200 g of the metal in 30 ml of water, on the hot plate at level 5.
            QVERIFY(vaso->AddComponent(0, 30.0, UNIDAD_ML));
            QVERIFY(vaso->AddReagent(r, 200.0));
            PonerSobre(*vaso, *parrilla);
            Sumergir(*termometro, *vaso);
            QVERIFY(parrilla->Comando(ID_NIVEL5));
            int n = 0;
            while (std::lround(termometro->m_dLectura) < 100 && n < 1000) {
                lista.PasoSimulacion();
                ++n;
            }
            QVERIFY(n < 400); // two minutes at the default speed at most
            Pasos(lista, 10); // it boils for a while

            // Plate off, water decanted, the metal's temperature read, then "Transferir".
            QVERIFY(parrilla->Comando(ID_APAGAR));
            QVERIFY(vaso->PourLiquid(*vasoAgua, 0.0) > 25.0);
            Pasos(lista, 3);
            const double tMetal = std::round(termometro->m_dLectura); // as the display shows it
            QVERIFY(tMetal >= 99.0 && tMetal <= 101.0);
            vaso->PourLiquid(*calorimetro, 0.0);
            QVERIFY(vaso->PourSolid(*calorimetro) > 0.0);
            QCOMPARE(vaso->m_seno.m_faseSolida.MolesTotales(), 0.0);
            Pasos(lista, 2);
            const double tFinal = std::round(tapa->m_dLectura);
            Pasos(lista, 20);
            QCOMPARE(std::round(tapa->m_dLectura), tFinal); // and it stays there

            const double c = 50.0 * 1.0 * (tFinal - tAgua) / (200.0 * (tMetal - tFinal));
            const int32_t metal = cat.m_reactivos[r].m_listaComposicion.front().m_nComponente;
            const double cTabla = cat.m_componentes[metal].m_dCalorEspecifico;
            QVERIFY2(std::fabs(c - cTabla) / cTabla < 0.1,
                     qPrintable(QStringLiteral("%1: c = %2, tabla %3")
                                    .arg(QString::fromStdString(cat.m_reactivos[r].m_strNombre))
                                    .arg(c)
                                    .arg(cTabla)));
            // Dulong and Petit: that heat times the molar mass is close to 6 cal/(mol °C).
            const double cm = c * cat.m_componentes[metal].m_dMasaMolar;
            QVERIFY(cm > 5.4 && cm < 6.8);
        }
    }

    // 905: 100 ml of 0.100 M copper sulphate made from 2.497 g of the pentahydrate,
    // dissolved in 50 ml of water and made up to the mark; 10 ml of it taken with the
    // volumetric pipette and made up to 100 ml give 0.0100 M. The properties window's
    // moles and volume give both concentrations within 0.5 %; the dilute solution is paler
    // and conducts less.
    void preparacionDeDisoluciones() {
        QVERIFY(Plantilla(905, cat));
        const int32_t sal = cat.BuscarComponente(5);
        CListaEquipo lista(&cat);
        auto* balanza = Nuevo<CBalanza>(lista, 300, 560);
        auto* vasoA = Nuevo<CVaso250>(lista, 60, 300);
        auto* vasoB = Nuevo<CVaso250>(lista, 560, 300);
        auto* pipeta = Nuevo<CPipetaVolumetrica>(lista, 400, 40);
        auto* conductimetro = Nuevo<CConductimetro>(lista, 800, 60);
        // "Agregar agua" with "Aforar a:": the water that takes the vessel to the mark.
        auto aforar = [](CRecipiente& r, double dMarca) {
            return r.AddComponent(0, dMarca - r.VolumenOcupado(), UNIDAD_ML);
        };
        auto molaridad = [&](const CRecipiente& r) {
            return r.m_seno.m_faseLiquida.Moles(sal) / (r.VolumenLiquido() / 1000.0);
        };

        // 0.100 mol/l x 0.1000 l x 249.68 g/mol = 2.497 g, weighed in beaker A.
        PonerSobre(*vasoA, *balanza);
        Pasos(lista, 2);
        QCOMPARE(lista.FindVesselAtProbe(balanza), static_cast<CRecipiente*>(vasoA));
        balanza->Tarar();
        QVERIFY(vasoA->AddReagent(Reactivo(cat, "Sulfato de cobre pentahidratado"), 2.497));
        Pasos(lista, 2);
        QCOMPARE(QString::number(balanza->Peso(), 'f', 4), QStringLiteral("2.4970"));
        Arrastrar(*vasoA, 60, 300);

        // 50 ml of water; the salt dissolves within a few seconds; then up to the mark.
        QVERIFY(vasoA->AddComponent(0, 50.0, UNIDAD_ML));
        int n = 0;
        while (vasoA->m_seno.m_faseSolida.Moles(sal) > 0.0 && n < 100) {
            lista.PasoSimulacion();
            ++n;
        }
        QVERIFY(n < 30);
        QVERIFY(aforar(*vasoA, 100.0));
        Pasos(lista, 2);
        QVERIFY(std::fabs(vasoA->VolumenLiquido() - 100.0) < 1e-9);
        QVERIFY(std::fabs(molaridad(*vasoA) - 0.100) / 0.100 < 0.005);

        // 10 ml with the volumetric pipette into beaker B, made up to 100 ml.
        Arrastrar(*pipeta, vasoA->m_x + vasoA->m_cx / 2 - pipeta->m_cx / 2,
                  vasoA->m_y + 2 - pipeta->m_cy);
        lista.PasoSimulacion();
        QCOMPARE(pipeta->m_pConectado, static_cast<CRecipiente*>(vasoA));
        QCOMPARE(vasoA->PourLiquid(*pipeta, CPipetaVolumetrica::kVolumen), 10.0);
        Arrastrar(*pipeta, vasoB->m_x + vasoB->m_cx / 2 - pipeta->m_cx / 2,
                  vasoB->m_y + 2 - pipeta->m_cy);
        lista.PasoSimulacion();
        QCOMPARE(pipeta->m_pConectado, static_cast<CRecipiente*>(vasoB));
        QCOMPARE(pipeta->PourLiquid(*vasoB, CPipetaVolumetrica::kVolumen), 10.0);
        Arrastrar(*pipeta, 400, 40);
        QVERIFY(aforar(*vasoB, 100.0));
        Pasos(lista, 2);
        QVERIFY(std::fabs(molaridad(*vasoB) - 0.0100) / 0.0100 < 0.005);

        // Paler, and a tenth of the ions: the conductimeter's needle moves less.
        const COLORREF a = ColorLiquido(*vasoA), b = ColorLiquido(*vasoB);
        QVERIFY(AzulDe(a) > RojoDe(a) + 0x20);                                 // light blue
        QVERIFY(RojoDe(b) > RojoDe(a) + 0x18 && AzulDe(b) - RojoDe(b) < 0x10); // nearly colourless
        Sumergir(*conductimetro, *vasoA);
        Pasos(lista, 2);
        const double cA = conductimetro->m_dLectura;
        Sumergir(*conductimetro, *vasoB);
        Pasos(lista, 2);
        const double cB = conductimetro->m_dLectura;
        QVERIFY(cA > 0.0 && std::fabs(cA / cB - 10.0) < 0.1);
    }

    // 906: 10 ml of 0.5 M copper sulphate with 4, 8, 10, 12 and 16 ml of 1 M hydroxide.
    // The precipitate weighed after decanting grows with the hydroxide up to 10 ml (two
    // moles per mole of copper) and no further; the liquid stays blue while copper is left
    // and phenolphthalein turns pink only once the hydroxide is in excess.
    void reactivoLimitante() {
        QVERIFY(Plantilla(906, cat));
        const int32_t hidroxidoCobre = cat.BuscarComponente(155);
        const double kMlBase[] = {4.0, 8.0, 10.0, 12.0, 16.0};
        for (const double dMlBase : kMlBase) {
            CListaEquipo lista(&cat);
            auto* balanza = Nuevo<CBalanza>(lista, 300, 560);
            auto* vaso = Nuevo<CVaso100>(lista, 60, 300);
            auto* desecho = Nuevo<CVaso250>(lista, 560, 300);

            // The empty beaker tared on the balance.
            PonerSobre(*vaso, *balanza);
            Pasos(lista, 2);
            QCOMPARE(lista.FindVesselAtProbe(balanza), static_cast<CRecipiente*>(vaso));
            balanza->Tarar();
            Arrastrar(*vaso, 60, 300);
            Pasos(lista, 1);

            QVERIFY(vaso->AddReagent(Reactivo(cat, "Sulfato de cobre 0.5 M"), 10.0));
            vaso->m_seno.m_faseLiquida.AgregarIndicador(Indicador(cat, "Fenolftaleina"));
            QVERIFY(vaso->AddReagent(Reactivo(cat, "Hidróxido de sodio 1 M"), dMlBase));
            Pasos(lista, 10);
            const COLORREF c = ColorLiquido(*vaso);
            if (dMlBase < 10.0) {
                QVERIFY(AzulDe(c) > RojoDe(c) + 0x06 && !Rosa(c)); // copper left: bluish
            } else if (dMlBase == 10.0) {
                QVERIFY(AzulDe(c) - RojoDe(c) < 0x08 && VerdeDe(c) > 0xF0); // colourless
            } else {
                QVERIFY(Rosa(c)); // hydroxide left
            }

            // The liquid decanted off, the precipitate weighed in its beaker.
            QVERIFY(vaso->PourLiquid(*desecho, 0.0) > 0.0);
            QCOMPARE(vaso->VolumenLiquido(), 0.0);
            PonerSobre(*vaso, *balanza);
            Pasos(lista, 2);
            const double nCobre = std::min(0.001 * dMlBase / 2.0, 0.005);
            QCOMPARE(QString::number(balanza->Peso(), 'f', 4),
                     QString::number(nCobre * 97.56068, 'f', 4));
            QVERIFY(std::fabs(vaso->m_seno.m_faseSolida.Moles(hidroxidoCobre) - nCobre) < 1e-12);
        }
    }

    // 907: 100 ml of water heated on the hot plate at level 5 climbs steadily and then
    // stays at its boiling temperature, 100 degrees; with 34.23 g and 68.46 g of sucrose
    // (1 and 2 mol/kg) it boils 0.51 and 1.02 degrees higher than the water did, as the
    // properties window's two decimals show: the rise over the molality gives Ke = 0.512
    // within 2 %.
    void aumentoEbulloscopico() {
        QVERIFY(Plantilla(907, cat));
        const int32_t sacarosa = cat.BuscarComponente(161);
        double tAgua = 0.0;
        for (const double dGramos : {0.0, 34.23, 68.46}) {
            CListaEquipo lista(&cat);
            auto* parrilla = Nuevo<CParrilla>(lista, 60, 450);
            auto* vaso = Nuevo<CVaso250>(lista, 300, 200);
            auto* termometro = Nuevo<CTermometro>(lista, 700, 100);
            QVERIFY(vaso->AddComponent(0, 100.0, UNIDAD_ML));
            if (dGramos > 0.0) {
                QVERIFY(vaso->AddReagent(Reactivo(cat, "Sacarosa"), dGramos));
                int n = 0;
                while (vaso->m_seno.m_faseSolida.Moles(sacarosa) > 0.0 && n < 200) {
                    lista.PasoSimulacion();
                    ++n;
                }
                QVERIFY(n < 120); // dissolved in well under a minute
            }
            PonerSobre(*vaso, *parrilla);
            Sumergir(*termometro, *vaso);
            QVERIFY(parrilla->Comando(ID_NIVEL5));

            // The heating curve: a steady climb up to the boiling temperature, then a level
            // stretch (a solution's creeps up as the water boils away).
            int n = 0;
            double tAnterior = 0.0;
            bool bSube = true;
            while (vaso->m_seno.m_dTemperatura <
                       vaso->m_seno.m_faseLiquida.TemperaturaEbullicion() - 0.05 &&
                   n < 2000) {
                lista.PasoSimulacion();
                ++n;
                bSube &= vaso->m_seno.m_dTemperatura > tAnterior;
                tAnterior = vaso->m_seno.m_dTemperatura;
            }
            QVERIFY(bSube);
            QVERIFY(n > 400 && n < 700); // about three minutes at the default speed
            Pasos(lista, 20);            // a few seconds of boiling, then the reading
            const double tEbullicion = vaso->m_seno.m_dTemperatura;
            QVERIFY(vaso->m_seno.m_nEbullicion >= 29); // it boils hard
            QCOMPARE(std::lround(termometro->m_dLectura), std::lround(tEbullicion));

            const CContenido* agua = vaso->m_seno.m_faseLiquida.m_pAgua;
            QVERIFY(agua);
            const double molalidad =
                vaso->m_seno.m_faseLiquida.Moles(sacarosa) / (agua->m_dGramos / 1000.0);
            if (dGramos == 0.0) {
                tAgua = tEbullicion;
                QVERIFY(std::fabs(tAgua - 100.0) < 0.05);
                Pasos(lista, 200); // a minute later, still at the same temperature
                QVERIFY(std::fabs(vaso->m_seno.m_dTemperatura - tAgua) < 0.005);
            } else {
                QVERIFY(std::fabs(molalidad - dGramos / 34.23) < 0.05);
                const double dT = tEbullicion - tAgua;
                QVERIFY2(std::fabs(dT / molalidad - 0.512) / 0.512 < 0.02,
                         qPrintable(QString::number(dT / molalidad)));
            }
        }
    }

    // 908: 7, 8, 9 and 10 g of potassium chloride in 20 ml of water, dissolved on the hot
    // plate and left to cool: the thermometer's reading when the first crystals appear
    // gives a point of the solubility curve, within 3 % of the textbook's, and is the one
    // the notes give (22, 40, 58 and 77 degrees; 40 for 8 g, as the theory's table says).
    void curvaDeSolubilidad() {
        QVERIFY(Plantilla(908, cat));
        const int32_t kcl = cat.BuscarComponente(162);
        // Solubility of KCl in g per 100 g of water, every 10 degrees from 0 to 100.
        const double kTabla[] = {27.8, 30.9, 34.0, 37.1, 40.0, 42.9, 45.8, 48.5, 51.2, 53.8, 56.4};
        auto tabla = [&](double t) {
            const int i = std::clamp(int(t / 10.0), 0, 9);
            return kTabla[i] + (kTabla[i + 1] - kTabla[i]) * (t - 10.0 * i) / 10.0;
        };
        const struct {
            double dGramos, dNotas;
        } kMezclas[] = {{7.0, 22.0}, {8.0, 40.0}, {9.0, 58.0}, {10.0, 77.0}};
        for (const auto& [dGramos, dNotas] : kMezclas) {
            CListaEquipo lista(&cat);
            auto* parrilla = Nuevo<CParrilla>(lista, 60, 450);
            auto* vaso = Nuevo<CVaso100>(lista, 300, 200);
            auto* termometro = Nuevo<CTermometro>(lista, 700, 100);
            QVERIFY(vaso->AddComponent(0, 20.0, UNIDAD_ML));
            QVERIFY(vaso->AddReagent(Reactivo(cat, "Cloruro de potasio"), dGramos));
            Pasos(lista, 10);
            QVERIFY(vaso->m_seno.m_faseSolida.Moles(kcl) > 0.0); // too much for cold water

            // On the hot plate at level 3 until no solid is left, then off it to cool.
            PonerSobre(*vaso, *parrilla);
            Sumergir(*termometro, *vaso);
            QVERIFY(parrilla->Comando(ID_NIVEL3));
            int n = 0;
            while (vaso->m_seno.m_faseSolida.Moles(kcl) > 0.0 && n < 1000) {
                lista.PasoSimulacion();
                ++n;
            }
            QVERIFY(n < 400);
            QVERIFY(vaso->m_seno.m_dTemperatura < 95.0); // it never boiled
            Arrastrar(*vaso, 300, 200);
            Sumergir(*termometro, *vaso);
            n = 0;
            while (vaso->m_seno.m_faseSolida.Moles(kcl) == 0.0 && n < 5000) {
                lista.PasoSimulacion();
                ++n;
            }
            QVERIFY(n < 2000); // ten minutes at the most at the default speed
            const double tCristales = std::round(termometro->m_dLectura);
            const double s = dGramos / 20.0 * 100.0;
            QVERIFY2(
                std::fabs(s - tabla(tCristales)) / tabla(tCristales) < 0.03,
                qPrintable(
                    QStringLiteral("%1 g: cristales a %2 grados").arg(dGramos).arg(tCristales)));
            QCOMPARE(tCristales, dNotas);
            // Cooled to the room's temperature, what no longer fits has crystallised out.
            while (vaso->m_seno.m_dTemperatura > 20.0 && n < 20000) {
                lista.PasoSimulacion();
                ++n;
            }
            Pasos(lista, 200);
            const double dDisuelto = vaso->m_seno.m_faseLiquida.Moles(kcl) * 74.5513;
            QVERIFY(std::fabs(dDisuelto / 20.0 * 100.0 - tabla(20.0)) / tabla(20.0) < 0.03);
        }
    }

    // 909: 50 ml of each liquid weighed in the tared graduated cylinder, then 50 g of each
    // unknown metal dropped into 50 ml of water in it: mass over volume gives every
    // density within 1 % of the tables, and the nearest density in the table names the
    // metal (the same unknowns as in the specific heat practice).
    void densidad() {
        QVERIFY(Plantilla(909, cat));
        // Densities at 20 degrees, g/ml.
        const struct {
            const char* pszNombre;
            double dDensidad;
        } kTabla[] = {{"Agua", 0.998},     {"Etanol", 0.789},  {"Acetona", 0.790},
                      {"Magnesio", 1.738}, {"Aluminio", 2.70}, {"Zinc", 7.134},
                      {"Hierro", 7.874},   {"Plomo", 11.34},   {"Cobre", 8.96}};
        auto masCercano = [&](double d) {
            const char* psz = nullptr;
            double dMejor = 1e9;
            for (const auto& t : kTabla)
                if (std::fabs(t.dDensidad - d) < dMejor) {
                    dMejor = std::fabs(t.dDensidad - d);
                    psz = t.pszNombre;
                }
            return std::string(psz);
        };
        CListaEquipo lista(&cat);
        auto* balanza = Nuevo<CBalanza>(lista, 300, 560);
        auto* probeta = Nuevo<CProbeta100>(lista, 60, 200);
        auto volumen = [&] { return probeta->VolumenLiquido() + probeta->VolumenSolido(); };
        PonerSobre(*probeta, *balanza);
        Pasos(lista, 2);
        QCOMPARE(lista.FindVesselAtProbe(balanza), static_cast<CRecipiente*>(probeta));

        // A. Liquids: the tared cylinder, 50 ml, the balance's reading.
        for (const char* pszLiquido : {"Agua", "Etanol", "Acetona"}) {
            probeta->EmptyContents();
            Pasos(lista, 2);
            balanza->Tarar();
            if (std::string(pszLiquido) == "Agua")
                QVERIFY(probeta->AddComponent(0, 50.0, UNIDAD_ML));
            else
                QVERIFY(probeta->AddReagent(Reactivo(cat, pszLiquido), 50.0));
            Pasos(lista, 2);
            const double d = balanza->Peso() / volumen();
            QCOMPARE(masCercano(d), std::string(pszLiquido));
            for (const auto& t : kTabla)
                if (std::string(t.pszNombre) == pszLiquido)
                    QVERIFY(std::fabs(d - t.dDensidad) / t.dDensidad < 0.01);
        }

        // B. Metals: 50 ml of water, tare, 50 g of metal; the volume rises by the metal's.
        const struct {
            const char* pszReactivo;
            const char* pszMetal;
        } kMetales[] = {{"Metal 1", "Hierro"},
                        {"Metal 2", "Magnesio"},
                        {"Metal 3", "Aluminio"},
                        {"Metal 4", "Plomo"},
                        {"Metal 5", "Zinc"}};
        for (const auto& metal : kMetales) {
            probeta->EmptyContents();
            QVERIFY(probeta->AddComponent(0, 50.0, UNIDAD_ML));
            Pasos(lista, 2);
            balanza->Tarar();
            const double v0 = volumen();
            QVERIFY(probeta->AddReagent(Reactivo(cat, metal.pszReactivo), 50.0));
            Pasos(lista, 2);
            QCOMPARE(QString::number(balanza->Peso(), 'f', 4), QStringLiteral("50.0000"));
            // The properties window shows the volume to two decimals.
            const double v = QString::number(volumen(), 'f', 2).toDouble();
            const double d = 50.0 / (v - v0);
            QCOMPARE(masCercano(d), std::string(metal.pszMetal));
            for (const auto& t : kTabla)
                if (std::string(t.pszNombre) == metal.pszMetal)
                    QVERIFY2(std::fabs(d - t.dDensidad) / t.dDensidad < 0.01,
                             qPrintable(QStringLiteral("%1: %2").arg(metal.pszMetal).arg(d)));
        }
    }

    // 910: 20 ml of the sulphuric acid problem titrated with 0.1 M hydroxide, once with
    // phenolphthalein and once with bromothymol blue. Two moles of base per mole of acid:
    // each indicator changes colour within one drop of 2 x 0.0365 x 20 / 0.1 = 14.60 ml,
    // so c = cb Vb / (2 Va) gives the acid within 1 % (and Ma Va = Mb Vb twice as much);
    // the curve has one jump, at pH 7 (the program leaves out the sulphate's slight
    // basicity). Both titrations use one burette filled once: the second starts at the
    // reading the first left (15.60 ml), and the volume is the final reading minus it.
    void valoracionAcidoSulfurico() {
        QVERIFY(Plantilla(910, cat));
        const double kAcido = 0.0365, kVolumen = 20.0, kBase = 0.1;
        const double vEquivalencia = 2.0 * kAcido * kVolumen / kBase;
        CListaEquipo lista(&cat);
        auto* bureta = Nuevo<CBureta50>(lista, 700, 20);
        auto* phmetro = Nuevo<CPHmetro>(lista, 800, 100);
        QVERIFY(bureta->AddReagent(Reactivo(cat, "Hidróxido de sodio 0.1 Molar"), 50.0));
        int x = 300;
        for (const char* pszIndicador : {"Fenolftaleina", "Azul de Bromotimol"}) {
            const bool bFenolftaleina = std::string(pszIndicador) == "Fenolftaleina";
            auto vira = [&](COLORREF c) {
                return bFenolftaleina ? VerdeDe(c) < 0xF0 : AzulDe(c) > 0xF0 && RojoDe(c) < 0x90;
            };
            auto* matraz = Nuevo<CErlenmeyer250>(lista, x, 340);
            x -= 200;
            QVERIFY(matraz->AddReagent(Reactivo(cat, "Ácido sulfúrico problema"), kVolumen));
            matraz->m_seno.m_faseLiquida.AgregarIndicador(Indicador(cat, pszIndicador));
            Sumergir(*phmetro, *matraz);
            Pasos(lista, 3);
            QCOMPARE(lista.FindVesselAtProbe(phmetro), static_cast<CRecipiente*>(matraz));
            // Both protons released from the start, as the theory note says of the program.
            QVERIFY(std::fabs(phmetro->m_dLectura + std::log10(2.0 * kAcido)) < 0.01);
            QVERIFY(!vira(ColorLiquido(*matraz)));

            Arrastrar(*bureta, matraz->m_x + matraz->m_cx / 2 - bureta->m_cx / 2,
                      matraz->m_y - bureta->m_cy + 2);
            QCOMPARE(CTitulacion::BuscarReceptor(lista, *bureta), static_cast<CEquipo*>(matraz));
            CTitulacion titulacion;
            titulacion.Iniciar(bureta, matraz);
            titulacion.m_nApertura = CTitulacion::kAbierta;
            // The first titration starts at the zero mark, the second where the first ended.
            const double lecturaInicial = titulacion.Lectura();
            QVERIFY2(std::fabs(lecturaInicial - (bFenolftaleina ? 0.0 : 15.60)) < 0.005,
                     qPrintable(QString::number(lecturaInicial)));
            std::vector<std::pair<double, double>> curva{{0.0, phmetro->m_dLectura}};
            double vVire = -1.0;
            while (curva.back().first < vEquivalencia + 1.0 - 1e-9) {
                QVERIFY(titulacion.Paso());
                Pasos(lista, 3);
                // The volume delivered: the window's "Lectura" less the initial reading.
                const double v = titulacion.Lectura() - lecturaInicial;
                curva.push_back({v, phmetro->m_dLectura});
                if (vVire < 0.0 && vira(ColorLiquido(*matraz)))
                    vVire = v;
            }
            QVERIFY2(std::fabs(vVire - vEquivalencia) <= 0.05 + 1e-9,
                     qPrintable(QStringLiteral("%1: vira a %2 ml").arg(pszIndicador).arg(vVire)));
            const double ca = kBase * vVire / (2.0 * kVolumen);
            QVERIFY(std::fabs(ca - kAcido) / kAcido < 0.01);
            const double caUnoAUno = kBase * vVire / kVolumen;
            QVERIFY(std::fabs(caUnoAUno / kAcido - 2.0) < 0.02);

            // One jump, from below pH 4 to above pH 10 across the equivalence volume, where
            // the pH is 7 within 0.1; elsewhere no drop moves the pH by half a unit.
            bool bEquivalencia = false;
            for (size_t i = 1; i < curva.size(); ++i) {
                const auto& [v0, ph0] = curva[i - 1];
                const auto& [v1, ph1] = curva[i];
                if (v1 < vEquivalencia - 0.01 || v0 > vEquivalencia + 0.01)
                    QVERIFY2(std::fabs(ph1 - ph0) < 0.5, qPrintable(QString::number(v1)));
                if (v0 < vEquivalencia - 0.01 && v1 > vEquivalencia - 0.01)
                    QVERIFY(ph0 < 4.0);
                if (v0 < vEquivalencia + 0.01 && v1 > vEquivalencia + 0.01)
                    QVERIFY(ph1 > 10.0);
                if (std::fabs(v1 - vEquivalencia) < 0.01) {
                    QVERIFY2(std::fabs(ph1 - 7.0) < 0.1, qPrintable(QString::number(ph1)));
                    bEquivalencia = true;
                }
            }
            QVERIFY(bEquivalencia);
        }
    }

    // 911: 50 ml of 0.1 M hydrochloric acid diluted tenfold three times with the volumetric
    // pipette (10 ml made up to 100 ml): the pH meter reads 1, 2, 3 and 4, within 0.02;
    // methyl orange is red in the first three and turns orange in the last. The same with
    // the hydroxide reads pOH 1, 2, 3 and 4, that is pH 13.17, 12.17, 11.17 and 10.17 on the
    // 20-degree bench (pKw 14.167, CRC Handbook), and phenolphthalein is pink in all four.
    // Equal volumes of the two 0.1 M solutions are neutral: pH 7.08 at 20 degrees.
    void escalaDePH() {
        QVERIFY(Plantilla(911, cat));
        CListaEquipo lista(&cat);
        CRecipiente* vasos[4];
        for (int i = 0; i < 4; ++i)
            vasos[i] = Nuevo<CVaso250>(lista, 60 + 200 * i, 300);
        auto* pipeta = Nuevo<CPipetaVolumetrica>(lista, 400, 40);
        auto* phmetro = Nuevo<CPHmetro>(lista, 900, 60);
        auto pipetear = [&](CRecipiente& origen, CRecipiente& destino) {
            for (CRecipiente* r : {&origen, &destino}) {
                Arrastrar(*pipeta, r->m_x + r->m_cx / 2 - pipeta->m_cx / 2,
                          r->m_y + 2 - pipeta->m_cy);
                lista.PasoSimulacion();
                if (pipeta->m_pConectado != r)
                    return false;
                const double v = r == &origen
                                     ? origen.PourLiquid(*pipeta, CPipetaVolumetrica::kVolumen)
                                     : pipeta->PourLiquid(destino, CPipetaVolumetrica::kVolumen);
                if (v != CPipetaVolumetrica::kVolumen)
                    return false;
            }
            Arrastrar(*pipeta, 400, 40);
            return true;
        };
        auto ph = [&](CRecipiente& r) {
            Sumergir(*phmetro, r);
            Pasos(lista, 2);
            return lista.FindVesselAtProbe(phmetro) == &r ? phmetro->m_dLectura : std::nan("");
        };
        // Every beaker with its dilution: the first one 50 ml of the 0.1 M solution.
        auto serie = [&](const char* pszReactivo) {
            for (CRecipiente* v : vasos)
                v->EmptyContents();
            if (!vasos[0]->AddReagent(Reactivo(cat, pszReactivo), 50.0))
                return false;
            for (int i = 1; i < 4; ++i)
                if (!pipetear(*vasos[i - 1], *vasos[i]) ||
                    !vasos[i]->AddComponent(0, 100.0 - vasos[i]->VolumenOcupado(), UNIDAD_ML))
                    return false;
            Pasos(lista, 2);
            return true;
        };

        // A. The acid.
        QVERIFY(serie("Acido clorhídrico 0.1 Molar"));
        for (int i = 0; i < 4; ++i) {
            QVERIFY2(
                std::fabs(ph(*vasos[i]) - (1.0 + i)) < 0.02,
                qPrintable(QStringLiteral("ácido, vaso %1: pH %2").arg(i + 1).arg(ph(*vasos[i]))));
            vasos[i]->m_seno.m_faseLiquida.AgregarIndicador(Indicador(cat, "Naranja de Metilo"));
        }
        Pasos(lista, 2);
        for (int i = 1; i < 3; ++i)
            QCOMPARE(ColorLiquido(*vasos[i]), ColorLiquido(*vasos[0])); // the same red
        const COLORREF rojo = ColorLiquido(*vasos[0]), naranja = ColorLiquido(*vasos[3]);
        QVERIFY(RojoDe(rojo) > 0xF0 && VerdeDe(rojo) < 0x90 && AzulDe(rojo) < 0x90);
        QVERIFY(RojoDe(naranja) > 0xF0 && VerdeDe(naranja) > VerdeDe(rojo) + 0x30 &&
                VerdeDe(naranja) > AzulDe(naranja) + 0x40);

        // B. The base.
        QVERIFY(serie("Hidróxido de sodio 0.1 Molar"));
        for (int i = 0; i < 4; ++i) {
            QVERIFY2(
                std::fabs(ph(*vasos[i]) - (14.167 - 1.0 - i)) < 0.02,
                qPrintable(QStringLiteral("base, vaso %1: pH %2").arg(i + 1).arg(ph(*vasos[i]))));
            vasos[i]->m_seno.m_faseLiquida.AgregarIndicador(Indicador(cat, "Fenolftaleina"));
        }
        Pasos(lista, 2);
        for (CRecipiente* v : vasos)
            QVERIFY(Rosa(ColorLiquido(*v)));

        // C. 10 ml of each 0.1 M solution together: neither is left.
        vasos[0]->EmptyContents();
        QVERIFY(vasos[0]->AddReagent(Reactivo(cat, "Acido clorhídrico 0.1 Molar"), 10.0));
        QVERIFY(vasos[0]->AddReagent(Reactivo(cat, "Hidróxido de sodio 0.1 Molar"), 10.0));
        Pasos(lista, 3);
        QVERIFY(std::fabs(ph(*vasos[0]) - 14.167 / 2.0) < 0.02);
    }

    // 912: 10 g of the salt and sand mixture stirred into 50 ml of water: the salt
    // dissolves and the sand stays. Through the Buchner filter the solution runs into the
    // flask and the sand stays on the paper; the solution boiled to dryness in a tared
    // beaker on the hot plate leaves the salt. The two masses give the mixture's 30 % of
    // salt within 1 % and add up to the sample's mass within 0.5 %.
    void separacionDeUnaMezcla() {
        QVERIFY(Plantilla(912, cat));
        const int32_t sal = cat.BuscarComponente(4);
        const int32_t arena = cat.BuscarComponente(163);
        CListaEquipo lista(&cat);
        auto* balanza = Nuevo<CBalanza>(lista, 300, 560);
        auto* vaso = Nuevo<CVaso250>(lista, 60, 300);
        auto* matraz = Nuevo<CErlenmeyer250>(lista, 560, 300);
        auto* vasoArena = Nuevo<CVaso100>(lista, 760, 300);
        auto* vasoSal = Nuevo<CVaso100>(lista, 900, 300);
        auto* parrilla = Nuevo<CParrilla>(lista, 60, 700);
        auto* termometro = Nuevo<CTermometro>(lista, 1100, 100);
        auto tarar = [&](CRecipiente& r) {
            const QPoint antes(r.m_x, r.m_y);
            PonerSobre(r, *balanza);
            Pasos(lista, 2);
            if (lista.FindVesselAtProbe(balanza) != &r)
                return false;
            balanza->Tarar();
            Arrastrar(r, antes.x(), antes.y());
            Pasos(lista, 1);
            return true;
        };
        auto pesar = [&](CRecipiente& r) { return Pesar(lista, *balanza, r); };

        // 10.00 g of the mixture in the tared beaker, 50 ml of water, stirred.
        QVERIFY(tarar(*vaso));
        QVERIFY(vaso->AddReagent(Reactivo(cat, "Mezcla problema de sal y arena"), 10.0));
        const double mMuestra = pesar(*vaso);
        QCOMPARE(QString::number(mMuestra, 'f', 4), QStringLiteral("10.0000"));
        QVERIFY(vaso->AddComponent(0, 50.0, UNIDAD_ML));
        int n = 0;
        while (vaso->m_seno.m_faseSolida.Moles(sal) > 0.0 && n < 600) {
            lista.PasoSimulacion();
            ++n;
        }
        QVERIFY(n < 300); // half a minute at most

        QVERIFY(vaso->m_seno.m_faseSolida.Moles(arena) > 0.0);

        // The filter on the flask; everything in the beaker transferred onto it.
        auto* filtro = matraz->PonerEmbudo(lista);
        QVERIFY(filtro);
        QVERIFY(vaso->PourLiquid(*filtro, 0.0) > 0.0);
        QVERIFY(vaso->PourSolid(*filtro) > 0.0);
        QCOMPARE(vaso->m_seno.MolesLiquidoSolido(), 0.0);
        n = 0;
        while (filtro->VolumenLiquido() > 0.0 && n < 200) {
            lista.PasoSimulacion();
            ++n;
        }
        QVERIFY(n < 100);
        QCOMPARE(filtro->m_seno.m_faseSolida.Moles(sal), 0.0);
        QCOMPARE(matraz->m_seno.m_faseSolida.Moles(arena), 0.0);

        // The sand into its tared beaker and weighed.
        QVERIFY(tarar(*vasoArena));
        QVERIFY(filtro->PourSolid(*vasoArena) > 0.0);
        const double mArena = pesar(*vasoArena);

        // The filtrate into the tared beaker, boiled to dryness on the hot plate.
        QVERIFY(tarar(*vasoSal));
        QVERIFY(matraz->PourLiquid(*vasoSal, 0.0) > 0.0);
        QCOMPARE(matraz->VolumenLiquido(), 0.0);
        PonerSobre(*vasoSal, *parrilla);
        Sumergir(*termometro, *vasoSal);
        QVERIFY(parrilla->Comando(ID_NIVEL5));
        // It boils a little above 100 degrees, more as it concentrates; the first crystals
        // come with some 8 ml of liquid left (about 39 g of salt in 100 g of water).
        n = 0;
        double vCristales = -1.0;
        while (vasoSal->VolumenLiquido() > 0.0 && n < 20000) {
            lista.PasoSimulacion();
            ++n;
            if (vasoSal->VolumenLiquido() < 45.0 && vasoSal->VolumenLiquido() > 1.0)
                QVERIFY2(termometro->m_dLectura >= 100.0 && termometro->m_dLectura < 105.0,
                         qPrintable(QString::number(termometro->m_dLectura)));
            if (vCristales < 0.0 && vasoSal->m_seno.m_faseSolida.Moles(sal) > 0.0)
                vCristales = vasoSal->VolumenLiquido();
        }
        // About sixteen minutes at the default speed, a step every three ticks of 100 ms;
        // five and a half at the fastest, a step every tick.
        QVERIFY2(n * 0.3 > 15.0 * 60.0 && n * 0.3 < 17.5 * 60.0, qPrintable(QString::number(n)));
        QVERIFY2(vCristales > 6.0 && vCristales < 10.0, qPrintable(QString::number(vCristales)));

        // Off the plate, cooled below 30 degrees, weighed.
        QVERIFY(parrilla->Comando(ID_APAGAR));
        Arrastrar(*vasoSal, 900, 300);
        Sumergir(*termometro, *vasoSal);
        n = 0;
        while (termometro->m_dLectura >= 30.0 && n < 20000) {
            lista.PasoSimulacion();
            ++n;
        }
        QVERIFY(n < 20000);
        const double mSal = pesar(*vasoSal);

        QVERIFY(std::fabs(100.0 * mSal / mMuestra - 30.0) / 30.0 < 0.01);
        QVERIFY(std::fabs((mSal + mArena) / mMuestra - 1.0) < 0.005);
    }

    // 913: hot water from the hot plate poured into the cold water of the closed
    // calorimeter (50 ml at 60 degrees into 50 ml, 25 ml at 80 into 75 ml, 75 ml at 60
    // into 25 ml): the lid reads the temperature the heat balance gives,
    // Te = (m1 T1 + m2 T2) / (m1 + m2) from the readings, within 0.6 degrees (the
    // displays show whole degrees), and keeps it.
    void equilibrioTermico() {
        QVERIFY(Plantilla(913, cat));
        const struct {
            double dCaliente, dTemperatura, dFria;
        } kMezclas[] = {{50.0, 60.0, 50.0}, {25.0, 80.0, 75.0}, {75.0, 60.0, 25.0}};
        for (const auto& mezcla : kMezclas) {
            CListaEquipo lista(&cat);
            auto* parrilla = Nuevo<CParrilla>(lista, 60, 450);
            auto* vaso = Nuevo<CVaso250>(lista, 300, 200);
            auto* termometro = Nuevo<CTermometro>(lista, 700, 100);
            auto* calorimetro = Nuevo<CCalorimetro>(lista, 800, 300);

            QVERIFY(calorimetro->AddComponent(0, mezcla.dFria, UNIDAD_ML));
            auto* tapa = calorimetro->Tapar(lista);
            Pasos(lista, 2);
            const double tFria = std::round(tapa->m_dLectura);

            QVERIFY(vaso->AddComponent(0, mezcla.dCaliente, UNIDAD_ML));
            PonerSobre(*vaso, *parrilla);
            Sumergir(*termometro, *vaso);
            QVERIFY(parrilla->Comando(ID_NIVEL5));
            int n = 0;
            while (std::lround(termometro->m_dLectura) < mezcla.dTemperatura && n < 2000) {
                lista.PasoSimulacion();
                ++n;
            }
            // About a minute at the default speed (a step every three ticks of 100 ms).
            QVERIFY2(n * 0.3 > 45.0 && n * 0.3 < 75.0, qPrintable(QString::number(n)));
            QVERIFY(parrilla->Comando(ID_APAGAR));
            Pasos(lista, 1);
            const double tCaliente = std::round(termometro->m_dLectura);
            const double vCaliente = vaso->PourLiquid(*calorimetro, 0.0);
            QVERIFY(std::fabs(vCaliente - mezcla.dCaliente) < 0.05);
            Pasos(lista, 2);
            const double tMezcla = std::round(tapa->m_dLectura);
            const double tBalance = (mezcla.dCaliente * tCaliente + mezcla.dFria * tFria) /
                                    (mezcla.dCaliente + mezcla.dFria);
            QVERIFY2(std::fabs(tMezcla - tBalance) <= 0.6,
                     qPrintable(QStringLiteral("%1 °C, balance %2 °C").arg(tMezcla).arg(tBalance)));
            Pasos(lista, 100);
            QCOMPARE(std::round(tapa->m_dLectura), tMezcla);
        }
    }

    // 914: 20 ml of 0.5 M calcium chloride and 20 ml of 0.5 M sodium carbonate weighed in
    // their beakers, mixed (for a moment it is cooler by less than a degree), weighed again: the
    // white precipitate appears and the total mass reads the same to the balance's last decimal.
    // Filtered and weighed, the calcium carbonate is the 0.010 mol x 100.09 g/mol =
    // 1.0009 g the equation gives, to the last decimal.
    void conservacionEnUnaPrecipitacion() {
        QVERIFY(Plantilla(914, cat));
        const int32_t carbonato = cat.BuscarComponente(166);
        CListaEquipo lista(&cat);
        auto* balanza = Nuevo<CBalanza>(lista, 300, 560);
        auto* vasoA = Nuevo<CVaso100>(lista, 60, 300);
        auto* vasoB = Nuevo<CVaso100>(lista, 200, 300);
        auto* matraz = Nuevo<CErlenmeyer250>(lista, 560, 300);
        auto* vasoC = Nuevo<CVaso100>(lista, 760, 300);
        auto pesar = [&](CRecipiente& r) { return Pesar(lista, *balanza, r); };
        // The balance's four decimals.
        auto lectura = [](double d) { return QString::number(d, 'f', 4); };

        QVERIFY(vasoA->AddReagent(Reactivo(cat, "Cloruro de calcio 0.5 M"), 20.0));
        QVERIFY(vasoB->AddReagent(Reactivo(cat, "Carbonato de sodio 0.5 M"), 20.0));
        Pasos(lista, 2);
        QCOMPARE(vasoA->m_seno.m_faseSolida.MolesTotales(), 0.0);
        const double mAntes = pesar(*vasoA) + pesar(*vasoB);

        QVERIFY(vasoB->PourLiquid(*vasoA, 0.0) > 0.0);
        // It takes a little heat: for a moment the mixture is cooler, by less than a degree.
        Pasos(lista, 1);
        const double tMezcla = vasoA->m_seno.m_dTemperatura;
        QVERIFY2(tMezcla < 20.0 && tMezcla > 19.0, qPrintable(QString::number(tMezcla)));
        Pasos(lista, 30);
        QVERIFY(std::fabs(vasoA->m_seno.m_faseSolida.Moles(carbonato) - 0.010) < 1e-9);
        QCOMPARE(vasoA->m_seno.m_faseSolida.Moles(cat.BuscarComponente(4)), 0.0); // salt dissolved
        const COLORREF c = ColorSolido(*vasoA);
        QVERIFY(RojoDe(c) > 0xE0 && VerdeDe(c) > 0xE0 && AzulDe(c) > 0xE0); // white
        const double mDespues = pesar(*vasoA) + pesar(*vasoB);
        QCOMPARE(lectura(mDespues), lectura(mAntes));

        // The precipitate on the filter, into the tared beaker C.
        auto* filtro = matraz->PonerEmbudo(lista);
        QVERIFY(filtro);
        QVERIFY(vasoA->PourLiquid(*filtro, 0.0) > 0.0);
        QVERIFY(vasoA->PourSolid(*filtro) > 0.0);
        Pasos(lista, 30);
        QCOMPARE(filtro->VolumenLiquido(), 0.0);
        PonerSobre(*vasoC, *balanza);
        Pasos(lista, 2);
        QCOMPARE(lista.FindVesselAtProbe(balanza), static_cast<CRecipiente*>(vasoC));
        balanza->Tarar();
        Arrastrar(*vasoC, 760, 300);
        QVERIFY(filtro->PourSolid(*vasoC) > 0.0);
        const double mPrecipitado = pesar(*vasoC);
        QCOMPARE(lectura(mPrecipitado), lectura(0.5 * 0.020 * 100.086)); // 1.0009 g
    }

    // The equipment is named as the program names it: a size in a procedure's list of
    // material is that of an item of that name, and the source form's table of types gives
    // each code the size its type has (it once swapped the two burettes).
    void equipoNombrado() {
        auto tipoDeNombre = [](const QString& str) -> const CTipoEquipo* {
            for (const CTipoEquipo& t : TiposEquipo())
                if (str == QString::fromUtf8(t.pszNombre))
                    return &t;
            return nullptr;
        };
        const QRegularExpression ml(QStringLiteral("(\\d+) ml"));
        for (int n = Plantillas::kPrimera; n <= Plantillas::kUltima; ++n) {
            QFile f(QStringLiteral(":/practicas/%1/procedimiento.rtf").arg(n));
            QVERIFY(f.open(QIODevice::ReadOnly));
            QTextDocument doc;
            Rtf::Leer(f.readAll().toStdString(), doc);
            const QString str = doc.toPlainText();
            const qsizetype i = str.indexOf(QStringLiteral("Material"));
            const QString material = str.mid(i, str.indexOf(QStringLiteral("Reactivo"), i) - i);
            QVERIFY(i >= 0 && !material.isEmpty());
            const QRegularExpression nombre(QStringLiteral("«([^»]*\\d+ ml)»"));
            for (const auto& m : nombre.globalMatch(material))
                QVERIFY2(tipoDeNombre(m.captured(1)),
                         qPrintable(QString::number(n) + m.captured(1)));
        }

        QFile f(QFINDTESTDATA("../../docs/fuente-practicas.md"));
        QVERIFY(f.open(QIODevice::ReadOnly | QIODevice::Text));
        QString str = QString::fromUtf8(f.readAll());
        const qsizetype i = str.indexOf(QStringLiteral("| tipo | equipo | tipo | equipo |"));
        QVERIFY(i >= 0);
        str = str.mid(i, str.indexOf(QStringLiteral("\n\n"), i) - i);
        const QRegularExpression fila(
            QStringLiteral("\\| (\\d+) \\| ([^|]+) \\| (\\d+) \\| ([^|]+) \\|"));
        int nTipos = 0;
        for (const auto& m : fila.globalMatch(str)) {
            for (int c : {1, 3}) {
                const CTipoEquipo* t = BuscarTipo(m.captured(c).toInt());
                QVERIFY2(t, qPrintable(m.captured(c)));
                const auto tamano = ml.match(m.captured(c + 1));
                if (tamano.hasMatch())
                    QVERIFY2(QString::fromUtf8(t->pszNombre).contains(tamano.captured(0)),
                             qPrintable(m.captured(c) + QStringLiteral(": ") + m.captured(c + 1)));
                ++nTipos;
            }
        }
        QCOMPARE(nTipos, int(TiposEquipo().size()));
    }
};

QTEST_MAIN(TestProcedimientos)
#include "tst_procedimientos.moc"
