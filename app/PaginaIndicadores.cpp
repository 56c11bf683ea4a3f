#include "app/PaginaIndicadores.h"
#include "equipment/Conversiones.h"

#include "app/CamposEditor.h"
#include "bench/Mensajes.h"
#include "document/EditorPractica.h"

#include <QComboBox>
#include <QFormLayout>
#include <QLabel>
#include <QListWidget>

#include <utility>

using namespace CamposEditor;

CPaginaIndicadores::CPaginaIndicadores(CEditorPractica& editor,
                                       std::function<QColor(const QColor&)>* pfnElegirColor)
    : CPaginaEditor(editor) {
    const Lista lista = CrearLista(nullptr, QStringLiteral("Agregar"));
    m_pLista = lista.pLista;
    m_pDerecha = new QWidget;
    auto* f = new QFormLayout(m_pDerecha);
    m_pNombre = CampoTexto(m_pDerecha);
    m_pSigue = new QComboBox(m_pDerecha);
    m_pBajo = new CNumero(m_pDerecha);
    m_pColorBajo = new CBotonColor(m_pDerecha, pfnElegirColor);
    m_pAlto = new CNumero(m_pDerecha);
    m_pColorAlto = new CBotonColor(m_pDerecha, pfnElegirColor);
    f->addRow(QStringLiteral("Nombre:"), m_pNombre);
    f->addRow(QStringLiteral("Sigue:"), m_pSigue);
    f->addRow(QStringLiteral("Límite bajo:"), m_pBajo);
    f->addRow(QStringLiteral("Color por debajo:"), m_pColorBajo);
    f->addRow(QStringLiteral("Límite alto:"), m_pAlto);
    f->addRow(QStringLiteral("Color por encima:"), m_pColorAlto);
    f->addRow(QString(), new QLabel(QStringLiteral("Entre los dos límites el color pasa de uno a "
                                                   "otro. Con una sustancia, los límites son "
                                                   "concentraciones en mol/l."),
                                    m_pDerecha));
    Conectar();
    connect(lista.pAgregar, &QPushButton::clicked, this, [this] {
        const int n = m_editor.AgregarIndicador();
        Recargar();
        m_pLista->setCurrentRow(n);
    });
    connect(lista.pEliminar, &QPushButton::clicked, this, [this] {
        QString strError;
        if (m_editor.EliminarIndicador(m_pLista->currentRow(), &strError))
            Recargar();
        else if (!strError.isEmpty())
            Mensajes::Aviso(window(), strError);
    });
    DosColumnas(this, lista.pCaja, m_pDerecha);
}

void CPaginaIndicadores::Conectar() {
    connect(m_pNombre, &QLineEdit::textEdited, this, [this](const QString& s) {
        if (m_editor.PonerIndicador(Actual(), &CIndicadores::m_strNombre, S(s)))
            m_pLista->currentItem()->setText(s);
    });
    connect(m_pSigue, &QComboBox::currentIndexChanged, this,
            [this] { m_editor.PonerSigue(Actual(), m_pSigue->currentData().toInt()); });
    for (auto [e, pCampo] : {std::pair{m_pBajo, &CIndicadores::m_dLimiteBajo},
                             std::pair{m_pAlto, &CIndicadores::m_dLimiteAlto}})
        e->m_fnCambio = [this, pCampo](double v) { m_editor.PonerIndicador(Actual(), pCampo, v); };
    for (auto [b, pCampo] : {std::pair{m_pColorBajo, &CIndicadores::m_crColorBajo},
                             std::pair{m_pColorAlto, &CIndicadores::m_crColorAlto}})
        b->m_fnCambio = [this, pCampo](const QColor& c) {
            m_editor.PonerIndicador(Actual(), pCampo, ColorrefDe(c));
        };
    connect(m_pLista, &QListWidget::currentRowChanged, this, [this] { Mostrar(); });
}

int32_t CPaginaIndicadores::Actual() const {
    const int n = m_pLista->currentRow();
    return Catalogo().Indicador(n) ? n : -1;
}

void CPaginaIndicadores::Mostrar() {
    const CIndicadores* d = Catalogo().Indicador(Actual());
    m_pDerecha->setEnabled(d != nullptr);
    LlenarSustancias(m_pSigue, Catalogo(), QStringLiteral("pH"));
    if (!d)
        return;
    m_pNombre->setText(Q(d->m_strNombre));
    Elegir(m_pSigue, d->m_nComponente);
    m_pBajo->Mostrar(d->m_dLimiteBajo);
    m_pAlto->Mostrar(d->m_dLimiteAlto);
    m_pColorBajo->Mostrar(ColorDe(d->m_crColorBajo));
    m_pColorAlto->Mostrar(ColorDe(d->m_crColorAlto));
}

void CPaginaIndicadores::Recargar() {
    QStringList v;
    for (const CIndicadores& d : Catalogo().m_indicadores)
        v << Q(d.m_strNombre);
    LlenarLista(m_pLista, v);
    Mostrar();
}
