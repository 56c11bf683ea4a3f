#include "equipment/Instrumento.h"

#include "equipment/Recipiente.h"
#include "model/Archivo.h"

#include <QCoreApplication>
#include <QPainter>

CInstrumento::CInstrumento() {
    m_nCategoria = CATEGORIA_INSTRUMENTO;
}

void CInstrumento::Iniciar(TipoEquipo eTipo, int32_t cx, int32_t cy, QPoint ptSonda) {
    m_ptSonda = ptSonda;
    CEquipo::Iniciar(eTipo, cx, cy);
}

void CInstrumento::Draw(QPainter& p) {
    DibujarFigura(p);
    if (!Tira().isNull()) {
        p.save();
        DibujarLectura(p);
        p.restore();
    }
    DibujarSeleccion(p);
}

QString CInstrumentoLectura::Descripcion() const {
    const CLectura l = *Lectura();
    QString s = QCoreApplication::translate("Accesible", "Instrumento de medida: %1")
                    .arg(l.m_dValor, 0, 'g', 4);
    if (!l.m_strUnidad.isEmpty())
        s += QLatin1Char(' ') + l.m_strUnidad;
    return s;
}

void CInstrumentoLectura::EscribirEstado(CArchivo& ar) const {
    ar << m_dLectura;
}

void CInstrumentoLectura::LeerEstado(CArchivo& ar) {
    ar >> m_dLectura;
}

int32_t CInstrumentoLectura::Guardar(double d) {
    if (d == m_dLectura)
        return 0;
    m_dLectura = d;
    return 1;
}

int32_t CInstrumentoLectura::Attach(CRecipiente* pRecipiente) {
    if (!pRecipiente)
        return 0;
    return Guardar(Leer(*pRecipiente));
}

int32_t CInstrumentoLectura::Detach() {
    const bool bYaEnReposo = m_dLectura == m_dReposo;
    m_dLectura = m_dReposo;
    if (SiempreRepintar())
        return 1;
    return bYaEnReposo ? 0 : 1;
}
