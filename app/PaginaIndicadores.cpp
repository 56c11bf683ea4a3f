#include "app/PaginaIndicadores.h"
#include "equipment/Conversiones.h"

#include "app/CamposEditor.h"
#include "bench/Mensajes.h"
#include "document/EditorPractica.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QFormLayout>
#include <QGroupBox>
#include <QLabel>
#include <QListWidget>

#include <cmath>
#include <optional>
#include <utility>

using namespace CamposEditor;

namespace {

QString T(const char* psz) {
    return QCoreApplication::translate("CPaginaIndicadores", psz);
}

} // namespace

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
    auto* caja = new QGroupBox(T("Como ácido débil (opcional)"), m_pDerecha);
    caja->setToolTip(T("El indicador como el ácido débil que es: hasta tres pKa entre hasta "
                       "cuatro formas de color. Su color sigue la proporción de cada forma al "
                       "pH del líquido. Solo lo usa la química de las disoluciones por "
                       "equilibrio exacto (página «Datos»); si no, valen los límites."));
    // The forms in order of pH, each transition between the two it separates.
    auto* g = new QFormLayout(caja);
    for (int k = 0; k < 4; ++k) {
        m_pForma[k] = new CBotonColor(caja, pfnElegirColor);
        m_pForma[k]->setObjectName(QStringLiteral("forma%1").arg(k + 1));
        m_pForma[k]->setToolTip(
            k == 0 ? T("Color de la forma más ácida, por debajo del pKa1.")
                   : T("Color de la forma %1, por encima del pKa%2.").arg(k + 1).arg(k));
        g->addRow(k == 0 ? T("Forma 1 (la más ácida):") : T("Forma %1:").arg(k + 1), m_pForma[k]);
        if (k == 3)
            break;
        m_pPKa[k] = new CNumero(caja);
        m_pPKa[k]->setObjectName(QStringLiteral("pKa%1").arg(k + 1));
        m_pPKa[k]->setToolTip(T("pKa de la transición %1 a 25 °C, entre la forma %1 y la %2. "
                                "Vacío: no hay esa transición. Los pKa se llenan por orden y "
                                "de menor a mayor.")
                                  .arg(k + 1)
                                  .arg(k + 2));
        g->addRow(T("pKa%1 a 25 °C:").arg(k + 1), m_pPKa[k]);
    }
    f->addRow(caja);
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
    for (int k = 0; k < 3; ++k) {
        m_pPKa[k]->m_fnCambio = [this, k](double v) {
            m_editor.PonerPKaIndicador(Actual(), k, v);
            Mostrar();
        };
        m_pPKa[k]->PermitirVacio([this, k] {
            m_editor.PonerPKaIndicador(Actual(), k, std::nullopt);
            Mostrar();
        });
    }
    for (int k = 0; k < 4; ++k)
        m_pForma[k]->m_fnCambio = [this, k](const QColor& c) {
            m_editor.PonerColorForma(Actual(), k, ColorrefDe(c));
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
    // The forms there are: one more than the transitions (none shown without any).
    const CIndicadorDatos& a = d->m_acidoBase;
    for (int k = 0; k < 3; ++k) {
        const double v = a.m_pKa[static_cast<size_t>(k)];
        if (k < a.m_nTransiciones && !std::isnan(v))
            m_pPKa[k]->Mostrar(v);
        else
            m_pPKa[k]->MostrarVacio();
    }
    for (int k = 0; k < 4; ++k) {
        const bool bHay = k <= a.m_nTransiciones && a.Tiene();
        m_pForma[k]->Mostrar(ColorDe(a.m_crFormas[static_cast<size_t>(k)]), bHay);
        m_pForma[k]->setEnabled(bHay);
    }
}

void CPaginaIndicadores::Recargar() {
    QStringList v;
    for (const CIndicadores& d : Catalogo().m_indicadores)
        v << Q(d.m_strNombre);
    LlenarLista(m_pLista, v);
    Mostrar();
}
