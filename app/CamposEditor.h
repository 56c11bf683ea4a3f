// The small widgets every page of the practice editor shares: a name field, a number field,
// a colour button, a list with its "Agregar" and "Eliminar" buttons, and the fillers of the
// substance combos and the lists.
#pragma once

#include <QColor>
#include <QLineEdit>
#include <QPushButton>
#include <QStringList>

#include <functional>

class CCatalogo;
class QComboBox;
class QListWidget;

namespace CamposEditor {

// A name field: never longer than a file keeps a name (a paste cut to it says so), with a
// warning sign while it holds a text only the format's newer version can keep.
QLineEdit* CampoTexto(QWidget* pPadre);

// The list of a page with its "Agregar" and "Eliminar" buttons under it.
struct Lista {
    QListWidget* pLista;
    QPushButton* pAgregar;
    QPushButton* pEliminar;
    QWidget* pCaja;
};
Lista CrearLista(QWidget* pPadre, const QString& strAgregar);

// The page laid out as the list on the left and the fields of its entry on the right.
void DosColumnas(QWidget* pPagina, QWidget* pIzquierda, QWidget* pDerecha);

// Fills a combo with strPrimero (when given, standing for -1) and the practice's substances.
void LlenarSustancias(QComboBox* c, const CCatalogo& cat, const QString& strPrimero = {});
// Shows the entry of the combo holding nDato, the first when none does.
void Elegir(QComboBox* c, int nDato);
// Refills a list keeping the selected row where it can.
void LlenarLista(QListWidget* l, const QStringList& textos);

} // namespace CamposEditor

// A number field: only digits, a sign, one decimal point (or comma) and an exponent can be
// typed; a field left empty or unfinished shows the value it had (unless it may be empty).
class CNumero : public QLineEdit {
public:
    explicit CNumero(QWidget* pPadre);
    void Mostrar(double d);
    bool Leer(double& d) const;
    std::function<void(double)> m_fnCambio = [](double) {};
    // An optional value: the field may be left empty, which calls fnVacio; MostrarVacio shows
    // it so (what a field left unfinished goes back to, too).
    void PermitirVacio(std::function<void()> fnVacio);
    void MostrarVacio();

private:
    double m_dValor = 0.0;
    bool m_bVacio = false;
    std::function<void()> m_fnVacio;
};

// A button showing a colour; a click chooses another with the dialog's chooser.
class CBotonColor : public QPushButton {
public:
    CBotonColor(QWidget* pPadre, std::function<QColor(const QColor&)>* pfnElegir);
    // bVisible false: the colour is kept but not shown (it belongs to nothing there is yet).
    void Mostrar(const QColor& c, bool bVisible = true);
    std::function<void(const QColor&)> m_fnCambio = [](const QColor&) {};

private:
    QColor m_color;
};
