#include "app/PaginaReactivos.h"
#include "equipment/Conversiones.h"

#include "app/CamposEditor.h"
#include "document/EditorPractica.h"

#include <QComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QListWidget>
#include <QTableWidget>

using namespace CamposEditor;

CPaginaReactivos::CPaginaReactivos(CEditorPractica& editor) : CPaginaEditor(editor) {
    const Lista lista = CrearLista(nullptr, QStringLiteral("Agregar"));
    m_pDerecha = new QWidget;
    auto* f = new QFormLayout(m_pDerecha);
    m_pLista = lista.pLista;
    m_pNombre = CampoTexto(m_pDerecha);
    m_pEstado = new QComboBox(m_pDerecha);
    m_pEstado->addItems({QStringLiteral("Sólido: se mide en gramos"),
                         QStringLiteral("Líquido: se mide en mililitros")});
    m_pModo = new QComboBox(m_pDerecha);
    m_pModo->addItems({QStringLiteral("Moles por litro (o por kilogramo)"),
                       QStringLiteral("Proporción en moles")});
    m_pTabla = new QTableWidget(0, 2, m_pDerecha);
    m_pTabla->setHorizontalHeaderLabels({QStringLiteral("Sustancia"), QStringLiteral("Moles")});
    m_pTabla->horizontalHeader()->setSectionResizeMode(0, QHeaderView::Stretch);
    m_pTabla->setColumnWidth(1, 180);
    auto* botones = new QHBoxLayout;
    auto* agregarFila = new QPushButton(QStringLiteral("Agregar sustancia"), m_pDerecha);
    auto* quitarFila = new QPushButton(QStringLiteral("Quitar sustancia"), m_pDerecha);
    botones->addWidget(agregarFila);
    botones->addWidget(quitarFila);
    botones->addStretch();
    f->addRow(QStringLiteral("Nombre:"), m_pNombre);
    f->addRow(QStringLiteral("Estado:"), m_pEstado);
    f->addRow(QStringLiteral("Cantidades:"), m_pModo);
    f->addRow(QStringLiteral("Composición:"), m_pTabla);
    f->addRow(QString(), botones);
    connect(m_pNombre, &QLineEdit::textEdited, this, [this](const QString& s) {
        if (m_editor.PonerReactivo(Actual(), &CReactivos::m_strNombre, S(s)))
            m_pLista->currentItem()->setText(s);
    });
    connect(m_pEstado, &QComboBox::currentIndexChanged, this,
            [this](int n) { m_editor.PonerReactivo(Actual(), &CReactivos::m_nEstado, n); });
    connect(m_pModo, &QComboBox::currentIndexChanged, this,
            [this](int n) { m_editor.PonerReactivo(Actual(), &CReactivos::m_bPorProporcion, n); });
    connect(m_pLista, &QListWidget::currentRowChanged, this, [this] { Mostrar(); });
    connect(agregarFila, &QPushButton::clicked, this, [this] {
        if (m_editor.AgregarALaComposicion(Actual()) >= 0)
            Mostrar();
    });
    connect(quitarFila, &QPushButton::clicked, this, [this] {
        if (m_editor.QuitarDeLaComposicion(Actual(), m_pTabla->currentRow()))
            Mostrar();
    });
    connect(lista.pAgregar, &QPushButton::clicked, this, [this] {
        const int n = m_editor.AgregarReactivo();
        Recargar();
        m_pLista->setCurrentRow(n);
    });
    connect(lista.pEliminar, &QPushButton::clicked, this, [this] {
        if (m_editor.EliminarReactivo(m_pLista->currentRow()))
            Recargar();
    });
    DosColumnas(this, lista.pCaja, m_pDerecha);
}

int32_t CPaginaReactivos::Actual() const {
    const int n = m_pLista->currentRow();
    return Catalogo().Reactivo(n) ? n : -1;
}

void CPaginaReactivos::Fila(int i, int32_t nComponente, double dMoles) {
    auto* c = new QComboBox(m_pTabla);
    LlenarSustancias(c, Catalogo());
    Elegir(c, nComponente);
    m_pTabla->setCellWidget(i, 0, c);
    auto* n = new CNumero(m_pTabla);
    n->Mostrar(dMoles);
    m_pTabla->setCellWidget(i, 1, n);
    connect(c, &QComboBox::currentIndexChanged, this,
            [this, c, i] { m_editor.PonerEnComposicion(Actual(), i, c->currentData().toInt()); });
    n->m_fnCambio = [this, i](double d) { m_editor.PonerMolesEnComposicion(Actual(), i, d); };
}

void CPaginaReactivos::Mostrar() {
    const CReactivos* r = Catalogo().Reactivo(Actual());
    m_pDerecha->setEnabled(r != nullptr);
    m_pTabla->setRowCount(0);
    if (!r)
        return;
    m_pNombre->setText(Q(r->m_strNombre));
    m_pEstado->blockSignals(true);
    m_pEstado->setCurrentIndex(r->m_nEstado == 1 ? 1 : 0);
    m_pEstado->blockSignals(false);
    m_pModo->blockSignals(true);
    m_pModo->setCurrentIndex(r->m_bPorProporcion ? 1 : 0);
    m_pModo->blockSignals(false);
    m_pTabla->setRowCount(int(r->m_listaComposicion.size()));
    int i = 0;
    for (const CContenido& e : r->m_listaComposicion)
        Fila(i++, e.m_nComponente, e.m_dMoles);
}

void CPaginaReactivos::Recargar() {
    QStringList v;
    for (const CReactivos& r : Catalogo().m_reactivos)
        v << Q(r.m_strNombre);
    LlenarLista(m_pLista, v);
    Mostrar();
}
