// The heat sources: Bunsen burner, hot plate and ice bath.
#pragma once

#include "equipment/Calentador.h"

class CMechero : public CCalentador {
public:
    CMechero();
    QString Descripcion() const override;
};

class CParrilla : public CCalentador {
public:
    CParrilla();
    int32_t m_nLuces = 2;

    void BuildMenu(CMenu& menu) override;
    ResultadoComando Ejecutar(int nComando, CListaEquipo& lista, const CArgumento& a) override;
    void Draw(QPainter& p) override;
    // Level 0 (off) to 5, as the menu commands set it. A new plate, and one read from a
    // file that does not keep the level, is at level 2 (lit and heating).
    void SetNivel(int nNivel);
    int Nivel() const { return m_nLuces; }
    std::optional<int32_t> Ajuste() const override { return m_nLuces; }
    bool Ajustar(int32_t nNivel) override {
        SetNivel(nNivel);
        return true;
    }
    QString Descripcion() const override;
    void EscribirEstado(CArchivo& ar) const override;
    void LeerEstado(CArchivo& ar) override;
    // Carries out a menu command of the hot plate; false when it is not one.
    bool Comando(int nComando);

private:
    // The level in words on the body, the glowing top and the knob's pointer.
    void DibujarNivel(QPainter& p) const;
};

class CBanoHielo : public CCalentador {
public:
    CBanoHielo();
    bool ContieneTodoElArea() const override { return true; }
    double Condensacion() const override { return 0.01; }
    bool VaDebajo() const override { return true; }
};
