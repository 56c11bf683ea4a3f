#include "app/NotasView.h"
#include "app/FormularioRespuestas.h"

#include "app/ListasNotas.h"

#include "bench/BotonImagen.h"
#include "bench/Mensajes.h"
#include "document/Practica.h"
#include "document/Rtf.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QIcon>
#include <QKeyEvent>
#include <QPrintDialog>
#include <QPrinter>
#include <QPrinterInfo>
#include <QSignalBlocker>
#include <QStandardPaths>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextEdit>
#include <QTextList>
#include <QToolBar>
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

// The notes' undo keys: -1 undo, 1 redo, 0 any other key. Besides the desktop's own, the
// keys of the window's "Deshacer" and "Rehacer", so that none of them goes past the editor.
int OrdenHistorial(const QKeyEvent& k) {
    const QKeyCombination c = k.keyCombination();
    if (k.matches(QKeySequence::Redo) || c == (Qt::CTRL | Qt::Key_Y) ||
        c == (Qt::CTRL | Qt::SHIFT | Qt::Key_Z))
        return 1;
    if (k.matches(QKeySequence::Undo) || c == (Qt::CTRL | Qt::Key_Z))
        return -1;
    return 0;
}

class CTeclasHistorial : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* o, QEvent* ev) override {
        if (ev->type() != QEvent::ShortcutOverride && ev->type() != QEvent::KeyPress)
            return false;
        auto* k = static_cast<QKeyEvent*>(ev);
        const int nOrden = OrdenHistorial(*k);
        if (nOrden == 0)
            return false;
        // Taken before the window's shortcuts see the key: the key press comes here next.
        if (ev->type() == QEvent::ShortcutOverride) {
            k->accept();
            return true;
        }
        auto* e = qobject_cast<QTextEdit*>(o);
        if (e && !e->isReadOnly()) {
            if (nOrden < 0)
                e->undo();
            else
                e->redo();
        }
        return true;
    }
};

} // namespace

void CNotasView::HistorialPropio(QTextEdit* pEditor) {
    pEditor->installEventFilter(new CTeclasHistorial(pEditor));
}

CNotasView::CNotasView(CPractica& practica, QWidget* pPadre)
    : QWidget(pPadre), m_practica(practica), m_pEditor(new QTextEdit(this)) {
    // Tab leaves the notes, as in every other field: a keyboard must never be kept in.
    m_pEditor->setTabChangesFocus(true);
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
    CrearBarraFormato();
    l->addWidget(m_pBarraFormato);
    l->addWidget(m_pEditor, 1);
    m_pFormulario = new CFormularioRespuestas(m_practica, this);
    m_pFormulario->hide();
    l->addWidget(m_pFormulario, 1);
    connect(m_pFormulario, &CFormularioRespuestas::Editado, this, &CNotasView::ResultadosEditados);
    m_pEditor->setAcceptRichText(true);
    m_pEditor->setAccessibleName(QString::fromUtf8(kNotas));
    HistorialPropio(m_pEditor);
    connect(m_pEditor, &QTextEdit::textChanged, this, [this] {
        if (!m_bCargando && m_nSeccion == SECCION_RESULTADOS)
            emit ResultadosEditados();
    });
}

void CNotasView::CrearBarraFormato() {
    m_pBarraFormato = new QToolBar(this);
    m_pBarraFormato->setObjectName(QStringLiteral("barraFormato"));
    m_pBarraFormato->setIconSize(QSize(16, 16));
    m_pBarraFormato->setAccessibleName(tr("Formato del texto"));
    // The letters a Spanish word processor shows on these buttons; the keys are the usual
    // ones of the desktop (Ctrl+S saves the practice).
    auto boton = [this](const QString& strLetra, const QString& strNombre,
                        const QKeySequence& tecla, auto fnFuente) {
        auto* a = new QAction(strLetra, this);
        QFont f = a->font();
        fnFuente(f);
        a->setFont(f);
        a->setCheckable(true);
        a->setShortcut(tecla);
        // The keys work while the editor has the focus; the bar itself takes no focus away.
        a->setShortcutContext(Qt::WidgetWithChildrenShortcut);
        a->setToolTip(
            QStringLiteral("%1 (%2)").arg(strNombre, tecla.toString(QKeySequence::NativeText)));
        a->setStatusTip(strNombre);
        m_pBarraFormato->addAction(a);
        m_pEditor->addAction(a);
        if (auto* b = m_pBarraFormato->widgetForAction(a)) {
            b->setAccessibleName(strNombre);
            b->setFocusPolicy(Qt::NoFocus);
        }
        return a;
    };
    m_pNegrita = boton(tr("N"), tr("Negrita"), QKeySequence(Qt::CTRL | Qt::Key_B),
                       [](QFont& f) { f.setBold(true); });
    m_pCursiva = boton(tr("K"), tr("Cursiva"), QKeySequence(Qt::CTRL | Qt::Key_I),
                       [](QFont& f) { f.setItalic(true); });
    m_pSubrayado = boton(tr("S"), tr("Subrayado"), QKeySequence(Qt::CTRL | Qt::Key_U),
                         [](QFont& f) { f.setUnderline(true); });
    m_pBarraFormato->addSeparator();
    m_pVinetas = boton(QStringLiteral("\u2022"), tr("Viñetas"),
                       QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_L), [](QFont&) {});
    connect(m_pNegrita, &QAction::triggered, this, [this](bool b) {
        QTextCharFormat f;
        f.setFontWeight(b ? QFont::Bold : QFont::Normal);
        m_pEditor->mergeCurrentCharFormat(f);
    });
    connect(m_pCursiva, &QAction::triggered, this, [this](bool b) {
        QTextCharFormat f;
        f.setFontItalic(b);
        m_pEditor->mergeCurrentCharFormat(f);
    });
    connect(m_pSubrayado, &QAction::triggered, this, [this](bool b) {
        QTextCharFormat f;
        f.setFontUnderline(b);
        m_pEditor->mergeCurrentCharFormat(f);
    });
    connect(m_pVinetas, &QAction::triggered, this, &CNotasView::Vinetas);
    connect(m_pEditor, &QTextEdit::currentCharFormatChanged, this, &CNotasView::ActualizarFormato);
    connect(m_pEditor, &QTextEdit::cursorPositionChanged, this, &CNotasView::ActualizarFormato);
    MostrarBarraFormato(false);
}

void CNotasView::ActualizarFormato() {
    const QTextCharFormat f = m_pEditor->currentCharFormat();
    m_pNegrita->setChecked(f.fontWeight() >= QFont::Bold);
    m_pCursiva->setChecked(f.fontItalic());
    m_pSubrayado->setChecked(f.fontUnderline());
    m_pVinetas->setChecked(ListasNotas::EnLista(m_pEditor, QTextListFormat::ListDisc));
}

void CNotasView::Vinetas(bool bPoner) {
    // A real list: Return goes on with it, and the notes' RTF keeps it as a list that word
    // processors read as theirs.
    ListasNotas::Poner(m_pEditor, QTextListFormat::ListDisc, bPoner);
    ActualizarFormato();
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
    MostrarBarraFormato(false);
    m_pFormulario->hide();
}

void CNotasView::MostrarBarraFormato(bool bMostrar) {
    // The keys go with the bar: a read-only section is not reformatted behind the student.
    m_pBarraFormato->setVisible(bMostrar);
    for (QAction* a : {m_pNegrita, m_pCursiva, m_pSubrayado, m_pVinetas})
        a->setEnabled(bMostrar);
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
    // The text shown is no edit, and each showing starts a history of its own: what was
    // typed before is in the practice, and Ctrl+Z never reaches into another section's text.
    m_pEditor->document()->clearUndoRedoStacks();
    m_bCargando = false;
    m_pEditor->document()->setModified(false);
    m_pEditor->setReadOnly(nSeccion != SECCION_RESULTADOS);
    // Formatting belongs to the one text the student writes.
    MostrarBarraFormato(nSeccion == SECCION_RESULTADOS);
    // The questions are answered beside the student's own results.
    if (nSeccion == SECCION_RESULTADOS)
        m_pFormulario->Reconstruir();
    else
        m_pFormulario->hide();
    // Screen readers say which section the notes show.
    m_pEditor->setAccessibleName(QStringLiteral("%1: %2").arg(
        QString::fromUtf8(kNotas), QString::fromUtf8(kSecciones[nSeccion])));
    m_pEditor->setTextCursor(QTextCursor(m_pEditor->document()));
}

QString CNotasView::RutaPdfPropuesta() const {
    QString strNombre = QString::fromStdString(m_practica.m_strPractica).trimmed();
    for (QChar c : {QLatin1Char('/'), QLatin1Char('\\'), QLatin1Char(':')})
        strNombre.replace(c, QLatin1Char('-'));
    if (strNombre.isEmpty())
        strNombre = tr("Notas");
    if (m_nSeccion != SECCION_NINGUNA)
        strNombre += QStringLiteral(" - ") + QString::fromUtf8(kSecciones[m_nSeccion]);
    QString strCarpeta = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    if (strCarpeta.isEmpty() || !QFileInfo(strCarpeta).isDir())
        strCarpeta = QDir::homePath();
    return QDir(strCarpeta).filePath(strNombre + QStringLiteral(".pdf"));
}

bool CNotasView::Imprimir() {
    GuardarResultados();
    QPrinter impresora(QPrinter::HighResolution);
    // Printing to a PDF file is always offered; with no printer installed it is the only
    // choice, and it comes with a file name ready, so "Imprimir" always has somewhere to go.
    if (QPrinterInfo::availablePrinterNames().isEmpty())
        impresora.setOutputFileName(RutaPdfPropuesta());
    QPrintDialog dlg(&impresora, this);
    dlg.setOption(QAbstractPrintDialog::PrintSelection, false);
    dlg.setOption(QAbstractPrintDialog::PrintPageRange, false);
    dlg.setOption(QAbstractPrintDialog::PrintToFile, true);
    dlg.setOption(QAbstractPrintDialog::PrintCollateCopies, true);
    if (dlg.exec() != QDialog::Accepted)
        return false;
    return ImprimirEn(impresora);
}

bool CNotasView::ExportarPdf(const QString& strRuta) {
    GuardarResultados();
    QPrinter impresora(QPrinter::HighResolution);
    impresora.setOutputFormat(QPrinter::PdfFormat);
    impresora.setOutputFileName(strRuta);
    return ImprimirEn(impresora);
}

bool CNotasView::ImprimirEn(QPrinter& impresora) {
    const bool bPdf = impresora.outputFormat() == QPrinter::PdfFormat;
    // Without a printer Qt falls back to a PDF with no file: nothing would come out at all.
    if (bPdf && impresora.outputFileName().isEmpty()) {
        Mensajes::Aviso(this, tr("No hay ninguna impresora disponible, así que no se imprimió "
                                 "nada. Elija la salida a un archivo PDF en la ventana de "
                                 "impresión, o use Archivo > Exportar notas a PDF…"));
        return false;
    }
    impresora.setDocName(QStringLiteral("Korvex - Alkor"));
    // One inch on every side; every page of the text is printed.
    impresora.setPageMargins(QMarginsF(1, 1, 1, 1), QPageLayout::Inch);
    std::unique_ptr<QTextDocument> copia(m_pEditor->document()->clone());
    // A PDF is checked by what reached its file: a folder that cannot be written leaves none.
    if (bPdf)
        QFile::remove(impresora.outputFileName());
    copia->print(&impresora);
    if (bPdf && (impresora.printerState() == QPrinter::Error ||
                 QFileInfo(impresora.outputFileName()).size() <= 0)) {
        Mensajes::Aviso(this, tr("No se pudo escribir el archivo PDF %1: compruebe que la "
                                 "carpeta existe y que puede escribir en ella.")
                                  .arg(QDir::toNativeSeparators(impresora.outputFileName())));
        return false;
    }
    if (impresora.printerState() == QPrinter::Error) {
        Mensajes::Aviso(this, tr("Hubo un error al imprimir: compruebe que la impresora está "
                                 "encendida, conectada y en línea."));
        return false;
    }
    return impresora.printerState() != QPrinter::Aborted;
}
