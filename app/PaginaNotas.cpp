#include "app/PaginaNotas.h"

#include "document/EditorPractica.h"
#include "document/Rtf.h"

#include <QTabWidget>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextEdit>
#include <QToolBar>
#include <QVBoxLayout>

namespace {

enum {
    FORMATO_NEGRITA,
    FORMATO_CURSIVA,
    FORMATO_SUBRAYADO,
    FORMATO_SUBINDICE,
    FORMATO_SUPERINDICE,
    FORMATO_TITULO,
    FORMATO_VINETAS,
    FORMATO_NUMERADA,
    FORMATO_COLOR
};

} // namespace

CPaginaNotas::CPaginaNotas(CEditorPractica& editor,
                           std::function<QColor(const QColor&)>* pfnElegirColor)
    : CPaginaEditor(editor), m_pfnElegirColor(pfnElegirColor) {
    auto* v = new QVBoxLayout(this);
    auto* barra = new QToolBar(this);
    const struct {
        int n;
        const char* texto;
        const char* ayuda;
    } kOrdenes[] = {
        {FORMATO_NEGRITA, "N", "Negrita"},
        {FORMATO_CURSIVA, "K", "Cursiva"},
        {FORMATO_SUBRAYADO, "S", "Subrayado"},
        {FORMATO_SUBINDICE, "x₂", "Subíndice (fórmulas: H₂O)"},
        {FORMATO_SUPERINDICE, "x²", "Superíndice (cargas: Cu²⁺)"},
        {FORMATO_TITULO, "Título", "Título: el párrafo en letra grande y negrita"},
        {FORMATO_VINETAS, "• Lista", "Lista con viñetas"},
        {FORMATO_NUMERADA, "1. Lista", "Lista numerada"},
        {FORMATO_COLOR, "Color…", "Color del texto"},
    };
    for (const auto& o : kOrdenes) {
        QAction* a = barra->addAction(QString::fromUtf8(o.texto));
        a->setToolTip(QString::fromUtf8(o.ayuda));
        QFont f = a->font();
        f.setBold(o.n == FORMATO_NEGRITA);
        f.setItalic(o.n == FORMATO_CURSIVA);
        f.setUnderline(o.n == FORMATO_SUBRAYADO);
        a->setFont(f);
        connect(a, &QAction::triggered, this, [this, n = o.n] { Formato(n); });
    }
    v->addWidget(barra);
    m_pSecciones = new QTabWidget(this);
    const char* kNombres[3] = {"Marco teórico", "Procedimiento", "Resultados y conclusiones"};
    const CPractica& p = Practica();
    const std::string* textos[3] = {&p.m_strMarcoTeorico, &p.m_strProcedimiento,
                                    &p.m_strResultados};
    for (int i = 0; i < 3; ++i) {
        m_pNotas[i] = new QTextEdit(m_pSecciones);
        m_pNotas[i]->setAcceptRichText(false);
        Rtf::Leer(*textos[i], *m_pNotas[i]->document());
        m_pNotas[i]->document()->setModified(false);
        m_pSecciones->addTab(m_pNotas[i], QString::fromUtf8(kNombres[i]));
    }
    v->addWidget(m_pSecciones);
}

void CPaginaNotas::Recoger() {
    // A note that was not touched keeps its bytes.
    for (int i = 0; i < 3; ++i)
        if (m_pNotas[i]->document()->isModified()) {
            m_editor.PonerNota(i, Rtf::Escribir(*m_pNotas[i]->document()));
            m_pNotas[i]->document()->setModified(false);
        }
}

void CPaginaNotas::Formato(int nOrden) {
    QTextEdit* e = m_pNotas[m_pSecciones->currentIndex()];
    QTextCharFormat f;
    const QTextCharFormat actual = e->currentCharFormat();
    switch (nOrden) {
    case FORMATO_NEGRITA:
        f.setFontWeight(actual.fontWeight() >= QFont::Bold ? QFont::Normal : QFont::Bold);
        break;
    case FORMATO_CURSIVA:
        f.setFontItalic(!actual.fontItalic());
        break;
    case FORMATO_SUBRAYADO:
        f.setFontUnderline(!actual.fontUnderline());
        break;
    case FORMATO_SUBINDICE:
    case FORMATO_SUPERINDICE: {
        const auto va = nOrden == FORMATO_SUBINDICE ? QTextCharFormat::AlignSubScript
                                                    : QTextCharFormat::AlignSuperScript;
        f.setVerticalAlignment(actual.verticalAlignment() == va ? QTextCharFormat::AlignNormal
                                                                : va);
        break;
    }
    case FORMATO_COLOR: {
        const QColor col = (*m_pfnElegirColor)(actual.foreground().color());
        if (!col.isValid())
            return;
        f.setForeground(col);
        break;
    }
    case FORMATO_TITULO:
        Titulo(e);
        return;
    case FORMATO_VINETAS:
    case FORMATO_NUMERADA:
        Lista(e, nOrden == FORMATO_VINETAS);
        return;
    default:
        return;
    }
    // On a selection, to the selection; without one, to what is typed next.
    e->mergeCurrentCharFormat(f);
    e->document()->setModified(true);
}

void CPaginaNotas::Titulo(QTextEdit* e) {
    // The whole paragraph, in the sizes and weight the notes write.
    QTextCursor c = e->textCursor();
    c.movePosition(QTextCursor::StartOfBlock);
    c.movePosition(QTextCursor::EndOfBlock, QTextCursor::KeepAnchor);
    QTextCharFormat f;
    f.setFontWeight(QFont::Bold);
    f.setFontPointSize(14);
    c.mergeCharFormat(f);
    e->document()->setModified(true);
}

void CPaginaNotas::Lista(QTextEdit* e, bool bVinetas) {
    // Lists are written as the notes keep them: a marker and a tab at the start of each
    // paragraph, indented with a hanging first line.
    QTextCursor c = e->textCursor();
    const int nInicio = e->document()->findBlock(c.selectionStart()).blockNumber();
    const int nFin = e->document()->findBlock(c.selectionEnd()).blockNumber();
    c.beginEditBlock();
    for (int n = nInicio, k = 1; n <= nFin; ++n, ++k) {
        QTextCursor b(e->document()->findBlockByNumber(n));
        QTextBlockFormat bf = b.blockFormat();
        bf.setLeftMargin(24);
        bf.setTextIndent(-16);
        b.setBlockFormat(bf);
        b.insertText(bVinetas ? QStringLiteral("•\t") : QStringLiteral("%1.\t").arg(k));
    }
    c.endEditBlock();
    e->document()->setModified(true);
}
