// Message boxes of the program: captioned "Alkor Vol. 1", with Spanish buttons.
#pragma once

#include <QMessageBox>
#include <QString>

namespace Mensajes {

inline constexpr const char* kTitulo = "Alkor Vol. 1";

// A notice with an OK button and no icon.
void Aviso(QWidget* pPadre, const QString& strTexto);
// A question with Sí / No (and Cancelar when asked); returns the button chosen.
QMessageBox::StandardButton Pregunta(QWidget* pPadre, const QString& strTexto,
                                     bool bCancelar = false);

} // namespace Mensajes
