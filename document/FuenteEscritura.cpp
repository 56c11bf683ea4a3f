// Writing a practice's source from what a file stores: the head, the catalogue block by
// block and the starting bench, each key as its table writes it, with the comment lines
// that tell a teacher what the fields are.
#include "document/FuenteClaves.h"

#include "equipment/ListaEquipo.h"
#include "equipment/Recipiente.h"
#include "equipment/TiposEquipo.h"

#include <algorithm>

namespace Fuente {

namespace {

class Escritor {
public:
    Escritor(const Crudo& c, bool bPractica, const CPractica& practica)
        : m_c(c), m_nombres(c.m_cat, bPractica, &practica.m_catalogo), m_practica(practica) {}

    QString Escribir() {
        Cabecera();
        Bloques(BloqueComponente(), m_c.m_cat.m_componentes, kComentarioComponentes, true);
        Quimica();
        Bloques(BloqueReactivo(), m_c.m_cat.m_reactivos, kComentarioReactivos);
        Bloques(BloqueReaccion(), m_c.m_cat.m_reacciones, kComentarioReacciones);
        Bloques(BloqueIndicador(), m_c.m_cat.m_indicadores, kComentarioIndicadores);
        Mesa();
        return m_str;
    }

private:
    static constexpr const char* kComentarioComponentes[] = {
        "# id | nombre | fórmula | masa molar | densidad | calor específico | color 0xBBGGRR |",
        "# estado | constante | fusión | ebullición | catión | cationes | carga | anión |",
        "# aniones | carga | solubilidad 1 | a T1 | solubilidad 2 | a T2 | textura"};
    static constexpr const char* kComentarioReactivos[] = {
        "# nombre | solido o liquido | litro (moles por litro o por kilogramo) o proporcion | "
        "moles x componente; …"};
    static constexpr const char* kComentarioReacciones[] = {
        "# id | texto | reactivos | productos; cada uno «coeficiente x componente [fase]»"};
    static constexpr const char* kComentarioIndicadores[] = {
        "# id | nombre | componente (0: el pH) | texto | color bajo | límite bajo | color alto "
        "| límite alto"};

    static constexpr const char* kComentarioQuimica[] = {
        "# acidobase = componente | carga del ácido | protones cedidos | pKa1; pKa2; pKa3 | "
        "ΔH1; ΔH2; ΔH3 (kJ/mol)",
        "# colorconcentracion = componente | mol/l a la que se ve su color"};

    void Linea(const QString& s = {}) {
        QString t = s;
        while (t.endsWith(QLatin1Char(' ')))
            t.chop(1);
        m_str += t + QLatin1Char('\n');
    }
    void Clave(const char* pszClave, const QString& s, int nSangria = 0) {
        Linea(QString(nSangria, QLatin1Char(' ')) + QLatin1String(pszClave) + QLatin1String(" = ") +
              s);
    }

    // The rows of a table that are written for g, each value on its own line.
    template <class Leido, class Guardado>
    void Claves(std::span<const Fuente::Clave<Leido, Guardado>> tabla, const Guardado& g,
                int nSangria) {
        for (const auto& k : tabla) {
            if (!k.m_pszClave || k.m_cuando == Cuando::Nunca ||
                (k.m_cuando == Cuando::SiNoUsual && k.m_usual(g, m_nombres)))
                continue;
            for (const QString& s : k.m_escribir(g, m_nombres))
                Clave(k.m_pszClave, s, nSangria);
        }
    }

    void Cabecera() {
        Linea(QStringLiteral("# Fuente de una práctica de Alkor: «alkor-cli compilar CARPETA "
                             "SALIDA» la convierte"));
        Linea(QStringLiteral("# en plantilla (.akp) o en práctica guardada (.uak1). Las notas "
                             "son marco.rtf,"));
        Linea(QStringLiteral("# procedimiento.rtf y resultados.rtf. Véase "
                             "docs/fuente-practicas.md."));
        Claves(ClavesCabecera(), m_c, 0);
    }

    // The comment that heads a block is written when it has entries (the components' always,
    // the first thing a teacher reads about the catalogue).
    template <class Leido, class Guardado, size_t n>
    void Bloques(const Bloque<Leido, Guardado>& b, const std::vector<Guardado>& v,
                 const char* const (&comentario)[n], bool bSiempre = false) {
        if (bSiempre || !v.empty()) {
            Linea();
            for (const char* psz : comentario)
                Linea(QString::fromUtf8(psz));
        }
        for (const Guardado& g : v) {
            Clave(b.m_pszClave, b.m_escribir(g, m_nombres));
            Claves(b.m_claves, g, 2);
        }
    }

    // The components' acid–base systems and colour concentrations, after the components
    // they name; nothing for a catalogue without them.
    void Quimica() {
        const auto claves = ClavesCatalogo();
        if (std::all_of(claves.begin(), claves.end(),
                        [this](const auto& k) { return k.m_usual(m_c, m_nombres); }))
            return;
        Linea();
        for (const char* psz : kComentarioQuimica)
            Linea(QString::fromUtf8(psz));
        Claves(claves, m_c, 0);
    }

    void Fases(const CRecipiente& r) {
        const CFase* fases[3] = {&r.m_seno.m_faseLiquida, &r.m_seno.m_faseSolida,
                                 &r.m_seno.m_faseGas};
        for (int i = 0; i < 3; ++i) {
            for (const ClaveFase& k : ClavesFase()) {
                if (k.m_cuando == Cuando::Nunca ||
                    (k.m_cuando == Cuando::SiNoUsual && k.m_usual(*fases[i])))
                    continue;
                for (const QString& s : k.m_escribir(*fases[i], m_nombres)) {
                    if (k.m_pszClave)
                        Clave(k.m_pszClave, QLatin1String(kFases[i]) + QLatin1String(" | ") + s, 2);
                    else
                        Clave(kFases[i], s, 2);
                }
            }
        }
    }

    void Mesa() {
        const CListaEquipo& lista = m_practica.m_listaEquipo;
        if (lista.empty())
            return;
        Linea();
        Linea(QStringLiteral("# La mesa, del equipo de más abajo al de más arriba: tipo | x | y"));
        const Bloque<Equipo, CEquipo>& b = BloqueEquipo();
        for (const CEquipo* e : lista) {
            const CTipoEquipo* t = BuscarTipo(e->m_nTipo);
            Linea(QStringLiteral("# %1").arg(t ? QString::fromUtf8(t->pszNombre) : QString()));
            Clave(b.m_pszClave, b.m_escribir(*e, m_nombres));
            for (const auto& k : b.m_claves) {
                if (k.m_pszClave) {
                    Claves(std::span(&k, 1), *e, 2);
                } else if (const CRecipiente* r = e->Recipiente()) {
                    Fases(*r);
                }
            }
        }
    }

    const Crudo& m_c;
    const Nombres m_nombres;
    const CPractica& m_practica;
    QString m_str;
};

} // namespace

QString EscribirFuente(const Crudo& c, bool bPractica, const CPractica& practica) {
    return Escritor(c, bPractica, practica).Escribir();
}

} // namespace Fuente
