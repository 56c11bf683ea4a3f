// CReactivos: a reagent the student can add, a named mixture of components.
#pragma once

#include "model/Contenido.h"
#include "model/Serializable.h"

#include <list>
#include <string>

class CCatalogo;

class CReactivos : public CSerializable {
public:
    std::list<CContenido> m_listaComposicion;
    std::string m_strNombre;
    int32_t m_nEstado = 0;        // 1 measured in millilitres (liquid), otherwise in grams
    int32_t m_bPorProporcion = 0; // 1 mole proportions; 0 moles per litre or per kilogram

    double SumaProporciones() const;
    double GramosPorUnidad(const CCatalogo& cat) const;
    double MlPorUnidad(const CCatalogo& cat) const;
    double VolumenEstimado(const CCatalogo& cat, double dCantidad) const;
    void Vaciar();
    void ResolverComponentes(const CCatalogo& cat);

    void Serialize(CArchivo& ar) override;

    static constexpr size_t kBytesMinimos = 1 + 4 + 4 + 4;
};
