// The four process-wide catalogue tables, addressed by index everywhere in the model.
#pragma once

#include "Componentes.h"
#include "Indicadores.h"
#include "Reacciones.h"
#include "Reactivos.h"

#include <cstdint>

class CArchivo;

// Each table is one array of records, created and destroyed as a whole, with its count.
// A component index equal to g_nComponentes stands for "no component".
extern CComponentes* g_pComponentes;
extern int32_t g_nComponentes;
extern CReactivos* g_pReactivos;
extern int32_t g_nReactivos;
extern CReacciones* g_pReacciones;
extern int32_t g_nReacciones;
extern CIndicadores* g_pIndicadores;
extern int32_t g_nIndicadores;

// The component at an index, or none outside the table. Every rule of the model looks its
// components up through here, so that a bad index or an empty catalogue does nothing.
inline const CComponentes* BuscarComponentePorIndice(int32_t n) {
    return (n >= 0 && n < g_nComponentes && g_pComponentes) ? &g_pComponentes[n] : nullptr;
}

// Index of the first component with the identifier; g_nComponentes when none matches,
// 0 when the table is empty.
int32_t BuscarComponente(int32_t nId);

// First reagent / indicator whose name is exactly the text; the table's count when none.
int32_t BuscarReactivo(const std::string& strNombre);
int32_t BuscarIndicador(const std::string& strNombre);

// Replaces the tables with new ones of the given sizes, default-constructed.
void DestruirCatalogo();
void CrearComponentes(int32_t n);
void CrearReactivos(int32_t n);
void CrearReacciones(int32_t n);
void CrearIndicadores(int32_t n);

// The built-in catalogue of start-up: water, sodium hydroxide and copper sulphate.
void CrearCatalogoInicial();

// Writes or reads the four tables in file order (reactions, reagents, components,
// indicators), each as a count and its records. Reading destroys the tables first. With
// bPlantilla, reading applies the template rules while it reads: the solubility line of
// every component and the component of every indicator. The identifiers of reactions and
// reagents are resolved afterwards with ResolverPlantilla.
void SerializarCatalogo(CArchivo& ar, bool bPlantilla);

// Resolution of a template's identifiers after its tables are read: reaction slots and
// catalysts, then reagent compositions.
void ResolverPlantilla();

// Holds the tables aside while a file is being read, so that a failed read can put the
// previous catalogue back. Taking leaves the global tables empty.
class CCatalogoGuardado {
public:
    CCatalogoGuardado() = default;
    ~CCatalogoGuardado();
    CCatalogoGuardado(const CCatalogoGuardado&) = delete;
    CCatalogoGuardado& operator=(const CCatalogoGuardado&) = delete;

    void Tomar();     // globals -> this (globals become empty)
    void Restaurar(); // this -> globals (the current globals are destroyed)
    void Descartar(); // destroys what is held

private:
    CComponentes* m_pComponentes = nullptr;
    int32_t m_nComponentes = 0;
    CReactivos* m_pReactivos = nullptr;
    int32_t m_nReactivos = 0;
    CReacciones* m_pReacciones = nullptr;
    int32_t m_nReacciones = 0;
    CIndicadores* m_pIndicadores = nullptr;
    int32_t m_nIndicadores = 0;
    bool m_bTomado = false;
};
