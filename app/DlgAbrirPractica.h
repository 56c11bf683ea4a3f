// CDlgAbrirPractica: the practice browser. In template mode it lists the built-in
// practices, then those of the user's folder "Mis prácticas", then those of the shared
// folder, each under its group's heading with name, summary and author, and imports a file
// into the user's folder; in file mode a folder tree of this machine beside the saved
// practices (".uak1") of the selected folder, each with its name and summary.
#pragma once

#include "document/Biblioteca.h"

#include <QDialog>
#include <QTreeWidget>

#include <functional>

class CBotonSombreado;
class QLabel;
class QPushButton;
class QTreeWidget;

// The folder tree: "Drives" with the mounted file systems, and the desktop (or home) folder.
class CArbolCarpetas : public QTreeWidget {
    Q_OBJECT
public:
    explicit CArbolCarpetas(QWidget* pPadre = nullptr);

    void Inicializar();
    // Folder path of an item ("/" separated, ending in "/"); empty for "Drives".
    QString RutaDe(QTreeWidgetItem* pItem) const;
    // Opens the tree down to the folder and selects it; false when a part is not found.
    bool SeleccionarRuta(const QString& strRuta);

    QTreeWidgetItem* m_pUnidades = nullptr;
    QTreeWidgetItem* m_pEscritorio = nullptr;
    QString m_strEscritorio;

private:
    QTreeWidgetItem* Insertar(const QString& strRuta, const QString& strTexto,
                              QTreeWidgetItem* pPadre);
    void Expandir(QTreeWidgetItem* pItem);
    void Contraer(QTreeWidgetItem* pItem);
};

class CDlgAbrirPractica : public QDialog {
    Q_OBJECT
public:
    // bPlantillas: template mode (".akp") or file mode (".uak1").
    explicit CDlgAbrirPractica(QWidget* pPadre = nullptr, bool bPlantillas = true);

    struct CEntradaPractica {
        QString m_strArchivo, m_strTitulo, m_strResumen;
    };

    // What was chosen: a built-in practice (m_nRecurso), or a file (m_strArchivo) that is a
    // template when m_bPlantillaElegida, a saved practice otherwise.
    QString m_strArchivo;
    bool m_bPlantillaElegida = true;
    QString m_strExtension;
    bool m_bPlantillas;
    int m_nRecurso = 0;
    QTreeWidget* m_pLista;
    CArbolCarpetas* m_pArbol;
    std::vector<CEntradaPractica> m_entradas;
    // Template mode: the entries of every group, as listed.
    std::vector<Biblioteca::Entrada> m_biblioteca;
    QPushButton* m_pImportar = nullptr;
    QLabel* m_pEstado = nullptr;
    // The file chosen for "Importar práctica…", empty when cancelled. Replaceable by tests.
    std::function<QString()> m_fnElegirImportacion;

    // Lists the three groups again from the folders of the preferences. The shared folder
    // (a network share that may hang) is read in the background: its group says
    // "Leyendo…" until the files come.
    void ListarBiblioteca();
    // Whether the shared folder is still being read.
    bool Leyendo() const { return m_bLeyendo; }
    // "Importar práctica…": copies a file that reads as a practice into "Mis prácticas".
    void Importar();
    // The row of an entry of m_biblioteca; null for none.
    QTreeWidgetItem* ItemDe(size_t nEntrada) const;

    // Lists the practices of a folder (file mode).
    void ListarCarpeta(const QString& strRuta);
    // "Abrir": takes the selected row; false when none is selected.
    bool Elegir();

protected:
    void keyPressEvent(QKeyEvent* e) override;

private:
    // File mode: the rows of m_entradas.
    void Rellenar();
    // Greys a row that cannot be opened, its reason in the tool tips.
    void Desactivar(QTreeWidgetItem* pItem, const QString& strMotivo);
    // The line under the list that says why the practice asked for did not start.
    void MostrarEstado(const QString& s);

private:
    // Shows m_biblioteca in the list (the folders as read last).
    void MostrarBiblioteca();
    // The shared folder's files, read in the background by the listing nLectura.
    void RecibirCompartidas(int nLectura, std::vector<Biblioteca::Entrada> v);
    QString m_strPropia, m_strCompartida;
    int m_nLectura = 0;
    bool m_bLeyendo = false;
};
