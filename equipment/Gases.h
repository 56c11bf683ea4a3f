// What measures a gas and the time of an experiment: the gas syringe and the graduated
// tube over water, which collect the gas a delivery tube brings them, the digital
// thermometer and the stopwatch.
#pragma once

#include "model/Reloj.h"

#include "equipment/Instrumento.h"
#include "equipment/Recipiente.h"

// Simulated seconds in one bench step (model/Reloj.h): a stopwatch that counts steps keeps
// the experiment's time at any speed and stops in a pause.
constexpr double kSegundosPorPaso = Reloj::kSegundosPorPaso;

enum : int {
    ID_CRONOMETRO_MARCHA = 1130, // start, or stop when running
    ID_CRONOMETRO_REINICIAR = 1131,
};

// A closed vessel that holds only the gas led into it and shows its volume at the room's
// pressure and its own temperature (the room's). What would go past its capacity leaves it
// (out of the syringe past the plunger's stop, out of the tube's mouth as bubbles).
class CColectorGas : public CRecipiente {
public:
    // The gas's volume, as the scale reads it, ml.
    double VolumenGas() const;
    // What the gas would take up without the vessel's stop.
    double VolumenReal() const;
    // Whether gas left it in the last step because it was full.
    bool Rebosando() const { return m_bRebosando; }
    bool AdmiteMateriales() const override { return false; }
    bool FueraDelFormatoDescrito() const override { return true; }
    int32_t Step() override;
    std::optional<CLectura> Lectura() const override;
    QString Descripcion() const override;

protected:
    CColectorGas() = default;
    // The pressure the collected gas stands at: the room's, less water's vapour over water.
    virtual double PresionGas() const = 0;
    bool m_bRebosando = false;
};

class CJeringaGases : public CColectorGas {
public:
    CJeringaGases();
    void Draw(QPainter& p) override;
    // x in the picture of the plunger's face at that volume.
    static int XEmbolo(double dMl);

protected:
    double PresionGas() const override;
};

class CEudiometro : public CColectorGas {
public:
    CEudiometro();
    void Draw(QPainter& p) override;
    // y in the picture of the water's surface in the tube at that volume of gas.
    static int YAgua(double dMl);

protected:
    double PresionGas() const override;
};

class CTermometroDigital : public CInstrumentoLectura {
public:
    CTermometroDigital();
    QString Unidad() const override { return QStringLiteral("°C"); }
    QString Descripcion() const override;
    bool FueraDelFormatoDescrito() const override { return true; }
    // The display's text, to a tenth of a degree.
    QString Texto() const;

protected:
    double Leer(CRecipiente& r) const override;
    void DibujarLectura(QPainter& p) override;
};

// Counts simulated time while it runs; it reads no vessel.
class CCronometro : public CInstrumento {
public:
    CCronometro();
    double m_dSegundos = 0.0;
    int32_t m_bEnMarcha = 0;
    // The most it counts: 99 min 59.9 s, what its display holds.
    static constexpr double kMaximo = 5999.9;

    int32_t Tick() override;
    void BuildMenu(CMenu& menu) override;
    ResultadoComando Ejecutar(int nComando, CListaEquipo& lista, const CArgumento& a) override;
    int ComandoDeTecla(int nTecla) const override;
    void Serialize(CArchivo& ar) override;
    std::optional<CLectura> Lectura() const override;
    QString Descripcion() const override;
    bool FueraDelFormatoDescrito() const override { return true; }
    // "mm:ss.d"
    QString Texto() const;

protected:
    void DibujarLectura(QPainter& p) override;
};
