// CDlgEditorPractica: "Archivo > Editar práctica…" and "Archivo > Nueva práctica en blanco".
// One page each (CPaginaDatos … CPaginaMesa) for the practice's data, its notes, substances,
// reagents, reactions, indicators and starting bench; every edit goes through the editor
// (CEditorPractica), on its copy. The dialog only assembles them: "Aceptar" is refused while
// the practice does not validate, "Cancelar" (or closing) asks before dropping changes,
// "Probar" runs a copy and "Guardar en archivo…" writes it; "Deshacer" and "Rehacer" step
// through the editor's history. The caller applies the accepted copy.
#pragma once

#include <QDialog>

#include <functional>
#include <memory>

class CEditorPractica;
class CPaginaEditor;
class CPaginaNotas;
class CPractica;
class QLabel;
class QLineEdit;
class QListWidget;
class QTabWidget;
class QTextEdit;

class CDlgEditorPractica : public QDialog {
    Q_OBJECT
public:
    // pActual: the open practice, whose bench "Usar la mesa actual" takes.
    CDlgEditorPractica(std::unique_ptr<CEditorPractica> pEditor, const CPractica* pActual,
                       QWidget* pPadre = nullptr);
    ~CDlgEditorPractica() override;

    CEditorPractica& Editor() { return *m_pEditor; }
    QTabWidget* Paginas() const { return m_pPaginas; }
    enum Pagina { DATOS, NOTAS, SUSTANCIAS, REACTIVOS, REACCIONES, INDICADORES, MESA };

    // Copies what the pages keep to themselves (the notes) into the copy.
    void Recoger();
    bool Modificada();

    // The fields tests reach.
    QLineEdit* m_pNombre = nullptr;
    QLineEdit* m_pResumen = nullptr;
    QLineEdit* m_pAutor = nullptr;
    QTextEdit* m_pNotas[3] = {nullptr, nullptr, nullptr};
    QListWidget* m_pListaSustancias = nullptr;
    QListWidget* m_pListaReacciones = nullptr;
    QLabel* m_pEcuacion = nullptr;
    QLabel* m_pEstadoMesa = nullptr;
    // The path the practice is saved to from the "Mesa inicial" page, given the extension
    // ("uak1" or "akp"); a save dialog unless tests replace it. Empty: cancelled.
    std::function<QString(const QString&)> m_fnDialogoGuardar;
    // Writes the practice as its file (validated first); false, having said why, otherwise.
    bool GuardarEnArchivo();
    // Where "Guardar en archivo…" proposes to write: the practice's name as a file name, in
    // the folder last used from the editor or in "Mis prácticas".
    QString RutaPropuesta(const QString& strExtension) const;
    // "Probar": runs a copy of the edited practice for a minute of the bench (Comprobacion)
    // and tells what it found; the lines of the report (none when it could not run).
    QStringList Probar();
    // The colour chosen for a colour button; a colour dialog unless tests replace it.
    std::function<QColor(const QColor&)> m_fnElegirColor;

public slots:
    void accept() override;
    void reject() override;

protected:
    // Enter finishes a field; it never accepts the editor.
    void keyPressEvent(QKeyEvent* e) override;

private:
    void CrearPaginas(const CPractica* pActual);

    std::unique_ptr<CEditorPractica> m_pEditor;
    QTabWidget* m_pPaginas = nullptr;
    // Every page refills itself from the copy when it is shown.
    CPaginaEditor* m_pPagina[7] = {};
    CPaginaNotas* m_pPaginaNotas = nullptr;
};
