// The 250 ml Erlenmeyer flask and what mounts on it: the Buchner filter and the delivery
// tube.
#pragma once

#include "equipment/Pieza.h"

class CFiltroBuchner;
class CTuboVidrio;

class CErlenmeyer250 : public CRecipiente {
public:
    CErlenmeyer250();
    CFiltroBuchner* m_pEmbudo = nullptr;
    CTuboVidrio* m_pTubo = nullptr;

    void BuildMenu(CMenu& menu) override;
    void MoveBy(int32_t dx, int32_t dy) override;
    std::vector<CEquipo*> Piezas() const override;
    void Olvidar(CEquipo* pEquipo) override;

    CPeticion Pide(int nComando) const override;
    ResultadoComando Ejecutar(int nComando, CListaEquipo& lista, const CArgumento& a) override;
    CFiltroBuchner* PonerEmbudo(CListaEquipo& lista);
    // nSalida: 0 outlet to the right, 1 to the left.
    CTuboVidrio* PonerTubo(CListaEquipo& lista, int32_t nSalida);
    // Whether the filter keeps a precipitate (the user is asked before it goes).
    bool EmbudoConPrecipitado() const;
    void QuitarEmbudo(CListaEquipo& lista);
    void QuitarTubo(CListaEquipo& lista);
};

class CFiltroBuchner : public CPieza {
public:
    CFiltroBuchner();
    int32_t Step() override;

protected:
    QPoint PosicionPadre() const override { return {-5, 25}; }
    int32_t TipoPadre() const override { return 5; }
    void Enlazar(CRecipiente& padre) override;
};

class CTuboVidrio : public CPieza {
public:
    // The loader's tube: outlet to the right until its record says otherwise.
    CTuboVidrio();
    explicit CTuboVidrio(int32_t nSalida);
    int32_t m_nSalida = 0;

    Enlace EnlaceAlPaso() const override { return Enlace::Sonda; }
    int32_t Step() override;
    void Serialize(CArchivo& ar) override;
    void SetSalida(int32_t nSalida);

protected:
    QPoint PosicionPadre() const override { return {m_nSalida == 1 ? 71 : 0, 25}; }
    int32_t TipoPadre() const override { return 5; }
    void Enlazar(CRecipiente& padre) override;
};
