// The RTF the practices carry, read into and written from a QTextDocument. A well-defined
// subset: groups, \rtf1 \ansi \deff, font and colour tables, \par \pard \line \tab, \b \i \ul
// \strike, \fs, \cf, \f, \qc \qr \qj \ql, \li \ri \fi, \up \dn \super \sub \nosupersub, \'hh
// (Windows-1252), \uN with its fallback and the symbol words, lists as old-style paragraph
// numbering (\pn, \pntext) and headings as \outlinelevel; every destination and control
// word it does not know is skipped without losing the text around it. Reading any bytes
// never crashes and never loops; what the writer writes reads back the same.
#pragma once

#include <QTextDocument>

#include <string>

namespace Rtf {

// Fills the document (cleared first) from an RTF text; a text that is not RTF at all is
// shown as plain text.
void Leer(const std::string& strRtf, QTextDocument& doc);
// The document as RTF.
std::string Escribir(const QTextDocument& doc);

} // namespace Rtf
