// The titration: a close-up of the burette's stopcock that drips into the vessel under it
// while the bench runs, the volume delivered, and the graph of the receiver's pH against
// that volume, which can be exported as text and copied as a picture.
#pragma once

#include "equipment/Titulacion.h"

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

// The stopcock of a titration, a lever with nine positions: closed, then eight that each
// let the drops fall faster, from one every 0.8 s to one every tick (0.1 s). The lever is
// dragged up and down, or a click above or below it moves it one position, as the wheel
// does; from the keyboard the up and down arrows move it a position, Re Pág opens it fully,
// Av Pág or Inicio closes it, and the space bar lets a single drop go.
class CLlaveBureta : public QWidget {
    Q_OBJECT
public:
    explicit CLlaveBureta(CTitulacion& titulacion, QWidget* pPadre = nullptr);
    // Has screen readers find the stopcock as a slider whose value is the opening (before
    // the first stopcock is made: an interface once made is kept).
    static void InstalarAccesible();

    // The picture is drawn at one and a half times its 72 x 100 pixels: a lever a hand can
    // hit, and positions 13 pixels apart.
    static constexpr double kEscala = 1.5;
    static constexpr int kPosiciones = 8; // open positions; 0 is closed

    CTitulacion& m_titulacion; // whose opening it shows and turns
    bool m_bGirando = false;

    // The lever's position for the titration's opening (an opening between two positions
    // counts as the lower), and the opening of a position.
    int Posicion() const;
    static int Apertura(int nPosicion);
    void SetPosition(int nPosicion);
    // Where the lever is drawn for a position, in the widget's pixels.
    QRect RectPalanca(int nPosicion) const;
    // How the stopcock drips, as a student reads it ("Cerrada", "Una gota cada 0,8 s").
    static QString Descripcion(int nApertura);
    // The area of a drop, in the widget's pixels.
    QRect RectGota() const;

signals:
    // The opening changed (by the mouse, the wheel or the keyboard).
    void AperturaCambiada();

protected:
    void paintEvent(QPaintEvent*) override;
    void mousePressEvent(QMouseEvent* e) override;
    void mouseMoveEvent(QMouseEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;
    void wheelEvent(QWheelEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;

private:
    QImage m_fondo;
    QImage m_gotas;
    int m_yInicio = 0;         // where a drag began, in the widget's pixels
    int m_nPosicionInicio = 0; // and the lever's position then
    int m_nRueda = 0;          // wheel movement not yet a whole notch
};

class CDlgTitulacion : public QDialog {
    Q_OBJECT
public:
    explicit CDlgTitulacion(QWidget* pPadre = nullptr);

    CTitulacion m_titulacion;
    CLlaveBureta* m_pLlave;
    QLineEdit* m_pLectura;
    QLabel* m_pGoteo;              // how the stopcock drips now
    class QPushButton* m_pUnaGota; // "Gota a gota": one drop per press

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
    QString m_strLectura;             // the readout under the mouse or at the cursor
    // The recorded point the keyboard stands on, oldest first from 0; -1 for none. The left
    // and right arrows step through the points, Inicio and Fin go to the first and last.
    int m_nCursor = -1;

    QImage Pintar() const;
    // Pixels per millilitre and per pH unit at the graph's present size and scale.
    double PixelesPorMl() const;
    double PixelesPorPH() const;
    // Volume and pH at a point of the widget (0 and 0 while the graph has no room).
    void AValores(const QPoint& pt, double& dVol, double& dPH) const;

    // Puts the keyboard's cursor on a recorded point (clamped) and shows its values.
    void IrAPunto(int nPunto);

protected:
    void paintEvent(QPaintEvent*) override;
    void mouseMoveEvent(QMouseEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;
};

class CDlgGrafica : public QDialog {
    Q_OBJECT
public:
    explicit CDlgGrafica(CRecipiente* pBureta, QWidget* pPadre = nullptr);

    CGrafica* m_pGrafica;
    QSlider* m_pEscala;
    QLabel* m_pPendiente; // the steepest point of the curve, in words
    CRecipiente* m_pBureta;
    bool m_bVisible = true;

    // The curve grew or the bench changed: the graph and its readouts again.
    void Actualizar();
    // The graph of another burette (the same one, put back by undo).
    void SetBureta(CRecipiente* pBureta);

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
