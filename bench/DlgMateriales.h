// The dialogs that gather what a bench command needs: water, a reagent, an indicator, the
// millilitres a graduated pipette moves, and the side of a delivery tube's outlet.
#pragma once

#include <QDialog>

class CCampoNumero;
class QLabel;
class QListWidget;
class QRadioButton;

class CDlgAgua : public QDialog {
    Q_OBJECT
public:
    explicit CDlgAgua(QWidget* pPadre = nullptr);

    double m_dCapacidadVaso = 0.0;
    double m_dVolumenVaso = 0.0; // what the vessel already holds
    int m_nModo = 0;             // 0 add, 1 fill up to the mark
    double m_dAdicionar = 0.0;
    double m_dAforar = 0.0;
    double m_dAgua = 0.0; // result: millilitres to add

    CCampoNumero* m_pAdicionar;
    CCampoNumero* m_pAforar;
    QRadioButton* m_pModoAdicionar;
    QRadioButton* m_pModoAforar;

    void accept() override;

protected:
    void showEvent(QShowEvent* e) override;

private:
    void CambiarModo(int nModo);
};

class CCatalogo;

class CDlgReactivo : public QDialog {
    Q_OBJECT
public:
    // The reagents of the practice's catalogue; bIndicador: the indicator dialog, which
    // lists its indicators and asks for drops.
    explicit CDlgReactivo(const CCatalogo& catalogo, QWidget* pPadre = nullptr,
                          bool bIndicador = false);

    double m_dCantidad = 0.0;
    QString m_strUnidad;
    int m_nGotas = 1;
    int m_nIndiceReactivo = 0;
    int m_nIndiceIndicador = 0;
    bool m_bIndicador;

    QListWidget* m_pLista;
    CCampoNumero* m_pCantidad;
    QLabel* m_pUnidad;

    void accept() override;

protected:
    void showEvent(QShowEvent* e) override;

private:
    void SeleccionCambiada();
    const CCatalogo& m_catalogo;
};

// The indicator dialog: the same arrangement over the catalogue's indicators.
class CDlgIndicador : public CDlgReactivo {
    Q_OBJECT
public:
    explicit CDlgIndicador(const CCatalogo& catalogo, QWidget* pPadre = nullptr)
        : CDlgReactivo(catalogo, pPadre, true) {}
};

class CDlgMililitros : public QDialog {
    Q_OBJECT
public:
    explicit CDlgMililitros(double dMaximo, QWidget* pPadre = nullptr);
    double m_dMaximo;
    double m_dMililitros = 1.0;
    CCampoNumero* m_pValor;
    void accept() override;
};

class CDlgSalida : public QDialog {
    Q_OBJECT
public:
    explicit CDlgSalida(QWidget* pPadre = nullptr);
    int m_nSalida = 0; // 0 outlet to the right, 1 to the left
    QRadioButton* m_pDerecha;
    QRadioButton* m_pIzquierda;
    // The choice shown when the dialog ends, however it ends.
    int Salida() const;
};
