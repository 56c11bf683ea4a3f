// CNotasView: the notes pane on the left of the window — four image buttons over an editor
// that shows the practice's "Marco teórico", "Procedimiento" or "Resultados y conclusiones".
#pragma once

#include <QWidget>

class CPractica;
class QTextEdit;
class QToolButton;

class CNotasView : public QWidget {
    Q_OBJECT
public:
    enum Seccion {
        SECCION_NINGUNA = -1,
        SECCION_MARCO = 0,
        SECCION_PROCEDIMIENTO,
        SECCION_RESULTADOS
    };

    explicit CNotasView(CPractica& practica, QWidget* pPadre = nullptr);

    // Shows a section of the open practice; typing in "Resultados y conclusiones" is kept
    // in the practice first.
    void MostrarSeccion(int nSeccion);
    // Stores what was typed in "Resultados y conclusiones" back into the practice.
    void GuardarResultados();
    // Forgets the section shown without storing anything (the practice was replaced).
    void Reiniciar();
    // Prints what the editor shows, every page; false when nothing was printed.
    bool Imprimir();
    // The printing itself, on a printer already chosen (tests print to a PDF).
    bool ImprimirEn(class QPrinter& impresora);
    int Seccion() const { return m_nSeccion; }
    QTextEdit* Editor() const { return m_pEditor; }

signals:
    // The student typed in "Resultados y conclusiones".
    void ResultadosEditados();

private:
    CPractica& m_practica;
    QTextEdit* m_pEditor;
    int m_nSeccion = SECCION_NINGUNA;
    bool m_bCargando = false; // a section is being shown: its text is not an edit
};
