#include "app/PaginaReacciones.h"
#include "equipment/Conversiones.h"

#include "app/CamposEditor.h"
#include "document/EditorPractica.h"

#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QSpinBox>
#include <QVBoxLayout>

#include <utility>

using namespace CamposEditor;

namespace {

QString T(const char* psz) {
    return QCoreApplication::translate("CPaginaReacciones", psz);
}

} // namespace

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
    v->addWidget(Reversible());
    v->addWidget(LeyVelocidad());
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
            r.pCoef->setObjectName(QStringLiteral("coef%1").arg(3 * lado + k + 1));
            r.pSustancia->setObjectName(QStringLiteral("sustancia%1").arg(3 * lado + k + 1));
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

QWidget* CPaginaReacciones::Reversible() {
    auto* caja = new QGroupBox(T("Reversible (opcional)"), m_pDerecha);
    caja->setToolTip(T("La reacción avanza hacia su equilibrio desde cualquiera de los dos "
                       "lados, según su constante K. Un precipitado es un producto sólido con "
                       "K = 1/Ksp."));
    auto* g = new QGridLayout(caja);
    m_pK25 = new CNumero(caja);
    m_pK25->setObjectName(QStringLiteral("k25"));
    m_pK25->setToolTip(T("Constante de equilibrio a 25 °C: productos entre reactivos, con las "
                         "concentraciones en mol/L de lo disuelto elevadas a sus coeficientes; "
                         "sólidos, líquidos, gases y lo que queda fuera de Q cuentan como 1. "
                         "Vacío: la reacción no es reversible."));
    m_pEntalpia = new CNumero(caja);
    m_pEntalpia->setToolTip(T("Entalpía de la reacción directa, en kJ/mol: negativa si "
                              "desprende calor. Con ella K cambia con la temperatura (ecuación "
                              "de van 't Hoff)."));
    m_pRapidez = new CNumero(caja);
    m_pRapidez->setToolTip(T("Fracción del camino hasta el equilibrio que la reacción recorre "
                             "en cada paso de la simulación: 1 lo alcanza en el acto; 0,1, poco "
                             "a poco."));
    g->addWidget(new QLabel(T("K a 25 °C:"), caja), 0, 0);
    g->addWidget(m_pK25, 0, 1);
    g->addWidget(new QLabel(T("ΔH (kJ/mol):"), caja), 0, 2);
    g->addWidget(m_pEntalpia, 0, 3);
    g->addWidget(new QLabel(T("Rapidez (0–1):"), caja), 0, 4);
    g->addWidget(m_pRapidez, 0, 5);
    auto* fuera = new QHBoxLayout;
    for (int i = 0; i < 6; ++i) {
        m_pFuera[i] = new QCheckBox(caja);
        m_pFuera[i]->setObjectName(QStringLiteral("fuera%1").arg(i + 1));
        if (i == 3)
            fuera->addWidget(new QLabel(QStringLiteral("→"), caja));
        fuera->addWidget(m_pFuera[i]);
        connect(m_pFuera[i], &QCheckBox::toggled, this,
                [this, i](bool b) { m_editor.PonerFueraDeQ(Actual(), i >= 3, i % 3, b); });
    }
    fuera->addStretch();
    auto* etiqueta = new QLabel(T("Fuera de Q:"), caja);
    etiqueta->setToolTip(T("Los reactivos y productos marcados no entran en el cociente de "
                           "la reacción (iones espectadores): cuentan como 1."));
    g->addWidget(etiqueta, 1, 0);
    g->addLayout(fuera, 1, 1, 1, 5);
    for (int c : {1, 3, 5})
        g->setColumnStretch(c, 1);
    m_pK25->m_fnCambio = [this](double x) {
        m_editor.PonerReversible(Actual(), &CReversibleDatos::m_dK25, x);
        if (x == 0.0)
            m_pK25->MostrarVacio();
    };
    m_pK25->PermitirVacio(
        [this] { m_editor.PonerReversible(Actual(), &CReversibleDatos::m_dK25, 0.0); });
    m_pEntalpia->m_fnCambio = [this](double x) {
        m_editor.PonerReversible(Actual(), &CReversibleDatos::m_dEntalpia, x);
    };
    m_pRapidez->m_fnCambio = [this](double x) {
        m_editor.PonerReversible(Actual(), &CReversibleDatos::m_dRapidez, x);
    };
    return caja;
}

void CPaginaReacciones::MostrarReversible(const CReacciones& r) {
    const CReversibleDatos& v = r.m_reversible;
    if (v.m_dK25 == 0.0)
        m_pK25->MostrarVacio();
    else
        m_pK25->Mostrar(v.m_dK25);
    m_pEntalpia->Mostrar(v.m_dEntalpia);
    m_pRapidez->Mostrar(v.m_dRapidez);
    // Each box names the slot's substance; an empty slot cannot be left out.
    const CCatalogo& cat = Catalogo();
    for (int i = 0; i < 6; ++i) {
        const bool bProducto = i >= 3;
        const int k = i % 3;
        const CComponentes* c = cat.Componente(bProducto ? r.m_nProducto[k] : r.m_nReactivo[k]);
        QString strQue = bProducto ? T("Producto %1").arg(k + 1) : T("Reactivo %1").arg(k + 1);
        if (c)
            strQue = c->m_strFormula.empty() ? Q(c->m_strNombre) : Q(c->m_strFormula);
        QCheckBox* b = m_pFuera[i];
        b->blockSignals(true);
        b->setText(strQue);
        b->setChecked((v.m_nFueraDeQ >> i & 1) != 0);
        b->setEnabled(c != nullptr || b->isChecked());
        b->blockSignals(false);
    }
}

QWidget* CPaginaReacciones::LeyVelocidad() {
    auto* caja = new QGroupBox(T("Ley de velocidad (opcional)"), m_pDerecha);
    caja->setToolTip(T("La reacción avanza según su velocidad, v = k·[A]^a·[B]^b·[C]^c en "
                       "mol/(L·s), con cada paso de la simulación de 0,1 s; un sólido entra con "
                       "sus moles y su factor de superficie. Sin k, avanza como indican los "
                       "límites por paso."));
    auto* g = new QGridLayout(caja);
    m_pKVelocidad = new CNumero(caja);
    m_pKVelocidad->setObjectName(QStringLiteral("kvelocidad"));
    m_pKVelocidad->setToolTip(T("Constante de velocidad a la temperatura de referencia. "
                                "Vacío: la reacción no tiene ley de velocidad."));
    m_pEa = new CNumero(caja);
    m_pEa->setToolTip(T("Energía de activación en kJ/mol: k cambia con la temperatura según "
                        "la ecuación de Arrhenius."));
    m_pTReferencia = new CNumero(caja);
    m_pTReferencia->setToolTip(T("Temperatura, en °C, a la que k tiene el valor dado."));
    m_pFactorCat = new CNumero(caja);
    m_pFactorCat->setToolTip(T("Cuántas veces más deprisa va la reacción cuando su "
                               "catalizador está en el recipiente."));
    g->addWidget(new QLabel(T("k:"), caja), 0, 0);
    g->addWidget(m_pKVelocidad, 0, 1);
    g->addWidget(new QLabel(T("Ea (kJ/mol):"), caja), 0, 2);
    g->addWidget(m_pEa, 0, 3);
    g->addWidget(new QLabel(T("T ref. (°C):"), caja), 0, 4);
    g->addWidget(m_pTReferencia, 0, 5);
    for (int k = 0; k < 3; ++k) {
        m_pOrden[k] = new CNumero(caja);
        m_pOrden[k]->setObjectName(QStringLiteral("orden%1").arg(k + 1));
        m_pOrden[k]->setToolTip(
            T("Orden de la reacción respecto del reactivo %1 (de 0 a 3).").arg(k + 1));
        g->addWidget(new QLabel(T("Orden %1:").arg(k + 1), caja), 1, 2 * k);
        g->addWidget(m_pOrden[k], 1, 2 * k + 1);
        m_pOrden[k]->m_fnCambio = [this, k](double x) { m_editor.PonerOrden(Actual(), k, x); };
    }
    g->addWidget(new QLabel(T("Factor del catalizador:"), caja), 2, 0, 1, 2);
    g->addWidget(m_pFactorCat, 2, 3);
    for (int c : {1, 3, 5})
        g->setColumnStretch(c, 1);
    m_pKVelocidad->m_fnCambio = [this](double x) {
        m_editor.PonerCinetica(Actual(), &CCineticaDatos::m_dK, x);
        if (x == 0.0)
            m_pKVelocidad->MostrarVacio();
    };
    m_pKVelocidad->PermitirVacio(
        [this] { m_editor.PonerCinetica(Actual(), &CCineticaDatos::m_dK, 0.0); });
    m_pEa->m_fnCambio = [this](double x) {
        m_editor.PonerCinetica(Actual(), &CCineticaDatos::m_dEa, x);
    };
    m_pTReferencia->m_fnCambio = [this](double x) {
        m_editor.PonerCinetica(Actual(), &CCineticaDatos::m_dTReferencia, x);
    };
    m_pFactorCat->m_fnCambio = [this](double x) {
        m_editor.PonerCinetica(Actual(), &CCineticaDatos::m_dFactorCatalizador, x);
    };
    return caja;
}

void CPaginaReacciones::MostrarCinetica(const CReacciones& r) {
    const CCineticaDatos& d = r.m_cinetica;
    if (d.m_dK == 0.0)
        m_pKVelocidad->MostrarVacio();
    else
        m_pKVelocidad->Mostrar(d.m_dK);
    m_pEa->Mostrar(d.m_dEa);
    m_pTReferencia->Mostrar(d.m_dTReferencia);
    for (int k = 0; k < 3; ++k)
        m_pOrden[k]->Mostrar(d.m_dOrden[static_cast<size_t>(k)]);
    m_pFactorCat->Mostrar(d.m_dFactorCatalizador);
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
    const bool bProducto = i >= 3;
    const int k = i % 3;
    const int32_t nSustancia = r.pSustancia->currentData().toInt();
    // A coefficient typed while the slot has no substance waits in its box: the slot keeps
    // none until a substance is chosen, and then takes it.
    const CReacciones& antes = *Catalogo().Reaccion(n);
    if (!Catalogo().Componente(nSustancia) &&
        !Validacion::RanuraUsada(antes, Catalogo(), bProducto, k)) {
        const int32_t nFase = bProducto ? antes.m_nFaseProducto[k] : antes.m_nFaseReactivo[k];
        if (r.pFase->currentIndex() != nFase)
            m_editor.PonerRanura(n, bProducto, k, nSustancia, 0, r.pFase->currentIndex());
        return;
    }
    m_editor.PonerRanura(n, bProducto, k, nSustancia, r.pCoef->value(), r.pFase->currentIndex());
    // The coefficient the slot now has: the one typed, at least 1, for a substance chosen,
    // 0 for an emptied slot.
    const CReacciones& reaccion = *Catalogo().Reaccion(n);
    r.pCoef->blockSignals(true);
    r.pCoef->setValue(bProducto ? reaccion.m_nCoefProducto[k] : reaccion.m_nCoefReactivo[k]);
    r.pCoef->blockSignals(false);
    MostrarReversible(reaccion);
    MostrarCinetica(reaccion);
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
    MostrarReversible(*r);
    MostrarCinetica(*r);
    Ecuacion();
}

void CPaginaReacciones::Recargar() {
    QStringList v;
    for (const CReacciones& r : Catalogo().m_reacciones)
        v << Q(r.m_strTexto1);
    LlenarLista(m_pLista, v);
    Mostrar();
}
