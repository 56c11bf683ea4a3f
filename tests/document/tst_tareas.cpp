// Questions and each student's own unknowns: the formula language, the draw, a class graded
// from stored files (good, damaged, foreign, edited by hand) and what a student's file keeps
// from the teacher.
#include "document/Calificacion.h"
#include "document/Fuente.h"
#include "document/Plantillas.h"
#include "document/Practica.h"
#include "document/Validacion.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

#include <cmath>
#include <cstring>
#include <set>

namespace {

const QString kClase = QStringLiteral(ALKOR_DATOS "/clase");

std::vector<uint8_t> Vector(const QByteArray& b) {
    return {b.begin(), b.end()};
}

QByteArray Leer(const QString& s) {
    QFile f(s);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// The teacher's practice: the titration of the built-in templates, its first problem
// solution an unknown hydrochloric acid between 0.08 and 0.12 mol/L, titrated (25.00 mL)
// with 0.1000 mol/L sodium hydroxide.
void Profesor(CPractica& p) {
    QString strError;
    QVERIFY(p.LeerPlantilla(Vector(Plantillas::Bytes(903)), "903", &strError) ==
            CPractica::Resultado::Correcto);
    int32_t nReactivo = -1;
    for (size_t i = 0; i < p.m_catalogo.m_reactivos.size(); ++i)
        if (p.m_catalogo.m_reactivos[i].m_strNombre == "Solución problema 1")
            nReactivo = static_cast<int32_t>(i);
    QVERIFY(nReactivo >= 0);
    CTarea& t = p.m_tarea;
    t.m_bProfesor = true;
    t.m_clave = Sorteo::SecretoNuevo();
    t.m_incognitas.push_back({"c1", nReactivo, 1, 0.08, 0.12});
    CPregunta q;
    q.m_strTexto = "Concentración de HCl en la solución problema 1";
    q.m_strUnidad = "mol/L";
    q.m_strEsperado = "c1";
    q.m_dTolerancia = 2.0;
    q.m_bPorcentaje = 1;
    q.m_nCifras = 3;
    t.m_preguntas.push_back(q);
    q = {};
    q.m_strTexto = "Volumen de NaOH 0,1000 M que neutraliza 25,00 mL de la solución 1";
    q.m_strUnidad = "mL";
    q.m_strEsperado = "c1*25,00/0,1000";
    q.m_dTolerancia = 0.2;
    t.m_preguntas.push_back(q);
    q = {};
    q.m_nTipo = CPregunta::kOpciones;
    q.m_strTexto = "pH en el punto de equivalencia (25 °C)";
    q.m_opciones = {"menor que 7", "7", "mayor que 7"};
    q.m_nCorrecta = 1;
    q.m_bComprobable = 1;
    t.m_preguntas.push_back(q);
    q = {};
    q.m_nTipo = CPregunta::kLibre;
    q.m_strTexto = "Describa el viraje del indicador";
    t.m_preguntas.push_back(q);
}

// A student's file: the handed-out copy, started under the name, with the answers.
QByteArray Alumno(const CPractica& profesor, const std::string& strNombre,
                  const std::vector<std::string>& respuestas) {
    CPractica p;
    QString strError;
    auto pCopia = profesor.Copia(&strError);
    pCopia->m_tarea = profesor.m_tarea.ParaAlumnos();
    const std::vector<uint8_t> repartida = pCopia->EscribirPractica();
    if (p.LeerPractica(repartida, "repartida", &strError) != CPractica::Resultado::Correcto)
        return {};
    p.m_tarea.Empezar(strNombre, "2B", p.m_catalogo);
    p.m_tarea.m_respuestas = respuestas;
    const std::vector<uint8_t> v = p.EscribirPractica();
    return QByteArray(reinterpret_cast<const char*>(v.data()), static_cast<qsizetype>(v.size()));
}

double Sorteado(const CTarea& profesor, const std::string& strNombre) {
    CTarea t = profesor;
    t.m_bEmpezada = true;
    t.m_semilla = Sorteo::Semilla(profesor.ClaveAlumnos(), strNombre, "2B");
    return t.Valores()[0];
}

// Exactly so many significant figures, trailing zeros included ("9.730e-02").
std::string Texto(double d, int nCifras) {
    return QString::number(d, 'e', nCifras - 1).toStdString();
}

// The stored class: the teacher's practice and, in alumnos/, what the students handed in.
// Written again only when ALKOR_REGENERAR_FIJAS is set.
void RegenerarClase() {
    CPractica p;
    Profesor(p);
    QDir().mkpath(kClase + "/alumnos");
    const std::vector<uint8_t> v = p.EscribirPractica();
    QFile f(kClase + "/profesor.uak1");
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(reinterpret_cast<const char*>(v.data()), static_cast<qsizetype>(v.size()));
    f.close();
    auto escribir = [](const QString& s, const QByteArray& b) {
        QFile g(kClase + "/alumnos/" + s);
        QVERIFY(g.open(QIODevice::WriteOnly));
        g.write(b);
    };
    const CTarea& t = p.m_tarea;
    const double a = Sorteado(t, "Ana Ruiz"), b = Sorteado(t, "Berta Gil");
    const double c = Sorteado(t, "Carlos Pérez");
    // Ana answers all right; Berta gives the right concentration to five figures, not three; Carlos
    // the volume 1 mL off; Dario nothing; Elena hands in Ana's answers with her own unknowns, a
    // student chosen so that they are more than 5 % apart.
    std::vector<std::string> ana = {Texto(a, 3), Texto(a * 250.0, 4), "2", "De incoloro a rosa"};
    escribir("ana.uak1", Alumno(p, "Ana Ruiz", ana));
    escribir("berta.uak1", Alumno(p, "Berta Gil", {Texto(b, 5), Texto(b * 250.0, 4), "2", ""}));
    escribir("carlos.uak1",
             Alumno(p, "Carlos Pérez", {Texto(c, 3), Texto(c * 250.0 + 1.0, 4), "3", ""}));
    escribir("dario.uak1", Alumno(p, "Darío Sanz", {"", "", "", ""}));
    std::string strElena = "Elena Mora";
    for (int i = 2; std::fabs(Sorteado(t, strElena) - a) < 0.05 * a; ++i)
        strElena = "Elena Mora " + std::to_string(i);
    escribir("elena.uak1", Alumno(p, strElena, ana));
    // What must be listed: a file cut short, one edited by hand, another practice's and
    // something that is no practice at all.
    const QByteArray bAna = Alumno(p, "Ana Ruiz", ana);
    escribir("cortado.uak1", bAna.left(bAna.size() / 2));
    QByteArray editado = bAna;
    const qsizetype n = editado.indexOf(QByteArray::fromStdString(ana[1]));
    QVERIFY(n > 0);
    editado[n] = editado[n] == '9' ? '8' : '9';
    escribir("editado.uak1", editado);
    CPractica otra;
    Profesor(otra);
    escribir("otra.uak1", Alumno(otra, "Ana Ruiz", ana));
    escribir("notas.txt", "Entregas del grupo 2B\n");
}

} // namespace

class TestTareas : public QObject {
    Q_OBJECT
private slots:
    void formulas();
    void semillas();
    void clase();
    void claveFueraDelAlcance();
};

void TestTareas::formulas() {
    // A strong acid titrated to its equivalence point, c·V = c'·V' (1:1): 24.50 mL of
    // 0.1000 mol/L NaOH for 25.00 mL of HCl gives 0.09800 mol/L.
    const Formula::Valores v{{"cb", 0.1000}, {"vb", 24.50}, {"va", 25.00}};
    const Formula::Resultado r = Formula::Evaluar("cb * vb / va", v);
    QVERIFY(r.m_dValor);
    QCOMPARE(*r.m_dValor, 0.098);
    // pH of 1.0e-3 mol/L HCl: 3; the exponent is right-associative, 2^3^2 = 512.
    QCOMPARE(*Formula::Evaluar("-log(1,0e-3)", v).m_dValor, 3.0);
    QCOMPARE(*Formula::Evaluar("2^3^2", v).m_dValor, 512.0);
    // Refused with a message, never a loop, a crash or a value that is not finite.
    for (const char* psz : {"cb +", "cx * 2", "1/(vb-vb)", "raiz(-1)", "10^400", "(((1)", "1 2",
                            "inf", "nan", "2 $ 3", ""}) {
        const Formula::Resultado m = Formula::Evaluar(psz, v);
        QVERIFY2(!m.m_dValor && !m.m_strError.empty(), psz);
    }
    QVERIFY(!Formula::Evaluar(std::string(100000, '('), v).m_dValor);
    QVERIFY(!Formula::Evaluar(std::string(300, '-') + "1", v).m_dValor);
    // Significant figures as a laboratory textbook counts them.
    QCOMPARE(CTarea::Cifras("0,0980"), 3);
    QCOMPARE(CTarea::Cifras("1500"), 2);
    QCOMPARE(CTarea::Cifras("1,50e3"), 3);
}

void TestTareas::semillas() {
    // SplitMix64 from a zero state: the first outputs of the published reference.
    Sorteo::CGenerador g(Sorteo::Huella{});
    QCOMPARE(g.Siguiente(), 0xE220A8397B1DCDAFULL);
    QCOMPARE(g.Siguiente(), 0x6E789E6AA1B965F4ULL);
    // The same student gets the same values on every start; others other values, all
    // within the range.
    CPractica p;
    Profesor(p);
    const double a = Sorteado(p.m_tarea, "Ana Ruiz");
    QCOMPARE(Sorteado(p.m_tarea, " Ana Ruiz "), a);
    std::set<double> vistos;
    for (int i = 0; i < 30; ++i) {
        const double d = Sorteado(p.m_tarea, "Alumno " + std::to_string(i));
        QVERIFY(d >= 0.08 && d <= 0.12);
        vistos.insert(d);
    }
    QVERIFY(vistos.size() >= 28);
    // A formula over a name the practice has not is named, with its field, by the checks.
    QVERIFY(Validacion::Validar(p).empty());
    p.m_tarea.m_preguntas[1].m_strEsperado = "c2*25/0,1";
    const std::vector<Validacion::Problema> v = Validacion::Validar(p);
    QCOMPARE(v.size(), size_t(1));
    QVERIFY(v[0].m_strMensaje.contains("«Valor esperado»") && v[0].m_strMensaje.contains("c2"));
    p.m_tarea.m_preguntas[1].m_strEsperado = "c1*25/0,1";
    // A reopened student's file has the drawn value in its reagent again.
    const QByteArray b = Alumno(p, "Ana Ruiz", {"", "", "", ""});
    CPractica q;
    QString strError;
    QVERIFY(q.LeerPractica(Vector(b), "ana", &strError) == CPractica::Resultado::Correcto);
    const int32_t n = q.m_tarea.m_incognitas[0].m_nReactivo;
    QCOMPARE(std::next(q.m_catalogo.m_reactivos[size_t(n)].m_listaComposicion.begin())->m_dMoles,
             a);
}

void TestTareas::clase() {
    if (qEnvironmentVariableIsSet("ALKOR_REGENERAR_FIJAS"))
        RegenerarClase();
    CPractica p;
    QString strError;
    QVERIFY2(p.AbrirPractica(kClase + "/profesor.uak1", &strError) ==
                 CPractica::Resultado::Correcto,
             qPrintable(strError));
    const Calificacion::Clase c = Calificacion::Carpeta(p.m_tarea, kClase + "/alumnos");
    QCOMPARE(c.m_filas.size(), size_t(5));
    std::map<std::string, double> notas;
    for (const Calificacion::Fila& f : c.m_filas) {
        notas[f.m_strAlumno.substr(0, 5)] = f.m_nota.Sobre10();
        if (f.m_strAlumno == "Berta Gil")
            QCOMPARE(f.m_nota.m_juicios[0], CTarea::Juicio::Cifras);
    }
    // Three judged questions; the free text is the teacher's.
    QCOMPARE(notas["Ana R"], 10.0);
    QCOMPARE(notas["Berta"], 20.0 / 3.0);
    QCOMPARE(notas["Carlo"], 10.0 / 3.0);
    QCOMPARE(notas["Darí"], 0.0);
    QCOMPARE(notas["Elena"], 10.0 / 3.0);
    QCOMPARE(c.m_copias.size(), size_t(1));
    QCOMPARE(c.m_rechazos.size(), size_t(4));
    std::map<QString, QString> rechazos;
    for (const auto& r : c.m_rechazos)
        rechazos[r.m_strArchivo] = r.m_strMotivo;
    QVERIFY(rechazos["editado.uak1"].startsWith("manipulado"));
    QVERIFY(rechazos["otra.uak1"].contains("otra práctica"));
    QVERIFY(rechazos.count("cortado.uak1") && rechazos.count("notas.txt"));
    // The command does the same, and its table opens in a spreadsheet: a header and a row
    // per student, the mark with a point.
    QTemporaryDir dir;
    QProcess cli;
    cli.start(ALKOR_CLI, {"calificar", kClase + "/profesor.uak1", kClase + "/alumnos", "--csv",
                          dir.filePath("notas.csv")});
    QVERIFY(cli.waitForFinished(60000));
    QCOMPARE(cli.exitCode(), 3); // files were listed
    const QList<QByteArray> lineas = Leer(dir.filePath("notas.csv")).split('\n');
    QCOMPARE(lineas.size(), 7); // header, five rows, the empty end
    QVERIFY(lineas[0].startsWith("\"Alumno\",\"Grupo\",\"Respuesta P1\",\"P1\""));
    QVERIFY(lineas[1].startsWith("\"Ana Ruiz\",\"2B\","));
    QVERIFY(lineas[1].endsWith(",10.00\r"));
    // Exported to the source and compiled again, the teacher's file, a student's and one
    // changed by hand are the same bytes: the edit is not sealed over.
    for (const char* psz : {"/profesor.uak1", "/alumnos/ana.uak1", "/alumnos/editado.uak1"}) {
        const QByteArray b = Leer(kClase + psz);
        Fuente::Archivos archivos;
        QVERIFY(Fuente::Exportar(Vector(b), psz, archivos, &strError));
        QVERIFY(archivos.contains(Fuente::kPreguntas));
        QCOMPARE(Fuente::Compilar(archivos, Fuente::Tipo::Practica, &strError), b);
    }
}

void TestTareas::claveFueraDelAlcance() {
    CPractica p;
    QString strError;
    QVERIFY(p.AbrirPractica(kClase + "/profesor.uak1", &strError) ==
            CPractica::Resultado::Correcto);
    const QByteArray b = Leer(kClase + "/alumnos/ana.uak1");
    CPractica a;
    QVERIFY(a.LeerPractica(Vector(b), "ana", &strError) == CPractica::Resultado::Correcto);
    const double c = a.m_tarea.Valores()[0];
    // Neither the secret, nor the formulas of the questions students may not check, nor
    // the drawn value (as a number of the file or as text) are in the student's bytes.
    QVERIFY(!b.contains(QByteArray::fromStdString(Sorteo::Hex(p.m_tarea.m_clave))));
    QVERIFY(!b.contains("c1*25"));
    char d[8];
    std::memcpy(d, &c, 8);
    QVERIFY(!b.contains(QByteArray(d, 8)));
    QVERIFY(!b.contains(QByteArray::number(c, 'g', 4)));
    QVERIFY(a.m_tarea.m_preguntas[0].m_strEsperado.empty());
    // The question the teacher lets students check keeps its answer.
    QCOMPARE(a.m_tarea.m_preguntas[2].m_nCorrecta, 1);
}

QTEST_GUILESS_MAIN(TestTareas)
#include "tst_tareas.moc"
