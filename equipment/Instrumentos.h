// The instruments that dip into a vessel: balance, thermometer, pH meter, conductimeter
// and stirrer.
#pragma once

#include "equipment/Instrumento.h"

class CBalanza : public CInstrumentoLectura {
public:
    CBalanza();
    double m_dTara = 0.0;

    void BuildMenu(CMenu& menu) override;
    ResultadoComando Ejecutar(int nComando, CListaEquipo& lista, const CArgumento& a) override;
    void Tarar() { m_dTara = m_dLectura; }
    void EscribirEstado(CArchivo& ar) const override;
    void LeerEstado(CArchivo& ar) override;
    // What the display shows.
    double Peso() const { return m_dLectura - m_dTara; }
    QString Unidad() const override { return QStringLiteral("g"); }
    std::optional<CLectura> Lectura() const override { return CLectura{Peso(), Unidad()}; }
    QString Descripcion() const override;

protected:
    double Leer(CRecipiente& r) const override;
    bool SiempreRepintar() const override { return true; }
    void DibujarLectura(QPainter& p) override;
};

class CTermometro : public CInstrumentoLectura {
public:
    CTermometro();
    // Top of the red column, in the picture.
    int ColumnaY() const;
    QString Unidad() const override { return QStringLiteral("°C"); }
    QString Descripcion() const override;

protected:
    double Leer(CRecipiente& r) const override;
    void DibujarLectura(QPainter& p) override;
};

class CPHmetro : public CInstrumentoLectura {
public:
    CPHmetro();
    QString Texto() const;
    QString Unidad() const override { return QStringLiteral("pH"); }
    // As the display reads, but in words while it shows no reading (dashes are spoken as
    // such).
    QString Descripcion() const override;

protected:
    double Leer(CRecipiente& r) const override;
    void DibujarLectura(QPainter& p) override;
};

class CConductimetro : public CInstrumentoLectura {
public:
    CConductimetro();
    // End of the needle, relative to the item's corner.
    QPoint PuntaAguja() const;
    QString Unidad() const override { return QStringLiteral("mol/l"); }
    QString Descripcion() const override;

protected:
    double Leer(CRecipiente& r) const override;
    bool SiempreRepintar() const override { return true; }
    void DibujarLectura(QPainter& p) override;
};

class CAgitador : public CInstrumento {
public:
    CAgitador();
    int32_t m_nPaso = -1;
    int32_t m_nSentido = 1;
    int32_t m_nVueltas = 0;
    CRecipiente* m_pRecipiente = nullptr; // the vessel being stirred

    int32_t Tick() override;
    int32_t Detach() override;
    int32_t Attach(CRecipiente* pRecipiente) override;
    void Olvidar(CEquipo* pEquipo) override;
    QString Descripcion() const override;
};
