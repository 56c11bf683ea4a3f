#include "app/DlgAbrirPractica.h"

#include "app/DlgPreferencias.h"
#include "bench/BotonImagen.h"
#include "bench/Mensajes.h"
#include "document/Practica.h"
#include "document/Rutas.h"

#include <QApplication>
#include <QDateTime>
#include <QDir>
#include <QFileDialog>
#include <QFileIconProvider>
#include <QFileInfo>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLocale>
#include <QPointer>
#include <QPushButton>
#include <QStandardPaths>
#include <QStorageInfo>
#include <QVBoxLayout>

#include <sys/stat.h>

#include <algorithm>
#include <iterator>
#include <thread>

namespace {

// A child with no text: it gives its parent an expand button until it is opened.
void Marcador(QTreeWidgetItem* pItem) {
    pItem->addChild(new QTreeWidgetItem(QStringList(QString())));
}

constexpr int kRolRuta = Qt::UserRole;
constexpr int kRolEntrada = Qt::UserRole + 1; // index into the browser's entries

} // namespace

CArbolCarpetas::CArbolCarpetas(QWidget* pPadre) : QTreeWidget(pPadre) {
    setHeaderHidden(true);
    setRootIsDecorated(true);
    setSelectionMode(QAbstractItemView::SingleSelection);
    connect(this, &QTreeWidget::itemExpanded, this, &CArbolCarpetas::Expandir);
    connect(this, &QTreeWidget::itemCollapsed, this, &CArbolCarpetas::Contraer);
}

QTreeWidgetItem* CArbolCarpetas::Insertar(const QString& strRuta, const QString& strTexto,
                                          QTreeWidgetItem* pPadre) {
    static const QFileIconProvider iconos;
    auto* it = new QTreeWidgetItem(QStringList(strTexto));
    it->setData(0, kRolRuta, strRuta);
    it->setIcon(0, iconos.icon(QFileIconProvider::Folder));
    if (pPadre)
        pPadre->addChild(it);
    else
        addTopLevelItem(it);
    Marcador(it);
    return it;
}

void CArbolCarpetas::Inicializar() {
    clear();
    m_strEscritorio = QStandardPaths::writableLocation(QStandardPaths::DesktopLocation);
    if (m_strEscritorio.isEmpty() || !QDir(m_strEscritorio).exists())
        m_strEscritorio = QDir::homePath();
    m_pUnidades = Insertar(QString(), QStringLiteral("Drives"), nullptr);
    m_pUnidades->setIcon(0, QFileIconProvider().icon(QFileIconProvider::Computer));
    m_pEscritorio = Insertar(QDir(m_strEscritorio).absolutePath() + QLatin1Char('/'),
                             QDir(m_strEscritorio).dirName(), nullptr);
    m_pEscritorio->setIcon(0, QFileIconProvider().icon(QFileIconProvider::Desktop));
}

QString CArbolCarpetas::RutaDe(QTreeWidgetItem* pItem) const {
    return pItem ? pItem->data(0, kRolRuta).toString() : QString();
}

void CArbolCarpetas::Expandir(QTreeWidgetItem* pItem) {
    qDeleteAll(pItem->takeChildren());
    if (pItem == m_pUnidades) {
        QStringList raices;
        for (const QStorageInfo& s : QStorageInfo::mountedVolumes())
            if (s.isValid() && s.isReady())
                raices << s.rootPath();
        if (raices.isEmpty())
            raices << QStringLiteral("/");
        raices.removeDuplicates();
        std::sort(raices.begin(), raices.end());
        for (const QString& r : raices)
            Insertar(r.endsWith(QLatin1Char('/')) ? r : r + QLatin1Char('/'), r, pItem);
        return;
    }
    const QString ruta = RutaDe(pItem);
    // By the names' own bytes: a folder whose name is not UTF-8 is shown and can be opened.
    QStringList nombres, carpetas;
    Rutas::Listar(ruta, nombres);
    for (const QString& n : nombres) {
        struct stat st {};
        if (!n.startsWith(QLatin1Char('.')) && Rutas::Estado(ruta + n, st) == 0 &&
            S_ISDIR(st.st_mode))
            carpetas << n;
    }
    carpetas.sort(Qt::CaseInsensitive);
    for (const QString& n : carpetas)
        Insertar(ruta + n + QLatin1Char('/'), Rutas::Visible(n), pItem);
    if (carpetas.isEmpty())
        Marcador(pItem);
}

void CArbolCarpetas::Contraer(QTreeWidgetItem* pItem) {
    qDeleteAll(pItem->takeChildren());
    Marcador(pItem);
}

bool CArbolCarpetas::SeleccionarRuta(const QString& strRuta) {
    QString ruta = QDir::cleanPath(QDir(strRuta).absolutePath());
    m_pUnidades->setExpanded(true);
    // The deepest mounted file system that holds the path.
    QTreeWidgetItem* pActual = nullptr;
    int nLargo = -1;
    for (int i = 0; i < m_pUnidades->childCount(); ++i) {
        QString raiz = RutaDe(m_pUnidades->child(i));
        if ((ruta + QLatin1Char('/')).startsWith(raiz) && raiz.size() > nLargo) {
            pActual = m_pUnidades->child(i);
            nLargo = static_cast<int>(raiz.size());
        }
    }
    if (!pActual)
        return false;
    const QStringList partes = ruta.mid(nLargo).split(QLatin1Char('/'), Qt::SkipEmptyParts);
    for (const QString& parte : partes) {
        pActual->setExpanded(true);
        QTreeWidgetItem* pHijo = nullptr;
        for (int i = 0; i < pActual->childCount(); ++i)
            if (RutaDe(pActual->child(i)).endsWith(QLatin1Char('/') + parte + QLatin1Char('/'))) {
                pHijo = pActual->child(i);
                break;
            }
        if (!pHijo)
            return false;
        pActual = pHijo;
    }
    setCurrentItem(pActual);
    scrollToItem(pActual);
    return true;
}

CDlgAbrirPractica::CDlgAbrirPractica(QWidget* pPadre, bool bPlantillas)
    : QDialog(pPadre),
      m_strExtension(bPlantillas ? QStringLiteral(".akp") : QStringLiteral(".uak1")),
      m_bPlantillas(bPlantillas), m_pLista(new QTreeWidget(this)),
      m_pArbol(new CArbolCarpetas(this)) {
    setWindowTitle(bPlantillas ? QStringLiteral("Seleccione la práctica a iniciar")
                               : QStringLiteral("Seleccione la práctica a abrir"));
    resize(860, bPlantillas ? 520 : 420);
    // Saved files also show their name and date, so that two saves of one practice can be
    // told apart.
    if (bPlantillas) {
        m_pLista->setColumnCount(3);
        m_pLista->setHeaderLabels(
            {QStringLiteral("Práctica"), QStringLiteral("Resumen"), QStringLiteral("Autor")});
    } else {
        m_pLista->setColumnCount(4);
        m_pLista->setHeaderLabels({QStringLiteral("Práctica"), QStringLiteral("Archivo"),
                                   QStringLiteral("Fecha"), QStringLiteral("Resumen")});
    }
    m_pLista->setRootIsDecorated(false);
    m_pLista->setUniformRowHeights(true);
    m_pLista->setSelectionMode(QAbstractItemView::SingleSelection);
    m_pLista->setAllColumnsShowFocus(true);
    m_pLista->header()->resizeSection(0, 250);
    m_pLista->setIconSize(QSize(16, 16));
    m_pLista->setAccessibleName(bPlantillas ? QStringLiteral("Prácticas disponibles")
                                            : QStringLiteral("Prácticas guardadas"));
    m_pArbol->setAccessibleName(QStringLiteral("Carpetas"));

    auto* abrir = new CBotonSombreado(QStringLiteral("Abrir"), this);
    abrir->SetBitmaps(QStringLiteral(":/imagenes/abrir.svg"));
    auto* cancelar = new CBotonSombreado(QStringLiteral("Cancelar"), this);
    cancelar->SetBitmaps(QStringLiteral(":/imagenes/cancelar.svg"));
    abrir->setMinimumWidth(100);
    cancelar->setMinimumWidth(100);
    abrir->setAutoDefault(false);
    cancelar->setAutoDefault(false);
    connect(abrir, &QPushButton::clicked, this, &CDlgAbrirPractica::Elegir);
    connect(cancelar, &QPushButton::clicked, this, &QDialog::reject);
    connect(m_pLista, &QTreeWidget::itemDoubleClicked, this, &CDlgAbrirPractica::Elegir);

    auto* filas = new QHBoxLayout;
    filas->addWidget(m_pArbol, 1);
    filas->addWidget(m_pLista, 2);
    auto* botones = new QHBoxLayout;
    botones->addStretch();
    if (m_bPlantillas) {
        auto* importar = new CBotonSombreado(QStringLiteral("Importar práctica…"), this);
        importar->SetBitmaps(QStringLiteral(":/imagenes/practica.svg"));
        importar->setMinimumWidth(100);
        m_pImportar = importar;
        m_pImportar->setToolTip(QStringLiteral("Copia una plantilla (.akp) o una práctica "
                                               "guardada (.uak1) en «Mis prácticas»"));
        m_pImportar->setAutoDefault(false);
        connect(m_pImportar, &QPushButton::clicked, this, &CDlgAbrirPractica::Importar);
        botones->addWidget(m_pImportar);
    }
    botones->addWidget(abrir);
    botones->addWidget(cancelar);
    botones->addStretch();
    // Why the last practice asked for could not be started; empty until one cannot.
    m_pEstado = new QLabel(this);
    m_pEstado->setWordWrap(true);
    m_pEstado->setTextInteractionFlags(Qt::TextSelectableByMouse);
    m_pEstado->hide();
    auto* l = new QVBoxLayout(this);
    l->setContentsMargins(10, 10, 10, 10);
    l->addLayout(filas, 1);
    l->addWidget(m_pEstado);
    l->addLayout(botones);
    setTabOrder(m_pArbol, m_pLista);
    if (m_pImportar) {
        setTabOrder(m_pLista, m_pImportar);
        setTabOrder(m_pImportar, abrir);
    } else {
        setTabOrder(m_pLista, abrir);
    }
    setTabOrder(abrir, cancelar);

    if (m_bPlantillas) {
        m_pArbol->hide();
        m_pLista->setItemsExpandable(false);
        m_pLista->header()->resizeSection(1, 380);
        m_fnElegirImportacion = [this] {
            QFileDialog dlg(this, QStringLiteral("Importar práctica"));
            dlg.setFileMode(QFileDialog::ExistingFile);
            dlg.setNameFilters({QStringLiteral("Prácticas y plantillas (*.akp *.uak1)"),
                                QStringLiteral("Todos los archivos (*)")});
            dlg.setLabelText(QFileDialog::Accept, QStringLiteral("Importar"));
            dlg.setLabelText(QFileDialog::Reject, QStringLiteral("Cancelar"));
            dlg.setLabelText(QFileDialog::FileName, QStringLiteral("Nombre:"));
            dlg.setLabelText(QFileDialog::FileType, QStringLiteral("Tipo:"));
            dlg.setLabelText(QFileDialog::LookIn, QStringLiteral("Buscar en:"));
            return dlg.exec() == QDialog::Accepted && !dlg.selectedFiles().isEmpty()
                       ? dlg.selectedFiles().constFirst()
                       : QString();
        };
        ListarBiblioteca();
    } else {
        m_pArbol->Inicializar();
        connect(m_pArbol, &QTreeWidget::currentItemChanged, this,
                [this](QTreeWidgetItem* it) { ListarCarpeta(m_pArbol->RutaDe(it)); });
        if (!m_pArbol->SeleccionarRuta(QDir::currentPath()))
            ListarCarpeta(QDir::currentPath() + QLatin1Char('/'));
    }
}

void CDlgAbrirPractica::Rellenar() {
    m_pLista->clear();
    const QIcon icono(QStringLiteral(":/imagenes/practica.svg"));
    for (const CEntradaPractica& e : m_entradas) {
        // Read by the exact name: QFileInfo would lose a name that is not UTF-8.
        struct stat st {};
        const QString strFecha =
            Rutas::Estado(e.m_strArchivo, st) == 0
                ? QLocale().toString(QDateTime::fromSecsSinceEpoch(st.st_mtim.tv_sec),
                                     QLocale::ShortFormat)
                : QString();
        auto* it = new QTreeWidgetItem(
            m_pLista, {e.m_strTitulo, Rutas::Visible(QFileInfo(e.m_strArchivo).fileName()),
                       strFecha, e.m_strResumen});
        it->setIcon(0, icono);
        it->setToolTip(0, Rutas::Visible(e.m_strArchivo));
    }
    m_pLista->resizeColumnToContents(1);
    m_pLista->resizeColumnToContents(2);
}

void CDlgAbrirPractica::ListarCarpeta(const QString& strRuta) {
    m_entradas.clear();
    MostrarEstado({});
    // "Drives" has no path: its practices are those of the working folder.
    QString strCarpeta = strRuta.isEmpty() ? QDir::currentPath() : strRuta;
    if (!strCarpeta.endsWith(QLatin1Char('/')))
        strCarpeta += QLatin1Char('/');
    // Listed by the names' own bytes, so that one that is not UTF-8 shows and opens.
    QStringList nombres;
    Rutas::Listar(strCarpeta, nombres);
    std::sort(nombres.begin(), nombres.end());
    // A file that cannot be opened does not hide the others: it is listed under its file
    // name with the reason, greyed so that it cannot be chosen. The list reads each file as
    // the browser does, so a file damaged past its head is greyed too.
    QStringList ilegibles;
    for (const QString& strNombre : nombres) {
        // The extension must match exactly, letter case included.
        if (!strNombre.endsWith(m_strExtension, Qt::CaseSensitive) ||
            strNombre.size() == m_strExtension.size())
            continue;
        const QString strArchivo = strCarpeta + strNombre;
        struct stat st {};
        if (Rutas::Estado(strArchivo, st) != 0 || !S_ISREG(st.st_mode))
            continue;
        const Biblioteca::Entrada e =
            Biblioteca::LeerArchivo(strArchivo, Biblioteca::Grupo::Propias);
        if (!e.m_strError.isEmpty()) {
            ilegibles << strArchivo;
            m_entradas.insert(m_entradas.begin(), {strArchivo, Rutas::Visible(strNombre),
                                                   Rutas::Visible(e.m_strError)});
            continue;
        }
        m_entradas.insert(m_entradas.begin(), {strArchivo, e.m_strNombre, e.m_strResumen});
    }
    Rellenar();
    for (size_t i = 0; i < m_entradas.size(); ++i)
        if (ilegibles.contains(m_entradas[i].m_strArchivo))
            if (QTreeWidgetItem* it = m_pLista->topLevelItem(static_cast<int>(i)))
                Desactivar(it, m_entradas[i].m_strResumen);
}

void CDlgAbrirPractica::Desactivar(QTreeWidgetItem* pItem, const QString& strMotivo) {
    pItem->setDisabled(true);
    for (int c = 0; c < m_pLista->columnCount(); ++c)
        pItem->setToolTip(c, strMotivo);
}

void CDlgAbrirPractica::MostrarEstado(const QString& s) {
    m_pEstado->setText(s);
    m_pEstado->setVisible(!s.isEmpty());
}

bool CDlgAbrirPractica::Elegir() {
    QTreeWidgetItem* pItem = m_pLista->currentItem();
    if (!pItem || !pItem->isSelected())
        return false;
    if (m_bPlantillas) {
        bool bOk = false;
        const int n = pItem->data(0, kRolEntrada).toInt(&bOk);
        if (!bOk || n < 0 || n >= static_cast<int>(m_biblioteca.size()))
            return false; // a group's heading
        const Biblioteca::Entrada e = m_biblioteca[static_cast<size_t>(n)];
        if (!e.Elegible())
            return false;
        struct stat st {};
        if (!e.m_nPlantilla && Rutas::Estado(e.m_strRuta, st) == ENOENT) {
            // Gone since it was listed (a share unmounted, a colleague's clean-up).
            Mensajes::Aviso(
                this, QStringLiteral("La práctica «%1» ya no está en %2: puede que "
                                     "se haya movido o borrado. La lista se ha "
                                     "actualizado.")
                          .arg(e.m_strNombre,
                               QDir::toNativeSeparators(QFileInfo(e.m_strRuta).absolutePath())));
            ListarBiblioteca();
            return false;
        }
        // The list read only the head of a long file: it is read whole before it is offered
        // to the program, and greyed with its reason if it does not open.
        QString strError;
        if (!e.m_nPlantilla && !Biblioteca::SeAbre(e.m_strRuta, e.m_bPlantilla, strError)) {
            m_biblioteca[static_cast<size_t>(n)].m_strError = strError;
            MostrarBiblioteca();
            if (QTreeWidgetItem* it = ItemDe(static_cast<size_t>(n)))
                m_pLista->scrollToItem(it);
            MostrarEstado(Rutas::Visible(strError));
            return false;
        }
        m_nRecurso = e.m_nPlantilla;
        m_strArchivo = e.m_strRuta;
        m_bPlantillaElegida = e.m_bPlantilla;
        accept();
        return true;
    }
    const int nFila = m_pLista->indexOfTopLevelItem(pItem);
    if (nFila < 0 || nFila >= static_cast<int>(m_entradas.size()))
        return false;
    QString strError;
    if (!Biblioteca::SeAbre(m_entradas[static_cast<size_t>(nFila)].m_strArchivo, false, strError)) {
        m_entradas[static_cast<size_t>(nFila)].m_strResumen = Rutas::Visible(strError);
        pItem->setText(3, Rutas::Visible(strError));
        pItem->setSelected(false);
        Desactivar(pItem, Rutas::Visible(strError));
        MostrarEstado(Rutas::Visible(strError));
        return false;
    }
    m_strArchivo = m_entradas[static_cast<size_t>(nFila)].m_strArchivo;
    m_entradas.clear();
    m_pLista->clear();
    accept();
    return true;
}

QTreeWidgetItem* CDlgAbrirPractica::ItemDe(size_t nEntrada) const {
    for (int g = 0; g < m_pLista->topLevelItemCount(); ++g) {
        QTreeWidgetItem* pGrupo = m_pLista->topLevelItem(g);
        for (int i = 0; i < pGrupo->childCount(); ++i)
            if (pGrupo->child(i)->data(0, kRolEntrada).toInt() == static_cast<int>(nEntrada) &&
                pGrupo->child(i)->data(0, kRolEntrada).isValid())
                return pGrupo->child(i);
    }
    return nullptr;
}

void CDlgAbrirPractica::ListarBiblioteca() {
    MostrarEstado({});
    m_strPropia = Preferencias::CarpetaPropia(true);
    m_strCompartida = Preferencias::CarpetaCompartida();
    QApplication::setOverrideCursor(Qt::WaitCursor);
    m_biblioteca = Biblioteca::Listar(m_strPropia, QString());
    QApplication::restoreOverrideCursor();
    Biblioteca::Entrada e;
    e.m_grupo = Biblioteca::Grupo::Compartidas;
    e.m_bNota = true;
    e.m_strRuta = m_strCompartida;
    const int nLectura = ++m_nLectura;
    m_bLeyendo = !m_strCompartida.isEmpty();
    if (m_bLeyendo) {
        e.m_strError = QStringLiteral("Leyendo la carpeta compartida…");
        // A share that does not answer holds only this thread: the browser stays usable,
        // and a later listing (or a closed browser) makes its answer go unheard.
        QPointer<CDlgAbrirPractica> pYo(this);
        std::thread([pYo, nLectura, strCarpeta = m_strCompartida] {
            std::vector<Biblioteca::Entrada> v =
                Biblioteca::ListarCarpeta(strCarpeta, Biblioteca::Grupo::Compartidas);
            if (QCoreApplication* pApp = QCoreApplication::instance())
                QMetaObject::invokeMethod(
                    pApp,
                    [pYo, nLectura, v = std::move(v)]() mutable {
                        if (pYo)
                            pYo->RecibirCompartidas(nLectura, std::move(v));
                    },
                    Qt::QueuedConnection);
        }).detach();
    } else {
        e.m_strError = QStringLiteral("No hay carpeta compartida. Puede elegir una en "
                                      "Archivo > Preferencias…");
    }
    m_biblioteca.push_back(e);
    MostrarBiblioteca();
}

void CDlgAbrirPractica::RecibirCompartidas(int nLectura, std::vector<Biblioteca::Entrada> v) {
    if (nLectura != m_nLectura)
        return;
    // The groups before it keep their places: what was chosen there stays chosen.
    const QTreeWidgetItem* pActual = m_pLista->currentItem();
    const QVariant nActual = pActual ? pActual->data(0, kRolEntrada) : QVariant();
    std::erase_if(m_biblioteca, [](const Biblioteca::Entrada& e) {
        return e.m_grupo == Biblioteca::Grupo::Compartidas;
    });
    const size_t nPrimera = m_biblioteca.size();
    std::move(v.begin(), v.end(), std::back_inserter(m_biblioteca));
    m_bLeyendo = false;
    MostrarBiblioteca();
    if (nActual.isValid() && static_cast<size_t>(nActual.toInt()) < nPrimera)
        if (QTreeWidgetItem* it = ItemDe(static_cast<size_t>(nActual.toInt())))
            m_pLista->setCurrentItem(it);
}

void CDlgAbrirPractica::MostrarBiblioteca() {
    const QString& strPropia = m_strPropia;
    const QString& strCompartida = m_strCompartida;
    m_pLista->clear();
    const QIcon icono(QStringLiteral(":/imagenes/practica.svg"));
    QTreeWidgetItem* pGrupo = nullptr;
    Biblioteca::Grupo grupo{};
    for (size_t n = 0; n < m_biblioteca.size(); ++n) {
        const Biblioteca::Entrada& e = m_biblioteca[n];
        if (!pGrupo || e.m_grupo != grupo) {
            grupo = e.m_grupo;
            pGrupo = new QTreeWidgetItem(m_pLista, {Biblioteca::NombreGrupo(grupo)});
            QFont letra = pGrupo->font(0);
            letra.setBold(true);
            pGrupo->setFont(0, letra);
            pGrupo->setFlags(Qt::ItemIsEnabled);
            pGrupo->setFirstColumnSpanned(true);
            const QString strCarpeta = grupo == Biblioteca::Grupo::Propias       ? strPropia
                                       : grupo == Biblioteca::Grupo::Compartidas ? strCompartida
                                                                                 : QString();
            if (!strCarpeta.isEmpty())
                pGrupo->setToolTip(0, QDir::toNativeSeparators(strCarpeta));
        }
        auto* it = new QTreeWidgetItem(pGrupo);
        it->setData(0, kRolEntrada, static_cast<int>(n));
        if (e.m_bNota) {
            // A word about the folder itself, across the row. The user's own folder, empty
            // at first, says how to fill it.
            const QFileInfo carpeta(e.m_strRuta);
            const bool bPropiaVacia = e.m_grupo == Biblioteca::Grupo::Propias && n > 0 &&
                                      m_biblioteca[n - 1].m_grupo != e.m_grupo && carpeta.isDir() &&
                                      carpeta.isReadable();
            it->setText(0, bPropiaVacia ? QStringLiteral("Todavía no hay prácticas propias: "
                                                         "«Importar práctica…» copia aquí una "
                                                         "plantilla o una práctica guardada.")
                                        : e.m_strError);
            it->setFirstColumnSpanned(true);
            QFont letra = it->font(0);
            letra.setItalic(true);
            it->setFont(0, letra);
            it->setFlags(Qt::NoItemFlags);
            it->setToolTip(0, e.m_strError);
            continue;
        }
        it->setIcon(0, icono);
        it->setText(0, Rutas::Visible(e.m_strNombre));
        if (e.m_strError.isEmpty()) {
            it->setText(1, e.m_strResumen);
            it->setText(2, e.m_strAutor);
            const QString strTipo = e.m_nPlantilla ? QString()
                                    : e.m_bPlantilla
                                        ? QStringLiteral("Plantilla: inicia una práctica nueva")
                                        : QStringLiteral("Práctica guardada: se abre como se "
                                                         "guardó");
            const QString strPista =
                e.m_strRuta.isEmpty()
                    ? e.m_strResumen
                    : QStringLiteral("%1\n%2").arg(Rutas::Visible(e.m_strRuta), strTipo);
            for (int c = 0; c < 3; ++c)
                it->setToolTip(c, strPista);
        } else {
            // Damaged: under its file name, greyed, with the reason.
            it->setText(1, Rutas::Visible(e.m_strError));
            Desactivar(it, QStringLiteral("%1\n%2").arg(Rutas::Visible(e.m_strRuta),
                                                        Rutas::Visible(e.m_strError)));
        }
    }
    m_pLista->expandAll();
}

void CDlgAbrirPractica::Importar() {
    const QString strOrigen = m_fnElegirImportacion ? m_fnElegirImportacion() : QString();
    if (strOrigen.isEmpty())
        return;
    QString strDestino, strError;
    QApplication::setOverrideCursor(Qt::WaitCursor);
    const bool bOk =
        Biblioteca::Importar(strOrigen, Preferencias::CarpetaPropia(true), &strDestino, &strError);
    QApplication::restoreOverrideCursor();
    if (!bOk) {
        Mensajes::Aviso(this, strError);
        return;
    }
    ListarBiblioteca();
    for (size_t n = 0; n < m_biblioteca.size(); ++n)
        if (m_biblioteca[n].m_strRuta == strDestino)
            if (QTreeWidgetItem* it = ItemDe(n)) {
                m_pLista->setCurrentItem(it);
                m_pLista->scrollToItem(it);
            }
    const QString strNombre = QFileInfo(strOrigen).fileName();
    const QString strNuevo = QFileInfo(strDestino).fileName();
    if (QFileInfo(strOrigen).completeBaseName() != QFileInfo(strDestino).completeBaseName())
        Mensajes::Aviso(this, QStringLiteral("Ya había una práctica llamada %1 en «Mis "
                                             "prácticas»; la importada se guardó como %2.")
                                  .arg(strNombre, strNuevo));
}

void CDlgAbrirPractica::keyPressEvent(QKeyEvent* e) {
    // Enter moves on to the next control; it never closes the browser.
    if (e->key() == Qt::Key_Return || e->key() == Qt::Key_Enter) {
        focusNextChild();
        return;
    }
    QDialog::keyPressEvent(e);
}
