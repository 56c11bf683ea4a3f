// The command-line tool as a teacher runs it: exit statuses, messages and the JSON output.
#include "Catalogo.h"
#include "Instrumentos.h"
#include "Plantillas.h"
#include "Practica.h"
#include "Vasos.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

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

} // namespace

class TestCli : public QObject {
    Q_OBJECT
    CCatalogo cat;
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
        QCOMPARE(Ejecutar({"nueva", "/dev/full"}).nEstado, 2);
        QCOMPARE(Ejecutar({"nueva", m_dir.filePath("no/x.uak1")}).nEstado, 2);
        // An endless device is no practice: refused at once, not read until memory ends.
        const Salida cero = Ejecutar({"info", "/dev/zero"});
        QCOMPARE(cero.nEstado, 2);
        QVERIFY(cero.err.contains("no es un archivo de práctica"));
    }

    void discoLlenoYDispositivos() {
        // A 12 KB template saved over an older file on a disk with 8 KB free: every
        // writer fails, says so, and leaves the older file as it was.
        const QString destino = m_dir.filePath("anterior.akp");
        QCOMPARE(Ejecutar({"plantilla", "901", destino}).nEstado, 0);
        const QByteArray antes = Plantillas::Bytes(901);
        const QString fuente = m_dir.filePath("903.akp");
        QCOMPARE(Ejecutar({"plantilla", "903", fuente}).nEstado, 0);
        for (const QStringList& orden :
             {QStringList{"plantilla", "903", destino},
              QStringList{"simular", fuente, "--pasos", "1", "--salida", destino}}) {
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
        // A device stays a device.
        QCOMPARE(Ejecutar({"plantilla", "903", "/dev/null"}).nEstado, 0);
        QVERIFY(QFileInfo("/dev/null").exists() && !QFileInfo("/dev/null").isFile());
    }

    void simularComoLaMesa() {
        // A beaker with water and sodium hydroxide that dissolves step by step, and a pH
        // meter dipping into it.
        cat = CCatalogo::Inicial();
        const QString ruta = m_dir.filePath("sosa.uak1");
        {
            CPractica p;
            auto* v = new CVaso250;
            v->SetPosition(100, 100);
            p.m_listaEquipo.AgregarAlFinal(v);
            v->AddComponent(0, 100.0, UNIDAD_ML);
            v->AddComponent(1, 4.0, UNIDAD_GRAMOS);
            auto* ph = new CPHmetro;
            ph->SetPosition(100 + 40 - 2, 100 + 90 - 128);
            p.m_listaEquipo.AgregarAlFinal(ph);
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
        cat = CCatalogo();
    }
};

QTEST_MAIN(TestCli)
#include "tst_cli.moc"
