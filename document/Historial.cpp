#include "document/Historial.h"

#include "document/Practica.h"
#include "equipment/Equipo.h"
#include "model/Archivo.h"

#include <QUndoCommand>

namespace {
QByteArray Comprimir(const std::vector<uint8_t>& datos) {
    // The fastest level: a snapshot is taken on every action and must not be felt.
    return qCompress(reinterpret_cast<const uchar*>(datos.data()),
                     static_cast<qsizetype>(datos.size()), 1);
}
} // namespace

// One action: the practice just before it and just after it.
class CHistorial::CPaso : public QUndoCommand {
public:
    CPaso(CHistorial& h, const QString& strTexto, QByteArray antes, QByteArray despues)
        : QUndoCommand(strTexto), m_historial(h), m_antes(std::move(antes)),
          m_despues(std::move(despues)) {}

    void undo() override { m_historial.Restaurar(m_antes); }
    void redo() override {
        // Pushed after the action was done: the first redo has nothing to do.
        if (m_bHecho)
            m_historial.Restaurar(m_despues);
        m_bHecho = true;
    }
    qsizetype Bytes() const { return m_antes.size() + m_despues.size(); }

private:
    CHistorial& m_historial;
    QByteArray m_antes, m_despues;
    bool m_bHecho = false;
};

CHistorial::CHistorial(CPractica& practica, QObject* pPadre)
    : QObject(pPadre), m_practica(practica) {
    m_pila.setUndoLimit(kLimite);
    Tomar();
}

std::vector<uint8_t> CHistorial::Instantanea(const CPractica& practica) {
    std::vector<uint8_t> datos = practica.EscribirPractica();
    CArchivo ar;
    for (const CEquipo* e : practica.m_listaEquipo) {
        // Labels travel in the file part (its extension), whole; only what no file keeps
        // (a balance's tare) comes here.
        e->EscribirEstado(ar);
    }
    const std::vector<uint8_t>& estado = ar.Datos();
    datos.insert(datos.end(), estado.begin(), estado.end());
    // The length of the file part last, so that restoring finds where the state begins.
    const auto n = static_cast<uint64_t>(datos.size() - estado.size());
    for (int k = 0; k < 8; ++k)
        datos.push_back(static_cast<uint8_t>(n >> (8 * k)));
    return datos;
}

bool CHistorial::Instantanea(std::vector<uint8_t>& datos) const {
    try {
        datos = Instantanea(m_practica);
        return true;
    } catch (const CErrorArchivo&) {
        // A number gone wrong cannot be written, nor put back later.
        return false;
    }
}

void CHistorial::Tomar() {
    m_bValido = Instantanea(m_antes);
}

bool CHistorial::Registrar(const QString& strAccion) {
    std::vector<uint8_t> despues;
    if (!Instantanea(despues)) {
        m_bValido = false;
        return false;
    }
    const bool bCambio = m_bValido && despues != m_antes;
    if (bCambio)
        m_pila.push(new CPaso(*this, strAccion, Comprimir(m_antes), Comprimir(despues)));
    m_antes = std::move(despues);
    m_bValido = true;
    return bCambio;
}

void CHistorial::Reiniciar() {
    m_pila.clear();
    m_pila.setClean();
    Tomar();
}

qsizetype CHistorial::Bytes() const {
    qsizetype n = 0;
    for (int i = 0; i < m_pila.count(); ++i)
        n += static_cast<const CPaso*>(m_pila.command(i))->Bytes();
    return n;
}

void CHistorial::Restaurar(const QByteArray& comprimido) {
    const QByteArray b = qUncompress(comprimido);
    const std::vector<uint8_t> datos(b.begin(), b.end());
    uint64_t n = 0;
    for (int k = 0; k < 8 && datos.size() >= 8; ++k)
        n |= static_cast<uint64_t>(datos[datos.size() - 8 + static_cast<size_t>(k)]) << (8 * k);
    bool bHecho = false;
    if (datos.size() >= 8 && n <= datos.size() - 8) {
        const auto itFin = datos.begin() + static_cast<std::ptrdiff_t>(n);
        if (m_practica.RestaurarMesa({datos.begin(), itFin}) == CPractica::Resultado::Correcto) {
            try {
                CArchivo ar(std::vector<uint8_t>(itFin, datos.end() - 8));
                for (CEquipo* e : m_practica.m_listaEquipo)
                    e->LeerEstado(ar);
            } catch (const CErrorArchivo&) {
                // The file part is back; what only the screen showed starts afresh.
            }
            bHecho = true;
        }
    }
    if (bHecho)
        m_antes = datos;
    else
        Tomar();
    emit Restaurado();
}
