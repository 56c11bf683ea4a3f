#include "app/Ayuda.h"

#include <QHBoxLayout>
#include <QKeySequence>
#include <QPointer>
#include <QShortcut>
#include <QTextBrowser>
#include <QToolBar>
#include <QVBoxLayout>

CAyuda* CAyuda::Mostrar(QWidget* pDueno) {
    static QPointer<CAyuda> pAyuda;
    if (!pAyuda)
        pAyuda = new CAyuda(pDueno);
    pAyuda->m_pNavegador->setSource(QUrl(QStringLiteral("qrc:/ayuda/indice.html")));
    pAyuda->show();
    pAyuda->raise();
    pAyuda->activateWindow();
    return pAyuda;
}

CAyuda::CAyuda(QWidget* pDueno)
    : QWidget(pDueno, Qt::Window), m_pNavegador(new QTextBrowser(this)) {
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(QStringLiteral("Ayuda de Alkor"));
    resize(760, 620);
    auto* barra = new QToolBar(this);
    barra->addAction(QStringLiteral("Contenido"), this, [this] {
        m_pNavegador->setSource(QUrl(QStringLiteral("qrc:/ayuda/indice.html")));
    });
    barra->addAction(QStringLiteral("Atrás"), m_pNavegador, &QTextBrowser::backward);
    barra->addAction(QStringLiteral("Adelante"), m_pNavegador, &QTextBrowser::forward);
    m_pNavegador->setOpenExternalLinks(true);
    // Closed from the keyboard as any window that only shows pages is.
    for (const QKeySequence& k : {QKeySequence(Qt::Key_Escape), QKeySequence(QKeySequence::Close)})
        connect(new QShortcut(k, this), &QShortcut::activated, this, &QWidget::close);
    m_pNavegador->setAccessibleName(QStringLiteral("Ayuda de Alkor"));
    auto* l = new QVBoxLayout(this);
    l->setContentsMargins(0, 0, 0, 0);
    l->addWidget(barra);
    l->addWidget(m_pNavegador);
}
