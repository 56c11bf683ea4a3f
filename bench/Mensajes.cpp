#include "bench/Mensajes.h"

#include <QFontMetrics>
#include <QGridLayout>
#include <QGuiApplication>
#include <QPushButton>
#include <QSpacerItem>

#include <algorithm>

namespace Mensajes {

namespace {
std::function<QMessageBox::StandardButton(const QString&)> g_fnRespuesta;
}

void SetRespuesta(std::function<QMessageBox::StandardButton(const QString&)> fn) {
    g_fnRespuesta = std::move(fn);
}

int AnchoDelTitulo(const QWidget& ventana) {
    // As the window system composes it: "Título — Alkor Vol. 1", or the name alone.
    const QString strNombre = QGuiApplication::applicationDisplayName();
    QString strTitulo = ventana.windowTitle();
    if (!strNombre.isEmpty() && !strTitulo.endsWith(strNombre))
        strTitulo += (strTitulo.isEmpty() ? QString() : QStringLiteral(" — ")) + strNombre;
    // Title bars letter in bold more often than not; the icon and three buttons take about
    // 130 pixels beside the text.
    QFont negrita = ventana.font();
    negrita.setBold(true);
    constexpr int kBarra = 130;
    return QFontMetrics(negrita).horizontalAdvance(strTitulo) + kBarra;
}

void AnchoParaElTitulo(QWidget& ventana) {
    const int nAncho = AnchoDelTitulo(ventana);
    // A message box lays itself out again when shown and forgets a minimum width; a
    // spacer across its grid is what it keeps.
    if (auto* g = qobject_cast<QGridLayout*>(ventana.layout());
        g && qobject_cast<QMessageBox*>(&ventana)) {
        g->addItem(new QSpacerItem(nAncho, 0, QSizePolicy::Minimum, QSizePolicy::Minimum),
                   g->rowCount(), 0, 1, g->columnCount());
        return;
    }
    ventana.setMinimumWidth(std::max(ventana.minimumWidth(), nAncho));
}

void Aviso(QWidget* pPadre, const QString& strTexto) {
    if (g_fnRespuesta) {
        g_fnRespuesta(strTexto);
        return;
    }
    QMessageBox m(QMessageBox::NoIcon, QString::fromUtf8(kTitulo), strTexto, QMessageBox::Ok,
                  pPadre);
    m.button(QMessageBox::Ok)->setText(QStringLiteral("Aceptar"));
    AnchoParaElTitulo(m);
    m.exec();
}

QMessageBox::StandardButton Pregunta(QWidget* pPadre, const QString& strTexto, bool bCancelar,
                                     QMessageBox::StandardButton eDefecto) {
    if (g_fnRespuesta)
        return g_fnRespuesta(strTexto);
    QMessageBox::StandardButtons botones = QMessageBox::Yes | QMessageBox::No;
    if (bCancelar)
        botones |= QMessageBox::Cancel;
    QMessageBox m(QMessageBox::Question, QString::fromUtf8(kTitulo), strTexto, botones, pPadre);
    m.button(QMessageBox::Yes)->setText(QStringLiteral("&Sí"));
    m.button(QMessageBox::No)->setText(QStringLiteral("&No"));
    if (bCancelar) {
        m.button(QMessageBox::Cancel)->setText(QStringLiteral("Cancelar"));
        m.setEscapeButton(QMessageBox::Cancel);
    }
    m.setDefaultButton(eDefecto);
    AnchoParaElTitulo(m);
    return static_cast<QMessageBox::StandardButton>(m.exec());
}

} // namespace Mensajes
