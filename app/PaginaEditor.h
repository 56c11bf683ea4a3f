// CPaginaEditor: one page of the practice editor. It shows what the editor's copy holds and
// passes every change to the editor; the dialog asks it to refill itself whenever it is shown.
#pragma once

#include <QWidget>

class CEditorPractica;

class CPaginaEditor : public QWidget {
public:
    explicit CPaginaEditor(CEditorPractica& editor) : m_editor(editor) {}
    // Refills the page from the copy (the other pages may have changed it).
    virtual void Recargar() {}

protected:
    CEditorPractica& m_editor;
};
