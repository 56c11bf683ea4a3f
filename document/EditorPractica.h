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
#include <memory>
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

    // Substances. A new one is a copy of an existing one, with its own identifier, at the end
    // of the table; its index is returned. Deleting refuses (saying who uses it) a substance
    // a reagent, a reaction, an indicator or the starting bench uses, and water, which the
    // program adds by itself.
    int32_t AgregarComponente(int32_t nModelo);
    bool EliminarComponente(int32_t n, QString* pstrError = nullptr);
    // The index that stands for "no substance" in a reaction slot.
    int32_t Ninguno() const { return Catalogo().NumComponentes(); }

    int32_t AgregarReactivo();
    bool EliminarReactivo(int32_t n);

    // A new reaction starts with every slot empty; nComponente -1 empties a slot.
    int32_t AgregarReaccion();
    bool EliminarReaccion(int32_t n);
    void PonerRanura(int32_t nReaccion, bool bProducto, int k, int32_t nComponente,
                     int32_t nCoeficiente, int32_t nFase);

    int32_t AgregarIndicador();
    bool EliminarIndicador(int32_t n, QString* pstrError = nullptr);

    // The starting bench: the equipment and contents of the given practice's bench, or none.
    // On the practice the editor was started from, its substances and indicators are found
    // where the editor has them now; on another (a blank practice takes the open bench),
    // by name. False, with the reason, when the bench holds one the edited practice lacks.
    bool UsarMesa(const CPractica& actual, QString* pstrError = nullptr);
    void QuitarMesa();
    bool TieneMesa() const { return !m_pCopia->m_listaEquipo.empty(); }

    std::vector<Validacion::Problema> Problemas() const { return Validacion::Validar(*m_pCopia); }

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
};
