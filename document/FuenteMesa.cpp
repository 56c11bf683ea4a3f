// The keys of an item of the bench and of the phases of a vessel.
#include "document/FuenteClaves.h"

#include "equipment/Calentadores.h"
#include "equipment/Erlenmeyer250.h"
#include "equipment/ListaEquipo.h"
#include "equipment/Recipiente.h"

#include <memory>

namespace Fuente {

namespace {

Equipo& LeerEquipo(Lectura& l, const Valor& v) {
    v.Campos(3, QStringLiteral("un equipo"));
    if (l.m_d.m_equipo.size() >= static_cast<size_t>(Limites::kEquipos))
        Fallo(v.m_strDonde, QStringLiteral("demasiados equipos"));
    const QStringList& c = v.m_campos;
    Equipo& e = l.m_d.m_equipo.emplace_back();
    e.m_nLinea = v.m_nLinea;
    e.m_nTipo = Entero(c[0], v.m_strDonde);
    const std::unique_ptr<CEquipo> p(CListaEquipo::CrearEquipo(e.m_nTipo));
    if (!p)
        Fallo(v.m_strDonde, QStringLiteral("tipo de equipo desconocido: %1").arg(e.m_nTipo));
    e.m_bRecipiente = p->Recipiente() != nullptr;
    e.m_bTubo = dynamic_cast<CTuboVidrio*>(p.get()) != nullptr;
    e.m_bParrilla = p->Ajuste().has_value();
    e.m_x = EnteroEntre(c[1], v.m_strDonde + QStringLiteral(": x"), -Limites::kCoordenada,
                        Limites::kCoordenada);
    e.m_y = EnteroEntre(c[2], v.m_strDonde + QStringLiteral(": y"), -Limites::kCoordenada,
                        Limites::kCoordenada);
    return e;
}

QString EscribirEquipo(const CEquipo& e, const Nombres&) {
    return QStringLiteral("%1 | %2 | %3").arg(e.m_nTipo).arg(e.m_x).arg(e.m_y);
}

bool EsRecipiente(const Equipo& e) {
    return e.m_bRecipiente;
}

const CRecipiente* RecipienteDe(const CEquipo& e) {
    return e.Recipiente();
}

const Clave<Equipo, CEquipo> kClavesEquipo[] = {
    // Any item may carry a label; the window lets a student type one on a vessel.
    {"rotulo",
     [](Equipo& e, const Valor& v) {
         e.m_strRotulo = v.Texto();
         if (e.m_strRotulo.size() > static_cast<size_t>(Limites::kRotulo))
             Fallo(v.m_strDonde,
                   QStringLiteral("el rótulo tiene más de %1 bytes").arg(Limites::kRotulo));
     },
     [](const CEquipo& e, const Nombres&) { return QStringList{Escapar(e.m_strEtiqueta)}; },
     Cuando::SiNoUsual, [](const CEquipo& e, const Nombres&) { return e.m_strEtiqueta.empty(); }},
    {"nivel",
     [](Equipo& e, const Valor& v) { e.m_nNivel = EnteroEntre(v.m_str, v.m_strDonde, 0, 5); },
     [](const CEquipo& e, const Nombres&) {
         return QStringList{QString::number(e.Ajuste().value_or(CExtension::kNivelDescrito))};
     },
     Cuando::SiNoUsual,
     [](const CEquipo& e, const Nombres&) {
         return e.Ajuste().value_or(CExtension::kNivelDescrito) == CExtension::kNivelDescrito;
     },
     [](const Equipo& e) { return e.m_bParrilla; }},
    {"temperatura",
     [](Equipo& e, const Valor& v) {
         e.m_dTemperatura =
             NumeroEntre(v.m_str, v.m_strDonde, Limites::kTemperaturaMinima, kTemperaturaMaxima);
     },
     [](const CEquipo& e, const Nombres&) {
         const CRecipiente* r = RecipienteDe(e);
         return r ? QStringList{N(r->m_seno.Temperatura())} : QStringList{};
     },
     Cuando::Siempre, nullptr, EsRecipiente},
    {"reserva", [](Equipo& e, const Valor& v) { e.m_dReserva = Cantidad(v.m_str, v.m_strDonde); },
     [](const CEquipo& e, const Nombres&) {
         return QStringList{N(RecipienteDe(e)->m_seno.Reserva())};
     },
     Cuando::SiNoUsual,
     [](const CEquipo& e, const Nombres&) {
         return !RecipienteDe(e) || RecipienteDe(e)->m_seno.Reserva() == 0.0;
     },
     EsRecipiente},
    // Here go the keys of each phase (ClavesFase), liquid, solid and gas in turn.
    {nullptr, nullptr, nullptr, Cuando::Siempre, nullptr, EsRecipiente},
    {"salida",
     [](Equipo& e, const Valor& v) { e.m_nSalida = EnteroEntre(v.m_str, v.m_strDonde, 0, 1); },
     [](const CEquipo& e, const Nombres&) {
         const auto* t = dynamic_cast<const CTuboVidrio*>(&e);
         return t ? QStringList{QString::number(t->m_nSalida)} : QStringList{};
     },
     Cuando::Siempre, nullptr, [](const Equipo& e) { return e.m_bTubo; }},
};

const Bloque<Equipo, CEquipo> kEquipo = {"equipo", LeerEquipo, EscribirEquipo, "un equipo",
                                         kClavesEquipo};

const ClaveFase kClavesFase[] = {
    {nullptr,
     [](Equipo& e, const Valor& v, int nFase) {
         v.Campos(2, QStringLiteral("una fase"));
         e.m_fases[nFase].m_dVolumen = Cantidad(v.m_campos[0], v.m_strDonde);
         e.m_fases[nFase].m_dMasa = Cantidad(v.m_campos[1], v.m_strDonde);
     },
     [](const CFase& f, const Nombres&) {
         return QStringList{QStringLiteral("%1 | %2").arg(N(f.m_dVolumen), N(f.m_dMasa))};
     },
     Cuando::SiNoUsual, [](const CFase& f) { return f.m_dVolumen == 0.0 && f.m_dMasa == 0.0; }},
    {"contenido",
     [](Equipo& e, const Valor& v, int) {
         const Entrada en = LeerEntrada(v.m_campos, 1, v.m_strDonde);
         e.m_fases[LeerFase(v.m_campos[0], v.m_strDonde)].m_entradas.push_back(en);
     },
     [](const CFase& f, const Nombres& n) {
         QStringList v;
         for (const CContenido& c : f.m_listaContenido)
             v << n.EntradaCompleta(c);
         return v;
     },
     Cuando::Siempre},
    {"indicadores",
     [](Equipo& e, const Valor& v, int) {
         v.Campos(2, QStringLiteral("«indicadores»"));
         FaseFuente& f = e.m_fases[LeerFase(v.m_campos[0], v.m_strDonde)];
         f.m_strDondeIndicadores = v.m_strDonde;
         for (const QString& id : v.m_campos[1].split(QLatin1Char(','), Qt::SkipEmptyParts))
             f.m_indicadores.push_back(Entero(id, v.m_strDonde));
     },
     [](const CFase& f, const Nombres& n) {
         return QStringList{n.Indicadores(f.m_listaIndicadores)};
     },
     Cuando::SiNoUsual, [](const CFase& f) { return f.m_listaIndicadores.empty(); }},
    // The colour the window last drew the phase in: a file saved from the window keeps it,
    // and its source must give it back for the practice to compile to the same bytes.
    {"color",
     [](Equipo& e, const Valor& v, int) {
         v.Campos(2, QStringLiteral("«color»"));
         e.m_fases[LeerFase(v.m_campos[0], v.m_strDonde)].m_crColor =
             Color(v.m_campos[1], v.m_strDonde);
     },
     [](const CFase& f, const Nombres&) { return QStringList{Hex(f.m_crColorDibujado)}; },
     Cuando::SiNoUsual, [](const CFase& f) { return f.m_crColorDibujado == 0; }},
};

} // namespace

const Bloque<Equipo, CEquipo>& BloqueEquipo() {
    return kEquipo;
}

std::span<const ClaveFase> ClavesFase() {
    return kClavesFase;
}

} // namespace Fuente
