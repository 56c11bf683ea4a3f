#include "Calentadores.h"

#include "Archivo.h"
#include "Imagenes.h"

#include <QPainter>

CMechero::CMechero() {
    Iniciar(TipoEquipo::Mechero, 48, 80, 5.0);
    m_nAnimacion = Imagenes::IDB_LLAMA;
    m_nFrames = 4;
    m_cxFrame = 14;
    m_cyFrame = 15;
    m_ptAnimacion = QPoint(15, 0);
}

CParrilla::CParrilla() {
    Iniciar(TipoEquipo::Parrilla, 117, 39, 5.0);
}

void CParrilla::BuildMenu(CMenu& menu) {
    CEquipo::BuildMenu(menu);
    menu.push_back({ID_APAGAR, "Apagar"});
    menu.push_back({ID_NIVEL1, "Nivel 1"});
    menu.push_back({ID_NIVEL2, "Nivel 2"});
    menu.push_back({ID_NIVEL3, "Nivel 3"});
    menu.push_back({ID_NIVEL4, "Nivel 4"});
    menu.push_back({ID_NIVEL5, "Nivel 5"});
}

void CParrilla::SetNivel(int nNivel) {
    static const double kPotencias[6] = {0.0, 2.0, 5.0, 10.0, 15.0, 20.0};
    nNivel = std::clamp(nNivel, 0, 5);
    m_dPotencia = kPotencias[nNivel];
    m_nLuces = nNivel;
}

bool CParrilla::Comando(int nComando) {
    if (nComando == ID_APAGAR)
        SetNivel(0);
    else if (nComando >= ID_NIVEL5 && nComando <= ID_NIVEL1)
        SetNivel(ID_NIVEL1 - nComando + 1);
    else
        return false;
    return true;
}

void CParrilla::EscribirEstado(CArchivo& ar) const {
    ar << m_nLuces;
}

void CParrilla::LeerEstado(CArchivo& ar) {
    SetNivel(ar.LeerInt32Entre(0, 5));
}

ResultadoComando CParrilla::Ejecutar(int nComando, CListaEquipo& lista, const CArgumento& a) {
    return Comando(nComando) ? ResultadoComando::Hecho : CCalentador::Ejecutar(nComando, lista, a);
}

void CParrilla::Draw(QPainter& p) {
    DibujarFigura(p);
    if (!Tira().isNull()) {
        QRect luz = QRect(7, 29, 24 - 7, 31 - 29).translated(m_x, m_y);
        for (int i = 0; i < m_nLuces; ++i) {
            p.fillRect(luz, QColor(255, 0, 0));
            luz.translate(21, 0);
        }
    }
    DibujarSeleccion(p);
}

CBanoHielo::CBanoHielo() {
    Iniciar(TipoEquipo::BanoHielo, 120, 52, -20.0);
}
