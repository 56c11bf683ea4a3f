// Message boxes of the program: captioned "Alkor Vol. 1", with Spanish buttons.
#pragma once

#include <QMessageBox>
#include <QString>

#include <functional>

class QWidget;

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

// The width a window needs for its whole title as the window manager shows it: the title,
// the program's name that follows it, and room for the bar's icon and buttons.
int AnchoDelTitulo(const QWidget& ventana);
// Widens a dialog, if need be, so that its title shows whole (a short "Mililitros" or a
// message box with two words of text is otherwise cut to "Alko… l. 1").
void AnchoParaElTitulo(QWidget& ventana);

} // namespace Mensajes
