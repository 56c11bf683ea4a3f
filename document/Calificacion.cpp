#include "document/Calificacion.h"

#include "document/Practica.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

#include <map>

namespace Calificacion {

namespace {

QString Tr(const char* psz) {
    return QCoreApplication::translate("Calificacion", psz);
}

QByteArray Comillas(const QString& s) {
    QString t = s;
    t.replace(QLatin1Char('"'), QStringLiteral("\"\""));
    return '"' + t.toUtf8() + '"';
}

} // namespace

QString Palabra(CTarea::Juicio j) {
    switch (j) {
    case CTarea::Juicio::Bien:
        return Tr("bien");
    case CTarea::Juicio::Mal:
        return Tr("mal");
    case CTarea::Juicio::Cifras:
        return Tr("cifras");
    case CTarea::Juicio::SinCalificar:
        return Tr("sin calificar");
    case CTarea::Juicio::SinRespuesta:
        break;
    }
    return Tr("sin respuesta");
}

void Agregar(const CTarea& profesor, const QString& strArchivo, const std::vector<uint8_t>& datos,
             Clase& clase) {
    CPractica p;
    QString strError;
    if (!CPractica::EsPractica(datos) ||
        p.LeerPractica(datos, strArchivo, &strError) != CPractica::Resultado::Correcto) {
        clase.m_rechazos.push_back({strArchivo, Tr("no es una práctica guardada o está dañado")});
        return;
    }
    if (p.m_tarea.Vacia()) {
        clase.m_rechazos.push_back({strArchivo, Tr("práctica sin preguntas")});
        return;
    }
    switch (profesor.Examinar(p.m_tarea)) {
    case CTarea::Estado::Ajeno:
        clase.m_rechazos.push_back({strArchivo, Tr("es de otra práctica")});
        return;
    case CTarea::Estado::NoEmpezado:
        clase.m_rechazos.push_back({strArchivo, Tr("ningún alumno la ha empezado")});
        return;
    case CTarea::Estado::Manipulado:
        clase.m_rechazos.push_back(
            {strArchivo, Tr("manipulado: la semilla o las respuestas no son las que guardó el "
                            "programa")});
        return;
    case CTarea::Estado::Correcto:
        break;
    }
    Fila f;
    f.m_strArchivo = strArchivo;
    f.m_strAlumno = p.m_tarea.m_strAlumno;
    f.m_strGrupo = p.m_tarea.m_strGrupo;
    f.m_respuestas = p.m_tarea.m_respuestas;
    // The teacher's own key and ranges, never the student's copy of them.
    CTarea t = profesor;
    t.m_bEmpezada = true;
    t.m_semilla = p.m_tarea.m_semilla;
    f.m_valores = t.Valores();
    f.m_nota = profesor.Calificar(f.m_respuestas, f.m_valores);
    clase.m_filas.push_back(std::move(f));
}

void BuscarCopias(Clase& clase) {
    clase.m_copias.clear();
    std::map<std::vector<std::string>, std::vector<size_t>> porRespuestas;
    for (size_t i = 0; i < clase.m_filas.size(); ++i) {
        bool bAlguna = false;
        for (const std::string& s : clase.m_filas[i].m_respuestas)
            bAlguna = bAlguna || !s.empty();
        if (bAlguna)
            porRespuestas[clase.m_filas[i].m_respuestas].push_back(i);
    }
    for (const auto& [r, v] : porRespuestas)
        for (size_t a = 0; a < v.size(); ++a)
            for (size_t b = a + 1; b < v.size(); ++b)
                if (clase.m_filas[v[a]].m_valores != clase.m_filas[v[b]].m_valores)
                    clase.m_copias.emplace_back(v[a], v[b]);
}

Clase Carpeta(const CTarea& profesor, const QString& strCarpeta) {
    Clase clase;
    const QDir dir(strCarpeta);
    if (!dir.exists()) {
        clase.m_rechazos.push_back({strCarpeta, Tr("la carpeta no existe")});
        return clase;
    }
    const QFileInfoList archivos =
        dir.entryInfoList(QDir::Files | QDir::Hidden | QDir::NoDotAndDotDot, QDir::Name);
    for (const QFileInfo& fi : archivos) {
        std::vector<uint8_t> datos;
        QString strError;
        if (CPractica::LeerArchivo(fi.filePath(), datos, &strError) !=
            CPractica::Resultado::Correcto) {
            clase.m_rechazos.push_back(
                {fi.fileName(), strError.isEmpty() ? Tr("no se pudo leer") : strError});
            continue;
        }
        try {
            Agregar(profesor, fi.fileName(), datos, clase);
        } catch (const std::exception&) {
            clase.m_rechazos.push_back({fi.fileName(), Tr("no se pudo leer")});
        }
    }
    BuscarCopias(clase);
    return clase;
}

QByteArray Csv(const CTarea& profesor, const Clase& clase) {
    QByteArray s = Comillas(Tr("Alumno")) + ',' + Comillas(Tr("Grupo"));
    for (size_t i = 0; i < profesor.m_preguntas.size(); ++i) {
        const QString n = QString::number(i + 1);
        s += ',' + Comillas(Tr("Respuesta P%1").arg(n)) + ',' + Comillas(Tr("P%1").arg(n));
    }
    s += ',' + Comillas(Tr("Nota")) + "\r\n";
    for (const Fila& f : clase.m_filas) {
        s += Comillas(QString::fromStdString(f.m_strAlumno)) + ',' +
             Comillas(QString::fromStdString(f.m_strGrupo));
        for (size_t i = 0; i < profesor.m_preguntas.size(); ++i) {
            const CTarea::Juicio j = f.m_nota.m_juicios[i];
            s += ',' + Comillas(QString::fromStdString(f.m_respuestas[i])) + ',';
            if (profesor.m_preguntas[i].m_nTipo == CPregunta::kLibre)
                continue; // the teacher's to mark
            if (j == CTarea::Juicio::Bien)
                s += '1';
            else if (j == CTarea::Juicio::Mal || j == CTarea::Juicio::Cifras ||
                     j == CTarea::Juicio::SinRespuesta)
                s += '0';
        }
        s += ',' + QByteArray::number(f.m_nota.Sobre10(), 'f', 2) + "\r\n";
    }
    return s;
}

} // namespace Calificacion
