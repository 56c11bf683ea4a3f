#include "app/CamposEditor.h"
#include "equipment/Conversiones.h"

#include "document/Validacion.h"
#include "model/Archivo.h"
#include "model/Catalogo.h"

#include <QAction>
#include <QComboBox>
#include <QCoreApplication>
#include <QHBoxLayout>
#include <QListWidget>
#include <QRegularExpressionValidator>
#include <QStyle>
#include <QVBoxLayout>

#include <algorithm>
#include <cmath>
#include <utility>

namespace CamposEditor {

QLineEdit* CampoTexto(QWidget* pPadre) {
    auto* e = new QLineEdit(pPadre);
    // A text the described format cannot spell is kept whole, in the format's newer version;
    // the field says so while it holds such a text, so that nobody is surprised when an older
    // program refuses the file.
    QAction* pAviso = e->addAction(e->style()->standardIcon(QStyle::SP_MessageBoxWarning),
                                   QLineEdit::TrailingPosition);
    pAviso->setVisible(false);
    const QString strAviso = QCoreApplication::translate(
        "CamposEditor", "Este texto tiene caracteres que el formato de siempre no escribe (como "
                        "→ o ₂). Se guarda entero, pero la práctica se guardará en la versión "
                        "Vol.2 del formato, que las versiones anteriores del programa no abren.");
    pAviso->setToolTip(strAviso);
    // A name longer than a file keeps is not cut: the field keeps it whole and says so, and
    // the check on "Aceptar" names the field, so the teacher decides what to shorten.
    const QString strLarga = QCoreApplication::translate(
        "CamposEditor", "Este texto tiene %1 caracteres y en el archivo caben como mucho %2: "
                        "acórtelo antes de aceptar.");
    QObject::connect(e, &QLineEdit::textChanged, e,
                     [e, pAviso, strAviso, strLarga](const QString& s) {
                         const std::string str = s.toStdString();
                         const size_t nLongitud = Validacion::LongitudEnArchivo(str);
                         QString strTexto;
                         if (nLongitud > Validacion::kLongitudNombre)
                             strTexto = strLarga.arg(nLongitud).arg(Validacion::kLongitudNombre);
                         else if (!CArchivo::CabeEnCp1252(str))
                             strTexto = strAviso;
                         pAviso->setVisible(!strTexto.isEmpty());
                         pAviso->setToolTip(strTexto);
                         e->setAccessibleDescription(strTexto);
                     });
    return e;
}

Lista CrearLista(QWidget* pPadre, const QString& strAgregar) {
    auto* caja = new QWidget(pPadre);
    auto* v = new QVBoxLayout(caja);
    v->setContentsMargins(0, 0, 0, 0);
    auto* l = new QListWidget(caja);
    l->setMinimumWidth(220);
    v->addWidget(l);
    auto* h = new QHBoxLayout;
    auto* a = new QPushButton(strAgregar, caja);
    auto* e = new QPushButton(QStringLiteral("Eliminar"), caja);
    h->addWidget(a);
    h->addWidget(e);
    v->addLayout(h);
    return {l, a, e, caja};
}

void DosColumnas(QWidget* pPagina, QWidget* pIzquierda, QWidget* pDerecha) {
    auto* h = new QHBoxLayout(pPagina);
    h->addWidget(pIzquierda, 0);
    h->addWidget(pDerecha, 1);
}

void LlenarSustancias(QComboBox* c, const CCatalogo& cat, const QString& strPrimero) {
    c->blockSignals(true);
    c->clear();
    if (!strPrimero.isEmpty())
        c->addItem(strPrimero, -1);
    for (int32_t i = 0; i < cat.NumComponentes(); ++i) {
        const CComponentes& k = cat.m_componentes[static_cast<size_t>(i)];
        c->addItem(k.m_strFormula.empty()
                       ? Q(k.m_strNombre)
                       : QStringLiteral("%1 (%2)").arg(Q(k.m_strNombre), Q(k.m_strFormula)),
                   i);
    }
    c->blockSignals(false);
}

void Elegir(QComboBox* c, int nDato) {
    c->blockSignals(true);
    const int i = c->findData(nDato);
    c->setCurrentIndex(i >= 0 ? i : 0);
    c->blockSignals(false);
}

void LlenarLista(QListWidget* l, const QStringList& textos) {
    const int n = l->currentRow();
    l->blockSignals(true);
    l->clear();
    l->addItems(textos);
    l->blockSignals(false);
    l->setCurrentRow(textos.isEmpty() ? -1 : std::clamp(n, 0, int(textos.size()) - 1));
}

} // namespace CamposEditor

CNumero::CNumero(QWidget* pPadre) : QLineEdit(pPadre) {
    setValidator(new QRegularExpressionValidator(
        QRegularExpression(QStringLiteral("[-+]?[0-9]*[.,]?[0-9]*([eE][-+]?[0-9]*)?")), this));
    setMaxLength(32);
    connect(this, &QLineEdit::editingFinished, this, [this] {
        // A field only passed through keeps its value to the last digit: it shows 15
        // significant digits, the practice may hold 17.
        if (!isModified())
            return;
        setModified(false);
        double d = 0.0;
        if (m_fnVacio && text().trimmed().isEmpty()) {
            m_bVacio = true;
            m_fnVacio();
        } else if (Leer(d)) {
            m_bVacio = false;
            m_fnCambio(d);
        } else if (m_bVacio) {
            MostrarVacio();
        } else {
            Mostrar(m_dValor);
        }
    });
}

void CNumero::Mostrar(double d) {
    m_dValor = d;
    m_bVacio = false;
    setText(QString::number(d, 'g', 15));
}

void CNumero::PermitirVacio(std::function<void()> fnVacio) {
    m_fnVacio = std::move(fnVacio);
}

void CNumero::MostrarVacio() {
    m_bVacio = true;
    clear();
}

bool CNumero::Leer(double& d) const {
    bool bOk = false;
    QString t = text().trimmed();
    t.replace(QLatin1Char(','), QLatin1Char('.'));
    d = t.toDouble(&bOk);
    return bOk && std::isfinite(d) && std::fabs(d) <= Limites::kValorCatalogo;
}

CBotonColor::CBotonColor(QWidget* pPadre, std::function<QColor(const QColor&)>* pfnElegir)
    : QPushButton(pPadre) {
    setMinimumWidth(90);
    connect(this, &QPushButton::clicked, this, [this, pfnElegir] {
        const QColor c = (*pfnElegir)(m_color);
        if (c.isValid() && c != m_color) {
            Mostrar(c);
            m_fnCambio(c);
        }
    });
}

void CBotonColor::Mostrar(const QColor& c, bool bVisible) {
    m_color = c;
    if (!bVisible) {
        setText(QString());
        setStyleSheet(QString());
        return;
    }
    setText(c.name().toUpper());
    setStyleSheet(QStringLiteral("background-color: %1; color: %2")
                      .arg(c.name(), 299 * c.red() + 587 * c.green() + 114 * c.blue() > 140000
                                         ? QStringLiteral("black")
                                         : QStringLiteral("white")));
}
