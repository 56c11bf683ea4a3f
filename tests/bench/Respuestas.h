// Message boxes in widget tests: instead of showing, they are written down and answered.
#pragma once

#include "Mensajes.h"

#include <QStringList>

namespace prueba {

// From now on every box appends its text to *pMensajes and gets the given answer.
inline void AnotarMensajes(QStringList* pMensajes,
                           QMessageBox::StandardButton respuesta = QMessageBox::Yes) {
    pMensajes->clear();
    Mensajes::SetRespuesta([pMensajes, respuesta](const QString& s) {
        *pMensajes << s;
        return respuesta;
    });
}

// The boxes show again.
inline void MostrarMensajes() {
    Mensajes::SetRespuesta({});
}

} // namespace prueba
