// Alkor: a virtual chemistry laboratory for school practicals.
#include "Aplicacion.h"

int main(int argc, char** argv) {
    CAplicacion app(argc, argv);
    app.Iniciar();
    return app.exec();
}
