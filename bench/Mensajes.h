// Message boxes of the program: captioned "Alkor Vol. 1", with Spanish buttons.
#pragma once

#include <QMessageBox>
#include <QString>

#include <functional>

namespace Mensajes {

inline constexpr const char* kTitulo = "Alkor Vol. 1";

// When set, the boxes are not shown: this answers them instead (widget tests use it to
// see what would have been said).
void SetRespuesta(std::function<QMessageBox::StandardButton(const QString&)> fn);

// A notice with an OK button and no icon.
void Aviso(QWidget* pPadre, const QString& strTexto);
// A question with Sí / No (and Cancelar when asked); returns the button chosen. Intro
// answers eDefecto: a question whose "Sí" throws work away passes No.
QMessageBox::StandardButton Pregunta(QWidget* pPadre, const QString& strTexto,
                                     bool bCancelar = false,
                                     QMessageBox::StandardButton eDefecto = QMessageBox::Yes);

} // namespace Mensajes
