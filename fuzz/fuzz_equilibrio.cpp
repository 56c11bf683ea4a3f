// The acid–base engine on whatever numbers a file or an editor could give it: constants,
// enthalpies, counts, amounts, charges and temperatures read raw from the bytes. The solve
// must end with finite numbers inside its bounds and fractions that sum to 1, and a vessel
// on the engine must keep finite readings, mass and temperature however it is stepped.
#include "Comun.h"
#include "model/AcidoBase.h"
#include "model/Catalogo.h"
#include "model/Equilibrio.h"
#include "model/Seno.h"

#include <cmath>
#include <cstring>

namespace {

using fuzz::Lector;

CAcidoBaseDatos Datos(Lector& l) {
    CAcidoBaseDatos d;
    d.m_nPasos = l.Tomar<int8_t>();
    d.m_nCedidos = l.Tomar<int8_t>();
    d.m_nCargaAcida = l.Tomar<int8_t>();
    for (double& x : d.m_pKa)
        x = l.Tomar<double>();
    for (double& x : d.m_dEntalpia)
        x = l.Tomar<double>();
    return d;
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    fuzz::Iniciar();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* p, size_t n) {
    Lector l(p, n);
    const double dT = l.Tomar<double>();
    const double dCarga = l.Tomar<double>();
    std::vector<Equilibrio::Sistema> sistemas;
    const int nSistemas = l.Tomar<uint8_t>() % 12;
    for (int i = 0; i < nSistemas; ++i) {
        Equilibrio::Sistema s;
        s.dConcentracion = l.Tomar<double>();
        s.datos = Datos(l);
        sistemas.push_back(s);
    }
    const Equilibrio::Solucion r = Equilibrio::Resolver(sistemas, dCarga, dT);
    if (!std::isfinite(r.dH) || !std::isfinite(r.dOH) || !std::isfinite(r.dPH) ||
        !(r.dH >= 1e-20 && r.dH <= 1e3) || r.fracciones.size() != sistemas.size())
        fuzz::Fallo("el equilibrio no da números finitos en sus límites");
    for (const auto& f : r.fracciones) {
        double dSuma = 0.0;
        for (double x : f) {
            if (!std::isfinite(x) || x < 0.0)
                fuzz::Fallo("una fracción que no es un número entre 0 y 1");
            dSuma += x;
        }
        if (std::abs(dSuma - 1.0) > 1e-9)
            fuzz::Fallo("las fracciones de un sistema no suman 1");
    }

    // The same numbers as a practice's catalogue: water, then components that bring them.
    CCatalogo cat = CCatalogo::Inicial();
    cat.m_nMotor = MOTOR_NEUTRALIZACION;
    for (size_t i = 1; i < cat.m_componentes.size() && i <= sistemas.size(); ++i)
        cat.m_componentes[i].m_acidoBase = sistemas[i - 1].datos;
    CSeno s(&cat);
    s.m_dTemperatura = std::isfinite(dT) ? std::fmod(std::abs(dT), 120.0) : 20.0;
    while (l.Queda()) {
        const int32_t nComp = l.Tomar<uint8_t>() % (cat.NumComponentes() + 1);
        const double dCantidad = l.Tomar<double>();
        s.m_faseLiquida.Agregar(nComp, std::isfinite(dCantidad) ? std::fmod(dCantidad, 1e3) : 1.0,
                                UNIDAD_MOLES);
        s.Simular(1);
        if (!std::isfinite(s.Temperatura()) || !std::isfinite(s.Masa()) || !std::isfinite(s.PH()) ||
            !std::isfinite(s.ConcentracionIones()))
            fuzz::Fallo("un recipiente con el motor deja de dar números finitos");
    }
    return 0;
}
