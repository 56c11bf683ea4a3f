#include "equipment/Calentadores.h"

#include "equipment/Dibujo.h"
#include "equipment/Imagenes.h"
#include "model/Archivo.h"

#include <QCoreApplication>

#include <QPainter>

CMechero::CMechero() {
    Iniciar(TipoEquipo::Mechero, 48, 80, 5.0);
    m_nAnimacion = Imagenes::IDB_LLAMA;
    m_nFrames = 4;
    m_cxFrame = 14;
    m_cyFrame = 15;
    m_ptAnimacion = QPoint(15, 0);
}

QString CMechero::Descripcion() const {
    return QStringLiteral("Encendido"); // a burner on the bench is always lit
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
    // The level the plate is at carries the menu's check mark.
    const int nActual = m_nLuces == 0 ? ID_APAGAR : ID_NIVEL1 - m_nLuces + 1;
    for (CEntradaMenu& e : menu)
        e.m_bMarcada = e.m_nComando == nActual;
}

void CParrilla::SetNivel(int nNivel) {
    static const double kPotencias[6] = {0.0, 2.0, 5.0, 10.0, 15.0, 20.0};
    nNivel = std::clamp(nNivel, 0, 5);
    m_dPotencia = kPotencias[nNivel];
    m_nLuces = nNivel;
}

QString CParrilla::Descripcion() const {
    return m_nLuces > 0
               ? QCoreApplication::translate("Accesible", "Encendida, nivel %1 de 5").arg(m_nLuces)
               : QCoreApplication::translate("Accesible", "Apagada");
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
        DibujarNivel(p);
    }
    DibujarSeleccion(p);
}

void CParrilla::DibujarNivel(QPainter& p) const {
    // The lights alone were read as decoration: a plate placed under a flask heats at once
    // (it starts at level 2) and nothing said so. The plate says its level in words, its top
    // glows while it heats, and the knob points at the level.
    p.save();
    p.translate(m_x, m_y);
    p.setRenderHint(QPainter::Antialiasing, true);
    const int n = m_nLuces;
    if (n > 0)
        p.fillRect(QRectF(5.5, 1.5, 106, 4), QColor(255, 104, 32, 60 + 35 * n));
    // The knob: level 0 points up, each level 50 degrees further clockwise.
    const QPointF centro(104.5, 16.5);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0xd5, 0xdb, 0xe1));
    p.drawEllipse(centro, 5.0, 5.0);
    p.translate(centro);
    p.rotate(50.0 * n);
    p.setPen(QPen(n > 0 ? QColor(200, 40, 20) : QColor(0x5f, 0x6b, 0x77), 1.5, Qt::SolidLine,
                  Qt::RoundCap));
    p.drawLine(QPointF(0, -5), QPointF(0, -1));
    p.restore();
    p.save();
    p.setFont(Dibujo::Arial(12));
    p.setPen(n > 0 ? QColor(255, 214, 170) : QColor(0x9a, 0xa5, 0xb1));
    Dibujo::Texto(p, m_x + 8, m_y + 11,
                  n > 0 ? QCoreApplication::translate("CParrilla", "Nivel %1").arg(n)
                        : QCoreApplication::translate("CParrilla", "Apagada"));
    p.restore();
}

CBanoHielo::CBanoHielo() {
    Iniciar(TipoEquipo::BanoHielo, 120, 52, -20.0);
}
