// A number field as the dialogs use it: an edit with small up and down arrows that step an
// integer within a range (wrapping round), while a typed value is not limited by the range;
// and the readings that refuse what is not a number, with the program's Spanish messages.
#pragma once

#include <QLineEdit>
#include <QWidget>

class QToolButton;

class CCampoNumero : public QWidget {
    Q_OBJECT
public:
    explicit CCampoNumero(QWidget* pPadre = nullptr);

    QLineEdit* Edit() const { return m_pEdit; }
    void SetRango(int nMin, int nMax);
    int Minimo() const { return m_nMin; }
    int Maximo() const { return m_nMax; }
    // The shortest general form, up to 15 significant digits (1.0 shows as "1").
    void SetValor(double d);
    QString Texto() const { return m_pEdit->text(); }
    // One arrow step (+1 up, -1 down), as a click on the arrows does.
    void Paso(int nSentido);

    // Reads a number; on failure shows "Introduzca un número.", focuses the field and
    // returns false, so that the dialog stays open.
    bool LeerNumero(double& d);
    // Reads an amount to add or to move: a number above zero and no larger than dMaximo.
    // Zero, a negative, a non-finite or an absurd amount is refused with a message.
    bool LeerCantidad(double& d, double dMaximo);
    // Reads an integer within [nMin, nMax] with the integer messages.
    bool LeerEntero(int& n, int nMin, int nMax);

    QToolButton* m_pArriba;
    QToolButton* m_pAbajo;

protected:
    // The arrow keys in the edit step like the arrows.
    bool eventFilter(QObject* o, QEvent* e) override;

private:
    void Rechazar(const QString& strMensaje);

    QLineEdit* m_pEdit;
    int m_nMin = 0;
    int m_nMax = 100;
};

// Places a dialog at the top right corner of the screen, 10 pixels from its edges.
void ArribaDerecha(QWidget* pDialogo);
