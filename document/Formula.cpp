#include "document/Formula.h"

#include <cctype>
#include <charconv>
#include <cmath>
#include <stdexcept>

namespace {

struct Fallo : std::runtime_error {
    using std::runtime_error::runtime_error;
};

// Recursive descent over the text: expression = term {(+|-) term}; term = factor {(*|/)
// factor}; factor = unary [^ factor]; unary = [-|+] unary | primary. Every level of nesting
// passes through Primario, which counts the depth.
class CLector {
public:
    CLector(const std::string& s, const Formula::Valores& v) : m_s(s), m_v(v) {}

    double Todo() {
        const double d = Expresion();
        Blancos();
        if (m_n < m_s.size())
            throw Fallo("sobra «" + m_s.substr(m_n, 12) + "»");
        return d;
    }

private:
    void Blancos() {
        while (m_n < m_s.size() && (m_s[m_n] == ' ' || m_s[m_n] == '\t'))
            ++m_n;
    }
    bool Toma(char c) {
        Blancos();
        if (m_n < m_s.size() && m_s[m_n] == c) {
            ++m_n;
            return true;
        }
        return false;
    }
    static double Finito(double d) {
        if (!std::isfinite(d))
            throw Fallo("el resultado no es un número finito");
        return d;
    }

    double Expresion() {
        double d = Termino();
        for (;;) {
            if (Toma('+'))
                d = Finito(d + Termino());
            else if (Toma('-'))
                d = Finito(d - Termino());
            else
                return d;
        }
    }
    double Termino() {
        double d = Factor();
        for (;;) {
            if (Toma('*')) {
                d = Finito(d * Factor());
            } else if (Toma('/')) {
                const double e = Factor();
                if (e == 0.0)
                    throw Fallo("división por cero");
                d = Finito(d / e);
            } else {
                return d;
            }
        }
    }
    double Factor() {
        const double d = Unario();
        if (Toma('^')) {
            const double e = Nivel([this] { return Factor(); });
            return Finito(std::pow(d, e));
        }
        return d;
    }
    double Unario() {
        if (Toma('-'))
            return -Nivel([this] { return Unario(); });
        if (Toma('+'))
            return Nivel([this] { return Unario(); });
        return Primario();
    }
    template <class F> double Nivel(F f) {
        if (++m_nProfundidad > Formula::kProfundidadMaxima)
            throw Fallo("demasiados niveles de paréntesis u operadores");
        const double d = f();
        --m_nProfundidad;
        return d;
    }
    double Primario() {
        Blancos();
        if (m_n >= m_s.size())
            throw Fallo("falta un valor al final");
        const char c = m_s[m_n];
        if (c == '(') {
            ++m_n;
            const double d = Nivel([this] { return Expresion(); });
            if (!Toma(')'))
                throw Fallo("falta «)»");
            return d;
        }
        if (std::isdigit(static_cast<unsigned char>(c)) || c == '.' || c == ',')
            return Numero();
        if (std::isalpha(static_cast<unsigned char>(c)) || c == '_')
            return Nombre();
        throw Fallo(std::string("carácter no válido «") + c + "»");
    }
    double Numero() {
        std::string t;
        auto digitos = [&] {
            while (m_n < m_s.size() && std::isdigit(static_cast<unsigned char>(m_s[m_n])))
                t += m_s[m_n++];
        };
        digitos();
        if (m_n < m_s.size() && (m_s[m_n] == '.' || m_s[m_n] == ',')) {
            t += '.';
            ++m_n;
            digitos();
        }
        if (t == ".")
            throw Fallo("número sin cifras");
        if (m_n < m_s.size() && (m_s[m_n] == 'e' || m_s[m_n] == 'E')) {
            const size_t nAntes = m_n;
            std::string e = "e";
            ++m_n;
            if (m_n < m_s.size() && (m_s[m_n] == '+' || m_s[m_n] == '-'))
                e += m_s[m_n++];
            const size_t nCifras = m_n;
            while (m_n < m_s.size() && std::isdigit(static_cast<unsigned char>(m_s[m_n])))
                e += m_s[m_n++];
            if (m_n == nCifras)
                m_n = nAntes; // "2e" followed by a name is not an exponent
            else
                t += e;
        }
        // Not strtod: the program runs under the user's locale, whose decimal mark may differ.
        double d = 0.0;
        const auto r = std::from_chars(t.data(), t.data() + t.size(), d);
        if (r.ec != std::errc())
            throw Fallo("número fuera de escala «" + t + "»");
        return Finito(d);
    }
    double Nombre() {
        std::string t;
        while (m_n < m_s.size() &&
               (std::isalnum(static_cast<unsigned char>(m_s[m_n])) || m_s[m_n] == '_'))
            t += m_s[m_n++];
        Blancos();
        if (m_n < m_s.size() && m_s[m_n] == '(') {
            ++m_n;
            const double x = Nivel([this] { return Expresion(); });
            if (!Toma(')'))
                throw Fallo("falta «)» tras " + t);
            if (t == "raiz") {
                if (x < 0.0)
                    throw Fallo("raíz de un número negativo");
                return std::sqrt(x);
            }
            if (t == "ln" || t == "log") {
                if (!(x > 0.0))
                    throw Fallo("logaritmo de un número que no es positivo");
                return t == "ln" ? std::log(x) : std::log10(x);
            }
            if (t == "exp")
                return Finito(std::exp(x));
            if (t == "abs")
                return std::fabs(x);
            throw Fallo("función desconocida «" + t + "»");
        }
        const auto it = m_v.find(t);
        if (it == m_v.end())
            throw Fallo("nombre desconocido «" + t + "»");
        return Finito(it->second);
    }

    const std::string& m_s;
    const Formula::Valores& m_v;
    size_t m_n = 0;
    int m_nProfundidad = 0;
};

} // namespace

namespace Formula {

Resultado Evaluar(const std::string& strTexto, const Valores& valores) {
    if (strTexto.size() > kLongitudMaxima)
        return {std::nullopt,
                "fórmula de más de " + std::to_string(kLongitudMaxima) + " caracteres"};
    bool bAlgo = false;
    for (char c : strTexto)
        bAlgo = bAlgo || (c != ' ' && c != '\t');
    if (!bAlgo)
        return {std::nullopt, "fórmula vacía"};
    try {
        return {CLector(strTexto, valores).Todo(), {}};
    } catch (const Fallo& e) {
        return {std::nullopt, e.what()};
    }
}

std::string Comprobar(const std::string& strTexto, const Valores& valores) {
    Valores unos;
    for (const auto& [k, v] : valores)
        unos[k] = 1.0;
    const Resultado r = Evaluar(strTexto, unos);
    // Ones may divide by zero where the drawn values would not ("1/(c-1)"): only the
    // syntax and the names are the teacher's mistakes here.
    if (r.m_strError == "división por cero" || r.m_strError.rfind("logaritmo", 0) == 0 ||
        r.m_strError.rfind("raíz", 0) == 0 || r.m_strError.rfind("el resultado", 0) == 0)
        return {};
    return r.m_strError;
}

} // namespace Formula
