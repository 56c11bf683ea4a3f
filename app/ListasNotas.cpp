#include "app/ListasNotas.h"

#include <QRegularExpression>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextEdit>
#include <QTextList>

#include <vector>

namespace ListasNotas {

namespace {

std::vector<QTextBlock> Bloques(const QTextEdit* e) {
    const QTextCursor c = e->textCursor();
    const QTextDocument* doc = e->document();
    QTextBlock primero = doc->findBlock(c.selectionStart());
    QTextBlock ultimo = doc->findBlock(c.selectionEnd());
    // A selection dragged to the start of the next line does not take that line in.
    if (c.hasSelection() && ultimo != primero && c.selectionEnd() == ultimo.position())
        ultimo = ultimo.previous();
    std::vector<QTextBlock> v;
    for (QTextBlock b = primero; b.isValid(); b = b.next()) {
        v.push_back(b);
        if (b == ultimo)
            break;
    }
    // Nor does the empty line a text ends with.
    while (v.size() > 1 && v.back().length() <= 1)
        v.pop_back();
    return v;
}

bool DelEstilo(const QTextBlock& b, QTextListFormat::Style estilo) {
    return b.textList() && b.textList()->format().style() == estilo;
}

// The marker older notes typed in by hand, which a real list replaces.
void QuitarMarcaEscrita(const QTextBlock& b) {
    static const QRegularExpression kMarca(QStringLiteral("^(\u2022[\t ]|\\d+\\.\t)"));
    const QRegularExpressionMatch m = kMarca.match(b.text());
    if (!m.hasMatch())
        return;
    QTextCursor c(b);
    c.movePosition(QTextCursor::NextCharacter, QTextCursor::KeepAnchor,
                   static_cast<int>(m.capturedLength()));
    c.removeSelectedText();
}

} // namespace

bool EnLista(const QTextEdit* e, QTextListFormat::Style estilo) {
    return DelEstilo(e->textCursor().block(), estilo);
}

void Poner(QTextEdit* e, QTextListFormat::Style estilo, bool bPoner) {
    const std::vector<QTextBlock> bloques = Bloques(e);
    QTextCursor c = e->textCursor();
    c.beginEditBlock();
    QTextList* lista = nullptr;
    if (bPoner) {
        // Right after an item of the same kind the list goes on rather than starting again.
        const QTextBlock antes = bloques.front().previous();
        if (antes.isValid() && DelEstilo(antes, estilo))
            lista = antes.textList();
    }
    for (const QTextBlock& b : bloques) {
        if (QTextList* l = b.textList())
            l->remove(b);
        QTextCursor cb(b);
        QTextBlockFormat bf = b.blockFormat();
        bf.setIndent(0);
        if (bPoner) {
            // The list gives the indent: the hanging one of a hand-made bullet goes.
            QuitarMarcaEscrita(b);
            bf.setLeftMargin(0);
            bf.setTextIndent(0);
            bf.clearProperty(QTextFormat::TabPositions);
        }
        cb.setBlockFormat(bf);
        if (!bPoner)
            continue;
        if (lista) {
            lista->add(b);
        } else {
            QTextListFormat lf;
            lf.setStyle(estilo);
            lf.setIndent(1);
            lista = cb.createList(lf);
        }
    }
    c.endEditBlock();
    e->document()->setModified(true);
}

void Alternar(QTextEdit* e, QTextListFormat::Style estilo) {
    bool bTodos = true;
    for (const QTextBlock& b : Bloques(e))
        bTodos = bTodos && DelEstilo(b, estilo);
    Poner(e, estilo, !bTodos);
}

void Titulo(QTextEdit* e) {
    // The sizes and weight the notes have always written for a heading, and the block's
    // heading level, so that Return after it goes back to plain text.
    QTextCharFormat f;
    f.setFontWeight(QFont::Bold);
    f.setFontPointSize(14);
    const std::vector<QTextBlock> bloques = Bloques(e);
    QTextCursor c(e->document());
    c.beginEditBlock();
    c.setPosition(bloques.front().position());
    c.setPosition(bloques.back().position() + bloques.back().length() - 1, QTextCursor::KeepAnchor);
    c.mergeCharFormat(f);
    QTextBlockFormat bf;
    bf.setHeadingLevel(2);
    c.mergeBlockFormat(bf);
    c.endEditBlock();
    // On an empty paragraph, or with no selection, what is typed next is the heading too.
    if (!e->textCursor().hasSelection())
        e->mergeCurrentCharFormat(f);
    e->document()->setModified(true);
}

} // namespace ListasNotas
