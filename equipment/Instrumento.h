// CInstrumento: an instrument that reads from, or acts on, the vessel under its probe.
#pragma once

#include "equipment/Equipo.h"

class CRecipiente;

class CInstrumento : public CEquipo {
public:
    // Each returns nonzero when the instrument's appearance changed.
    virtual int32_t Tick() { return 0; }
    virtual int32_t Detach() { return 0; }
    virtual int32_t Attach(CRecipiente*) { return 0; }

    void Draw(QPainter& p) override;

protected:
    CInstrumento();
    void Iniciar(TipoEquipo eTipo, int32_t cx, int32_t cy, QPoint ptSonda);
    // Readings drawn over the picture.
    virtual void DibujarLectura(QPainter&) {}
};

// An instrument that shows one value read from the vessel, back at rest without one.
class CInstrumentoLectura : public CInstrumento {
public:
    double m_dLectura = 0.0;
    // The unit of the reading, as its display shows it: every instrument names its own.
    virtual QString Unidad() const = 0;
    std::optional<CLectura> Lectura() const override { return CLectura{m_dLectura, Unidad()}; }
    // An instrument with no words of its own says what it is and its reading.
    QString Descripcion() const override;
    // The reading shown until the next step, which no file keeps.
    void EscribirEstado(CArchivo& ar) const override;
    void LeerEstado(CArchivo& ar) override;

    int32_t Attach(CRecipiente* pRecipiente) override;
    int32_t Detach() override;

protected:
    explicit CInstrumentoLectura(double dReposo) : m_dLectura(dReposo), m_dReposo(dReposo) {}
    // The value of the vessel (the vessel is never null here).
    virtual double Leer(CRecipiente& r) const = 0;
    // Whether Detach repaints even when the reading was already at rest.
    virtual bool SiempreRepintar() const { return false; }
    int32_t Guardar(double d);

    double m_dReposo;
};
