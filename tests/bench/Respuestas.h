// Message boxes in widget tests: instead of showing, they are written down and answered.
#pragma once

#include "bench/Mensajes.h"

#include <QApplication>
#include <QStringList>
#include <QTimer>
#include <QtTest>

#include <functional>

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

// The next modal dialog of type T that opens is handed to fn (which answers it).
template <class T> void AlAbrirse(std::function<void(T&)> fn) {
    QTimer::singleShot(0, [fn] {
        for (int i = 0; i < 100; ++i) {
            if (auto* d = qobject_cast<T*>(QApplication::activeModalWidget())) {
                fn(*d);
                return;
            }
            QTest::qWait(10);
        }
        QFAIL("el diálogo no apareció");
    });
}

// The boxes show again.
inline void MostrarMensajes() {
    Mensajes::SetRespuesta({});
}

} // namespace prueba
