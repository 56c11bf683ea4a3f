// CIndicadores: an acid-base (or concentration) indicator that colours a liquid.
#pragma once

#include "model/Componentes.h"
#include "model/Serializable.h"

#include <cstdint>
#include <string>

class CCatalogo;

class CIndicadores : public CSerializable {
public:
    int32_t m_nId = 0;
    std::string m_strNombre;
    int32_t m_nComponente = -1; // -1 follows the pH, otherwise a component's concentration
    std::string m_strTexto;
    COLORREF m_crColorBajo = 0;
    double m_dLimiteBajo = 0.0;
    COLORREF m_crColorAlto = 0;
    double m_dLimiteAlto = 0.0;
    // Kept in the file's extension, not in the record (see DatosAcuosos.h).
    CIndicadorDatos m_acidoBase;

    // Colour of the indicator at value v (pH or molar concentration).
    COLORREF Color(double v) const;

    void Serialize(CArchivo& ar) override;
    // Template form: component 0 means the pH, anything else is an identifier.
    void ResolverComponente(const CCatalogo& cat);

    static constexpr size_t kBytesMinimos = 4 + 1 + 4 + 1 + 4 + 8 + 4 + 8;
};
