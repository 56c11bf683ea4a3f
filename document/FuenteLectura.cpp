// Reading a practice's source: each line is "clave = valor"; the head's keys and the keys
// that open a block are known anywhere, any other belongs to the block last opened. What
// each key does is in the tables of FuenteClaves.
#include "document/FuenteClaves.h"

#include <utility>

namespace Fuente {

namespace {

template <class Leido, class Guardado>
const Clave<Leido, Guardado>* Buscar(std::span<const Clave<Leido, Guardado>> tabla,
                                     const QString& strClave) {
    for (const auto& k : tabla)
        if (k.m_pszClave && strClave == QLatin1String(k.m_pszClave))
            return &k;
    return nullptr;
}

[[noreturn]] void Desconocida(const Valor& v, const char* pszEnUn) {
    if (!pszEnUn)
        Fallo(v.m_strDonde, QStringLiteral("clave desconocida «%1»").arg(v.m_strClave));
    Fallo(v.m_strDonde, QStringLiteral("clave desconocida «%1» en %2")
                            .arg(v.m_strClave, QString::fromUtf8(pszEnUn)));
}

[[noreturn]] void NoSeAplica(const Valor& v, const Equipo& e) {
    Fallo(v.m_strDonde, QStringLiteral("«%1» no se aplica a un equipo de tipo %2")
                            .arg(v.m_strClave)
                            .arg(e.m_nTipo));
}

// The block each line after an opening key belongs to.
enum class Abierto { Ninguno, Componente, Reactivo, Reaccion, Indicador, Equipo };

template <class Leido, class Guardado>
void LeerEn(const Bloque<Leido, Guardado>& b, Leido& x, const Valor& v) {
    if (const auto* k = Buscar(b.m_claves, v.m_strClave))
        k->m_leer(x, v);
    else
        Desconocida(v, b.m_pszEnUn);
}

// An item's keys: its own, then those of a vessel's phases. A key an item of its type does
// not take is refused as such, known or not, unless the item is a vessel.
void LeerEnEquipo(Equipo& e, const Valor& v) {
    if (const auto* k = Buscar(BloqueEquipo().m_claves, v.m_strClave)) {
        if (k->m_aplica && !k->m_aplica(e))
            NoSeAplica(v, e);
        k->m_leer(e, v);
        return;
    }
    if (!e.m_bRecipiente)
        NoSeAplica(v, e);
    for (const ClaveFase& k : ClavesFase()) {
        if (k.m_pszClave) {
            if (v.m_strClave == QLatin1String(k.m_pszClave))
                return k.m_leer(e, v, -1);
            continue;
        }
        for (int i = 0; i < 3; ++i)
            if (v.m_strClave == QLatin1String(kFases[i]))
                return k.m_leer(e, v, i);
    }
    Desconocida(v, BloqueEquipo().m_pszEnUn);
}

// A key that opens a block: reads its line and says which block is open.
bool Abrir(Lectura& l, const Valor& v, Abierto& abierto) {
    auto es = [&](const char* psz) { return v.m_strClave == QLatin1String(psz); };
    if (es(BloqueComponente().m_pszClave))
        BloqueComponente().m_leer(l, v), abierto = Abierto::Componente;
    else if (es(BloqueReactivo().m_pszClave))
        BloqueReactivo().m_leer(l, v), abierto = Abierto::Reactivo;
    else if (es(BloqueReaccion().m_pszClave))
        BloqueReaccion().m_leer(l, v), abierto = Abierto::Reaccion;
    else if (es(BloqueIndicador().m_pszClave))
        BloqueIndicador().m_leer(l, v), abierto = Abierto::Indicador;
    else if (es(BloqueEquipo().m_pszClave))
        BloqueEquipo().m_leer(l, v), abierto = Abierto::Equipo;
    else
        return false;
    return true;
}

void LeerEnAbierto(Lectura& l, const Valor& v, Abierto abierto) {
    Datos& d = l.m_d;
    switch (abierto) {
    case Abierto::Componente:
        return LeerEn(BloqueComponente(), d.m_componentes.back(), v);
    case Abierto::Reactivo:
        return LeerEn(BloqueReactivo(), d.m_reactivos.back(), v);
    case Abierto::Reaccion:
        return LeerEn(BloqueReaccion(), d.m_reacciones.back(), v);
    case Abierto::Indicador:
        return LeerEn(BloqueIndicador(), d.m_indicadores.back(), v);
    case Abierto::Equipo:
        return LeerEnEquipo(d.m_equipo.back(), v);
    case Abierto::Ninguno:
        break;
    }
    Desconocida(v, nullptr);
}

} // namespace

Datos Leer(const Archivos& archivos, const QString& strNombre) {
    Lectura l;
    l.m_pArchivos = &archivos;
    if (!archivos.contains(QLatin1String(kPractica)))
        throw ErrorFuente{QStringLiteral("falta %1").arg(QLatin1String(kPractica))};
    l.m_d.m_strArchivo = strNombre.isEmpty() ? QLatin1String(kPractica) : strNombre;
    Abierto abierto = Abierto::Ninguno;
    for (const auto& [nLinea, strLinea] :
         Lineas(QString::fromUtf8(archivos.value(QLatin1String(kPractica))))) {
        Valor v;
        v.m_nLinea = nLinea;
        v.m_strDonde = QStringLiteral("%1:%2").arg(l.m_d.m_strArchivo).arg(nLinea);
        const int nIgual = strLinea.indexOf(QLatin1Char('='));
        if (nIgual < 0)
            Fallo(v.m_strDonde, QStringLiteral("falta «=» (las líneas son «clave = valor»)"));
        v.m_strClave = strLinea.left(nIgual).trimmed();
        v.m_str = strLinea.mid(nIgual + 1).trimmed();
        v.m_campos = Campos(v.m_str);
        if (const auto* k = Buscar(ClavesCabecera(), v.m_strClave)) {
            k->m_leer(l, v);
            abierto = Abierto::Ninguno;
        } else if (const auto* c = Buscar(ClavesCatalogo(), v.m_strClave)) {
            c->m_leer(l, v);
        } else if (!Abrir(l, v, abierto)) {
            LeerEnAbierto(l, v, abierto);
        }
    }
    l.m_d.m_strMarco = archivos.value(QLatin1String(kMarco)).toStdString();
    l.m_d.m_strProcedimiento = archivos.value(QLatin1String(kProcedimiento)).toStdString();
    l.m_d.m_strResultados = archivos.value(QLatin1String(kResultados)).toStdString();
    return std::move(l.m_d);
}

} // namespace Fuente
