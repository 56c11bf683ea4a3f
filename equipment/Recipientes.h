// The gas flask, the burettes and the pipettes.
#pragma once

#include "equipment/Recipiente.h"

class CMatrazGases : public CRecipiente {
public:
    CMatrazGases();
    QPoint m_ptPivote{59, 8};
    QPoint m_ptSinGas{55, 13};
    QPoint m_ptConGas{63, 4};

    // Closed: the gas stays in the flask.
    int32_t Step() override;
    void Draw(QPainter& p) override;
};

class CBureta : public CRecipiente {
public:
    void BuildMenu(CMenu& menu) override;
    bool AdmiteMateriales() const override { return false; }
};

using CBureta10 = CDeTipo<CBureta, TipoEquipo::Bureta10>;
using CBureta50 = CDeTipo<CBureta, TipoEquipo::Bureta50>;

// Pipettes get the vessel below them as their connection every tick.
class CPipeta : public CRecipiente {
public:
    void BuildMenu(CMenu& menu) override;
    // "Llenar desde" and "Vaciar en": the graduated pipette asks how many millilitres (up to
    // its capacity, or what it holds); the volumetric one always moves 10 ml.
    CPeticion Pide(int nComando) const override;
    ResultadoComando Ejecutar(int nComando, CListaEquipo& lista, const CArgumento& a) override;
    // Least liquid the vessel below must hold for "Llenar desde".
    virtual double MinimoParaLlenar() const { return 0.0; }
    Enlace EnlaceAlPaso() const override { return Enlace::Debajo; }
    bool AdmiteMateriales() const override { return false; }
};

using CPipetaGraduada = CDeTipo<CPipeta, TipoEquipo::PipetaGraduada>;

class CPipetaVolumetrica : public CPipeta {
public:
    CPipetaVolumetrica();
    double MinimoParaLlenar() const override { return 10.0; }
    // It always moves 10 ml.
    static constexpr double kVolumen = 10.0;
};
