#include "Mensajes.h"

#include <QPushButton>

namespace Mensajes {

void Aviso(QWidget* pPadre, const QString& strTexto) {
    QMessageBox m(QMessageBox::NoIcon, QString::fromUtf8(kTitulo), strTexto, QMessageBox::Ok,
                  pPadre);
    m.button(QMessageBox::Ok)->setText(QStringLiteral("Aceptar"));
    m.exec();
}

QMessageBox::StandardButton Pregunta(QWidget* pPadre, const QString& strTexto, bool bCancelar) {
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
    m.setDefaultButton(QMessageBox::Yes);
    return static_cast<QMessageBox::StandardButton>(m.exec());
}

} // namespace Mensajes
