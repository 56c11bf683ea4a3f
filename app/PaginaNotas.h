// CPaginaNotas: the three sections of the practice's notes, with the formatting the notes
// keep (bold, italic, underline, subscript and superscript, headings, lists, colour).
#pragma once

#include "app/PaginaEditor.h"

#include <QColor>

#include <functional>

class QTabWidget;
class QTextEdit;

class CPaginaNotas : public CPaginaEditor {
public:
    // pfnElegirColor: the dialog's colour chooser, which tests may replace.
    CPaginaNotas(CEditorPractica& editor, std::function<QColor(const QColor&)>* pfnElegirColor);
    // Copies the sections that were typed in into the editor's copy.
    void Recoger();

    QTextEdit* m_pNotas[3] = {nullptr, nullptr, nullptr};

private:
    void Formato(int nOrden);
    // The heading and the lists work on whole paragraphs.
    void Titulo(QTextEdit* e);
    void Lista(QTextEdit* e, bool bVinetas);

    std::function<QColor(const QColor&)>* m_pfnElegirColor;
    QTabWidget* m_pSecciones = nullptr;
};
