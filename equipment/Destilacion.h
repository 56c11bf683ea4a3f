// The boiling flask and the pieces mounted on it: distillation head, condenser, elbow
// ("Take Off") and reflux condenser.
#pragma once

#include "equipment/Pieza.h"

class CCabezaDestilacion;
class CCondensador;
class CCodoDestilacion;
class CCondensadorReflujo;

class CMatrazBalon : public CRecipiente {
public:
    CMatrazBalon();
    ~CMatrazBalon() override;
    CCabezaDestilacion* m_pCabeza = nullptr;
    CCondensador* m_pCondensador = nullptr;
    CCodoDestilacion* m_pCodo = nullptr;
    CCondensadorReflujo* m_pReflujo = nullptr;

    void BuildMenu(CMenu& menu) override;
    ResultadoComando Ejecutar(int nComando, CListaEquipo& lista, const CArgumento& a) override;
    void MoveBy(int32_t dx, int32_t dy) override;
    std::vector<CEquipo*> Piezas() const override;
    void Olvidar(CEquipo* pEquipo) override;

    // Attaching the pieces (each goes to the end of the bench list) and removing them.
    CCabezaDestilacion* PonerCabeza(CListaEquipo& lista);
    CCondensador* PonerCondensador(CListaEquipo& lista);
    CCodoDestilacion* PonerCodo(CListaEquipo& lista);
    CCondensadorReflujo* PonerReflujo(CListaEquipo& lista);
    void QuitarDestilacion(CListaEquipo& lista);
    void QuitarReflujo(CListaEquipo& lista);
};

class CCabezaDestilacion : public CPieza {
public:
    CCabezaDestilacion();
    int32_t Step() override;
    void Draw(QPainter& p) override;

protected:
    QPoint PosicionPadre() const override { return {0, 200}; }
    int32_t TipoPadre() const override { return 6; }
    void Enlazar(CRecipiente& padre) override;
};

class CCondensador : public CPieza {
public:
    CCondensador();
    int32_t Step() override;

protected:
    QPoint PosicionPadre() const override { return {-67, 45}; }
    int32_t TipoPadre() const override { return 6; }
    void Enlazar(CRecipiente& padre) override;
    // Condenses up to dMaximo moles of each gas and passes a tenth of the liquid on.
    int32_t Condensar(double dMaximo);
};

class CCodoDestilacion : public CPieza {
public:
    CCodoDestilacion();
    Enlace EnlaceAlPaso() const override { return Enlace::Debajo; }
    int32_t m_bGota = 0;
    QRect m_rcGota;

    int32_t Step() override;
    void Draw(QPainter& p) override;

protected:
    QPoint PosicionPadre() const override { return {-241, -20}; }
    int32_t TipoPadre() const override { return 6; }
    void Enlazar(CRecipiente& padre) override;
};

class CCondensadorReflujo : public CCondensador {
public:
    CCondensadorReflujo();
    int32_t Step() override;

protected:
    QPoint PosicionPadre() const override { return {0, 158}; }
    void Enlazar(CRecipiente& padre) override;
};
