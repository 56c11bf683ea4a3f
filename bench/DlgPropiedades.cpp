#include "bench/DlgPropiedades.h"

#include "bench/CampoNumero.h"
#include "equipment/Recipiente.h"
#include "equipment/TablaContenido.h"
#include "model/AcidoBase.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

namespace {
QLabel* Hundida(const QString& s, QWidget* pPadre) {
    auto* l = new QLabel(s, pPadre);
    l->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    l->setMinimumWidth(120);
    return l;
}
} // namespace

CDlgPropiedades::CDlgPropiedades(CRecipiente* pEquipo, QWidget* pPadre)
    : QDialog(pPadre), m_pEquipo(pEquipo), m_pRotulo(new QLineEdit(this)),
      m_pTabla(new QTableWidget(this)),
      m_pIones(new QCheckBox(QStringLiteral("Mostrar Iones"), this)) {
    setWindowTitle(QStringLiteral("Propiedades"));
    m_strTitulo = QString::fromStdString(pEquipo->m_strNombre);
    m_strRotulo = QString::fromStdString(pEquipo->m_strEtiqueta);
    m_strVolumen =
        QString::asprintf("Volumen:%.2f ml", pEquipo->VolumenSolido() + pEquipo->VolumenLiquido());
    m_strTemperatura = QString::asprintf("Temperatura: %.2f", pEquipo->Temperatura());
    const double ph = pEquipo->PH();
    m_strPH = AcidoBase::HayPH(ph) ? QString::asprintf("pH: %.2f", ph) : QStringLiteral("pH:--");

    auto* titulo = Hundida(m_strTitulo, this);
    titulo->setAlignment(Qt::AlignCenter);
    m_pRotulo->setMaxLength(2);
    m_pRotulo->setAlignment(Qt::AlignCenter);
    m_pRotulo->setFixedWidth(44);
    m_pRotulo->setText(m_strRotulo);
    m_pRotulo->setAccessibleName(QStringLiteral("Rótulo"));
    m_pRotulo->installEventFilter(this);
    m_pVolumen = Hundida(m_strVolumen, this);
    m_pTemperatura = Hundida(m_strTemperatura, this);
    m_pPH = Hundida(m_strPH, this);

    m_pTabla->setColumnCount(6);
    m_pTabla->setHorizontalHeaderLabels({QStringLiteral("Reactivo"), QStringLiteral("Moles"),
                                         QStringLiteral("Peso"), QStringLiteral("Volumen"),
                                         QStringLiteral("Estado"), QStringLiteral("Fase")});
    const int anchos[6] = {120, 70, 70, 70, 80, 80};
    for (int c = 0; c < 6; ++c)
        m_pTabla->setColumnWidth(c, anchos[c]);
    m_pTabla->verticalHeader()->hide();
    m_pTabla->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_pTabla->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_pTabla->setMinimumSize(515, 170);
    m_pTabla->setAccessibleName(QStringLiteral("Composición"));

    auto* ok = new QPushButton(QStringLiteral("Aceptar"), this);
    ok->setAutoDefault(false);
    connect(ok, &QPushButton::clicked, this, [this] {
        GuardarRotulo();
        accept();
    });
    connect(m_pIones, &QCheckBox::toggled, this, [this](bool b) {
        m_bMostrarIones = b;
        Rellenar();
    });

    auto* cabeza = new QHBoxLayout;
    cabeza->addWidget(new QLabel(QStringLiteral("Rotulo:"), this));
    cabeza->addWidget(m_pRotulo);
    cabeza->addStretch();
    cabeza->addWidget(m_pVolumen);
    cabeza->addWidget(m_pTemperatura);
    cabeza->addWidget(m_pPH);
    auto* pie = new QHBoxLayout;
    pie->addWidget(m_pIones);
    pie->addStretch();
    pie->addWidget(ok);
    auto* l = new QVBoxLayout(this);
    l->addWidget(titulo);
    l->addLayout(cabeza);
    l->addWidget(new QLabel(QStringLiteral("Composición:"), this));
    l->addWidget(m_pTabla, 1);
    l->addLayout(pie);
    setTabOrder(m_pRotulo, m_pTabla);
    setTabOrder(m_pTabla, ok);
    setTabOrder(ok, m_pIones);
    Rellenar();
}

void CDlgPropiedades::showEvent(QShowEvent* e) {
    ArribaDerecha(this);
    QDialog::showEvent(e);
}

void CDlgPropiedades::Rellenar() {
    m_renglones = TablaContenido::Renglones(m_pEquipo->m_seno, m_bMostrarIones);
    m_pTabla->clearContents();
    m_pTabla->setRowCount(static_cast<int>(m_renglones.size()));
    // Columns: formula, moles, grams, volume, state, phase.
    const int orden[6] = {0, 1, 2, 4, 3, 5};
    for (int i = 0; i < static_cast<int>(m_renglones.size()); ++i)
        for (int c = 0; c < 6; ++c)
            m_pTabla->setItem(
                i, c,
                new QTableWidgetItem(m_renglones[static_cast<size_t>(i)].m_strTexto[orden[c]]));
    // Numbers are never cut ("-1.28e+…"): each column is as wide as its widest cell, and
    // never narrower than it starts.
    const int anchos[6] = {120, 70, 70, 70, 80, 80};
    for (int c = 0; c < 6; ++c) {
        m_pTabla->resizeColumnToContents(c);
        if (m_pTabla->columnWidth(c) < anchos[c])
            m_pTabla->setColumnWidth(c, anchos[c]);
    }
}

void CDlgPropiedades::GuardarRotulo() {
    m_strRotulo = m_pRotulo->text();
    m_pEquipo->m_strEtiqueta = m_strRotulo.toStdString();
}

void CDlgPropiedades::done(int r) {
    GuardarRotulo();
    QDialog::done(r);
}

bool CDlgPropiedades::eventFilter(QObject* o, QEvent* e) {
    if (o == m_pRotulo && e->type() == QEvent::FocusOut)
        GuardarRotulo();
    return QDialog::eventFilter(o, e);
}

void CDlgPropiedades::keyPressEvent(QKeyEvent* e) {
    // Enter only moves the focus on (storing the label on its way out of the edit).
    if (e->key() == Qt::Key_Return || e->key() == Qt::Key_Enter) {
        focusNextChild();
        return;
    }
    if (e->key() == Qt::Key_Escape)
        GuardarRotulo();
    QDialog::keyPressEvent(e);
}
