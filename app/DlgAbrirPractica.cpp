#include "DlgAbrirPractica.h"

#include "BotonImagen.h"
#include "Practica.h"

#include <QDateTime>
#include <QDir>
#include <QFileIconProvider>
#include <QFileInfo>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLocale>
#include <QStandardPaths>
#include <QStorageInfo>
#include <QVBoxLayout>

#include <iterator>

namespace {

const char* const kTitulos[][2] = {
    {"Conservación de la materia",
     "Demostración de las leyes de la conservación de la materia y energía"},
    {"Destilación simple", "Destilación de una mezcla de líquidos"},
    {"Reversibilidad de las reacciones",
     "Una demostración simple de la reversibilidad de las reacciones  químicas"},
    {"Titulación ácido-base",
     "Examina las valoraciones de acido y bases fuertes y el uso de indicadores"},
    {"Calor específico", "Determinación del Calor específico de varios metales"},
    {"Preparación de disoluciones",
     "Preparación de una disolución a partir de un sólido y por dilución"},
    {"Reactivo limitante", "Reactivo limitante y rendimiento de una precipitación"},
    {"Aumento ebulloscópico", "Temperatura de ebullición del agua y de disoluciones de sacarosa"},
    {"Curva de solubilidad", "Solubilidad del cloruro de potasio a distintas temperaturas"},
    {"Densidad", "Densidad de líquidos y de metales; identificación de un metal"},
    {"Valoración del ácido sulfúrico",
     "Estequiometría 2:1 en la valoración de ácido sulfúrico con hidróxido de sodio"},
    {"Escala de pH", "pH de diluciones sucesivas de un ácido fuerte y de una base fuerte"},
    {"Separación de una mezcla",
     "Separación de sal y arena por disolución, filtración y evaporación"},
    {"Equilibrio térmico",
     "Mezcla de agua caliente y agua fría en el calorímetro: el balance de calor"},
    {"Conservación de la masa en una precipitación",
     "Precipitación de carbonato de calcio: la masa total no cambia"},
};

// A child with no text: it gives its parent an expand button until it is opened.
void Marcador(QTreeWidgetItem* pItem) {
    pItem->addChild(new QTreeWidgetItem(QStringList(QString())));
}

constexpr int kRolRuta = Qt::UserRole;

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
    const QFileInfoList carpetas =
        QDir(ruta).entryInfoList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name | QDir::IgnoreCase);
    for (const QFileInfo& f : carpetas)
        Insertar(ruta + f.fileName() + QLatin1Char('/'), f.fileName(), pItem);
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
            if (pActual->child(i)->text(0) == parte) {
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
    resize(bPlantillas ? 680 : 860, 420);
    // Saved files also show their name and date, so that two saves of one practice can be
    // told apart.
    if (bPlantillas) {
        m_pLista->setColumnCount(2);
        m_pLista->setHeaderLabels({QStringLiteral("Practica"), QStringLiteral("Resumen")});
    } else {
        m_pLista->setColumnCount(4);
        m_pLista->setHeaderLabels({QStringLiteral("Practica"), QStringLiteral("Archivo"),
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
    botones->addWidget(abrir);
    botones->addWidget(cancelar);
    botones->addStretch();
    auto* l = new QVBoxLayout(this);
    l->setContentsMargins(10, 10, 10, 10);
    l->addLayout(filas, 1);
    l->addLayout(botones);
    setTabOrder(m_pArbol, m_pLista);
    setTabOrder(m_pLista, abrir);
    setTabOrder(abrir, cancelar);

    if (m_bPlantillas) {
        m_pArbol->hide();
        for (int i = 0; i < int(std::size(kTitulos)); ++i)
            m_entradas.push_back({QString::number(i), QString::fromUtf8(kTitulos[i][0]),
                                  QString::fromUtf8(kTitulos[i][1])});
        Rellenar();
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
        QStringList columnas{e.m_strTitulo, e.m_strResumen};
        if (!m_bPlantillas) {
            const QFileInfo info(e.m_strArchivo);
            columnas = QStringList{e.m_strTitulo, info.fileName(),
                                   QLocale().toString(info.lastModified(), QLocale::ShortFormat),
                                   e.m_strResumen};
        }
        auto* it = new QTreeWidgetItem(m_pLista, columnas);
        it->setIcon(0, icono);
        it->setToolTip(0, e.m_strArchivo);
    }
    if (!m_bPlantillas) {
        m_pLista->resizeColumnToContents(1);
        m_pLista->resizeColumnToContents(2);
    }
}

void CDlgAbrirPractica::ListarCarpeta(const QString& strRuta) {
    m_entradas.clear();
    // "Drives" has no path: its practices are those of the working folder.
    const QDir dir(strRuta.isEmpty() ? QDir::currentPath() : strRuta);
    const QFileInfoList archivos =
        dir.entryInfoList({QLatin1Char('*') + m_strExtension}, QDir::Files, QDir::Name);
    // A file that cannot be read does not hide the others: it is listed under its file
    // name with the reason, greyed so that it cannot be chosen.
    QStringList ilegibles;
    for (const QFileInfo& f : archivos) {
        // The extension must match exactly, letter case included.
        if (!f.fileName().endsWith(m_strExtension, Qt::CaseSensitive))
            continue;
        std::string strNombre, strResumen;
        QString strError;
        if (CPractica::LeerCabecera(f.absoluteFilePath(), strNombre, strResumen, &strError) !=
            CPractica::Resultado::Correcto) {
            ilegibles << f.absoluteFilePath();
            m_entradas.insert(m_entradas.begin(),
                              {f.absoluteFilePath(), f.fileName(),
                               strError.isEmpty()
                                   ? QString::fromUtf8(CPractica::kFormatoIncompatible)
                                   : strError});
            continue;
        }
        m_entradas.insert(m_entradas.begin(),
                          {f.absoluteFilePath(), QString::fromStdString(strNombre),
                           QString::fromStdString(strResumen)});
    }
    Rellenar();
    for (size_t i = 0; i < m_entradas.size(); ++i)
        if (ilegibles.contains(m_entradas[i].m_strArchivo))
            if (QTreeWidgetItem* it = m_pLista->topLevelItem(static_cast<int>(i))) {
                it->setDisabled(true);
                for (int c = 0; c < m_pLista->columnCount(); ++c)
                    it->setToolTip(c, m_entradas[i].m_strResumen);
            }
}

bool CDlgAbrirPractica::Elegir() {
    const QModelIndex i = m_pLista->currentIndex();
    if (!i.isValid() || !m_pLista->currentItem() || !m_pLista->currentItem()->isSelected())
        return false;
    const int nFila = i.row();
    if (nFila < 0 || nFila >= static_cast<int>(m_entradas.size()))
        return false;
    m_strArchivo = m_entradas[static_cast<size_t>(nFila)].m_strArchivo;
    m_entradas.clear();
    m_pLista->clear();
    if (m_bPlantillas)
        m_nRecurso = 900 + m_strArchivo.toInt();
    accept();
    return true;
}

void CDlgAbrirPractica::keyPressEvent(QKeyEvent* e) {
    // Enter moves on to the next control; it never closes the browser.
    if (e->key() == Qt::Key_Return || e->key() == Qt::Key_Enter) {
        focusNextChild();
        return;
    }
    QDialog::keyPressEvent(e);
}
