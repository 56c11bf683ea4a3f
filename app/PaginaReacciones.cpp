#include "app/PaginaReacciones.h"
#include "equipment/Conversiones.h"

#include "app/CamposEditor.h"
#include "document/EditorPractica.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QListWidget>
#include <QSpinBox>
#include <QVBoxLayout>

#include <utility>

using namespace CamposEditor;

CPaginaReacciones::CPaginaReacciones(CEditorPractica& editor) : CPaginaEditor(editor) {
    const Lista lista = CrearLista(nullptr, QStringLiteral("Agregar"));
    m_pLista = lista.pLista;
    m_pDerecha = new QWidget;
    auto* v = new QVBoxLayout(m_pDerecha);
    auto* datos = new QFormLayout;
    m_pNombre = CampoTexto(m_pDerecha);
    m_pTexto2 = CampoTexto(m_pDerecha);
    datos->addRow(QStringLiteral("Nombre:"), m_pNombre);
    datos->addRow(QStringLiteral("Descripción:"), m_pTexto2);
    v->addLayout(datos);
    m_pEcuacion = new QLabel(m_pDerecha);
    QFont fe = m_pEcuacion->font();
    fe.setPointSizeF(fe.pointSizeF() * 1.3);
    fe.setBold(true);
    m_pEcuacion->setFont(fe);
    m_pEcuacion->setAlignment(Qt::AlignCenter);
    v->addWidget(m_pEcuacion);
    v->addLayout(Ranuras());
    v->addLayout(Otros());
    v->addStretch();
    connect(m_pNombre, &QLineEdit::textEdited, this, [this](const QString& s) {
        if (m_editor.PonerReaccion(Actual(), &CReacciones::m_strTexto1, S(s)))
            m_pLista->currentItem()->setText(s);
    });
    connect(m_pTexto2, &QLineEdit::textEdited, this, [this](const QString& s) {
        m_editor.PonerReaccion(Actual(), &CReacciones::m_strTexto2, S(s));
    });
    connect(m_pLista, &QListWidget::currentRowChanged, this, [this] { Mostrar(); });
    connect(lista.pAgregar, &QPushButton::clicked, this, [this] {
        const int n = m_editor.AgregarReaccion();
        Recargar();
        m_pLista->setCurrentRow(n);
    });
    connect(lista.pEliminar, &QPushButton::clicked, this, [this] {
        if (m_editor.EliminarReaccion(m_pLista->currentRow()))
            Recargar();
    });
    DosColumnas(this, lista.pCaja, m_pDerecha);
}

QGridLayout* CPaginaReacciones::Ranuras() {
    auto* rejilla = new QGridLayout;
    for (int lado = 0; lado < 2; ++lado) {
        auto* caja = new QGroupBox(lado ? QStringLiteral("Productos") : QStringLiteral("Reactivos"),
                                   m_pDerecha);
        auto* g = new QGridLayout(caja);
        g->addWidget(new QLabel(QStringLiteral("Coeficiente"), caja), 0, 0);
        g->addWidget(new QLabel(QStringLiteral("Sustancia"), caja), 0, 1);
        g->addWidget(new QLabel(QStringLiteral("Fase"), caja), 0, 2);
        for (int k = 0; k < 3; ++k) {
            Ranura& r = m_ranuras[3 * lado + k];
            r = {new QSpinBox(caja), new QComboBox(caja), new QComboBox(caja)};
            r.pCoef->setRange(0, Limites::kCoeficiente);
            r.pFase->addItems({QStringLiteral("disuelta (ac)"), QStringLiteral("sólida (s)"),
                               QStringLiteral("líquida (l)"), QStringLiteral("gas (g)")});
            g->addWidget(r.pCoef, k + 1, 0);
            g->addWidget(r.pSustancia, k + 1, 1);
            g->addWidget(r.pFase, k + 1, 2);
            g->setColumnStretch(1, 1);
            const auto cambio = [this, i = 3 * lado + k] { CambioRanura(i); };
            connect(r.pCoef, &QSpinBox::valueChanged, this, cambio);
            connect(r.pSustancia, &QComboBox::currentIndexChanged, this, cambio);
            connect(r.pFase, &QComboBox::currentIndexChanged, this, cambio);
        }
        rejilla->addWidget(caja, 0, lado);
    }
    return rejilla;
}

QGridLayout* CPaginaReacciones::Otros() {
    auto* otros = new QGridLayout;
    QWidget* d = m_pDerecha;
    m_pCalor = new CNumero(d);
    m_pbTemp = new QCheckBox(QStringLiteral("Sólo por encima de (°C):"), d);
    m_pTemp = new CNumero(d);
    m_pbSinLimite = new QCheckBox(QStringLiteral("Sin límite por paso"), d);
    m_pLimite = new CNumero(d);
    m_pbEquilibrio = new QCheckBox(QStringLiteral("Equilibrio, constante:"), d);
    m_pConstante = new CNumero(d);
    m_pCatalizador = new QComboBox(d);
    m_pLimiteCat = new CNumero(d);
    otros->addWidget(new QLabel(QStringLiteral("Calor desprendido (kcal/mol):"), d), 0, 0);
    otros->addWidget(m_pCalor, 0, 1);
    otros->addWidget(m_pbTemp, 0, 2);
    otros->addWidget(m_pTemp, 0, 3);
    otros->addWidget(new QLabel(QStringLiteral("Límite por paso (mol):"), d), 1, 0);
    otros->addWidget(m_pLimite, 1, 1);
    otros->addWidget(m_pbSinLimite, 1, 2);
    otros->addWidget(m_pbEquilibrio, 2, 2);
    otros->addWidget(m_pConstante, 2, 3);
    otros->addWidget(new QLabel(QStringLiteral("Catalizador:"), d), 3, 0);
    otros->addWidget(m_pCatalizador, 3, 1);
    otros->addWidget(new QLabel(QStringLiteral("Límite con catalizador (mol):"), d), 3, 2);
    otros->addWidget(m_pLimiteCat, 3, 3);
    for (auto [e, pCampo] : {std::pair{m_pCalor, &CReacciones::m_dCalor},
                             std::pair{m_pTemp, &CReacciones::m_dTempMinima},
                             std::pair{m_pLimite, &CReacciones::m_dLimitePaso},
                             std::pair{m_pConstante, &CReacciones::m_dConstanteEquilibrio},
                             std::pair{m_pLimiteCat, &CReacciones::m_dLimiteCatalizado}})
        e->m_fnCambio = [this, pCampo](double x) { m_editor.PonerReaccion(Actual(), pCampo, x); };
    for (auto [c, pCampo] : {std::pair{m_pbTemp, &CReacciones::m_bTempMinima},
                             std::pair{m_pbSinLimite, &CReacciones::m_bSinLimite},
                             std::pair{m_pbEquilibrio, &CReacciones::m_bEquilibrio}})
        connect(c, &QCheckBox::toggled, this,
                [this, pCampo](bool b) { m_editor.PonerReaccion(Actual(), pCampo, b ? 1 : 0); });
    connect(m_pCatalizador, &QComboBox::currentIndexChanged, this,
            [this] { m_editor.PonerCatalizador(Actual(), m_pCatalizador->currentData().toInt()); });
    return otros;
}

int32_t CPaginaReacciones::Actual() const {
    const int n = m_pLista->currentRow();
    return Catalogo().Reaccion(n) ? n : -1;
}

void CPaginaReacciones::CambioRanura(int i) {
    const int32_t n = Actual();
    if (n < 0)
        return;
    const Ranura& r = m_ranuras[i];
    m_editor.PonerRanura(n, i >= 3, i % 3, r.pSustancia->currentData().toInt(), r.pCoef->value(),
                         r.pFase->currentIndex());
    // The coefficient the slot now has: 1 for a substance chosen for an empty slot, 0 for
    // an emptied one.
    const CReacciones& reaccion = *Catalogo().Reaccion(n);
    r.pCoef->blockSignals(true);
    r.pCoef->setValue(i >= 3 ? reaccion.m_nCoefProducto[i % 3] : reaccion.m_nCoefReactivo[i % 3]);
    r.pCoef->blockSignals(false);
    Ecuacion();
}

void CPaginaReacciones::Ecuacion() {
    const int32_t n = Actual();
    const CCatalogo& cat = Catalogo();
    m_pEcuacion->setText(n < 0 ? QString() : CEditorPractica::Ecuacion(cat, *cat.Reaccion(n)));
    if (n >= 0 && m_pLista->item(n))
        m_pLista->item(n)->setToolTip(m_pEcuacion->text());
}

void CPaginaReacciones::MostrarRanura(int i) {
    const CCatalogo& cat = Catalogo();
    const Ranura& s = m_ranuras[i];
    LlenarSustancias(s.pSustancia, cat, QStringLiteral("(ninguna)"));
    const CReacciones* r = cat.Reaccion(Actual());
    if (!r)
        return;
    const bool bProducto = i >= 3;
    const int k = i % 3;
    const bool bUsada = Validacion::RanuraUsada(*r, cat, bProducto, k);
    for (QWidget* w : {static_cast<QWidget*>(s.pCoef), static_cast<QWidget*>(s.pSustancia),
                       static_cast<QWidget*>(s.pFase)})
        w->blockSignals(true);
    s.pCoef->setValue(bProducto ? r->m_nCoefProducto[k] : r->m_nCoefReactivo[k]);
    Elegir(s.pSustancia, bUsada ? (bProducto ? r->m_nProducto[k] : r->m_nReactivo[k]) : -1);
    s.pFase->setCurrentIndex(bProducto ? r->m_nFaseProducto[k] : r->m_nFaseReactivo[k]);
    for (QWidget* w : {static_cast<QWidget*>(s.pCoef), static_cast<QWidget*>(s.pSustancia),
                       static_cast<QWidget*>(s.pFase)})
        w->blockSignals(false);
}

void CPaginaReacciones::Mostrar() {
    const CCatalogo& cat = Catalogo();
    const CReacciones* r = cat.Reaccion(Actual());
    m_pDerecha->setEnabled(r != nullptr);
    for (int i = 0; i < 6; ++i)
        MostrarRanura(i);
    LlenarSustancias(m_pCatalizador, cat, QStringLiteral("(ninguno)"));
    if (!r) {
        Ecuacion();
        return;
    }
    m_pNombre->setText(Q(r->m_strTexto1));
    m_pTexto2->setText(Q(r->m_strTexto2));
    m_pCalor->Mostrar(r->m_dCalor);
    m_pTemp->Mostrar(r->m_dTempMinima);
    m_pLimite->Mostrar(r->m_dLimitePaso);
    m_pConstante->Mostrar(r->m_dConstanteEquilibrio);
    m_pLimiteCat->Mostrar(r->m_dLimiteCatalizado);
    for (auto [c, b] :
         {std::pair{m_pbTemp, r->m_bTempMinima}, std::pair{m_pbSinLimite, r->m_bSinLimite},
          std::pair{m_pbEquilibrio, r->m_bEquilibrio}}) {
        c->blockSignals(true);
        c->setChecked(b != 0);
        c->blockSignals(false);
    }
    Elegir(m_pCatalizador, cat.Componente(r->m_nCatalizador) ? r->m_nCatalizador : -1);
    Ecuacion();
}

void CPaginaReacciones::Recargar() {
    QStringList v;
    for (const CReacciones& r : Catalogo().m_reacciones)
        v << Q(r.m_strTexto1);
    LlenarLista(m_pLista, v);
    Mostrar();
}
