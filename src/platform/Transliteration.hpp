#pragma once
#include <string>

namespace corvina {

// Latin transliteration without diacritics ("豆包" → "dou bao", "Ölfass" → "Olfass").
std::string latinWithoutDiacritics(const std::string& utf8);

// The first user-perceived character (grapheme cluster) of a UTF-8 text, or "".
std::string firstGrapheme(const std::string& utf8);

// Whether the first code point of a UTF-8 text is a Unicode letter.
bool startsWithLetter(const std::string& utf8);

// Unicode upper case of a UTF-8 text.
std::string upperCased(const std::string& utf8);

}  // namespace corvina
