// The procedures of the five built-in practices, followed step by step on a bench as a
// student would carry them out: items placed where the text says (on the burner, under the
// elbow, the probe in the vessel), the material added with the amounts the text gives, the
// simulation run for as long as the student waits, and the outcome the text promises checked.
// When a practice's notes change, this test must change with them.
#include "Calentadores.h"
#include "Calorimetro.h"
#include "Catalogo.h"
#include "CatalogosPrueba.h"
#include "Destilacion.h"
#include "Erlenmeyer250.h"
#include "Instrumentos.h"
#include "ListaEquipo.h"
#include "Recipientes.h"
#include "Vasos.h"

#include "Ayudas.h"

#include <QtTest>

#include <cmath>
#include <string>

using prueba::Nuevo;

namespace {

// The reagent of that name, found the way the reagent dialog finds it.
int32_t Reactivo(const char* pszNombre) {
    for (int32_t i = 0; i < g_nReactivos; ++i)
        if (g_pReactivos[i].m_strNombre == pszNombre)
            return i;
    return -1;
}

int32_t Indicador(const char* pszNombre) {
    for (int32_t i = 0; i < g_nIndicadores; ++i)
        if (g_pIndicadores[i].m_strNombre == pszNombre)
            return i;
    return -1;
}

void Pasos(CListaEquipo& lista, int n) {
    for (int i = 0; i < n; ++i)
        lista.PasoSimulacion();
}

// Drags an item (and whatever is mounted on it) so that its corner ends at (x, y).
void Arrastrar(CEquipo& e, int x, int y) {
    e.MoveBy(x - e.m_x, y - e.m_y);
}

// Stands a vessel on a heat source or on the balance pan: centred, its bottom on the top.
void PonerSobre(CEquipo& r, const CEquipo& base) {
    Arrastrar(r, base.m_x + base.m_cx / 2 - r.m_cx / 2, base.m_y - r.m_cy);
}

// Dips an instrument into a vessel: its probe a few pixels above the vessel's bottom,
// a little right of the middle.
void Sumergir(CEquipo& i, const CRecipiente& r) {
    Arrastrar(i, r.m_x + r.m_cx / 2 + 4 - i.m_ptSonda.x(), r.m_y + r.m_cy - 6 - i.m_ptSonda.y());
}

// Channels of a 0x00BBGGRR colour.
int Rojo(COLORREF c) {
    return int(c & 0xFF);
}
int Verde(COLORREF c) {
    return int((c >> 8) & 0xFF);
}
int Azul(COLORREF c) {
    return int((c >> 16) & 0xFF);
}

COLORREF ColorLiquido(const CRecipiente& r) {
    return r.m_seno.m_faseLiquida.ColorFase().m_crColor;
}
COLORREF ColorSolido(const CRecipiente& r) {
    return r.m_seno.m_faseSolida.ColorFase().m_crColor;
}

bool Rosa(COLORREF c) {
    return Rojo(c) > 0xE0 && Azul(c) > 0xE0 && Verde(c) < 0xA0;
}

} // namespace

class TestProcedimientos : public QObject {
    Q_OBJECT
private slots:
    void cleanup() { DestruirCatalogo(); }

    // 900: copper is weighed, dissolved in nitric acid (nitric oxide escapes and the mass
    // drops by exactly its mass), precipitated as the hydroxide (nothing escapes and the
    // total mass stays), taken back into solution with sulphuric acid and recovered with
    // zinc: the copper weighed at the end is the copper weighed at the start.
    void conservacionDeLaMateria() {
        prueba::Catalogo900();
        const int32_t cobre = BuscarComponente(47);
        const int32_t hidroxidoCobre = BuscarComponente(155);
        const int32_t zinc = BuscarComponente(150);
        const int32_t nitratoCobre = BuscarComponente(159);
        CListaEquipo lista;
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
        QVERIFY(vaso->AddReagent(Reactivo("Limaduras de Cobre"), 0.5));
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
        QVERIFY(probeta->AddReagent(Reactivo("Acido nitrico 1 M"), 30.0));
        const double m1 = pesar(probeta);
        const double m2 = pesar(vaso);
        QVERIFY(std::fabs(m2 - (mVaso + 0.5)) < 1e-9);
        QVERIFY(probeta->PourLiquid(*vaso, 0.0) > 29.9); // "Decantar"
        Pasos(lista, 10);
        QCOMPARE(vaso->m_seno.m_faseSolida.Moles(cobre), 0.0); // all the copper dissolved
        QVERIFY(vaso->m_seno.m_faseLiquida.Moles(nitratoCobre) > 0.99 * nCobre);
        QCOMPARE(vaso->m_seno.m_faseGas.MolesTotales(), 0.0); // the gas has gone
        const COLORREF azulClaro = ColorLiquido(*vaso);
        QVERIFY(Azul(azulClaro) > Rojo(azulClaro) + 0x30); // the solution turns blue
        const double m3 = pesar(vaso);
        const double m4 = pesar(probeta);
        QCOMPARE(QString::number(m4, 'f', 4), QStringLiteral("50.0000"));
        // What is missing is the nitric oxide: 2 mol of NO for every 3 mol of copper.
        const double perdida = (m1 + m2) - (m3 + m4);
        QVERIFY(std::fabs(perdida - 2.0 / 3.0 * nCobre * 30.0061) < 1e-3);
        QVERIFY(perdida > 0.15 && perdida < 0.17);

        // 8-10: sodium hydroxide: a blue precipitate, and nothing leaves the beaker.
        QVERIFY(probeta->AddReagent(Reactivo("Hidroxido de sodio 1 M"), 25.0));
        const double m5 = pesar(probeta);
        QVERIFY(probeta->PourLiquid(*vaso, 0.0) > 24.9);
        Pasos(lista, 10);
        QVERIFY(std::fabs(vaso->m_seno.m_faseSolida.Moles(hidroxidoCobre) - nCobre) < 1e-9);
        const COLORREF precipitado = ColorSolido(*vaso);
        QVERIFY(Azul(precipitado) > 0xA0 && Rojo(precipitado) < 0x40);
        const double m6 = pesar(vaso);
        const double m7 = pesar(probeta);
        QVERIFY(std::fabs((m3 + m5) - (m6 + m7)) < 1e-4); // same to the last figure shown

        // 11-12: sulphuric acid dissolves the precipitate; zinc brings the copper back.
        QVERIFY(vaso->AddReagent(Reactivo("Acido sulfúrico 1 M"), 15.0));
        Pasos(lista, 5);
        QCOMPARE(vaso->m_seno.m_faseSolida.Moles(hidroxidoCobre), 0.0);
        QVERIFY(vaso->AddReagent(Reactivo("Limaduras de zinc"), 0.8));
        lista.PasoSimulacion();
        QVERIFY(vaso->m_seno.m_faseGas.MolesTotales() > 0.0); // hydrogen from the excess acid
        Pasos(lista, 10);
        QCOMPARE(vaso->m_seno.m_faseGas.MolesTotales(), 0.0);
        QCOMPARE(vaso->m_seno.m_faseSolida.Moles(zinc), 0.0); // no zinc left over
        const COLORREF rojizo = ColorSolido(*vaso);
        QVERIFY(Rojo(rojizo) > Azul(rojizo) + 0x60);

        // 13-14: decant the solution; the copper stays and is weighed.
        QVERIFY(vaso->PourLiquid(*vasoDesecho, 0.0) > 60.0);
        QCOMPARE(vaso->VolumenLiquido(), 0.0);
        Pasos(lista, 3);
        const double m8 = pesar(vaso);
        QCOMPARE(QString::number(m8 - mVaso, 'f', 4), QStringLiteral("0.5000"));
        QVERIFY(std::fabs(vaso->m_seno.m_faseSolida.Moles(cobre) - nCobre) < 1e-12);
    }

    // 901: the mixture boils in the flask on the hot plate; the head's thermometer stays
    // at the acetone's boiling point while the first fraction collects under the elbow,
    // climbs, stays at the ethanol's while the second collects; the salt stays behind.
    void destilacionSimple() {
        prueba::Catalogo901();
        const int32_t agua = 0;
        const int32_t sal = BuscarComponente(4);
        const int32_t etanol = BuscarComponente(9);
        const int32_t acetona = BuscarComponente(23);
        CListaEquipo lista;
        auto* parrilla = Nuevo<CParrilla>(lista, 60, 450);
        auto* matraz = Nuevo<CMatrazBalon>(lista, 300, 200);
        QVERIFY(matraz->AddReagent(Reactivo("Mezcla de liquidos"), 50.0));
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

        // Heating: nothing distils until the mixture boils at the acetone's temperature.
        int n = 0;
        while (std::lround(termometro()) < 56 && n < 400) {
            lista.PasoSimulacion();
            ++n;
        }
        QVERIFY(n < 200); // about a minute at the default speed
        QCOMPARE(fraccion1->VolumenLiquido(), 0.0);

        // First fraction: the thermometer holds at 56 degrees until the acetone is gone.
        int nMeseta = 0, nPasos = 0;
        while (std::lround(termometro()) < 57 && nPasos < 1000) {
            lista.PasoSimulacion();
            ++nPasos;
            if (std::lround(termometro()) == 56)
                ++nMeseta;
        }
        QVERIFY(nMeseta > 150 && nMeseta >= nPasos - 2);
        QVERIFY(codo->m_bGota || fraccion1->VolumenLiquido() > 0.0);
        // The second beaker goes under the elbow as soon as the temperature climbs.
        Arrastrar(*fraccion1, 600, 450);
        Arrastrar(*fraccion2, codo->m_x - 8, codo->m_y + codo->m_cy + 8);
        lista.PasoSimulacion();
        QCOMPARE(codo->m_pConectado, fraccion2);

        // Second fraction: the thermometer holds at 78 degrees; switch off above 80.
        int nSegunda = 0;
        bool bMeseta78 = false;
        while (termometro() < 80.0 && nSegunda < 2000) {
            lista.PasoSimulacion();
            ++nSegunda;
            bMeseta78 |= std::fabs(termometro() - 78.4) < 0.1;
        }
        QVERIFY(bMeseta78);
        QVERIFY(parrilla->Comando(ID_APAGAR));
        Pasos(lista, 60);                        // what is still in the condenser drips down
        QVERIFY(matraz->VolumenLiquido() > 1.0); // the flask is not left dry

        const CSeno& s1 = fraccion1->m_seno;
        const CSeno& s2 = fraccion2->m_seno;
        QVERIFY(fraccion1->VolumenLiquido() > 15.0 && fraccion1->VolumenLiquido() < 25.0);
        QVERIFY(fraccion2->VolumenLiquido() > 15.0 && fraccion2->VolumenLiquido() < 35.0);
        // The first fraction is mostly acetone, the second mostly ethanol.
        const auto ml = [](const CSeno& s, int32_t c) {
            const CContenido* e = s.m_faseLiquida.Buscar(c);
            return e ? e->m_dMl : 0.0;
        };
        QVERIFY(ml(s1, acetona) > 0.6 * fraccion1->VolumenLiquido());
        QVERIFY(ml(s2, etanol) > 0.6 * fraccion2->VolumenLiquido());
        QVERIFY(ml(s2, acetona) < 0.1 * fraccion2->VolumenLiquido());
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
        QVERIFY(vaso->AddReagent(Reactivo("Mezcla de liquidos"), 100.0));
        double dMaxima = 0.0;
        for (int i = 0; i < 6000; ++i) {
            lista.PasoSimulacion();
            dMaxima = std::max(dMaxima, vaso->m_seno.m_dTemperatura);
            QVERIFY(vaso->VolumenLiquido() >= 0.0 && vaso->VolumenSolido() >= 0.0);
        }
        QVERIFY(dMaxima <= kTemperaturaMaxima); // it read 9,088 degrees
    }

    // 902, part A: blue hydrated copper sulphate heated in the crucible loses its water
    // and turns white (the balance shows the mass of water lost, five per formula unit);
    // moved to a cool watch glass and wetted, it turns blue again and warms up.
    void reversibilidadDeLasReacciones() {
        prueba::Catalogo902();
        const int32_t anhidro = BuscarComponente(40);
        const int32_t hidratado = BuscarComponente(5);
        CListaEquipo lista;
        auto* mechero = Nuevo<CMechero>(lista, 100, 400);
        auto* balanza = Nuevo<CBalanza>(lista, 400, 500);
        auto* crisol = Nuevo<CCrisol>(lista, 80, 200);
        auto* termometro = Nuevo<CTermometro>(lista, 700, 100);

        PonerSobre(*crisol, *balanza);
        Pasos(lista, 2);
        QCOMPARE(QString::number(balanza->Peso(), 'f', 4), QStringLiteral("25.0000"));
        QVERIFY(crisol->AddReagent(Reactivo("Sulfato de cobre pentahidratado"), 10.0));
        Pasos(lista, 2);
        const double mAntes = balanza->Peso();
        QCOMPARE(QString::number(mAntes, 'f', 4), QStringLiteral("35.0000"));
        const double nSal = crisol->m_seno.m_faseSolida.Moles(hidratado);
        QVERIFY(Azul(ColorSolido(*crisol)) > 0xF0 && Rojo(ColorSolido(*crisol)) < 0x10);

        // On the burner with the thermometer in it.
        PonerSobre(*crisol, *mechero);
        Sumergir(*termometro, *crisol);
        lista.PasoSimulacion();
        QCOMPARE(lista.FindVesselOnSource(mechero, false), crisol);
        QCOMPARE(lista.FindVesselAtProbe(termometro), crisol);
        int n = 0;
        double tCambio = 0.0;
        while (crisol->m_seno.m_faseSolida.Moles(hidratado) > 0.0 && n < 1000) {
            lista.PasoSimulacion();
            ++n;
            if (tCambio == 0.0 && crisol->m_seno.m_faseSolida.Moles(anhidro) > 0.0)
                tCambio = termometro->m_dLectura;
        }
        QVERIFY(n < 250);                           // about a minute at the default speed
        QVERIFY(tCambio >= 35.0 && tCambio < 37.0); // it starts at 35 degrees
        const COLORREF blanco = ColorSolido(*crisol);
        QVERIFY(Rojo(blanco) > 0xF0 && Verde(blanco) > 0xF0 && Azul(blanco) > 0xF0);
        QVERIFY(std::fabs(crisol->m_seno.m_faseSolida.Moles(anhidro) - nSal) < 1e-9);
        QVERIFY(termometro->m_dLectura < 45.0);

        // Off the burner and onto the balance: the water has gone.
        PonerSobre(*crisol, *balanza);
        Sumergir(*termometro, *crisol);
        Pasos(lista, 3);
        const double mDespues = balanza->Peso();
        const double perdida = mAntes - mDespues;
        QVERIFY(std::fabs(perdida - 5.0 * nSal * 18.01528) < 1e-3);
        QVERIFY(perdida / 10.0 > 0.35 && perdida / 10.0 < 0.37); // 36 % of the mass
        QVERIFY(std::fabs(perdida / 18.01528 / (mDespues - 25.0) * 159.6036 - 5.0) < 0.01);

        // The white powder goes to a watch glass at room temperature ("Transferir").
        auto* vidrio = Nuevo<CVidrioReloj>(lista, 500, 250);
        crisol->PourLiquid(*vidrio, 0.0);
        QVERIFY(crisol->PourSolid(*vidrio) > 0.0);
        QCOMPARE(crisol->m_seno.m_faseSolida.MolesTotales(), 0.0);
        Sumergir(*termometro, *vidrio);
        Pasos(lista, 5);
        QCOMPARE(lista.FindVesselAtProbe(termometro), static_cast<CRecipiente*>(vidrio));
        const double tFrio = termometro->m_dLectura;
        QCOMPARE(std::lround(tFrio), 20L);

        // 4 ml of water: blue again at once, and the thermometer climbs a few degrees
        // before it drifts back to the room's temperature.
        QVERIFY(vidrio->AddComponent(0, 4.0, UNIDAD_ML));
        double tMax = 0.0;
        for (int i = 0; i < 10; ++i) {
            lista.PasoSimulacion();
            tMax = std::max(tMax, termometro->m_dLectura);
            if (i == 0) {
                QCOMPARE(vidrio->m_seno.m_faseSolida.Moles(anhidro), 0.0);
                QVERIFY(Azul(ColorSolido(*vidrio)) > 0xF0 && Rojo(ColorSolido(*vidrio)) < 0x10);
            }
        }
        QVERIFY(vidrio->m_seno.m_faseSolida.Moles(hidratado) > 0.9 * nSal);
        QVERIFY(tMax - tFrio > 2.0 && tMax - tFrio < 4.0);
        QVERIFY(std::lround(tMax) >= std::lround(tFrio) + 2); // the display shows it
        QCOMPARE(std::lround(termometro->m_dLectura), 20L);

        {
            // Part B: phenolphthalein is pink in the hydroxide, colourless once more acid than
            // base has been added, and pink again with more base.
            CListaEquipo mesa;
            auto* tubo = Nuevo<CTuboEnsaye>(mesa, 100, 300);
            auto* phmetro = Nuevo<CPHmetro>(mesa, 400, 100);
            Sumergir(*phmetro, *tubo);
            const int32_t naoh = Reactivo("Hidróxido de sodio 0.1 Molar");
            const int32_t hcl = Reactivo("Acido clorhídrico 0.1 Molar");
            QVERIFY(tubo->AddReagent(naoh, 5.0));
            tubo->m_seno.m_faseLiquida.AgregarIndicador(Indicador("Fenolftaleina"));
            Pasos(mesa, 3);
            QCOMPARE(mesa.FindVesselAtProbe(phmetro), tubo);
            QVERIFY(Rosa(ColorLiquido(*tubo)));
            QVERIFY(phmetro->m_dLectura > 12.0);

            QVERIFY(tubo->AddReagent(hcl, 10.0));
            Pasos(mesa, 3);
            QVERIFY(!Rosa(ColorLiquido(*tubo)));
            QVERIFY(Verde(ColorLiquido(*tubo)) > 0xF0);
            QVERIFY(phmetro->m_dLectura >= 0.0 && phmetro->m_dLectura < 2.0);

            QVERIFY(tubo->AddReagent(naoh, 10.0));
            Pasos(mesa, 3);
            QVERIFY(Rosa(ColorLiquido(*tubo)));
            QVERIFY(phmetro->m_dLectura > 12.0);

            QVERIFY(tubo->AddReagent(hcl, 10.0));
            Pasos(mesa, 3);
            QVERIFY(!Rosa(ColorLiquido(*tubo)));
            QCOMPARE(tubo->VolumenLiquido(), 35.0);
        }
    }

    // 903: 10 ml of each problem solution, measured with the volumetric pipette and titrated
    // drop by drop from the 10 ml burette; the pH meter and the indicator change at the
    // volume that the acid's concentration asks for.
    void titulacionAcidoBase() {
        prueba::Catalogo903();
        struct Caso {
            const char* pszProblema;
            const char* pszIndicador;
            double dMolaridad;
        };
        const Caso casos[] = {
            {"Solución problema 1", "Fenolftaleina", 0.01654},
            {"Solución problema 2", "Azul de Bromotimol", 0.00854},
            {"Solución problema 3", "Naranja de Metilo", 0.01},
        };
        for (const Caso& caso : casos) {
            CListaEquipo lista;
            auto* vasoProblema = Nuevo<CVaso100>(lista, 60, 300);
            auto* matraz = Nuevo<CErlenmeyer250>(lista, 300, 300);
            auto* pipeta = Nuevo<CPipetaVolumetrica>(lista, 500, 50);
            auto* bureta = Nuevo<CBureta10>(lista, 700, 20);
            auto* phmetro = Nuevo<CPHmetro>(lista, 800, 100);

            // The problem solution in the beaker, 10 ml of it into the flask with the pipette.
            QVERIFY(vasoProblema->AddReagent(Reactivo(caso.pszProblema), 50.0));
            Arrastrar(*pipeta, vasoProblema->m_x + 32, vasoProblema->m_y + 2 - pipeta->m_cy);
            lista.PasoSimulacion();
            QCOMPARE(pipeta->m_pConectado, vasoProblema);
            QVERIFY(vasoProblema->VolumenLiquido() >= pipeta->MinimoParaLlenar());
            QCOMPARE(vasoProblema->PourLiquid(*pipeta, CPipetaVolumetrica::kVolumen), 10.0);
            Arrastrar(*pipeta, matraz->m_x + 35, matraz->m_y + 2 - pipeta->m_cy);
            lista.PasoSimulacion();
            QCOMPARE(pipeta->m_pConectado, static_cast<CRecipiente*>(matraz));
            QCOMPARE(pipeta->PourLiquid(*matraz, CPipetaVolumetrica::kVolumen), 10.0);
            Arrastrar(*pipeta, 500, 50);
            matraz->m_seno.m_faseLiquida.AgregarIndicador(Indicador(caso.pszIndicador));
            Sumergir(*phmetro, *matraz);
            Pasos(lista, 3);
            QCOMPARE(lista.FindVesselAtProbe(phmetro), static_cast<CRecipiente*>(matraz));
            const double phInicial = phmetro->m_dLectura;
            QVERIFY(std::fabs(phInicial - (-std::log10(caso.dMolaridad))) < 0.01);

            // The burette filled with the hydroxide, its tip at the flask's mouth.
            QVERIFY(bureta->AddReagent(Reactivo("Hidróxido de sodio 0.1 Molar"), 10.0));
            Arrastrar(*bureta, matraz->m_x + matraz->m_cx / 2 - bureta->m_cx / 2,
                      matraz->m_y - bureta->m_cy + 2);
            {
                // The receiver that "Titular" finds: its mouth at the burette's tip.
                QRect a = bureta->m_rcArea;
                a.setTop(a.bottom() + 1 - 5);
                a.setBottom(a.bottom() + 5);
                CEquipo* receptor = nullptr;
                for (CEquipo* e : lista) {
                    if (e == bureta)
                        continue;
                    QRect b = e->m_rcArea;
                    b.setBottom(b.top() + 5 - 1);
                    b.setTop(b.top() - 5);
                    if (a.intersects(b)) {
                        receptor = e;
                        break;
                    }
                }
                QCOMPARE(receptor, static_cast<CEquipo*>(matraz));
            }

            // Drop by drop (0.05 ml), the stopcock barely open near the end: about three
            // bench steps between drops.
            const double vEquivalencia = caso.dMolaridad * 10.0 / 0.1;
            double vVire = -1.0, vPH7 = -1.0, phAntes = 0.0, phVire = 0.0, phAnterior = phInicial;
            const COLORREF colorInicial = ColorLiquido(*matraz);
            for (int gota = 1; gota <= 60 && vVire < 0.0; ++gota) {
                bureta->PourLiquid(*matraz, 0.05);
                matraz->Step();
                Pasos(lista, 3);
                const double v = 10.0 - bureta->VolumenLiquido(); // the window's "Lectura"
                const COLORREF c = ColorLiquido(*matraz);
                if (vPH7 < 0.0 && phmetro->m_dLectura > 7.0)
                    vPH7 = v;
                if (vVire < 0.0 && c != colorInicial &&
                    ((std::string(caso.pszIndicador) == "Fenolftaleina" && Rosa(c)) ||
                     (std::string(caso.pszIndicador) == "Azul de Bromotimol" && Azul(c) > 0xF0 &&
                      Rojo(c) < 0x90) ||
                     (std::string(caso.pszIndicador) == "Naranja de Metilo" && Verde(c) > 0xF0))) {
                    vVire = v;
                    phAntes = phAnterior;
                    phVire = phmetro->m_dLectura;
                }
                phAnterior = phmetro->m_dLectura;
                if (v < vEquivalencia - 0.1) {
                    QVERIFY(phmetro->m_dLectura < 4.0);
                }
            }
            // The indicator changes within a drop or two of the equivalence point, and the
            // pH meter passes 7 there too (methyl orange turns a little earlier).
            QVERIFY2(
                vVire > vEquivalencia - 0.1 && vVire < vEquivalencia + 0.1,
                qPrintable(QStringLiteral("%1: vire a %2 ml").arg(caso.pszProblema).arg(vVire)));
            const double molaridad = 0.1 * vVire / 10.0;
            QVERIFY(std::fabs(molaridad - caso.dMolaridad) / caso.dMolaridad < 0.1);
            if (std::string(caso.pszIndicador) != "Naranja de Metilo") {
                QVERIFY(vPH7 > vEquivalencia - 0.05 && vPH7 < vEquivalencia + 0.1);
                // One drop takes the pH from acid to basic.
                QVERIFY(phAntes < 5.0 && phVire > 10.0);
            }
            // A few more drops: the solution is clearly basic.
            for (int gota = 0; gota < 5; ++gota) {
                bureta->PourLiquid(*matraz, 0.05);
                matraz->Step();
                Pasos(lista, 1);
            }
            Pasos(lista, 2);
            QVERIFY(phmetro->m_dLectura > 10.0);
        }
    }

    // 904: the metal comes to 100 degrees in boiling water, the water is decanted, the hot
    // metal goes into the calorimeter's water; the lid's reading gives the heat that a gram
    // of the metal takes per degree.
    void calorEspecifico() {
        prueba::Catalogo904();
        for (int32_t r = 0; r < g_nReactivos; ++r) {
            CListaEquipo lista;
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
            const int32_t metal = g_pReactivos[r].m_listaComposicion.front().m_nComponente;
            const double cTabla = g_pComponentes[metal].m_dCalorEspecifico;
            QVERIFY2(std::fabs(c - cTabla) / cTabla < 0.1,
                     qPrintable(QStringLiteral("%1: c = %2, tabla %3")
                                    .arg(QString::fromStdString(g_pReactivos[r].m_strNombre))
                                    .arg(c)
                                    .arg(cTabla)));
            // Dulong and Petit: that heat times the molar mass is close to 6 cal/(mol °C).
            const double cm = c * g_pComponentes[metal].m_dMasaMolar;
            QVERIFY(cm > 5.4 && cm < 6.8);
        }
    }
};

QTEST_MAIN(TestProcedimientos)
#include "tst_procedimientos.moc"
