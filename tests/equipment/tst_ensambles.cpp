// Assemblies: where each piece goes, how the set moves, how it finds itself again after a
// practice is read, what flows along it, and how it comes apart.
#include "CatalogosPrueba.h"
#include "equipment/Calentadores.h"
#include "equipment/Calorimetro.h"
#include "equipment/Destilacion.h"
#include "equipment/Erlenmeyer250.h"
#include "equipment/Instrumentos.h"
#include "equipment/ListaEquipo.h"
#include "equipment/Vasos.h"
#include "model/Archivo.h"
#include "model/Catalogo.h"

#include "Ayudas.h"

#include <QtTest>

namespace {

// Writes the bench and reads it into another list.
void Releer(CListaEquipo& origen, CListaEquipo& destino) {
    CArchivo ar;
    origen.Serialize(ar);
    CArchivo lee(ar.Datos());
    destino.Serialize(lee);
    QVERIFY(lee.AlFinal());
}

template <class T> T* Primero(const CListaEquipo& lista) {
    for (CEquipo* e : lista)
        if (auto* t = dynamic_cast<T*>(e))
            return t;
    return nullptr;
}

double Agua(const CRecipiente* r) {
    return r ? r->m_seno.MolesComponente(0) : 0.0;
}

} // namespace

using prueba::Nuevo;

class TestEnsambles : public QObject {
    Q_OBJECT
    CCatalogo cat;
private slots:
    void init() { cat = CCatalogo::Inicial(); }
    void cleanup() { cat = CCatalogo(); }

    void destilacionSeColocaYSeMueveEntera() {
        CListaEquipo lista(&cat);
        auto* m = Nuevo<CMatrazBalon>(lista, 100, 300);
        QCOMPARE(prueba::Comandos(*m, true).back(), int(ID_CONDENSADOR_REFLUJO));
        QVERIFY(!m->PonerCondensador(lista)); // only the next piece can go on
        auto* cabeza = m->PonerCabeza(lista);
        QCOMPARE(QPoint(cabeza->m_x, cabeza->m_y), QPoint(100, 100));
        QCOMPARE(prueba::Comandos(*m, true).back(), int(ID_CONDENSADOR));
        auto* cond = m->PonerCondensador(lista);
        QCOMPARE(QPoint(cond->m_x, cond->m_y), QPoint(167, 255));
        QCOMPARE(prueba::Comandos(*m, true).back(), int(ID_CODO_DESTILACION));
        auto* codo = m->PonerCodo(lista);
        QCOMPARE(QPoint(codo->m_x, codo->m_y), QPoint(341, 320));
        QCOMPARE(prueba::Comandos(*m, true).back(), int(ID_ELIMINAR_DESTILACION));
        QCOMPARE(lista.back(), codo); // pieces go on top
        QCOMPARE(m->m_pConectado, cabeza);
        QCOMPARE(cabeza->m_pConectado, cond);
        QCOMPARE(cond->m_pConectado, codo);
        // Moving any piece moves the whole set once.
        cond->MoveBy(10, 0);
        QCOMPARE(m->m_x, 110);
        QCOMPARE(cabeza->m_x, 110);
        QCOMPARE(cond->m_x, 177);
        QCOMPARE(codo->m_x, 351);
        m->MoveBy(0, -5);
        QCOMPARE(codo->m_y, 315);
    }

    void reflujoEmbudoTuboYTapa() {
        CListaEquipo lista(&cat);
        auto* m = Nuevo<CMatrazBalon>(lista, 100, 300);
        auto* r = m->PonerReflujo(lista);
        QCOMPARE(QPoint(r->m_x, r->m_y), QPoint(100, 142));
        QCOMPARE(m->m_pConectado, r);
        QCOMPARE(r->m_pConectado, m);
        QVERIFY(!m->PonerCabeza(lista));
        QCOMPARE(prueba::Comandos(*m, true).back(), int(ID_ELIMINAR_REFLUJO));

        auto* e = Nuevo<CErlenmeyer250>(lista, 200, 300);
        QCOMPARE(prueba::Comandos(*e, true).back(), int(ID_TUBO_DESPRENDIMIENTO));
        auto* t = e->PonerTubo(lista, 1);
        QCOMPARE(QPoint(t->m_x, t->m_y), QPoint(129, 275));
        QCOMPARE(QPoint(t->m_x, t->m_y) + t->m_ptSonda, QPoint(132, 392));
        QCOMPARE(prueba::Comandos(*e, true).back(), int(ID_ELIMINAR_TUBO));
        QVERIFY(!e->PonerEmbudo(lista));
        e->QuitarTubo(lista);
        QVERIFY(!e->m_pConectado);
        auto* t2 = e->PonerTubo(lista, 0);
        QCOMPARE(QPoint(t2->m_x, t2->m_y), QPoint(200, 275));
        QCOMPARE(t2->m_ptSonda, QPoint(150, 117));
        e->QuitarTubo(lista);
        auto* f = e->PonerEmbudo(lista);
        QCOMPARE(QPoint(f->m_x, f->m_y), QPoint(205, 275));
        QCOMPARE(prueba::Comandos(*e, true).back(), int(ID_ELIMINAR_EMBUDO));
        QVERIFY(!e->EmbudoConPrecipitado());

        auto* c = Nuevo<CCalorimetro>(lista, 400, 300);
        c->m_seno.m_dTemperatura = 41.0;
        auto* tapa = c->Tapar(lista);
        QCOMPARE(QPoint(tapa->m_x, tapa->m_y), QPoint(400, 293));
        QCOMPARE(tapa->m_dLectura, 41.0); // it reads at once
        QCOMPARE(prueba::Comandos(*c, true).back(), int(ID_DESTAPAR_CALORIMETRO));
        tapa->MoveBy(5, 5); // the lid moves the calorimeter, which moves the lid
        QCOMPARE(c->m_x, 405);
        QCOMPARE(tapa->m_x, 405);
        c->Destapar(lista);
        QVERIFY(!c->m_pTapa);
        QCOMPARE(prueba::Comandos(*c, true).back(), int(ID_TAPAR_CALORIMETRO));
    }

    void todoSeReenganchaAlReleer() {
        CListaEquipo lista(&cat);
        auto* m = Nuevo<CMatrazBalon>(lista, 100, 300);
        m->PonerCabeza(lista);
        m->PonerCondensador(lista);
        m->PonerCodo(lista);
        auto* m2 = Nuevo<CMatrazBalon>(lista, 600, 300);
        m2->PonerReflujo(lista);
        auto* e = Nuevo<CErlenmeyer250>(lista, 200, 500);
        e->PonerTubo(lista, 1);
        auto* e2 = Nuevo<CErlenmeyer250>(lista, 400, 500);
        e2->PonerEmbudo(lista);
        auto* c = Nuevo<CCalorimetro>(lista, 700, 500);
        c->Tapar(lista);

        CListaEquipo otra(&cat);
        Releer(lista, otra);
        QCOMPARE(otra.size(), lista.size());
        auto it = lista.begin();
        for (CEquipo* x : otra) {
            QCOMPARE(x->m_nTipo, (*it)->m_nTipo);
            QCOMPARE(x->m_rcArea, (*it)->m_rcArea);
            ++it;
        }
        auto* mm = Primero<CMatrazBalon>(otra);
        QVERIFY(mm->m_pCabeza && mm->m_pCondensador && mm->m_pCodo);
        QCOMPARE(mm->m_pConectado, mm->m_pCabeza);
        QCOMPARE(mm->m_pCabeza->m_pConectado, mm->m_pCondensador);
        QCOMPARE(mm->m_pCondensador->m_pConectado, mm->m_pCodo);
        QCOMPARE(mm->m_pCodo->m_pPadre, mm);
        QCOMPARE(prueba::Comandos(*mm, true).back(), int(ID_ELIMINAR_DESTILACION));
        int nReflujos = 0, nTubos = 0, nEmbudos = 0, nTapas = 0;
        for (CEquipo* x : otra) {
            if (auto* b = dynamic_cast<CMatrazBalon*>(x); b && b->m_pReflujo) {
                ++nReflujos;
                QCOMPARE(b->m_pConectado, b->m_pReflujo);
                QCOMPARE(b->m_pReflujo->m_pConectado, b);
            }
            if (auto* er = dynamic_cast<CErlenmeyer250*>(x)) {
                if (er->m_pTubo) {
                    ++nTubos;
                    QCOMPARE(er->m_pTubo->m_nSalida, 1);
                    QCOMPARE(er->m_pConectado, er->m_pTubo);
                }
                if (er->m_pEmbudo) {
                    ++nEmbudos;
                    QCOMPARE(er->m_pEmbudo->m_pConectado, er);
                }
            }
            if (auto* cal = dynamic_cast<CCalorimetro*>(x); cal && cal->m_pTapa) {
                ++nTapas;
                QCOMPARE(cal->m_pTapa->m_pCalorimetro, cal);
            }
        }
        QCOMPARE(nReflujos + nTubos + nEmbudos + nTapas, 4);
    }

    void piezaSinPadreSeQuedaQuieta() {
        CListaEquipo lista(&cat);
        auto* m = Nuevo<CMatrazBalon>(lista, 100, 300);
        m->PonerCabeza(lista);
        m->SetPosition(103, 300); // the flask no longer stands where the head expects it
        CListaEquipo otra(&cat);
        Releer(lista, otra);
        auto* cabeza = Primero<CCabezaDestilacion>(otra);
        QVERIFY(!cabeza->m_pPadre);
        QVERIFY(!Primero<CMatrazBalon>(otra)->m_pCabeza);
        cabeza->MoveBy(4, 0);
        QCOMPARE(cabeza->m_x, 104);
        QCOMPARE(Primero<CMatrazBalon>(otra)->m_x, 103);
        for (int i = 0; i < 5; ++i)
            otra.PasoSimulacion();
        otra.Eliminar(cabeza);
        QCOMPARE(otra.size(), size_t(1));
    }

    void destilacionLlevaElLiquidoAlVasoDeAbajo() {
        CListaEquipo lista(&cat);
        auto* m = Nuevo<CMatrazBalon>(lista, 100, 300);
        m->AddComponent(0, 100.0, UNIDAD_ML);
        m->m_seno.m_dTemperatura = 99.5;
        auto* mechero = Nuevo<CMechero>(lista, 116, 300 + 110 - 2);
        m->PonerCabeza(lista);
        m->PonerCondensador(lista);
        auto* codo = m->PonerCodo(lista);
        auto* vaso = Nuevo<CVaso100>(lista, codo->m_x, codo->m_y + codo->m_cy + 20);
        QCOMPARE(lista.FindVesselOnSource(mechero, false), m);
        const double antes = Agua(m);
        bool bGoteo = false;
        for (int i = 0; i < 600; ++i) {
            lista.PasoSimulacion();
            bGoteo |= codo->m_bGota != 0;
        }
        QCOMPARE(codo->m_pConectado, vaso);
        QVERIFY(bGoteo);
        QVERIFY(vaso->VolumenLiquido() > 1.0);
        QCOMPARE(m->m_seno.m_dTemperatura, 100.0);
        // What left the flask is in the set or in the beaker: the head and the condenser
        // keep no water back, except what is on its way.
        const double enCamino = Agua(m->m_pCabeza) + Agua(m->m_pCondensador) + Agua(codo);
        QVERIFY(std::fabs(antes - Agua(m) - enCamino - Agua(vaso)) < 1e-9);
        // Take the beaker away: the drops fall on the bench, and nothing dangles.
        lista.Eliminar(vaso);
        QVERIFY(!codo->m_pConectado);
        for (int i = 0; i < 10; ++i)
            lista.PasoSimulacion();
    }

    void reflujoDevuelveElLiquido() {
        CListaEquipo lista(&cat);
        auto* m = Nuevo<CMatrazBalon>(lista, 100, 300);
        m->AddComponent(0, 100.0, UNIDAD_ML);
        m->m_seno.m_dTemperatura = 99.9;
        Nuevo<CMechero>(lista, 116, 300 + 110 - 2);
        auto* r = m->PonerReflujo(lista);
        const double total = Agua(m);
        for (int i = 0; i < 400; ++i)
            lista.PasoSimulacion();
        QVERIFY(Agua(r) > 0.0);
        // Nothing escapes: the water boils up and runs back down.
        QVERIFY(std::fabs(Agua(m) + Agua(r) - total) < 1e-9);
        QVERIFY(Agua(m) > total - 0.05);
    }

    void filtroRetieneElSolido() {
        cat = prueba::Catalogo900();
        const int32_t cobre = cat.BuscarComponente(47);
        CListaEquipo lista(&cat);
        auto* e = Nuevo<CErlenmeyer250>(lista, 200, 300);
        auto* f = e->PonerEmbudo(lista);
        f->AddComponent(0, 40.0, UNIDAD_ML);
        f->m_seno.m_faseSolida.Agregar(cobre, 0.05, UNIDAD_MOLES);
        for (int i = 0; i < 40; ++i)
            lista.PasoSimulacion();
        QVERIFY(std::fabs(e->VolumenLiquido() - 40.0) < 1e-6);
        QCOMPARE(f->m_seno.m_faseSolida.Moles(cobre), 0.05);
        QCOMPARE(e->m_seno.m_faseSolida.Moles(cobre), 0.0);
        QVERIFY(e->EmbudoConPrecipitado());
        // Through its menu command, without a window: removing a filter that holds a
        // precipitate asks first; a command that is not the flask's is left to others.
        const CPeticion p = e->Pide(ID_ELIMINAR_EMBUDO);
        QCOMPARE(p.m_eTipo, CPeticion::Tipo::Confirmar);
        QCOMPARE(p.m_strPregunta, std::string(kTextoPrecipitado));
        QCOMPARE(e->Ejecutar(ID_TARAR, lista, {}), ResultadoComando::NoEsSuyo);
        QCOMPARE(e->Ejecutar(ID_ELIMINAR_EMBUDO, lista, {}), ResultadoComando::Hecho);
        QVERIFY(!e->m_pEmbudo);
        QCOMPARE(lista.size(), size_t(1));
        QCOMPARE(e->Pide(ID_ELIMINAR_EMBUDO).m_eTipo, CPeticion::Tipo::Nada);
        // Water that does not fit is refused as such.
        CArgumento a;
        a.m_dCantidad = 1000.0;
        QCOMPARE(e->Ejecutar(ID_AGREGAR_AGUA, lista, a), ResultadoComando::NoCabe);
    }

    void tuboLlevaElGasYLaReaccionOcurre() {
        // HCl gas from the flask, through the tube, into sodium hydroxide solution.
        cat = CCatalogo();
        cat.m_componentes.resize(5);
        const int32_t ids[5] = {1, 14, 2, 3, 4};
        for (int i = 0; i < 5; ++i) {
            cat.m_componentes[i] = prueba::Componente(ids[i]);
            cat.m_componentes[i].AjustarSolubilidad();
        }
        cat.m_reacciones.resize(1);
        CReacciones& R = cat.m_reacciones[0];
        R.m_nReactivo[0] = 3;
        R.m_nCoefReactivo[0] = 1;
        R.m_nFaseReactivo[0] = FASE_GAS;
        R.m_nReactivo[1] = 2;
        R.m_nCoefReactivo[1] = 1;
        R.m_nFaseReactivo[1] = FASE_IONIZADA;
        R.m_nReactivo[2] = 5;
        R.m_nProducto[0] = 4;
        R.m_nCoefProducto[0] = 1;
        R.m_nFaseProducto[0] = FASE_IONIZADA;
        R.m_nProducto[1] = 0;
        R.m_nCoefProducto[1] = 1;
        R.m_nFaseProducto[1] = FASE_LIQUIDA;
        R.m_nProducto[2] = 5;
        R.m_bSinLimite = 1;

        CListaEquipo lista(&cat);
        auto* e = Nuevo<CErlenmeyer250>(lista, 300, 300);
        e->m_seno.m_faseGas.Agregar(3, 0.002, UNIDAD_MOLES);
        auto* t = e->PonerTubo(lista, 0);
        const QPoint salida = QPoint(t->m_x, t->m_y) + t->m_ptSonda;
        auto* v = Nuevo<CVaso250>(lista, salida.x() - 40, salida.y() - 50);
        v->AddComponent(0, 100.0, UNIDAD_ML);
        v->m_seno.m_faseLiquida.Agregar(2, 0.01, UNIDAD_MOLES);
        v->m_seno.m_faseLiquida.IonizarTodo();
        for (int i = 0; i < 30; ++i)
            lista.PasoSimulacion();
        QCOMPARE(t->m_pConectado, v);
        QVERIFY(v->m_seno.m_faseLiquida.Moles(4) > 0.0019);
        QVERIFY(v->m_seno.m_faseLiquida.Moles(2) < 0.0081);
        QCOMPARE(e->m_seno.m_faseGas.MolesTotales(), 0.0);
    }

    void borrarPadresPiezasYVasosConectados() {
        CListaEquipo lista(&cat);
        auto* m = Nuevo<CMatrazBalon>(lista, 100, 300);
        m->PonerCabeza(lista);
        m->PonerCondensador(lista);
        m->PonerCodo(lista);
        auto* e = Nuevo<CErlenmeyer250>(lista, 500, 300);
        e->PonerTubo(lista, 0);
        auto* c = Nuevo<CCalorimetro>(lista, 700, 300);
        auto* tapa = c->Tapar(lista);
        auto* agitador = Nuevo<CAgitador>(lista, 0, 0);
        auto* vaso = Nuevo<CVaso100>(lista, 900, 300);
        agitador->SetPosition(vaso->m_x + 20, vaso->m_y + vaso->m_cy - 130);
        lista.PasoSimulacion();
        QCOMPARE(agitador->m_pRecipiente, vaso);
        QCOMPARE(lista.size(), size_t(10));

        // The lid deleted on its own: the calorimeter forgets it.
        lista.Eliminar(tapa);
        QVERIFY(!c->m_pTapa);
        // A vessel being stirred: the stirrer lets go.
        lista.Eliminar(vaso);
        QVERIFY(!agitador->m_pRecipiente);
        QCOMPARE(agitador->Tick(), 0);
        // A parent takes its pieces with it.
        lista.Eliminar(m);
        QCOMPARE(lista.size(), size_t(4));
        lista.Eliminar(e);
        QCOMPARE(lista.size(), size_t(2));
        for (int i = 0; i < 5; ++i)
            lista.PasoSimulacion();
        // Removing the distillation set leaves the flask unconnected.
        auto* m2 = Nuevo<CMatrazBalon>(lista, 100, 300);
        m2->PonerCabeza(lista);
        m2->PonerCondensador(lista);
        m2->QuitarDestilacion(lista);
        QVERIFY(!m2->m_pCabeza && !m2->m_pCondensador && !m2->m_pConectado);
        QCOMPARE(lista.size(), size_t(3));
        m2->PonerReflujo(lista);
        m2->QuitarReflujo(lista);
        QVERIFY(!m2->m_pReflujo && !m2->m_pConectado);
        lista.Limpiar();
        QVERIFY(lista.empty());
    }
};

QTEST_MAIN(TestEnsambles)
#include "tst_ensambles.moc"
