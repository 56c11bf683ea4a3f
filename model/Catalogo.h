// CCatalogo: the catalogue of one practice — its components, reagents, reactions and
// indicators — addressed by index everywhere in the model. It is a value: a practice owns
// one, a copy is independent, and nothing else in the process shares it.
#pragma once

#include "model/Componentes.h"
#include "model/Indicadores.h"
#include "model/Reacciones.h"
#include "model/Reactivos.h"

#include <cstdint>
#include <string>
#include <vector>

class CArchivo;

class CCatalogo {
public:
    std::vector<CComponentes> m_componentes;
    std::vector<CReactivos> m_reactivos;
    std::vector<CReacciones> m_reacciones;
    std::vector<CIndicadores> m_indicadores;
    // MOTOR_*: kept in the file's extension, not in the described records.
    int32_t m_nMotor = MOTOR_DESCRITO;
    // Wilson's energies of pairs of components (Vapor.h), by increasing places; also kept in
    // the extension.
    std::vector<CParVapor> m_paresVapor;
    // The room, its cooling and the calorimeter (Termica.h); kept in the extension too.
    CTermicaPractica m_termica;

    // Whether anything in the catalogue asks for more than the described model.
    bool UsaDatosAcuosos() const;
    // Whether any component gives the concentration of its colour (CFase::ColorAbsorcion).
    bool ColorPorConcentracion() const;
    // Whether any component or pair gives the data of Vapor.h.
    bool UsaDatosVapor() const;
    // The pair's data for the places a < b, if the practice gives them.
    const CParVapor* ParVapor(int32_t a, int32_t b) const;
    // Whether the practice or any component gives thermal data (Termica.h).
    bool UsaDatosTermicos() const;

    int32_t NumComponentes() const { return static_cast<int32_t>(m_componentes.size()); }
    int32_t NumReactivos() const { return static_cast<int32_t>(m_reactivos.size()); }
    int32_t NumReacciones() const { return static_cast<int32_t>(m_reacciones.size()); }
    int32_t NumIndicadores() const { return static_cast<int32_t>(m_indicadores.size()); }

    // The record at an index, or none outside the table. Every rule of the model looks its
    // components up through here, so that a bad index or an empty catalogue does nothing.
    // A component index equal to NumComponentes() stands for "no component".
    const CComponentes* Componente(int32_t n) const {
        return n >= 0 && n < NumComponentes() ? &m_componentes[static_cast<size_t>(n)] : nullptr;
    }
    const CReactivos* Reactivo(int32_t n) const {
        return n >= 0 && n < NumReactivos() ? &m_reactivos[static_cast<size_t>(n)] : nullptr;
    }
    const CReacciones* Reaccion(int32_t n) const {
        return n >= 0 && n < NumReacciones() ? &m_reacciones[static_cast<size_t>(n)] : nullptr;
    }
    const CIndicadores* Indicador(int32_t n) const {
        return n >= 0 && n < NumIndicadores() ? &m_indicadores[static_cast<size_t>(n)] : nullptr;
    }

    // Index of the first component with the identifier; NumComponentes() when none
    // matches, 0 when the table is empty.
    int32_t BuscarComponente(int32_t nId) const;
    // First reagent / indicator whose name is exactly the text; the table's count when none.
    int32_t BuscarReactivo(const std::string& strNombre) const;
    int32_t BuscarIndicador(const std::string& strNombre) const;
    // Index of the indicator with the identifier; -1 when none has it.
    int32_t IndicadorPorId(int32_t nId) const;

    // The built-in catalogue of start-up: water, sodium hydroxide and copper sulphate.
    static CCatalogo Inicial();

    // The four tables in file order (reactions, reagents, components, indicators), each as
    // a count and its records.
    void Escribir(CArchivo& ar) const;
    // Reads them into this (empty) catalogue; on a throw this catalogue is half-read and
    // must be thrown away. With bPlantilla, reading applies the template rules while it
    // reads: the solubility line of every component and the component of every indicator.
    // The identifiers of reactions and reagents are resolved afterwards with
    // ResolverPlantilla.
    void Leer(CArchivo& ar, bool bPlantilla);
    // Resolution of a template's identifiers after its tables are read: reaction slots and
    // catalysts, then reagent compositions.
    void ResolverPlantilla();

    bool Vacio() const {
        return m_componentes.empty() && m_reactivos.empty() && m_reacciones.empty() &&
               m_indicadores.empty();
    }
};

// An empty catalogue that never changes: what an interior bound to no practice looks up.
const CCatalogo& CatalogoVacio();
