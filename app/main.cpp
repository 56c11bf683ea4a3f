// Alkor: a virtual chemistry laboratory for school practicals.
//
// alkor [--medir] [RUTA]
//
// RUTA, a saved practice (.uak1) or a template (.akp), is opened at start as "Abrir práctica"
// would open it: this is how the desktop hands over a double-clicked file.
//
// --medir prints, on standard error, the time from start to the first painted bench, the
// duration of each of the first five paints and the practice they painted, and then ends the
// program.
#include "app/Aplicacion.h"
#include "app/MainFrame.h"
#include "bench/ChildView.h"
#include "bench/Mensajes.h"
#include "document/Practica.h"

#include <QElapsedTimer>
#include <QFileInfo>
#include <QSettings>
#include <QTemporaryDir>
#include <QTimer>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <memory>

namespace {

enum : int { SALIDA_OK = 0, SALIDA_ERROR = 1 };

constexpr int kPintadosMedidos = 5;
// A bench that never paints (no screen, a window that never shows) must not keep a measuring
// run waiting for ever.
constexpr int kEsperaMaximaMs = 60000;

const char* const kAyuda =
    "Uso: alkor [--medir] [RUTA]\n"
    "\n"
    "Laboratorio virtual de química para prácticas escolares.\n"
    "\n"
    "  RUTA         práctica (.uak1) o plantilla (.akp) que se abre al iniciar\n"
    "  --medir      muestra en la salida de errores el tiempo hasta la primera mesa\n"
    "               pintada y la duración de los cinco primeros pintados, y termina\n"
    "  --version    muestra la versión y termina\n"
    "  --help, -h   muestra esta ayuda y termina\n";

int ErrorUso(const char* pszTexto, const QString& strArgumento) {
    std::fprintf(stderr, "alkor: %s: %s\nPruebe «alkor --help».\n", pszTexto,
                 strArgumento.toLocal8Bit().constData());
    return SALIDA_ERROR;
}

// A template is started as a new practice; anything else is opened as a saved practice.
bool EsPlantilla(const QString& strRuta) {
    return strRuta.endsWith(QStringLiteral(".akp"), Qt::CaseInsensitive);
}

} // namespace

int main(int argc, char** argv) {
    QElapsedTimer arranque;
    arranque.start();
    // Help and version need no screen: answered before the application connects to one.
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--") == 0)
            break;
        if (std::strcmp(argv[i], "--help") == 0 || std::strcmp(argv[i], "-h") == 0) {
            std::fputs(kAyuda, stdout);
            return SALIDA_OK;
        }
        if (std::strcmp(argv[i], "--version") == 0) {
            std::printf("alkor %s\n", ALKOR_VERSION);
            return SALIDA_OK;
        }
    }

    // The desktop's file manager finds the program under this name (the Wayland application
    // id and the menu entry's file name).
    QGuiApplication::setDesktopFileName(QStringLiteral("com.korvexsoft.Alkor"));
    // The application loads Qt's Spanish texts itself (CAplicacion::CargarTraducciones).
    CAplicacion app(argc, argv);

    // The application has taken its own options (-platform, -style …) out of the list.
    bool bMedir = false;
    QString strRuta;
    const QStringList argumentos = QCoreApplication::arguments();
    bool bSoloRutas = false;
    for (qsizetype i = 1; i < argumentos.size(); ++i) {
        const QString& a = argumentos[i];
        if (!bSoloRutas && a == QLatin1String("--")) {
            bSoloRutas = true;
        } else if (!bSoloRutas && a == QLatin1String("--medir")) {
            bMedir = true;
        } else if (!bSoloRutas && a.startsWith(QLatin1Char('-')) && a.size() > 1) {
            return ErrorUso("opción desconocida", a);
        } else if (strRuta.isEmpty()) {
            strRuta = a;
        } else {
            return ErrorUso("solo se abre un archivo a la vez", a);
        }
    }

    // A measuring run starts as a first start and leaves the user's settings alone (the file
    // it opens does not join the recent practices): its figures do not depend on what an
    // earlier run remembered, and the package check runs it on whatever account it has.
    QTemporaryDir ajustesDeMedida;
    if (bMedir)
        QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, ajustesDeMedida.path());

    // A double-clicked file goes straight to its practice: the splash would only stand in
    // front of it (and of an error about it). A measuring run has none either.
    CMainFrame* pMarco = app.Iniciar(!bMedir && strRuta.isEmpty());

    if (bMedir) {
        auto nPintados = std::make_shared<int>(0);
        CChildView* pVista = pMarco->m_pVistaMesa;
        QObject::connect(
            pVista, &CChildView::Pintado, pMarco, [arranque, nPintados, pVista](qint64 ns) {
                const int n = ++*nPintados;
                if (n > kPintadosMedidos)
                    return;
                if (n == 1)
                    std::fprintf(stderr, "primera mesa pintada: %lld ms desde el arranque\n",
                                 static_cast<long long>(arranque.elapsed()));
                std::fprintf(stderr, "pintado de la mesa: %.3f ms\n",
                             static_cast<double>(ns) / 1e6);
                // A still bench is not repainted by itself: the next paint is asked for, and the
                // program ends after the last one.
                if (n < kPintadosMedidos) {
                    QTimer::singleShot(0, pVista, [pVista] { pVista->update(); });
                    return;
                }
                // What was measured: the practice on the bench.
                const CPractica& practica = CAplicacion::Instancia()->m_practica;
                std::fprintf(stderr, "práctica en la mesa: «%s», %zu equipos\n",
                             practica.m_strPractica.c_str(), practica.m_listaEquipo.size());
                QTimer::singleShot(0, qApp, [] { QCoreApplication::exit(SALIDA_OK); });
            });
        QTimer::singleShot(kEsperaMaximaMs, qApp, [nPintados] {
            std::fprintf(stderr, "alkor: la mesa no terminó de pintarse (%d de %d pintados)\n",
                         *nPintados, kPintadosMedidos);
            QCoreApplication::exit(SALIDA_ERROR);
        });
    }
    // Started without a file: the empty bench invites the student to begin.
    if (strRuta.isEmpty())
        pMarco->MostrarInvitacion();
    if (!strRuta.isEmpty()) {
        // From inside the event loop, like the menu command: an error box and its own loop
        // then end with the program (--medir's exit reaches every loop). The open is the first
        // thing the loop does, ahead of the window's first paint.
        const QString strAbsoluta = QFileInfo(strRuta).absoluteFilePath();
        QTimer::singleShot(0, pMarco, [pMarco, strAbsoluta] {
            if (!QFileInfo::exists(strAbsoluta))
                // "Abrir práctica" only offers files that exist; a path from outside may not.
                Mensajes::Aviso(pMarco, CPractica::TextoError(ENOENT, strAbsoluta));
            else
                pMarco->AbrirPractica(strAbsoluta, EsPlantilla(strAbsoluta));
        });
    }
    return app.exec();
}
