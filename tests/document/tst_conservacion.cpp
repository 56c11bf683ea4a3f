// Matter is conserved: in a closed vessel no step of the simulation makes or destroys mass,
// whatever the reactions of the practice. Over every built-in practice (each reaction run
// from its reactants, and all the reagents of the practice mixed, heated and cooled), over
// random catalogues of every kind of reaction, and in the stored case of an equilibrium whose
// formula asked for thirty times what its reactants held. A reaction that makes more than it
// takes is held at the most a file can keep, and the practice stays savable.
#include "CatalogosPrueba.h"
#include "PlantillaPrueba.h"
#include "document/Comprobacion.h"
#include "document/Plantillas.h"
#include "document/Practica.h"
#include "equipment/ListaEquipo.h"
#include "equipment/Recipiente.h"
#include "model/Archivo.h"
#include "model/Catalogo.h"
#include "model/Seno.h"

#include <QtTest>

#include <cmath>
#include <string>

namespace {

using prueba::Plantilla;

double Masa(const CSeno& s) {
    double g = 0.0;
    for (const CFase* f : {&s.m_faseLiquida, &s.m_faseSolida, &s.m_faseGas})
        for (const CContenido& e : f->m_listaContenido)
            g += e.m_dGramos;
    return g;
}

// Every amount finite and none below zero.
bool Sano(const CSeno& s) {
    if (!std::isfinite(s.m_dTemperatura))
        return false;
    for (const CFase* f : {&s.m_faseLiquida, &s.m_faseSolida, &s.m_faseGas}) {
        if (!(f->m_dVolumen >= 0.0 && f->m_dMasa >= 0.0) || !std::isfinite(f->m_dVolumen) ||
            !std::isfinite(f->m_dMasa))
            return false;
        for (const CContenido& e : f->m_listaContenido)
            for (double d : {e.m_dMoles, e.m_dGramos, e.m_dMl, e.m_dMolesAnion, e.m_dMolesCation})
                if (!(d >= 0.0) || !std::isfinite(d))
                    return false;
    }
    return true;
}

// The largest share of its reactants' mass by which a reaction of the catalogue is out of
// balance: the rounding of its molar masses, the only change of mass a step may show.
double Desbalance(const CCatalogo& cat) {
    double d = 0.0;
    for (const CReacciones& R : cat.m_reacciones) {
        double r = 0.0, p = 0.0;
        for (int k = 0; k < 3; ++k) {
            if (const CComponentes* c = cat.Componente(R.m_nReactivo[k]))
                r += R.m_nCoefReactivo[k] * c->m_dMasaMolar;
            if (const CComponentes* c = cat.Componente(R.m_nProducto[k]))
                p += R.m_nCoefProducto[k] * c->m_dMasaMolar;
        }
        if (r > 0.0)
            d = std::max(d, std::fabs(p - r) / r);
    }
    return d;
}

// nPasos steps of a closed vessel as the bench runs them, heated by a hot plate at its
// highest level for the first nCalor; false, with the step in strError, at the first step
// whose mass moves by more than the catalogue's imbalance allows.
// With pnCorre, counts the steps in which reaction nReaccion had an extent to run.
bool Conserva(CSeno& s, int nPasos, int nCalor, double dDesbalance, QString& strError,
              int32_t nReaccion = -1, int* pnCorre = nullptr) {
    for (int i = 0; i < nPasos; ++i) {
        const double antes = Masa(s);
        s.m_bCalentado = 0;
        if (i < nCalor)
            s.Calentar(20.0);
        // A reversible reaction runs either way; the rest only forward.
        const CReacciones* pR = s.Cat().Reaccion(nReaccion);
        if (pnCorre && pR &&
            (pR->m_reversible.Tiene() ? s.AvanceReversible(nReaccion) != 0.0
                                      : s.AvanceReaccion(nReaccion) > 0.0))
            ++*pnCorre;
        s.Simular();
        const double despues = Masa(s);
        if (!Sano(s) || !(std::fabs(despues - antes) <= (dDesbalance + 1e-9) * antes + 1e-12)) {
            strError = QStringLiteral("paso %1: %2 g -> %3 g")
                           .arg(i + 1)
                           .arg(antes, 0, 'g', 12)
                           .arg(despues, 0, 'g', 12);
            return false;
        }
    }
    return true;
}

CRecipiente* PrimerRecipiente(CPractica& p) {
    for (CEquipo* e : p.m_listaEquipo)
        if (auto* r = dynamic_cast<CRecipiente*>(e))
            return r;
    return nullptr;
}

} // namespace

class TestConservacion : public QObject {
    Q_OBJECT
private slots:
    void practicasIntegradas() {
        int nReacciones = 0;
        for (int n = Plantillas::kPrimera; n <= Plantillas::kUltima; ++n) {
            CCatalogo cat;
            QVERIFY2(Plantilla(n, cat), qPrintable(QString::number(n)));
            const double dDesbalance = Desbalance(cat);
            QVERIFY(dDesbalance < 1e-4); // 0.003 g in a mole of sodium sulphate at most
            QString strError;
            // Each reaction from its reactants, 0.02 mol per unit of coefficient in the phase
            // its slot names, in 20 ml of water when one is in solution (a solid would
            // dissolve in it), heated for 250 steps (a minimum temperature is then reached)
            // and left to cool for 100.
            for (int i = 0; i < cat.NumReacciones(); ++i, ++nReacciones) {
                const CReacciones& R = cat.m_reacciones[size_t(i)];
                CSeno s(&cat);
                s.m_bCerrado = 1;
                for (int k = 0; k < 3; ++k)
                    if (cat.Componente(R.m_nReactivo[k]) &&
                        (R.m_nFaseReactivo[k] == FASE_IONIZADA ||
                         R.m_nFaseReactivo[k] == FASE_LIQUIDA) &&
                        !s.m_faseLiquida.m_pAgua)
                        s.Agregar(0, 20.0, UNIDAD_ML);
                for (int k = 0; k < 3; ++k) {
                    if (!cat.Componente(R.m_nReactivo[k]))
                        continue;
                    const double x = 0.02 * R.m_nCoefReactivo[k];
                    switch (R.m_nFaseReactivo[k]) {
                    case FASE_SOLIDA:
                        s.m_faseSolida.Agregar(R.m_nReactivo[k], x, UNIDAD_MOLES);
                        break;
                    case FASE_GAS:
                        s.m_faseGas.Agregar(R.m_nReactivo[k], x, UNIDAD_MOLES);
                        break;
                    default:
                        s.m_faseLiquida.Agregar(R.m_nReactivo[k], x, UNIDAD_MOLES);
                        break;
                    }
                }
                s.m_faseLiquida.IonizarTodo();
                int nCorre = 0;
                QVERIFY2(
                    Conserva(s, 350, 250, dDesbalance, strError, i, &nCorre),
                    qPrintable(
                        QStringLiteral("%1, reacción %2: %3").arg(n).arg(i + 1).arg(strError)));
                QVERIFY2(nCorre > 0,
                         qPrintable(QStringLiteral("%1, reacción %2 no corrió").arg(n).arg(i + 1)));
            }
            // All the reagents of the practice in one beaker of water, as a student could
            // pour them: 10 ml of each liquid, 2 g of each solid; heated to boiling and cooled.
            CSeno s(&cat);
            s.m_bCerrado = 1;
            s.Agregar(0, 50.0, UNIDAD_ML);
            for (int i = 0; i < cat.NumReactivos(); ++i) {
                const CReactivos& r = cat.m_reactivos[size_t(i)];
                if (r.m_nEstado == 1)
                    s.m_faseLiquida.AgregarReactivo(i, 10.0 / r.MlPorUnidad(cat));
                else
                    s.m_faseSolida.AgregarReactivo(i, 2.0 / r.GramosPorUnidad(cat));
            }
            QVERIFY2(
                Conserva(s, 400, 250, dDesbalance, strError),
                qPrintable(QStringLiteral("%1, todos los reactivos: %2").arg(n).arg(strError)));
        }
        QCOMPARE(nReacciones, 23);
    }

    // Random catalogues, balanced by construction: a closed vessel keeps its mass to the
    // rounding of a sum, step after step, whatever kinds of reaction meet in it.
    void catalogosAleatorios() {
        for (uint32_t nSemilla = 1; nSemilla <= 1000; ++nSemilla) {
            const CCatalogo cat = prueba::CatalogoAleatorio(nSemilla);
            QVERIFY(Desbalance(cat) < 1e-12);
            std::mt19937 rng(nSemilla);
            CSeno s(&cat);
            s.m_bCerrado = 1;
            s.Agregar(0, std::uniform_real_distribution<double>(0.0, 200.0)(rng), UNIDAD_ML);
            for (int32_t c = 1; c < cat.NumComponentes(); ++c) {
                if (rng() % 3 == 0)
                    continue;
                const double x = std::uniform_real_distribution<double>(1e-4, 0.5)(rng);
                CFase* fases[3] = {&s.m_faseSolida, &s.m_faseLiquida, &s.m_faseGas};
                fases[rng() % 3]->Agregar(c, x, UNIDAD_MOLES);
            }
            s.m_faseLiquida.IonizarTodo();
            QString strError;
            QVERIFY2(Conserva(s, 200, int(rng() % 200), 0.0, strError),
                     qPrintable(QStringLiteral("semilla %1: %2").arg(nSemilla).arg(strError)));
        }
    }

    // The equilibrium of 1 mmol of acetic acid and 1 mmol of sodium hydroxide in 100 ml
    // (K = 10): its formula asks for 0.0316 mol; the step makes the 0.001 mol there is.
    void equilibrioAcetico() {
        CPractica p;
        QString strError;
        QCOMPARE(p.AbrirPractica(QStringLiteral(ALKOR_DATOS "/equilibrio_acetico.uak1"), &strError),
                 CPractica::Resultado::Correcto);
        CRecipiente* v = PrimerRecipiente(p);
        QVERIFY(v);
        const CCatalogo& cat = p.m_catalogo;
        const int32_t agua = 0, sosa = cat.BuscarComponente(2), acido = cat.BuscarComponente(170),
                      acetato = cat.BuscarComponente(171);
        const CFase& l = v->m_seno.m_faseLiquida;
        QCOMPARE(l.m_dMasa, 100.0 + 0.06005256 + 0.03999711);
        const double dAgua = l.Moles(agua);
        p.m_listaEquipo.PasoSimulacion();
        QCOMPARE(l.Moles(acido), 0.0);
        QCOMPARE(l.Moles(sosa), 0.0);
        QCOMPARE(l.Moles(acetato), 0.001);
        QCOMPARE(l.Moles(agua) - dAgua + 1.0, 1.001);
        // 100.100 g before and after, not 103.164 g.
        QVERIFY(std::fabs(Masa(v->m_seno) - (100.0 + 0.06005256 + 0.03999711)) < 1e-9);
        QVERIFY(std::fabs(l.m_dMasa - (100.0 + 0.06005256 + 0.03999711)) < 1e-9);
        p.m_listaEquipo.PasoSimulacion();
        QCOMPARE(l.Moles(acetato), 0.001);
    }

    // NaOH -> 2 NaOH doubles the sodium hydroxide every step. The run is held at the bound
    // and says so; the practice, with its results, still saves and reads back.
    void reaccionQueCreceSeDetiene() {
        CPractica p;
        QString strError;
        QCOMPARE(p.AbrirPractica(QStringLiteral(ALKOR_DATOS "/reactivo_que_crece.uak1"), &strError),
                 CPractica::Resultado::Correcto);
        QVERIFY(!p.m_strResultados.empty());
        CRecipiente* v = PrimerRecipiente(p);
        QVERIFY(v);
        const Comprobacion::Resultado r = Comprobacion::Comprobar(p, 60);
        long nPaso = 0;
        for (const Comprobacion::Problema& q : r.m_problemas)
            if (q.m_strTexto.contains(
                    QStringLiteral("«Duplicación» da más materia de la que toma")))
                nPaso = q.m_nPaso;
        // 0.1 mol of 39.99711 g doubles until the liquid would pass 10 million grams: 2^21
        // times 4 g is 8.4 million, the 22nd doubling would be 16.8 million.
        QCOMPARE(nPaso, 22L);
        QVERIFY(v->m_seno.EnLimite());
        QCOMPARE(v->m_seno.m_nReaccionEnLimite, 0);
        const double dMasa = v->m_seno.m_faseLiquida.m_dMasa;
        QVERIFY(dMasa <= Limites::kCantidad && dMasa > 0.99 * Limites::kCantidad);
        for (const Comprobacion::Problema& q : r.m_problemas)
            QVERIFY2(!q.m_strTexto.contains(QStringLiteral("no se podría guardar")),
                     qPrintable(q.m_strTexto));
        const std::vector<uint8_t> datos = p.EscribirPractica();
        CPractica q;
        QCOMPARE(q.LeerPractica(datos, QStringLiteral("crece.uak1"), &strError),
                 CPractica::Resultado::Correcto);
        QCOMPARE(q.m_strResultados, p.m_strResultados);
        // The held vessel stays as it was, step after step.
        p.m_listaEquipo.PasoSimulacion();
        QCOMPARE(v->m_seno.m_faseLiquida.m_dMasa, dMasa);
    }
};

QTEST_APPLESS_MAIN(TestConservacion)
#include "tst_conservacion.moc"
