#include "bench/CampoNumero.h"

#include "bench/Mensajes.h"

#include <QGuiApplication>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QScreen>
#include <QToolButton>
#include <QVBoxLayout>

#include <cmath>

CCampoNumero::CCampoNumero(QWidget* pPadre)
    : QWidget(pPadre), m_pArriba(new QToolButton(this)), m_pAbajo(new QToolButton(this)),
      m_pEdit(new QLineEdit(this)) {
    m_pArriba->setArrowType(Qt::UpArrow);
    m_pAbajo->setArrowType(Qt::DownArrow);
    for (QToolButton* b : {m_pArriba, m_pAbajo}) {
        b->setFixedSize(16, 11);
        b->setFocusPolicy(Qt::NoFocus);
        b->setAutoRepeat(true);
    }
    connect(m_pArriba, &QToolButton::clicked, this, [this] { Paso(+1); });
    connect(m_pAbajo, &QToolButton::clicked, this, [this] { Paso(-1); });
    auto* flechas = new QVBoxLayout;
    flechas->setContentsMargins(0, 0, 0, 0);
    flechas->setSpacing(0);
    flechas->addWidget(m_pArriba);
    flechas->addWidget(m_pAbajo);
    auto* l = new QHBoxLayout(this);
    l->setContentsMargins(0, 0, 0, 0);
    l->setSpacing(1);
    l->addWidget(m_pEdit, 1);
    l->addLayout(flechas);
    m_pEdit->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    setFocusProxy(m_pEdit);
    m_pEdit->installEventFilter(this);
}

bool CCampoNumero::eventFilter(QObject* o, QEvent* e) {
    if (o == m_pEdit && e->type() == QEvent::KeyPress) {
        const int k = static_cast<QKeyEvent*>(e)->key();
        if (k == Qt::Key_Up || k == Qt::Key_Down) {
            Paso(k == Qt::Key_Up ? +1 : -1);
            return true;
        }
    }
    return QWidget::eventFilter(o, e);
}

void CCampoNumero::SetRango(int nMin, int nMax) {
    m_nMin = nMin;
    m_nMax = nMax;
}

void CCampoNumero::SetValor(double d) {
    m_pEdit->setText(QString::number(d, 'g', 15));
}

void CCampoNumero::Paso(int nSentido) {
    bool bOk = false;
    const double d = m_pEdit->text().trimmed().toDouble(&bOk);
    long long n = bOk ? static_cast<long long>(std::llround(d)) : m_nMin;
    n += nSentido;
    // The arrows wrap round at the ends of the range.
    if (n > m_nMax)
        n = m_nMin;
    else if (n < m_nMin)
        n = m_nMax;
    m_pEdit->setText(QString::number(n));
}

void CCampoNumero::Rechazar(const QString& strMensaje) {
    Mensajes::Aviso(window(), strMensaje);
    m_pEdit->setFocus();
    m_pEdit->selectAll();
}

bool CCampoNumero::LeerNumero(double& d) {
    bool bOk = false;
    const double v = m_pEdit->text().trimmed().toDouble(&bOk);
    if (!bOk || !std::isfinite(v)) {
        Rechazar(QStringLiteral("Introduzca un número."));
        return false;
    }
    d = v;
    return true;
}

bool CCampoNumero::LeerCantidad(double& d, double dMaximo) {
    double v = 0.0;
    if (!LeerNumero(v))
        return false;
    if (v <= 0.0) {
        Rechazar(QStringLiteral("Introduzca una cantidad mayor que cero."));
        return false;
    }
    if (v > dMaximo) {
        Rechazar(QStringLiteral("Introduzca una cantidad no mayor que %1.")
                     .arg(QString::number(dMaximo, 'g', 15)));
        return false;
    }
    d = v;
    return true;
}

bool CCampoNumero::LeerEntero(int& n, int nMin, int nMax) {
    bool bOk = false;
    const int v = m_pEdit->text().trimmed().toInt(&bOk);
    if (!bOk) {
        Rechazar(QStringLiteral("Introduzca un número entero."));
        return false;
    }
    if (v < nMin || v > nMax) {
        Rechazar(QStringLiteral("Introduzca un número entero entre %1 y %2.").arg(nMin).arg(nMax));
        return false;
    }
    n = v;
    return true;
}

void ArribaDerecha(QWidget* pDialogo) {
    QScreen* pantalla = pDialogo->screen() ? pDialogo->screen() : QGuiApplication::primaryScreen();
    if (!pantalla)
        return;
    const QRect r = pantalla->geometry();
    pDialogo->adjustSize();
    pDialogo->move(r.x() + r.width() - pDialogo->frameGeometry().width() - 10, r.y() + 10);
}
