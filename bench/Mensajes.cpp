#include "bench/Mensajes.h"

#include <QPushButton>

namespace Mensajes {

namespace {
std::function<QMessageBox::StandardButton(const QString&)> g_fnRespuesta;
}

void SetRespuesta(std::function<QMessageBox::StandardButton(const QString&)> fn) {
    g_fnRespuesta = std::move(fn);
}

void Aviso(QWidget* pPadre, const QString& strTexto) {
    if (g_fnRespuesta) {
        g_fnRespuesta(strTexto);
        return;
    }
    QMessageBox m(QMessageBox::NoIcon, QString::fromUtf8(kTitulo), strTexto, QMessageBox::Ok,
                  pPadre);
    m.button(QMessageBox::Ok)->setText(QStringLiteral("Aceptar"));
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
    return static_cast<QMessageBox::StandardButton>(m.exec());
}

} // namespace Mensajes
