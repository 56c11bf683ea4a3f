// Phases: amounts in and out, ionisation, pH, heat capacity, boiling temperature, the
// bounded moves between phases, colour, the contents rows and the phase record.
#include "CatalogosPrueba.h"
#include "model/Archivo.h"
#include "model/Catalogo.h"
#include "model/Fase.h"
#include "model/NombreColor.h"

#include <QtTest>

#include <cmath>
#include <random>

using namespace prueba;

namespace {
// Every number of a phase must stay finite, whatever was asked of it.
bool Finita(const CFase& f) {
    if (!std::isfinite(f.m_dVolumen) || !std::isfinite(f.m_dMasa))
        return false;
    for (const CContenido& e : f.m_listaContenido)
        for (double d : {e.m_dMoles, e.m_dGramos, e.m_dMl, e.m_dMolesAnion, e.m_dMolesCation})
            if (!std::isfinite(d))
                return false;
    return true;
}
} // namespace

class TestFase : public QObject {
    Q_OBJECT
    CCatalogo cat;
private slots:
    void cleanup() { cat = CCatalogo(); }

    void aguaEnUnaFaseVacia() {
        cat = CCatalogo::Inicial();
        CFase f(ESTADO_LIQUIDO, &cat);
        f.Agregar(0, 10.0, UNIDAD_GRAMOS);
        QCOMPARE(f.m_listaContenido.size(), size_t(1));
        QCOMPARE(f.m_pAgua, &f.m_listaContenido.front());
        QCOMPARE(f.m_pAgua->m_dMoles, 10.0 / 18.0);
        QCOMPARE(f.m_pAgua->m_dMl, 10.0);
        QCOMPARE(f.m_dVolumen, 10.0);
        QCOMPARE(f.m_dMasa, 10.0);
        QCOMPARE(f.m_pAgua->m_dMolesCation, 1e-9);
        QCOMPARE(f.m_pAgua->m_dMolesAnion, 1e-9);
        QCOMPARE(f.CalcularPH(), 7.0);
        // A second addition joins the same entry.
        f.Agregar(0, 5.0, UNIDAD_ML);
        QCOMPARE(f.m_listaContenido.size(), size_t(1));
        QCOMPARE(f.m_dVolumen, 15.0);
    }

    void solidoDisueltoPesaPeroNoOcupa() {
        cat = CCatalogo::Inicial();
        CFase f(ESTADO_LIQUIDO, &cat);
        f.Agregar(0, 100.0, UNIDAD_ML);
        f.Agregar(2, 0.79815, UNIDAD_GRAMOS);
        QCOMPARE(f.m_dVolumen, 100.0);
        QCOMPARE(f.m_dMasa, 100.79815);
        // Newest entry first.
        QCOMPARE(f.m_listaContenido.front().m_nComponente, 2);
        const std::vector<CEntradaFase> r = f.Entradas();
        QCOMPARE(r.size(), size_t(2));
        QCOMPARE(r[0].m_nComponente, 2);
        QCOMPARE(r[0].m_dGramos, 0.79815);
        QVERIFY(std::fabs(r[0].m_dMoles - 0.005) < 5e-5);
        QCOMPARE(r[0].m_nEstado, ESTADO_DISUELTO);
        QVERIFY(!r[0].m_bVolumen);
        QCOMPARE(r[0].m_nFase, ESTADO_LIQUIDO);
        QCOMPARE(r[1].m_nEstado, ESTADO_LIQUIDO);
        QVERIFY(r[1].m_bVolumen);
        QCOMPARE(r[1].m_dMl, 100.0);
    }

    void quitarMasDeLoQueHay() {
        cat = CCatalogo::Inicial();
        CFase f(ESTADO_LIQUIDO, &cat);
        f.Agregar(0, 100.0, UNIDAD_ML);
        f.Agregar(1, 0.25, UNIDAD_MOLES);
        f.Quitar(1, 0.75, UNIDAD_MOLES);
        // Only what there was leaves: the entry and the totals stop at zero, never below.
        const CContenido* e = f.Buscar(1);
        QCOMPARE(e->m_dMoles, 0.0);
        QCOMPARE(e->m_dGramos, 0.0);
        QCOMPARE(e->m_dMl, 0.0);
        QCOMPARE(e->m_dMolesAnion, 0.0);
        QCOMPARE(e->m_dMolesCation, 0.0);
        QCOMPARE(f.m_dMasa, 100.0);
        QCOMPARE(f.m_dVolumen, 100.0);
        QCOMPARE(f.Entradas().size(), size_t(1));
        QCOMPARE(f.Entradas(true).size(), size_t(2));
        // A negative or non-finite amount neither adds nor removes anything.
        for (double d : {-0.5, std::numeric_limits<double>::quiet_NaN(),
                         std::numeric_limits<double>::infinity()}) {
            f.Quitar(0, d, UNIDAD_ML);
            f.Agregar(0, d, UNIDAD_ML);
            f.Agregar(1, d, UNIDAD_MOLES);
        }
        QCOMPARE(f.m_dVolumen, 100.0);
        QCOMPARE(f.Buscar(1)->m_dMoles, 0.0);
        // A rest no instrument could measure is cleared, with its share of the totals.
        f.Agregar(1, 1e-3, UNIDAD_MOLES);
        f.Quitar(1, 1e-3 - 1e-14, UNIDAD_MOLES);
        QCOMPARE(f.Buscar(1)->m_dMoles, 0.0);
        QCOMPARE(f.m_dMasa, 100.0);
        f.Quitar(2, 1.0, UNIDAD_MOLES); // absent: nothing happens
        QCOMPARE(f.m_listaContenido.size(), size_t(2));
        QVERIFY(Finita(f));
    }

    void ionizacionDebil() {
        cat = CCatalogo::Inicial();
        cat.m_componentes[2].m_dConstante = 1.8e-5;
        CFase f(ESTADO_LIQUIDO, &cat);
        f.Agregar(0, 1000.0, UNIDAD_ML);
        f.Agregar(2, 0.1, UNIDAD_MOLES);
        const CContenido* e = f.Buscar(2);
        QCOMPARE(e->m_dMolesCation, std::sqrt(1.8e-5 * 0.1));
        // So dilute that the formula would free more ions than there are moles: none.
        f.Quitar(2, 0.1 - 1e-9, UNIDAD_MOLES);
        QCOMPARE(f.Buscar(2)->m_dMolesCation, 0.0);
        // An entry used up exactly has no ions either (the power of zero or a negative).
        f.Quitar(2, 1e-9, UNIDAD_MOLES);
        QCOMPARE(f.Buscar(2)->m_dMolesAnion, 0.0);
        QVERIFY(Finita(f));
    }

    void pH() {
        cat = prueba::Catalogo903();
        CFase f(ESTADO_LIQUIDO, &cat);
        QCOMPARE(f.CalcularPH(), -1.0);
        f.Agregar(HCL, 0.1, UNIDAD_MOLES); // acid but no water
        QCOMPARE(f.CalcularPH(), -1.0);
        f.Agregar(AGUA, 100.0, UNIDAD_ML);
        // Adding water ionises only the water; the acid frees its ions when the whole
        // liquid is ionised.
        QCOMPARE(f.CalcularPH(), 7.0);
        f.IonizarTodo();
        QCOMPARE(f.CalcularPH(), 0.0); // 1 mol/l of H+, clamped at 0 for anything stronger
        // 0.25 mmol of HCl in 100 ml: [H+] = 2.5e-3 mol/l, pH 2.60; a sign or a litre
        // mistaken in the logarithm shows here, where 1 mol/l hides it.
        CFase d(ESTADO_LIQUIDO, &cat);
        d.Agregar(AGUA, 100.0, UNIDAD_ML);
        d.Agregar(HCL, 0.00025, UNIDAD_MOLES);
        d.IonizarTodo();
        QCOMPARE(QString::number(d.CalcularPH(), 'f', 3), QString("2.602"));
        CFase e(ESTADO_LIQUIDO, &cat);
        e.Agregar(AGUA, 100.0, UNIDAD_ML);
        e.Agregar(NAOH, 0.00025, UNIDAD_MOLES);
        e.IonizarTodo();
        QCOMPARE(QString::number(e.CalcularPH(), 'f', 3), QString("11.398"));
        CFase b(ESTADO_LIQUIDO, &cat);
        b.Agregar(AGUA, 10.0, UNIDAD_ML);
        b.Agregar(NAOH, 0.5, UNIDAD_MOLES);
        QCOMPARE(b.CalcularPH(), 14.0);
        CFase s(ESTADO_SOLIDO, &cat);
        s.Agregar(AGUA, 10.0, UNIDAD_ML);
        QCOMPARE(s.CalcularPH(), -1.0);
        // A liquid with water but no ions of H+ or OH- at all.
        cat = CCatalogo::Inicial();
        cat.m_componentes[0].m_dConstante = 0.0;
        CFase n(ESTADO_LIQUIDO, &cat);
        n.Agregar(0, 10.0, UNIDAD_ML);
        QCOMPARE(n.CalcularPH(), -1.0);
    }

    void efectoDelIonComun() {
        cat = prueba::Catalogo903();
        const double K = 1.8e-5;
        cat.m_componentes[HCL].m_dConstante = K; // make the acid weak
        CFase f(ESTADO_LIQUIDO, &cat);
        f.Agregar(AGUA, 100.0, UNIDAD_ML);
        f.Agregar(HCL, 0.01, UNIDAD_MOLES);
        QCOMPARE(f.EfectoIonComun(), 0); // no other source of Cl-
        const double propio = f.Buscar(HCL)->m_dMolesAnion;
        QCOMPARE(propio, 0.1 * std::sqrt(K * 0.01 / 0.1));
        // Common salt brings Cl-: the weak acid holds its ions back.
        f.Agregar(NACL, 0.02, UNIDAD_MOLES);
        QCOMPARE(f.EfectoIonComun(), 1);
        const double t = 0.02 + propio;
        QCOMPARE(f.Buscar(HCL)->m_dMolesCation, 0.1 * (0.01 * K / 0.1) / (K + t / 0.1));
        QVERIFY(f.Buscar(HCL)->m_dMolesCation < propio / 10.0);
        // Water is a weak electrolyte too: a base suppresses its OH-.
        CFase w(ESTADO_LIQUIDO, &cat);
        w.Agregar(AGUA, 100.0, UNIDAD_ML);
        w.Agregar(NAOH, 0.001, UNIDAD_MOLES);
        QCOMPARE(w.EfectoIonComun(), 1);
        QVERIFY(w.m_pAgua->m_dMolesAnion < 1e-11);
        cat = CCatalogo::Inicial();
        cat.m_componentes[2].m_dConstante = 0.0;
        CFase sin(ESTADO_LIQUIDO, &cat);
        sin.Agregar(2, 1.0, UNIDAD_GRAMOS);
        QCOMPARE(sin.EfectoIonComun(), 0); // no volume, nothing to divide by
    }

    void capacidadYEbullicion() {
        cat = CCatalogo::Inicial();
        CFase f(ESTADO_LIQUIDO, &cat);
        QCOMPARE(f.CapacidadCalorifica(), 31.0);
        QCOMPARE(f.TemperaturaEbullicion(), 1000.0);
        f.Agregar(0, 90.0, UNIDAD_GRAMOS);
        QCOMPARE(f.CapacidadCalorifica(), 90.0);
        QCOMPARE(f.TemperaturaEbullicion(), 100.0);
        // Dissolved solids raise it by 512 times their moles per gram of water.
        f.Agregar(1, 0.09, UNIDAD_MOLES);
        QCOMPARE(f.TemperaturaEbullicion(), 100.0 + 0.09 / 90.0 * 512.0);
        // NaOH is not counted in a liquid (its specific heat is not zero).
        QCOMPARE(f.CapacidadCalorifica(), 90.0);
        // Only solids in the liquid: no boiling point at all.
        CFase s(ESTADO_LIQUIDO, &cat);
        s.Agregar(1, 1.0, UNIDAD_MOLES);
        s.m_dVolumen = 5.0;
        QCOMPARE(s.TemperaturaEbullicion(), 1000.0);
        // Water with no grams left: the elevation rule is skipped, not divided by zero.
        CFase w(ESTADO_LIQUIDO, &cat);
        w.Agregar(0, 10.0, UNIDAD_ML);
        w.Agregar(1, 0.1, UNIDAD_MOLES);
        w.m_pAgua->m_dGramos = 0.0;
        QCOMPARE(w.TemperaturaEbullicion(), 100.0);
        // A component with no specific heat counts with its molar mass, counted or not.
        cat = prueba::Catalogo903();
        CFase h(ESTADO_LIQUIDO, &cat);
        h.Agregar(NACL, 1.0, UNIDAD_MOLES);
        QCOMPARE(h.CapacidadCalorifica(), 58.44277);
    }

    void fundirYCongelarEnPorcionesAcotadas() {
        cat = CCatalogo::Inicial();
        CFase solido(ESTADO_SOLIDO, &cat), liquido(ESTADO_LIQUIDO, &cat);
        solido.Agregar(1, 0.25, UNIDAD_MOLES);
        const double mlPorcion = 0.1 * 40.0 / 2.163;
        // One rule in two directions: at its melting point a solid melts (800.4 here) and a
        // liquid does not freeze (water at 0).
        QCOMPARE(solido.Fundir(liquido, std::nextafter(800.4, 0.0)), 0);
        QCOMPARE(solido.Fundir(liquido, 800.4), 1);
        QCOMPARE(solido.Moles(1), 0.15);
        const CContenido* e = liquido.Buscar(1);
        QCOMPARE(e->m_bFundido, 1);
        QCOMPARE(liquido.m_dVolumen, mlPorcion);
        solido.Fundir(liquido, 900.0);
        solido.Fundir(liquido, 900.0);
        QCOMPARE(solido.Moles(1), 0.0);
        QCOMPARE(liquido.Moles(1), 0.25);
        QCOMPARE(liquido.m_dVolumen, 0.25 * 40.0 / 2.163);
        // Molten, it stands as a liquid with a volume of its own.
        QCOMPARE(liquido.Entradas()[0].m_nEstado, ESTADO_LIQUIDO);
        QVERIFY(liquido.Entradas()[0].m_bVolumen);
        QCOMPARE(liquido.Entradas()[0].m_dMl, 0.25 * 40.0 / 2.163);
        // Below the melting point it freezes back, 0.1 mol at a time (Precipitar does the
        // same for molten solids).
        QCOMPARE(liquido.Precipitar(solido, 20.0), 1);
        QCOMPARE(solido.Moles(1), 0.1);

        // Water freezes into the solid phase and counts there as solid.
        CFase agua(ESTADO_LIQUIDO, &cat), hielo(ESTADO_SOLIDO, &cat);
        agua.Agregar(0, 0.15, UNIDAD_MOLES);
        QCOMPARE(agua.Congelar(hielo, 0.0), 0);
        QCOMPARE(agua.Congelar(hielo, -1.0), 1);
        QCOMPARE(hielo.Moles(0), 0.1);
        QCOMPARE(hielo.Buscar(0)->m_bSolidificado, 1);
        QCOMPARE(hielo.m_dVolumen, 1.8);
        QCOMPARE(hielo.Entradas().back().m_nEstado, ESTADO_SOLIDO);
        // Dissolved solids never freeze out.
        CFase sal(ESTADO_LIQUIDO, &cat), fondo(ESTADO_SOLIDO, &cat);
        sal.Agregar(0, 10.0, UNIDAD_ML);
        sal.Agregar(1, 0.01, UNIDAD_MOLES);
        sal.Buscar(1)->m_bDisuelto = 1;
        sal.Congelar(fondo, -10.0);
        QCOMPARE(fondo.Moles(1), 0.0);
        QCOMPARE(fondo.Moles(0), 0.1);
    }

    void evaporarCondensarDisolverPrecipitar() {
        cat = CCatalogo::Inicial();
        CFase liq(ESTADO_LIQUIDO, &cat), gas(ESTADO_GAS, &cat);
        liq.Agregar(0, 18.0, UNIDAD_GRAMOS);
        QCOMPARE(liq.Evaporar(gas, 100.0), 1);
        QCOMPARE(gas.Moles(0), 0.001); // exactly at the boiling point: unscaled
        QCOMPARE(liq.Moles(0), 0.999);
        liq.Evaporar(gas, 50.0);
        QCOMPARE(gas.Moles(0), 0.001 + 0.001 * (323.6 / 373.6));
        // Gas condenses only 1 degree or more below its boiling point.
        QCOMPARE(gas.Condensar(liq, 99.5, 0.01), 0);
        QCOMPARE(gas.Condensar(liq, 20.0, 0.0015), 1);
        QCOMPARE(gas.Moles(0), 0.001 + 0.001 * (323.6 / 373.6) - 0.0015);
        QCOMPARE(gas.CondensarEn(liq, 1.0), 1);
        QCOMPARE(gas.Moles(0), 0.0);

        CFase solido(ESTADO_SOLIDO, &cat), agua(ESTADO_LIQUIDO, &cat);
        solido.Agregar(2, 0.1, UNIDAD_MOLES);
        QCOMPARE(solido.Disolver(agua, 20.0, 0.0), 0); // no water to dissolve in
        agua.Agregar(0, 10.0, UNIDAD_ML);
        QCOMPARE(solido.Disolver(agua, 20.0, 0.0), 1);
        QCOMPARE(agua.Moles(2), 0.002);
        QCOMPARE(agua.Buscar(2)->m_bDisuelto, 1);
        // 10 ml of water hold (20 * 0.611 + 14.3) * 0.1 / 159.63 mol at 20 degrees.
        const double s = (20.0 * 0.611 + 14.3) * 0.1 / 159.63;
        for (int i = 0; i < 100; ++i)
            solido.Disolver(agua, 20.0, 0.0);
        QCOMPARE(agua.Moles(2), s);
        QCOMPARE(solido.Disolver(agua, 20.0, 0.0), 0); // saturated
        // Colder, the excess comes out 0.001 mol at a time at most.
        QCOMPARE(agua.Precipitar(solido, 0.0), 1);
        QCOMPARE(agua.Moles(2), s - 0.001);
    }

    void transferirUnaFraccion() {
        cat = CCatalogo::Inicial();
        CFase a(ESTADO_LIQUIDO, &cat), b(ESTADO_LIQUIDO, &cat);
        a.Agregar(0, 100.0, UNIDAD_ML);
        a.Agregar(1, 0.1, UNIDAD_MOLES);
        a.Buscar(1)->m_bFundido = 1;
        a.TransferirFraccion(&b, 0.25);
        QCOMPARE(b.Moles(0), 0.25 * 100.0 / 18.0);
        QCOMPARE(b.Moles(1), 0.025);
        QCOMPARE(b.Buscar(1)->m_bFundido, 1);
        QCOMPARE(b.m_dVolumen, 25.0 + 0.025 * 40.0 / 2.163);
        QCOMPARE(b.Buscar(1)->m_dMolesAnion, 0.025); // ionised on arrival
        QCOMPARE(a.Moles(1), 0.075);
        a.TransferirFraccion(nullptr, 1.0); // out of the system
        QCOMPARE(a.MolesTotales(), 0.0);
        // Nothing left, no entry left: a file written now holds none of 0 mol.
        QVERIFY(a.m_listaContenido.empty() && !a.m_pAgua);
        QCOMPARE(a.m_dVolumen, 0.0);
    }

    void colorDeLaFase() {
        cat = prueba::Catalogo903();
        CFase f(ESTADO_LIQUIDO, &cat);
        QCOMPARE(f.ColorFase(), CColorFase{});
        f.Agregar(AGUA, 100.0, UNIDAD_ML);
        QCOMPARE(f.ColorFase().m_crColor, COLORREF(0xFEFEFE));
        QCOMPARE(NombreColor(f.ColorFase().m_crColor), std::string("incoloro"));
        // Methyl orange in neutral water is above its range (yellow); mixed half and half.
        f.AgregarIndicador(0);
        QCOMPARE(f.ColorFase().m_crColor, RGBColor(254, 254, 127));
        QCOMPARE(NombreColor(f.ColorFase().m_crColor), std::string("amarillo"));
        // The words for the colours CSS names (W3C CSS Color Module, named colours).
        for (const auto& [cr, pszNombre] : std::vector<std::pair<COLORREF, const char*>>{
                 {RGBColor(255, 192, 203), "rosa pálido"}, // pink
                 {RGBColor(255, 0, 255), "fucsia"},        // fuchsia
                 {RGBColor(255, 0, 0), "rojo"},            // red
                 {RGBColor(255, 165, 0), "naranja"},       // orange
                 {RGBColor(139, 69, 19), "marrón"},        // saddlebrown
                 {RGBColor(0, 255, 0), "verde"},           // lime
                 {RGBColor(0, 0, 255), "azul"},            // blue
                 {RGBColor(0, 0, 128), "azul oscuro"},     // navy
                 {RGBColor(0, 255, 255), "turquesa"},      // aqua
                 {RGBColor(128, 128, 128), "gris"},        // gray
                 {RGBColor(0, 0, 0), "negro"}})
            QCOMPARE(NombreColor(cr), std::string(pszNombre));
        // In the middle of its range the colour is interpolated.
        f.Agregar(HCL, 0.1 * std::pow(10.0, -3.75), UNIDAD_MOLES);
        const COLORREF cr = f.ColorFase().m_crColor;
        QVERIFY(std::abs(VerdeDe(cr) - (254 + 127) / 2) <= 1);
        // Solids weigh a hundred times their moles; textures add up.
        cat = CCatalogo::Inicial();
        CFase s(ESTADO_SOLIDO, &cat);
        s.Agregar(1, 0.01, UNIDAD_MOLES);
        s.Agregar(2, 0.01, UNIDAD_MOLES);
        const CColorFase c = s.ColorFase();
        QCOMPARE(c.m_nTextura, 3);
        QCOMPARE(c.m_crColor, RGBColor(0, 127, 127));
    }

    void registroDeLaFase() {
        cat = prueba::Catalogo903();
        CFase f(ESTADO_LIQUIDO, &cat);
        f.Agregar(AGUA, 50.0, UNIDAD_ML);
        f.Agregar(NACL, 0.01, UNIDAD_MOLES);
        f.Buscar(NACL)->m_bDisuelto = 1;
        f.AgregarIndicador(2); // Fenolftaleina, id 1
        f.AgregarIndicador(0); // Naranja de Metilo, id 2
        CArchivo ar;
        f.Serialize(ar);
        CFase g(ESTADO_NINGUNO, &cat);
        CArchivo lee(ar.Datos());
        g.Serialize(lee);
        QVERIFY(lee.AlFinal());
        QCOMPARE(g.m_nEstado, ESTADO_LIQUIDO);
        QCOMPARE(g.m_listaContenido.front().m_nComponente, NACL);
        QCOMPARE(g.m_pAgua, g.Buscar(AGUA));
        QCOMPARE(g.m_dVolumen, f.m_dVolumen);
        QCOMPARE(g.m_listaIndicadores.size(), size_t(2));
        QCOMPARE(g.m_listaIndicadores.front(), 0);
        QCOMPARE(cat.m_indicadores[0].m_strNombre, std::string("Naranja de Metilo"));
        QCOMPARE(g.m_listaIndicadores.back(), 2); // Fenolftaleina, id 1
        CArchivo otra;
        g.Serialize(otra);
        QCOMPARE(otra.Datos(), ar.Datos());
        // An indicator number that the catalogue lacks is skipped.
        cat.m_indicadores[2].m_nId = 42;
        CArchivo lee2(ar.Datos());
        g.Serialize(lee2);
        QCOMPARE(g.m_listaIndicadores.size(), size_t(1));
    }

    void registrosDanados() {
        cat = prueba::Catalogo903();
        CFase f(ESTADO_LIQUIDO, &cat);
        f.Agregar(AGUA, 50.0, UNIDAD_ML);
        f.Agregar(NAOH, 0.01, UNIDAD_MOLES);
        f.AgregarIndicador(1);
        CArchivo ar;
        f.Serialize(ar);
        const auto d = ar.Datos();
        for (size_t n = 0; n < d.size(); ++n) {
            CArchivo lee(std::vector<uint8_t>(d.begin(), d.begin() + static_cast<long>(n)));
            CFase g(ESTADO_NINGUNO, &cat);
            QVERIFY_THROWS_EXCEPTION(CErrorArchivo, g.Serialize(lee));
        }
        std::mt19937 rng(5);
        for (int vuelta = 0; vuelta < 500; ++vuelta) {
            auto dano = d;
            dano[rng() % dano.size()] = static_cast<uint8_t>(rng());
            CArchivo lee(dano);
            CFase g(ESTADO_NINGUNO, &cat);
            try {
                g.Serialize(lee);
            } catch (const CErrorArchivo&) {
                continue;
            }
            // What reads is usable: every operation stays finite.
            g.IonizarTodo();
            g.EfectoIonComun();
            g.CalcularPH();
            g.ColorFase();
            g.Entradas(true);
        }
        // An entry of a component outside the catalogue is damage.
        CFase h(ESTADO_SOLIDO, &cat);
        h.m_listaContenido.emplace_front(9);
        CArchivo malo;
        h.Serialize(malo);
        CArchivo lee(malo.Datos());
        QVERIFY_THROWS_EXCEPTION(CErrorArchivo, h.Serialize(lee));
    }

    void sinCatalogoNadaPasa() {
        cat = CCatalogo();
        CFase f(ESTADO_LIQUIDO, &cat);
        f.Agregar(0, 10.0, UNIDAD_ML);
        f.AgregarReactivo(0, 1.0);
        f.AgregarIndicador(0);
        QVERIFY(f.m_listaContenido.empty());
        QCOMPARE(f.CalcularPH(), -1.0);
        QCOMPARE(f.CapacidadCalorifica(), 31.0);
        cat = CCatalogo::Inicial();
        f.Agregar(3, 1.0, UNIDAD_MOLES);  // one past the end
        f.Agregar(-1, 1.0, UNIDAD_MOLES); // negative
        QVERIFY(f.m_listaContenido.empty());
        QCOMPARE(f.m_dMasa, 0.0);
    }

    void vaciar() {
        cat = prueba::Catalogo903();
        CFase f(ESTADO_LIQUIDO, &cat);
        f.AgregarReactivo(R_PROBLEMA1, 0.01);
        f.AgregarIndicador(0);
        f.m_crColorDibujado = 0x123456;
        f.Vaciar();
        QVERIFY(f.m_listaContenido.empty());
        QVERIFY(f.m_listaIndicadores.empty());
        QVERIFY(!f.m_pAgua);
        QCOMPARE(f.m_dVolumen, 0.0);
        QCOMPARE(f.m_crColorDibujado, COLORREF(0));
    }
};

QTEST_APPLESS_MAIN(TestFase)
#include "tst_fase.moc"
