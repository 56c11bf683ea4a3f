// alkor-cli: the practice files from a terminal. Writes the built-in templates and a new
// practice, shows what a practice holds, fast-forwards its simulation, checks that it runs,
// tries a mixture of its reagents in one vessel, and turns practices into their readable
// source and back — on the same code the program runs.
#include "document/Calificacion.h"
#include "document/Comprobacion.h"
#include "document/Fuente.h"
#include "document/Plantillas.h"
#include "document/Practica.h"
#include "document/Registro.h"
#include "document/Rutas.h"
#include "equipment/Calentador.h"
#include "equipment/Conversiones.h"
#include "equipment/Instrumentos.h"
#include "equipment/ListaEquipo.h"
#include "equipment/Recipiente.h"
#include "equipment/TablaContenido.h"
#include "model/AcidoBase.h"
#include "model/Catalogo.h"

#include <QCommandLineOption>
#include <QCommandLineParser>
#include <QCoreApplication>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QString>
#include <QStringList>

#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <iostream>
#include <memory>
#include <optional>
#include <vector>

namespace {

enum : int { SALIDA_OK = 0, SALIDA_USO = 1, SALIDA_ARCHIVO = 2, SALIDA_PROBLEMAS = 3 };

// The most steps a run may ask for: more than eleven days of the bench at its 100 ms tick,
// and already hours of computing on a busy bench. A typing slip of a few more digits is
// refused instead of running for ever.
constexpr long kMaximoPasos = 10'000'000;
// «ensayar» without --pasos: five seconds of the bench, enough for what is added to
// dissolve and react.
constexpr long kPasosEnsayo = 50;
// The thermostatic bath of «ensayar» is one of water: from its freezing point to its boiling
// point at normal pressure, 0 and 100 °C to the degree (CRC Handbook).
constexpr double kBanoMinimo = 0.0;
constexpr double kBanoMaximo = 100.0;

const char* const kAyuda =
    "Uso: alkor-cli ORDEN [ARGUMENTOS]\n"
    "\n"
    "Herramienta de línea de órdenes de Alkor para las prácticas guardadas.\n"
    "\n"
    "Órdenes:\n"
    "  plantilla NUM SALIDA     escribe la plantilla integrada NUM (900 a 922) en SALIDA\n"
    "  nueva SALIDA             escribe la práctica con la que arranca el programa\n"
    "                           (\"Nueva\", catálogo integrado, mesa vacía)\n"
    "  info ARCHIVO [--json]    muestra el nombre, el resumen, las opciones, el catálogo y\n"
    "                           cada equipo de la mesa con su contenido o su lectura\n"
    "  simular ARCHIVO --pasos N [--salida OTRO] [--json]\n"
    "                           lee una práctica (o una plantilla), avanza N pasos de\n"
    "                           simulación como el reloj de la mesa, la muestra como\n"
    "                           «info» y, con --salida, la guarda en OTRO\n"
    "  comprobar ARCHIVO [--pasos N] [--json]\n"
    "                           comprueba el catálogo y la mesa, avanza N pasos (600 si no\n"
    "                           se indica) vigilando cantidades no finitas o negativas y\n"
    "                           recipientes desbordados, y muestra las lecturas finales\n"
    "                           N va de 0 a 10000000 (un paso es una décima de segundo de\n"
    "                           la mesa); en un terminal, las series largas muestran su\n"
    "                           avance en la salida de errores\n"
    "  exportar ARCHIVO CARPETA escribe la fuente legible de una práctica o plantilla:\n"
    "                           practica.txt y las notas en marco.rtf, procedimiento.rtf\n"
    "                           y resultados.rtf; una CARPETA que ya existe se sustituye\n"
    "                           entera, y solo cuando todo se ha escrito (los demás\n"
    "                           archivos que tuviera se conservan)\n"
    "  compilar CARPETA SALIDA  convierte una fuente en plantilla (SALIDA .akp, sin mesa)\n"
    "                           o en práctica guardada (SALIDA .uak1, con mesa)\n"
    "  registro ARCHIVO [--csv] [--json]\n"
    "                           muestra el registro de datos guardado con la práctica:\n"
    "                           sus series con su unidad y sus lecturas; con --csv, la\n"
    "                           tabla separada por comas con punto decimal\n"
    "  ensayar PRACTICA ENTRADA... [--pasos N] [--temperatura T] [--json]\n"
    "                           pone por orden en un recipiente, el menor vaso o matraz\n"
    "                           en que cabe todo, cada ENTRADA: agua=ML, NOMBRE=CANTIDAD\n"
    "                           (un reactivo de la práctica, en ml si es líquido y en g\n"
    "                           si es sólido; coma o punto decimal) o indicador=NOMBRE;\n"
    "                           con termómetro, pHmetro y conductímetro, avanza N pasos\n"
    "                           (50 si no se indica) y muestra las lecturas y el\n"
    "                           contenido. PRACTICA es un archivo o el número de una\n"
    "                           plantilla integrada; no se escribe nada\n"
    "\n"
    "Opciones:\n"
    "  --temperatura T          con «ensayar», un baño termostático a T °C (de 0 a 100):\n"
    "                           el recipiente empieza a T y vuelve a T tras cada paso\n"
    "  --csv NOTAS              con «calificar», escribe la tabla de notas en NOTAS\n"
    "  --json                   la salida es un objeto JSON\n"
    "  --help, -h               muestra esta ayuda\n"
    "\n"
    "Estado de salida: 0 correcto, 1 error de uso, 2 archivo que no se pudo leer o escribir\n"
    "(o fuente con errores), 3 la comprobación encontró problemas.\n";

QString Tr(const char* psz) {
    return QCoreApplication::translate("alkor-cli", psz);
}

// Messages name files as they were typed: the bytes of a name go back out unchanged, in
// whatever encoding the terminal has.
void Aviso(const QString& s) {
    std::fprintf(stderr, "alkor-cli: %s\n", Rutas::Codificar(s).constData());
}

int ErrorUso(const QString& s) {
    Aviso(s);
    std::fputs("Pruebe «alkor-cli --help».\n", stderr);
    return SALIDA_USO;
}

int ErrorArchivo(const QString& s) {
    Aviso(s);
    return SALIDA_ARCHIVO;
}

// An argument that names a file or a folder may not be empty (a variable left unset).
bool Vacio(const QString& strValor, const char* pszNombre, int& nSalida) {
    if (!strValor.isEmpty())
        return false;
    nSalida =
        ErrorUso(Tr("el argumento %1 está vacío: indique una ruta.").arg(QLatin1String(pszNombre)));
    return true;
}

// "--pasos N": a whole number from 0 to kMaximoPasos.
bool LeerPasos(const QString& s, long& nPasos, int& nSalida) {
    bool bOk = false;
    const qlonglong n = s.toLongLong(&bOk);
    if (bOk && n >= 0 && n <= kMaximoPasos) {
        nPasos = static_cast<long>(n);
        return true;
    }
    nSalida = ErrorUso(
        Tr("--pasos necesita un número entero de 0 a %1; «%2» no lo es.").arg(kMaximoPasos).arg(s));
    return false;
}

// A decimal number as a teacher types it, with a point or a comma ("12.5", "12,5").
std::optional<double> LeerDecimal(const QString& s) {
    QString t = s.trimmed();
    t.replace(QLatin1Char(','), QLatin1Char('.'));
    bool bOk = false;
    const double d = t.toDouble(&bOk);
    if (!bOk || !std::isfinite(d))
        return std::nullopt;
    return d;
}

// "--temperatura T": degrees Celsius the bath can hold.
bool LeerTemperatura(const QString& s, double& dTemperatura, int& nSalida) {
    const std::optional<double> d = LeerDecimal(s);
    if (d && *d >= kBanoMinimo && *d <= kBanoMaximo) {
        dTemperatura = *d;
        return true;
    }
    nSalida = ErrorUso(
        Tr("--temperatura necesita los grados Celsius del baño, un número de %1 a %2; «%3» "
           "no lo es.")
            .arg(kBanoMinimo)
            .arg(kBanoMaximo)
            .arg(s));
    return false;
}

// The orders: how many operands each takes, which options, and what it says when operands
// are missing.
struct COrdenUso {
    const char* pszNombre;
    qsizetype nOperandos;
    bool bPasos;        // takes --pasos
    bool bPasosForzoso; // cannot run without it
    bool bSalida;       // takes --salida
    const char* pszFalta;
    bool bTemperatura = false;  // takes --temperatura
    bool bMasOperandos = false; // nOperandos is the least it takes
    bool bCsv = false;          // takes --csv
};

constexpr COrdenUso kOrdenes[] = {
    {"plantilla", 2, false, false, false,
     QT_TRANSLATE_NOOP("alkor-cli", "«plantilla» necesita NUM y SALIDA.")},
    {"nueva", 1, false, false, false, QT_TRANSLATE_NOOP("alkor-cli", "«nueva» necesita SALIDA.")},
    {"info", 1, false, false, false, QT_TRANSLATE_NOOP("alkor-cli", "«info» necesita ARCHIVO.")},
    {"simular", 1, true, true, true,
     QT_TRANSLATE_NOOP("alkor-cli", "«simular» necesita ARCHIVO y --pasos N.")},
    {"comprobar", 1, true, false, false,
     QT_TRANSLATE_NOOP("alkor-cli", "«comprobar» necesita ARCHIVO.")},
    {"exportar", 2, false, false, false,
     QT_TRANSLATE_NOOP("alkor-cli", "«exportar» necesita ARCHIVO y CARPETA.")},
    {"compilar", 2, false, false, false,
     QT_TRANSLATE_NOOP("alkor-cli", "«compilar» necesita CARPETA y SALIDA.")},
    {"registro", 1, false, false, false,
     QT_TRANSLATE_NOOP("alkor-cli", "«registro» necesita ARCHIVO."), false, false, true},
    {"ensayar", 2, true, false, false,
     QT_TRANSLATE_NOOP("alkor-cli", "«ensayar» necesita PRACTICA y al menos una ENTRADA."), true,
     true},
    {"repartir", 2, false, false, false,
     QT_TRANSLATE_NOOP("alkor-cli", "«repartir» necesita PRACTICA y SALIDA.")},
    {"calificar", 2, false, false, false,
     QT_TRANSLATE_NOOP("alkor-cli", "«calificar» necesita PRACTICA y CARPETA."), false, false,
     true},
};

// A command line, read: the order, its operands and the options given.
struct CLinea {
    QString strOrden;
    QStringList operandos;
    bool bJson = false;
    bool bCsv = false;
    std::optional<long> nPasos;
    std::optional<QString> strSalida;
    std::optional<double> dTemperatura;
    std::optional<QString> strCsv;
};

// The first argument Qt's parser refused, as it was typed: an option no order has, a flag
// given a value, or an option left without its value at the end.
QString ArgumentoRechazado(const QStringList& args) {
    for (qsizetype i = 1; i < args.size(); ++i) {
        const QString& a = args[i];
        if (a == QLatin1String("--"))
            break;
        if (!a.startsWith(QLatin1Char('-')) || a.size() == 1)
            continue;
        const QString strCuerpo = a.mid(a.startsWith(QLatin1String("--")) ? 2 : 1);
        const bool bIgual = strCuerpo.contains(QLatin1Char('='));
        const QString strNombre = strCuerpo.section(QLatin1Char('='), 0, 0);
        if (strNombre == QLatin1String("pasos") || strNombre == QLatin1String("salida") ||
            strNombre == QLatin1String("temperatura") || strNombre == QLatin1String("csv")) {
            if (!bIgual && ++i == args.size())
                return a;
        } else if (bIgual ||
                   (strNombre != QLatin1String("json") && strNombre != QLatin1String("csv") &&
                    strNombre != QLatin1String("h") && strNombre != QLatin1String("help"))) {
            return a;
        }
    }
    return args.last();
}

// Reads the command line through Qt's parser: -1 when the order is to run, otherwise the
// exit status (the help was shown, or what is wrong was told).
int LeerLinea(int argc, char** argv, CLinea& l) {
    QStringList args{QStringLiteral("alkor-cli")};
    // Taken byte for byte: a file name that is not UTF-8 must reach the file system as typed.
    for (int i = 1; i < argc; ++i)
        args << Rutas::Decodificar(QByteArray(argv[i]));
    if (args.size() == 1)
        return ErrorUso(Tr("falta la orden."));
    // The help wins wherever it stands, whatever else the line holds.
    if (args.contains(QStringLiteral("--help")) || args.contains(QStringLiteral("-h"))) {
        std::cout << kAyuda;
        return SALIDA_OK;
    }
    QCommandLineParser parser;
    // A word after one dash is an option's name ("-h"), not a run of one-letter options.
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    const QCommandLineOption ayuda(QStringList{QStringLiteral("h"), QStringLiteral("help")});
    const QCommandLineOption json(QStringLiteral("json"));
    const QCommandLineOption pasos(QStringLiteral("pasos"), QString(), QStringLiteral("N"));
    const QCommandLineOption salida(QStringLiteral("salida"), QString(), QStringLiteral("OTRO"));
    const QCommandLineOption temperatura(QStringLiteral("temperatura"), QString(),
                                         QStringLiteral("T"));
    // «calificar» writes its table to the file --csv names; «registro» prints its table
    // with a bare --csv, which is read as the value "-" (the standard output).
    const QCommandLineOption csv(QStringLiteral("csv"), QString(), QStringLiteral("NOTAS"));
    parser.addOptions({ayuda, json, pasos, salida, temperatura, csv});
    if (args.contains(QStringLiteral("registro")))
        for (QString& a : args)
            if (a == QLatin1String("--csv") || a == QLatin1String("-csv"))
                a = QStringLiteral("--csv=-");
    if (!parser.parse(args))
        return ErrorUso(Tr("argumento no válido: %1").arg(ArgumentoRechazado(args)));

    l.operandos = parser.positionalArguments();
    if (l.operandos.isEmpty())
        return ErrorUso(Tr("falta la orden."));
    l.strOrden = l.operandos.takeFirst();
    const COrdenUso* pUso = nullptr;
    for (const COrdenUso& u : kOrdenes)
        if (l.strOrden == QLatin1String(u.pszNombre))
            pUso = &u;
    if (!pUso)
        return ErrorUso(Tr("orden desconocida: %1").arg(l.strOrden));
    if (parser.isSet(pasos) && !pUso->bPasos)
        return ErrorUso(Tr("argumento no válido: %1").arg(QStringLiteral("--pasos")));
    if (parser.isSet(salida) && !pUso->bSalida)
        return ErrorUso(Tr("argumento no válido: %1").arg(QStringLiteral("--salida")));
    if (parser.isSet(temperatura) && !pUso->bTemperatura)
        return ErrorUso(Tr("argumento no válido: %1").arg(QStringLiteral("--temperatura")));
    if (parser.isSet(csv) && !pUso->bCsv)
        return ErrorUso(Tr("argumento no válido: %1").arg(QStringLiteral("--csv")));
    // Every count given is checked; the last one counts.
    for (const QString& s : parser.values(pasos)) {
        long n = 0;
        int nSalida = SALIDA_OK;
        if (!LeerPasos(s, n, nSalida))
            return nSalida;
        l.nPasos = n;
    }
    // The same for the bath's temperature.
    for (const QString& s : parser.values(temperatura)) {
        double d = 0.0;
        int nSalida = SALIDA_OK;
        if (!LeerTemperatura(s, d, nSalida))
            return nSalida;
        l.dTemperatura = d;
    }
    // An order with options of its own names a stray operand; the others say what they need.
    if (pUso->bMasOperandos) {
        if (l.operandos.size() < pUso->nOperandos)
            return ErrorUso(Tr(pUso->pszFalta));
    } else {
        if (pUso->bPasos && l.operandos.size() > pUso->nOperandos)
            return ErrorUso(Tr("argumento no válido: %1").arg(l.operandos[pUso->nOperandos]));
        if (l.operandos.size() != pUso->nOperandos || (pUso->bPasosForzoso && !l.nPasos))
            return ErrorUso(Tr(pUso->pszFalta));
    }
    l.bJson = parser.isSet(json);
    if (l.strOrden == QLatin1String("registro")) {
        l.bCsv = parser.isSet(csv);
        if (l.bCsv && parser.value(csv) != QLatin1String("-"))
            return ErrorUso(Tr("argumento no válido: %1").arg(parser.value(csv)));
    }
    if (parser.isSet(salida)) {
        l.strSalida = parser.value(salida);
        int nSalida = SALIDA_OK;
        if (Vacio(*l.strSalida, "--salida", nSalida))
            return nSalida;
    }
    if (parser.isSet(csv) && !l.bCsv) {
        l.strCsv = parser.value(csv);
        int nSalida = SALIDA_OK;
        if (Vacio(*l.strCsv, "--csv", nSalida))
            return nSalida;
    }
    return -1;
}

// How far a long run has gone, on the terminal only: a script or a test that reads stderr
// sees nothing of it. Shown after the first second, a few times a second, and wiped at the end.
class CAvance {
public:
    explicit CAvance(long nTotal)
        : m_nTotal(nTotal), m_bTerminal(::isatty(STDERR_FILENO) == 1),
          m_inicio(std::chrono::steady_clock::now()), m_ultimo(m_inicio) {}
    ~CAvance() {
        if (m_bMostrado)
            std::fputs("\r\x1b[K", stderr);
    }
    void Paso(long n) {
        if (!m_bTerminal || (n & 255) != 0)
            return;
        const auto ahora = std::chrono::steady_clock::now();
        if (ahora - m_inicio < std::chrono::seconds(1) ||
            ahora - m_ultimo < std::chrono::milliseconds(250))
            return;
        m_ultimo = ahora;
        m_bMostrado = true;
        const QString s =
            Tr("paso %1 de %2 (%3 %)")
                .arg(n)
                .arg(m_nTotal)
                .arg(100.0 * static_cast<double>(n) / static_cast<double>(m_nTotal), 0, 'f', 0);
        std::fprintf(stderr, "\ralkor-cli: %s\x1b[K", s.toUtf8().constData());
        std::fflush(stderr);
    }

private:
    long m_nTotal;
    bool m_bTerminal, m_bMostrado = false;
    std::chrono::steady_clock::time_point m_inicio, m_ultimo;
};

// Opens a saved practice or, when the file is not one, a template.
int Abrir(CPractica& practica, const QString& strRuta) {
    int nSalida = SALIDA_OK;
    if (Vacio(strRuta, "ARCHIVO", nSalida))
        return nSalida;
    QString strError;
    // Read once, by the program's own reader: only a regular file, and never more than a
    // practice can be.
    std::vector<uint8_t> datos;
    CPractica::Resultado r = CPractica::LeerArchivo(strRuta, datos, &strError);
    if (r == CPractica::Resultado::Correcto) {
        r = CPractica::EsPractica(datos) ? practica.LeerPractica(datos, strRuta, &strError)
                                         : practica.LeerPlantilla(datos, strRuta, &strError);
    }
    if (r == CPractica::Resultado::NoExiste)
        return ErrorArchivo(QStringLiteral("No se encontró %1.").arg(strRuta));
    if (r == CPractica::Resultado::Error)
        return ErrorArchivo(strError.contains(strRuta) ? strError
                                                       : strRuta + QStringLiteral(": ") + strError);
    return SALIDA_OK;
}

QString NombreCategoria(int32_t n) {
    switch (n) {
    case CATEGORIA_RECIPIENTE:
        return QStringLiteral("recipiente");
    case CATEGORIA_CALENTADOR:
        return QStringLiteral("calentador");
    default:
        return QStringLiteral("instrumento");
    }
}

QJsonArray EntradasJson(const CSeno& seno, int32_t nFase) {
    QJsonArray v;
    for (const CEntradaFase& e : seno.Contenido(nFase)) {
        const CComponentes* c = seno.Cat().Componente(e.m_nComponente);
        if (!c)
            continue;
        v.append(QJsonObject{{QStringLiteral("formula"), Q(c->m_strFormula)},
                             {QStringLiteral("moles"), e.m_dMoles},
                             {QStringLiteral("gramos"), e.m_dGramos},
                             {QStringLiteral("ml"), e.m_dMl},
                             {QStringLiteral("cation"), e.m_dMolesCation},
                             {QStringLiteral("anion"), e.m_dMolesAnion}});
    }
    return v;
}

QJsonObject JsonRegistro(const CRegistro& g) {
    QJsonArray tiempos, series;
    for (double t : g.m_tiempos)
        tiempos.append(t);
    for (const CSerieRegistro& s : g.m_series) {
        QJsonArray valores;
        for (double d : s.m_valores)
            valores.append(d);
        series.append(QJsonObject{{QStringLiteral("nombre"), Q(s.m_strNombre)},
                                  {QStringLiteral("unidad"), Q(s.m_strUnidad)},
                                  {QStringLiteral("tipo"), s.m_nTipo},
                                  {QStringLiteral("primera_fila"), s.m_nPrimera},
                                  {QStringLiteral("valores"), valores}});
    }
    QJsonArray tipos;
    for (int32_t t : g.m_automatico.m_tipos)
        tipos.append(t);
    return QJsonObject{{QStringLiteral("intervalo"), g.m_dIntervalo},
                       {QStringLiteral("tiempo"), g.m_dTiempo},
                       {QStringLiteral("tiempos"), tiempos},
                       {QStringLiteral("series"), series},
                       {QStringLiteral("automatico"), tipos}};
}

QJsonObject Json(const CPractica& p) {
    QJsonArray componentes, reactivos, indicadores, equipo;
    const CCatalogo& cat = p.m_catalogo;
    for (const CComponentes& c : cat.m_componentes)
        componentes.append(Q(c.m_strNombre));
    for (const CReactivos& r : cat.m_reactivos)
        reactivos.append(Q(r.m_strNombre));
    for (const CIndicadores& i : cat.m_indicadores)
        indicadores.append(Q(i.m_strNombre));
    for (CEquipo* e : p.m_listaEquipo) {
        QJsonObject o{{QStringLiteral("tipo"), e->m_nTipo},
                      {QStringLiteral("nombre"), Q(e->m_strNombre)},
                      {QStringLiteral("x"), e->m_x},
                      {QStringLiteral("y"), e->m_y},
                      {QStringLiteral("categoria"), NombreCategoria(e->m_nCategoria)}};
        if (CRecipiente* r = e->Recipiente()) {
            const double ph = r->PH();
            o.insert(QStringLiteral("volumen"), r->VolumenLiquido());
            o.insert(QStringLiteral("temperatura"), r->Temperatura());
            o.insert(QStringLiteral("ph"), !AcidoBase::HayPH(ph) ? QJsonValue() : QJsonValue(ph));
            o.insert(
                QStringLiteral("fases"),
                QJsonObject{{QStringLiteral("liquida"), EntradasJson(r->m_seno, ESTADO_LIQUIDO)},
                            {QStringLiteral("solida"), EntradasJson(r->m_seno, ESTADO_SOLIDO)},
                            {QStringLiteral("gaseosa"), EntradasJson(r->m_seno, ESTADO_GAS)}});
        }
        if (const std::optional<CLectura> l = e->Lectura())
            o.insert(QStringLiteral("lectura"), l->m_dValor);
        equipo.append(o);
    }
    QJsonObject o{{QStringLiteral("nombre"), Q(p.m_strPractica)},
                  {QStringLiteral("resumen"), Q(p.m_strResumen)},
                  {QStringLiteral("velocidad"), p.m_bVelocidad != 0},
                  {QStringLiteral("propiedades"), p.m_bPropiedades != 0},
                  {QStringLiteral("catalogo"),
                   QJsonObject{{QStringLiteral("componentes"), componentes},
                               {QStringLiteral("reactivos"), reactivos},
                               {QStringLiteral("indicadores"), indicadores},
                               {QStringLiteral("reacciones"), cat.NumReacciones()}}},
                  {QStringLiteral("equipo"), equipo}};
    // Only a practice that has a log says so: the others print as they always did.
    if (!p.m_registro.Vacio() || !p.m_registro.m_automatico.Vacio())
        o.insert(QStringLiteral("registro"), JsonRegistro(p.m_registro));
    return o;
}

void Texto(const CPractica& p) {
    auto linea = [](const QString& s) { std::cout << s.toStdString() << '\n'; };
    linea(QStringLiteral("Práctica: %1").arg(Q(p.m_strPractica)));
    linea(QStringLiteral("Resumen: %1").arg(Q(p.m_strResumen)));
    linea(QStringLiteral("Velocidad ajustable: %1   Propiedades: %2")
              .arg(p.m_bVelocidad ? "sí" : "no", p.m_bPropiedades ? "sí" : "no"));
    const CCatalogo& cat = p.m_catalogo;
    QStringList l;
    for (const CComponentes& c : cat.m_componentes)
        l << Q(c.m_strNombre);
    linea(QStringLiteral("Componentes (%1): %2").arg(cat.NumComponentes()).arg(l.join(", ")));
    l.clear();
    for (const CReactivos& r : cat.m_reactivos)
        l << Q(r.m_strNombre);
    linea(QStringLiteral("Reactivos (%1): %2").arg(cat.NumReactivos()).arg(l.join(", ")));
    l.clear();
    for (const CIndicadores& i : cat.m_indicadores)
        l << Q(i.m_strNombre);
    linea(QStringLiteral("Indicadores (%1): %2").arg(cat.NumIndicadores()).arg(l.join(", ")));
    linea(QStringLiteral("Reacciones: %1").arg(cat.NumReacciones()));
    linea(QStringLiteral("Equipo en la mesa: %1").arg(p.m_listaEquipo.size()));
    for (CEquipo* e : p.m_listaEquipo) {
        linea(QStringLiteral("  [%1] %2 en (%3, %4)")
                  .arg(e->m_nTipo)
                  .arg(Q(e->m_strNombre))
                  .arg(e->m_x)
                  .arg(e->m_y));
        if (CRecipiente* r = e->Recipiente()) {
            const double ph = r->PH();
            linea(QStringLiteral("      Volumen: %1 ml   Temperatura: %2 °C   pH: %3")
                      .arg(r->VolumenLiquido(), 0, 'f', 2)
                      .arg(r->Temperatura(), 0, 'f', 2)
                      .arg(!AcidoBase::HayPH(ph) ? QStringLiteral("--")
                                                 : QString::number(ph, 'f', 2)));
            for (const CRenglon& k : TablaContenido::Renglones(r->m_seno, true))
                linea(QStringLiteral("      %1 %2 %3 %4 %5 %6")
                          .arg(k.m_strTexto[0], -14)
                          .arg(k.m_strTexto[1], 10)
                          .arg(k.m_strTexto[2], 10)
                          .arg(k.m_strTexto[3], -12)
                          .arg(k.m_strTexto[4], 10)
                          .arg(k.m_strTexto[5]));
        }
        if (const std::optional<CLectura> l = e->Lectura())
            linea(QStringLiteral("      Lectura: %1").arg(l->m_dValor, 0, 'f', 4));
    }
}

void Mostrar(const CPractica& p, bool bJson) {
    if (bJson)
        std::cout << QJsonDocument(Json(p)).toJson(QJsonDocument::Indented).toStdString();
    else
        Texto(p);
}

QJsonObject Json(const Comprobacion::Resultado& r, const QString& strArchivo) {
    QJsonArray problemas, lecturas;
    for (const Comprobacion::Problema& p : r.m_problemas)
        problemas.append(QJsonObject{{QStringLiteral("paso"), static_cast<qint64>(p.m_nPaso)},
                                     {QStringLiteral("donde"), p.m_strDonde},
                                     {QStringLiteral("texto"), p.m_strTexto}});
    for (const Comprobacion::Lectura& l : r.m_lecturas)
        lecturas.append(QJsonObject{{QStringLiteral("equipo"), l.m_nEquipo},
                                    {QStringLiteral("tipo"), l.m_nTipo},
                                    {QStringLiteral("nombre"), l.m_strNombre},
                                    {QStringLiteral("lectura"), l.m_dValor},
                                    {QStringLiteral("unidad"), l.m_strUnidad}});
    return QJsonObject{{QStringLiteral("archivo"), strArchivo},
                       {QStringLiteral("pasos"), static_cast<qint64>(r.m_nPasos)},
                       {QStringLiteral("correcta"), r.Correcta()},
                       {QStringLiteral("problemas"), problemas},
                       {QStringLiteral("lecturas"), lecturas}};
}

// Writes the source of a practice or template into the folder, which is replaced whole or
// not at all.
int Exportar(const QString& strArchivo, const QString& strCarpeta) {
    int nSalida = SALIDA_OK;
    if (Vacio(strArchivo, "ARCHIVO", nSalida) || Vacio(strCarpeta, "CARPETA", nSalida))
        return nSalida;
    QString strError;
    std::vector<uint8_t> datos;
    const CPractica::Resultado r = CPractica::LeerArchivo(strArchivo, datos, &strError);
    if (r == CPractica::Resultado::NoExiste)
        return ErrorArchivo(QStringLiteral("No se encontró %1.").arg(strArchivo));
    if (r == CPractica::Resultado::Error)
        return ErrorArchivo(strError);
    Fuente::Archivos archivos;
    if (!Fuente::Exportar(datos, strArchivo, archivos, &strError))
        return ErrorArchivo(strError.contains(strArchivo)
                                ? strError
                                : strArchivo + QStringLiteral(": ") + strError);
    QStringList avisos;
    const bool bOk = Fuente::EscribirCarpeta(archivos, strCarpeta, &strError, &avisos);
    for (const QString& s : avisos)
        Aviso(Tr("aviso: %1").arg(s));
    return bOk ? SALIDA_OK : ErrorArchivo(strError);
}

// Compiles the source in the folder; the output's extension says which kind of file.
int Compilar(const QString& strCarpeta, const QString& strSalida) {
    int nSalida = SALIDA_OK;
    if (Vacio(strCarpeta, "CARPETA", nSalida) || Vacio(strSalida, "SALIDA", nSalida))
        return nSalida;
    Fuente::Tipo tipo;
    if (strSalida.endsWith(QLatin1String(".akp"), Qt::CaseInsensitive))
        tipo = Fuente::Tipo::Plantilla;
    else if (strSalida.endsWith(QLatin1String(".uak1"), Qt::CaseInsensitive))
        tipo = Fuente::Tipo::Practica;
    else
        return ErrorUso(QStringLiteral("SALIDA debe terminar en .akp (plantilla) o .uak1 "
                                       "(práctica guardada)."));
    QString strError;
    QStringList avisos;
    Fuente::Mapa mapa;
    const QByteArray bytes = Fuente::CompilarCarpeta(strCarpeta, tipo, &strError, &avisos, &mapa);
    for (const QString& s : avisos)
        Aviso(Tr("aviso: %1").arg(s));
    if (bytes.isEmpty())
        return ErrorArchivo(strError);
    // What is written is a file the program opens: it is read back first.
    CPractica prueba;
    const std::vector<uint8_t> datos(bytes.begin(), bytes.end());
    const CPractica::Resultado r = tipo == Fuente::Tipo::Practica
                                       ? prueba.LeerPractica(datos, strSalida, &strError)
                                       : prueba.LeerPlantilla(datos, strSalida, &strError);
    if (r != CPractica::Resultado::Correcto)
        return ErrorArchivo(
            QStringLiteral("%1: el resultado no se podría abrir: %2").arg(strCarpeta, strError));
    if (CPractica::EscribirArchivo(strSalida, bytes.constData(), bytes.size(), &strError) !=
        CPractica::Resultado::Correcto)
        return ErrorArchivo(strError);
    // What the practice editor would not accept is told at its line of the source; the file
    // is written all the same (the program opens it, and a teacher may mean it, as a test of
    // a faulty practice does) and the exit status says so, as «comprobar» does.
    const QStringList problemas = Fuente::Revisar(prueba, mapa);
    for (const QString& s : problemas)
        Aviso(Tr("aviso: %1").arg(s));
    return problemas.isEmpty() ? SALIDA_OK : SALIDA_PROBLEMAS;
}

// «ensayar»: what goes into the vessel, in the order given.
struct CEntrada {
    enum class Tipo { Agua, Reactivo, Indicador };
    Tipo eTipo = Tipo::Agua;
    int32_t nIndice = 0;    // the reagent's or the indicator's place in the catalogue
    double dCantidad = 0.0; // ml of water or of a liquid reagent, g of a solid one
};

// The names of a catalogue table, for a message that says which there are.
template <class T> QString Nombres(const std::vector<T>& tabla) {
    QStringList l;
    for (const T& t : tabla)
        l << QStringLiteral("«%1»").arg(Q(t.m_strNombre));
    return l.join(QStringLiteral(", "));
}

// Reads one ENTRADA against the practice's catalogue: false, with the argument named and
// the status set, when it is not one.
bool LeerEntrada(const QString& strArg, const CCatalogo& cat, CEntrada& e, int& nSalida) {
    const QString strIndicador = QStringLiteral("indicador=");
    if (strArg.startsWith(strIndicador)) {
        const QString strNombre = strArg.mid(strIndicador.size());
        e.eTipo = CEntrada::Tipo::Indicador;
        e.nIndice = cat.BuscarIndicador(S(strNombre));
        if (e.nIndice < cat.NumIndicadores())
            return true;
        nSalida = ErrorUso(
            cat.m_indicadores.empty()
                ? Tr("la práctica no tiene el indicador «%1»: no tiene indicadores.").arg(strNombre)
                : Tr("la práctica no tiene el indicador «%1»; los suyos son: %2.")
                      .arg(strNombre, Nombres(cat.m_indicadores)));
        return false;
    }
    // The amount is after the last "=": a reagent's name may hold one.
    const qsizetype nIgual = strArg.lastIndexOf(QLatin1Char('='));
    if (nIgual <= 0) {
        nSalida = ErrorUso(Tr("argumento no válido: %1 (una entrada es agua=ML, NOMBRE=CANTIDAD "
                              "o indicador=NOMBRE)")
                               .arg(strArg));
        return false;
    }
    const QString strNombre = strArg.left(nIgual);
    const QString strCantidad = strArg.mid(nIgual + 1);
    if (strNombre == QLatin1String("agua")) {
        e.eTipo = CEntrada::Tipo::Agua;
        // Water is the catalogue's first component in every practice that runs.
        const CComponentes* c = cat.Componente(0);
        if (!c || c->m_strFormula != "H2O") {
            nSalida = ErrorUso(Tr("la práctica no tiene agua: su primer componente no es H2O."));
            return false;
        }
    } else {
        e.eTipo = CEntrada::Tipo::Reactivo;
        e.nIndice = cat.BuscarReactivo(S(strNombre));
        if (e.nIndice >= cat.NumReactivos()) {
            nSalida =
                ErrorUso(cat.m_reactivos.empty()
                             ? Tr("la práctica no tiene el reactivo «%1»: no tiene reactivos.")
                                   .arg(strNombre)
                             : Tr("la práctica no tiene el reactivo «%1»; los suyos son: %2.")
                                   .arg(strNombre, Nombres(cat.m_reactivos)));
            return false;
        }
    }
    const std::optional<double> d = LeerDecimal(strCantidad);
    if (!d || !(*d > 0.0)) {
        const CReactivos* r = cat.Reactivo(e.nIndice);
        const bool bGramos = e.eTipo == CEntrada::Tipo::Reactivo && r->m_nEstado != ESTADO_LIQUIDO;
        nSalida =
            ErrorUso(Tr("%1: la cantidad debe ser un número mayor que cero (%2, con punto o "
                        "coma decimal); «%3» no lo es.")
                         .arg(strArg, bGramos ? Tr("gramos") : Tr("mililitros"), strCantidad));
        return false;
    }
    e.dCantidad = *d;
    return true;
}

// Opens the practice of «ensayar»: a built-in template when it is a number, a file otherwise.
int AbrirEnsayo(CPractica& practica, const QString& strPractica) {
    bool bNumero = false;
    const int n = strPractica.toInt(&bNumero);
    if (!bNumero)
        return Abrir(practica, strPractica);
    if (!Plantillas::Incluida(n))
        return ErrorUso(Tr("la plantilla debe ser un número de %1 a %2 (un archivo de nombre "
                           "numérico se indica como ./%3).")
                            .arg(Plantillas::kPrimera)
                            .arg(Plantillas::kUltima)
                            .arg(strPractica));
    QString strError;
    const QByteArray bytes = Plantillas::Bytes(n, &strError);
    if (bytes.isEmpty())
        return ErrorArchivo(strError);
    const std::vector<uint8_t> datos(bytes.begin(), bytes.end());
    if (practica.LeerPlantilla(datos, QStringLiteral("%1.akp").arg(n), &strError) !=
        CPractica::Resultado::Correcto)
        return ErrorArchivo(strError);
    return SALIDA_OK;
}

// The bench of a trial: one vessel and the instruments that dip into it.
struct CEnsayo {
    std::unique_ptr<CListaEquipo> pMesa;
    CRecipiente* pVaso = nullptr;
    std::vector<CInstrumento*> instrumentos;
};

// The beakers and flasks of the equipment list, smallest first (a beaker before a flask of
// its size): the first that takes every entry, added as the bench's menu adds them, holds
// the trial. False, with the largest one's capacity, when not even that one does.
bool Llenar(const CCatalogo& cat, const std::vector<CEntrada>& entradas, CEnsayo& ensayo,
            double& dMayor) {
    struct CCandidato {
        TipoEquipo eTipo;
        double dCapacidad;
    };
    std::vector<CCandidato> candidatos;
    for (TipoEquipo t : {TipoEquipo::Vaso100, TipoEquipo::Vaso250, TipoEquipo::Vaso600,
                         TipoEquipo::Erlenmeyer100, TipoEquipo::Erlenmeyer250}) {
        const std::unique_ptr<CEquipo> e(CListaEquipo::CrearEquipo(static_cast<int32_t>(t)));
        if (e && e->Recipiente())
            candidatos.push_back({t, e->Recipiente()->m_dCapacidad});
    }
    std::stable_sort(
        candidatos.begin(), candidatos.end(),
        [](const CCandidato& a, const CCandidato& b) { return a.dCapacidad < b.dCapacidad; });
    dMayor = candidatos.empty() ? 0.0 : candidatos.back().dCapacidad;
    for (const CCandidato& k : candidatos) {
        auto pMesa = std::make_unique<CListaEquipo>(&cat);
        CEquipo* e = CListaEquipo::CrearEquipo(static_cast<int32_t>(k.eTipo));
        e->SetPosition(100, 100);
        pMesa->AgregarAlFinal(e);
        CRecipiente* v = e->Recipiente();
        bool bCabe = true;
        for (const CEntrada& en : entradas) {
            CArgumento a;
            a.m_nIndice = en.nIndice;
            a.m_dCantidad = en.dCantidad;
            const int nComando = en.eTipo == CEntrada::Tipo::Agua       ? ID_AGREGAR_AGUA
                                 : en.eTipo == CEntrada::Tipo::Reactivo ? ID_AGREGAR_REACTIVO
                                                                        : ID_AGREGAR_INDICADOR;
            if (v->Ejecutar(nComando, *pMesa, a) != ResultadoComando::Hecho) {
                bCabe = false;
                break;
            }
        }
        if (!bCabe)
            continue;
        // The instruments go in after the vessel, their probes at its middle, as a student
        // drops them into it: each tick the vessel steps first and they read it after.
        const QPoint ptCentro = v->m_rcArea.center();
        for (TipoEquipo t :
             {TipoEquipo::Termometro, TipoEquipo::PHmetro, TipoEquipo::Conductimetro}) {
            auto* i =
                static_cast<CInstrumento*>(CListaEquipo::CrearEquipo(static_cast<int32_t>(t)));
            i->SetPosition(ptCentro.x() - i->m_ptSonda.x(), ptCentro.y() - i->m_ptSonda.y());
            pMesa->AgregarAlFinal(i);
            ensayo.instrumentos.push_back(i);
        }
        ensayo.pMesa = std::move(pMesa);
        ensayo.pVaso = v;
        return true;
    }
    return false;
}

QString NombreFase(int32_t nFase) {
    switch (nFase) {
    case ESTADO_SOLIDO:
        return QStringLiteral("solida");
    case ESTADO_GAS:
        return QStringLiteral("gaseosa");
    default:
        return QStringLiteral("liquida");
    }
}

// The colour the contents show: the liquid's, or the solid's in a vessel with no liquid.
QString ColorContenido(const CSeno& seno) {
    const int32_t nFase =
        !seno.Tiene(ESTADO_LIQUIDO) && seno.Tiene(ESTADO_SOLIDO) ? ESTADO_SOLIDO : ESTADO_LIQUIDO;
    return ColorDe(seno.ColorDe(nFase).m_crColor).name(QColor::HexRgb).toUpper();
}

// What the instrument of the type reads; none when the trial has none of that type.
std::optional<double> LecturaDe(const CEnsayo& ensayo, TipoEquipo eTipo) {
    for (const CInstrumento* i : ensayo.instrumentos)
        if (i->m_nTipo == static_cast<int32_t>(eTipo))
            if (const std::optional<CLectura> l = i->Lectura())
                return l->m_dValor;
    return std::nullopt;
}

// A pH meter in a vessel with no water shows no number.
bool SinValor(const CInstrumento& i, const CLectura& l) {
    return i.m_nTipo == static_cast<int32_t>(TipoEquipo::PHmetro) && !AcidoBase::HayPH(l.m_dValor);
}

void MostrarEnsayo(const CPractica& practica, const CEnsayo& ensayo, long nPasos,
                   std::optional<double> dBano, bool bJson) {
    const CRecipiente& v = *ensayo.pVaso;
    const CSeno& seno = v.m_seno;
    const double dPH = LecturaDe(ensayo, TipoEquipo::PHmetro).value_or(AcidoBase::kSinPH);
    if (bJson) {
        QJsonArray lecturas, contenido;
        for (const CInstrumento* i : ensayo.instrumentos)
            if (const std::optional<CLectura> l = i->Lectura())
                lecturas.append(
                    QJsonObject{{QStringLiteral("nombre"), Q(i->m_strNombre)},
                                {QStringLiteral("lectura"),
                                 SinValor(*i, *l) ? QJsonValue() : QJsonValue(l->m_dValor)},
                                {QStringLiteral("unidad"), l->m_strUnidad}});
        for (int32_t nFase : {ESTADO_LIQUIDO, ESTADO_SOLIDO, ESTADO_GAS})
            for (const CEntradaFase& e : seno.Contenido(nFase)) {
                const CComponentes* c = seno.Cat().Componente(e.m_nComponente);
                if (!c)
                    continue;
                contenido.append(QJsonObject{{QStringLiteral("nombre"), Q(c->m_strNombre)},
                                             {QStringLiteral("formula"), Q(c->m_strFormula)},
                                             {QStringLiteral("fase"), NombreFase(nFase)},
                                             {QStringLiteral("moles"), e.m_dMoles},
                                             {QStringLiteral("gramos"), e.m_dGramos}});
            }
        const QJsonObject o{
            {QStringLiteral("practica"), Q(practica.m_strPractica)},
            {QStringLiteral("recipiente"), Q(v.m_strNombre)},
            {QStringLiteral("capacidad"), v.m_dCapacidad},
            {QStringLiteral("pasos"), static_cast<qint64>(nPasos)},
            {QStringLiteral("bano"), dBano ? QJsonValue(*dBano) : QJsonValue()},
            {QStringLiteral("temperatura"),
             LecturaDe(ensayo, TipoEquipo::Termometro).value_or(v.Temperatura())},
            {QStringLiteral("ph"), AcidoBase::HayPH(dPH) ? QJsonValue(dPH) : QJsonValue()},
            {QStringLiteral("conductividad"),
             LecturaDe(ensayo, TipoEquipo::Conductimetro).value_or(0.0)},
            {QStringLiteral("volumen"), v.VolumenLiquido()},
            {QStringLiteral("masa"), seno.Masa()},
            {QStringLiteral("color"), ColorContenido(seno)},
            {QStringLiteral("lecturas"), lecturas},
            {QStringLiteral("contenido"), contenido}};
        std::cout << QJsonDocument(o).toJson(QJsonDocument::Indented).toStdString();
        return;
    }
    auto linea = [](const QString& s) { std::cout << s.toStdString() << '\n'; };
    linea(Tr("Práctica: %1").arg(Q(practica.m_strPractica)));
    linea(Tr("Recipiente: %1").arg(Q(v.m_strNombre)));
    linea(Tr("Pasos simulados: %1").arg(nPasos));
    if (dBano)
        linea(Tr("Baño termostático: %1 °C").arg(*dBano, 0, 'f', 2));
    linea(Tr("Volumen: %1 ml   Masa: %2 g   Color: %3")
              .arg(v.VolumenLiquido(), 0, 'f', 2)
              .arg(seno.Masa(), 0, 'f', 2)
              .arg(ColorContenido(seno)));
    linea(Tr("Lecturas:"));
    for (const CInstrumento* i : ensayo.instrumentos) {
        const std::optional<CLectura> l = i->Lectura();
        if (!l)
            continue;
        linea(
            QStringLiteral("  %1: %2%3")
                .arg(Q(i->m_strNombre))
                .arg(SinValor(*i, *l) ? QStringLiteral("--") : QString::number(l->m_dValor, 'f', 4))
                .arg(l->m_strUnidad.isEmpty() ? QString() : QLatin1Char(' ') + l->m_strUnidad));
    }
    linea(Tr("Contenido:"));
    for (const CRenglon& k : TablaContenido::Renglones(seno, true))
        linea(QStringLiteral("  %1 %2 %3 %4 %5 %6")
                  .arg(k.m_strTexto[0], -14)
                  .arg(k.m_strTexto[1], 10)
                  .arg(k.m_strTexto[2], 10)
                  .arg(k.m_strTexto[3], -12)
                  .arg(k.m_strTexto[4], 10)
                  .arg(k.m_strTexto[5]));
}

// Mixes the entries in a vessel of their own bench, runs the bench's step over it (holding
// it at the bath's temperature when there is one) and shows what it reads and holds.
// Nothing is written but the report.
int Ensayar(const QStringList& args, long nPasos, std::optional<double> dBano, bool bJson) {
    CPractica practica;
    if (const int r = AbrirEnsayo(practica, args[0]))
        return r;
    const CCatalogo& cat = practica.m_catalogo;
    std::vector<CEntrada> entradas;
    for (qsizetype k = 1; k < args.size(); ++k) {
        CEntrada e;
        int nSalida = SALIDA_OK;
        if (!LeerEntrada(args[k], cat, e, nSalida))
            return nSalida;
        entradas.push_back(e);
    }
    CEnsayo ensayo;
    double dMayor = 0.0;
    if (!Llenar(cat, entradas, ensayo, dMayor))
        return ErrorUso(Tr("todo junto no cabe en ningún vaso ni matraz de la lista de equipo "
                           "(el mayor es de %1 ml).")
                            .arg(dMayor, 0, 'f', 0));
    CSeno& seno = ensayo.pVaso->m_seno;
    // The bath is the vessel's surroundings: it starts at its temperature, and is brought
    // back to it after every tick, whatever a reaction's heat did.
    auto banar = [&] {
        if (dBano) {
            seno.m_dTemperaturaAmbiente = *dBano;
            seno.m_dTemperatura = *dBano;
        }
    };
    banar();
    {
        CAvance avance(nPasos);
        for (long i = 1; i <= nPasos; ++i) {
            ensayo.pMesa->PasoSimulacion();
            banar();
            avance.Paso(i);
        }
    }
    // The displays show the vessel as it is left (the bath's last word included, and the
    // mixture as it was made when no tick ran).
    for (CInstrumento* i : ensayo.instrumentos)
        i->Attach(ensayo.pVaso);
    MostrarEnsayo(practica, ensayo, nPasos, dBano, bJson);
    return SALIDA_OK;
}

int Guardar(CPractica& p, const QString& strRuta) {
    int nSalida = SALIDA_OK;
    if (Vacio(strRuta, "SALIDA", nSalida))
        return nSalida;
    QString strError;
    if (p.GuardarPractica(strRuta, &strError) != CPractica::Resultado::Correcto)
        return ErrorArchivo(strError);
    return SALIDA_OK;
}

// The teacher's practice: one that holds questions and the secret.
int AbrirProfesor(CPractica& p, const QString& strArchivo) {
    if (const int r = Abrir(p, strArchivo))
        return r;
    if (p.m_tarea.Vacia())
        return ErrorArchivo(Tr("%1: la práctica no tiene preguntas.").arg(strArchivo));
    if (!p.m_tarea.m_bProfesor)
        return ErrorArchivo(
            Tr("%1: es la copia de un alumno, no la práctica del profesor.").arg(strArchivo));
    return SALIDA_OK;
}

int Repartir(const QString& strArchivo, const QString& strSalida) {
    CPractica p;
    if (const int r = AbrirProfesor(p, strArchivo))
        return r;
    p.m_tarea = p.m_tarea.ParaAlumnos();
    return Guardar(p, strSalida);
}

int Calificar(const QString& strArchivo, const QString& strCarpeta,
              const std::optional<QString>& strCsv) {
    CPractica p;
    if (const int r = AbrirProfesor(p, strArchivo))
        return r;
    const CTarea& t = p.m_tarea;
    const Calificacion::Clase clase = Calificacion::Carpeta(t, strCarpeta);
    for (const Calificacion::Fila& f : clase.m_filas) {
        QString s = Q(f.m_strAlumno) + QStringLiteral(" (") + Q(f.m_strGrupo) +
                    QStringLiteral("), ") + f.m_strArchivo + QStringLiteral(": ");
        for (size_t i = 0; i < t.m_incognitas.size(); ++i)
            s += Q(t.m_incognitas[i].m_strNombre) + QLatin1Char('=') +
                 QString::number(f.m_valores[i], 'g', 6) + QLatin1Char(' ');
        std::cout << s.toStdString() << '\n';
        for (size_t i = 0; i < t.m_preguntas.size(); ++i) {
            QString r =
                QStringLiteral("  P%1: «%2» %3")
                    .arg(i + 1)
                    .arg(Q(f.m_respuestas[i]), Calificacion::Palabra(f.m_nota.m_juicios[i]));
            if (f.m_nota.m_esperados[i])
                r += Tr(" (esperado %1)").arg(*f.m_nota.m_esperados[i], 0, 'g', 6);
            std::cout << r.toStdString() << '\n';
        }
        std::cout << Tr("  nota: %1 sobre 10").arg(f.m_nota.Sobre10(), 0, 'f', 2).toStdString()
                  << '\n';
    }
    for (const auto& [a, b] : clase.m_copias)
        std::cout << Tr("respuestas idénticas con incógnitas distintas: %1 y %2")
                         .arg(clase.m_filas[a].m_strArchivo, clase.m_filas[b].m_strArchivo)
                         .toStdString()
                  << '\n';
    for (const Calificacion::Rechazo& r : clase.m_rechazos)
        Aviso(r.m_strArchivo + QStringLiteral(": ") + r.m_strMotivo);
    if (strCsv) {
        const QByteArray csv = Calificacion::Csv(t, clase);
        QString strError;
        if (CPractica::EscribirArchivo(*strCsv, csv.constData(), csv.size(), &strError) !=
            CPractica::Resultado::Correcto)
            return ErrorArchivo(strError);
    }
    return clase.m_rechazos.empty() ? SALIDA_OK : SALIDA_PROBLEMAS;
}

} // namespace

int main(int argc, char** argv) {
    CLinea linea;
    if (const int n = LeerLinea(argc, argv, linea); n >= 0)
        return n;
    const QString& orden = linea.strOrden;
    const QStringList& args = linea.operandos;
    const bool bJson = linea.bJson;
    CPractica practica;

    if (orden == QLatin1String("plantilla")) {
        bool bOk = false;
        const int n = args[0].toInt(&bOk);
        if (!bOk || !Plantillas::Incluida(n))
            return ErrorUso(QStringLiteral("la plantilla debe ser un número de %1 a %2.")
                                .arg(Plantillas::kPrimera)
                                .arg(Plantillas::kUltima));
        int nSalida = SALIDA_OK;
        if (Vacio(args[1], "SALIDA", nSalida))
            return nSalida;
        QString strError;
        const QByteArray bytes = Plantillas::Bytes(n, &strError);
        if (bytes.isEmpty())
            return ErrorArchivo(strError);
        // The same writer as a saved practice: a device stays a device, a full disk keeps
        // the previous file.
        if (CPractica::EscribirArchivo(args[1], bytes.constData(), bytes.size(), &strError) !=
            CPractica::Resultado::Correcto)
            return ErrorArchivo(strError);
        return SALIDA_OK;
    }
    if (orden == QLatin1String("nueva")) {
        return Guardar(practica, args[0]);
    }
    if (orden == QLatin1String("info")) {
        if (const int r = Abrir(practica, args[0]))
            return r;
        // The readings of what the bench holds now, not those stored with it.
        practica.m_listaEquipo.Medir();
        Mostrar(practica, bJson);
        return SALIDA_OK;
    }
    if (orden == QLatin1String("registro")) {
        if (const int r = Abrir(practica, args[0]))
            return r;
        const CRegistro& g = practica.m_registro;
        if (linea.bCsv)
            std::cout << g.Tabla(',', '.');
        else if (bJson)
            std::cout
                << QJsonDocument(JsonRegistro(g)).toJson(QJsonDocument::Indented).toStdString();
        else if (g.Vacio())
            std::cout << Tr("La práctica no tiene registro de datos.").toStdString() << '\n';
        else
            std::cout << g.Tabla('\t', '.');
        return SALIDA_OK;
    }
    if (orden == QLatin1String("simular")) {
        const QString& strArchivo = args[0];
        const bool bSalida = linea.strSalida.has_value();
        const QString strSalida = linea.strSalida.value_or(QString());
        const long nPasos = linea.nPasos.value_or(0);
        if (const int r = Abrir(practica, strArchivo))
            return r;
        {
            CAvance avance(nPasos);
            for (long i = 1; i <= nPasos; ++i) {
                practica.m_listaEquipo.PasoSimulacion();
                practica.m_registro.Paso(practica.m_listaEquipo);
                avance.Paso(i);
            }
        }
        Mostrar(practica, bJson);
        if (bSalida)
            return Guardar(practica, strSalida);
        return SALIDA_OK;
    }
    if (orden == QLatin1String("comprobar")) {
        const QString& strArchivo = args[0];
        const long nPasos = linea.nPasos.value_or(Comprobacion::kPasos);
        if (const int r = Abrir(practica, strArchivo))
            return r;
        Comprobacion::Resultado r;
        {
            CAvance avance(nPasos);
            r = Comprobacion::Comprobar(practica, nPasos, [&avance](long n) { avance.Paso(n); });
        }
        if (bJson)
            std::cout
                << QJsonDocument(Json(r, strArchivo)).toJson(QJsonDocument::Indented).toStdString();
        else
            for (const QString& s : Comprobacion::Informe(r))
                std::cout << s.toStdString() << '\n';
        return r.Correcta() ? SALIDA_OK : SALIDA_PROBLEMAS;
    }
    if (orden == QLatin1String("repartir"))
        return Repartir(args[0], args[1]);
    if (orden == QLatin1String("calificar"))
        return Calificar(args[0], args[1], linea.strCsv);
    if (orden == QLatin1String("exportar")) {
        return Exportar(args[0], args[1]);
    }
    if (orden == QLatin1String("ensayar")) {
        return Ensayar(args, linea.nPasos.value_or(kPasosEnsayo), linea.dTemperatura, bJson);
    }
    // What is left is "compilar": LeerLinea knows no other order.
    return Compilar(args[0], args[1]);
}
