#pragma once
// The two conversions every layer above the model needs: the model's UTF-8 strings to Qt's
// and back, and its COLORREF (0x00BBGGRR) to QColor and back.

#include "model/Componentes.h"

#include <QColor>
#include <QString>

#include <string>

inline QString Q(const std::string& s) {
    return QString::fromStdString(s);
}

inline std::string S(const QString& s) {
    return s.toStdString();
}

inline QColor ColorDe(COLORREF cr) {
    return QColor(RojoDe(cr), VerdeDe(cr), AzulDe(cr));
}

inline COLORREF ColorrefDe(const QColor& c) {
    return RGBColor(c.red(), c.green(), c.blue());
}
