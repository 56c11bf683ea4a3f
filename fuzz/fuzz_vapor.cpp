// The vapour equilibrium on whatever numbers a file or an editor could give it: Antoine's
// constants, molar volumes, Wilson's energies, mole fractions and the pressure read raw from
// the bytes. The bubble point must end within its bounds with a finite vapour whose fractions
// lie between 0 and 1, and a vessel whose water and salt carry such data must keep finite
// readings however it is heated.
#include "Comun.h"
#include "model/Catalogo.h"
#include "model/Seno.h"
#include "model/Vapor.h"

#include <cmath>
#include <cstring>

namespace {

using fuzz::Lector;

CDisolucionDatos Datos(Lector& l) {
    CDisolucionDatos d;
    for (double& x : d.m_antoine)
        x = l.Tomar<double>();
    d.m_dVolumenMolar = l.Tomar<double>();
    d.m_dVantHoff = l.Tomar<double>();
    return d;
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    fuzz::Iniciar();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* p, size_t n) {
    Lector l(p, n);
    const double dPresion = l.Tomar<double>();
    std::array<CDisolucionDatos, Vapor::kMaxComponentes> datos;
    Vapor::Liquido liq;
    liq.n = l.Tomar<uint8_t>() % (Vapor::kMaxComponentes + 2) - 1; // also -1 and too many
    for (size_t i = 0; i < datos.size(); ++i) {
        datos[i] = Datos(l);
        liq.d[i] = &datos[i];
        liq.x[i] = l.Tomar<double>();
        for (size_t j = 0; j < datos.size(); ++j) {
            liq.a[i][j] = l.Tomar<float>();
            liq.bPar[i][j] = (l.Tomar<uint8_t>() & 1) != 0;
        }
    }
    const Vapor::Burbuja b = Vapor::PuntoBurbuja(liq, dPresion);
    if (!std::isfinite(b.dTemperatura) ||
        !(b.dTemperatura >= Vapor::kTMinima - Vapor::kCeroCelsius - 1e-9) ||
        !(b.dTemperatura <= Vapor::kTMaxima - Vapor::kCeroCelsius + 1e-9))
        fuzz::Fallo("el punto de burbuja no es un número dentro de sus límites");
    for (double y : b.y)
        if (!std::isfinite(y) || y < 0.0 || y > 1.0 + 1e-12)
            fuzz::Fallo("una fracción del vapor que no es un número entre 0 y 1");

    // The same data on the water and the other components of a catalogue, the first pair
    // with Wilson's energies, and a vessel heated and cooled as the bytes say.
    CCatalogo cat = CCatalogo::Inicial();
    for (size_t i = 0; i < cat.m_componentes.size() && i < datos.size(); ++i)
        cat.m_componentes[i].m_disolucion = datos[i];
    cat.m_paresVapor.push_back({0, 1, liq.a[0][1], liq.a[1][0]});
    CSeno s(&cat);
    while (l.Queda()) {
        const int32_t nComp = l.Tomar<uint8_t>() % (cat.NumComponentes() + 1);
        const double dCantidad = l.Tomar<double>();
        s.m_faseLiquida.Agregar(nComp, std::isfinite(dCantidad) ? std::fmod(dCantidad, 1e3) : 1.0,
                                UNIDAD_MOLES);
        const double dCalor = l.Tomar<float>();
        s.Calentar(std::isfinite(dCalor) ? std::fmod(dCalor, 1e6) : 0.0);
        s.Simular(1);
        if (!std::isfinite(s.Temperatura()) || !std::isfinite(s.Masa()) ||
            !std::isfinite(s.m_faseLiquida.TemperaturaEbullicion()))
            fuzz::Fallo("un recipiente con datos de vapor deja de dar números finitos");
    }
    return 0;
}
