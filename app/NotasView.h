// CNotasView: the notes pane on the left of the window — four image buttons over an editor
// that shows the practice's "Marco teórico", "Procedimiento" or "Resultados y conclusiones".
#pragma once

#include <QWidget>

class CFormularioRespuestas;
class CPractica;
class QAction;
class QTextEdit;
class QToolBar;
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
    // The printing itself, on a printer already chosen (tests print to a PDF); a printer
    // that cannot print, or a PDF that did not reach its file, is told in a message.
    bool ImprimirEn(class QPrinter& impresora);
    // What the editor shows, as a PDF file ("Archivo > Exportar notas a PDF…").
    bool ExportarPdf(const QString& strRuta);
    // Where a PDF of the section shown is offered: the documents folder, named after the
    // practice and the section.
    QString RutaPdfPropuesta() const;
    int Seccion() const { return m_nSeccion; }
    QTextEdit* Editor() const { return m_pEditor; }
    // The students' answers under "Resultados y conclusiones" (hidden without questions).
    CFormularioRespuestas* Formulario() const { return m_pFormulario; }

    // The formatting bar over "Resultados y conclusiones": bold, italic, underline
    // (Ctrl+B, Ctrl+I, Ctrl+U) and bullets; hidden over the read-only sections.
    QToolBar* BarraFormato() const { return m_pBarraFormato; }
    QAction* m_pNegrita = nullptr;
    QAction* m_pCursiva = nullptr;
    QAction* m_pSubrayado = nullptr;
    QAction* m_pVinetas = nullptr;
    // Makes the paragraphs of the selection a bulleted list, or plain paragraphs again.
    void Vinetas(bool bPoner);

    // While a notes editor has the focus, Ctrl+Z undoes its typing and Ctrl+Y or Ctrl+Mayús+Z
    // redoes it, whatever keys the desktop gives those commands; over a read-only section
    // they do nothing. Either way they never reach the window's bench history.
    static void HistorialPropio(QTextEdit* pEditor);

signals:
    // The student typed in "Resultados y conclusiones".
    void ResultadosEditados();

private:
    void CrearBarraFormato();
    void MostrarBarraFormato(bool bMostrar);
    // The bar's buttons follow the format where the cursor is.
    void ActualizarFormato();

    CPractica& m_practica;
    QTextEdit* m_pEditor;
    CFormularioRespuestas* m_pFormulario = nullptr;
    QToolBar* m_pBarraFormato = nullptr;
    int m_nSeccion = SECCION_NINGUNA;
    bool m_bCargando = false; // a section is being shown: its text is not an edit
};
