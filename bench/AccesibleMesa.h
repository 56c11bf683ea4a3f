// What screen readers find on the bench: the bench view as a list whose entries are the
// items, in bench order, each with its Spanish name, its place on the screen and a line on
// its contents, temperature or reading.
#pragma once

#include <QAccessibleWidget>
#include <QPointer>
#include <QString>

#include <map>
#include <set>
#include <utility>
#include <vector>

class CChildView;
class CEquipo;

namespace Accesible {

// Registers the bench view's accessible interface with Qt (once; later calls do nothing).
void InstalarMesa();
// The item's name as screen readers say it: its type's name and, if any, its label.
QString Nombre(const CEquipo& e);
// Gives every field of a window that has no name of its own the text of the label or option
// before it in its layout row ("Cantidad:" names the amount's field "Cantidad").
void NombrarControles(QWidget* pVentana);

} // namespace Accesible

class CAccesibleMesa : public QAccessibleWidget {
public:
    explicit CAccesibleMesa(CChildView* pVista);
    ~CAccesibleMesa() override;

    QString text(QAccessible::Text t) const override;
    int childCount() const override;
    QAccessibleInterface* child(int nIndice) const override;
    int indexOfChild(const QAccessibleInterface* pHijo) const override;
    QAccessibleInterface* childAt(int x, int y) const override;
    QAccessibleInterface* focusChild() const override;

    // The interface of an item on the bench (made on first use, kept while it is there).
    QAccessibleInterface* Hijo(CEquipo* pEquipo) const;
    int Indice(const CEquipo* pEquipo) const;
    // Sends a description or location event for every item whose line or place changed
    // since the last call, and a reorder when items came or went; says aloud what a student
    // must hear (items placed or taken away, the selected item's new line, a new reading, a
    // vessel's new colour); returns what it sent (event and child).
    std::vector<std::pair<QAccessible::Event, int>> AvisarCambios();
    // Has screen readers say the text now, whatever has the focus: the bench's last child
    // is a notification that is shown anew with it.
    void Anunciar(const QString& strTexto);
    QString Aviso() const { return m_strAviso; }
    bool AvisoVisible() const { return m_bAvisoVisible; }

private:
    CChildView* Vista() const;
    // Child widgets of the view that screen readers see after the items (the invitation).
    QList<QWidget*> Widgets() const;
    // Forgets the interfaces of items that left the bench.
    void Podar() const;
    QAccessibleInterface* InterfazAviso() const;
    int IndiceAviso() const { return childCount() - 1; }

    mutable std::map<const CEquipo*, QAccessible::Id> m_ids;
    struct Visto {
        QString strDescripcion;
        QRect rc;
        QString strNombre;
        QString strColor;
        QString strLugar;
    };
    std::map<const CEquipo*, Visto> m_vistos;
    size_t m_nVistos = 0;
    bool m_bVistos = false;
    std::set<const CEquipo*> m_iniciales; // the bench as first found is not news
    QString m_strAviso;
    bool m_bAvisoVisible = false;
    mutable QAccessible::Id m_idAviso = 0;
    std::vector<std::pair<QAccessible::Event, int>>* m_pAvisos = nullptr;
};
