#include "NotasView.h"

#include "BotonImagen.h"
#include "Mensajes.h"
#include "Practica.h"
#include "Rtf.h"

#include <QHBoxLayout>
#include <QIcon>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPrinter>
#include <QSignalBlocker>
#include <QTextCursor>
#include <QTextEdit>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

constexpr const char* kNotas = "Notas de la práctica";
constexpr const char* kSecciones[] = {"Marco teórico", "Procedimiento",
                                      "Resultados y conclusiones"};

CBotonSombreado* Boton(QWidget* pPadre, const char* pszImagen, const char* pszTip) {
    auto* b = new CBotonSombreado(QString(), pPadre);
    b->SetBitmaps(QStringLiteral(":/imagenes/%1.svg").arg(QLatin1String(pszImagen)));
    b->SetTooltipText(QString::fromUtf8(pszTip));
    b->setFixedSize(52, 30);
    b->setFocusPolicy(Qt::TabFocus);
    b->setAccessibleName(QString::fromUtf8(pszTip));
    return b;
}

} // namespace

CNotasView::CNotasView(CPractica& practica, QWidget* pPadre)
    : QWidget(pPadre), m_practica(practica), m_pEditor(new QTextEdit(this)) {
    auto* botones = new QHBoxLayout;
    botones->setContentsMargins(4, 4, 4, 4);
    botones->setSpacing(4);
    auto* marco = Boton(this, "marco", kSecciones[SECCION_MARCO]);
    auto* proc = Boton(this, "procedimiento", kSecciones[SECCION_PROCEDIMIENTO]);
    auto* res = Boton(this, "resultados", kSecciones[SECCION_RESULTADOS]);
    auto* imp = Boton(this, "imprimir", "Imprimir");
    for (CBotonSombreado* b : {marco, proc, res, imp})
        botones->addWidget(b);
    botones->addStretch();
    connect(marco, &QPushButton::clicked, this, [this] { MostrarSeccion(SECCION_MARCO); });
    connect(proc, &QPushButton::clicked, this, [this] { MostrarSeccion(SECCION_PROCEDIMIENTO); });
    connect(res, &QPushButton::clicked, this, [this] { MostrarSeccion(SECCION_RESULTADOS); });
    connect(imp, &QPushButton::clicked, this, &CNotasView::Imprimir);
    auto* l = new QVBoxLayout(this);
    l->setContentsMargins(0, 0, 0, 0);
    l->setSpacing(0);
    l->addLayout(botones);
    l->addWidget(m_pEditor, 1);
    m_pEditor->setAcceptRichText(true);
    m_pEditor->setAccessibleName(QString::fromUtf8(kNotas));
    connect(m_pEditor, &QTextEdit::textChanged, this, [this] {
        if (!m_bCargando && m_nSeccion == SECCION_RESULTADOS)
            emit ResultadosEditados();
    });
}

void CNotasView::GuardarResultados() {
    if (m_nSeccion == SECCION_RESULTADOS && m_pEditor->document()->isModified()) {
        m_practica.m_strResultados = Rtf::Escribir(*m_pEditor->document());
        m_pEditor->document()->setModified(false);
    }
}

void CNotasView::Reiniciar() {
    m_nSeccion = SECCION_NINGUNA;
    const QSignalBlocker bloqueo(m_pEditor);
    m_pEditor->clear();
    m_pEditor->setReadOnly(false);
    m_pEditor->setAccessibleName(QString::fromUtf8(kNotas));
}

void CNotasView::MostrarSeccion(int nSeccion) {
    GuardarResultados();
    const std::string* textos[3] = {&m_practica.m_strMarcoTeorico, &m_practica.m_strProcedimiento,
                                    &m_practica.m_strResultados};
    if (nSeccion < 0 || nSeccion > 2) {
        Reiniciar();
        return;
    }
    m_nSeccion = nSeccion;
    m_bCargando = true;
    // While the note comes in the editor holds no cursor, as in its own loading: carried to
    // the end by the text, its cursor put back at the start would have the whole note laid
    // out just to repaint where it had been, and a long note kept the pane blank for
    // seconds. Now only what shows is laid out first, the rest a little at a time.
    m_pEditor->setTextCursor(QTextCursor());
    Rtf::Leer(*textos[nSeccion], *m_pEditor->document());
    m_bCargando = false;
    m_pEditor->document()->setModified(false);
    m_pEditor->setReadOnly(nSeccion != SECCION_RESULTADOS);
    // Screen readers say which section the notes show.
    m_pEditor->setAccessibleName(QStringLiteral("%1: %2").arg(
        QString::fromUtf8(kNotas), QString::fromUtf8(kSecciones[nSeccion])));
    m_pEditor->setTextCursor(QTextCursor(m_pEditor->document()));
}

bool CNotasView::Imprimir() {
    GuardarResultados();
    QPrinter impresora(QPrinter::HighResolution);
    QPrintDialog dlg(&impresora, this);
    dlg.setOption(QAbstractPrintDialog::PrintSelection, false);
    dlg.setOption(QAbstractPrintDialog::PrintPageRange, false);
    dlg.setOption(QAbstractPrintDialog::PrintToFile, false);
    dlg.setOption(QAbstractPrintDialog::PrintCollateCopies, true);
    if (dlg.exec() != QDialog::Accepted)
        return false;
    return ImprimirEn(impresora);
}

bool CNotasView::ImprimirEn(QPrinter& impresora) {
    impresora.setDocName(QStringLiteral("Korvex - Alkor"));
    // One inch on every side; every page of the text is printed.
    impresora.setPageMargins(QMarginsF(1, 1, 1, 1), QPageLayout::Inch);
    std::unique_ptr<QTextDocument> copia(m_pEditor->document()->clone());
    copia->print(&impresora);
    if (impresora.printerState() == QPrinter::Error) {
        QMessageBox m(QMessageBox::Warning, QString::fromUtf8(Mensajes::kTitulo),
                      QStringLiteral("There was a general printing error, please check printer is "
                                     "working properly, connected, on line etc."),
                      QMessageBox::Ok, this);
        m.exec();
        return false;
    }
    return impresora.printerState() != QPrinter::Aborted;
}
