// Command identifiers of the equipment pop-up menus, and one entry of such a menu.
#pragma once

#include <string>
#include <vector>

enum : int {
    ID_CONDENSADOR_REFLUJO = 1090,
    ID_CODO_DESTILACION = 1091,
    ID_CONDENSADOR = 1092,
    ID_CABEZA_DESTILACION = 1093,
    ID_ELIMINAR_REFLUJO = 1098,
    ID_TARAR = 1099,
    ID_DESTAPAR_CALORIMETRO = 1100,
    ID_TAPAR_CALORIMETRO = 1101,
    ID_ELIMINAR_TUBO = 1102,
    ID_TUBO_DESPRENDIMIENTO = 1103,
    ID_ELIMINAR_DESTILACION = 1104,
    ID_APAGAR = 1105,
    ID_NIVEL5 = 1106,
    ID_NIVEL4 = 1107,
    ID_NIVEL3 = 1108,
    ID_NIVEL2 = 1109,
    ID_NIVEL1 = 1110,
    ID_ELIMINAR_EMBUDO = 1111,
    ID_EMBUDO_BUCHNER = 1112,
    ID_VACIAR_EN = 1113,
    ID_LLENAR_DESDE = 1114,
    ID_TITULAR = 1117,
    ID_PROPIEDADES = 1118,
    ID_AGREGAR_INDICADOR = 1119,
    ID_AGREGAR_AGUA = 1120,
    ID_AGREGAR_REACTIVO = 1121,
    ID_ELIMINAR_CONTENIDO = 1122,
    ID_ELIMINAR = 1123,
};

// An entry of a pop-up menu as the items describe it; command 0 is a separator.
struct CEntradaMenu {
    int m_nComando = 0;
    std::string m_strTexto;
    bool m_bMarcada = false; // shown with a check mark: the state the item is in
    bool EsSeparador() const { return m_nComando == 0; }
    bool operator==(const CEntradaMenu&) const = default;
};

using CMenu = std::vector<CEntradaMenu>;

// What a menu command needs from the student before it runs; the bench view shows the
// dialog that gathers it and hands the answer to the item.
struct CPeticion {
    enum class Tipo {
        Nada,       // runs as it is
        Confirmar,  // a Sí/No question (m_strPregunta); No leaves everything as it was
        Mililitros, // how many millilitres, up to m_dMaximo
        Salida,     // the side of a delivery tube's outlet
        Agua,       // water to add, in a vessel of m_dMaximo ml holding m_dOcupado
        Reactivo,   // a reagent of the practice and its amount
        Indicador   // an indicator of the practice and its drops
    };
    Tipo m_eTipo = Tipo::Nada;
    std::string m_strPregunta;
    double m_dMaximo = 0.0;
    double m_dOcupado = 0.0;
};

// The student's answer: an amount, a catalogue index or an option.
struct CArgumento {
    double m_dCantidad = 0.0;
    int m_nIndice = 0;
    int m_nOpcion = 0;
};

// How a command ended on an item.
enum class ResultadoComando {
    NoEsSuyo, // not a command of this item: the windows above may take it
    Hecho,    // it changed the item or the bench
    NoCabe,   // what was to be added does not fit ("La cantidad requerida no cabe…")
    SinEfecto // a command of its own that found nothing to act on
};

// Texts the equipment layer hands to the windows for their message boxes.
inline constexpr const char* kTextoNoCabe = "La cantidad requerida no cabe en el equipo";
inline constexpr const char* kTextoPrecipitado =
    "El filtro tiene un presipitado, ¿Desea eliminarlo de cualquier forma?";
