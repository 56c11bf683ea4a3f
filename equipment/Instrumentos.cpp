#include "equipment/Instrumentos.h"

#include "equipment/Dibujo.h"
#include "equipment/Imagenes.h"
#include "equipment/Recipiente.h"
#include "model/AcidoBase.h"
#include "model/Archivo.h"

#include <QCoreApplication>
#include <QPainter>

#include <algorithm>

#include <cmath>

namespace {
// π/180 rounded as the needle was always drawn: deliberate, so that the needle stands on the
// same pixels as before (the exact value moves it by one pixel at some readings).
constexpr double kRadianesPorGrado = 0.01745327777777778;
} // namespace

CBalanza::CBalanza() : CInstrumentoLectura(0.0) {
    Iniciar(TipoEquipo::Balanza, 117, 39, QPoint(58, -5));
}

void CBalanza::BuildMenu(CMenu& menu) {
    CEquipo::BuildMenu(menu);
    menu.push_back({ID_TARAR, "Tarar"});
}

double CBalanza::Leer(CRecipiente& r) const {
    return r.Masa();
}

void CBalanza::DibujarLectura(QPainter& p) {
    p.setFont(Dibujo::Fuente("Courier New", 14));
    p.setPen(QColor(0, 255, 0));
    Dibujo::Texto(p, m_x + 90, m_y + 15, QString::asprintf("%.4f", Peso()), true);
}

QString CBalanza::Descripcion() const {
    return QStringLiteral("%1 g").arg(Peso(), 0, 'f', 4);
}

CTermometro::CTermometro() : CInstrumentoLectura(20.0) {
    Iniciar(TipoEquipo::Termometro, 28, 82, QPoint(5, 78));
}

double CTermometro::Leer(CRecipiente& r) const {
    return r.Temperatura();
}

int CTermometro::ColumnaY() const {
    // Clamped before the conversion; the column never leaves the glass.
    return std::max(12, 67 - static_cast<int>(std::clamp(0.5 * m_dLectura, -1000.0, 1000.0)));
}

void CTermometro::DibujarLectura(QPainter& p) {
    p.setPen(QPen(QColor(255, 0, 0), 1));
    const int top = ColumnaY();
    p.drawLine(m_x + 4, m_y + 67, m_x + 4, m_y + top);
    p.drawLine(m_x + 5, m_y + 67, m_x + 5, m_y + top);
    p.setFont(Dibujo::Arial(12));
    p.setPen(QColor(0, 0, 255));
    Dibujo::Texto(p, m_x + 2, m_y + 1, QString::asprintf("%.0f ºC", m_dLectura));
}

QString CTermometro::Descripcion() const {
    return QStringLiteral("%1 °C").arg(m_dLectura, 0, 'f', 0);
}

CPHmetro::CPHmetro() : CInstrumentoLectura(-1.0) {
    Iniciar(TipoEquipo::PHmetro, 92, 130, QPoint(2, 128));
}

double CPHmetro::Leer(CRecipiente& r) const {
    return r.PH();
}

QString CPHmetro::Texto() const {
    return AcidoBase::HayPH(m_dLectura) ? QString::asprintf("pH: %.2f", m_dLectura)
                                        : QStringLiteral("pH: --.--");
}

QString CPHmetro::Descripcion() const {
    return AcidoBase::HayPH(m_dLectura)
               ? Texto()
               : QCoreApplication::translate("CPHmetro", "pH: sin lectura");
}

void CPHmetro::DibujarLectura(QPainter& p) {
    p.setFont(Dibujo::Arial(14));
    Dibujo::Texto(p, m_x + 37, m_y + 16, Texto());
}

CConductimetro::CConductimetro() : CInstrumentoLectura(0.0) {
    Iniciar(TipoEquipo::Conductimetro, 85, 130, QPoint(82, 128));
}

double CConductimetro::Leer(CRecipiente& r) const {
    return r.ConcentracionIones();
}

QPoint CConductimetro::PuntaAguja() const {
    double dx = -20.0, dy = 0.0;
    if (m_dLectura > 0.0) {
        const double theta = std::clamp(25.71 * std::log10(1.0 / m_dLectura), 0.0, 180.0);
        dx = 20.0 * std::cos(theta * kRadianesPorGrado);
        dy = 20.0 * std::sin(theta * kRadianesPorGrado);
    }
    return QPoint(24 + static_cast<int>(dx), 37 - static_cast<int>(dy));
}

QString CConductimetro::Descripcion() const {
    return QStringLiteral("Concentración de iones: %1").arg(m_dLectura, 0, 'g', 4);
}

void CConductimetro::DibujarLectura(QPainter& p) {
    p.setPen(QPen(QColor(255, 0, 0), 1));
    p.drawLine(QPoint(m_x + 24, m_y + 37), PuntaAguja() + QPoint(m_x, m_y));
}

CAgitador::CAgitador() {
    Iniciar(TipoEquipo::Agitador, 4, 130, QPoint(2, 128));
}

QString CAgitador::Descripcion() const {
    return m_nPaso >= 0 ? QStringLiteral("Agitando") : QStringLiteral("En reposo");
}

int32_t CAgitador::Attach(CRecipiente* pRecipiente) {
    if (pRecipiente == m_pRecipiente)
        return 0;
    m_pRecipiente = pRecipiente;
    m_nPaso = 0;
    m_nVueltas = 0;
    return 1;
}

int32_t CAgitador::Detach() {
    m_nPaso = -1;
    m_pRecipiente = nullptr;
    m_nSentido = 1;
    m_nVueltas = 0;
    return 0;
}

int32_t CAgitador::Tick() {
    if (m_nPaso < 0 || !m_pRecipiente)
        return 0;
    MoveBy(2 * m_nSentido, 0);
    m_pRecipiente->m_seno.DisolverSolidos(0.02);
    m_nPaso += m_nSentido;
    if (m_nPaso < 1 || m_nPaso > 2) {
        ++m_nVueltas;
        m_nSentido = -m_nSentido;
    }
    if (m_nVueltas > 10) {
        m_nVueltas = 0;
        m_nPaso = -1;
    }
    return 1;
}

void CAgitador::Olvidar(CEquipo* pEquipo) {
    if (m_pRecipiente == pEquipo)
        Detach();
}

void CBalanza::EscribirEstado(CArchivo& ar) const {
    CInstrumentoLectura::EscribirEstado(ar);
    ar << m_dTara;
}

void CBalanza::LeerEstado(CArchivo& ar) {
    CInstrumentoLectura::LeerEstado(ar);
    ar >> m_dTara;
}

ResultadoComando CBalanza::Ejecutar(int nComando, CListaEquipo& lista, const CArgumento& a) {
    if (nComando != ID_TARAR)
        return CInstrumentoLectura::Ejecutar(nComando, lista, a);
    Tarar();
    return ResultadoComando::Hecho;
}
