// CReacciones: a reaction of up to three reactants and three products.
#pragma once

#include "model/Cinetica.h"
#include "model/DatosAcuosos.h"
#include "model/Serializable.h"

#include <cstdint>
#include <string>

// Phase codes of a reaction slot.
enum : int32_t {
    FASE_IONIZADA = 0, // liquid, only the ionised part counts
    FASE_SOLIDA = 1,
    FASE_LIQUIDA = 2,
    FASE_GAS = 3
};

class CCatalogo;

class CReacciones : public CSerializable {
public:
    int32_t m_nId = 0;
    std::string m_strTexto1;
    std::string m_strTexto2;
    int32_t m_nReactivo[3] = {0, 0, 0};
    int32_t m_nCoefReactivo[3] = {0, 0, 0};
    int32_t m_nProducto[3] = {0, 0, 0};
    int32_t m_nCoefProducto[3] = {0, 0, 0};
    double m_dCalor = 0.0;
    int32_t m_nReservado = 0;
    int32_t m_bTempMinima = 0;
    double m_dTempMinima = 0.0;
    int32_t m_bSinLimite = 0;
    double m_dLimitePaso = 0.0;
    int32_t m_bEquilibrio = 0;
    double m_dConstanteEquilibrio = 0.0;
    int32_t m_nFaseReactivo[3] = {0, 0, 0};
    int32_t m_nFaseProducto[3] = {0, 0, 0};
    int32_t m_nCatalizador = 0;
    double m_dLimiteCatalizado = 0.0;
    // Kept in the file's extension, not in the record (see DatosAcuosos.h).
    CReversibleDatos m_reversible;
    CCineticaDatos m_cinetica;

    // Version marker written before every record; -100 records carry no catalyst.
    static constexpr int32_t kVersion = -101;
    static constexpr int32_t kVersionAntigua = -100;

    void Serialize(CArchivo& ar) override;
    // Turns the component identifiers of a template into catalogue indices.
    void ResolverComponentes(const CCatalogo& cat);

    static constexpr size_t kBytesMinimos =
        4 + 1 + 1 + 12 * 4 + 8 + 4 + 4 + 8 + 4 + 8 + 4 + 8 + 6 * 4;
};
