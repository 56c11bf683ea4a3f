#include "equipment/Calorimetro.h"

#include "equipment/Dibujo.h"
#include "equipment/Enfriamiento.h"
#include "equipment/Imagenes.h"
#include "equipment/ListaEquipo.h"
#include "model/Catalogo.h"

#include <QPainter>

CCalorimetro::CCalorimetro() {
    Iniciar(TipoEquipo::Calorimetro);
}

void CCalorimetro::AlRecibir() {
    if (!m_seno.ConAmbiente())
        m_seno.m_dTemperaturaAmbiente = m_seno.Temperatura();
}

int32_t CCalorimetro::Step() {
    if (m_seno.ConAmbiente()) {
        m_seno.m_dConductancia =
            m_pTapa ? kConductanciaCalorimetroTapado : kConductanciaCalorimetroAbierto;
        m_seno.m_dCapacidadPropia = m_seno.Cat().m_termica.m_dEquivalenteCalorimetro;
    }
    return CRecipiente::Step();
}

void CCalorimetro::BuildMenu(CMenu& menu) {
    CRecipiente::BuildMenu(menu);
    if (m_pTapa)
        menu.push_back({ID_DESTAPAR_CALORIMETRO, "Destapar Calorímetro"});
    else
        menu.push_back({ID_TAPAR_CALORIMETRO, "Tapar Calorímetro"});
}

void CCalorimetro::MoveBy(int32_t dx, int32_t dy) {
    Desplazar(dx, dy);
    if (m_pTapa)
        m_pTapa->Desplazar(dx, dy);
}

std::vector<CEquipo*> CCalorimetro::Piezas() const {
    if (m_pTapa)
        return {m_pTapa};
    return {};
}

void CCalorimetro::Olvidar(CEquipo* pEquipo) {
    CRecipiente::Olvidar(pEquipo);
    if (pEquipo == m_pTapa)
        m_pTapa = nullptr;
}

ResultadoComando CCalorimetro::Ejecutar(int nComando, CListaEquipo& lista, const CArgumento& a) {
    if (nComando == ID_TAPAR_CALORIMETRO)
        return Tapar(lista) ? ResultadoComando::Hecho : ResultadoComando::SinEfecto;
    if (nComando == ID_DESTAPAR_CALORIMETRO) {
        Destapar(lista);
        return ResultadoComando::Hecho;
    }
    return CRecipiente::Ejecutar(nComando, lista, a);
}

CTapaCalorimetro* CCalorimetro::Tapar(CListaEquipo& lista) {
    if (m_pTapa)
        return nullptr;
    auto* p = new CTapaCalorimetro;
    lista.AgregarAlFinal(p);
    p->SetPosition(m_x, m_y - 7);
    m_pTapa = p;
    p->m_pCalorimetro = this;
    p->Attach(nullptr);
    return p;
}

void CCalorimetro::Destapar(CListaEquipo& lista) {
    if (m_pTapa)
        lista.Eliminar(m_pTapa);
}

CTapaCalorimetro::CTapaCalorimetro() : CInstrumentoLectura(20.0) {
    Iniciar(TipoEquipo::TapaCalorimetro, 55, 16, QPoint(0, 0));
}

int32_t CTapaCalorimetro::Attach(CRecipiente*) {
    if (!m_pCalorimetro)
        return 0;
    return Guardar(Leer(*m_pCalorimetro));
}

void CTapaCalorimetro::MoveBy(int32_t dx, int32_t dy) {
    if (m_pCalorimetro)
        m_pCalorimetro->MoveBy(dx, dy);
    else
        Desplazar(dx, dy);
}

void CTapaCalorimetro::Relink(CListaEquipo& lista) {
    for (CEquipo* e : lista) {
        auto* c = dynamic_cast<CCalorimetro*>(e);
        if (c && e->m_x == m_x && e->m_y == m_y + 7) {
            c->m_pTapa = this;
            m_pCalorimetro = c;
            return;
        }
    }
}

void CTapaCalorimetro::Olvidar(CEquipo* pEquipo) {
    if (pEquipo == m_pCalorimetro)
        m_pCalorimetro = nullptr;
}

int CTapaCalorimetro::Decimales() const {
    // The thermometer of a calorimeter for reaction heats reads tenths of a degree.
    return m_pCalorimetro && m_pCalorimetro->m_seno.ConAmbiente() ? 1 : 0;
}

QString CTapaCalorimetro::Descripcion() const {
    return QStringLiteral("%1 °C").arg(m_dLectura, 0, 'f', Decimales());
}

void CTapaCalorimetro::DibujarLectura(QPainter& p) {
    p.setFont(Dibujo::Arial(12));
    Dibujo::Texto(p, m_x + (Decimales() ? 4 : 11), m_y + 1,
                  QString::asprintf("%.*f ºC", Decimales(), m_dLectura));
}
