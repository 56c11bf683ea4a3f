// The acid–base equilibrium solver against textbook values at 25 °C (pKa from the CRC
// Handbook, "Dissociation constants of inorganic acids and bases" and "of organic acids and
// bases": acetic acid 4.756, ammonium 9.25, carbonic acid 6.35 and 10.33), water's pKw
// over 0–100 °C, the balances, and arbitrary inputs.
#include "CatalogosPrueba.h"
#include "model/AcidoBase.h"
#include "model/Equilibrio.h"
#include "model/Seno.h"

#include <QtTest>

#include <cmath>
#include <random>

using Equilibrio::Sistema;

namespace {

CAcidoBaseDatos Sistema1(double dPKa, int nCedidos, int nCarga = 0) {
    CAcidoBaseDatos d;
    d.m_nPasos = 1;
    d.m_pKa = {dPKa, 0.0, 0.0};
    d.m_nCedidos = nCedidos;
    d.m_nCargaAcida = nCarga;
    return d;
}
const CAcidoBaseDatos kAcetico = Sistema1(4.756, 0);
const CAcidoBaseDatos kAcetato = Sistema1(4.756, 1);
const CAcidoBaseDatos kAmonio = Sistema1(9.25, 0, 1);

CAcidoBaseDatos Carbonato() {
    CAcidoBaseDatos d;
    d.m_nPasos = 2;
    d.m_pKa = {6.35, 10.33, 0.0};
    d.m_nCedidos = 2;
    return d;
}

// Template 903's catalogue on the engine, without its neutralisation line: the equilibria
// neutralise. Acetic acid joins it (component index 5).
CCatalogo CatalogoMotor(int32_t nMotor) {
    CCatalogo cat = prueba::Catalogo903();
    cat.m_reacciones.clear();
    cat.m_nMotor = nMotor;
    CComponentes a = prueba::Componente(2); // a solid like NaOH, its data replaced
    a.m_strNombre = "Acido acetico";
    a.m_dMasaMolar = 60.052;
    a.m_dConstante = 0.0;
    a.m_strCation = "H+";
    a.m_strAnion = "CH3COO-";
    a.m_acidoBase = kAcetico;
    a.m_acidoBase.m_dEntalpia[0] = -0.41; // Goldberg, Kishore and Lennen, JPCRD 31 (2002)
    a.AjustarSolubilidad();
    cat.m_componentes.push_back(a);
    return cat;
}
constexpr int32_t ACETICO = 5;

// A vessel at 25 °C in a room at 25 °C: what it does is the chemistry's alone.
void A25(CSeno& s) {
    s.m_dTemperatura = s.m_dTemperaturaAmbiente = 25.0;
}

// The heat the vessel took since it stood at t0, J (the model's heat unit is the calorie).
double Julios(const CSeno& s, double t0) {
    const double C = s.m_faseSolida.CapacidadCalorifica() + s.m_faseLiquida.CapacidadCalorifica();
    return (s.Temperatura() - t0) * C * AcidoBase::kJuliosPorCaloria;
}

double PH(const std::vector<Sistema>& s, double dFija = 0.0, double t = 25.0) {
    return Equilibrio::Resolver(s, dFija, t).dPH;
}

} // namespace

class TestEquilibrio : public QObject {
    Q_OBJECT
private slots:
    void valoresDeTexto() {
        // Weak acid, its salt, a half and a whole neutralisation of 25 ml 0.1 M acetic acid
        // with 0.1 M NaOH (the Na+ is the fixed charge), an acid salt, a basic salt.
        QVERIFY(std::abs(PH({{0.1, kAcetico}}) - 2.88) <= 0.01);
        QVERIFY(std::abs(PH({{0.1, kAcetato}}) - 8.88) <= 0.02);
        const double dMitad = PH({{2.5 / 37.5, kAcetico}}, 1.25 / 37.5);
        QVERIFY2(std::abs(dMitad - 4.756) <= 0.02, qPrintable(QString::number(dMitad)));
        const double dEquivalencia = PH({{2.5 / 50.0, kAcetico}}, 2.5 / 50.0);
        QVERIFY2(dEquivalencia >= 8.68 && dEquivalencia <= 8.76,
                 qPrintable(QString::number(dEquivalencia)));
        const double dAmonio = PH({{0.1, kAmonio}});
        QVERIFY2(dAmonio >= 5.10 && dAmonio <= 5.15, qPrintable(QString::number(dAmonio)));
        const double dCarbonato = PH({{0.1, Carbonato()}});
        QVERIFY2(dCarbonato >= 11.6 && dCarbonato <= 11.7, qPrintable(QString::number(dCarbonato)));
        // Strong acid at 1e-8 M is barely acid: water's own ions dominate. 10 M is below 0.
        const double dDiluido = PH({}, -1e-8);
        QVERIFY2(dDiluido >= 6.97 && dDiluido <= 6.99, qPrintable(QString::number(dDiluido)));
        QVERIFY(std::abs(PH({}, -1e-6) - 6.00) <= 0.01);
        QVERIFY(std::abs(PH({}, -10.0) + 1.0) <= 1e-6);
        QVERIFY(std::abs(PH({}, 0.1) - 12.995) <= 1e-3);
        // A weak acid far more dilute than its constant ionises almost wholly: no jump to 7.
        const double dAceticoDiluido = PH({{1e-6, kAcetico}});
        QVERIFY2(dAceticoDiluido > 5.9 && dAceticoDiluido < 6.1,
                 qPrintable(QString::number(dAceticoDiluido)));
    }

    void aguaSegunLaTemperatura() {
        // CRC: pKw 14.947 at 0 °C, 13.995 at 25 °C, 13.262 at 50 °C, 12.265 at 100 °C.
        QVERIFY(std::abs(Equilibrio::PKw(0.0) - 14.947) < 1e-9);
        QVERIFY(std::abs(Equilibrio::PKw(100.0) - 12.265) < 1e-9);
        const double d50 = PH({}, 0.0, 50.0);
        QVERIFY2(d50 >= 6.60 && d50 <= 6.66, qPrintable(QString::number(d50)));
        QVERIFY(std::abs(PH({}, 0.0, 25.0) - 6.9975) < 1e-3);
        double dAntes = 99.0;
        for (double t = -20.0; t <= 120.0; t += 5.0) {
            const double d = PH({}, 0.0, t);
            QVERIFY(d <= dAntes); // neutral water's pH falls as it warms, held at the ends
            dAntes = d;
        }
        // van 't Hoff: an endothermic dissociation (ammonium, +52 kJ/mol) grows stronger
        // with heat, by about 0.3 pKa units per 10 °C near room temperature.
        const double d35 = Equilibrio::PKa(9.25, 52.0, 35.0);
        QVERIFY(d35 < 9.25 && d35 > 8.9);
    }

    void reguladora() {
        // 50 ml of 0.1 M acetic acid and 0.1 M sodium acetate against 50 ml of water, each
        // with 1 ml of 0.1 M HCl.
        const double v = 51.0;
        const double dAntes = PH({{0.1, kAcetico}, {0.1, kAcetato}});
        const double dDespues = PH({{5.0 / v, kAcetico}, {5.0 / v, kAcetato}}, -0.1 / v);
        QVERIFY(std::abs(dAntes - 4.756) < 0.01);
        QVERIFY(std::abs(dDespues - dAntes) < 0.1);
        QVERIFY(PH({}, 0.0) - PH({}, -0.1 / v) > 3.0);
    }

    void enUnRecipiente() {
        using namespace prueba;
        // 50 ml of 1 M HCl and 50 ml of 1 M NaOH: 0.05 mol of water formed release
        // 0.05 × 55.815 kJ = 2 791 J into the vessel (which, with 100 g of water alone, would
        // warm by 6.67 °C; this model's vessel also counts its solutes and its glass).
        const CCatalogo cat = CatalogoMotor(MOTOR_NEUTRALIZACION);
        CSeno a(&cat), b(&cat), c(&cat);
        for (CSeno* s : {&a, &b, &c})
            A25(*s);
        a.Agregar(AGUA, 50.0, UNIDAD_ML);
        a.m_faseLiquida.Agregar(HCL, 0.05, UNIDAD_MOLES);
        b.Agregar(AGUA, 50.0, UNIDAD_ML);
        b.m_faseLiquida.Agregar(NAOH, 0.05, UNIDAD_MOLES);
        a.Simular(2);
        b.Simular(2);
        QVERIFY(std::abs(a.Temperatura() - 25.0) < 1e-9); // each alone gives no heat
        QVERIFY2(b.PH() > 13.9, qPrintable(QString::number(b.PH())));
        b.VerterLiquido(a, 200.0);
        a.Simular(1);
        QVERIFY2(std::abs(Julios(a, 25.0) - 2791.0) < 3.0,
                 qPrintable(QString::number(Julios(a, 25.0))));
        a.Simular(1); // solved again at the temperature the heat brought
        const double dNeutro = Equilibrio::PKw(a.Temperatura()) / 2.0;
        QVERIFY2(std::abs(a.PH() - dNeutro) < 1e-3, qPrintable(QString::number(a.PH())));
        // Half of it poured away arrives as it is: no heat where it lands, none left behind.
        const double t = a.Temperatura();
        c.m_dTemperatura = c.m_dTemperaturaAmbiente = a.m_dTemperaturaAmbiente = t;
        a.VerterLiquido(c, a.VolumenDe(ESTADO_LIQUIDO) / 2.0);
        a.Simular(3);
        c.Simular(3);
        QVERIFY(std::abs(a.Temperatura() - t) < 1e-6 && std::abs(c.Temperatura() - t) < 1e-6);

        // 25 ml of 0.1 M acetic acid with 25 ml of 0.1 M NaOH: sodium acetate 0.05 M, pH
        // 8.72, and 2.5 mmol × (55.815 + 0.41) kJ/mol = 140.6 J.
        CSeno d(&cat), e(&cat);
        A25(d);
        A25(e);
        d.Agregar(AGUA, 25.0, UNIDAD_ML);
        d.m_faseLiquida.Agregar(ACETICO, 0.0025, UNIDAD_MOLES);
        d.Simular(1);
        QVERIFY2(std::abs(d.PH() - 2.88) < 0.02, qPrintable(QString::number(d.PH()))); // 0.1 M
        e.Agregar(AGUA, 25.0, UNIDAD_ML);
        e.m_faseLiquida.Agregar(NAOH, 0.0025, UNIDAD_MOLES);
        e.VerterLiquido(d, 100.0);
        d.Simular(1);
        QVERIFY2(d.PH() >= 8.68 && d.PH() <= 8.76, qPrintable(QString::number(d.PH())));
        QVERIFY2(std::abs(Julios(d, 25.0) - 140.6) < 0.3,
                 qPrintable(QString::number(Julios(d, 25.0))));
        // The acid is now mostly its ion: the conductimeter sees about 2 × 0.05 M of ions.
        QVERIFY2(std::abs(d.ConcentracionIones() - 0.1) < 0.005,
                 qPrintable(QString::number(d.ConcentracionIones())));

        // With the engine but not its neutralisation, water at 50 °C reads 6.63 and nothing
        // heats it; in the described model, 7.00.
        const CCatalogo cat1 = CatalogoMotor(MOTOR_EQUILIBRIO);
        const CCatalogo cat0 = CatalogoMotor(MOTOR_DESCRITO);
        for (const CCatalogo* pCat : {&cat1, &cat0}) {
            CSeno w(pCat);
            w.m_dTemperatura = w.m_dTemperaturaAmbiente = 50.0;
            w.Agregar(AGUA, 100.0, UNIDAD_ML);
            w.Simular(1);
            const double dEsperado = pCat == &cat1 ? 6.631 : 7.0;
            QVERIFY2(std::abs(w.PH() - dEsperado) < 0.005, qPrintable(QString::number(w.PH())));
        }
    }

    void colores() {
        // Bromothymol blue, pKa 7.1 (CRC Handbook, acid–base indicators): yellow acid form,
        // blue base form; at its pKa the two filter each other to green.
        CIndicadorDatos d;
        d.m_nTransiciones = 1;
        d.m_pKa = {7.1, 0.0, 0.0};
        d.m_crFormas = {RGBColor(245, 230, 30), RGBColor(30, 80, 200), 0, 0};
        const COLORREF cr = ColorFormas(d, 7.1);
        QVERIFY2(VerdeDe(cr) > RojoDe(cr) + 30 && VerdeDe(cr) > AzulDe(cr) + 30,
                 qPrintable(QString::number(cr, 16)));
        QCOMPARE(ColorFormas(d, 2.0), d.m_crFormas[0]);
        QCOMPARE(ColorFormas(d, 12.0), d.m_crFormas[1]);
        for (double ph : {-1.0, double(NAN), double(INFINITY), -1e300})
            QVERIFY(ColorFormas(d, ph) <= 0xFFFFFFu);

        // Copper sulphate 0.1 M shows its blue; half a mole of a colourless salt does not
        // wash it out, and diluting it tenfold pales it.
        CCatalogo cat = prueba::Catalogo903();
        CComponentes cu = prueba::Componente(40);
        cu.m_crColor = RGBColor(60, 150, 230);
        cu.m_dConcentracionColor = 0.1;
        cat.m_componentes.push_back(cu);
        const int32_t CU = cat.NumComponentes() - 1;
        CSeno s(&cat);
        s.Agregar(prueba::AGUA, 100.0, UNIDAD_ML);
        s.m_faseLiquida.Agregar(CU, 0.01, UNIDAD_MOLES);
        const COLORREF crAzul = s.ColorDe(ESTADO_LIQUIDO).m_crColor;
        QVERIFY(std::abs(RojoDe(crAzul) - 60) <= 1 && std::abs(AzulDe(crAzul) - 229) <= 2);
        s.m_faseLiquida.Agregar(prueba::NACL, 0.5, UNIDAD_MOLES);
        QCOMPARE(s.ColorDe(ESTADO_LIQUIDO).m_crColor, crAzul);
        s.Agregar(prueba::AGUA, 900.0, UNIDAD_ML);
        QVERIFY(RojoDe(s.ColorDe(ESTADO_LIQUIDO).m_crColor) > 200);
    }

    void balancesYEntradasCualesquiera() {
        std::mt19937 g(20261209);
        std::uniform_real_distribution<double> u(0.0, 1.0);
        const double raros[] = {0.0, -1.0, 1e-300, 1e300, NAN, INFINITY, -INFINITY};
        for (int caso = 0; caso < 3000; ++caso) {
            std::vector<Sistema> s;
            const int n = static_cast<int>(u(g) * 11);
            for (int i = 0; i < n; ++i) {
                Sistema x;
                x.dConcentracion =
                    caso % 7 == 0 ? raros[i % 7] : std::pow(10.0, -9.0 + 10.0 * u(g));
                x.datos.m_nPasos = static_cast<int>(u(g) * 5) - 1;
                x.datos.m_nCedidos = static_cast<int>(u(g) * 5) - 1;
                for (int k = 0; k < 3; ++k) {
                    x.datos.m_pKa[static_cast<size_t>(k)] =
                        caso % 5 == 0 ? raros[(i + k) % 7] : -2.0 + 18.0 * u(g);
                    x.datos.m_dEntalpia[static_cast<size_t>(k)] = -60.0 + 120.0 * u(g);
                }
                s.push_back(x);
            }
            const double dFija = caso % 11 == 0 ? raros[caso % 7] : (u(g) - 0.5) * 2.0;
            const double t = caso % 13 == 0 ? raros[caso % 7] : 100.0 * u(g);
            const auto r = Equilibrio::Resolver(s, dFija, t);
            QVERIFY(std::isfinite(r.dH) && std::isfinite(r.dOH) && std::isfinite(r.dPH));
            QVERIFY(r.dH >= 1e-20 && r.dH <= 1e3);
            QCOMPARE(r.fracciones.size(), s.size());
            for (const auto& f : r.fracciones) {
                double dSuma = 0.0;
                for (double x : f) {
                    QVERIFY(std::isfinite(x) && x >= 0.0);
                    dSuma += x;
                }
                QVERIFY(std::abs(dSuma - 1.0) < 1e-12);
            }
            // Charge balance, relative to the charges present, unless a bound held [H+].
            if (caso % 7 == 0 || caso % 5 == 0 || caso % 11 == 0 || caso % 13 == 0)
                continue;
            double q = r.dH - r.dOH + dFija, dEscala = r.dH + r.dOH + std::abs(dFija);
            for (size_t i = 0; i < s.size(); ++i) {
                const int nPasos = std::clamp(s[i].datos.m_nPasos, 0, 3);
                if (nPasos == 0)
                    continue;
                const int nCedidos = std::clamp(s[i].datos.m_nCedidos, 0, nPasos);
                double dMedia = 0.0;
                for (int j = 1; j <= nPasos; ++j)
                    dMedia += j * r.fracciones[i][static_cast<size_t>(j)];
                q += s[i].dConcentracion * (nCedidos - dMedia);
                dEscala += s[i].dConcentracion * nPasos;
            }
            if (r.dH > 1e-20 && r.dH < 1e3)
                QVERIFY2(std::abs(q) <= 1e-9 * dEscala, qPrintable(QString::number(q / dEscala)));
        }
    }
};

QTEST_APPLESS_MAIN(TestEquilibrio)
#include "tst_equilibrio.moc"
