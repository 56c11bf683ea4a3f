// CSeno: the interior of one vessel, its three phases, its temperature and the simulation
// step that dissolves, exchanges heat, boils, condenses, freezes, melts and reacts.
#pragma once

#include "Fase.h"
#include "Serializable.h"

#include <cstdint>
#include <vector>

// The hottest a vessel interior gets: that of the hottest flame on the bench (a Bunsen
// burner's). Every temperature the model computes stays between absolute zero and this.
constexpr double kTemperaturaMaxima = 1500.0;

// Sub-steps of one Simular call.
extern int32_t g_nPasosSimulacion;

class CSeno : public CSerializable {
public:
    CSeno();
    CSeno(const CSeno&) = delete;
    CSeno& operator=(const CSeno&) = delete;

    CFase m_faseLiquida{ESTADO_LIQUIDO};
    CFase m_faseSolida{ESTADO_SOLIDO};
    CFase m_faseGas{ESTADO_GAS};
    double m_dReserva = 0.0;
    double m_dTemperatura = 20.0;
    double m_dTemperaturaAmbiente = 20.0;
    int32_t m_bCalentado = 0;
    int32_t m_bCerrado = 0;
    int32_t m_nEbullicion = 0;
    double m_dCondensacion = 0.0001;

    // Sends the amount to the phase of the component's natural state.
    void Agregar(int32_t nComponente, double dCantidad, int32_t nUnidad);
    int Simular();
    int Calentar(double dCalor);
    int AjustarTemperatura();
    int Reaccionar();
    int EquilibrioIonico();
    int DisolverSolidos(double dRapidez);
    void VerterLiquido(CSeno& destino, double dMl);
    void VerterSolido(CSeno& destino, double dMl);

    double MolesLiquidoSolido() const;
    double MolesComponente(int32_t nComponente) const;
    int ContarRenglones(bool bIones) const;
    void LlenarRenglones(std::vector<CRenglon>& renglones, bool bIones) const;

    // Back to an empty vessel at 20 degrees.
    void Reiniciar();

    void Serialize(CArchivo& ar) override;

    // Extent of reaction i for this sub-step (0 or less: it does not run).
    double AvanceReaccion(int32_t nReaccion) const;
    void AplicarReaccion(int32_t nReaccion, double dAvance);

private:
    double Disponible(int32_t nComponente, int32_t nCoeficiente, int32_t nFase) const;
    CFase* FaseDeCodigo(int32_t nFase);
    const CFase* FaseDeCodigo(int32_t nFase) const;
    int NivelEbullicion(double dEbullicion) const;
};
