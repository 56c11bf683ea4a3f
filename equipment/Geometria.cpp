#include "equipment/Geometria.h"

#include "equipment/Dibujo.h"

namespace {

using T = TipoEquipo;
using Tope = CPerfilNivel::Tope;
using Dibujo::RectLTRB;

// A straight profile, y = dBase − (dPendiente · v − dAjuste); past the capacity, when the
// tope says so, the top of the picture.
constexpr CPerfilNivel Recto(Tope eTope, double dBase, double dPendiente, double dAjuste = 1.0) {
    return {eTope, 0, 1, {CTramoNivel{0.0, dBase, dPendiente, 0.0, dAjuste}}};
}
// A level that does not move: a piece whose contents are never drawn over its glass.
constexpr CPerfilNivel Fijo(int32_t nY) {
    return {Tope::Ninguno, nY, 0, {}};
}

// The sizes and levels are those of the pictures (res/pictures), pixel for pixel; the
// masses of the empty glass are the program's own. Profiles that widen towards the bottom
// (flasks, the volumetric pipette's bulb) go in stretches.
const std::array kGeometrias = {
    CGeometria{T::Vaso100, 78, 92, 100, 65, 88, RectLTRB(26, 64, 43, 75),
               Recto(Tope::SobreCapacidad, 88, 0.75)},
    CGeometria{T::Vaso250, 86, 102, 250, 75, 97, RectLTRB(26, 66, 44, 77),
               Recto(Tope::SobreCapacidad, 97, 0.34)},
    CGeometria{T::Vaso600, 113, 99, 600, 95, 94, RectLTRB(26, 65, 43, 76),
               Recto(Tope::SobreCapacidad, 94, 0.135)},
    CGeometria{T::Erlenmeyer100,
               75,
               109,
               100,
               50,
               103,
               RectLTRB(20, 69, 37, 79),
               {Tope::TrasLosTramos,
                5,
                4,
                {CTramoNivel{25, 103, 0.16}, CTramoNivel{50, 100, 0.52, 25},
                 CTramoNivel{75, 88, 0.76, 50}, CTramoNivel{100, 70, 1.12, 75}}}},
    CGeometria{T::Erlenmeyer250,
               83,
               125,
               250,
               75,
               119,
               RectLTRB(17, 90, 34, 100),
               {Tope::TrasLosTramos,
                5,
                5,
                {CTramoNivel{50, 119, 0.08}, CTramoNivel{100, 116, 0.2, 50},
                 CTramoNivel{150, 107, 0.32, 100}, CTramoNivel{200, 92, 0.44, 150},
                 CTramoNivel{250, 71, 0.56, 200}}}},
    CGeometria{T::MatrazBalon, 80, 110, 250, 75, 105, RectLTRB(46, 75, 63, 86),
               Recto(Tope::DesdeCapacidad, 105, 0.404)},
    CGeometria{T::Probeta10, 36, 118, 10, 25, 113, {}, Recto(Tope::SobreCapacidad, 113, 10)},
    CGeometria{T::Probeta100, 42, 211, 100, 50, 206, {}, Recto(Tope::SobreCapacidad, 206, 2)},
    CGeometria{T::TuboEnsaye, 25, 102, 50, 15, 97, RectLTRB(5, 51, 18, 62),
               Recto(Tope::Ninguno, 97, 1.84)},
    CGeometria{T::VidrioReloj, 75, 30, 50, 15, 22, {}, Recto(Tope::SobreCapacidad, 22, 0.42)},
    // Deliberate: the crucible's surface is reckoned from y 27, four pixels above its bottom
    // line.
    CGeometria{T::Crisol, 88, 50, 100, 25, 31, {}, Recto(Tope::SobreCapacidad, 27, 0.52)},
    // The calorimeter keeps its level at the top of its picture, whatever it holds.
    CGeometria{T::Calorimetro, 55, 98, 500, 75, 0, {}, Fijo(0)},
    CGeometria{T::MatrazGases, 80, 135, 300, 90, 130, {}, Recto(Tope::DesdeCapacidad, 130, 0.356)},
    // The gas collectors hold only gas, which they draw themselves: like the calorimeter's,
    // their level never moves and their contents are never painted.
    CGeometria{T::JeringaGases, 376, 60, 100, 80, 0, {}, Fijo(0)},
    CGeometria{T::Eudiometro, 170, 250, 100, 400, 0, {}, Fijo(0)},
    // Burettes read downwards from the zero mark at y 20; a burette never overflows.
    CGeometria{T::Bureta10, 30, 250, 10, 15, 220, RectLTRB(8, 7, 20, 16),
               Recto(Tope::Ninguno, 220, 20, 0)},
    CGeometria{T::Bureta50, 30, 250, 50, 25, 247, RectLTRB(8, 7, 20, 16),
               Recto(Tope::Ninguno, 220, 4, 0)},
    CGeometria{
        T::PipetaGraduada,
        17,
        176,
        10,
        5,
        174,
        {},
        {Tope::TrasLosTramos, 174, 2, {CTramoNivel{1, 174, 20}, CTramoNivel{10.1, 154, 15, 1}}}},
    // The tip, the bulb and the stem above the mark.
    CGeometria{T::PipetaVolumetrica,
               13,
               181,
               10,
               5,
               179,
               {},
               {Tope::TrasLosTramos,
                179,
                3,
                {CTramoNivel{1, 179, 96}, CTramoNivel{9.5, 96, 5.8823, 1},
                 CTramoNivel{10.1, 46, 38, 8.5}}}},
    CGeometria{T::CabezaDestilacion, 83, 217, 10, 15, 188, {}, Fijo(134)},
    CGeometria{T::Condensador, 190, 91, 10, 25, 76, {}, Recto(Tope::Ninguno, 76, 10)},
    CGeometria{T::CodoDestilacion, 66, 83, 10, 10, 65, {}, Fijo(52)},
    // Deliberate: the filter's level is its width, below its own picture, so its contents are
    // never drawn (the liquid shows in the flask under it); the filter is not a window.
    CGeometria{T::FiltroBuchner, 56, 58, 80, 50, 0, {}, Fijo(56)},
    CGeometria{T::TuboVidrio, 154, 120, 10, 15, 22, {}, Fijo(1)},
    CGeometria{T::CondensadorReflujo, 84, 175, 30, 45, 154, {}, Recto(Tope::Ninguno, 154, 4.4)},
};

// Truncation of a level, clamped first: a level far off the picture (or not a number) must
// not overflow the conversion.
int32_t Truncar(double d) {
    if (!(d > -1.0e6))
        return -1'000'000;
    return static_cast<int32_t>(std::min(d, 1.0e6));
}

} // namespace

int32_t CPerfilNivel::Y(double v, double dCapacidad) const {
    if ((eTope == Tope::SobreCapacidad && v > dCapacidad) ||
        (eTope == Tope::DesdeCapacidad && v >= dCapacidad))
        return nLleno;
    for (int i = 0; i < nTramos; ++i) {
        const CTramoNivel& t = aTramos[static_cast<size_t>(i)];
        // The last stretch of a profile that ends at the capacity (or not at all) takes every
        // volume left, a volume that is not a number too.
        const bool bResto = i + 1 == nTramos && eTope != Tope::TrasLosTramos;
        if (bResto || v <= t.dHasta)
            return Truncar(t.dBase - (t.dPendiente * (v - t.dDesde) - t.dAjuste));
    }
    return nLleno;
}

const CGeometria* GeometriaDe(TipoEquipo eTipo) {
    for (const CGeometria& g : kGeometrias)
        if (g.eTipo == eTipo)
            return &g;
    return nullptr;
}
