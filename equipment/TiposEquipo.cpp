#include "equipment/TiposEquipo.h"

#include "equipment/Calentadores.h"
#include "equipment/Calorimetro.h"
#include "equipment/Destilacion.h"
#include "equipment/Erlenmeyer250.h"
#include "equipment/Gases.h"
#include "equipment/Imagenes.h"
#include "equipment/Instrumentos.h"
#include "equipment/Recipientes.h"
#include "equipment/Vasos.h"

#include <array>

namespace {

template <class T> CEquipo* Crear() {
    return new T;
}

using T = TipoEquipo;
using namespace Imagenes;
constexpr int32_t R = CATEGORIA_RECIPIENTE;
constexpr int32_t C = CATEGORIA_CALENTADOR;
constexpr int32_t I = CATEGORIA_INSTRUMENTO;
// The submenus' titles, with their access keys (one letter each within "Equipo").
constexpr const char* kVasos = "Va&sos de precipitados";
constexpr const char* kErlenmeyer = "Matraces &Erlenmeyer";
constexpr const char* kBuretas = "&Buretas";
constexpr const char* kProbetas = "Pr&obetas";
constexpr const char* kPipetas = "P&ipetas";
constexpr const char* kMedicion = "Equipo de Me&dición";
constexpr const char* kTermico = "Eq&uipo térmico";
constexpr const char* kGases = "Medida de &gases";

// The names and prompts are the program's own, spellings included ("presipitados",
// "relog", "Inserat", "Phmitro", "Take Off"): saved practices and the help show them so.
const std::array kTipos = {
    CTipoEquipo{T::Vaso100, Crear<CVaso100>, "Vaso de presipitados 100 ml", IDB_VASO100, R,
                ID_EQUIPO_VASO100, kVasos, false, "&100 ml",
                "Inserta en el laboratorio un vaso de precipitados de 100 ml\nVaso pp 100 ml",
                nullptr},
    CTipoEquipo{T::Vaso250, Crear<CVaso250>, "Vaso de presipitados 250 ml", IDB_VASO250, R,
                ID_EQUIPO_VASO250, kVasos, false, "&250 ml",
                "Inserta en el laboratorio un vaso de precipitados de 250 ml\nVaso pp 250 ml",
                "vaso250"},
    CTipoEquipo{T::Vaso600, Crear<CVaso600>, "Vaso de presipitados 600 ml", IDB_VASO600, R,
                ID_EQUIPO_VASO600, kVasos, false, "&600 ml",
                "Inserta en el laboratorio un vaso de precipitados de 600 ml\nVaso pp 600 ml",
                nullptr},
    CTipoEquipo{T::Erlenmeyer100, Crear<CErlenmeyer100>, "Matraz Erlenmeyer 100 ml",
                IDB_ERLENMEYER100, R, ID_EQUIPO_ERLENMEYER100, kErlenmeyer, false, "&100 ml",
                "Inserta en el laboratorio un matraz erlenmeyer de 100 ml\nMatraz 100 ml", nullptr},
    CTipoEquipo{T::Erlenmeyer250, Crear<CErlenmeyer250>, "Matraz Erlenmeyer 250 ml",
                IDB_ERLENMEYER250, R, ID_EQUIPO_ERLENMEYER250, kErlenmeyer, false, "&250 ml",
                "Inserta en el laboratorio un matraz erlenmeyer de 250 ml\nMatraz 250 ml",
                "erlenmeyer250"},
    CTipoEquipo{T::MatrazBalon, Crear<CMatrazBalon>, "Matraz de balón 250 ml", IDB_MATRAZ_BALON, R,
                ID_EQUIPO_MATRAZ_BOLA, nullptr, false, "&Matraz bola",
                "Inserta un matraz bola en el laboratorio\nMatraz bola", "matrazbola"},
    CTipoEquipo{T::MatrazGases, Crear<CMatrazGases>, "Matraz para reacciones entre gases",
                IDB_MATRAZ_GASES, R, ID_EQUIPO_REACTOR, nullptr, false, "&Reactor",
                "Inserta un matraz para reacciones entre gases en el laboratorio\nMatraz gases",
                "matrazgases"},
    CTipoEquipo{T::Bureta50, Crear<CBureta50>, "Bureta de 50 ml", IDB_BURETA50, R,
                ID_EQUIPO_BURETA50, kBuretas, false, "Bureta de &50 ml",
                "Inserta en el laboratorio una bureta de 50 ml\nBureta de 50 ml", "bureta50"},
    CTipoEquipo{T::Bureta10, Crear<CBureta10>, "Bureta de 10 ml", IDB_BURETA10, R,
                ID_EQUIPO_BURETA10, kBuretas, false, "Bureta de &10 ml",
                "Inserta en el laboratorio una bureta de 10 ml\nBureta de 10 ml", nullptr},
    CTipoEquipo{T::Probeta10, Crear<CProbeta10>, "Probeta 10 ml", IDB_PROBETA10, R,
                ID_EQUIPO_PROBETA10, kProbetas, false, "&10 ml",
                "Inserta en el laboratorio una probeta de 10 ml\nProbeta 10 ml", nullptr},
    CTipoEquipo{T::Probeta100, Crear<CProbeta100>, "Probeta 100 ml", IDB_PROBETA100, R,
                ID_EQUIPO_PROBETA100, kProbetas, false, "10&0 ml",
                "Inserta en el laboratorio una probeta de 100 ml\nProbeta 100 ml", nullptr},
    CTipoEquipo{T::PipetaVolumetrica, Crear<CPipetaVolumetrica>, "Pipeta volumetrica 10 ml",
                IDB_PIPETA_VOLUMETRICA, R, ID_EQUIPO_PIPETA_VOLUMETRICA, kPipetas, false,
                "&Volumetrica de 10 ml",
                "Inserta en el laboratorio una pipeta volumétrica de 10 ml\nPipeta volumétrica "
                "de 10 ml",
                "pipetavolumetrica"},
    CTipoEquipo{T::PipetaGraduada, Crear<CPipetaGraduada>, "Pipeta graduada 10 ml",
                IDB_PIPETA_GRADUADA, R, ID_EQUIPO_PIPETA_GRADUADA, kPipetas, false,
                "&Graduada de 10 ml",
                "Inserta en el laboratorio una pipeta graduada de 10 ml\nPipeta graduada de 10 ml",
                nullptr},
    CTipoEquipo{T::TuboEnsaye, Crear<CTuboEnsaye>, "Tubo de ensaye de 50 ml", IDB_TUBO_ENSAYE, R,
                ID_EQUIPO_TUBO_ENSAYE, nullptr, false, "&Tubo de ensaye",
                "Inserta en el laboratorio un tubo de ensaye\nTubo de ensaye", "tuboensaye"},
    CTipoEquipo{T::PHmetro, Crear<CPHmetro>, "Phmitro", IDB_PHMETRO, I, ID_EQUIPO_PHMETRO,
                kMedicion, true, "p&Hmetro", "Inserta en el laboratorio un pHmetro\npHmetro",
                "phmetro"},
    CTipoEquipo{T::Termometro, Crear<CTermometro>, "Termometro", IDB_TERMOMETRO, I,
                ID_EQUIPO_TERMOMETRO, kMedicion, false, "&Termómetro",
                "Inserta en el laboratorio un termometro\nTermómetro", "termometro"},
    CTipoEquipo{T::Conductimetro, Crear<CConductimetro>, "Conductimetro", IDB_CONDUCTIMETRO, I,
                ID_EQUIPO_CONDUCTIMETRO, kMedicion, false, "&Conductímetro",
                "Inserta en el laboratorio un conductimetro\nConductímetro", nullptr},
    CTipoEquipo{T::Balanza, Crear<CBalanza>, "Balanza", IDB_BALANZA, I, ID_EQUIPO_BALANZA,
                kMedicion, false, "&Balanza", "Inserta en el laboratorio una balanza\nBalanza",
                "balanza"},
    CTipoEquipo{T::TermometroDigital, Crear<CTermometroDigital>, "Termómetro digital",
                IDB_TERMOMETRO_DIGITAL, I, ID_EQUIPO_TERMOMETRO_DIGITAL, kMedicion, false,
                "Termómetro &digital",
                "Inserta en el laboratorio un termómetro digital, que lee a la décima de grado\n"
                "Termómetro digital",
                nullptr},
    CTipoEquipo{T::Cronometro, Crear<CCronometro>, "Cronómetro", IDB_CRONOMETRO, I,
                ID_EQUIPO_CRONOMETRO, kMedicion, false, "C&ronómetro",
                "Inserta en el laboratorio un cronómetro, que cuenta el tiempo de la "
                "simulación\nCronómetro",
                nullptr},
    CTipoEquipo{T::JeringaGases, Crear<CJeringaGases>, "Jeringa de gases 100 ml", IDB_JERINGA_GASES,
                R, ID_EQUIPO_JERINGA_GASES, kGases, true, "&Jeringa de gases 100 ml",
                "Inserta en el laboratorio una jeringa de gases de 100 ml, que recoge el gas "
                "de un tubo de desprendimiento\nJeringa de gases",
                nullptr},
    CTipoEquipo{T::Eudiometro, Crear<CEudiometro>, "Tubo graduado sobre agua 100 ml",
                IDB_EUDIOMETRO, R, ID_EQUIPO_EUDIOMETRO, kGases, false, "&Tubo graduado sobre agua",
                "Inserta en el laboratorio un tubo graduado de 100 ml invertido en una cuba "
                "de agua, que recoge el gas de un tubo de desprendimiento\nTubo graduado "
                "sobre agua",
                nullptr},
    CTipoEquipo{T::Mechero, Crear<CMechero>, "Mechero Bunsen", IDB_MECHERO, C, ID_EQUIPO_MECHERO,
                kTermico, false, "&Mechero Bunsen",
                "Inserta en el laboratorio un mechero bunsen\nMechero", nullptr},
    CTipoEquipo{T::Parrilla, Crear<CParrilla>, "Parrilla", IDB_PARRILLA, C, ID_EQUIPO_PARRILLA,
                kTermico, false, "&Parrilla", "Inserta en el laboratorio una parrilla\nParrilla",
                "parrilla"},
    CTipoEquipo{T::BanoHielo, Crear<CBanoHielo>, "Baño de hielo", IDB_BANO_HIELO, C,
                ID_EQUIPO_BANO_HIELO, kTermico, false, "&Baño de hielo",
                "Inserta en el laboratorio un baño de hielo\nBaño de hielo", nullptr},
    CTipoEquipo{T::Agitador, Crear<CAgitador>, "Agitador", IDB_AGITADOR, I, ID_EQUIPO_AGITADOR,
                nullptr, false, "&Agitador de vidrio",
                "Inserta en el laboratorio un Agitador\nAgitador", "agitador"},
    CTipoEquipo{T::VidrioReloj, Crear<CVidrioReloj>, "Vidrio de relog 50 ml", IDB_VIDRIO_RELOJ, R,
                ID_EQUIPO_VIDRIO_RELOJ, nullptr, false, "&Vidrio de reloj",
                "Inserat en el laboratorio un vidrio de relog de 50 ml\nVidrio de relog", nullptr},
    CTipoEquipo{T::Crisol, Crear<CCrisol>, "Crisol de porcelana", IDB_CRISOL, R, ID_EQUIPO_CAPSULA,
                nullptr, false, "Cápsula de &porcelana",
                "Inserta en el laboratorio una cápsula de porcelana\nCápsula de porcelana",
                nullptr},
    CTipoEquipo{T::Calorimetro, Crear<CCalorimetro>, "Calorimetro", IDB_CALORIMETRO, R,
                ID_EQUIPO_CALORIMETRO, nullptr, false, "&Calorímetro",
                "Inserta en el laboratorio un calorímetro\nCalorímetro", nullptr},
    // Assembly pieces: mounted from their parent's menu, never from the palette.
    CTipoEquipo{T::CabezaDestilacion, Crear<CCabezaDestilacion>, "Cabeza de destilación",
                IDB_CABEZA, R, 0, nullptr, false, nullptr, nullptr, nullptr},
    CTipoEquipo{T::Condensador, Crear<CCondensador>, "Condensador", IDB_CONDENSADOR, R, 0, nullptr,
                false, nullptr, nullptr, nullptr},
    CTipoEquipo{T::CodoDestilacion, Crear<CCodoDestilacion>, "Take Off", IDB_CODO, R, 0, nullptr,
                false, nullptr, nullptr, nullptr},
    CTipoEquipo{T::FiltroBuchner, Crear<CFiltroBuchner>, "Filtro Buchner", IDB_FILTRO, R, 0,
                nullptr, false, nullptr, nullptr, nullptr},
    CTipoEquipo{T::TuboVidrio, Crear<CTuboVidrio>, "Tubo de vidrio", IDB_TUBO_DERECHA, R, 0,
                nullptr, false, nullptr, nullptr, nullptr},
    CTipoEquipo{T::TapaCalorimetro, Crear<CTapaCalorimetro>, "Tapa calorímetro", IDB_TAPA, I, 0,
                nullptr, false, nullptr, nullptr, nullptr},
    CTipoEquipo{T::CondensadorReflujo, Crear<CCondensadorReflujo>, "Condensador de reflujo",
                IDB_REFLUJO, R, 0, nullptr, false, nullptr, nullptr, nullptr},
};

} // namespace

std::span<const CTipoEquipo> TiposEquipo() {
    return kTipos;
}

const CTipoEquipo* BuscarTipo(int32_t nCodigo) {
    for (const CTipoEquipo& t : kTipos)
        if (t.Codigo() == nCodigo)
            return &t;
    return nullptr;
}

const CTipoEquipo* BuscarTipoPorOrden(int nIdOrden) {
    for (const CTipoEquipo& t : kTipos)
        if (nIdOrden != 0 && t.nIdOrden == nIdOrden)
            return &t;
    return nullptr;
}
