// The calorimeter and its lid, which shows the calorimeter's temperature.
#pragma once

#include "equipment/Instrumento.h"
#include "equipment/Recipiente.h"

class CTapaCalorimetro;

class CCalorimetro : public CRecipiente {
public:
    CCalorimetro();
    CTapaCalorimetro* m_pTapa = nullptr;

    // Opaque: the contents never show.
    // Insulated: in a practice without a room (model/Termica.h) what is poured in sets the
    // temperature its contents stay at; with one, the room is the practice's, and the cup,
    // its lid and its water equivalent keep the heat made inside it.
    void AlRecibir() override;
    int32_t Step() override;
    void BuildMenu(CMenu& menu) override;
    void MoveBy(int32_t dx, int32_t dy) override;
    std::vector<CEquipo*> Piezas() const override;
    void Olvidar(CEquipo* pEquipo) override;

    ResultadoComando Ejecutar(int nComando, CListaEquipo& lista, const CArgumento& a) override;
    CTapaCalorimetro* Tapar(CListaEquipo& lista);
    void Destapar(CListaEquipo& lista);
};

class CTapaCalorimetro : public CInstrumentoLectura {
public:
    CTapaCalorimetro();
    CCalorimetro* m_pCalorimetro = nullptr;

    // Reads its own calorimeter, whatever lies under the probe.
    int32_t Attach(CRecipiente*) override;
    bool EnlazadoSinSonda() const override { return true; }
    QString Unidad() const override { return QStringLiteral("°C"); }
    QString Descripcion() const override;
    void MoveBy(int32_t dx, int32_t dy) override;
    void Relink(CListaEquipo& lista) override;
    void Olvidar(CEquipo* pEquipo) override;

protected:
    double Leer(CRecipiente& r) const override { return r.Temperatura(); }
    int Decimales() const;
    void DibujarLectura(QPainter& p) override;
};
