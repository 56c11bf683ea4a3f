#include "equipment/Dibujo.h"

#include <QFontMetrics>

namespace Dibujo {

QFont Fuente(const char* pszCara, int nAlto) {
    QFont f(QString::fromLatin1(pszCara));
    f.setStyleHint(QString::fromLatin1(pszCara) == QLatin1String("Courier New") ? QFont::TypeWriter
                                                                                : QFont::SansSerif);
    f.setWeight(QFont::Normal);
    // The metric-compatible faces have a cell about 1.15 em high.
    f.setPixelSize(std::max(1, static_cast<int>(nAlto / 1.15 + 0.5)));
    return f;
}

void Texto(QPainter& p, int x, int y, const QString& str, bool bDerecha) {
    const QFontMetrics fm(p.font());
    const int w = fm.horizontalAdvance(str);
    const int xInicio = bDerecha ? x - w : x;
    if (p.backgroundMode() == Qt::OpaqueMode)
        p.fillRect(QRect(xInicio, y, w, fm.height()), p.background());
    p.drawText(QPoint(xInicio, y + fm.ascent()), str);
}

void PrepararPintor(QPainter& p) {
    p.setFont(Arial(14));
    p.setPen(QColor(0, 0, 255));
    p.setBackgroundMode(Qt::TransparentMode);
    p.setRenderHint(QPainter::TextAntialiasing, true);
}

} // namespace Dibujo
