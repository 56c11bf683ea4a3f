// CFormula: the small language of a question's expected value — numbers, the named values
// of the practice (its unknowns), + - * / ^, parentheses and a few functions. A teacher
// writes it; it is read from files students hand in, so the reader refuses anything else
// with a message naming what is wrong, never recurses past a fixed depth and never gives a
// value that is not finite.
#pragma once

#include <map>
#include <optional>
#include <string>

namespace Formula {

// Values of the names a formula may use, by name.
using Valores = std::map<std::string, double>;

struct Resultado {
    std::optional<double> m_dValor;
    std::string m_strError; // Spanish, empty when there is a value
};

// The longest text and the deepest nesting a formula may have.
constexpr size_t kLongitudMaxima = 400;
constexpr int kProfundidadMaxima = 32;

// Evaluates the text. Numbers take a point or a comma as decimal mark ("0,1" and "0.1")
// and an exponent ("6.022e23"); functions: raiz, ln, log (base 10), exp, abs. A name not in
// the values, a division by zero or any result that is not finite is an error.
Resultado Evaluar(const std::string& strTexto, const Valores& valores);

// Only the syntax and the names, with every value 1: what a teacher's editor checks.
std::string Comprobar(const std::string& strTexto, const Valores& valores);

} // namespace Formula
