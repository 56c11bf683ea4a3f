// Lists and headings in the notes editors, as Qt's own list and block formats: Return then
// continues a list and ends it on an empty item, and the RTF keeps them as lists.
#pragma once

#include <QTextListFormat>

class QTextEdit;

namespace ListasNotas {

// Makes the paragraphs of the selection a list of that style, or, when they all already are
// one, plain paragraphs again. A selection that ends at the start of a line leaves that line.
void Alternar(QTextEdit* e, QTextListFormat::Style estilo);
// The same, said outright: bPoner puts the list, otherwise it is taken away.
void Poner(QTextEdit* e, QTextListFormat::Style estilo, bool bPoner);
// Whether the paragraph of the cursor is an item of a list of that style.
bool EnLista(const QTextEdit* e, QTextListFormat::Style estilo);
// The paragraphs of the selection become a heading, and so does what is typed next.
void Titulo(QTextEdit* e);

} // namespace ListasNotas
