// The bench list: which item acts on which, one simulation step over the bench, its
// order, deleting without dangling links, and the items of a practice file.
#include "CatalogosPrueba.h"
#include "equipment/Calentadores.h"
#include "equipment/Calorimetro.h"
#include "equipment/Destilacion.h"
#include "equipment/Instrumentos.h"
#include "equipment/ListaEquipo.h"
#include "equipment/Recipientes.h"
#include "equipment/Vasos.h"
#include "model/Archivo.h"
#include "model/Catalogo.h"

#include "Ayudas.h"

#include <QtTest>

#include <random>

using prueba::Nuevo;

class TestBanco : public QObject {
    Q_OBJECT
    CCatalogo cat;
private slots:
    void init() { cat = CCatalogo::Inicial(); }
    void cleanup() { cat = CCatalogo(); }

    void recipienteSobreUnaFuente() {
        CListaEquipo lista(&cat);
        auto* mechero = Nuevo<CMechero>(lista, 100, 200); // top edge at 200
        auto* vaso = Nuevo<CVaso100>(lista, 90, 0);
        // The vessel's bottom 9 pixels above or below the top edge: resting on it.
        for (int d : {-9, 0, 9}) {
            vaso->SetPosition(90, 200 + d - vaso->m_cy);
            QCOMPARE(lista.FindVesselOnSource(mechero, false), vaso);
        }
        for (int d : {-10, 10}) {
            vaso->SetPosition(90, 200 + d - vaso->m_cy);
            QVERIFY(!lista.FindVesselOnSource(mechero, false));
        }
        // Side by side without overlapping horizontally: not on it.
        vaso->SetPosition(100 + 48, 200 - vaso->m_cy);
        QVERIFY(!lista.FindVesselOnSource(mechero, false));
        // The ice bath counts its whole area.
        auto* bano = Nuevo<CBanoHielo>(lista, 400, 300); // 120 x 52
        vaso->SetPosition(420, 300 + 40 - vaso->m_cy);
        QVERIFY(!lista.FindVesselOnSource(bano, false));
        QCOMPARE(lista.FindVesselOnSource(bano, true), vaso);
    }

    void loPrimeroQueTocaNoEsUnRecipiente() {
        CListaEquipo lista(&cat);
        auto* mechero = Nuevo<CMechero>(lista, 100, 200);
        auto* balanza = Nuevo<CBalanza>(lista, 80, 200 - 39); // an instrument on the burner
        auto* vaso = Nuevo<CVaso100>(lista, 90, 200 - 92);
        vaso->AddComponent(0, 50.0, UNIDAD_ML);
        QCOMPARE(lista.FindVesselOnSource(mechero, false), balanza);
        lista.PasoSimulacion();
        QCOMPARE(vaso->m_seno.m_dTemperatura, 20.0); // nothing heated
        lista.MoverAlFinal(balanza);
        lista.PasoSimulacion();
        QVERIFY(vaso->m_seno.m_dTemperatura > 20.0);
    }

    void dosFuentesCalientanUnRecipiente() {
        CListaEquipo lista(&cat);
        auto* vaso = Nuevo<CVaso600>(lista, 100, 100); // 113 x 99, bottom at 199
        vaso->AddComponent(0, 100.0, UNIDAD_ML);
        auto* a = Nuevo<CMechero>(lista, 100, 200);
        auto* b = Nuevo<CParrilla>(lista, 100, 198);
        QCOMPARE(lista.FindVesselOnSource(a, false), vaso);
        QCOMPARE(lista.FindVesselOnSource(b, false), vaso);
        lista.PasoSimulacion();
        // Both heats land in the same tick (5 + 5 over a capacity of 100 + 31).
        QCOMPARE(vaso->m_seno.m_dTemperatura, 20.0 + 10.0 / (100.0 * 18.0 / 18.0 + 31.0));
        QCOMPARE(vaso->m_seno.m_dCondensacion, 0.0001);
        auto* h = Nuevo<CBanoHielo>(lista, 80, 150);
        lista.PasoSimulacion();
        QCOMPARE(lista.FindVesselOnSource(h, true), vaso);
        QCOMPARE(vaso->m_seno.m_dCondensacion, 0.01);
    }

    void vasoDebajoYSonda() {
        CListaEquipo lista(&cat);
        auto* pipeta = Nuevo<CPipetaVolumetrica>(lista, 100, 0); // bottom at 181
        auto* vaso = Nuevo<CVaso100>(lista, 60, 250);
        QCOMPARE(lista.FindVesselBelow(pipeta), vaso); // mouth within the 100 px below
        vaso->SetPosition(60, 181 + 100 + 5);
        QVERIFY(!lista.FindVesselBelow(pipeta));
        vaso->SetPosition(60, 181 + 100 + 4);
        QCOMPARE(lista.FindVesselBelow(pipeta), vaso);
        // The step refreshes the connection every tick, so the menu follows the bench.
        vaso->AddComponent(0, 20.0, UNIDAD_ML);
        lista.PasoSimulacion();
        QCOMPARE(pipeta->m_pConectado, vaso);
        vaso->SetPosition(400, 400);
        lista.PasoSimulacion();
        QVERIFY(!pipeta->m_pConectado);

        auto* t = Nuevo<CTermometro>(lista, 0, 0);
        t->SetPosition(400 + 10 - 5, 400 + 50 - 78); // probe at (410, 450)
        QCOMPARE(lista.FindVesselAtProbe(t), vaso);
        t->MoveBy(0, 92 - 50); // probe on the bottom edge: outside
        QVERIFY(!lista.FindVesselAtProbe(t));
    }

    void pasoDeSimulacion() {
        CListaEquipo lista(&cat);
        QVERIFY(!lista.PasoSimulacion()); // an empty bench changes nothing
        auto* vaso = Nuevo<CVaso100>(lista, 100, 100);
        vaso->AddComponent(0, 50.0, UNIDAD_ML);
        QVERIFY(!lista.PasoSimulacion()); // water at rest
        auto* t = Nuevo<CTermometro>(lista, 100 + 20 - 5, 100 + 60 - 78);
        vaso->m_seno.m_dTemperatura = 30.0;
        QVERIFY(lista.PasoSimulacion());
        QVERIFY(t->m_dLectura < 30.0 && t->m_dLectura > 29.0);
        QCOMPARE(vaso->m_bAnimar, 1);
        // Taken out, the thermometer goes back to 20.
        t->MoveBy(500, 0);
        QVERIFY(lista.PasoSimulacion());
        QCOMPARE(t->m_dLectura, 20.0);
        // The lid reads its calorimeter even with nothing under its probe.
        auto* c = Nuevo<CCalorimetro>(lista, 600, 100);
        c->m_seno.m_dTemperatura = 50.0;
        auto* tapa = c->Tapar(lista);
        c->m_seno.m_dTemperatura = 55.0;
        lista.PasoSimulacion();
        QVERIFY(tapa->m_dLectura > 54.0);
        // Gas leaves an open vessel for the air, half at a time.
        vaso->m_seno.m_faseGas.Agregar(0, 0.01, UNIDAD_MOLES);
        lista.PasoSimulacion();
        QVERIFY(vaso->m_seno.m_faseGas.MolesTotales() <= 0.005);
    }

    void elPasoEncuentraLoQueLaListaEncuentra() {
        // A crowded bench, moved and thinned out between steps: the step's own searches
        // (through its index) find exactly what a search of the whole list finds.
        std::mt19937 gen(15);
        std::uniform_int_distribution<int> x(0, 1400), y(0, 900), k(0, 13);
        const int tipos[] = {1, 2, 7, 9, 11, 22, 23, 32, 34, 40, 41, 47, 42, 43};
        CListaEquipo lista(&cat);
        for (int i = 0; i < 600; ++i) {
            CEquipo* e = CListaEquipo::CrearEquipo(tipos[k(gen)]);
            e->SetPosition(x(gen), y(gen));
            lista.AgregarAlFinal(e);
            if (auto* r = dynamic_cast<CRecipiente*>(e); r && r->m_dCapacidad > 1.0)
                r->AddComponent(0, 1.0, UNIDAD_ML);
        }
        for (int nRonda = 0; nRonda < 4; ++nRonda) {
            for (CEquipo* e : lista)
                if (auto* r = dynamic_cast<CRecipiente*>(e))
                    r->m_seno.m_dCondensacion = 0.5; // no source touched it yet
            lista.PasoSimulacion();
            int nCalentados = 0, nConectados = 0;
            for (CEquipo* e : lista) {
                if (e->m_nTipo == 22 || e->m_nTipo == 23 || e->m_nTipo == 32) {
                    auto* r = static_cast<CRecipiente*>(e);
                    QCOMPARE(r->m_pConectado, lista.FindVesselBelow(r));
                    nConectados += r->m_pConectado != nullptr;
                } else if (e->m_nTipo == 34) {
                    auto* r = static_cast<CRecipiente*>(e);
                    QCOMPARE(r->m_pConectado, lista.FindVesselAtProbe(r));
                } else if (e->m_nCategoria == CATEGORIA_CALENTADOR) {
                    auto* r =
                        dynamic_cast<CRecipiente*>(lista.FindVesselOnSource(e, e->m_nTipo == 47));
                    if (r) {
                        QVERIFY(r->m_seno.m_dCondensacion != 0.5);
                        ++nCalentados;
                    }
                }
            }
            QVERIFY(nCalentados > 10 && nConectados > 10);
            // The student moves some items and clears others away.
            std::vector<CEquipo*> v(lista.begin(), lista.end());
            for (size_t i = 0; i < v.size(); i += 7)
                v[i]->MoveBy(37 * (nRonda + 1), -23);
            for (size_t i = 3; i < v.size(); i += 29)
                lista.Eliminar(v[i]);
        }
    }

    void matrazCerradoGuardaElGas() {
        CListaEquipo lista(&cat);
        auto* m = Nuevo<CMatrazGases>(lista, 0, 0);
        QCOMPARE(m->m_seno.m_bCerrado, 1);
        m->m_seno.m_faseGas.Agregar(0, 0.01, UNIDAD_MOLES);
        m->m_seno.m_dTemperatura = 150.0;
        m->m_seno.m_dTemperaturaAmbiente = 150.0;
        for (int i = 0; i < 10; ++i)
            lista.PasoSimulacion();
        QCOMPARE(m->m_seno.m_faseGas.Moles(0), 0.01);
    }

    void ordenDeLaLista() {
        CListaEquipo lista(&cat);
        auto* a = new CVaso100;
        auto* b = new CBanoHielo;
        auto* c = new CTermometro;
        lista.AgregarAlFrente(a);
        lista.AgregarAlFinal(b);
        lista.AgregarAlFrente(c);
        QCOMPARE(lista.front(), c);
        lista.MoverAlFinal(c);
        lista.MoverAlFrente(b);
        QCOMPARE(lista.front(), b);
        QCOMPARE(lista.back(), c);
        QVERIFY(lista.Contiene(a));
        QVERIFY(lista.Eliminar(a));
        QVERIFY(!lista.Contiene(a));
        CVaso100 suelto;
        suelto.Vincular(&cat);
        QVERIFY(!lista.Eliminar(&suelto)); // not ours: left alone
    }

    void bancoDeIdaYVuelta() {
        cat = prueba::Catalogo903();
        CListaEquipo lista(&cat);
        auto* v = Nuevo<CVaso250>(lista, 10, 20);
        v->AddReagent(prueba::R_PROBLEMA1, 25.0);
        v->m_seno.m_faseLiquida.AgregarIndicador(0);
        Nuevo<CConductimetro>(lista, 300, 20);
        Nuevo<CParrilla>(lista, 10, 122);
        auto* b = Nuevo<CBureta50>(lista, 50, 0);
        b->AddReagent(prueba::R_NAOH, 40.0);
        CArchivo ar;
        lista.Serialize(ar);
        // Items from the last to the first: the burette's type code comes first.
        CArchivo cab(ar.Datos());
        QCOMPARE(cab.LeerInt32(), 4);
        QCOMPARE(cab.LeerInt32(), 21);
        CListaEquipo otra(&cat);
        CArchivo lee(ar.Datos());
        otra.Serialize(lee);
        QVERIFY(lee.AlFinal());
        QCOMPARE(otra.size(), size_t(4));
        QCOMPARE(otra.front()->m_nTipo, 2);
        QCOMPARE(otra.back()->m_nTipo, 21);
        QCOMPARE(otra.front()->m_rcArea.topLeft(), QPoint(10, 20));
        auto* v2 = static_cast<CRecipiente*>(otra.front());
        QCOMPARE(v2->VolumenLiquido(), v->VolumenLiquido());
        QCOMPARE(v2->m_seno.m_faseLiquida.m_listaIndicadores.size(), size_t(1));
        CArchivo otraVez;
        otra.Serialize(otraVez);
        QCOMPARE(otraVez.Datos(), ar.Datos());

        // An unknown type code or any damage is an error, never a crash; a count larger
        // than the bytes left is refused before anything is built.
        auto d = ar.Datos();
        d[4] = 19;
        CArchivo mala(d);
        QVERIFY_THROWS_EXCEPTION(CErrorArchivo, otra.Serialize(mala));
        std::vector<uint8_t> enorme = {0xFF, 0xFF, 0xFF, 0x7F, 1, 0, 0, 0};
        CArchivo lee2(enorme);
        QVERIFY_THROWS_EXCEPTION(CErrorArchivo, otra.Serialize(lee2));
        std::mt19937 rng(3);
        for (int vuelta = 0; vuelta < 300; ++vuelta) {
            auto dano = ar.Datos();
            if (vuelta % 3 == 0)
                dano.resize(rng() % dano.size());
            else
                dano[rng() % dano.size()] = static_cast<uint8_t>(rng());
            CArchivo l(dano);
            try {
                otra.Serialize(l);
            } catch (const CErrorArchivo&) {
            }
            for (int i = 0; i < 3; ++i)
                otra.PasoSimulacion();
        }
    }
};

QTEST_MAIN(TestBanco)
#include "tst_banco.moc"
