#include "equipment/Recipientes.h"

#include "equipment/Dibujo.h"
#include "equipment/Imagenes.h"
#include "equipment/ListaEquipo.h"

#include <QPainter>

CMatrazGases::CMatrazGases() {
    Iniciar(TipoEquipo::MatrazGases, 80, 135, 300, 90, 130);
    m_seno.m_bCerrado = 1;
}

int32_t CMatrazGases::GetLevelY(double v) {
    v = ConReserva(v);
    return v >= 300 ? 0 : Nivel(130 - (0.356 * v - 1));
}

int32_t CMatrazGases::Step() {
    return m_seno.Simular();
}

void CMatrazGases::Draw(QPainter& p) {
    CRecipiente::Draw(p);
    if (Tira().isNull())
        return;
    const QPoint fin = m_seno.Tiene(ESTADO_GAS) ? m_ptConGas : m_ptSinGas;
    p.save();
    p.setPen(QPen(QColor(255, 0, 0), 3, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(m_ptPivote + QPoint(m_x, m_y), fin + QPoint(m_x, m_y));
    p.restore();
}

void CBureta::BuildMenu(CMenu& menu) {
    CRecipiente::BuildMenu(menu);
    menu.push_back({ID_TITULAR, "Titular"});
}

CBureta10::CBureta10() {
    Iniciar(TipoEquipo::Bureta10, 30, 250, 10, 15, 220, Dibujo::RectLTRB(8, 7, 20, 16));
}

int32_t CBureta10::GetLevelY(double v) {
    return Nivel(220 - 20 * ConReserva(v));
}

CBureta50::CBureta50() {
    Iniciar(TipoEquipo::Bureta50, 30, 250, 50, 25, 247, Dibujo::RectLTRB(8, 7, 20, 16));
}

int32_t CBureta50::GetLevelY(double v) {
    return Nivel(220 - 4 * ConReserva(v));
}

void CPipeta::BuildMenu(CMenu& menu) {
    CEquipo::BuildMenu(menu);
    if (!m_pConectado)
        return;
    if (VolumenLiquido() > 0.0)
        menu.push_back({ID_VACIAR_EN, "Vaciar en"});
    else if (m_pConectado->VolumenLiquido() > 0.0 &&
             m_pConectado->VolumenLiquido() >= MinimoParaLlenar())
        menu.push_back({ID_LLENAR_DESDE, "Llenar desde"});
}

CPipetaGraduada::CPipetaGraduada() {
    Iniciar(TipoEquipo::PipetaGraduada, 17, 176, 10, 5, 174);
}

int32_t CPipetaGraduada::GetLevelY(double v) {
    v = ConReserva(v);
    if (v <= 1)
        return Nivel(174 - 20 * v);
    if (v <= 10.1)
        return Nivel(154 - 15 * (v - 1));
    return 174;
}

CPipetaVolumetrica::CPipetaVolumetrica() {
    Iniciar(TipoEquipo::PipetaVolumetrica, 13, 181, 10, 5, 179);
}

int32_t CPipetaVolumetrica::GetLevelY(double v) {
    v = ConReserva(v);
    if (v <= 1)
        return Nivel(179 - 96 * v);
    if (v <= 9.5)
        return Nivel(96 - 5.8823 * (v - 1));
    if (v <= 10.1)
        return Nivel(46 - 38 * (v - 8.5));
    return 179;
}

CPeticion CPipeta::Pide(int nComando) const {
    if (nComando != ID_LLENAR_DESDE && nComando != ID_VACIAR_EN)
        return CRecipiente::Pide(nComando);
    CPeticion p;
    if (dynamic_cast<const CPipetaVolumetrica*>(this) || !m_pConectado)
        return p;
    p.m_eTipo = CPeticion::Tipo::Mililitros;
    p.m_dMaximo = nComando == ID_LLENAR_DESDE ? m_dCapacidad : VolumenLiquido();
    return p;
}

ResultadoComando CPipeta::Ejecutar(int nComando, CListaEquipo& lista, const CArgumento& a) {
    if (nComando != ID_LLENAR_DESDE && nComando != ID_VACIAR_EN)
        return CRecipiente::Ejecutar(nComando, lista, a);
    // A vessel deleted since the last step is not poured into or from.
    CRecipiente* abajo = m_pConectado;
    if (!abajo || !lista.Contiene(abajo))
        return ResultadoComando::SinEfecto;
    const double dMl =
        dynamic_cast<CPipetaVolumetrica*>(this) ? CPipetaVolumetrica::kVolumen : a.m_dCantidad;
    const double dMovido =
        nComando == ID_LLENAR_DESDE ? abajo->PourLiquid(*this, dMl) : PourLiquid(*abajo, dMl);
    return dMovido > 0.0 ? ResultadoComando::Hecho : ResultadoComando::SinEfecto;
}
