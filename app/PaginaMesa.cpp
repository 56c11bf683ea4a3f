#include "app/PaginaMesa.h"

#include "bench/Mensajes.h"
#include "document/EditorPractica.h"
#include "equipment/Recipiente.h"
#include "equipment/TiposEquipo.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QLocale>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

// An item by the name its menu entry gives it, a vessel with what it holds.
QString TextoPieza(const CEquipo* e) {
    const CTipoEquipo* t = BuscarTipo(e->m_nTipo);
    QString strTexto = t && t->pszIndicacion
                           ? QString::fromUtf8(t->pszIndicacion).section(QLatin1Char('\n'), 1)
                           : QString();
    if (strTexto.isEmpty() && t && t->pszMenu)
        strTexto = QString::fromUtf8(t->pszMenu).remove(QLatin1Char('&'));
    if (strTexto.isEmpty())
        strTexto = QStringLiteral("Pieza de equipo");
    if (const CRecipiente* r = e->Recipiente()) {
        QStringList contenido;
        if (r->VolumenLiquido() > 0.0)
            contenido << QStringLiteral("%1 ml de líquido")
                             .arg(QLocale().toString(r->VolumenLiquido(), 'f', 1));
        if (r->m_seno.MasaDe(ESTADO_SOLIDO) > 0.0)
            contenido << QStringLiteral("%1 g de sólido")
                             .arg(QLocale().toString(r->m_seno.MasaDe(ESTADO_SOLIDO), 'f', 2));
        if (!contenido.isEmpty())
            strTexto += QStringLiteral(": ") + contenido.join(QStringLiteral(", "));
    }
    // The new instruments and collectors say what they read (the gas, the time).
    if (e->FueraDelFormatoDescrito() && !e->Descripcion().isEmpty())
        strTexto += QStringLiteral(" — ") + e->Descripcion();
    return strTexto;
}

} // namespace

CPaginaMesa::CPaginaMesa(CEditorPractica& editor, const CPractica* pActual)
    : CPaginaEditor(editor), m_pActual(pActual) {
    auto* v = new QVBoxLayout(this);
    m_pEstado = new QLabel(this);
    m_pEstado->setWordWrap(true);
    auto* usar = new QPushButton(QStringLiteral("Usar la mesa actual"), this);
    auto* quitar = new QPushButton(QStringLiteral("Sin mesa inicial"), this);
    usar->setEnabled(m_pActual != nullptr);
    auto* h = new QHBoxLayout;
    h->addWidget(usar);
    h->addWidget(quitar);
    h->addStretch();
    v->addWidget(new QLabel(QStringLiteral("La mesa inicial es el equipo, con su contenido, que el "
                                           "alumno encuentra al abrir la práctica."),
                            this));
    v->addWidget(m_pEstado);
    m_pPiezas = new QListWidget(this);
    v->addWidget(m_pPiezas, 1);
    v->addLayout(h);
    connect(usar, &QPushButton::clicked, this, [this] {
        QString strError;
        if (!m_editor.UsarMesa(*m_pActual, &strError))
            Mensajes::Aviso(window(), strError);
        Recargar();
    });
    connect(quitar, &QPushButton::clicked, this, [this] {
        m_editor.QuitarMesa();
        Recargar();
    });
}

void CPaginaMesa::Recargar() {
    m_pPiezas->clear();
    for (const CEquipo* e : Practica().m_listaEquipo)
        m_pPiezas->addItem(TextoPieza(e));
    const size_t n = Practica().m_listaEquipo.size();
    m_pEstado->setText(
        n == 0 ? QStringLiteral("Sin mesa inicial: la práctica se guarda como plantilla "
                                "(.akp) y el alumno empieza con la mesa vacía.")
               : QStringLiteral("La mesa inicial tiene %1 %2: la práctica se guarda como "
                                "práctica guardada (.uak1).")
                     .arg(n)
                     .arg(n == 1 ? QStringLiteral("pieza de equipo")
                                 : QStringLiteral("piezas de equipo")));
}
