// Practice 918, Le Chatelier's principle, followed on a bench as its procedure says, on the
// catalogue of the template the program carries. Part A: the iron(III) thiocyanate
// equilibrium (K1 = 98 L/mol, de Berg et al. 2016) deepens with more Fe3+ or SCN- and goes
// when the hydroxide takes the iron out (Ksp of Fe(OH)3 2.79e-39, CRC Handbook). Parts B and
// C: cobalt(II) chloride in 6 M hydrochloric acid is blue hot and pink iced, pink on dilution
// and violet again with more acid. When the practice's notes change, this test must change
// with them.
#include "PlantillaPrueba.h"
#include "Procedimiento.h"
#include "equipment/Calentadores.h"
#include "equipment/Instrumentos.h"
#include "equipment/ListaEquipo.h"
#include "equipment/Recipientes.h"
#include "equipment/Vasos.h"
#include "model/Catalogo.h"

#include "Ayudas.h"

#include <QtTest>

#include <cmath>

using namespace prueba;

namespace {

// The thiocyanatoiron(III) ion's constant at 25 °C (the practice's, from de Berg, Maeder
// and Clifford, Inorganica Chimica Acta 445 (2016) 155).
constexpr double kKHierro = 98.0;
// The fraction of the cobalt as [CoCl4]2- at which the blue ion's absorbance equals the pink
// one's (absorptivities about 600 and 4.8 L/(mol cm)). Within a factor of 4 of it the
// solution looks violet; ten times above it, blue; four times below, pink.
constexpr double kFraccionVioleta = 4.8 / (600.0 + 4.8);

// The colour the student sees in a vessel's liquid, as 0-255 channels.
struct Color {
    int r, g, b;
};
Color ColorVisto(const CRecipiente& t) {
    const COLORREF c = prueba::ColorLiquido(t);
    return {RojoDe(c), VerdeDe(c), AzulDe(c)};
}
QString Texto(const Color& c) {
    return QStringLiteral("(%1, %2, %3)").arg(c.r).arg(c.g).arg(c.b);
}

// Molar concentration of a component in a vessel's liquid.
double Molar(const CRecipiente& r, int32_t nComponente) {
    const CFase& l = r.m_seno.m_faseLiquida;
    return l.Moles(nComponente) / (l.m_dVolumen * 0.001);
}

// The complex Fe3+ + SCN- of K: the smaller root of x^2 - (F + S + 1/K) x + F S = 0.
double Complejo(double F, double S) {
    const double b = F + S + 1.0 / kKHierro;
    return (b - std::sqrt(b * b - 4.0 * F * S)) / 2.0;
}

} // namespace

class TestLeChatelier : public QObject {
    Q_OBJECT
    CCatalogo cat;
private slots:
    void cleanup() { cat = CCatalogo(); }

    // Part A: 10 ml of water, 0.2 ml of each 0.1 M solution: 1.92e-3 M of each ion and
    // 2.7e-4 M of the red ion at equilibrium (the notes' figures); 1 ml more of either
    // reagent takes it to 8.5e-4 M; 1 ml of 0.1 M hydroxide leaves none and a brown solid.
    void tiocianatoDeHierro() {
        QVERIFY(Plantilla(918, cat));
        QCOMPARE(cat.m_nMotor, int32_t(MOTOR_EQUILIBRIO));
        const int32_t complejo = cat.BuscarComponente(192);
        const int32_t hidroxido = cat.BuscarComponente(194);
        const int32_t hierro = Reactivo(cat, "Nitrato de hierro(III) 0.1 M");
        const int32_t tiocianato = Reactivo(cat, "Tiocianato de potasio 0.1 M");
        const int32_t sosa = Reactivo(cat, "Hidróxido de sodio 0.1 M");
        QVERIFY(hierro >= 0 && tiocianato >= 0 && sosa >= 0);
        CListaEquipo lista(&cat);
        CTuboEnsaye* tubos[4];
        for (int i = 0; i < 4; ++i) {
            tubos[i] = Nuevo<CTuboEnsaye>(lista, 60 + 80 * i, 300);
            QVERIFY(tubos[i]->AddComponent(0, 10.0, UNIDAD_ML));
            QVERIFY(tubos[i]->AddReagent(hierro, 0.2));
            QVERIFY(tubos[i]->AddReagent(tiocianato, 0.2));
        }
        Pasos(lista, 3);
        const double c0 = 2e-5 / 0.0104;
        QVERIFY(std::fabs(c0 - 1.92e-3) < 0.005e-3);
        for (CTuboEnsaye* t : tubos) {
            const double x = Molar(*t, complejo);
            QVERIFY2(std::fabs(x - Complejo(c0, c0)) < 1e-6 * x, qPrintable(QString::number(x)));
            QVERIFY(std::fabs(x - 2.7e-4) < 0.05e-4); // the notes' figure
        }
        const double xA = Molar(*tubos[0], complejo);
        // Orange-red: the red ion's colour at 1.3 times the concentration it is given for.
        const Color cA = ColorVisto(*tubos[0]);
        QVERIFY2(cA.r > 150 && cA.g < 80 && cA.b < 80, qPrintable(Texto(cA)));

        QVERIFY(tubos[1]->AddReagent(hierro, 1.0));
        QVERIFY(tubos[2]->AddReagent(tiocianato, 1.0));
        QVERIFY(tubos[3]->AddReagent(sosa, 1.0));
        Pasos(lista, 20);
        const double F = 1.2e-4 / 0.0114, S = 2e-5 / 0.0114;
        for (int i : {1, 2}) {
            const double x = Molar(*tubos[i], complejo);
            QVERIFY2(std::fabs(x - Complejo(F, S)) < 1e-6 * x, qPrintable(QString::number(x)));
            QVERIFY(std::fabs(x - 8.5e-4) < 0.1e-4);
            QVERIFY(x > 3.0 * xA);
            // A deeper red: darker, and still red.
            const Color c = ColorVisto(*tubos[i]);
            QVERIFY2(c.r < cA.r - 40 && c.r > c.g + 60 && c.r > c.b + 60, qPrintable(Texto(c)));
        }
        // All the iron as the hydroxide: 2e-5 mol, 2.14 mg; no red ion left to see.
        CTuboEnsaye& d = *tubos[3];
        QVERIFY(std::fabs(d.m_seno.m_faseSolida.Moles(hidroxido) - 2e-5) < 1e-12);
        QVERIFY(Molar(d, complejo) < 1e-12);
        const Color cD = ColorVisto(d);
        QVERIFY2(cD.r > 0xF0 && cD.g > 0xF0 && cD.b > 0xF0, qPrintable(Texto(cD))); // colourless
        QCOMPARE(d.m_seno.m_faseSolida.ColorFase().m_crColor,
                 cat.m_componentes[hidroxido].m_crColor);
        // The reference did not move.
        QCOMPARE(Molar(*tubos[0], complejo), xA);
    }

    // Parts B and C: violet at the bench's 20 °C, blue at 85 °C on the hot plate, pink below
    // 5 °C in the ice bath, violet again back on the bench; pink with 5 ml of water and
    // violet again with 10 ml of the 12 M acid.
    void cloruroDeCobalto() {
        QVERIFY(Plantilla(918, cat));
        const int32_t rosa = cat.BuscarComponente(195);
        const int32_t azul = cat.BuscarComponente(196);
        const int32_t cobalto = Reactivo(cat, "Cloruro de cobalto(II) 0.05 M en HCl 6 M");
        const int32_t acido = Reactivo(cat, "Ácido clorhídrico 12 M");
        QVERIFY(cobalto >= 0 && acido >= 0);
        CListaEquipo lista(&cat);
        auto* parrilla = Nuevo<CParrilla>(lista, 300, 500);
        parrilla->SetNivel(2);
        auto* hielo = Nuevo<CBanoHielo>(lista, 600, 500);
        auto* e = Nuevo<CTuboEnsaye>(lista, 60, 300);
        auto* f = Nuevo<CTuboEnsaye>(lista, 140, 300);
        auto* g = Nuevo<CTuboEnsaye>(lista, 220, 300);
        auto* termometro = Nuevo<CTermometro>(lista, 800, 100);
        for (CTuboEnsaye* t : {e, f, g})
            QVERIFY(t->AddReagent(cobalto, 5.0));
        auto fraccion = [&](const CTuboEnsaye& t) {
            const double a = t.m_seno.m_faseLiquida.Moles(azul);
            return a / (a + t.m_seno.m_faseLiquida.Moles(rosa));
        };
        auto cobaltoTotal = [&](const CTuboEnsaye& t) {
            return t.m_seno.MolesComponente(azul) + t.m_seno.MolesComponente(rosa);
        };
        Pasos(lista, 5);
        const double f20 = fraccion(*e);
        QVERIFY2(f20 > 0.25 * kFraccionVioleta && f20 < 4.0 * kFraccionVioleta,
                 qPrintable(QString::number(f20)));
        // Violet: blue and red both above green, blue the stronger.
        const Color cE = ColorVisto(*e);
        QVERIFY2(cE.b > cE.g + 30 && cE.r > cE.g + 10 && cE.b > cE.r, qPrintable(Texto(cE)));

        // F on the hot plate, the thermometer in it, off the plate at 85 °C.
        PonerSobre(*f, *parrilla);
        Sumergir(*termometro, *f);
        int n = 0;
        for (; n < 3000 && termometro->m_dLectura < 85.0; ++n)
            lista.PasoSimulacion();
        QVERIFY2(n < 3000, qPrintable(QString::number(termometro->m_dLectura)));
        Arrastrar(*f, 140, 300);
        Sumergir(*termometro, *f);
        Pasos(lista, 1);
        QVERIFY(f->m_seno.m_dTemperatura > 80.0);
        const double fCaliente = fraccion(*f);
        QVERIFY2(fCaliente > 10.0 * kFraccionVioleta, qPrintable(QString::number(fCaliente)));
        const Color cF = ColorVisto(*f);
        QVERIFY2(cF.b > cF.r + 80 && cF.b > cF.g + 80, qPrintable(Texto(cF))); // blue
        QVERIFY(f->m_seno.m_faseSolida.MolesTotales() == 0.0);

        // G in the ice bath until the thermometer reads below 5 °C.
        Arrastrar(*g, hielo->m_x + 40, hielo->m_y + 40 - g->m_cy);
        Sumergir(*termometro, *g);
        for (n = 0; n < 3000 && termometro->m_dLectura >= 5.0; ++n)
            lista.PasoSimulacion();
        QVERIFY2(n < 3000, qPrintable(QString::number(termometro->m_dLectura)));
        Pasos(lista, 10);
        const double fFria = fraccion(*g);
        QVERIFY2(fFria < 0.25 * kFraccionVioleta, qPrintable(QString::number(fFria)));
        const Color cG = ColorVisto(*g);
        QVERIFY2(cG.r > cG.b && cG.b > cG.g && cG.r > cG.g + 40, qPrintable(Texto(cG))); // pink
        // None of the cobalt is lost or left as a solid.
        QVERIFY(std::fabs(cobaltoTotal(*g) - 2.5e-4) < 1e-12);
        QVERIFY(g->m_seno.m_faseSolida.Moles(rosa) < 1e-12);

        // Back on the bench, both return to the reference's violet.
        Arrastrar(*g, 220, 300);
        for (n = 0; n < 20000 && (std::fabs(f->m_seno.m_dTemperatura - 20.0) > 0.05 ||
                                  std::fabs(g->m_seno.m_dTemperatura - 20.0) > 0.05);
             ++n)
            lista.PasoSimulacion();
        QVERIFY(n < 20000);
        for (CTuboEnsaye* t : {f, g})
            QVERIFY2(std::fabs(fraccion(*t) - f20) < 0.02 * f20,
                     qPrintable(QString::number(fraccion(*t))));

        // C: water dilutes the acid to 3 M: (1/2)^2 of the blue ion's share (the quotient has
        // the acid squared), pink.
        QVERIFY(e->AddComponent(0, 5.0, UNIDAD_ML));
        Pasos(lista, 5);
        const double fDiluida = fraccion(*e);
        QVERIFY2(std::fabs(fDiluida * 4.0 - f20) < 0.05 * f20,
                 qPrintable(QString::number(fDiluida)));
        QVERIFY(fDiluida < 0.25 * kFraccionVioleta);
        const Color cDiluida = ColorVisto(*e);
        QVERIFY2(cDiluida.r > cDiluida.b && cDiluida.b > cDiluida.g, qPrintable(Texto(cDiluida)));
        // 10 ml of 12 M acid: 0.15 mol in 20 ml of water, 7.5 M: (7.5/6)^2 of the reference's
        // share, violet again and a little bluer.
        QVERIFY(e->AddReagent(acido, 10.0));
        Pasos(lista, 5);
        QVERIFY2(std::fabs(fraccion(*e) - 1.5625 * f20) < 0.05 * f20,
                 qPrintable(QString::number(fraccion(*e) / f20)));
    }
};

QTEST_MAIN(TestLeChatelier)
#include "tst_le_chatelier.moc"
