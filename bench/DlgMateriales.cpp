#include "bench/DlgMateriales.h"

#include "bench/CampoNumero.h"
#include "bench/Mensajes.h"
#include "model/Catalogo.h"

#include <QButtonGroup>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace {

// Amounts beyond these are typing slips, not experiments: no vessel on the bench holds a
// litre, and a pipette moves at most what it holds.
constexpr double kMaximoReactivo = 5000.0; // ml or g
constexpr double kMaximoPipeta = 1000.0;   // ml

// The accept and cancel buttons, in the desktop's language.
QDialogButtonBox* Botones(QDialog* d, bool bCancelar = true) {
    auto* b = new QDialogButtonBox(d);
    QPushButton* ok = b->addButton(QDialogButtonBox::Ok);
    ok->setDefault(true);
    if (bCancelar)
        b->addButton(QDialogButtonBox::Cancel);
    b->setCenterButtons(true);
    QObject::connect(b, &QDialogButtonBox::accepted, d, &QDialog::accept);
    QObject::connect(b, &QDialogButtonBox::rejected, d, &QDialog::reject);
    return b;
}

} // namespace

// ---------------------------------------------------------------------------------------

CDlgAgua::CDlgAgua(QWidget* pPadre)
    : QDialog(pPadre), m_pAdicionar(new CCampoNumero(this)), m_pAforar(new CCampoNumero(this)),
      m_pModoAdicionar(new QRadioButton(QStringLiteral("Adicionar:"), this)),
      m_pModoAforar(new QRadioButton(QStringLiteral("Aforar a:"), this)) {
    setWindowTitle(QStringLiteral("Adicionar Agua"));
    auto* grupo = new QGroupBox(this);
    auto* g = new QGridLayout(grupo);
    g->addWidget(m_pModoAdicionar, 0, 0);
    g->addWidget(m_pAdicionar, 0, 1);
    g->addWidget(new QLabel(QStringLiteral("ml"), grupo), 0, 2);
    g->addWidget(m_pModoAforar, 1, 0);
    g->addWidget(m_pAforar, 1, 1);
    g->addWidget(new QLabel(QStringLiteral("ml"), grupo), 1, 2);
    auto* modos = new QButtonGroup(this);
    modos->addButton(m_pModoAdicionar, 0);
    modos->addButton(m_pModoAforar, 1);
    connect(modos, &QButtonGroup::idClicked, this, &CDlgAgua::CambiarModo);
    auto* l = new QVBoxLayout(this);
    l->addWidget(grupo);
    l->addWidget(Botones(this));
    Mensajes::AnchoParaElTitulo(*this);
    m_pAdicionar->setFixedWidth(90);
    m_pAforar->setFixedWidth(90);
    setTabOrder(m_pAdicionar, m_pModoAdicionar);
    setTabOrder(m_pModoAdicionar, m_pModoAforar);
    setTabOrder(m_pModoAforar, m_pAforar);
}

void CDlgAgua::showEvent(QShowEvent* e) {
    m_pAdicionar->SetRango(1, static_cast<int>(m_dCapacidadVaso - m_dVolumenVaso));
    m_pAforar->SetRango(static_cast<int>(m_dVolumenVaso + 1), static_cast<int>(m_dCapacidadVaso));
    m_pAdicionar->SetValor(m_dAdicionar);
    m_pAforar->SetValor(m_dAforar);
    (m_nModo ? m_pModoAforar : m_pModoAdicionar)->setChecked(true);
    CambiarModo(m_nModo);
    ArribaDerecha(this);
    QDialog::showEvent(e);
}

void CDlgAgua::CambiarModo(int nModo) {
    m_nModo = nModo;
    m_pAdicionar->setEnabled(nModo == 0);
    m_pAforar->setEnabled(nModo == 1);
}

void CDlgAgua::accept() {
    // Only the field of the chosen mode is read; the other may hold anything.
    const double dMaximo = m_dCapacidadVaso > 0.0 ? m_dCapacidadVaso : 1e6;
    if (m_nModo == 1) {
        if (!m_pAforar->LeerCantidad(m_dAforar, dMaximo))
            return;
        if (m_dAforar <= m_dVolumenVaso) {
            Mensajes::Aviso(this, QStringLiteral("El recipiente ya contiene %1 ml: indique una "
                                                 "marca mayor.")
                                      .arg(QString::number(m_dVolumenVaso, 'f', 2)));
            m_pAforar->Edit()->setFocus();
            m_pAforar->Edit()->selectAll();
            return;
        }
        m_dAgua = m_dAforar - m_dVolumenVaso;
    } else {
        if (!m_pAdicionar->LeerCantidad(m_dAdicionar, dMaximo))
            return;
        m_dAgua = m_dAdicionar;
    }
    QDialog::accept();
}

// ---------------------------------------------------------------------------------------

CDlgReactivo::CDlgReactivo(const CCatalogo& catalogo, QWidget* pPadre, bool bIndicador)
    : QDialog(pPadre), m_bIndicador(bIndicador), m_pLista(new QListWidget(this)),
      m_pCantidad(new CCampoNumero(this)), m_pUnidad(new QLabel(this)), m_catalogo(catalogo) {
    setWindowTitle(bIndicador ? QStringLiteral("Adicionar indicador")
                              : QStringLiteral("Adicionar reactivo"));
    m_pLista->setSortingEnabled(true);
    if (bIndicador)
        for (const CIndicadores& i : catalogo.m_indicadores)
            m_pLista->addItem(QString::fromStdString(i.m_strNombre));
    else
        for (const CReactivos& r : catalogo.m_reactivos)
            m_pLista->addItem(QString::fromStdString(r.m_strNombre));
    m_pLista->setMinimumSize(200, 120);
    m_pCantidad->setFixedWidth(80);
    if (bIndicador)
        m_pUnidad->setText(QStringLiteral("Gotas"));
    auto* fila = new QHBoxLayout;
    fila->addWidget(new QLabel(QStringLiteral("Cantidad:"), this));
    fila->addWidget(m_pCantidad);
    fila->addWidget(m_pUnidad, 1);
    auto* l = new QVBoxLayout(this);
    l->addWidget(new QLabel(bIndicador ? QStringLiteral("Indicadores disponibles:")
                                       : QStringLiteral("Reactivos disponibles:"),
                            this));
    l->addWidget(m_pLista, 1);
    l->addLayout(fila);
    l->addWidget(Botones(this));
    Mensajes::AnchoParaElTitulo(*this);
    connect(m_pLista, &QListWidget::itemSelectionChanged, this, &CDlgReactivo::SeleccionCambiada);
}

void CDlgReactivo::showEvent(QShowEvent* e) {
    m_pCantidad->SetRango(1, m_bIndicador ? 10 : 1000);
    if (m_bIndicador)
        m_pCantidad->Edit()->setText(QString::number(m_nGotas));
    else
        m_pCantidad->SetValor(m_dCantidad);
    // The first entry starts chosen, so that "Aceptar" always does something.
    if (m_pLista->count() > 0 && !m_pLista->currentItem())
        m_pLista->setCurrentRow(0);
    ArribaDerecha(this);
    QDialog::showEvent(e);
}

void CDlgReactivo::SeleccionCambiada() {
    if (m_bIndicador)
        return;
    if (!m_pCantidad->LeerNumero(m_dCantidad))
        return;
    if (QListWidgetItem* it = m_pLista->currentItem(); it && it->isSelected()) {
        if (const CReactivos* r =
                m_catalogo.Reactivo(m_catalogo.BuscarReactivo(it->text().toStdString())))
            m_strUnidad = r->m_nEstado ? QStringLiteral("mililitros") : QStringLiteral("gramos");
    }
    m_pUnidad->setText(m_strUnidad);
    m_pCantidad->SetValor(m_dCantidad);
}

void CDlgReactivo::accept() {
    QListWidgetItem* it = m_pLista->currentItem();
    if (!it || !it->isSelected()) {
        // Nothing chosen: say so, and the dialog stays open.
        Mensajes::Aviso(this, m_bIndicador ? QStringLiteral("Elija un indicador de la lista.")
                                           : QStringLiteral("Elija un reactivo de la lista."));
        m_pLista->setFocus();
        return;
    }
    const std::string strNombre = it->text().toStdString();
    if (m_bIndicador) {
        m_nIndiceIndicador = m_catalogo.BuscarIndicador(strNombre);
        if (!m_pCantidad->LeerEntero(m_nGotas, 1, 10))
            return;
    } else {
        m_nIndiceReactivo = m_catalogo.BuscarReactivo(strNombre);
        if (!m_pCantidad->LeerCantidad(m_dCantidad, kMaximoReactivo))
            return;
    }
    QDialog::accept();
}

// ---------------------------------------------------------------------------------------

CDlgMililitros::CDlgMililitros(double dMaximo, QWidget* pPadre)
    : QDialog(pPadre), m_dMaximo(dMaximo), m_pValor(new CCampoNumero(this)) {
    setWindowTitle(QStringLiteral("Mililitros"));
    m_pValor->SetRango(1, static_cast<int>(m_dMaximo));
    m_pValor->SetValor(m_dMililitros);
    m_pValor->setFixedWidth(80);
    auto* fila = new QHBoxLayout;
    fila->addWidget(new QLabel(QStringLiteral("Mililitros:"), this));
    fila->addWidget(m_pValor);
    auto* l = new QVBoxLayout(this);
    l->addLayout(fila);
    l->addWidget(Botones(this));
    Mensajes::AnchoParaElTitulo(*this);
}

void CDlgMililitros::accept() {
    if (m_pValor->LeerCantidad(m_dMililitros, kMaximoPipeta))
        QDialog::accept();
}

// ---------------------------------------------------------------------------------------

CDlgSalida::CDlgSalida(QWidget* pPadre)
    : QDialog(pPadre, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint),
      m_pDerecha(new QRadioButton(QStringLiteral("Salida a la derecha"), this)),
      m_pIzquierda(new QRadioButton(QStringLiteral("Salida a la izquierda"), this)) {
    setWindowTitle(QStringLiteral("Tubo de desprendimiento"));
    m_pDerecha->setChecked(true);
    auto* l = new QVBoxLayout(this);
    l->addWidget(m_pDerecha);
    l->addWidget(m_pIzquierda);
    l->addWidget(Botones(this, false));
    Mensajes::AnchoParaElTitulo(*this);
}

int CDlgSalida::Salida() const {
    return m_pIzquierda->isChecked() ? 1 : 0;
}
