#include "app/PaginaNotas.h"

#include "app/ListasNotas.h"
#include "app/NotasView.h"

#include "document/EditorPractica.h"
#include "document/Rtf.h"

#include <QAction>
#include <QKeySequence>
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
        QKeySequence tecla = {};
    } kOrdenes[] = {
        {FORMATO_NEGRITA, "N", "Negrita", QKeySequence(Qt::CTRL | Qt::Key_B)},
        {FORMATO_CURSIVA, "K", "Cursiva", QKeySequence(Qt::CTRL | Qt::Key_I)},
        {FORMATO_SUBRAYADO, "S", "Subrayado", QKeySequence(Qt::CTRL | Qt::Key_U)},
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
        if (!o.tecla.isEmpty()) {
            // The keys act while a section's editor has the focus: the action belongs to the
            // page too, whose children the editors are.
            a->setShortcut(o.tecla);
            a->setShortcutContext(Qt::WidgetWithChildrenShortcut);
            addAction(a);
        }
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
        m_pNotas[i]->setTabChangesFocus(true); // Tab leaves, as in every other field
        Rtf::Leer(*textos[i], *m_pNotas[i]->document());
        // Each section has a history of its own, which starts after its text: Ctrl+Z takes
        // back typing, never the note as it came.
        m_pNotas[i]->document()->clearUndoRedoStacks();
        m_pNotas[i]->document()->setModified(false);
        CNotasView::HistorialPropio(m_pNotas[i]);
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
    ListasNotas::Titulo(e);
}

void CPaginaNotas::Lista(QTextEdit* e, bool bVinetas) {
    ListasNotas::Alternar(e, bVinetas ? QTextListFormat::ListDisc : QTextListFormat::ListDecimal);
}
