// The command-line tool as a teacher runs it: exit statuses, messages and the JSON output.
#include "document/Fuente.h"
#include "document/Plantillas.h"
#include "document/Practica.h"
#include "document/Rutas.h"
#include "equipment/Calorimetro.h"
#include "equipment/Instrumentos.h"
#include "equipment/Vasos.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

#include <sys/stat.h>

namespace {

struct Salida {
    int nEstado;
    QByteArray out, err;
};

Salida Ejecutar(const QStringList& args) {
    QProcess p;
    p.start(QStringLiteral(ALKOR_CLI), args);
    p.waitForFinished(60000);
    return {p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1, p.readAllStandardOutput(),
            p.readAllStandardError()};
}

// The tool run by the shell, for what QProcess cannot pass (a name that is not UTF-8, typed
// as printf escapes) or a limit on the file size (ulimit -f, in 512-byte blocks, stands in
// for a disk with that much free). The tool is "$0".
Salida Shell(const QString& strOrden) {
    QProcess p;
    p.start("/bin/sh", {"-c", "trap '' XFSZ; " + strOrden, ALKOR_CLI});
    p.waitForFinished(60000);
    return {p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1, p.readAllStandardOutput(),
            p.readAllStandardError()};
}

std::vector<uint8_t> Vector(const QByteArray& b) {
    return {b.begin(), b.end()};
}

QByteArray Leer(const QString& strRuta) {
    QFile f(strRuta);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// A beaker with water and sodium hydroxide still dissolving, and a pH meter dipping into it.
void VasoConSosa(CPractica& p) {
    auto* v = new CVaso250;
    v->SetPosition(100, 100);
    p.m_listaEquipo.AgregarAlFinal(v);
    v->AddComponent(0, 100.0, UNIDAD_ML);
    v->AddComponent(1, 4.0, UNIDAD_GRAMOS);
    auto* ph = new CPHmetro;
    ph->SetPosition(100 + 40 - 2, 100 + 90 - 128);
    p.m_listaEquipo.AgregarAlFinal(ph);
}

void Escribir(const QString& strRuta, const QByteArray& b) {
    QFile f(strRuta);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(b);
}

} // namespace

class TestCli : public QObject {
    Q_OBJECT
    QTemporaryDir m_dir;

private slots:
    void usoYAyuda() {
        QCOMPARE(Ejecutar({}).nEstado, 1);
        const Salida ayuda = Ejecutar({"--help"});
        QCOMPARE(ayuda.nEstado, 0);
        QVERIFY(ayuda.out.contains("Uso: alkor-cli"));
        QCOMPARE(Ejecutar({"borrar", "x"}).nEstado, 1);
        QCOMPARE(Ejecutar({"plantilla", "899", m_dir.filePath("x.akp")}).nEstado, 1);
        QCOMPARE(Ejecutar({"plantilla", "903"}).nEstado, 1);
        QCOMPARE(Ejecutar({"simular", "x.uak1"}).nEstado, 1);
        QCOMPARE(Ejecutar({"simular", "x.uak1", "--pasos", "-3"}).nEstado, 1);
        // Step counts are bounded (one past the bound, 2^31 and 2^63 - 1 are refused before
        // the file is even read), and the bound is told.
        const QString akp = m_dir.filePath("903.akp");
        QCOMPARE(Ejecutar({"plantilla", "903", akp}).nEstado, 0);
        for (const char* psz : {"10000001", "2147483648", "9223372036854775807"}) {
            for (const char* pszOrden : {"simular", "comprobar"}) {
                const Salida s = Ejecutar({pszOrden, akp, "--pasos", psz});
                QCOMPARE(s.nEstado, 1);
                QVERIFY2(s.err.contains("--pasos necesita un número entero de 0 a 10000000"),
                         s.err.constData());
            }
        }
        QVERIFY(ayuda.out.contains("N va de 0 a 10000000"));
        // An option left without its value, or one the order does not take, is named; "--"
        // ends the options, so a file whose name starts with a dash can still be given.
        for (const QStringList& orden :
             {QStringList{"simular", akp, "--pasos"}, QStringList{"info", akp, "--pasos", "5"}}) {
            const Salida s = Ejecutar(orden);
            QCOMPARE(s.nEstado, 1);
            QVERIFY2(s.err.contains("argumento no válido: --pasos"), s.err.constData());
        }
        QVERIFY(QFile::copy(akp, m_dir.filePath("-x.akp")));
        const QString cd = QStringLiteral("cd '%1' && \"$0\" simular --pasos=0 ").arg(m_dir.path());
        QCOMPARE(Shell(cd + "-- -x.akp").nEstado, 0);
        QVERIFY(Shell(cd + "-x.akp").err.contains("argumento no válido: -x.akp"));
        // The last allowed count runs; away from a terminal its progress is not shown.
        const Salida largo = Ejecutar({"comprobar", akp, "--pasos", "10000000"});
        QCOMPARE(largo.nEstado, 0);
        QVERIFY(largo.err.isEmpty());
        // An empty path is named as such, for every argument that is one.
        for (const QStringList& orden :
             {QStringList{"plantilla", "903", ""}, QStringList{"nueva", ""},
              QStringList{"info", ""}, QStringList{"simular", akp, "--pasos", "1", "--salida", ""},
              QStringList{"exportar", akp, ""}, QStringList{"compilar", "", "x.akp"}}) {
            const Salida s = Ejecutar(orden);
            QCOMPARE(s.nEstado, 1);
            QVERIFY2(s.err.contains("está vacío: indique una ruta."), s.err.constData());
            QVERIFY(!s.err.contains("QDir"));
        }
    }

    void plantillaYNueva() {
        const QString akp = m_dir.filePath("903.akp");
        QCOMPARE(Ejecutar({"plantilla", "903", akp}).nEstado, 0);
        QFile f(akp);
        QVERIFY(f.open(QIODevice::ReadOnly));
        QCOMPARE(f.readAll(), Plantillas::Bytes(903));

        const QString nueva = m_dir.filePath("nueva.uak1");
        QCOMPARE(Ejecutar({"nueva", nueva}).nEstado, 0);
        const Salida info = Ejecutar({"info", nueva, "--json"});
        QCOMPARE(info.nEstado, 0);
        const QJsonObject o = QJsonDocument::fromJson(info.out).object();
        QCOMPARE(o["nombre"].toString(), QString("Nueva"));
        QCOMPARE(o["catalogo"]["componentes"].toArray().size(), 3);
        QCOMPARE(o["catalogo"]["reacciones"].toInt(), 0);
        QVERIFY(o["equipo"].toArray().isEmpty());

        // A template is read as a template.
        const Salida t = Ejecutar({"info", akp, "--json"});
        QCOMPARE(t.nEstado, 0);
        const QJsonObject ot = QJsonDocument::fromJson(t.out).object();
        QCOMPARE(ot["nombre"].toString(), QString("Titulación ácido base"));
        QCOMPARE(ot["catalogo"]["indicadores"].toArray()[0].toString(),
                 QString("Naranja de Metilo"));
        QCOMPARE(ot["catalogo"]["reacciones"].toInt(), 1);
        const Salida texto = Ejecutar({"info", akp});
        QVERIFY(texto.out.contains("Práctica: Titulación ácido base"));
    }

    void archivosQueNoSePuedenLeerOEscribir() {
        const Salida falta = Ejecutar({"info", m_dir.filePath("no.uak1")});
        QCOMPARE(falta.nEstado, 2);
        QVERIFY(falta.err.contains("No se encontró"));
        const QString basura = m_dir.filePath("basura.uak1");
        QFile f(basura);
        f.open(QIODevice::WriteOnly);
        f.write("\x05Nueva\x00\x06korvex\x05Vol.1\xFF\xFF\xFF\x7F", 24);
        f.close();
        const Salida mala = Ejecutar({"info", basura});
        QCOMPARE(mala.nEstado, 2);
        QVERIFY(mala.err.contains("- Formato incompatible -"));
        // A text file, or a practice cut short, is said to be no practice or damaged.
        const QString texto = m_dir.filePath("apuntes.uak1");
        Escribir(texto, "Valoración: 14,6 ml de NaOH 0,1 M\n");
        const Salida t = Ejecutar({"info", texto});
        QCOMPARE(t.nEstado, 2);
        QCOMPARE(t.err, "alkor-cli: " + texto.toUtf8() +
                            " no es un archivo de práctica o está dañado: el archivo termina "
                            "antes de tiempo.\n");
        QCOMPARE(Ejecutar({"nueva", "/dev/full"}).nEstado, 2);
        const Salida sinCarpeta = Ejecutar({"nueva", m_dir.filePath("no/x.uak1")});
        QCOMPARE(sinCarpeta.nEstado, 2);
        QVERIFY(sinCarpeta.err.contains(": no existe la carpeta " + m_dir.filePath("no").toUtf8()));
        const Salida carpeta = Ejecutar({"nueva", m_dir.path()});
        QCOMPARE(carpeta.nEstado, 2);
        QVERIFY(carpeta.err.contains(m_dir.path().toUtf8() + " es una carpeta: indique el nombre "
                                                             "del archivo"));
        // An endless device is no practice: refused at once, not read until memory ends.
        const Salida cero = Ejecutar({"info", "/dev/zero"});
        QCOMPARE(cero.nEstado, 2);
        QVERIFY(cero.err.contains("no es un archivo de práctica"));

        // A name that is not UTF-8 is written under the bytes asked for, read back by them,
        // and a folder of that kind exports and compiles.
        const QString latin = m_dir.filePath("latin");
        QVERIFY(QDir().mkpath(latin));
        const QString cd = "cd '" + latin + "' && ";
        QCOMPARE(Shell(cd + "\"$0\" plantilla 903 \"$(printf 'caf\\351.akp')\"").nEstado, 0);
        const Salida info = Shell(cd + "\"$0\" info \"$(printf 'caf\\351.akp')\" --json");
        QCOMPARE(info.nEstado, 0);
        QCOMPARE(QJsonDocument::fromJson(info.out).object()["nombre"].toString(),
                 QString("Titulación ácido base"));
        QCOMPARE(Shell(cd + "\"$0\" exportar \"$(printf 'caf\\351.akp')\" "
                            "\"$(printf 'fuente\\351')\" && \"$0\" compilar "
                            "\"$(printf 'fuente\\351')\" otra.akp")
                     .nEstado,
                 0);
        QCOMPARE(Leer(latin + "/otra.akp"), Plantillas::Bytes(903));
        QStringList nombres;
        QCOMPARE(Rutas::Listar(latin, nombres), 0);
        nombres.sort();
        QCOMPARE(nombres, QStringList({Rutas::Decodificar("caf\xe9.akp"),
                                       Rutas::Decodificar("fuente\xe9"), "otra.akp"}));
        // A missing one is named with its own bytes.
        const Salida falta2 = Shell(cd + "\"$0\" info \"$(printf 'no\\351.akp')\"");
        QCOMPARE(falta2.nEstado, 2);
        QCOMPARE(falta2.err, QByteArray("alkor-cli: No se encontró no\xe9.akp.\n"));
        // QTemporaryDir cannot remove what Qt cannot name.
        QCOMPARE(Shell("rm -rf '" + latin + "'").nEstado, 0);
    }

    void discoLlenoYDispositivos() {
        // A 12 KB template saved over an older file on a disk with 8 KB free: every
        // writer fails, says so, and leaves the older file as it was.
        const QString destino = m_dir.filePath("anterior.akp");
        QCOMPARE(Ejecutar({"plantilla", "901", destino}).nEstado, 0);
        const QByteArray antes = Plantillas::Bytes(901);
        const QString fuente = m_dir.filePath("903.akp");
        QCOMPARE(Ejecutar({"plantilla", "903", fuente}).nEstado, 0);
        const QString carpeta903 = m_dir.filePath("fuente_903");
        QCOMPARE(Ejecutar({"exportar", fuente, carpeta903}).nEstado, 0);
        for (const QStringList& orden :
             {QStringList{"plantilla", "903", destino},
              QStringList{"simular", fuente, "--pasos", "1", "--salida", destino},
              QStringList{"compilar", carpeta903, destino}}) {
            QProcess p;
            p.setProgram("/bin/sh");
            p.setArguments({"-c", "trap '' XFSZ; ulimit -f 8; exec \"$0\" \"$@\"", ALKOR_CLI});
            p.setArguments(p.arguments() + orden);
            p.start();
            QVERIFY(p.waitForFinished(60000));
            QCOMPARE(p.exitCode(), 2);
            QVERIFY(p.readAllStandardError().contains("Disco lleno"));
            QFile f(destino);
            QVERIFY(f.open(QIODevice::ReadOnly));
            QCOMPARE(f.readAll(), antes);
        }
        // An export over an older source, with room for its first files but not the
        // third: the older source stays whole (it compiles to what it was, no hybrid), keeps
        // the teacher's own file, and nothing is left beside it.
        const QString carpeta = m_dir.filePath("fuente_lleno");
        QCOMPARE(Ejecutar({"exportar", destino, carpeta}).nEstado, 0);
        Escribir(carpeta + "/mis_notas.txt", "calibrar la bureta");
        const Salida lleno =
            Shell("ulimit -f 12; exec \"$0\" exportar '" + fuente + "' '" + carpeta + "'");
        QCOMPARE(lleno.nEstado, 2);
        // Which file meets the limit first depends on the notes' sizes; the message names it
        // and the folder.
        QVERIFY2(lleno.err.contains("Disco lleno al acceder a " + carpeta.toUtf8() + "/") &&
                     lleno.err.contains(". La carpeta " + carpeta.toUtf8() + " queda como estaba."),
                 lleno.err.constData());
        const QString compilada = m_dir.filePath("compilada.akp");
        QCOMPARE(Ejecutar({"compilar", carpeta, compilada}).nEstado, 0);
        QCOMPARE(Leer(compilada), antes);
        const QStringList hermanos =
            QDir(m_dir.path()).entryList(QDir::Hidden | QDir::AllEntries | QDir::NoDotAndDotDot);
        QVERIFY2(hermanos.filter("fuente_lleno").size() == 1, qPrintable(hermanos.join(' ')));
        // The same from inside the folder, which is not swapped away from under the shell.
        const Salida dentro =
            Shell("cd '" + carpeta + "' && ulimit -f 12; exec \"$0\" exportar '" + fuente + "' .");
        QCOMPARE(dentro.nEstado, 2);
        QVERIFY(dentro.err.contains("La carpeta . queda como estaba."));
        QCOMPARE(Ejecutar({"compilar", carpeta, compilada}).nEstado, 0);
        QCOMPARE(Leer(compilada), antes);
        // With room, the new source takes the folder's place whole, and the file stays.
        QCOMPARE(Ejecutar({"exportar", fuente, carpeta}).nEstado, 0);
        QCOMPARE(Ejecutar({"compilar", carpeta, compilada}).nEstado, 0);
        QCOMPARE(Leer(compilada), Plantillas::Bytes(903));
        QCOMPARE(Leer(carpeta + "/mis_notas.txt"), QByteArray("calibrar la bureta"));

        // A device stays a device; a pipe that nobody reads is refused, never waited on.
        QCOMPARE(Ejecutar({"plantilla", "903", "/dev/null"}).nEstado, 0);
        QVERIFY(QFileInfo("/dev/null").exists() && !QFileInfo("/dev/null").isFile());
        const QString tubo = m_dir.filePath("tubo");
        QVERIFY(::mkfifo(QFile::encodeName(tubo).constData(), 0600) == 0);
        const Salida t = Ejecutar({"plantilla", "903", tubo});
        QCOMPARE(t.nEstado, 2);
        QVERIFY(t.err.contains("es una tubería que nadie está leyendo"));
    }

    void simularComoLaMesa() {
        // A beaker with water and sodium hydroxide that dissolves step by step, and a pH
        // meter dipping into it.
        const QString ruta = m_dir.filePath("sosa.uak1");
        {
            CPractica p;
            VasoConSosa(p);
            QVERIFY(p.GuardarPractica(ruta) == CPractica::Resultado::Correcto);
        }
        const QString despues = m_dir.filePath("despues.uak1");
        const Salida s =
            Ejecutar({"simular", ruta, "--pasos", "60", "--json", "--salida", despues});
        QCOMPARE(s.nEstado, 0);
        const QJsonArray equipo = QJsonDocument::fromJson(s.out).object()["equipo"].toArray();
        QCOMPARE(equipo.size(), 2);
        const QJsonObject vaso = equipo[0].toObject();
        QCOMPARE(vaso["tipo"].toInt(), 2);
        QCOMPARE(vaso["categoria"].toString(), QString("recipiente"));
        QCOMPARE(vaso["ph"].toDouble(), 14.0);
        QVERIFY(vaso["fases"]["solida"].toArray().isEmpty());
        const QJsonArray liquida = vaso["fases"]["liquida"].toArray();
        QCOMPARE(liquida[0].toObject()["formula"].toString(), QString("NaOH"));
        QVERIFY(std::fabs(liquida[0].toObject()["cation"].toDouble() - 0.1) < 1e-9);
        QCOMPARE(equipo[1].toObject()["lectura"].toDouble(), 14.0);
        // The saved result reads back with the salt dissolved.
        CPractica q;
        QVERIFY(q.AbrirPractica(despues) == CPractica::Resultado::Correcto);
        auto* v = dynamic_cast<CRecipiente*>(q.m_listaEquipo.front());
        QVERIFY(v && v->m_seno.m_faseSolida.MolesTotales() < 1e-12);
    }

    // Every instrument's final reading carries the unit its display shows, in the text and in
    // the JSON; the calorimeter's lid reads the calorimeter in degrees.
    void comprobarDaLaUnidad() {
        const QString ruta = m_dir.filePath("tapa.uak1");
        {
            CPractica p;
            VasoConSosa(p);
            auto* c = new CCalorimetro;
            c->SetPosition(300, 100);
            p.m_listaEquipo.AgregarAlFinal(c);
            c->AddComponent(0, 100.0, UNIDAD_ML);
            QVERIFY(c->Tapar(p.m_listaEquipo));
            QVERIFY(p.GuardarPractica(ruta) == CPractica::Resultado::Correcto);
        }
        const Salida texto = Ejecutar({"comprobar", ruta, "--pasos", "1"});
        QCOMPARE(texto.nEstado, 0);
        QVERIFY2(texto.out.contains("n.º 4, Tapa calorímetro: 20.0000 °C\n"),
                 texto.out.constData());
        const Salida json = Ejecutar({"comprobar", ruta, "--pasos", "1", "--json"});
        const QJsonArray lecturas =
            QJsonDocument::fromJson(json.out).object()["lecturas"].toArray();
        QCOMPARE(lecturas.size(), 2);
        QCOMPARE(lecturas[0].toObject()["unidad"].toString(), QString("pH"));
        QCOMPARE(lecturas[1].toObject()["equipo"].toInt(), 4);
        QCOMPARE(lecturas[1].toObject()["unidad"].toString(), QString("°C"));
        QCOMPARE(lecturas[1].toObject()["lectura"].toDouble(), 20.0);
    }

    // 10 ml of 0.1 M sodium hydroxide made up to 100 ml is 0.01 M of a strong base: at
    // 25 °C, where pKw = 14.00 (Kw = 1.0e-14, CRC Handbook), its pH is 12.00, and its free
    // ions (Na+ and OH-, 0.01 mol/l each) are 0.02 mol/l. The bath holds it at 25 °C, the
    // smallest beaker that takes 100 ml is chosen, and the comma is a decimal comma.
    void ensayarBaseFuerte() {
        const Salida s = Ejecutar({"ensayar", "903", "Hidróxido de sodio 0.1 Molar=10,0", "agua=90",
                                   "--temperatura", "25", "--json"});
        QCOMPARE(s.nEstado, 0);
        QJsonParseError e;
        const QJsonObject o = QJsonDocument::fromJson(s.out, &e).object();
        QVERIFY2(e.error == QJsonParseError::NoError, s.out.constData());
        QCOMPARE(o["recipiente"].toString(), QString("Vaso de presipitados 100 ml"));
        QCOMPARE(o["temperatura"].toDouble(), 25.0);
        QVERIFY2(std::fabs(o["ph"].toDouble() - 12.00) < 0.01, s.out.constData());
        QVERIFY2(std::fabs(o["conductividad"].toDouble() - 0.02) < 0.0002, s.out.constData());
        QVERIFY(std::fabs(o["volumen"].toDouble() - 100.0) < 0.5);
        QVERIFY(std::fabs(o["masa"].toDouble() - 100.0) < 1.0);
        QVERIFY(QRegularExpression("^#[0-9A-F]{6}$").match(o["color"].toString()).hasMatch());
        bool bSosa = false;
        for (const QJsonValue& v : o["contenido"].toArray())
            if (v["formula"].toString() == QLatin1String("NaOH")) {
                bSosa = true;
                QCOMPARE(v["fase"].toString(), QString("liquida"));
                QVERIFY(std::fabs(v["moles"].toDouble() - 0.001) < 1e-9);
            }
        QVERIFY(bSosa);
    }

    // The same base from a template file, told in text: 150 ml needs the 250 ml beaker, and
    // phenolphthalein, above its range (8.0 to 10.0 in the practice's data), tints the
    // colourless liquid towards its basic magenta. The bath's temperature takes a comma too.
    void ensayarConIndicador() {
        const QString akp = m_dir.filePath("titulacion.akp");
        QCOMPARE(Ejecutar({"plantilla", "903", akp}).nEstado, 0);
        const QStringList base{"ensayar", akp,  "agua=135",      "Hidróxido de sodio 0.1 Molar=15",
                               "--pasos", "10", "--temperatura", "25,0"};
        const Salida sin = Ejecutar(base);
        const Salida s = Ejecutar(base + QStringList{"indicador=Fenolftaleina"});
        QCOMPARE(s.nEstado, 0);
        QVERIFY2(s.out.contains("Recipiente: Vaso de presipitados 250 ml\n"), s.out.constData());
        QVERIFY2(s.out.contains("Pasos simulados: 10\n"), s.out.constData());
        QVERIFY2(s.out.contains("  Termometro: 25.0000 °C\n"), s.out.constData());
        const QRegularExpression ph("  Phmitro: ([0-9.]+) pH\n");
        const QRegularExpressionMatch m = ph.match(QString::fromUtf8(s.out));
        QVERIFY2(m.hasMatch() && std::fabs(m.captured(1).toDouble() - 12.00) < 0.01,
                 s.out.constData());
        const QRegularExpression color("Color: #([0-9A-F]{6})\n");
        const QString strSin = color.match(QString::fromUtf8(sin.out)).captured(1);
        const QString strCon = color.match(QString::fromUtf8(s.out)).captured(1);
        QVERIFY2(!strSin.isEmpty() && !strCon.isEmpty() && strSin != strCon, s.out.constData());
        const QColor c(QLatin1Char('#') + strCon);
        QVERIFY2(c.green() < c.red() && c.green() < c.blue(), s.out.constData());
    }

    // The pH of the year's classic solutions at 25 °C, as a teacher tries them before class
    // (pKa from the CRC Handbook: acetic acid 4.756, ammonium 9.25, carbonic acid 6.35 and
    // 10.33; pKw 13.995, and 13.262 at 50 °C). 1e-8 M HCl is 0.05 µl of 0.1 M in 500 ml.
    void ensayarValoresDeTexto() {
        const QString a = QStringLiteral("Ácido acético 0.1 M="), b = "Hidróxido de sodio 0.1 M=";
        const struct {
            QStringList args;
            double dMin, dMax;
        } casos[] = {
            {{"915", a + "25"}, 2.87, 2.89},
            {{"917", "Acetato de sodio 0.1 M=25"}, 8.86, 8.90},
            {{"915", a + "25", b + "12.5"}, 4.736, 4.776},
            {{"915", a + "25", b + "25.0"}, 8.68, 8.76},
            {{"917", "Cloruro de amonio 0.1 M=25"}, 5.10, 5.15},
            {{"917", "Carbonato de sodio 0.1 M=25"}, 11.6, 11.7},
            {{"916", "agua=500", "Ácido clorhídrico 0.1 M=0.00005"}, 6.97, 6.99},
            {{"917", "agua=100", "--temperatura", "50"}, 6.60, 6.66},
        };
        for (const auto& c : casos) {
            QStringList args = QStringList{"ensayar"} + c.args + QStringList{"--json"};
            if (!c.args.contains("--temperatura"))
                args << "--temperatura"
                     << "25";
            const Salida s = Ejecutar(args);
            const double ph = QJsonDocument::fromJson(s.out).object()["ph"].toDouble(-99.0);
            QVERIFY2(s.nEstado == 0 && ph >= c.dMin && ph <= c.dMax,
                     qPrintable(c.args.join(' ') + " → " + QString::number(ph)));
        }
        // The buffer moves less than 0.1 on 1 ml of 0.1 M HCl; water, more than 3.
        auto ph = [this](const QStringList& e) {
            return QJsonDocument::fromJson(Ejecutar(QStringList{"ensayar", "916"} + e +
                                                    QStringList{"--temperatura", "25", "--json"})
                                               .out)
                .object()["ph"]
                .toDouble();
        };
        const QStringList reguladora{"Ácido acético 0.1 M=25", "Acetato de sodio 0.1 M=25"};
        const QString acido = QStringLiteral("Ácido clorhídrico 0.1 M=1");
        QVERIFY(std::fabs(ph(reguladora) - ph(reguladora + QStringList{acido})) < 0.1);
        QVERIFY(ph({"agua=50"}) - ph({"agua=50", acido}) > 3.0);
    }

    // What the practice lacks, a bad amount or option, or a mixture no vessel holds is told
    // with the argument, with status 1 and nothing on the standard output.
    void ensayarRechaza() {
        const QString sosa = QStringLiteral("Hidróxido de sodio 0.1 Molar=10");
        const struct {
            QStringList args;
            const char* pszMensaje;
        } casos[] = {
            {{"ensayar", "903", "Hidróxido de potasio 0.1 Molar=10"},
             "la práctica no tiene el reactivo «Hidróxido de potasio 0.1 Molar»"},
            {{"ensayar", "903", sosa, "indicador=Rojo de metilo"},
             "la práctica no tiene el indicador «Rojo de metilo»"},
            {{"ensayar", "903", "agua=diez"}, "agua=diez: la cantidad debe ser un número"},
            {{"ensayar", "903", "agua=-5"}, "agua=-5: la cantidad debe ser un número"},
            {{"ensayar", "903", "agua"}, "argumento no válido: agua"},
            {{"ensayar", "903", "agua=700"}, "no cabe en ningún vaso ni matraz"},
            {{"ensayar", "903", "agua=400", sosa + "00"}, "no cabe en ningún vaso ni matraz"},
            {{"ensayar", "903"}, "«ensayar» necesita PRACTICA y al menos una ENTRADA."},
            {{"ensayar", "899", "agua=10"}, "la plantilla debe ser un número de 900 a"},
            {{"ensayar", "903", "agua=10", "--temperatura", "120"},
             "--temperatura necesita los grados Celsius del baño, un número de 0 a 100; «120»"},
            {{"info", "903", "--temperatura", "25"}, "argumento no válido: --temperatura"},
        };
        for (const auto& c : casos) {
            const Salida s = Ejecutar(c.args);
            QCOMPARE(s.nEstado, 1);
            QVERIFY2(s.err.contains(c.pszMensaje), s.err.constData());
            QVERIFY(s.out.isEmpty());
        }
    }

    // Every built-in template goes to its source and back to the same bytes, as a template
    // and as a saved practice; the source of the result is the source it came from.
    void fuenteIdaYVuelta() {
        for (int n = Plantillas::kPrimera; n <= Plantillas::kTermoquimica; ++n) {
            if (!Plantillas::Incluida(n))
                continue;
            const QByteArray plantilla = Plantillas::Bytes(n);
            Fuente::Archivos fuente, otra;
            QString strError;
            QVERIFY2(Fuente::Exportar(Vector(plantilla), "p.akp", fuente, &strError),
                     qPrintable(strError));
            QCOMPARE(Fuente::Compilar(fuente, Fuente::Tipo::Plantilla, &strError), plantilla);
            QVERIFY(Fuente::Exportar(Vector(plantilla), "p.akp", otra, &strError));
            QCOMPARE(otra, fuente);
            const QByteArray practica = Fuente::Compilar(fuente, Fuente::Tipo::Practica, &strError);
            QVERIFY2(!practica.isEmpty(), qPrintable(strError));
            QVERIFY(Fuente::Exportar(Vector(practica), "p.uak1", otra, &strError));
            QCOMPARE(Fuente::Compilar(otra, Fuente::Tipo::Practica, &strError), practica);
            QVERIFY(Fuente::Exportar(Vector(practica), "p.uak1", fuente, &strError));
            QCOMPARE(fuente, otra);
        }
        // The same through the tool, the notes as files beside the source.
        const QString akp = m_dir.filePath("903.akp"), carpeta = m_dir.filePath("fuente903");
        Escribir(akp, Plantillas::Bytes(903));
        QCOMPARE(Ejecutar({"exportar", akp, carpeta}).nEstado, 0);
        QVERIFY(Leer(carpeta + "/practica.txt").contains("nombre = Titulación ácido base"));
        QVERIFY(Leer(carpeta + "/marco.rtf").startsWith("{\\rtf1"));
        QCOMPARE(Ejecutar({"compilar", carpeta, m_dir.filePath("otra.akp")}).nEstado, 0);
        QCOMPARE(Leer(m_dir.filePath("otra.akp")), Plantillas::Bytes(903));
    }

    // A saved bench, simulated until its numbers are anything but round, comes back to the
    // same bytes from its source.
    void fuenteConMesa() {
        const QString ruta = m_dir.filePath("mesa.uak1");
        {
            CPractica p;
            VasoConSosa(p);
            for (int i = 0; i < 25; ++i)
                p.m_listaEquipo.PasoSimulacion();
            QVERIFY(p.GuardarPractica(ruta) == CPractica::Resultado::Correcto);
        }
        const QString carpeta = m_dir.filePath("fuente_mesa");
        QCOMPARE(Ejecutar({"exportar", ruta, carpeta}).nEstado, 0);
        const QByteArray texto = Leer(carpeta + "/practica.txt");
        QVERIFY(texto.contains("\nequipo = 2 | 100 | 100\n"));
        QVERIFY(texto.contains("\n  contenido = liquida | @1 | "));
        QCOMPARE(Ejecutar({"compilar", carpeta, m_dir.filePath("mesa2.uak1")}).nEstado, 0);
        QCOMPARE(Leer(m_dir.filePath("mesa2.uak1")), Leer(ruta));
    }

    // A source that is wrong says where, in Spanish, and writes nothing.
    void fuenteConErrores() {
        const QString buena = m_dir.filePath("buena");
        QDir().mkpath(buena);
        Escribir(buena + "/practica.txt", "nombre = Prueba\n"
                                          "componente = 1 | Agua | H2O | 18.01528 | 1 | 1 | "
                                          "0xFEFEFE | 1 | 1e-14 | 0 | 100 | H+ | 1 | 1 | OH- | 1 "
                                          "| -1 | 100 | 0 | 100 | 100 | 0\n");
        const QString salida = m_dir.filePath("salida.uak1");
        QCOMPARE(Ejecutar({"compilar", buena, salida}).nEstado, 0);
        const QByteArray antes = Leer(salida);
        QVERIFY(!antes.isEmpty());
        auto fallar = [&](const QByteArray& linea, const QByteArray& mensaje) {
            const QString mala = m_dir.filePath("mala");
            QDir(mala).removeRecursively();
            QDir().mkpath(mala);
            Escribir(mala + "/practica.txt", Leer(buena + "/practica.txt") + linea);
            const Salida s = Ejecutar({"compilar", mala, salida});
            QCOMPARE(s.nEstado, 2);
            QVERIFY2(s.err.contains(mensaje), s.err.constData());
            QCOMPARE(Leer(salida), antes);
        };
        fallar("velocidad 1\n", "practica.txt:3: falta «=»");
        fallar("\n# comentario\ncolor = rojo\n", "practica.txt:5: clave desconocida «color»");
        fallar("equipo = 2 | 10 | 2000000\n",
               "practica.txt:3: y: 2000000 está fuera del intervalo de -1000000 a 1000000");
        fallar("equipo = 2 | 10 | 10\n  temperatura = caliente\n",
               "practica.txt:4: «caliente» no es un número");
        fallar("equipo = 99 | 0 | 0\n", "practica.txt:3: tipo de equipo desconocido: 99");
        fallar("equipo = 2 | 0 | 0\n  contenido = liquida | 5 | 1 | 1 | 1 | 0 | 0 | 0 | x\n",
               "practica.txt:4: el componente no está en el catálogo");
        // What reads but the practice editor would refuse is written, each problem told at
        // its line, and the exit status says there are problems.
        const QString rehusada = m_dir.filePath("rehusada");
        QDir().mkpath(rehusada);
        Escribir(rehusada + "/practica.txt",
                 Leer(buena + "/practica.txt") +
                     "componente = 2 | Cinc | Zn | 0 | -7.1 | 0.39 | 0x808080 | 0 | 0 | 1000 | "
                     "907 | | 0 | 0 | | 0 | 0 | 0 | 0 | 0 | 0 | 0\n"
                     "reaccion = 1 | Mal | 1 x 2 [7] + 2 x 99 [0] | 1 x 2 [0]\n"
                     "indicador = 1 | Ind | 0 | t | 0xFF | 10 | 0x00 | 3\n");
        const QString escrita = m_dir.filePath("rehusada.akp");
        const Salida s = Ejecutar({"compilar", rehusada, escrita});
        QCOMPARE(s.nEstado, 3);
        QVERIFY(!Leer(escrita).isEmpty());
        const QString p = rehusada + "/practica.txt:";
        QCOMPARE(QString::fromUtf8(s.err).split('\n', Qt::SkipEmptyParts),
                 (QStringList{
                     QStringLiteral("alkor-cli: aviso: ") + p +
                         "3: Sustancia 2 «Cinc»: El campo «Masa molar» debe ser un número mayor "
                         "que cero.",
                     QStringLiteral("alkor-cli: aviso: ") + p +
                         "3: Sustancia 2 «Cinc»: El campo «Densidad» debe ser un número mayor "
                         "que cero.",
                     QStringLiteral("alkor-cli: aviso: ") + p +
                         "3: Sustancia 2 «Cinc»: El «Punto de fusión» es mayor que el «Punto "
                         "de ebullición».",
                     QStringLiteral("alkor-cli: aviso: ") + p +
                         "4: Reacción 1 «Mal»: La fase del reactivo 1 no es válida.",
                     QStringLiteral("alkor-cli: aviso: ") + p +
                         "4: Reacción 1 «Mal»: «Cinc» es a la vez reactivo y producto.",
                     QStringLiteral("alkor-cli: aviso: ") + p +
                         "5: Indicador 1 «Ind»: El «Límite bajo» es mayor que el «Límite alto».",
                     QStringLiteral("alkor-cli: aviso: ") + p +
                         "4: el componente 99 de la ranura 2 de los reactivos no está en el "
                         "catálogo: la ranura queda vacía"}));
        // A notes file that cannot be read, and a folder that is not there.
        QDir().mkpath(buena + "/marco.rtf");
        const Salida ilegible = Ejecutar({"compilar", buena, salida});
        QCOMPARE(ilegible.nEstado, 2);
        QVERIFY(ilegible.err.contains("marco.rtf"));
        QCOMPARE(Leer(salida), antes);
        const Salida falta = Ejecutar({"compilar", m_dir.filePath("no_hay"), salida});
        QCOMPARE(falta.nEstado, 2);
        QVERIFY(falta.err.contains("No se encontró la carpeta"));
        QCOMPARE(Ejecutar({"compilar", buena, m_dir.filePath("x.txt")}).nEstado, 1);
    }

    // The worked example of the documentation is the one in its folder, it compiles and it
    // runs clean; the same bench with a beaker filled past its capacity does not.
    void ejemploYComprobacion() {
        const QString ejemplo = QStringLiteral(ALKOR_DOCS "/fuente-ejemplo");
        const QByteArray fuente = Leer(ejemplo + "/practica.txt");
        QVERIFY(!fuente.isEmpty());
        QVERIFY(Leer(QStringLiteral(ALKOR_DOCS "/fuente-practicas.md")).contains(fuente));
        const QString zinc = m_dir.filePath("zinc.uak1");
        QCOMPARE(Ejecutar({"compilar", ejemplo, zinc}).nEstado, 0);
        QCOMPARE(Ejecutar({"compilar", ejemplo, m_dir.filePath("zinc.akp")}).nEstado, 0);
        const Salida bien = Ejecutar({"comprobar", zinc, "--json"});
        QCOMPARE(bien.nEstado, 0);
        const QJsonObject o = QJsonDocument::fromJson(bien.out).object();
        QCOMPARE(o["correcta"].toBool(), true);
        QCOMPARE(o["pasos"].toInt(), 600);
        const QJsonObject termometro = o["lecturas"].toArray()[0].toObject();
        QCOMPARE(termometro["equipo"].toInt(), 3);
        QCOMPARE(termometro["unidad"].toString(), QString("°C"));
        QCOMPARE(termometro["lectura"].toDouble(), 20.0);

        const QString lleno = m_dir.filePath("lleno");
        QDir().mkpath(lleno);
        Escribir(lleno + "/practica.txt",
                 QByteArray(fuente).replace("liquida = 50 | 50", "liquida = 300 | 300"));
        const QString archivo = m_dir.filePath("lleno.uak1");
        QCOMPARE(Ejecutar({"compilar", lleno, archivo}).nEstado, 0);
        const Salida mal = Ejecutar({"comprobar", archivo, "--pasos", "5"});
        QCOMPARE(mal.nEstado, 3);
        QVERIFY2(mal.out.contains("n.º 1, Vaso de presipitados 250 ml en (200, 300): contiene "
                                  "300.00 ml y su capacidad es 250.00 ml"),
                 mal.out.constData());
        QVERIFY(mal.out.contains("Pasos simulados: 5"));
        // A template starts with an empty bench: its catalogue is all there is to check.
        QCOMPARE(Ejecutar({"comprobar", m_dir.filePath("zinc.akp")}).nEstado, 0);

        // A reaction that doubles its reactant is held at the bound, and the run says where.
        const QString crece = QStringLiteral(ALKOR_DATOS "/reactivo_que_crece.uak1");
        const Salida texto = Ejecutar({"comprobar", crece, "--pasos", "30"});
        QCOMPARE(texto.nEstado, 3);
        QVERIFY2(texto.out.contains("paso 22, n.º 1, Vaso de presipitados 250 ml en (200, 300): "
                                    "la reacción «Duplicación» da más materia de la que toma"),
                 texto.out.constData());
        const Salida json = Ejecutar({"comprobar", crece, "--pasos", "30", "--json"});
        QCOMPARE(json.nEstado, 3);
        const QJsonArray problemas =
            QJsonDocument::fromJson(json.out).object()["problemas"].toArray();
        QCOMPARE(problemas.size(), 2); // the checks' warning, then the bound
        QCOMPARE(problemas[1].toObject()["paso"].toInt(), 22);
    }
};

QTEST_MAIN(TestCli)
#include "tst_cli.moc"
