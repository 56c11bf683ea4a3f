#include "app/Presentacion.h"

#include <QApplication>
#include <QPainter>
#include <QScreen>
#include <QSvgRenderer>

namespace {
CVentanaPresentacion* g_pPresentacion = nullptr;
}

CVentanaPresentacion* CVentanaPresentacion::Mostrar(QWidget* pDueno) {
    if (!g_pPresentacion)
        g_pPresentacion = new CVentanaPresentacion(pDueno);
    return g_pPresentacion;
}

CVentanaPresentacion* CVentanaPresentacion::Actual() {
    return g_pPresentacion;
}

CVentanaPresentacion::CVentanaPresentacion(QWidget* pDueno)
    : QWidget(pDueno, Qt::SplashScreen | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint),
      m_pDueno(pDueno) {
    setAttribute(Qt::WA_DeleteOnClose);
    QSvgRenderer r(QStringLiteral(":/imagenes/presentacion.svg"));
    const QSize s = r.isValid() ? r.defaultSize() : QSize(480, 300);
    m_imagen = QImage(s, QImage::Format_RGB32);
    m_imagen.fill(Qt::white);
    if (r.isValid()) {
        QPainter p(&m_imagen);
        r.render(&p);
    }
    setFixedSize(s);
    if (QScreen* pantalla = QGuiApplication::primaryScreen())
        move(pantalla->geometry().center() - rect().center());
    m_timer.setSingleShot(true);
    connect(&m_timer, &QTimer::timeout, this, &CVentanaPresentacion::Cerrar);
    m_timer.start(2000);
    qApp->installEventFilter(this);
    show();
    raise();
}

CVentanaPresentacion::~CVentanaPresentacion() {
    qApp->removeEventFilter(this);
    if (g_pPresentacion == this)
        g_pPresentacion = nullptr;
}

void CVentanaPresentacion::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.drawImage(0, 0, m_imagen);
}

void CVentanaPresentacion::Cerrar() {
    qApp->removeEventFilter(this);
    if (m_pDueno)
        m_pDueno->update();
    close();
}

bool CVentanaPresentacion::eventFilter(QObject*, QEvent* e) {
    switch (e->type()) {
    case QEvent::KeyPress:
    case QEvent::MouseButtonPress:
    case QEvent::NonClientAreaMouseButtonPress:
        // The first key or click only puts the splash away.
        Cerrar();
        return true;
    default:
        return false;
    }
}
