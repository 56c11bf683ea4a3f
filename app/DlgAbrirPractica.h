// CDlgAbrirPractica: the practice browser. In template mode it lists the built-in
// practices; in file mode a folder tree of this machine beside the saved practices
// (".uak1") of the selected folder, each with its name and summary.
#pragma once

#include <QDialog>
#include <QTreeWidget>

class CBotonSombreado;
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

    QString m_strArchivo;
    QString m_strExtension;
    bool m_bPlantillas;
    int m_nRecurso = 0;
    QTreeWidget* m_pLista;
    CArbolCarpetas* m_pArbol;
    std::vector<CEntradaPractica> m_entradas;

    // Lists the practices of a folder (file mode).
    void ListarCarpeta(const QString& strRuta);
    // "Abrir": takes the selected row; false when none is selected.
    bool Elegir();

protected:
    void keyPressEvent(QKeyEvent* e) override;

private:
    void Rellenar();
};
