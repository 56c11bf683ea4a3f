// The catalogue: component rules, reagent units, the tables, template resolution and the
// archive records of every catalogue class.
#include "CatalogosPrueba.h"
#include "model/Archivo.h"
#include "model/Catalogo.h"

#include <QtTest>

#include <random>

namespace {
template <class T> std::vector<uint8_t> Escribir(T& r) {
    CArchivo ar;
    r.Serialize(ar);
    return ar.Datos();
}
template <class T> T Leer(const std::vector<uint8_t>& d) {
    CArchivo ar(d);
    T r;
    r.Serialize(ar);
    if (!ar.AlFinal())
        throw std::logic_error("quedan bytes");
    return r;
}
} // namespace

class TestCatalogo : public QObject {
    Q_OBJECT
    CCatalogo cat;
private slots:
    void cleanup() { cat = CCatalogo(); }

    void catalogoInicial() {
        cat = CCatalogo::Inicial();
        QCOMPARE(cat.NumComponentes(), 3);
        QCOMPARE(cat.NumReactivos(), 0);
        QCOMPARE(cat.NumReacciones(), 0);
        QCOMPARE(cat.NumIndicadores(), 0);
        const CComponentes& agua = cat.m_componentes[0];
        QCOMPARE(agua.m_strNombre, std::string("Agua"));
        QCOMPARE(agua.m_crColor, COLORREF(0xFEFEFE));
        QCOMPARE(cat.m_componentes[2].m_strFormula, std::string("CuSO2"));
        QCOMPARE(cat.m_componentes[2].m_crColor, COLORREF(0xFF0000));
        QCOMPARE(cat.m_componentes[1].m_nSignoAnion, -1);
        // The solubility line is set at start-up: water dissolves 100 g per 100 g always.
        for (double t : {-10.0, 0.0, 37.0, 100.0, 150.0})
            QCOMPARE(agua.Solubilidad(100.0, t), 100.0 / 18.0);
        QCOMPARE(cat.m_componentes[1].m_dPendiente, 0.023);
    }

    void reglasDeUnComponente() {
        CComponentes c = prueba::Componente(4); // NaCl
        c.AjustarSolubilidad();
        QCOMPARE(c.AMoles(58.44277, UNIDAD_GRAMOS), 1.0);
        QCOMPARE(c.AMoles(10.0, UNIDAD_ML), 10.0 * 2.163 / 58.44277);
        QCOMPARE(c.AMoles(0.5, UNIDAD_MOLES), 0.5);
        QCOMPARE(c.AMoles(1.0, 7), 0.0);
        double g, ml;
        c.MasaVolumen(2.0, g, ml);
        QCOMPARE(g, 2 * 58.44277);
        QCOMPARE(ml, 2 * 58.44277 / 2.163);
        QCOMPARE(c.m_dPendiente, 0.041);
        QCOMPARE(c.m_dOrdenada, 35.7);
        // At exactly the second temperature the second solubility counts; below the first
        // temperature the line goes on and may turn negative.
        QCOMPARE(c.Solubilidad(100.0, 100.0), 39.8 / 58.44277);
        QVERIFY(c.Solubilidad(100.0, -1000.0) < 0.0);
        QCOMPARE(c.FactorTemperatura(1413.0), 1.0);
        QCOMPARE(c.FactorTemperatura(20.0), 293.6 / 1686.6);

        CComponentes nitrato = prueba::Componente(159);
        nitrato.AjustarSolubilidad();
        QCOMPARE(nitrato.m_dPendiente, 7.125);
        QCOMPARE(nitrato.m_dOrdenada, 96.0);

        // Equal temperatures: no line, so nothing dissolves below the second temperature.
        c.m_dTemperatura1 = c.m_dTemperatura2 = 50.0;
        c.AjustarSolubilidad();
        QCOMPARE(c.m_dPendiente, 0.0);
        QCOMPARE(c.m_dOrdenada, 0.0);
        QCOMPARE(c.Solubilidad(100.0, 20.0), 0.0);
        // An insoluble component and a broken molar mass dissolve nothing.
        c.m_dSolubilidad1 = 0.0;
        QCOMPARE(c.Solubilidad(100.0, 80.0), 0.0);
        CComponentes roto;
        QCOMPARE(roto.AMoles(10.0, UNIDAD_GRAMOS), 0.0);
        QCOMPARE(roto.Solubilidad(100.0, 20.0), 0.0);
        roto.m_dMasaMolar = 10.0;
        roto.MasaVolumen(1.0, g, ml);
        QCOMPARE(ml, 0.0); // no density, no volume
    }

    void unidadesDeLosReactivos() {
        cat = prueba::Catalogo903();
        const CReactivos& naoh = cat.m_reactivos[prueba::R_NAOH];
        QCOMPARE(naoh.GramosPorUnidad(cat), 1000.0);
        QCOMPARE(naoh.MlPorUnidad(cat), 1000.0);
        QCOMPARE(naoh.VolumenEstimado(cat, 12.5), 12.5);
        QCOMPARE(naoh.SumaProporciones(), 55.60843506179199);

        cat = prueba::Catalogo900();
        const CReactivos& zinc = cat.m_reactivos[3];
        QCOMPARE(zinc.GramosPorUnidad(cat), 6538.0);
        QCOMPARE(zinc.MlPorUnidad(cat), 6538.0 / 7.14);
        // A solid's density counts twice in the estimate of the volume it takes.
        QCOMPARE(zinc.VolumenEstimado(cat, 14.28), 1.0);

        CReactivos vacio;
        vacio.m_bPorProporcion = 1;
        QCOMPARE(vacio.GramosPorUnidad(cat), 0.0);
        QCOMPARE(vacio.MlPorUnidad(cat), 0.0);
        QCOMPARE(vacio.VolumenEstimado(cat, 5.0), 0.0);
    }

    void busquedas() {
        cat = prueba::Catalogo903();
        QCOMPARE(cat.BuscarComponente(3), prueba::HCL);
        QCOMPARE(cat.BuscarComponente(77), cat.NumComponentes());
        cat.m_componentes[4].m_nId = 3; // two components with one identifier: the first wins
        QCOMPARE(cat.BuscarComponente(3), prueba::HCL);
        QCOMPARE(cat.BuscarReactivo("Solución problema 1"), prueba::R_PROBLEMA1);
        QCOMPARE(cat.BuscarReactivo("Solucion problema 1"), cat.NumReactivos());
        QCOMPARE(cat.BuscarIndicador("Fenolftaleina"), 2);
        QCOMPARE(cat.BuscarIndicador(""), cat.NumIndicadores());
        cat = CCatalogo();
        QCOMPARE(cat.BuscarComponente(1), 0);
        QVERIFY(!cat.Componente(0));
    }

    void resolucionDeUnaPlantilla() {
        cat = prueba::Catalogo903();
        QCOMPARE(cat.NumComponentes(), 5);
        const CReacciones& R = cat.m_reacciones[0];
        QCOMPARE(R.m_nReactivo[0], prueba::NAOH);
        QCOMPARE(R.m_nReactivo[1], prueba::HCL);
        QCOMPARE(R.m_nReactivo[2], 5);
        QCOMPARE(R.m_nProducto[0], prueba::NACL);
        QCOMPARE(R.m_nProducto[1], prueba::AGUA);
        QCOMPARE(R.m_nProducto[2], 5);
        QCOMPARE(R.m_nCatalizador, 5);
        for (int i = 0; i < cat.NumIndicadores(); ++i)
            QCOMPARE(cat.m_indicadores[i].m_nComponente, -1);
        QCOMPARE(cat.m_indicadores[0].m_nId, 2);
        const CReactivos& p1 = cat.m_reactivos[prueba::R_PROBLEMA1];
        QCOMPARE(p1.m_listaComposicion.front().m_nComponente, prueba::AGUA);
        QCOMPARE(p1.m_listaComposicion.back().m_nComponente, prueba::HCL);
        QCOMPARE(cat.m_componentes[prueba::NACL].m_dPendiente, 0.041);
        // An indicator that follows a component keeps it, by index.
        CIndicadores ind;
        ind.m_nComponente = 4;
        ind.ResolverComponente(cat);
        QCOMPARE(ind.m_nComponente, prueba::NACL);
    }

    void registrosDeIdaYVuelta() {
        cat = prueba::Catalogo900();
        for (int i = 0; i < cat.NumComponentes(); ++i) {
            const auto d = Escribir(cat.m_componentes[i]);
            auto c = Leer<CComponentes>(d);
            QCOMPARE(Escribir(c), d);
            QCOMPARE(c.m_strNombre, cat.m_componentes[i].m_strNombre);
        }
        for (int i = 0; i < cat.NumReactivos(); ++i) {
            const auto d = Escribir(cat.m_reactivos[i]);
            auto r = Leer<CReactivos>(d);
            QCOMPARE(Escribir(r), d);
            QCOMPARE(r.m_listaComposicion.size(), cat.m_reactivos[i].m_listaComposicion.size());
        }
        for (int i = 0; i < cat.NumReacciones(); ++i) {
            const auto d = Escribir(cat.m_reacciones[i]);
            QCOMPARE(d.front(), uint8_t(0x9B)); // -101
            auto r = Leer<CReacciones>(d);
            QCOMPARE(Escribir(r), d);
        }
        cat = prueba::Catalogo903();
        const auto d = Escribir(cat.m_indicadores[1]);
        auto ind = Leer<CIndicadores>(d);
        QCOMPARE(ind.m_strNombre, std::string("Azul de Bromotimol"));
        QCOMPARE(ind.m_crColorAlto, COLORREF(0xFF0000));
        QCOMPARE(Escribir(ind), d);

        // The dissolved flag is stored; the molten and frozen flags are not.
        CContenido e(3);
        e.m_bDisuelto = 1;
        e.m_bFundido = 1;
        e.m_bSolidificado = 1;
        e.m_dMoles = 0.25;
        e.m_strTexto = "Acido nítico";
        auto e2 = Leer<CContenido>(Escribir(e));
        QCOMPARE(e2.m_bDisuelto, 1);
        QCOMPARE(e2.m_bFundido, 0);
        QCOMPARE(e2.m_bSolidificado, 0);
        QCOMPARE(e2.m_strTexto, e.m_strTexto);
        QCOMPARE(Escribir(e).size(), CContenido::kBytesMinimos + 12);
    }

    void reaccionAntiguaSinMarcaDeVersion() {
        // A -100 record: the identifier comes first and there is no catalyst.
        CReacciones R;
        R.m_nId = 36;
        R.m_strTexto1 = "HNO3 + NaOH";
        R.m_nCatalizador = 4;
        R.m_dLimiteCatalizado = 0.5;
        auto d = Escribir(R);
        d.erase(d.begin(), d.begin() + 4); // no marker
        d.erase(d.end() - 12, d.end());    // no catalyst
        auto antigua = Leer<CReacciones>(d);
        QCOMPARE(antigua.m_nId, 36);
        QCOMPARE(antigua.m_nCatalizador, 0);
        QCOMPARE(antigua.m_dLimiteCatalizado, 0.0);
        const auto nueva = Escribir(antigua);
        QCOMPARE(nueva.size(), d.size() + 16);
        QCOMPARE(nueva[0], uint8_t(0x9B));
        QCOMPARE(Leer<CReacciones>(nueva).m_strTexto1, std::string("HNO3 + NaOH"));
    }

    void tablasEnOrdenDeArchivo() {
        cat = prueba::Catalogo902();
        CArchivo ar;
        cat.Escribir(ar);
        const auto d = ar.Datos();
        QCOMPARE(d[0], uint8_t(2)); // reactions come first
        cat = CCatalogo();
        CArchivo lee(d);
        cat.Leer(lee, false);
        QVERIFY(lee.AlFinal());
        QCOMPARE(cat.NumReacciones(), 2);
        QCOMPARE(cat.NumReactivos(), 3);
        QCOMPARE(cat.NumComponentes(), 6);
        QCOMPARE(cat.NumIndicadores(), 1);
        // A saved practice stores indices: nothing is resolved again.
        QCOMPARE(cat.m_reacciones[1].m_nReactivo[0], 3);
        QCOMPARE(cat.m_reacciones[1].m_dLimitePaso, 0.001);
        QCOMPARE(cat.m_indicadores[0].m_nComponente, -1);
    }

    void registrosDanadosNuncaRompen() {
        cat = prueba::Catalogo900();
        CArchivo ar;
        cat.Escribir(ar);
        const auto d = ar.Datos();
        // Every truncation fails cleanly.
        for (size_t n = 0; n < d.size(); n += 7) {
            CArchivo lee(std::vector<uint8_t>(d.begin(), d.begin() + static_cast<long>(n)));
            CCatalogo leido;
            QVERIFY_THROWS_EXCEPTION(CErrorArchivo, leido.Leer(lee, false));
        }
        // Random damage either reads or fails with the archive's exception, and a huge
        // count never allocates what the file cannot hold.
        std::mt19937 rng(77);
        for (int vuelta = 0; vuelta < 300; ++vuelta) {
            auto dano = d;
            for (int k = 0; k < 4; ++k)
                dano[rng() % dano.size()] = static_cast<uint8_t>(rng());
            CArchivo lee(dano);
            CCatalogo leido;
            try {
                leido.Leer(lee, vuelta % 2 == 0);
                leido.ResolverPlantilla();
            } catch (const CErrorArchivo&) {
            }
        }
        std::vector<uint8_t> enorme = {0xFF, 0xFF, 0xFF, 0x7F, 0, 0, 0, 0};
        CArchivo lee(enorme);
        CCatalogo leido;
        QVERIFY_THROWS_EXCEPTION(CErrorArchivo, leido.Leer(lee, false));
    }
};

QTEST_APPLESS_MAIN(TestCatalogo)
#include "tst_catalogo.moc"
