// Alkor: a virtual chemistry laboratory for school practicals.
//
// --medir prints, on standard error, the time from start to the first painted bench and the
// duration of each of the first paints.
#include "Aplicacion.h"
#include "ChildView.h"
#include "MainFrame.h"

#include <QElapsedTimer>

#include <cstdio>
#include <cstring>

int main(int argc, char** argv) {
    QElapsedTimer arranque;
    arranque.start();
    bool bMedir = false;
    for (int i = 1; i < argc; ++i)
        bMedir |= std::strcmp(argv[i], "--medir") == 0;
    CAplicacion app(argc, argv);
    CMainFrame* pMarco = app.Iniciar(!bMedir);
    if (bMedir) {
        auto nPintados = std::make_shared<int>(0);
        QObject::connect(
            pMarco->m_pVistaMesa, &CChildView::Pintado, pMarco, [arranque, nPintados](qint64 ns) {
                if ((*nPintados)++ == 0)
                    std::fprintf(stderr, "primera mesa pintada: %lld ms desde el arranque\n",
                                 static_cast<long long>(arranque.elapsed()));
                if (*nPintados <= 5)
                    std::fprintf(stderr, "pintado de la mesa: %.3f ms\n", ns / 1e6);
            });
    }
    return app.exec();
}
