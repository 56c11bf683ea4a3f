// A 4 MB note as a student might paste it: long paragraphs with a change of format now and
// then, accented letters and symbols. Opening it, and showing it, must take well under a
// second.
#pragma once

#include <string>

namespace prueba {

inline std::string Nota4MB() {
    std::string s =
        "{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0 Arial;}}{\\colortbl;\\red255\\green0\\blue0;}\n";
    const std::string parrafo =
        "La soluci\\'f3n de hidr\\'f3xido de sodio se a\\'f1ade gota a gota {\\b mientras} "
        "se agita; el pH sube de 2 a 12 \\emdash  cerca de 7 {\\cf1\\i cambia} el color. ";
    while (s.size() < 4 * 1024 * 1024) {
        for (int i = 0; i < 20; ++i)
            s += parrafo;
        s += "\\par\n";
    }
    return s + "}";
}

} // namespace prueba
