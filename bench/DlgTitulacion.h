// The titration: a close-up of the burette's stopcock that drips into the vessel under it
// while the bench runs, the volume delivered, and the graph of the receiver's pH against
// that volume, which can be exported as text and copied as a picture.
#pragma once

#include "Titulacion.h"

#include <QDialog>
#include <QImage>
#include <QPointer>
#include <QWidget>

class CEquipo;
class CListaEquipo;
class CRecipiente;
class QLabel;
class QLineEdit;
class QSlider;

// The stopcock of a titration: drag its handle up to open it (1..17), down to close it; from
// the keyboard, the up and down arrows turn it a step, Re Pág opens it fully and Av Pág or
// Inicio closes it.
class CLlaveBureta : public QWidget {
    Q_OBJECT
public:
    explicit CLlaveBureta(CTitulacion& titulacion, QWidget* pPadre = nullptr);

    CTitulacion& m_titulacion; // whose opening it shows and turns
    QPoint m_ptRaton;
    QRect m_rcAsa{QPoint(61, 27), QPoint(67, 49)};
    QRect m_rcGota{QPoint(26, 89), QPoint(31, 96)};
    bool m_bGirando = false;

protected:
    void paintEvent(QPaintEvent*) override;
    void mousePressEvent(QMouseEvent* e) override;
    void mouseMoveEvent(QMouseEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;

private:
    QImage m_fondo;
    QImage m_gotas;
};

class CDlgTitulacion : public QDialog {
    Q_OBJECT
public:
    explicit CDlgTitulacion(QWidget* pPadre = nullptr);

    CTitulacion m_titulacion;
    CLlaveBureta* m_pLlave;
    QLineEdit* m_pLectura;

    CRecipiente* Bureta() const { return m_titulacion.Bureta(); }
    CRecipiente* Receptor() const { return m_titulacion.Receptor(); }
    void SetEquipo(CRecipiente* pBureta, CRecipiente* pReceptor);
    // One 100 ms tick of the titration; true when a drop fell.
    bool TitrationStep();
    void InicializarGrafica();
    // Forgets an item that is leaving the bench.
    void Olvidar(CEquipo* pEquipo);

signals:
    void UM_FIN_TITULAR();
    void UM_GRAFICA(CRecipiente* pBureta);
    void UM_REFRESCAR_GRAFICA();

protected:
    void closeEvent(QCloseEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;

private:
    void ActualizarLectura();
};

// The graph of the titration curve.
class CGrafica : public QWidget {
    Q_OBJECT
public:
    explicit CGrafica(QWidget* pPadre = nullptr);

    CRecipiente* m_pBureta = nullptr; // its points are drawn
    double m_dEscalaX = 50.0;         // millilitres spanned by the X axis
    QString m_strLectura;             // the readout under the mouse

    QImage Pintar() const;
    // Pixels per millilitre and per pH unit at the graph's present size and scale.
    double PixelesPorMl() const;
    double PixelesPorPH() const;
    // Volume and pH at a point of the widget (0 and 0 while the graph has no room).
    void AValores(const QPoint& pt, double& dVol, double& dPH) const;

protected:
    void paintEvent(QPaintEvent*) override;
    void mouseMoveEvent(QMouseEvent* e) override;
};

class CDlgGrafica : public QDialog {
    Q_OBJECT
public:
    explicit CDlgGrafica(CRecipiente* pBureta, QWidget* pPadre = nullptr);

    CGrafica* m_pGrafica;
    QSlider* m_pEscala;
    CRecipiente* m_pBureta;
    bool m_bVisible = true;

    // The points as text, oldest first, lines ending in CR LF; empty without points.
    QByteArray Datos() const;
    // Writes the points to the file; false (and the message shown) when it cannot.
    bool GuardarDatos(const QString& strRuta);
    void Olvidar(CEquipo* pEquipo);

    // The file chosen to save the points into, empty when cancelled. Replaceable by tests.
    std::function<QString()> m_fnDialogoGuardar;

signals:
    void UM_FIN_GRAFICA();

protected:
    void closeEvent(QCloseEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;

private:
    void OnGuardarDatos();
    void OnCopiar();
};
