// CReactivos: a reagent the student can add, a named mixture of components.
#pragma once

#include "Contenido.h"
#include "Serializable.h"

#include <list>
#include <string>

class CReactivos : public CSerializable {
public:
    std::list<CContenido> m_listaComposicion;
    std::string m_strNombre;
    int32_t m_nEstado = 0;        // 1 measured in millilitres (liquid), otherwise in grams
    int32_t m_bPorProporcion = 0; // 1 mole proportions; 0 moles per litre or per kilogram

    double SumaProporciones() const;
    double GramosPorUnidad() const;
    double MlPorUnidad() const;
    double VolumenEstimado(double dCantidad) const;
    void Vaciar();
    void ResolverComponentes();

    void Serialize(CArchivo& ar) override;

    static constexpr size_t kBytesMinimos = 1 + 4 + 4 + 4;
};
