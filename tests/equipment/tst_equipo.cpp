// Single items: placement, hit-testing, levels, adding material, pouring, menus, heat
// sources and instruments, and the record of every type code.
#include "CatalogosPrueba.h"
#include "equipment/Calentadores.h"
#include "equipment/Calorimetro.h"
#include "equipment/Destilacion.h"
#include "equipment/Dibujo.h"
#include "equipment/Erlenmeyer250.h"
#include "equipment/Instrumentos.h"
#include "equipment/ListaEquipo.h"
#include "equipment/Recipientes.h"
#include "equipment/TiposEquipo.h"
#include "equipment/Vasos.h"
#include "model/Archivo.h"
#include "model/Catalogo.h"

#include "Ayudas.h"

#include <QPainter>
#include <QtTest>

#include <algorithm>
#include <limits>
#include <memory>

namespace {

const int kTipos[] = {1,  2,  3,  4,  5,  6,  7,  8,  9,  10, 11, 12, 13, 14, 15, 20, 21, 22,
                      23, 30, 31, 32, 33, 34, 35, 36, 40, 41, 42, 43, 44, 45, 46, 47, 48, 49};

} // namespace

class TestEquipo : public QObject {
    Q_OBJECT
    CCatalogo cat;
private slots:
    void init() { cat = CCatalogo::Inicial(); }
    void cleanup() { cat = CCatalogo(); }

    void puntoDeInsercion() {
        const QPoint ptInsercion(400, 300);
        CVaso250 v; // 86 x 102, its bottom centre at the bench's origin until placed
        v.Vincular(&cat);
        QCOMPARE(v.m_rcArea, QRect(-43, -102, 86, 102));
        v.ColocarEn(ptInsercion);
        QCOMPARE(v.m_x, 400 - 43);
        QCOMPARE(v.m_y, 300 - 102);
        QCOMPARE(v.m_rcArea, QRect(357, 198, 86, 102));
        CTuboEnsaye t; // odd width: 25 / 2 truncates
        t.Vincular(&cat);
        t.ColocarEn(ptInsercion);
        QCOMPARE(t.m_x, 400 - 12);
        CBalanza b; // instruments too
        b.Vincular(&cat);
        b.ColocarEn(ptInsercion);
        QCOMPARE(b.m_x, 400 - 58);
        QCOMPARE(b.m_y, 300 - 39);
        // Every item of the catalogue has its size, name and category.
        for (int nTipo : kTipos) {
            std::unique_ptr<CEquipo> e(CListaEquipo::CrearEquipo(nTipo));
            QVERIFY(e);
            QCOMPARE(e->m_nTipo, nTipo);
            QVERIFY(e->m_cx > 0 && e->m_cy > 0);
            QVERIFY(!e->m_strNombre.empty());
            QCOMPARE(e->m_y + e->m_cy, 0);
            const int nCategoria = nTipo < 35 || nTipo == 36                     ? 0
                                   : nTipo == 35                                 ? 2
                                   : (nTipo == 40 || nTipo == 41 || nTipo == 47) ? 1
                                                                                 : 2;
            QCOMPARE(e->m_nCategoria, nCategoria);
        }
        QVERIFY(!CListaEquipo::CrearEquipo(16));
        QVERIFY(!CListaEquipo::CrearEquipo(0));
    }

    void hitTestYMovimiento() {
        CVaso100 v; // 78 x 92 at (61, 108)
        v.Vincular(&cat);
        v.ColocarEn(QPoint(100, 200));
        QVERIFY(v.HitTest(QPoint(61, 108)));
        QVERIFY(v.HitTest(QPoint(61 + 77, 108 + 91)));
        QVERIFY(!v.HitTest(QPoint(61 + 78, 150)));
        QVERIFY(!v.HitTest(QPoint(80, 108 + 92)));
        v.MoveBy(10, -5);
        QCOMPARE(v.m_rcArea.topLeft(), QPoint(71, 103));
        v.SetPosition(0, 0);
        QVERIFY(v.HitTest(QPoint(0, 0)));
    }

    void nivelesDeLosRecipientes() {
        CVaso100 v100;
        v100.Vincular(&cat);
        QCOMPARE(v100.GetLevelY(100), 14);
        QCOMPARE(v100.GetLevelY(101), 0);
        QCOMPARE(v100.GetLevelY(0), 89);
        CBureta10 b10;
        b10.Vincular(&cat);
        QCOMPARE(b10.GetLevelY(10), 20);
        QCOMPARE(b10.GetLevelY(0), 220);
        CBureta50 b50;
        b50.Vincular(&cat);
        QCOMPARE(b50.GetLevelY(50), 20);
        CErlenmeyer250 e250;
        e250.Vincular(&cat);
        QCOMPARE(e250.GetLevelY(250), 43);
        QCOMPARE(e250.GetLevelY(251), 5);
        CErlenmeyer100 e100;
        e100.Vincular(&cat);
        QCOMPARE(e100.GetLevelY(25), 99);
        QCOMPARE(e100.GetLevelY(101), 5);
        CMatrazBalon balon;
        balon.Vincular(&cat);
        QCOMPARE(balon.GetLevelY(250), 0); // full at the capacity itself
        QCOMPARE(balon.GetLevelY(249), 5);
        CPipetaVolumetrica pv;
        pv.Vincular(&cat);
        QVERIFY(pv.GetLevelY(10.0) < 0); // above the picture: clipped when drawn
        QCOMPARE(pv.GetLevelY(10.2), 179);
        CCalorimetro cal;
        cal.Vincular(&cat);
        QCOMPARE(cal.GetLevelY(300), 0);
        CCrisol crisol;
        crisol.Vincular(&cat);
        QCOMPARE(crisol.GetLevelY(10), 22);
        CFiltroBuchner filtro;
        filtro.Vincular(&cat);
        QCOMPARE(filtro.GetLevelY(5), filtro.m_cx);
        // An empty volume means the reserve, which stays 0.
        v100.m_seno.m_dReserva = 4.0;
        QCOMPARE(v100.GetLevelY(0), 86);
    }

    void aguaYReactivosQueCabenONo() {
        CVaso100 v;
        v.Vincular(&cat);
        QCOMPARE(v.AddComponent(0, 60.0, UNIDAD_ML), 1);
        // Only 40 ml are free now: 50 more do not fit and nothing changes.
        QCOMPARE(v.AddComponent(0, 50.0, UNIDAD_ML), 0);
        QCOMPARE(v.VolumenLiquido(), 60.0);
        QCOMPARE(v.AddComponent(0, 40.0, UNIDAD_ML), 1);
        QCOMPARE(v.VolumenLiquido(), 100.0);
        QCOMPARE(v.AddComponent(0, 0.5, UNIDAD_ML), 0);
        QCOMPARE(v.AddComponent(99, 1.0, UNIDAD_ML), 0);

        cat = prueba::Catalogo903();
        CVaso100 w;
        w.Vincular(&cat);
        w.AddComponent(0, 30.0, UNIDAD_ML);
        // A reagent exactly the size of the free space fits; a hair more does not.
        QCOMPARE(w.AddReagent(prueba::R_PROBLEMA1, 70.0), 1);
        QCOMPARE(w.VolumenLiquido(), 100.0);
        w.EmptyContents();
        w.AddComponent(0, 30.0, UNIDAD_ML);
        QCOMPARE(w.AddReagent(prueba::R_PROBLEMA1, 70.0001), 0);
        QCOMPARE(w.VolumenLiquido(), 30.0);
        QCOMPARE(w.AddReagent(-1, 1.0), 0);
        // Whatever a dialog lets through, the vessel refuses a negative or non-finite amount
        // and keeps what it holds (a negative one would even "fit" in any free space).
        for (double d : {-20.0, std::numeric_limits<double>::quiet_NaN(),
                         std::numeric_limits<double>::infinity()}) {
            QCOMPARE(w.AddComponent(0, d, UNIDAD_ML), 0);
            QCOMPARE(w.AddReagent(prueba::R_PROBLEMA1, d), 0);
        }
        QCOMPARE(w.VolumenLiquido(), 30.0);
        // A solid reagent goes to the solid phase, in grams.
        cat = prueba::Catalogo900();
        CVaso250 s;
        s.Vincular(&cat);
        QCOMPARE(s.AddReagent(3, 6.538), 1); // zinc filings
        QCOMPARE(s.m_seno.m_faseSolida.Moles(cat.BuscarComponente(150)), 0.1);
    }

    void vaciar() {
        CVaso250 v;
        v.Vincular(&cat);
        v.AddComponent(0, 50.0, UNIDAD_ML);
        v.m_seno.m_dTemperatura = 70.0;
        v.m_seno.m_dTemperaturaAmbiente = 40.0;
        v.m_seno.m_nEbullicion = 5;
        v.EmptyContents();
        QCOMPARE(v.VolumenLiquido(), 0.0);
        QCOMPARE(v.m_seno.m_dTemperatura, 20.0);
        QCOMPARE(v.m_seno.m_dTemperaturaAmbiente, 20.0);
        QCOMPARE(v.m_seno.m_nEbullicion, 0);
    }

    void verterConTopes() {
        CVaso250 a;
        a.Vincular(&cat);
        CVaso100 b;
        b.Vincular(&cat);
        a.AddComponent(0, 30.0, UNIDAD_ML);
        QCOMPARE(a.PourLiquid(b, 50.0), 30.0); // limited by the source
        QCOMPARE(b.VolumenLiquido(), 30.0);
        // Poured out whole, the source keeps no entry of nothing to write into a file.
        QVERIFY(a.m_seno.m_faseLiquida.m_listaContenido.empty());
        QCOMPARE(a.m_seno.m_faseLiquida.m_dMasa, 0.0);
        a.AddComponent(0, 200.0, UNIDAD_ML);
        b.AddComponent(0, 50.0, UNIDAD_ML);
        QCOMPARE(a.PourLiquid(b, 0.0), 20.0); // as much as fits: 20 ml free
        QCOMPARE(b.VolumenLiquido(), 100.0);
        QCOMPARE(a.PourLiquid(b, 0.0), 0.0); // full
        QCOMPARE(b.PourLiquid(b, 5.0), 0.0); // not into itself
        CVaso100 vacio;
        vacio.Vincular(&cat);
        QCOMPARE(vacio.PourLiquid(a, 0.0), 0.0);
        // A request larger than the free space pours the free space.
        CVaso100 c;
        c.Vincular(&cat);
        c.AddComponent(0, 90.0, UNIDAD_ML);
        QCOMPARE(a.PourLiquid(c, 15.0), 10.0);
        // Solids pour into the space left; a calorimeter keeps the mixed temperature.
        CVaso250 s;
        s.Vincular(&cat);
        s.AddComponent(2, 0.1, UNIDAD_MOLES);
        s.m_seno.m_dTemperatura = 90.0;
        CCalorimetro cal;
        cal.Vincular(&cat);
        cal.AddComponent(0, 100.0, UNIDAD_ML);
        QVERIFY(s.PourSolid(cal) > 0.0);
        QCOMPARE(cal.m_seno.m_faseSolida.Moles(2), 0.1);
        QVERIFY(cal.m_seno.m_dTemperatura > 20.0);
        QCOMPARE(cal.m_seno.m_dTemperaturaAmbiente, cal.m_seno.m_dTemperatura);
        QCOMPARE(s.PourSolid(cal), 0.0);
    }

    void menus() {
        CVaso100 v;
        v.Vincular(&cat);
        const std::vector<int> vaso = {
            ID_PROPIEDADES,      ID_ELIMINAR,          0, ID_ELIMINAR_CONTENIDO, 0, ID_AGREGAR_AGUA,
            ID_AGREGAR_REACTIVO, ID_AGREGAR_INDICADOR, 0};
        QCOMPARE(prueba::Comandos(v), vaso);
        CBureta10 bureta; // above code 13: no material entries
        bureta.Vincular(&cat);
        QCOMPARE(prueba::Comandos(bureta),
                 (std::vector<int>{ID_PROPIEDADES, ID_ELIMINAR, 0, ID_ELIMINAR_CONTENIDO, 0,
                                   ID_TITULAR}));
        CTermometro t; // instruments have no "Propiedades"
        t.Vincular(&cat);
        QCOMPARE(prueba::Comandos(t), (std::vector<int>{ID_ELIMINAR, 0}));
        CBalanza b;
        b.Vincular(&cat);
        QCOMPARE(prueba::Comandos(b), (std::vector<int>{ID_ELIMINAR, 0, ID_TARAR}));
        CParrilla p;
        p.Vincular(&cat);
        QCOMPARE(prueba::Comandos(p),
                 (std::vector<int>{ID_ELIMINAR, 0, ID_APAGAR, ID_NIVEL1, ID_NIVEL2, ID_NIVEL3,
                                   ID_NIVEL4, ID_NIVEL5}));
        CMechero m;
        m.Vincular(&cat);
        QCOMPARE(prueba::Comandos(m), (std::vector<int>{ID_ELIMINAR, 0}));
        CCalorimetro cal;
        cal.Vincular(&cat);
        QCOMPARE(prueba::Comandos(cal).back(), int(ID_TAPAR_CALORIMETRO));
        CCabezaDestilacion cabeza;
        cabeza.Vincular(&cat);
        QCOMPARE(prueba::Comandos(cabeza), (std::vector<int>{ID_PROPIEDADES}));
        CMenu textos;
        v.BuildMenu(textos);
        QCOMPARE(textos[5].m_strTexto, std::string("Agregar agua"));
        QCOMPARE(textos[3].m_strTexto, std::string("Eliminar contenido"));
    }

    void menusDeLasPipetas() {
        CPipetaVolumetrica pv;
        pv.Vincular(&cat);
        QCOMPARE(prueba::Comandos(pv), (std::vector<int>{ID_PROPIEDADES, ID_ELIMINAR, 0}));
        CVaso100 abajo;
        abajo.Vincular(&cat);
        abajo.AddComponent(0, 9.9, UNIDAD_ML);
        pv.m_pConectado = &abajo;
        QCOMPARE(prueba::Comandos(pv).size(), size_t(3)); // 9.9 ml are not enough
        abajo.AddComponent(0, 0.1, UNIDAD_ML);
        QCOMPARE(prueba::Comandos(pv).back(), int(ID_LLENAR_DESDE));
        QCOMPARE(abajo.PourLiquid(pv, CPipetaVolumetrica::kVolumen), 10.0);
        QCOMPARE(prueba::Comandos(pv).back(), int(ID_VACIAR_EN));
        CPipetaGraduada pg;
        pg.Vincular(&cat);
        CVaso100 poco;
        poco.Vincular(&cat);
        poco.AddComponent(0, 1.0, UNIDAD_ML);
        pg.m_pConectado = &poco;
        QCOMPARE(prueba::Comandos(pg).back(), int(ID_LLENAR_DESDE));
    }

    void fuentesDeCalor() {
        CParrilla p;
        p.Vincular(&cat);
        QCOMPARE(p.m_dPotencia, 5.0);
        QCOMPARE(p.m_nLuces, 2);
        QVERIFY(p.Comando(ID_APAGAR));
        QCOMPARE(p.m_dPotencia, 0.0);
        QCOMPARE(p.m_nLuces, 0);
        QVERIFY(p.Comando(ID_NIVEL5));
        QCOMPARE(p.m_dPotencia, 20.0);
        QCOMPARE(p.m_nLuces, 5);
        QVERIFY(p.Comando(ID_NIVEL3));
        QCOMPARE(p.m_dPotencia, 10.0);
        QVERIFY(!p.Comando(ID_TARAR));
        QCOMPARE(p.AdvanceFrame(), 0); // no animation
        CMechero m;
        m.Vincular(&cat);
        QCOMPARE(m.m_dPotencia, 5.0);
        for (int i = 1; i <= 5; ++i) {
            QCOMPARE(m.AdvanceFrame(), 1);
            QCOMPARE(m.m_nFrame, i % 4);
        }
        CBanoHielo h;
        h.Vincular(&cat);
        QCOMPARE(h.m_dPotencia, -20.0);
    }

    void balanzaYTara() {
        CBalanza b;
        b.Vincular(&cat);
        CVaso100 v;
        v.Vincular(&cat);
        QCOMPARE(b.Attach(&v), 1);
        QCOMPARE(b.Peso(), 65.0);
        QCOMPARE(b.Attach(&v), 0); // same reading, no repaint
        b.Tarar();
        QCOMPARE(b.Peso(), 0.0);
        v.AddComponent(0, 20.0, UNIDAD_ML);
        v.AddComponent(1, 4.0, UNIDAD_GRAMOS);
        v.m_seno.m_faseGas.Agregar(0, 1.0, UNIDAD_MOLES); // gas is not weighed
        b.Attach(&v);
        QCOMPARE(b.Peso(), 24.0);
        QCOMPARE(b.Detach(), 1); // always repaints
        QCOMPARE(b.Peso(), -65.0);
        QCOMPARE(b.Detach(), 1);
    }

    void termometroYOtrasLecturas() {
        CTermometro t;
        t.Vincular(&cat);
        QCOMPARE(t.Detach(), 0); // already at 20
        CVaso100 v;
        v.Vincular(&cat);
        v.m_seno.m_dTemperatura = 35.0;
        QCOMPARE(t.Attach(&v), 1);
        QCOMPARE(t.m_dLectura, 35.0);
        QCOMPARE(t.Detach(), 1);
        QCOMPARE(t.m_dLectura, 20.0);
        t.m_dLectura = 130.0;
        QCOMPARE(t.ColumnaY(), 12);
        t.m_dLectura = 20.0;
        QCOMPARE(t.ColumnaY(), 57);
        QCOMPARE(t.Attach(nullptr), 0);

        CPHmetro ph;
        ph.Vincular(&cat);
        QCOMPARE(ph.Texto(), QString("pH: --.--"));
        QCOMPARE(ph.Descripcion(), QString("pH: sin lectura"));
        QCOMPARE(ph.Detach(), 0);
        v.AddComponent(0, 50.0, UNIDAD_ML);
        QCOMPARE(ph.Attach(&v), 1);
        QCOMPARE(ph.Texto(), QString("pH: 7.00"));
        QCOMPARE(ph.Detach(), 1);

        CConductimetro c;
        c.Vincular(&cat);
        QCOMPARE(c.PuntaAguja(), QPoint(4, 37)); // no reading: pointing left
        QCOMPARE(c.Detach(), 1);
        v.AddComponent(1, 0.05, UNIDAD_MOLES);
        v.m_seno.DisolverSolidos(1.0);
        QCOMPARE(c.Attach(&v), 1);
        QCOMPARE(c.m_dLectura, v.m_seno.m_faseLiquida.ConcentracionIones());
        QCOMPARE(c.PuntaAguja(), QPoint(44, 37)); // 1 mol/l or more: right
        // At the far left the constant of the formula leaves the cosine a hair above -1.
        c.m_dLectura = 1e-8;
        QCOMPARE(c.PuntaAguja(), QPoint(5, 37));
    }

    void agitador() {
        CAgitador a;
        a.Vincular(&cat);
        a.ColocarEn(QPoint(100, 100));
        const int x0 = a.m_x;
        CVaso100 v;
        v.Vincular(&cat);
        v.AddComponent(0, 50.0, UNIDAD_ML);
        v.AddComponent(1, 2.0, UNIDAD_GRAMOS);
        QCOMPARE(a.Tick(), 0); // idle
        QCOMPARE(a.Attach(&v), 1);
        QCOMPARE(a.Attach(&v), 0);
        int nTicks = 0;
        while (a.Tick())
            ++nTicks;
        QCOMPARE(nTicks, 33);
        QCOMPARE(a.m_x, x0 + 6);
        QCOMPARE(a.m_nPaso, -1);
        QCOMPARE(v.m_seno.m_faseLiquida.Moles(1), 0.05); // 0.02 mol a tick: all of it
        QCOMPARE(a.Attach(&v), 0); // still the same vessel: it does not restart
        QCOMPARE(a.Tick(), 0);
        a.Detach();
        QCOMPARE(a.Attach(&v), 1);
        QCOMPARE(a.Tick(), 1);
    }

    // The table of types: every code a file may hold has its row; every row makes an item
    // of its own code, name and kind, which draws something; menu rows are findable.
    void tablaDeTipos() {
        std::vector<int> codigos;
        for (const CTipoEquipo& t : TiposEquipo()) {
            codigos.push_back(t.Codigo());
            QCOMPARE(BuscarTipo(t.Codigo()), &t);
            std::unique_ptr<CEquipo> e(t.fnCrear());
            QCOMPARE(e->m_nTipo, t.Codigo());
            QCOMPARE(e->m_strNombre, std::string(t.pszNombre));
            const int32_t nClase = dynamic_cast<CRecipiente*>(e.get())   ? CATEGORIA_RECIPIENTE
                                   : dynamic_cast<CCalentador*>(e.get()) ? CATEGORIA_CALENTADOR
                                                                         : CATEGORIA_INSTRUMENTO;
            QCOMPARE(t.nCategoria, nClase);
            if (t.nIdOrden) {
                QVERIFY(t.pszMenu && t.pszIndicacion);
                QCOMPARE(BuscarTipoPorOrden(t.nIdOrden), &t);
            }
            QImage img(400, 400, QImage::Format_RGB32);
            img.fill(Qt::white);
            const QImage blanco = img;
            e->SetPosition(20, 20);
            {
                QPainter p(&img);
                Dibujo::PrepararPintor(p);
                e->Draw(p);
            }
            QVERIFY2(img != blanco, t.pszNombre);
        }
        std::sort(codigos.begin(), codigos.end());
        QCOMPARE(codigos, std::vector<int>(std::begin(kTipos), std::end(kTipos)));
    }

    void registroDeCadaTipo() {
        cat = prueba::Catalogo903();
        for (int nTipo : kTipos) {
            std::unique_ptr<CEquipo> e(CListaEquipo::CrearEquipo(nTipo));
            e->ColocarEn(QPoint(500, 500));
            e->SetPosition(10 + nTipo, 20);
            if (e->m_nCategoria == CATEGORIA_RECIPIENTE) {
                auto* r = static_cast<CRecipiente*>(e.get());
                r->m_seno.m_faseLiquida.AgregarReactivo(prueba::R_PROBLEMA2, 0.005);
                r->m_seno.m_faseLiquida.AgregarIndicador(1);
                r->m_seno.m_dTemperatura = 33.0;
            }
            if (nTipo == 34)
                static_cast<CTuboVidrio*>(e.get())->SetSalida(1);
            CArchivo ar;
            e->Serialize(ar);
            // The file must not depend on where new items appear.
            std::unique_ptr<CEquipo> f(CListaEquipo::CrearEquipo(nTipo));
            CArchivo lee(ar.Datos());
            f->Serialize(lee);
            QVERIFY2(lee.AlFinal(), qPrintable(QString::number(nTipo)));
            QCOMPARE(f->m_rcArea, e->m_rcArea);
            CArchivo otra;
            f->Serialize(otra);
            QCOMPARE(otra.Datos(), ar.Datos());
            // The stopwatch keeps its seconds and whether it runs after its corner.
            if (e->m_nCategoria != CATEGORIA_RECIPIENTE)
                QCOMPARE(ar.Datos().size(), size_t(nTipo == 49 ? 20 : 8));
        }
        // The tube's side comes back with its probe.
        CTuboVidrio t(1);
        t.Vincular(&cat);
        CArchivo ar;
        t.Serialize(ar);
        CTuboVidrio u;
        u.Vincular(&cat);
        CArchivo lee(ar.Datos());
        u.Serialize(lee);
        QCOMPARE(u.m_nSalida, 1);
        QCOMPARE(u.m_ptSonda, QPoint(3, 117));
        // A side that is neither is damage.
        CArchivo otra;
        t.CRecipiente::Serialize(otra);
        otra << int32_t(7);
        CArchivo mala(otra.Datos());
        QVERIFY_THROWS_EXCEPTION(CErrorArchivo, u.Serialize(mala));
    }
};

QTEST_MAIN(TestEquipo)
#include "tst_equipo.moc"
