// CPaginaEditor: one page of the practice editor. It shows what the editor's copy holds and
// passes every change to the editor; the dialog asks it to refill itself whenever it is shown.
#pragma once

#include "document/EditorPractica.h"

#include <QWidget>

#include <utility>

class CPaginaEditor : public QWidget {
public:
    explicit CPaginaEditor(CEditorPractica& editor) : m_editor(editor) {}
    // Refills the page from the copy (the other pages may have changed it).
    virtual void Recargar() {}

protected:
    // What the page shows, read only: changes go through the editor.
    const CCatalogo& Catalogo() const { return std::as_const(m_editor).Catalogo(); }
    const CPractica& Practica() const { return std::as_const(m_editor).Practica(); }

    CEditorPractica& m_editor;
};
