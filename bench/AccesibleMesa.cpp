#include "bench/AccesibleMesa.h"

#include "bench/ChildView.h"
#include "bench/DlgTitulacion.h"
#include "document/Practica.h"
#include "equipment/ListaEquipo.h"
#include "equipment/Recipiente.h"
#include "model/NombreColor.h"

#include <QAbstractButton>
#include <QCoreApplication>
#include <QGridLayout>
#include <QLabel>
#include <QLayout>

#include <algorithm>
#include <iterator>

namespace {

constexpr const char* kNombreMesa = "Mesa de trabajo";

QString Traducir(const char* pszTexto) {
    return QCoreApplication::translate("CAccesibleMesa", pszTexto);
}

// Where an item is, in the words a student uses: on what it stands, under what it hangs, or
// beside which item it is; nothing when no item is near. Measured on the items' bounds, as
// the titration finds the vessel under the burette's tip.
QString Lugar(const CListaEquipo& lista, const CEquipo& e) {
    constexpr int kHolgura = 15;   // pixels of the bench between two items that touch
    constexpr int kCercania = 300; // farther than this, an item is not "beside" another
    const QRect a = e.m_rcArea;
    const CEquipo *pSobre = nullptr, *pBajo = nullptr, *pLado = nullptr;
    int dSobre = kHolgura + 1, dBajo = kHolgura + 1, dLado = kCercania + 1;
    for (const CEquipo* o : lista) {
        if (o == &e || o->Montaje() == &e || e.Montaje() == o)
            continue;
        const QRect b = o->m_rcArea;
        const bool bEnColumna = a.left() < b.right() && b.left() < a.right();
        if (bEnColumna) {
            // Standing on it: its foot at the other's top, give or take.
            const int dPie = std::abs(a.bottom() - b.top());
            if (a.bottom() <= b.top() + b.height() / 2 && dPie < dSobre) {
                dSobre = dPie;
                pSobre = o;
            }
            const int dCabeza = std::abs(b.bottom() - a.top());
            if (b.bottom() <= a.top() + a.height() / 2 && dCabeza < dBajo) {
                dBajo = dCabeza;
                pBajo = o;
            }
        } else if (a.top() < b.bottom() && b.top() < a.bottom()) {
            const int d = a.right() < b.left() ? b.left() - a.right() : a.left() - b.right();
            if (d < dLado) {
                dLado = d;
                pLado = o;
            }
        }
    }
    QStringList partes;
    if (pSobre)
        partes << Traducir("sobre %1").arg(Accesible::Nombre(*pSobre));
    if (pBajo)
        partes << Traducir("bajo %1").arg(Accesible::Nombre(*pBajo));
    if (partes.isEmpty() && pLado)
        partes << (a.center().x() < pLado->m_rcArea.center().x() ? Traducir("a la izquierda de %1")
                                                                 : Traducir("a la derecha de %1"))
                      .arg(Accesible::Nombre(*pLado));
    return partes.join(QStringLiteral(", "));
}

// The item's line and its place.
QString Linea(const CListaEquipo& lista, const CEquipo& e) {
    QString s = e.Descripcion();
    const QString strLugar = Lugar(lista, e);
    if (!strLugar.isEmpty())
        s += (s.isEmpty() ? QString() : QStringLiteral(", ")) + strLugar;
    return s;
}

// One item of the bench as a screen reader sees it. It reads the item live; once the item
// has left the bench (or the view is gone) it is no longer valid.
class CAccesibleEquipo : public QAccessibleInterface {
public:
    CAccesibleEquipo(CChildView* pVista, CEquipo* pEquipo) : m_pVista(pVista), m_pEquipo(pEquipo) {}

    bool isValid() const override {
        return m_pVista && m_pVista->Practica().m_listaEquipo.Contiene(m_pEquipo);
    }
    QObject* object() const override { return nullptr; }
    QWindow* window() const override {
        return m_pVista ? m_pVista->window()->windowHandle() : nullptr;
    }
    QAccessibleInterface* parent() const override {
        return m_pVista ? QAccessible::queryAccessibleInterface(m_pVista.data()) : nullptr;
    }
    QAccessibleInterface* child(int) const override { return nullptr; }
    int childCount() const override { return 0; }
    int indexOfChild(const QAccessibleInterface*) const override { return -1; }
    QAccessibleInterface* childAt(int, int) const override { return nullptr; }

    QString text(QAccessible::Text t) const override {
        if (!isValid())
            return {};
        switch (t) {
        case QAccessible::Name:
            return Accesible::Nombre(*m_pEquipo);
        case QAccessible::Description:
            return Linea(m_pVista->Practica().m_listaEquipo, *m_pEquipo);
        default:
            return {};
        }
    }
    void setText(QAccessible::Text, const QString&) override {}

    QRect rect() const override {
        if (!isValid())
            return {};
        const QRect rc = m_pVista->ACliente(m_pEquipo->m_rcArea);
        return QRect(m_pVista->mapToGlobal(rc.topLeft()), rc.size());
    }
    QAccessible::Role role() const override { return QAccessible::ListItem; }
    QAccessible::State state() const override {
        QAccessible::State s;
        if (!isValid()) {
            s.invalid = true;
            return s;
        }
        s.focusable = true;
        s.selectable = true;
        s.selected = m_pVista->m_pSeleccion == m_pEquipo;
        s.focused = s.selected && m_pVista->hasFocus();
        if (!m_pVista->AreaVisible().intersects(m_pEquipo->m_rcArea))
            s.offscreen = true;
        if (!m_pVista->isVisible())
            s.invisible = true;
        return s;
    }

    CEquipo* Equipo() const { return m_pEquipo; }

private:
    QPointer<CChildView> m_pVista;
    CEquipo* m_pEquipo; // compared, and read only while it is on the bench
};

// The bench's spoken notice. Screen readers of this generation drop the text of a changed
// name or description (they are handed the object instead), but speak a notification each
// time it is shown, wherever the focus is.
class CAccesibleAviso : public QAccessibleInterface {
public:
    explicit CAccesibleAviso(CChildView* pVista) : m_pVista(pVista) {}

    bool isValid() const override { return m_pVista; }
    QObject* object() const override { return nullptr; }
    QWindow* window() const override {
        return m_pVista ? m_pVista->window()->windowHandle() : nullptr;
    }
    QAccessibleInterface* parent() const override {
        return m_pVista ? QAccessible::queryAccessibleInterface(m_pVista.data()) : nullptr;
    }
    QAccessibleInterface* child(int) const override { return nullptr; }
    int childCount() const override { return 0; }
    int indexOfChild(const QAccessibleInterface*) const override { return -1; }
    QAccessibleInterface* childAt(int, int) const override { return nullptr; }
    QString text(QAccessible::Text t) const override {
        auto* m = Mesa();
        return m && t == QAccessible::Name ? m->Aviso() : QString();
    }
    void setText(QAccessible::Text, const QString&) override {}
    QRect rect() const override {
        // A line along the top of the bench: readers skip what has no size.
        if (!m_pVista)
            return {};
        return QRect(m_pVista->mapToGlobal(QPoint(0, 0)), QSize(m_pVista->width(), 1));
    }
    QAccessible::Role role() const override { return QAccessible::Notification; }
    QAccessible::State state() const override {
        QAccessible::State s;
        auto* m = Mesa();
        if (!m || !m->AvisoVisible() || !m_pVista->isVisible())
            s.invisible = true;
        s.readOnly = true;
        return s;
    }

private:
    CAccesibleMesa* Mesa() const {
        return m_pVista ? dynamic_cast<CAccesibleMesa*>(
                              QAccessible::queryAccessibleInterface(m_pVista.data()))
                        : nullptr;
    }
    QPointer<CChildView> m_pVista;
};

// The colour of a vessel's liquid in words, or nothing for what holds none.
QString ColorDe(const CEquipo& e) {
    const CRecipiente* r = e.Recipiente();
    if (!r || !(r->VolumenLiquido() > 0.0))
        return {};
    return QString::fromStdString(NombreColor(r->m_seno.ColorDe(ESTADO_LIQUIDO).m_crColor));
}

QAccessibleInterface* Fabrica(const QString& strClase, QObject* o) {
    if (strClase == QLatin1String("CChildView"))
        if (auto* v = qobject_cast<CChildView*>(o))
            return new CAccesibleMesa(v);
    return nullptr;
}

} // namespace

void Accesible::InstalarMesa() {
    static const bool bInstalada = [] {
        QAccessible::installFactory(Fabrica);
        CLlaveBureta::InstalarAccesible();
        return true;
    }();
    Q_UNUSED(bInstalada);
}

QString Accesible::Nombre(const CEquipo& e) {
    QString s = QString::fromStdString(e.m_strNombre);
    if (!e.m_strEtiqueta.empty())
        s += QStringLiteral(", rótulo %1").arg(QString::fromStdString(e.m_strEtiqueta));
    return s;
}

void Accesible::NombrarControles(QWidget* pVentana) {
    auto rotulo = [](QWidget* w) {
        QString s;
        if (auto* l = qobject_cast<QLabel*>(w); l && !l->buddy())
            s = l->text();
        else if (auto* b = qobject_cast<QAbstractButton*>(w))
            s = b->text();
        s = s.trimmed();
        // Only a text that introduces a field: "Cantidad:", "Aforar a:".
        if (!s.endsWith(QLatin1Char(':')))
            return QString();
        s.chop(1);
        return s.remove(QLatin1Char('&')).trimmed();
    };
    QList<QLayout*> capas = pVentana->findChildren<QLayout*>();
    for (QLayout* capa : capas) {
        auto* rejilla = qobject_cast<QGridLayout*>(capa);
        for (int i = 0; i < capa->count(); ++i) {
            const QString s = rotulo(capa->itemAt(i)->widget());
            if (s.isEmpty())
                continue;
            QLayoutItem* pSiguiente = nullptr;
            if (rejilla) {
                int f = 0, c = 0, nf = 0, nc = 0;
                rejilla->getItemPosition(i, &f, &c, &nf, &nc);
                pSiguiente = rejilla->itemAtPosition(f, c + nc);
            } else if (i + 1 < capa->count()) {
                pSiguiente = capa->itemAt(i + 1);
            }
            QWidget* pCampo = pSiguiente ? pSiguiente->widget() : nullptr;
            if (!pCampo || (pCampo->focusPolicy() == Qt::NoFocus && !pCampo->focusProxy()))
                continue;
            // A compound field (number and arrows) is read through the part that takes the
            // focus.
            for (QWidget* w : {pCampo, pCampo->focusProxy()})
                if (w && w->accessibleName().isEmpty())
                    w->setAccessibleName(s);
        }
    }
}

CAccesibleMesa::CAccesibleMesa(CChildView* pVista)
    : QAccessibleWidget(pVista, QAccessible::List, QString::fromUtf8(kNombreMesa)) {
    for (const CEquipo* e : pVista->Practica().m_listaEquipo)
        m_iniciales.insert(e);
}

CAccesibleMesa::~CAccesibleMesa() {
    for (const auto& [pEquipo, id] : m_ids)
        QAccessible::deleteAccessibleInterface(id);
    if (m_idAviso)
        QAccessible::deleteAccessibleInterface(m_idAviso);
}

QAccessibleInterface* CAccesibleMesa::InterfazAviso() const {
    if (m_idAviso)
        if (QAccessibleInterface* i = QAccessible::accessibleInterface(m_idAviso))
            return i;
    QAccessibleInterface* i = new CAccesibleAviso(Vista());
    m_idAviso = QAccessible::registerAccessibleInterface(i);
    return i;
}

void CAccesibleMesa::Anunciar(const QString& strTexto) {
    if (strTexto.isEmpty())
        return;
    CChildView* v = Vista();
    const int i = IndiceAviso();
    auto avisar = [&](QAccessible::Event eTipo) {
        QAccessibleEvent ev(v, eTipo);
        ev.setChild(i);
        QAccessible::updateAccessibility(&ev);
        if (m_pAvisos)
            m_pAvisos->emplace_back(eTipo, i);
    };
    // Hidden first, so that the notice is shown anew even when it already was.
    if (m_bAvisoVisible) {
        m_bAvisoVisible = false;
        avisar(QAccessible::ObjectHide);
    }
    m_strAviso = strTexto;
    m_bAvisoVisible = true;
    avisar(QAccessible::ObjectShow);
}

CChildView* CAccesibleMesa::Vista() const {
    return static_cast<CChildView*>(widget());
}

QString CAccesibleMesa::text(QAccessible::Text t) const {
    if (t == QAccessible::Name && widget()->accessibleName().isEmpty())
        return QString::fromUtf8(kNombreMesa);
    if (t == QAccessible::Description && widget()->accessibleDescription().isEmpty()) {
        CChildView* v = Vista();
        if (const CEquipo* e = v->m_pSeleccion) {
            const QString d = Linea(v->Practica().m_listaEquipo, *e);
            return QStringLiteral("Seleccionado: %1").arg(Accesible::Nombre(*e)) +
                   (d.isEmpty() ? QString() : QStringLiteral(" (%1)").arg(d));
        }
        const size_t n = Vista()->Practica().m_listaEquipo.size();
        return n == 1 ? Traducir("1 pieza en la mesa") : Traducir("%1 piezas en la mesa").arg(n);
    }
    return QAccessibleWidget::text(t);
}

QList<QWidget*> CAccesibleMesa::Widgets() const {
    QList<QWidget*> l;
    for (QObject* o : widget()->children())
        if (auto* w = qobject_cast<QWidget*>(o); w && !w->isWindow() && w->isVisible())
            l << w;
    return l;
}

void CAccesibleMesa::Podar() const {
    const CListaEquipo& lista = Vista()->Practica().m_listaEquipo;
    for (auto it = m_ids.begin(); it != m_ids.end();)
        if (!lista.Contiene(it->first)) {
            QAccessible::deleteAccessibleInterface(it->second);
            it = m_ids.erase(it);
        } else {
            ++it;
        }
}

int CAccesibleMesa::childCount() const {
    return static_cast<int>(Vista()->Practica().m_listaEquipo.size()) +
           static_cast<int>(Widgets().size()) + 1;
}

QAccessibleInterface* CAccesibleMesa::Hijo(CEquipo* pEquipo) const {
    if (!pEquipo || !Vista()->Practica().m_listaEquipo.Contiene(pEquipo))
        return nullptr;
    if (auto it = m_ids.find(pEquipo); it != m_ids.end())
        if (QAccessibleInterface* i = QAccessible::accessibleInterface(it->second))
            return i;
    Podar();
    QAccessibleInterface* i = new CAccesibleEquipo(Vista(), pEquipo);
    m_ids[pEquipo] = QAccessible::registerAccessibleInterface(i);
    return i;
}

int CAccesibleMesa::Indice(const CEquipo* pEquipo) const {
    int i = 0;
    for (const CEquipo* e : Vista()->Practica().m_listaEquipo) {
        if (e == pEquipo)
            return i;
        ++i;
    }
    return -1;
}

QAccessibleInterface* CAccesibleMesa::child(int nIndice) const {
    const CListaEquipo& lista = Vista()->Practica().m_listaEquipo;
    const int n = static_cast<int>(lista.size());
    if (nIndice < 0)
        return nullptr;
    if (nIndice < n)
        return Hijo(*std::next(lista.begin(), nIndice));
    const QList<QWidget*> w = Widgets();
    if (nIndice - n < w.size())
        return QAccessible::queryAccessibleInterface(w[nIndice - n]);
    return nIndice - n == w.size() ? InterfazAviso() : nullptr;
}

int CAccesibleMesa::indexOfChild(const QAccessibleInterface* pHijo) const {
    if (!pHijo)
        return -1;
    if (auto* e = dynamic_cast<const CAccesibleEquipo*>(pHijo))
        return Indice(e->Equipo());
    if (dynamic_cast<const CAccesibleAviso*>(pHijo))
        return IndiceAviso();
    const int i = static_cast<int>(Widgets().indexOf(qobject_cast<QWidget*>(pHijo->object())));
    return i < 0 ? -1 : static_cast<int>(Vista()->Practica().m_listaEquipo.size()) + i;
}

QAccessibleInterface* CAccesibleMesa::childAt(int x, int y) const {
    CChildView* v = Vista();
    const QPoint pt = v->mapFromGlobal(QPoint(x, y));
    for (QWidget* w : Widgets())
        if (w->geometry().contains(pt))
            return QAccessible::queryAccessibleInterface(w);
    // The topmost item drawn there, as a click would find it.
    const QPoint ptBanco = v->ToBench(pt);
    const CListaEquipo& lista = v->Practica().m_listaEquipo;
    for (auto it = std::make_reverse_iterator(lista.end());
         it != std::make_reverse_iterator(lista.begin()); ++it)
        if ((*it)->HitTestForma(ptBanco))
            return Hijo(*it);
    return nullptr;
}

QAccessibleInterface* CAccesibleMesa::focusChild() const {
    CChildView* v = Vista();
    if (!v->hasFocus())
        return QAccessibleWidget::focusChild();
    if (v->Vertiendo() && v->Candidato())
        return Hijo(v->Candidato());
    return Hijo(v->m_pSeleccion);
}

std::vector<std::pair<QAccessible::Event, int>> CAccesibleMesa::AvisarCambios() {
    CChildView* v = Vista();
    Podar();
    std::vector<std::pair<QAccessible::Event, int>> avisos;
    auto avisar = [&](QAccessible::Event eTipo, int nHijo) {
        QAccessibleEvent ev(v, eTipo);
        ev.setChild(nHijo);
        QAccessible::updateAccessibility(&ev);
        avisos.emplace_back(eTipo, nHijo);
    };
    const CListaEquipo& lista = v->Practica().m_listaEquipo;
    if (lista.size() != m_nVistos) {
        m_nVistos = lista.size();
        avisar(QAccessible::ObjectReorder, -1);
    }
    QStringList dichos;
    std::map<const CEquipo*, Visto> vistos;
    int i = 0;
    for (const CEquipo* e : lista) {
        Visto ahora{Linea(lista, *e), e->m_rcArea, Accesible::Nombre(*e), ColorDe(*e),
                    Lugar(lista, *e)};
        const auto it = m_vistos.find(e);
        const bool bNuevo = it == m_vistos.end();
        if (bNuevo || it->second.strDescripcion != ahora.strDescripcion)
            avisar(QAccessible::DescriptionChanged, i);
        if (bNuevo || it->second.rc != ahora.rc)
            avisar(QAccessible::LocationChanged, i);
        if (!m_bVistos && bNuevo && !m_iniciales.count(e))
            dichos << Traducir("%1 colocado en la mesa").arg(ahora.strNombre);
        if (m_bVistos) {
            // The selected item's line is what the student is looking at; a reading is what
            // an instrument is there for; a colour may be the end point.
            const bool bSeleccionado = e == v->m_pSeleccion;
            if (bNuevo)
                dichos << Traducir("%1 colocado en la mesa").arg(ahora.strNombre);
            else if (it->second.strDescripcion != ahora.strDescripcion &&
                     (bSeleccionado || e->Lectura())) {
                // After a move, only the new place is news.
                const bool bSoloLugar = it->second.strLugar != ahora.strLugar &&
                                        it->second.strDescripcion.startsWith(e->Descripcion());
                if (!bSoloLugar)
                    dichos << QStringLiteral("%1: %2").arg(ahora.strNombre, ahora.strDescripcion);
                else if (ahora.strLugar.isEmpty())
                    dichos << Traducir("%1: ya no está junto a otra pieza").arg(ahora.strNombre);
                else
                    dichos << QStringLiteral("%1: %2").arg(ahora.strNombre, ahora.strLugar);
            } else if (it->second.strColor != ahora.strColor && !ahora.strColor.isEmpty())
                dichos << Traducir("%1: ahora %2").arg(ahora.strNombre, ahora.strColor);
        }
        vistos.emplace(e, std::move(ahora));
        ++i;
    }
    if (m_bVistos)
        for (const auto& [e, visto] : m_vistos)
            if (!vistos.count(e))
                dichos << Traducir("%1 retirado de la mesa").arg(visto.strNombre);
    m_vistos = std::move(vistos);
    m_bVistos = true;
    m_iniciales.clear();
    m_pAvisos = &avisos;
    Anunciar(dichos.join(QStringLiteral("; ")));
    m_pAvisos = nullptr;
    return avisos;
}

// The view's side: what it tells screen readers, and when.

void CChildView::AvisarSeleccion() {
    if (!QAccessible::isActive())
        return;
    auto* pMesa = dynamic_cast<CAccesibleMesa*>(QAccessible::queryAccessibleInterface(this));
    if (!pMesa)
        return;
    QAccessibleEvent descripcion(this, QAccessible::DescriptionChanged);
    QAccessible::updateAccessibility(&descripcion);
    const int i = pMesa->Indice(m_pSeleccion);
    if (i < 0)
        return;
    QAccessibleEvent seleccion(this, QAccessible::Selection);
    seleccion.setChild(i);
    QAccessible::updateAccessibility(&seleccion);
    if (hasFocus()) {
        QAccessibleEvent foco(this, QAccessible::Focus);
        foco.setChild(i);
        QAccessible::updateAccessibility(&foco);
    }
}

void CChildView::AnunciarLectores(const QString& strTexto) {
    if (!QAccessible::isActive())
        return;
    if (auto* pMesa = dynamic_cast<CAccesibleMesa*>(QAccessible::queryAccessibleInterface(this)))
        pMesa->Anunciar(strTexto);
}

void CChildView::AvisarLectores() {
    // Nothing is worked out while no screen reader listens.
    if (!QAccessible::isActive())
        return;
    if (auto* pMesa = dynamic_cast<CAccesibleMesa*>(QAccessible::queryAccessibleInterface(this)))
        pMesa->AvisarCambios();
}
