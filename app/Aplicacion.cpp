#include "app/Aplicacion.h"

#include "app/MainFrame.h"
#include "equipment/Imagenes.h"

#include <QIcon>
#include <QLibraryInfo>
#include <QLocale>
#include <QScreen>
#include <QTranslator>

CAplicacion::CAplicacion(int& argc, char** argv) : QApplication(argc, argv) {
    setApplicationName(QStringLiteral("Alkor"));
    setApplicationDisplayName(QStringLiteral("Alkor Vol. 1"));
    setOrganizationName(QStringLiteral("Korvex Soft"));
    setWindowIcon(QIcon(QStringLiteral(":/iconos/alkor.svg")));
    CargarTraducciones();
}

bool CAplicacion::CargarTraducciones() {
    QCoreApplication* pApp = QCoreApplication::instance();
    if (pApp->property("alkorTraducido").toBool())
        return true;
    const QLocale espanol(QLocale::Spanish, QLocale::Spain);
    QLocale::setDefault(espanol);
    auto* pTraductor = new QTranslator(pApp);
    if (!pTraductor->load(espanol, QStringLiteral("qtbase"), QStringLiteral("_"),
                          QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        delete pTraductor;
        return false;
    }
    QCoreApplication::installTranslator(pTraductor);
    pApp->setProperty("alkorTraducido", true);
    return true;
}

CAplicacion::~CAplicacion() {
    delete m_pMarco;
    m_practica.ClearBench();
}

CAplicacion* CAplicacion::Instancia() {
    return static_cast<CAplicacion*>(QApplication::instance());
}

CMainFrame* CAplicacion::Iniciar(bool bPresentacion) {
    m_pMarco = new CMainFrame(m_practica);
    // Where and how large the window was when the program last closed; maximised the first
    // time (without a window manager to do it, the window takes the screen itself).
    if (m_pMarco->RestaurarGeometria()) {
        m_pMarco->show();
    } else {
        if (QScreen* pantalla = QGuiApplication::primaryScreen())
            m_pMarco->setGeometry(pantalla->availableGeometry());
        m_pMarco->showMaximized();
    }
    // Without a window manager nothing else gives the window the keyboard (a screen reader's
    // test runs so).
    m_pMarco->activateWindow();
    // The gas sprite all vessels share.
    Imagenes::Tira(Imagenes::IDB_PARTICULA_GAS);
    if (bPresentacion)
        m_pMarco->MostrarPresentacion();
    return m_pMarco;
}
