#include "equipment/Recipientes.h"

#include "equipment/Imagenes.h"
#include "equipment/ListaEquipo.h"

#include <QPainter>

CMatrazGases::CMatrazGases() {
    Iniciar(TipoEquipo::MatrazGases);
    m_seno.m_bCerrado = 1;
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

CPipetaVolumetrica::CPipetaVolumetrica() {
    Iniciar(TipoEquipo::PipetaVolumetrica);
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
