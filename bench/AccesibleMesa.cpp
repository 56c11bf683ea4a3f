#include "bench/AccesibleMesa.h"

#include "bench/ChildView.h"
#include "document/Practica.h"
#include "equipment/Calentadores.h"
#include "equipment/Calorimetro.h"
#include "equipment/Instrumentos.h"
#include "equipment/ListaEquipo.h"
#include "equipment/Recipiente.h"

#include <QAbstractButton>
#include <QCoreApplication>
#include <QGridLayout>
#include <QLabel>
#include <QLayout>

#include <algorithm>
#include <iterator>

namespace {

constexpr const char* kNombreMesa = "Mesa de trabajo";

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
            return Accesible::Descripcion(*m_pEquipo);
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

QString Accesible::Descripcion(const CEquipo& e) {
    // What the properties window and the instruments' displays show, said in one line.
    if (auto* r = dynamic_cast<const CRecipiente*>(&e)) {
        QString s = QStringLiteral("%1 ml, %2 °C")
                        .arg(r->VolumenLiquido(), 0, 'f', 1)
                        .arg(r->Temperatura(), 0, 'f', 0);
        const double ph = r->PH();
        if (ph >= 0.0)
            s += QStringLiteral(", pH %1").arg(ph, 0, 'f', 2);
        if (r->VolumenSolido() > 0.0)
            s += QStringLiteral(", %1 g de sólido").arg(r->m_seno.MasaDe(ESTADO_SOLIDO), 0, 'f', 2);
        return s;
    }
    if (auto* b = dynamic_cast<const CBalanza*>(&e))
        return QStringLiteral("%1 g").arg(b->Peso(), 0, 'f', 4);
    if (auto* p = dynamic_cast<const CPHmetro*>(&e))
        return p->Texto();
    if (auto* c = dynamic_cast<const CConductimetro*>(&e))
        return QStringLiteral("Concentración de iones: %1").arg(c->m_dLectura, 0, 'g', 4);
    if (auto* l = dynamic_cast<const CInstrumentoLectura*>(&e)) // thermometer, calorimeter lid
        return QStringLiteral("%1 °C").arg(l->m_dLectura, 0, 'f', 0);
    if (auto* a = dynamic_cast<const CAgitador*>(&e))
        return a->m_nPaso >= 0 ? QStringLiteral("Agitando") : QStringLiteral("En reposo");
    if (auto* p = dynamic_cast<const CParrilla*>(&e))
        return p->Nivel() > 0 ? QCoreApplication::translate("Accesible", "Encendida, nivel %1 de 5")
                                    .arg(p->Nivel())
                              : QCoreApplication::translate("Accesible", "Apagada");
    if (dynamic_cast<const CMechero*>(&e))
        return QStringLiteral("Encendido");
    return {};
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
    : QAccessibleWidget(pVista, QAccessible::List, QString::fromUtf8(kNombreMesa)) {}

CAccesibleMesa::~CAccesibleMesa() {
    for (const auto& [pEquipo, id] : m_ids)
        QAccessible::deleteAccessibleInterface(id);
}

CChildView* CAccesibleMesa::Vista() const {
    return static_cast<CChildView*>(widget());
}

QString CAccesibleMesa::text(QAccessible::Text t) const {
    if (t == QAccessible::Name && widget()->accessibleName().isEmpty())
        return QString::fromUtf8(kNombreMesa);
    if (t == QAccessible::Description && widget()->accessibleDescription().isEmpty()) {
        const CChildView* v = Vista();
        if (const CEquipo* e = v->m_pSeleccion) {
            const QString d = Accesible::Descripcion(*e);
            return QStringLiteral("Seleccionado: %1").arg(Accesible::Nombre(*e)) +
                   (d.isEmpty() ? QString() : QStringLiteral(" (%1)").arg(d));
        }
        return QStringLiteral("%1 piezas en la mesa").arg(Vista()->Practica().m_listaEquipo.size());
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
           static_cast<int>(Widgets().size());
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
    return nIndice - n < w.size() ? QAccessible::queryAccessibleInterface(w[nIndice - n]) : nullptr;
}

int CAccesibleMesa::indexOfChild(const QAccessibleInterface* pHijo) const {
    if (!pHijo)
        return -1;
    if (auto* e = dynamic_cast<const CAccesibleEquipo*>(pHijo))
        return Indice(e->Equipo());
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
    std::map<const CEquipo*, Visto> vistos;
    int i = 0;
    for (const CEquipo* e : lista) {
        Visto ahora{Accesible::Descripcion(*e), e->m_rcArea};
        const auto it = m_vistos.find(e);
        if (it == m_vistos.end() || it->second.strDescripcion != ahora.strDescripcion)
            avisar(QAccessible::DescriptionChanged, i);
        if (it == m_vistos.end() || it->second.rc != ahora.rc)
            avisar(QAccessible::LocationChanged, i);
        vistos.emplace(e, std::move(ahora));
        ++i;
    }
    m_vistos = std::move(vistos);
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

void CChildView::AvisarLectores() {
    // Nothing is worked out while no screen reader listens.
    if (!QAccessible::isActive())
        return;
    if (auto* pMesa = dynamic_cast<CAccesibleMesa*>(QAccessible::queryAccessibleInterface(this)))
        pMesa->AvisarCambios();
}
