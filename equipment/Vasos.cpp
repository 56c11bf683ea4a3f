#include "equipment/Vasos.h"

#include "equipment/Dibujo.h"
#include "equipment/Imagenes.h"

using Dibujo::RectLTRB;

CVaso100::CVaso100() {
    Iniciar(TipoEquipo::Vaso100, 78, 92, 100, 65, 88, RectLTRB(26, 64, 43, 75));
}
int32_t CVaso100::GetLevelY(double v) {
    v = ConReserva(v);
    return v > 100 ? 0 : Nivel(88 - (0.75 * v - 1));
}

CVaso250::CVaso250() {
    Iniciar(TipoEquipo::Vaso250, 86, 102, 250, 75, 97, RectLTRB(26, 66, 44, 77));
}
int32_t CVaso250::GetLevelY(double v) {
    v = ConReserva(v);
    return v > 250 ? 0 : Nivel(97 - (0.34 * v - 1));
}

CVaso600::CVaso600() {
    Iniciar(TipoEquipo::Vaso600, 113, 99, 600, 95, 94, RectLTRB(26, 65, 43, 76));
}
int32_t CVaso600::GetLevelY(double v) {
    v = ConReserva(v);
    return v > 600 ? 0 : Nivel(94 - (0.135 * v - 1));
}

CErlenmeyer100::CErlenmeyer100() {
    Iniciar(TipoEquipo::Erlenmeyer100, 75, 109, 100, 50, 103, RectLTRB(20, 69, 37, 79));
}
int32_t CErlenmeyer100::GetLevelY(double v) {
    v = ConReserva(v);
    if (v <= 25)
        return Nivel(103 - 0.16 * v);
    if (v <= 50)
        return Nivel(100 - 0.52 * (v - 25));
    if (v <= 75)
        return Nivel(88 - 0.76 * (v - 50));
    if (v <= 100)
        return Nivel(70 - 1.12 * (v - 75));
    return 5;
}

CProbeta10::CProbeta10() {
    Iniciar(TipoEquipo::Probeta10, 36, 118, 10, 25, 113);
}
int32_t CProbeta10::GetLevelY(double v) {
    v = ConReserva(v);
    return v > 10 ? 0 : Nivel(113 - (10 * v - 1));
}

CProbeta100::CProbeta100() {
    Iniciar(TipoEquipo::Probeta100, 42, 211, 100, 50, 206);
}
int32_t CProbeta100::GetLevelY(double v) {
    v = ConReserva(v);
    return v > 100 ? 0 : Nivel(206 - (2 * v - 1));
}

CTuboEnsaye::CTuboEnsaye() {
    Iniciar(TipoEquipo::TuboEnsaye, 25, 102, 50, 15, 97, RectLTRB(5, 51, 18, 62));
}
int32_t CTuboEnsaye::GetLevelY(double v) {
    v = ConReserva(v);
    return Nivel(97 - (1.84 * v - 1));
}

CVidrioReloj::CVidrioReloj() {
    Iniciar(TipoEquipo::VidrioReloj, 75, 30, 50, 15, 22);
}
int32_t CVidrioReloj::GetLevelY(double v) {
    v = ConReserva(v);
    return v > 50 ? 0 : Nivel(22 - (0.42 * v - 1));
}

CCrisol::CCrisol() {
    Iniciar(TipoEquipo::Crisol, 88, 50, 100, 25, 31);
}
int32_t CCrisol::GetLevelY(double v) {
    v = ConReserva(v);
    return v > 100 ? 0 : Nivel(27 - (0.52 * v - 1));
}
