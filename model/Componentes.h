// CComponentes: one chemical species of the catalogue with its physical data.
#pragma once

#include "model/Cinetica.h"
#include "model/DatosAcuosos.h"
#include "model/Serializable.h"
#include "model/Termica.h"
#include "model/Vapor.h"

#include <cstdint>
#include <string>

// Colours are 0x00BBGGRR values.
using COLORREF = uint32_t;

constexpr COLORREF RGBColor(int r, int g, int b) {
    return static_cast<COLORREF>((r & 0xFF) | ((g & 0xFF) << 8) | ((b & 0xFF) << 16));
}
constexpr int RojoDe(COLORREF cr) {
    return static_cast<int>(cr & 0xFF);
}
constexpr int VerdeDe(COLORREF cr) {
    return static_cast<int>((cr >> 8) & 0xFF);
}
constexpr int AzulDe(COLORREF cr) {
    return static_cast<int>((cr >> 16) & 0xFF);
}

// States of a component and kinds of a phase.
enum : int32_t { ESTADO_SOLIDO = 0, ESTADO_LIQUIDO = 1, ESTADO_GAS = 2, ESTADO_NINGUNO = 3 };
// Units of an amount.
enum : int32_t { UNIDAD_GRAMOS = 0, UNIDAD_ML = 1, UNIDAD_MOLES = 2 };

class CComponentes : public CSerializable {
public:
    std::string m_strNombre;
    std::string m_strDescripcion;
    std::string m_strFormula;
    double m_dMasaMolar = 0.0;
    double m_dDensidad = 0.0;
    double m_dCalorEspecifico = 0.0;
    COLORREF m_crColor = 0;
    int32_t m_nEstado = ESTADO_NINGUNO;
    double m_dConstante = 0.0;
    double m_dPuntoFusion = 0.0;
    double m_dPuntoEbullicion = 0.0;
    double m_dSolubilidad1 = 0.0;
    double m_dSolubilidad2 = 0.0;
    double m_dTemperatura1 = 0.0;
    double m_dTemperatura2 = 0.0;
    double m_dPendiente = 0.0;
    double m_dOrdenada = 0.0;
    int32_t m_nCantidadCation = 0;
    std::string m_strCation;
    int32_t m_nCantidadAnion = 0;
    std::string m_strAnion;
    int32_t m_nSignoCation = 0;
    int32_t m_nSignoAnion = 0;
    int32_t m_nTextura = 0;
    int32_t m_nId = 0;
    // Kept in the file's extension, not in the record (see DatosAcuosos.h).
    CAcidoBaseDatos m_acidoBase;
    // The molar concentration at which a solution shows m_crColor; 0: the described mixing.
    double m_dConcentracionColor = 0.0;
    // Particles in solution, solubility curve and vapour data (Vapor.h), also in the extension.
    CDisolucionDatos m_disolucion;
    // The form a solid is offered in, for the rate laws (Cinetica.h); none: factor 1.
    CSuperficieDatos m_superficie;
    // Enthalpies of solution and fusion; none: the described rule (Termica.h).
    CTermicaDatos m_termica;

    // Moles in an amount given in grams, millilitres or moles. A molar mass that is not
    // positive yields nothing rather than an infinity.
    double AMoles(double dCantidad, int32_t nUnidad) const;
    void MasaVolumen(double dMoles, double& dGramos, double& dMl) const;
    void AjustarSolubilidad();
    // Most moles that dissolve in the given millilitres (grams) of water: from the curve's
    // points when the practice gives them, otherwise from the described two-point line.
    double Solubilidad(double dMlAgua, double dTemperatura) const;
    double FactorTemperatura(double dTemperatura) const;

    void Serialize(CArchivo& ar) override;

    // Smallest number of bytes a record can take in a file.
    static constexpr size_t kBytesMinimos =
        4 + 3 + 8 * 3 + 4 + 4 + 8 * 3 + 4 + 1 + 4 + 1 + 4 + 4 + 8 * 6 + 4;
};
