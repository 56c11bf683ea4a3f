// The types of bench item: their codes (the numbers a practice file stores) and the one
// table that says, for each, how it is made, what it is called, which picture it draws,
// where it sits in the palette and the "Equipo" menu, and what its menu entry says.
// Adding an item type is a row here plus its class.
#pragma once

#include <cstdint>
#include <span>

class CEquipo;

enum class TipoEquipo : int32_t {
    Vaso100 = 1,
    Vaso250 = 2,
    Vaso600 = 3,
    Erlenmeyer100 = 4,
    Erlenmeyer250 = 5,
    MatrazBalon = 6,
    Probeta10 = 7,
    Probeta100 = 8,
    TuboEnsaye = 9,
    VidrioReloj = 10,
    Crisol = 11,
    Calorimetro = 12,
    MatrazGases = 13,
    JeringaGases = 14,
    Eudiometro = 15,
    Bureta10 = 20,
    Bureta50 = 21,
    PipetaGraduada = 22,
    PipetaVolumetrica = 23,
    CabezaDestilacion = 30,
    Condensador = 31,
    CodoDestilacion = 32,
    FiltroBuchner = 33,
    TuboVidrio = 34,
    TapaCalorimetro = 35,
    CondensadorReflujo = 36,
    Mechero = 40,
    Parrilla = 41,
    Agitador = 42,
    Termometro = 43,
    PHmetro = 44,
    Balanza = 45,
    Conductimetro = 46,
    BanoHielo = 47,
    TermometroDigital = 48,
    Cronometro = 49,
};

// The commands that insert an item, as the frame's menus and toolbar know them.
enum : int {
    ID_EQUIPO_VASO250 = 32771,
    ID_EQUIPO_VASO100 = 32772,
    ID_EQUIPO_VASO600 = 32773,
    ID_EQUIPO_MECHERO = 32776,
    ID_EQUIPO_TERMOMETRO = 32777,
    ID_EQUIPO_AGITADOR = 32778,
    ID_EQUIPO_PHMETRO = 32781,
    ID_EQUIPO_BURETA50 = 32782,
    ID_EQUIPO_BURETA10 = 32783,
    ID_EQUIPO_MATRAZ_BOLA = 32787,
    ID_EQUIPO_ERLENMEYER100 = 32788,
    ID_EQUIPO_ERLENMEYER250 = 32789,
    ID_EQUIPO_PROBETA10 = 32790,
    ID_EQUIPO_PROBETA100 = 32791,
    ID_EQUIPO_PIPETA_VOLUMETRICA = 32792,
    ID_EQUIPO_PIPETA_GRADUADA = 32793,
    ID_EQUIPO_CONDUCTIMETRO = 32794,
    ID_EQUIPO_PARRILLA = 32795,
    ID_EQUIPO_TUBO_ENSAYE = 32796,
    ID_EQUIPO_BALANZA = 32799,
    ID_EQUIPO_VIDRIO_RELOJ = 32800,
    ID_EQUIPO_CAPSULA = 32801,
    ID_EQUIPO_CALORIMETRO = 32802,
    ID_EQUIPO_BANO_HIELO = 32803,
    ID_EQUIPO_REACTOR = 32804,
    // Clear of the frame's own commands, which run on from 32805.
    ID_EQUIPO_JERINGA_GASES = 32870,
    ID_EQUIPO_EUDIOMETRO = 32871,
    ID_EQUIPO_TERMOMETRO_DIGITAL = 32872,
    ID_EQUIPO_CRONOMETRO = 32873,
};

struct CTipoEquipo {
    TipoEquipo eTipo;
    CEquipo* (*fnCrear)(); // a new item at the insertion point
    const char* pszNombre; // the item's own name (properties window, command-line tool)
    int nRecurso;          // its picture
    int32_t nCategoria;    // vessel, heat source or instrument
    // The "Equipo" menu and the palette; an assembly piece has no entry (nIdOrden 0): it
    // is mounted from its parent's menu.
    int nIdOrden;
    const char* pszSubmenu;    // the submenu the entry sits in (its title, with its access
                               // key), none at the top level
    bool bSeparadorAntes;      // a separator goes before the entry (or its submenu)
    const char* pszMenu;       // the entry's text, with its access key
    const char* pszIndicacion; // status-bar prompt "\n" tool tip
    const char* pszIcono;      // toolbar picture, none when the type has no button

    int32_t Codigo() const { return static_cast<int32_t>(eTipo); }
};

// Every type, the menu's in menu order first, then the assembly pieces.
std::span<const CTipoEquipo> TiposEquipo();
// The row of a file's type code; none for a code no type has.
const CTipoEquipo* BuscarTipo(int32_t nCodigo);
const CTipoEquipo* BuscarTipoPorOrden(int nIdOrden);
