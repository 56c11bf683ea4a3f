// CContenido: one component's entry in a phase or in a reagent's composition.
#pragma once

#include "model/Serializable.h"

#include <cstdint>
#include <string>

class CCatalogo;
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

    // The record of the entry's component in the catalogue, or none when the index lies
    // outside it (every rule then skips the entry).
    const CComponentes* Componente(const CCatalogo& cat) const;

    // Adds an amount; returns its grams and millilitres.
    void Sumar(const CCatalogo& cat, double dCantidad, int32_t nUnidad, double& dGramos,
               double& dMl);
    // Removes an amount, never more than the entry holds; returns the grams and
    // millilitres that actually left.
    void Restar(const CCatalogo& cat, double dCantidad, int32_t nUnidad, double& dGramos,
                double& dMl);
    double Solubilidad(const CCatalogo& cat, double dMlAgua, double dTemperatura) const;
    double FactorTemperatura(const CCatalogo& cat, double dTemperatura) const;
    // Free ions of the entry in the given millilitres of water.
    void Ionizar(const CCatalogo& cat, double dMlAgua);
    double MolesIon(const CCatalogo& cat, const std::string& strIon) const;

    void Serialize(CArchivo& ar) override;

    static constexpr size_t kBytesMinimos = 4 + 4 + 8 * 5 + 1;
};
