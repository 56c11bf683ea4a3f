#include "equipment/Enfriamiento.h"

#include "model/Seno.h"

double ConductanciaDe(TipoEquipo eTipo) {
    switch (eTipo) {
    case TipoEquipo::Vaso100:
    case TipoEquipo::Erlenmeyer100:
    case TipoEquipo::Probeta100:
        return 0.08;
    case TipoEquipo::Vaso600:
        return 0.25;
    case TipoEquipo::Probeta10:
    case TipoEquipo::TuboEnsaye:
    case TipoEquipo::Bureta10:
    case TipoEquipo::Bureta50:
    case TipoEquipo::PipetaGraduada:
    case TipoEquipo::PipetaVolumetrica:
        return 0.03;
    case TipoEquipo::VidrioReloj:
    case TipoEquipo::Crisol:
        return 0.05;
    case TipoEquipo::Calorimetro:
        return kConductanciaCalorimetroAbierto;
    default:
        return kConductanciaVaso250;
    }
}
