// Vapor: what a practice may give about solutions and vapours beyond the described rules —
// how many particles a dissolved formula unit gives, a solubility curve by points, and the
// vapour pressures and Wilson energies that make a liquid mixture boil at its bubble point
// with the vapour that modified Raoult's law gives. The file keeps these data in its
// extension block; a catalogue without them behaves exactly as the described model.
#pragma once

#include <array>
#include <cstdint>
#include <vector>

// A component's data for solutions and vapours.
struct CDisolucionDatos {
    // Particles a dissolved formula unit gives (van 't Hoff's i); 0: one, the described rule.
    double m_dVantHoff = 0.0;
    // Antoine's equation as the NIST WebBook writes it, log10(p/bar) = A - B/(T/K + C);
    // B = 0: the component has no vapour data.
    std::array<double, 3> m_antoine{0.0, 0.0, 0.0};
    // Molar volume of the liquid, cm3/mol, which Wilson's equation weighs the energies with.
    double m_dVolumenMolar = 0.0;
    // Solubility curve: points (°C, g per 100 g of water), temperatures increasing; empty:
    // the two described points.
    std::vector<std::array<double, 2>> m_solubilidad;

    bool TieneVapor() const { return m_antoine[1] > 0.0; }
    bool Tiene() const { return m_dVantHoff != 0.0 || TieneVapor() || !m_solubilidad.empty(); }
    bool operator==(const CDisolucionDatos&) const = default;
};

// Wilson's energies of a pair of components (their places in the catalogue, m_nA < m_nB), J/mol:
// Λab = (Vb/Va) exp(-m_dAB/RT), Λba = (Va/Vb) exp(-m_dBA/RT). A pair without a record mixes
// ideally (Λ = 1).
struct CParVapor {
    int32_t m_nA = 0, m_nB = 0;
    double m_dAB = 0.0, m_dBA = 0.0;
    bool operator==(const CParVapor&) const = default;
};

namespace Vapor {

// The bench stands at one standard atmosphere, 1.01325 bar (IUPAC).
inline constexpr double kAtmosfera = 1.01325;
// Molar gas constant, J/(mol K) (CODATA 2018).
inline constexpr double kR = 8.314462618;
// Kelvin = degrees Celsius + 273.15 (SI).
inline constexpr double kCeroCelsius = 273.15;
// Most volatile components one liquid's equilibrium takes; more are left out of it.
inline constexpr int kMaxComponentes = 8;
// The bubble point is searched for between these temperatures (K): no practice's liquid boils
// outside them, and Antoine's constants are no longer data beyond.
inline constexpr double kTMinima = 150.0;
inline constexpr double kTMaxima = 800.0;

// A liquid as the equilibrium sees it: its volatile components' mole fractions (over every
// particle in the liquid, dissolved ones included, so that they may add up to less than one)
// and data, and Wilson's energies between them (m_bPar false: ideal).
struct Liquido {
    int n = 0;
    std::array<double, kMaxComponentes> x{};
    std::array<const CDisolucionDatos*, kMaxComponentes> d{};
    std::array<std::array<double, kMaxComponentes>, kMaxComponentes> a{};
    std::array<std::array<bool, kMaxComponentes>, kMaxComponentes> bPar{};
};

struct Burbuja {
    double dTemperatura = 0.0; // °C
    std::array<double, kMaxComponentes> y{};
};

// Vapour pressure (bar) at T (K); 0 where the equation has no meaning (T + C <= 0).
double Presion(const std::array<double, 3>& antoine, double dKelvin);
// Activity coefficients of Wilson's equation at T (K), over the volatile components' own
// mole fractions.
std::array<double, kMaxComponentes> Actividades(const Liquido& l, double dKelvin);
// p_i = x_i γ_i p_i°(T), bar, at T (K).
std::array<double, kMaxComponentes> Parciales(const Liquido& l, double dKelvin);
// The temperature at which the liquid's vapour pressure reaches dPresion (bar), and the
// vapour's composition there. Always ends, and always finite: a liquid that would boil outside
// kTMinima..kTMaxima is given the bound.
Burbuja PuntoBurbuja(const Liquido& l, double dPresion = kAtmosfera);

} // namespace Vapor
