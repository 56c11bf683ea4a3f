// CCalentador: a heat source standing under a vessel.
#pragma once

#include "equipment/Equipo.h"

class CCalentador : public CEquipo {
public:
    int m_nAnimacion = 0; // resource of the animation strip, 0 when not animated
    int32_t m_nFrames = 0;
    int32_t m_nFrame = 0;
    QPoint m_ptAnimacion;
    int32_t m_cxFrame = 0;
    int32_t m_cyFrame = 0;
    double m_dPotencia = 0.0;

    // Next animation frame; 1 when the picture changed.
    int32_t AdvanceFrame();
    // A vessel anywhere in its area stands in it (the ice bath), not only one resting on
    // its top; and how fast vapour condenses in the vessel it holds.
    virtual bool ContieneTodoElArea() const { return false; }
    virtual double Condensacion() const { return 0.0001; }
    void Draw(QPainter& p) override;

protected:
    CCalentador();
    void Iniciar(TipoEquipo eTipo, int32_t cx, int32_t cy, double dPotencia);
};
