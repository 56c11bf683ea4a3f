#include "document/Fuente.h"
#include "document/FuenteClaves.h"

#include "document/Plantillas.h"
#include "document/Practica.h"
#include "equipment/Calentadores.h"
#include "equipment/Erlenmeyer250.h"
#include "equipment/ListaEquipo.h"
#include "equipment/Recipiente.h"
#include "model/Archivo.h"
#include "model/Catalogo.h"
#include "model/Componentes.h"
#include "model/Indicadores.h"
#include "model/Reacciones.h"
#include "model/Reactivos.h"

#include "document/Rutas.h"
#include "document/Validacion.h"

#include <QCoreApplication>
#include <QHash>
#include <QLocale>
#include <QRegularExpression>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <iterator>
#include <memory>

namespace Fuente {

namespace {

QString Traducir(const char* psz) {
    return QCoreApplication::translate("Fuente", psz);
}

// ---------------------------------------------------------------------------------------
// Writing the file

// How the references of a source become what each kind of file stores: a template keeps
// identifiers (resolved when it is opened), a saved practice keeps places in the list.
class Resolutor {
public:
    Resolutor(const Datos& d, Tipo tipo) : m_d(d), m_tipo(tipo) {}

    int32_t Componente(const Ref& r) const {
        const int32_t n = Cuenta();
        if (m_tipo == Tipo::Plantilla) {
            if (!r.m_bPosicion)
                return r.m_n;
            return r.m_n >= 0 && r.m_n < n ? m_d.m_componentes[r.m_n].m_c.m_nId : NingunId();
        }
        return r.m_bPosicion ? r.m_n : Primero(r.m_n);
    }

    // The indicator's component: identifier 0 follows the pH.
    int32_t ComponenteIndicador(const Ref& r) const {
        if (!r.m_bPosicion && r.m_n == 0)
            return m_tipo == Tipo::Plantilla ? 0 : -1;
        return Componente(r);
    }

    // The component's name, as a composition entry carries it when the source gives none.
    std::string Nombre(const Ref& r) const {
        const int32_t i = r.m_bPosicion ? r.m_n : Primero(r.m_n);
        if (i >= 0 && i < Cuenta())
            return m_d.m_componentes[i].m_c.m_strNombre;
        if (!r.m_bPosicion && m_d.m_tabla.contains(r.m_n))
            return m_d.m_tabla.value(r.m_n).m_strNombre;
        return {};
    }

    // The place of the first component with the identifier, or past the end when none.
    int32_t Primero(int32_t nId) const {
        for (int32_t i = 0; i < Cuenta(); ++i)
            if (m_d.m_componentes[i].m_c.m_nId == nId)
                return i;
        return Cuenta();
    }

    int32_t Cuenta() const { return static_cast<int32_t>(m_d.m_componentes.size()); }

    // Whether the reference names a component of the catalogue.
    bool Existe(const Ref& r) const {
        const int32_t i = r.m_bPosicion ? r.m_n : Primero(r.m_n);
        return i >= 0 && i < Cuenta();
    }

private:
    // An identifier that no component has.
    int32_t NingunId() const {
        int32_t n = 0;
        for (const auto& k : m_d.m_componentes)
            if (k.m_c.m_nId >= n && k.m_c.m_nId < INT32_MAX)
                n = k.m_c.m_nId + 1;
        return n;
    }

    const Datos& m_d;
    Tipo m_tipo;
};

CContenido Contenido(const Entrada& e, const Resolutor& res, int32_t nComponente) {
    CContenido c = e.m_c;
    c.m_nComponente = nComponente;
    if (!e.m_bTexto)
        c.m_strTexto = res.Nombre(e.m_ref);
    return c;
}

// The catalogue as this kind of file stores it.
CCatalogo CatalogoDe(const Datos& d, const Resolutor& res, bool bPractica) {
    CCatalogo cat;
    cat.m_nMotor = d.m_nMotor;
    cat.m_paresVapor = d.m_paresVapor;
    cat.m_termica = d.m_ambiente;
    for (const Reaccion& R : d.m_reacciones) {
        CReacciones r = R.m_r;
        for (int k = 0; k < 3; ++k) {
            r.m_nReactivo[k] = res.Componente(R.m_reactivos[k]);
            r.m_nProducto[k] = res.Componente(R.m_productos[k]);
        }
        r.m_nCatalizador = res.Componente(R.m_catalizador);
        cat.m_reacciones.push_back(r);
    }
    for (const Reactivo& R : d.m_reactivos) {
        CReactivos r = R.m_r;
        for (const Entrada& e : R.m_entradas)
            r.m_listaComposicion.push_back(Contenido(e, res, res.Componente(e.m_ref)));
        cat.m_reactivos.push_back(r);
    }
    for (const Componente& k : d.m_componentes) {
        CComponentes c = k.m_c;
        // A template stores no solubility line (it is drawn again when the template is
        // opened); a saved practice stores the one the program draws.
        double dPendiente = 0.0, dOrdenada = 0.0;
        if (bPractica) {
            c.AjustarSolubilidad();
            dPendiente = c.m_dPendiente;
            dOrdenada = c.m_dOrdenada;
        }
        c.m_dPendiente = k.m_bPendiente ? k.m_c.m_dPendiente : dPendiente;
        c.m_dOrdenada = k.m_bOrdenada ? k.m_c.m_dOrdenada : dOrdenada;
        cat.m_componentes.push_back(c);
    }
    for (const Indicador& I : d.m_indicadores) {
        CIndicadores i = I.m_i;
        i.m_nComponente = res.ComponenteIndicador(I.m_componente);
        cat.m_indicadores.push_back(i);
    }
    return cat;
}

void Fases(const Equipo& e, CRecipiente& r, const Resolutor& res, const CCatalogo& cat) {
    CFase* fases[3] = {&r.m_seno.m_faseLiquida, &r.m_seno.m_faseSolida, &r.m_seno.m_faseGas};
    for (int i = 0; i < 3; ++i) {
        const FaseFuente& f = e.m_fases[i];
        CFase& fase = *fases[i];
        fase.m_listaContenido.clear();
        fase.m_listaIndicadores.clear();
        fase.m_pAgua = nullptr;
        fase.m_crColorDibujado = f.m_crColor;
        fase.m_dVolumen = f.m_dVolumen;
        fase.m_dMasa = f.m_dMasa;
        for (const Entrada& en : f.m_entradas) {
            const int32_t n = res.Componente(en.m_ref);
            // Every entry on the bench must name a component of the catalogue.
            if (n < 0 || n >= res.Cuenta())
                Fallo(en.m_strDonde, QStringLiteral("el componente no está en el catálogo"));
            fase.m_listaContenido.push_back(Contenido(en, res, n));
        }
        for (int32_t nId : f.m_indicadores) {
            const int32_t k = cat.IndicadorPorId(nId);
            if (k < 0)
                Fallo(f.m_strDondeIndicadores,
                      QStringLiteral("no hay ningún indicador %1").arg(nId));
            fase.m_listaIndicadores.push_back(k);
        }
    }
}

void Mesa(const Datos& d, const Resolutor& res, const CCatalogo& cat, CListaEquipo& lista) {
    for (const Equipo& e : d.m_equipo) {
        CEquipo* p = CListaEquipo::CrearEquipo(e.m_nTipo);
        lista.AgregarAlFinal(p);
        p->m_x = e.m_x;
        p->m_y = e.m_y;
        p->m_strEtiqueta = e.m_strRotulo;
        p->Ajustar(e.m_nNivel); // items without a setting ignore it
        CRecipiente* r = p->Recipiente();
        if (!r)
            continue;
        r->m_seno.m_dTemperatura = e.m_dTemperatura;
        r->m_seno.m_dReserva = e.m_dReserva;
        Fases(e, *r, res, cat);
        if (auto* t = dynamic_cast<CTuboVidrio*>(p))
            t->SetSalida(e.m_nSalida);
    }
}

QByteArray Escribir(const Datos& d, Tipo tipo, QStringList* pavisos) {
    const bool bPractica = tipo == Tipo::Practica;
    const Resolutor res(d, tipo);
    CCatalogo cat = CatalogoDe(d, res, bPractica);
    // The bench is built first: what it holds beyond the described records goes into the
    // extension block, right after the version.
    CListaEquipo lista(&cat);
    if (bPractica)
        Mesa(d, res, cat, lista);
    else if (!d.m_equipo.empty() && pavisos)
        *pavisos << QStringLiteral(
                        "%1: una plantilla no guarda la mesa; se deja fuera (equipos: %2)")
                        .arg(QLatin1String(kPractica))
                        .arg(d.m_equipo.size());
    // A template's block can only hold texts: it has no bench.
    CExtension ext = CExtension::Tomar(d.m_strNombre, d.m_strResumen, d.m_strAutor, d.m_strExtra,
                                       cat, bPractica ? &lista : nullptr);
    ext.m_automatico = d.m_automatico;

    CArchivo ar;
    ar << d.m_strNombre << d.m_strResumen << d.m_strFirma;
    if (bPractica)
        ar << std::string(ext.Vacia() ? CPractica::kVersion : CPractica::kVersionExtendida);
    if (bPractica && !ext.Vacia())
        ext.Escribir(ar);
    cat.Escribir(ar);
    ar << d.m_strMarco << d.m_strProcedimiento << d.m_strResultados << d.m_strAutor << d.m_strExtra
       << d.m_fecha << d.m_bVelocidad << d.m_bPropiedades;
    if (bPractica)
        lista.Escribir(ar);
    else
        CPractica::EscribirExtensionPlantilla(ar, ext);
    return QByteArray(reinterpret_cast<const char*>(ar.Datos().data()),
                      static_cast<qsizetype>(ar.Datos().size()));
}

// ---------------------------------------------------------------------------------------
// Exporting

Crudo LeerCrudo(const std::vector<uint8_t>& datos, bool bPractica) {
    Crudo c;
    CArchivo ar(datos);
    ar >> c.m_strNombre >> c.m_strResumen >> c.m_strFirma;
    CExtension ext;
    if (bPractica)
        CPractica::LeerVersion(ar, ext);
    c.m_cat.Leer(ar, false);
    ar >> c.m_strMarco >> c.m_strProcedimiento >> c.m_strResultados >> c.m_strAutor >>
        c.m_strExtra >> c.m_fecha >> c.m_bVelocidad >> c.m_bPropiedades;
    if (!bPractica)
        ext = CPractica::ExtensionDe(datos);
    // The source holds the whole texts; compiling gives their Windows-1252 forms again.
    ext.AplicarTextos({&c.m_strNombre, &c.m_strResumen, &c.m_strAutor, &c.m_strExtra}, c.m_cat);
    ext.AplicarQuimica(c.m_cat);
    c.m_automatico = ext.m_automatico;
    return c;
}

// Where the entries stand, and the references that name no component: a reaction's slot
// with a coefficient, an indicator's component (0 follows the pH). A catalyst is left out:
// the described templates name "none" by an identifier no component has.
Mapa MapaDe(const Datos& d) {
    Mapa m;
    m.m_strArchivo = d.m_strArchivo;
    std::copy(std::begin(d.m_lineasCabecera), std::end(d.m_lineasCabecera), m.m_cabecera);
    const Resolutor res(d, Tipo::Practica);
    auto texto = [](const Ref& r) {
        return r.m_bPosicion ? QStringLiteral("@%1").arg(r.m_n) : QString::number(r.m_n);
    };
    for (const Componente& k : d.m_componentes)
        m.m_componentes.push_back(k.m_nLinea);
    for (const Reactivo& r : d.m_reactivos)
        m.m_reactivos.push_back(r.m_nLinea);
    for (const Reaccion& R : d.m_reacciones) {
        m.m_reacciones.push_back(R.m_nLinea);
        for (int k = 0; k < 6; ++k) {
            const Ref& r = k < 3 ? R.m_reactivos[k] : R.m_productos[k - 3];
            const int32_t nCoef = k < 3 ? R.m_r.m_nCoefReactivo[k] : R.m_r.m_nCoefProducto[k - 3];
            if (nCoef >= 1 && !res.Existe(r))
                m.m_referencias.push_back(
                    {R.m_nLinea, Traducir("el componente %1 de la ranura %2 de los %3 no está en "
                                          "el catálogo: la ranura queda vacía")
                                     .arg(texto(r))
                                     .arg(k % 3 + 1)
                                     .arg(k < 3 ? Traducir("reactivos") : Traducir("productos"))});
        }
    }
    for (const Indicador& I : d.m_indicadores) {
        m.m_indicadores.push_back(I.m_nLinea);
        if ((I.m_componente.m_bPosicion || I.m_componente.m_n != 0) && !res.Existe(I.m_componente))
            m.m_referencias.push_back(
                {I.m_nLinea, Traducir("el componente %1 del indicador no está en el catálogo")
                                 .arg(texto(I.m_componente))});
    }
    for (const Equipo& e : d.m_equipo)
        m.m_equipos.push_back(e.m_nLinea);
    return m;
}

QString Mensaje(const ErrorFuente& e) {
    return e.m_strTexto;
}

// The compiled practice with its questions: read, given them, written again.
QByteArray ConPreguntas(const QByteArray& bytes, Tipo tipo, const CTarea& t) {
    const QString strDonde = QLatin1String(kPreguntas);
    if (tipo != Tipo::Practica)
        Fallo(strDonde, QStringLiteral("una plantilla no lleva preguntas"));
    CPractica p;
    QString strError;
    if (p.LeerPractica({bytes.begin(), bytes.end()}, strDonde, &strError) !=
        CPractica::Resultado::Correcto)
        Fallo(strDonde, strError);
    CExtension ext;
    ext.m_tarea = t;
    try {
        ext.AplicarTarea(p.m_catalogo);
    } catch (const CErrorArchivo& e) {
        Fallo(strDonde, QString::fromStdString(e.what()));
    }
    p.m_tarea = t;
    const std::vector<uint8_t> v = p.EscribirPractica();
    // Written as the program writes it, the seal is the program's; one that differs from the
    // source's was changed by hand, and the file must keep saying so.
    QByteArray r(reinterpret_cast<const char*>(v.data()), static_cast<qsizetype>(v.size()));
    if (t.m_bEmpezada && t.m_sello != t.Sello()) {
        const QByteArray bueno = QByteArray::fromStdString(Sorteo::Hex(t.Sello()));
        const qsizetype n = r.indexOf(bueno);
        if (n >= 0)
            r.replace(n, bueno.size(), QByteArray::fromStdString(Sorteo::Hex(t.m_sello)));
    }
    return r;
}

} // namespace

QByteArray Compilar(const Archivos& archivos, Tipo tipo, QString* pstrError, QStringList* pavisos,
                    const QString& strNombre, Mapa* pmapa) {
    try {
        const Datos d = Leer(archivos, strNombre);
        QByteArray bytes = Escribir(d, tipo, pavisos);
        if (pmapa)
            *pmapa = MapaDe(d);
        const auto itPreguntas = archivos.constFind(QLatin1String(kPreguntas));
        if (itPreguntas != archivos.constEnd())
            bytes = ConPreguntas(bytes, tipo, LeerPreguntas(*itPreguntas));
        return bytes;
    } catch (const ErrorFuente& e) {
        if (pstrError)
            *pstrError = Mensaje(e);
    } catch (const CErrorArchivo& e) {
        if (pstrError)
            *pstrError = QStringLiteral("%1: %2").arg(QLatin1String(kPractica),
                                                      QString::fromStdString(e.what()));
    }
    return {};
}

QByteArray CompilarCarpeta(const QString& strCarpeta, Tipo tipo, QString* pstrError,
                           QStringList* pavisos, Mapa* pmapa) {
    // Joined as strings: QDir would take the name through Qt's own encoding.
    const QString strBase =
        strCarpeta.endsWith(QLatin1Char('/')) ? strCarpeta : strCarpeta + QLatin1Char('/');
    struct stat st {};
    const int nEstado = strCarpeta.isEmpty() ? ENOENT : Rutas::Estado(strCarpeta, st);
    if (nEstado != 0 || !S_ISDIR(st.st_mode)) {
        if (pstrError)
            *pstrError = strCarpeta.isEmpty() ? Traducir("No se indicó la carpeta de la fuente.")
                         : nEstado == 0 ? QStringLiteral("%1 no es una carpeta.").arg(strCarpeta)
                         : nEstado == ENOENT
                             ? QStringLiteral("No se encontró la carpeta %1.").arg(strCarpeta)
                             : CPractica::TextoError(nEstado, strCarpeta);
        return {};
    }
    Archivos archivos;
    for (const char* psz :
         {kPractica, kComponentes, kMarco, kProcedimiento, kResultados, kPreguntas}) {
        const QString strRuta = strBase + QLatin1String(psz);
        std::vector<uint8_t> datos;
        QString strError;
        const CPractica::Resultado r = CPractica::LeerArchivo(strRuta, datos, &strError);
        if (r == CPractica::Resultado::Error) {
            if (pstrError)
                *pstrError = strError;
            return {};
        }
        if (r == CPractica::Resultado::NoExiste) {
            if (std::strcmp(psz, kPractica) == 0) {
                if (pstrError)
                    *pstrError = QStringLiteral("No se encontró %1.").arg(strRuta);
                return {};
            }
            continue;
        }
        archivos.insert(QLatin1String(psz), QByteArray(reinterpret_cast<const char*>(datos.data()),
                                                       static_cast<qsizetype>(datos.size())));
    }
    QString strError;
    const QByteArray bytes = Compilar(archivos, tipo, &strError, pavisos, {}, pmapa);
    if (bytes.isEmpty() && pstrError)
        *pstrError = strBase + strError;
    if (pmapa)
        pmapa->m_strArchivo = strBase + pmapa->m_strArchivo;
    return bytes;
}

QStringList Revisar(const CPractica& compilada, const Mapa& mapa) {
    auto donde = [&](int n) {
        return n > 0 ? QStringLiteral("%1:%2").arg(mapa.m_strArchivo).arg(n) : mapa.m_strArchivo;
    };
    auto linea = [](const std::vector<int>& v, int i) {
        return i >= 0 && static_cast<size_t>(i) < v.size() ? v[static_cast<size_t>(i)] : 0;
    };
    QStringList v;
    for (const Validacion::Problema& q : Validacion::Validar(compilada)) {
        using Que = Validacion::Problema::Que;
        const int i = q.m_nIndice;
        const int n = q.m_que == Que::Practica    ? (i >= 0 && i < 4 ? mapa.m_cabecera[i] : 0)
                      : q.m_que == Que::Sustancia ? linea(mapa.m_componentes, i)
                      : q.m_que == Que::Reactivo  ? linea(mapa.m_reactivos, i)
                      : q.m_que == Que::Reaccion  ? linea(mapa.m_reacciones, i)
                      : q.m_que == Que::Indicador ? linea(mapa.m_indicadores, i)
                      : q.m_que == Que::Equipo    ? linea(mapa.m_equipos, i)
                                                  : 0;
        v << QStringLiteral("%1: %2: %3").arg(donde(n), q.m_strDonde, q.m_strMensaje);
    }
    for (const auto& [n, s] : mapa.m_referencias)
        v << QStringLiteral("%1: %2").arg(donde(n), s);
    return v;
}

bool Exportar(const std::vector<uint8_t>& datos, const QString& strArchivo, Archivos& archivos,
              QString* pstrError) {
    const bool bPractica = CPractica::EsPractica(datos);
    QString strError;
    CPractica practica;
    const CPractica::Resultado r = bPractica ? practica.LeerPractica(datos, strArchivo, &strError)
                                             : practica.LeerPlantilla(datos, strArchivo, &strError);
    if (r != CPractica::Resultado::Correcto) {
        if (pstrError)
            *pstrError = strError;
        return false;
    }
    Crudo c;
    try {
        c = LeerCrudo(datos, bPractica);
    } catch (const CErrorArchivo& e) {
        if (pstrError)
            *pstrError = CPractica::TextoError(e, strArchivo);
        return false;
    }
    archivos.clear();
    archivos.insert(QLatin1String(kPractica), EscribirFuente(c, bPractica, practica).toUtf8());
    archivos.insert(QLatin1String(kMarco), QByteArray::fromStdString(c.m_strMarco));
    archivos.insert(QLatin1String(kProcedimiento), QByteArray::fromStdString(c.m_strProcedimiento));
    archivos.insert(QLatin1String(kResultados), QByteArray::fromStdString(c.m_strResultados));
    if (!practica.m_tarea.Vacia()) {
        // The seal as the file has it, so that a file changed by hand stays one.
        archivos.insert(QLatin1String(kPreguntas), EscribirPreguntas(practica.m_tarea).toUtf8());
    }
    return true;
}

namespace {

// Removes what a failed or finished export leaves in a folder it made: the files it wrote,
// then the folder. False when something else is still in it.
bool Retirar(const QString& strCarpeta, const Archivos& archivos) {
    for (auto it = archivos.cbegin(); it != archivos.cend(); ++it)
        ::unlink(Rutas::Codificar(strCarpeta + QLatin1Char('/') + it.key()).constData());
    return ::rmdir(Rutas::Codificar(strCarpeta).constData()) == 0;
}

} // namespace

namespace {

// Writing a source into a folder as a whole: the steps of EscribirCarpeta, each false with
// m_strError when it fails.
class Sustitucion {
public:
    Sustitucion(const Archivos& archivos, const QString& strCarpeta)
        : m_archivos(archivos), m_strCarpeta(strCarpeta) {}

    // Where the folder goes: a link to a folder stays a link, the folder it leads to is
    // the one replaced; a folder that is missing gets those above it.
    bool Destino() {
        m_strDestino = m_strCarpeta;
        while (m_strDestino.size() > 1 && m_strDestino.endsWith(QLatin1Char('/')))
            m_strDestino.chop(1);
        if (m_strDestino.isEmpty())
            return Fallo(Traducir("No se indicó la carpeta donde se debe escribir la fuente."));
        const int nEstado = Rutas::Estado(m_strDestino, m_st);
        m_bExiste = nEstado == 0;
        if (m_bExiste && !S_ISDIR(m_st.st_mode))
            return Fallo(QStringLiteral("%1 existe y no es una carpeta.").arg(m_strCarpeta));
        if (!m_bExiste && nEstado != ENOENT)
            return Fallo(CPractica::TextoError(nEstado, m_strCarpeta));
        if (m_bExiste) {
            if (char* psz = ::realpath(Rutas::Codificar(m_strDestino).constData(), nullptr)) {
                m_strDestino = Rutas::Decodificar(QByteArray(psz));
                ::free(psz);
            }
            if (m_strDestino == QLatin1String("/"))
                return Fallo(Traducir("No se puede sustituir la carpeta raíz por una fuente."));
        }
        const qsizetype nBarra = m_strDestino.lastIndexOf(QLatin1Char('/'));
        m_strPadre = nBarra < 0    ? QStringLiteral(".")
                     : nBarra == 0 ? QStringLiteral("/")
                                   : m_strDestino.left(nBarra);
        if (!m_bExiste) {
            if (const int nErrno = Rutas::CrearCarpetas(m_strPadre))
                return Fallo(Traducir("No se pudo crear la carpeta %1: %2")
                                 .arg(m_strPadre, CPractica::TextoError(nErrno, m_strPadre)));
        }
        return true;
    }

    // The files are made in a new folder beside the old one, so that the old one is not
    // touched until all of the new one is on the disk: a full disk, a quota or a cut
    // half-way leave the old source whole, never half old and half new.
    bool Nueva() {
        auto crear = [](const QString& strJunto, QString& strNueva) {
            int nErrno = EEXIST;
            for (int i = 0; i < 100 && nErrno == EEXIST; ++i) {
                strNueva = Rutas::NombreTemporal(strJunto, "exportando");
                nErrno = ::mkdir(Rutas::Codificar(strNueva).constData(), 0777) == 0 ? 0 : errno;
            }
            return nErrno;
        };
        // The folder this program runs in is not swapped away from under it (a shell in it
        // would find itself in a removed folder); nor can one be made beside a folder whose
        // parent is not writable. There the files are prepared inside the folder and each
        // is then renamed over its old copy: still nothing is touched until all are on the
        // disk.
        struct stat aqui {};
        m_bDentro = m_bExiste && ::stat(".", &aqui) == 0 && aqui.st_dev == m_st.st_dev &&
                    aqui.st_ino == m_st.st_ino;
        int nErrno =
            crear(m_bDentro ? m_strDestino + QStringLiteral("/fuente") : m_strDestino, m_strNueva);
        if (m_bExiste && !m_bDentro && (nErrno == EACCES || nErrno == EPERM || nErrno == EROFS)) {
            m_bDentro = true;
            nErrno = crear(m_strDestino + QStringLiteral("/fuente"), m_strNueva);
        }
        const QString& strDonde = m_bDentro ? m_strDestino : m_strPadre;
        if (nErrno != 0)
            return Fallo(nErrno == EACCES || nErrno == EPERM
                             ? Traducir("No se puede escribir la fuente en %1: no tiene permiso "
                                        "para escribir en la carpeta %2.")
                                   .arg(m_strCarpeta, strDonde)
                         : nErrno == EROFS
                             ? Traducir("No se puede escribir la fuente en %1: la carpeta %2 "
                                        "está en un disco de solo lectura.")
                                   .arg(m_strCarpeta, strDonde)
                             : CPractica::TextoError(nErrno, m_strCarpeta));
        if (m_bExiste)
            ::chmod(Rutas::Codificar(m_strNueva).constData(), m_st.st_mode & 07777);
        return true;
    }

    bool EscribirTodo() {
        for (auto it = m_archivos.cbegin(); it != m_archivos.cend(); ++it) {
            const int nErrno =
                Rutas::EscribirNuevo(m_strNueva + QLatin1Char('/') + it.key(),
                                     it.value().constData(), it.value().size(), 0666);
            if (nErrno != 0) {
                Retirar(m_strNueva, m_archivos);
                const QString strArchivo = m_strCarpeta + QLatin1Char('/') + it.key();
                return Fallo(m_bExiste
                                 ? Traducir("%1 La carpeta %2 queda como estaba.")
                                       .arg(CPractica::TextoError(nErrno, strArchivo), m_strCarpeta)
                                 : CPractica::TextoError(nErrno, strArchivo));
            }
        }
        Rutas::SincronizarCarpeta(m_strNueva);
        return true;
    }

    // The new files or the new folder take the old ones' place.
    bool Sustituir(QStringList* pavisos) {
        const QByteArray nueva = Rutas::Codificar(m_strNueva),
                         destino = Rutas::Codificar(m_strDestino);
        if (m_bDentro) {
            for (auto it = m_archivos.cbegin(); it != m_archivos.cend(); ++it)
                if (::rename(
                        Rutas::Codificar(m_strNueva + QLatin1Char('/') + it.key()).constData(),
                        Rutas::Codificar(m_strDestino + QLatin1Char('/') + it.key()).constData()) !=
                    0) {
                    const int nErrno = errno;
                    Retirar(m_strNueva, m_archivos);
                    return Fallo(
                        CPractica::TextoError(nErrno, m_strCarpeta + QLatin1Char('/') + it.key()));
                }
            ::rmdir(nueva.constData());
            Rutas::SincronizarCarpeta(m_strDestino);
            return true;
        }
        if (!m_bExiste) {
            if (::rename(nueva.constData(), destino.constData()) != 0) {
                const int nErrno = errno;
                Retirar(m_strNueva, m_archivos);
                return Fallo(CPractica::TextoError(nErrno, m_strCarpeta));
            }
            Rutas::SincronizarCarpeta(m_strPadre);
            return true;
        }
        if (!Intercambiar(nueva, destino))
            return false;
        Rutas::SincronizarCarpeta(m_strPadre);
        Recoger(pavisos);
        return true;
    }

    QString m_strError;

private:
    bool Fallo(const QString& s) {
        m_strError = s;
        return false;
    }

    // The two folders trade places in one step; where the file system cannot, the old one
    // steps aside first and comes back if the new one cannot take its place.
    bool Intercambiar(const QByteArray& nueva, const QByteArray& destino) {
        m_strVieja = m_strNueva;
        if (::renameat2(AT_FDCWD, nueva.constData(), AT_FDCWD, destino.constData(),
                        RENAME_EXCHANGE) == 0)
            return true;
        int nErrno = errno;
        if (nErrno == EINVAL || nErrno == ENOSYS) {
            m_strVieja = Rutas::NombreTemporal(m_strDestino, "anterior");
            const QByteArray vieja = Rutas::Codificar(m_strVieja);
            if (::rename(destino.constData(), vieja.constData()) != 0) {
                nErrno = errno;
            } else if (::rename(nueva.constData(), destino.constData()) == 0) {
                return true;
            } else {
                nErrno = errno;
                ::rename(vieja.constData(), destino.constData());
            }
        }
        Retirar(m_strNueva, m_archivos);
        return Fallo(Traducir("No se pudo sustituir la carpeta %1, que queda como estaba: %2")
                         .arg(m_strCarpeta, CPractica::TextoError(nErrno, m_strCarpeta)));
    }

    // What else the old folder held (a shared table of components, notes of the teacher's
    // own, a repository) goes on living in the folder; the old copies of the files written
    // go with the old folder.
    void Recoger(QStringList* pavisos) {
        QStringList otros;
        Rutas::Listar(m_strVieja, otros);
        bool bQuedan = false;
        for (const QString& s : otros) {
            if (m_archivos.contains(s))
                continue;
            if (::rename(Rutas::Codificar(m_strVieja + QLatin1Char('/') + s).constData(),
                         Rutas::Codificar(m_strDestino + QLatin1Char('/') + s).constData()) != 0)
                bQuedan = true;
        }
        if ((bQuedan || !Retirar(m_strVieja, m_archivos)) && pavisos)
            *pavisos << Traducir("la carpeta anterior se ha conservado en %1, con lo que no se "
                                 "pudo pasar a la nueva.")
                            .arg(m_strVieja);
    }

    const Archivos& m_archivos;
    const QString m_strCarpeta;
    QString m_strDestino, m_strPadre, m_strNueva, m_strVieja;
    struct stat m_st {};
    bool m_bExiste = false, m_bDentro = false;
};

} // namespace

bool EscribirCarpeta(const Archivos& archivos, const QString& strCarpeta, QString* pstrError,
                     QStringList* pavisos) {
    Sustitucion s(archivos, strCarpeta);
    if (s.Destino() && s.Nueva() && s.EscribirTodo() && s.Sustituir(pavisos))
        return true;
    if (pstrError)
        *pstrError = s.m_strError;
    return false;
}

} // namespace Fuente
