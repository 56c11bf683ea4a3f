// CAplicacion: the program. Holds the open practice and the built-in catalogue from start
// to exit.
#pragma once

#include "document/Practica.h"

#include <QApplication>

class CMainFrame;

class CAplicacion : public QApplication {
    Q_OBJECT
public:
    CAplicacion(int& argc, char** argv);
    ~CAplicacion() override;

    CPractica m_practica;

    // Creates the main window (and, unless bPresentacion is false, the splash window).
    CMainFrame* Iniciar(bool bPresentacion = true);
    CMainFrame* Marco() const { return m_pMarco; }

    static CAplicacion* Instancia();
    // Qt's own texts (standard buttons, file and print dialogs) in Spanish, whatever the
    // desktop's language: the rest of the program speaks Spanish. False when Qt's Spanish
    // translations are not installed (the texts then stay in English).
    static bool CargarTraducciones();

private:
    CMainFrame* m_pMarco = nullptr;
};
