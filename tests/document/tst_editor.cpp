// The practice editor's model, without a window: an unchanged practice goes through it
// byte for byte, deleting what is used is refused, the indices stay right as the tables
// change, the equation text, and a practice written entirely through it (zinc and
// hydrochloric acid) that saves, reopens and runs with the mass the hydrogen takes away.
#include "Ayudas.h"
#include "document/EditorPractica.h"
#include "document/Plantillas.h"
#include "equipment/Instrumentos.h"
#include "equipment/Recipiente.h"
#include "equipment/Vasos.h"

#include <QtTest>

#include <array>
#include <cmath>
#include <functional>
#include <optional>

using prueba::Nuevo;

namespace {

std::vector<uint8_t> Vector(const QByteArray& b) {
    return {b.begin(), b.end()};
}

bool Plantilla(int n, CPractica& p) {
    return p.LeerPlantilla(Vector(Plantillas::Bytes(n)), QStringLiteral("%1.akp").arg(n),
                           nullptr) == CPractica::Resultado::Correcto;
}

void Pasos(CListaEquipo& lista, int n) {
    for (int i = 0; i < n; ++i)
        lista.PasoSimulacion();
}

template <class T> T* Buscar(const CListaEquipo& lista) {
    for (CEquipo* e : lista)
        if (auto* p = dynamic_cast<T*>(e))
            return p;
    return nullptr;
}

// A substance of the editor, as a teacher fills it in.
void Sustancia(CComponentes& c, const char* nombre, const char* formula, double masa,
               double densidad, double calor, int32_t estado, double fusion, double ebullicion) {
    c.m_strNombre = nombre;
    c.m_strFormula = formula;
    c.m_dMasaMolar = masa;
    c.m_dDensidad = densidad;
    c.m_dCalorEspecifico = calor;
    c.m_nEstado = estado;
    c.m_dPuntoFusion = fusion;
    c.m_dPuntoEbullicion = ebullicion;
}

void Iones(CComponentes& c, double constante, const char* cation, int nCation, int cargaCation,
           const char* anion, int nAnion, int cargaAnion) {
    c.m_dConstante = constante;
    c.m_strCation = cation;
    c.m_nCantidadCation = nCation;
    c.m_nSignoCation = cargaCation;
    c.m_strAnion = anion;
    c.m_nCantidadAnion = nAnion;
    c.m_nSignoAnion = cargaAnion;
}

void Solubilidad(CComponentes& c, double s1, double t1, double s2, double t2) {
    c.m_dSolubilidad1 = s1;
    c.m_dTemperatura1 = t1;
    c.m_dSolubilidad2 = s2;
    c.m_dTemperatura2 = t2;
    c.AjustarSolubilidad();
}

} // namespace

class TestEditor : public QObject {
    Q_OBJECT
private slots:
    // "Aceptar" without changes, on every built-in practice (with a bench too): the practice
    // saves the same bytes; its template form reads back into the same practice.
    void sinCambiosLaMismaPractica() {
        for (int n = Plantillas::kPrimera; n <= Plantillas::kUltima; ++n) {
            CPractica p;
            QVERIFY(Plantilla(n, p));
            if (n == 903) {
                auto* vaso = Nuevo<CVaso250>(p.m_listaEquipo, 100, 200);
                QVERIFY(vaso->AddReagent(0, 50.0));
                vaso->m_seno.m_faseLiquida.AgregarIndicador(2);
            }
            if (n == 900) // a text Windows-1252 cannot spell, kept whole by the template too
                p.m_strResumen = "Mg + 2 HCl → MgCl₂ + H₂";
            const std::vector<uint8_t> antes = p.EscribirPractica();
            auto ed = CEditorPractica::Desde(p);
            QVERIFY(ed);
            QVERIFY(!ed->Modificada());
            QCOMPARE(ed->Extension(), n == 903 ? QStringLiteral("uak1") : QStringLiteral("akp"));
            if (n != 903) {
                CPractica q;
                QCOMPARE(q.LeerPlantilla(ed->BytesPlantilla(), "x.akp", nullptr),
                         CPractica::Resultado::Correcto);
                QVERIFY(q.EscribirPractica() == antes);
            }
            QString strError;
            QVERIFY2(ed->Aplicar(p, &strError), qPrintable(strError));
            QVERIFY(p.EscribirPractica() == antes);
        }
    }

    void ecuacion() {
        CPractica p;
        QVERIFY(Plantilla(900, p));
        const CCatalogo& cat = p.m_catalogo;
        QStringList v;
        for (const CReacciones& r : cat.m_reacciones)
            v << CEditorPractica::Ecuacion(cat, r);
        QCOMPARE(v.value(0), QStringLiteral("3 Cu (s) + 8 HNO3 (ac) → 3 Cu(NO3)2 (ac) + 2 NO (g) + "
                                            "4 H2O (l)"));
        QCOMPARE(v.value(5), QStringLiteral("Zn (s) + H2SO4 (ac) → ZnSO4 (ac) + H2 (g)"));
        CReacciones vacia;
        for (int k = 0; k < 3; ++k)
            vacia.m_nReactivo[k] = vacia.m_nProducto[k] = cat.NumComponentes();
        QCOMPARE(CEditorPractica::Ecuacion(cat, vacia), QStringLiteral("… → …"));
    }

    // Deleting is refused while something uses the substance, naming the user; otherwise
    // every index after it moves down, the empty slots with them.
    void eliminarSustancias() {
        CPractica p;
        QVERIFY(Plantilla(903, p));
        auto ed = CEditorPractica::Desde(p);
        CCatalogo& cat = ed->Catalogo();
        const int32_t hcl = cat.BuscarComponente(3);
        QString strError;
        QVERIFY(!ed->EliminarComponente(hcl, &strError));
        QCOMPARE(strError, QStringLiteral("No se puede eliminar «Acido clorhidrico»: la usa el "
                                          "reactivo «Solución problema 3»."));
        QVERIFY(!ed->EliminarComponente(0, &strError));
        QVERIFY(strError.contains(QStringLiteral("agua")));
        // A reaction uses sodium chloride.
        QVERIFY(!ed->EliminarComponente(cat.BuscarComponente(4), &strError));
        QVERIFY(strError.contains(QStringLiteral("la reacción «Neutralización NaOH y HCl»")));

        const QString strEcuacion = CEditorPractica::Ecuacion(cat, cat.m_reacciones[0]);
        // A new substance between the others and the empty slots: the equation stays.
        const int32_t nueva = ed->AgregarComponente(hcl);
        QCOMPARE(cat.m_componentes[nueva].m_strNombre, std::string("Acido clorhidrico (copia)"));
        QCOMPARE(cat.m_componentes[nueva].m_nId, 15);
        QCOMPARE(cat.m_reacciones[0].m_nProducto[2], ed->Ninguno());
        QCOMPARE(CEditorPractica::Ecuacion(cat, cat.m_reacciones[0]), strEcuacion);
        // An indicator follows it: refused; once it follows the pH again, deleted.
        const int32_t ind = ed->AgregarIndicador();
        cat.m_indicadores[ind].m_nComponente = nueva;
        QVERIFY(!ed->EliminarComponente(nueva, &strError));
        QVERIFY(strError.contains(QStringLiteral("el indicador «Indicador nuevo»")));
        cat.m_indicadores[ind].m_nComponente = -1;
        QVERIFY(ed->EliminarComponente(nueva, &strError));
        // A substance before others (sodium hydroxide is not used once its reagent goes).
        const int32_t naoh = cat.BuscarComponente(2);
        QVERIFY(ed->EliminarReactivo(cat.BuscarReactivo("Hidróxido de sodio 0.1 Molar")));
        QVERIFY(!ed->EliminarComponente(naoh, &strError)); // the reaction still uses it
        QVERIFY(ed->EliminarReaccion(0));
        QVERIFY(ed->EliminarComponente(naoh, &strError));
        QCOMPARE(cat.m_reactivos.front().m_listaComposicion.back().m_nComponente,
                 cat.BuscarComponente(3));
        QVERIFY(ed->Problemas().empty());
        QVERIFY(ed->Modificada());
        // The open practice is untouched until "Aceptar".
        QCOMPARE(p.m_catalogo.NumComponentes(), 5);
        QVERIFY(ed->Aplicar(p));
        QCOMPARE(p.m_catalogo.NumComponentes(), 4);
    }

    // The starting bench of another practice is taken by the names of what it holds.
    void mesaDeOtraPractica() {
        CPractica abierta;
        QVERIFY(Plantilla(903, abierta));
        auto* vaso = Nuevo<CVaso250>(abierta.m_listaEquipo, 100, 200);
        QVERIFY(vaso->AddComponent(0, 50.0, UNIDAD_ML));
        auto ed = CEditorPractica::EnBlanco();
        QVERIFY(ed->UsarMesa(abierta));
        QCOMPARE(ed->Practica().m_listaEquipo.size(), size_t(1));
        QVERIFY(vaso->AddReagent(0, 10.0)); // sodium hydroxide 0.1 M
        QString strError;
        QVERIFY(!ed->UsarMesa(abierta, &strError));
        QCOMPARE(strError, QStringLiteral("La mesa actual contiene «Hidroxido de sodio», que no "
                                          "está en la práctica editada: no puede ser la mesa "
                                          "inicial."));
        ed->AgregarComponente(0);
        ed->Catalogo().m_componentes[1] = abierta.m_catalogo.m_componentes[2];
        QVERIFY(ed->UsarMesa(abierta, &strError));
        const auto* v = dynamic_cast<CRecipiente*>(ed->Practica().m_listaEquipo.front());
        QVERIFY(v && v->m_seno.m_faseLiquida.Moles(1) > 0.0);
        QCOMPARE(ed->Extension(), QStringLiteral("uak1"));
        ed->QuitarMesa();
        QCOMPARE(ed->Extension(), QStringLiteral("akp"));
    }

    // What does not validate is not applied, and the open practice stays as it was.
    void loQueNoValidaNoSeAplica() {
        CPractica p;
        QVERIFY(Plantilla(906, p));
        const std::vector<uint8_t> antes = p.EscribirPractica();
        auto ed = CEditorPractica::Desde(p);
        ed->Practica().m_strPractica.clear();
        ed->Catalogo().m_componentes[1].m_dDensidad = 0.0;
        const int32_t r = ed->AgregarReaccion();
        QString strError;
        QVERIFY(!ed->Aplicar(p, &strError));
        QVERIFY(strError.contains(QStringLiteral("Práctica: El campo «Nombre» no puede quedar "
                                                 "vacío.")));
        QVERIFY(strError.contains(QStringLiteral("«Densidad» debe ser un número mayor que cero")));
        QVERIFY(strError.contains(QStringLiteral("Reacción 2 «Reacción nueva»: La reacción no "
                                                 "tiene ningún reactivo.")));
        QVERIFY(p.EscribirPractica() == antes);
        // Filled in, the reaction validates; a slot emptied again empties its coefficient.
        ed->PonerRanura(r, false, 0, 0, 1, FASE_LIQUIDA);
        ed->PonerRanura(r, true, 0, 0, 1, FASE_GAS);
        QCOMPARE(ed->Problemas().size(), size_t(3)); // name, density, water on both sides
        ed->PonerRanura(r, true, 0, 2, 1, FASE_IONIZADA);
        ed->PonerRanura(r, false, 1, -1, 5, FASE_GAS);
        QCOMPARE(ed->Catalogo().m_reacciones[r].m_nCoefReactivo[1], 0);
        QCOMPARE(ed->Problemas().size(), size_t(2));
        // A substance put in a slot with no coefficient yet counts once; a catalyst that is
        // no substance is none.
        ed->PonerRanura(r, false, 1, 1, 0, FASE_IONIZADA);
        QCOMPARE(ed->Catalogo().m_reacciones[r].m_nCoefReactivo[1], 1);
        QVERIFY(ed->PonerCatalizador(r, 1));
        QVERIFY(ed->PonerCatalizador(r, -1));
        QCOMPARE(ed->Catalogo().m_reacciones[r].m_nCatalizador, ed->Ninguno());
    }

    // What follows from a field the editor changes: the description of a formula as the
    // built-in practices store it, the solubility line through its two points, whole numbers
    // within what the bench draws, a reagent's composition naming its substances, an
    // indicator naming what it follows.
    void loQueSigueDeUnCampo() {
        CPractica p;
        QVERIFY(Plantilla(900, p));
        auto ed = CEditorPractica::Desde(p);
        CCatalogo& cat = ed->Catalogo();
        const int32_t nitrato = cat.BuscarComponente(159); // copper(II) nitrate
        const std::string strFormula = cat.m_componentes[nitrato].m_strFormula;
        const std::string strDescripcion = cat.m_componentes[nitrato].m_strDescripcion;
        QCOMPARE(strFormula, std::string("Cu(NO3)2"));
        const int32_t k = ed->AgregarComponente(-1); // no model: a copy of the first, water
        QCOMPARE(cat.m_componentes[k].m_strNombre, cat.m_componentes[0].m_strNombre + " (copia)");
        QVERIFY(ed->PonerComponente(k, &CComponentes::m_strFormula, strFormula));
        QCOMPARE(cat.m_componentes[k].m_strDescripcion, strDescripcion);
        // Potassium nitrate: 31.6 g at 20 °C and 63.9 g at 40 °C in 100 g of water.
        QVERIFY(ed->PonerComponente(k, &CComponentes::m_dSolubilidad1, 31.6));
        QVERIFY(ed->PonerComponente(k, &CComponentes::m_dTemperatura1, 20.0));
        QVERIFY(ed->PonerComponente(k, &CComponentes::m_dSolubilidad2, 63.9));
        QVERIFY(ed->PonerComponente(k, &CComponentes::m_dTemperatura2, 40.0));
        const CComponentes& c = cat.m_componentes[k];
        QCOMPARE(c.m_dOrdenada + 30.0 * c.m_dPendiente, 47.75);
        QVERIFY(ed->PonerComponente(k, &CComponentes::m_nTextura, 9));
        QVERIFY(ed->PonerComponente(k, &CComponentes::m_nCantidadAnion, -2));
        QCOMPARE(c.m_nTextura, CEditorPractica::kUltimaTextura);
        QCOMPARE(c.m_nCantidadAnion, 0);
        QVERIFY(!ed->PonerComponente(cat.NumComponentes(), &CComponentes::m_dDensidad, 1.0));

        const int32_t r = ed->AgregarReactivo();
        QCOMPARE(ed->AgregarALaComposicion(r), 1);
        QVERIFY(ed->PonerEnComposicion(r, 1, nitrato));
        QVERIFY(ed->PonerMolesEnComposicion(r, 1, 0.1));
        const CContenido& e = cat.m_reactivos[r].m_listaComposicion.back();
        QCOMPARE(e.m_strTexto, cat.m_componentes[nitrato].m_strNombre);
        QCOMPARE(e.m_dMoles, 0.1);
        QVERIFY(ed->QuitarDeLaComposicion(r, 0)); // the water goes, the nitrate stays
        QVERIFY(ed->QuitarDeLaComposicion(r, -1));
        QVERIFY(!ed->QuitarDeLaComposicion(r, -1));

        const int32_t d = ed->AgregarIndicador();
        QVERIFY(ed->PonerSigue(d, nitrato));
        QCOMPARE(cat.m_indicadores[d].m_strTexto, cat.m_componentes[nitrato].m_strNombre);
        QVERIFY(ed->PonerSigue(d, cat.NumComponentes()));
        QCOMPARE(cat.m_indicadores[d].m_nComponente, -1);
        QCOMPARE(cat.m_indicadores[d].m_strTexto, std::string("pH"));
    }

    // The aqueous data as the editor's fields give them: a pKa given adds the steps up to it,
    // one emptied at the end removes its step, one emptied before a given one stays a gap
    // the validation names; an indicator's first pKa colours its two forms as its limits;
    // a slot emptied leaves the quotient's list; the mode stays one of the three.
    void datosAcuososPorCampos() {
        CPractica p;
        QVERIFY(Plantilla(903, p));
        auto ed = CEditorPractica::Desde(p);
        CCatalogo& cat = ed->Catalogo();
        // Carbonic acid as sodium carbonate: pKa 6.35 and 10.33 (CRC Handbook, 25 °C).
        const int32_t k = ed->AgregarComponente(0);
        const CAcidoBaseDatos& a = cat.m_componentes[k].m_acidoBase;
        QVERIFY(ed->PonerPKa(k, 1, 10.33));
        QCOMPARE(a.m_nPasos, 2);
        QVERIFY(std::isnan(a.m_pKa[0]));
        QVERIFY(ed->PonerPKa(k, 0, 6.35));
        QVERIFY(ed->PonerAcidoBase(k, &CAcidoBaseDatos::m_nCedidos, 2));
        QVERIFY(ed->PonerEntalpiaPaso(k, 2, 5.0)); // kept, though there is no third step
        QCOMPARE(a.m_pKa, (std::array<double, 3>{6.35, 10.33, 0.0}));
        QCOMPARE(a.m_nCedidos, 2);
        QVERIFY(ed->PonerPKa(k, 1, std::nullopt));
        QCOMPARE(a.m_nPasos, 1);
        QCOMPARE(a.m_pKa, (std::array<double, 3>{6.35, 0.0, 0.0}));
        QCOMPARE(a.m_dEntalpia[2], 5.0);
        QVERIFY(ed->PonerPKa(k, 0, std::nullopt));
        QVERIFY(!a.Tiene());
        QVERIFY(!ed->PonerPKa(k, 3, 1.0));
        QVERIFY(!ed->PonerPKa(cat.NumComponentes(), 0, 1.0));

        // Vapour data: a pair given in either order is kept as (lower, higher) with its
        // energies swapped to match, undone in one step, and goes with a deleted component.
        QVERIFY(ed->PonerParVapor(k, 0, std::pair{1631.76, 3891.12}));
        QCOMPARE(cat.m_paresVapor.size(), size_t(1));
        QVERIFY((cat.m_paresVapor[0] == CParVapor{0, k, 3891.12, 1631.76}));
        QVERIFY(ed->PonerAntoine(k, 1, 1670.409));
        QVERIFY(ed->Deshacer());
        QCOMPARE(cat.m_componentes[k].m_disolucion.m_antoine[1], 0.0);
        QVERIFY(!ed->PonerParVapor(k, k, std::pair{1.0, 1.0}));
        QVERIFY(ed->EliminarComponente(k, nullptr));
        QVERIFY(cat.m_paresVapor.empty());
        QVERIFY(ed->Deshacer());
        QCOMPARE(cat.m_paresVapor.size(), size_t(1));

        // Bromothymol blue, pKa 7.1 (CRC Handbook), yellow to blue as the new indicator's
        // limits are.
        const int32_t d = ed->AgregarIndicador();
        QVERIFY(ed->PonerPKaIndicador(d, 0, 7.1));
        const CIndicadorDatos& f = cat.m_indicadores[d].m_acidoBase;
        QCOMPARE(f.m_nTransiciones, 1);
        QCOMPARE(f.m_crFormas[0], RGBColor(255, 255, 0));
        QCOMPARE(f.m_crFormas[1], RGBColor(0, 0, 255));
        QVERIFY(ed->PonerColorForma(d, 1, RGBColor(0, 0, 128)));
        QVERIFY(ed->PonerPKaIndicador(d, 0, std::nullopt));
        QVERIFY(ed->PonerPKaIndicador(d, 0, 7.1)); // the colours given stay
        QCOMPARE(f.m_crFormas[1], RGBColor(0, 0, 128));
        QVERIFY(!ed->PonerColorForma(d, 4, 0));

        // The neutralisation of 903, NaOH + HCl → NaCl + H2O, with K = 1/Kw = 1.0e14 (CRC
        // Handbook, ion product of water at 25 °C) and the sodium chloride out of Q.
        QVERIFY(ed->PonerReversible(0, &CReversibleDatos::m_dK25, 1.0e14));
        QVERIFY(ed->PonerFueraDeQ(0, true, 0, true));
        QCOMPARE(cat.m_reacciones[0].m_reversible.m_nFueraDeQ, 1 << 3);
        QVERIFY(ed->Problemas().empty());
        ed->PonerRanura(0, true, 0, -1, 1, FASE_IONIZADA);
        QCOMPARE(cat.m_reacciones[0].m_reversible.m_nFueraDeQ, 0);
        QVERIFY(!ed->PonerFueraDeQ(0, false, 3, true));

        ed->PonerMotor(MOTOR_NEUTRALIZACION);
        QCOMPARE(cat.m_nMotor, MOTOR_NEUTRALIZACION);
        ed->PonerMotor(7);
        QCOMPARE(cat.m_nMotor, MOTOR_NEUTRALIZACION);
        ed->PonerMotor(-1);
        QCOMPARE(cat.m_nMotor, MOTOR_DESCRITO);
    }

    // Undo and redo: every edit is a step (a run of letters typed into one text field is
    // one), back to the practice the editor started with, the aqueous data with the rest;
    // a deleted substance comes back where it was, with the bench's references to what
    // followed it; taking another bench empties the history.
    void deshacerYRehacer() {
        CPractica p;
        QVERIFY(Plantilla(903, p));
        auto* vaso = Nuevo<CVaso250>(p.m_listaEquipo, 100, 200);
        QVERIFY(vaso->AddComponent(4, 1.0, UNIDAD_GRAMOS)); // sodium chloride
        auto ed = CEditorPractica::Desde(p);
        const CCatalogo& cat = ed->Catalogo();
        const CCatalogo antes = cat;
        QVERIFY(!ed->PuedeDeshacer() && !ed->Deshacer());
        int nAvisos = 0;
        ed->m_fnHistorial = [&] { ++nAvisos; };
        const int32_t k = ed->AgregarComponente(0);
        for (const char* s : {"Á", "Ácido", "Ácido acético"})
            ed->PonerComponente(k, &CComponentes::m_strNombre, std::string(s));
        // Acetic acid, pKa 4.756 (CRC Handbook, 25 °C); the neutralisation with K = 1/Kw.
        ed->PonerPKa(k, 0, 4.756);
        ed->PonerReversible(0, &CReversibleDatos::m_dK25, 1.0e14);
        ed->PonerMotor(MOTOR_NEUTRALIZACION);
        // An enthalpy of solution for it and a room for the practice, each one step.
        QVERIFY(ed->PonerTermica(k, &CTermicaDatos::m_dDisolucion, -1.5));
        ed->PonerAmbiente({true, 22.0, true, 12.0});
        QCOMPARE(nAvisos, 7);
        const CCatalogo despues = cat;
        auto iguales = [](const CCatalogo& a, const CCatalogo& b) {
            if (a.NumComponentes() != b.NumComponentes() || a.m_nMotor != b.m_nMotor ||
                !(a.m_termica == b.m_termica))
                return false;
            for (int32_t i = 0; i < a.NumComponentes(); ++i)
                if (a.m_componentes[i].m_strNombre != b.m_componentes[i].m_strNombre ||
                    !(a.m_componentes[i].m_acidoBase == b.m_componentes[i].m_acidoBase) ||
                    !(a.m_componentes[i].m_termica == b.m_componentes[i].m_termica))
                    return false;
            return a.m_reacciones[0].m_reversible == b.m_reacciones[0].m_reversible;
        };
        QVERIFY(ed->Deshacer()); // the room
        QVERIFY(!cat.m_termica.Tiene());
        QVERIFY(ed->Deshacer()); // the enthalpy of solution
        QVERIFY(!cat.m_componentes[k].m_termica.Tiene());
        QVERIFY(ed->Deshacer()); // the mode
        QCOMPARE(cat.m_nMotor, antes.m_nMotor);
        QVERIFY(ed->Deshacer()); // K
        QVERIFY(!cat.m_reacciones[0].m_reversible.Tiene());
        QVERIFY(ed->Deshacer()); // the pKa
        QVERIFY(!cat.m_componentes[k].m_acidoBase.Tiene());
        QVERIFY(ed->Deshacer()); // the whole name
        QCOMPARE(cat.m_componentes[k].m_strNombre, std::string("Agua (copia)"));
        QVERIFY(ed->Deshacer()); // the new substance
        QVERIFY(iguales(cat, antes));
        QVERIFY(!ed->Deshacer());
        while (ed->Rehacer()) {
        }
        QVERIFY(iguales(cat, despues));
        // An edit after an undo drops what could be redone.
        QVERIFY(ed->Deshacer());
        ed->PonerMotor(MOTOR_NEUTRALIZACION);
        QVERIFY(!ed->PuedeRehacer());

        // Oxygen (index 1) goes; the bench's sodium chloride moves down with it, and back.
        const auto cloruro = [&] {
            const auto* v = dynamic_cast<CRecipiente*>(ed->Practica().m_listaEquipo.front());
            return v->m_seno.m_faseSolida.m_listaContenido.front().m_nComponente;
        };
        QCOMPARE(cloruro(), 4);
        QVERIFY(ed->EliminarComponente(1));
        QCOMPARE(cloruro(), 3);
        QVERIFY(ed->Deshacer());
        QCOMPARE(cloruro(), 4);
        QCOMPARE(cat.m_componentes[1].m_strNombre, antes.m_componentes[1].m_strNombre);
        QString strError;
        QVERIFY2(ed->Aplicar(p, &strError), qPrintable(strError));
        ed->QuitarMesa();
        QVERIFY(!ed->PuedeDeshacer() && !ed->PuedeRehacer());
    }

    // The aqueous data edited reach the practice they are applied to and its template; all
    // of it undone, the practice is the one started with, byte for byte.
    void datosAcuososSeAplican() {
        CPractica p;
        QVERIFY(Plantilla(903, p));
        const std::vector<uint8_t> antes = p.EscribirPractica();
        auto ed = CEditorPractica::Desde(p);
        // Ammonium chloride's NH4+, pKa 9.25 (CRC Handbook, 25 °C), on the sodium chloride;
        // bromothymol blue, pKa 7.1; the neutralisation, K = 1/Kw = 1.0e14.
        const int32_t k = 4;
        ed->PonerPKa(k, 0, 9.25);
        ed->PonerAcidoBase(k, &CAcidoBaseDatos::m_nCargaAcida, 1);
        ed->PonerComponente(k, &CComponentes::m_dConcentracionColor, 0.1);
        const int32_t d = ed->Catalogo().BuscarIndicador("Azul de Bromotimol");
        QVERIFY(d < ed->Catalogo().NumIndicadores());
        ed->PonerPKaIndicador(d, 0, 7.1);
        ed->PonerReversible(0, &CReversibleDatos::m_dK25, 1.0e14);
        ed->PonerMotor(MOTOR_NEUTRALIZACION);
        QVERIFY(ed->Modificada());
        QString strError;
        QVERIFY2(ed->Aplicar(p, &strError), qPrintable(strError));
        const CCatalogo& cat = ed->Catalogo();
        auto iguales = [&](const CCatalogo& q) {
            QCOMPARE(q.m_nMotor, MOTOR_NEUTRALIZACION);
            QVERIFY(q.m_componentes[k].m_acidoBase == cat.m_componentes[k].m_acidoBase);
            QCOMPARE(q.m_componentes[k].m_dConcentracionColor, 0.1);
            QVERIFY(q.m_indicadores[d].m_acidoBase == cat.m_indicadores[d].m_acidoBase);
            QVERIFY(q.m_reacciones[0].m_reversible == cat.m_reacciones[0].m_reversible);
        };
        iguales(p.m_catalogo);
        CPractica plantilla;
        QCOMPARE(plantilla.LeerPlantilla(ed->BytesPlantilla(), "x.akp", nullptr),
                 CPractica::Resultado::Correcto);
        iguales(plantilla.m_catalogo);
        while (ed->Deshacer()) {
        }
        QVERIFY(!ed->Modificada());
        QVERIFY(ed->Aplicar(p, &strError));
        QVERIFY(p.EscribirPractica() == antes);
    }

    // Each bad value of the aqueous data, alone, is one problem at its entry that names its
    // field; the handbook's values pass.
    void datosAcuososMalos() {
        CPractica p;
        QVERIFY(Plantilla(903, p));
        auto ed = CEditorPractica::Desde(p);
        CCatalogo& cat = ed->Catalogo();
        // Acetic acid, pKa 4.756, ΔH −0.41 kJ/mol, and sodium carbonate, pKa 6.35 and 10.33,
        // having given up both protons of carbonic acid (CRC Handbook, 25 °C); a water-like
        // component has H+ and OH- as its ions.
        const int32_t acetico = ed->AgregarComponente(0);
        ed->PonerComponente(acetico, &CComponentes::m_strNombre, std::string("Ácido acético"));
        ed->PonerPKa(acetico, 0, 4.756);
        ed->PonerEntalpiaPaso(acetico, 0, -0.41);
        ed->PonerComponente(acetico, &CComponentes::m_dConcentracionColor, 0.5);
        const int32_t carbonato = ed->AgregarComponente(0);
        ed->PonerComponente(carbonato, &CComponentes::m_strNombre,
                            std::string("Carbonato de sodio"));
        ed->PonerPKa(carbonato, 0, 6.35);
        ed->PonerPKa(carbonato, 1, 10.33);
        ed->PonerAcidoBase(carbonato, &CAcidoBaseDatos::m_nCedidos, 2);
        const int32_t d = ed->AgregarIndicador();
        ed->PonerIndicador(d, &CIndicadores::m_strNombre, std::string("Azul de bromotimol"));
        ed->PonerPKaIndicador(d, 0, 7.1);
        ed->PonerReversible(0, &CReversibleDatos::m_dK25, 1.0e14);
        ed->PonerReversible(0, &CReversibleDatos::m_dEntalpia, -55.8);
        ed->PonerMotor(MOTOR_EQUILIBRIO);
        QVERIFY2(ed->Problemas().empty(), qPrintable(Validacion::Texto(ed->Problemas())));
        const CCatalogo bueno = cat;

        const QString strAcetico = QStringLiteral("Sustancia 6 «Ácido acético»: ");
        const QString strCarbonato = QStringLiteral("Sustancia 7 «Carbonato de sodio»: ");
        const QString strIndicador = QStringLiteral("Indicador 4 «Azul de bromotimol»: ");
        const QString strReaccion = QStringLiteral("Reacción 1 «Neutralización NaOH y HCl»: ");
        const QString strDeReaccion = strReaccion + QStringLiteral("El campo «");
        const struct {
            std::function<void(CEditorPractica&)> fn;
            QString strProblema;
        } kCasos[] = {
            {[&](CEditorPractica& e) { e.PonerPKa(carbonato, 1, 6.0); },
             strCarbonato + QStringLiteral("El «pKa2» debe ser mayor que el «pKa1».")},
            {[&](CEditorPractica& e) { e.PonerPKa(acetico, 0, 25.0); },
             strAcetico + QStringLiteral("El campo «pKa1» debe estar entre −5 y 20.")},
            {[&](CEditorPractica& e) { e.PonerPKa(carbonato, 0, std::nullopt); },
             strCarbonato + QStringLiteral("El campo «pKa1» está vacío: los valores van "
                                           "seguidos, del primero al último.")},
            {[&](CEditorPractica& e) { e.PonerEntalpiaPaso(acetico, 1, 250.0); },
             strAcetico + QStringLiteral("El campo «ΔH2» debe estar entre −200 y 200 kJ/mol.")},
            {[&](CEditorPractica& e) {
                 e.PonerAcidoBase(acetico, &CAcidoBaseDatos::m_nCedidos, 2);
             },
             strAcetico + QStringLiteral("El campo «Protones cedidos» debe ser un número entero "
                                         "entre 0 y 1.")},
            {[&](CEditorPractica& e) {
                 e.PonerAcidoBase(acetico, &CAcidoBaseDatos::m_nCargaAcida, 4);
             },
             strAcetico + QStringLiteral("El campo «Carga de la forma ácida» debe ser un número "
                                         "entero entre -3 y 3.")},
            {[&](CEditorPractica& e) {
                 e.PonerComponente(acetico, &CComponentes::m_dConstante, -1.0);
             },
             strAcetico + QStringLiteral("Una sustancia no puede ser a la vez ácido o base fuerte "
                                         "y tener pKa: deje vacíos los pKa o cambie la "
                                         "«Constante de disociación».")},
            {[&](CEditorPractica& e) {
                 e.PonerComponente(acetico, &CComponentes::m_dConcentracionColor, 25.0);
             },
             strAcetico + QStringLiteral("El campo «Concentración de su color» no puede pasar de "
                                         "20.")},
            {[&](CEditorPractica& e) {
                 e.PonerComponente(acetico, &CComponentes::m_dConcentracionColor, -0.1);
             },
             strAcetico + QStringLiteral("El campo «Concentración de su color» debe ser un número "
                                         "mayor que cero.")},
            {[&](CEditorPractica& e) { e.PonerPKaIndicador(d, 0, 17.0); },
             strIndicador + QStringLiteral("El campo «pKa1» debe estar entre −2 y 16.")},
            {[&](CEditorPractica& e) { e.PonerColorForma(d, 2, 0x1000000u); },
             strIndicador + QStringLiteral("El campo «Color de la forma 3» no es un color.")},
            {[&](CEditorPractica& e) { e.PonerReversible(0, &CReversibleDatos::m_dK25, 1e-50); },
             strDeReaccion + QStringLiteral("K a 25 °C» debe ser un número entre 10⁻⁴⁰ y 10⁴⁰.")},
            {[&](CEditorPractica& e) {
                 e.PonerReversible(0, &CReversibleDatos::m_dEntalpia, 600.0);
             },
             strDeReaccion + QStringLiteral("ΔH» debe estar entre −500 y 500 kJ/mol.")},
            {[&](CEditorPractica& e) { e.PonerReversible(0, &CReversibleDatos::m_dRapidez, 0.0); },
             strDeReaccion + QStringLiteral("Rapidez» debe ser mayor que 0 y no pasar de 1.")},
            {[&](CEditorPractica& e) { e.PonerReversible(0, &CReversibleDatos::m_dRapidez, 1.5); },
             strDeReaccion + QStringLiteral("Rapidez» debe ser mayor que 0 y no pasar de 1.")},
            {[&](CEditorPractica& e) { e.PonerFueraDeQ(0, true, 2, true); },
             strDeReaccion + QStringLiteral("Fuera de Q» nombra el producto 3, que está vacío.")},
            // A rate law: an activation energy that is negative or given in J, an order past
            // 3, a constant past what Arrhenius could still raise, a factor with no catalyst.
            {[&](CEditorPractica& e) {
                 e.PonerCinetica(0, &CCineticaDatos::m_dK, 1e-3);
                 e.PonerCinetica(0, &CCineticaDatos::m_dEa, -5.0);
             },
             strDeReaccion + QStringLiteral("Energía de activación» debe estar entre 0 y 500 "
                                            "kJ/mol.")},
            {[&](CEditorPractica& e) {
                 e.PonerCinetica(0, &CCineticaDatos::m_dK, 1e-3);
                 e.PonerOrden(0, 1, 4.0);
             },
             strDeReaccion + QStringLiteral("Orden del reactivo 2» debe estar entre 0 y 3.")},
            {[&](CEditorPractica& e) { e.PonerCinetica(0, &CCineticaDatos::m_dK, 1e40); },
             strDeReaccion + QStringLiteral("Constante de velocidad» debe ser un número entre "
                                            "10⁻³⁰ y 10³⁰.")},
            {[&](CEditorPractica& e) {
                 e.PonerCinetica(0, &CCineticaDatos::m_dK, 1e-3);
                 e.PonerCinetica(0, &CCineticaDatos::m_dFactorCatalizador, 100.0);
             },
             strDeReaccion + QStringLiteral("Factor del catalizador» necesita un catalizador.")},
            {[&](CEditorPractica& e) { e.Catalogo().m_nMotor = 3; },
             QStringLiteral("Práctica: El campo «Química de las disoluciones» debe ser un número "
                            "entero entre 0 y 2.")},
        };
        for (const auto& c : kCasos) {
            cat = bueno;
            c.fn(*ed);
            QCOMPARE(Validacion::Texto(ed->Problemas()), c.strProblema);
        }
        // A mode out of range is told at the practice's mode, for a source to name its line.
        QCOMPARE(ed->Problemas().front().m_que, Validacion::Problema::Que::Practica);
        QCOMPARE(ed->Problemas().front().m_nIndice, 4);
    }

    // A practice written from a blank one through the editor alone: zinc in hydrochloric
    // acid on a balance. Zn + 2 HCl → ZnCl2 + H2; the hydrogen leaves the open beaker and
    // the balance shows the 2.016 g of each mole of zinc (65.38 g) that went.
    void cincYAcidoClorhidrico() {
        auto ed = CEditorPractica::EnBlanco();
        QVERIFY(ed->Problemas().empty());
        QCOMPARE(ed->Catalogo().m_componentes.front().m_dMasaMolar, 18.01528);
        CPractica& p = ed->Practica();
        p.m_strPractica = "Cinc y ácido clorhídrico";
        p.m_strResumen = "El hidrógeno que se desprende se lleva parte de la masa";
        p.m_strAutor = "Prueba";
        CCatalogo& cat = ed->Catalogo();
        const int32_t zn = ed->AgregarComponente(0);
        const int32_t hcl = ed->AgregarComponente(0);
        const int32_t zncl2 = ed->AgregarComponente(0);
        const int32_t h2 = ed->AgregarComponente(0);
        // Molar masses from the standard atomic weights; densities and transition
        // temperatures from the handbook; specific heats in cal/(g·°C).
        Sustancia(cat.m_componentes[zn], "Cinc", "Zn", 65.38, 7.14, 0.0927, ESTADO_SOLIDO, 419.5,
                  907.0);
        Iones(cat.m_componentes[zn], 0.0, "Zn+2", 0, 2, "-", 0, -2);
        Solubilidad(cat.m_componentes[zn], 0.0, 0.0, 0.0, 100.0);
        Sustancia(cat.m_componentes[hcl], "Ácido clorhídrico", "HCl", 36.46, 1.19, 0.191,
                  ESTADO_GAS, -114.2, -85.05);
        Iones(cat.m_componentes[hcl], -1.0, "H+", 1, 1, "Cl-", 1, -1);
        Solubilidad(cat.m_componentes[hcl], 82.3, 0.0, 56.1, 60.0);
        Sustancia(cat.m_componentes[zncl2], "Cloruro de cinc", "ZnCl2", 136.29, 2.907, 0.125,
                  ESTADO_SOLIDO, 290.0, 732.0);
        Iones(cat.m_componentes[zncl2], -1.0, "Zn+2", 1, 2, "Cl-", 2, -1);
        Solubilidad(cat.m_componentes[zncl2], 395.0, 20.0, 614.0, 100.0);
        Sustancia(cat.m_componentes[h2], "Hidrógeno", "H2", 2.016, 0.0708, 3.42, ESTADO_GAS,
                  -259.16, -252.87);
        Iones(cat.m_componentes[h2], 0.0, "H+", 0, 1, "H-", 0, -1);
        Solubilidad(cat.m_componentes[h2], 0.0, 0.0, 0.0, 100.0);

        const int32_t granalla = ed->AgregarReactivo();
        CReactivos& rz = cat.m_reactivos[granalla];
        rz.m_strNombre = "Cinc en granalla";
        rz.m_nEstado = 0;
        rz.m_bPorProporcion = 1;
        rz.m_listaComposicion.front() = CContenido(zn);
        rz.m_listaComposicion.front().m_dMoles = 1.0;
        const int32_t acido = ed->AgregarReactivo();
        CReactivos& ra = cat.m_reactivos[acido];
        ra.m_strNombre = "Ácido clorhídrico 1 M";
        ra.m_listaComposicion.emplace_back(hcl).m_dMoles = 1.0;

        const int32_t r = ed->AgregarReaccion();
        ed->PonerRanura(r, false, 0, zn, 1, FASE_SOLIDA);
        ed->PonerRanura(r, false, 1, hcl, 2, FASE_IONIZADA);
        ed->PonerRanura(r, true, 0, zncl2, 1, FASE_IONIZADA);
        ed->PonerRanura(r, true, 1, h2, 1, FASE_GAS);
        CReacciones& reaccion = cat.m_reacciones[r];
        reaccion.m_strTexto1 = "Cinc y ácido clorhídrico";
        // 153.9 kJ per mole of zinc: 36.8 kcal.
        reaccion.m_dCalor = 36.8;
        reaccion.m_bSinLimite = 0;
        reaccion.m_dLimitePaso = 0.001;
        QCOMPARE(CEditorPractica::Ecuacion(cat, reaccion),
                 QStringLiteral("Zn (s) + 2 HCl (ac) → ZnCl2 (ac) + H2 (g)"));
        const int32_t fenolftaleina = ed->AgregarIndicador();
        CIndicadores& ind = cat.m_indicadores[fenolftaleina];
        ind.m_strNombre = "Fenolftaleína";
        ind.m_crColorBajo = RGBColor(254, 254, 254);
        ind.m_dLimiteBajo = 8.2;
        ind.m_crColorAlto = RGBColor(255, 0, 255);
        ind.m_dLimiteAlto = 10.0;
        QString strError;
        QVERIFY2(ed->Problemas().empty(), qPrintable(Validacion::Texto(ed->Problemas())));
        QCOMPARE(ed->Extension(), QStringLiteral("akp"));

        // Applied to the open practice; the teacher sets the bench: the balance and a beaker
        // with 1 g of zinc on it, and takes it as the starting bench.
        CPractica abierta;
        QVERIFY(ed->Aplicar(abierta, &strError));
        auto* balanza = Nuevo<CBalanza>(abierta.m_listaEquipo, 300, 500);
        auto* vaso = Nuevo<CVaso250>(abierta.m_listaEquipo, 0, 0);
        vaso->MoveBy(balanza->m_x + balanza->m_cx / 2 - vaso->m_cx / 2 - vaso->m_x,
                     balanza->m_y - vaso->m_cy - vaso->m_y);
        QVERIFY(vaso->AddReagent(granalla, 1.0));
        auto ed2 = CEditorPractica::Desde(abierta);
        QVERIFY(ed2->UsarMesa(abierta, &strError));
        QCOMPARE(ed2->Extension(), QStringLiteral("uak1"));
        QTemporaryDir dir;
        const QString strRuta = dir.filePath(QStringLiteral("cinc.uak1"));
        const std::vector<uint8_t> datos = ed2->Bytes();
        QCOMPARE(CPractica::EscribirArchivo(strRuta, reinterpret_cast<const char*>(datos.data()),
                                            qint64(datos.size()), &strError),
                 CPractica::Resultado::Correcto);

        // A fresh practice opens it and the student adds 50 ml of acid.
        CPractica q;
        QCOMPARE(q.AbrirPractica(strRuta, &strError), CPractica::Resultado::Correcto);
        QVERIFY(Validacion::Validar(q).empty());
        QCOMPARE(q.m_strPractica, std::string("Cinc y ácido clorhídrico"));
        auto* b = Buscar<CBalanza>(q.m_listaEquipo);
        auto* v = Buscar<CVaso250>(q.m_listaEquipo);
        QVERIFY(b && v);
        Pasos(q.m_listaEquipo, 2);
        QCOMPARE(q.m_listaEquipo.FindVesselAtProbe(b), static_cast<CRecipiente*>(v));
        b->Tarar();
        QCOMPARE(v->m_seno.m_faseSolida.Moles(zn), 1.0 / 65.38);
        QVERIFY(v->AddReagent(q.m_catalogo.BuscarReactivo("Ácido clorhídrico 1 M"), 50.0));
        const double dAcido = v->m_seno.m_faseLiquida.m_dMasa;
        QVERIFY(dAcido > 50.0 && dAcido < 55.0);
        Pasos(q.m_listaEquipo, 60);
        // All the zinc went (the acid is in excess), into zinc chloride and hydrogen.
        QVERIFY(v->m_seno.m_faseSolida.Moles(zn) < 1e-9);
        QVERIFY(std::fabs(v->m_seno.m_faseLiquida.Moles(zncl2) - 1.0 / 65.38) < 1e-9);
        QCOMPARE(v->m_seno.m_faseGas.Moles(h2), 0.0);
        const double dPerdida = dAcido - b->Peso();
        QVERIFY2(std::fabs(dPerdida - 2.016 / 65.38) < 1e-4, qPrintable(QString::number(dPerdida)));
        // The reaction warmed the acid.
        QVERIFY(v->m_seno.m_dTemperatura > 25.0);
    }
};

QTEST_GUILESS_MAIN(TestEditor)
#include "tst_editor.moc"
