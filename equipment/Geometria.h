// The shape of every vessel, as one table: the size of its picture, its capacity, the mass
// of the empty glass, the line of its bottom, where its label goes, and the level profile
// that turns a volume into the y of the contents' surface in the picture. The pictures'
// graduation marks are drawn where these profiles put their volumes.
#pragma once

#include "equipment/TiposEquipo.h"

#include <QRect>

#include <array>
#include <cstdint>

// One stretch of a level profile: y = dBase − (dPendiente · (v − dDesde) − dAjuste) for the
// volumes up to dHasta. The two offsets stay apart, as the profiles were drawn: "89 − 0.75 v"
// rounds otherwise than "88 − (0.75 v − 1)" at some volumes, and a level one pixel off
// would part the liquid from its mark.
struct CTramoNivel {
    double dHasta = 0.0;
    double dBase = 0.0;
    double dPendiente = 0.0;
    double dDesde = 0.0;
    double dAjuste = 0.0;
};

struct CPerfilNivel {
    // What a volume past the profile shows: the vessel's nLleno (its top, or the level the
    // glass keeps when it overflows).
    enum class Tope : uint8_t {
        Ninguno,        // no end: the last stretch takes every volume
        SobreCapacidad, // a volume above the capacity
        DesdeCapacidad, // a volume at the capacity or above it
        TrasLosTramos,  // a volume past the last stretch's dHasta
    };
    Tope eTope = Tope::Ninguno;
    int32_t nLleno = 0;
    int nTramos = 0; // none: the level is nLleno, whatever the volume
    std::array<CTramoNivel, 5> aTramos{};

    // The y of a surface at the volume v in a vessel of that capacity.
    int32_t Y(double v, double dCapacidad) const;
};

struct CGeometria {
    TipoEquipo eTipo;
    int32_t cx, cy;    // the picture's size
    double dCapacidad; // millilitres
    double dMasaVacio; // grams of the empty glass, as the balance weighs it
    int32_t nFondo;    // y of the inside of the bottom
    QRect rcEtiqueta;  // where a label is written; none when the glass has no room for one
    CPerfilNivel perfil;
};

// The row of a vessel type; none for a type that is not a vessel.
const CGeometria* GeometriaDe(TipoEquipo eTipo);
