// CContenido: one component's entry in a phase or in a reagent's composition.
#pragma once

#include "Serializable.h"

#include <cstdint>
#include <string>

class CComponentes;

class CContenido : public CSerializable {
public:
    CContenido() = default;
    explicit CContenido(int32_t nComponente) : m_nComponente(nComponente) {}

    int32_t m_nComponente = 0;
    int32_t m_bDisuelto = 0;
    int32_t m_bFundido = 0;
    int32_t m_bSolidificado = 0;
    double m_dMoles = 0.0;
    double m_dGramos = 0.0;
    double m_dMl = 0.0;
    double m_dMolesAnion = 0.0;
    double m_dMolesCation = 0.0;
    std::string m_strTexto;

    // The catalogue record of the entry's component, or none when the index lies outside
    // the catalogue (every rule then skips the entry).
    const CComponentes* Componente() const;

    // Adds an amount; returns its grams and millilitres.
    void Sumar(double dCantidad, int32_t nUnidad, double& dGramos, double& dMl);
    // Removes an amount, never more than the entry holds; returns the grams and
    // millilitres that actually left.
    void Restar(double dCantidad, int32_t nUnidad, double& dGramos, double& dMl);
    double Solubilidad(double dMlAgua, double dTemperatura) const;
    double FactorTemperatura(double dTemperatura) const;
    // Free ions of the entry in the given millilitres of water.
    void Ionizar(double dMlAgua);
    double MolesIon(const std::string& strIon) const;

    void Serialize(CArchivo& ar) override;

    static constexpr size_t kBytesMinimos = 4 + 4 + 8 * 5 + 1;
};
