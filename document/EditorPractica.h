// CEditorPractica: what the practice editor works on, without a window. It edits a copy of
// the open practice (the open one is untouched until Aplicar), keeps every index of the
// catalogue right as substances, reagents, reactions and indicators come and go, refuses
// to delete what something still uses, takes the open bench as the starting bench and
// builds the file the practice is saved as.
#pragma once

#include "document/Practica.h"
#include "document/Validacion.h"

#include <QString>

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

class CEditorPractica {
public:
    // An editor on a copy of the practice; none (with the reason) when the practice cannot
    // be copied.
    static std::unique_ptr<CEditorPractica> Desde(const CPractica& p, QString* pstrError = nullptr);
    // A new practice with nothing in it but water, the substance every practice begins with.
    static std::unique_ptr<CEditorPractica> EnBlanco();

    CPractica& Practica() { return *m_pCopia; }
    const CPractica& Practica() const { return *m_pCopia; }
    CCatalogo& Catalogo() { return m_pCopia->m_catalogo; }
    const CCatalogo& Catalogo() const { return m_pCopia->m_catalogo; }

    // Whether the copy differs from what the editor started with.
    bool Modificada() const;

    // The practice's own data. Sections of the notes: 0 theory, 1 procedure, 2 results.
    void PonerDato(std::string CPractica::*pCampo, const std::string& s);
    void PonerOpcion(int32_t CPractica::*pCampo, bool b);
    void PonerFecha(int nAnio, int nMes, int nDia);
    void PonerNota(int nSeccion, const std::string& strRtf);
    // How the practice computes its solutions (MOTOR_*), kept to the three there are.
    void PonerMotor(int32_t nMotor);
    // The practice's room (model/Termica.h): the whole record at once; one not Tiene() is
    // the described rule.
    void PonerAmbiente(const CTermicaPractica& a);
    // What the practice records by itself in the lab log: the kinds of item (only those with
    // a reading are kept), the interval (held to the log's bounds) and the X axis.
    void PonerRegistroAutomatico(std::vector<int32_t> tipos, double dIntervalo, bool bEjeVolumen);

    // Substances. A new one is a copy of an existing one (of the first when none is given),
    // with its own identifier, at the end of the table; its index is returned. Deleting
    // refuses (saying who uses it) a substance a reagent, a reaction, an indicator or the
    // starting bench uses, and water, which the program adds by itself.
    int32_t AgregarComponente(int32_t nModelo);
    bool EliminarComponente(int32_t n, QString* pstrError = nullptr);
    // The index that stands for "no substance" in a reaction slot.
    int32_t Ninguno() const { return Catalogo().NumComponentes(); }
    // One field of substance n; false when there is none. A new formula brings the
    // description the built-in practices give it; a new number redraws the solubility line
    // through the two points; a whole number is kept within RangoComponente.
    bool PonerComponente(int32_t n, std::string CComponentes::*pCampo, const std::string& s);
    bool PonerComponente(int32_t n, double CComponentes::*pCampo, double d);
    bool PonerComponente(int32_t n, int32_t CComponentes::*pCampo, int32_t v);
    bool PonerComponente(int32_t n, COLORREF CComponentes::*pCampo, COLORREF c);
    // One of substance n's latent heats (kJ/mol; 0: none); false when there is no such one.
    bool PonerTermica(int32_t n, double CTermicaDatos::*pCampo, double d);
    // The acid–base system of substance n, a field at a time. Step k's pKa (k from 0 to 2)
    // given adds the steps up to it; emptied (none) after the last one given, it ends the
    // steps there; before a given one, it stays as a gap (NaN) that the validation names.
    // Enthalpies, the charge of the acid form and the protons given up are kept as given
    // (the validation holds them to the steps there are).
    bool PonerPKa(int32_t n, int k, std::optional<double> d);
    bool PonerEntalpiaPaso(int32_t n, int k, double d);
    bool PonerAcidoBase(int32_t n, int32_t CAcidoBaseDatos::*pCampo, int32_t v);
    // A component's particles, molar volume, Antoine constant k (0 A, 1 B, 2 C) and solubility
    // curve (Vapor.h), each kept as given (the validation names what is wrong), each with its
    // undo; and a pair's Wilson energies, given for places a != b in either order (none: the
    // pair mixes ideally, its record removed).
    bool PonerDisolucion(int32_t n, double CDisolucionDatos::*pCampo, double d);
    bool PonerAntoine(int32_t n, int k, double d);
    bool PonerCurvaSolubilidad(int32_t n, const std::vector<std::array<double, 2>>& puntos);
    bool PonerParVapor(int32_t a, int32_t b, std::optional<std::pair<double, double>> energias);
    struct Rango {
        int32_t nMinimo;
        int32_t nMaximo;
    };
    static Rango RangoComponente(int32_t CComponentes::*pCampo);
    // The bench draws the textures 0 to 6 of a solid.
    static constexpr int32_t kUltimaTextura = 6;

    // Reagents. A new one is a litre of water measured in millilitres; a substance added to
    // its composition is a mole of the first one. Its state and the kind of its amounts are
    // 0 or 1.
    int32_t AgregarReactivo();
    bool EliminarReactivo(int32_t n);
    bool PonerReactivo(int32_t n, std::string CReactivos::*pCampo, const std::string& s);
    bool PonerReactivo(int32_t n, int32_t CReactivos::*pCampo, int32_t v);
    int32_t AgregarALaComposicion(int32_t nReactivo);
    // Entry i of the composition (the last when i is -1).
    bool QuitarDeLaComposicion(int32_t nReactivo, int32_t i);
    bool PonerEnComposicion(int32_t nReactivo, int32_t i, int32_t nComponente);
    bool PonerMolesEnComposicion(int32_t nReactivo, int32_t i, double dMoles);

    // A new reaction starts with every slot empty. A slot given a substance has a coefficient
    // from 1 to the most a file keeps; nComponente -1 (or any index that is no substance)
    // empties it, and its coefficient becomes 0. The flags of a reaction are 0 or 1.
    int32_t AgregarReaccion();
    bool EliminarReaccion(int32_t n);
    void PonerRanura(int32_t nReaccion, bool bProducto, int k, int32_t nComponente,
                     int32_t nCoeficiente, int32_t nFase);
    bool PonerReaccion(int32_t n, std::string CReacciones::*pCampo, const std::string& s);
    bool PonerReaccion(int32_t n, double CReacciones::*pCampo, double d);
    bool PonerReaccion(int32_t n, int32_t CReacciones::*pCampo, int32_t v);
    // -1 (or any index that is no substance): no catalyst.
    bool PonerCatalizador(int32_t nReaccion, int32_t nComponente);
    // The reaction as one that runs to its equilibrium: K at 25 °C (0: it does not), its
    // enthalpy and speed; and whether slot k of a side stays out of the quotient. A slot
    // emptied with PonerRanura leaves the quotient's list too.
    bool PonerReversible(int32_t n, double CReversibleDatos::*pCampo, double d);
    bool PonerFueraDeQ(int32_t n, bool bProducto, int k, bool bFuera);
    // The reaction's rate law (Cinetica.h): k at the reference temperature (0: none, the
    // per-step amounts apply), Ea, reference temperature, catalyst factor; and the order of
    // reactant slot k. A substance's surface form (FORMA_NINGUNA: none), with the factor the
    // form suggests when it had none; and the factor itself.
    bool PonerCinetica(int32_t n, double CCineticaDatos::*pCampo, double d);
    bool PonerOrden(int32_t n, int k, double d);
    bool PonerForma(int32_t nComponente, int32_t nForma);
    bool PonerFactorSuperficie(int32_t nComponente, double d);

    int32_t AgregarIndicador();
    bool EliminarIndicador(int32_t n, QString* pstrError = nullptr);
    bool PonerIndicador(int32_t n, std::string CIndicadores::*pCampo, const std::string& s);
    bool PonerIndicador(int32_t n, double CIndicadores::*pCampo, double d);
    bool PonerIndicador(int32_t n, COLORREF CIndicadores::*pCampo, COLORREF c);
    // What the indicator follows: a substance's concentration, shown by its name, or the pH
    // (-1, or any index that is no substance).
    bool PonerSigue(int32_t nIndicador, int32_t nComponente);
    // The indicator as a weak acid: transition k's pKa as PonerPKa does for a substance; the
    // first one given to an indicator whose forms have no colours yet gives its two forms
    // the colours below and above its limits. The colour of form k (0 to 3, most acidic
    // first).
    bool PonerPKaIndicador(int32_t n, int k, std::optional<double> d);
    bool PonerColorForma(int32_t n, int k, COLORREF c);

    // The starting bench: the equipment and contents of the given practice's bench, or none.
    // On the practice the editor was started from, its substances and indicators are found
    // where the editor has them now; on another (a blank practice takes the open bench),
    // by name. False, with the reason, when the bench holds one the edited practice lacks.
    bool UsarMesa(const CPractica& actual, QString* pstrError = nullptr);
    void QuitarMesa();
    bool TieneMesa() const { return !m_pCopia->m_listaEquipo.empty(); }

    std::vector<Validacion::Problema> Problemas() const { return Validacion::Validar(*m_pCopia); }

    // Undo and redo of the edits, back to what the editor started with: every field of the
    // practice and its catalogue, and adding or deleting entries. A run of changes to one
    // text field (typed letter by letter) is one step. The notes keep their own undo (their
    // text editor's); taking or dropping the starting bench empties the history.
    bool PuedeDeshacer() const { return !m_deshacer.empty(); }
    bool PuedeRehacer() const { return !m_rehacer.empty(); }
    bool Deshacer();
    bool Rehacer();
    // Called after every change to the history (a window shows what can be undone).
    std::function<void()> m_fnHistorial = [] {};

    // The file the practice is saved as: a saved practice (".uak1") with its starting bench,
    // a template (".akp") without one. Empty when a number cannot be written.
    std::vector<uint8_t> Bytes() const;
    QString Extension() const {
        return TieneMesa() ? QStringLiteral("uak1") : QStringLiteral("akp");
    }
    // The template layout: components by identifier, as the built-in templates are.
    std::vector<uint8_t> BytesPlantilla() const;

    // Replaces the open practice with the edited one, through the reading that opening a
    // file uses (whoever watches the bench hears of the items that go). Refused, with the
    // problems, when the practice does not validate.
    bool Aplicar(CPractica& destino, QString* pstrError = nullptr) const;

    // "2 HCl (ac) + Zn (s) → ZnCl2 (ac) + H2 (g)": formulas (the name when a substance has
    // none), coefficients above 1, the phase of each slot.
    static QString Ecuacion(const CCatalogo& cat, const CReacciones& r);
    static QString TextoFase(int32_t nFase);

private:
    explicit CEditorPractica(std::unique_ptr<CPractica> pCopia);

    // What an edit can change: the practice's own data, the catalogue, where the substances
    // and indicators of the practice the editor started with are now, and the bench's
    // references to them (each content's substance and each indicator, in bench order).
    struct Estado {
        CCatalogo catalogo;
        std::string strPractica, strResumen, strAutor;
        CFecha fecha;
        int32_t bVelocidad = 0, bPropiedades = 0;
        std::vector<int32_t> mapaComponentes, mapaIndicadores, referenciasMesa;
        CRegistroAutomatico automatico;
    };
    Estado Tomar();
    void Restaurar(Estado& e);
    // Which field of which entry a change is to: a text field changed again in a row adds
    // no step.
    struct Clave {
        const void* pTipo = nullptr;
        uintptr_t nCampo = 0;
        int32_t nEntrada = -1;
        bool operator==(const Clave&) const = default;
    };
    template <class T, class V> static Clave ClaveDe(V T::*pCampo, int32_t nEntrada);
    // The state before a change, as a step of the history (unless the change continues the
    // last one to the same text field).
    void Anotar(const Clave& clave);
    void Anotar();
    void OlvidarHistorial();

    // Every reaction slot and catalyst holding the "no substance" index (or none at all)
    // moves to the new one after the table changed size.
    void AjustarNinguno(int32_t nAnterior);

    std::unique_ptr<CPractica> m_pCopia;
    const CPractica* m_pOrigen = nullptr;
    std::vector<uint8_t> m_datosIniciales;
    // For each substance and indicator of the practice the editor started with, where it is
    // now (-1: deleted): the open bench refers to them by those indices.
    std::vector<int32_t> m_mapaComponentes;
    std::vector<int32_t> m_mapaIndicadores;
    std::vector<Estado> m_deshacer, m_rehacer;
    Clave m_ultima;
    // The most steps kept; the oldest go first.
    static constexpr size_t kPasos = 200;
};
