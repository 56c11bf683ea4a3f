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
#include <cstdio>

using prueba::Nuevo;

class TestProcedimientos : public QObject {
    Q_OBJECT
private slots:
    void cleanup() { DestruirCatalogo(); }
    void destilacion() {
        prueba::Catalogo901();
        for (int i = 0; i < g_nComponentes; ++i) printf("%d %s\n", i, g_pComponentes[i].m_strFormula.c_str());
        CListaEquipo lista;
        auto* m = Nuevo<CMatrazBalon>(lista, 100, 300);
        auto* par = Nuevo<CParrilla>(lista, 100 + 40 - 58, 300 + 110);
        par->SetNivel(5);
        m->AddReagent(0, 100.0);
        m->PonerCabeza(lista);
        m->PonerCondensador(lista);
        auto* codo = m->PonerCodo(lista);
        auto* vaso = Nuevo<CVaso100>(lista, codo->m_x - 6, 300 + 110 + 39 - 92);
        printf("codo %d %d %d %d vaso top %d\n", codo->m_x, codo->m_y, codo->m_cx, codo->m_cy, vaso->m_y);
        for (int i = 0; i < 3000; ++i) {
            lista.PasoSimulacion();
            if (i % 50 == 0)
                printf("%d T=%.2f vol=%.2f vaso=%.2f  ac=%.4f et=%.4f w=%.4f  conn=%p\n", i, m->m_seno.m_dTemperatura,
                       m->VolumenLiquido(), vaso->VolumenLiquido(), vaso->m_seno.MolesComponente(4),
                       vaso->m_seno.MolesComponente(3), vaso->m_seno.MolesComponente(0), (void*)codo->m_pConectado);
        }
    }
};

QTEST_MAIN(TestProcedimientos)
#include "tst_procedimientos.moc"
